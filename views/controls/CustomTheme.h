// CCustomTheme: the look of the frame's command bars — bars and dock bars filled from one bitmap
// (tiled), or a plain colour when it is missing.
#pragma once

#include <QImage>
#include <QRect>

#include "platform/win/windef.h"

class QPainter;

class CCustomTheme {
public:
    // False when the bitmap is missing; the theme then fills with its colour.
    bool LoadBitmap(int id);
    bool LoadBitmapImage(const QImage& image);
    const QImage& GetBitmap() const { return m_image; }
    void SetFillColor(COLORREF color) { m_crFill = color; }
    COLORREF GetFillColor() const { return m_crFill; }

    // Fills a command bar's rectangle; the bitmap is stretched to the bar's height and tiled
    // along it.
    void FillCommandBar(QPainter& p, const QRect& r) const;
    // Fills a dock bar (the band the bars sit on) the same way.
    void FillDockBar(QPainter& p, const QRect& r) const { FillCommandBar(p, r); }

private:
    QImage m_image;
    COLORREF m_crFill = RGB(0xED, 0xED, 0xED);
};
