#include "views/controls/BitmapSliderEx.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

CBitmapSliderEx::CBitmapSliderEx(QWidget* parent, int id) : CBitmapSlider(parent, id) {}

bool CBitmapSliderEx::SetBitmapChannel(int start, int middle, int end) {
    return SetBitmapChannelImages(skinart::Bitmap(start), skinart::Bitmap(middle), skinart::Bitmap(end));
}

bool CBitmapSliderEx::SetBitmapChannelImages(const QImage& start, const QImage& middle, const QImage& end) {
    m_start = start;
    m_middle = middle;
    m_end = end;
    update();
    return !middle.isNull();
}

void CBitmapSliderEx::DrawChannel(QPainter& p, const QRect& r, int centre) {
    if (m_middle.isNull()) {
        CBitmapSlider::DrawChannel(p, r, centre);
        return;
    }
    skinart::DrawThreePart(p, r, m_start, m_middle, m_end, IsVertical());
}
