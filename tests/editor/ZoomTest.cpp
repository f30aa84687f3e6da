// Zoom levels, fitting to the window, the origin, scrolling and coordinate conversion.
#include "tests/editor/Fixture.h"

using namespace editortest;

TEST(ZoomTable, LevelsMapToIndexesAndFactors) {
    // Levels 14 and 15 are indices -2 and 1; 0 and -1 never occur.
    EXPECT_EQ(CViewMainCore::LevelToIndex(15), 1);
    EXPECT_EQ(CViewMainCore::LevelToIndex(14), -2);
    EXPECT_EQ(CViewMainCore::LevelToIndex(29), 15);
    EXPECT_EQ(CViewMainCore::LevelToIndex(0), -16);
    EXPECT_EQ(CViewMainCore::LevelToIndex(16), 2);

    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(15), 1.0f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(14), 0.9f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(11), 0.6f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(10), 0.5f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(9), 1.0f / 3.0f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(0), 1.0f / 12.0f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(16), 1.2f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(20), 2.0f);
    EXPECT_FLOAT_EQ(CViewMainCore::LevelToFactor(29), 3.8f);
    // The factors grow with the level, without a repeat.
    for (int l = 1; l <= 29; ++l) EXPECT_GT(CViewMainCore::LevelToFactor(l), CViewMainCore::LevelToFactor(l - 1)) << l;
}

class ZoomTest : public CoreTest {};

TEST_F(ZoomTest, CalcZoomVariableReportsTheCurrentAndTheNewPair) {
    LoadGradient(40, 30, CSize(100, 100));
    core_.Zoomin(10);
    int oldIndex = 0, newIndex = 0;
    float oldFactor = 0, newFactor = 0;
    core_.CalcZoomVariable(29, oldIndex, oldFactor, newIndex, newFactor);
    EXPECT_EQ(oldIndex, -6);
    EXPECT_FLOAT_EQ(oldFactor, 0.5f);
    EXPECT_EQ(newIndex, 15);
    EXPECT_FLOAT_EQ(newFactor, 3.8f);
}

TEST_F(ZoomTest, FitWindowReportsTheLevelAndSetsTheExactFit) {
    struct Case {
        int w, h, cw, ch;
        int level, index;
        float factor;
        CPoint origin;
    };
    const Case cases[] = {
        // Larger than the window: 0.5 fits, 0.6 does not; exact fit 200/400.
        {400, 300, 200, 200, 10, -6, 0.5f, CPoint(0, 25)},
        // Smaller than the window: even 3.8 fits, yet the factor is the exact 8.
        {100, 50, 800, 600, 29, 15, 8.0f, CPoint(0, 100)},
        // 1/4 is the first level that fits; the fit is 300/1000.
        {1000, 700, 300, 250, 8, -8, 0.3f, CPoint(0, 20)},
        // Tall picture: the height decides.
        {60, 200, 300, 100, 10, -6, 0.5f, CPoint(135, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " in " << c.cw << "x" << c.ch);
        LoadGradient(c.w, c.h, CSize(c.cw, c.ch), 1);
        EXPECT_EQ(lastLevel_, c.level);
        EXPECT_EQ(core_.GetZoomIndex(), c.index);
        EXPECT_FLOAT_EQ(core_.GetFactor(), c.factor);
        EXPECT_EQ(core_.GetOrigin(), c.origin);
        // The fitted picture needs no scroll bars.
        EXPECT_FALSE(core_.GetScroll().showHorz);
        EXPECT_FALSE(core_.GetScroll().showVert);
        EXPECT_EQ(core_.GetScrollPos(), CPoint(0, 0));
    }
}

TEST_F(ZoomTest, FitWindowOnASliverNeverZoomsToZero) {
    // 500 x 1 in 100 x 100: the exact fit rounds to a height of 0.
    LoadGradient(500, 1, CSize(100, 100), 1);
    EXPECT_EQ(lastLevel_, 7);  // 1/5
    EXPECT_FLOAT_EQ(core_.GetFactor(), 0.2f);
    CPoint p(50, 50);
    core_.CalcLogic(&p);
    EXPECT_EQ(p, CPoint(250, 0));
}

TEST_F(ZoomTest, FitWindowWithoutPictureOrClientChangesNothing) {
    int level = 7;
    core_.SetClientSize(CSize(100, 100));
    core_.FitWindow(level);
    EXPECT_EQ(level, 7);
    EXPECT_FLOAT_EQ(core_.GetFactor(), 1.0f);
    LoadGradient(50, 50, CSize(0, 0));
    core_.FitWindow(level);
    EXPECT_EQ(level, 7);
    EXPECT_FLOAT_EQ(core_.GetFactor(), 1.0f);
}

TEST_F(ZoomTest, ScrollSizesAndOriginFollowTheZoom) {
    LoadGradient(100, 50, CSize(200, 100));
    // Fits at factor 1: centred, no bars.
    EXPECT_EQ(core_.GetOrigin(), CPoint(50, 25));
    EXPECT_EQ(core_.GetScroll().total, CSize(100, 50));
    EXPECT_EQ(core_.GetScroll().page, CSize(10, 5));
    EXPECT_EQ(core_.GetScroll().line, CSize(1, 0));
    EXPECT_FALSE(core_.GetScroll().showHorz);

    // 3.8: larger on both axes; the picture centre stays in the middle.
    core_.Zoomin(29);
    EXPECT_EQ(core_.GetScroll().total, CSize(380, 190));
    EXPECT_EQ(core_.GetScroll().page, CSize(38, 19));
    EXPECT_EQ(core_.GetScroll().line, CSize(3, 1));
    EXPECT_TRUE(core_.GetScroll().showHorz);
    EXPECT_TRUE(core_.GetScroll().showVert);
    EXPECT_EQ(core_.GetOrigin(), CPoint(0, 0));
    EXPECT_EQ(core_.GetScrollTarget(), CPoint(90, 45));
    EXPECT_EQ(core_.GetScrollPos(), CPoint(90, 45));
    CPoint centre(100, 50);
    core_.CalcLogic(&centre);
    EXPECT_EQ(centre, CPoint(50, 25));

    // Wider than the window only: origin on the vertical axis alone.
    core_.Zoomin(20);
    EXPECT_EQ(core_.GetScroll().total, CSize(200, 100));
    EXPECT_EQ(core_.GetOrigin(), CPoint(0, 0));
    EXPECT_FALSE(core_.GetScroll().showHorz);
    core_.Zoomin(16);
    EXPECT_EQ(core_.GetScroll().total, CSize(120, 60));
    EXPECT_EQ(core_.GetOrigin(), CPoint(40, 20));
    EXPECT_EQ(core_.GetScrollPos(), CPoint(0, 0));
}

TEST_F(ZoomTest, ZoomKeepsTheLogicalCentreOfTheLastPaint) {
    LoadGradient(400, 200, CSize(200, 100));
    // Loading keeps the scroll position (inside the new sizes); zooming moves to the target.
    EXPECT_EQ(core_.GetScrollPos(), CPoint(0, 0));
    EXPECT_EQ(core_.GetScrollTarget(), CPoint(100, 50));
    core_.SetScrollPos(CPoint(150, 20));
    core_.UpdateLogicalCentre();
    EXPECT_EQ(core_.GetLogicalCentre(), CPoint(250, 70));
    core_.Zoomin(20);
    EXPECT_EQ(core_.GetScrollTarget(), CPoint(400, 90));
    EXPECT_EQ(core_.GetScrollPos(), CPoint(400, 90));
    CPoint centre(100, 50);
    core_.CalcLogic(&centre);
    EXPECT_EQ(centre, CPoint(250, 70));
    // The scroll position stays inside what the sizes allow.
    core_.SetScrollPos(CPoint(5000, -3));
    EXPECT_EQ(core_.GetScrollPos(), CPoint(600, 0));
}

TEST_F(ZoomTest, CoordinateConversionTruncatesTowardZero) {
    LoadGradient(100, 80, CSize(300, 200));
    core_.Zoomin(20);  // factor 2, scaled 200 x 160, origin (50, 20)
    ASSERT_EQ(core_.GetOrigin(), CPoint(50, 20));
    CPoint p(71, 41);
    core_.CalcLogic(&p);
    EXPECT_EQ(p, CPoint(10, 10));
    p = CPoint(49, 19);  // half a picture pixel left of and above the picture
    core_.CalcLogic(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    p = CPoint(47, 17);
    core_.CalcLogic(&p);
    EXPECT_EQ(p, CPoint(-1, -1));
    p = CPoint(71, 41);
    core_.CalcScreen(&p);
    EXPECT_EQ(p, CPoint(21, 21));
}

TEST_F(ZoomTest, PanningInNormalModeMovesTheScrollPosition) {
    LoadGradient(400, 50, CSize(200, 100));
    ASSERT_EQ(core_.GetCurrentMode(), MODE_NORMAL);
    EXPECT_EQ(core_.GetScrollPos(), CPoint(0, 0));
    core_.OnLButtonDown(CPoint(100, 50), false);
    core_.OnMouseMove(CPoint(60, 40), false);
    // The vertical axis is smaller than the window and stays at 0.
    EXPECT_EQ(core_.GetScrollPos(), CPoint(40, 0));
    core_.OnMouseMove(CPoint(70, 40), false);  // the press point followed the mouse
    EXPECT_EQ(core_.GetScrollPos(), CPoint(30, 0));
    core_.OnMouseMove(CPoint(500, 40), false);  // not beyond the left edge
    EXPECT_EQ(core_.GetScrollPos(), CPoint(0, 0));
    core_.OnLButtonUp(CPoint(500, 40), false);
    core_.OnMouseMove(CPoint(0, 0), false);  // button up: no panning
    EXPECT_EQ(core_.GetScrollPos(), CPoint(0, 0));
}

TEST_F(ZoomTest, LoadingFailuresLeaveAnEmptyUsableCanvas) {
    std::string bad = dir_.File("broken.bmp");
    {
        std::ofstream out(bad, std::ios::binary);
        out << "BM this is no picture";
    }
    int level = 3;
    EXPECT_EQ(core_.Load(bad, 1, level), 0);
    EXPECT_EQ(core_.GetMainImage(), nullptr);
    EXPECT_EQ(core_.GetWidth(), 0);
    core_.ProcessGray();
    core_.LeftRotate();
    core_.SubmitUndo(0, 0);
    EXPECT_EQ(core_.CanUndo(), 0);
    EXPECT_EQ(core_.IsAnimation(), 0);
    EXPECT_EQ(core_.OnLButtonDblClk(CPoint(1, 1)).message, 0u);
}

TEST_F(ZoomTest, PalettedFilesAreEditedAsTwentyFourBits) {
    extImage grey(20, 10, 8);
    grey.SetGrayPalette();
    for (long y = 0; y < 10; ++y)
        for (long x = 0; x < 20; ++x) grey.SetPixelIndex(x, y, static_cast<BYTE>(x * 10));
    LoadPicture(grey, CSize(100, 100));
    ASSERT_NE(core_.GetMainImage(), nullptr);
    EXPECT_EQ(core_.GetMainImage()->GetBpp(), 24);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 3, 0), Bgr(30, 30, 30)));
    core_.ProcessBlue();
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 3, 0), Bgr(80, 30, 30)));
}

TEST_F(ZoomTest, VisiblePartOfThePicture) {
    LoadGradient(400, 200, CSize(200, 100));
    EXPECT_EQ(core_.GetVisiblePictureRect(), CRect(0, 0, 200, 100));
    core_.Zoomin(9);  // a third: 133 x 66, centred
    EXPECT_EQ(core_.GetVisiblePictureRect(), CRect(33, 17, 166, 83));
    core_.Zoomin(15);
    core_.SetScrollPos(CPoint(300, 10));  // limited to 200
    EXPECT_EQ(core_.GetVisiblePictureRect(), CRect(0, 0, 200, 100));
    core_.Release();
    EXPECT_EQ(core_.GetVisiblePictureRect(), CRect());
}
