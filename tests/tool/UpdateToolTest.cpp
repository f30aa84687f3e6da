#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "tests/support/HttpServer.h"
#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"
#include "update/AppProfile.h"

using testsupport::HttpServer;
using testsupport::ReadAll;
using testsupport::TempHome;

namespace {

const std::string kRemote = "/ATT01/2005/Data/QV/Vimbro/LiveUpdate/";

testsupport::CommandResult Update(const TempHome& t, const std::string& args) {
    return testsupport::RunTool("update " + args, t.root() + "/stderr");
}

const char* kChecking = "사용자 버전을 확인중 입니다\n";

class ToolUpdate : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("VIMBRO_UPDATE_HOST", server.host().c_str(), 1); }
    void TearDown() override { ::unsetenv("VIMBRO_UPDATE_HOST"); }
    TempHome t;
    HttpServer server;
};

}  // namespace

TEST_F(ToolUpdate, FetchesAndReportsTheFiles) {
    server.Serve(kRemote + "UpdateInfo.ini",
                 "[VERSIONINFO]\nVersion=1.4\nUpdateList=b.dat,2;\nUpdateNowList=a.so,3;\n");
    server.Serve(kRemote + "a.so", "A");
    server.Serve(kRemote + "b.dat", "B");
    testsupport::CommandResult r = Update(t, "");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, std::string(kChecking) + kChecking +
                         "업데이트할 파일을 다운로드 중입니다.\n업데이트할 파일을 다운로드 중입니다.\n"
                         "업데이트를 적용중 입니다.\nnow a.so 3\nlater b.dat 2\n");
    EXPECT_EQ(ReadAll(t.runDir() + "a.so"), "A");
    EXPECT_EQ(ReadAll(t.runDir() + "Update/b.dat"), "B");
    // Run again: nothing new.
    r = Update(t, "");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string(kChecking) + kChecking + "이미 모든 파일이 업데이트되어 있습니다.\n");
}

TEST_F(ToolUpdate, NoServerFailsWithTheReason) {
    ::setenv("VIMBRO_UPDATE_HOST", ("127.0.0.1:" + std::to_string(HttpServer::ClosedPort())).c_str(), 1);
    testsupport::CommandResult r = Update(t, "");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, std::string(kChecking) + kChecking);
    EXPECT_EQ(r.err.rfind("vimbro-tool: 서버의 버전정보를 가져올 수 없습니다 (", 0), 0u) << r.err;
}

TEST_F(ToolUpdate, PeriodicCheckNotDueUnlessForced) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char today[16];
    std::strftime(today, sizeof today, "%Y,%m,%d", &local);
    AppProfile::WriteProfileString("UpdateInfo", "AutoUpgrade", "N");
    AppProfile::WriteProfileString("UpdateInfo", "RecentCheckTime", today);
    server.Serve(kRemote + "UpdateInfo.ini", "[VERSIONINFO]\nVersion=1.0\n");
    testsupport::CommandResult r = Update(t, "");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "not due\n");
    EXPECT_TRUE(server.Requests().empty());
    r = Update(t, "--force");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(Update(t, "--bogus").code, 1);
    r = Update(t, "--help");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("usage: vimbro-tool update", 0), 0u);
}
