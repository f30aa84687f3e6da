// The pixel operations of the canvas and the 20-step undo stack.
#include "tests/editor/Fixture.h"

using namespace editortest;

namespace {

extImage Uniform(int w, int h, RGBQUAD c) {
    extImage p(static_cast<DWORD>(w), static_cast<DWORD>(h), 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(p, x, y, c);
    return p;
}

}  // namespace

class UndoTest : public CoreTest {};

TEST_F(UndoTest, TwentyStepsAndTheTwentyFirstUndoIsRefused) {
    LoadGradient(30, 20, CSize(100, 100));
    // Twenty-one effects through the filter list, remembering every state.
    std::vector<std::vector<BYTE>> states{Bytes(*core_.GetMainImage())};
    for (int i = 0; i < 21; ++i) {
        core_.ProcessFilter(i % 9);
        states.push_back(Bytes(*core_.GetMainImage()));
    }
    EXPECT_EQ(core_.GetUndoLevel(), 20);
    EXPECT_EQ(core_.CanRedo(), 0);
    for (int i = 20; i >= 1; --i) {
        ASSERT_EQ(core_.CanUndo(), 1) << i;
        core_.Undo();
        EXPECT_EQ(Bytes(*core_.GetMainImage()), states[i]) << "after undo to state " << i;
    }
    // The oldest state went with the twenty-first step.
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_EQ(core_.CanUndo(), 0);
    core_.Undo();
    EXPECT_EQ(Bytes(*core_.GetMainImage()), states[1]);
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    // Everything can be redone.
    for (int i = 2; i <= 21; ++i) {
        ASSERT_EQ(core_.CanRedo(), 1) << i;
        core_.Redo();
        EXPECT_EQ(Bytes(*core_.GetMainImage()), states[i]);
    }
    EXPECT_EQ(core_.CanRedo(), 0);
    EXPECT_EQ(core_.GetUndoLevel(), 20);
}

TEST_F(UndoTest, ANewStepEndsEveryRedo) {
    LoadGradient(30, 20, CSize(100, 100));
    core_.ProcessGray();
    core_.ProcessSepia();
    core_.ProcessBlue();
    core_.Undo();
    core_.Undo();
    EXPECT_EQ(core_.GetUndoLevel(), 1);
    EXPECT_EQ(core_.CanRedo(), 1);
    core_.ProcessGreen();
    EXPECT_EQ(core_.GetUndoLevel(), 2);
    EXPECT_EQ(core_.CanRedo(), 0);
    EXPECT_EQ(core_.GetUndoImage(2), nullptr);
    EXPECT_EQ(core_.GetUndoImage(3), nullptr);
    // Loading a picture empties the stack.
    LoadGradient(10, 10, CSize(100, 100));
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_EQ(core_.CanRedo(), 0);
    EXPECT_EQ(core_.GetUndoImage(0), nullptr);
}

TEST_F(UndoTest, UndoAfterAnEffectLeavesTheTextBoxWhereItIs) {
    LoadGradient(30, 20, CSize(100, 100));
    core_.GetTextBox().SetLeftTop(CPoint(12, 7));
    core_.ProcessGray();
    core_.GetTextBox().SetLeftTop(CPoint(3, 4));
    core_.Undo();
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(3, 4));
    // A step carrying a position trades it for the box's current one, both ways.
    core_.SubmitUndo(9, 9);
    EXPECT_EQ(core_.GetUndoPosition(0), CPoint(9, 9));
    core_.Undo();
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(9, 9));
    EXPECT_EQ(core_.GetUndoPosition(0), CPoint(3, 4));
    core_.Redo();
    EXPECT_EQ(core_.GetTextBox().GetLeftTop(), CPoint(3, 4));
}

TEST_F(UndoTest, RotationsAndFlipsThenUndoGiveBackTheExactPixels) {
    extImage original = LoadGradient(100, 50, CSize(80, 80));
    const std::vector<BYTE> before = Bytes(*core_.GetMainImage());
    core_.LeftRotate();
    const extImage& p = *core_.GetMainImage();
    ASSERT_EQ(core_.GetWidth(), 50);
    ASSERT_EQ(core_.GetHeight(), 100);
    // A quarter turn counter-clockwise: the top-right corner comes to the top-left.
    EXPECT_TRUE(SameColour(At(p, 0, 0), At(original, 99, 0)));
    EXPECT_TRUE(SameColour(At(p, 10, 20), At(original, 79, 10)));
    EXPECT_EQ(core_.GetScroll().total, CSize(50, 100));
    EXPECT_TRUE(core_.GetScroll().showVert);
    EXPECT_FALSE(core_.GetScroll().showHorz);
    EXPECT_EQ(core_.GetOrigin(), CPoint(15, 0));

    core_.RightRotate();
    core_.RightRotate();  // now a quarter turn clockwise from the original
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), At(original, 0, 49)));
    core_.LeftRotate();
    EXPECT_EQ(Bytes(*core_.GetMainImage()), before);

    core_.Mirror();
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 5), At(original, 99, 5)));
    core_.Flip();
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), At(original, 99, 49)));
    EXPECT_EQ(core_.GetUndoLevel(), 6);
    for (int i = 0; i < 6; ++i) core_.Undo();
    EXPECT_EQ(Bytes(*core_.GetMainImage()), before);
    EXPECT_EQ(core_.GetScroll().total, CSize(100, 50));
}

TEST_F(UndoTest, WithoutPictureNothingIsRecorded) {
    core_.SubmitUndo(1, 1);
    core_.ProcessSepia();
    core_.Mirror();
    core_.OnSetBrightContrast(10, 10);
    core_.ApplyRedeye();
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_EQ(core_.CanUndo(), 0);
    EXPECT_EQ(core_.CanRedo(), 0);
}

class EffectTest : public CoreTest {
protected:
    RGBQUAD Effect(RGBQUAD colour, void (CViewMainCore::*op)()) {
        LoadPicture(Uniform(6, 6, colour), CSize(50, 50));
        (core_.*op)();
        return At(*core_.GetMainImage(), 3, 3);
    }
};

TEST_F(EffectTest, ColourEffectsOnPureRed) {
    const RGBQUAD red = Bgr(0, 0, 255);  // grey 76
    EXPECT_TRUE(SameColour(Effect(red, &CViewMainCore::ProcessGray), Bgr(76, 76, 76)));
    EXPECT_TRUE(SameColour(Effect(red, &CViewMainCore::ProcessSepia), Bgr(26, 76, 126)));
    EXPECT_TRUE(SameColour(Effect(red, &CViewMainCore::ProcessGreen), Bgr(76, 126, 76)));
    EXPECT_TRUE(SameColour(Effect(red, &CViewMainCore::ProcessBlue), Bgr(126, 76, 76)));
    EXPECT_TRUE(SameColour(Effect(red, &CViewMainCore::ProcessThresold), Bgr(0, 0, 0)));
    EXPECT_TRUE(SameColour(Effect(Bgr(200, 200, 200), &CViewMainCore::ProcessThresold), Bgr(255, 255, 255)));
    EXPECT_EQ(core_.GetUndoLevel(), 1);
}

TEST_F(EffectTest, ConvolutionEffectsOnUniformPictures) {
    const RGBQUAD c = Bgr(40, 100, 200);
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessBlur), c));
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessSharpen), c));
    // Edge: no difference anywhere, divided by -1 and offset to white.
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessEdge), Bgr(255, 255, 255)));
    // Emboss: the two taps cancel, the offset remains.
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessEmboss), Bgr(127, 127, 127)));
    // Contour of a uniform picture is white.
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessContour), Bgr(255, 255, 255)));
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessDilate), c));
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessErode), c));
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessMedian), c));
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessPixelate), c));
    EXPECT_TRUE(SameColour(Effect(c, &CViewMainCore::ProcessJitter), c));
}

TEST_F(EffectTest, BlurAveragesAndSharpenUsesItsOwnKernel) {
    extImage spot = Uniform(3, 3, Bgr(0, 0, 0));
    Put(spot, 1, 1, Bgr(90, 90, 90));
    LoadPicture(spot, CSize(50, 50));
    core_.ProcessFilter(6);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 1, 1), Bgr(10, 10, 10)));
    core_.Undo();
    core_.ProcessFilter(7);  // 15 x 90 / 7 = 192
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 1, 1), Bgr(192, 192, 192)));
}

TEST_F(EffectTest, MosaicTakesTheFirstPixelOfEachBlock) {
    extImage original = LoadGradient(12, 12, CSize(50, 50));
    core_.ProcessFilter(5);
    const extImage& p = *core_.GetMainImage();
    // Blocks of 5 from the left edge; the last block column keeps its own pixels.
    EXPECT_TRUE(SameColour(At(p, 4, 11), At(p, 0, 11)));
    EXPECT_TRUE(SameColour(At(p, 9, 11), At(p, 5, 11)));
    EXPECT_FALSE(SameColour(At(p, 4, 11), At(p, 5, 11)));
    EXPECT_TRUE(SameColour(At(p, 11, 11), At(original, 11, 11)));
}

TEST_F(EffectTest, FilterIndexOutOfRangeChangesAndRecordsNothing) {
    extImage original = LoadGradient(12, 8, CSize(50, 50));
    core_.ProcessFilter(9);
    core_.ProcessFilter(-1);
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original));
}

TEST_F(EffectTest, BrightnessAndContrastCarryASignedBrightness) {
    extImage steps(4, 1, 24);
    Put(steps, 0, 0, Bgr(0, 0, 0));
    Put(steps, 1, 0, Bgr(100, 100, 100));
    Put(steps, 2, 0, Bgr(255, 255, 255));
    Put(steps, 3, 0, Bgr(64, 128, 192));
    LoadPicture(steps, CSize(50, 50));
    core_.OnSetBrightContrast(50, 0);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), Bgr(50, 50, 50)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 2, 0), Bgr(255, 255, 255)));
    core_.Undo();
    core_.OnSetBrightContrast(static_cast<unsigned int>(-50), 0);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), Bgr(0, 0, 0)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 1, 0), Bgr(50, 50, 50)));
    core_.Undo();
    core_.OnSetBrightContrast(0, 100);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 3, 0), Bgr(0, 128, 255)));
    EXPECT_EQ(core_.GetUndoLevel(), 1);
}

TEST_F(EffectTest, ParameterisedFormsApplyOrPreview) {
    extImage original = LoadGradient(12, 12, CSize(50, 50));
    // Apply: a step is recorded and the value is used.
    core_.ProcessThresold(10, 1);
    EXPECT_EQ(core_.GetUndoLevel(), 1);
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 0, 0), Bgr(0, 0, 0)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 11, 11), Bgr(255, 255, 255)));
    core_.Undo();

    // Preview without a source: nothing at all.
    core_.ProcessPixelate(3, 0);
    EXPECT_EQ(core_.GetEffectImage(), nullptr);

    // Preview from the source into the destination; the picture and the stack stay.
    core_.SetEffectSource(new extImage(original));
    core_.ProcessThresold(10, 0);
    ASSERT_NE(core_.GetEffectImage(), nullptr);
    EXPECT_TRUE(SameColour(At(*core_.GetEffectImage(), 11, 11), Bgr(255, 255, 255)));
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetEffectSource(), original));
    core_.ProcessPixelate(3, 0);
    EXPECT_TRUE(SameColour(At(*core_.GetEffectImage(), 2, 11), At(original, 0, 11)));
    core_.ProcessNoise(0, 0);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetEffectImage(), original));
    core_.ProcessDilate(2, 0);
    core_.ProcessErode(2, 0);
    core_.ProcessContour(3, 0);
    core_.ProcessJitter(0, 0);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetEffectImage(), original));
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original));
    // Noise applied with level 0 changes nothing but is a step.
    core_.ProcessNoise(0, 1);
    EXPECT_EQ(core_.GetUndoLevel(), 1);
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original));
}

class RedeyeTest : public CoreTest {
protected:
    void SetUp() override {
        extImage p = Uniform(40, 30, Bgr(40, 40, 200));  // red eye everywhere
        Put(p, 12, 12, Bgr(200, 200, 200));            // grey: not red
        Put(p, 13, 12, Bgr(40, 40, 50));               // red 50: never touched
        original_ = LoadPicture(p, CSize(40, 30));
        core_.Redeye();
    }
    extImage original_;
};

TEST_F(RedeyeTest, DoubleClickChangesOnlyTheRegionsRedPixels) {
    Drag(CPoint(10, 10), CPoint(20, 15));
    EXPECT_EQ(core_.GetSelection().GetRect(), CRect(10, 10, 20, 15));
    EXPECT_TRUE(core_.IsRedeyeTimerOn());
    CanvasNotice n = core_.OnLButtonDblClk(CPoint(15, 12));
    EXPECT_EQ(n.message, WM_CANVAS_MODE);
    EXPECT_EQ(n.param, MODE_REDEYE);
    const extImage& p = *core_.GetMainImage();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 15;
            const bool special = y == 12 && (x == 12 || x == 13);
            RGBQUAD want = inside && !special ? Bgr(40, 40, 40) : At(original_, x, y);
            ASSERT_TRUE(SameColour(At(p, x, y), want)) << x << "," << y;
        }
    EXPECT_EQ(core_.GetUndoLevel(), 1);
    core_.Undo();
    EXPECT_TRUE(picturetest::SamePixels(*core_.GetMainImage(), original_));
    // Outside the selection a double-click does nothing.
    EXPECT_EQ(core_.OnLButtonDblClk(CPoint(30, 25)).message, 0u);
    EXPECT_EQ(core_.GetUndoLevel(), 0);
    // Leaving the mode stops the ants.
    core_.Redeye();
    EXPECT_FALSE(core_.IsRedeyeTimerOn());
}

TEST_F(RedeyeTest, ApplyRedeyeClipsASelectionPastThePicture) {
    Drag(CPoint(30, 20), CPoint(39, 29));
    core_.GetSelection().SetRect(CRect(30, 20, 90, 70));
    core_.ApplyRedeye();
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 39, 29), Bgr(40, 40, 40)));
    EXPECT_TRUE(SameColour(At(*core_.GetMainImage(), 29, 29), Bgr(40, 40, 200)));
    EXPECT_EQ(core_.GetUndoLevel(), 1);
}
