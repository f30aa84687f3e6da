// The EBA and PHT name dialogs: the name a user types becomes a file in the phone folder, and an
// existing catalogue item of that path is reported (after the overwrite question when its file
// is on disk).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLineEdit>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/DialogLogic.h"
#include "app/DlgExportEBA.h"
#include "app/DlgExportPHT.h"
#include "platform/afx/afxwin.h"
#include "tests/dialogs/DialogsApp.h"
#include "views/catalogue/vxImage.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmpty = "입력박스에 입력해주세요";
const std::string kSpace = "파일이름 첫문자에 공백은 허용되지 않습니다";
const std::string kSpecial = "\\/<>\"?*:| 문자는 사용할수 없습니다";
const std::string kOverwrite = "파일이 존재합니다. 덮어쓸까요?";

std::unique_ptr<vxImage> Item(const std::string& path) {
    const std::string name = path.substr(path.rfind('/') + 1);
    return std::make_unique<vxImage>(nullptr, "1?2?" + name, name, path);
}

TEST(PhoneFileTarget, RefusesInOrderWithExactMessages) {
    CMessageBoxResponder box;
    struct Case {
        std::string name, message;
    } cases[] = {
        {"", kEmpty},      {" a", kSpace},     {" a/b", kSpace},  // the space is reported before the character
        {"a/b", kSpecial}, {"a\\b", kSpecial}, {"x:y.jpg", kSpecial},
        {".jpg", kEmpty},  // nothing is left before the extension
        {".", kEmpty},
    };
    for (const Case& c : cases) {
        box.clear();
        const dlgcheck::PhoneTarget t = dlgcheck::PhoneFileTarget(c.name, "/d/ZEL/Photo", ".pht", {});
        EXPECT_FALSE(t.verdict.ok) << c.name;
        EXPECT_EQ(t.existing, nullptr) << c.name;
        EXPECT_EQ(box.texts(), std::vector<std::string>{c.message}) << c.name;
    }
}

TEST(PhoneFileTarget, CutsAtTheLastDotAndAddsTheExtension) {
    CMessageBoxResponder box;
    struct Case {
        std::string name, path;
    } cases[] = {
        {"photo.jpg", "/d/ZEL/Photo/photo.pht"},     {"photo", "/d/ZEL/Photo/photo.pht"},
        {"my.trip.gif", "/d/ZEL/Photo/my.trip.pht"}, {"여름 바다.PHT", "/d/ZEL/Photo/여름 바다.pht"},
        {"a b ", "/d/ZEL/Photo/a b .pht"},
    };
    for (const Case& c : cases) {
        const dlgcheck::PhoneTarget t = dlgcheck::PhoneFileTarget(c.name, "/d/ZEL/Photo", ".pht", {});
        EXPECT_TRUE(t.verdict.ok) << c.name;
        EXPECT_EQ(t.path, c.path) << c.name;
    }
    EXPECT_TRUE(box.texts().empty());
}

TEST(PhoneFileTarget, FindsTheFirstItemOfTheExactPathAndAsksOnlyWhenItsFileExists) {
    const fs::path dir = fs::temp_directory_path() / "phone_target_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string onDisk = (dir / "anim.eba").string();
    std::ofstream(onDisk) << "x";
    auto other = Item((dir / "Anim.eba").string());  // other letter case: not the same file
    auto first = Item(onDisk);
    auto second = Item(onDisk);
    auto gone = Item((dir / "gone.eba").string());
    const std::vector<vxImage*> items = {other.get(), first.get(), second.get(), gone.get()};

    CMessageBoxResponder box({IDNO, IDYES});
    dlgcheck::PhoneTarget t = dlgcheck::PhoneFileTarget("anim.gif", dir.string(), ".eba", items);
    EXPECT_FALSE(t.verdict.ok);
    EXPECT_EQ(t.existing, first.get());
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0].text, kOverwrite);
    EXPECT_EQ(box.shown()[0].style, MB_YESNO);

    box.clear();
    t = dlgcheck::PhoneFileTarget("anim", dir.string(), ".eba", items);
    EXPECT_TRUE(t.verdict.ok);
    EXPECT_EQ(t.existing, first.get());
    EXPECT_EQ(t.path, onDisk);
    EXPECT_EQ(box.texts(), std::vector<std::string>{kOverwrite});

    // An item whose file has gone is still the existing item, without a question.
    box.clear();
    t = dlgcheck::PhoneFileTarget("gone", dir.string(), ".eba", items);
    EXPECT_TRUE(t.verdict.ok);
    EXPECT_EQ(t.existing, gone.get());
    EXPECT_TRUE(box.texts().empty());

    // A file on disk that no item names is not looked for.
    std::ofstream((dir / "loose.eba").string()) << "x";
    t = dlgcheck::PhoneFileTarget("loose", dir.string(), ".eba", items);
    EXPECT_TRUE(t.verdict.ok);
    EXPECT_EQ(t.existing, nullptr);
    EXPECT_TRUE(box.texts().empty());
    fs::remove_all(dir);
}

class ExportPhoneDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        DialogsApp();
        // One folder per test process: CTest runs the cases side by side.
        home = fs::temp_directory_path() / ("export_phone_home_" + std::to_string(getpid()));
        fs::remove_all(home);
        fs::create_directories(home / "Documents");
        const char* h = std::getenv("HOME");
        const char* c = std::getenv("XDG_CONFIG_HOME");
        savedHome = h ? h : "";
        hadConfig = c != nullptr;
        savedConfig = c ? c : "";
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    }
    void TearDown() override {
        setenv("HOME", savedHome.c_str(), 1);
        if (hadConfig)
            setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(home);
    }
    static void Shot(QWidget* dialog, const char* name) {
        if (const char* dir = std::getenv("DIALOG_SHOTS")) dialog->grab().save(QString("%1/%2.png").arg(dir, name));
    }

    fs::path home;
    std::string savedHome, savedConfig;
    bool hadConfig = false;
};

TEST_F(ExportPhoneDialogTest, PhtNameBecomesTheFullPathInThePhotoFolder) {
    CDlgExportPHT dlg({});
    dlg.show();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "PHT 저장");
    EXPECT_FALSE(dlg.NameEdit()->accessibleName().isEmpty());
    CMessageBoxResponder box;
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(box.texts(), std::vector<std::string>{kEmpty});

    dlg.NameEdit()->setText(QStringLiteral("photo.jpg"));
    Shot(&dlg, "DlgExportPHT");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    const std::string path = (home / "Documents/ZEL/Photo/photo.pht").string();
    EXPECT_EQ(dlg.GetPath(), path);
    EXPECT_EQ(dlg.NameEdit()->text().toStdString(), path);
    EXPECT_EQ(dlg.IsExistItem(), 0);
    EXPECT_EQ(dlg.GetExistItem(), nullptr);
    EXPECT_EQ(box.texts(), std::vector<std::string>{kEmpty});
}

TEST_F(ExportPhoneDialogTest, EbaDialogReportsTheCatalogueItemItWouldOverwrite) {
    const fs::path folder = home / "Documents/ZEL/Image";
    fs::create_directories(folder);
    std::ofstream((folder / "walk.eba").string()) << "x";
    auto item = Item((folder / "walk.eba").string());
    CDlgExportEBA dlg({item.get()});
    dlg.show();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "애니메이션 저장");
    dlg.NameEdit()->setText(QStringLiteral("walk.gif"));
    Shot(&dlg, "DlgExportEBA");
    CMessageBoxResponder box({IDNO, IDYES});
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(box.texts(), (std::vector<std::string>{kOverwrite, kOverwrite}));
    EXPECT_EQ(dlg.GetPath(), (folder / "walk.eba").string());
    EXPECT_EQ(dlg.IsExistItem(), 1);
    EXPECT_EQ(dlg.GetExistItem(), item.get());
}

}  // namespace
