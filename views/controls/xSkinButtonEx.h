// CxSkinButtonEx: a skinned button whose states come from one horizontal bitmap strip, in the
// order normal, pressed, hover, focus, disabled.
#pragma once

#include "views/controls/xSkinButton.h"

class CxSkinButtonEx : public CxSkinButton {
public:
    explicit CxSkinButtonEx(QWidget* parent = nullptr);
    CxSkinButtonEx(const QString& text, QWidget* parent = nullptr);

    // Cuts bitmap `id` into `count` states of equal width and sizes the button to one state.
    // With five states and `region`, the window is shaped by the fifth state, white outside.
    // False when the bitmap is missing (the button then keeps its plain face).
    bool SetSkinWithCount(int id, int count, bool region = false);
    bool SetSkinWithCount(const QImage& strip, int count, bool region = false);
    bool HasRegion() const { return m_bRegion; }

private:
    bool m_bRegion = false;
};
