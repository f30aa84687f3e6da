#include <gtest/gtest.h>

#include "views/controls/MessageBoxLogic.h"

using L = CMessageBoxLogic;
using B = CMessageBoxLogic::Button;

namespace {

struct Row {
    UINT style;
    std::vector<B> buttons;
    int def;
    int cancel;
};

}  // namespace

TEST(MessageBoxLogic, EveryStyleValueGivesItsButtonsDefaultAndCancel) {
    const std::vector<Row> rows = {
        {0, {{1, 9000}}, 1, 1},
        {1, {{1, 9000}, {2, 9001}}, 1, 2},
        {2, {{3, 9002}, {4, 9003}, {5, 9004}}, 3, 3},
        {3, {{6, 9006}, {7, 9008}, {2, 9001}}, 6, 2},
        {4, {{6, 9006}, {7, 9008}}, 6, 7},
        {5, {{4, 9003}, {2, 9001}}, 4, 2},
        {6, {{2, 9001}, {10, 9003}, {11, 9010}}, 2, 2},
        {7, {{11, 9010}, {3, 9002}}, 11, 3},
        {8, {{16, 9011}, {17, 9012}, {2, 9001}}, 16, 2},
        {9, {{5, 9004}, {18, 9005}, {2, 9001}}, 5, 2},
    };
    for (const Row& r : rows) {
        const L::Buttons b = L::ButtonsOf(r.style);
        EXPECT_EQ(b.buttons, r.buttons) << "style " << r.style;
        EXPECT_EQ(b.defaultId, r.def) << "style " << r.style;
        EXPECT_EQ(b.cancelId, r.cancel) << "style " << r.style;
    }
    // Values beyond the table are an OK box; icon and alignment bits change nothing.
    for (UINT style : {10u, 11u, 15u}) {
        const L::Buttons b = L::ButtonsOf(style);
        EXPECT_EQ(b.buttons, (std::vector<B>{{1, 9000}})) << style;
        EXPECT_EQ(b.cancelId, 1);
    }
    EXPECT_EQ(L::ButtonsOf(MB_YESNO | MB_ICONQUESTION | L::kButtonsRight).buttons.size(), 2u);
}

TEST(MessageBoxLogic, DefaultButtonBitsPickALaterButtonOnlyWhenItExists) {
    EXPECT_EQ(L::ButtonsOf(MB_YESNOCANCEL | MB_DEFBUTTON2).defaultId, IDNO);
    EXPECT_EQ(L::ButtonsOf(MB_YESNOCANCEL | MB_DEFBUTTON3).defaultId, IDCANCEL);
    EXPECT_EQ(L::ButtonsOf(MB_YESNO | MB_DEFBUTTON2).defaultId, IDNO);
    // Three on a two-button box keeps the table's default.
    EXPECT_EQ(L::ButtonsOf(MB_YESNO | MB_DEFBUTTON3).defaultId, IDYES);
    EXPECT_EQ(L::ButtonsOf(MB_OK | MB_DEFBUTTON2).defaultId, IDOK);
    // 0x300 picks the fourth, which only exists with Help.
    EXPECT_EQ(L::ButtonsOf(MB_ABORTRETRYIGNORE | 0x300).defaultId, IDABORT);
    EXPECT_EQ(L::ButtonsOf(MB_ABORTRETRYIGNORE | 0x300 | L::kHelp).defaultId, L::kIdHelp);
    EXPECT_EQ(L::ButtonsOf(MB_ABORTRETRYIGNORE | 0x600 | L::kHelp).defaultId, IDABORT);
    // The cancel answer does not move with the default.
    EXPECT_EQ(L::ButtonsOf(MB_YESNO | MB_DEFBUTTON2).cancelId, IDNO);
}

TEST(MessageBoxLogic, HelpIsAppendedLast) {
    const L::Buttons b = L::ButtonsOf(MB_OKCANCEL | L::kHelp);
    EXPECT_EQ(b.buttons, (std::vector<B>{{1, 9000}, {2, 9001}, {9, 9013}}));
    EXPECT_EQ(b.defaultId, IDOK);
    EXPECT_EQ(b.cancelId, IDCANCEL);
}

TEST(MessageBoxLogic, IconBitsChooseTheIconResource) {
    EXPECT_EQ(L::IconOf(MB_OK), 0);
    EXPECT_EQ(L::IconOf(MB_ICONHAND), 7519);
    EXPECT_EQ(L::IconOf(MB_ICONQUESTION), 7520);
    EXPECT_EQ(L::IconOf(MB_ICONASTERISK), 7521);
    EXPECT_EQ(L::IconOf(MB_ICONEXCLAMATION), 7518);
    EXPECT_EQ(L::IconOf(0x50), 7518);
    EXPECT_EQ(L::IconOf(0xF0 | MB_YESNO), 7518);
}

TEST(MessageBoxLogic, LabelsExistForEveryButtonOfTheTable) {
    for (UINT style = 0; style <= 9; ++style)
        for (const B& b : L::ButtonsOf(style | L::kHelp).buttons) EXPECT_FALSE(L::DefaultLabel(b.labelId).empty()) << b.labelId;
    EXPECT_EQ(L::DefaultLabel(9006), "예");
    EXPECT_EQ(L::DefaultLabel(9008), "아니요");
    EXPECT_TRUE(L::DefaultLabel(9999).empty());
}

TEST(MessageBoxLogic, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(L::MulDiv(8, 1500, 1000), 12);
    EXPECT_EQ(L::MulDiv(4, 1875, 1000), 8);   // 7.5
    EXPECT_EQ(L::MulDiv(60, -1, 120), -1);    // -0.5
    EXPECT_EQ(L::MulDiv(59, -1, 120), 0);
    EXPECT_EQ(L::MulDiv(-240, 3, 120), -6);
    EXPECT_EQ(L::MulDiv(1, 1, 0), -1);
    EXPECT_EQ(L::MulDiv(2000000000, 2, 1), -1);  // does not fit
}

TEST(MessageBoxLogic, DialogScaleAndWrapWidth) {
    EXPECT_EQ(L::DialogScale(6, 15), CSize(1500, 1875));
    const CSize s(1500, 1875);
    EXPECT_EQ(L::DluX(8, s), 12);
    EXPECT_EQ(L::DluY(8, s), 15);
    // Half of an 800-pixel screen plus 100, less twice the margin and the icon.
    EXPECT_EQ(L::WrapWidth(800, 63, s), 400 + 100 - 24 - 63);
    EXPECT_EQ(L::WrapWidth(800, 0, s), 476);
    EXPECT_EQ(L::WrapWidth(1920, 63, s), 960 + 100 - 24 - 63);
}

TEST(MessageBoxLogic, LayoutWithIconAndRightAlignedButtons) {
    L::LayoutInput in;
    in.scale = CSize(2000, 2000);  // 8 dialog units = 16 pixels
    in.screenWidth = 800;
    in.icon = CSize(63, 63);
    in.message = CSize(200, 20);
    in.label = CSize(30, 14);
    in.buttonCount = 2;
    in.buttonsRight = true;
    const L::Layout out = L::Arrange(in);
    EXPECT_EQ(out.icon, CRect(16, 16, 79, 79));
    // A message lower than the icon stands beside its middle: 16 + 31 - 10 - 6.
    EXPECT_EQ(out.message, CRect(95, 31, 295, 51));
    EXPECT_EQ(out.button, CSize(96, 34));
    // The row keeps 4 dialog units from the icon's bottom (79 + 8) and ends one margin above
    // the bottom.
    EXPECT_EQ(out.client, CSize(311, 87 + 34 + 16));
    ASSERT_EQ(out.buttons.size(), 2u);
    EXPECT_EQ(out.buttons[0], CRect(95, 87, 191, 121));
    EXPECT_EQ(out.buttons[1], CRect(199, 87, 295, 121));
    EXPECT_EQ(out.client.cx - out.buttons[1].right, 16);

    in.buttonsRight = false;
    const L::Layout centred = L::Arrange(in);
    EXPECT_EQ(centred.buttons[0].left, 55);  // (311 - 200) / 2
    EXPECT_EQ(centred.buttons[1].right, 255);
}

TEST(MessageBoxLogic, LayoutGrowsWithTheMessageAndTheButtonRow) {
    L::LayoutInput in;
    in.scale = CSize(2000, 2000);
    in.message = CSize(500, 300);
    in.label = CSize(120, 40);  // wider and higher than the least button
    in.buttonCount = 1;
    const L::Layout out = L::Arrange(in);
    EXPECT_TRUE(out.icon.IsRectNull());
    EXPECT_EQ(out.message, CRect(16, 16, 516, 316));
    EXPECT_EQ(out.button, CSize(136, 44));
    EXPECT_EQ(out.buttons[0].top, 316 + 8);
    EXPECT_EQ(out.client, CSize(532, 316 + 8 + 44 + 16));

    // With a large font the design's own arithmetic leaves more room than 4 units: the row
    // stands 20 pixels above the design's height less the button and the margin.
    in.scale = CSize(4000, 4000);  // 8 units = 32 pixels, 4 units = 16
    const L::Layout large = L::Arrange(in);
    const int designHeight = large.message.bottom + 16 + 32 + 32 + large.button.cy;
    EXPECT_EQ(large.buttons[0].top, designHeight - large.button.cy - 32 - 20);
    EXPECT_EQ(large.client.cy, large.buttons[0].bottom + 32);

    // Four wide buttons make the row the widest part.
    in.scale = CSize(2000, 2000);
    in.message = CSize(50, 20);
    in.buttonCount = 4;
    const L::Layout row = L::Arrange(in);
    EXPECT_EQ(row.client.cx, 4 * 136 + 3 * 8 + 32);
}

TEST(MessageBoxLogic, ButtonsNeverCoverTheMessage) {
    L::LayoutInput in;
    in.scale = CSize(1000, 1000);  // a tiny font: the fixed 20 pixels would pull the row up
    in.message = CSize(100, 40);
    in.label = CSize(20, 10);
    const L::Layout out = L::Arrange(in);
    EXPECT_EQ(out.buttons[0].top, 48 + 4);
    EXPECT_EQ(out.client.cy, out.buttons[0].bottom + 8);
}
