#include <gtest/gtest.h>

#include <QAccessible>
#include <QPainter>
#include <QVBoxLayout>

#include "tests/controls/ControlsApp.h"
#include "views/controls/CustomTheme.h"
#include "views/controls/SimpleStatic.h"
#include "views/controls/StBitmap.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

QImage Filled(int w, int h, QRgb c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

}  // namespace

TEST(CBaseDialog, ClientAreaLiesBelowTheCaptionBand) {
    ControlsApp();
    CBaseDialog dlg;
    dlg.SetClientSize(300, 200);
    EXPECT_EQ(dlg.CaptionHeight(), CBaseDialog::kPlainCaption);
    EXPECT_EQ(dlg.ClientRect(), QRect(1, CBaseDialog::kPlainCaption, 300, 200));
    EXPECT_EQ(dlg.size(), QSize(302, CBaseDialog::kPlainCaption + 201));
    auto* child = new QWidget(&dlg);
    dlg.PlaceChild(child, 10, 15, 50, 20);
    EXPECT_EQ(child->geometry(), QRect(11, CBaseDialog::kPlainCaption + 15, 50, 20));

    // A caption bitmap sets the band's height; the client area keeps its size.
    dlg.SetNcImgImages(Filled(5, 30, qRgb(1, 2, 3)), Filled(8, 30, qRgb(4, 5, 6)), Filled(5, 30, qRgb(7, 8, 9)));
    EXPECT_EQ(dlg.CaptionHeight(), 30);
    EXPECT_EQ(dlg.ClientRect().size(), QSize(300, 200));
    const QImage shot = dlg.grab().toImage();
    EXPECT_EQ(shot.pixel(150, 15), qRgb(4, 5, 6));
    EXPECT_EQ(shot.pixel(2, 15), qRgb(1, 2, 3));
    EXPECT_EQ(shot.pixel(299, 15), qRgb(7, 8, 9));
}

TEST(CBaseDialog, LayoutsKeepToTheClientArea) {
    ControlsApp();
    CBaseDialog dlg;
    auto* layout = new QVBoxLayout(&dlg);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new QWidget(&dlg);
    layout->addWidget(child);
    dlg.SetClientSize(200, 100);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_EQ(child->geometry(), dlg.ClientRect());
    dlg.SetNcImgImages({}, Filled(4, 40, qRgb(1, 1, 1)), {});
    QApplication::processEvents();
    EXPECT_EQ(child->geometry(), QRect(1, 40, 200, 100));
}

TEST(CBaseDialog, BackgroundColourOrPicture) {
    ControlsApp();
    CBaseDialog dlg;
    dlg.SetClientSize(100, 60);
    dlg.SetBackColor(RGB(0xED, 0xED, 0xED));
    const QRect c = dlg.ClientRect();
    EXPECT_EQ(dlg.grab().toImage().pixel(c.center()), qRgb(0xED, 0xED, 0xED));
    dlg.SetBackImgImage(Filled(10, 10, qRgb(0, 128, 0)));
    EXPECT_EQ(dlg.grab().toImage().pixel(c.center()), qRgb(0, 128, 0));
    dlg.SetBackImg(0);
    EXPECT_EQ(dlg.grab().toImage().pixel(c.center()), qRgb(0xED, 0xED, 0xED));
}

TEST(CBaseDialog, CloseButtonSkinStandsAtTheRightOfTheBandAndCloses) {
    ControlsApp();
    CBaseDialog dlg;
    dlg.SetClientSize(200, 100);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(dlg.CloseButton())->text(QAccessible::Name),
              QStringLiteral("닫기"));
    dlg.SetCloseButton(99999);  // missing: the plain cross stays
    EXPECT_EQ(dlg.CloseButton()->text(), QStringLiteral("×"));
    dlg.SetCloseButtonImage(Filled(48, 16, qRgb(9, 9, 9)), 3);
    EXPECT_TRUE(dlg.CloseButton()->text().isEmpty());
    // 16 x 16, 4 pixels in from the border, centred on the 24-pixel band.
    EXPECT_EQ(dlg.CloseButton()->geometry(), QRect(202 - 1 - 16 - 4, 4, 16, 16));
    dlg.SetClientSize(300, 100);
    EXPECT_EQ(dlg.CloseButton()->geometry().left(), 302 - 1 - 16 - 4);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(CBaseDialog, MinimumClientSize) {
    ControlsApp();
    CBaseDialog dlg;
    dlg.SetResize(true);
    dlg.Set_Resize(320, 240);
    EXPECT_TRUE(dlg.IsResizable());
    EXPECT_EQ(dlg.minimumSize(), QSize(322, CBaseDialog::kPlainCaption + 241));
}

TEST(CCustomTheme, FillsBarsFromTheBitmapOrTheColour) {
    ControlsApp();
    CCustomTheme theme;
    EXPECT_FALSE(theme.LoadBitmap(99999));
    QImage bar(40, 10, QImage::Format_RGB32);
    {
        QPainter p(&bar);
        theme.FillCommandBar(p, bar.rect());
    }
    EXPECT_EQ(bar.pixel(20, 5), qRgb(0xED, 0xED, 0xED));
    // A 3 x 5 bitmap, two colours wide, tiled along and stretched across.
    QImage tile(3, 5, QImage::Format_RGB32);
    tile.fill(qRgb(200, 0, 0));
    for (int y = 0; y < 5; ++y) tile.setPixel(2, y, qRgb(0, 0, 200));
    ASSERT_TRUE(theme.LoadBitmapImage(tile));
    {
        QPainter p(&bar);
        theme.FillDockBar(p, bar.rect());
    }
    EXPECT_EQ(bar.pixel(0, 9), qRgb(200, 0, 0));
    EXPECT_EQ(bar.pixel(2, 9), qRgb(0, 0, 200));
    EXPECT_EQ(bar.pixel(5, 0), qRgb(0, 0, 200));
    EXPECT_EQ(bar.pixel(39, 5), qRgb(200, 0, 0));
}

TEST(CSimpleStatic, SelectionSwapsTheColours) {
    ControlsApp();
    CSimpleStatic s(QStringLiteral("전체사진"));
    s.resize(80, 18);
    s.SetColors(RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 128));
    EXPECT_EQ(s.grab().toImage().pixel(78, 1), qRgb(255, 255, 255));
    s.SetSelect(true);
    EXPECT_TRUE(s.IsSelected());
    EXPECT_EQ(s.grab().toImage().pixel(78, 1), qRgb(0, 0, 128));
}

TEST(CStBitmap, TakesTheBitmapSizeAndLeavesOutTheKeyColour) {
    ControlsApp();
    CStBitmap b;
    EXPECT_FALSE(b.SetBitmap(99999));
    QImage img = Filled(6, 4, qRgb(0, 255, 0));
    img.setPixel(1, 1, qRgb(10, 20, 30));
    ASSERT_TRUE(b.SetBitmapImage(img));
    EXPECT_EQ(b.size(), QSize(6, 4));
    b.SetTransparentColor(RGB(0, 255, 0));
    EXPECT_EQ(qAlpha(b.GetBitmap().pixel(0, 0)), 0);
    EXPECT_EQ(b.GetBitmap().pixel(1, 1), qRgb(10, 20, 30));
}
