#include "app/PreviewChoice.h"

#include <climits>
#include <cstdio>

#include "common/Gandry.h"

namespace {

// The buttons' sizes for one group of models, with the previous height that makes the flag 0
// (0: the flag is always 1).
struct ButtonSize {
    LONG cx, cy;
    LONG keepHeight;
};

struct ModelButtons {
    ButtonSize buttons[CPreviewChoice::kButtonCount];
};

constexpr ModelButtons kWide{{{176, 144, 180}, {240, 180, 144}, {240, 320, 0}}};
constexpr ModelButtons kModel1{{{128, 160, 220}, {176, 144, 0}, {176, 220, 160}}};
constexpr ModelButtons kSmall{{{128, 128, 0}, {128, 160, 0}, {176, 144, 0}}};
constexpr ModelButtons kTall{{{240, 320, 0}, {320, 240, 0}, {240, 400, 0}}};
constexpr ModelButtons kModel10{{{176, 144, 0}, {320, 240, 0}, {400, 240, 0}}};
constexpr ModelButtons kModel22{{{176, 144, 0}, {176, 220, 0}, {240, 180, 0}}};
constexpr ModelButtons kLarge{{{240, 180, 0}, {240, 320, 0}, {320, 240, 0}}};

const ModelButtons* ButtonsOf(int model) {
    switch (model) {
        case 0: case 2: case 5: case 6: case 8: case 9: case 17: case 18: case 19: case 20: case 21: case 26:
            return &kWide;
        case 1:
            return &kModel1;
        case 3: case 4:
            return &kSmall;
        case 7: case 13: case 14: case 15:
            return &kTall;
        case 10:
            return &kModel10;
        case 22:
            return &kModel22;
        case 11: case 12: case 16: case 23: case 25:
        case 27: case 28: case 29: case 30: case 31: case 32: case 33: case 34: case 35: case 36:
            return &kLarge;
        default:
            return nullptr;
    }
}

}  // namespace

CPreviewChoice::Choice CPreviewChoice::SizeButton(int model, int button, CSize current) {
    const ModelButtons* buttons = ButtonsOf(model);
    if (!buttons || button < 0 || button >= kButtonCount) return {current, 0};
    const ButtonSize& b = buttons->buttons[button];
    const int flag = (b.keepHeight != 0 && current.cy == b.keepHeight) ? 0 : 1;
    return {CSize(b.cx, b.cy), flag};
}

std::string CPreviewChoice::ButtonCaption(int model, int button) {
    static const char* const kPlain[kButtonCount] = {"128x160", "176x144", "176x220"};
    if (button < 0 || button >= kButtonCount) return {};
    const ModelButtons* buttons = ButtonsOf(model);
    if (!buttons) return kPlain[button];
    const ButtonSize& b = buttons->buttons[button];
    return std::to_string(b.cx) + "x" + std::to_string(b.cy);
}

std::vector<CSize> CPreviewChoice::PictureSizes(int model) {
    std::vector<CSize> sizes;
    auto keep = [&sizes](CSize size) {
        if (size.cx > 0 && size.cy > 0) sizes.push_back(size);
    };
    if (model == MODEL_USER_DEFINED) {
        ModelAttribute_QVP4_t user;
        CGandry::GetQVP4Attribute(user);
        for (const CSize& size : user.listPictureSize) keep(size);
        return sizes;
    }
    if (model < 0 || model >= CGandry::kTableModelCount) return sizes;
    const ModelAttribute_t info = CGandry::GetModelInfoByModelndex(model);
    for (const CSize& size : info.sizePicture) keep(size);
    return sizes;
}

std::string CPreviewChoice::FormatSize(CSize size) {
    char text[64];
    std::snprintf(text, sizeof text, "%3dx%3d", static_cast<int>(size.cx), static_cast<int>(size.cy));
    return text;
}

bool CPreviewChoice::ParseSize(const std::string& text, CSize& size) {
    int cx = 0, cy = 0;
    if (std::sscanf(text.c_str(), "%3dx%3d", &cx, &cy) != 2) return false;
    size = CSize(cx, cy);
    return true;
}

std::string CPreviewChoice::SizeLine(CSize size) {
    char text[64];
    std::snprintf(text, sizeof text, " : %dx%d", static_cast<int>(size.cx), static_cast<int>(size.cy));
    return text;
}

long long CPreviewChoice::EbaBytes(CSize size, int frames) {
    if (size.cx <= 0 || size.cy <= 0 || frames < 0) return 152;
    return static_cast<long long>(size.cx) * size.cy * frames * 2 + 152;
}

std::string CPreviewChoice::DataLine(CSize size, int frames) {
    // The kilobyte helper counts in int; larger sizes than any phone's are shown at its limit.
    const long long bytes = EbaBytes(size, frames);
    return " : " + CGandry::GetKBFromStr(static_cast<int>(std::min<long long>(bytes, INT_MAX)));
}

std::string CPreviewChoice::FrameLine(int frames) {
    char text[64];
    std::snprintf(text, sizeof text, " : %d%s", frames, "프레임");
    return text;
}
