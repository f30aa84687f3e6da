// The frame's commands that open a dialog: when they are offered, what they refuse and what the
// catalogue holds after the dialog closes. Dialogs are answered in place of exec().
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/DlgAddAlbum.h"
#include "app/DlgBundleChange.h"
#include "app/DlgExport.h"
#include "app/DlgInfo.h"
#include "app/DlgKeyword.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/TopFrame.h"
#include "app/TopListAlbum.h"
#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "platform/brelt/Brelt.h"
#include "tests/app/MainFrameFixture.h"
#include "views/controls/ReportCtrl.h"
#include "views/controls/StaticEx.h"

namespace {

using apptest::App;

class FrameDialogTest : public apptest::MainFrameTest {
protected:
    std::vector<std::pair<int, CString>> Albums() { return view->GetAlbums(); }
    std::vector<std::pair<int, CString>> StripItems() {
        const CAlbumStrip& strip = frame->GetTopFrame()->AlbumStrip()->Strip();
        std::vector<std::pair<int, CString>> items;
        for (int k = 0; k < strip.Count(); ++k) items.emplace_back(strip.At(k).id, strip.At(k).name);
        return items;
    }
    // Adds the album through the dialog, typing the name and pressing OK.
    void AnswerName(const std::string& name) {
        answer = [name](QDialog& dlg) {
            auto& add = dynamic_cast<CDlgAddAlbum&>(dlg);
            add.NameEdit()->setText(QString::fromStdString(name));
            add.OnOK();
        };
    }
};

const std::vector<int> kDialogCommands = {ID_ALBUM_ADD, ID_ALBUM_FROM_SELECTION, ID_ALBUM_DELETE, ID_PICTURE_INFO,
                                          ID_KEYWORD,   ID_BUNDLE_RENAME,        ID_FILE_EXPORT};

}  // namespace

TEST_F(FrameDialogTest, OfferedByBrowserSelectionAndMode) {
    // The composition view hands its browser over at creation; take it away.
    frame->SetBrowser(nullptr);
    for (int id : kDialogCommands) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(frame->GetTopFrame()->AddAlbumButton()->isEnabled());

    Pictures({"a.jpg", "b.jpg"});
    EXPECT_TRUE(Enabled(ID_ALBUM_ADD));
    EXPECT_TRUE(Enabled(ID_ALBUM_DELETE));
    EXPECT_TRUE(frame->GetTopFrame()->AddAlbumButton()->isEnabled());
    for (int id : {ID_ALBUM_FROM_SELECTION, ID_PICTURE_INFO, ID_KEYWORD, ID_BUNDLE_RENAME, ID_FILE_EXPORT})
        EXPECT_FALSE(Enabled(id)) << id;

    Select({"a.jpg"});
    for (int id : kDialogCommands) EXPECT_TRUE(Enabled(id)) << id;
    Select({"a.jpg", "b.jpg"});
    EXPECT_FALSE(Enabled(ID_PICTURE_INFO));
    EXPECT_TRUE(Enabled(ID_FILE_EXPORT));

    // Photo editing: the album commands are composition's; export copies the edited picture.
    Select({"a.jpg"});
    view->SetCurrent(1);
    frame->SwitchToMode(1);
    ASSERT_EQ(frame->CurrentMode(), 1);
    for (int id : {ID_ALBUM_ADD, ID_ALBUM_FROM_SELECTION, ID_KEYWORD, ID_BUNDLE_RENAME})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(ID_ALBUM_DELETE));
    EXPECT_TRUE(Enabled(ID_PICTURE_INFO));
    for (vxImage* item : view->GetVector()) item->m_bSelected = 0;
    EXPECT_TRUE(Enabled(ID_FILE_EXPORT));
}

TEST_F(FrameDialogTest, AddAlbumMakesTheNamedAlbumAndCancelOrARefusedNameMakesNone) {
    Pictures({"a.jpg"});
    frame->OnCommand(ID_ALBUM_ADD);  // cancelled
    EXPECT_TRUE(Albums().empty());

    AnswerName("여행");
    frame->OnCommand(ID_ALBUM_ADD);
    ASSERT_EQ(Albums().size(), 1u);
    EXPECT_EQ(Albums()[0], (std::pair<int, CString>{1, "여행"}));
    // The strip shows the new album after the all-photos album.
    const CAlbumStrip& strip = frame->GetTopFrame()->AlbumStrip()->Strip();
    ASSERT_EQ(strip.Count(), 2);
    EXPECT_EQ(strip.At(1).id, 1);
    EXPECT_EQ(strip.At(1).name, "여행");

    // The dialog refuses a name already taken and stays open; nothing is added.
    frame->OnCommand(IDC_ADD_ALBUM);
    EXPECT_EQ(Albums().size(), 1u);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"앨범명이 이미 존재합니다"});
    EXPECT_EQ(titles, (std::vector<std::string>{"앨범등록", "앨범등록", "앨범등록"}));
    // The album is new and empty: the selection was not put into it.
    view->SetAlbum(1, 0);
    EXPECT_EQ(view->GetThumbCount(), 0);
}

TEST_F(FrameDialogTest, AlbumFromSelectionHoldsTheSelectedPictures) {
    Pictures({"a.jpg", "b.jpg", "c.jpg"});
    Select({"a.jpg", "c.jpg"});
    AnswerName("고른것");
    frame->OnCommand(ID_ALBUM_FROM_SELECTION);
    EXPECT_EQ(titles, std::vector<std::string>{"선택항목으로 앨범등록"});
    ASSERT_EQ(Albums().size(), 1u);
    EXPECT_EQ(Albums()[0], (std::pair<int, CString>{1, "고른것"}));
    EXPECT_EQ(StripItems(), (std::vector<std::pair<int, CString>>{{99, "전체사진"}, {1, "고른것"}}));
    view->SetAlbum(1, 0);
    auto names = Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "c.jpg"}));
}

TEST_F(FrameDialogTest, NinetyEightAlbumsRefuseBeforeTheDialog) {
    Pictures({"a.jpg"});
    for (int i = 0; i < 97; ++i) view->AddAlbum("앨범" + std::to_string(i));
    Select({"a.jpg"});
    AnswerName("97번째");
    frame->OnCommand(ID_ALBUM_ADD);  // the 98th is still allowed
    ASSERT_EQ(Albums().size(), 98u);
    titles.clear();
    frame->OnCommand(ID_ALBUM_ADD);
    frame->OnCommand(ID_ALBUM_FROM_SELECTION);
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"앨범의 최대갯수는 98개입니다", "앨범의 최대갯수는 98개입니다"}));
    EXPECT_EQ(Albums().size(), 98u);
}

TEST_F(FrameDialogTest, DeleteAlbumsGoesThroughTheStripsSelection) {
    Pictures({"a.jpg"});
    const int one = view->AddAlbum("하나");
    const int two = view->AddAlbum("둘");
    const int three = view->AddAlbum("셋");
    Select({"a.jpg"});
    view->MoveToAlbum(99, one);
    // The strip learns the albums and shows the first one.
    frame->SetBrowser(view.get());
    CAlbumStrip& strip = frame->GetTopFrame()->AlbumStrip()->Strip();
    ASSERT_EQ(strip.Count(), 4);
    strip.Choose(strip.IndexOf(one));
    EXPECT_EQ(view->GetAlbumID(), one);

    // No: nothing deleted. Yes: the strip's current album goes and the one before it (the
    // all-photos album) is shown.
    boxes.Script({IDNO});
    frame->OnCommand(ID_ALBUM_DELETE);
    EXPECT_EQ(Albums().size(), 3u);
    boxes.Script({IDYES});
    frame->SendMessage(WM_DELETE_ALBUMS);
    EXPECT_EQ(Albums(), (std::vector<std::pair<int, CString>>{{two, "둘"}, {three, "셋"}}));
    EXPECT_EQ(strip.Count(), 3);
    EXPECT_EQ(view->GetAlbumID(), 99);
    EXPECT_EQ(view->GetThumbCount(), 1);  // the picture itself stays in the catalogue
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"정말 삭제하시겠습니까?", "정말 삭제하시겠습니까?"}));

    // The all-photos album first in the selection is refused before any question.
    strip.Choose(strip.IndexOf(99));
    strip.Toggle(strip.IndexOf(two));
    boxes.clear();
    boxes.Script({IDYES});
    frame->OnCommand(ID_ALBUM_DELETE);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"전체사진은 삭제할수 없습니다"});
    EXPECT_EQ(Albums().size(), 2u);

    // Several selected: all of them go, and the last item left (the all-photos album) is shown.
    strip.Choose(strip.IndexOf(two));
    strip.Toggle(strip.IndexOf(three));
    boxes.clear();
    boxes.Script({IDYES});
    frame->OnCommand(ID_ALBUM_DELETE);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"정말 삭제하시겠습니까?"});
    EXPECT_TRUE(Albums().empty());
    EXPECT_EQ(strip.Count(), 1);
    EXPECT_EQ(view->GetAlbumID(), 99);
}

TEST_F(FrameDialogTest, InformationShowsTheCurrentPicture) {
    Pictures({"a.jpg", "b.jpg"});
    Select({"b.jpg"});
    view->SetCurrent(2);
    std::vector<std::string> lines;
    answer = [&lines](QDialog& dlg) {
        for (CStaticEx* s : dynamic_cast<CDlgInfo&>(dlg).Statics()) lines.push_back(s->text().toStdString());
    };
    frame->OnCommand(ID_PICTURE_INFO);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "파일이름 : b.jpg"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "픽     셀 : 64 x 48"), lines.end());
}

TEST_F(FrameDialogTest, KeywordDialogAppliesToTheSelection) {
    Pictures({"a.jpg", "b.jpg"});
    Select({"b.jpg"});
    answer = [](QDialog& dlg) {
        auto& k = dynamic_cast<CDlgKeyword&>(dlg);
        k.SetAskers(
            [](const std::vector<CString>&, CString& name) {
                name = "바다";
                return true;
            },
            nullptr);
        k.OnButton(7237);  // new keyword
        ASSERT_EQ(k.List()->GetRowCount(), 1);
        k.List()->SetSelectRow(0);
        k.OnButton(7240);  // apply
        k.accept();
    };
    frame->OnCommand(ID_KEYWORD);
    const auto keywords = view->GetKeywords();
    ASSERT_EQ(keywords.size(), 1u);
    std::set<int> ids;
    int with = 0, total = 0;
    view->get_keywordlist_fromselected(&ids, with, total);
    EXPECT_EQ(ids, std::set<int>{keywords[0].nKeywordID});
    EXPECT_EQ(with, 1);
    Select({"a.jpg"});
    ids.clear();
    view->get_keywordlist_fromselected(&ids, with, total);
    EXPECT_TRUE(ids.empty());
}

TEST_F(FrameDialogTest, BundleRenameSetsTitlesAndFileNamesOfTheSelection) {
    Pictures({"a.jpg", "b.jpg"});
    Select({"a.jpg"});
    answer = [](QDialog& dlg) {
        auto& b = dynamic_cast<CDlgBundleChange&>(dlg);
        b.TargetCombo()->setCurrentIndex(CBundleChangeLogic::kTitle);
        b.KindCombo()->setCurrentIndex(1);  // text
        b.TextEdit()->setText("봄");
        b.Check(7044)->setChecked(false);  // numbering stays checked from the file-name target
        b.OnOK();
    };
    frame->OnCommand(ID_BUNDLE_RENAME);
    EXPECT_EQ(Item("a.jpg")->m_strTitle, "봄");
    EXPECT_EQ(Column("Title", "a.jpg"), "봄");
    EXPECT_EQ(Item("b.jpg")->m_strTitle, "");

    // Titles from file names, then a cancelled dialog changes nothing.
    answer = [](QDialog& dlg) {
        auto& b = dynamic_cast<CDlgBundleChange&>(dlg);
        b.TargetCombo()->setCurrentIndex(CBundleChangeLogic::kTitle);
        b.KindCombo()->setCurrentIndex(2);
        b.OnOK();
    };
    Select({"a.jpg", "b.jpg"});
    frame->OnCommand(ID_BUNDLE_RENAME);
    EXPECT_EQ(Column("Title", "a.jpg"), "a.jpg");
    EXPECT_EQ(Column("Title", "b.jpg"), "b.jpg");

    // File names from a text: the selected picture's file is renamed on disk and in the row.
    Select({"b.jpg"});
    view->SetCurrent(2);
    view->SetAttribute(view->GetTransImage());
    ASSERT_EQ(view->GetAttrLabel(), "b.jpg");
    answer = [](QDialog& dlg) {
        auto& b = dynamic_cast<CDlgBundleChange&>(dlg);
        b.TextEdit()->setText("pic");
        b.OnOK();
    };
    frame->OnCommand(ID_BUNDLE_RENAME);
    const auto files = PhotoFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], "a.jpg");
    EXPECT_EQ(files[1].rfind("pic", 0), 0u) << files[1];
    EXPECT_EQ(files[1].substr(files[1].size() - 4), ".jpg");
    EXPECT_NE(Item(files[1]), nullptr);
    // The texts about the current picture name it by its new name at once.
    EXPECT_EQ(view->GetAttrLabel(), files[1]);

    answer = nullptr;
    frame->OnCommand(ID_BUNDLE_RENAME);
    EXPECT_EQ(PhotoFiles(), files);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(FrameDialogTest, BundleRenameDateChoicesPassTheirForms) {
    Pictures({"a.jpg", "b.jpg"});
    Select({"a.jpg", "b.jpg"});
    auto today = [](const char* format) {
        const std::time_t t = std::time(nullptr);
        std::tm local{};
        localtime_r(&t, &local);
        char text[32];
        std::strftime(text, sizeof text, format, &local);
        return std::string(text);
    };
    // Titles from the date in the compact form, numbered.
    answer = [](QDialog& dlg) {
        auto& b = dynamic_cast<CDlgBundleChange&>(dlg);
        b.TargetCombo()->setCurrentIndex(CBundleChangeLogic::kTitle);
        b.KindCombo()->setCurrentIndex(3);
        b.Check(7045)->setChecked(true);
        b.OnOK();
    };
    frame->OnCommand(ID_BUNDLE_RENAME);
    EXPECT_EQ(Column("Title", "a.jpg"), today("%Y%m%d") + "000");
    EXPECT_EQ(Column("Title", "b.jpg"), today("%Y%m%d") + "001");

    // File names from the date in the underscored form.
    Select({"b.jpg"});
    answer = [](QDialog& dlg) {
        auto& b = dynamic_cast<CDlgBundleChange&>(dlg);
        b.KindCombo()->setCurrentIndex(1);
        b.Check(7045)->setChecked(true);
        b.Radio(7048)->setChecked(true);
        b.OnOK();
    };
    frame->OnCommand(ID_BUNDLE_RENAME);
    const auto files = PhotoFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].rfind(today("%Y_%m_%d"), 0), 0u) << files[0];
    EXPECT_EQ(files[1], "a.jpg");
}

TEST_F(FrameDialogTest, ExportCopiesTheSelectionAndRefusesThePhoneFolder) {
    Pictures({"a.jpg", "b.jpg"});
    Select({"a.jpg"});
    const std::string out = home.root() + "/out";
    std::filesystem::create_directories(out);
    std::string folder = out;
    answer = [&folder](QDialog& dlg) {
        auto& e = dynamic_cast<CDlgExport&>(dlg);
        e.FolderEdit()->setText(QString::fromStdString(folder));
        e.OnOK();
    };
    frame->OnCommand(ID_FILE_EXPORT);
    EXPECT_EQ(win::ListFiles(out), std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(testsupport::ReadAll(out + "/a.jpg"), testsupport::ReadAll(photo + "/a.jpg"));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"총 1개의 파일을 내보냈습니다"});

    // Names after the titles, and free names instead of overwriting.
    view->SetTitle("봄", 0);
    answer = [&folder](QDialog& dlg) {
        auto& e = dynamic_cast<CDlgExport&>(dlg);
        e.FolderEdit()->setText(QString::fromStdString(folder));
        e.TitleCheck()->setChecked(true);
        e.UniqueCheck()->setChecked(true);
        e.OnOK();
    };
    frame->OnCommand(ID_FILE_EXPORT);
    frame->OnCommand(ID_FILE_EXPORT);
    auto exported = win::ListFiles(out);
    std::sort(exported.begin(), exported.end());
    ASSERT_EQ(exported.size(), 3u);
    EXPECT_EQ(exported[0], "a.jpg");
    EXPECT_EQ(exported[1].rfind("봄", 0), 0u) << exported[1];
    EXPECT_EQ(exported[2].rfind("봄", 0), 0u) << exported[2];

    // The phone's photo folder, also written with a trailing separator, is refused.
    boxes.clear();
    const auto before = PhotoFiles();
    for (const std::string& f : {photo, photo + "/"}) {
        folder = f;
        frame->OnCommand(ID_FILE_EXPORT);
    }
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"내보낼 폴더는 디폴트폴더와 같을수 없습니다",
                                                       "내보낼 폴더는 디폴트폴더와 같을수 없습니다"}));
    EXPECT_EQ(PhotoFiles(), before);

    // Cancel exports nothing and says nothing.
    boxes.clear();
    answer = nullptr;
    frame->OnCommand(ID_FILE_EXPORT);
    EXPECT_TRUE(boxes.texts().empty());
}
