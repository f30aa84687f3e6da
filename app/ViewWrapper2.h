// CViewWrapper2: the rounded host window of the editor canvas in the photo editing view.
#pragma once

#include <QWidget>

class CViewMain;

class CViewWrapper2 : public QWidget {
public:
    static constexpr int IDC_WRAPPER = 7280;
    static constexpr int IDC_CANVAS = 7281;
    static constexpr int kInset = 5;

    explicit CViewWrapper2(QWidget* parent);
    CViewMain* GetView() const { return m_pView; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CViewMain* m_pView;
};
