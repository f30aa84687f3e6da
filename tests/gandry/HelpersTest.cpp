#include <gtest/gtest.h>

#include <filesystem>

#include "common/Gandry.h"
#include "platform/win/codepage.h"
#include "platform/win/fileapi.h"
#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"

using testsupport::TempHome;

TEST(Folders, RunDirComesFromVimbroHomeOrTheProgram) {
    {
        TempHome t;
        EXPECT_EQ(CGandry::GetRunDir(), t.runDir());
        ::setenv("VIMBRO_HOME", "/some/where", 1);
        EXPECT_EQ(CGandry::GetRunDir(), "/some/where/");
    }
    ::unsetenv("VIMBRO_HOME");
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(CGandry::GetRunDir(), self.substr(0, self.rfind('/') + 1));
}

TEST(Folders, DocumentPathFromXdgUserDirs) {
    TempHome t;
    EXPECT_EQ(CGandry::GetDocumentPath(), t.home() + "/Documents");
    t.Write(t.config() + "/user-dirs.dirs",
            "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/문서/\"\n");
    EXPECT_EQ(CGandry::GetDocumentPath(), t.home() + "/문서");
    t.Write(t.config() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
    EXPECT_EQ(CGandry::GetDocumentPath(), "/srv/docs");
    // "$HOME/" means the folder is switched off; a relative value is not a folder.
    t.Write(t.config() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n");
    EXPECT_EQ(CGandry::GetDocumentPath(), t.home() + "/Documents");
    t.Write(t.config() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"docs\"\n");
    EXPECT_EQ(CGandry::GetDocumentPath(), t.home() + "/Documents");
}

TEST(Names, ExtensionFilenameAndType) {
    EXPECT_EQ(CGandry::FindExtension("archive.tar.gz"), "gz");
    EXPECT_EQ(CGandry::FindExtension("README"), "");
    EXPECT_EQ(CGandry::FindExtension("photo.JPG"), "JPG");
    EXPECT_EQ(CGandry::FindFilename("/home/u/ZEL/Photo/사진.jpg", 1), "사진.jpg");
    EXPECT_EQ(CGandry::FindFilename("사진.jpg", 1), "사진.jpg");
    EXPECT_EQ(CGandry::FindFilename("/a/b.c/d.jpg", 0), "/a/b.c/d");
    EXPECT_EQ(CGandry::FindFilename("a.b.png", 0), "a.b");
    EXPECT_EQ(CGandry::FindType("bmp"), 1);
    EXPECT_EQ(CGandry::FindType("gif"), 2);
    EXPECT_EQ(CGandry::FindType("jpg"), 3);
    EXPECT_EQ(CGandry::FindType("jpeg"), 3);
    EXPECT_EQ(CGandry::FindType("png"), 4);
    EXPECT_EQ(CGandry::FindType("ico"), 5);
    EXPECT_EQ(CGandry::FindType("tif"), 6);
    EXPECT_EQ(CGandry::FindType("tiff"), 6);
    EXPECT_EQ(CGandry::FindType("tga"), 7);
    EXPECT_EQ(CGandry::FindType("pcx"), 8);
    EXPECT_EQ(CGandry::FindType("wbmp"), 9);
    EXPECT_EQ(CGandry::FindType("wmf"), 10);
    EXPECT_EQ(CGandry::FindType("emf"), 10);
    EXPECT_EQ(CGandry::FindType("pht"), 20);
    EXPECT_EQ(CGandry::FindType("img"), 20);
    EXPECT_EQ(CGandry::FindType("eba"), 21);
    EXPECT_EQ(CGandry::FindType("JPG"), 0);  // callers lower the extension first
    EXPECT_EQ(CGandry::FindType(""), 0);
}

TEST(Names, SpecialCharacters) {
    for (const char* bad : {"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
        EXPECT_EQ(CGandry::CheckFileSpecialChar(bad), 1) << bad;
    }
    EXPECT_EQ(CGandry::CheckFileSpecialChar("사진 (1).jpg"), 0);
    EXPECT_EQ(CGandry::CheckFileSpecialChar(""), 0);
}

TEST(Names, UniqueNamesContinueTheCounter) {
    TempHome t;
    std::string folder = t.root() + "/p/";
    std::filesystem::create_directories(folder);
    t.Write(folder + "img000.jpg", "");
    t.Write(folder + "img002.jpg", "");
    int counter = 0;
    EXPECT_EQ(CGandry::GetUniqueName(folder, "img", "jpg", counter), "img001.jpg");
    EXPECT_EQ(counter, 2);
    EXPECT_EQ(CGandry::GetUniqueName(folder, "img", "jpg", counter), "img003.jpg");
    EXPECT_EQ(counter, 4);
    counter = 1000;
    EXPECT_EQ(CGandry::GetUniqueName(folder, "img", "jpg", counter), "img1000.jpg");
    EXPECT_EQ(CGandry::IsExistFileName(folder, "img", "jpg"), 0);
    EXPECT_EQ(CGandry::IsExistFileName(folder, "img000", "jpg"), 1);
}

TEST(Names, NextFileName) {
    TempHome t;
    std::string folder = t.root() + "/p";
    t.Write(folder + "/a.jpg", "");
    EXPECT_EQ(CGandry::GetNextFileName(folder + "/a.jpg"), folder + "/a(1).jpg");
    t.Write(folder + "/a(1).jpg", "");
    EXPECT_EQ(CGandry::GetNextFileName(folder + "/a.jpg"), folder + "/a(2).jpg");
    // A name without extension uses the whole name as base and gets no trailing dot.
    EXPECT_EQ(CGandry::GetNextFileName(folder + "/README"), folder + "/README(1)");
    EXPECT_EQ(CGandry::GetNextFileName(folder + "/x.tar.gz"), folder + "/x.tar(1).gz");
}

TEST(Folders, CreateParentPathMakesTheRequestedLevels) {
    TempHome t;
    std::string deep = t.root() + "/a/b/c";
    CGandry::CreateParentPath(deep, 2);
    EXPECT_TRUE(win::DirectoryExists(deep));
    CGandry::CreateParentPath(deep, 0);  // existing folders are fine
    EXPECT_TRUE(win::DirectoryExists(deep));
    CGandry::CreateParentPath(t.root() + "/x/y", 0);  // the parent is missing and not asked for
    EXPECT_FALSE(win::DirectoryExists(t.root() + "/x/y"));
}

TEST(Space, FiveHundredMillionBytesAreEnough) {
    EXPECT_EQ(CGandry::IsEmptySpaceFor(500000000ull), 0);
    EXPECT_EQ(CGandry::IsEmptySpaceFor(499999999ull), 1);
    EXPECT_EQ(CGandry::IsEmptySpaceFor(0), 1);
    TempHome t;
    const bool plenty = win::GetDiskFreeBytes(t.runDir()) > 499999999ull;
    EXPECT_EQ(CGandry::IsEmptySpace(), plenty ? 0 : 1);
}

TEST(Texts, KilobyteTexts) {
    EXPECT_EQ(CGandry::GetKBFromStr(0), "0 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1), "1 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1023), "1 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1024), "1 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1025), "2 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1536), "2 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1024000), "1,000 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(1500000), "1,465 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(2000000000), "1,953,125 KB");
    EXPECT_EQ(CGandry::GetKBFromStr(2147483647), "2,097,152 KB");
}

TEST(Texts, QuotesAreDoubled) {
    CString text = "it's 'quoted' 사진";
    EXPECT_EQ(CGandry::GetFixedQoute(text), "it''s ''quoted'' 사진");
    CString none = "plain";
    EXPECT_EQ(CGandry::GetFixedQoute(none), "plain");
    CString only = "''";
    EXPECT_EQ(CGandry::GetFixedQoute(only), "''''");
}

TEST(Texts, IdLists) {
    EXPECT_EQ(CGandry::get_id_count_fromstr(""), 0);
    EXPECT_EQ(CGandry::get_id_count_fromstr("?3?17"), 2);
    EXPECT_EQ(CGandry::get_id_count_fromstr("5?3"), 1);  // text before the first "?" is no identifier
    EXPECT_EQ(CGandry::get_new_stringid_except(3, "?3?17"), "?17");
    EXPECT_EQ(CGandry::get_new_stringid_except(17, "?3?17"), "?3");
    EXPECT_EQ(CGandry::get_new_stringid_except(4, "?3?17"), "?3?17");
    EXPECT_EQ(CGandry::get_new_stringid_except(3, "?3"), "");
    // Only one occurrence goes.
    EXPECT_EQ(CGandry::get_id_count_fromstr(CGandry::get_new_stringid_except(2, "?2?5?2")), 2);
}

TEST(Texts, HangulCountOnCp949Bytes) {
    int count = -1;
    const unsigned char pair[] = {0xB0, 0xA1};
    CGandry::GetHanguleCount(pair, 2, count);
    EXPECT_EQ(count, 1);
    const unsigned char mixed[] = {0xB0, 0x41};
    CGandry::GetHanguleCount(mixed, 2, count);
    EXPECT_EQ(count, 0);
    const unsigned char last[] = {'a', 0xB0};
    CGandry::GetHanguleCount(last, 2, count);
    EXPECT_EQ(count, 0);
    std::string cp = win::Utf8ToCp949("키워드 abc 한글");
    CGandry::GetHanguleCount(reinterpret_cast<const unsigned char*>(cp.data()), static_cast<int>(cp.size()), count);
    EXPECT_EQ(count, 5);
    // The length bounds the walk.
    CGandry::GetHanguleCount(reinterpret_cast<const unsigned char*>(cp.data()), 3, count);
    EXPECT_EQ(count, 1);
}

TEST(Geometry, ThumbSizes) {
    int out[2];
    int sq[2] = {100, 100}, box300[2] = {300, 300};
    CGandry::CalcThumbSize(sq, box300, out);
    EXPECT_EQ(out[0], 300);
    EXPECT_EQ(out[1], 300);
    int thin[2] = {1, 1000}, box100[2] = {100, 100};
    CGandry::CalcThumbSize(thin, box100, out);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 100);
    int land[2] = {4000, 3000}, box500[2] = {500, 500};
    CGandry::CalcThumbSize(land, box500, out);
    EXPECT_EQ(out[0], 500);
    EXPECT_EQ(out[1], 375);
    int port[2] = {3000, 4000};
    CGandry::CalcThumbSize(port, box100, out);
    EXPECT_EQ(out[0], 75);
    EXPECT_EQ(out[1], 100);
    int exact[2] = {100, 40};
    CGandry::CalcThumbSize(exact, box100, out);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], 40);
    int flat[2] = {1000, 1};
    CGandry::CalcThumbSize(flat, box100, out);
    EXPECT_EQ(out[1], 1);
}

TEST(Geometry, DesiredSizes) {
    CSize box(240, 320), size(640, 480);
    EXPECT_EQ(CGandry::CalcDesired(box, size), CSize(240, 180));
    size = CSize(480, 640);
    EXPECT_EQ(CGandry::CalcDesired(box, size), CSize(240, 320));
    size = CSize(300, 1000);
    EXPECT_EQ(CGandry::CalcDesired(box, size), CSize(96, 320));
    size = CSize(0, 10);
    EXPECT_EQ(CGandry::CalcDesired(box, size), CSize(0, 0));
}

TEST(Versions, OurFilesCarryAVersionBlock) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string bin = testsupport::BinDir();
    VS_FIXEDFILEINFO info{};
    ASSERT_EQ(CGandry::GetFileVersion((bin + "libGandry.so").c_str(), &info), 1);
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(HIWORD(info.dwFileVersionMS), VIMBRO_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(info.dwFileVersionMS), VIMBRO_VERSION_MINOR);
    EXPECT_EQ(HIWORD(info.dwFileVersionLS), VIMBRO_VERSION_PATCH);
    EXPECT_EQ(info.dwFileType, 2u);
    ASSERT_EQ(CGandry::GetFileVersion((bin + "Vimbro").c_str(), &info), 1);
    EXPECT_EQ(info.dwFileType, 1u);
    // A file without a block, and no file at all.
    EXPECT_EQ(CGandry::GetFileVersion(self.c_str(), &info), 0);
    EXPECT_EQ(CGandry::GetFileVersion((bin + "missing").c_str(), &info), 0);
}

TEST(Versions, AMarkerWithoutAValidBlockIsIgnored) {
    TempHome t;
    std::string fake = std::string("VIMBRO-") + "VERSION" + std::string(2, '\0') + "short";
    std::string path = t.Write(t.root() + "/fake.bin", fake);
    VS_FIXEDFILEINFO info{};
    EXPECT_EQ(CGandry::GetFileVersion(path.c_str(), &info), 0);
}
