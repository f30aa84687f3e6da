#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "tests/support/HttpServer.h"
#include "tests/support/TempHome.h"
#include "update/AppProfile.h"
#include "update/UpdateManager.h"

using testsupport::HttpServer;
using testsupport::ReadAll;
using testsupport::TempHome;
namespace fs = std::filesystem;

namespace {

const std::string kRemote = "/ATT01/2005/Data/QV/Vimbro/LiveUpdate/";
const std::string kIni = kRemote + "UpdateInfo.ini";

// The update check with its display replaced by a record of what it showed.
class Recorder : public CUpdateManager {
public:
    struct Shown {
        UINT id;
        bool failed;
        CString text;
    };
    std::vector<Shown> shown;
    std::vector<DWORD> waits;
    int steps = 0;
    int completes = 0;
    int confirms = 0;
    int cursors = 0;

    std::vector<UINT> Ids() const {
        std::vector<UINT> ids;
        for (const Shown& s : shown) ids.push_back(s.id);
        return ids;
    }

    void ProgressStep() override { ++steps; }
    void ProgressComplete() override { ++completes; }
    void WaitUntilUserConfirm() override { ++confirms; }

protected:
    void StatusChanged(const CString& text, bool failed) override { shown.push_back({GetLastStatus(), failed, text}); }
    void Wait(DWORD milliseconds) override { waits.push_back(milliseconds); }
    void RestoreArrowCursor() override { ++cursors; }
};

std::string Ini(const std::string& version, const std::string& later, const std::string& now) {
    return "[VERSIONINFO]\r\nVersion=" + version + "\r\nUpdateList=" + later + "\r\nUpdateNowList=" + now + "\r\n";
}

CString Entry(const char* name) {
    return AppProfile::GetProfileString("UpdateInfo", name, "<none>");
}
void SetEntry(const char* name, const char* value) {
    AppProfile::WriteProfileString("UpdateInfo", name, value);
}

// Every file below a folder with its contents, relative names sorted.
std::map<std::string, std::string> Tree(const std::string& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder)) return files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(e.path(), folder).string();
        files[name] = e.is_directory() ? "<folder>" : ReadAll(e.path().string());
    }
    return files;
}

Pelloq::DownloadLimits Quick() {
    Pelloq::DownloadLimits limits;
    limits.connectMs = 2000;
    limits.totalMs = 4000;
    limits.stallSeconds = 1;
    limits.maxBytes = 256 << 10;
    return limits;
}

class UpdateRun : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("VIMBRO_UPDATE_HOST", server.host().c_str(), 1);
        update.SetDownloadLimits(Quick());
    }
    void TearDown() override {
        ::unsetenv("VIMBRO_UPDATE_HOST");
        server.Stop();
    }

    std::string Registry() const { return ReadAll(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg"); }
    std::string Run(const std::string& name) const { return t.runDir() + name; }
    std::string Local(const std::string& name) const { return t.runDir() + "Update/" + name; }

    TempHome t;
    HttpServer server;
    Recorder update;
};

}  // namespace

TEST_F(UpdateRun, WithoutAServerOnlyTheDefaultsAreWritten) {
    ::setenv("VIMBRO_UPDATE_HOST", ("127.0.0.1:" + std::to_string(HttpServer::ClosedPort())).c_str(), 1);
    t.Write(Run("Vimbro"), "program");
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 579}));
    EXPECT_FALSE(update.shown[1].failed);
    EXPECT_TRUE(update.shown[2].failed);
    EXPECT_EQ(update.shown[2].text, "서버의 버전정보를 가져올 수 없습니다");
    EXPECT_EQ(update.waits, (std::vector<DWORD>{100, 100, 2000}));
    EXPECT_EQ(update.steps, 3);
    EXPECT_EQ(update.confirms, 0);
    EXPECT_EQ(update.cursors, 1);
    EXPECT_TRUE(update.HasFailed());

    EXPECT_EQ(Entry("ConnURL"), CUpdateManager::kDefaultConnUrl);
    EXPECT_EQ(Entry("RemoteDir"), "/customersupport/quorvel/Vimbro/Update/");
    EXPECT_EQ(Entry("LocalDir"), ".\\Update\\");
    EXPECT_EQ(Entry("Version"), "1.0");
    EXPECT_EQ(Entry("VersionFile"), "UpdateInfo.ini");
    EXPECT_EQ(Entry("UpdateList"), "");
    EXPECT_EQ(Entry("UpdateNowList"), "");
    for (const char* written : {"UpdateFlag", "RecentUpdateTime", "RecentUpdateList"})
        EXPECT_EQ(Entry(written), "<none>");
    EXPECT_EQ(Tree(t.runDir()), (std::map<std::string, std::string>{{"Update", "<folder>"}, {"Vimbro", "program"}}));

    // A second run changes nothing at all.
    const std::string registry = Registry();
    Recorder again;
    again.SetFromUserClick(true);
    again.SetDownloadLimits(Quick());
    again.StartUpgrade();
    EXPECT_EQ(again.Ids(), (std::vector<UINT>{580, 580, 579, 586}));
    EXPECT_TRUE(again.shown[3].failed);
    EXPECT_EQ(again.confirms, 1);
    EXPECT_EQ(Registry(), registry);
}

TEST_F(UpdateRun, StoredSettingsAreKeptButTheFixedOnesAreUsed) {
    SetEntry("ConnURL", "old.example.com");
    SetEntry("RemoteDir", "/somewhere/else/");
    SetEntry("Version", "3.5");
    SetEntry("VersionFile", "Other.ini");
    SetEntry("LocalDir", "Downloads\\");
    update.GetUpdateInfo();
    EXPECT_EQ(update.GetHost(), server.host());
    EXPECT_EQ(update.GetRemoteDir(), kRemote);
    EXPECT_EQ(update.GetLocalDir(), "Downloads\\");
    EXPECT_EQ(update.GetLocalVersion(), "1.0");
    EXPECT_EQ(update.GetVersionFileName(), "UpdateInfo.ini");
    EXPECT_EQ(Entry("ConnURL"), "old.example.com");
    EXPECT_EQ(Entry("RemoteDir"), "/somewhere/else/");
    EXPECT_EQ(Entry("Version"), "3.5");
    server.Serve(kIni, Ini("1.0", "", ""));
    ASSERT_TRUE(update.GetRemoteVersionFile());
    EXPECT_EQ(ReadAll(Run("Downloads/UpdateInfo.ini")), Ini("1.0", "", ""));
}

TEST_F(UpdateRun, NothingDiffersLeavesTheProfileAsItWas) {
    SetEntry("UpdateNowList", "a.dll,1.0;");
    SetEntry("UpdateList", "c.dat,1;");
    server.Serve(kIni, Ini("1.1", "c.dat,1;", "a.dll,1.0;"));
    update.GetUpdateInfo();
    const std::string registry = Registry();
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 591}));
    EXPECT_EQ(update.shown.back().text, "이미 모든 파일이 업데이트되어 있습니다.");
    EXPECT_FALSE(update.HasFailed());
    EXPECT_EQ(update.completes, 1);
    EXPECT_EQ(update.steps, 5);
    EXPECT_EQ(update.waits, (std::vector<DWORD>{100, 100, 100, 100, 100, 1000}));
    EXPECT_EQ(Registry(), registry);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{kIni});
    // The version file is removed only after an update was applied.
    EXPECT_TRUE(fs::exists(Local("UpdateInfo.ini")));
}

TEST_F(UpdateRun, NowFilesAreFetchedAndPutInPlace) {
    SetEntry("UpdateNowList", "a.dll,1.0;");
    server.Serve(kIni, Ini("1.1", "", "a.dll,1.0;b.dll,1.0;"));
    server.Serve(kRemote + "b.dll", "new b");
    t.Write(Run("a.dll"), "a stays");
    t.Write(Run("b.dll"), "old b");
    ::chmod(Run("b.dll").c_str(), 0755);
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 585}));
    EXPECT_FALSE(update.HasFailed());
    EXPECT_EQ(update.confirms, 0);
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{kIni, kRemote + "b.dll"}));
    EXPECT_EQ(ReadAll(Run("b.dll")), "new b");
    EXPECT_EQ(ReadAll(Run("a.dll")), "a stays");
    struct stat info {};
    ASSERT_EQ(::stat(Run("b.dll").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);
    EXPECT_FALSE(fs::exists(Local("b.dll")));
    EXPECT_FALSE(fs::exists(Local("UpdateInfo.ini")));
    EXPECT_EQ(Entry("UpdateNowList"), "a.dll,1.0;b.dll,1.0;");
    EXPECT_EQ(Entry("Version"), "1.1");
    EXPECT_TRUE(std::regex_match(
        Entry("RecentUpdateTime"),
        std::regex("(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day, "
                   "(January|February|March|April|May|June|July|August|September|October|November|December) "
                   "[0-3][0-9], 20[0-9][0-9]")))
        << Entry("RecentUpdateTime");
    EXPECT_EQ(Entry("UpdateFlag"), "<none>");
    EXPECT_EQ(Entry("RecentUpdateList"), "<none>");
}

TEST_F(UpdateRun, AskedByTheUserTheEndWaitsForAClick) {
    server.Serve(kIni, Ini("2.0", "", "Vimbro,2.0;"));
    server.Serve(kRemote + "Vimbro", "program 2.0");
    update.SetFromUserClick(true);
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 585, 588}));
    EXPECT_EQ(update.confirms, 1);
    EXPECT_EQ(ReadAll(Run("Vimbro")), "program 2.0");
}

TEST_F(UpdateRun, LaterFilesWaitInTheLocalFolder) {
    SetEntry("UpdateList", "c.dat,1;");
    server.Serve(kIni, Ini("1.2", "c.dat,2;", ""));
    server.Serve(kRemote + "c.dat", "c version 2");
    t.Write(Run("c.dat"), "c version 1");
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 583, 585}));
    EXPECT_EQ(ReadAll(Local("c.dat")), "c version 2");
    EXPECT_EQ(ReadAll(Run("c.dat")), "c version 1");
    EXPECT_EQ(Entry("UpdateFlag"), "Y");
    EXPECT_EQ(Entry("RecentUpdateList"), "c.dat,2;");
    EXPECT_EQ(Entry("UpdateList"), "c.dat,2;");
    EXPECT_EQ(Entry("UpdateNowList"), "");
    EXPECT_EQ(Entry("Version"), "1.2");
    EXPECT_NE(Entry("RecentUpdateTime"), "<none>");
}

TEST_F(UpdateRun, FilesLandInTheProgramFolderWhateverTheWorkingFolder) {
    server.Serve(kIni, Ini("1.1", "", "data\\PM-01.dat,2;"));
    server.Serve(kRemote + "data/PM-01.dat", "frames");
    const std::string elsewhere = t.root() + "/elsewhere";
    fs::create_directories(elsewhere);
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere);
    update.StartUpgrade();
    fs::current_path(before);
    EXPECT_EQ(update.Ids().back(), 585u);
    EXPECT_EQ(ReadAll(Run("data/PM-01.dat")), "frames");
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_EQ(Entry("UpdateNowList"), "data\\PM-01.dat,2;");
}

TEST_F(UpdateRun, AFailedDownloadMovesNothingAndChangesNoSetting) {
    SetEntry("UpdateNowList", "a.dll,0.9;");
    server.Serve(kIni, Ini("1.1", "later.dat,1;", "a.dll,1.0;b.dll,1.0;c.dll,1.0;"));
    server.Serve(kRemote + "a.dll", "new a");
    server.Serve(kRemote + "c.dll", "new c");  // b.dll is missing
    server.Serve(kRemote + "later.dat", "later");
    t.Write(Run("a.dll"), "old a");
    update.GetUpdateInfo();
    const std::string registry = Registry();
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 581}));
    EXPECT_TRUE(update.shown.back().failed);
    EXPECT_EQ(update.shown.back().text, " 다운로드에 실패 했습니다(1)");
    EXPECT_EQ(update.waits.back(), 2000u);
    EXPECT_EQ(update.completes, 0);
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{kIni, kRemote + "a.dll", kRemote + "b.dll"}));
    // What was fetched stays in the local folder; nothing is moved.
    EXPECT_EQ(ReadAll(Local("a.dll")), "new a");
    EXPECT_FALSE(fs::exists(Local("b.dll")));
    EXPECT_EQ(ReadAll(Run("a.dll")), "old a");
    EXPECT_EQ(Registry(), registry);
    EXPECT_TRUE(fs::exists(Local("UpdateInfo.ini")));
}

TEST_F(UpdateRun, AFailedLaterDownloadEndsTheRunAsWell) {
    server.Serve(kIni, Ini("1.1", "x.dat,1;", "now.dll,1;"));
    server.Serve(kRemote + "now.dll", "now");
    server.Set(kRemote + "x.dat", {503, "busy", HttpServer::Mode::normal, {}});
    update.GetUpdateInfo();
    const std::string registry = Registry();
    update.SetFromUserClick(true);
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 583, 584, 587}));
    EXPECT_TRUE(update.shown.back().failed);
    EXPECT_EQ(update.waits.back(), 3000u);
    EXPECT_EQ(update.confirms, 1);
    EXPECT_FALSE(fs::exists(Run("now.dll")));
    EXPECT_EQ(Registry(), registry);
}

TEST_F(UpdateRun, AHostileVersionFileIsNoVersionFile) {
    const HttpServer::Response answers[] = {
        {404, "<html>404</html>", HttpServer::Mode::normal, {}},
        {200, Ini("9.9", "", "x.dll,1;"), HttpServer::Mode::truncated, {}},
        {200, "", HttpServer::Mode::endless, {}},
        {200, "", HttpServer::Mode::silent, {}},
    };
    update.GetUpdateInfo();
    const std::string registry = Registry();
    for (const auto& answer : answers) {
        server.Set(kIni, answer);
        Recorder run;
        run.SetDownloadLimits(Quick());
        run.StartUpgrade();
        EXPECT_EQ(run.Ids(), (std::vector<UINT>{580, 580, 579})) << static_cast<int>(answer.mode);
        EXPECT_FALSE(fs::exists(Local("UpdateInfo.ini")));
        EXPECT_EQ(Tree(t.runDir()), (std::map<std::string, std::string>{{"Update", "<folder>"}}));
        EXPECT_EQ(Registry(), registry);
    }
}

TEST_F(UpdateRun, NamesThatLeaveTheProgramFolderAreSkipped) {
    const std::string absolute = t.root() + "/absolute.txt";
    server.Serve(kIni,
                 Ini("1.1", "../../later-evil.txt,1;",
                     "../../evil.txt,1;" + absolute + ",1;..\\..\\evil2.txt,1;data/../../evil3.txt,1;good.dll,1;"));
    for (const char* name : {"../../evil.txt", "..%5C..%5Cevil2.txt", "good.dll"}) server.Serve(kRemote + name, "x");
    server.Serve(kRemote + "good.dll", "good");
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 585}));
    EXPECT_EQ(update.GetSkippedNames().size(), 5u);
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{kIni, kRemote + "good.dll"}));
    EXPECT_EQ(ReadAll(Run("good.dll")), "good");
    // Nothing appeared outside the program folder.
    std::vector<std::string> top;
    for (const auto& e : fs::directory_iterator(t.root())) top.push_back(e.path().filename().string());
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"home", "run"}));
    EXPECT_EQ(Tree(t.runDir()), (std::map<std::string, std::string>{{"Update", "<folder>"}, {"good.dll", "good"}}));
}

TEST_F(UpdateRun, AFileThatNeverEndsFailsTheRun) {
    server.Serve(kIni, Ini("1.1", "", "huge.dll,1;"));
    server.Set(kRemote + "huge.dll", {200, "", HttpServer::Mode::endless, {}});
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 581}));
    EXPECT_FALSE(fs::exists(Run("huge.dll")));
    EXPECT_FALSE(fs::exists(Local("huge.dll")));
}

TEST_F(UpdateRun, VersionFileValuesAreBounded) {
    std::string list;
    for (int i = 0; i < 100; ++i) {
        char entry[16];
        std::snprintf(entry, sizeof entry, "f%04d.dll,1;", i);  // 12 characters each
        list += entry;
    }
    server.Serve(kIni, Ini("1.23456789ABCDEF", list, ""));
    update.GetUpdateInfo();
    ASSERT_TRUE(update.GetRemoteVersionFile());
    update.GetRemoteUpdateInfo();
    EXPECT_EQ(update.GetRemoteVersion(), "1.2345678");
    // 1023 characters: 85 whole entries and "f00" without a version.
    const CMapStringToString& later = update.GetRemoteLaterList();
    EXPECT_EQ(later.size(), 86u);
    ASSERT_EQ(later.count("f00"), 1u);
    EXPECT_EQ(later.at("f00"), "");
    EXPECT_EQ(later.at("f0084.dll"), "1");
    EXPECT_EQ(later.count("f0085.dll"), 0u);
    EXPECT_TRUE(update.GetRemoteNowList().empty());
    // A version file without the keys: version "1.0" and empty lists.
    server.Serve(kIni, "[OTHER]\r\nVersion=7\r\n");
    ASSERT_TRUE(update.GetRemoteVersionFile());
    update.GetRemoteUpdateInfo();
    EXPECT_EQ(update.GetRemoteVersion(), "1.0");
    EXPECT_TRUE(update.GetRemoteLaterList().empty());
}

TEST_F(UpdateRun, AServerTooSlowForTheWholeCheckEndsItInTime) {
    // Each file takes about half a second; the whole check may take 1.2 s.
    Pelloq::DownloadLimits limits = Quick();
    limits.wholeCheckMs = 1200;
    update.SetDownloadLimits(limits);
    server.Serve(kIni, Ini("1.1", "", "a.dll,1;b.dll,1;c.dll,1;d.dll,1;"));
    for (const char* name : {"a.dll", "b.dll", "c.dll", "d.dll"})
        server.Set(kRemote + name, {200, "12345", HttpServer::Mode::slow, {}});
    update.GetUpdateInfo();
    const std::string registry = Registry();
    update.StartUpgrade();
    EXPECT_EQ(update.Ids(), (std::vector<UINT>{580, 580, 582, 581}));
    EXPECT_TRUE(update.shown.back().failed);
    // The fourth file is never asked for, nothing is put in place and no setting changes.
    const std::vector<std::string> asked = server.Requests();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), kRemote + "d.dll"), 0);
    for (const char* name : {"a.dll", "b.dll", "c.dll", "d.dll"}) EXPECT_FALSE(fs::exists(Run(name)));
    EXPECT_EQ(Registry(), registry);
}
