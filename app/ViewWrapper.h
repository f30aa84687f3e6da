// CViewWrapper: the rounded host window of the album browser in the album composition view.
#pragma once

#include <QWidget>

class CViewArea;

class CViewWrapper : public QWidget {
public:
    static constexpr int IDC_WRAPPER = 7270;
    static constexpr int IDC_THUMB = 7271;
    static constexpr int kInset = 10;

    explicit CViewWrapper(QWidget* parent);
    // The hosted browser (its empty place until the browser arrives).
    QWidget* GetView() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CViewArea* m_pView;
};
