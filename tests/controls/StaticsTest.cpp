#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QKeyEvent>

#include "tests/controls/ControlsApp.h"
#include "views/controls/EditNumeric.h"
#include "views/controls/ProgressEx.h"
#include "views/controls/StColor.h"
#include "views/controls/StaticEx.h"
#include "views/controls/UserStatic.h"

TEST(CProgressEx, PositionsClampAndReturnThePreviousOne) {
    ControlsApp();
    CProgressEx p(nullptr, CProgressEx::kWithText);
    p.SetRange(0, 200);
    EXPECT_EQ(p.SetPos(50), 0);
    EXPECT_EQ(p.SetPos(500), 50);
    EXPECT_EQ(p.GetPos(), 200);
    EXPECT_EQ(p.SetPos(-5), 200);
    EXPECT_EQ(p.GetPos(), 0);
    EXPECT_EQ(p.SetStep(30), 10);
    EXPECT_EQ(p.StepIt(), 0);
    EXPECT_EQ(p.StepIt(), 30);
    EXPECT_EQ(p.OffsetPos(-100), 60);
    EXPECT_EQ(p.GetPos(), 0);
    // The range shrinking below the position pulls it in.
    p.SetPos(150);
    p.SetRange(0, 100);
    EXPECT_EQ(p.GetPos(), 100);
}

TEST(CProgressEx, TextAndFilledWidth) {
    ControlsApp();
    CProgressEx p(nullptr, CProgressEx::kWithText);
    p.SetRange(10, 30);
    p.SetPos(15);
    EXPECT_EQ(p.DisplayText(), QStringLiteral("25%"));
    EXPECT_EQ(p.FilledWidth(200), 50);
    p.SetText(QStringLiteral("사진을 읽는 중"));
    EXPECT_EQ(p.DisplayText(), QStringLiteral("사진을 읽는 중"));
    p.SetRange(5, 5);
    EXPECT_EQ(p.FilledWidth(200), 0);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&p);
    ASSERT_NE(a->valueInterface(), nullptr);
    EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 5);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());

    // The bar is painted in its colour up to the position.
    CProgressEx flat(nullptr, CProgressEx::kFlat);
    flat.resize(102, 10);
    flat.SetBarColor(RGB(255, 0, 0));
    flat.SetBkColor(RGB(255, 255, 255));
    flat.SetPos(50);
    const QImage shot = flat.grab().toImage();
    EXPECT_EQ(shot.pixel(20, 5), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(80, 5), qRgb(255, 255, 255));
}

TEST(CEditNumeric, NumbersOnlyWhenAskedAndOwnerCallbacks) {
    ControlsApp();
    CEditNumeric e;
    // Album names go through it too: by default it takes any text.
    QKeyEvent hangul(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("앨범"));
    QApplication::sendEvent(&e, &hangul);
    QTest::keyClicks(&e, QStringLiteral(" a1"));
    EXPECT_EQ(e.text(), QStringLiteral("앨범 a1"));
    e.clear();
    e.SetNumeric(true);
    QTest::keyClicks(&e, QStringLiteral("12a-3"));
    EXPECT_EQ(e.text(), QStringLiteral("123"));
    EXPECT_EQ(e.GetValue(), 123);
    e.clear();
    e.SetNumeric(true, true);
    QTest::keyClicks(&e, QStringLiteral("-45"));
    EXPECT_EQ(e.GetValue(), -45);
    e.SetLimitText(2);
    e.clear();
    QTest::keyClicks(&e, QStringLiteral("9876"));
    EXPECT_EQ(e.text(), QStringLiteral("98"));

    int enter = 0, escape = 0;
    e.SetOnEnter([&] { ++enter; });
    e.SetOnEscape([&] { ++escape; });
    QTest::keyClick(&e, Qt::Key_Return);
    QTest::keyClick(&e, Qt::Key_Escape);
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(escape, 1);
}

TEST(CStColor, DoubleClickAsksAndReportsANewColour) {
    ControlsApp();
    CStColor c;
    c.resize(30, 16);
    c.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&c)->text(QAccessible::Name), QStringLiteral("색상"));
    EXPECT_EQ(c.accessibleDescription(), QStringLiteral("#010203"));

    COLORREF offered = 0;
    bool answer = true;
    CStColor::Chooser previous = CStColor::SetChooser([&](COLORREF& colour, QWidget*) {
        offered = colour;
        colour = RGB(200, 100, 50);
        return answer;
    });
    std::vector<COLORREF> changes;
    c.SetOnChange([&](COLORREF colour) { changes.push_back(colour); });
    QTest::mouseDClick(&c, Qt::LeftButton);
    EXPECT_EQ(offered, RGB(1, 2, 3));
    EXPECT_EQ(c.GetColor(), RGB(200, 100, 50));
    EXPECT_EQ(changes, std::vector<COLORREF>{RGB(200, 100, 50)});
    EXPECT_EQ(c.grab().toImage().pixel(15, 8), qRgb(200, 100, 50));
    // A cancelled choice changes nothing.
    answer = false;
    c.SetColor(RGB(9, 9, 9));
    QTest::mouseDClick(&c, Qt::LeftButton);
    EXPECT_EQ(c.GetColor(), RGB(9, 9, 9));
    EXPECT_EQ(changes.size(), 1u);
    CStColor::SetChooser(previous);
}

TEST(CStaticEx, ColoursTransparencyAndMeasuring) {
    ControlsApp();
    CStaticEx s(QStringLiteral("파일 이름"));
    s.resize(100, 20);
    s.SetBkColor(RGB(0xED, 0xED, 0xED));
    s.SetTextColor(RGB(0, 0, 0));
    EXPECT_FALSE(s.IsTransparent());
    EXPECT_EQ(s.grab().toImage().pixel(99, 19), qRgb(0xED, 0xED, 0xED));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&s)->text(QAccessible::Name), QStringLiteral("파일 이름"));

    const QFont f = s.font();
    const QSize one = CStaticEx::MeasureText(f, QStringLiteral("가나다"), 1000);
    QString longText;
    for (int i = 0; i < 30; ++i) longText += QStringLiteral("가나다 ");
    const QSize wrapped = CStaticEx::MeasureText(f, longText, 200);
    EXPECT_LE(wrapped.width(), 200);
    EXPECT_GE(wrapped.height(), 3 * one.height());
}

TEST(CUserStatic, TitleBarFallsBackToAPlainBand) {
    ControlsApp();
    CUserStatic t(QStringLiteral("필  터"));
    t.SetBitmaps(99991, 99992, 99993);
    t.resize(120, 22);
    const QImage shot = t.grab().toImage();
    EXPECT_NE(shot.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&t)->text(QAccessible::Name), QStringLiteral("필  터"));
    QImage middle(4, 30, QImage::Format_RGB32);
    middle.fill(qRgb(10, 20, 30));
    t.SetBitmapImages({}, middle, {});
    EXPECT_EQ(t.sizeHint().height(), 30);
    EXPECT_EQ(t.grab().toImage().pixel(60, 1), qRgb(10, 20, 30));
}
