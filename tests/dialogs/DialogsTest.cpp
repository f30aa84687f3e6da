// The shell's small dialogs driven as a user drives them: typing, clicking, reading what they
// kept and which messages they showed. Offscreen, never exec()'d.
#include <gtest/gtest.h>

#include <QApplication>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include "tests/dialogs/DialogsApp.h"

#include <cstdlib>
#include <filesystem>

#include "app/DlgAddAlbum.h"
#include "app/DlgBundleChange.h"
#include "app/DlgChangeName.h"
#include "app/DlgExport.h"
#include "app/DlgInfo.h"
#include "app/DlgNewKeyword.h"
#include "platform/afx/afxwin.h"
#include "views/controls/DlgMessageEx.h"
#include "views/controls/StaticEx.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { DialogsApp(); }

    // Every control a user or a screen reader meets carries a name.
    static void ExpectAllNamed(QWidget* dialog) {
        EXPECT_FALSE(dialog->accessibleName().isEmpty());
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) &&
                !qobject_cast<QLabel*>(w))
                continue;
            if (qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) continue;
            EXPECT_FALSE(w->accessibleName().isEmpty())
                << w->metaObject()->className() << " " << w->objectName().toStdString();
        }
    }

    static void Shot(QWidget* dialog, const char* name) {
        if (const char* dir = std::getenv("DIALOG_SHOTS")) dialog->grab().save(QString("%1/%2.png").arg(dir, name));
    }
};

// Key by key, as typed; QTest::keyClicks takes only ASCII.
void Keys(QWidget* w, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A check box or radio button toggles when its box is clicked, not the empty room beside its text.
void ClickBox(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    Keys(edit, text);
}

TEST_F(DialogsTest, MessageExAnswersByButton) {
    struct Case {
        int id, answer;
    } cases[] = {{IDOK, 1}, {CDlgMessageEx::IDC_ALL, 2}, {IDCANCEL, 0}};
    for (const Case& c : cases) {
        CDlgMessageEx dlg;
        dlg.show();
        EXPECT_EQ(dlg.MessageStatic()->text().toStdString(), "파일이 존재합니다. 덮어쓸까요?");
        QTest::mouseClick(dlg.Button(c.id), Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), c.answer) << c.id;
    }
    CDlgMessageEx closed;
    closed.show();
    Shot(&closed, "DlgMessageEx");
    ExpectAllNamed(&closed);
    QTest::mouseClick(closed.CloseButton(), Qt::LeftButton);
    EXPECT_EQ(closed.result(), 0);
}

TEST_F(DialogsTest, AddAlbumKeepsOpenUntilTheNameIsNew) {
    std::vector<CString> names = {"여행", "trip"};
    CDlgAddAlbum dlg("선택항목으로 앨범등록", &names);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle().toStdString(), "선택항목으로 앨범등록");
    ExpectAllNamed(&dlg);
    CMessageBoxResponder box;

    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    Type(dlg.NameEdit(), " x");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.NameEdit()->text().toStdString(), " x");
    Type(dlg.NameEdit(), "여행");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.NameEdit()->text().isEmpty());
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(box.texts(),
              (std::vector<std::string>{"입력박스에 입력해주세요", "파일이름 첫문자에 공백은 허용되지 않습니다",
                                        "앨범명이 이미 존재합니다"}));

    Type(dlg.NameEdit(), "여행2");
    Shot(&dlg, "DlgAddAlbum");
    QTest::keyClick(dlg.NameEdit(), Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetName(), "여행2");
}

TEST_F(DialogsTest, NameEditsTakeAtMostTwentyBytes) {
    CDlgAddAlbum album("앨범등록", nullptr);
    Keys(album.NameEdit(), QString::fromUtf8("가나다라마바사아자차카"));
    EXPECT_EQ(album.NameEdit()->text().toStdString(), "가나다라마바사아자차");
    CDlgNewKeyword keyword(nullptr);
    Keys(keyword.NameEdit(), QString(25, 'k'));
    EXPECT_EQ(keyword.NameEdit()->text(), QString(20, 'k'));
}

TEST_F(DialogsTest, NewKeywordChecksTheParentsNames) {
    std::vector<CString> names = {"바다"};
    CDlgNewKeyword dlg(&names);
    dlg.show();
    ExpectAllNamed(&dlg);
    CMessageBoxResponder box;
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    Type(dlg.NameEdit(), "바다");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.NameEdit()->text().isEmpty());
    EXPECT_EQ(box.texts(), (std::vector<std::string>{"입력해주세요", "키워드명이 이미 존재합니다"}));
    EXPECT_TRUE(dlg.isVisible());
    Type(dlg.NameEdit(), "산");
    Shot(&dlg, "DlgNewKeyword");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetName(), "산");
}

TEST_F(DialogsTest, ChangeNameShowsTheOldNameAndReturnsTheNewOne) {
    std::vector<CString> names = {"바다", "산"};
    CDlgChangeName dlg("바다", &names);
    dlg.show();
    ExpectAllNamed(&dlg);
    EXPECT_EQ(dlg.OldEdit()->text().toStdString(), "바다");
    CMessageBoxResponder box;
    Type(dlg.NewEdit(), QString::fromUtf8("가나다라마바사아자차카타파하가나다라마바사"));  // 21 syllables
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    Type(dlg.NewEdit(), "산");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.NewEdit()->text().isEmpty());
    EXPECT_EQ(box.texts(),
              (std::vector<std::string>{"키워드명은 20자로 제한되어 있습니다", "키워드명이 이미 존재합니다"}));
    Type(dlg.NewEdit(), QString::fromUtf8("가나다라마바사아자차카타파하가나다라마바"));  // 20 syllables
    Shot(&dlg, "DlgChangeName");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetNewName(), "가나다라마바사아자차카타파하가나다라마바");
}

TEST_F(DialogsTest, BundleChangeFollowsTargetAndKind) {
    CDlgBundleChange dlg(3);
    dlg.show();
    ExpectAllNamed(&dlg);
    EXPECT_EQ(dlg.TargetCombo()->currentIndex(), 0);
    // A combo box reads as its current text to assistive technology: its label says what it is.
    auto labelOf = [&dlg](QWidget* w) {
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (l->buddy() == w) return l->text().toStdString();
        return std::string();
    };
    EXPECT_EQ(labelOf(dlg.TargetCombo()), "대상");
    EXPECT_EQ(labelOf(dlg.KindCombo()), "종류");
    ASSERT_EQ(dlg.KindCombo()->count(), 2);
    EXPECT_EQ(dlg.KindCombo()->itemText(0).toStdString(), "텍스트");
    EXPECT_TRUE(dlg.Check(7044)->isChecked());
    EXPECT_FALSE(dlg.Check(7044)->isEnabled());
    EXPECT_TRUE(dlg.Radio(7047)->isChecked());
    EXPECT_TRUE(dlg.Radio(7049)->isChecked());
    EXPECT_TRUE(dlg.TextEdit()->isVisible());
    EXPECT_FALSE(dlg.Check(7045)->isVisible());
    EXPECT_EQ(dlg.height(), 130 + 55);

    CMessageBoxResponder box;
    Keys(dlg.TextEdit(), QString(121, 'a'));
    EXPECT_EQ(dlg.TextEdit()->text(), QString(120, 'a'));
    EXPECT_EQ(box.texts(), std::vector<std::string>{"120 자로 제한이 되어있습니다."});

    dlg.TargetCombo()->setCurrentIndex(1);
    ASSERT_EQ(dlg.KindCombo()->count(), 4);
    EXPECT_TRUE(dlg.Check(7044)->isEnabled());
    EXPECT_FALSE(dlg.TextEdit()->isVisible());
    EXPECT_EQ(dlg.height(), 80 + 55);
    dlg.KindCombo()->setCurrentIndex(3);
    EXPECT_TRUE(dlg.Check(7045)->isVisible());
    EXPECT_EQ(dlg.height(), 150 + 55);
    ClickBox(dlg.Check(7051));  // checked by the file-name target: now off
    ClickBox(dlg.Radio(7050));

    box.clear();
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(box.texts(), std::vector<std::string>{"[날짜포함] 혹은 [시간포함]이 적어도 한개는 선택되어야 합니다."});
    ClickBox(dlg.Check(7045));
    Shot(&dlg, "DlgBundleChange");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    const CBundleChangeLogic& r = dlg.Result();
    EXPECT_EQ(r.m_nChoice, 3);
    EXPECT_EQ(r.m_bDate, 1);
    EXPECT_EQ(r.m_bTime, 0);
    EXPECT_EQ(r.m_bDateForm, 1);
    EXPECT_EQ(r.m_bTimeForm, 0);
    EXPECT_EQ(r.m_bOption7051, 0);
    EXPECT_EQ(dlg.GetAlbum(), 3);
}

TEST_F(DialogsTest, ExportNeedsAFolderAndKeepsBothChoices) {
    const auto home = std::filesystem::temp_directory_path() / "dlgexport_home";
    std::filesystem::create_directories(home);
    setenv("VIMBRO_HOME", home.c_str(), 1);
    CDlgExport dlg;
    dlg.show();
    ExpectAllNamed(&dlg);
    EXPECT_EQ(dlg.FolderEdit()->text().toStdString(), home.string() + "/");
    EXPECT_EQ(dlg.m_bUnique, 0);
    EXPECT_EQ(dlg.m_bUseTitle, 0);

    CString askedTitle, askedStart;
    dlg.SetFolderBrowser([&](const CString& title, const CString& start) {
        askedTitle = title;
        askedStart = start;
        return CString("/media/usb");
    });
    Type(dlg.FolderEdit(), "/somewhere");
    QTest::mouseClick(dlg.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(askedTitle, "내보낼 폴더를 선택하세요!");
    EXPECT_EQ(askedStart, "/somewhere");
    EXPECT_EQ(dlg.FolderEdit()->text().toStdString(), "/media/usb");

    dlg.SetFolderBrowser([](const CString&, const CString&) { return CString(); });
    QTest::mouseClick(dlg.BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.FolderEdit()->text().toStdString(), "/media/usb");

    CMessageBoxResponder box;
    dlg.FolderEdit()->clear();
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(box.texts(), std::vector<std::string>{"내보낼 폴더를 선택하세요!"});

    Type(dlg.FolderEdit(), "/media/usb");
    ClickBox(dlg.TitleCheck());
    Shot(&dlg, "DlgExport");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strFolder, "/media/usb");
    EXPECT_EQ(dlg.m_bUnique, 0);
    EXPECT_EQ(dlg.m_bUseTitle, 1);
    unsetenv("VIMBRO_HOME");
    std::filesystem::remove_all(home);
}

TEST_F(DialogsTest, InfoShowsTheTextsInEightStatics) {
    const auto path = std::filesystem::temp_directory_path() / "dlginfo_widget.png";
    QImage img(12, 8, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(QString::fromStdString(path.string()), "PNG"));
    CDlgInfo dlg(path.string(), "dlginfo_widget.png", "파랑");
    dlg.show();
    ExpectAllNamed(&dlg);
    ASSERT_EQ(dlg.Statics().size(), 8u);
    EXPECT_EQ(dlg.Statics()[0]->text().toStdString(), "파일이름 : dlginfo_widget.png");
    EXPECT_EQ(dlg.Statics()[3]->text().toStdString(), "픽     셀 : 12 x 8");
    EXPECT_EQ(dlg.Statics()[0]->GetBkColor(), RGB(0xDD, 0xDD, 0xDD));
    Shot(&dlg, "DlgInfo");
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    std::filesystem::remove(path);
}

}  // namespace
