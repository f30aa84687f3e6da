// CMessageBoxLogic: the rules of the program's message box that need no window — which buttons a
// style gives, which one is the default and which answers Escape, the icon of a style, and the
// layout arithmetic in dialog units. CMessageBoxDialog shows what these decide.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/afxwin.h"
#include "platform/win/windef.h"

class CMessageBoxLogic {
public:
    // Style bits beyond the basic ones in afxwin.h (the Windows values).
    static constexpr UINT kCancelTryContinue = 0x6;
    static constexpr UINT kSystemModal = 0x1000;
    static constexpr UINT kHelp = 0x4000;
    static constexpr UINT kSetForeground = 0x10000;
    static constexpr UINT kTopmost = 0x40000;
    static constexpr UINT kRight = 0x80000;
    static constexpr UINT kRtlReading = 0x100000;
    // The program's own bits: buttons aligned right, and no beep.
    static constexpr UINT kButtonsRight = 0x10000000;
    static constexpr UINT kNoSound = 0x20000000;

    // Results beyond IDOK..IDNO.
    static constexpr int kIdHelp = 9;
    static constexpr int kIdTryAgain = 10;
    static constexpr int kIdContinue = 11;
    static constexpr int kIdSkip = 16;
    static constexpr int kIdSkipAll = 17;
    static constexpr int kIdIgnoreAll = 18;

    // Icons of the resource library and their drawn size.
    static constexpr int kIconExclamation = 7518;
    static constexpr int kIconHand = 7519;
    static constexpr int kIconQuestion = 7520;
    static constexpr int kIconAsterisk = 7521;
    static constexpr int kIconSize = 63;
    static constexpr int kButtonSkin = 7516;
    static constexpr int kButtonSkinStates = 5;
    static constexpr int kTemplate = 7517;

    struct Button {
        int id;       // the result the button gives
        int labelId;  // string resource of its label
        bool operator==(const Button&) const = default;
    };

    struct Buttons {
        std::vector<Button> buttons;
        int defaultId = -1;  // focused at start, the answer of Enter
        int cancelId = -1;   // the answer of Escape and of closing; -1 when there is none
    };

    static Buttons ButtonsOf(UINT style);
    // The icon resource a style asks for; 0 when its icon bits are clear.
    static int IconOf(UINT style);
    // The label a string resource stands for when the resource library lacks it (UTF-8).
    static std::string DefaultLabel(int labelId);

    // Windows' MulDiv: a * b / c in 64 bits, rounded half away from zero; c == 0 gives -1.
    static int MulDiv(int a, int b, int c);

    // Pixels per 1000 dialog units from the dialog font's base units (average character width,
    // character height), as mapping a 1000 x 1000 dialog rectangle gives them.
    static CSize DialogScale(int baseUnitX, int baseUnitY);

    struct LayoutInput {
        CSize scale;         // pixels per 1000 dialog units, x and y
        int screenWidth = 0;
        CSize icon;          // (0, 0) without an icon
        CSize message;       // the message measured in a box of WrapWidth()
        CSize label;         // the widest and the highest label text
        int buttonCount = 1;
        bool buttonsRight = false;
    };

    struct Layout {
        CRect icon;
        CRect message;
        std::vector<CRect> buttons;
        CSize button;
        CSize client;
    };

    static int DluX(int units, const CSize& scale) { return MulDiv(units, scale.cx, 1000); }
    static int DluY(int units, const CSize& scale) { return MulDiv(units, scale.cy, 1000); }
    // The width the message wraps at: half the screen plus 100 pixels, less the margins and the
    // icon.
    static int WrapWidth(int screenWidth, int iconWidth, const CSize& scale);
    static Layout Arrange(const LayoutInput& in);

    static constexpr int kMargin = 8;        // dialog units around everything
    static constexpr int kButtonGap = 4;     // dialog units between buttons
    static constexpr int kButtonMinWidth = 40;
    static constexpr int kButtonMinHeight = 15;
    static constexpr int kButtonPadX = 4;
    static constexpr int kButtonPadY = 1;
};
