#include "platform/lurvane/gen/FrameArt.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <random>

#include "platform/lurvane/LurvaneFormat.h"

namespace framegen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Placement that comes out the same on every build, so the data files do not change unless
// the drawing does.
class Dice {
public:
    explicit Dice(unsigned seed) : rng_(seed) {}
    double Between(double low, double high) { return low + (high - low) * (rng_() / 4294967296.0); }
    int Pick(int count) { return static_cast<int>(rng_() % static_cast<unsigned>(count)); }

private:
    std::mt19937 rng_;
};

struct Canvas {
    double w;
    double h;
    double s;  // scale: the designs are laid out for a 240-pixel short side
    QRectF Full() const { return QRectF(0, 0, w, h); }
    bool Portrait() const { return h >= w; }
    // A line drawn over the transparent middle must stay unbroken once the colour key cuts
    // away pixels less than half covered, on the smallest screens too.
    double Line(double width) const { return std::max(1.4, width * s); }
};

// A band between the picture's edge and a rounded opening.
QPainterPath Band(const Canvas& c, double width, double radius) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRect(c.Full());
    path.addRoundedRect(c.Full().adjusted(width, width, -width, -width), radius, radius);
    return path;
}

// The border band filled with brush, no outline.
void FillBand(QPainter& p, const Canvas& c, double width, double radius, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(Band(c, width, radius));
}

// A linear gradient from `from` to `to` through the given stops.
QLinearGradient Gradient(QPointF from, QPointF to, std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient g(from, to);
    for (const auto& [at, colour] : stops) g.setColorAt(at, colour);
    return g;
}

// A point on the outline of r, t in [0, 1) going clockwise from the top-left corner.
QPointF AlongOutline(const QRectF& r, double t) {
    const double perimeter = 2 * (r.width() + r.height());
    double d = std::fmod(std::max(0.0, t), 1.0) * perimeter;
    if (d < r.width()) return {r.left() + d, r.top()};
    d -= r.width();
    if (d < r.height()) return {r.right(), r.top() + d};
    d -= r.height();
    if (d < r.width()) return {r.right() - d, r.bottom()};
    d -= r.width();
    return {r.left(), r.bottom() - d};
}

QPainterPath Heart(QPointF centre, double size) {
    const double x = centre.x(), y = centre.y(), k = size / 2;
    QPainterPath path;
    path.moveTo(x, y + k * 0.95);
    path.cubicTo(x - k * 1.35, y + k * 0.05, x - k * 1.05, y - k * 1.1, x, y - k * 0.45);
    path.cubicTo(x + k * 1.05, y - k * 1.1, x + k * 1.35, y + k * 0.05, x, y + k * 0.95);
    path.closeSubpath();
    return path;
}

QPainterPath Star(QPointF centre, double outer, double inner, int points, double turn) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn - kPi / 2 + i * kPi / points;
        const double r = i % 2 ? inner : outer;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// Five broad, pointed lobes parted by narrow notches, with fine teeth; the stem points down
// before turning.
QPainterPath MapleLeaf(QPointF centre, double size, double turn) {
    QPainterPath path;
    constexpr int kSteps = 240;
    for (int i = 0; i <= kSteps; ++i) {
        const double phi = 2 * kPi * i / kSteps;  // 0 at the top lobe's tip
        const double tip = (1 + std::cos(5 * phi)) / 2;
        const double notch = std::pow((1 - std::cos(5 * phi)) / 2, 8);
        const double teeth = 0.05 * std::fabs(std::sin(20 * phi));
        double r = size * (0.72 + 0.28 * std::pow(tip, 3) - 0.5 * notch + teeth);
        // The lobes beside the stem are smaller, the notch at the stem deepest.
        const double down = std::max(0.0, -std::cos(phi));
        r *= 1 - 0.3 * down * down;
        const double a = phi - kPi / 2 + turn;
        const QPointF p(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

void FillGem(QPainter& p, QPointF centre, double r, QColor colour) {
    QRadialGradient g(centre - QPointF(r * 0.35, r * 0.35), r * 1.4);
    g.setColorAt(0, colour.lighter(190));
    g.setColorAt(0.45, colour);
    g.setColorAt(1, colour.darker(170));
    p.setPen(QPen(colour.darker(220), std::max(1.0, r * 0.18)));
    p.setBrush(g);
    p.drawEllipse(centre, r, r);
}

// ---------------------------------------------------------------------------------------------

// A gilded picture frame with a groove, a bright inner lip and jewelled corner pieces.
void DrawGoldClassic(QPainter& p, const Canvas& c) {
    const double b = 17 * c.s;
    const QLinearGradient gold = Gradient(QPointF(0, 0), QPointF(c.w, c.h),
                                          {{0.00, QColor(0x7a, 0x5a, 0x1e)},
                                           {0.22, QColor(0xe8, 0xc8, 0x67)},
                                           {0.45, QColor(0xa8, 0x80, 0x2a)},
                                           {0.70, QColor(0xf3, 0xdc, 0x8a)},
                                           {1.00, QColor(0x80, 0x60, 0x20)}});
    FillBand(p, c, b, 3 * c.s, gold);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4a, 0x35, 0x10), 2 * c.s));
    p.drawRect(c.Full().adjusted(c.s, c.s, -c.s, -c.s));
    p.setPen(QPen(QColor(0x6b, 0x4e, 0x17), 1.2 * c.s));
    p.drawRect(c.Full().adjusted(b * 0.42, b * 0.42, -b * 0.42, -b * 0.42));
    p.setPen(QPen(QColor(0xff, 0xf4, 0xc8), 1.2 * c.s));
    p.drawRect(
        c.Full().adjusted(b * 0.42 + 1.2 * c.s, b * 0.42 + 1.2 * c.s, -b * 0.42 - 1.2 * c.s, -b * 0.42 - 1.2 * c.s));
    const QRectF opening = c.Full().adjusted(b, b, -b, -b);
    p.setPen(QPen(QColor(0xff, 0xf2, 0xc0), 2.2 * c.s));
    p.drawRoundedRect(opening.adjusted(-1.1 * c.s, -1.1 * c.s, 1.1 * c.s, 1.1 * c.s), 3 * c.s, 3 * c.s);
    p.setPen(QPen(QColor(0x5a, 0x40, 0x12), 1.2 * c.s));
    p.drawRoundedRect(opening, 3 * c.s, 3 * c.s);

    // Corner pieces reach a little over the picture, as on a real gilt frame.
    auto cornerPiece = [&](QPointF at) {
        const double r = b * 1.05;
        QPainterPath diamond;
        diamond.moveTo(at.x(), at.y() - r);
        diamond.quadTo(at.x() + r * 0.25, at.y() - r * 0.25, at.x() + r, at.y());
        diamond.quadTo(at.x() + r * 0.25, at.y() + r * 0.25, at.x(), at.y() + r);
        diamond.quadTo(at.x() - r * 0.25, at.y() + r * 0.25, at.x() - r, at.y());
        diamond.quadTo(at.x() - r * 0.25, at.y() - r * 0.25, at.x(), at.y() - r);
        p.setPen(QPen(QColor(0x4a, 0x35, 0x10), 1.3 * c.s));
        p.setBrush(gold);
        p.drawPath(diamond);
        FillGem(p, at, r * 0.36, QColor(0xb3, 0x12, 0x2e));
    };
    const double k = b * 0.75;
    cornerPiece({k, k});
    cornerPiece({c.w - k, k});
    cornerPiece({k, c.h - k});
    cornerPiece({c.w - k, c.h - k});
    // Small sapphires halfway along each side.
    for (QPointF at : {QPointF(c.w / 2, b / 2), QPointF(c.w / 2, c.h - b / 2), QPointF(b / 2, c.h / 2),
                       QPointF(c.w - b / 2, c.h / 2)})
        FillGem(p, at, b * 0.24, QColor(0x1a, 0x3f, 0xa8));
}

// A pink band with a lace edge and hearts, larger hearts in the corners.
void DrawHearts(QPainter& p, const Canvas& c) {
    const double b = 17 * c.s;
    FillBand(p, c, b, 0,
             Gradient(QPointF(0, 0), QPointF(0, c.h), {{0, QColor(0xf8, 0xb4, 0xcc)}, {1, QColor(0xf0, 0x6e, 0x9a)}}));

    // Lace: white scallops on the opening's edge, each with a small hole.
    const QRectF edge = c.Full().adjusted(b, b, -b, -b);
    const double r = 3.6 * c.s;
    const double perimeter = 2 * (edge.width() + edge.height());
    const int scallops = static_cast<int>(perimeter / (2 * r * 1.05));
    for (int i = 0; i < scallops; ++i) {
        const QPointF at = AlongOutline(edge, (i + 0.5) / scallops);
        p.setBrush(QColor(0xff, 0xfb, 0xfd));
        p.drawEllipse(at, r, r);
    }
    for (int i = 0; i < scallops; ++i) {
        const QPointF at = AlongOutline(edge, (i + 0.5) / scallops);
        p.setBrush(QColor(0xf4, 0x8f, 0xb1));
        p.drawEllipse(at, r * 0.4, r * 0.4);
    }

    // Small hearts along the middle of the band, red and white in turn.
    const QRectF middle = c.Full().adjusted(b * 0.45, b * 0.45, -b * 0.45, -b * 0.45);
    const double mPerimeter = 2 * (middle.width() + middle.height());
    const int hearts = static_cast<int>(mPerimeter / (24 * c.s));
    for (int i = 0; i < hearts; ++i) {
        const QPointF at = AlongOutline(middle, (i + 0.5) / hearts);
        p.setBrush(i % 2 ? QColor(0xff, 0xff, 0xff) : QColor(0xd8, 0x1b, 0x60));
        p.setPen(QPen(QColor(0xad, 0x14, 0x57), 0.9 * c.s));
        p.drawPath(Heart(at, 8.5 * c.s));
    }

    auto bigHeart = [&](QPointF at, double turn) {
        p.save();
        p.translate(at);
        p.rotate(turn);
        const QPainterPath heart = Heart({0, 0}, 30 * c.s);
        QRadialGradient g(QPointF(-6 * c.s, -7 * c.s), 22 * c.s);
        g.setColorAt(0, QColor(0xff, 0x80, 0xa8));
        g.setColorAt(0.5, QColor(0xe0, 0x1e, 0x5a));
        g.setColorAt(1, QColor(0xa0, 0x0c, 0x3c));
        p.setPen(QPen(QColor(0xff, 0xff, 0xff), 2.2 * c.s));
        p.setBrush(g);
        p.drawPath(heart);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xd6, 0xe4));
        p.drawEllipse(QPointF(-6.5 * c.s, -6 * c.s), 3 * c.s, 2 * c.s);
        p.restore();
    };
    bigHeart({b * 1.05, b * 1.05}, -18);
    bigHeart({c.w - b * 1.05, c.h - b * 1.05}, 18);
    p.save();
    p.setPen(QPen(QColor(0xad, 0x14, 0x57), 0.9 * c.s));
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawPath(Heart({c.w - b * 1.0, b * 1.0}, 16 * c.s));
    p.drawPath(Heart({b * 1.0, c.h - b * 1.0}, 16 * c.s));
    p.restore();
}

// A night-blue band strewn with stars, a crescent moon and a shooting star.
void DrawStarryNight(QPainter& p, const Canvas& c) {
    const double b = 16 * c.s;
    FillBand(p, c, b, 4 * c.s,
             Gradient(QPointF(0, 0), QPointF(0, c.h), {{0, QColor(0x0b, 0x16, 0x3f)}, {1, QColor(0x2b, 0x3f, 0x94)}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xd5, 0x4f), 1.5 * c.s));
    p.drawRoundedRect(c.Full().adjusted(b, b, -b, -b), 4 * c.s, 4 * c.s);

    Dice dice(7);
    const QColor colours[] = {QColor(0xff, 0xf5, 0x9d), QColor(0xff, 0xff, 0xff), QColor(0xff, 0xd5, 0x4f)};
    const QRectF track = c.Full().adjusted(b * 0.5, b * 0.5, -b * 0.5, -b * 0.5);
    const int stars = static_cast<int>(2 * (c.w + c.h) / (11 * c.s));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < stars; ++i) {
        QPointF at = AlongOutline(track, (i + dice.Between(0.1, 0.9)) / stars);
        at += QPointF(dice.Between(-0.3, 0.3) * b, dice.Between(-0.3, 0.3) * b);
        const double r = dice.Between(2.2, 5.5) * c.s;
        p.setBrush(colours[dice.Pick(3)]);
        p.drawPath(Star(at, r, r * 0.42, dice.Pick(3) == 0 ? 4 : 5, dice.Between(-0.3, 0.3)));
    }

    // The moon sits in the top-right corner, over the band's corner and a little over the picture.
    const QPointF moon(c.w - b * 1.35, b * 1.35);
    const double mr = 15 * c.s;
    QPainterPath disc, bite, crescent;
    disc.addEllipse(moon, mr, mr);
    bite.addEllipse(moon + QPointF(-mr * 0.45, -mr * 0.2), mr * 0.85, mr * 0.85);
    crescent = disc.subtracted(bite);
    QRadialGradient glow(moon, mr);
    glow.setColorAt(0, QColor(0xff, 0xfb, 0xd8));
    glow.setColorAt(1, QColor(0xff, 0xe0, 0x70));
    p.setPen(QPen(QColor(0xc8, 0x9b, 0x00), 1.2 * c.s));
    p.setBrush(glow);
    p.drawPath(crescent);

    // A shooting star across the bottom-left corner.
    const QPointF head(b * 2.2, c.h - b * 1.6);
    QPainterPath tail;
    tail.moveTo(head + QPointF(0, -2.2 * c.s));
    tail.lineTo(head + QPointF(-b * 1.8, -b * 0.9));
    tail.lineTo(head + QPointF(0, 2.2 * c.s));
    tail.closeSubpath();
    QLinearGradient fade(head, head + QPointF(-b * 1.8, -b * 0.9));
    fade.setColorAt(0, QColor(0xff, 0xf5, 0x9d));
    fade.setColorAt(1, QColor(0xff, 0xb3, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawPath(tail);
    p.setPen(QPen(QColor(0xc8, 0x9b, 0x00), 1 * c.s));
    p.setBrush(QColor(0xff, 0xf8, 0xc0));
    p.drawPath(Star(head, 8 * c.s, 3.4 * c.s, 5, 0.2));
}

// Film stock: dark strips with sprocket holes along the long sides and edge markings.
void DrawFilmStrip(QPainter& p, const Canvas& c) {
    const double f = 22 * c.s;   // strip width
    const double end = 7 * c.s;  // bars on the short sides
    const bool alongHeight = c.Portrait();
    const double length = alongHeight ? c.h : c.w;

    QPainterPath film;
    film.setFillRule(Qt::OddEvenFill);
    film.addRect(c.Full());
    const QRectF window = alongHeight ? c.Full().adjusted(f, end, -f, -end) : c.Full().adjusted(end, f, -end, -f);
    film.addRoundedRect(window, 5 * c.s, 5 * c.s);
    QLinearGradient base(0, 0, alongHeight ? c.w : 0, alongHeight ? 0 : c.h);
    base.setColorAt(0, QColor(0x1c, 0x1a, 0x18));
    base.setColorAt(0.5, QColor(0x2c, 0x29, 0x26));
    base.setColorAt(1, QColor(0x1c, 0x1a, 0x18));
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawPath(film);

    // Sprocket holes, evenly spread so both ends look the same.
    const double pitch = 0.56 * f;
    const int holes = static_cast<int>(length / pitch);
    const double first = (length - (holes - 1) * pitch) / 2;
    const double across = 0.40 * f, along = 0.30 * f;
    p.setBrush(QColor(0xf2, 0xee, 0xe4));
    for (int i = 0; i < holes; ++i) {
        const double t = first + i * pitch;
        for (double side : {f * 0.40, (alongHeight ? c.w : c.h) - f * 0.40}) {
            const QPointF centre = alongHeight ? QPointF(side, t) : QPointF(t, side);
            const QSizeF size = alongHeight ? QSizeF(across, along) : QSizeF(along, across);
            p.drawRoundedRect(QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size), 1.2 * c.s,
                              1.2 * c.s);
        }
    }
    // Amber edge markings between the holes and the picture.
    p.setBrush(QColor(0xe8, 0xa0, 0x30));
    for (int i = 2; i < holes - 1; i += 4) {
        const double t = first + i * pitch;
        const double inner = f * 0.84;
        QPainterPath mark;
        if (alongHeight) {
            mark.moveTo(inner, t - 2.5 * c.s);
            mark.lineTo(inner + 2.6 * c.s, t);
            mark.lineTo(inner, t + 2.5 * c.s);
        } else {
            mark.moveTo(t - 2.5 * c.s, c.h - inner);
            mark.lineTo(t, c.h - inner - 2.6 * c.s);
            mark.lineTo(t + 2.5 * c.s, c.h - inner);
        }
        mark.closeSubpath();
        p.drawPath(mark);
        const QRectF code = alongHeight ? QRectF(c.w - inner - 1.8 * c.s, t - 4 * c.s, 1.8 * c.s, 8 * c.s)
                                        : QRectF(t - 4 * c.s, inner, 8 * c.s, 1.8 * c.s);
        p.drawRect(code);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x0a, 0x0a, 0x0a), 1.4 * c.s));
    p.drawRoundedRect(window, 5 * c.s, 5 * c.s);
}

void DrawBlossom(QPainter& p, QPointF at, double r, double turn, const Canvas& c) {
    p.save();
    p.translate(at);
    p.rotate(turn);
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.rotate(i * 72);
        QRadialGradient petal(QPointF(0, -r * 0.2), r * 0.9);
        petal.setColorAt(0, QColor(0xff, 0xf0, 0xf5));
        petal.setColorAt(1, QColor(0xf4, 0x8f, 0xb1));
        p.setPen(QPen(QColor(0xd8, 0x6a, 0x92), 0.7 * c.s));
        p.setBrush(petal);
        QPainterPath shape;
        shape.moveTo(0, 0);
        shape.cubicTo(-r * 0.62, -r * 0.35, -r * 0.5, -r * 1.0, -r * 0.12, -r * 0.95);
        shape.lineTo(0, -r * 0.82);
        shape.lineTo(r * 0.12, -r * 0.95);
        shape.cubicTo(r * 0.5, -r * 1.0, r * 0.62, -r * 0.35, 0, 0);
        p.drawPath(shape);
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc2, 0x18, 0x5b));
    for (int i = 0; i < 5; ++i) {
        const double a = (i * 72 + 36) * kPi / 180;
        p.drawEllipse(QPointF(r * 0.3 * std::sin(a), -r * 0.3 * std::cos(a)), 0.9 * c.s, 0.9 * c.s);
    }
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawEllipse(QPointF(0, 0), r * 0.16, r * 0.16);
    p.restore();
}

// Cherry-blossom branches reaching in from two corners over a thin white border.
void DrawSpringBlossom(QPainter& p, const Canvas& c) {
    const double b = 6 * c.s;
    FillBand(p, c, b, 4 * c.s, QColor(0xff, 0xfa, 0xfc));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xf0, 0x9c, 0xbc), 1.5 * c.s));
    p.drawRoundedRect(c.Full().adjusted(b, b, -b, -b), 4 * c.s, 4 * c.s);

    // Each branch is laid out for the top-left corner and turned into place for the other.
    auto branch = [&](bool mirrored) {
        p.save();
        if (mirrored) {
            p.translate(c.w, c.h);
            p.rotate(180);
        }
        QPainterPath wood;
        wood.moveTo(-4 * c.s, 58 * c.s);
        wood.cubicTo(20 * c.s, 40 * c.s, 40 * c.s, 30 * c.s, 96 * c.s, 8 * c.s);
        QPainterPath twig;
        twig.moveTo(30 * c.s, 36 * c.s);
        twig.cubicTo(36 * c.s, 48 * c.s, 44 * c.s, 56 * c.s, 58 * c.s, 60 * c.s);
        QPainterPath twig2;
        twig2.moveTo(60 * c.s, 22 * c.s);
        twig2.cubicTo(66 * c.s, 12 * c.s, 70 * c.s, 6 * c.s, 78 * c.s, -2 * c.s);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x4e, 0x34, 0x2e), 5 * c.s, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wood);
        p.setPen(QPen(QColor(0x5d, 0x40, 0x37), 2.6 * c.s, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(twig);
        p.drawPath(twig2);
        p.setPen(QPen(QColor(0x79, 0x55, 0x48), 1.4 * c.s, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wood.translated(0, -1.5 * c.s));

        DrawBlossom(p, {14 * c.s, 46 * c.s}, 11 * c.s, 10, c);
        DrawBlossom(p, {38 * c.s, 28 * c.s}, 13 * c.s, 40, c);
        DrawBlossom(p, {58 * c.s, 60 * c.s}, 10 * c.s, 20, c);
        DrawBlossom(p, {70 * c.s, 16 * c.s}, 9 * c.s, 0, c);
        DrawBlossom(p, {96 * c.s, 8 * c.s}, 8 * c.s, 30, c);
        // Buds: a pink drop in a small green cup.
        for (QPointF bud : {QPointF(26 * c.s, 56 * c.s), QPointF(82 * c.s, 18 * c.s), QPointF(48 * c.s, 50 * c.s)}) {
            QPainterPath drop;
            drop.moveTo(bud + QPointF(0, -4.5 * c.s));
            drop.cubicTo(bud + QPointF(3.6 * c.s, -1.5 * c.s), bud + QPointF(3 * c.s, 3 * c.s),
                         bud + QPointF(0, 3 * c.s));
            drop.cubicTo(bud + QPointF(-3 * c.s, 3 * c.s), bud + QPointF(-3.6 * c.s, -1.5 * c.s),
                         bud + QPointF(0, -4.5 * c.s));
            p.setPen(QPen(QColor(0xad, 0x14, 0x57), 0.7 * c.s));
            p.setBrush(QColor(0xec, 0x40, 0x7a));
            p.drawPath(drop);
            QPainterPath cup;
            cup.moveTo(bud + QPointF(-2.8 * c.s, 1.2 * c.s));
            cup.quadTo(bud + QPointF(0, 6 * c.s), bud + QPointF(2.8 * c.s, 1.2 * c.s));
            cup.quadTo(bud + QPointF(0, 3.2 * c.s), bud + QPointF(-2.8 * c.s, 1.2 * c.s));
            p.setPen(QPen(QColor(0x33, 0x69, 0x1e), 0.6 * c.s));
            p.setBrush(QColor(0x68, 0x9f, 0x38));
            p.drawPath(cup);
        }
        p.restore();
    };
    branch(false);
    branch(true);

    // Loose petals drifting along the other two corners.
    Dice dice(11);
    p.setPen(QPen(QColor(0xd8, 0x6a, 0x92), 0.6 * c.s));
    p.setBrush(QColor(0xf8, 0xbb, 0xd0));
    for (int i = 0; i < 14; ++i) {
        const bool topRight = i % 2 == 0;
        const double x = topRight ? c.w - dice.Between(8, 70) * c.s : dice.Between(8, 70) * c.s;
        const double y = topRight ? dice.Between(8, 26) * c.s : c.h - dice.Between(8, 26) * c.s;
        p.save();
        p.translate(x, y);
        p.rotate(dice.Between(0, 180));
        p.drawEllipse(QPointF(0, 0), 3.4 * c.s, 2 * c.s);
        p.restore();
    }
}

// The seaside: a sun with rays, a pair of gulls and rolling waves along the bottom.
void DrawSummerSea(QPainter& p, const Canvas& c) {
    const double b = 5 * c.s;
    FillBand(p, c, b, 4 * c.s, QColor(0x4d, 0xd0, 0xe1));

    // Waves: three layers, each a sine line closed along the bottom edge.
    auto wave = [&](double top, double amplitude, double period, double phase, QColor fill, QColor crest) {
        QPainterPath path;
        path.moveTo(0, c.h);
        for (double x = 0; x <= c.w + 1; x += 1)
            path.lineTo(x, top + amplitude * std::sin(2 * kPi * x / period + phase));
        path.lineTo(c.w, c.h);
        path.closeSubpath();
        QLinearGradient g(0, top - amplitude, 0, c.h);
        g.setColorAt(0, fill.lighter(115));
        g.setColorAt(1, fill.darker(130));
        p.setPen(QPen(crest, 1.8 * c.s));
        p.setBrush(g);
        p.drawPath(path);
    };
    wave(c.h - 36 * c.s, 4 * c.s, 64 * c.s, 0.0, QColor(0x81, 0xd4, 0xfa), QColor(0xff, 0xff, 0xff));
    wave(c.h - 26 * c.s, 4.5 * c.s, 52 * c.s, 1.7, QColor(0x1e, 0x88, 0xe5), QColor(0xe1, 0xf5, 0xfe));
    wave(c.h - 15 * c.s, 3.5 * c.s, 44 * c.s, 3.1, QColor(0x15, 0x65, 0xc0), QColor(0xb3, 0xe5, 0xfc));

    const QPointF sun(c.w - 30 * c.s, 30 * c.s);
    const double r = 15 * c.s;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xb3, 0x00));
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        QPainterPath ray;
        ray.moveTo(sun + QPointF(std::cos(a - 0.13) * r * 1.15, std::sin(a - 0.13) * r * 1.15));
        ray.lineTo(sun + QPointF(std::cos(a) * r * (i % 2 ? 1.6 : 1.9), std::sin(a) * r * (i % 2 ? 1.6 : 1.9)));
        ray.lineTo(sun + QPointF(std::cos(a + 0.13) * r * 1.15, std::sin(a + 0.13) * r * 1.15));
        ray.closeSubpath();
        p.drawPath(ray);
    }
    QRadialGradient g(sun - QPointF(r * 0.3, r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(0xff, 0xf9, 0xc4));
    g.setColorAt(0.6, QColor(0xff, 0xd5, 0x4f));
    g.setColorAt(1, QColor(0xff, 0xa0, 0x00));
    p.setPen(QPen(QColor(0xf5, 0x7c, 0x00), 1.2 * c.s));
    p.setBrush(g);
    p.drawEllipse(sun, r, r);

    auto gull = [&](QPointF at, double span) {
        QPainterPath wings;
        wings.moveTo(at + QPointF(-span, -span * 0.2));
        wings.quadTo(at + QPointF(-span * 0.5, -span * 0.75), at);
        wings.quadTo(at + QPointF(span * 0.5, -span * 0.75), at + QPointF(span, -span * 0.2));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x37, 0x47, 0x4f), c.Line(1.8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(wings);
    };
    gull(sun + QPointF(-44 * c.s, 8 * c.s), 7 * c.s);
    gull(sun + QPointF(-62 * c.s, 20 * c.s), 5 * c.s);
}

// Falling maple leaves over a warm wooden border.
void DrawAutumnLeaves(QPainter& p, const Canvas& c) {
    const double b = 8 * c.s;
    FillBand(p, c, b, 3 * c.s,
             Gradient(QPointF(0, 0), QPointF(c.w, c.h),
                      {{0, QColor(0x6d, 0x4c, 0x41)}, {0.5, QColor(0x8d, 0x6e, 0x63)}, {1, QColor(0x5d, 0x40, 0x37)}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xcc, 0x80), 1.4 * c.s));
    p.drawRoundedRect(c.Full().adjusted(b, b, -b, -b), 3 * c.s, 3 * c.s);

    const QColor colours[] = {QColor(0xe6, 0x51, 0x00), QColor(0xc6, 0x28, 0x28), QColor(0xf9, 0xa8, 0x25),
                              QColor(0xef, 0x6c, 0x00), QColor(0xbf, 0x36, 0x0c)};
    auto leaf = [&](QPointF at, double size, double turn, QColor colour) {
        const QPainterPath shape = MapleLeaf(at, size, turn);
        QLinearGradient g(at - QPointF(size, size), at + QPointF(size, size));
        g.setColorAt(0, colour.lighter(125));
        g.setColorAt(1, colour.darker(125));
        p.setPen(QPen(colour.darker(170), 0.9 * c.s));
        p.setBrush(g);
        p.drawPath(shape);
        p.setPen(QPen(colour.darker(160), 0.8 * c.s, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * kPi / 5 - kPi / 2 + turn;
            const double reach = size * (i == 2 || i == 3 ? 0.6 : 0.8);
            p.drawLine(at, at + QPointF(std::cos(a) * reach, std::sin(a) * reach));
        }
        const double stem = kPi / 2 + turn;
        p.setPen(QPen(colour.darker(180), 1.4 * c.s, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at, at + QPointF(std::cos(stem) * size * 0.75, std::sin(stem) * size * 0.75));
    };

    // Clusters in two opposite corners, single leaves drifting along the rest of the edges.
    leaf({20 * c.s, 22 * c.s}, 19 * c.s, -0.4, colours[1]);
    leaf({50 * c.s, 13 * c.s}, 13 * c.s, 0.5, colours[2]);
    leaf({14 * c.s, 54 * c.s}, 12 * c.s, -1.0, colours[0]);
    leaf({c.w - 20 * c.s, c.h - 22 * c.s}, 19 * c.s, 2.6, colours[0]);
    leaf({c.w - 50 * c.s, c.h - 13 * c.s}, 13 * c.s, 3.4, colours[4]);
    leaf({c.w - 14 * c.s, c.h - 54 * c.s}, 12 * c.s, 2.0, colours[2]);
    Dice dice(23);
    const QRectF track = c.Full().adjusted(b * 0.8, b * 0.8, -b * 0.8, -b * 0.8);
    const int count = static_cast<int>(2 * (c.w + c.h) / (62 * c.s));
    for (int i = 0; i < count; ++i) {
        const double t = (i + dice.Between(0.3, 0.7)) / count;
        const QPointF at = AlongOutline(track, t);
        // Keep clear of the two clusters.
        if ((at.x() < 70 * c.s && at.y() < 70 * c.s) || (at.x() > c.w - 70 * c.s && at.y() > c.h - 70 * c.s)) continue;
        leaf(at, dice.Between(8, 11) * c.s, dice.Between(-1.2, 1.2), colours[dice.Pick(5)]);
    }
}

void DrawSnowflake(QPainter& p, QPointF at, double r, double turn, const Canvas& c) {
    QPainterPath flake;
    for (int i = 0; i < 6; ++i) {
        const double a = turn + i * kPi / 3;
        const QPointF dir(std::cos(a), std::sin(a));
        flake.moveTo(at);
        flake.lineTo(at + dir * r);
        for (double k : {0.45, 0.7}) {
            const QPointF base = at + dir * (r * k);
            const double len = r * (k < 0.5 ? 0.32 : 0.24);
            for (double side : {-1.0, 1.0}) {
                const double b = a + side * kPi / 4;
                flake.moveTo(base);
                flake.lineTo(base + QPointF(std::cos(b), std::sin(b)) * len);
            }
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x64, 0x9b, 0xd6), std::max(1.0, r * 0.2) + 1.6 * c.s, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(flake);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff), std::max(1.0, r * 0.2), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(flake);
}

// Winter: an icy border with icicles along the top, snowflakes and a snow drift below.
void DrawWinterSnow(QPainter& p, const Canvas& c) {
    const double b = 7 * c.s;
    FillBand(
        p, c, b, 3 * c.s,
        Gradient(QPointF(0, 0), QPointF(c.w, c.h), {{0, QColor(0xe3, 0xf2, 0xfd)}, {1, QColor(0x90, 0xca, 0xf9)}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x64, 0x9b, 0xd6), 1.2 * c.s));
    p.drawRect(c.Full().adjusted(0.6 * c.s, 0.6 * c.s, -0.6 * c.s, -0.6 * c.s));

    Dice dice(31);
    // Icicles hanging from the top border.
    QLinearGradient drip(0, b, 0, b + 18 * c.s);
    drip.setColorAt(0, QColor(0xff, 0xff, 0xff));
    drip.setColorAt(1, QColor(0xa8, 0xd4, 0xf6));
    p.setBrush(drip);
    p.setPen(QPen(QColor(0x7f, 0xb2, 0xe5), 0.8 * c.s));
    for (double x = 6 * c.s; x < c.w - 6 * c.s;) {
        const double width = dice.Between(5, 9) * c.s;
        const double length = dice.Between(5, 18) * c.s;
        QPainterPath icicle;
        icicle.moveTo(x, b - 1);
        icicle.quadTo(x + width * 0.35, b + length * 0.6, x + width / 2, b + length);
        icicle.quadTo(x + width * 0.65, b + length * 0.6, x + width, b - 1);
        icicle.closeSubpath();
        p.drawPath(icicle);
        x += width + dice.Between(1, 5) * c.s;
    }

    // The drift: overlapping mounds along the bottom, merged into one outline.
    QPainterPath drift;
    drift.setFillRule(Qt::WindingFill);
    drift.addRect(QRectF(0, c.h - 10 * c.s, c.w, 10 * c.s));
    for (double x = -10 * c.s; x < c.w + 20 * c.s;) {
        const double r = dice.Between(16, 28) * c.s;
        drift.addEllipse(QPointF(x, c.h - 2 * c.s), r, r * dice.Between(0.6, 0.85));
        x += r * 1.1;
    }
    QPainterPath inside;
    inside.addRect(c.Full());
    drift = drift.simplified().intersected(inside);
    QLinearGradient snow(0, c.h - 26 * c.s, 0, c.h);
    snow.setColorAt(0, QColor(0xff, 0xff, 0xff));
    snow.setColorAt(1, QColor(0xd6, 0xe6, 0xf5));
    p.setPen(QPen(QColor(0x90, 0xb8, 0xe0), 1.3 * c.s));
    p.setBrush(snow);
    p.drawPath(drift);

    // Snowflakes down the sides and across the top corners.
    const int perSide = std::max(3, static_cast<int>((c.h - 60 * c.s) / (34 * c.s)));
    for (int i = 0; i < perSide; ++i) {
        const double y = 34 * c.s + (i + dice.Between(0.2, 0.8)) * (c.h - 70 * c.s) / perSide;
        DrawSnowflake(p, {dice.Between(10, 18) * c.s, y}, dice.Between(4.5, 8) * c.s, dice.Between(0, 1), c);
        DrawSnowflake(p, {c.w - dice.Between(10, 18) * c.s, y + 12 * c.s}, dice.Between(4.5, 8) * c.s,
                      dice.Between(0, 1), c);
    }
    DrawSnowflake(p, {24 * c.s, 30 * c.s}, 13 * c.s, 0.2, c);
    DrawSnowflake(p, {c.w - 26 * c.s, 32 * c.s}, 11 * c.s, 0.5, c);
}

void DrawBalloon(QPainter& p, QPointF at, double r, QColor colour, QPointF stringEnd, const Canvas& c) {
    QPainterPath string;
    string.moveTo(at + QPointF(0, r * 1.25));
    string.cubicTo(at + QPointF(r * 0.6, r * 2.2), stringEnd + QPointF(-r * 0.6, -r * 1.2), stringEnd);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), c.Line(1.1)));
    p.drawPath(string);
    QRadialGradient g(at - QPointF(r * 0.35, r * 0.45), r * 1.5);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(0.4, colour);
    g.setColorAt(1, colour.darker(160));
    p.setPen(QPen(colour.darker(190), 0.9 * c.s));
    p.setBrush(g);
    p.drawEllipse(at, r, r * 1.2);
    QPainterPath knot;
    knot.moveTo(at + QPointF(0, r * 1.18));
    knot.lineTo(at + QPointF(-r * 0.16, r * 1.36));
    knot.lineTo(at + QPointF(r * 0.16, r * 1.36));
    knot.closeSubpath();
    p.setBrush(colour.darker(130));
    p.drawPath(knot);
    p.setPen(Qt::NoPen);
    p.setBrush(colour.lighter(190));
    p.drawEllipse(at - QPointF(r * 0.38, r * 0.5), r * 0.18, r * 0.28);
}

// A party: confetti along a bright border, bunting across the top and balloons in a corner.
void DrawParty(QPainter& p, const Canvas& c) {
    const double b = 9 * c.s;
    const QColor colours[] = {QColor(0xe5, 0x39, 0x35), QColor(0xfd, 0xd8, 0x35), QColor(0x43, 0xa0, 0x47),
                              QColor(0x1e, 0x88, 0xe5), QColor(0x8e, 0x24, 0xaa), QColor(0xfb, 0x8c, 0x00)};
    QLinearGradient rainbow(0, 0, c.w, c.h);
    for (int i = 0; i < 6; ++i) rainbow.setColorAt(i / 5.0, colours[i].lighter(135));
    FillBand(p, c, b, 4 * c.s, rainbow);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff), 1.6 * c.s));
    p.drawRoundedRect(c.Full().adjusted(b, b, -b, -b), 4 * c.s, 4 * c.s);

    Dice dice(47);
    const QRectF track = c.Full().adjusted(b * 0.5, b * 0.5, -b * 0.5, -b * 0.5);
    const int pieces = static_cast<int>(2 * (c.w + c.h) / (7 * c.s));
    for (int i = 0; i < pieces; ++i) {
        QPointF at = AlongOutline(track, (i + dice.Between(0, 1)) / pieces);
        at += QPointF(dice.Between(-1, 1) * b * 0.5, dice.Between(-1, 1) * b * 0.5);
        const QColor colour = colours[dice.Pick(6)];
        p.save();
        p.translate(at);
        p.rotate(dice.Between(0, 180));
        p.setPen(QPen(colour.darker(150), 0.5 * c.s));
        p.setBrush(colour);
        if (dice.Pick(3) == 0)
            p.drawEllipse(QPointF(0, 0), 1.8 * c.s, 1.8 * c.s);
        else
            p.drawRect(QRectF(-2.6 * c.s, -1.2 * c.s, 5.2 * c.s, 2.4 * c.s));
        p.restore();
    }

    // Bunting sagging across the top.
    const QPointF from(b * 0.5, b * 0.6), to(c.w - b * 0.5, b * 0.6);
    const double sag = 16 * c.s;
    auto rope = [&](double t) { return QPointF(from.x() + (to.x() - from.x()) * t, from.y() + sag * 4 * t * (1 - t)); };
    QPainterPath line;
    line.moveTo(rope(0));
    for (int i = 1; i <= 60; ++i) line.lineTo(rope(i / 60.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x5d, 0x40, 0x37), c.Line(1.2)));
    p.drawPath(line);
    const int flags = std::max(5, static_cast<int>((to.x() - from.x()) / (17 * c.s)));
    for (int i = 0; i < flags; ++i) {
        const QPointF left = rope((i + 0.15) / flags), right = rope((i + 0.85) / flags);
        const QPointF mid = (left + right) / 2;
        QPainterPath flag;
        flag.moveTo(left);
        flag.lineTo(right);
        flag.lineTo(mid + QPointF(0, 13 * c.s));
        flag.closeSubpath();
        const QColor colour = colours[i % 6];
        p.setPen(QPen(colour.darker(150), 0.8 * c.s));
        p.setBrush(colour);
        p.drawPath(flag);
    }

    // Balloons rising from the bottom-left corner, their strings tied together.
    const QPointF tie(28 * c.s, c.h - 14 * c.s);
    DrawBalloon(p, {20 * c.s, c.h - 78 * c.s}, 12 * c.s, colours[3], tie, c);
    DrawBalloon(p, {46 * c.s, c.h - 86 * c.s}, 13 * c.s, colours[0], tie, c);
    DrawBalloon(p, {36 * c.s, c.h - 60 * c.s}, 11 * c.s, colours[1], tie, c);
    p.setPen(QPen(colours[4].darker(140), 1.0 * c.s));
    p.setBrush(colours[4]);
    QPainterPath bow;
    bow.moveTo(tie);
    bow.lineTo(tie + QPointF(-5 * c.s, -3 * c.s));
    bow.lineTo(tie + QPointF(-5 * c.s, 3 * c.s));
    bow.closeSubpath();
    bow.moveTo(tie);
    bow.lineTo(tie + QPointF(5 * c.s, -3 * c.s));
    bow.lineTo(tie + QPointF(5 * c.s, 3 * c.s));
    bow.closeSubpath();
    p.drawPath(bow);
}

using Design = void (*)(QPainter&, const Canvas&);
constexpr Design kDesigns[] = {DrawGoldClassic, DrawHearts,       DrawStarryNight, DrawFilmStrip, DrawSpringBlossom,
                               DrawSummerSea,   DrawAutumnLeaves, DrawWinterSnow,  DrawParty};

}  // namespace

int DesignCount() {
    return static_cast<int>(std::size(kDesigns));
}

QImage DrawFrame(int design, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (design < 0 || design >= DesignCount() || size.isEmpty()) return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Canvas canvas{static_cast<double>(size.width()), static_cast<double>(size.height()),
                        std::min(size.width(), size.height()) / 240.0};
    kDesigns[design](painter, canvas);
    painter.end();
    return image;
}

std::vector<std::uint8_t> KeyedRows(const QImage& frame) {
    const QImage argb = frame.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    const std::size_t stride = lurvane::RowBytes(static_cast<std::uint64_t>(w));
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* dst = rows.data() + stride * static_cast<std::size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x, dst += 3) {
            const QRgb px = src[x];
            int r = qRed(px), g = qGreen(px), b = qBlue(px);
            // A colour key knows no half-transparency: edges are either frame or picture.
            if (qAlpha(px) < 128) {
                r = 0;
                g = 255;
                b = 0;
            } else if (r == 0 && g == 255 && b == 0) {
                g = 254;
            }
            dst[0] = static_cast<std::uint8_t>(b);
            dst[1] = static_cast<std::uint8_t>(g);
            dst[2] = static_cast<std::uint8_t>(r);
        }
    }
    return rows;
}

}  // namespace framegen
