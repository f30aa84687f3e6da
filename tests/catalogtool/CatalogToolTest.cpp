// vimbro-tool catalog end to end, on real JPEG, PNG, BMP and GIF files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "imaging/extImage.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "tests/support/TempHome.h"
#include "tests/support/ToolRunner.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

using testsupport::ReadAll;
using testsupport::TempHome;

namespace {

using Result = testsupport::CommandResult;
using testsupport::ShellQuote;

Result Cat(const std::string& args, const TempHome& home) {
    return testsupport::RunTool("catalog " + args, home.root() + "/stderr.txt");
}

bool Make(const std::string& path, int w, int h, DWORD type, int bpp, int seed) {
    extImage image;
    if (!image.Create(static_cast<DWORD>(w), static_cast<DWORD>(h), static_cast<DWORD>(bpp), type)) return false;
    if (bpp == 8) image.SetGrayPalette();
    for (int y = 0; y < h; ++y) {
        BYTE* row = image.GetBits(static_cast<DWORD>(y));
        for (int x = 0; x < w * bpp / 8; ++x) row[x] = static_cast<BYTE>(x * 3 + y * 5 + seed * 40);
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return image.Save(path.c_str(), type);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Column c of each line (tab-separated).
std::vector<std::string> Field(const std::string& text, int c) {
    std::vector<std::string> values;
    for (const std::string& line : Lines(text)) {
        std::size_t start = 0;
        for (int i = 0; i < c; ++i) start = line.find('\t', start) + 1;
        values.push_back(line.substr(start, line.find('\t', start) - start));
    }
    return values;
}

class CatalogTool : public ::testing::Test {
protected:
    CatalogTool() {
        camera = home.root() + "/camera";
        EXPECT_TRUE(Make(camera + "/beach.jpg", 640, 480, CXIMAGE_FORMAT_JPG, 24, 1));
        EXPECT_TRUE(Make(camera + "/dog.png", 300, 500, CXIMAGE_FORMAT_PNG, 24, 2));
        EXPECT_TRUE(Make(camera + "/old map.bmp", 120, 90, CXIMAGE_FORMAT_BMP, 8, 3));
        EXPECT_TRUE(Make(camera + "/짤.gif", 64, 64, CXIMAGE_FORMAT_GIF, 8, 4));
        photo = catalogue::PhotoFolder();
    }
    std::string Files() {
        return ShellQuote(camera + "/beach.jpg") + " " + ShellQuote(camera + "/dog.png") + " " +
               ShellQuote(camera + "/old map.bmp") + " " + ShellQuote(camera + "/짤.gif");
    }
    TempHome home;
    std::string camera;
    std::string photo;
};

}  // namespace

TEST_F(CatalogTool, ImportListAndNames) {
    Result r = Cat("import " + Files(), home);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "4\n");
    EXPECT_NE(r.err.find("4/4"), std::string::npos) << r.err;
    EXPECT_TRUE(win::FileExists(photo + "/짤.gif"));
    // The 8-bit BMP was rewritten at 24 bits when its thumbnail was made.
    EXPECT_EQ(extImage((photo + "/old map.bmp").c_str(), CXIMAGE_FORMAT_BMP).GetBpp(), 24);

    r = Cat("list --order name", home);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Field(r.out, 1), (std::vector<std::string>{"beach.jpg", "dog.png", "old map.bmp", "짤.gif"}));
    // Every key names the file as it is now.
    const std::vector<std::string> keys = Field(r.out, 0);
    EXPECT_EQ(keys[2], catalogue::KeyFromFile(photo + "/old map.bmp", "old map.bmp"));
    EXPECT_EQ(win::ListFiles(catalogue::ThumbFolder()).size(), 4u);

    // Importing the same files again: all present.
    r = Cat("--no import " + Files(), home);
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("message: beach.jpg 파일이 존재합니다. 덮어쓸까요?"), std::string::npos);
    EXPECT_NE(r.err.find("message: 4개의 파일이 이미 추가되어있습니다"), std::string::npos);
    EXPECT_EQ(r.out, "0\n");

    r = Cat("title beach.jpg dog.png --text \"it's\" --numbered", home);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "beach.jpg\tit's000\ndog.png\tit's001\n");
    r = Cat("list --order title --show 1", home);
    EXPECT_EQ(Field(r.out, 2), (std::vector<std::string>{"", "", "it's000", "it's001"}));

    r = Cat("rename dog.png 짤.gif --base 휴가", home);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "dog.png\t휴가000.png\n짤.gif\t휴가001.gif\n");
    EXPECT_TRUE(win::FileExists(photo + "/휴가000.png"));
    r = Cat("list", home);
    EXPECT_NE(r.out.find("\t휴가000.png\tit's001\t"), std::string::npos) << r.out;

    r = Cat("title beach.jpg --from-filename", home);
    EXPECT_EQ(r.out, "beach.jpg\tbeach.jpg\n");
    r = Cat("title beach.jpg --clear", home);
    EXPECT_EQ(r.out, "beach.jpg\t\n");
    r = Cat("title nothing.jpg --clear", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("no item 'nothing.jpg'"), std::string::npos);
    r = Cat("rename beach.jpg --base a/b", home);
    EXPECT_EQ(r.code, 1);
    r = Cat("title beach.jpg", home);
    EXPECT_EQ(r.code, 2);
}

TEST_F(CatalogTool, AlbumsKeywordsAndSearch) {
    ASSERT_EQ(Cat("import " + Files(), home).code, 0);
    EXPECT_EQ(Cat("album add 여행", home).out, "1\n");
    EXPECT_EQ(Cat("album add \"Tom's\"", home).out, "2\n");
    Result r = Cat("album add 여행", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("message: 앨범명이 이미 존재합니다"), std::string::npos);
    EXPECT_EQ(Cat("album list", home).out, "1\t여행\n2\tTom's\n");
    ASSERT_EQ(Cat("album put 1 beach.jpg dog.png", home).code, 0);
    r = Cat("--album 1 list", home);
    EXPECT_EQ(Field(r.out, 1), (std::vector<std::string>{"beach.jpg", "dog.png"}));
    ASSERT_EQ(Cat("album rename 2 가족", home).code, 0);
    r = Cat("album rename 2 여행", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Cat("album list", home).out, "1\t여행\n2\t가족\n");

    EXPECT_EQ(Cat("keyword add 바다", home).out, "1\n");
    EXPECT_EQ(Cat("keyword add sky", home).out, "2\n");
    EXPECT_EQ(Cat("keyword add 바다", home).code, 1);
    EXPECT_EQ(Cat("keyword set beach.jpg 짤.gif --ids 1,2", home).out, "2\n");
    EXPECT_EQ(Cat("keyword set dog.png --ids 2", home).out, "1\n");
    r = Cat("list --order name", home);
    EXPECT_EQ(Field(r.out, 3), (std::vector<std::string>{"바다, sky", "sky", "", "바다, sky"}));
    r = Cat("keyword search 1", home);
    EXPECT_EQ(Lines(r.out).back(), "2 / 4");
    EXPECT_EQ(Field(r.out, 1).front(), "beach.jpg");
    r = Cat("--album 1 keyword search 1 2", home);
    EXPECT_EQ(Lines(r.out).back(), "2 / 2");
    ASSERT_EQ(Cat("keyword rename 2 하늘", home).code, 0);
    EXPECT_EQ(Cat("keyword list", home).out, "1\t바다\n2\t하늘\n");

    // Questions answered No change nothing.
    r = Cat("--no keyword delete 1", home);
    EXPECT_NE(r.err.find("message: 1 개의 키워드가 삭제됩니다."), std::string::npos);
    EXPECT_EQ(Cat("keyword list", home).out, "1\t바다\n2\t하늘\n");
    ASSERT_EQ(Cat("keyword delete 1 --yes", home).code, 0);
    r = Cat("list --order name", home);
    EXPECT_EQ(Field(r.out, 3), (std::vector<std::string>{"하늘", "하늘", "", "하늘"}));

    r = Cat("album delete 99", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("message: 전체사진은 삭제할수 없습니다"), std::string::npos);
    ASSERT_EQ(Cat("--yes album delete 1", home).code, 0);
    EXPECT_EQ(Cat("album list", home).out, "2\t가족\n");
    EXPECT_EQ(Cat("--album 1 list", home).code, 1);
}

TEST_F(CatalogTool, CopyExportDeleteAndRestore) {
    ASSERT_EQ(Cat("import " + Files(), home).code, 0);
    Result r = Cat("copy beach.jpg", home);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "beach(1).jpg\n");
    EXPECT_EQ(ReadAll(photo + "/beach(1).jpg"), ReadAll(photo + "/beach.jpg"));

    const std::string out = home.root() + "/export";
    std::filesystem::create_directories(out);
    ASSERT_EQ(Cat("title dog.png --text 강아지", home).code, 0);
    r = Cat("export " + ShellQuote(out) + " --title dog.png beach.jpg", home);
    EXPECT_EQ(r.out, "2\n");
    EXPECT_EQ(win::ListFiles(out), (std::vector<std::string>{"beach.jpg", "강아지.png"}));
    r = Cat("export " + ShellQuote(out) + " --unique", home);
    EXPECT_EQ(r.out, "5\n");
    r = Cat("--no export " + ShellQuote(out) + " beach.jpg", home);
    EXPECT_EQ(r.out, "0\n");
    EXPECT_NE(r.err.find("message: 파일이 존재합니다. 덮어쓸까요?"), std::string::npos);

    // An edit made by the program: backup first, then the picture is written and rekeyed.
    {
        CDBManagerOper db(catalogue::CatalogueFile());
        CThumbCatalogue view;
        view.SetDBConnect(&db);
        view.SetAlbum(99, 0);
        vxImage* item = nullptr;
        for (vxImage* i : view.GetList()) {
            if (i->m_strFilename == "beach.jpg") item = i;
        }
        ASSERT_NE(item, nullptr);
        item->MakingOriginal(0);
        ASSERT_TRUE(Make(photo + "/beach.jpg", 200, 100, CXIMAGE_FORMAT_JPG, 24, 9));
        view.UpdateCLSID(item);
    }
    r = Cat("list", home);
    EXPECT_NE(r.out.find("\tbeach.jpg\t\t\tbeach.jpg\n"), std::string::npos) << r.out;
    r = Cat("restore beach.jpg dog.png", home);
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(ReadAll(photo + "/beach.jpg"), ReadAll(camera + "/beach.jpg"));
    r = Cat("list", home);
    EXPECT_NE(r.out.find("\tbeach.jpg\t\t\t\n"), std::string::npos) << r.out;

    ASSERT_EQ(Cat("album add 보관", home).code, 0);
    ASSERT_EQ(Cat("album put 1 beach.jpg", home).code, 0);
    // Both questions answered Yes: the pictures go, album or not.
    r = Cat("delete beach.jpg dog.png --album 99 --yes", home);
    EXPECT_EQ(r.out, "2\n");
    r = Cat("--no delete 짤.gif", home);
    EXPECT_EQ(r.out, "0\n");
    EXPECT_TRUE(win::FileExists(photo + "/짤.gif"));
    EXPECT_FALSE(win::FileExists(photo + "/beach.jpg"));
    EXPECT_EQ(Field(Cat("list --order name", home).out, 1),
              (std::vector<std::string>{"beach(1).jpg", "old map.bmp", "짤.gif"}));
}

TEST_F(CatalogTool, HelpAndMistakes) {
    Result r = Cat("--help", home);
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("usage: vimbro-tool catalog"), std::string::npos);
    EXPECT_EQ(Cat("", home).code, 2);
    EXPECT_EQ(Cat("frobnicate", home).code, 2);
    EXPECT_EQ(Cat("--album x list", home).code, 2);
    EXPECT_EQ(Cat("list --order size", home).code, 2);
    EXPECT_EQ(Cat("import /no/such/file.jpg", home).code, 1);
    EXPECT_EQ(Cat("keyword set a.jpg --ids 1,x", home).code, 2);
    EXPECT_EQ(Cat("keyword set a.jpg --ids 7", home).code, 1);
    EXPECT_EQ(Cat("title a.jpg --stamp date,weekday", home).code, 2);
}

TEST_F(CatalogTool, RenamesFollowTheDialogRules) {
    ASSERT_EQ(Cat("album add 여행", home).code, 0);
    ASSERT_EQ(Cat("album add home", home).code, 0);
    // The album strip: another album's name, an empty text, more than its edit takes.
    Result r = Cat("album rename 2 여행", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("message: 앨범명이 이미 존재합니다"), std::string::npos) << r.err;
    r = Cat("album rename 2 ''", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("album names cannot be empty"), std::string::npos) << r.err;
    r = Cat("album rename 2 가나다라마바사아자차카타파하가나다라마바a", home);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("album names hold at most 20 characters"), std::string::npos) << r.err;
    EXPECT_EQ(Cat("album list", home).out, "1\t여행\n2\thome\n");
    // Its own name changes nothing and is no fault; twenty Hangul characters fit.
    EXPECT_EQ(Cat("album rename 2 home", home).code, 0);
    EXPECT_EQ(Cat("album rename 2 가나다라마바사아자차카타파하가나다라마바", home).code, 0);
    EXPECT_EQ(Cat("album list", home).out, "1\t여행\n2\t가나다라마바사아자차카타파하가나다라마바\n");

    // The change-name dialog, message for message, the keyword's own name included.
    ASSERT_EQ(Cat("keyword add 바다", home).code, 0);
    ASSERT_EQ(Cat("keyword add sky", home).code, 0);
    const std::pair<std::string, std::string> refused[] = {
        {"''", "입력해주세요"},
        {"' sea'", "파일이름 첫문자에 공백은 허용되지 않습니다"},
        {"'a:b'", "\\/<>\"?*:| 문자는 사용할수 없습니다"},
        {std::string(21, 'k'), "키워드명은 20자로 제한되어 있습니다"},
        {"sky", "키워드명이 이미 존재합니다"},
        {"바다", "키워드명이 이미 존재합니다"},
    };
    for (const auto& [name, message] : refused) {
        r = Cat("keyword rename 1 " + name, home);
        EXPECT_EQ(r.code, 1) << name;
        EXPECT_NE(r.err.find("message: " + message + "\n"), std::string::npos) << name << ": " << r.err;
    }
    EXPECT_EQ(Cat("keyword list", home).out, "1\t바다\n2\tsky\n");
    EXPECT_EQ(Cat("keyword rename 1 가나다라마바사아자차카타파하가나다라마바", home).code, 0);
    EXPECT_EQ(Cat("keyword list", home).out, "1\t가나다라마바사아자차카타파하가나다라마바\n2\tsky\n");
}

TEST_F(CatalogTool, ImportedKeysNameThePicturesOwnTime) {
    ASSERT_EQ(std::system(("touch -d @1136073600 " + ShellQuote(camera + "/beach.jpg")).c_str()), 0);
    ASSERT_EQ(Cat("import " + ShellQuote(camera + "/beach.jpg"), home).code, 0);
    const std::string size = std::to_string(std::filesystem::file_size(camera + "/beach.jpg"));
    EXPECT_EQ(Field(Cat("list", home).out, 0), (std::vector<std::string>{"1136073600?" + size + "?beach.jpg"}));
}
