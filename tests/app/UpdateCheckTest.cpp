#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <ctime>

#include "app/MainFrame.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempHome.h"
#include "update/AppProfile.h"
#include "update/PelloqResources.h"
#include "update/SplashScreenFx.h"
#include "tests/app/MainFrameFixture.h"

using testsupport::HttpServer;
using testsupport::ReadAll;
using testsupport::TempHome;

namespace {

const std::string kIni = "/ATT01/2005/Data/QV/Vimbro/LiveUpdate/UpdateInfo.ini";

using apptest::App;

CSplashScreenFx* VisibleSplash() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* splash = dynamic_cast<CSplashScreenFx*>(w); splash && splash->isVisible()) return splash;
    }
    return nullptr;
}

std::string Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y,%m,%d", &local);
    return text;
}

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        ::setenv("VIMBRO_UPDATE_HOST", server.host().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("VIMBRO_UPDATE_HOST"); }

    // Watches the splash while the frame runs the check.
    void Watch() {
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (CSplashScreenFx* splash = VisibleSplash()) {
                sawSplash = true;
                frameVisibleMeanwhile = frameVisibleMeanwhile || frame->isVisible();
                lastText = splash->GetText();
            }
        });
        watch.start(50);
    }

    TempHome t;
    HttpServer server;
    QTimer watch;
    CMainFrame* frame = nullptr;
    bool sawSplash = false;
    bool frameVisibleMeanwhile = false;
    CString lastText;
};

}  // namespace

TEST_F(UpdateCheck, StartUpChecksBehindTheSplashBeforeTheFrameShows) {
    server.Serve(kIni, "[VERSIONINFO]\r\nVersion=1.0\r\n");
    CMainFrame mainFrame;
    frame = &mainFrame;
    Watch();
    ASSERT_TRUE(mainFrame.OnCreate());
    EXPECT_EQ(server.Requests(), std::vector<std::string>{kIni});
    EXPECT_TRUE(sawSplash);
    EXPECT_FALSE(frameVisibleMeanwhile);
    EXPECT_EQ(lastText, Pelloq::LoadString(Pelloq::IDS_UPDATE_NOTHING_NEW));
    EXPECT_EQ(AppProfile::GetProfileString("UpdateInfo", "AutoUpgrade", ""), "Y");
    // The splash is gone once the event loop has run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int splashes = 0;
    for (QWidget* child : mainFrame.findChildren<QWidget*>()) splashes += dynamic_cast<CSplashScreenFx*>(child) ? 1 : 0;
    EXPECT_EQ(splashes, 0);
}

TEST_F(UpdateCheck, NotDueTheSplashOnlyStaysAWhile) {
    AppProfile::WriteProfileString("UpdateInfo", "AutoUpgrade", "N");
    AppProfile::WriteProfileString("UpdateInfo", "UpgradeCheckTime", "3");
    AppProfile::WriteProfileString("UpdateInfo", "RecentCheckTime", Today().c_str());
    CMainFrame mainFrame;
    frame = &mainFrame;
    Watch();
    ASSERT_TRUE(mainFrame.OnCreate());
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_TRUE(sawSplash);
    EXPECT_EQ(lastText, "");
}

TEST_F(UpdateCheck, OnRequestTheCheckRunsEvenWhenNotDue) {
    AppProfile::WriteProfileString("UpdateInfo", "AutoUpgrade", "N");
    AppProfile::WriteProfileString("UpdateInfo", "UpgradeCheckTime", "3");
    AppProfile::WriteProfileString("UpdateInfo", "RecentCheckTime", "2001,01,01");
    server.Serve(kIni, "[VERSIONINFO]\r\nVersion=1.1\r\nUpdateNowList=Vimbro.dat,2;\r\n");
    server.Serve("/ATT01/2005/Data/QV/Vimbro/LiveUpdate/Vimbro.dat", "two");
    CMainFrame mainFrame;
    frame = &mainFrame;
    // The user confirms the closing message with a key.
    QObject::connect(&watch, &QTimer::timeout, [] {
        CSplashScreenFx* splash = VisibleSplash();
        if (splash && splash->GetText() == Pelloq::LoadString(Pelloq::IDS_UPDATE_DONE_CLICK))
            QTest::keyClick(splash, Qt::Key_Space);
    });
    watch.start(50);
    mainFrame.RunUpdateCheck(true);
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(ReadAll(t.runDir() + "Vimbro.dat"), "two");
    // The check's bookkeeping ran too.
    EXPECT_EQ(AppProfile::GetProfileString("UpdateInfo", "RecentCheckTime", ""), Today());
    EXPECT_EQ(AppProfile::GetProfileString("UpdateInfo", "Version", ""), "1.1");
}
