// The bitmaps, one function per family. Sizes and cuts are listed in BreltGen.cpp.
#include "platform/brelt/gen/Art.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {

void Add(std::vector<Art>& out, int id, const QImage& image, const QString& note)
{
    out.push_back({id, image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB888),
                   note});
}

// The caption's colour at row y (0..29), shared by the caption pieces and the matte of the
// caption buttons so their antialiased edges blend into it.
QColor CaptionAt(int y)
{
    const qreal t = qBound(0.0, y / 29.0, 1.0);
    auto mix = [t](int a, int b) { return qRound(a + (b - a) * t); };
    return QColor(mix(pal::chromeTop.red(), pal::chromeBottom.red()), mix(pal::chromeTop.green(), pal::chromeBottom.green()),
                  mix(pal::chromeTop.blue(), pal::chromeBottom.blue()));
}

QImage CaptionTile(int w)
{
    QImage img(w, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, CaptionAt(y).rgb());
    // A lit top line under the outer line: the chrome reads as a solid bar.
    for (int x = 0; x < w; ++x) {
        img.setPixel(x, 0, pal::chromeEdge.rgb());
        img.setPixel(x, 1, QColor(0x5E, 0x6A, 0x79).rgb());
    }
    return img;
}

// The caption buttons' glyphs, drawn on whole pixels in a 10 x 10 box at `at`: at this size
// antialiased strokes would fade into the key colour.
void CaptionGlyph(QPainter& p, Glyph g, QPointF at, const QColor& ink)
{
    p.save();
    p.translate(at);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (g) {
    case Glyph::Minimise:
        p.drawRect(QRect(0, 7, 10, 2));
        break;
    case Glyph::Maximise:
        p.drawRect(QRect(0, 0, 10, 2));
        p.drawRect(QRect(0, 2, 1, 8));
        p.drawRect(QRect(9, 2, 1, 8));
        p.drawRect(QRect(0, 9, 10, 1));
        break;
    case Glyph::Restore:
        p.drawRect(QRect(3, 0, 7, 2));
        p.drawRect(QRect(9, 2, 1, 5));
        p.drawRect(QRect(8, 6, 1, 1));
        p.drawRect(QRect(0, 3, 7, 2));
        p.drawRect(QRect(0, 5, 1, 5));
        p.drawRect(QRect(6, 5, 1, 5));
        p.drawRect(QRect(0, 9, 7, 1));
        p.drawRect(QRect(3, 2, 1, 1));
        break;
    default:
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 1.7, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(0.8, 0.8), QPointF(9.2, 9.2));
        p.drawLine(QPointF(9.2, 0.8), QPointF(0.8, 9.2));
        break;
    }
    p.restore();
}

// A matte of the given colour under a premultiplied drawing.
QImage Over(const QImage& drawing, const QColor& matte)
{
    return Flatten(drawing, Solid(drawing.width(), drawing.height(), matte));
}

}  // namespace

// ---- main window frame: caption pieces, caption buttons, edges -----------------------------

void Frame(std::vector<Art>& out)
{
    // Caption left piece: the window's rounded corner and the product mark.
    {
        QImage base = CaptionTile(40);
        QImage d = Canvas(40, 30);
        QPainter p;
        Begin(p, d);
        DrawGlyph(p, Glyph::Lens, QRectF(12, 7, 16, 16), QColor(0x9F, 0xC8, 0xFF));
        p.end();
        QImage img = Flatten(d, base).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y) img.setPixel(0, y, pal::chromeEdge.rgb());
        // The lit line stops short of the corner the window region rounds.
        for (int x = 1; x < 6; ++x) img.setPixel(x, 1, CaptionAt(1).rgb());
        Add(out, 7205, img, QStringLiteral("caption left"));
    }
    Add(out, 7206, CaptionTile(8), QStringLiteral("caption middle, tiled"));
    {
        QImage img = CaptionTile(12).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y) img.setPixel(11, y, pal::chromeEdge.rgb());
        for (int x = 6; x < 11; ++x) img.setPixel(x, 1, CaptionAt(1).rgb());
        Add(out, 7204, img, QStringLiteral("caption right"));
    }

    // Caption buttons: three 16 x 17 states (normal, hover, pressed), magenta around the glyph.
    const struct {
        int id;
        Glyph glyph;
        bool close;
    } buttons[] = {{7207, Glyph::Minimise, false}, {7208, Glyph::Maximise, false},
                   {7510, Glyph::Restore, false}, {7209, Glyph::Close, true}};
    QImage matte(48, 17, QImage::Format_RGB32);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 48; ++x) matte.setPixel(x, y, CaptionAt(y + 7).rgb());
    for (const auto& b : buttons) {
        QImage d = Canvas(48, 17);
        QPainter p;
        Begin(p, d);
        for (int state = 0; state < 3; ++state) {
            const QRectF cell(state * 16, 0, 16, 17);
            QColor ink(0xD8, 0xDE, 0xE6);
            if (state > 0) {
                QColor fill = b.close ? (state == 1 ? pal::danger : QColor(0xAE, 0x2E, 0x28))
                                      : (state == 1 ? QColor(0x6C, 0x7A, 0x8B) : QColor(0x20, 0x27, 0x2F));
                p.setPen(Qt::NoPen);
                p.setBrush(fill);
                p.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
                ink = Qt::white;
            }
            CaptionGlyph(p, b.glyph, QPointF(cell.left() + 3, 4), ink);
        }
        p.end();
        Add(out, b.id, Keyed(d, kMagenta, matte), QStringLiteral("caption button: 3 states of 16"));
    }

    // Edges: the outer line and the chrome, 4 pixels (the frame's margin).
    auto edge = [](bool vertical, bool flip) {
        QImage img = vertical ? Solid(4, 8, pal::chromeBottom) : Solid(8, 4, pal::chromeBottom);
        QPainter p(&img);
        const int outer = flip ? 3 : 0;
        const int inner = flip ? 0 : 3;
        if (vertical) {
            p.fillRect(outer, 0, 1, 8, pal::chromeEdge);
            p.fillRect(inner, 0, 1, 8, QColor(0x3A, 0x44, 0x50));
        } else {
            p.fillRect(0, outer, 8, 1, pal::chromeEdge);
            p.fillRect(0, inner, 8, 1, QColor(0x3A, 0x44, 0x50));
        }
        return img;
    };
    Add(out, 7214, edge(true, false), QStringLiteral("left edge, tiled down"));
    Add(out, 7213, edge(true, true), QStringLiteral("right edge, tiled down"));
    Add(out, 7215, edge(false, true), QStringLiteral("bottom edge, tiled across"));
    auto corner = [](bool right) {
        QImage img = Solid(4, 4, pal::chromeBottom);
        QPainter p(&img);
        p.fillRect(right ? 3 : 0, 0, 1, 4, pal::chromeEdge);
        p.fillRect(0, 3, 4, 1, pal::chromeEdge);
        p.fillRect(right ? 0 : 3, 0, 1, 3, QColor(0x3A, 0x44, 0x50));
        return img;
    };
    Add(out, 7216, corner(false), QStringLiteral("bottom-left corner"));
    Add(out, 7217, corner(true), QStringLiteral("bottom-right corner"));

    // The background tile: under the caption, behind the top bar and the work views.
    Add(out, 7230, Solid(16, 16, pal::back), QStringLiteral("background tile"));

    // The menu bar's theme: a light bar with a quiet lower line, stretched or tiled across.
    {
        QImage img(8, 26, QImage::Format_RGB32);
        QPainter p(&img);
        FillGradient(p, QRectF(0, 0, 8, 25), QColor(0xFB, 0xFB, 0xFC), QColor(0xEF, 0xF0, 0xF2));
        p.fillRect(0, 25, 8, 1, QColor(0xD3, 0xD7, 0xDC));
        p.end();
        Add(out, 7218, img, QStringLiteral("menu bar theme"));
    }
}

// ---- top bar: title tray, mode buttons, lower band, add and import buttons -----------------

void TopBar(std::vector<Art>& out)
{
    // Title tray behind the three mode buttons (120 x 32 each, 5 apart, 5 inside the tray).
    {
        QImage d = Canvas(380, 42);
        QPainter p;
        Begin(p, d);
        const QRectF r(0.5, 0.5, 379, 41);
        FillGradient(p, r, QColor(0xD6, 0xDB, 0xE1), QColor(0xE1, 0xE5, 0xEA), 10);
        p.setPen(QPen(pal::lineSoft, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 10, 10);
        p.setPen(QPen(QColor(0, 0, 0, 18), 1));
        p.drawLine(QPointF(10, 1.5), QPointF(370, 1.5));
        p.end();
        Add(out, 7219, Over(d, pal::back), QStringLiteral("title tray"));
    }

    // Mode buttons: two states side by side (off, on), drawn on the tray.
    const struct {
        int id;
        Glyph glyph;
        const char* text;
    } modes[] = {{7224, Glyph::Photos, "앨범구성"}, {7226, Glyph::Edit, "사진편집"}, {7225, Glyph::Decorate, "ZEL 꾸미기"}};
    const QColor trayMid(0xDB, 0xDF, 0xE5);
    for (const auto& m : modes) {
        QImage d = Canvas(240, 32);
        QPainter p;
        Begin(p, d);
        for (int state = 0; state < 2; ++state) {
            const QRectF cell(state * 120, 0, 120, 32);
            QColor ink = pal::inkSoft;
            if (state == 1) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 0, 0, 22));
                p.drawRoundedRect(cell.adjusted(1, 2, -1, 0), 7, 7);
                FillGradient(p, cell.adjusted(1, 1, -1, -1.5), QColor(0xFF, 0xFF, 0xFF), QColor(0xF7, 0xF9, 0xFC), 7);
                p.setPen(QPen(QColor(0xC4, 0xCA, 0xD2), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRoundedRect(cell.adjusted(1.5, 1.5, -1.5, -2), 7, 7);
                ink = pal::ink;
            }
            const QString text = QString::fromUtf8(m.text);
            const QFont f = Face(13, QFont::Bold);
            const qreal tw = QFontMetricsF(f).horizontalAdvance(text);
            const qreal total = 18 + 6 + tw;
            const qreal x = cell.center().x() - total / 2;
            DrawGlyph(p, m.glyph, QRectF(x, 7, 18, 18), state == 1 ? pal::accent : pal::inkSoft);
            p.setFont(f);
            p.setPen(ink);
            p.drawText(QRectF(x + 24, 0, tw + 2, 32), Qt::AlignVCenter | Qt::AlignLeft, text);
        }
        p.end();
        Add(out, m.id, Over(d, trayMid), QStringLiteral("mode button: off | on, 120 x 32"));
    }

    // The lower band: a white panel for the album strip, left and right ends and a tiled middle.
    auto band = [](int w, int left, int right) {
        QImage d = Canvas(w, 80);
        QPainter p;
        Begin(p, d);
        // The panel runs on past the piece's open sides, so only the closed side shows.
        const qreal l = left > 0 ? left + 0.5 : -20;
        const qreal r0 = right > 0 ? w - right - 0.5 : w + 20;
        const QRectF r(l, 2.5, r0 - l, 74);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 14));
        p.drawRoundedRect(r.translated(0, 1), 8, 8);
        p.setBrush(QColor(0xFE, 0xFE, 0xFE));
        p.setPen(QPen(pal::lineSoft, 1));
        p.drawRoundedRect(r, 8, 8);
        p.end();
        return Over(d, pal::back);
    };
    Add(out, 7220, band(16, 6, 0), QStringLiteral("lower band left"));
    Add(out, 7222, band(8, 0, 0), QStringLiteral("lower band middle, tiled"));
    {
        // The right end mirrors the left one.
        QImage left = band(16, 6, 0);
        Add(out, 7221, left.mirrored(true, false), QStringLiteral("lower band right"));
    }

    // Add-album and import: five states of 64 x 48 on the white band.
    Add(out, 7227,
        SkinStrip(QSize(64, 48), GlyphOverLabel(Glyph::AlbumPlus, QStringLiteral("앨범추가")), QColor(0xFE, 0xFE, 0xFE), 6,
                  true),
        QStringLiteral("add album: 5 states of 64 x 48"));
    Add(out, 7223,
        SkinStrip(QSize(64, 48), GlyphOverLabel(Glyph::Import, QStringLiteral("가져오기")), QColor(0xFE, 0xFE, 0xFE), 6,
                  true),
        QStringLiteral("import: 5 states of 64 x 48"));
}

// ---- album strip items -----------------------------------------------------------------------

void AlbumItems(std::vector<Art>& out)
{
    // Four 72 x 48 cells: normal, hover, pressed (also selected), disabled. The glyph sits in
    // the top 28 pixels; the name is written from y 32 by the item, on the cell's light face.
    auto item = [](Glyph glyph, bool all) {
        QImage d = Canvas(288, 48);
        QPainter p;
        Begin(p, d);
        for (int state = 0; state < 4; ++state) {
            const QRectF cell(state * 72, 0, 72, 48);
            const QRectF card = cell.adjusted(1.5, 1.5, -1.5, -1.5);
            QColor ink = all ? pal::accent : pal::inkSoft;
            if (state == 1) {
                p.setPen(QPen(QColor(0xDC, 0xE1, 0xE8), 1));
                p.setBrush(QColor(0xF3, 0xF5, 0xF8));
                p.drawRoundedRect(card, 6, 6);
                ink = pal::accent;
            } else if (state == 2) {
                p.setPen(QPen(pal::accentLine, 1));
                p.setBrush(QColor(0xE6, 0xF0, 0xFF));
                p.drawRoundedRect(card, 6, 6);
                ink = pal::accentDark;
            } else if (state == 3) {
                ink = pal::inkOff;
            }
            const QRectF g(cell.center().x() - 12, 4, 24, 24);
            if (glyph == Glyph::Album && state != 3) {
                // The album's cover: a soft tinted folder behind the outline.
                QPainterPath cover;
                cover.addRoundedRect(QRectF(g.left() + 4.5, g.top() + 9, 15, 9.5), 1, 1);
                p.fillPath(cover, state == 0 ? QColor(0xE8, 0xEC, 0xF1) : QColor(0xD2, 0xE3, 0xFF));
            }
            DrawGlyph(p, glyph, g, ink);
        }
        p.end();
        return Over(d, QColor(0xFE, 0xFE, 0xFE));
    };
    Add(out, 7236, item(Glyph::Album, false), QStringLiteral("album item: 4 states of 72 x 48"));
    Add(out, 7413, item(Glyph::Photos, true), QStringLiteral("all-photos item: 4 states of 72 x 48"));
}

// ---- bottom row of the work views ------------------------------------------------------------

void BottomRow(std::vector<Art>& out)
{
    {
        QImage d = Canvas(150, 24);
        QPainter p;
        Begin(p, d);
        DrawGlyph(p, Glyph::Lens, QRectF(0, 3, 18, 18), pal::accent);
        p.setFont(WordFace(12, QFont::ExtraBold));
        p.setPen(pal::accent);
        p.drawText(QRectF(23, 0, 30, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("ZEL"));
        p.setFont(WordFace(13, QFont::Bold));
        p.setPen(pal::inkSoft);
        p.drawText(QRectF(51, 0, 99, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VimbroSuite"));
        p.end();
        Add(out, 7094, Over(d, pal::back), QStringLiteral("bottom-row mark (static 7087)"));
    }
    {
        QImage d = Canvas(20, 20);
        QPainter p;
        Begin(p, d);
        DrawGlyph(p, Glyph::PictureSmall, QRectF(0, 0, 20, 20), pal::inkSoft);
        p.end();
        Add(out, 7231, Over(d, pal::back), QStringLiteral("smaller (static 7008)"));
    }
    {
        QImage d = Canvas(20, 20);
        QPainter p;
        Begin(p, d);
        DrawGlyph(p, Glyph::PictureLarge, QRectF(0, 0, 20, 20), pal::inkSoft);
        p.end();
        Add(out, 7232, Over(d, pal::back), QStringLiteral("larger (static 7009)"));
    }
    {
        // The bottom row's band: the background with a quiet line along its top.
        QImage img = Solid(16, 50, pal::back);
        QPainter p(&img);
        p.fillRect(0, 0, 16, 1, QColor(0xDA, 0xDD, 0xE1));
        p.fillRect(0, 1, 16, 1, QColor(0xF7, 0xF7, 0xF7));
        p.end();
        Add(out, 7503, img, QStringLiteral("bottom-row band, tiled"));
    }
}

// ---- sliders: zoom channels and thumbs, panel scroll bars, slide scroller ------------------

void Sliders(std::vector<Art>& out)
{
    // Zoom channel: a groove across, the same in every column between its rounded ends, so
    // the thumb (drawn over that column) needs no key colour.
    auto channel = [] {
        QImage d = Canvas(160, 20);
        QPainter p;
        Begin(p, d);
        const QRectF groove(3.5, 7.5, 153, 5);
        p.setPen(QPen(QColor(0xBC, 0xC3, 0xCC), 1));
        p.setBrush(pal::groove);
        p.drawRoundedRect(groove, 2.5, 2.5);
        p.end();
        return Over(d, pal::back);
    };
    const QImage zoom = channel();
    Add(out, 7514, zoom, QStringLiteral("thumbnail-size channel 160 x 20"));
    Add(out, 7233, zoom, QStringLiteral("zoom channel 160 x 20"));
    auto thumb = [&zoom](bool active) {
        QImage d = Canvas(12, 20);
        QPainter p;
        Begin(p, d);
        const QRectF r(0.5, 1.5, 11, 17);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 28));
        p.drawRoundedRect(r.translated(0, 1), 3, 3);
        FillGradient(p, r, active ? QColor(0xF4, 0xF8, 0xFF) : QColor(0xFF, 0xFF, 0xFF),
                     active ? QColor(0xDB, 0xE9, 0xFF) : QColor(0xE9, 0xEC, 0xF0), 3);
        p.setPen(QPen(active ? pal::accent : QColor(0x8E, 0x97, 0xA3), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 3, 3);
        p.setPen(QPen(active ? pal::accent : QColor(0xA0, 0xA8, 0xB3), 1));
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(4 + i * 2, 7), QPointF(4 + i * 2, 13));
        p.end();
        return Flatten(d, zoom.copy(74, 0, 12, 20));
    };
    Add(out, 7234, thumb(false), QStringLiteral("zoom thumb"));
    Add(out, 7235, thumb(true), QStringLiteral("zoom thumb, active"));

    // Panel scroll bar (vertical, 12 wide): top end, middle (stretched), bottom end, thumb.
    auto vgroove = [](int h, bool roundTop, bool roundBottom) {
        QImage d = Canvas(12, h);
        QPainter p;
        Begin(p, d);
        const qreal top = roundTop ? 2.5 : -10;
        const qreal bottom = roundBottom ? h - 2.5 : h + 10;
        p.setPen(QPen(QColor(0xC6, 0xCC, 0xD4), 1));
        p.setBrush(pal::groove);
        p.drawRoundedRect(QRectF(3.5, top, 5, bottom - top), 2.5, 2.5);
        p.end();
        return Over(d, pal::back);
    };
    Add(out, 7261, vgroove(8, true, false), QStringLiteral("scroll bar top end"));
    const QImage vmid = vgroove(8, false, false);
    Add(out, 7262, vmid, QStringLiteral("scroll bar middle, stretched"));
    Add(out, 7264, vgroove(8, false, true), QStringLiteral("scroll bar bottom end"));
    {
        QImage d = Canvas(12, 36);
        QPainter p;
        Begin(p, d);
        FillGradient(p, QRectF(1.5, 0.5, 9, 35), QColor(0xB6, 0xBD, 0xC7), QColor(0xA3, 0xAB, 0xB6), 4.5);
        p.setPen(QPen(QColor(0x8E, 0x97, 0xA3), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 0.5, 9, 35), 4.5, 4.5);
        p.setPen(QPen(QColor(0xE4, 0xE7, 0xEB), 1));
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(4, 14.5 + i * 3), QPointF(8, 14.5 + i * 3));
        p.end();
        QImage matte(12, 36, QImage::Format_RGB32);
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 12; ++x) matte.setPixel(x, y, vmid.pixel(x, 4));
        Add(out, 7263, Flatten(d, matte), QStringLiteral("scroll bar thumb 12 x 36"));
    }

    // Slide scroller (horizontal, 11 high): left end, middle (stretched), right end, thumb.
    auto hgroove = [](int w, bool roundLeft, bool roundRight) {
        QImage d = Canvas(w, 11);
        QPainter p;
        Begin(p, d);
        const qreal left = roundLeft ? 1.5 : -10;
        const qreal right = roundRight ? w - 1.5 : w + 10;
        p.setPen(QPen(QColor(0xC6, 0xCC, 0xD4), 1));
        p.setBrush(pal::groove);
        p.drawRoundedRect(QRectF(left, 3, right - left, 5), 2.5, 2.5);
        p.end();
        return Over(d, pal::back);
    };
    Add(out, 7366, hgroove(8, true, false), QStringLiteral("slide scroller left end"));
    const QImage hmid = hgroove(8, false, false);
    Add(out, 7367, hmid, QStringLiteral("slide scroller middle, stretched"));
    Add(out, 7369, hgroove(8, false, true), QStringLiteral("slide scroller right end"));
    {
        QImage d = Canvas(48, 11);
        QPainter p;
        Begin(p, d);
        FillGradient(p, QRectF(0.5, 1.5, 47, 8), QColor(0xB6, 0xBD, 0xC7), QColor(0xA3, 0xAB, 0xB6), 4);
        p.setPen(QPen(QColor(0x8E, 0x97, 0xA3), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 1.5, 47, 8), 4, 4);
        p.setPen(QPen(QColor(0xE4, 0xE7, 0xEB), 1));
        for (int i = 0; i < 3; ++i) p.drawLine(QPointF(20.5 + i * 3, 3.5), QPointF(20.5 + i * 3, 7.5));
        p.end();
        QImage matte(48, 11, QImage::Format_RGB32);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 48; ++x) matte.setPixel(x, y, hmid.pixel(4, y));
        Add(out, 7368, Flatten(d, matte), QStringLiteral("slide scroller thumb 48 x 11"));
    }
}

// ---- side panels: title bar pieces and frame edges -----------------------------------------

void Panels(std::vector<Art>& out)
{
    // Title bar, 26 high: left end, middle (tiled), right end. The title text is written over
    // it by the static, in dark ink; a 2-pixel accent line closes it.
    auto title = [](int w, bool left, bool right) {
        QImage d = Canvas(w, 26);
        QPainter p;
        Begin(p, d);
        QPainterPath path;
        path.addRoundedRect(QRectF(left ? 0.5 : -10, 0.5, (right ? w - 0.5 : w + 10) - (left ? 0.5 : -10), 30), 6, 6);
        QLinearGradient g(0, 0, 0, 24);
        g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        g.setColorAt(1, QColor(0xE9, 0xEC, 0xF0));
        p.fillPath(path, g);
        p.setPen(QPen(QColor(0xB9, 0xC0, 0xC9), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.end();
        QImage img = Over(d, pal::back).convertToFormat(QImage::Format_RGB32);
        QPainter q(&img);
        q.fillRect(0, 24, w, 2, pal::accent);
        q.end();
        return img;
    };
    Add(out, 7053, title(8, true, false), QStringLiteral("panel title left"));
    Add(out, 7054, title(8, false, false), QStringLiteral("panel title middle, tiled"));
    Add(out, 7052, title(8, false, true), QStringLiteral("panel title right"));

    // Frame edges, 2 pixels: outer line and a light inner line; stretched along the panel.
    auto edge = [](bool vertical, bool flip) {
        QImage img = vertical ? Solid(2, 8, QColor(0xF5, 0xF6, 0xF8)) : Solid(8, 2, QColor(0xF5, 0xF6, 0xF8));
        QPainter p(&img);
        if (vertical)
            p.fillRect(flip ? 1 : 0, 0, 1, 8, QColor(0xB9, 0xC0, 0xC9));
        else
            p.fillRect(0, 1, 8, 1, QColor(0xB9, 0xC0, 0xC9));
        return img;
    };
    Add(out, 7266, edge(true, false), QStringLiteral("panel left edge, stretched"));
    Add(out, 7267, edge(true, true), QStringLiteral("panel right edge, stretched"));
    Add(out, 7268, edge(false, false), QStringLiteral("panel bottom edge, stretched"));
}

// ---- skinned push buttons ----------------------------------------------------------------------

void Buttons(std::vector<Art>& out)
{
    Add(out, 7516, SkinStrip(QSize(80, 25), nullptr, pal::back), QStringLiteral("dialog button: 5 states of 80 x 25"));
    Add(out, 7417, SkinStrip(QSize(80, 25), nullptr, pal::white), QStringLiteral("About button: 5 states of 80 x 25"));
    Add(out, 7318, SkinStrip(QSize(40, 30), GlyphOnly(Glyph::ArrowLeft, 18), pal::back),
        QStringLiteral("previous picture: 5 states of 40 x 30"));
    Add(out, 7317, SkinStrip(QSize(40, 30), GlyphOnly(Glyph::ArrowRight, 18), pal::back),
        QStringLiteral("next picture: 5 states of 40 x 30"));
    Add(out, 7320, SkinStrip(QSize(56, 30), GlyphLabel(Glyph::Save, QStringLiteral("저장")), pal::back),
        QStringLiteral("save: 5 states of 56 x 30"));
    Add(out, 7319, SkinStrip(QSize(56, 30), GlyphLabel(Glyph::Print, QStringLiteral("인쇄")), pal::back),
        QStringLiteral("print: 5 states of 56 x 30"));
    Add(out, 7355, SkinStrip(QSize(40, 28), GlyphOnly(Glyph::Play, 18), pal::back),
        QStringLiteral("play: 5 states of 40 x 28"));
    Add(out, 7356, SkinStrip(QSize(40, 28), GlyphOnly(Glyph::Stop, 18), pal::back),
        QStringLiteral("stop: 5 states of 40 x 28"));
    Add(out, 7420, SkinStrip(QSize(56, 22), nullptr, pal::back, 4), QStringLiteral("size button: 5 states of 56 x 22"));
}

// The effect panel's tools (their skins are keyed by the tools' control IDs).
void ToolButtons(std::vector<Art>& out)
{
    const QSize pair(54, 34);
    const QSize wide(108, 28);
    const QSize half(54, 28);
    const struct {
        int id;
        QSize cell;
        SkinContent content;
        const char* note;
    } tools[] = {
        {7283, pair, GlyphOnly(Glyph::Undo, 20), "undo"},
        {7284, pair, GlyphOnly(Glyph::Redo, 20), "redo"},
        {7285, pair, GlyphOnly(Glyph::RotateLeft, 20), "rotate left"},
        {7286, pair, GlyphOnly(Glyph::RotateRight, 20), "rotate right"},
        {7287, pair, GlyphOnly(Glyph::Mirror, 20), "mirror"},
        {7288, pair, GlyphOnly(Glyph::Flip, 20), "flip"},
        {7289, wide, GlyphLabel(Glyph::Crop, QStringLiteral("잘라내기")), "crop"},
        {7290, half, GlyphLabel(Glyph::Screen, QStringLiteral("1"), 14), "screen 1"},
        {7291, half, GlyphLabel(Glyph::Screen, QStringLiteral("2"), 14), "screen 2"},
        {1033, wide, GlyphLabel(Glyph::Screen, QStringLiteral("대기화면")), "screen size"},
        {7293, wide, GlyphLabel(Glyph::Brightness, QStringLiteral("밝기/대비")), "brightness"},
        {7199, wide, GlyphLabel(Glyph::Text, QStringLiteral("텍스트입력")), "text"},
        {7301, QSize(16, 16), GlyphOnly(Glyph::Bold, 14), "bold"},
        {7302, QSize(16, 16), GlyphOnly(Glyph::Italic, 14), "italic"},
        {7303, QSize(16, 16), GlyphOnly(Glyph::Underline, 14), "underline"},
        {7304, QSize(16, 16), GlyphOnly(Glyph::Shadow, 14), "shadow"},
    };
    for (const auto& t : tools) {
        const qreal radius = t.cell.height() <= 16 ? 3 : 4;
        Add(out, t.id, SkinStrip(t.cell, t.content, pal::back, radius),
            QStringLiteral("tool %1: 5 states of %2 x %3").arg(QString::fromLatin1(t.note)).arg(t.cell.width()).arg(t.cell.height()));
    }
}

// ---- preview panel: the phone and the empty frame ----------------------------------------

void Preview(std::vector<Art>& out)
{
    // The phone: 161 x 250, its screen at (22, 50)-(139, 161).
    {
        QImage d = Canvas(161, 250);
        QPainter p;
        Begin(p, d);
        const QRectF body(1.5, 1.5, 158, 246);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawRoundedRect(body.translated(0, 1.5), 24, 24);
        QLinearGradient shell(0, 0, 161, 0);
        shell.setColorAt(0, QColor(0x2A, 0x30, 0x38));
        shell.setColorAt(0.5, QColor(0x3D, 0x45, 0x50));
        shell.setColorAt(1, QColor(0x26, 0x2C, 0x33));
        p.setBrush(shell);
        p.setPen(QPen(QColor(0x16, 0x1A, 0x1F), 1));
        p.drawRoundedRect(body, 24, 24);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), 22.5, 22.5);
        // Earpiece and camera.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x15, 0x18, 0x1C));
        p.drawRoundedRect(QRectF(62, 22, 37, 5), 2.5, 2.5);
        p.setBrush(QColor(0x10, 0x13, 0x17));
        p.drawEllipse(QPointF(112, 24.5), 4, 4);
        p.setBrush(QColor(0x4A, 0x8B, 0xD8));
        p.drawEllipse(QPointF(111, 23.5), 1.2, 1.2);
        // The brand under the earpiece.
        p.setFont(WordFace(8, QFont::Bold));
        p.setPen(QColor(0x9A, 0xA5, 0xB3));
        p.drawText(QRectF(0, 31, 161, 12), Qt::AlignCenter, QStringLiteral("ZEL"));
        // Screen bezel and glass.
        p.setBrush(QColor(0x0B, 0x0D, 0x10));
        p.setPen(QPen(QColor(0x55, 0x5F, 0x6B), 1));
        p.drawRoundedRect(QRectF(17.5, 45.5, 126, 121), 4, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x14, 0x18, 0x1E));
        p.drawRect(QRectF(22, 50, 117, 111));
        // Navigation: soft keys, the ring and its centre key, call and end keys.
        QLinearGradient key(0, 176, 0, 220);
        key.setColorAt(0, QColor(0x55, 0x5E, 0x6A));
        key.setColorAt(1, QColor(0x3A, 0x42, 0x4C));
        p.setBrush(key);
        p.setPen(QPen(QColor(0x1D, 0x22, 0x28), 1));
        p.drawRoundedRect(QRectF(16.5, 178.5, 34, 12), 6, 6);
        p.drawRoundedRect(QRectF(110.5, 178.5, 34, 12), 6, 6);
        p.drawEllipse(QPointF(80.5, 201), 22, 22);
        p.setBrush(QColor(0x2E, 0x35, 0x3E));
        p.drawEllipse(QPointF(80.5, 201), 10, 10);
        p.setPen(QPen(QColor(0x9A, 0xA5, 0xB3), 1.2));
        for (int i = 0; i < 4; ++i) {
            const qreal a = qDegreesToRadians(i * 90.0);
            const QPointF c(80.5 + 16 * qCos(a), 201 + 16 * qSin(a));
            p.drawPoint(c);
        }
        p.setPen(QPen(QColor(0x1D, 0x22, 0x28), 1));
        p.setBrush(QColor(0x2F, 0x9E, 0x5A));
        p.drawRoundedRect(QRectF(18.5, 206.5, 30, 12), 6, 6);
        p.setBrush(QColor(0xC9, 0x45, 0x3E));
        p.drawRoundedRect(QRectF(112.5, 206.5, 30, 12), 6, 6);
        p.setBrush(QColor(0x1E, 0x23, 0x29));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(66, 234, 29, 3), 1.5, 1.5);
        p.end();
        Add(out, 7354, Over(d, pal::back), QStringLiteral("phone 161 x 250, screen (22,50)-(139,161)"));
    }
    // The empty frame: the "no frame" choice of the frame list, 43 x 43.
    {
        QImage d = Canvas(43, 43);
        QPainter p;
        Begin(p, d);
        p.fillRect(QRectF(0, 0, 43, 43), QColor(0xF8, 0xF9, 0xFB));
        QPen dash(QColor(0xA9, 0xB1, 0xBC), 1, Qt::CustomDashLine);
        dash.setDashPattern({3, 2});
        p.setPen(dash);
        p.drawRoundedRect(QRectF(4.5, 4.5, 34, 34), 3, 3);
        p.setFont(Face(11, QFont::Bold));
        p.setPen(pal::inkSoft);
        p.drawText(QRectF(0, 0, 43, 43), Qt::AlignCenter, QStringLiteral("없음"));
        p.end();
        Add(out, 7415, Over(d, pal::back), QStringLiteral("empty frame 43 x 43"));
    }
}

// ---- slide strip -----------------------------------------------------------------------------

void Slides(std::vector<Art>& out)
{
    const QColor trayFill(0xE2, 0xE6, 0xEB);
    // The strip: 110 high, a tray from the top to y 96 under the boxes, left end, middle
    // (stretched), right end.
    auto strip = [&trayFill](int w, bool left, bool right) {
        QImage d = Canvas(w, 110);
        QPainter p;
        Begin(p, d);
        const qreal l = left ? 0.5 : -20;
        const qreal r = right ? w - 0.5 : w + 20;
        QPainterPath path;
        path.addRoundedRect(QRectF(l, 0.5, r - l, 96), 7, 7);
        p.fillPath(path, trayFill);
        p.setPen(QPen(QColor(0xC9, 0xCE, 0xD6), 1));
        p.drawPath(path);
        p.end();
        return Over(d, pal::back);
    };
    Add(out, 7361, strip(8, true, false), QStringLiteral("slide strip left end, 8 x 110"));
    Add(out, 7360, strip(8, false, false), QStringLiteral("slide strip middle, stretched"));
    Add(out, 7359, strip(8, false, true), QStringLiteral("slide strip right end"));

    // One box, 78 x 92 per half: the normal look on the left, the selected one on the right.
    // Picture area (5,13)-(72,63), delay text (5,71)-(61,83), delay button at (62,72).
    {
        QImage d = Canvas(156, 92);
        QPainter p;
        Begin(p, d);
        for (int half = 0; half < 2; ++half) {
            const bool sel = half == 1;
            const qreal x = half * 78;
            const QRectF card(x + 0.5, 0.5, 77, 91);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xFE, 0xFE, 0xFE));
            p.drawRoundedRect(card, 6, 6);
            // The header: a film band with its perforations.
            QPainterPath head;
            head.addRoundedRect(card, 6, 6);
            p.save();
            p.setClipRect(QRectF(x, 0, 78, 10));
            p.fillPath(head, sel ? pal::accent : QColor(0xD5, 0xDA, 0xE1));
            p.restore();
            p.setBrush(sel ? QColor(0xCF, 0xE2, 0xFF) : QColor(0xF6, 0xF7, 0xF9));
            for (int i = 0; i < 7; ++i) p.drawRoundedRect(QRectF(x + 8 + i * 10, 3.5, 5, 3.5), 1, 1);
            // Picture well.
            p.setBrush(QColor(0xF1, 0xF3, 0xF6));
            p.setPen(QPen(sel ? pal::accentLine : QColor(0xDD, 0xE1, 0xE6), 1));
            p.drawRect(QRectF(x + 4.5, 12.5, 68, 51));
            // The delay row's quiet rule.
            p.setPen(QPen(QColor(0xE6, 0xE9, 0xED), 1));
            p.drawLine(QPointF(x + 5, 67.5), QPointF(x + 72, 67.5));
            // Outline.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(sel ? pal::accent : QColor(0xC4, 0xCA, 0xD2), sel ? 2 : 1));
            p.drawRoundedRect(sel ? card.adjusted(0.5, 0.5, -0.5, -0.5) : card, 6, 6);
        }
        p.end();
        Add(out, 7358, Over(d, trayFill), QStringLiteral("slide box: normal | selected, 78 x 92 each"));
    }
    {
        QImage d = Canvas(10, 10);
        QPainter p;
        Begin(p, d);
        FillGradient(p, QRectF(0.5, 0.5, 9, 9), QColor(0xF7, 0xF8, 0xFA), QColor(0xE3, 0xE7, 0xEC), 2);
        p.setPen(QPen(QColor(0xA9, 0xB1, 0xBC), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, 9, 9), 2, 2);
        QPainterPath tri;
        tri.moveTo(2.5, 4);
        tri.lineTo(7.5, 4);
        tri.lineTo(5, 7);
        tri.closeSubpath();
        p.fillPath(tri, pal::ink);
        p.end();
        Add(out, 7357, Over(d, QColor(0xFE, 0xFE, 0xFE)), QStringLiteral("delay button 10 x 10"));
    }
}

// ---- windows: progress window, About box -------------------------------------------------

namespace {

// The product's lens mark on the deep blue of the splash screen.
void BlueField(QPainter& p, const QRectF& r, QPointF lens, qreal radius)
{
    QLinearGradient sky(r.topLeft(), r.bottomRight());
    sky.setColorAt(0, QColor(10, 32, 78));
    sky.setColorAt(0.6, QColor(22, 76, 160));
    sky.setColorAt(1, QColor(38, 122, 206));
    p.fillRect(r, sky);
    p.save();
    p.setClipRect(r);
    QRadialGradient glow(lens, radius * 2);
    glow.setColorAt(0, QColor(120, 200, 255, 80));
    glow.setColorAt(1, QColor(120, 200, 255, 0));
    p.fillRect(r, glow);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 40), radius * 0.2));
    p.drawEllipse(lens, radius * 1.5, radius * 1.5);
    p.setPen(QPen(QColor(255, 255, 255, 60), 2.5));
    p.drawEllipse(lens, radius * 1.15, radius * 1.15);
    QRadialGradient glass(lens + QPointF(-radius * 0.2, -radius * 0.2), radius);
    glass.setColorAt(0, QColor(90, 170, 240, 160));
    glass.setColorAt(0.7, QColor(16, 52, 120, 210));
    glass.setColorAt(1, QColor(8, 30, 74, 230));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(lens, radius, radius);
    p.setBrush(QColor(4, 18, 48, 210));
    p.drawEllipse(lens, radius * 0.28, radius * 0.28);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(lens + QPointF(-radius * 0.4, -radius * 0.42), radius * 0.13, radius * 0.09);
    p.restore();
}

void Wordmark(QPainter& p, QPointF at, qreal size, const QColor& name, const QColor& suite)
{
    QFont bold = WordFace(size, QFont::Bold);
    QPainterPath word;
    word.addText(at, bold, QStringLiteral("Vimbro"));
    p.setPen(QPen(name, size / 40.0));
    p.setBrush(name);
    p.drawPath(word);
    p.setBrush(Qt::NoBrush);
    const qreal after = at.x() + QFontMetricsF(bold).horizontalAdvance(QStringLiteral("Vimbro")) + 2;
    p.setFont(WordFace(size, QFont::Normal));
    p.setPen(suite);
    p.drawText(QPointF(after, at.y()), QStringLiteral("Suite"));
}

}  // namespace

void Windows(std::vector<Art>& out)
{
    // Progress window background, 340 x 240: the status text goes to (20,185) 200 x 15, the
    // bar to (20,205) 300 x 20, on the light lower part.
    {
        QImage d = Canvas(340, 240);
        QPainter p;
        Begin(p, d);
        p.fillRect(QRectF(0, 0, 340, 240), QColor(0xFA, 0xFB, 0xFC));
        BlueField(p, QRectF(0, 0, 340, 150), QPointF(282, 70), 44);
        p.setFont(WordFace(11, QFont::ExtraBold));
        p.setPen(QColor(140, 200, 255));
        p.drawText(QPointF(24, 42), QStringLiteral("ZEL"));
        Wordmark(p, QPointF(22, 84), 32, Qt::white, QColor(170, 215, 255));
        p.setFont(Face(12));
        p.setPen(QColor(200, 225, 255));
        p.drawText(QPointF(24, 112), QStringLiteral("사진을 정리하고 있습니다"));
        QLinearGradient rule(0, 0, 340, 0);
        rule.setColorAt(0, QColor(255, 176, 59));
        rule.setColorAt(0.5, QColor(255, 120, 80));
        rule.setColorAt(1, QColor(232, 70, 120));
        p.fillRect(QRectF(0, 147, 340, 3), rule);
        p.setFont(Face(12, QFont::Bold));
        p.setPen(pal::ink);
        p.drawText(QPointF(20, 174), QStringLiteral("잠시만 기다려 주십시오"));
        // The bar's well.
        p.setPen(QPen(pal::lineSoft, 1));
        p.setBrush(QColor(0xEE, 0xF0, 0xF3));
        p.drawRoundedRect(QRectF(19.5, 204.5, 301, 21), 4, 4);
        p.setPen(QPen(QColor(0xD5, 0xD9, 0xDF), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 339, 239));
        p.end();
        Add(out, 7412, Over(d, pal::back), QStringLiteral("progress window 340 x 240"));
    }
    // The progress bar's filled look, 300 x 20 (the bar shows as much of it as it is full).
    {
        QImage d = Canvas(300, 20);
        QPainter p;
        Begin(p, d);
        FillGradient(p, QRectF(0, 0, 300, 20), QColor(0x4D, 0xA0, 0xFF), QColor(0x00, 0x62, 0xE0), 0);
        p.fillRect(QRectF(0, 0, 300, 9), QColor(255, 255, 255, 40));
        p.setPen(QPen(QColor(255, 255, 255, 36), 6));
        for (int x = -20; x < 320; x += 16) p.drawLine(QPointF(x, 22), QPointF(x + 16, -2));
        p.end();
        Add(out, 7411, Over(d, pal::accent), QStringLiteral("progress fill 300 x 20"));
    }
    // About box, 420 x 260: the version text is written at (195,53) 100 x 15.
    {
        QImage d = Canvas(420, 260);
        QPainter p;
        Begin(p, d);
        p.fillRect(QRectF(0, 0, 420, 260), QColor(0xFD, 0xFD, 0xFE));
        BlueField(p, QRectF(0, 0, 176, 260), QPointF(88, 108), 46);
        p.setFont(WordFace(11, QFont::ExtraBold));
        p.setPen(QColor(140, 200, 255));
        p.drawText(QRectF(0, 190, 176, 20), Qt::AlignCenter, QStringLiteral("ZEL"));
        p.fillRect(QRectF(176, 0, 3, 260), QColor(255, 150, 70));
        p.setFont(WordFace(11, QFont::ExtraBold));
        p.setPen(pal::accent);
        p.drawText(QPointF(195, 24), QStringLiteral("ZEL"));
        Wordmark(p, QPointF(194, 47), 24, pal::ink, pal::inkSoft);
        p.setFont(Face(12));
        p.setPen(pal::inkSoft);
        const QStringList lines{QStringLiteral("카메라폰 사진을 위한 포토 매니저"), QStringLiteral("앨범 정리 · 사진 편집 · ZEL 꾸미기"),
                                QStringLiteral("PHT · EBA · GIF 내보내기")};
        for (int i = 0; i < lines.size(); ++i) p.drawText(QPointF(195, 96 + i * 20), lines[i]);
        p.setPen(QPen(QColor(0xE3, 0xE6, 0xEA), 1));
        p.drawLine(QPointF(195, 170.5), QPointF(400, 170.5));
        p.setFont(Face(11));
        p.setPen(QColor(0x8A, 0x93, 0xA0));
        p.drawText(QPointF(195, 190), QStringLiteral("Copyright © ZEL. All rights reserved."));
        p.setPen(QPen(QColor(0xD5, 0xD9, 0xDF), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, 419, 259));
        p.end();
        Add(out, 7418, Over(d, pal::white), QStringLiteral("About box 420 x 260"));
    }
}

// ---- icons ---------------------------------------------------------------------------------

// The program's icon: the lens on a blue rounded square, drawn on a 128 grid and scaled, so
// the desktop's sizes (48, 128, 256) stay sharp.
QImage ProgramIcon(int size)
{
    QImage img = Canvas(size, size);
    QPainter p;
    Begin(p, img);
    p.scale(size / 128.0, size / 128.0);
    QLinearGradient g(0, 0, 128, 128);
    g.setColorAt(0, QColor(38, 122, 206));
    g.setColorAt(1, QColor(10, 40, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 26, 26);
    const QPointF c(64, 64);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 70), 8));
    p.drawEllipse(c, 42, 42);
    QRadialGradient glass(c + QPointF(-8, -8), 34);
    glass.setColorAt(0, QColor(120, 190, 250));
    glass.setColorAt(0.7, QColor(20, 60, 130));
    glass.setColorAt(1, QColor(6, 24, 64));
    p.setPen(QPen(QColor(220, 235, 255), 3));
    p.setBrush(glass);
    p.drawEllipse(c, 32, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(4, 14, 40));
    p.drawEllipse(c, 10, 10);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(c + QPointF(-13, -14), 6, 4);
    p.setBrush(QColor(255, 160, 60));
    p.drawEllipse(QPointF(102, 26), 6, 6);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

void Icons(std::vector<Art>& out)
{
    out.push_back({7416, ProgramIcon(128), QStringLiteral("program icon 128")});
    // Message box icons, 63 x 63: exclamation, hand, question, information.
    auto badge = [](int kind) {
        QImage img = Canvas(63, 63);
        QPainter p;
        Begin(p, img);
        const QColor fill = kind == 0 ? pal::warning : kind == 1 ? pal::danger : pal::accent;
        QLinearGradient g(0, 0, 0, 63);
        g.setColorAt(0, fill.lighter(115));
        g.setColorAt(1, fill.darker(108));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 30));
        if (kind == 0) {
            QPainterPath tri;
            tri.moveTo(31.5, 5);
            tri.lineTo(59, 55);
            tri.lineTo(4, 55);
            tri.closeSubpath();
            p.drawPath(tri.translated(0, 2));
            QPainterPathStroker round;
            round.setWidth(7);
            round.setJoinStyle(Qt::RoundJoin);
            const QPainterPath body = tri.united(round.createStroke(tri));
            p.setBrush(g);
            p.drawPath(body);
        } else {
            p.drawEllipse(QPointF(31.5, 33), 28, 28);
            p.setBrush(g);
            p.drawEllipse(QPointF(31.5, 31.5), 28, 28);
        }
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::white);
        switch (kind) {
        case 0:
            p.drawLine(QPointF(31.5, 22), QPointF(31.5, 38));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(31.5, 47.5), 3.6, 3.6);
            break;
        case 1:
            p.drawLine(QPointF(22, 22), QPointF(41, 41));
            p.drawLine(QPointF(41, 22), QPointF(22, 41));
            break;
        case 2: {
            QFont f = WordFace(40, QFont::ExtraBold);
            p.setFont(f);
            p.drawText(QRectF(0, -1, 63, 63), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        default:
            p.drawLine(QPointF(31.5, 28), QPointF(31.5, 45));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(31.5, 18.5), 3.8, 3.8);
            break;
        }
        p.end();
        return img.convertToFormat(QImage::Format_ARGB32);
    };
    out.push_back({7518, badge(0), QStringLiteral("exclamation 63")});
    out.push_back({7519, badge(1), QStringLiteral("hand (error) 63")});
    out.push_back({7520, badge(2), QStringLiteral("question 63")});
    out.push_back({7521, badge(3), QStringLiteral("information 63")});
}

}  // namespace art
