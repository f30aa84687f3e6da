#include "views/controls/SkinArt.h"

#include <QPainter>

#include "platform/brelt/Brelt.h"

namespace skinart {

QImage Bitmap(int id) {
    if (id <= 0) return {};
    return CBrelt::Bitmap(id);
}

std::vector<QImage> Split(const QImage& strip, int count) {
    std::vector<QImage> cells;
    if (strip.isNull() || count <= 0) return cells;
    const int w = strip.width() / count;
    if (w <= 0) return cells;
    for (int i = 0; i < count; ++i) cells.push_back(strip.copy(i * w, 0, w, strip.height()));
    return cells;
}

QRegion RegionOf(const QImage& image) {
    QRegion region;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        int x = 0;
        while (x < img.width()) {
            while (x < img.width() && (line[x] & 0xFFFFFF) == 0xFFFFFF) ++x;
            const int start = x;
            while (x < img.width() && (line[x] & 0xFFFFFF) != 0xFFFFFF) ++x;
            if (x > start) region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF ToColorRef(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

void DrawPlainButton(QPainter& p, const QRect& r, bool pressed, bool hover, bool focus, bool enabled) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (!enabled) {
        g.setColorAt(0, QColor(0xF0, 0xF0, 0xF0));
        g.setColorAt(1, QColor(0xE4, 0xE4, 0xE4));
    } else if (pressed) {
        g.setColorAt(0, QColor(0xC8, 0xD2, 0xDE));
        g.setColorAt(1, QColor(0xDC, 0xE4, 0xEE));
    } else if (hover) {
        g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        g.setColorAt(1, QColor(0xDE, 0xEA, 0xF6));
    } else {
        g.setColorAt(0, QColor(0xFC, 0xFC, 0xFC));
        g.setColorAt(1, QColor(0xE2, 0xE2, 0xE2));
    }
    const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setBrush(g);
    p.setPen(enabled ? (focus ? QColor(0x4A, 0x7E, 0xBB) : QColor(0x8E, 0x8E, 0x8E)) : QColor(0xC0, 0xC0, 0xC0));
    p.drawRoundedRect(box, 3, 3);
    if (focus && enabled) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QColor(0x9C, 0xC0, 0xE8));
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), 2, 2);
    }
    p.restore();
}

void DrawThreePart(QPainter& p, const QRect& r, const QImage& left, const QImage& middle, const QImage& right,
                   bool vertical) {
    if (vertical) {
        const int a = left.isNull() ? 0 : std::min(left.height(), r.height() / 2);
        const int b = right.isNull() ? 0 : std::min(right.height(), r.height() - a);
        if (!middle.isNull()) p.drawImage(QRect(r.left(), r.top() + a, r.width(), r.height() - a - b), middle);
        if (a) p.drawImage(QRect(r.left(), r.top(), r.width(), a), left, QRect(0, 0, left.width(), a));
        if (b)
            p.drawImage(QRect(r.left(), r.bottom() + 1 - b, r.width(), b), right,
                        QRect(0, right.height() - b, right.width(), b));
        return;
    }
    const int a = left.isNull() ? 0 : std::min(left.width(), r.width() / 2);
    const int b = right.isNull() ? 0 : std::min(right.width(), r.width() - a);
    if (!middle.isNull()) {
        // The middle piece is tiled, not stretched, so its pattern keeps its size.
        const QRect mid(r.left() + a, r.top(), r.width() - a - b, r.height());
        const QImage scaled = middle.height() == r.height() ? middle : middle.scaled(middle.width(), r.height());
        for (int x = mid.left(); x <= mid.right(); x += scaled.width())
            p.drawImage(QPoint(x, mid.top()), scaled,
                        QRect(0, 0, std::min(scaled.width(), mid.right() + 1 - x), r.height()));
    }
    if (a) p.drawImage(QRect(r.left(), r.top(), a, r.height()), left, QRect(0, 0, a, left.height()));
    if (b)
        p.drawImage(QRect(r.right() + 1 - b, r.top(), b, r.height()), right,
                    QRect(right.width() - b, 0, b, right.height()));
}

}  // namespace skinart
