// The pieces the work views and their dialogs are built from: bitmap buttons, the zoom slider,
// bitmap statics, the progress bar, the painted text boxes, the host-window frame, and empty
// stand-ins for the views and panels that arrive later. Every control draws a plain fallback
// when its bitmap is missing from the resource file.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QProgressBar>
#include <QSlider>
#include <QWidget>

#include "platform/win/windef.h"

class QPainter;

namespace WorkLook {

constexpr COLORREF kPanelBack = 0xEDEDED;     // host windows and dialogs
constexpr COLORREF kFrameLine = 0x9D9D9D;     // their rounded border
constexpr COLORREF kViewBack = 0xDEDEDE;      // the work views when tile 7230 is missing
constexpr int kFrameRound = 17;               // corner ellipse of the host windows

QColor Color(COLORREF c);
// The program's text font: face "굴림" (a Korean face where it is missing), 12 pixels.
QFont Font(bool bold = false);
// Tiles bitmap id over rect, or fills it with fallback when the bitmap is missing.
void Tile(QPainter& painter, const QRect& rect, int id, COLORREF fallback);
// The host windows' look: background 0xEDEDED inside a rounded 0x9D9D9D border.
void PaintHostFrame(QPainter& painter, const QRect& rect);

}  // namespace WorkLook

// A push button skinned from one horizontal strip of states (normal, pressed, hover, focus,
// disabled); without the strip a plain rounded button with its tooltip as caption.
class CWorkButton : public QAbstractButton {
public:
    explicit CWorkButton(int id, QWidget* parent);

    void SetSkinWithCount(int bitmapId, int count);
    // The tooltip is also the accessible name (and the caption of a button without a skin).
    void SetToolTipText(const QString& text);
    // A caption written over the skin (dialog buttons; the bottom-row skins carry glyphs).
    void SetCaption(const QString& text);
    int GetWidth() const { return m_size.width(); }
    int GetHeight() const { return m_size.height(); }

    QSize sizeHint() const override { return m_size; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void FitPlain();

    QString Caption() const { return m_strCaption.isEmpty() ? toolTip() : m_strCaption; }

    QImage m_strip;
    QString m_strCaption;
    int m_nCount = 0;
    QSize m_size{60, 24};
    bool m_bHover = false;
};

// The zoom slider: a horizontal slider sized to its channel bitmap. A move by the user sends
// kMsgMoved (10450) with the control ID and the position to the nearest ancestor that takes
// window messages; setting the position from code sends nothing.
class CWorkSlider : public QSlider {
public:
    static constexpr UINT kMsgMoving = 10449;
    static constexpr UINT kMsgMoved = 10450;

    explicit CWorkSlider(int id, QWidget* parent);

    void SetBitmapChannel(int bitmapId);
    // A channel of three pieces: the ends as drawn, the middle stretched between them.
    void SetBitmapChannel(int leftId, int middleId, int rightId);
    void SetBitmapThumb(int normalId, int activeId);
    void SetRange(int min, int max);
    void SetPos(int pos);
    int GetPos() const { return value(); }
    void SetPageSize(int page) { setPageStep(page); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Notify(int position);

    int m_nID;
    bool m_bQuiet = false;
    QImage m_channel, m_channelMiddle, m_channelRight, m_thumb, m_thumbActive;
};

// A static that shows one bitmap at its own size.
class CWorkBitmap : public QWidget {
public:
    // What to draw when the bitmap is missing.
    enum class Fallback { Logo, ZoomOut, ZoomIn };

    CWorkBitmap(int id, Fallback fallback, QWidget* parent);
    void SetBitmap(int bitmapId);
    QSize sizeHint() const override { return m_size; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Fallback m_fallback;
    QImage m_image;
    QSize m_size;
};

// A progress bar drawn from a bitmap when there is one.
class CWorkProgress : public QProgressBar {
public:
    explicit CWorkProgress(int id, QWidget* parent);
    void SetBitmap(int bitmapId);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_bar;
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
    void SetUseSettingColor(bool on) { m_bSetting = on; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_crBack;
    bool m_bFramed;
    bool m_bSetting = false;
};
