#include "platform/brelt/gen/Art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

namespace art {

QFont Face(qreal pixelSize, QFont::Weight weight) {
    QFont f;
    f.setFamilies({QStringLiteral("NanumGothic"), QStringLiteral("NanumBarunGothic"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(qRound(pixelSize));
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont WordFace(qreal pixelSize, QFont::Weight weight) {
    QFont f;
    f.setFamilies({QStringLiteral("NanumSquare"), QStringLiteral("NanumGothic"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(qRound(pixelSize));
    f.setWeight(weight);
    return f;
}

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage Solid(int w, int h, const QColor& c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QPainter* Begin(QPainter& p, QImage& img) {
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    return &p;
}

namespace {

QRgb Over(QRgb src, QRgb dst) {
    // src is premultiplied ARGB, dst opaque.
    const int a = qAlpha(src);
    const int r = qRed(src) + qRed(dst) * (255 - a) / 255;
    const int g = qGreen(src) + qGreen(dst) * (255 - a) / 255;
    const int b = qBlue(src) + qBlue(dst) * (255 - a) / 255;
    return qRgb(qMin(r, 255), qMin(g, 255), qMin(b, 255));
}

}  // namespace

QImage Keyed(const QImage& drawing, QRgb key, const QImage& matte) {
    const QImage src = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage under = matte.convertToFormat(QImage::Format_RGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(under.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            if (qAlpha(s[x]) < 64) {
                o[x] = key;
                continue;
            }
            QRgb c = Over(s[x], m[x]);
            if ((c | 0xFF000000) == (key | 0xFF000000)) c = qRgb(qRed(c), qGreen(c), qBlue(c) > 0 ? qBlue(c) - 1 : 1);
            o[x] = c;
        }
    }
    return out.convertToFormat(QImage::Format_RGB888);
}

QImage Flatten(const QImage& drawing, const QImage& matte) {
    const QImage src = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage under = matte.convertToFormat(QImage::Format_RGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(under.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) o[x] = Over(s[x], m[x]);
    }
    return out.convertToFormat(QImage::Format_RGB888);
}

void FillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom, qreal radius) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    if (radius > 0) {
        QPainterPath path;
        path.addRoundedRect(r, radius, radius);
        p.fillPath(path, g);
    } else {
        p.fillRect(r, g);
    }
}

// ---- glyphs ------------------------------------------------------------------------------
// Drawn in a 24-unit design square scaled into `box`, with 1.6-unit strokes.

namespace {

// Straight segments through points, from the first; closed back to it when asked.
void AddPolyline(QPainterPath& path, std::initializer_list<QPointF> points, bool closed = false) {
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    if (closed) path.closeSubpath();
}

void Arrow(QPainterPath& path, QPointF tip, qreal angleDeg, qreal len) {
    const qreal a = qDegreesToRadians(angleDeg);
    for (qreal side : {-1.0, 1.0}) {
        const qreal b = a + side * qDegreesToRadians(140.0);
        path.moveTo(tip);
        path.lineTo(tip + QPointF(qCos(b) * len, qSin(b) * len));
    }
}

void Picture(QPainter& p, const QRectF& r, const QColor& ink, qreal stroke) {
    p.setPen(QPen(ink, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, r.width() * 0.12, r.width() * 0.12);
    QPainterPath hills;
    hills.moveTo(r.left() + r.width() * 0.12, r.bottom() - r.height() * 0.15);
    hills.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.5);
    hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.7);
    hills.lineTo(r.left() + r.width() * 0.72, r.top() + r.height() * 0.58);
    hills.lineTo(r.right() - r.width() * 0.1, r.bottom() - r.height() * 0.15);
    p.drawPath(hills);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const qreal d = r.width() * 0.16;
    p.drawEllipse(QPointF(r.left() + r.width() * 0.7, r.top() + r.height() * 0.3), d / 2 + stroke * 0.2,
                  d / 2 + stroke * 0.2);
}

}  // namespace

void DrawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& ink) {
    p.save();
    const qreal s = qMin(box.width(), box.height()) / 24.0;
    p.translate(box.center().x() - 12 * s, box.center().y() - 12 * s);
    p.scale(s, s);
    const qreal w = s < 0.7 ? 2.0 : 1.7;  // small glyphs get heavier lines to stay crisp
    QPen pen(ink, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    switch (g) {
        case Glyph::Lens:
            p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
            p.drawEllipse(QPointF(12, 12), 5, 5);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(10.2, 10.2), 1.6, 1.6);
            break;
        case Glyph::Album:
        case Glyph::AlbumPlus:
            AddPolyline(path, {{4, 7}, {4, 19.5}, {20, 19.5}, {20, 9}, {11.5, 9}, {9.5, 6.5}, {4.8, 6.5}}, true);
            p.drawPath(path);
            if (g == Glyph::AlbumPlus) {
                p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(12, 11.5), QPointF(12, 17.5));
                p.drawLine(QPointF(9, 14.5), QPointF(15, 14.5));
            } else {
                p.drawLine(QPointF(4, 11.5), QPointF(20, 11.5));
            }
            break;
        case Glyph::Photos:
            for (int i = 0; i < 4; ++i) {
                const QRectF r(3.5 + (i % 2) * 9, 3.5 + (i / 2) * 9, 8, 8);
                p.drawRoundedRect(r, 1.6, 1.6);
            }
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawRoundedRect(QRectF(12.5, 12.5, 8, 8), 1.6, 1.6);
            break;
        case Glyph::Import:
            AddPolyline(path, {{4, 14}, {4, 19.5}, {20, 19.5}, {20, 14}});
            path.moveTo(12, 3.5);
            path.lineTo(12, 14.5);
            Arrow(path, QPointF(12, 15), 90, 5.5);
            p.drawPath(path);
            break;
        case Glyph::Edit:
            Picture(p, QRectF(3, 5, 14, 12), ink, 1.6);
            p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(13.5, 20.5), QPointF(21, 13));
            break;
        case Glyph::Decorate: {
            QPainterPath star;
            for (int i = 0; i < 10; ++i) {
                const qreal r = i % 2 ? 3.6 : 8.5;
                const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
                const QPointF pt(12 + r * qCos(a), 12.5 + r * qSin(a));
                if (i == 0)
                    star.moveTo(pt);
                else
                    star.lineTo(pt);
            }
            star.closeSubpath();
            p.drawPath(star);
            p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(19.5, 2.5), QPointF(19.5, 6.5));
            p.drawLine(QPointF(17.5, 4.5), QPointF(21.5, 4.5));
            break;
        }
        case Glyph::Undo:
        case Glyph::Redo: {
            p.save();
            if (g == Glyph::Redo) {
                p.translate(24, 0);
                p.scale(-1, 1);
            }
            path.moveTo(6, 9);
            path.lineTo(15, 9);
            path.cubicTo(22, 9, 22, 19.5, 15, 19.5);
            path.lineTo(9, 19.5);
            Arrow(path, QPointF(5.5, 9), 180, 4.5);
            p.drawPath(path);
            p.restore();
            break;
        }
        case Glyph::RotateLeft:
        case Glyph::RotateRight: {
            p.save();
            if (g == Glyph::RotateRight) {
                p.translate(24, 0);
                p.scale(-1, 1);
            }
            p.drawRoundedRect(QRectF(9, 10, 11, 10), 1.5, 1.5);
            path.moveTo(4.5, 14);
            path.cubicTo(4.5, 7, 8, 4.5, 13, 4.5);
            Arrow(path, QPointF(13.5, 4.5), 0, 3.8);
            p.drawPath(path);
            p.restore();
            break;
        }
        case Glyph::Mirror:
        case Glyph::Flip: {
            p.save();
            if (g == Glyph::Flip) {
                p.translate(12, 12);
                p.rotate(90);
                p.translate(-12, -12);
            }
            QPainterPath left;
            AddPolyline(left, {{10, 4}, {10, 20}, {3, 20}}, true);
            p.setBrush(ink);
            p.drawPath(left);
            p.setBrush(Qt::NoBrush);
            QPainterPath right;
            AddPolyline(right, {{14, 4}, {14, 20}, {21, 20}}, true);
            p.drawPath(right);
            p.restore();
            break;
        }
        case Glyph::Crop:
            AddPolyline(path, {{7, 2.5}, {7, 17}, {21.5, 17}});
            AddPolyline(path, {{2.5, 7}, {17, 7}, {17, 21.5}});
            p.drawPath(path);
            break;
        case Glyph::Screen:
            p.drawRoundedRect(QRectF(6.5, 2.5, 11, 19), 2.2, 2.2);
            p.drawLine(QPointF(10.5, 18.5), QPointF(13.5, 18.5));
            p.setPen(QPen(ink, 1.1));
            p.drawRect(QRectF(8.5, 5, 7, 10.5));
            break;
        case Glyph::Brightness:
            p.drawEllipse(QPointF(12, 12), 4.6, 4.6);
            for (int i = 0; i < 8; ++i) {
                const qreal a = qDegreesToRadians(i * 45.0);
                p.drawLine(QPointF(12 + 7.5 * qCos(a), 12 + 7.5 * qSin(a)),
                           QPointF(12 + 10 * qCos(a), 12 + 10 * qSin(a)));
            }
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPie(QRectF(7.4, 7.4, 9.2, 9.2), 90 * 16, 180 * 16);
            break;
        case Glyph::Text:
            AddPolyline(path, {{5, 7}, {5, 4.5}, {19, 4.5}, {19, 7}});
            path.moveTo(12, 4.5);
            path.lineTo(12, 19.5);
            path.moveTo(9, 19.5);
            path.lineTo(15, 19.5);
            p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
            break;
        case Glyph::Bold:
        case Glyph::Italic:
        case Glyph::Underline:
        case Glyph::Shadow: {
            QFont f = Face(18, g == Glyph::Bold ? QFont::Black : QFont::Bold);
            f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
            f.setItalic(g == Glyph::Italic);
            QString letter = g == Glyph::Bold        ? QStringLiteral("B")
                             : g == Glyph::Italic    ? QStringLiteral("I")
                             : g == Glyph::Underline ? QStringLiteral("U")
                                                     : QStringLiteral("S");
            p.setFont(f);
            const QRectF r(0, -1.5, 24, 22);
            if (g == Glyph::Shadow) {
                QColor shade = ink;
                shade.setAlpha(110);
                p.setPen(shade);
                p.drawText(r.translated(1.8, 1.8), Qt::AlignCenter, letter);
            }
            p.setPen(ink);
            p.drawText(r, Qt::AlignCenter, letter);
            if (g == Glyph::Underline) {
                p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(6.5, 21.5), QPointF(17.5, 21.5));
            }
            break;
        }
        case Glyph::ArrowLeft:
        case Glyph::ArrowRight: {
            const bool left = g == Glyph::ArrowLeft;
            p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            AddPolyline(path, {{left ? 14.5 : 9.5, 5}, {left ? 7.5 : 16.5, 12}, {left ? 14.5 : 9.5, 19}});
            p.drawPath(path);
            break;
        }
        case Glyph::Save:
            AddPolyline(path, {{4, 4}, {16.5, 4}, {20, 7.5}, {20, 20}, {4, 20}}, true);
            p.drawPath(path);
            p.drawRect(QRectF(8, 4, 7, 4.8));
            p.drawRoundedRect(QRectF(7.5, 12.5, 9, 7.5), 1, 1);
            break;
        case Glyph::Print:
            p.drawRect(QRectF(7, 3.5, 10, 5.5));
            p.drawRoundedRect(QRectF(3.5, 9, 17, 8.5), 2, 2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(7, 14, 10, 6.5));
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(17.2, 11.8), 1, 1);
            break;
        case Glyph::Play:
            AddPolyline(path, {{8, 5}, {19, 12}, {8, 19}}, true);
            p.setBrush(ink);
            p.drawPath(path);
            break;
        case Glyph::Stop:
            p.setBrush(ink);
            p.drawRoundedRect(QRectF(6.5, 6.5, 11, 11), 1.8, 1.8);
            break;
        case Glyph::PictureSmall:
            Picture(p, QRectF(7, 8, 10, 8.5), ink, 1.5);
            break;
        case Glyph::PictureLarge:
            Picture(p, QRectF(3, 4, 18, 16), ink, 1.7);
            break;
        case Glyph::Minimise:
            p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(6, 17), QPointF(18, 17));
            break;
        case Glyph::Maximise:
            p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(QRectF(6, 6, 12, 12));
            p.drawLine(QPointF(6, 7), QPointF(18, 7));
            break;
        case Glyph::Restore:
            p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(QRectF(5, 9, 10, 10));
            AddPolyline(path, {{9, 9}, {9, 5}, {19, 5}, {19, 15}, {15, 15}});
            p.drawPath(path);
            break;
        case Glyph::Close:
            p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(6.5, 6.5), QPointF(17.5, 17.5));
            p.drawLine(QPointF(17.5, 6.5), QPointF(6.5, 17.5));
            break;
        case Glyph::ChevronDown:
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            AddPolyline(path, {{5, 8}, {19, 8}, {12, 17}}, true);
            p.drawPath(path);
            break;
    }
    p.restore();
}

// ---- skinned buttons ---------------------------------------------------------------------

QImage SkinStrip(QSize cell, const SkinContent& content, const QColor& matte, qreal radius, bool flat) {
    const int w = cell.width();
    const int h = cell.height();
    QImage drawing = Canvas(w * 5, h);
    QPainter p;
    Begin(p, drawing);
    for (int state = 0; state < 5; ++state) {
        const QRectF face(state * w + 0.5, 0.5, w - 1.0, h - 1.0);
        QColor top, bottom, border, ink = pal::ink;
        switch (state) {
            case kNormal:
                top = flat ? QColor(0xF2, 0xF4, 0xF7) : QColor(0xFD, 0xFD, 0xFE);
                bottom = flat ? QColor(0xEA, 0xED, 0xF1) : QColor(0xEC, 0xEE, 0xF1);
                border = flat ? QColor(0xDD, 0xE1, 0xE6) : pal::lineMid;
                break;
            case kPressed:
                top = QColor(0xD4, 0xE4, 0xFF);
                bottom = QColor(0xE4, 0xEE, 0xFF);
                border = pal::accent;
                ink = pal::accentDark;
                break;
            case kHover:
                top = QColor(0xFF, 0xFF, 0xFE);
                bottom = QColor(0xEE, 0xF4, 0xFF);
                border = pal::accentLine;
                ink = pal::accentDark;
                break;
            case kFocus:
                top = flat ? QColor(0xF2, 0xF4, 0xF7) : QColor(0xFD, 0xFD, 0xFE);
                bottom = flat ? QColor(0xEA, 0xED, 0xF1) : QColor(0xEC, 0xEE, 0xF1);
                border = pal::accent;
                break;
            default:
                top = QColor(0xF5, 0xF6, 0xF7);
                bottom = QColor(0xF1, 0xF2, 0xF4);
                border = QColor(0xD8, 0xDB, 0xDF);
                ink = pal::inkOff;
                break;
        }
        FillGradient(p, face, top, bottom, radius);
        p.setPen(QPen(border, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face, radius, radius);
        if (state == kFocus) {
            QColor ring = pal::accent;
            ring.setAlpha(70);
            p.setPen(QPen(ring, 1.0));
            p.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
        }
        if (state == kPressed) {
            QColor shade(0, 40, 120, 30);
            p.setPen(QPen(shade, 1.0));
            p.drawLine(QPointF(face.left() + radius, face.top() + 1.5),
                       QPointF(face.right() - radius, face.top() + 1.5));
        }
        const QRectF inner =
            face.adjusted(2, 2, -2, -2).translated(state == kPressed ? 0.0 : 0.0, state == kPressed ? 1.0 : 0.0);
        if (content) content(p, inner, ink, state);
    }
    p.end();
    return Keyed(drawing, kWhite, Solid(w * 5, h, matte));
}

SkinContent GlyphOnly(Glyph g, qreal size) {
    return [g, size](QPainter& p, const QRectF& face, const QColor& ink, int) {
        const QRectF box(face.center().x() - size / 2, face.center().y() - size / 2, size, size);
        DrawGlyph(p, g, box, ink);
    };
}

SkinContent LabelOnly(const QString& text, qreal px) {
    return [text, px](QPainter& p, const QRectF& face, const QColor& ink, int) {
        p.setFont(Face(px));
        p.setPen(ink);
        p.drawText(face, Qt::AlignCenter, text);
    };
}

SkinContent GlyphLabel(Glyph g, const QString& text, qreal glyphSize) {
    return [g, text, glyphSize](QPainter& p, const QRectF& face, const QColor& ink, int state) {
        const QFont f = Face(12, QFont::Bold);
        const qreal tw = QFontMetricsF(f).horizontalAdvance(text);
        const qreal total = glyphSize + 3 + tw;
        const qreal x = face.center().x() - total / 2;
        DrawGlyph(p, g, QRectF(x, face.center().y() - glyphSize / 2, glyphSize, glyphSize),
                  state == kNormal || state == kFocus ? pal::accent : ink);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(QRectF(x + glyphSize + 3, face.top(), tw + 2, face.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   text);
    };
}

SkinContent GlyphOverLabel(Glyph g, const QString& text, qreal glyphSize) {
    return [g, text, glyphSize](QPainter& p, const QRectF& face, const QColor& ink, int state) {
        const QRectF box(face.center().x() - glyphSize / 2, face.top() + 3, glyphSize, glyphSize);
        DrawGlyph(p, g, box, state == kNormal || state == kFocus ? pal::accent : ink);
        p.setFont(Face(11));
        p.setPen(ink);
        p.drawText(QRectF(face.left(), box.bottom() + 1, face.width(), face.bottom() - box.bottom() - 1),
                   Qt::AlignHCenter | Qt::AlignTop, text);
    };
}

}  // namespace art
