#include "views/controls/BitmapSliderLogic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "views/controls/MessageBoxLogic.h"

int CBitmapSliderLogic::Clamp(int value) const {
    if (max < min) return min;
    return std::clamp(value, min, max);
}

bool CBitmapSliderLogic::SetPos(int value) {
    const int v = Clamp(value);
    if (v == pos) return false;
    pos = v;
    return true;
}

void CBitmapSliderLogic::SetRange(int lo, int hi) {
    min = lo;
    max = std::max(lo, hi);
    pos = Clamp(pos);
}

int CBitmapSliderLogic::PosToPixel(int value) const {
    const int span = max - min;
    if (span <= 0) return marginLow + thumb / 2;
    const long long track = length - marginHigh - thumb - marginLow;
    return marginLow + static_cast<int>(track * (value - min) / span) + thumb / 2;
}

int CBitmapSliderLogic::PixelToPos(int pixel) const {
    const int track = length - marginHigh - marginLow - thumb;
    if (track <= 0) return min;
    const double p = min + static_cast<double>(pixel - thumb / 2 - marginLow) / track * (max - min);
    return static_cast<int>(std::trunc(p));
}

int CBitmapSliderLogic::ClampCentre(int pixel) const {
    const int lo = marginLow + thumb / 2;
    const int hi = length - marginHigh - thumb / 2;
    return hi < lo ? lo : std::clamp(pixel, lo, hi);
}

int CBitmapSliderLogic::GrabOffset(int press) const {
    const int centre = PosToPixel(pos);
    return std::abs(press - centre) > thumb / 2 ? 0 : press - centre;
}

int CBitmapSliderLogic::DragPos(int pixel, int offset) const {
    const int centre = ClampCentre(pixel - offset);
    // Both formulas truncate, so the thumb's own centre can read back one position lower; a
    // press on the thumb, or a drag back to where it stood, keeps the position.
    if (centre == PosToPixel(pos)) return pos;
    return Clamp(PixelToPos(centre));
}

int CBitmapSliderLogic::KeyPos(Key key) const {
    switch (key) {
        case Key::PageUp: return Clamp(pos - page);
        case Key::PageDown: return Clamp(pos + page);
        case Key::Home: return min;
        case Key::End: return Clamp(max);
        case Key::Left:
        case Key::Up: return Clamp(pos - 1);
        case Key::Right:
        case Key::Down: return Clamp(pos + 1);
    }
    return pos;
}

int CBitmapSliderLogic::WheelPos(int delta) const {
    return Clamp(pos + CMessageBoxLogic::MulDiv(delta, -wheelRange, 120));
}
