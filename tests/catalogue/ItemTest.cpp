// vxImage: making, loading and freeing thumbnails, the cache file, reconciliation.
#include <cstring>

#include "imaging/EBAWrapper.h"
#include "tests/catalogue/Fixture.h"
#include "views/catalogue/ThumbFile.h"

using cattest::CatalogueTest;
using testsupport::ReadAll;

namespace {

// The levels the picture library's own nearest-pixel resampling gives for a picture file.
std::vector<std::string> LibraryLevels(const std::string& path, DWORD type) {
    extImage picture(path.c_str(), type);
    if (picture.GetBpp() < 24) picture.IncreaseBpp(24);
    std::vector<std::string> levels;
    for (int level = 0; level < 3; ++level) {
        int w = 0, h = 0;
        thumbfile::LevelSize(level, static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()), w, h);
        extImage scaled;
        picture.Resample(w, h, 0, &scaled);
        levels.emplace_back(reinterpret_cast<const char*>(scaled.GetBits(0)),
                            scaled.GetEffWidth() * scaled.GetHeight());
    }
    return levels;
}

std::string ImageBytes(extImage* image) {
    return std::string(reinterpret_cast<const char*>(image->GetBits(0)), image->GetEffWidth() * image->GetHeight());
}

}  // namespace

TEST_F(CatalogueTest, ThumbnailsOfALosslessPictureMatchTheLibrary) {
    const std::string path = Photo("a.png", 640, 480, 3);
    vxImage item(view.get(), catalogue::KeyFromFile(path, "a.png"), "a.png", path);
    item.m_strThumbPath = catalogue::ThumbPathFromKey(thumbs, item.m_strCLSID);
    std::filesystem::create_directories(thumbs);
    ASSERT_TRUE(item.MakingThumb());
    EXPECT_EQ(item.m_strDimension, "640 x 480");
    const std::string cache = ReadAll(item.m_strThumbPath);
    ASSERT_EQ(cache.size(), 42u + 300 * 75 + 900 * 225 + 1500 * 375);
    const std::vector<std::string> expected = LibraryLevels(path, CXIMAGE_FORMAT_PNG);
    EXPECT_EQ(cache.substr(12, 300 * 75), expected[0]);
    EXPECT_EQ(cache.substr(24 + 300 * 75, 900 * 225), expected[1]);
    EXPECT_EQ(cache.substr(36 + 300 * 75 + 900 * 225, 1500 * 375), expected[2]);
    // Level 0 stays in memory, the others do not.
    ASSERT_NE(item.GetLevelImage(0), nullptr);
    EXPECT_EQ(item.GetLevelImage(0)->GetWidth(), 100u);
    EXPECT_EQ(ImageBytes(item.GetLevelImage(0)), expected[0]);
    EXPECT_EQ(item.GetLevelImage(1), nullptr);
    EXPECT_EQ(item.GetLevelImage(2), nullptr);

    // Levels are read back record by record and freed again.
    ASSERT_TRUE(item.load_thumb_num(2));
    EXPECT_EQ(item.GetLevelImage(2)->GetWidth(), 500u);
    EXPECT_EQ(item.GetLevelImage(2)->GetHeight(), 375u);
    EXPECT_EQ(ImageBytes(item.GetLevelImage(2)), expected[2]);
    item.unload_thumb_num(2);
    EXPECT_EQ(item.GetLevelImage(2), nullptr);
    item.ReleaseAll();
    EXPECT_EQ(item.GetLevelImage(0), nullptr);
    ASSERT_TRUE(item.LoadingThumb());
    EXPECT_EQ(ImageBytes(item.GetLevelImage(0)), expected[0]);
    EXPECT_EQ(item.GetLevelImage(5), nullptr);
    EXPECT_FALSE(item.load_thumb_num(3));
}

TEST_F(CatalogueTest, SmallAndTallPicturesAreEnlargedToTheBoxes) {
    const std::string path = Photo("tall.bmp", 50, 80);
    vxImage item(view.get(), catalogue::KeyFromFile(path, "tall.bmp"), "tall.bmp", path);
    item.m_strThumbPath = thumbs + "/t.thm";
    std::filesystem::create_directories(thumbs);
    ASSERT_TRUE(item.MakingThumb());
    for (int level = 0; level < 3; ++level) {
        thumbfile::Level out;
        ASSERT_TRUE(thumbfile::ReadLevel(item.m_strThumbPath, level, out));
        const int expected[3][2] = {{62, 100}, {187, 300}, {312, 500}};
        EXPECT_EQ(out.width, expected[level][0]);
        EXPECT_EQ(out.height, expected[level][1]);
    }
    EXPECT_EQ(item.m_strDimension, "50 x 80");
}

TEST_F(CatalogueTest, LargeJpegKeepsExactLevelSizes) {
    // 1999 x 1333: the reduced decode must still cover the 500-pixel level.
    const std::string path = Photo("big.jpg", 1999, 1333, 5);
    vxImage item(view.get(), catalogue::KeyFromFile(path, "big.jpg"), "big.jpg", path);
    item.m_strThumbPath = thumbs + "/big.thm";
    std::filesystem::create_directories(thumbs);
    ASSERT_TRUE(item.MakingThumb());
    EXPECT_EQ(item.m_strDimension, "1999 x 1333");
    EXPECT_EQ(thumbfile::Check(item.m_strThumbPath), thumbfile::Status::Valid);
    const int expected[3][2] = {{100, 66}, {300, 200}, {500, 333}};
    const std::vector<std::string> library = LibraryLevels(path, CXIMAGE_FORMAT_JPG);
    for (int level = 0; level < 3; ++level) {
        thumbfile::Level out;
        ASSERT_TRUE(thumbfile::ReadLevel(item.m_strThumbPath, level, out));
        EXPECT_EQ(out.width, expected[level][0]);
        EXPECT_EQ(out.height, expected[level][1]);
        // The reduced decode shows the same picture: every byte close to the full decode's.
        ASSERT_EQ(out.bits.size(), library[level].size());
        long worst = 0;
        for (std::size_t i = 0; i < out.bits.size(); ++i) {
            worst = std::max<long>(
                worst, std::labs(static_cast<long>(out.bits[i]) - static_cast<unsigned char>(library[level][i])));
        }
        EXPECT_LE(worst, 24) << "level " << level;
    }
}

TEST_F(CatalogueTest, PalettePicturesBelow24Bits) {
    std::filesystem::create_directories(thumbs);
    // A BMP is rewritten at 24 bits, and its key follows the new file.
    const std::string bmp = photo + "/p8.bmp";
    ASSERT_TRUE(cattest::MakePalettePicture(bmp, 33, 21, CXIMAGE_FORMAT_BMP));
    cattest::SetTime(bmp, 1136073600);
    const std::string oldKey = catalogue::KeyFromFile(bmp, "p8.bmp");
    vxImage item(view.get(), oldKey, "p8.bmp", bmp);
    item.m_strThumbPath = catalogue::ThumbPathFromKey(thumbs, oldKey);
    ASSERT_TRUE(item.MakingThumb());
    EXPECT_EQ(extImage(bmp.c_str(), CXIMAGE_FORMAT_BMP).GetBpp(), 24);
    EXPECT_NE(item.m_strCLSID, oldKey);
    EXPECT_EQ(item.m_strCLSID, catalogue::KeyFromFile(bmp, "p8.bmp"));
    EXPECT_EQ(item.m_strThumbPath, catalogue::ThumbPathFromKey(thumbs, item.m_strCLSID));
    EXPECT_TRUE(win::FileExists(item.m_strThumbPath));
    // No temporary file is left beside it.
    EXPECT_EQ(PhotoFiles(), (std::vector<std::string>{"p8.bmp"}));

    // A GIF cannot hold 24 bits and a grey JPEG would lose quality: both stay as they are.
    const std::string gif = photo + "/p8.gif";
    ASSERT_TRUE(cattest::MakePalettePicture(gif, 33, 21, CXIMAGE_FORMAT_GIF));
    const std::string gifBytes = ReadAll(gif);
    const std::string gifKey = catalogue::KeyFromFile(gif, "p8.gif");
    vxImage gifItem(view.get(), gifKey, "p8.gif", gif);
    gifItem.m_strThumbPath = catalogue::ThumbPathFromKey(thumbs, gifKey);
    ASSERT_TRUE(gifItem.MakingThumb());
    EXPECT_EQ(ReadAll(gif), gifBytes);
    EXPECT_EQ(gifItem.m_strCLSID, gifKey);

    extImage grey;
    grey.Create(40, 30, 8, CXIMAGE_FORMAT_JPG);
    grey.SetGrayPalette();
    for (int y = 0; y < 30; ++y) std::memset(grey.GetBits(static_cast<DWORD>(y)), y * 8, 40);
    const std::string jpg = photo + "/grey.jpg";
    ASSERT_TRUE(grey.Save(jpg.c_str(), CXIMAGE_FORMAT_JPG));
    const std::string jpgBytes = ReadAll(jpg);
    vxImage jpgItem(view.get(), catalogue::KeyFromFile(jpg, "grey.jpg"), "grey.jpg", jpg);
    jpgItem.m_strThumbPath = thumbs + "/grey.thm";
    ASSERT_TRUE(jpgItem.MakingThumb());
    EXPECT_EQ(ReadAll(jpg), jpgBytes);
    thumbfile::Level level0;
    ASSERT_TRUE(thumbfile::ReadLevel(jpgItem.m_strThumbPath, 0, level0));
    EXPECT_EQ(level0.width, 100);
    EXPECT_EQ(level0.height, 75);
}

TEST_F(CatalogueTest, UndecodablePictureIsDroppedWithTheMessage) {
    Photo("good.png");
    home.Write(photo + "/bad.jpg", "this is no picture");
    view->SetAlbum(99, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"good.png"}));
    EXPECT_EQ(view->GetThumbCount(), 1);
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts()[0], "bad.jpg 유효하지 않은 포맷입니다.");
    // It leaves the photo folder but is kept aside, not destroyed.
    EXPECT_FALSE(win::FileExists(photo + "/bad.jpg"));
    EXPECT_EQ(ReadAll(home.runDir() + "Invalid/bad.jpg"), "this is no picture");
    // Its row goes at the next loading.
    view->SetAlbum(99, 0);
    EXPECT_EQ(RowCount(), 1);
}

TEST_F(CatalogueTest, BrokenCachesAreRebuiltAtTheNextLoading) {
    Photo("a.png", 640, 480);
    Photo("b.png", 640, 480, 1);
    view->SetAlbum(99, 0);
    const std::string cacheA = Item("a.png")->m_strThumbPath;
    const std::string cacheB = Item("b.png")->m_strThumbPath;
    const std::string goodA = ReadAll(cacheA);
    const std::string goodB = ReadAll(cacheB);
    // One cut short by a byte, one with its marker intact but a record that does not add up.
    home.Write(cacheA, goodA.substr(0, goodA.size() - 1));
    std::string inconsistent = goodB;
    inconsistent[8] = static_cast<char>(inconsistent[8] + 1);
    home.Write(cacheB, inconsistent);
    view->SetAlbum(99, 0);
    EXPECT_EQ(ReadAll(cacheA), goodA);
    EXPECT_EQ(ReadAll(cacheB), goodB);
    EXPECT_NE(Item("a.png")->GetLevelImage(0), nullptr);
    EXPECT_NE(Item("b.png")->GetLevelImage(0), nullptr);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(CatalogueTest, ExistingCachesAreLoadedNotRemade) {
    Photo("a.png", 640, 480);
    view->SetAlbum(99, 0);
    const std::string cache = Item("a.png")->m_strThumbPath;
    // A sound cache with different pixels proves that it is read rather than rebuilt.
    std::string marked = ReadAll(cache);
    marked[12] = 'Q';
    home.Write(cache, marked);
    view->SetAlbum(99, 0);
    EXPECT_EQ(ReadAll(cache), marked);
    EXPECT_EQ(Item("a.png")->GetLevelImage(0)->GetBits(0)[0], 'Q');
}

TEST_F(CatalogueTest, AllPhotosLoadingReconcilesTheFolder) {
    Photo("a.jpg");
    Photo("b.png");
    Photo("c.bmp");
    Photo("d.gif");
    home.Write(photo + "/notes.txt", "x");
    std::filesystem::create_directories(photo + "/sub.jpg");
    view->SetAlbum(99, 1);
    // Every accepted file, in folder order; the all-photos album is not sorted.
    EXPECT_EQ(Names(), (std::vector<std::string>{"a.jpg", "b.png", "c.bmp", "d.gif"}));
    EXPECT_EQ(RowCount(), 4);
    // Start-up messages: begin with the count, a step per item, end.
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(window.Only(WM_PROGRESS_BEGIN), (std::vector<std::pair<UINT, WPARAM>>{{WM_PROGRESS_BEGIN, 4}}));
    std::vector<std::pair<UINT, WPARAM>> steps = window.Only(WM_PROGRESS_POS);
    ASSERT_EQ(steps.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(steps[i].second, i + 1);
    EXPECT_EQ(window.Only(WM_PROGRESS_END).size(), 1u);
    // The first item is selected and current.
    EXPECT_EQ(view->GetCurrentNumber(), 1);
    EXPECT_EQ(view->GetTransImage(), Item("a.jpg"));
    // Every item has its cache; orphans in the cache folder are swept at start-up.
    EXPECT_EQ(ThumbFiles().size(), 4u);
    home.Write(thumbs + "/orphan.thm", "x");
    view->SetAlbum(99, 0);
    EXPECT_EQ(ThumbFiles().size(), 5u);
    view->SetAlbum(99, 1);
    EXPECT_EQ(ThumbFiles().size(), 4u);
}

TEST_F(CatalogueTest, FileDeletedOutsideLeavesWithItsRow) {
    Photo("a.jpg");
    Photo("b.jpg");
    const int album = view->AddAlbum("a");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    std::filesystem::remove(photo + "/a.jpg");
    view->SetAlbum(album, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.jpg"}));
    EXPECT_EQ(Column("ClsID", "a.jpg"), "<no row>");
    EXPECT_EQ(RowCount(), 1);
}

TEST_F(CatalogueTest, FileRewrittenOutsideAlbumFirstKeepsItsRow) {
    const std::string path = Photo("a.jpg");
    const int album = view->AddAlbum("a");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    view->SetTitle("sunset", 0);
    ASSERT_TRUE(cattest::MakePicture(path, 80, 60, CXIMAGE_FORMAT_JPG, 9));
    cattest::SetTime(path, 1500000000);
    view->SetAlbum(album, 0);
    ASSERT_EQ(Names(), (std::vector<std::string>{"a.jpg"}));
    const std::string key = catalogue::KeyFromFile(path, "a.jpg");
    EXPECT_EQ(Item("a.jpg")->m_strCLSID, key);
    EXPECT_EQ(Column("ClsID", "a.jpg"), key);
    EXPECT_EQ(Column("Title", "a.jpg"), "sunset");
    EXPECT_EQ(Item("a.jpg")->m_strTitle, "sunset");
    EXPECT_EQ(Item("a.jpg")->m_strDimension, "80 x 60");
}

TEST_F(CatalogueTest, FileRewrittenOutsideAllPhotosFirstStartsAfresh) {
    const std::string path = Photo("a.jpg");
    const int album = view->AddAlbum("a");
    const int keyword = view->AddKeyword("k");
    view->SetAlbum(99, 0);
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    view->SetTitle("sunset", 0);
    std::vector<int> ids{keyword};
    int count = 0;
    view->InsertKeyword(&ids, count);
    ASSERT_TRUE(cattest::MakePicture(path, 80, 60, CXIMAGE_FORMAT_JPG, 9));
    cattest::SetTime(path, 1500000000);
    view->SetAlbum(99, 0);
    EXPECT_EQ(RowCount(), 1);
    EXPECT_EQ(Column("ClsID", "a.jpg"), catalogue::KeyFromFile(path, "a.jpg"));
    EXPECT_EQ(Column("AlbumID", "a.jpg"), "");
    EXPECT_EQ(Column("Title", "a.jpg"), "");
    EXPECT_EQ(Column("KeywordID", "a.jpg"), "");
    view->SetAlbum(album, 0);
    EXPECT_EQ(view->GetThumbCount(), 0);
}

TEST_F(CatalogueTest, KeyChangeOfAPaletteBmpReachesItsRow) {
    // An 8-bit BMP dropped into the photo folder and put into an album: its rewrite at 24 bits
    // must not cost it the album at the next all-photos loading.
    const std::string bmp = photo + "/p8.bmp";
    ASSERT_TRUE(cattest::MakePalettePicture(bmp, 33, 21, CXIMAGE_FORMAT_BMP));
    cattest::SetTime(bmp, 1136073600);
    const int album = view->AddAlbum("a");
    view->SetAlbum(99, 0);
    EXPECT_EQ(Column("ClsID", "p8.bmp"), Item("p8.bmp")->m_strCLSID);
    view->set_select_all(1);
    view->MoveToAlbum(99, album);
    view->SetAlbum(99, 0);
    EXPECT_EQ(Column("AlbumID", "p8.bmp"), "?" + std::to_string(album));
    EXPECT_EQ(RowCount(), 1);
}

TEST_F(CatalogueTest, AttributesOfTheCurrentItem) {
    const std::string path = Photo("a.png", 640, 480);
    cattest::SetTime(path, 1136073600 + 12 * 3600);
    view->SetAlbum(99, 0);
    vxImage* item = Item("a.png");
    item->m_strTitle = "title";
    view->SetAttribute(nullptr);
    window.messages.clear();
    view->SetAttribute(item);
    EXPECT_EQ(view->GetAttrLabel(), "a.png");
    EXPECT_EQ(view->GetAttrDate(), "2006. 1. 1");
    EXPECT_EQ(view->GetAttrSize(), CGandry::GetKBFromStr(static_cast<int>(std::filesystem::file_size(path))));
    EXPECT_EQ(view->GetAttrDimension(), "640 x 480");
    EXPECT_EQ(view->GetSelectedInfoString(), "a.png / 2006. 1. 1");
    EXPECT_EQ(window.Only(WM_THUMB_REPAINT).size(), 1u);
    // The same key again does nothing until SetCLSID forgets it.
    view->SetShowMode(SHOW_MODE_1);
    view->SetAttribute(item);
    EXPECT_EQ(view->GetAttrLabel(), "a.png");
    EXPECT_EQ(window.Only(WM_THUMB_REPAINT).size(), 1u);
    view->SetCLSID("");
    view->SetAttribute(item);
    EXPECT_EQ(view->GetAttrLabel(), "title");
    view->SetAttribute(nullptr);
    EXPECT_EQ(view->GetAttrLabel(), "");
    EXPECT_EQ(view->GetAttrDimension(), "");
    EXPECT_EQ(window.Only(WM_THUMB_REPAINT).size(), 3u);
    // Dimensions of an item whose thumbnail was loaded from the cache come from the file.
    item->m_strDimension.clear();
    view->SetCLSID("");
    view->SetAttribute(item);
    EXPECT_EQ(view->GetAttrDimension(), "640 x 480");
}

TEST_F(CatalogueTest, PhoneFilesBecomeItemsWhenTheirHeaderIsSound) {
    extImage still;
    ASSERT_TRUE(still.Create(40, 30, 24, 0));
    for (int y = 0; y < 30; ++y) std::memset(still.GetBits(static_cast<DWORD>(y)), y * 8, 40 * 3);
    std::filesystem::create_directories(photo);
    ASSERT_TRUE(still.SavePHT((photo + "/still.pht").c_str()));
    ASSERT_TRUE(still.SavePHT((photo + "/still.img").c_str()));
    CEBAWrapper animation;
    animation.SetPicture(0, &still);
    animation.SetPicture(1, &still);
    ASSERT_TRUE(animation.SaveEBA((photo + "/moving.eba").c_str(), CSize(0, 0)));
    // A PHT shorter than its header announces, and an EBA with a frame count of 0.
    const std::string pht = ReadAll(photo + "/still.pht");
    home.Write(photo + "/cut.pht", pht.substr(0, pht.size() - 2));
    std::string eba = ReadAll(photo + "/moving.eba");
    std::string emptied = eba;
    ASSERT_EQ(emptied[48], 2);  // the frame count follows the 48-byte picture header
    emptied[48] = 0;
    home.Write(photo + "/zero.eba", emptied);
    view->SetAlbum(99, 1);
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"moving.eba", "still.img", "still.pht"}));
    // Skipped without a message, and left where they are.
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_TRUE(win::FileExists(photo + "/cut.pht"));
    EXPECT_EQ(Item("still.pht")->m_strDimension, "40 x 30");
    ASSERT_NE(Item("moving.eba")->GetLevelImage(0), nullptr);
    EXPECT_EQ(Item("moving.eba")->GetLevelImage(0)->GetWidth(), 100u);
}

TEST_F(CatalogueTest, AMissingOrEmptiedPhotoFolderKeepsTheRows) {
    Photo("a.png");
    Photo("b.png", 64, 48, 1);
    view->SetAlbum(99, 1);
    view->set_select_all(1);
    view->SetTitle("kept", 0);
    ASSERT_EQ(RowCount(), 2);
    // The documents folder is on a drive that is not there: the folder is gone.
    const std::string away = home.root() + "/away";
    std::filesystem::rename(photo, away);
    view->SetAlbum(99, 1);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(RowCount(), 2);
    // An empty folder (a mount point without its drive) is no different.
    view->SetAlbum(99, 1);
    EXPECT_EQ(RowCount(), 2);
    // The pictures come back with their titles.
    std::filesystem::remove(photo);
    std::filesystem::rename(away, photo);
    view->SetAlbum(99, 1);
    ASSERT_EQ(Names().size(), 2u);
    EXPECT_EQ(Item("a.png")->m_strTitle, "kept");
    EXPECT_EQ(Item("b.png")->m_strTitle, "kept");
    // One picture deleted outside while the other is still there: its row goes, as before.
    std::filesystem::remove(photo + "/a.png");
    view->SetAlbum(99, 1);
    EXPECT_EQ(RowCount(), 1);
}

TEST_F(CatalogueTest, AMissingOrEmptiedPhotoFolderKeepsTheAlbumRows) {
    Photo("a.png");
    Photo("b.png", 64, 48, 1);
    view->SetAlbum(99, 1);
    const int album = view->AddAlbum("trip");
    view->set_select_all(1);
    view->SetTitle("kept", 0);
    view->MoveToAlbum(99, album);
    std::vector<int> ids{view->AddKeyword("sea")};
    int count = 0;
    view->InsertKeyword(&ids, count);
    ASSERT_EQ(count, 2);
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    const std::string away = home.root() + "/away";
    std::filesystem::rename(photo, away);
    // Opening the album, or searching it by keyword, with the folder gone takes no row away.
    view->SetAlbum(album, 0);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(Rows(), rows);
    int total = 0;
    view->loading_album(&ids, total);
    EXPECT_EQ(total, 2);
    EXPECT_EQ(Rows(), rows);
    // Nor does an empty folder in its place.
    std::filesystem::create_directories(photo);
    view->SetAlbum(album, 0);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(Rows(), rows);
    // The pictures come back in their album with their titles.
    std::filesystem::remove(photo);
    std::filesystem::rename(away, photo);
    view->SetAlbum(album, 0);
    ASSERT_EQ(Names(), (std::vector<std::string>{"a.png", "b.png"}));
    EXPECT_EQ(Item("b.png")->m_strTitle, "kept");
    EXPECT_EQ(Rows(), rows);
    // One picture deleted outside while the other is still there: its row goes, as before.
    std::filesystem::remove(photo + "/a.png");
    view->SetAlbum(album, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b.png"}));
    EXPECT_EQ(RowCount(), 1);
}
