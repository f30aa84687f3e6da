#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/win/fileapi.h"
#include "platform/win/runfolder.h"
#include "tests/support/TempHome.h"

using testsupport::ReadAll;
using testsupport::TempHome;
namespace fs = std::filesystem;

namespace {

// A program folder with two model files, installed (marker) or as the build leaves it.
struct ProgramFolder {
    explicit ProgramFolder(const TempHome& t, bool installed) : dir(t.root() + "/prefix/lib/vimbro-suite/") {
        t.Write(dir + "data/PM-00.dat", "model zero");
        t.Write(dir + "data/default.dat", "user model");
        if (installed) t.Write(dir + win::kInstalledMarker, "");
    }
    std::string dir;
};

bool IsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Clears VIMBRO_HOME (TempHome sets it) and points XDG_DATA_HOME as asked, for one test.
class RunFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ::unsetenv("VIMBRO_HOME"); }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }
    TempHome t;
};

}  // namespace

TEST_F(RunFolderTest, BuildTreeProgramKeepsItsOwnFolderAndWritesNothingElsewhere) {
    ProgramFolder program(t, false);
    ::setenv("XDG_DATA_HOME", (t.root() + "/xdg").c_str(), 1);
    EXPECT_EQ(win::ResolveRunFolder(program.dir), program.dir);
    // Without the trailing slash the answer still has one.
    EXPECT_EQ(win::ResolveRunFolder(program.dir.substr(0, program.dir.size() - 1)), program.dir);
    EXPECT_FALSE(fs::exists(t.root() + "/xdg"));
}

TEST_F(RunFolderTest, VimbroHomeWinsOverBothFolders) {
    ProgramFolder installed(t, true);
    ::setenv("VIMBRO_HOME", (t.root() + "/mine").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (t.root() + "/xdg").c_str(), 1);
    EXPECT_EQ(win::ResolveRunFolder(installed.dir), t.root() + "/mine/");
    EXPECT_EQ(win::RunFolder(), t.root() + "/mine/");
    EXPECT_FALSE(fs::exists(t.root() + "/xdg"));
}

TEST_F(RunFolderTest, InstalledProgramUsesAPreparedPerUserFolder) {
    ProgramFolder installed(t, true);
    const std::string xdg = t.root() + "/xdg";
    ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    const std::string user = xdg + "/VimbroSuite/";
    EXPECT_EQ(win::ResolveRunFolder(installed.dir), user);
    EXPECT_TRUE(win::DirectoryExists(user));
    // The model files are reachable under the user's data folder, and follow the installed ones.
    EXPECT_EQ(win::ListFiles(user + "data/"), (std::vector<std::string>{"PM-00.dat", "default.dat"}));
    EXPECT_TRUE(IsLink(user + "data/PM-00.dat"));
    EXPECT_EQ(ReadAll(user + "data/PM-00.dat"), "model zero");
    EXPECT_EQ(ReadAll(user + "data/default.dat"), "user model");
    // Nothing lands in the installed folder.
    EXPECT_EQ(win::ListFiles(installed.dir), (std::vector<std::string>{win::kInstalledMarker}));
}

TEST_F(RunFolderTest, PerUserFolderFallsBackToHomeLocalShare) {
    ProgramFolder installed(t, true);
    ::setenv("XDG_DATA_HOME", "relative/not/allowed", 1);
    EXPECT_EQ(win::UserDataFolder(), t.home() + "/.local/share/VimbroSuite/");
    EXPECT_EQ(win::ResolveRunFolder(installed.dir), t.home() + "/.local/share/VimbroSuite/");
    EXPECT_TRUE(win::FileExists(t.home() + "/.local/share/VimbroSuite/data/PM-00.dat"));
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(win::UserDataFolder(), t.home() + "/.local/share/VimbroSuite/");
}

TEST_F(RunFolderTest, LaterStartsKeepTheUsersFilesAndFollowTheInstallation) {
    ProgramFolder installed(t, true);
    ::setenv("XDG_DATA_HOME", (t.root() + "/xdg").c_str(), 1);
    const std::string user = win::ResolveRunFolder(installed.dir);
    // The catalogue and an updated model file of the user's own survive the next start.
    t.Write(user + "zldb.mdb", "catalogue");
    ASSERT_EQ(::unlink((user + "data/default.dat").c_str()), 0);
    t.Write(user + "data/default.dat", "updated by the user");
    // An upgrade adds one model and drops another.
    t.Write(installed.dir + "data/PM-01.dat", "model one");
    ASSERT_TRUE(win::DeleteFile(installed.dir + "data/PM-00.dat"));

    EXPECT_EQ(win::ResolveRunFolder(installed.dir), user);
    EXPECT_EQ(ReadAll(user + "zldb.mdb"), "catalogue");
    EXPECT_EQ(ReadAll(user + "data/default.dat"), "updated by the user");
    EXPECT_FALSE(IsLink(user + "data/default.dat"));
    EXPECT_EQ(ReadAll(user + "data/PM-01.dat"), "model one");
    // The link to the dropped model is gone, not left dangling.
    EXPECT_FALSE(IsLink(user + "data/PM-00.dat"));
    EXPECT_EQ(win::ListFiles(user + "data/"), (std::vector<std::string>{"PM-01.dat", "default.dat"}));
}

TEST_F(RunFolderTest, PerUserFolderThatCannotBeMadeIsReportedNotReplaced) {
    ProgramFolder installed(t, true);
    // A file stands where the data folder's parent should be.
    t.Write(t.root() + "/blocked", "a file");
    ::setenv("XDG_DATA_HOME", (t.root() + "/blocked").c_str(), 1);
    EXPECT_FALSE(win::PrepareUserFolder(installed.dir, t.root() + "/blocked/VimbroSuite/"));
    // Still the per-user folder: the program never falls back to writing beside itself.
    EXPECT_EQ(win::ResolveRunFolder(installed.dir), t.root() + "/blocked/VimbroSuite/");
    EXPECT_FALSE(win::PrepareUserFolder(installed.dir, ""));
}
