// CSimpleStatic: a one-line text label that can show a selected state (its own colours).
#pragma once

#include <QLabel>

#include "platform/win/windef.h"

class CSimpleStatic : public QLabel {
public:
    explicit CSimpleStatic(const QString& text = {}, QWidget* parent = nullptr);

    void SetColors(COLORREF text, COLORREF back, COLORREF selectedText, COLORREF selectedBack);
    void SetSelect(bool selected);
    bool IsSelected() const { return m_bSelected; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBack = RGB(0xED, 0xED, 0xED);
    COLORREF m_crSelText = RGB(0xFF, 0xFF, 0xFF);
    COLORREF m_crSelBack = RGB(0x31, 0x6A, 0xC5);
    bool m_bSelected = false;
};
