// CEnvironmentChoice: what the environment dialog shows and returns (show mode, background
// colour, phone model, automatic upgrade), without the dialog's window.
#pragma once

#include <array>

#include "common/Gandry.h"
#include "platform/win/windef.h"

class CEnvironmentChoice {
public:
    static constexpr int kColorCount = 20;
    static constexpr int kSwatchSize = 12;
    // The swatches start this far right of the colour label.
    static constexpr int kSwatchOffset = 20;

    CEnvironmentChoice(int show, COLORREF background, int model, BOOL autoUpgrade);

    // White, then greys whose three components are 255 - trunc(i * 12.75).
    static const std::array<COLORREF, kColorCount>& ColorTable();
    // The first table entry equal to the colour; 0 (white) when none is.
    static int IndexOfColor(COLORREF color);

    // The swatch rectangles for a colour label at labelRect.
    static CRect SwatchRect(const CRect& labelRect, int index);
    // The swatch under point, or -1.
    static int SwatchAt(const CRect& labelRect, CPoint point);

    int ShowMode() const { return m_nShow; }
    void SetShowMode(int show) { m_nShow = show; }
    int ColorIndex() const { return m_nColor; }
    // Out-of-range indexes are refused.
    bool SetColorIndex(int index);
    COLORREF Color() const { return ColorTable()[static_cast<size_t>(m_nColor)]; }
    int Model() const { return m_nModel; }
    void SetModel(int model) { m_nModel = model; }
    // The model list's text mapped to a model; false (model kept) when the name is unknown.
    bool SetModelByName(const CString& name);
    BOOL AutoUpgrade() const { return m_bAuto; }
    void SetAutoUpgrade(BOOL on) { m_bAuto = on ? TRUE : FALSE; }

    // Show mode 0, white, automatic upgrade on; the model stays.
    void Defaults();

private:
    int m_nShow;
    int m_nColor;
    int m_nModel;
    BOOL m_bAuto;
};
