// The slide strip window: painting of the boxes, the delay and context menus, keys, the
// playback timer and the boxes as an accessible list.
// The strip fixture names a variable "slots": it comes before Qt's keyword macros.
#include "tests/slides/SlideFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>

#include "platform/brelt/Brelt.h"
#include "views/slides/ViewSlider.h"
#include "tests/support/WidgetApp.h"

using namespace slidetest;

namespace {

QApplication* App() { return &testsupport::WidgetApp(); }

QAction* FindAction(QMenu* menu, int id) {
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == id) return action;
        if (action->menu()) {
            if (QAction* inner = FindAction(action->menu(), id)) return inner;
        }
    }
    return nullptr;
}

QMenu* FindSubMenu(QMenu* menu, const QString& title) {
    for (QAction* action : menu->actions()) {
        if (action->menu() && action->text() == title) return action->menu();
    }
    return nullptr;
}

class ViewSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        AfxSetMainWnd(&main);
        view.resize(1400, 110);
        view.SetParentTarget(&parent);
        // Menus are kept for inspection instead of popping up.
        view.SetMenuRunner([this](QMenu* menu, QPoint) { shownMenus.emplace_back(menu); });
    }
    void TearDown() override {
        AfxSetMainWnd(nullptr);
        CBrelt::Unload();
    }
    // The menus come from the language resources; the boxes keep their plain look.
    void LoadMenus() { ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC))); }
    void RightClick(int box) {
        const QPoint at = Centre(view.GetPtrSlider(box)->GetRectPicture());
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.mapToGlobal(at));
        QApplication::sendEvent(&view, &event);
    }

    // `count` slides of distinct colours with delays 100, 200, ...
    void Place(int count, long w = 24, long h = 18) {
        for (int i = 0; i < count; ++i) {
            view.Strip().OnLButtonDown(PictureAreaPoint(view.Strip(), view.GetValidCount()));
            const int slot = view.GetSelectedIndex();
            extImage picture = Solid(w, h, SlideColour(slot));
            view.SetCropImage(&picture);
            view.Strip().OnDelay(100 * (slot + 1));
        }
        main.messages.clear();
        parent.messages.clear();
    }
    std::vector<extImage*> Slots() {
        std::vector<extImage*> pictures;
        for (int i = 0; i < CSlideStrip::kSlideCount; ++i)
            pictures.push_back(view.GetPtrEBA()->GetPtrFrameList()[i]->pImage);
        return pictures;
    }
    QPoint Centre(const CRect& r) const { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    QMenu* LastMenu() { return shownMenus.empty() ? nullptr : shownMenus.back().get(); }

    RecordingWindow main;
    RecordingWindow parent;
    // The widget needs the application before it is made.
    bool appReady = (App(), true);
    CViewSlider view;
    std::vector<std::unique_ptr<QMenu>> shownMenus;
};

TEST_F(ViewSliderTest, BoxesShowTheirPictureFittedAndTheFrameKeyColourSeeThrough) {
    // Portrait slides: fitted 25 x 50 into the 67 x 50 picture area, white on both sides.
    Place(2, 12, 24);
    // A blue frame with a pure green window in its middle.
    extImage frame = Solid(12, 24, Rgb(0, 0, 255));
    for (long y = 6; y < 18; ++y)
        for (long x = 3; x < 9; ++x) frame.SetPixelColor(x, y, Rgb(0, 255, 0));
    view.SetSliderFrame(&frame);
    const QImage shot = view.grab().toImage();
    const CSlider& box = *view.GetPtrSlider(1);
    const CRect draw = box.GetPictureDrawRect();
    EXPECT_EQ(QColor(shot.pixel(Centre(draw))), QColor(0, 255, 0)) << "slide 1's green through the window";
    EXPECT_EQ(QColor(shot.pixel(draw.left + 1, draw.top + 1)), QColor(0, 0, 255)) << "the frame's border";
    const CRect first = view.GetPtrSlider(0)->GetPictureDrawRect();
    EXPECT_EQ(QColor(shot.pixel(Centre(first))), QColor(255, 0, 0)) << "slide 0's red through the window";
    const CRect area = box.GetRectPicture();
    EXPECT_EQ(QColor(shot.pixel(area.left + 2, area.top + 25)), QColor(Qt::white));
    EXPECT_EQ(QColor(shot.pixel(area.right - 3, area.top + 25)), QColor(Qt::white));
    // Without the frame the slide shows whole.
    view.SetSliderFrame(nullptr);
    EXPECT_EQ(QColor(view.grab().toImage().pixel(draw.left + 1, draw.top + 1)), QColor(0, 255, 0));
}

TEST_F(ViewSliderTest, ScrollingShiftsTheBoxesOnScreen) {
    Place(3);
    view.SetPosHor(82);  // exactly one box pitch (78 + 4)
    const QImage shot = view.grab().toImage();
    const CRect second = view.GetPtrSlider(1)->GetPictureDrawRect();
    QPoint onScreen = Centre(second) - QPoint(82, 0);
    EXPECT_EQ(QColor(shot.pixel(onScreen)), QColor(0, 255, 0));
    // Box 1 now sits where box 0 was: a click there selects 1.
    QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(view.GetPtrSlider(0)->GetRectPicture()));
    EXPECT_EQ(view.GetSelectedIndex(), 1);
}

TEST_F(ViewSliderTest, DelayButtonMenuSetsTheDelayOfTheClickedSlide) {
    LoadMenus();
    Place(2);
    const CRect button = view.GetPtrSlider(1)->GetRectDelayButton();
    QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(button));
    ASSERT_EQ(shownMenus.size(), 1u);
    EXPECT_EQ(view.GetSelectedIndex(), 1);
    QMenu* menu = LastMenu();
    ASSERT_EQ(menu->actions().size(), 10);
    QAction* current = FindAction(menu, 32793);  // 200 ms, the delay slide 1 has
    ASSERT_NE(current, nullptr);
    EXPECT_TRUE(current->isChecked());
    FindAction(menu, 32798)->trigger();
    EXPECT_EQ(view.GetPtrSlider(1)->GetDelay(), 1500);
    EXPECT_EQ(view.GetPtrEBA()->GetPtrFrameList()[1]->nDelay, 1500);
    EXPECT_EQ(view.GetPtrSlider(1)->GetDelayText(), "1.5초");
    EXPECT_EQ(view.GetModify(), 1);
}

TEST_F(ViewSliderTest, DelayButtonIsRefusedWhilePlaying) {
    LoadMenus();
    Place(2);
    CMessageBoxResponder responder;
    view.Play();
    QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(view.GetPtrSlider(0)->GetRectDelayButton()));
    EXPECT_TRUE(shownMenus.empty());
    EXPECT_EQ(responder.texts(), std::vector<std::string>{"진행중인 애니메이션 플레이를 중단하십시요."});
    // The context menu is refused the same way.
    RightClick(0);
    EXPECT_TRUE(shownMenus.empty());
    EXPECT_EQ(responder.texts().size(), 2u);
}

TEST_F(ViewSliderTest, ContextMenuMovesTheCurrentSlide) {
    LoadMenus();
    Place(4);
    const std::vector<extImage*> before = Slots();
    QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(view.GetPtrSlider(0)->GetRectPicture()));
    RightClick(0);
    QMenu* menu = LastMenu();
    ASSERT_NE(menu, nullptr);
    QMenu* move = FindSubMenu(menu, QStringLiteral("프레임 이동"));
    ASSERT_NE(move, nullptr);
    QStringList labels;
    for (QAction* a : move->actions()) labels << a->text();
    EXPECT_EQ(labels, (QStringList{"1", "2", "3", "4"}));
    EXPECT_TRUE(FindAction(menu, 32804)->isEnabled());
    EXPECT_FALSE(FindAction(menu, 32805)->isEnabled()) << "nothing copied yet";
    FindAction(menu, 32807 + 2)->trigger();
    const std::vector<extImage*> after = Slots();
    EXPECT_EQ(after[0], before[1]);
    EXPECT_EQ(after[1], before[2]);
    EXPECT_EQ(after[2], before[0]);
    EXPECT_EQ(after[3], before[3]);
    EXPECT_EQ(view.GetPtrSlider(2)->GetDelay(), 100);
    EXPECT_EQ(main.Count(3082), 2);  // the click and the move
}

TEST_F(ViewSliderTest, ContextMenuOfAnEmptyBoxOffersOnlyWhatApplies) {
    LoadMenus();
    Place(2);
    RightClick(5);
    QMenu* menu = LastMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(FindAction(menu, 32804)->isEnabled());
    EXPECT_FALSE(FindAction(menu, 32803)->isEnabled());
    EXPECT_TRUE(FindAction(menu, 33830)->isEnabled());
    QMenu* move = FindSubMenu(menu, QStringLiteral("프레임 이동"));
    ASSERT_NE(move, nullptr);
    EXPECT_FALSE(move->isEnabled());
    EXPECT_TRUE(move->actions().isEmpty());
}

TEST_F(ViewSliderTest, ContextMenuDeletesAfterTheQuestion) {
    LoadMenus();
    Place(4);
    const std::vector<extImage*> before = Slots();
    QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(view.GetPtrSlider(1)->GetRectPicture()));
    RightClick(1);
    CMessageBoxResponder responder({IDCANCEL, IDOK});
    FindAction(LastMenu(), 32803)->trigger();
    EXPECT_EQ(view.GetValidCount(), 4) << "cancelled";
    FindAction(LastMenu(), 32803)->trigger();
    EXPECT_EQ(responder.texts(), (std::vector<std::string>{"삭제하시겠습니까?", "삭제하시겠습니까?"}));
    const std::vector<extImage*> after = Slots();
    EXPECT_EQ(view.GetValidCount(), 3);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[2]);
    EXPECT_EQ(after[2], before[3]);
    EXPECT_EQ(after[3], nullptr);
    EXPECT_EQ(view.GetPtrSlider(3)->GetDelay(), 100);
    EXPECT_EQ(parent.Count(3096), 1);
}

TEST_F(ViewSliderTest, KeysReachTheMainWindowAsCommands) {
    Place(1);
    view.show();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);  // nothing copied: no command
    QTest::keyClick(&view, Qt::Key_Delete);
    ASSERT_EQ(main.messages.size(), 2u);
    EXPECT_EQ(main.messages[0], (std::pair<UINT, WPARAM>{0x0111, 57634}));
    EXPECT_EQ(main.messages[1], (std::pair<UINT, WPARAM>{0x0111, 32782}));
    view.hide();
}

TEST_F(ViewSliderTest, PlaybackTimerRunsTwoRepeatsOfThreeSlides) {
    Place(3);
    view.SetRepeatCount(2);
    view.Strip().OnLButtonDown(PictureAreaPoint(view.Strip(), 0));
    main.messages.clear();
    view.Play();
    ASSERT_TRUE(view.IsTimerRunning());
    EXPECT_EQ(view.TimerInterval(), 100);
    std::vector<int> shown;
    std::vector<int> intervals;
    while (main.Count(3083) == 0 && shown.size() < 20) {
        view.OnTimer();
        shown.push_back(view.GetSelectedIndex());
        intervals.push_back(view.TimerInterval());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1, 2, 0}));
    // Each slide keeps the timer for its own delay; the wrap to slide 0 keeps the one in force.
    EXPECT_EQ(intervals, (std::vector<int>{200, 300, 300, 200, 300, 300}));
    // The end of the repeats goes to the main window, which stops the slides.
    EXPECT_EQ(main.messages.back().first, 3082u);
    view.Stop();
    EXPECT_FALSE(view.IsTimerRunning());
    EXPECT_FALSE(view.IsPlaying());
    EXPECT_EQ(view.GetSelectedIndex(), 0);
}

TEST_F(ViewSliderTest, RealTimerReachesTheEndOfThePlayback) {
    Place(2);
    view.Strip().OnDelay(10);
    view.Strip().OnLButtonDown(PictureAreaPoint(view.Strip(), 0));
    view.Strip().OnDelay(10);
    main.messages.clear();
    view.Play();
    QElapsedTimer clock;
    clock.start();
    while (main.Count(3083) == 0 && clock.elapsed() < 10000) QTest::qWait(5);
    EXPECT_EQ(main.Count(3083), 1);
    // Slide 1, then the wrap to 0 which ends the single repeat.
    EXPECT_EQ(main.Count(3082), 2);
}

TEST_F(ViewSliderTest, PlayWithoutSlidesLeavesTheTimerOff) {
    view.Play();
    EXPECT_FALSE(view.IsPlaying());
    EXPECT_FALSE(view.IsTimerRunning());
}

TEST_F(ViewSliderTest, BoxesAreAnAccessibleListWithNamesAndSelection) {
    Place(2);
    view.Strip().OnLButtonDown(PictureAreaPoint(view.Strip(), 0));
    view.Strip().OnDelay(1500);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("슬라이드 목록"));
    ASSERT_EQ(list->childCount(), 16);
    QAccessibleInterface* first = list->child(0);
    EXPECT_EQ(first->role(), QAccessible::ListItem);
    EXPECT_EQ(first->text(QAccessible::Name), QStringLiteral("슬라이드 1 (1.5초)"));
    EXPECT_EQ(list->child(1)->text(QAccessible::Name), QStringLiteral("슬라이드 2 (0.2초)"));
    EXPECT_EQ(list->child(6)->text(QAccessible::Name), QStringLiteral("슬라이드 7 (비어 있음)"));
    EXPECT_TRUE(first->state().selected);
    EXPECT_FALSE(list->child(1)->state().selected);
    EXPECT_EQ(list->indexOfChild(list->child(5)), 5);
    // The default action selects as a click does; boxes past the first empty one stay out.
    list->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(view.GetSelectedIndex(), 1);
    EXPECT_TRUE(list->child(1)->state().selected);
    list->child(9)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(view.GetSelectedIndex(), 1);
    list->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(view.GetSelectedIndex(), 2);
}

TEST_F(ViewSliderTest, LoadingAGifDuringPlaybackStopsTheTimer) {
    Place(2);
    view.Play();
    ASSERT_TRUE(view.IsTimerRunning());
    CMessageBoxResponder responder;
    view.LoadGIF("/nonexistent/none.gif");
    EXPECT_FALSE(view.IsTimerRunning());
    EXPECT_FALSE(view.IsPlaying());
}

}  // namespace
