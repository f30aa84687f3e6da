// LCD fitting: the window over the picture, the crop result and clip offset, dragging, the
// zoom-position memory, the double-click in both exclusive settings and the merged text box.
#include "tests/editor/Fixture.h"

using namespace editortest;

namespace {
const RGBQUAD kWhite = Bgr(255, 255, 255);
}

TEST(LCDSize, ModelDefaultsUntilTheHostSetsOne) {
    CViewMainCore core;
    EXPECT_EQ(core.GetLCDSize(), CSize(176, 144));
    core.SetModel(1);
    EXPECT_EQ(core.GetLCDSize(), CSize(128, 160));
    core.SetModel(3);
    EXPECT_EQ(core.GetLCDSize(), CSize(128, 128));
    core.SetModel(40);  // above 36: left as it was
    EXPECT_EQ(core.GetLCDSize(), CSize(128, 128));
    core.SetModel(11);
    EXPECT_EQ(core.GetLCDSize(), CSize(240, 180));
    core.SetModel(36);
    EXPECT_EQ(core.GetLCDSize(), CSize(240, 320));
    core.SetLCDSize(CSize(100, 80));
    EXPECT_EQ(core.GetSelection().GetRect(), CRect(0, 0, 100, 80));
    core.SetModel(1);
    EXPECT_EQ(core.GetLCDSize(), CSize(100, 80));
    core.Setscreen1();
    EXPECT_EQ(core.GetLCDSize(), CSize(176, 144));
    core.Setscreen2();
    EXPECT_EQ(core.GetLCDSize(), CSize(176, 220));
    core.SetModel(45);
    core.Setscreen2();
    EXPECT_EQ(core.GetLCDSize(), CSize(400, 240));
    EXPECT_EQ(core.GetSelection().GetRect(), CRect(0, 0, 400, 240));
}

class LCDTest : public CoreTest {
protected:
    void SetUp() override {
        original_ = LoadGradient(400, 300, CSize(600, 500));
        core_.SetLCDSize(CSize(176, 144));
    }
    void Enter(int exclusive = 1) {
        if (exclusive == 2)
            core_.SetSubExclusive(2);
        else
            core_.SetModeChange(MODE_LCD);
        core_.InitScroll();
    }
    // Drags the picture by (dx, dy) screen pixels.
    void DragPicture(int dx, int dy) { Drag(CPoint(300, 300), CPoint(300 + dx, 300 + dy)); }

    extImage original_;
};

TEST_F(LCDTest, CalcCropImageAtSeveralZoomsAndPlaces) {
    Enter();
    struct Case {
        int level, picLeft, picTop, lcdLeft, lcdTop;
        CRect crop;
        CPoint clip;
    };
    const Case cases[] = {
        // Factor 1; the picture starts 20 pixels inside the window.
        {15, 120, 10, 100, 50, CRect(0, 40, 156, 184), CPoint(20, 0)},
        // Window past the right and bottom edges: limited to the picture.
        {15, 0, 0, 300, 200, CRect(300, 200, 400, 300), CPoint(0, 0)},
        // Picture entirely right of the window: nothing in it.
        {15, 400, 10, 100, 50, CRect(0, 40, 0, 184), CPoint(300, 0)},
        // Factor 0.5: the window covers twice as many picture pixels.
        {10, 0, 0, 100, 30, CRect(200, 60, 400, 300), CPoint(0, 0)},
        // Factor 2: half as many, the clip offset back in screen pixels.
        {20, 150, -100, 100, 20, CRect(0, 60, 63, 132), CPoint(50, 0)},
        {20, 103, 0, 100, 0, CRect(0, 0, 87, 72), CPoint(2, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " at " << c.picLeft << "," << c.picTop);
        core_.Zoomin(c.level);
        EXPECT_EQ(core_.CalcCropImage(c.picLeft, c.picTop, c.lcdLeft, c.lcdTop), c.crop);
        EXPECT_EQ(core_.GetClipOffset(), c.clip);
    }
}

TEST_F(LCDTest, InitScrollCentresPictureAndWindow) {
    Enter();
    EXPECT_EQ(core_.GetCurrentMode(), MODE_LCD);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(0, 0, 176, 144));
    EXPECT_EQ(core_.GetOrigin(), CPoint(100, 100));
    EXPECT_EQ(core_.GetLCDWindowPos(), CPoint(212, 178));
    EXPECT_EQ(core_.GetCropResult(), CRect(112, 78, 288, 222));
    EXPECT_EQ(core_.GetScroll().total, CSize(100, 100));
    EXPECT_EQ(core_.GetScroll().page, CSize(10, 10));
    EXPECT_EQ(core_.GetScroll().line, CSize(1, 1));
    EXPECT_FALSE(core_.GetScroll().showHorz);
    EXPECT_FALSE(core_.GetScroll().showVert);
    // The display copy is bright inside the window only.
    ASSERT_NE(core_.GetDisplayImage(), nullptr);
    EXPECT_TRUE(SameColour(At(*core_.GetDisplayImage(), 112, 78), At(original_, 112, 78)));
    EXPECT_TRUE(SameColour(At(*core_.GetDisplayImage(), 111, 78), At(*core_.GetDimImage(), 111, 78)));
}

TEST_F(LCDTest, DraggingMovesThePictureUnderTheWindow) {
    Enter();
    core_.OnLButtonDown(CPoint(300, 300), false);
    EXPECT_EQ(core_.GetDragState(), 2);
    core_.OnMouseMove(CPoint(250, 280), false);
    EXPECT_EQ(core_.GetLCDPicturePos(), CPoint(50, 80));
    EXPECT_EQ(core_.GetOrigin(), CPoint(100, 100));
    EXPECT_EQ(core_.GetCropResult(), CRect(162, 98, 338, 242));
    core_.OnLButtonUp(CPoint(250, 280), false);
    EXPECT_EQ(core_.GetOrigin(), CPoint(50, 80));
    EXPECT_EQ(core_.GetLCDPicturePos(), CPoint(50, 80));

    // Back and 20 pixels right of the window's left edge.
    DragPicture(182, 20);
    EXPECT_EQ(core_.GetOrigin(), CPoint(232, 100));
    EXPECT_EQ(core_.GetCropResult(), CRect(0, 78, 156, 222));
    EXPECT_EQ(core_.GetClipOffset(), CPoint(20, 0));
}

TEST_F(LCDTest, ZoomPositionMemoryReturnsThePicture) {
    Enter();
    core_.Zoomin(10);
    EXPECT_EQ(core_.GetOrigin(), CPoint(200, 175));
    EXPECT_EQ(core_.GetZoomMemoryCount(), 1u);
    EXPECT_EQ(core_.GetZoomMemory(-6), CPoint(200, 175));
    EXPECT_FALSE(core_.HasZoomMemory(1));
    EXPECT_EQ(core_.GetCropResult(), CRect(24, 6, 376, 294));

    core_.Zoomin(15);
    EXPECT_EQ(core_.GetOrigin(), CPoint(100, 100));
    EXPECT_EQ(core_.GetZoomMemory(1), CPoint(100, 100));
    core_.Zoomin(10);
    EXPECT_EQ(core_.GetOrigin(), CPoint(200, 175));

    // A drag forgets the memory; the next zoom starts from where the picture is.
    DragPicture(10, 0);
    EXPECT_EQ(core_.GetZoomMemoryCount(), 0u);
    EXPECT_EQ(core_.GetOrigin(), CPoint(210, 175));
    core_.Zoomin(15);
    EXPECT_EQ(core_.GetOrigin(), CPoint(110, 100));
    EXPECT_EQ(core_.GetZoomMemoryCount(), 1u);

    // So do a new LCD size and a reset to factor 1.
    core_.SetLCDSize(CSize(176, 144));
    EXPECT_EQ(core_.GetZoomMemoryCount(), 0u);
    core_.Zoomin(20);
    core_.CreateDirect();
    EXPECT_EQ(core_.GetZoomIndex(), 1);
    EXPECT_FLOAT_EQ(core_.GetFactor(), 1.0f);
    EXPECT_EQ(core_.GetZoomMemoryCount(), 0u);
    EXPECT_EQ(core_.GetOrigin(), CPoint(100, 100));
}

TEST_F(LCDTest, ResizingKeepsThePictureRelativeToTheWindow) {
    Enter();
    core_.Zoomin(10);
    core_.Zoomin(15);
    ASSERT_EQ(core_.GetZoomMemoryCount(), 2u);
    core_.SetClientSize(CSize(700, 460));
    EXPECT_EQ(core_.GetLCDWindowPos(), CPoint(262, 158));
    EXPECT_EQ(core_.GetOrigin(), CPoint(150, 80));
    EXPECT_EQ(core_.GetCropResult(), CRect(112, 78, 288, 222));
    EXPECT_EQ(core_.GetZoomMemoryCount(), 0u);
}

TEST_F(LCDTest, HintOnlyInLCDModeWhileEnabled) {
    core_.SetShowText(true);
    EXPECT_FALSE(core_.IsHintVisible());
    Enter();
    EXPECT_TRUE(core_.IsHintVisible());
    core_.SetShowText(false);
    EXPECT_FALSE(core_.IsHintVisible());
    EXPECT_STREQ(CViewMainCore::GetHintText(), "더블클릭하세요.");
}

TEST_F(LCDTest, DoubleClickInSettingOneCropsThePicture) {
    Enter();
    CanvasNotice n = core_.OnLButtonDblClk(CPoint(10, 10));
    EXPECT_EQ(n.message, WM_CANVAS_MODE);
    EXPECT_EQ(n.param, MODE_NORMAL);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_NORMAL);
    ASSERT_EQ(core_.GetWidth(), 176);
    ASSERT_EQ(core_.GetHeight(), 144);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), At(original_, 112, 78)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 175, 143), At(original_, 287, 221)));
    EXPECT_TRUE(core_.GetSelection().IsEmpty());
    ASSERT_NE(core_.GetClipImage(), nullptr);
    EXPECT_EQ(core_.GetClipImage()->GetWidth(), 176u);
    EXPECT_TRUE(SameColour(At(*core_.GetClipImage(), 0, 0), kWhite));
    EXPECT_EQ(core_.GetUndoLevel(), 1);
    core_.Undo();
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original_));
}

TEST_F(LCDTest, DoubleClickInSettingOneResamplesToTheLCDSize) {
    Enter();
    core_.Zoomin(10);  // the window covers 352 x 288 picture pixels
    ASSERT_EQ(core_.GetCropResult(), CRect(24, 6, 376, 294));
    core_.OnLButtonDblClk(CPoint(10, 10));
    EXPECT_EQ(core_.GetWidth(), 176);
    EXPECT_EQ(core_.GetHeight(), 144);
    core_.Undo();
    EXPECT_EQ(core_.GetWidth(), 400);
}

TEST_F(LCDTest, DoubleClickWithNothingUnderTheWindowChangesNothing) {
    Enter();
    DragPicture(600, 0);
    ASSERT_TRUE(core_.GetCropResult().IsRectEmpty());
    CanvasNotice n = core_.OnLButtonDblClk(CPoint(10, 10));
    EXPECT_EQ(n.message, 0u);
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_EQ(core_.GetWidth(), 400);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_LCD);
    ASSERT_NE(core_.GetClipImage(), nullptr);
    EXPECT_TRUE(SameColour(At(*core_.GetClipImage(), 100, 100), kWhite));
}

TEST_F(LCDTest, DoubleClickInSettingTwoMakesOnlyTheClip) {
    Enter(2);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_LCD);
    DragPicture(132, 0);
    CanvasNotice n = core_.OnLButtonDblClk(CPoint(10, 10));
    EXPECT_EQ(n.message, WM_CANVAS_NEWCLIP);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_LCD);
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original_));
    const extImage* clip = core_.GetClipImage();
    ASSERT_NE(clip, nullptr);
    ASSERT_EQ(clip->GetWidth(), 176u);
    ASSERT_EQ(clip->GetHeight(), 144u);
    // The picture starts 20 pixels into the window: white before it.
    EXPECT_TRUE(SameColour(At(*clip, 19, 0), kWhite));
    EXPECT_TRUE(SameColour(At(*clip, 20, 0), At(original_, 0, 78)));
    EXPECT_TRUE(SameColour(At(*clip, 175, 143), At(original_, 155, 221)));
}

TEST_F(LCDTest, SettingTwoScalesTheClipAtOtherZooms) {
    Enter(2);
    DragPicture(132, 0);
    core_.Zoomin(20);
    ASSERT_EQ(core_.GetCropResult(), CRect(90, 114, 178, 186));
    core_.OnLButtonDblClk(CPoint(10, 10));
    const extImage* clip = core_.GetClipImage();
    ASSERT_NE(clip, nullptr);
    // 88 x 72 picture pixels fill the whole window at factor 2.
    EXPECT_FALSE(SameColour(At(*clip, 175, 143), kWhite));
    EXPECT_FALSE(SameColour(At(*clip, 0, 0), kWhite));
    EXPECT_EQ(core_.GetWidth(), 400);
}

TEST_F(LCDTest, SettingTwoClosesAGapBelowOnePicturePixel) {
    Enter(2);
    core_.Zoomin(29);  // factor 3.8
    ASSERT_EQ(core_.GetCropResult(), CRect(176, 131, 222, 168));
    core_.OnLButtonDblClk(CPoint(10, 10));
    const extImage* clip = core_.GetClipImage();
    ASSERT_NE(clip, nullptr);
    // 46 columns scale to 174, two short of the window: widened to 176. 37 rows scale to 140,
    // four short, more than the factor: left white.
    EXPECT_FALSE(SameColour(At(*clip, 175, 0), kWhite));
    EXPECT_FALSE(SameColour(At(*clip, 0, 139), kWhite));
    EXPECT_TRUE(SameColour(At(*clip, 0, 140), kWhite));
}

class LCDTextTest : public LCDTest {
protected:
    // A placed text box: a 10 x 5 text picture, red in its left half, key colour elsewhere.
    void PlaceText(CPoint at) {
        auto* text = new extImage(10, 5, 24);
        const RGBQUAD key = Bgr(254, 255, 255);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 10; ++x) Put(*text, x, y, x < 5 ? Bgr(0, 0, 255) : key);
        text->SetTransColor(key);
        cbText& box = core_.GetTextBox();
        box.SetText("A");
        box.SetTextImage(text);
        box.SetLeftTop(at);
        box.SetTextSize(CSize(10, 5));
        box.SetMode(TEXTMODE_PLACED);
    }
};

TEST_F(LCDTextTest, PlacedTextIsMergedWhileFittingAndTakenOutAfter) {
    PlaceText(CPoint(20, 30));
    core_.SetModeChange(MODE_LCD);
    EXPECT_EQ(core_.GetTextBox().GetMode(), TEXTMODE_MERGED);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 20, 30), Bgr(0, 0, 255)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 24, 34), Bgr(0, 0, 255)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 25, 30), At(original_, 25, 30)));
    ASSERT_NE(core_.GetEffectImage(), nullptr);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetEffectImage(), original_));

    core_.SetModeChange(MODE_NORMAL);
    EXPECT_EQ(core_.GetTextBox().GetMode(), TEXTMODE_PLACED);
    EXPECT_EQ(core_.GetEffectImage(), nullptr);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original_));
}

TEST_F(LCDTextTest, SettingOneCropMovesTheTextAndUndoBringsItBack) {
    PlaceText(CPoint(150, 100));
    Enter();
    ASSERT_EQ(core_.GetCropResult(), CRect(112, 78, 288, 222));
    core_.OnLButtonDblClk(CPoint(10, 10));
    EXPECT_EQ(core_.GetTextBox().GetMode(), TEXTMODE_PLACED);
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(38, 22));
    EXPECT_EQ(core_.GetEffectImage(), nullptr);
    // The cropped picture carries no text: it stays a box of its own.
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 38, 22), At(original_, 150, 100)));
    EXPECT_EQ(core_.GetUndoPosition(0), CPoint(150, 100));
    core_.Undo();
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(150, 100));
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original_));
}

TEST(LCDPreview, ScreenAreaFitsTheLCDInItsProportion) {
    EXPECT_EQ(CViewMainCore::CalcPreviewScreen(CSize(176, 144)), CRect(22, 58, 138, 153));
    EXPECT_EQ(CViewMainCore::CalcPreviewScreen(CSize(240, 320)), CRect(39, 50, 122, 160));
}

TEST_F(LCDTest, ANewLCDSizeStaysCentredAndTheCopiesFollowThePicture) {
    Enter();
    EXPECT_EQ(core_.GetVisiblePictureRect(), CRect(100, 100, 500, 400));
    core_.SetLCDSize(CSize(240, 320));
    EXPECT_EQ(core_.GetLCDWindowPos(), CPoint(180, 90));
    EXPECT_EQ(core_.GetCropResult(), CRect(80, 0, 320, 300));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(0, 0, 240, 320));
    // An effect in LCD mode: the dimmed and display copies show the new pixels.
    core_.ProcessGray();
    const extImage& picture = *core_.GetMainImage();
    EXPECT_TRUE(SameColour(At(*core_.GetDisplayImage(), 100, 10), At(picture, 100, 10)));
    EXPECT_TRUE(SameColour(At(*core_.GetDisplayImage(), 10, 10), At(*core_.GetDimImage(), 10, 10)));
    const RGBQUAD grey = At(picture, 10, 10);
    EXPECT_EQ(At(*core_.GetDimImage(), 10, 10).rgbBlue, grey.rgbBlue / 2);
}
