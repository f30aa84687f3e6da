// The effect panel: its font sizes, screen sizes and layout, the state of its controls in each
// canvas mode, and its tools acting on a real picture through the canvas, brightness and
// contrast with live preview, OK and Cancel, and symbols going into the text box.
#include <QComboBox>
#include <QTest>

#include "app/DlgBright.h"
#include "common/Gandry.h"
#include "tests/panels/PanelFixture.h"
#include "views/controls/BitmapSlider.h"
#include "views/controls/xSkinButtonEx.h"
#include "views/editor/SymbolGrid.h"

using namespace panelstest;
using namespace effect;

namespace {

TEST(EffectRules, FontSizesAndScreenSizeText) {
    EXPECT_EQ(FontSizes(), (std::vector<int>{8, 9, 10, 12, 14, 16, 18, 20, 22, 26, 30, 34, 38, 42, 46, 52, 58, 64, 70,
                                             76, 82}));
    EXPECT_EQ(FontSizes()[kFontSizeDefaultIndex], 14);

    EXPECT_EQ(FormatScreenSize(CSize(176, 144)), "176x144");
    EXPECT_EQ(FormatScreenSize(CSize(96, 64)), " 96x 64");
    CSize s(1, 2);
    ASSERT_TRUE(ParseScreenSize(" 96x 64", s));
    EXPECT_EQ(s, CSize(96, 64));
    ASSERT_TRUE(ParseScreenSize("240x320", s));
    EXPECT_EQ(s, CSize(240, 320));
    s = CSize(7, 8);
    EXPECT_FALSE(ParseScreenSize("big", s));
    EXPECT_FALSE(ParseScreenSize("", s));
    EXPECT_EQ(s, CSize(7, 8));
}

TEST(EffectRules, ScreenSizeListSkipsEmptyPairs) {
    for (int model = 0; model < CGandry::kTableModelCount; ++model) {
        const ModelAttribute_t m = CGandry::GetModelInfoByModelndex(model);
        std::vector<std::string> expected;
        for (const CSize& p : m.sizePhonebook)
            if (p.cx > 0 && p.cy > 0) expected.push_back(FormatScreenSize(p));
        EXPECT_EQ(ScreenSizeList(model), expected) << model;
    }
}

TEST(EffectRules, FontDescriptionFromTheControls) {
    LOGFONTA face;
    face.lfHeight = -11;
    std::strcpy(face.lfFaceName, "굴림");
    LOGFONTA lf = MakeFont(face, 26, true, false, true);
    EXPECT_EQ(lf.lfHeight, -26);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
    EXPECT_STREQ(lf.lfFaceName, "굴림");
    face.lfHeight = 11;
    lf = MakeFont(face, 8, false, true, false);
    EXPECT_EQ(lf.lfHeight, 8);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 1);
}

TEST(EffectRules, LayoutFollowsTheToolSizes) {
    std::map<int, CSize> sizes;
    for (int id : {IDC_UNDO, IDC_REDO, IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP}) sizes[id] = CSize(54, 34);
    for (int id : {IDC_CROP, IDC_SCREEN_SIZE, IDC_BRIGHT, IDC_TEXT}) sizes[id] = CSize(108, 28);
    for (int id : {IDC_SCREEN1, IDC_SCREEN2}) sizes[id] = CSize(54, 28);
    for (int id : {IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_SHADOW}) sizes[id] = CSize(16, 16);
    sizes[IDC_SIZE_COMBO] = CSize(0, 20);
    sizes[IDC_FONT_NAME] = CSize(0, 20);
    sizes[IDC_FONT_SIZE] = CSize(0, 20);
    const Layout l = CalcLayout(128, sizes);
    auto R = [](int x, int y, int w, int h) { return CRect(CPoint(x, y), CSize(w, h)); };
    EXPECT_EQ(l.Get(IDC_UNDO), R(10, 10, 54, 34));
    EXPECT_EQ(l.Get(IDC_REDO), R(64, 10, 54, 34));
    EXPECT_EQ(l.Get(IDC_ROTATE_LEFT), R(10, 49, 54, 34));
    EXPECT_EQ(l.Get(IDC_ROTATE_RIGHT), R(64, 49, 54, 34));
    EXPECT_EQ(l.Get(IDC_MIRROR), R(10, 88, 54, 34));
    EXPECT_EQ(l.Get(IDC_FLIP), R(64, 88, 54, 34));
    EXPECT_EQ(l.Get(IDC_CROP), R(10, 127, 108, 28));
    EXPECT_EQ(l.Get(IDC_SCREEN_SIZE), R(10, 160, 108, 28));
    EXPECT_EQ(l.Get(IDC_SIZE_COMBO), R(20, 193, 90, 20));
    EXPECT_EQ(l.Get(IDC_BRIGHT), R(10, 226, 108, 28));
    EXPECT_EQ(l.Get(IDC_TEXT), R(10, 274, 108, 28));
    EXPECT_EQ(l.Get(IDC_TEXT_GROUP), R(10, 307, 108, 170));
    EXPECT_EQ(l.Get(IDC_FONT_NAME), R(15, 312, 98, 20));
    EXPECT_EQ(l.Get(IDC_BOLD), R(15, 337, 16, 16));
    EXPECT_EQ(l.Get(IDC_ITALIC), R(37, 337, 16, 16));
    EXPECT_EQ(l.Get(IDC_UNDERLINE), R(54, 337, 16, 16));
    EXPECT_EQ(l.Get(IDC_SHADOW), R(71, 337, 16, 16));
    EXPECT_EQ(l.Get(IDC_COLOR), R(89, 333, 26, 21));
    EXPECT_EQ(l.Get(IDC_SYMBOLS), R(15, 358, 98, 75));
    EXPECT_EQ(l.Get(IDC_FONT_SIZE), R(15, 443, 80, 20));
    EXPECT_EQ(l.Get(IDC_SCREEN1), R(10, 482, 54, 28));
    EXPECT_EQ(l.Get(IDC_SCREEN2), R(64, 482, 54, 28));
    // A wider panel centres the column.
    EXPECT_EQ(CalcLayout(148, sizes).Get(IDC_UNDO).left, 20);
}

// The expected usable/pressed states by mode for the controls the mode rules name.
TEST(EffectRules, StatesPerCanvasMode) {
    CEffectState s;
    // At start.
    EXPECT_FALSE(s.Get(IDC_UNDO).enabled);
    EXPECT_FALSE(s.Get(IDC_REDO).enabled);
    EXPECT_TRUE(s.Get(IDC_CROP).enabled);
    EXPECT_TRUE(s.Get(IDC_TEXT).enabled);
    for (int id : {IDC_FONT_NAME, IDC_BOLD, IDC_SHADOW, IDC_COLOR, IDC_SYMBOLS, IDC_FONT_SIZE, IDC_SIZE_COMBO})
        EXPECT_FALSE(s.Get(id).enabled) << id;

    s.SetMode(2, true, false);
    for (int id : {IDC_UNDO, IDC_REDO, IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP, IDC_CROP, IDC_SCREEN1,
                   IDC_SCREEN2, IDC_SCREEN_SIZE, IDC_BRIGHT, IDC_SIZE_COMBO})
        EXPECT_FALSE(s.Get(id).enabled) << id;
    EXPECT_TRUE(s.Get(IDC_TEXT).enabled);
    EXPECT_TRUE(s.Get(IDC_TEXT).checked);
    for (int id : {IDC_FONT_NAME, IDC_BOLD, IDC_ITALIC, IDC_UNDERLINE, IDC_SHADOW, IDC_COLOR, IDC_SYMBOLS, IDC_FONT_SIZE})
        EXPECT_TRUE(s.Get(id).enabled) << id;

    s.SetMode(5, true, false);
    EXPECT_TRUE(s.Get(IDC_UNDO).enabled);
    EXPECT_FALSE(s.Get(IDC_REDO).enabled);
    for (int id : {IDC_ROTATE_LEFT, IDC_ROTATE_RIGHT, IDC_MIRROR, IDC_FLIP, IDC_CROP, IDC_SCREEN1, IDC_SCREEN2,
                   IDC_SCREEN_SIZE, IDC_BRIGHT, IDC_TEXT}) {
        EXPECT_TRUE(s.Get(id).enabled) << id;
        EXPECT_FALSE(s.Get(id).checked) << id;
    }
    for (int id : {IDC_FONT_NAME, IDC_COLOR, IDC_SYMBOLS, IDC_FONT_SIZE, IDC_SIZE_COMBO}) EXPECT_FALSE(s.Get(id).enabled);

    s.At(IDC_SCREEN_SIZE).checked = true;
    s.SetMode(1, true, true);
    for (int id : {IDC_UNDO, IDC_REDO, IDC_ROTATE_LEFT, IDC_FLIP, IDC_BRIGHT, IDC_TEXT, IDC_CROP, IDC_BOLD})
        EXPECT_FALSE(s.Get(id).enabled) << id;
    for (int id : {IDC_SCREEN1, IDC_SCREEN2, IDC_SCREEN_SIZE, IDC_SIZE_COMBO}) EXPECT_TRUE(s.Get(id).enabled) << id;
    EXPECT_TRUE(s.Get(IDC_SCREEN_SIZE).checked);

    s.SetMode(0, true, true);
    for (int id : {IDC_UNDO, IDC_MIRROR, IDC_BRIGHT, IDC_TEXT, IDC_SCREEN1, IDC_SCREEN2, IDC_SCREEN_SIZE, IDC_SIZE_COMBO,
                   IDC_FONT_SIZE})
        EXPECT_FALSE(s.Get(id).enabled) << id;
    EXPECT_FALSE(s.Get(IDC_SCREEN_SIZE).checked);
    EXPECT_TRUE(s.Get(IDC_CROP).enabled);
    EXPECT_TRUE(s.Get(IDC_CROP).checked);

    // Other modes change nothing.
    s.SetMode(3, false, false);
    EXPECT_EQ(s.Mode(), 0);
    EXPECT_TRUE(s.Get(IDC_CROP).enabled);
}

class EffectPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        CGandry::m_enumModel = static_cast<MODEL_SELECT>(0);
        panel = new CDlgEffect(&canvas.host);
        panel->setGeometry(0, 0, 128, 560);
        panel->SetCanvas(&canvas);
        main.panel = panel;
        canvas.host.show();
    }
    void TearDown() override { CDlgEffect::SetBrightRunner(nullptr); }

    CxSkinButtonEx* B(int id) { return panel->Button(id); }
    void Click(int id) {
        ASSERT_TRUE(B(id)->isEnabled()) << id;
        QTest::mouseClick(B(id), Qt::LeftButton);
    }
    std::vector<WPARAM> Modes() const {
        std::vector<WPARAM> out;
        for (const auto& m : main.sent)
            if (m.message == WM_EFFECT_MODE) out.push_back(m.wParam);
        return out;
    }
    // A 40 x 20 picture, one grey level.
    void LoadGrey(int level = 100) { canvas.Load(Filled(40, 20, Bgr(level, level, level))); }

    TestCanvas canvas;
    MainRecorder main;
    CDlgEffect* panel = nullptr;
};

TEST_F(EffectPanelTest, StartsWithItsToolsNamedAndTheTextToolsOff) {
    const std::pair<int, const char*> tips[] = {
        {IDC_UNDO, "한단계 뒤로"},  {IDC_REDO, "한단계 앞으로"},   {IDC_ROTATE_LEFT, "왼쪽으로 회전"},
        {IDC_ROTATE_RIGHT, "오른쪽으로 회전"}, {IDC_MIRROR, "좌우바꾸기"}, {IDC_FLIP, "상하바꾸기"},
        {IDC_CROP, "잘라내기"},    {IDC_SCREEN1, "대기화면1"},     {IDC_SCREEN2, "대기화면2"},
        {IDC_BRIGHT, "밝기/대비"}, {IDC_TEXT, "텍스트입력"},      {IDC_BOLD, "굵게"},
        {IDC_ITALIC, "이탤릭체"},  {IDC_UNDERLINE, "밑줄"},       {IDC_SHADOW, "그림자"},
    };
    for (const auto& [id, tip] : tips) {
        ASSERT_NE(B(id), nullptr) << id;
        EXPECT_EQ(B(id)->toolTip(), QString::fromUtf8(tip)) << id;
        EXPECT_EQ(B(id)->accessibleName(), QString::fromUtf8(tip)) << id;
    }
    EXPECT_EQ(B(IDC_SCREEN_SIZE)->toolTip(), QStringLiteral("대기화면1"));

    EXPECT_FALSE(B(IDC_UNDO)->isEnabled());
    EXPECT_FALSE(B(IDC_REDO)->isEnabled());
    EXPECT_TRUE(B(IDC_MIRROR)->isEnabled());
    EXPECT_FALSE(panel->SymbolPicker()->isEnabled());
    EXPECT_GT(panel->SymbolPicker()->count(), 100);
    EXPECT_FALSE(panel->FontSizeCombo()->isEnabled());
    EXPECT_EQ(panel->FontSizeCombo()->count(), 21);
    EXPECT_EQ(panel->FontSizeCombo()->currentText(), QStringLiteral("14"));
    EXPECT_EQ(panel->GetFontSize(), 14);
    EXPECT_FALSE(panel->SizeCombo()->isEnabled());
    EXPECT_EQ(panel->SizeCombo()->count(), static_cast<int>(ScreenSizeList(0).size()));
    EXPECT_EQ(panel->SizeCombo()->currentIndex(), 0);

    // Placed by the layout rule: the undo button at the top of the centred column.
    EXPECT_EQ(B(IDC_UNDO)->geometry().topLeft(), QPoint((128 - B(IDC_UNDO)->width() * 2) / 2, 10));
    EXPECT_EQ(B(IDC_REDO)->geometry().left(), B(IDC_UNDO)->geometry().right() + 1);
}

TEST_F(EffectPanelTest, ToolsChangeThePictureAndUndoRedoFollow) {
    extImage pic = Filled(40, 20, Bgr(0, 0, 0));
    pic.SetPixelColor(0, 19, Bgr(0, 0, 255));  // top-left red
    canvas.Load(pic);

    Click(IDC_ROTATE_LEFT);
    EXPECT_EQ(canvas.core.GetWidth(), 20);
    EXPECT_EQ(canvas.core.GetHeight(), 40);
    EXPECT_TRUE(B(IDC_UNDO)->isEnabled());
    EXPECT_FALSE(B(IDC_REDO)->isEnabled());
    // Rotating left takes the top-left corner to the bottom-left.
    EXPECT_TRUE(Same(At(*canvas.core.GetMainImage(), 0, 39), Bgr(0, 0, 255)));

    Click(IDC_UNDO);
    EXPECT_EQ(canvas.core.GetWidth(), 40);
    EXPECT_FALSE(B(IDC_UNDO)->isEnabled());
    EXPECT_TRUE(B(IDC_REDO)->isEnabled());
    Click(IDC_REDO);
    EXPECT_EQ(canvas.core.GetWidth(), 20);
    Click(IDC_UNDO);

    Click(IDC_MIRROR);
    EXPECT_TRUE(Same(At(*canvas.core.GetMainImage(), 39, 0), Bgr(0, 0, 255)));
    Click(IDC_FLIP);
    EXPECT_TRUE(Same(At(*canvas.core.GetMainImage(), 39, 19), Bgr(0, 0, 255)));
    Click(IDC_ROTATE_RIGHT);
    EXPECT_EQ(canvas.core.GetWidth(), 20);
    EXPECT_EQ(canvas.core.GetUndoLevel(), 3);
    EXPECT_FALSE(B(IDC_REDO)->isEnabled());
}

TEST_F(EffectPanelTest, TextButtonEntersAndLeavesTextMode) {
    LoadGrey();
    Shot(panel, "effect-normal");
    Click(IDC_TEXT);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_TEXT);
    EXPECT_EQ(Modes(), (std::vector<WPARAM>{2}));
    Shot(panel, "effect-text");
    EXPECT_TRUE(B(IDC_TEXT)->isChecked());
    EXPECT_TRUE(panel->SymbolPicker()->isEnabled());
    EXPECT_TRUE(panel->FontSizeCombo()->isEnabled());
    EXPECT_TRUE(B(IDC_BOLD)->isEnabled());
    EXPECT_FALSE(B(IDC_MIRROR)->isEnabled());
    EXPECT_FALSE(B(IDC_CROP)->isEnabled());
    EXPECT_FALSE(B(IDC_BRIGHT)->isEnabled());

    Click(IDC_TEXT);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(Modes(), (std::vector<WPARAM>{2, 5}));
    EXPECT_FALSE(B(IDC_TEXT)->isChecked());
    EXPECT_FALSE(panel->SymbolPicker()->isEnabled());
    EXPECT_TRUE(B(IDC_MIRROR)->isEnabled());
}

TEST_F(EffectPanelTest, CropButtonTogglesCropMode) {
    LoadGrey();
    Click(IDC_CROP);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_CROP);
    EXPECT_TRUE(B(IDC_CROP)->isChecked());
    EXPECT_FALSE(B(IDC_SCREEN1)->isEnabled());
    EXPECT_FALSE(B(IDC_SCREEN_SIZE)->isEnabled());
    EXPECT_FALSE(B(IDC_UNDO)->isEnabled());
    EXPECT_FALSE(B(IDC_TEXT)->isEnabled());
    Click(IDC_CROP);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(Modes(), (std::vector<WPARAM>{0, 5}));
    EXPECT_FALSE(B(IDC_CROP)->isChecked());
    EXPECT_TRUE(B(IDC_SCREEN1)->isEnabled());
}

TEST_F(EffectPanelTest, ScreenButtonsSwitchSizesWithoutLeavingLCDMode) {
    canvas.Load(Filled(300, 300, Bgr(10, 20, 30)));
    CSize first, second;
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(0), 0, first);
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(0), 1, second);

    Click(IDC_SCREEN1);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_LCD);
    EXPECT_EQ(canvas.core.GetLCDSize(), first);
    EXPECT_TRUE(B(IDC_SCREEN1)->isChecked());
    EXPECT_FALSE(B(IDC_CROP)->isEnabled());
    EXPECT_FALSE(B(IDC_TEXT)->isEnabled());

    Click(IDC_SCREEN2);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_LCD);
    EXPECT_EQ(canvas.core.GetLCDSize(), second);
    EXPECT_FALSE(B(IDC_SCREEN1)->isChecked());
    EXPECT_TRUE(B(IDC_SCREEN2)->isChecked());
    EXPECT_EQ(Modes(), (std::vector<WPARAM>{1}));

    Click(IDC_SCREEN2);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_NORMAL);
    EXPECT_FALSE(B(IDC_SCREEN2)->isChecked());
    EXPECT_EQ(Modes(), (std::vector<WPARAM>{1, 5}));
    EXPECT_TRUE(B(IDC_CROP)->isEnabled());
}

TEST_F(EffectPanelTest, SizeButtonUsesTheComboSize) {
    canvas.Load(Filled(300, 300, Bgr(10, 20, 30)));
    ASSERT_GT(panel->SizeCombo()->count(), 0);
    CSize listed;
    ASSERT_TRUE(ParseScreenSize(panel->SizeCombo()->itemText(0).toStdString(), listed));

    Click(IDC_SCREEN_SIZE);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_LCD);
    EXPECT_EQ(canvas.core.GetLCDSize(), listed);
    EXPECT_TRUE(panel->SizeCombo()->isEnabled());
    if (panel->SizeCombo()->count() > 1) {
        CSize other;
        ASSERT_TRUE(ParseScreenSize(panel->SizeCombo()->itemText(1).toStdString(), other));
        panel->SizeCombo()->setCurrentIndex(1);
        panel->OnSizeComboSelect();
        EXPECT_EQ(canvas.core.GetLCDSize(), other);
    }
    Click(IDC_SCREEN_SIZE);
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_NORMAL);
    EXPECT_FALSE(panel->SizeCombo()->isEnabled());
}

TEST_F(EffectPanelTest, BrightnessPreviewsLiveAndAppliesOnOK) {
    LoadGrey(100);
    int previewPaints = -1;
    RGBQUAD previewed{};
    CDlgEffect::SetBrightRunner([&](CDlgBright& dlg) {
        EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_EFFECT);
        EXPECT_EQ(dlg.BrightnessSlider()->GetRangeMin(), -100);
        EXPECT_EQ(dlg.BrightnessSlider()->GetRangeMax(), 100);
        EXPECT_EQ(dlg.ContrastSlider()->GetPos(), 0);
        const int before = canvas.paints;
        dlg.SendMessage(CBitmapSlider::kMsgMoving, CDlgBright::IDC_BRIGHTNESS, 50);
        previewPaints = canvas.paints - before;
        previewed = At(*canvas.core.GetEffectImage(), 5, 5);
        // The picture itself is untouched while previewing.
        EXPECT_TRUE(Same(At(*canvas.core.GetMainImage(), 5, 5), Bgr(100, 100, 100)));
        // Back to 0: the preview is made from the copy, not from the last preview.
        dlg.SendMessage(CBitmapSlider::kMsgMoved, CDlgBright::IDC_BRIGHTNESS, 0);
        EXPECT_TRUE(Same(At(*canvas.core.GetEffectImage(), 5, 5), Bgr(100, 100, 100)));
        dlg.SendMessage(CBitmapSlider::kMsgMoved, CDlgBright::IDC_BRIGHTNESS, 50);
        EXPECT_EQ(dlg.GetBrightness(), 50);
        EXPECT_EQ(dlg.GetContrast(), 0);
        return IDOK;
    });
    Click(IDC_BRIGHT);
    EXPECT_EQ(previewPaints, 1);
    EXPECT_EQ(previewed.rgbRed, 150);
    EXPECT_TRUE(Same(At(*canvas.core.GetMainImage(), 5, 5), Bgr(150, 150, 150)));
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(canvas.core.GetEffectImage(), nullptr);
    EXPECT_EQ(canvas.core.GetUndoLevel(), 1);
    EXPECT_TRUE(B(IDC_UNDO)->isEnabled());
}

TEST_F(EffectPanelTest, BrightnessCancelChangesNothing) {
    LoadGrey(100);
    CDlgEffect::SetBrightRunner([&](CDlgBright& dlg) {
        dlg.SendMessage(CBitmapSlider::kMsgMoved, CDlgBright::IDC_CONTRAST, 60);
        EXPECT_FALSE(Same(At(*canvas.core.GetEffectImage(), 5, 5), Bgr(100, 100, 100)));
        return IDCANCEL;
    });
    Click(IDC_BRIGHT);
    EXPECT_TRUE(Same(At(*canvas.core.GetMainImage(), 5, 5), Bgr(100, 100, 100)));
    EXPECT_EQ(canvas.core.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(canvas.core.GetEffectImage(), nullptr);
    EXPECT_EQ(canvas.core.GetUndoLevel(), 0);
    EXPECT_FALSE(B(IDC_UNDO)->isEnabled());
}

TEST_F(EffectPanelTest, SymbolsGoIntoATextBeingTypedOnly) {
    LoadGrey();
    Click(IDC_TEXT);
    // The canvas opens the edit box on a press in text mode.
    canvas.core.OnLButtonDown(CPoint(5, 5), false);
    canvas.core.OnLButtonUp(CPoint(5, 5), false);
    ASSERT_EQ(canvas.core.GetTextBox().GetMode(), TEXTMODE_EDIT);
    canvas.text.CreateEdit(&canvas.host, 5, 5, 5, 5, 15, 15);
    QTest::keyClicks(canvas.text.GetEdit(), QStringLiteral("A"));

    CString star = "★";
    panel->SendMessage(CMLSpecialCharListCtrl::WM_SYMBOL_CHOSEN, reinterpret_cast<WPARAM>(&star), 0);
    EXPECT_EQ(canvas.text.GetEdit()->toPlainText(), QStringLiteral("A★"));
    EXPECT_EQ(canvas.core.GetTextBox().GetText(), "A★");

    // A click in the picker sends its symbol the same way.
    CMLSpecialCharListCtrl* picker = panel->SymbolPicker();
    ASSERT_TRUE(picker->isEnabled());
    const QString first = picker->item(0)->text();
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, {}, picker->visualItemRect(picker->item(0)).center());
    EXPECT_EQ(canvas.text.GetEdit()->toPlainText(), QStringLiteral("A★") + first);

    // Once placed, symbols are refused.
    canvas.text.SetMode(TEXTMODE_PLACED);
    CString note = "♪";
    panel->SendMessage(CMLSpecialCharListCtrl::WM_SYMBOL_CHOSEN, reinterpret_cast<WPARAM>(&note), 0);
    EXPECT_EQ(canvas.text.GetEdit()->toPlainText(), QStringLiteral("A★") + first);
}

TEST_F(EffectPanelTest, FontControlsMakeTheCanvasFont) {
    LoadGrey();
    Click(IDC_TEXT);
    Click(IDC_BOLD);
    EXPECT_EQ(canvas.fonts, 1);
    EXPECT_EQ(canvas.text.GetLogFont().lfWeight, 700);
    EXPECT_EQ(canvas.text.GetFontHeight(), 14);
    EXPECT_EQ(canvas.core.GetFontState(), 1);

    Click(IDC_SHADOW);
    EXPECT_TRUE(canvas.text.GetShadow());
    // Choosing the size already chosen changes nothing; another size makes a new font.
    panel->FontSizeCombo()->setCurrentIndex(kFontSizeDefaultIndex);
    panel->OnFontSizeChange();
    EXPECT_EQ(canvas.fonts, 2);
    panel->FontSizeCombo()->setCurrentIndex(20);
    panel->OnFontSizeChange();
    EXPECT_EQ(canvas.fonts, 3);
    EXPECT_EQ(canvas.text.GetFontHeight(), 82);
    EXPECT_EQ(canvas.core.GetTextFontHeight(), 82);
    EXPECT_EQ(canvas.text.GetLogFont().lfQuality, NONANTIALIASED_QUALITY);

    // The colour message sets the text colour, then the font.
    panel->SendMessage(WM_EFFECT_COLOR, RGB(200, 10, 20), 0);
    EXPECT_EQ(canvas.text.GetColor(), RGB(200, 10, 20));
    EXPECT_EQ(canvas.fonts, 4);
}

}  // namespace
