// CUserStatic: a title bar drawn from three bitmaps (left end, tiled middle, right end) with its
// title centred on it.
#pragma once

#include <QImage>
#include <QLabel>

#include "platform/win/windef.h"

class CUserStatic : public QLabel {
public:
    explicit CUserStatic(const QString& title = {}, QWidget* parent = nullptr);

    // By resource identifier; 0 for none.
    void SetBitmaps(int left, int middle, int right);
    void SetBitmapImages(const QImage& left, const QImage& middle, const QImage& right);
    void SetTextColor(COLORREF color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_left, m_middle, m_right;
    COLORREF m_crText = RGB(0xFF, 0xFF, 0xFF);
};
