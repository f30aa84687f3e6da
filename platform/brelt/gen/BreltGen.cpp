// brelt-gen: draws every bitmap and icon of the language resources and writes them, with the
// menus and the string table, into a folder with a .qrc that rcc turns into Brelt.rcc.
//
//   brelt-gen <output folder>      bitmap/<id>.png, icon/<id>.png, menu/<id>.json,
//                                  strings.json and brelt.qrc
//   brelt-gen --sheet <file.png>   a contact sheet of everything, labelled by ID
//   brelt-gen --icon <size> <file.png>   the program icon at size x size, for the desktop
//
// Bitmaps (opaque, 24 bits). "N states of W x H" means the states side by side, each W x H.
// Five-state skins hold normal, pressed, hover, focus, disabled, and are pure white
// (0xFFFFFF) outside their rounded face (build the button's region from the fifth state);
// no pixel inside is pure white. Magenta (0xFF00FF) marks transparency where noted. Pieces
// that slide or tile under a thumb are uniform along their axis, so thumbs need no key.
//
// Main frame
//   7205  caption left, 40 x 30 (the outer line, rounded corner, product mark)
//   7206  caption middle, 8 x 30, tiled
//   7204  caption right, 12 x 30
//   7207 minimise, 7208 maximise, 7510 restore, 7209 close: 3 states of 16 x 17 (normal at
//         x 0, hover at 16, pressed at 32), magenta around the glyph
//   7214 left edge 4 x 8 and 7213 right edge 4 x 8 (tiled down); 7215 bottom edge 8 x 4
//         (tiled across); 7216 bottom-left and 7217 bottom-right corners, 4 x 4
//   7230  background tile 16 x 16 (0xEDEDED): under the caption, top bar, work views
//   7218  menu bar theme 8 x 26, light, lower line at the bottom; stretch or tile
// Top bar (suggested height 6 + 42 + 80 = 128)
//   7219  title tray 380 x 42, centred at y 6; the mode buttons stand on it at y 11
//   7224 mode 0, 7226 mode 1, 7225 mode 2: 2 states (off, on) of 120 x 32
//   7220 lower band left 16 x 80, 7222 middle 8 x 80 (tiled), 7221 right 16 x 80: a white
//         panel from y 2 to 77, 6 px in from the ends, behind the album strip
//   7227  add album, 7223 import: 5 states of 64 x 48 (the strip is 48 + 8 high)
//   7236  album item: 4 states of 72 x 48 (normal, hover, pressed/selected, disabled); the
//         glyph fills y 0..28, the name is written from y 32 on the cell's light face
//   7413  all-photos item, the same cut
// Work views
//   7094  bottom-row mark 150 x 24 (static 7087); 7231 smaller 20 x 20 (static 7008);
//         7232 larger 20 x 20 (static 7009); all on 0xEDEDED
//   7503  bottom-row band 16 x 50, tiled
//   7514  thumbnail-size channel, 7233 zoom channel: 160 x 20, groove from x 3 to 157
//   7234  zoom thumb, 7235 the same active: 12 x 20
//   7318 previous, 7317 next: 5 states of 40 x 30; 7320 save, 7319 print: 5 states of 56 x 30
// Panels (filter, frame, album, preview)
//   7053 title left, 7054 title middle (tiled), 7052 title right: 8 x 26; dark title text
//   7266 left edge 2 x 8, 7267 right edge 2 x 8 (stretched down), 7268 bottom edge 8 x 2
//   7261 scroll bar top end 12 x 8, 7262 middle 12 x 8 (stretched), 7264 bottom end 12 x 8,
//         7263 thumb 12 x 36
//   7354  phone 161 x 250, screen (22,50)-(139,161)
//   7415  empty frame 43 x 43 (the frame list's "no frame" item; no key colour)
//   7420  size button: 5 states of 56 x 22 (label written by the button); 7355 play and
//         7356 stop: 5 states of 40 x 28
// Effect panel tools (keyed by the tools' control IDs; W = 108 across the pairs)
//   7283 undo, 7284 redo, 7285 rotate left, 7286 rotate right, 7287 mirror, 7288 flip:
//         5 states of 54 x 34; 7289 crop, 1033 screen size, 7293 brightness, 7199 text:
//         5 states of 108 x 28; 7290 screen 1, 7291 screen 2: 5 states of 54 x 28;
//         7301 bold, 7302 italic, 7303 underline, 7304 shadow: 5 states of 16 x 16
// Slide strip
//   7361 left end, 7360 middle (stretched), 7359 right end: 8 x 110, tray to y 96
//   7358  slide box: 2 halves of 78 x 92 (normal, selected); picture area (5,13)-(72,63),
//         delay text (5,71)-(61,83), delay button at (62,72)
//   7357  delay button 10 x 10
//   7366 scroller left end, 7367 middle (stretched), 7369 right end: 8 x 11; 7368 thumb 48 x 11
// Dialogs
//   7516  dialog button: 5 states of 80 x 25 (label written by the button)
//   7412  progress window 340 x 240; 7411 progress bar fill 300 x 20
//   7418  About box 420 x 260 (version text at (195,53)); 7417 its button, cut as 7516
// Icons (with alpha): 7416 program 128 x 128; message box 63 x 63: 7518 exclamation,
//   7519 hand, 7520 question, 7521 information.
// Menus: 128 the menu bar (pop-ups of commands), 129 the context menus: 0 album strip item,
//   1 browser with a selection, 2 browser without, 3 slide delay, 4 slide box. Items are
//   {id, text, shortcut, separator, radio, items[]}.
#include "platform/brelt/gen/Art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QPixmap>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

std::vector<art::Art> AllBitmaps()
{
    std::vector<art::Art> out;
    art::Frame(out);
    art::TopBar(out);
    art::AlbumItems(out);
    art::BottomRow(out);
    art::Sliders(out);
    art::Panels(out);
    art::Buttons(out);
    art::ToolButtons(out);
    art::Preview(out);
    art::Slides(out);
    art::Windows(out);
    return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(bytes);
    return f.commit();
}

int Generate(const QString& folder)
{
    const QDir dir(folder);
    for (const char* sub : {"bitmap", "icon", "menu"})
        if (!dir.mkpath(QString::fromLatin1(sub))) {
            std::fprintf(stderr, "brelt-gen: cannot make %s/%s\n", qPrintable(folder), sub);
            return 1;
        }

    QStringList files;
    std::map<int, bool> seen;
    auto save = [&](const QString& rel, const QImage& image) {
        if (!image.save(dir.filePath(rel), "PNG")) {
            std::fprintf(stderr, "brelt-gen: cannot write %s\n", qPrintable(rel));
            return false;
        }
        files << rel;
        return true;
    };
    for (const art::Art& a : AllBitmaps()) {
        if (seen[a.id]) {
            std::fprintf(stderr, "brelt-gen: bitmap %d drawn twice\n", a.id);
            return 1;
        }
        seen[a.id] = true;
        if (!save(QStringLiteral("bitmap/%1.png").arg(a.id), a.image))
            return 1;
    }
    std::vector<art::Art> icons;
    art::Icons(icons);
    for (const art::Art& a : icons)
        if (!save(QStringLiteral("icon/%1.png").arg(a.id), a.image))
            return 1;

    const struct {
        QString rel;
        QByteArray bytes;
    } texts[] = {
        {QStringLiteral("menu/128.json"), QJsonDocument(art::MainMenu()).toJson(QJsonDocument::Indented)},
        {QStringLiteral("menu/129.json"), QJsonDocument(art::ContextMenus()).toJson(QJsonDocument::Indented)},
        {QStringLiteral("strings.json"), QJsonDocument(art::StringTable()).toJson(QJsonDocument::Indented)},
    };
    for (const auto& t : texts) {
        if (!WriteFile(dir.filePath(t.rel), t.bytes)) {
            std::fprintf(stderr, "brelt-gen: cannot write %s\n", qPrintable(t.rel));
            return 1;
        }
        files << t.rel;
    }

    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/brelt\">\n";
    for (const QString& f : files)
        qrc += "  <file>" + f.toUtf8() + "</file>\n";
    qrc += "</qresource>\n</RCC>\n";
    if (!WriteFile(dir.filePath(QStringLiteral("brelt.qrc")), qrc)) {
        std::fprintf(stderr, "brelt-gen: cannot write brelt.qrc\n");
        return 1;
    }
    return 0;
}

const QImage& Find(const std::vector<art::Art>& all, int id)
{
    static const QImage none;
    for (const art::Art& a : all)
        if (a.id == id)
            return a.image;
    return none;
}

// The pieces put together the way the windows cut and tile them, to judge them as one screen.
QImage Mock(const std::vector<art::Art>& all)
{
    const int W = 1000, H = 420;
    QImage m(W, H, QImage::Format_RGB32);
    QPainter p(&m);
    auto img = [&](int id) -> const QImage& { return Find(all, id); };
    auto tile = [&](int id, const QRect& r) { p.drawTiledPixmap(r, QPixmap::fromImage(img(id))); };
    auto cell = [&](int id, int index, int count, QPoint at) {
        const QImage& i = img(id);
        const int w = i.width() / count;
        p.drawImage(at, i.copy(index * w, 0, w, i.height()));
    };
    auto keyed = [&](int id, int index, int count, QPoint at, QRgb key) {
        const QImage& i = img(id);
        const int w = i.width() / count;
        QImage c = i.copy(index * w, 0, w, i.height()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x)
                if ((c.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) c.setPixel(x, y, 0);
        p.drawImage(at, c);
    };
    tile(7230, m.rect());
    // Caption and edges.
    p.drawImage(0, 0, img(7205));
    tile(7206, QRect(40, 0, W - 52, 30));
    p.drawImage(W - 12, 0, img(7204));
    keyed(7207, 0, 3, QPoint(W - 12 - 60, 7), 0xFF00FF);
    keyed(7208, 1, 3, QPoint(W - 12 - 40, 7), 0xFF00FF);
    keyed(7209, 0, 3, QPoint(W - 12 - 20, 7), 0xFF00FF);
    p.setFont(art::Face(14, QFont::DemiBold));
    p.setPen(Qt::black);
    p.drawText(QRect(1, 1, W, 30), Qt::AlignCenter, QStringLiteral("ZEL VimbroSuite"));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, W, 30), Qt::AlignCenter, QStringLiteral("ZEL VimbroSuite"));
    tile(7214, QRect(0, 30, 4, H - 34));
    tile(7213, QRect(W - 4, 30, 4, H - 34));
    tile(7215, QRect(4, H - 4, W - 8, 4));
    p.drawImage(0, H - 4, img(7216));
    p.drawImage(W - 4, H - 4, img(7217));
    // Menu bar.
    p.drawImage(QRect(4, 30, W - 8, 24), img(7218));
    p.setFont(art::Face(12));
    p.setPen(art::pal::ink);
    int mx = 14;
    for (const char* t : {"파일(F)", "편집(E)", "보기(V)", "앨범(A)", "사진(P)", "도구(T)", "도움말(H)"}) {
        p.drawText(QRect(mx, 30, 70, 24), Qt::AlignVCenter, QString::fromUtf8(t));
        mx += 64;
    }
    // Top bar.
    const int top = 54;
    const QImage& title = img(7219);
    const int tx = (W - title.width()) / 2;
    p.drawImage(tx, top + 6, title);
    const int bx = (W - 10 - 360) / 2;
    cell(7224, 1, 2, QPoint(bx, top + 11));
    cell(7226, 0, 2, QPoint(bx + 125, top + 11));
    cell(7225, 0, 2, QPoint(bx + 250, top + 11));
    p.setPen(art::pal::ink);
    p.drawText(QRect(W - 224, top + 11, 50, 20), Qt::AlignCenter, QStringLiteral("폰 모델"));
    p.fillRect(QRect(W - 170, top + 11, 150, 20), Qt::white);
    p.setPen(art::pal::lineSoft);
    p.drawRect(QRect(W - 170, top + 11, 149, 19));
    p.setPen(art::pal::ink);
    p.drawText(QRect(W - 164, top + 11, 140, 20), Qt::AlignVCenter, QStringLiteral("SCH-V740"));
    const int by = top + 6 + title.height();
    p.drawImage(4, by, img(7220));
    tile(7222, QRect(20, by, W - 40, 80));
    p.drawImage(W - 20, by, img(7221));
    keyed(7227, 0, 5, QPoint(20, by + 11), 0xFFFFFF);
    keyed(7223, 2, 5, QPoint(W - 4 - 64 - 14, by + 11), 0xFFFFFF);
    const char* names[] = {"전체사진", "가족", "여행 2006", "친구들", "회사"};
    for (int k = 0; k < 5; ++k) {
        const QPoint at(4 + 64 + 18 + 10 + k * 92, by + 6 + 4);
        cell(k == 0 ? 7413 : 7236, k == 0 ? 2 : (k == 2 ? 1 : 0), 4, at);
        p.setFont(art::Face(11));
        p.setPen(art::pal::ink);
        p.drawText(QRect(at.x(), at.y() + 32, 72, 14), Qt::AlignCenter, QString::fromUtf8(names[k]));
    }
    // A panel with its title, edges and scroll bar, and the slide strip.
    const int py = by + 86;
    const int ph = H - py - 60;
    const QRect panel(14, py, 114, ph);
    p.drawImage(panel.left(), py, img(7053));
    tile(7054, QRect(panel.left() + 8, py, panel.width() - 16, 26));
    p.drawImage(panel.right() - 7, py, img(7052));
    p.setFont(art::Face(12, QFont::Bold));
    p.setPen(art::pal::ink);
    p.drawText(QRect(panel.left(), py, panel.width(), 24), Qt::AlignCenter, QStringLiteral("앨  범"));
    p.drawImage(QRect(panel.left(), py + 26, 2, ph - 26), img(7266));
    p.drawImage(QRect(panel.right() - 1, py + 26, 2, ph - 26), img(7267));
    p.drawImage(QRect(panel.left(), py + ph - 2, panel.width(), 2), img(7268));
    const int sx = panel.right() - 14;
    p.drawImage(sx, py + 31, img(7261));
    p.drawImage(QRect(sx, py + 39, 12, ph - 50), img(7262));
    p.drawImage(sx, py + ph - 11, img(7264));
    p.drawImage(sx, py + 60, img(7263));
    const int stripX = 140;
    p.drawImage(stripX, py, img(7361));
    p.drawImage(QRect(stripX + 8, py, 560, 110), img(7360));
    p.drawImage(stripX + 568, py, img(7359));
    for (int i = 0; i < 7; ++i) {
        const int left = stripX + 5 + i * 82;
        cell(7358, i == 1 ? 1 : 0, 2, QPoint(left, py + 2));
        p.drawImage(left + 62, py + 2 + 72, img(7357));
        if (i < 3) {
            p.fillRect(QRect(left + 5, py + 15, 67, 50), QColor(0x8F, 0xB8, 0xD8 - i * 30));
            p.setFont(art::Face(10));
            p.setPen(art::pal::ink);
            p.drawText(QRect(left + 5, py + 73, 56, 12), Qt::AlignCenter, QStringLiteral("0.%1초").arg(i + 1));
        }
    }
    p.drawImage(stripX, py + 113, img(7366));
    p.drawImage(QRect(stripX + 8, py + 113, 560, 11), img(7367));
    p.drawImage(stripX + 568, py + 113, img(7369));
    p.drawImage(stripX + 40, py + 113, img(7368));
    // Bottom row.
    const int row = H - 54;
    tile(7503, QRect(4, row, W - 8, 50));
    p.drawImage(20, row + 13, img(7094));
    p.drawImage(W - 30, row + 15, img(7232));
    p.drawImage(W - 195, row + 15, img(7233));
    p.drawImage(W - 120, row + 15, img(7234));
    p.drawImage(W - 220, row + 15, img(7231));
    cell(7318, 0, 5, QPoint(W - 380, row + 10));
    cell(7317, 2, 5, QPoint(W - 336, row + 10));
    cell(7320, 0, 5, QPoint(W - 290, row + 10));
    p.drawImage(740, py, img(7354));
    p.end();
    return m;
}

// Everything on one sheet, each picture over its ID and note, at twice its size when small.
int Sheet(const QString& path)
{
    std::vector<art::Art> all = AllBitmaps();
    art::Icons(all);
    std::sort(all.begin(), all.end(), [](const art::Art& a, const art::Art& b) { return a.id < b.id; });
    const int width = 1400;
    const QFont label = art::Face(11);
    // Lay out in rows first to learn the height.
    struct Place {
        const art::Art* art;
        QRect rect;
        int scale;
    };
    std::vector<Place> places;
    int x = 12, y = 12, rowHeight = 0;
    for (const art::Art& a : all) {
        const int scale = a.image.width() <= 60 && a.image.height() <= 60 ? 2 : 1;
        const int w = std::max(a.image.width() * scale, 120);
        const int h = a.image.height() * scale + 30;
        if (x + w > width - 12) {
            x = 12;
            y += rowHeight + 14;
            rowHeight = 0;
        }
        places.push_back({&a, QRect(x, y, w, h), scale});
        x += w + 16;
        rowHeight = std::max(rowHeight, h);
    }
    const QImage mock = Mock(all);
    QImage sheet(width, y + rowHeight + 24 + mock.height(), QImage::Format_RGB32);
    sheet.fill(QColor(0xD0, 0xD3, 0xD8));
    QPainter p(&sheet);
    p.drawImage(12, y + rowHeight + 12, mock);
    p.setFont(label);
    for (const Place& pl : places) {
        const QImage& img = pl.art->image;
        const QRect target(pl.rect.topLeft(), img.size() * pl.scale);
        p.fillRect(target, QBrush(QColor(0xB8, 0xBC, 0xC2), Qt::Dense6Pattern));
        p.drawImage(target, img);
        p.setPen(QColor(0x20, 0x24, 0x2A));
        p.drawText(QRect(pl.rect.left(), target.bottom() + 2, pl.rect.width() + 60, 14), Qt::AlignLeft,
                   QStringLiteral("%1  %2x%3").arg(pl.art->id).arg(img.width()).arg(img.height()));
        p.setPen(QColor(0x50, 0x58, 0x62));
        p.drawText(QRect(pl.rect.left(), target.bottom() + 15, pl.rect.width() + 60, 14), Qt::AlignLeft,
                   pl.art->note);
    }
    p.end();
    return sheet.save(path) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing text needs a font database, hence an application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--sheet"))
        return Sheet(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("--icon")) {
        bool ok = false;
        const int size = args[2].toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "brelt-gen: icon size must be 16 to 1024\n");
            return 2;
        }
        if (!art::ProgramIcon(size).save(args[3], "PNG")) {
            std::fprintf(stderr, "brelt-gen: cannot write %s\n", qPrintable(args[3]));
            return 1;
        }
        return 0;
    }
    if (args.size() == 2 && !args[1].startsWith(QLatin1Char('-')))
        return Generate(args[1]);
    std::fprintf(stderr, "usage: brelt-gen <output folder> | brelt-gen --sheet <file.png> | "
                         "brelt-gen --icon <size> <file.png>\n");
    return 2;
}
