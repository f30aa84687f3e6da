// CSplashScreenEx: a borderless, top-most splash window shaped like its picture, which fades in
// and out and shows one line of status text.
//
// Life: construct, Create, SetBitmap and the text setters, Show, ..., Hide. Hide destroys the
// window and the object deletes itself (from the event loop), so nothing may touch it after
// Hide; the same happens when its time-out runs out or (with CSS_HIDEONCLICK) on a click or key.
#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include "platform/win/windef.h"

// DrawText formats (the Windows values).
#ifndef DT_CENTER
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#endif

class QPainter;

class CSplashScreenEx : public QWidget {
public:
    // Style flags of Create.
    static constexpr DWORD CSS_FADEIN = 0x0001;
    static constexpr DWORD CSS_FADEOUT = 0x0002;
    static constexpr DWORD CSS_SHADOW = 0x0004;
    static constexpr DWORD CSS_CENTERSCREEN = 0x0008;
    static constexpr DWORD CSS_CENTERAPP = 0x0010;
    static constexpr DWORD CSS_HIDEONCLICK = 0x0020;

    // Text styles of SetTextFont.
    static constexpr int CSS_TEXT_NORMAL = 0x0000;
    static constexpr int CSS_TEXT_BOLD = 0x0001;
    static constexpr int CSS_TEXT_ITALIC = 0x0002;
    static constexpr int CSS_TEXT_UNDERLINE = 0x0004;

    static constexpr int kFadeInMs = 500;
    static constexpr int kFadeOutMs = 200;
    static constexpr UINT kDefaultFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;  // 21
    static constexpr const char* kClassName = "SplashScreenExClass";

    CSplashScreenEx();
    ~CSplashScreenEx() override;
    CSplashScreenEx(const CSplashScreenEx&) = delete;
    CSplashScreenEx& operator=(const CSplashScreenEx&) = delete;

    // Makes the window: a top-most tool window owned by parent, hidden and without a size yet.
    // timeout 0 never hides by itself.
    bool Create(QWidget* parent, const char* text = nullptr, DWORD timeout = 2000,
                DWORD flags = CSS_FADEIN | CSS_CENTERSCREEN | CSS_SHADOW);

    // Loads the picture (a Pelloq bitmap resource, or a bitmap file). The window and the text
    // rectangle take its size and the position follows the centring flags. Unless a component
    // is -1, the window's shape is every pixel that is not the colour (red, green, blue). False
    // when the picture cannot be loaded; the window then has no picture and no shape.
    bool SetBitmap(UINT resourceId, short red, short green, short blue);
    bool SetBitmap(const char* fileName, short red, short green, short blue);

    void Show();
    void Hide();

    void SetText(const char* text);
    void SetTextColor(COLORREF colour);
    void SetTextRect(CRect& rect);
    void SetTextFormat(UINT format) { m_uTextFormat = format; }
    // A point font: size in tenths of a point; style bits CSS_TEXT_*.
    void SetTextFont(const char* face, int pointSizeTenths, int style);
    void SetTextDefaultFont();

    const CString& GetText() const { return m_strText; }
    COLORREF GetTextColor() const { return m_crTextColor; }
    const CRect& GetTextRect() const { return m_rcText; }
    UINT GetTextFormat() const { return m_uTextFormat; }
    const QFont& GetTextFont() const { return m_fontText; }
    DWORD GetTimeout() const { return m_dwTimeout; }
    DWORD GetStyle() const { return m_dwStyle; }
    CSize GetBitmapSize() const { return {m_nBitmapWidth, m_nBitmapHeight}; }
    CPoint GetWindowPosition() const { return {m_nxPos, m_nyPos}; }
    const QImage& GetBitmap() const { return m_bitmap; }
    // The window's shape; empty when the window is rectangular.
    const QRegion& GetWindowRegion() const { return m_rgnWindow; }

    // Every horizontal run of pixels that differ from the key colour, as one-pixel-high
    // rectangles; their union is the shape.
    static QRegion CreateRgnFromBitmap(const QImage& bitmap, COLORREF key);

    // The picture, then the text: what a paint shows, also into another device.
    void DrawWindow(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Whether the window system can fade windows (the stand-in for finding AnimateWindow).
    static bool CanAnimate();

private:
    bool TakeBitmap(const QImage& image, short red, short green, short blue);
    void Fade(qreal from, qreal to, int milliseconds);
    void RepaintNow();

    QWidget* m_pWndParent = nullptr;
    QImage m_bitmap;
    int m_nBitmapWidth = 0;
    int m_nBitmapHeight = 0;
    int m_nxPos = 0;
    int m_nyPos = 0;
    QRegion m_rgnWindow;
    CString m_strText;
    QFont m_fontText;
    COLORREF m_crTextColor = RGB(0, 0, 0);
    CRect m_rcText;
    UINT m_uTextFormat = kDefaultFormat;
    DWORD m_dwTimeout = 2000;
    DWORD m_dwStyle = 0;
    bool m_bAnimate = false;
    bool m_bHiding = false;
    int m_nTimer = 0;
};
