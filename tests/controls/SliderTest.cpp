#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QWheelEvent>

#include "tests/controls/ControlsApp.h"
#include "views/controls/BitmapSlider.h"
#include "views/controls/BitmapSliderEx.h"

using Key = CBitmapSliderLogic::Key;
using Msg = CRecordingDialog::Message;

namespace {

CBitmapSliderLogic Track(int w, int l, int r, int t, int min, int max) {
    CBitmapSliderLogic s;
    s.length = w;
    s.marginLow = l;
    s.marginHigh = r;
    s.thumb = t;
    s.min = min;
    s.max = max;
    s.pos = min;
    return s;
}

}  // namespace

TEST(BitmapSliderLogic, PositionAndPixelFormulas) {
    const CBitmapSliderLogic s = Track(200, 5, 5, 10, 0, 100);
    EXPECT_EQ(s.PosToPixel(0), 10);
    EXPECT_EQ(s.PosToPixel(50), 100);
    EXPECT_EQ(s.PosToPixel(33), 5 + 59 + 5);  // trunc(180 * 33 / 100) = 59
    EXPECT_EQ(s.PosToPixel(100), 190);
    EXPECT_EQ(s.PixelToPos(100), 50);
    EXPECT_EQ(s.PixelToPos(57), 26);  // trunc(47 / 180 * 100)
    EXPECT_EQ(s.PixelToPos(10), 0);
    EXPECT_EQ(s.PixelToPos(190), 100);

    // Unequal margins, an odd thumb and a negative range.
    const CBitmapSliderLogic n = Track(150, 3, 7, 9, -20, 20);
    EXPECT_EQ(n.PosToPixel(-20), 3 + 4);
    EXPECT_EQ(n.PosToPixel(0), 3 + 65 + 4);  // trunc(131 * 20 / 40) = 65
    EXPECT_EQ(n.PixelToPos(72), 0);          // trunc(-20 + 65 / 131 * 40) = trunc(-0.15)
    EXPECT_EQ(n.PixelToPos(3 + 4 + 131), 20);
    // Both directions truncate, so a round trip may lose one position, never more.
    const CBitmapSliderLogic w = Track(500, 2, 2, 12, 0, 40);
    EXPECT_EQ(w.PosToPixel(1), 20);  // 2 + trunc(12.1) + 6
    EXPECT_EQ(w.PixelToPos(20), 0);  // trunc(12 / 484 * 40)
    for (int p = 0; p <= 40; ++p) {
        const int back = w.PixelToPos(w.PosToPixel(p));
        EXPECT_TRUE(back == p || back == p - 1) << p;
    }
    // A press on the thumb's centre does not take that lost position away.
    CBitmapSliderLogic held = w;
    held.pos = 1;
    EXPECT_EQ(held.DragPos(20, 0), 1);
    EXPECT_EQ(held.DragPos(23, 3), 1);
    EXPECT_EQ(held.DragPos(19, 0), 0);  // one pixel off reads the formula again
    EXPECT_EQ(held.DragPos(21, 0), 1);
}

TEST(BitmapSliderLogic, DegenerateRangesAndTracksDoNotDivideByZero) {
    const CBitmapSliderLogic flat = Track(100, 0, 0, 10, 5, 5);
    EXPECT_EQ(flat.PosToPixel(5), 5);
    EXPECT_EQ(flat.PixelToPos(80), 5);
    const CBitmapSliderLogic narrow = Track(10, 0, 0, 10, 0, 10);
    EXPECT_EQ(narrow.PixelToPos(3), 0);
}

TEST(BitmapSliderLogic, ClampingGrabAndDrag) {
    CBitmapSliderLogic s = Track(200, 5, 5, 10, 0, 100);
    EXPECT_FALSE(s.SetPos(-3));
    EXPECT_EQ(s.pos, 0);
    EXPECT_TRUE(s.SetPos(250));
    EXPECT_EQ(s.pos, 100);
    s.SetRange(10, 60);
    EXPECT_EQ(s.pos, 60);
    s.SetRange(30, 20);  // a reversed range collapses to its minimum
    EXPECT_EQ(s.max, 30);
    EXPECT_EQ(s.pos, 30);

    s = Track(200, 5, 5, 10, 0, 100);
    s.pos = 50;  // centre 100
    EXPECT_EQ(s.ClampCentre(0), 10);
    EXPECT_EQ(s.ClampCentre(500), 190);
    EXPECT_EQ(s.GrabOffset(105), 5);  // within T / 2: the grab keeps its offset
    EXPECT_EQ(s.GrabOffset(95), -5);
    EXPECT_EQ(s.GrabOffset(106), 0);  // further: the thumb jumps
    EXPECT_EQ(s.DragPos(125, 5), s.PixelToPos(120));
    EXPECT_EQ(s.DragPos(105, 5), 50);
    EXPECT_EQ(s.DragPos(-40, 0), 0);
    EXPECT_EQ(s.DragPos(400, 0), 100);
}

TEST(BitmapSliderLogic, KeysAndWheel) {
    CBitmapSliderLogic s = Track(200, 0, 0, 10, 0, 100);
    s.pos = 50;
    s.page = 20;
    EXPECT_EQ(s.KeyPos(Key::PageUp), 30);
    EXPECT_EQ(s.KeyPos(Key::PageDown), 70);
    EXPECT_EQ(s.KeyPos(Key::Home), 0);
    EXPECT_EQ(s.KeyPos(Key::End), 100);
    EXPECT_EQ(s.KeyPos(Key::Left), 49);
    EXPECT_EQ(s.KeyPos(Key::Up), 49);
    EXPECT_EQ(s.KeyPos(Key::Right), 51);
    EXPECT_EQ(s.KeyPos(Key::Down), 51);
    s.pos = 95;
    EXPECT_EQ(s.KeyPos(Key::PageDown), 100);
    s.pos = 50;
    s.wheelRange = 5;
    EXPECT_EQ(s.WheelPos(120), 45);  // wheel up lowers the position
    EXPECT_EQ(s.WheelPos(-240), 60);
    EXPECT_EQ(s.WheelPos(1200), 0);
    s.wheelRange = 1;
    EXPECT_EQ(s.WheelPos(60), 49);  // MulDiv rounds -0.5 away from zero
    EXPECT_EQ(s.WheelPos(59), 50);
}

class SliderWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ControlsApp();
        dlg.SetClientSize(300, 100);
        slider = new CBitmapSlider(&dlg, 7093);
        QImage thumb(10, 16, QImage::Format_RGB32);
        thumb.fill(Qt::darkGray);
        slider->SetBitmapThumbImages(thumb);
        slider->setGeometry(0, 30, 200, 16);
        slider->SetMargin(5, 0, 5, 0);
        slider->SetRange(0, 100);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        dlg.Take();
    }

    CAppFirst app;
    CRecordingDialog dlg;
    CBitmapSlider* slider = nullptr;
};

TEST_F(SliderWidget, PressFarFromTheThumbJumpsAndPostsMovingThenMoved) {
    EXPECT_EQ(slider->Logic().thumb, 10);
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(100, 8));
    EXPECT_EQ(slider->GetPos(), 50);
    EXPECT_TRUE(slider->hasFocus());
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10449, 7093, 50}}));
    QTest::mouseMove(slider, QPoint(140, 8));
    EXPECT_EQ(slider->GetPos(), 72);  // trunc(130 / 180 * 100)
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10449, 7093, 72}}));
    // Beyond the end the thumb stops at the last position; no change, no message.
    QTest::mouseMove(slider, QPoint(199, 8));
    QTest::mouseMove(slider, QPoint(260, 8));
    EXPECT_EQ(slider->GetPos(), 100);
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10449, 7093, 100}}));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(260, 8));
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10450, 7093, 100}}));
}

TEST_F(SliderWidget, PressOnTheThumbKeepsTheGrabOffset) {
    slider->SetPos(50);  // centre at 100
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(104, 8));
    EXPECT_EQ(slider->GetPos(), 50);
    EXPECT_TRUE(dlg.Take().empty());
    QTest::mouseMove(slider, QPoint(122, 8));  // centre 118
    EXPECT_EQ(slider->GetPos(), 60);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(122, 8));
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10449, 7093, 60}, {10450, 7093, 60}}));

    // 33 sits at pixel 69, which reads back as 32: a click on the thumb still keeps 33.
    slider->SetPos(33);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(69, 8));
    EXPECT_EQ(slider->GetPos(), 33);
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10450, 7093, 33}}));
}

TEST_F(SliderWidget, KeysPostMovedEachTime) {
    slider->SetPageSize(25);
    slider->SetPos(50);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageDown);
    QTest::keyClick(slider, Qt::Key_Left);
    QTest::keyClick(slider, Qt::Key_Home);
    QTest::keyClick(slider, Qt::Key_Up);  // already at the minimum: still posted
    QTest::keyClick(slider, Qt::Key_End);
    QTest::keyClick(slider, Qt::Key_PageUp);
    QTest::keyClick(slider, Qt::Key_Down);
    EXPECT_EQ(slider->GetPos(), 76);
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10450, 7093, 75},
                                            {10450, 7093, 74},
                                            {10450, 7093, 0},
                                            {10450, 7093, 0},
                                            {10450, 7093, 100},
                                            {10450, 7093, 75},
                                            {10450, 7093, 76}}));
}

TEST_F(SliderWidget, WheelMovesByTheWheelRange) {
    slider->SetPos(50);
    slider->SetWheelRange(4);
    QWheelEvent up(QPointF(50, 8), slider->mapToGlobal(QPointF(50, 8)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &up);
    EXPECT_EQ(slider->GetPos(), 46);
    QWheelEvent down(QPointF(50, 8), slider->mapToGlobal(QPointF(50, 8)), QPoint(), QPoint(0, -360), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &down);
    EXPECT_EQ(slider->GetPos(), 58);
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10450, 7093, 46}, {10450, 7093, 58}}));
}

TEST_F(SliderWidget, DisabledSliderIgnoresInput) {
    slider->SetPos(20);
    slider->setEnabled(false);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(150, 8));
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(slider->GetPos(), 20);
    EXPECT_TRUE(dlg.Take().empty());
}

TEST_F(SliderWidget, SetPosClampsAndScreenReadersSeeTheValue) {
    slider->SetPos(140);
    EXPECT_EQ(slider->GetPos(), 100);
    slider->SetPos(-1);
    EXPECT_EQ(slider->GetPos(), 0);
    slider->SetRange(10, 30);
    EXPECT_EQ(slider->GetPos(), 10);
    slider->SetPos(17);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(slider);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Slider);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());
    ASSERT_NE(a->valueInterface(), nullptr);
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 17);
    EXPECT_EQ(a->valueInterface()->maximumValue().toInt(), 30);
    // A value set by a screen reader is clamped like any other.
    a->valueInterface()->setCurrentValue(25);
    EXPECT_EQ(slider->GetPos(), 25);
    // Setting a position posts nothing.
    EXPECT_TRUE(dlg.Take().empty());
}

TEST_F(SliderWidget, VerticalSliderWorksAlongY) {
    auto* v = new CBitmapSliderEx(&dlg, 7);
    v->SetVertical(true);
    v->setGeometry(250, 0, 16, 100);
    v->SetMargin(0, 2, 0, 4);
    v->SetRange(0, 10);
    v->show();
    EXPECT_EQ(v->Logic().length, 100);
    EXPECT_EQ(v->Logic().marginLow, 2);
    EXPECT_EQ(v->Logic().marginHigh, 4);
    EXPECT_EQ(v->Logic().thumb, CBitmapSlider::kPlainThumb);
    QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(8, 60));
    EXPECT_EQ(v->GetPos(), v->Logic().PixelToPos(60));
    EXPECT_EQ(dlg.Take(), (std::vector<Msg>{{10449, 7, static_cast<LPARAM>(v->GetPos())},
                                            {10450, 7, static_cast<LPARAM>(v->GetPos())}}));
}
