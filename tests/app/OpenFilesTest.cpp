#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "app/SingleInstance.h"
#include "app/VimbroApp.h"
#include "tests/support/HttpServer.h"
#include "tests/support/FrameData.h"
#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"
#include "tests/app/MainFrameFixture.h"

using testsupport::TempHome;

namespace {

using apptest::App;

// Starts build/bin/Vimbro offscreen with the given arguments.
pid_t StartVimbroWith(const std::vector<std::string>& files) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::string exe = testsupport::BinDir() + "Vimbro";
        std::vector<char*> argv{exe.data()};
        std::vector<std::string> copies = files;
        for (std::string& f : copies) argv.push_back(f.data());
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

int WaitFor(pid_t pid, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

// Polls the catalogue through the tool until `name` is listed; the listing last seen.
std::string WaitForListed(const std::string& name, int ms) {
    std::string listing;
    for (int waited = 0; waited < ms; waited += 250) {
        listing = testsupport::RunTool("catalog list").out;
        if (listing.find(name) != std::string::npos) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return listing;
}

std::string Picture(const TempHome& t, const std::string& name) {
    const std::string path = t.root() + "/in/" + name;
    std::filesystem::create_directories(t.root() + "/in");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 80, 30));
    image.save(QString::fromStdString(path));
    return path;
}

}  // namespace

TEST(OpenFiles, RequestCarriesAbsolutePathsOnly) {
    const QStringList files{QStringLiteral("/tmp/a.jpg"), QStringLiteral("/home/u/사진 1.png"),
                            QStringLiteral("relative.jpg"), QStringLiteral("/tmp/line\nbreak.jpg")};
    const QByteArray request = CSingleInstance::EncodeRequest(files);
    EXPECT_EQ(request, QByteArray("raise\n/tmp/a.jpg\n") + QStringLiteral("/home/u/사진 1.png").toUtf8() + "\n");
    QStringList decoded{QStringLiteral("stale")};
    ASSERT_TRUE(CSingleInstance::DecodeRequest(request, &decoded));
    EXPECT_EQ(decoded, (QStringList{QStringLiteral("/tmp/a.jpg"), QStringLiteral("/home/u/사진 1.png")}));
    // A bare raise, as older starts send it, carries no files.
    ASSERT_TRUE(CSingleInstance::DecodeRequest("raise\n", &decoded));
    EXPECT_TRUE(decoded.isEmpty());
    EXPECT_EQ(CSingleInstance::EncodeRequest({}), QByteArray("raise\n"));
}

TEST(OpenFiles, ForeignOrOversizedRequestsAreRefused) {
    QStringList decoded;
    EXPECT_FALSE(CSingleInstance::DecodeRequest("", &decoded));
    EXPECT_FALSE(CSingleInstance::DecodeRequest("open\n/tmp/a.jpg\n", &decoded));
    EXPECT_FALSE(CSingleInstance::DecodeRequest("raised\n", &decoded));
    EXPECT_TRUE(decoded.isEmpty());
    // Lines that are not absolute paths are dropped, the rest still counts.
    ASSERT_TRUE(CSingleInstance::DecodeRequest("raise\n../x.jpg\n\n/ok.png\n", &decoded));
    EXPECT_EQ(decoded, QStringList{QStringLiteral("/ok.png")});
    QByteArray flood = "raise\n/";
    flood.append(CSingleInstance::kMaxRequest, 'a');
    EXPECT_FALSE(CSingleInstance::DecodeRequest(flood, &decoded));
    EXPECT_TRUE(decoded.isEmpty());
}

TEST(OpenFiles, ArgumentsBecomeAbsoluteFileNames) {
    const QString cwd = QDir::currentPath();
    const QStringList files = CVimbroApp::FilesFromArguments(
        {QStringLiteral("photo.jpg"), QStringLiteral("--some-option"), QStringLiteral("/abs/b.png"),
         QStringLiteral("file:///home/u/%EC%82%AC%EC%A7%84.gif"), QStringLiteral("sub/../c.bmp"), QString()});
    EXPECT_EQ(files, (QStringList{cwd + QStringLiteral("/photo.jpg"), QStringLiteral("/abs/b.png"),
                                  QStringLiteral("/home/u/사진.gif"), cwd + QStringLiteral("/c.bmp")}));
}

TEST(OpenFiles, SecondGuardHandsItsFilesToTheFirst) {
    App();
    TempHome t;
    const QString name = QStringLiteral("VimbroOpenTest-%1").arg(::getpid());
    CSingleInstance first(name);
    ASSERT_TRUE(first.Acquire());
    int raised = 0;
    std::vector<QStringList> opened;
    first.OnRaiseRequest([&] { ++raised; });
    first.OnOpenRequest([&](const QStringList& files) { opened.push_back(files); });
    // Many names make the request arrive in pieces.
    QStringList sent;
    for (int i = 0; i < 2000; ++i) sent << QStringLiteral("/photos/folder %1/picture-%1.jpg").arg(i);
    bool secondAcquired = true;
    std::thread second([&] {
        CSingleInstance other(name);
        secondAcquired = other.Acquire(sent);
    });
    QElapsedTimer timer;
    timer.start();
    while (opened.empty() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    second.join();
    EXPECT_FALSE(secondAcquired);
    EXPECT_EQ(raised, 1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], sent);
}

// The program imports the files it is started with, and a later start hands its files over
// and ends; names that are no picture stay out of the catalogue.
TEST(OpenFiles, ProgramImportsItsFilesAndThoseOfALaterStart) {
    TempHome t;
    ::setenv("VIMBRO_UPDATE_HOST", ("127.0.0.1:" + std::to_string(testsupport::HttpServer::ClosedPort())).c_str(), 1);
    const std::string runtime = t.root() + "/runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    // The frame panel reads the current model's data file at start; without one it would stop
    // the start at its message.
    testsupport::InstallModels(t);
    testsupport::InstallModels(t, {MODEL_USER_DEFINED});
    const std::string first = Picture(t, "first.png");
    const std::string later = Picture(t, "later.png");
    const std::string notes = t.Write(t.root() + "/in/notes.txt", "not a picture");

    pid_t program = StartVimbroWith({first, notes, t.root() + "/in/missing.jpg"});
    ASSERT_GT(program, 0);
    std::string listing = WaitForListed("first.png", 20000);
    EXPECT_NE(listing.find("first.png"), std::string::npos) << listing;
    EXPECT_TRUE(std::filesystem::exists(t.home() + "/Documents/ZEL/Photo/first.png"));
    ASSERT_EQ(WaitFor(program, 0), -1) << "the program ended";

    pid_t second = StartVimbroWith({later});
    EXPECT_EQ(WaitFor(second, 10000), 0);
    listing = WaitForListed("later.png", 20000);
    EXPECT_NE(listing.find("later.png"), std::string::npos) << listing;
    EXPECT_NE(listing.find("first.png"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("notes.txt"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("missing.jpg"), std::string::npos) << listing;
    EXPECT_FALSE(std::filesystem::exists(t.home() + "/Documents/ZEL/Photo/notes.txt"));
    EXPECT_EQ(WaitFor(program, 0), -1);
    ::kill(program, SIGTERM);
    WaitFor(program, 5000);
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("VIMBRO_UPDATE_HOST");
}
