#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/MainFrame.h"
#include "app/SingleInstance.h"
#include "app/VimbroApp.h"
#include "platform/afx/afxwin.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"
#include "tests/app/MainFrameFixture.h"

using testsupport::TempHome;

namespace {

using apptest::App;

using testsupport::BinDir;

pid_t StartVimbro() {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::string exe = BinDir() + "Vimbro";
        ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// Waits up to `ms` for the child; -1 while it still runs.
int WaitFor(pid_t pid, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

// Points the start-up update check at a port where nothing listens, so it fails at once.
struct NoUpdateServer {
    NoUpdateServer() {
        ::setenv("VIMBRO_UPDATE_HOST", ("127.0.0.1:" + std::to_string(testsupport::HttpServer::ClosedPort())).c_str(),
                 1);
    }
    ~NoUpdateServer() { ::unsetenv("VIMBRO_UPDATE_HOST"); }
};

}  // namespace

TEST(Startup, MainWindowTitleAndMinimumSize) {
    App();
    TempHome t;
    NoUpdateServer noServer;
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    EXPECT_EQ(frame.windowTitle(), QString::fromUtf8("ZEL VimbroSuite"));
    EXPECT_EQ(frame.minimumSize(), QSize(1200, 800));
    EXPECT_EQ(AfxGetMainWnd(), static_cast<CMsgTarget*>(&frame));
    frame.show();
    frame.resize(600, 400);
    EXPECT_GE(frame.width(), 1200);
    EXPECT_GE(frame.height(), 800);
}

TEST(Startup, MessageBoxStyleAddsTheExclamationIconOnlyWhenNoneIsAsked) {
    EXPECT_EQ(CVimbroApp::BoxStyle(MB_YESNO), MB_YESNO | MB_ICONEXCLAMATION | 0x10000000u);
    EXPECT_EQ(CVimbroApp::BoxStyle(MB_OK | MB_ICONQUESTION), MB_ICONQUESTION | 0x10000000u);
    EXPECT_EQ(CVimbroApp::BoxStyle(MB_ICONASTERISK), MB_ICONASTERISK | 0x10000000u);
}

TEST(Startup, MessagesSentFromAWorkerRunOnTheOwningThread) {
    App();
    struct Target : CMsgTarget {
        std::thread::id ranOn;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
            ranOn = std::this_thread::get_id();
            return static_cast<LRESULT>(message + wParam);
        }
    } target;
    LRESULT result = 0;
    std::thread worker([&] { result = target.SendMessage(0x0C0E, 5, 0); });
    QElapsedTimer timer;
    timer.start();
    while (result == 0 && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
    EXPECT_EQ(result, static_cast<LRESULT>(0x0C0E + 5));
    EXPECT_EQ(target.ranOn, std::this_thread::get_id());
}

TEST(Startup, SecondGuardAsksTheFirstToRaise) {
    App();
    TempHome t;
    CSingleInstance first(QStringLiteral("VimbroTest-%1").arg(::getpid()));
    ASSERT_TRUE(first.Acquire());
    int raised = 0;
    first.OnRaiseRequest([&] { ++raised; });
    // The second guard blocks while it asks, so it runs on another thread.
    bool secondAcquired = true;
    std::thread second([&] {
        CSingleInstance other(QStringLiteral("VimbroTest-%1").arg(::getpid()));
        secondAcquired = other.Acquire();
    });
    QElapsedTimer timer;
    timer.start();
    while (raised == 0 && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    second.join();
    EXPECT_FALSE(secondAcquired);
    EXPECT_EQ(raised, 1);
}

TEST(Startup, SecondProgramStartEndsQuietlyAndTheFirstKeepsRunning) {
    TempHome t;
    NoUpdateServer noServer;
    std::string runtime = t.root() + "/runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    pid_t first = StartVimbro();
    ASSERT_GT(first, 0);
    // Give the first instance time to take the guard.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_EQ(WaitFor(first, 0), -1) << "the first instance ended early";
    pid_t second = StartVimbro();
    EXPECT_EQ(WaitFor(second, 10000), 0);
    EXPECT_EQ(WaitFor(first, 0), -1);
    ::kill(first, SIGTERM);
    WaitFor(first, 5000);
    ::unsetenv("XDG_RUNTIME_DIR");
    // The first start created the settings key.
    EXPECT_TRUE(std::filesystem::exists(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg"));
}
