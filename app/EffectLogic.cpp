#include "app/EffectLogic.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "common/Gandry.h"

namespace effect {

std::vector<int> FontSizes() {
    std::vector<int> out = {8, 9, 10};
    for (int s = 12; s <= 22; s += 2) out.push_back(s);
    for (int s = 26; s <= 46; s += 4) out.push_back(s);
    for (int s = 52; s <= 82; s += 6) out.push_back(s);
    return out;
}

std::string FormatScreenSize(CSize size) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%3dx%3d", static_cast<int>(size.cx), static_cast<int>(size.cy));
    return buf;
}

bool ParseScreenSize(const std::string& text, CSize& size) {
    int w = 0, h = 0;
    if (std::sscanf(text.c_str(), "%3dx%3d", &w, &h) != 2) return false;
    size = CSize(w, h);
    return true;
}

std::vector<std::string> ScreenSizeList(int model) {
    std::vector<std::string> out;
    auto add = [&out](CSize s) {
        if (s.cx > 0 && s.cy > 0) out.push_back(FormatScreenSize(s));
    };
    if (model == 67) {
        ModelAttribute_QVP4_t user;
        CGandry::GetQVP4Attribute(user);
        for (const CSize& s : user.listPhonebookSize) add(s);
    } else {
        const ModelAttribute_t m = CGandry::GetModelInfoByModelndex(model);
        for (const CSize& s : m.sizePhonebook) add(s);
    }
    return out;
}

LOGFONTA MakeFont(const LOGFONTA& face, int size, bool bold, bool italic, bool underline) {
    LOGFONTA lf = face;
    lf.lfHeight = face.lfHeight < 0 ? -size : size;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic ? 1 : 0;
    lf.lfUnderline = underline ? 1 : 0;
    return lf;
}

Layout CalcLayout(int panelWidth, const std::map<int, CSize>& sizes) {
    auto size = [&sizes](int id) {
        auto it = sizes.find(id);
        return it == sizes.end() ? CSize() : it->second;
    };
    Layout l;
    auto put = [&l](int id, int x, int y, CSize s) { l.rects[id] = CRect(CPoint(x, y), s); };
    const int W = size(IDC_UNDO).cx + size(IDC_REDO).cx;
    const int x = (panelWidth - W) / 2;

    // Pairs of tools, one row each, 5 pixels apart.
    const int pairs[3][2] = {{IDC_UNDO, IDC_REDO}, {IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT}, {IDC_MIRROR, IDC_FLIP}};
    int y = 10;
    for (const auto& p : pairs) {
        put(p[0], x, y, size(p[0]));
        put(p[1], x + size(p[0]).cx, y, size(p[1]));
        y += std::max(size(p[0]).cy, size(p[1]).cy) + 5;
    }
    put(IDC_CROP, x, y, size(IDC_CROP));
    y += size(IDC_CROP).cy + 5;
    put(IDC_SCREEN_SIZE, x, y, size(IDC_SCREEN_SIZE));
    y += size(IDC_SCREEN_SIZE).cy + 5;
    const int comboTop = y;
    put(IDC_SIZE_COMBO, x + 10, comboTop, CSize(90, size(IDC_SIZE_COMBO).cy));
    y = comboTop + size(IDC_SCREEN_SIZE).cy + 5;
    put(IDC_BRIGHT, x, y, size(IDC_BRIGHT));
    y += size(IDC_BRIGHT).cy + 20;
    put(IDC_TEXT, x, y, size(IDC_TEXT));
    y += size(IDC_TEXT).cy + 5;

    const int boxTop = y;
    put(IDC_TEXT_GROUP, x, boxTop, CSize(W, 170));
    put(IDC_FONT_NAME, x + 5, boxTop + 5, CSize(W - 10, size(IDC_FONT_NAME).cy));
    const int row = boxTop + 30;
    int bx = x + 5;
    put(IDC_BOLD, bx, row, size(IDC_BOLD));
    bx += size(IDC_BOLD).cx + 6;
    put(IDC_ITALIC, bx, row, size(IDC_ITALIC));
    bx += size(IDC_ITALIC).cx + 1;
    put(IDC_UNDERLINE, bx, row, size(IDC_UNDERLINE));
    bx += size(IDC_UNDERLINE).cx + 1;
    put(IDC_SHADOW, bx, row, size(IDC_SHADOW));
    bx += size(IDC_SHADOW).cx + 2;
    put(IDC_COLOR, bx, row - 4, CSize(size(IDC_SHADOW).cx + 10, size(IDC_SHADOW).cy + 5));
    const int rowHeight = std::max({size(IDC_BOLD).cy, size(IDC_ITALIC).cy, size(IDC_UNDERLINE).cy, size(IDC_SHADOW).cy});
    const int pickerTop = row + rowHeight + 5;
    put(IDC_SYMBOLS, x + 5, pickerTop, CSize(W - 10, 75));
    put(IDC_FONT_SIZE, x + 5, pickerTop + 85, CSize(80, size(IDC_FONT_SIZE).cy));

    // The two fixed screen buttons have no place in the rule; they sit side by side under the
    // text tools.
    const int sy = boxTop + 170 + 5;
    put(IDC_SCREEN1, x, sy, size(IDC_SCREEN1));
    put(IDC_SCREEN2, x + size(IDC_SCREEN1).cx, sy, size(IDC_SCREEN2));
    return l;
}

namespace {
const int kTools[] = {IDC_UNDO, IDC_REDO, IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP};
const int kFontControls[] = {IDC_FONT_NAME, IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_SHADOW,
                             IDC_COLOR, IDC_SYMBOLS, IDC_FONT_SIZE};
const int kScreens[] = {IDC_SCREEN1, IDC_SCREEN2, IDC_SCREEN_SIZE};
}  // namespace

CEffectState::CEffectState() {
    // At start: undo and redo disabled, the font controls and the size combo disabled, every
    // other tool usable.
    for (int id : {IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP, IDC_CROP, IDC_SCREEN1, IDC_SCREEN2,
                   IDC_SCREEN_SIZE, IDC_BRIGHT, IDC_TEXT})
        m_states[id].enabled = true;
    for (int id : {IDC_UNDO, IDC_REDO, IDC_SIZE_COMBO}) m_states[id].enabled = false;
    for (int id : kFontControls) m_states[id].enabled = false;
}

const ControlState& CEffectState::Get(int id) const {
    static const ControlState none;
    auto it = m_states.find(id);
    return it == m_states.end() ? none : it->second;
}

void CEffectState::SetUndoRedo(bool canUndo, bool canRedo) {
    m_states[IDC_UNDO].enabled = canUndo;
    m_states[IDC_REDO].enabled = canRedo;
}

void CEffectState::SetMode(int mode, bool canUndo, bool canRedo) {
    auto set = [this](int id, bool enabled, bool release) {
        m_states[id].enabled = enabled;
        if (release) m_states[id].checked = false;
    };
    switch (mode) {
    case 5:
        SetUndoRedo(canUndo, canRedo);
        for (int id : {IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP, IDC_CROP, IDC_SCREEN1, IDC_SCREEN2,
                       IDC_SCREEN_SIZE, IDC_BRIGHT, IDC_TEXT})
            set(id, true, true);
        for (int id : kFontControls) set(id, false, false);
        set(IDC_SIZE_COMBO, false, false);
        break;
    case 2:
        for (int id : kTools) set(id, false, true);
        for (int id : {IDC_CROP, IDC_SCREEN1, IDC_SCREEN2, IDC_SCREEN_SIZE, IDC_BRIGHT}) set(id, false, true);
        set(IDC_SIZE_COMBO, false, false);
        set(IDC_TEXT, true, false);
        m_states[IDC_TEXT].checked = true;
        for (int id : kFontControls) set(id, true, false);
        break;
    case 0:
    case 1:
        for (int id : kTools) set(id, false, false);
        set(IDC_BRIGHT, false, false);
        for (int id : kFontControls) set(id, false, false);
        set(IDC_TEXT, false, true);
        if (mode == 1) {
            set(IDC_CROP, false, true);
            for (int id : kScreens) set(id, true, false);
            set(IDC_SIZE_COMBO, m_states[IDC_SCREEN_SIZE].checked, false);
        } else {
            for (int id : kScreens) set(id, false, true);
            set(IDC_SIZE_COMBO, false, false);
            set(IDC_CROP, true, false);
            m_states[IDC_CROP].checked = true;
        }
        break;
    default:
        return;
    }
    m_nMode = mode;
}

}  // namespace effect
