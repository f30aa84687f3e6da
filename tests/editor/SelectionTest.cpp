// The selection rectangle: handles, drawing with and without Shift, moving and resizing, the crop
// display copy and the crop double-click with its undo step.
#include "tests/editor/Fixture.h"

using namespace editortest;

TEST(SelectionRect, HandlesAreHitInOrderAroundTheCorners) {
    cbRect r;
    r.SetRect(CPoint(150, 120), CPoint(50, 50));  // normalised
    EXPECT_EQ(r.GetRect(), CRect(50, 50, 150, 120));
    EXPECT_EQ(r.GetHandleRect(1), CRect(40, 40, 60, 60));
    EXPECT_EQ(r.HitHandle(CPoint(40, 40)), 1);
    EXPECT_EQ(r.HitHandle(CPoint(59, 59)), 1);
    EXPECT_EQ(r.HitHandle(CPoint(39, 40)), 0);
    EXPECT_EQ(r.HitHandle(CPoint(60, 60)), 0);
    EXPECT_EQ(r.HitHandle(CPoint(150, 50)), 2);
    EXPECT_EQ(r.HitHandle(CPoint(155, 125)), 3);
    EXPECT_EQ(r.HitHandle(CPoint(45, 115)), 4);
    EXPECT_EQ(r.HitHandle(CPoint(100, 85)), 0);
    // Overlapping squares of a small rectangle: the first in the order 1-4 wins.
    r.SetRect(CRect(0, 0, 10, 10));
    EXPECT_EQ(r.HitHandle(CPoint(5, 5)), 1);
    EXPECT_EQ(r.HitHandle(CPoint(12, 5)), 2);
    EXPECT_EQ(r.HitHandle(CPoint(12, 12)), 3);
    // An empty rectangle has no handles.
    r.Clear();
    EXPECT_EQ(r.HitHandle(CPoint(0, 0)), 0);
}

TEST(SelectionRect, ResizingAnchorsTheOppositeCorner) {
    cbRect r;
    r.SetRect(CRect(50, 50, 150, 120));
    EXPECT_EQ(r.GetAnchor(1), CPoint(150, 120));
    EXPECT_EQ(r.GetAnchor(2), CPoint(50, 120));
    EXPECT_EQ(r.GetAnchor(3), CPoint(50, 50));
    EXPECT_EQ(r.GetAnchor(4), CPoint(150, 50));
    EXPECT_EQ(r.ResizedRect(1, CPoint(70, 60)), CRect(70, 60, 150, 120));
    EXPECT_EQ(r.ResizedRect(3, CPoint(200, 140)), CRect(50, 50, 200, 140));
    // Dragged past the anchor: normalised.
    EXPECT_EQ(r.ResizedRect(2, CPoint(30, 130)), CRect(30, 120, 50, 130));
    EXPECT_EQ(r.ResizedRect(4, CPoint(60, 100)), CRect(60, 50, 150, 100));
    EXPECT_EQ(r.GetRect(), CRect(50, 50, 150, 120));  // only Resize changes it
}

TEST(SelectionRect, ScreenPlacementAndSizeLabel) {
    cbRect r;
    r.SetRect(CRect(10, 20, 45, 120));
    r.SetOrigin(CPoint(5, 7));
    r.SetZoom(1.5);
    EXPECT_EQ(r.GetScreenRect(), CRect(20, 37, 72, 187));
    EXPECT_EQ(r.GetSizeLabel(), " 35 x 100");
}

class CropTest : public CoreTest {
protected:
    void SetUp() override {
        original_ = LoadGradient(200, 150, CSize(200, 150));
        core_.SetModeChange(MODE_CROP);
    }
    extImage original_;
};

TEST_F(CropTest, DrawingWithAndWithoutShift) {
    // Shift: as far down as across.
    Drag(CPoint(10, 10), CPoint(40, 25), true);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(10, 10, 40, 40));
    Drag(CPoint(100, 10), CPoint(130, 25));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(100, 10, 130, 25));
    // Shift with the mouse above and left of the press: the square goes up.
    Drag(CPoint(90, 90), CPoint(60, 85), true);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(60, 60, 90, 90));
    // Drawn backwards: normalised.
    Drag(CPoint(150, 100), CPoint(120, 130));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(120, 100, 150, 130));
    // A click without moving clears the selection.
    Drag(CPoint(5, 5), CPoint(5, 5));
    EXPECT_TRUE(core_.GetSelection().IsEmpty());
}

TEST_F(CropTest, TrackRectangleFollowsTheMouseUntilRelease) {
    core_.OnLButtonDown(CPoint(10, 10), false);
    EXPECT_EQ(core_.GetDragState(), 1);
    core_.OnMouseMove(CPoint(30, 50), true);
    EXPECT_EQ(core_.GetTrackRect(), CRect(10, 10, 30, 30));
    EXPECT_TRUE(core_.GetSelection().IsEmpty());
    core_.OnLButtonUp(CPoint(30, 50), false);  // Shift released before the button
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(10, 10, 30, 50));
    EXPECT_EQ(core_.GetDragState(), 0);
}

TEST_F(CropTest, DrawingAtAZoomAndOrigin) {
    original_ = LoadGradient(100, 80, CSize(300, 200));
    core_.Zoomin(20);  // factor 2, origin (50, 20)
    Drag(CPoint(70, 40), CPoint(130, 90));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(10, 10, 40, 35));
    EXPECT_EQ(core_.GetSelection().GetScreenRect(), CRect(70, 40, 130, 90));
    Drag(CPoint(250, 150), CPoint(250, 150));
    Drag(CPoint(70, 40), CPoint(130, 60), true);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(10, 10, 40, 40));
}

TEST_F(CropTest, MovingAndResizingFromEachHandle) {
    Drag(CPoint(50, 50), CPoint(150, 120));
    ASSERT_EQ(core_.GetSelection().GetRect(), CRect(50, 50, 150, 120));

    core_.OnLButtonDown(CPoint(52, 48), false);
    EXPECT_EQ(core_.GetDragState(), 3);
    EXPECT_EQ(core_.GetGrabbedHandle(), 1);
    core_.OnMouseMove(CPoint(70, 60), false);
    EXPECT_EQ(core_.GetTrackRect(), CRect(70, 60, 150, 120));
    core_.OnLButtonUp(CPoint(70, 60), false);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(70, 60, 150, 120));

    Drag(CPoint(148, 118), CPoint(190, 140));  // handle 3
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(70, 60, 190, 140));
    Drag(CPoint(190, 60), CPoint(100, 40));  // handle 2 against anchor (70, 140)
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(70, 40, 100, 140));
    Drag(CPoint(70, 140), CPoint(20, 100));  // handle 4 against anchor (100, 40)
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(20, 40, 100, 100));

    // Inside, away from the handles: the rectangle moves by the mouse delta.
    core_.OnLButtonDown(CPoint(60, 70), false);
    EXPECT_EQ(core_.GetDragState(), 2);
    core_.OnMouseMove(CPoint(65, 75), false);
    EXPECT_EQ(core_.GetTrackRect(), CRect(25, 45, 105, 105));
    core_.OnLButtonUp(CPoint(70, 72), false);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(30, 42, 110, 102));

    // Outside: a new rectangle.
    core_.OnLButtonDown(CPoint(180, 10), false);
    EXPECT_EQ(core_.GetDragState(), 1);
    core_.OnLButtonUp(CPoint(195, 20), false);
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(180, 10, 195, 20));
}

TEST_F(CropTest, DisplayCopyIsDimmedOutsideTheSelection) {
    extImage* dim = core_.GetDimImage();
    extImage* display = core_.GetDisplayImage();
    ASSERT_NE(dim, nullptr);
    ASSERT_NE(display, nullptr);
    // Pixel (100, 60) is blue 100, green 60, red 160: halved.
    EXPECT_TRUE(SameColour(At(*dim, 100, 60), Bgr(50, 30, 80)));
    EXPECT_TRUE(SameColour(At(*display, 100, 60), Bgr(50, 30, 80)));
    Drag(CPoint(60, 30), CPoint(120, 90));
    EXPECT_TRUE(SameColour(At(*display, 100, 60), Bgr(100, 60, 160)));
    EXPECT_TRUE(SameColour(At(*display, 59, 60), At(*dim, 59, 60)));
    // Moved away: the old place is dimmed again, the new one bright.
    Drag(CPoint(90, 60), CPoint(130, 60));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(100, 30, 160, 90));
    EXPECT_TRUE(SameColour(At(*display, 80, 60), Bgr(40, 30, 70)));
    EXPECT_TRUE(SameColour(At(*display, 140, 60), Bgr(140, 60, 200)));
    // An effect renews both copies; the selection stays bright.
    core_.ProcessSepia();
    EXPECT_TRUE(SameColour(At(*core_.GetDisplayImage(), 140, 60), At(*core_.GetMainImage(), 140, 60)));
    EXPECT_EQ(At(*core_.GetDisplayImage(), 80, 60).rgbRed, At(*core_.GetMainImage(), 80, 60).rgbRed / 2);
    display = core_.GetDisplayImage();
    dim = core_.GetDimImage();
    // A selection reaching past the picture is clipped, not a fault.
    Drag(CPoint(180, 130), CPoint(260, 400));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(180, 130, 260, 400));
    EXPECT_TRUE(SameColour(At(*display, 199, 149), At(*core_.GetMainImage(), 199, 149)));
}

TEST_F(CropTest, DoubleClickOutsideTheSelectionDoesNothing) {
    Drag(CPoint(20, 20), CPoint(60, 50));
    CanvasNotice n = core_.OnLButtonDblClk(CPoint(100, 100));
    EXPECT_EQ(n.message, 0u);
    EXPECT_EQ(core_.GetWidth(), 200);
    EXPECT_EQ(core_.CanUndo(), 0);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_CROP);
    // No selection at all: nothing either.
    Drag(CPoint(5, 5), CPoint(5, 5));
    EXPECT_EQ(core_.OnLButtonDblClk(CPoint(5, 5)).message, 0u);
    EXPECT_EQ(core_.GetWidth(), 200);
}

TEST_F(CropTest, DoubleClickInsideCropsAndUndoRestoresTheTextBox) {
    core_.GetTextBox().SetText("hello");
    core_.GetTextBox().SetLeftTop(CPoint(60, 70));
    core_.GetTextBox().SetMode(TEXTMODE_PLACED);
    Drag(CPoint(50, 50), CPoint(130, 110));
    CanvasNotice n = core_.OnLButtonDblClk(CPoint(90, 80));
    EXPECT_EQ(n.message, WM_CANVAS_MODE);
    EXPECT_EQ(n.param, MODE_NORMAL);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(core_.GetDimImage(), nullptr);
    EXPECT_TRUE(core_.GetSelection().IsEmpty());
    ASSERT_EQ(core_.GetWidth(), 80);
    ASSERT_EQ(core_.GetHeight(), 60);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), At(original_, 50, 50)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 79, 59), At(original_, 129, 109)));
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(10, 20));
    // The scroll sizes follow the smaller picture.
    EXPECT_EQ(core_.GetScroll().total, CSize(80, 60));
    EXPECT_EQ(core_.GetOrigin(), CPoint(60, 45));

    ASSERT_EQ(core_.CanUndo(), 1);
    EXPECT_EQ(core_.GetUndoPosition(0), CPoint(60, 70));
    core_.Undo();
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(60, 70));
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original_));
    EXPECT_EQ(core_.GetScroll().total, CSize(200, 150));
    // Redo swaps back, the box included.
    ASSERT_EQ(core_.CanRedo(), 1);
    core_.Redo();
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(10, 20));
    EXPECT_EQ(core_.GetWidth(), 80);
}

TEST_F(CropTest, CropClipsASelectionReachingPastThePicture) {
    core_.GetTextBox().SetLeftTop(CPoint(170, 130));
    Drag(CPoint(150, 100), CPoint(190, 140));
    // Stretch past the edge with handle 3.
    Drag(CPoint(190, 140), CPoint(260, 300));
    ASSERT_EQ(core_.GetSelection().GetRect(), CRect(150, 100, 260, 300));
    core_.OnLButtonDblClk(CPoint(160, 110));
    EXPECT_EQ(core_.GetWidth(), 50);
    EXPECT_EQ(core_.GetHeight(), 50);
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(20, 30));
}

TEST_F(CropTest, ModeTogglesKeepTheCopiesOnlyWhereNeeded) {
    EXPECT_NE(core_.GetDimImage(), nullptr);
    core_.Crop();  // from crop mode back to normal
    EXPECT_EQ(core_.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(core_.GetDimImage(), nullptr);
    core_.Crop();
    EXPECT_EQ(core_.GetCurrentMode(), MODE_CROP);
    EXPECT_EQ(core_.GetSelection().GetStyle(), cbRect::kStyleLabel);
    // Crop to LCD and back keeps fresh copies.
    core_.SetModeChange(MODE_LCD);
    EXPECT_NE(core_.GetDimImage(), nullptr);
    core_.SetModeChange(MODE_CROP);
    EXPECT_NE(core_.GetDimImage(), nullptr);
    EXPECT_NE(core_.GetDisplayImage(), nullptr);
    core_.Redeye();
    EXPECT_EQ(core_.GetCurrentMode(), MODE_REDEYE);
    EXPECT_EQ(core_.GetSelection().GetStyle(), cbRect::kStyleRedeye);
    EXPECT_EQ(core_.GetDimImage(), nullptr);
    core_.Redeye();
    EXPECT_EQ(core_.GetCurrentMode(), MODE_NORMAL);
    core_.Text(2);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_TEXT);
    core_.Text(0);
    EXPECT_EQ(core_.GetCurrentMode(), MODE_NORMAL);
    // SetRealMode stores the mode; any mode but the effect preview frees the preview pair.
    core_.SetEffectImage(new extImage(original_));
    core_.SetRealMode(MODE_EFFECT);
    EXPECT_NE(core_.GetEffectImage(), nullptr);
    core_.SetRealMode(MODE_NORMAL);
    EXPECT_EQ(core_.GetEffectImage(), nullptr);
}
