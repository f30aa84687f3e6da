// Drawing helpers shared by the skinned controls: bitmaps by resource identifier, strips cut
// into states, and the plain look every control falls back to when a bitmap is missing.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

#include "platform/win/windef.h"

class QPainter;
class QWidget;

namespace skinart {

// Bitmap `id` of the resource library; a null image when it is absent or id is 0.
QImage Bitmap(int id);
// A horizontal strip cut into `count` cells of equal width (strip width / count).
std::vector<QImage> Split(const QImage& strip, int count);
// The area of `image` that is not pure white, as a window region.
QRegion RegionOf(const QImage& image);

QColor ToQColor(COLORREF c);
COLORREF ToColorRef(const QColor& c);

// Plain button face: raised, pressed, hovered, focused or disabled.
void DrawPlainButton(QPainter& p, const QRect& r, bool pressed, bool hover, bool focus, bool enabled);
// Left piece, tiled middle, right piece across `r` (any of them may be null).
void DrawThreePart(QPainter& p, const QRect& r, const QImage& left, const QImage& middle, const QImage& right,
                   bool vertical = false);

}  // namespace skinart
