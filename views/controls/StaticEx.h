// CStaticEx: a text label with its own text and background colours, font and transparency.
// Word-wrapped text is drawn with the same rule MeasureText measures it by.
#pragma once

#include <QLabel>

#include "platform/win/windef.h"

class CStaticEx : public QLabel {
public:
    explicit CStaticEx(QWidget* parent = nullptr);
    CStaticEx(const QString& text, QWidget* parent = nullptr);

    void SetTextColor(COLORREF color);
    void SetBkColor(COLORREF color);
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetBkColor() const { return m_crBack; }
    // A transparent label paints no background (its parent's shows through).
    void SetTransparent(bool transparent);
    bool IsTransparent() const { return m_bTransparent; }
    // Face ("굴림" is the program's own; a Korean face stands in), pixel size, weight.
    void SetFontEx(const QString& face, int pixelSize, bool bold = false);
    void SetWindowText(const QString& text) { setText(text); }
    QString GetWindowText() const { return text(); }

    // Size of `text` in `font` broken at word boundaries within `width` pixels.
    static QSize MeasureText(const QFont& font, const QString& text, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBack = RGB(0xED, 0xED, 0xED);
    bool m_bTransparent = true;
};
