// The slide strip without a window: geometry, selection, delays, deletion, moves, clipboard, size
// change, overlay, keys, the context menu and playback.
#include <gtest/gtest.h>

#include "tests/slides/SlideFixture.h"

using namespace slidetest;

namespace {

void ExpectRect(const CRect& r, LONG l, LONG t, LONG rr, LONG b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}

}  // namespace

TEST_F(StripTest, StartsEmptyWithBoxZeroSelected) {
    EXPECT_EQ(strip.GetValidCount(), 0);
    EXPECT_EQ(strip.GetSelectedIndex(), 0);
    EXPECT_EQ(strip.GetTotalSelect(), 1);
    EXPECT_TRUE(strip.GetPtrSlider(0)->IsSelected());
    EXPECT_EQ(strip.GetModify(), 0);
    EXPECT_EQ(strip.GetRepeatCount(), 1);
    EXPECT_FALSE(strip.IsPlaying());
    EXPECT_FALSE(strip.IsEnablePaste());
    EXPECT_FALSE(strip.IsEnableFromSelected());
    EXPECT_TRUE(strip.IsEnableNew());
    EXPECT_EQ(strip.GetCurrentSize().cx, 0);
    EXPECT_EQ(strip.GetPtrSlider(16), nullptr);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(strip.GetPtrSlider(i)->GetDelay(), 100);
}

TEST_F(StripTest, BoxGeometryFollowsTheBoxBitmap) {
    // 78 x 92 halves: box 3 starts at 5 + 3 x 82.
    ExpectRect(strip.GetBoxRect(0), 5, 2, 83, 94);
    ExpectRect(strip.GetBoxRect(3), 251, 2, 329, 94);
    const CSlider* box = strip.GetPtrSlider(3);
    ExpectRect(box->GetRectTotal(), 251, 2, 329, 94);
    ExpectRect(box->GetRectPicture(), 256, 15, 323, 65);
    ExpectRect(box->GetRectDelayText(), 256, 73, 312, 85);
    ExpectRect(box->GetRectDelayButton(), 313, 74, 323, 84);
    EXPECT_EQ(strip.GetTotalWidth(), 5 + 82 * 16);

    strip.SetSlideBmpSize(CSize(80, 90));
    ExpectRect(strip.GetBoxRect(2), 173, 2, 253, 92);
    EXPECT_EQ(strip.GetTotalWidth(), 5 + 84 * 16);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetRectTotal().left, 173);
}

TEST_F(StripTest, HitTestUsesTheScrollPosition) {
    EXPECT_EQ(strip.HitTest(CPoint(5, 2)), 0);
    EXPECT_EQ(strip.HitTest(CPoint(83, 10)), -1);  // the gap between boxes
    EXPECT_EQ(strip.HitTest(CPoint(87, 10)), 1);
    EXPECT_EQ(strip.HitTest(CPoint(20, 1)), -1);
    strip.SetPosHor(200);
    EXPECT_EQ(strip.HitTest(CPoint(251 - 200, 50)), 3);
    ExpectRect(strip.GetVisibleBoxRect(3), 51, 2, 129, 94);
    EXPECT_EQ(strip.HitTest(CPoint(4000, 50)), -1);
}

TEST_F(StripTest, ClicksSelectFilledSlidesOrTheFirstEmptyOne) {
    Place(3);
    strip.OnLButtonDown(PictureAreaPoint(strip, 1));
    EXPECT_EQ(strip.GetSelectedIndex(), 1);
    EXPECT_EQ(main.Ids(), std::vector<UINT>{3082});

    EXPECT_EQ(strip.OnLButtonDown(PictureAreaPoint(strip, 5)), CSlideStrip::ClickResult::None);
    EXPECT_EQ(strip.GetSelectedIndex(), 1);
    EXPECT_EQ(strip.OnLButtonDown(CPoint(2000, 300)), CSlideStrip::ClickResult::None);
    EXPECT_EQ(strip.GetSelectedIndex(), 1);

    EXPECT_EQ(strip.OnLButtonDown(PictureAreaPoint(strip, 3)), CSlideStrip::ClickResult::Selected);
    EXPECT_EQ(strip.GetSelectedIndex(), 3);
    EXPECT_TRUE(strip.GetPtrSlider(3)->IsSelected());
    EXPECT_FALSE(strip.GetPtrSlider(1)->IsSelected());
    EXPECT_EQ(strip.GetTotalSelect(), 1);
    extImage picture = Solid(8, 6, SlideColour(7));
    strip.SetCropImage(&picture);
    EXPECT_EQ(strip.GetValidCount(), 4);
    EXPECT_TRUE(strip.GetPtrSlider(3)->IsFilled());
    EXPECT_EQ(strip.GetPtrSlider(3)->GetImage(), strip.GetPtrEBA()->GetPtrFrameList()[3]->pImage);
    EXPECT_EQ(strip.GetModify(), 1);
}

TEST_F(StripTest, DelayButtonOpensTheMenuUnlessPlaying) {
    CMessageBoxResponder responder;
    Place(2);
    CRect button = strip.GetPtrSlider(1)->GetRectDelayButton();
    CPoint onButton(button.left + 2, button.top + 2);
    EXPECT_EQ(strip.OnLButtonDown(onButton), CSlideStrip::ClickResult::DelayMenu);
    EXPECT_EQ(strip.GetSelectedIndex(), 1);
    strip.Play();
    EXPECT_EQ(strip.OnLButtonDown(onButton), CSlideStrip::ClickResult::Refused);
    EXPECT_EQ(responder.texts(), std::vector<std::string>{"진행중인 애니메이션 플레이를 중단하십시요."});
    CSlideStrip::ContextMenu menu = strip.GetContextMenu(PictureAreaPoint(strip, 0));
    EXPECT_TRUE(menu.refused);
    EXPECT_EQ(responder.texts().size(), 2u);
}

TEST_F(StripTest, DelayCommandsSetTheCurrentSlide) {
    const int expected[] = {100, 200, 300, 500, 800, 1000, 1500, 2000, 2500, 3000};
    for (UINT id = 32792; id <= 32801; ++id) EXPECT_EQ(CSlideStrip::DelayForCommand(id), expected[id - 32792]);
    EXPECT_EQ(CSlideStrip::DelayForCommand(32802), 100);

    Place(2);
    strip.SetModify(0);
    EXPECT_TRUE(strip.OnCommand(32798));
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameList()[1]->nDelay, 1500);
    EXPECT_EQ(strip.GetPtrSlider(1)->GetDelay(), 1500);
    EXPECT_EQ(strip.GetPtrSlider(1)->GetDelayText(), "1.5초");
    EXPECT_EQ(strip.GetModify(), 1);
    EXPECT_TRUE(strip.OnCommand(32792));
    EXPECT_EQ(strip.GetDelay(1), 100);
    EXPECT_FALSE(strip.OnCommand(12345));
}

TEST(Slider, DelayTextAndData) {
    EXPECT_EQ(CSlider::FormatDelay(1500), "1.5초");
    EXPECT_EQ(CSlider::FormatDelay(100), "0.1초");
    EXPECT_EQ(CSlider::FormatDelay(3000), "3.0초");
    EXPECT_EQ(CSlider::FormatDelay(250), "0.2초");  // printf rounds half to even here

    CSlider box;
    extImage picture = Solid(4, 4, Rgb(1, 2, 3));
    box.SetData(&picture, 0);
    EXPECT_TRUE(box.IsFilled());
    EXPECT_EQ(box.GetDelay(), 100);
    box.SetDelay(-5);
    EXPECT_EQ(box.GetDelay(), 100);
    box.SetData(nullptr, 800);
    EXPECT_FALSE(box.IsFilled());
    EXPECT_EQ(box.GetDelay(), 800);
}

TEST(Slider, PictureIsFittedAndCentredInItsArea) {
    CSlider box;
    box.SetRectTotal(CRect(5, 2, 83, 94));  // picture area (10, 15)-(77, 65): 67 x 50
    extImage wide = Solid(120, 40, Rgb(0, 0, 0));
    box.SetData(&wide, 100);
    ExpectRect(box.GetPictureDrawRect(), 10, 29, 76, 51);  // 66 x 22, centred vertically
    extImage tall = Solid(50, 100, Rgb(0, 0, 0));
    box.SetData(&tall, 100);
    ExpectRect(box.GetPictureDrawRect(), 31, 15, 56, 65);  // 25 x 50, centred horizontally
    box.SetData(nullptr, 100);
    EXPECT_TRUE(box.GetPictureDrawRect().IsRectNull());
}

TEST_F(StripTest, DeletingMovesLaterSlidesLeft) {
    Place(4);
    std::vector<extImage*> before = Slots();
    strip.OnLButtonDown(PictureAreaPoint(strip, 1));
    main.messages.clear();
    {
        CMessageBoxResponder responder({IDCANCEL});
        strip.OnCommand(32803);
        EXPECT_EQ(responder.texts(), std::vector<std::string>{"삭제하시겠습니까?"});
        EXPECT_EQ(responder.shown()[0].style & MB_TYPEMASK, MB_OKCANCEL);
        EXPECT_EQ(strip.GetValidCount(), 4);
    }
    CMessageBoxResponder responder({IDOK});
    strip.OnCommand(32803);
    EXPECT_EQ(strip.GetValidCount(), 3);
    std::vector<extImage*> after = Slots();
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[2]);
    EXPECT_EQ(after[2], before[3]);
    EXPECT_EQ(after[3], nullptr);
    EXPECT_EQ(strip.GetDelay(1), 300);
    EXPECT_EQ(strip.GetDelay(2), 400);
    EXPECT_EQ(strip.GetDelay(3), 100);
    EXPECT_FALSE(strip.GetPtrSlider(3)->IsFilled());
    EXPECT_EQ(strip.GetPtrSlider(3)->GetDelay(), 100);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetImage(), before[3]);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetDelay(), 400);
    EXPECT_EQ(parent.Ids(), std::vector<UINT>{3096});
    EXPECT_EQ(main.Count(3082), 1);
}

TEST_F(StripTest, DeleteAllAsksAndEmptiesEverything) {
    CMessageBoxResponder responder({IDCANCEL, IDOK});
    strip.OnCommand(33830);  // nothing to delete: no question
    EXPECT_TRUE(responder.texts().empty());
    Place(3);
    strip.OnCommand(33830);
    EXPECT_EQ(strip.GetValidCount(), 3);
    strip.OnCommand(33830);
    EXPECT_EQ(strip.GetValidCount(), 0);
    EXPECT_EQ(strip.GetSelectedIndex(), 0);
    EXPECT_TRUE(strip.GetPtrSlider(0)->IsSelected());
    EXPECT_EQ(strip.GetModify(), 0);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FALSE(strip.GetPtrSlider(i)->IsFilled());
        EXPECT_EQ(strip.GetDelay(i), 100);
    }
    EXPECT_EQ(parent.Ids(), std::vector<UINT>{3096});
    EXPECT_EQ(main.Ids(), std::vector<UINT>{3082});
}

TEST_F(StripTest, MovesShiftTheSlidesBetween) {
    Place(4);
    std::vector<extImage*> s = Slots();
    strip.OnLButtonDown(PictureAreaPoint(strip, 0));
    strip.OnCommand(32807 + 2);
    std::vector<extImage*> moved = Slots();
    EXPECT_EQ((std::vector<extImage*>{moved[0], moved[1], moved[2], moved[3]}),
              (std::vector<extImage*>{s[1], s[2], s[0], s[3]}));
    EXPECT_EQ(strip.GetDelay(0), 200);
    EXPECT_EQ(strip.GetDelay(2), 100);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetImage(), s[0]);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetDelay(), 100);

    // And back the other way: slide 3 to the front.
    strip.OnLButtonDown(PictureAreaPoint(strip, 3));
    strip.OnCommand(32807);
    moved = Slots();
    EXPECT_EQ((std::vector<extImage*>{moved[0], moved[1], moved[2], moved[3]}),
              (std::vector<extImage*>{s[3], s[1], s[2], s[0]}));
    EXPECT_EQ(strip.GetValidCount(), 4);
    EXPECT_EQ(strip.GetModify(), 1);

    // Beyond the filled slides nothing moves.
    strip.OnCommand(32807 + 6);
    EXPECT_EQ(Slots()[0], s[3]);
}

TEST_F(StripTest, CopyAndPasteKeepAPrivateCopy) {
    Place(2);
    strip.OnLButtonDown(PictureAreaPoint(strip, 1));
    strip.OnCommand(32804);
    ASSERT_TRUE(strip.IsEnablePaste());
    EXPECT_NE(strip.GetClipboardImage(), Slots()[1]);
    EXPECT_EQ(strip.GetClipboardDelay(), 200);

    strip.OnLButtonDown(PictureAreaPoint(strip, 2));
    strip.OnCommand(32805);
    EXPECT_EQ(strip.GetValidCount(), 3);
    EXPECT_EQ(strip.GetDelay(2), 200);
    extImage* pasted = Slots()[2];
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted, strip.GetClipboardImage());
    EXPECT_EQ(pasted->GetPixelColor(3, 3).rgbGreen, 255);
    EXPECT_EQ(pasted->GetPixelColor(3, 3).rgbRed, 0);

    // Copying an empty slot empties the clipboard.
    strip.OnLButtonDown(PictureAreaPoint(strip, 3));
    strip.OnCommand(32804);
    EXPECT_FALSE(strip.IsEnablePaste());
    EXPECT_EQ(strip.GetClipboardImage(), nullptr);
}

TEST_F(StripTest, KeysSendCommandsOnlyWhenTheyApply) {
    EXPECT_EQ(strip.OnKeyDown('C', true), 0u);
    EXPECT_EQ(strip.OnKeyDown(CSlideStrip::VK_DELETE_KEY, false), 0u);
    Place(1);
    strip.OnLButtonDown(PictureAreaPoint(strip, 0));
    main.messages.clear();
    EXPECT_EQ(strip.OnKeyDown('V', true), 0u);
    EXPECT_EQ(strip.OnKeyDown('C', true), 57634u);
    EXPECT_EQ(strip.OnKeyDown(CSlideStrip::VK_DELETE_KEY, false), 32782u);
    strip.OnSliderCopy();
    EXPECT_EQ(strip.OnKeyDown('V', true), 57637u);
    ASSERT_EQ(main.messages.size(), 3u);
    EXPECT_EQ(main.messages[0], (std::pair<UINT, WPARAM>{0x0111, 57634}));
    EXPECT_EQ(main.messages[2], (std::pair<UINT, WPARAM>{0x0111, 57637}));
    main.messages.clear();
    EXPECT_TRUE(strip.OnCommand(32806));  // the main window saves the slide as PHT
    strip.OnSetFocus();
    EXPECT_EQ(main.Ids(), std::vector<UINT>{3081});
    EXPECT_EQ(parent.Ids(), std::vector<UINT>{3091});
    EXPECT_FALSE(CSlideStrip::WantsKey(0x09));
    EXPECT_TRUE(CSlideStrip::WantsKey('A'));
}

TEST_F(StripTest, ContextMenuFollowsTheClickedBox) {
    Place(3);
    CSlideStrip::ContextMenu menu = strip.GetContextMenu(PictureAreaPoint(strip, 1));
    EXPECT_FALSE(menu.refused);
    EXPECT_EQ(menu.box, 1);
    EXPECT_TRUE(menu.enableCopy);
    EXPECT_FALSE(menu.enablePaste);
    EXPECT_TRUE(menu.enableDelete);
    EXPECT_TRUE(menu.enableDeleteAll);
    EXPECT_TRUE(menu.hasMoveMenu);
    EXPECT_EQ(menu.moveCommands, (std::vector<UINT>{32807, 32808, 32809}));

    strip.OnSliderCopy();
    menu = strip.GetContextMenu(PictureAreaPoint(strip, 7));
    EXPECT_EQ(menu.box, 7);
    EXPECT_FALSE(menu.enableCopy);
    EXPECT_TRUE(menu.enablePaste);
    EXPECT_FALSE(menu.enableDelete);
    EXPECT_FALSE(menu.hasMoveMenu);
    EXPECT_TRUE(menu.moveCommands.empty());
    EXPECT_EQ(strip.GetContextMenu(CPoint(3000, 3000)).box, -1);
}

TEST_F(StripTest, SizeChangeClearsOnOkAndResamplesOtherwise) {
    extImage overlay = Solid(8, 6, Rgb(0, 255, 0));
    Place(2);
    strip.SetSliderFrame(&overlay);
    EXPECT_EQ(strip.GetPtrSlider(1)->GetPtrFrameImage(), &overlay);
    EXPECT_EQ(strip.GetPtrSlider(2)->GetPtrFrameImage(), nullptr);
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameImage(), &overlay);

    {
        CMessageBoxResponder responder({IDCANCEL});
        strip.OnSlideAllDelete2(CSize(16, 12));
        EXPECT_EQ(responder.texts(), std::vector<std::string>{"삭제하시겠습니까?"});
    }
    EXPECT_EQ(strip.GetValidCount(), 2);
    EXPECT_EQ(Slots()[0]->GetWidth(), 16u);
    EXPECT_EQ(Slots()[1]->GetHeight(), 12u);
    EXPECT_EQ(strip.GetPtrEBA()->GetPtrFrameImage(), nullptr);
    EXPECT_EQ(strip.GetPtrSlider(0)->GetPtrFrameImage(), nullptr);
    EXPECT_EQ(strip.GetSliderFrame(), nullptr);

    CMessageBoxResponder responder({IDOK});
    strip.OnSlideAllDelete2(CSize(20, 20));
    EXPECT_EQ(strip.GetValidCount(), 0);
    EXPECT_FALSE(strip.GetPtrSlider(0)->IsFilled());
    EXPECT_EQ(strip.GetModify(), 0);
    EXPECT_EQ(parent.Ids(), std::vector<UINT>{3096});

    // With no slides there is nothing to ask.
    responder.clear();
    strip.OnSlideAllDelete2(CSize(20, 20));
    EXPECT_TRUE(responder.texts().empty());
}

TEST_F(StripTest, OverlayReachesSlidesPlacedLater) {
    extImage overlay = Solid(8, 6, Rgb(0, 255, 0));
    strip.SetSliderFrame(&overlay);
    Place(1);
    EXPECT_EQ(strip.GetPtrSlider(0)->GetPtrFrameImage(), &overlay);
    EXPECT_EQ(strip.GetSliderFrame(), &overlay);
}

// --- playback ------------------------------------------------------------------------------------

class PlaybackTest : public StripTest {
protected:
    // Runs the clock a millisecond at a time; records (time, index) at every 3082 and the time of
    // every 3083.
    void Run(int until) {
        for (int t = 1; t <= until; ++t) {
            std::size_t before = main.messages.size();
            strip.Advance(1);
            for (std::size_t m = before; m < main.messages.size(); ++m) {
                if (main.messages[m].first == 3082) shown.emplace_back(t, strip.GetSelectedIndex());
                if (main.messages[m].first == 3083) ended.push_back(t);
            }
        }
    }
    std::vector<std::pair<int, int>> shown;
    std::vector<int> ended;
};

TEST_F(PlaybackTest, TwoRepeatsOfThreeSlides) {
    Place(3);  // delays 100, 200, 300
    strip.SetRepeatCount(2);
    strip.OnLButtonDown(PictureAreaPoint(strip, 0));
    main.messages.clear();
    strip.Play();
    ASSERT_TRUE(strip.IsPlaying());
    EXPECT_EQ(strip.GetTimerInterval(), 100);
    EXPECT_EQ(strip.GetRemainRepeat(), 2);
    Run(1400);
    // Slide 0 after the wrap keeps the interval in force (slide 2's 300 ms).
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{100, 1}, {300, 2}, {600, 0}, {900, 1}, {1100, 2}, {1400, 0}}));
    EXPECT_EQ(ended, std::vector<int>{1400});
    EXPECT_EQ(strip.GetRemainRepeat(), 0);

    // Unstopped, the next tick only says again that playback is over.
    shown.clear();
    ended.clear();
    Run(300);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ended, std::vector<int>{300});

    strip.Stop();
    EXPECT_FALSE(strip.IsPlaying());
    EXPECT_EQ(strip.GetSelectedIndex(), 0);
    EXPECT_EQ(main.messages.back().first, 3082u);
    EXPECT_EQ(strip.Advance(10000), 0);
}

TEST_F(PlaybackTest, StartingOnTheLastSlideAddsARepeat) {
    Place(3);
    strip.OnLButtonDown(PictureAreaPoint(strip, 2));
    strip.Play();
    EXPECT_EQ(strip.GetRemainRepeat(), 2);
    EXPECT_EQ(strip.GetTimerInterval(), 100);  // slot 0's delay, whichever slide is current
    Run(700);
    EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{100, 0}, {200, 1}, {400, 2}, {700, 0}}));
    EXPECT_EQ(ended, std::vector<int>{700});
}

TEST_F(PlaybackTest, NothingToPlayWithoutSlideZero) {
    strip.Play();
    EXPECT_FALSE(strip.IsPlaying());
    EXPECT_EQ(strip.Advance(1000), 0);
    EXPECT_TRUE(main.messages.empty());
}
