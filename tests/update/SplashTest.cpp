#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstring>

#include "tests/support/HttpServer.h"
#include "tests/support/TempHome.h"
#include "tests/update/TestApp.h"
#include "update/AppProfile.h"
#include "update/PelloqResources.h"
#include "update/SkinProgress.h"
#include "update/SplashScreenFx.h"

using testsupport::HttpServer;
using testsupport::TempHome;

namespace {

constexpr QRgb kKey = qRgb(12, 41, 80);

struct BmpHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bits = 0;
};

BmpHeader HeaderOf(UINT id) {
    const std::string_view data = Pelloq::BitmapData(id);
    BmpHeader h;
    if (data.size() < 54 || data.substr(0, 2) != "BM") return h;
    std::memcpy(&h.width, data.data() + 18, 4);
    std::memcpy(&h.height, data.data() + 22, 4);
    h.bits = static_cast<unsigned char>(data[28]);
    return h;
}

QImage Bitmap(UINT id) {
    const std::string_view data = Pelloq::BitmapData(id);
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()), "BMP");
    return image;
}

// Deletes what Hide left for the event loop.
void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TEST(SplashShape, RunsOfNonKeyPixelsMakeTheRegion) {
    QImage image(6, 3, QImage::Format_RGB32);
    image.fill(kKey);
    image.setPixel(2, 0, qRgb(1, 2, 3));
    image.setPixel(3, 0, qRgb(1, 2, 3));
    image.setPixel(5, 0, qRgb(255, 255, 255));                           // a run reaching the right edge
    for (int x = 0; x < 6; ++x) image.setPixel(x, 1, qRgb(12, 41, 81));  // one off the key
    const QRegion region = CSplashScreenEx::CreateRgnFromBitmap(image, RGB(12, 41, 80));
    QRegion expected;
    expected += QRect(2, 0, 2, 1);
    expected += QRect(5, 0, 1, 1);
    expected += QRect(0, 1, 6, 1);
    EXPECT_EQ(region, expected);
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(4, 0)));
    EXPECT_TRUE(region.contains(QPoint(5, 0)));
    EXPECT_FALSE(region.contains(QPoint(3, 2)));
    QImage allKey(4, 4, QImage::Format_RGB32);
    allKey.fill(kKey);
    EXPECT_TRUE(CSplashScreenEx::CreateRgnFromBitmap(allKey, RGB(12, 41, 80)).isEmpty());
}

TEST(SplashResources, BitmapsHaveTheirSizesAndDepths) {
    const BmpHeader splash = HeaderOf(Pelloq::IDB_SPLASH);
    EXPECT_EQ(splash.width, 402);
    EXPECT_EQ(std::abs(splash.height), 171);
    EXPECT_EQ(splash.bits, 24);
    const BmpHeader skin = HeaderOf(Pelloq::IDB_PROGRESS_SKIN);
    EXPECT_EQ(skin.width, 90);
    EXPECT_EQ(std::abs(skin.height), 16);
    EXPECT_EQ(skin.bits, 8);
    EXPECT_TRUE(Pelloq::BitmapData(1).empty());
}

TEST(SplashResources, TheSplashPictureIsOneSolidShapeInsideKeyCorners) {
    const QImage picture = Bitmap(Pelloq::IDB_SPLASH);
    ASSERT_EQ(picture.size(), QSize(402, 171));
    for (QPoint corner : {QPoint(0, 0), QPoint(401, 0), QPoint(0, 170), QPoint(401, 170)})
        EXPECT_EQ(picture.pixel(corner), kKey) << corner.x() << "," << corner.y();
    const QRegion shape = CSplashScreenEx::CreateRgnFromBitmap(picture, RGB(12, 41, 80));
    // No hole anywhere: every row is one run, the full width away from the rounded corners.
    for (int y = 0; y < 171; ++y) {
        int runs = 0;
        for (const QRect& r : shape) runs += r.top() == y ? 1 : 0;
        EXPECT_EQ(runs, 1) << "row " << y;
    }
    EXPECT_EQ(shape.boundingRect(), QRect(0, 0, 402, 171));
    EXPECT_TRUE(shape.contains(QPoint(0, 85)));
    EXPECT_TRUE(shape.contains(QPoint(201, 0)));
    // The status line sits on a light band.
    const QColor band = picture.pixelColor(250, 155);
    EXPECT_GT(band.lightness(), 200);
}

TEST(SplashResources, TheSkinHasNineCellsWithCyanCorners) {
    const QImage skin = Bitmap(Pelloq::IDB_PROGRESS_SKIN);
    ASSERT_EQ(skin.size(), QSize(90, 16));
    EXPECT_EQ(skin.pixel(0, 0) & 0xFFFFFF, 0x00FFFFu);    // left end, rounded
    EXPECT_EQ(skin.pixel(89, 15) & 0xFFFFFF, 0x00FFFFu);  // right end, rounded
    const QColor filled = skin.pixelColor(45, 8);         // cell 4
    const QColor track = skin.pixelColor(75, 8);          // cell 7
    EXPECT_GT(filled.blue(), filled.red() + 60);
    EXPECT_GT(track.lightness(), 200);
}

TEST(SplashScreen, CreateMakesATopMostToolWindowShapedByThePicture) {
    TestApp();
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    EXPECT_EQ(splash->GetTimeout(), 2000u);
    ASSERT_TRUE(splash->Create(nullptr, "hello", 0, CSplashScreenEx::CSS_CENTERSCREEN));
    const Qt::WindowFlags flags = splash->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::NoDropShadowWindowHint);  // no shadow asked for
    EXPECT_TRUE(splash->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(splash->GetTimeout(), 0u);
    EXPECT_EQ(splash->GetText(), "hello");
    EXPECT_FALSE(splash->isVisible());

    ASSERT_TRUE(splash->SetBitmap(Pelloq::IDB_SPLASH, 12, 41, 80));
    EXPECT_EQ(splash->GetBitmapSize(), CSize(402, 171));
    EXPECT_EQ(splash->size(), QSize(402, 171));
    EXPECT_EQ(splash->GetTextRect(), CRect(0, 0, 402, 171));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(splash->GetWindowPosition(),
              CPoint(screen.x() + (screen.width() - 402) / 2, screen.y() + (screen.height() - 171) / 2));
    // The key-coloured corners are cut away.
    const QRegion mask = splash->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(401, 0)));
    EXPECT_FALSE(mask.contains(QPoint(0, 170)));
    EXPECT_FALSE(mask.contains(QPoint(401, 170)));
    EXPECT_TRUE(mask.contains(QPoint(201, 85)));
    EXPECT_EQ(mask, splash->GetWindowRegion());

    // A picture that cannot be loaded leaves no picture and no shape.
    EXPECT_FALSE(splash->SetBitmap(4242u, 12, 41, 80));
    EXPECT_EQ(splash->GetBitmapSize(), CSize(0, 0));
    EXPECT_TRUE(splash->mask().isEmpty());
    EXPECT_FALSE(splash->SetBitmap("/nonexistent/splash.bmp", 0, 0, 0));
    splash->Hide();
    FlushDeletes();
    EXPECT_TRUE(splash.isNull());
}

TEST(SplashScreen, BitmapFileCentredOnTheParentAndUnshaped) {
    TempHome t;
    TestApp();
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 10));
    const std::string file = t.runDir() + "splash.bmp";
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "BMP"));
    QWidget parent;
    parent.setGeometry(100, 120, 600, 400);
    parent.show();
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    splash->Create(&parent, nullptr, 0, CSplashScreenEx::CSS_CENTERAPP | CSplashScreenEx::CSS_SHADOW);
    EXPECT_FALSE(splash->windowFlags() & Qt::NoDropShadowWindowHint);
    ASSERT_TRUE(splash->SetBitmap(file.c_str(), -1, 0, 0));
    const QRect frame = parent.frameGeometry();
    EXPECT_EQ(splash->GetWindowPosition(),
              CPoint(frame.x() + (frame.width() - 100) / 2, frame.y() + (frame.height() - 50) / 2));
    EXPECT_TRUE(splash->mask().isEmpty());
    splash->Hide();
    FlushDeletes();
    EXPECT_TRUE(splash.isNull());
}

TEST(SplashScreen, PaintsThePictureAndTheTextInItsRectangle) {
    TestApp();
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    splash->Create(nullptr, "", 0, CSplashScreenEx::CSS_CENTERSCREEN);
    splash->SetBitmap(Pelloq::IDB_SPLASH, 12, 41, 80);
    splash->SetTextFont("Arial", 90, CSplashScreenEx::CSS_TEXT_BOLD);
    EXPECT_EQ(splash->GetTextFont().pixelSize(), 12);
    EXPECT_EQ(splash->GetTextFont().weight(), QFont::Bold);
    CRect area(110, 135, 390, 175);
    splash->SetTextRect(area);
    splash->SetTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    splash->SetTextColor(RGB(255, 0, 0));
    splash->SetText("서버의 버전정보를 가져올 수 없습니다");
    splash->Show();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->pos(), QPoint(splash->GetWindowPosition().x, splash->GetWindowPosition().y));
    const QImage shown = splash->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = Bitmap(Pelloq::IDB_SPLASH).convertToFormat(QImage::Format_RGB32);
    // Outside the text rectangle the picture is as drawn.
    EXPECT_EQ(shown.pixel(30, 30), picture.pixel(30, 30));
    EXPECT_EQ(shown.pixel(60, 100), picture.pixel(60, 100));
    // The red text sits right-aligned in its rectangle, around its middle line.
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
    }
    ASSERT_GE(maxX, 0) << "no red text";
    EXPECT_GE(minX, 110);
    EXPECT_LE(maxX, 389);
    EXPECT_GE(maxX, 375);
    EXPECT_GE(minY, 140);
    EXPECT_LE(maxY, 170);
    splash->Hide();
    FlushDeletes();
    EXPECT_TRUE(splash.isNull());
}

TEST(SplashScreen, TimeoutClickAndCloseRequests) {
    TestApp();
    // The time-out hides (and so deletes) the splash.
    QPointer<CSplashScreenEx> timed = new CSplashScreenEx;
    timed->Create(nullptr, "", 50, 0);
    timed->SetBitmap(Pelloq::IDB_SPLASH, 12, 41, 80);
    timed->Show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return timed.isNull(); }, 5000));

    // Without flag 32 clicks, keys and close requests leave it up.
    QPointer<CSplashScreenEx> stays = new CSplashScreenEx;
    stays->Create(nullptr, "", 0, CSplashScreenEx::CSS_CENTERSCREEN);
    stays->SetBitmap(Pelloq::IDB_SPLASH, 12, 41, 80);
    stays->Show();
    QTest::mouseClick(stays, Qt::LeftButton, {}, QPoint(200, 80));
    QTest::keyClick(stays, Qt::Key_Escape);
    stays->close();
    FlushDeletes();
    ASSERT_FALSE(stays.isNull());
    EXPECT_TRUE(stays->isVisible());
    stays->Hide();

    // With it, any button hides it; so does a key.
    QPointer<CSplashScreenEx> byClick = new CSplashScreenEx;
    byClick->Create(nullptr, "", 0, CSplashScreenEx::CSS_HIDEONCLICK);
    byClick->SetBitmap(Pelloq::IDB_SPLASH, 12, 41, 80);
    byClick->Show();
    QTest::mousePress(byClick, Qt::RightButton, {}, QPoint(200, 80));
    FlushDeletes();
    EXPECT_TRUE(byClick.isNull());
    QPointer<CSplashScreenEx> byKey = new CSplashScreenEx;
    byKey->Create(nullptr, "", 0, CSplashScreenEx::CSS_HIDEONCLICK);
    byKey->Show();
    QTest::keyPress(byKey, Qt::Key_A);
    FlushDeletes();
    EXPECT_TRUE(byKey.isNull());
    FlushDeletes();
    EXPECT_TRUE(stays.isNull());
}

TEST(SplashScreen, WithoutFadingTheSplashIsSimplyShownAndHidden) {
    TestApp();
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));  // no window opacity there
    QPointer<CSplashScreenEx> splash = new CSplashScreenEx;
    splash->Create(nullptr, "", 0, CSplashScreenEx::CSS_FADEIN | CSplashScreenEx::CSS_FADEOUT);
    splash->SetBitmap(Pelloq::IDB_SPLASH, 12, 41, 80);
    splash->Show();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_DOUBLE_EQ(splash->windowOpacity(), 1.0);
    splash->Hide();
    EXPECT_FALSE(splash->isVisible());
    FlushDeletes();
    EXPECT_TRUE(splash.isNull());
}

class SplashFx : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ::setenv("VIMBRO_UPDATE_HOST", server.host().c_str(), 1);
        splash = new CSplashScreenFx;
        splash->Create(nullptr, "", 0, CSplashScreenFx::kStartupStyle);
    }
    void TearDown() override {
        if (splash) splash->Hide();
        FlushDeletes();
        EXPECT_TRUE(splash.isNull());
        ::unsetenv("VIMBRO_UPDATE_HOST");
    }

    TempHome t;
    HttpServer server;
    QPointer<CSplashScreenFx> splash;
};

TEST_F(SplashFx, InitializeSetsUpTheSplash) {
    splash->Initialize();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->GetStyle(), 15u);
    EXPECT_EQ(splash->GetBitmapSize(), CSize(402, 171));
    EXPECT_FALSE(splash->mask().contains(QPoint(0, 0)));
    EXPECT_EQ(splash->GetTextRect(), CRect(110, 135, 390, 175));
    EXPECT_EQ(splash->GetTextFormat(), 38u);
    EXPECT_EQ(splash->GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(splash->GetTextFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(splash->GetTextFont().pixelSize(), 12);
    EXPECT_NE(splash->GetTextFont().weight(), QFont::Bold);
    CSkinProgress* bar = splash->GetProgressBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->parentWidget(), splash.data());
    EXPECT_EQ(bar->geometry(), QRect(15, 215, 375, 15));
    EXPECT_EQ(bar->GetLower(), 0);
    EXPECT_EQ(bar->GetUpper(), 8);
    EXPECT_EQ(bar->GetPos(), 0);
    EXPECT_EQ(bar->GetCellWidth(), 6);  // 10 x 16 cells scaled to the 11 pixels inside the bar
}

TEST_F(SplashFx, NoServerShowsTheRedFailureText) {
    ::setenv("VIMBRO_UPDATE_HOST", ("127.0.0.1:" + std::to_string(HttpServer::ClosedPort())).c_str(), 1);
    splash->Initialize();
    splash->StartUpgrade();
    EXPECT_EQ(splash->GetText(), "서버의 버전정보를 가져올 수 없습니다");
    EXPECT_EQ(splash->GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(splash->GetProgressBar()->GetPos(), 3);
}

TEST_F(SplashFx, NothingNewFillsTheBarAndSaysSo) {
    server.Serve("/ATT01/2005/Data/QV/Vimbro/LiveUpdate/UpdateInfo.ini", "[VERSIONINFO]\r\nVersion=1.0\r\n");
    splash->Initialize();
    splash->StartUpgrade();
    EXPECT_EQ(splash->GetText(), "이미 모든 파일이 업데이트되어 있습니다.");
    EXPECT_EQ(splash->GetTextColor(), RGB(0, 0, 0));
    EXPECT_EQ(splash->GetProgressBar()->GetPos(), 8);
}

TEST_F(SplashFx, AskedByTheUserTheFailureWaitsForALeftClickOrKey) {
    ::setenv("VIMBRO_UPDATE_HOST", ("127.0.0.1:" + std::to_string(HttpServer::ClosedPort())).c_str(), 1);
    splash->SetFromUserClick(true);
    splash->Initialize();
    // Once the splash asks for the click: right clicks do not confirm; the key does.
    int rightClicks = 0;
    bool keySent = false;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        if (splash->GetText() != Pelloq::LoadString(Pelloq::IDS_UPDATE_NO_VERSION_CLICK)) return;
        if (rightClicks < 3) {
            ++rightClicks;
            QTest::mouseClick(splash, Qt::RightButton, {}, QPoint(200, 80));
        } else {
            keySent = true;
            QTest::keyClick(splash, Qt::Key_Return);
        }
    });
    clicker.start(30);
    splash->StartUpgrade();
    clicker.stop();
    EXPECT_TRUE(keySent);
    EXPECT_EQ(rightClicks, 3);
    EXPECT_EQ(splash->GetText(), "서버의 버전정보를 가져올 수 없습니다(클릭 하세요)");
    EXPECT_EQ(splash->GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(splash->GetProgressBar()->GetPos(), 4);
}
