// Validation order, messages and decisions of the shell's small dialogs, without a display.
#include <gtest/gtest.h>

#include <QImage>

#include <utime.h>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/DialogLogic.h"
#include "platform/afx/afxwin.h"

namespace {

const std::string kSpace = "파일이름 첫문자에 공백은 허용되지 않습니다";
const std::string kSpecial = "\\/<>\"?*:| 문자는 사용할수 없습니다";

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(AlbumNameCheck, RefusesInOrderWithExactMessages) {
    const std::vector<CString> names = {"trip", " spaced", "a|b"};
    CMessageBoxResponder box;
    struct Case {
        std::string name, message;
        bool clear;
    } cases[] = {
        {"", "입력박스에 입력해주세요", false},
        {" spaced", kSpace, false},  // also a duplicate: the space is reported first
        {"a|b", kSpecial, false},    // also a duplicate: the character is reported first
        {"x/y", kSpecial, false},
        {"trip", "앨범명이 이미 존재합니다", true},
    };
    for (const Case& c : cases) {
        box.clear();
        const DlgVerdict v = dlgcheck::AlbumName(c.name, &names);
        EXPECT_FALSE(v.ok) << c.name;
        EXPECT_EQ(v.clearEdit, c.clear) << c.name;
        EXPECT_EQ(box.texts(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST(AlbumNameCheck, AcceptsNewNamesComparedCaseSensitively) {
    const std::vector<CString> names = {"trip", "가족"};
    CMessageBoxResponder box;
    EXPECT_TRUE(dlgcheck::AlbumName("Trip", &names).ok);
    EXPECT_TRUE(dlgcheck::AlbumName("가족 여행", &names).ok);
    EXPECT_TRUE(dlgcheck::AlbumName("trip", nullptr).ok);
    EXPECT_TRUE(box.texts().empty());
}

TEST(KeywordNameCheck, CountsDoubleByteCharactersOnce) {
    EXPECT_EQ(dlgcheck::KeywordLength("abc"), 3);
    EXPECT_EQ(dlgcheck::KeywordLength(Repeat("가", 20)), 20);
    EXPECT_EQ(dlgcheck::KeywordLength("가a나"), 3);

    CMessageBoxResponder box;
    EXPECT_TRUE(dlgcheck::KeywordName(Repeat("가", 20), {}).ok);
    EXPECT_TRUE(dlgcheck::KeywordName(Repeat("x", 20), {}).ok);
    EXPECT_TRUE(box.texts().empty());
    for (const std::string& longName : {Repeat("가", 21), Repeat("x", 21), Repeat("가", 20) + "x"}) {
        box.clear();
        EXPECT_FALSE(dlgcheck::KeywordName(longName, {}).ok);
        EXPECT_EQ(box.texts(), std::vector<std::string>{"키워드명은 20자로 제한되어 있습니다"});
    }
}

TEST(KeywordNameCheck, RefusesInOrderWithExactMessages) {
    const std::vector<CString> names = {"바다", Repeat("x", 21)};
    CMessageBoxResponder box;
    struct Case {
        std::string name, message;
        bool clear;
    } cases[] = {
        {"", "입력해주세요", false},
        {" 바다", kSpace, false},
        {"바?다", kSpecial, false},
        {" " + Repeat("x", 30), kSpace, false},
        {Repeat("x", 21), "키워드명은 20자로 제한되어 있습니다", false},  // too long before duplicate
        {"바다", "키워드명이 이미 존재합니다", true},
    };
    for (const Case& c : cases) {
        box.clear();
        const DlgVerdict v = dlgcheck::KeywordName(c.name, names);
        EXPECT_FALSE(v.ok) << c.name;
        EXPECT_EQ(v.clearEdit, c.clear) << c.name;
        EXPECT_EQ(box.texts(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST(ExportCheck, EmptyFolderAndThePhotoFolderAreRefused) {
    CMessageBoxResponder box;
    EXPECT_FALSE(dlgcheck::ExportFolder("").ok);
    EXPECT_EQ(box.texts(), std::vector<std::string>{"내보낼 폴더를 선택하세요!"});
    EXPECT_TRUE(dlgcheck::ExportFolder("/tmp").ok);

    const std::string photo = "/home/u/Documents/ZEL/Photo";
    EXPECT_TRUE(dlgcheck::ExportIntoPhotoFolder(photo, photo));
    EXPECT_TRUE(dlgcheck::ExportIntoPhotoFolder(photo + "/", photo));
    EXPECT_TRUE(dlgcheck::ExportIntoPhotoFolder("/home/u/Documents/ZEL/./Photo", photo));
    EXPECT_FALSE(dlgcheck::ExportIntoPhotoFolder("/home/u/Documents/ZEL/Photos", photo));
    EXPECT_FALSE(dlgcheck::ExportIntoPhotoFolder("/home/u/Documents/ZEL/photo", photo));
    EXPECT_FALSE(dlgcheck::ExportIntoPhotoFolder("", photo));
}

TEST(ExportCheck, ThePhoneFolderUnderDocumentsIsRefusedWithItsMessage) {
    const auto home = std::filesystem::temp_directory_path() / "dlgexport_docs";
    std::filesystem::create_directories(home / "Documents");
    const char* oldHome = std::getenv("HOME");
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedHome = oldHome ? oldHome : "", savedConfig = oldConfig ? oldConfig : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    CMessageBoxResponder box;
    EXPECT_TRUE(dlgcheck::RefuseExportIntoPhotoFolder((home / "Documents/ZEL/Photo/").string()));
    EXPECT_EQ(box.texts(), std::vector<std::string>{"내보낼 폴더는 디폴트폴더와 같을수 없습니다"});
    box.clear();
    EXPECT_FALSE(dlgcheck::RefuseExportIntoPhotoFolder((home / "Documents/ZEL/Image").string()));
    EXPECT_TRUE(box.texts().empty());
    setenv("HOME", savedHome.c_str(), 1);
    if (oldConfig)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(home);
}

TEST(BundleChangeLogic, TargetsKindsAndForcedOptions) {
    CBundleChangeLogic logic;
    EXPECT_EQ(logic.GetTarget(), CBundleChangeLogic::kFileName);
    EXPECT_EQ(logic.KindTexts(), (std::vector<CString>{"텍스트", "날짜/시간"}));
    EXPECT_TRUE(logic.OptionsLocked());
    EXPECT_EQ(logic.m_bOption7044, 1);
    EXPECT_EQ(logic.m_bOption7051, 1);
    EXPECT_EQ(logic.m_bDateForm, 1);
    EXPECT_EQ(logic.m_bTimeForm, 1);
    EXPECT_EQ(logic.m_bDate, 0);
    EXPECT_EQ(logic.m_bTime, 0);

    logic.SetTarget(CBundleChangeLogic::kTitle);
    EXPECT_EQ(logic.KindTexts(), (std::vector<CString>{"없음", "텍스트", "파일이름", "날짜/시간"}));
    EXPECT_FALSE(logic.OptionsLocked());
    EXPECT_EQ(logic.GetKind(), CBundleChangeLogic::kNone);
    logic.m_bOption7044 = 0;
    logic.SetTarget(CBundleChangeLogic::kFileName);
    EXPECT_EQ(logic.m_bOption7044, 1);
    EXPECT_EQ(logic.GetKindIndex(), 0);
}

TEST(BundleChangeLogic, LayoutByKind) {
    CBundleChangeLogic logic;
    logic.SetTarget(CBundleChangeLogic::kTitle);
    struct Expect {
        int kind;
        bool text, date;
        int y;
    } table[] = {{0, false, false, 80}, {1, true, false, 130}, {2, false, false, 80}, {3, false, true, 150}};
    for (const Expect& e : table) {
        logic.SetKindIndex(e.kind);
        const auto l = logic.GetLayout();
        EXPECT_EQ(l.showText, e.text) << e.kind;
        EXPECT_EQ(l.showDateTime, e.date) << e.kind;
        EXPECT_EQ(l.buttonY, e.y) << e.kind;
        EXPECT_EQ(l.height, e.y + 55) << e.kind;
    }
    logic.SetTarget(CBundleChangeLogic::kFileName);
    logic.SetKindIndex(1);
    EXPECT_EQ(logic.GetKind(), CBundleChangeLogic::kDateTime);
    EXPECT_EQ(logic.GetLayout().buttonY, 150);
    logic.SetKindIndex(7);  // out of range is held to the last kind
    EXPECT_EQ(logic.GetKindIndex(), 1);
}

TEST(BundleChangeLogic, TextIsCutToTheTargetsLimit) {
    CBundleChangeLogic logic;
    CMessageBoxResponder box;
    EXPECT_EQ(logic.LimitText(Repeat("a", 120)), Repeat("a", 120));
    EXPECT_TRUE(box.texts().empty());
    EXPECT_EQ(logic.LimitText(Repeat("a", 121)), Repeat("a", 120));
    EXPECT_EQ(box.texts(), std::vector<std::string>{"120 자로 제한이 되어있습니다."});

    // Hangul takes two bytes of the limit and is never split.
    box.clear();
    EXPECT_EQ(logic.LimitText("a" + Repeat("가", 60)), "a" + Repeat("가", 59));
    EXPECT_EQ(box.texts().size(), 1u);

    logic.SetTarget(CBundleChangeLogic::kTitle);
    box.clear();
    EXPECT_EQ(logic.LimitText(Repeat("b", 1000)), Repeat("b", 1000));
    EXPECT_EQ(logic.LimitText(Repeat("b", 1001)), Repeat("b", 1000));
    EXPECT_EQ(box.texts(), std::vector<std::string>{"1000 자로 제한이 되어있습니다."});
}

TEST(BundleChangeLogic, ChoicesAndTheirRefusals) {
    const std::string kNeedText = "입력박스에 입력해주세요";
    const std::string kNeedDateTime = "[날짜포함] 혹은 [시간포함]이 적어도 한개는 선택되어야 합니다.";
    CMessageBoxResponder box;
    bool focus = false;

    CBundleChangeLogic title;
    title.SetTarget(CBundleChangeLogic::kTitle);
    title.SetKindIndex(0);
    ASSERT_TRUE(title.Decide(focus));
    EXPECT_EQ(title.m_nChoice, 0);
    title.SetKindIndex(2);
    ASSERT_TRUE(title.Decide(focus));
    EXPECT_EQ(title.m_nChoice, 2);

    title.SetKindIndex(1);
    title.m_nChoice = -1;
    EXPECT_FALSE(title.Decide(focus));
    EXPECT_TRUE(focus);
    EXPECT_EQ(title.m_nChoice, -1);
    title.m_strText = "여름";
    ASSERT_TRUE(title.Decide(focus));
    EXPECT_EQ(title.m_nChoice, 1);

    title.SetKindIndex(3);
    EXPECT_FALSE(title.Decide(focus));
    EXPECT_FALSE(focus);
    title.m_bTime = 1;
    ASSERT_TRUE(title.Decide(focus));
    EXPECT_EQ(title.m_nChoice, 3);

    CBundleChangeLogic name;
    EXPECT_FALSE(name.Decide(focus));
    EXPECT_TRUE(focus);
    name.m_strText = "trip";
    ASSERT_TRUE(name.Decide(focus));
    EXPECT_EQ(name.m_nChoice, 4);
    name.SetKindIndex(1);
    EXPECT_FALSE(name.Decide(focus));
    name.m_bDate = 1;
    ASSERT_TRUE(name.Decide(focus));
    EXPECT_EQ(name.m_nChoice, 5);

    EXPECT_EQ(box.texts(), (std::vector<std::string>{kNeedText, kNeedDateTime, kNeedText, kNeedDateTime}));
}

TEST(InfoTexts, ReadsThePictureAndTheFileTimes) {
    setenv("TZ", "UTC", 1);
    tzset();
    const auto dir = std::filesystem::temp_directory_path() / "dlginfo_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "pic.png").string();
    QImage img(37, 21, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(QString::fromStdString(path), "PNG"));
    utimbuf times{};
    times.actime = 1798761600;   // 2027-01-01
    times.modtime = 1796601600;  // 2026-12-07
    ASSERT_EQ(utime(path.c_str(), &times), 0);

    const CInfoTexts info = CInfoTexts::Build(path, "pic.png", "빨강");
    ASSERT_EQ(info.lines.size(), 7u);
    EXPECT_EQ(info.lines[0], "파일이름 : pic.png");
    EXPECT_EQ(info.lines[1], "제     목 : 빨강");
    EXPECT_EQ(info.lines[2], "크     기 : 1 KB");
    EXPECT_EQ(info.lines[3], "픽     셀 : 37 x 21");
    EXPECT_EQ(info.lines[4].rfind("생성날짜 : ", 0), 0u);
    EXPECT_EQ(info.lines[5], "수정날짜 : 2026. 12. 7");
    EXPECT_EQ(info.lines[6], "액세스날짜 : 2027. 1. 1");

    EXPECT_TRUE(CInfoTexts::Build((dir / "gone.png").string(), "gone.png", "").lines.empty());
    EXPECT_TRUE(CInfoTexts::Build(dir.string(), "dlginfo_test", "").lines.empty());
    std::filesystem::remove_all(dir);
}

TEST(InfoTexts, AnUnreadablePictureShowsZeroSize) {
    const auto path = std::filesystem::temp_directory_path() / "dlginfo_bad.jpg";
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("not a picture", f);
        std::fclose(f);
    }
    const CInfoTexts info = CInfoTexts::Build(path.string(), "dlginfo_bad.jpg", "");
    ASSERT_EQ(info.lines.size(), 7u);
    EXPECT_EQ(info.lines[3], "픽     셀 : 0 x 0");
    std::filesystem::remove(path);
}

}  // namespace
