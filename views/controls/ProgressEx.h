// CProgressEx: a progress bar with its own colours, an optional bar bitmap and a text. Styles:
// 0 a flat bar, 1 a shaded bar, 2 a shaded (or bitmap) bar with the text or the percentage
// written across it. Positions are clamped to the range.
#pragma once

#include <QImage>
#include <QProgressBar>

#include "platform/win/windef.h"

class CProgressEx : public QProgressBar {
public:
    enum Style { kFlat = 0, kShaded = 1, kWithText = 2 };

    explicit CProgressEx(QWidget* parent = nullptr, int style = kFlat);

    void SetStyle(int style);
    int GetStyle() const { return m_nStyle; }
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const { lower = minimum(), upper = maximum(); }
    // Each returns the previous position.
    int SetPos(int pos);
    int OffsetPos(int delta);
    int StepIt();
    int SetStep(int step);
    int GetPos() const { return value(); }
    int GetStep() const { return m_nStep; }

    void SetBarColor(COLORREF color);
    void SetBkColor(COLORREF color);
    void SetTextColor(COLORREF color);
    // The bar is the bitmap (tiled) instead of a colour; false when it is missing.
    bool SetBitmap(int id);
    bool SetBitmapImage(const QImage& image);
    // Fixed text; empty shows the percentage.
    void SetText(const QString& text);
    QString DisplayText() const;
    // Width of the filled part inside `inner` pixels.
    int FilledWidth(int inner) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nStyle = kFlat;
    int m_nStep = 10;
    COLORREF m_crBar = RGB(0x31, 0x6A, 0xC5);
    COLORREF m_crBack = RGB(0xFF, 0xFF, 0xFF);
    COLORREF m_crText = RGB(0, 0, 0);
    QImage m_bar;
    QString m_strText;
};
