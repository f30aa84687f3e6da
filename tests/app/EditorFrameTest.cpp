// Photo editing in the frame: entering mode 1 with the browser's picture, saving in place and
// under a new name, the canvas's tool-mode notice, undo and redo, printing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/DialogLogic.h"
#include "app/DlgExport.h"
#include "app/DlgSaveAs.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/TopFrame.h"
#include "app/ViewEditor.h"
#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "platform/brelt/Brelt.h"
#include "tests/app/MainFrameFixture.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/editor/ViewMain.h"

namespace {

using apptest::App;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class EditorFrameTest : public apptest::MainFrameTest {
protected:
    // Pictures in the all-photos album; the first is current; then mode 1.
    void Edit(std::initializer_list<std::string> names, int width = 64, int height = 48) {
        int seed = 0;
        for (const std::string& n : names) {
            Photo(n, width, height, seed++);
            // An old time, so that a save renews the key even within the same second.
            cattest::SetTime(photo + "/" + n, 1000000000);
        }
        view->SetAlbum(99, 0);
        frame->SetBrowser(view.get());
        view->SetCurrent(1);
        frame->SwitchToMode(1);
        ASSERT_EQ(frame->CurrentMode(), 1);
    }
    CViewEditor* editor() { return frame->Editor(); }
    TopFrame* top() { return frame->GetTopFrame(); }
    CViewMain* canvas() { return frame->EditorCanvas(); }
    // Answers the save-as dialog with a typed name.
    void SaveAsTyping(const std::string& name) {
        answer = [name](QDialog& dlg) {
            auto* saveAs = dynamic_cast<CDlgSaveAs*>(&dlg);
            ASSERT_NE(saveAs, nullptr);
            saveAs->NameEdit()->setText(QString::fromStdString(name));
            saveAs->OnOK();
        };
        frame->OnCommand(ID_FILE_SAVE_PICTURE_AS);
    }
};

TEST_F(EditorFrameTest, EnteringEditingLoadsTheBrowsersPictureAndMovesOn) {
    Edit({"a.jpg", "b.jpg"}, 64, 48);
    vxImage* first = view->GetTransImage();
    EXPECT_EQ(canvas()->GetPtrSelectedVx(), first);
    EXPECT_EQ(canvas()->GetWidth(), 64);
    EXPECT_EQ(canvas()->GetHeight(), 48);
    EXPECT_FLOAT_EQ(canvas()->GetFactor(), 1.0f);
    EXPECT_EQ(editor()->GetZoom(), 15);
    EXPECT_EQ(editor()->GetPositionText(), QStringLiteral("사진 1/2장"));
    EXPECT_TRUE(editor()->GetButton(CViewEditor::IDC_NEXT)->isEnabled());
    EXPECT_FALSE(editor()->GetButton(CViewEditor::IDC_PREVIOUS)->isEnabled());
    // Next loads the second picture; the zoom slider moves the canvas.
    editor()->GetButton(CViewEditor::IDC_NEXT)->click();
    EXPECT_NE(canvas()->GetPtrSelectedVx(), first);
    EXPECT_EQ(canvas()->GetPtrSelectedVx(), view->GetTransImage());
    EXPECT_EQ(editor()->GetPositionText(), QStringLiteral("사진 2/2장"));
    EXPECT_FALSE(editor()->GetButton(CViewEditor::IDC_NEXT)->isEnabled());
    EXPECT_TRUE(editor()->GetButton(CViewEditor::IDC_PREVIOUS)->isEnabled());
    editor()->SendMessage(CBitmapSlider::kMsgMoved, CViewEditor::IDC_ZOOM, 10);
    EXPECT_FLOAT_EQ(canvas()->GetFactor(), 0.5f);
    editor()->SendMessage(CBitmapSlider::kMsgMoved, CViewEditor::IDC_ZOOM, 16);
    EXPECT_FLOAT_EQ(canvas()->GetFactor(), 1.2f);
    EXPECT_TRUE(boxes.texts().empty()) << (boxes.texts().empty() ? "" : boxes.texts()[0]);
}

TEST_F(EditorFrameTest, SaveInPlaceKeepsTheBackupAndRenewsKeyAndThumbnail) {
    Edit({"a.jpg"});
    vxImage* item = view->GetTransImage();
    const std::string file = photo + "/a.jpg";
    const std::string untouched = Bytes(file);
    const CString oldKey = item->m_strCLSID;
    const CString oldThumb = item->m_strThumbPath;
    ASSERT_TRUE(std::filesystem::exists(oldThumb));
    canvas()->ProcessGray();
    ASSERT_TRUE(Enabled(ID_FILE_SAVE_PICTURE));
    frame->OnCommand(ID_FILE_SAVE_PICTURE);

    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{CGandry::GetDocumentPath() + "/ZEL/Photo \r\n\r\n사진저장 완료했습니다"}));
    // The untouched file went to the backup folder first.
    EXPECT_EQ(item->m_strOriginalPath, "a.jpg");
    EXPECT_EQ(Bytes(catalogue::BackupFolder() + "/a.jpg"), untouched);
    EXPECT_NE(Bytes(file), untouched);
    // The written picture is the grey one.
    extImage written(file.c_str(), CXIMAGE_FORMAT_JPG);
    ASSERT_TRUE(written.IsValid());
    const RGBQUAD c = written.GetPixelColor(20, 20, false);
    EXPECT_NEAR(c.rgbRed, c.rgbBlue, 2);
    // A new key in the catalogue and a thumbnail under it.
    EXPECT_NE(item->m_strCLSID, oldKey);
    EXPECT_EQ(Column("ClsID", "a.jpg"), item->m_strCLSID);
    EXPECT_EQ(Column("OriginalPath", "a.jpg"), "a.jpg");
    EXPECT_NE(item->m_strThumbPath, oldThumb);
    EXPECT_FALSE(std::filesystem::exists(oldThumb));
    EXPECT_TRUE(std::filesystem::exists(item->m_strThumbPath));
    // A second save keeps the first backup.
    canvas()->ProcessBlue();
    frame->OnCommand(ID_FILE_SAVE_PICTURE);
    EXPECT_EQ(Bytes(catalogue::BackupFolder() + "/a.jpg"), untouched);
    EXPECT_EQ(win::ListFiles(catalogue::BackupFolder()).size(), 1u);
}

TEST_F(EditorFrameTest, GifSavedInPlaceKeepsTheCanvasInTwentyFourBits) {
    Edit({"g.gif"});
    ASSERT_EQ(canvas()->GetMainImage()->GetBpp(), 24);
    canvas()->ProcessSepia();
    frame->OnCommand(ID_FILE_SAVE_PICTURE);
    EXPECT_EQ(canvas()->GetMainImage()->GetBpp(), 24);
    // On disk a GIF of the edited picture: sepia keeps red above blue.
    EXPECT_EQ(Bytes(photo + "/g.gif").substr(0, 4), "GIF8");
    extImage written((photo + "/g.gif").c_str(), CXIMAGE_FORMAT_GIF);
    ASSERT_TRUE(written.IsValid());
    EXPECT_EQ(written.GetWidth(), 64u);
    const RGBQUAD c = written.GetPixelColor(30, 20, false);
    EXPECT_GT(c.rgbRed, c.rgbBlue);
    // The canvas goes on editing in colour: another effect works on 24-bit rows.
    canvas()->ProcessGreen();
    EXPECT_EQ(canvas()->GetMainImage()->GetBpp(), 24);
}

TEST_F(EditorFrameTest, SaveAsRegistersTheNewFileAndRefusesExistingNames) {
    Edit({"a.jpg"});
    Photo("taken.jpg");
    canvas()->ProcessGray();
    // A name of a file already in the photo folder: refused, the dialog stays.
    SaveAsTyping("taken");
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"파일이 존재합니다. 다른이름을 입력해주세요."}));
    EXPECT_EQ(RowCount(), 1);
    boxes.clear();

    SaveAsTyping("new");
    EXPECT_EQ(titles.back(), "다른 이름으로 저장");
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"사진저장 완료했습니다"}));
    ASSERT_TRUE(std::filesystem::exists(photo + "/new.jpg"));
    EXPECT_EQ(RowCount(), 2);
    EXPECT_NE(Item("new.jpg"), nullptr);
    // The original file stays as it was and has no backup.
    EXPECT_TRUE(view->GetTransImage() != nullptr);
    EXPECT_FALSE(std::filesystem::exists(catalogue::BackupFolder() + "/a.jpg"));
    EXPECT_EQ(editor()->GetPositionText(), QStringLiteral("사진 1/2장"));
    boxes.clear();

    // The picture's own name saves in place, with the backup.
    SaveAsTyping("a");
    EXPECT_TRUE(std::filesystem::exists(catalogue::BackupFolder() + "/a.jpg"));
    EXPECT_EQ(RowCount(), 2);
}

TEST_F(EditorFrameTest, SaveAsNameChecksInTheirOrder) {
    const std::string folder = photo;
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/Exists.jpg") << "x";
    CString target;
    int same = 0;
    EXPECT_FALSE(dlgcheck::SaveAsName("", "a.JPG", folder, target, same).ok);
    // 84 bytes pass without a question; 85 ask, and No keeps the dialog open.
    EXPECT_TRUE(dlgcheck::SaveAsName(std::string(84, 'n'), "a.JPG", folder, target, same).ok);
    EXPECT_EQ(target, folder + "/" + std::string(84, 'n') + ".jpg");
    boxes.Script({IDNO});
    EXPECT_FALSE(dlgcheck::SaveAsName(std::string(85, 'n'), "a.JPG", folder, target, same).ok);
    boxes.Script({IDYES});
    EXPECT_TRUE(dlgcheck::SaveAsName(std::string(85, 'n'), "a.JPG", folder, target, same).ok);
    EXPECT_FALSE(dlgcheck::SaveAsName("a:b", "a.JPG", folder, target, same).ok);
    // Letter case counts: "exists.jpg" is another name than "Exists.jpg".
    EXPECT_TRUE(dlgcheck::SaveAsName("exists", "a.jpg", folder, target, same).ok);
    EXPECT_EQ(same, 0);
    EXPECT_FALSE(dlgcheck::SaveAsName("Exists", "a.jpg", folder, target, same).ok);
    // The current name with its extension lower-cased is the same name only when it matches.
    EXPECT_TRUE(dlgcheck::SaveAsName("a", "a.jpg", folder, target, same).ok);
    EXPECT_EQ(same, 1);
    const auto texts = boxes.texts();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0], "입력박스에 입력해주세요");
    EXPECT_EQ(texts[1].rfind("빔브로에서 지원하는 파일명 길이(80자)", 0), 0u);
    EXPECT_EQ(texts[3], "\\/<>\"?*:| 문자는 사용할수 없습니다");
    EXPECT_EQ(texts[4], "파일이 존재합니다. 다른이름을 입력해주세요.");
}

TEST_F(EditorFrameTest, ToolModeNoticeAndUndoRedoFollowTheCanvas) {
    Edit({"a.jpg", "b.jpg"});
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    canvas()->ProcessGray();
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    frame->OnCommand(ID_EDIT_UNDO);
    EXPECT_EQ(canvas()->CanUndo(), 0);
    EXPECT_TRUE(Enabled(ID_EDIT_REDO));
    frame->OnCommand(ID_EDIT_REDO);
    EXPECT_EQ(canvas()->CanUndo(), 1);

    // Crop mode: the canvas keeps the user; save, print and browsing wait.
    canvas()->SetModeChange(MODE_CROP);
    frame->SendMessage(WM_CANVAS_MODE, MODE_CROP);
    EXPECT_FALSE(top()->isEnabled());
    EXPECT_FALSE(editor()->GetButton(CViewEditor::IDC_SAVE)->isEnabled());
    EXPECT_FALSE(editor()->GetButton(CViewEditor::IDC_NEXT)->isEnabled());
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_PICTURE));
    EXPECT_FALSE(Enabled(ID_PRINT_PREVIEW));
    canvas()->SetModeChange(MODE_NORMAL);
    frame->SendMessage(WM_CANVAS_MODE, MODE_NORMAL);
    EXPECT_TRUE(top()->isEnabled());
    EXPECT_TRUE(editor()->GetButton(CViewEditor::IDC_SAVE)->isEnabled());
    EXPECT_TRUE(editor()->GetButton(CViewEditor::IDC_NEXT)->isEnabled());
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_PICTURE));
    EXPECT_TRUE(Enabled(ID_PRINT_PREVIEW));
}

TEST_F(EditorFrameTest, ExportCopiesTheEditedPicturesFile) {
    Edit({"a.jpg", "b.jpg"});
    const std::string out = home.root() + "/out";
    std::filesystem::create_directories(out);
    answer = [out](QDialog& dlg) {
        auto* exportDlg = dynamic_cast<CDlgExport*>(&dlg);
        ASSERT_NE(exportDlg, nullptr);
        exportDlg->FolderEdit()->setText(QString::fromStdString(out));
        exportDlg->OnOK();
    };
    frame->OnCommand(ID_FILE_EXPORT);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"총 1개의 파일을 내보냈습니다"}));
    EXPECT_EQ(win::ListFiles(out), (std::vector<std::string>{"a.jpg"}));
    EXPECT_EQ(Bytes(out + "/a.jpg"), Bytes(photo + "/a.jpg"));
}

TEST_F(EditorFrameTest, PrintPreviewOpensOverThePicture) {
    Edit({"a.jpg"});
    answer = [](QDialog& dlg) { EXPECT_NE(dynamic_cast<QPrintPreviewDialog*>(&dlg), nullptr); };
    frame->OnCommand(ID_PRINT_PREVIEW);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "인쇄 미리보기");
    editor()->GetButton(CViewEditor::IDC_PRINT)->click();
    EXPECT_EQ(titles.size(), 2u);
}

}  // namespace
