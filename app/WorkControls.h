// The pieces the work views and their dialogs add to the skinned controls: the bottom row's
// bitmap statics and text boxes, the host-window frame, and empty places for the views and
// panels that arrive later. Each draws a plain fallback when its bitmap is missing.
#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QWidget>

#include "platform/win/windef.h"
#include "views/controls/StBitmap.h"

class QPainter;

namespace WorkLook {

constexpr COLORREF kPanelBack = 0xEDEDED;  // host windows and dialogs
constexpr COLORREF kFrameLine = 0x9D9D9D;  // their rounded border
constexpr COLORREF kViewBack = 0xDEDEDE;   // the work views when tile 7230 is missing
constexpr int kFrameRound = 17;            // corner ellipse of the host windows

QColor Color(COLORREF c);
// The program's text font: face "굴림" (a Korean face where it is missing), 12 pixels.
QFont Font(bool bold = false);
// Tiles bitmap id over rect, or fills it with fallback when the bitmap is missing.
void Tile(QPainter& painter, const QRect& rect, int id, COLORREF fallback);
// The host windows' look: background 0xEDEDED inside a rounded 0x9D9D9D border.
void PaintHostFrame(QPainter& painter, const QRect& rect);

}  // namespace WorkLook

class CxSkinButtonEx;

// A bottom-row or dialog button: skin strip `skinId` of five states, its control ID, a tooltip
// (also its accessible name) and a caption written over the skin. Without the skin the plain
// face shows the caption, or the tooltip when there is none.
CxSkinButtonEx* MakeSkinButton(QWidget* parent, int id, int skinId, const QString& tooltip,
                               const QString& caption = QString());
// Gives a control its control ID (as object name) and its accessible name.
void NameControl(QWidget* control, int id, const QString& name);

// A bitmap static of the bottom row that draws a plain mark when its bitmap is missing.
class CWorkBitmap : public CStBitmap {
public:
    // What to draw when the bitmap is missing.
    enum class Fallback { Logo, ZoomOut, ZoomIn };

    CWorkBitmap(int id, Fallback fallback, QWidget* parent);
    void SetBitmap(int bitmapId);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Fallback m_fallback;
};

// One painted text in a white box with rounded corners; its text is its accessible name, so
// screen readers read what the box shows (name while it is empty).
class CTextBox : public QWidget {
public:
    CTextBox(int corner, bool bold, const QString& name, QWidget* parent);
    // Lines are drawn one below the other; one line is centred vertically.
    void SetLines(const QStringList& lines);
    void SetText(const QString& text) { SetLines({text}); }
    QString Text() const;

    // Widths of the side-by-side cells of count texts in width pixels: the first (a name)
    // twice the others. On a wide box the cells keep a readable width from the left instead
    // of spreading the texts apart; one text takes the whole width.
    static std::vector<int> CellWidths(int width, int count);
    static constexpr int kMaxCell = 180;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nCorner;
    QString m_strName;
    QStringList m_lines;
};

// The place of a view or panel that a later version fills: an empty area of the colour that
// view paints, named as the view will be.
class CViewArea : public QWidget {
public:
    // background: fixed colour; with useSetting the colour of the settings (the browser's).
    CViewArea(int id, const QString& name, COLORREF background, bool framed, QWidget* parent);
    void SetUseSettingColor(bool on) {
        m_bSetting = on;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_crBack;
    bool m_bFramed;
    bool m_bSetting = false;
};
