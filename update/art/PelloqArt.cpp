// pelloq-art: draws Pelloq's two bitmaps at build time and writes them, as BMP file bytes, into a
// C++ source that the library compiles in.
//
//   pelloq-art <output.cpp> <version> [preview folder]
//
// 8005, the splash picture: 402 x 171, 24 bits. Everything outside its rounded outline is the
// key colour (12, 41, 80), which the splash window cuts away; no pixel inside has that colour.
// The status line is drawn by the program into (110, 135)-(390, 175), on the light lower band.
// 8003, the progress skin: 90 x 16, 8 bits, nine cells of 10 x 16; pure cyan is transparent.
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSet>

#include <cstdio>

namespace {

constexpr int kSplashWidth = 402;
constexpr int kSplashHeight = 171;
constexpr QRgb kKey = qRgb(12, 41, 80);
constexpr int kBandTop = 129;  // the light band for the status line starts here

constexpr int kCell = 10;
constexpr int kSkinHeight = 16;
constexpr QRgb kCyan = qRgb(0, 255, 255);

QFont Face(const QStringList& families, int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The outline: a rounded rectangle, drawn without smoothing so every pixel is either inside
// (never the key colour) or outside (exactly the key colour).
QPainterPath Outline() {
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, kSplashWidth, kSplashHeight), 14, 14);
    return path;
}

QImage DrawSplash(const QString& version) {
    QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    image.fill(kKey);
    QImage body(kSplashWidth, kSplashHeight, QImage::Format_ARGB32_Premultiplied);
    body.fill(Qt::transparent);
    {
        QPainter p(&body);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);

        // Upper field: deep blue, lighter towards the lens on the right.
        QLinearGradient sky(0, 0, kSplashWidth, kBandTop);
        sky.setColorAt(0.0, QColor(10, 32, 78));
        sky.setColorAt(0.55, QColor(22, 76, 160));
        sky.setColorAt(1.0, QColor(38, 122, 206));
        p.fillRect(QRect(0, 0, kSplashWidth, kBandTop), sky);

        QRadialGradient glow(QPointF(338, 52), 150);
        glow.setColorAt(0.0, QColor(120, 200, 255, 90));
        glow.setColorAt(1.0, QColor(120, 200, 255, 0));
        p.fillRect(QRect(0, 0, kSplashWidth, kBandTop), glow);

        // A lens: rings, an aperture of six blades and a highlight, partly off the edge.
        p.save();
        p.setClipRect(QRect(0, 0, kSplashWidth, kBandTop));
        const QPointF centre(338, 56);
        p.setPen(QPen(QColor(255, 255, 255, 40), 12));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 84, 84);
        p.setPen(QPen(QColor(255, 255, 255, 60), 3));
        p.drawEllipse(centre, 64, 64);
        p.setPen(QPen(QColor(255, 255, 255, 28), 1.5));
        p.drawEllipse(centre, 100, 100);
        QRadialGradient glass(centre + QPointF(-10, -12), 58);
        glass.setColorAt(0.0, QColor(90, 170, 240, 150));
        glass.setColorAt(0.7, QColor(16, 52, 120, 200));
        glass.setColorAt(1.0, QColor(8, 30, 74, 220));
        p.setPen(Qt::NoPen);
        p.setBrush(glass);
        p.drawEllipse(centre, 56, 56);
        p.setPen(QPen(QColor(255, 255, 255, 55), 1.2));
        for (int blade = 0; blade < 6; ++blade) {
            p.save();
            p.translate(centre);
            p.rotate(blade * 60.0 + 15.0);
            p.drawLine(QPointF(14, -8), QPointF(52, 22));
            p.restore();
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(4, 18, 48, 200));
        p.drawEllipse(centre, 15, 15);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(centre + QPointF(-22, -24), 7, 5);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(centre + QPointF(-8, -32), 3, 2);
        p.restore();

        // The name.
        const QStringList titleFaces{QStringLiteral("NanumSquare"), QStringLiteral("DejaVu Sans")};
        QFont zel = Face(titleFaces, 13, QFont::ExtraBold);
        zel.setLetterSpacing(QFont::AbsoluteSpacing, 4);
        p.setFont(zel);
        p.setPen(QColor(140, 200, 255));
        p.drawText(QPointF(28, 40), QStringLiteral("ZEL"));
        p.fillRect(QRectF(28, 46, 26, 2), QColor(255, 170, 60));

        QFont name = Face(titleFaces, 40, QFont::Bold);
        const QString vimbro = QStringLiteral("Vimbro");
        // The face's bold is light at this size; an outline of the glyphs makes it heavier.
        QPainterPath word;
        word.addText(QPointF(25, 88), name, vimbro);
        p.setPen(QPen(QColor(255, 255, 255), 1.1));
        p.setBrush(QColor(255, 255, 255));
        p.drawPath(word);
        p.setBrush(Qt::NoBrush);
        const qreal after = 25 + QFontMetricsF(name).horizontalAdvance(vimbro) + 2;
        QFont suite = Face(titleFaces, 40, QFont::Normal);
        p.setFont(suite);
        p.setPen(QColor(170, 215, 255));
        p.drawText(QPointF(after, 88), QStringLiteral("Suite"));

        QFont tagline =
            Face({QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumGothic"), QStringLiteral("DejaVu Sans")}, 12,
                 QFont::Normal);
        p.setFont(tagline);
        p.setPen(QColor(200, 225, 255));
        p.drawText(QPointF(29, 111), QStringLiteral("카메라폰 사진을 위한 포토 매니저"));

        // Accent line between the field and the band.
        QLinearGradient accent(0, 0, kSplashWidth, 0);
        accent.setColorAt(0.0, QColor(255, 176, 59));
        accent.setColorAt(0.5, QColor(255, 120, 80));
        accent.setColorAt(1.0, QColor(232, 70, 120));
        p.fillRect(QRect(0, kBandTop - 3, kSplashWidth, 3), accent);

        // The light band that carries the status line.
        QLinearGradient band(0, kBandTop, 0, kSplashHeight);
        band.setColorAt(0.0, QColor(255, 255, 255));
        band.setColorAt(1.0, QColor(232, 237, 244));
        p.fillRect(QRect(0, kBandTop, kSplashWidth, kSplashHeight - kBandTop), band);

        QFont small = Face({QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")}, 10, QFont::Normal);
        p.setFont(small);
        p.setPen(QColor(120, 132, 150));
        p.drawText(QPointF(16, 159), QStringLiteral("Version ") + version);
    }

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipPath(Outline());
    p.drawImage(0, 0, body);
    p.end();

    const QImage inside = [] {
        QImage mask(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
        mask.fill(Qt::black);
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing, false);
        m.fillPath(Outline(), Qt::white);
        return mask;
    }();
    for (int y = 0; y < kSplashHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(inside.constScanLine(y));
        for (int x = 0; x < kSplashWidth; ++x) {
            const bool isInside = qRed(in[x]) != 0;
            if (!isInside) {
                row[x] = kKey;
                continue;
            }
            // A thin edge (inside, next to outside) so the shape reads cleanly on any desktop.
            const bool edge = x == 0 || y == 0 || x == kSplashWidth - 1 || y == kSplashHeight - 1 ||
                              qRed(in[x - 1]) == 0 || qRed(in[x + 1]) == 0 ||
                              qRed(reinterpret_cast<const QRgb*>(inside.constScanLine(y - 1))[x]) == 0 ||
                              qRed(reinterpret_cast<const QRgb*>(inside.constScanLine(y + 1))[x]) == 0;
            if (edge) row[x] = y < kBandTop ? qRgb(30, 58, 108) : qRgb(150, 164, 184);
            if ((row[x] & 0xFFFFFF) == (kKey & 0xFFFFFF)) row[x] = qRgb(12, 41, 81);
        }
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

// One cell of the skin, drawn at x offset cell * kCell.
void DrawCell(QPainter& p, int cell) {
    const int x = cell * kCell;
    const QRect r(x, 0, kCell, kSkinHeight);
    p.fillRect(r, QColor(kCyan));
    if (cell == 1) return;  // not drawn by the bar

    QLinearGradient track(0, 0, 0, kSkinHeight);
    track.setColorAt(0.0, QColor(200, 208, 220));
    track.setColorAt(0.25, QColor(232, 236, 242));
    track.setColorAt(1.0, QColor(246, 248, 251));
    QLinearGradient fill(0, 0, 0, kSkinHeight);
    fill.setColorAt(0.0, QColor(150, 210, 255));
    fill.setColorAt(0.45, QColor(60, 150, 235));
    fill.setColorAt(0.55, QColor(32, 118, 214));
    fill.setColorAt(1.0, QColor(24, 92, 180));
    const QColor border(110, 128, 152);

    const bool filled = cell == 2 || cell == 3 || cell == 4 || cell == 5;
    p.fillRect(r.adjusted(0, 1, 0, -1), filled ? QBrush(fill) : QBrush(track));
    p.fillRect(QRect(x, 0, kCell, 1), border);
    p.fillRect(QRect(x, kSkinHeight - 1, kCell, 1), border);

    switch (cell) {
        case 0:
        case 2: {  // left end: a rounded cap, empty (0) or filled (2)
            p.fillRect(QRect(x, 0, 1, kSkinHeight), border);
            const QRect corners[] = {
                {x, 0, 2, 1}, {x, 0, 1, 2}, {x, kSkinHeight - 1, 2, 1}, {x, kSkinHeight - 2, 1, 2}};
            for (const QRect& c : corners) p.fillRect(c, QColor(kCyan));
            p.fillRect(QRect(x + 1, 1, 1, 1), border);
            p.fillRect(QRect(x + 1, kSkinHeight - 2, 1, 1), border);
            break;
        }
        case 3:  // the mark at half the filled length: a grip of three light lines
            for (int i = 0; i < 3; ++i) p.fillRect(QRect(x + 2 + i * 3, 4, 1, kSkinHeight - 8), QColor(200, 232, 255));
            break;
        case 5:  // the head: the fill ends in a bright edge
            p.fillRect(QRect(x + kCell - 2, 1, 1, kSkinHeight - 2), QColor(190, 230, 255));
            p.fillRect(QRect(x + kCell - 1, 1, 1, kSkinHeight - 2), QColor(20, 80, 160));
            break;
        case 6:  // just after the head: the head's shadow on the track
            p.fillRect(QRect(x, 1, 1, kSkinHeight - 2), QColor(170, 182, 200));
            p.fillRect(QRect(x + 1, 1, 1, kSkinHeight - 2), QColor(205, 213, 225));
            break;
        case 8: {  // right end
            p.fillRect(QRect(x + kCell - 1, 0, 1, kSkinHeight), border);
            const int rx = x + kCell - 1;
            const QRect corners[] = {
                {rx - 1, 0, 2, 1}, {rx, 0, 1, 2}, {rx - 1, kSkinHeight - 1, 2, 1}, {rx, kSkinHeight - 2, 1, 2}};
            for (const QRect& c : corners) p.fillRect(c, QColor(kCyan));
            p.fillRect(QRect(rx - 1, 1, 1, 1), border);
            p.fillRect(QRect(rx - 1, kSkinHeight - 2, 1, 1), border);
            break;
        }
        default:
            break;
    }
}

QImage DrawSkin() {
    QImage image(9 * kCell, kSkinHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int cell = 0; cell < 9; ++cell) DrawCell(p, cell);
    p.end();

    // An 8-bit picture: the colours used, cyan first; when there are too many, coarser steps.
    for (int drop = 0; drop < 8; ++drop) {
        const QRgb mask = qRgb(0xFF << drop & 0xFF, 0xFF << drop & 0xFF, 0xFF << drop & 0xFF);
        QList<QRgb> palette{kCyan};
        QSet<QRgb> seen{kCyan};
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QRgb c = image.pixel(x, y);
                if (c != kCyan) c &= mask;
                if (!seen.contains(c)) {
                    seen.insert(c);
                    palette.append(c);
                }
            }
        }
        if (palette.size() > 256) continue;
        QImage indexed(image.size(), QImage::Format_Indexed8);
        indexed.setColorTable(palette);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QRgb c = image.pixel(x, y);
                if (c != kCyan) c &= mask;
                indexed.setPixel(x, y, static_cast<uint>(palette.indexOf(c)));
            }
        }
        return indexed;
    }
    return {};
}

QByteArray Bmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void WriteArray(FILE* out, const char* name, const QByteArray& bytes) {
    std::fprintf(out, "extern const unsigned char %s[];\nextern const std::size_t %sSize;\n", name, name);
    std::fprintf(out, "alignas(4) const unsigned char %s[] = {", name);
    for (int i = 0; i < bytes.size(); ++i) {
        if (i % 20 == 0) std::fprintf(out, "\n   ");
        std::fprintf(out, " %u,", static_cast<unsigned char>(bytes[i]));
    }
    std::fprintf(out, "\n};\nconst std::size_t %sSize = sizeof %s;\n", name, name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pelloq-art <output.cpp> <version> [preview folder]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QImage splash = DrawSplash(QString::fromUtf8(argv[2]));
    const QImage skin = DrawSkin();
    const QByteArray splashBmp = Bmp(splash);
    const QByteArray skinBmp = Bmp(skin);
    // The bit depths are part of what the bitmaps are (offset 28 of a BMP file).
    if (skin.isNull() || splashBmp.size() < 54 || skinBmp.size() < 54 || splashBmp[28] != 24 || skinBmp[28] != 8) {
        std::fprintf(stderr, "pelloq-art: the bitmaps did not come out as 24 and 8 bits\n");
        return 1;
    }
    if (argc > 3) {
        QDir().mkpath(QString::fromLocal8Bit(argv[3]));
        splash.save(QString::fromLocal8Bit(argv[3]) + QStringLiteral("/8005.png"));
        skin.scaled(skin.width() * 4, skin.height() * 4)
            .save(QString::fromLocal8Bit(argv[3]) + QStringLiteral("/8003.png"));
    }

    const QString target = QString::fromLocal8Bit(argv[1]);
    const QString temp = target + QStringLiteral(".tmp");
    FILE* out = std::fopen(temp.toLocal8Bit().constData(), "w");
    if (!out) {
        std::fprintf(stderr, "pelloq-art: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(out, "// Drawn by pelloq-art; do not edit.\n#include <cstddef>\n\nnamespace PelloqArt {\n\n");
    WriteArray(out, "kSplash", splashBmp);
    WriteArray(out, "kProgressSkin", skinBmp);
    std::fprintf(out, "\n}  // namespace PelloqArt\n");
    const bool written = std::fclose(out) == 0;
    if (!written || (!QFile::remove(target) && QFile::exists(target)) || !QFile::rename(temp, target)) {
        std::fprintf(stderr, "pelloq-art: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
