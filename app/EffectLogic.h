// The effect panel's rules without a window: where its controls go, which of them are usable
// and pressed in each canvas mode, its font sizes, its screen-size list and the font
// description its font controls make.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/win/windef.h"
#include "platform/win/wingdi.h"

namespace effect {

// Control IDs of the effect panel.
enum : int {
    IDC_UNDO = 7283,
    IDC_REDO = 7284,
    IDC_ROTATE_LEFT = 7285,
    IDC_ROTATE_RIGHT = 7286,
    IDC_MIRROR = 7287,
    IDC_FLIP = 7288,
    IDC_CROP = 7289,
    IDC_SCREEN1 = 7290,
    IDC_SCREEN2 = 7291,
    IDC_SCREEN_SIZE = 1033,
    IDC_SIZE_COMBO = 1032,
    IDC_BRIGHT = 7293,
    IDC_TEXT = 7199,
    IDC_FONT_NAME = 7300,
    IDC_BOLD = 7301,
    IDC_ITALIC = 7302,
    IDC_UNDERLINE = 7303,
    IDC_SHADOW = 7304,
    IDC_COLOR = 7305,
    IDC_SYMBOLS = 7306,
    IDC_FONT_SIZE = 1031,
    IDC_TEXT_GROUP = 7307,  // the frame around the text tools
};

// Canvas-mode notice to the main frame, brightness and contrast to the canvas, a new text
// colour from the colour button.
constexpr UINT WM_EFFECT_MODE = 3076;
constexpr UINT WM_EFFECT_BRIGHT = 3077;
constexpr UINT WM_EFFECT_COLOR = 3078;

// The 21 font sizes: 8, 9, 10, 12-22 by 2, 26-46 by 4, 52-82 by 6.
std::vector<int> FontSizes();
constexpr int kFontSizeDefault = 14;
constexpr int kFontSizeDefaultIndex = 4;

// "%3dx%3d" of a size.
std::string FormatScreenSize(CSize size);
// Reads "%3dx%3d" the way sscanf does; false (and `size` untouched) when it does not parse.
bool ParseScreenSize(const std::string& text, CSize& size);
// The screen sizes of a model as the size combo lists them, skipping non-positive pairs.
std::vector<std::string> ScreenSizeList(int model);

// The font description of the font controls: the face's description with the current size
// (negative when the face's height was), hard edges, bold, italic and underline.
LOGFONTA MakeFont(const LOGFONTA& face, int size, bool bold, bool italic, bool underline);

// Where each control goes for a panel width; sizes are the controls' own.
struct Layout {
    std::map<int, CRect> rects;
    CRect Get(int id) const {
        auto it = rects.find(id);
        return it == rects.end() ? CRect() : it->second;
    }
};
// `sizes` gives each control's own size by ID (missing ones count as 0 x 0). Combo boxes get
// the width the rule gives and keep their own height.
Layout CalcLayout(int panelWidth, const std::map<int, CSize>& sizes);

// Usable and pressed states of the panel's controls.
struct ControlState {
    bool enabled = false;
    bool checked = false;
};
class CEffectState {
public:
    CEffectState();
    // The canvas entered mode m (0 crop, 1 LCD, 2 text, 5 normal; others change nothing).
    void SetMode(int mode, bool canUndo, bool canRedo);
    void SetUndoRedo(bool canUndo, bool canRedo);
    const ControlState& Get(int id) const;
    ControlState& At(int id) { return m_states[id]; }
    int Mode() const { return m_nMode; }

private:
    std::map<int, ControlState> m_states;
    int m_nMode = 5;
};

}  // namespace effect
