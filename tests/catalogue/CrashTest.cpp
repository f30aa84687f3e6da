// A process killed in the middle of an import or a rename: the next start finds every picture
// whole and the catalogue consistent with the photo folder.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "tests/catalogue/Fixture.h"
#include "views/catalogue/ThumbFile.h"

using testsupport::ReadAll;

namespace {

// Tells the parent over a pipe when the child reached the point where it may be killed.
class SignallingWindow : public CMsgTarget {
public:
    SignallingWindow(int fd, unsigned at) : fd_(fd), at_(at) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_PROGRESS_POS && wParam == at_) Signal(fd_);
        return 0;
    }
    static void Signal(int fd) {
        char c = 1;
        if (::write(fd, &c, 1) != 1) ::_exit(3);
    }

private:
    int fd_;
    unsigned at_;
};

// Runs body in a child process and kills it with SIGKILL once it signals (or it ends).
template <typename Body>
void RunAndKill(Body body, int delayMicros) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(fds[0]);
        body(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    char c = 0;
    ::read(fds[0], &c, 1);
    if (delayMicros > 0) std::this_thread::sleep_for(std::chrono::microseconds(delayMicros));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fds[0]);
}

struct Reopened {
    std::vector<std::string> names;
    std::map<std::string, std::string> titles;
};

// Starts the catalogue as the program does and checks that rows, items, files and caches agree.
Reopened ReopenAndCheck() {
    Reopened result;
    CMessageBoxResponder boxes;
    CDBManagerOper db(catalogue::CatalogueFile());
    db.ExcuteQry("pragma integrity_check");
    EXPECT_EQ(db.GetData(0, 0), "ok");
    CThumbCatalogue view;
    view.SetDBConnect(&db);
    view.SetAlbum(99, 1);
    EXPECT_TRUE(boxes.texts().empty()) << boxes.texts().front();
    std::set<std::string> keys;
    for (vxImage* item : view.GetList()) {
        result.names.push_back(item->m_strFilename);
        result.titles[item->m_strFilename] = item->m_strTitle;
        keys.insert(item->m_strCLSID);
        EXPECT_EQ(thumbfile::Check(item->m_strThumbPath), thumbfile::Status::Valid) << item->m_strFilename;
    }
    db.ExcuteQry("select ClsID, FullPath from tbl_Itemlist");
    EXPECT_EQ(db.m_nRowCount, view.GetThumbCount());
    for (int row = 0; row < db.m_nRowCount; ++row) {
        EXPECT_TRUE(keys.count(db.GetData(0, row))) << db.GetData(0, row);
        EXPECT_TRUE(win::FileExists(db.GetData(1, row)));
    }
    // Only the caches of the pictures remain.
    EXPECT_EQ(win::ListFiles(catalogue::ThumbFolder()).size(), keys.size());
    return result;
}

class CrashTest : public ::testing::Test {
protected:
    std::string MakeSources(int count) {
        const std::string folder = home.root() + "/camera";
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "img%03d.jpg", i);
            EXPECT_TRUE(cattest::MakePicture(folder + "/" + name, 320, 240, CXIMAGE_FORMAT_JPG, i));
        }
        return folder;
    }
    testsupport::TempHome home;
};

}  // namespace

TEST_F(CrashTest, KilledImportLosesNoPicture) {
    const std::string camera = MakeSources(40);
    // One picture already in the catalogue, with a title.
    const std::string photo = catalogue::PhotoFolder();
    ASSERT_TRUE(cattest::MakePicture(photo + "/old.png", 50, 50, CXIMAGE_FORMAT_PNG, 99));
    {
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        view.SetAlbum(99, 0);
        view.set_select_all(1);
        view.SetTitle("old one", 0);
    }
    // Killed while copying (shortly after the start), and while making thumbnails.
    for (int round = 0; round < 3; ++round) {
        for (const std::string& name : win::ListFiles(photo)) {
            if (name != "old.png") std::filesystem::remove(photo + "/" + name);
        }
        RunAndKill(
            [&](int fd) {
                const unsigned at = round == 2 ? 15 : 0;
                SignallingWindow window(fd, at);
                AfxSetMainWnd(&window);
                CMessageBoxResponder boxes;
                CDBManagerOper db(catalogue::CatalogueFile());
                CThumbCatalogue view;
                view.SetDBConnect(&db);
                view.SetAlbum(99, 0);
                CStringList paths;
                for (const std::string& name : win::ListFiles(camera)) paths.push_back(camera + "/" + name);
                if (round < 2) SignallingWindow::Signal(fd);
                view.ImportFile(&paths, 1);
            },
            round == 0 ? 2000 : (round == 1 ? 20000 : 0));
        const Reopened after = ReopenAndCheck();
        EXPECT_EQ(after.titles.at("old.png"), "old one");
        // Every copy that arrived is whole.
        for (const std::string& name : after.names) {
            if (name == "old.png") continue;
            EXPECT_EQ(ReadAll(photo + "/" + name), ReadAll(camera + "/" + name)) << name;
        }
        if (round == 2) {
            EXPECT_EQ(after.names.size(), 41u);
        }
        // Half-written copies of the killed process are gone too.
        EXPECT_EQ(win::ListFiles(photo).size(), after.names.size());
    }
}

TEST_F(CrashTest, KilledRenameLosesNoPicture) {
    const std::string photo = catalogue::PhotoFolder();
    std::map<std::string, std::string> contents;
    for (int i = 0; i < 40; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pic%03d.png", i);
        ASSERT_TRUE(cattest::MakePicture(photo + "/" + name, 30, 20, CXIMAGE_FORMAT_PNG, i));
        contents[ReadAll(photo + "/" + name)] = name;
    }
    {
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        const int album = view.AddAlbum("all");
        view.SetAlbum(99, 0);
        view.set_select_all(1);
        view.SetTitle("t", 0);
        view.MoveToAlbum(99, album);
    }
    RunAndKill(
        [&](int fd) {
            CMessageBoxResponder boxes;
            CDBManagerOper db(catalogue::CatalogueFile());
            int renamed = 0;
            // The trace runs before its statement: stopping there leaves the fifteenth picture
            // moved and its row not yet updated, the worst moment for a kill.
            db.SetTrace([&](const CString& sql) {
                if (sql.find("Filename = ") != CString::npos && ++renamed == 15) {
                    SignallingWindow::Signal(fd);
                    for (;;) ::pause();
                }
            });
            CThumbCatalogue view;
            view.SetDBConnect(&db);
            view.SetAlbum(99, 0);
            view.set_select_all(1);
            view.SetFilename("trip");
        },
        0);
    const Reopened after = ReopenAndCheck();
    // The same forty pictures, each once.
    ASSERT_EQ(after.names.size(), 40u);
    std::set<std::string> seen;
    int renamedCount = 0, titled = 0;
    for (const std::string& name : after.names) {
        const std::string bytes = ReadAll(photo + "/" + name);
        ASSERT_TRUE(contents.count(bytes)) << name;
        EXPECT_TRUE(seen.insert(bytes).second);
        renamedCount += name.rfind("trip", 0) == 0 ? 1 : 0;
        titled += after.titles.at(name) == "t" ? 1 : 0;
    }
    EXPECT_EQ(renamedCount, 15);
    // The picture moved in the instant of the kill keeps its catalogue values too.
    EXPECT_EQ(titled, 40);
    EXPECT_TRUE(win::ListFiles(home.runDir(), "rename-*").empty());
    // The album still opens cleanly on whatever is left of it.
    CMessageBoxResponder boxes;
    CDBManagerOper db(catalogue::CatalogueFile());
    CThumbCatalogue view;
    view.SetDBConnect(&db);
    view.SetAlbum(1, 0);
    EXPECT_EQ(view.GetThumbCount(), 40);
    for (vxImage* item : view.GetList()) EXPECT_TRUE(win::FileExists(item->m_strFullPath));
}

TEST_F(CrashTest, RenameJournalsAreFinishedOnlyForDeadProcesses) {
    const std::string photo = catalogue::PhotoFolder();
    ASSERT_TRUE(cattest::MakePicture(photo + "/a.png", 30, 20, CXIMAGE_FORMAT_PNG, 1));
    ASSERT_TRUE(cattest::MakePicture(photo + "/b.png", 30, 20, CXIMAGE_FORMAT_PNG, 2));
    std::string keyA, keyB;
    {
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        view.SetAlbum(99, 1);
        view.set_select_all(1);
        view.SetTitle("kept", 0);
        for (vxImage* item : view.GetList()) (item->m_strFilename == "a.png" ? keyA : keyB) = item->m_strCLSID;
    }
    auto journal = [&](long owner, const std::string& key, const std::string& from, const std::string& to) {
        std::string text = "VimbroRename 1";
        for (const std::string& f : {std::to_string(owner), key, photo + "/" + from, photo + "/" + to}) {
            text.push_back('\0');
            text += f;
        }
        return text;
    };
    // A dead process moved a.png to x.png; a live one (this test's parent) is moving b.png.
    pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    ASSERT_TRUE(win::MoveFile(photo + "/a.png", photo + "/x.png"));
    home.Write(home.runDir() + "rename-1.journal", journal(dead, keyA, "a.png", "x.png"));
    ASSERT_TRUE(win::MoveFile(photo + "/b.png", photo + "/y.png"));
    home.Write(home.runDir() + "rename-2.journal", journal(::getppid(), keyB, "b.png", "y.png"));
    // Garbage and a journal pointing outside the photo folder are dropped without effect.
    home.Write(home.runDir() + "rename-3.journal", "nonsense");
    home.Write(home.runDir() + "rename-4.journal", journal(dead, keyB, "../b.png", "../../etc/z.png"));

    CMessageBoxResponder boxes;
    CDBManagerOper db(catalogue::CatalogueFile());
    CThumbCatalogue view;
    view.SetDBConnect(&db);
    view.SetAlbum(99, 1);
    std::map<std::string, std::string> titles;
    for (vxImage* item : view.GetList()) titles[item->m_strFilename] = item->m_strTitle;
    EXPECT_EQ(titles, (std::map<std::string, std::string>{{"x.png", "kept"}, {"y.png", ""}}));
    EXPECT_EQ(win::ListFiles(home.runDir(), "rename-*"), (std::vector<std::string>{"rename-2.journal"}));
}

TEST_F(CrashTest, AnAlbumOpenedFirstFinishesAnInterruptedRename) {
    const std::string photo = catalogue::PhotoFolder();
    ASSERT_TRUE(cattest::MakePicture(photo + "/a.png", 30, 20, CXIMAGE_FORMAT_PNG, 1));
    std::string key;
    int album = 0;
    {
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        album = view.AddAlbum("trip");
        view.SetAlbum(99, 1);
        view.set_select_all(1);
        view.SetTitle("kept", 0);
        view.MoveToAlbum(99, album);
        key = view.GetVxImage(0)->m_strCLSID;
    }
    // A dead process moved a.png to x.png and never reached its row.
    pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    ASSERT_TRUE(win::MoveFile(photo + "/a.png", photo + "/x.png"));
    std::string text = "VimbroRename 1";
    for (const std::string& f : {std::to_string(dead), key, photo + "/a.png", photo + "/x.png"}) {
        text.push_back('\0');
        text += f;
    }
    home.Write(home.runDir() + "rename-1.journal", text);

    // The album comes first (the command-line tool opens only the album it works on).
    CMessageBoxResponder boxes;
    CDBManagerOper db(catalogue::CatalogueFile());
    CThumbCatalogue view;
    view.SetDBConnect(&db);
    view.SetAlbum(album, 0);
    ASSERT_EQ(view.GetThumbCount(), 1);
    EXPECT_EQ(view.GetVxImage(0)->m_strFilename, "x.png");
    EXPECT_EQ(view.GetVxImage(0)->m_strTitle, "kept");
    EXPECT_TRUE(win::ListFiles(home.runDir(), "rename-*").empty());
    view.SetAlbum(99, 0);
    ASSERT_EQ(view.GetThumbCount(), 1);
    EXPECT_EQ(view.GetVxImage(0)->m_strTitle, "kept");
}

TEST_F(CrashTest, StartRemovesOnlyUnfinishedCopiesOfEndedProcesses) {
    const std::string photo = catalogue::PhotoFolder();
    ASSERT_TRUE(cattest::MakePicture(photo + "/a.jpg", 30, 20, CXIMAGE_FORMAT_JPG, 1));
    // A picture whose own name looks a little like a temporary one.
    ASSERT_TRUE(cattest::MakePicture(photo + "/trip.part.2.3.jpg", 30, 20, CXIMAGE_FORMAT_JPG, 2));
    pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    // A process still at work (a command-line import beside the program) keeps its copy.
    pid_t live = ::fork();
    if (live == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::string deadCopy = "b.jpg.part." + std::to_string(dead) + ".7";
    const std::string liveCopy = "c.jpg.part." + std::to_string(live) + ".0";
    const std::string ownCopy = "d.jpg.part." + std::to_string(::getpid()) + ".1";
    home.Write(photo + "/" + deadCopy, "half a pict");
    home.Write(photo + "/" + liveCopy, "half a pict");
    home.Write(photo + "/" + ownCopy, "half a pict");
    home.Write(photo + "/e.jpg.part.x.1", "not ours");
    home.Write(photo + "/notes.part.1.2.txt", "not ours");
    // The same for the backups of edited pictures.
    const std::string backups = catalogue::BackupFolder();
    home.Write(backups + "/a.jpg", "backup");
    home.Write(backups + "/" + deadCopy, "half a backup");
    home.Write(backups + "/" + liveCopy, "half a backup");

    {
        CMessageBoxResponder boxes;
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        // Only the first loading after start clears up; a later one leaves the folder alone.
        view.SetAlbum(99, 0);
        EXPECT_TRUE(win::FileExists(photo + "/" + deadCopy));
        view.SetAlbum(99, 1);
        std::vector<std::string> names;
        for (vxImage* item : view.GetList()) names.push_back(item->m_strFilename);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "trip.part.2.3.jpg"}));
        EXPECT_TRUE(boxes.texts().empty());
    }
    ::kill(live, SIGKILL);
    ::waitpid(live, nullptr, 0);
    std::vector<std::string> left = win::ListFiles(photo);
    std::sort(left.begin(), left.end());
    std::vector<std::string> want{"a.jpg", liveCopy, ownCopy, "e.jpg.part.x.1", "notes.part.1.2.txt",
                                  "trip.part.2.3.jpg"};
    std::sort(want.begin(), want.end());
    EXPECT_EQ(left, want);
    left = win::ListFiles(backups);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a.jpg", liveCopy}));
}
