// The arithmetic of the work views, the slide host and the progress window, and the small
// rules of the editor's bottom row.
#include <gtest/gtest.h>

#include "app/WorkLayout.h"

namespace {

CWorkLayout::RowSizes Sizes() {
    CWorkLayout::RowSizes s;
    s.logo = {64, 20};
    s.zoomOut = {18, 18};
    s.zoomIn = {18, 18};
    s.slider = {120, 20};
    s.previous = {40, 24};
    s.next = {40, 24};
    s.save = {50, 24};
    s.print = {50, 24};
    return s;
}

TEST(WorkLayout, ComposerPutsTheBrowserAboveAZoomGroupAtTheRightEdge) {
    const auto l = CWorkLayout::ComposerLayout(1200, 700, Sizes());
    EXPECT_EQ(l.browser, CRect(10, 0, 1190, 650));
    // Row 650..700: a 20-pixel control is centred at 665, an 18-pixel one at 666.
    EXPECT_EQ(l.logo, CRect(20, 665, 84, 685));
    EXPECT_EQ(l.zoomIn, CRect(1172, 666, 1190, 684));
    EXPECT_EQ(l.slider, CRect(1047, 665, 1167, 685));
    EXPECT_EQ(l.zoomOut, CRect(1024, 666, 1042, 684));
    // The text box lies between the logo and the zoom group, 5 pixels outside its texts.
    EXPECT_EQ(l.info, CRect(99, 660, 1009, 690));
}

TEST(WorkLayout, EditorPanelsCanvasButtonsAndTexts) {
    const auto l = CWorkLayout::EditorLayout(1200, 700, Sizes());
    EXPECT_EQ(l.filter, CRect(10, 0, 92, 650));
    EXPECT_EQ(l.effect, CRect(1062, 0, 1190, 650));
    EXPECT_EQ(l.canvas, CRect(97, 0, 1057, 650));
    EXPECT_EQ(l.save, CRect(1082, 663, 1132, 687));
    EXPECT_EQ(l.print, CRect(1132, 663, 1182, 687));
    EXPECT_EQ(l.next, CRect(1017, 663, 1057, 687));
    EXPECT_EQ(l.previous, CRect(977, 663, 1017, 687));
    EXPECT_EQ(l.zoomIn, CRect(949, 666, 967, 684));
    EXPECT_EQ(l.slider, CRect(824, 665, 944, 685));
    EXPECT_EQ(l.zoomOut, CRect(801, 666, 819, 684));
    // t = (801 - 20 - 97) / 3 = 228.
    EXPECT_EQ(l.position, CRect(97, 665, 325, 685));
    EXPECT_EQ(l.information, CRect(330, 665, 786, 685));
}

TEST(WorkLayout, DecorateColumnsAndButtonsAtTheRight) {
    const auto l = CWorkLayout::DecorateLayout(1200, 700, Sizes());
    EXPECT_EQ(l.frame, CRect(10, 0, 92, 650));
    EXPECT_EQ(l.pictures, CRect(97, 0, 211, 650));
    EXPECT_EQ(l.slides, CRect(216, 0, 999, 650));
    EXPECT_EQ(l.preview, CRect(1004, 0, 1190, 650));
    EXPECT_EQ(l.save, CRect(1019, 663, 1069, 687));
    EXPECT_EQ(l.print, CRect(1069, 663, 1119, 687));
    EXPECT_EQ(l.zoomIn, CRect(991, 666, 1009, 684));
    EXPECT_EQ(l.zoomOut, CRect(843, 666, 861, 684));
    // t = (843 - 117) / 3 = 242.
    EXPECT_EQ(l.position, CRect(97, 665, 339, 685));
    EXPECT_EQ(l.information, CRect(344, 665, 828, 685));
}

TEST(WorkLayout, TextsShrinkToNothingInsteadOfTurningAround) {
    const auto l = CWorkLayout::EditorLayout(300, 200, Sizes());
    EXPECT_EQ(l.position.Width(), 0);
    EXPECT_EQ(l.information.Width(), 0);
}

TEST(WorkLayout, SlideHostAndItsScrollRange) {
    auto l = CWorkLayout::SlideHostLayout(800, 600, 500);
    EXPECT_EQ(l.slides, CRect(10, 15, 790, 125));
    EXPECT_EQ(l.scroller, CRect(10, 128, 790, 139));
    EXPECT_EQ(l.canvas, CRect(10, 154, 790, 595));
    EXPECT_EQ(l.scrollMax, 0);
    EXPECT_EQ(CWorkLayout::SlideHostLayout(800, 600, 780).scrollMax, 0);
    EXPECT_EQ(CWorkLayout::SlideHostLayout(800, 600, 1300).scrollMax, 520);
}

TEST(PositionText, FormatsOnlyWhenANumberChanged) {
    CPositionText text;
    EXPECT_TRUE(text.Set(3, 10));
    EXPECT_EQ(text.Text(), "사진 3/10장");
    EXPECT_FALSE(text.Set(3, 10));
    EXPECT_TRUE(text.Set(3, 11));
    EXPECT_EQ(text.Text(), "사진 3/11장");
    EXPECT_TRUE(text.Set(0, 11));
    EXPECT_EQ(text.Text(), "사진 0/11장");
}

TEST(ZoomTracker, DirectionFollowsTheStoredValue) {
    CZoomTracker zoom;
    EXPECT_EQ(zoom.Value(), 15);
    EXPECT_EQ(zoom.Move(16), CZoomTracker::Step::In);
    EXPECT_EQ(zoom.Move(16), CZoomTracker::Step::None);
    EXPECT_EQ(zoom.Move(3), CZoomTracker::Step::Out);
    EXPECT_EQ(zoom.Value(), 3);
    zoom.Reset(20);
    EXPECT_EQ(zoom.Move(19), CZoomTracker::Step::Out);
}

TEST(EditorControlState, ToolModesDisableAndNormalRestores) {
    CEditorControlState s;
    s.EnablePrevious(true);
    s.EnableNext(false);
    EXPECT_TRUE(s.ToolMode(0));
    EXPECT_FALSE(s.filterEnabled);
    EXPECT_FALSE(s.previousEnabled);
    EXPECT_FALSE(s.nextEnabled);
    EXPECT_FALSE(s.saveEnabled);
    EXPECT_FALSE(s.printEnabled);
    EXPECT_TRUE(s.ToolMode(5));
    EXPECT_TRUE(s.filterEnabled);
    EXPECT_TRUE(s.previousEnabled);
    EXPECT_FALSE(s.nextEnabled);
    EXPECT_TRUE(s.saveEnabled);
    EXPECT_TRUE(s.printEnabled);
}

TEST(EditorControlState, CropThenLcdStillRestoresTheBrowsingButtons) {
    CEditorControlState s;
    s.EnablePrevious(true);
    s.EnableNext(true);
    s.ToolMode(0);
    s.ToolMode(1);
    s.ToolMode(5);
    EXPECT_TRUE(s.previousEnabled);
    EXPECT_TRUE(s.nextEnabled);
}

TEST(EditorControlState, OtherModesChangeNothingAndEnablingWaitsForNormal) {
    CEditorControlState s;
    s.EnableNext(true);
    EXPECT_FALSE(s.ToolMode(3));
    EXPECT_FALSE(s.ToolMode(-1));
    EXPECT_TRUE(s.nextEnabled);
    // Normal mode without a tool mode before it keeps what the frame set.
    s.ToolMode(5);
    EXPECT_TRUE(s.nextEnabled);
    s.ToolMode(2);
    s.EnablePrevious(true);
    EXPECT_FALSE(s.previousEnabled);
    s.ToolMode(5);
    EXPECT_TRUE(s.previousEnabled);
    EXPECT_TRUE(s.nextEnabled);
}

TEST(EditorControlState, StillPictureSwitchSkipsOnlyOnToOn) {
    CEditorControlState s;
    EXPECT_TRUE(s.StillPictureOn());
    EXPECT_FALSE(s.StillPicture(true));
    EXPECT_TRUE(s.StillPicture(false));
    EXPECT_TRUE(s.StillPicture(false));
    EXPECT_TRUE(s.StillPicture(true));
    EXPECT_FALSE(s.StillPicture(true));
}

}  // namespace
