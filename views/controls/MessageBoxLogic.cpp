#include "views/controls/MessageBoxLogic.h"

#include <algorithm>
#include <cstdint>

namespace {

using B = CMessageBoxLogic::Button;
using L = CMessageBoxLogic;

constexpr int kOk = 9000, kCancel = 9001, kAbort = 9002, kRetry = 9003, kIgnore = 9004, kIgnoreAll = 9005,
              kYes = 9006, kNo = 9008, kContinue = 9010, kSkip = 9011, kSkipAll = 9012, kHelpLabel = 9013;

}  // namespace

CMessageBoxLogic::Buttons CMessageBoxLogic::ButtonsOf(UINT style) {
    Buttons r;
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            r = {{B{IDOK, kOk}, B{IDCANCEL, kCancel}}, IDOK, IDCANCEL};
            break;
        case MB_ABORTRETRYIGNORE:
            r = {{B{IDABORT, kAbort}, B{IDRETRY, kRetry}, B{IDIGNORE, kIgnore}}, IDABORT, IDABORT};
            break;
        case MB_YESNOCANCEL:
            r = {{B{IDYES, kYes}, B{IDNO, kNo}, B{IDCANCEL, kCancel}}, IDYES, IDCANCEL};
            break;
        case MB_YESNO:
            r = {{B{IDYES, kYes}, B{IDNO, kNo}}, IDYES, IDNO};
            break;
        case MB_RETRYCANCEL:
            r = {{B{IDRETRY, kRetry}, B{IDCANCEL, kCancel}}, IDRETRY, IDCANCEL};
            break;
        case kCancelTryContinue:
            r = {{B{IDCANCEL, kCancel}, B{kIdTryAgain, kRetry}, B{kIdContinue, kContinue}}, IDCANCEL, IDCANCEL};
            break;
        case 7:
            r = {{B{kIdContinue, kContinue}, B{IDABORT, kAbort}}, kIdContinue, IDABORT};
            break;
        case 8:
            r = {{B{kIdSkip, kSkip}, B{kIdSkipAll, kSkipAll}, B{IDCANCEL, kCancel}}, kIdSkip, IDCANCEL};
            break;
        case 9:
            r = {{B{IDIGNORE, kIgnore}, B{kIdIgnoreAll, kIgnoreAll}, B{IDCANCEL, kCancel}}, IDIGNORE, IDCANCEL};
            break;
        default:
            r = {{B{IDOK, kOk}}, IDOK, IDOK};
            break;
    }
    if (style & kHelp) r.buttons.push_back(B{kIdHelp, kHelpLabel});
    // DEFBUTTON2..4 and the two values above them pick a later button, when it exists.
    const std::size_t index = (style & MB_DEFMASK) >> 8;
    if (index >= 1 && index <= 5 && index < r.buttons.size()) r.defaultId = r.buttons[index].id;
    return r;
}

int CMessageBoxLogic::IconOf(UINT style) {
    switch (style & MB_ICONMASK) {
        case 0: return 0;
        case MB_ICONHAND: return kIconHand;
        case MB_ICONQUESTION: return kIconQuestion;
        case MB_ICONASTERISK: return kIconAsterisk;
        default: return kIconExclamation;
    }
}

std::string CMessageBoxLogic::DefaultLabel(int labelId) {
    switch (labelId) {
        case kOk: return "확인";
        case kCancel: return "취소";
        case kAbort: return "중단";
        case kRetry: return "다시 시도";
        case kIgnore: return "무시";
        case kIgnoreAll: return "모두 무시";
        case kYes: return "예";
        case kNo: return "아니요";
        case kContinue: return "계속";
        case kSkip: return "건너뛰기";
        case kSkipAll: return "모두 건너뛰기";
        case kHelpLabel: return "도움말";
        default: return {};
    }
}

int CMessageBoxLogic::MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    const bool negative = (p < 0) != (c < 0);
    const std::int64_t ap = p < 0 ? -p : p;
    const std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (ap + half) / ac;
    const std::int64_t r = negative ? -q : q;
    if (r > INT32_MAX || r < INT32_MIN) return -1;
    return static_cast<int>(r);
}

CSize CMessageBoxLogic::DialogScale(int baseUnitX, int baseUnitY) {
    return {MulDiv(1000, baseUnitX, 4), MulDiv(1000, baseUnitY, 8)};
}

int CMessageBoxLogic::WrapWidth(int screenWidth, int iconWidth, const CSize& scale) {
    return std::max(1, screenWidth / 2 + 100 - (2 * DluX(kMargin, scale) + iconWidth));
}

CMessageBoxLogic::Layout CMessageBoxLogic::Arrange(const LayoutInput& in) {
    Layout out;
    const int mx = DluX(kMargin, in.scale);
    const int my = DluY(kMargin, in.scale);
    const bool hasIcon = in.icon.cx > 0 && in.icon.cy > 0;

    int bottom = 0;
    int right = 0;
    if (hasIcon) {
        out.icon = CRect(CPoint(mx, my), in.icon);
        bottom = out.icon.bottom;
        right = out.icon.right;
    }
    const int messageX = hasIcon ? 2 * mx + in.icon.cx : mx;
    int messageY = my;
    // A message lower than the icon stands beside the icon's middle.
    if (hasIcon && in.message.cy < in.icon.cy) messageY = my + in.icon.cy / 2 - in.message.cy / 2 - 6;
    out.message = CRect(CPoint(messageX, messageY), in.message);
    bottom = std::max<int>(bottom, out.message.bottom);
    right = std::max<int>(right, out.message.right);

    const int n = std::max(1, in.buttonCount);
    out.button.cx = std::max<int>(DluX(kButtonMinWidth, in.scale), in.label.cx) + 2 * DluX(kButtonPadX, in.scale);
    out.button.cy = std::max<int>(DluY(kButtonMinHeight, in.scale), in.label.cy) + 2 * DluY(kButtonPadY, in.scale);
    const int gap = DluX(kButtonGap, in.scale);
    const int row = n * out.button.cx + (n - 1) * gap;

    out.client.cx = std::max({row + 2 * mx, right + mx});
    // The design's client height counts a 20-pixel caption that our painted caption band keeps
    // outside the client area: the row stands 20 pixels higher than the height it computes, so
    // it ends one margin above the bottom once those 20 pixels are left out. The row also keeps
    // 4 dialog units from the text, which the fixed 20 pixels would otherwise eat into.
    const int designHeight = bottom + DluY(4, in.scale) + my + my + out.button.cy;
    const int top = std::max(designHeight - out.button.cy - my - 20, bottom + DluY(4, in.scale));
    out.client.cy = top + out.button.cy + my;

    int x = in.buttonsRight ? out.client.cx - mx - row : (out.client.cx - row) / 2;
    for (int i = 0; i < n; ++i) {
        out.buttons.emplace_back(CPoint(x, top), out.button);
        x += out.button.cx + gap;
    }
    return out;
}
