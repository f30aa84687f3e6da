// CBitmapSliderEx: a bitmap slider whose channel is built from three pieces (start, tiled
// middle, end), so it stretches to any length.
#pragma once

#include "views/controls/BitmapSlider.h"

class CBitmapSliderEx : public CBitmapSlider {
public:
    explicit CBitmapSliderEx(QWidget* parent = nullptr, int id = 0);

    // Start, middle and end pieces by resource identifier; false when the middle is missing.
    bool SetBitmapChannel(int start, int middle, int end);
    bool SetBitmapChannelImages(const QImage& start, const QImage& middle, const QImage& end);
    using CBitmapSlider::SetBitmapChannel;
    using CBitmapSlider::SetBitmapChannelImages;

protected:
    void DrawChannel(QPainter& p, const QRect& r, int centre) override;

private:
    QImage m_start, m_middle, m_end;
};
