// The drawing kit of brelt-gen: the product's palette, fonts, the small vector glyphs the
// buttons carry, and the helpers that turn an antialiased drawing into an opaque bitmap with
// an exact key colour where the windows expect transparency.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>
#include <QString>

#include <functional>
#include <vector>

namespace art {

// The product's colours: soft greys, slate chrome, one blue accent (the browser's selection
// colour). Every family draws with these so the screens read as one piece.
namespace pal {
inline const QColor back{0xED, 0xED, 0xED};         // view and panel background
inline const QColor line{0x9D, 0x9D, 0x9D};         // host borders
inline const QColor lineSoft{0xC4, 0xCA, 0xD2};     // quiet 1-px lines
inline const QColor lineMid{0xA9, 0xB1, 0xBC};      // button outlines, thumbs
inline const QColor groove{0xD6, 0xDA, 0xE0};       // slider grooves
inline const QColor tray{0xDD, 0xE1, 0xE6};         // recessed trays
inline const QColor panel{0xF6, 0xF7, 0xF9};        // raised light surfaces
inline const QColor white{0xFF, 0xFF, 0xFF};
inline const QColor ink{0x2B, 0x31, 0x3A};          // text and glyphs
inline const QColor inkSoft{0x5B, 0x66, 0x75};      // secondary glyphs
inline const QColor inkOff{0xB4, 0xBA, 0xC2};       // disabled glyphs
inline const QColor accent{0x00, 0x72, 0xFF};       // the one accent
inline const QColor accentDark{0x00, 0x58, 0xC8};
inline const QColor accentSoft{0xE3, 0xEE, 0xFF};
inline const QColor accentLine{0x7F, 0xB2, 0xFF};
inline const QColor chromeTop{0x47, 0x53, 0x61};    // caption gradient
inline const QColor chromeBottom{0x2C, 0x34, 0x3E};
inline const QColor chromeEdge{0x1B, 0x20, 0x27};   // the window's outer line
inline const QColor danger{0xD9, 0x41, 0x3A};
inline const QColor warning{0xF2, 0xA1, 0x1F};
}  // namespace pal

// Key colours the windows cut away.
constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

// One finished bitmap with its identifier and a short note for the contact sheet.
struct Art {
    int id = 0;
    QImage image;
    QString note;
};

QFont Face(qreal pixelSize, QFont::Weight weight = QFont::Normal);
QFont WordFace(qreal pixelSize, QFont::Weight weight = QFont::Bold);

// An ARGB canvas, transparent, and an opaque one filled with one colour.
QImage Canvas(int w, int h);
QImage Solid(int w, int h, const QColor& c);
QPainter* Begin(QPainter& p, QImage& img);  // antialiased painter on img

// Makes a drawing opaque: pixels the drawing covers less than a quarter become `key`, the
// others are composed over the matte (the same size, what lies under the bitmap on screen).
// No kept pixel equals the key: one that would is nudged by one step of blue.
QImage Keyed(const QImage& drawing, QRgb key, const QImage& matte);
// Composes a drawing over a matte, without any key.
QImage Flatten(const QImage& drawing, const QImage& matte);

// Vertical gradient helper.
void FillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom, qreal radius = 0);

enum class Glyph {
    Lens, Album, AlbumPlus, Photos, Import, Edit, Decorate,
    Undo, Redo, RotateLeft, RotateRight, Mirror, Flip, Crop, Screen, Brightness, Text,
    Bold, Italic, Underline, Shadow,
    ArrowLeft, ArrowRight, Save, Print, Play, Stop, PictureSmall, PictureLarge,
    Minimise, Maximise, Restore, Close, ChevronDown,
};
void DrawGlyph(QPainter& p, Glyph g, const QRectF& box, const QColor& ink);

// The five states of a skinned button, in the order the strips hold them.
enum SkinState { kNormal = 0, kPressed = 1, kHover = 2, kFocus = 3, kDisabled = 4 };
// Draws one state's content (glyph, label) inside `face`, in `ink`.
using SkinContent = std::function<void(QPainter&, const QRectF& face, const QColor& ink, int state)>;
// A strip of five states of `cell` size, side by side; white outside the rounded face (the
// region the button cuts), `matte` is the surface the button stands on.
QImage SkinStrip(QSize cell, const SkinContent& content, const QColor& matte, qreal radius = 4,
                 bool flat = false);
// Content helpers: a glyph alone, a label alone, a glyph beside a label, a glyph over a label.
SkinContent GlyphOnly(Glyph g, qreal size);
SkinContent LabelOnly(const QString& text, qreal px = 12);
SkinContent GlyphLabel(Glyph g, const QString& text, qreal glyphSize = 14);
SkinContent GlyphOverLabel(Glyph g, const QString& text, qreal glyphSize = 22);

// The families of bitmaps, one function each (Families.cpp).
void Frame(std::vector<Art>& out);
void TopBar(std::vector<Art>& out);
void AlbumItems(std::vector<Art>& out);
void BottomRow(std::vector<Art>& out);
void Sliders(std::vector<Art>& out);
void Panels(std::vector<Art>& out);
void Buttons(std::vector<Art>& out);
void ToolButtons(std::vector<Art>& out);
void Preview(std::vector<Art>& out);
void Slides(std::vector<Art>& out);
void Windows(std::vector<Art>& out);
void Icons(std::vector<Art>& out);
// The program icon (7416 at 128) at any size, for the desktop's icon theme.
QImage ProgramIcon(int size);

// Menus 128 and 129 and the string table (Text.cpp).
QJsonArray MainMenu();
QJsonArray ContextMenus();
QJsonObject StringTable();

}  // namespace art
