// Import, paste, duplication, export, renaming and titles by pattern, backup and restore,
// deletion.
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "tests/catalogue/Fixture.h"
#include "views/catalogue/ThumbFile.h"

using cattest::CatalogueTest;
using testsupport::ReadAll;

TEST_F(CatalogueTest, ImportCopiesRegistersAndReportsProgress) {
    const std::string a = Outside("a.jpg");
    const std::string b = Outside("b.png", 30, 20, 1);
    const std::string c = Outside("c.gif", 30, 20, 2);
    view->SetAlbum(99, 0);
    window.messages.clear();
    CStringList paths{b, a, c};
    view->ImportFile(&paths, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.png", "c.gif"}));
    EXPECT_EQ(ReadAll(photo + "/a.jpg"), ReadAll(a));
    EXPECT_EQ(RowCount(), 3);
    EXPECT_EQ(Column("FullPath", "b.png"), photo + "/b.png");
    EXPECT_EQ(Column("ClsID", "b.png"), catalogue::KeyFromFile(photo + "/b.png", "b.png"));
    ASSERT_GE(window.messages.size(), 5u);
    EXPECT_EQ(window.Only(WM_PROGRESS_BEGIN), (std::vector<std::pair<UINT, WPARAM>>{{WM_PROGRESS_BEGIN, 3}}));
    EXPECT_EQ(window.Only(WM_PROGRESS_POS).size(), 3u);
    EXPECT_EQ(window.Only(WM_PROGRESS_END).size(), 1u);
    EXPECT_EQ(ThumbFiles().size(), 3u);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(CatalogueTest, ImportClearsTheReadOnlyAttribute) {
    const std::string a = Outside("ro.jpg");
    ::chmod(a.c_str(), 0444);
    view->SetAlbum(99, 0);
    CStringList paths{a};
    view->ImportFile(&paths, 1);
    struct stat st {};
    ASSERT_EQ(::stat((photo + "/ro.jpg").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST_F(CatalogueTest, ImportNameClashAsksBeforeReplacing) {
    Photo("a.jpg", 64, 48, 1);
    view->SetAlbum(99, 0);
    const int album = view->AddAlbum("x");
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    const std::string oldKey = Item("a.jpg")->m_strCLSID;
    const std::string oldCache = Item("a.jpg")->m_strThumbPath;
    const std::string replacement = Outside("a.jpg", 70, 50, 2);
    cattest::SetTime(replacement, 1400000000);

    // No: the existing file and item stay; nothing was added, which is reported too.
    boxes.Script({IDNO});
    CStringList paths{replacement};
    view->ImportFile(&paths, 1);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"a.jpg 파일이 존재합니다. 덮어쓸까요?", "1개의 파일이 이미 추가되어있습니다"}));
    EXPECT_EQ(boxes.shown()[0].style & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(Item("a.jpg")->m_strCLSID, oldKey);
    EXPECT_NE(ReadAll(photo + "/a.jpg"), ReadAll(replacement));

    // Yes: the new file replaces the old one, which loses its row and cache.
    boxes.clear();
    boxes.Script({IDYES});
    view->ImportFile(&paths, 1);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"a.jpg 파일이 존재합니다. 덮어쓸까요?"}));
    EXPECT_EQ(ReadAll(photo + "/a.jpg"), ReadAll(replacement));
    ASSERT_EQ(view->GetThumbCount(), 1);
    EXPECT_NE(Item("a.jpg")->m_strCLSID, oldKey);
    EXPECT_EQ(Column("ClsID", "a.jpg"), Item("a.jpg")->m_strCLSID);
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "");
    EXPECT_EQ(RowCount(), 1);
    EXPECT_FALSE(win::FileExists(oldCache));
    EXPECT_EQ(Item("a.jpg")->m_strDimension, "70 x 50");
}

TEST_F(CatalogueTest, ImportStopsAtANameOverNinetyBytes) {
    // 45 Korean syllables are 90 bytes in the Korean code page; one letter more is 91.
    std::string syllables;
    for (int i = 0; i < 45; ++i) syllables += "가";
    const std::string ninety = Outside(std::string(syllables.substr(0, 3 * 43)) + ".jpg");      // 86 + 4 = 90
    const std::string ninetyOne = Outside(std::string(syllables.substr(0, 3 * 43)) + "a.jpg");  // 91
    const std::string after = Outside("after.jpg");
    view->SetAlbum(99, 0);
    CStringList paths{ninety, ninetyOne, after};
    view->ImportFile(&paths, 1);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{
                  "파일의 이름이 빔브로에서 지원하는 길이보다 길어\r\n파일을 가져오는데 실패하였습니다."}));
    // The file before was copied and comes in at the next loading; nothing after it was.
    EXPECT_EQ(PhotoFiles(), (std::vector<std::string>{std::string(syllables.substr(0, 3 * 43)) + ".jpg"}));
    EXPECT_EQ(view->GetThumbCount(), 0);
    view->SetAlbum(99, 0);
    EXPECT_EQ(view->GetThumbCount(), 1);
}

TEST_F(CatalogueTest, ImportIntoARealAlbum) {
    Photo("there.jpg");
    const std::string fresh = Outside("fresh.jpg", 40, 30, 1);
    const std::string there = Outside("there.jpg", 40, 30, 2);
    const int album = view->AddAlbum("trip");
    view->SetAlbum(99, 0);
    Select({"there.jpg"});
    view->SetTitle("kept", 0);
    view->SetAlbum(album, 0);
    boxes.Script({IDNO});
    CStringList paths{fresh, there};
    view->ImportFile(&paths, 1);
    // The declined clash still registers the picture already in the photo folder.
    EXPECT_EQ(Names(), (std::vector<std::string>{"fresh.jpg", "there.jpg"}));
    EXPECT_EQ(Column("AlbumID", "fresh.jpg"), "?" + std::to_string(album));
    EXPECT_EQ(Column("AlbumID", "there.jpg"), "?" + std::to_string(album));
    EXPECT_EQ(Item("there.jpg")->m_strTitle, "kept");
    // Importing again: both already hold the album.
    boxes.clear();
    boxes.Script({IDNO, IDNO});
    view->ImportFile(&paths, 1);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{
                                 "fresh.jpg 파일이 존재합니다. 덮어쓸까요?", "there.jpg 파일이 존재합니다. 덮어쓸까요?",
                                 "fresh.jpg 파일이 이미 추가되어있습니다", "there.jpg 파일이 이미 추가되어있습니다"}));
    EXPECT_EQ(view->GetThumbCount(), 2);
}

TEST_F(CatalogueTest, PasteRegistersWithoutCopyingOrDuplicating) {
    const std::string a = Photo("a.jpg");
    view->SetAlbum(99, 0);
    const std::string b = Photo("b.jpg");
    window.messages.clear();
    CStringList paths{a, b};
    view->PasteFile(&paths, 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(RowCount(), 2);
    EXPECT_TRUE(window.Only(WM_PROGRESS_BEGIN).empty());
    EXPECT_EQ(window.Only(WM_PROGRESS_POS).size(), 1u);
}

TEST_F(CatalogueTest, AlbumCopyMakesNumberedDuplicates) {
    Photo("a.jpg");
    Photo("a(1).jpg", 64, 48, 3);
    Photo("b.png");
    const int album = view->AddAlbum("x");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    view->SetAlbum(album, 0);
    Select({"a.jpg", "b.png"});
    view->AlbumCopy();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a(1).jpg", "a(2).jpg", "a.jpg", "b(1).png", "b.png"}));
    EXPECT_EQ(ReadAll(photo + "/a(2).jpg"), ReadAll(photo + "/a.jpg"));
    EXPECT_EQ(Column("AlbumID", "a(2).jpg"), "?" + std::to_string(album));
    EXPECT_EQ(Column("AlbumID", "b(1).png"), "?" + std::to_string(album));
    EXPECT_EQ(window.Only(WM_PROGRESS_BEGIN).back().second, 2u);
}

TEST_F(CatalogueTest, ExportByNameTitleAndCounter) {
    Photo("a.JPG");
    Photo("b.png");
    view->SetAlbum(99, 0);
    Select({"a.JPG"});
    view->SetTitle("My/trip.v2", 0);
    const std::string out = home.root() + "/out";
    std::filesystem::create_directories(out);
    int copied = 0;
    view->ExportFile(out, 0, 0, 1, copied);
    EXPECT_EQ(copied, 2);
    EXPECT_EQ(win::ListFiles(out), (std::vector<std::string>{"a.jpg", "b.png"}));
    // Titles as names, cut at the last dot, never leaving the folder.
    view->ExportFile(out + "/", 0, 1, 1, copied);
    EXPECT_EQ(win::ListFiles(out), (std::vector<std::string>{"My_trip.jpg", "a.jpg", "b.png"}));
    // Unique names share one counter for the whole export.
    view->ExportFile(out, 1, 0, 1, copied);
    EXPECT_EQ(copied, 2);
    EXPECT_TRUE(win::FileExists(out + "/a000.jpg"));
    EXPECT_TRUE(win::FileExists(out + "/b001.png"));
    // Only the untitled b.png met its earlier copy (and overwrote it, the box's default).
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"파일이 존재합니다. 덮어쓸까요?"}));
}

TEST_F(CatalogueTest, ExportClashesAskKeepOverwriteOrAll) {
    struct Host : CThumbHost {
        int AskOverwrite(const CString& text) override {
            asked.push_back(text);
            int answer = answers.empty() ? 0 : answers.front();
            if (!answers.empty()) answers.erase(answers.begin());
            return answer;
        }
        std::vector<std::string> asked;
        std::vector<int> answers;
    } host;
    view->SetHost(&host);
    Photo("a.jpg");
    Photo("b.jpg");
    Photo("c.jpg");
    view->SetAlbum(99, 0);
    const std::string out = home.root() + "/out";
    for (const char* n : {"a.jpg", "b.jpg", "c.jpg"}) home.Write(out + "/" + n, "old");
    int copied = 0;
    host.answers = {0, 1, 0};
    view->ExportFile(out, 0, 0, 1, copied);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(host.asked, (std::vector<std::string>(3, "파일이 존재합니다. 덮어쓸까요?")));
    EXPECT_EQ(ReadAll(out + "/a.jpg"), "old");
    EXPECT_NE(ReadAll(out + "/b.jpg"), "old");
    EXPECT_EQ(ReadAll(out + "/c.jpg"), "old");
    // "All" overwrites this clash and every later one without asking again.
    host.asked.clear();
    host.answers = {2};
    view->ExportFile(out, 0, 0, 1, copied);
    EXPECT_EQ(copied, 3);
    EXPECT_EQ(host.asked.size(), 1u);
    view->SetHost(nullptr);
    // Without a widget the question is a message box: OK overwrites, Cancel keeps.
    home.Write(out + "/a.jpg", "old");
    Select({"a.jpg"});
    boxes.Script({IDCANCEL});
    view->ExportFile(out, 0, 0, 0, copied);
    EXPECT_EQ(copied, 0);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"파일이 존재합니다. 덮어쓸까요?"}));
}

TEST_F(CatalogueTest, RenameByBaseSkipsTakenNames) {
    Photo("trip000.jpg", 20, 20, 1);
    Photo("x.JPG", 20, 20, 2);
    Photo("y.png", 20, 20, 3);
    Photo("z.jpg", 20, 20, 4);
    const int album = view->AddAlbum("al");
    view->SetAlbum(99, 0);
    Select({"x.JPG"});
    view->SetTitle("first", 0);
    view->MoveToAlbum(99, album);
    const std::string xBytes = ReadAll(photo + "/x.JPG");
    const std::string oldCache = Item("x.JPG")->m_strThumbPath;
    const std::string cacheBytes = ReadAll(oldCache);
    Select({"x.JPG", "y.png", "z.jpg"});
    view->SetFilename("trip");
    EXPECT_EQ(Names(), (std::vector<std::string>{"trip000.jpg", "trip001.jpg", "trip002.png", "trip003.jpg"}));
    EXPECT_EQ(ReadAll(photo + "/trip001.jpg"), xBytes);
    EXPECT_FALSE(win::FileExists(photo + "/x.JPG"));
    vxImage* renamed = Item("trip001.jpg");
    EXPECT_EQ(renamed->m_strFullPath, photo + "/trip001.jpg");
    EXPECT_EQ(renamed->m_strCLSID, catalogue::KeyFromFile(photo + "/trip001.jpg", "trip001.jpg"));
    EXPECT_EQ(Column("ClsID", "trip001.jpg"), renamed->m_strCLSID);
    EXPECT_EQ(Column("Title", "trip001.jpg"), "first");
    EXPECT_EQ(Column("AlbumID", "trip001.jpg"), "?" + std::to_string(album));
    // The cache moved with the picture.
    EXPECT_FALSE(win::FileExists(oldCache));
    EXPECT_EQ(ReadAll(renamed->m_strThumbPath), cacheBytes);
    EXPECT_EQ(renamed->m_strThumbPath, catalogue::ThumbPathFromKey(thumbs, renamed->m_strCLSID));
    // The next loading finds everything where the rows say.
    view->SetAlbum(album, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"trip001.jpg"}));
    view->SetAlbum(99, 1);
    EXPECT_EQ(RowCount(), 4);
    EXPECT_EQ(Column("Title", "trip001.jpg"), "first");
}

TEST(Stamp, DateAndTimeTexts) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 12;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 1, 0, 0, 0), "2026_12_07");
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 1, 1, 0, 0), "20261207");
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 0, 0, 1, 0), "120509");
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 0, 0, 1, 1), "AM 120509");
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 1, 1, 1, 1), "20261207-AM 120509");
    t.tm_hour = 13;
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 0, 0, 1, 1), "PM 010509");
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 1, 0, 1, 0), "2026_12_07-130509");
    t.tm_hour = 0;
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 0, 0, 1, 1), "AM 000509");
    t.tm_hour = 23;
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 0, 0, 1, 1), "PM 110509");
    EXPECT_EQ(CThumbCatalogue::MakeStamp(t, 0, 0, 0, 0), "");
}

TEST_F(CatalogueTest, RenameAndTitleByStamp) {
    Photo("a.jpg");
    Photo("b.jpg");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    const std::time_t before = std::time(nullptr);
    view->SetFilename(1, 1, 0, 0);
    std::tm local{};
    localtime_r(&before, &local);
    const std::string date = CThumbCatalogue::MakeStamp(local, 1, 1, 0, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{date + "000.jpg", date + "001.jpg"}));
    view->SetTitle(1, 0, 0, 0, 1);
    const std::string title = CThumbCatalogue::MakeStamp(local, 1, 0, 0, 0);
    EXPECT_EQ(Item(date + "001.jpg")->m_strTitle, title + "001");
    EXPECT_EQ(Column("Title", date + "000.jpg"), title + "000");
}

TEST_F(CatalogueTest, TitlesNumberedFromFileNamesAndCleared) {
    Photo("b.jpg");
    Photo("a.jpg");
    Photo("c.jpg");
    view->SetAlbum(99, 0);
    Select({"c.jpg", "a.jpg"});
    view->SetTitle("it's", 1);
    // Display order, counter from 0, quotes stored as typed.
    EXPECT_EQ(Column("Title", "a.jpg"), "it's000");
    EXPECT_EQ(Column("Title", "c.jpg"), "it's001");
    EXPECT_EQ(Column("Title", "b.jpg"), "");
    view->SetTitle("같은 제목", 0);
    EXPECT_EQ(Column("Title", "a.jpg"), "같은 제목");
    EXPECT_EQ(Column("Title", "c.jpg"), "같은 제목");
    view->SetTitleFromFilename();
    EXPECT_EQ(Item("c.jpg")->m_strTitle, "c.jpg");
    EXPECT_EQ(Column("Title", "c.jpg"), "c.jpg");
    view->SetTitle("", 0);
    EXPECT_EQ(Column("Title", "a.jpg"), "");
    // Sorting by title.
    Select({"b.jpg"});
    view->SetTitle("0", 0);
    view->SetOrder(SORT_ORDER_1);
    EXPECT_EQ(Names().front(), "a.jpg");
    EXPECT_EQ(Names().back(), "b.jpg");
}

TEST_F(CatalogueTest, BackupEditAndRestore) {
    const std::string path = Photo("a.jpg", 64, 48, 1);
    const std::string original = ReadAll(path);
    view->SetAlbum(99, 0);
    vxImage* item = Item("a.jpg");
    Select({"a.jpg"});
    EXPECT_EQ(view->is_restore(), 0);
    // The editor keeps the backup, writes the picture, then the browser follows.
    item->MakingOriginal(0);
    EXPECT_EQ(item->m_strOriginalPath, "a.jpg");
    EXPECT_EQ(ReadAll(home.runDir() + "Origin/a.jpg"), original);
    ASSERT_TRUE(cattest::MakePicture(path, 90, 40, CXIMAGE_FORMAT_JPG, 7));
    cattest::SetTime(path, 1300000000);
    const std::string oldCache = item->m_strThumbPath;
    view->UpdateCLSID(item);
    EXPECT_EQ(item->m_strCLSID, catalogue::KeyFromFile(path, "a.jpg"));
    EXPECT_EQ(Column("ClsID", "a.jpg"), item->m_strCLSID);
    EXPECT_EQ(Column("OriginalPath", "a.jpg"), "a.jpg");
    EXPECT_FALSE(win::FileExists(oldCache));
    EXPECT_TRUE(win::FileExists(item->m_strThumbPath));
    EXPECT_EQ(item->m_strDimension, "90 x 40");
    // A second edit keeps the first backup.
    item->MakingOriginal(0);
    EXPECT_EQ(ReadAll(home.runDir() + "Origin/a.jpg"), original);
    EXPECT_EQ(view->is_restore(), 1);

    view->Restore();
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_EQ(item->m_strOriginalPath, "");
    EXPECT_FALSE(win::FileExists(home.runDir() + "Origin/a.jpg"));
    EXPECT_EQ(Column("OriginalPath", "a.jpg"), "");
    EXPECT_EQ(Column("ClsID", "a.jpg"), item->m_strCLSID);
    EXPECT_EQ(item->m_strCLSID, catalogue::KeyFromFile(path, "a.jpg"));
    EXPECT_EQ(item->m_strDimension, "64 x 48");
    EXPECT_EQ(view->is_restore(), 0);
    EXPECT_EQ(ThumbFiles().size(), 1u);
}

TEST_F(CatalogueTest, RestoreAfterRenameAndWithTakenNames) {
    const std::string path = Photo("a.jpg", 64, 48, 1);
    const std::string original = ReadAll(path);
    // A stale backup of another picture of the same name is already there.
    home.Write(home.runDir() + "Origin/a.jpg", "stale");
    view->SetAlbum(99, 0);
    vxImage* item = Item("a.jpg");
    item->MakingOriginal(0);
    EXPECT_EQ(item->m_strOriginalPath, "a(1).jpg");
    EXPECT_EQ(ReadAll(home.runDir() + "Origin/a(1).jpg"), original);
    ASSERT_TRUE(cattest::MakePicture(path, 90, 40, CXIMAGE_FORMAT_JPG, 7));
    view->UpdateCLSID(item);
    Select({"a.jpg"});
    view->SetFilename("renamed");
    ASSERT_EQ(item->m_strFilename, "renamed000.jpg");
    // Another picture now holds the backup's name: it is left alone.
    Photo("a(1).jpg", 10, 10, 9);
    const std::string other = ReadAll(photo + "/a(1).jpg");
    view->Restore();
    EXPECT_EQ(ReadAll(photo + "/a(1).jpg"), other);
    EXPECT_EQ(item->m_strFilename, "a(1)(1).jpg");
    EXPECT_EQ(ReadAll(photo + "/a(1)(1).jpg"), original);
    EXPECT_FALSE(win::FileExists(photo + "/renamed000.jpg"));
    EXPECT_EQ(ReadAll(home.runDir() + "Origin/a.jpg"), "stale");
    EXPECT_EQ(Column("FullPath", "a(1)(1).jpg"), photo + "/a(1)(1).jpg");
    // A backup that has gone missing leaves the item as it is.
    item->MakingOriginal(0);
    std::filesystem::remove(home.runDir() + "Origin/" + item->m_strOriginalPath);
    const std::string key = item->m_strCLSID;
    view->Restore();
    EXPECT_EQ(item->m_strCLSID, key);
    EXPECT_TRUE(win::FileExists(item->m_strFullPath));
}

TEST_F(CatalogueTest, RestoreTakesOnlyABackupNameWithoutFolders) {
    const std::string path = Photo("a.jpg", 64, 48, 1);
    const std::string original = ReadAll(path);
    // A row whose backup name leads out of the backup folder, here onto a file of the program.
    const std::string victim = home.Write(home.runDir() + "victim.png", "not a backup");
    std::filesystem::create_directories(home.runDir() + "Origin");
    view->SetAlbum(99, 0);
    db->InsUpDel(("update tbl_Itemlist set OriginalPath = '../victim.png' where ClsID = '" +
                  catalogue::Quote(Item("a.jpg")->m_strCLSID) + "'")
                     .c_str());
    view->SetAlbum(99, 0);
    vxImage* item = Item("a.jpg");
    ASSERT_EQ(item->m_strOriginalPath, "../victim.png");
    Select({"a.jpg"});
    view->Restore();
    EXPECT_EQ(ReadAll(victim), "not a backup");
    EXPECT_EQ(ReadAll(path), original);
    EXPECT_EQ(item->m_strFullPath, path);
    EXPECT_FALSE(win::FileExists(photo + "/../victim.png"));
}

TEST_F(CatalogueTest, DeletingInTheAllPhotosAlbum) {
    Photo("a.jpg");
    Photo("b.jpg");
    Photo("c.jpg");
    const int album = view->AddAlbum("x");
    view->SetAlbum(99, 0);
    Select({"a.jpg"});
    view->MoveToAlbum(99, album);
    Select({"a.jpg", "b.jpg"});

    // No to the first question, then No to the album question: nothing at all is deleted.
    boxes.Script({IDNO});
    view->OnDeleteThumbItem();
    boxes.Script({IDYES, IDNO});
    view->OnDeleteThumbItem();
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"정말 삭제하시겠습니까?", "정말 삭제하시겠습니까?",
                                        "1 개의 파일이 앨범에 등록되어 있습니다\r\n그래도 지우겠습니까?"}));
    EXPECT_EQ(PhotoFiles().size(), 3u);
    EXPECT_EQ(RowCount(), 3);
    EXPECT_EQ(view->GetThumbCount(), 3);

    boxes.clear();
    boxes.Script({IDYES, IDYES});
    view->OnDeleteThumbItem();
    EXPECT_EQ(PhotoFiles(), (std::vector<std::string>{"c.jpg"}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"c.jpg"}));
    EXPECT_EQ(RowCount(), 1);
    EXPECT_EQ(ThumbFiles().size(), 1u);
    EXPECT_EQ(view->GetCurrentNumber(), 0);
    EXPECT_EQ(view->GetTransImage(), nullptr);

    // Without album membership only the first question is asked.
    boxes.clear();
    Select({"c.jpg"});
    boxes.Script({IDYES});
    view->OnDeleteThumbItem();
    EXPECT_EQ(boxes.texts().size(), 1u);
    EXPECT_TRUE(PhotoFiles().empty());
}

TEST_F(CatalogueTest, DeletingInARealAlbumKeepsFilesAndRows) {
    Photo("a.jpg");
    Photo("b.jpg");
    const int album = view->AddAlbum("x");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    view->SetAlbum(album, 0);
    Select({"a.jpg"});
    boxes.Script({IDYES});
    view->OnDeleteThumbItem();
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg"}));
    EXPECT_EQ(PhotoFiles().size(), 2u);
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "");
    EXPECT_EQ(RowCount(), 2);

    // Deletion by number, without a question, removes the picture too.
    view->SetAlbum(99, 0);
    view->SetCurrent(1);
    view->OnDeleteThumbItem(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg"}));
    EXPECT_EQ(view->GetTransImage(), nullptr);
    EXPECT_EQ(PhotoFiles(), (std::vector<std::string>{"b.jpg"}));
    EXPECT_EQ(RowCount(), 1);
    view->OnDeleteThumbItem(5);
    EXPECT_EQ(view->GetThumbCount(), 1);
}

TEST_F(CatalogueTest, FileNamesWithQuotesHangulAndSpacesSurviveEveryStatement) {
    const std::string name = "it's 우리 집 (1).jpg";
    const std::string source = Outside(name);
    const int album = view->AddAlbum("Tom's 앨범");
    const int keyword = view->AddKeyword("O'Neil 가족");
    view->SetAlbum(99, 0);
    CStringList paths{source};
    view->ImportFile(&paths, 1);
    ASSERT_EQ(Names(), (std::vector<std::string>{name}));
    const std::string key = Item(name)->m_strCLSID;
    EXPECT_EQ(Column("ClsID", name), key);
    Select({name});
    view->MoveToAlbum(99, album);
    view->SetTitle("Tom's \"best\" 사진", 0);
    std::vector<int> ids{keyword};
    int count = 0;
    view->InsertKeyword(&ids, count);
    EXPECT_EQ(count, 1);
    // Found again under the same key by the next loadings.
    view->SetAlbum(album, 0);
    ASSERT_EQ(Names(), (std::vector<std::string>{name}));
    EXPECT_EQ(Item(name)->m_strTitle, "Tom's \"best\" 사진");
    EXPECT_EQ(Item(name)->m_strKeyword, "O'Neil 가족");
    view->SetAlbum(99, 0);
    EXPECT_EQ(Item(name)->m_strCLSID, key);
    EXPECT_EQ(RowCount(), 1);
    Select({name});
    view->SetFilename("Ann's 여행");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ann's 여행000.jpg"}));
    EXPECT_EQ(Column("Title", "Ann's 여행000.jpg"), "Tom's \"best\" 사진");
    view->SetAlbum(album, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ann's 여행000.jpg"}));
    view->SetAlbum(99, 0);
    Select({"Ann's 여행000.jpg"});
    boxes.Script({IDYES, IDYES});
    view->OnDeleteThumbItem();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_TRUE(PhotoFiles().empty());
}

TEST_F(CatalogueTest, CopiesKeepTheSourceTime) {
    // Keys and dates name the picture's own time, whichever copy made the file.
    constexpr long kTime = 1136073600;  // 2006-01-01 00:00:00 UTC
    const std::string a = Outside("a.bmp", 64, 48, 1);
    cattest::SetTime(a, kTime);
    const std::string size = std::to_string(std::filesystem::file_size(a));
    auto mtime = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_mtime) : -1L;
    };

    view->SetAlbum(99, 0);
    CStringList paths{a};
    view->ImportFile(&paths, 1);
    ASSERT_NE(Item("a.bmp"), nullptr);
    EXPECT_EQ(Item("a.bmp")->m_strCLSID, "1136073600?" + size + "?a.bmp");
    EXPECT_EQ(Column("ClsID", "a.bmp"), "1136073600?" + size + "?a.bmp");
    const char* zone = std::getenv("TZ");
    const std::string savedZone = zone ? zone : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    view->SetAttribute(Item("a.bmp"));
    EXPECT_EQ(view->GetAttrDate(), "2006. 1. 1");
    if (zone)
        ::setenv("TZ", savedZone.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();

    Select({"a.bmp"});
    view->AlbumCopy();
    ASSERT_NE(Item("a(1).bmp"), nullptr);
    EXPECT_EQ(Item("a(1).bmp")->m_strCLSID, "1136073600?" + size + "?a(1).bmp");

    const std::string out = home.root() + "/export";
    std::filesystem::create_directories(out);
    Select({"a.bmp"});
    int copied = 0;
    view->ExportFile(out, 0, 0, 0, copied);
    EXPECT_EQ(copied, 1);
    EXPECT_EQ(mtime(out + "/a.bmp"), kTime);

    // The backup keeps the unedited picture's time, and so does the restored picture.
    vxImage* item = Item("a.bmp");
    item->MakingOriginal(0);
    EXPECT_EQ(mtime(home.runDir() + "Origin/a.bmp"), kTime);
    ASSERT_TRUE(cattest::MakePicture(photo + "/a.bmp", 90, 40, CXIMAGE_FORMAT_BMP, 7));
    cattest::SetTime(photo + "/a.bmp", 1300000000);
    view->UpdateCLSID(item);
    EXPECT_EQ(item->m_strCLSID.substr(0, 11), "1300000000?");
    Select({"a.bmp"});
    view->Restore();
    EXPECT_EQ(mtime(photo + "/a.bmp"), kTime);
    EXPECT_EQ(item->m_strCLSID, "1136073600?" + size + "?a.bmp");
    EXPECT_EQ(Column("ClsID", "a.bmp"), item->m_strCLSID);
}
