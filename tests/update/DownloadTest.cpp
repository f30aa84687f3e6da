#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>
#include <filesystem>

#include <algorithm>
#include <filesystem>

#include "tests/support/HttpServer.h"
#include "tests/support/TempHome.h"
#include "update/UrlDownload.h"

using testsupport::HttpServer;
using testsupport::ReadAll;
using testsupport::TempHome;

namespace {

// Short limits, so misbehaving servers are given up on quickly.
Pelloq::DownloadLimits Quick(std::int64_t maxBytes = 1 << 20) {
    Pelloq::DownloadLimits limits;
    limits.connectMs = 2000;
    limits.totalMs = 3000;
    limits.stallSeconds = 1;
    limits.maxBytes = maxBytes;
    return limits;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(UrlDownload, FetchesTheBodyIntoTheFile) {
    TempHome t;
    HttpServer server;
    server.Serve("/files/a%20b.dll", std::string("MZ\0\1binary", 10));
    server.Set("/moved", {302, "", HttpServer::Mode::normal, "/files/a%20b.dll"});
    const std::string target = t.runDir() + "a b.dll";
    CString error;
    ASSERT_TRUE(Pelloq::UrlDownloadToFile("Http://" + server.host() + "/files/" + Pelloq::EncodeUrlPath("a b.dll"),
                                          target, Quick(), &error))
        << error;
    EXPECT_EQ(ReadAll(target), std::string("MZ\0\1binary", 10));
    // Redirects are followed.
    const std::string second = t.runDir() + "second.dll";
    ASSERT_TRUE(Pelloq::UrlDownloadToFile("http://" + server.host() + "/moved", second, Quick(), &error)) << error;
    EXPECT_EQ(ReadAll(second), ReadAll(target));
    EXPECT_EQ(Entries(t.runDir()), (std::vector<std::string>{"a b.dll", "second.dll"}));
}

TEST(UrlDownload, EncodesNamesForTheUrl) {
    EXPECT_EQ(Pelloq::EncodeUrlPath("data/PM-01.dat"), "data/PM-01.dat");
    EXPECT_EQ(Pelloq::EncodeUrlPath("a b#?.dll"), "a%20b%23%3F.dll");
    EXPECT_EQ(Pelloq::EncodeUrlPath("사진"), "%EC%82%AC%EC%A7%84");
}

TEST(UrlDownload, FailuresLeaveNothingBehindAndKeepAnOldFile) {
    TempHome t;
    HttpServer server;
    server.Set("/missing-page", {404, "<html>not here</html>", HttpServer::Mode::normal, {}});
    server.Set("/error", {500, "oops", HttpServer::Mode::normal, {}});
    server.Set("/short", {200, "only half", HttpServer::Mode::truncated, {}});
    server.Set("/big", {200, std::string(5000, 'b'), HttpServer::Mode::normal, {}});
    server.Set("/endless", {200, "", HttpServer::Mode::endless, {}});
    server.Set("/silent", {200, "", HttpServer::Mode::silent, {}});
    const std::string target = t.Write(t.runDir() + "keep.dll", "old contents");
    struct Case {
        const char* path;
        std::int64_t maxBytes;
    } cases[] = {{"/missing-page", 1 << 20}, {"/error", 1 << 20}, {"/short", 1 << 20}, {"/big", 4096},
                 {"/endless", 256 << 10},    {"/silent", 1 << 20}};
    for (const Case& c : cases) {
        CString error;
        EXPECT_FALSE(Pelloq::UrlDownloadToFile("http://" + server.host() + c.path, target, Quick(c.maxBytes), &error))
            << c.path;
        EXPECT_FALSE(error.empty()) << c.path;
        EXPECT_EQ(ReadAll(target), "old contents") << c.path;
        EXPECT_EQ(Entries(t.runDir()), std::vector<std::string>{"keep.dll"}) << c.path;
    }
    CString error;
    EXPECT_FALSE(Pelloq::UrlDownloadToFile("http://127.0.0.1:" + std::to_string(HttpServer::ClosedPort()) + "/x",
                                           target, Quick(), &error));
    EXPECT_EQ(Entries(t.runDir()), std::vector<std::string>{"keep.dll"});
    // Only http and https are spoken.
    EXPECT_FALSE(Pelloq::UrlDownloadToFile("file:///etc/hostname", target, Quick(), &error));
    EXPECT_EQ(ReadAll(target), "old contents");
}

TEST(UrlDownload, IdleIsCalledWhileTheTransferRuns) {
    TempHome t;
    HttpServer server;
    server.Set("/silent", {200, "", HttpServer::Mode::silent, {}});
    int calls = 0;
    Pelloq::DownloadLimits limits = Quick();
    limits.idle = [&] { ++calls; };
    EXPECT_FALSE(Pelloq::UrlDownloadToFile("http://" + server.host() + "/silent", t.runDir() + "x", limits));
    EXPECT_GT(calls, 1);
}

TEST(UrlDownload, StaleTemporariesOfKilledDownloadsAreRemoved) {
    testsupport::TempHome home;
    const std::string folder = home.root() + "/Update/";
    const std::string old1 = home.Write(folder + "Vimbro.part-a1B2c3", "cut");
    const std::string old2 = home.Write(folder + "data/PM-01.dat.part-Zz9988", "cut");
    const std::string fresh = home.Write(folder + "Gandry.part-qwerty", "running");
    const std::string other = home.Write(folder + "notes.part-1", "not a download");
    const std::string done = home.Write(folder + "Vimbro", "complete");
    struct utimbuf times {std::time(nullptr) - 3600, std::time(nullptr) - 3600};
    for (const std::string& p : {old1, old2, other, done}) ASSERT_EQ(::utime(p.c_str(), &times), 0);
    EXPECT_EQ(Pelloq::RemoveStaleDownloads(folder), 2);
    EXPECT_FALSE(std::filesystem::exists(old1));
    EXPECT_FALSE(std::filesystem::exists(old2));
    EXPECT_TRUE(std::filesystem::exists(fresh));  // a transfer that may still be running
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(done));
    EXPECT_EQ(Pelloq::RemoveStaleDownloads(home.root() + "/missing/"), 0);
}
