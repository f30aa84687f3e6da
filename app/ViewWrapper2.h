// CViewWrapper2: the rounded host window of the editor canvas in the photo editing view.
#pragma once

#include <QWidget>

class CViewArea;

class CViewWrapper2 : public QWidget {
public:
    static constexpr int IDC_WRAPPER = 7280;
    static constexpr int IDC_CANVAS = 7281;
    static constexpr int kInset = 5;

    explicit CViewWrapper2(QWidget* parent);
    QWidget* GetView() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CViewArea* m_pView;
};
