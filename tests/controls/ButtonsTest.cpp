#include <gtest/gtest.h>

#include <QAccessible>
#include <QBitmap>
#include <QEnterEvent>

#include "tests/controls/ControlsApp.h"
#include "views/controls/HoverButton.h"
#include "views/controls/ToggleButton.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

const QRgb kColours[] = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFFD0E0F0, 0xFF112233, 0xFF445566};

// A strip of `count` cells of `w` x `h`, each filled with its own colour.
QImage Strip(int count, int w, int h) {
    QImage img(count * w, h, QImage::Format_RGB32);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) img.setPixel(i * w + x, y, kColours[i % 7]);
    return img;
}

QRgb ColourOf(const QImage& img) {
    return img.isNull() ? 0 : img.pixel(0, 0);
}

void Hover(QWidget* w, bool in) {
    if (in) {
        QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(w, &e);
    } else {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(w, &e);
    }
}

}  // namespace

TEST(CxSkinButtonEx, FiveStateStripSplitsInStateOrder) {
    ControlsApp();
    CxSkinButtonEx b;
    ASSERT_TRUE(b.SetSkinWithCount(Strip(5, 24, 13), 5));
    EXPECT_EQ(b.GetWidth(), 24);
    EXPECT_EQ(b.GetHeight(), 13);
    EXPECT_EQ(b.size(), QSize(24, 13));
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(ColourOf(b.StateImage(static_cast<CxSkinButton::State>(s))), kColours[s]) << s;
    EXPECT_FALSE(b.HasRegion());
    EXPECT_TRUE(b.mask().isEmpty());
}

TEST(CxSkinButtonEx, StatesFollowTheMouseFocusAndEnabledFlag) {
    ControlsApp();
    QWidget host;
    auto* b = new CxSkinButtonEx(QStringLiteral("확인"), &host);
    b->SetSkinWithCount(Strip(5, 30, 12), 5);
    // Away from the pointer, which rests at the window's corner.
    host.resize(200, 200);
    b->move(100, 100);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    b->clearFocus();
    EXPECT_EQ(b->CurrentState(), CxSkinButton::kNormal);
    b->setFocus();
    EXPECT_EQ(b->CurrentState(), CxSkinButton::kFocus);
    Hover(b, true);
    EXPECT_EQ(b->CurrentState(), CxSkinButton::kHover);
    b->setDown(true);
    EXPECT_EQ(b->CurrentState(), CxSkinButton::kPressed);
    b->setDown(false);
    Hover(b, false);
    EXPECT_EQ(b->CurrentState(), CxSkinButton::kFocus);
    b->setEnabled(false);
    EXPECT_EQ(b->CurrentState(), CxSkinButton::kDisabled);
    EXPECT_EQ(ColourOf(b->grab().toImage()), kColours[4]);
}

TEST(CxSkinButtonEx, FewerStatesFallBackToNormalAndMoreStatesNarrowTheCells) {
    ControlsApp();
    CxSkinButtonEx three;
    ASSERT_TRUE(three.SetSkinWithCount(Strip(3, 20, 10), 3));
    EXPECT_EQ(three.GetWidth(), 20);
    EXPECT_EQ(ColourOf(three.StateImage(CxSkinButton::kHover)), kColours[2]);
    EXPECT_EQ(ColourOf(three.StateImage(CxSkinButton::kFocus)), kColours[0]);
    EXPECT_EQ(ColourOf(three.StateImage(CxSkinButton::kDisabled)), kColours[0]);

    CxSkinButtonEx seven;
    ASSERT_TRUE(seven.SetSkinWithCount(Strip(7, 9, 8), 7));
    EXPECT_EQ(seven.GetWidth(), 9);
    EXPECT_EQ(ColourOf(seven.StateImage(CxSkinButton::kDisabled)), kColours[4]);

    // A region is only built from a fifth state.
    CxSkinButtonEx four;
    four.SetSkinWithCount(Strip(4, 10, 10), 4, true);
    EXPECT_FALSE(four.HasRegion());
}

TEST(CxSkinButtonEx, RegionComesFromTheFifthStateWithWhiteOutside) {
    ControlsApp();
    QImage strip = Strip(5, 10, 6);
    // Round the fifth state's corners with white.
    for (QPoint p : {QPoint(0, 0), QPoint(9, 0), QPoint(0, 5), QPoint(9, 5), QPoint(1, 0)})
        strip.setPixel(40 + p.x(), p.y(), 0xFFFFFFFF);
    // White in another state does not matter.
    strip.setPixel(5, 3, 0xFFFFFFFF);
    CxSkinButtonEx b;
    ASSERT_TRUE(b.SetSkinWithCount(strip, 5, true));
    EXPECT_TRUE(b.HasRegion());
    EXPECT_EQ(b.size(), QSize(10, 6));
    const QRegion r = b.mask();
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_FALSE(r.contains(QPoint(1, 0)));
    EXPECT_FALSE(r.contains(QPoint(9, 5)));
    EXPECT_TRUE(r.contains(QPoint(2, 0)));
    EXPECT_TRUE(r.contains(QPoint(5, 3)));
    int inside = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) inside += r.contains(QPoint(x, y));
    EXPECT_EQ(inside, 60 - 5);
}

TEST(CxSkinButtonEx, MissingBitmapKeepsAPlainWorkingButton) {
    ControlsApp();
    CxSkinButtonEx b(QStringLiteral("취소"));
    EXPECT_FALSE(b.SetSkinWithCount(99999, 5));
    EXPECT_FALSE(b.HasSkin());
    EXPECT_EQ(b.GetWidth(), 0);
    b.resize(80, 24);
    const QImage shot = b.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(80, 24));
    EXPECT_NE(shot.pixel(40, 12), shot.pixel(0, 0));  // something was drawn
    int clicks = 0;
    QObject::connect(&b, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(CxSkinButton, SeparateBitmapsAndAccessibleNames) {
    ControlsApp();
    CxSkinButton b;
    const QImage cells = Strip(5, 16, 16);
    b.SetSkinImages(cells.copy(0, 0, 16, 16), cells.copy(16, 0, 16, 16));
    EXPECT_EQ(ColourOf(b.StateImage(CxSkinButton::kPressed)), kColours[1]);
    EXPECT_EQ(ColourOf(b.StateImage(CxSkinButton::kHover)), kColours[0]);
    // A picture button is named by its tooltip.
    b.SetToolTipText(QStringLiteral("앨범 추가"));
    EXPECT_EQ(b.toolTip(), QStringLiteral("앨범 추가"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&b)->text(QAccessible::Name), QStringLiteral("앨범 추가"));
    CxSkinButton captioned(QStringLiteral("확인"));
    captioned.SetToolTipText(QStringLiteral("설명"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&captioned)->text(QAccessible::Name), QStringLiteral("확인"));
}

TEST(CToggleButton, ToggleFlipsAndClicksDoNot) {
    ControlsApp();
    CToggleButton t(QStringLiteral("앨범 구성"));
    t.SetBitmapImages(Strip(1, 40, 20), Strip(2, 40, 20).copy(40, 0, 40, 20));
    EXPECT_EQ(t.size(), QSize(40, 20));
    EXPECT_FALSE(t.GetCheckState());
    t.SetToggle();
    EXPECT_TRUE(t.GetCheckState());
    EXPECT_EQ(ColourOf(t.grab().toImage()), kColours[1]);
    t.SetToggle();
    EXPECT_FALSE(t.GetCheckState());
    EXPECT_EQ(ColourOf(t.grab().toImage()), kColours[0]);

    int clicks = 0;
    QObject::connect(&t, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(&t, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(t.GetCheckState());
    t.SetCheckState(true);
    QTest::mouseClick(&t, Qt::LeftButton);
    EXPECT_TRUE(t.GetCheckState());
    // Screen readers read the state.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&t);
    EXPECT_TRUE(a->state().checked);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("앨범 구성"));
}

TEST(CHoverButton, StripStatesTooltipAndCursor) {
    ControlsApp();
    CHoverButton h;
    ASSERT_TRUE(h.LoadBitmap(Strip(3, 18, 14)));
    EXPECT_EQ(h.size(), QSize(18, 14));
    EXPECT_EQ(h.CurrentState(), 0);
    Hover(&h, true);
    EXPECT_EQ(h.CurrentState(), 1);
    EXPECT_EQ(ColourOf(h.grab().toImage()), kColours[1]);
    h.setDown(true);
    EXPECT_EQ(h.CurrentState(), 2);
    h.setDown(false);
    Hover(&h, false);
    EXPECT_EQ(h.CurrentState(), 0);
    h.SetToolTipText(QStringLiteral("가져오기"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&h)->text(QAccessible::Name), QStringLiteral("가져오기"));
    h.SetBtnCursor(Qt::CrossCursor);
    EXPECT_EQ(h.cursor().shape(), Qt::CrossCursor);
    EXPECT_FALSE(h.LoadBitmap(QImage()));
}
