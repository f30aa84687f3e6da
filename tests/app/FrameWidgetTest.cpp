// The main frame, its skinned caption and the top bar, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QDropEvent>
#include <QUrl>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <fstream>

#include "app/AboutDlg.h"
#include "app/GnomeFrame.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/TopFrame.h"
#include "app/ViewComposer.h"
#include "app/ViewWrapper.h"
#include "app/VimbroApp.h"
#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "platform/brelt/Brelt.h"
#include "tests/support/FrameData.h"
#include "app/DlgAlbum.h"
#include "app/DlgFilter.h"
#include "app/DlgFrame.h"
#include "app/DlgPreview.h"
#include "app/PreviewChoice.h"
#include "app/ViewDecorate.h"
#include "app/ViewEditor.h"
#include "imaging/extImage.h"
#include "platform/lurvane/LurvaneWriter.h"
#include "views/catalogue/AlbumList.h"
#include "views/catalogue/artPicture.h"
#include "views/editor/FilterList.h"
#include "views/editor/FrameList.h"
#include "tests/catalogue/Fixture.h"
#include "tests/support/ToolRunner.h"
#include "views/catalogue/ViewThumb.h"
#include "views/controls/Registry.h"
#include "tests/app/MainFrameFixture.h"

namespace {

using apptest::App;

std::vector<std::string> ModelRange(int from, int to) {
    std::vector<std::string> names;
    for (int id = from; id <= to; ++id) names.push_back(CGandry::GetModelnameByModelID(id));
    return names;
}

class FrameTest : public cattest::CatalogueTest {
protected:
    FrameTest() {
        App();
        CBrelt::Unload();
        testsupport::InstallModels(home);
        frame = std::make_unique<CMainFrame>();
        EXPECT_TRUE(frame->OnCreate(false));
    }
    ~FrameTest() override { frame.reset(); }
    TopFrame* top() { return frame->GetTopFrame(); }
    bool Enabled(int id) {
        frame->UpdateCommands();
        QAction* a = frame->Action(id);
        EXPECT_NE(a, nullptr) << id;
        return a && a->isEnabled();
    }
    // An imported picture in the all-photos album, current and selected.
    void OnePicture(const std::string& name = "a.jpg") {
        Photo(name);
        view->SetAlbum(99, 0);
        frame->SetBrowser(view.get());
        view->SetCurrent(1);
    }

    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(FrameTest, PlainMenuCarriesEveryCommandAndTheModelListIsFilled) {
    for (int id : CFrameRules::Commands()) {
        if (id >= IDC_MODE_COMPOSE && id <= IDC_MODEL_LIST) continue;
        EXPECT_NE(frame->Action(id), nullptr) << id;
    }
    EXPECT_EQ(top()->ModelList()->count(), 66);
    EXPECT_EQ(top()->CurrentModelName(), "PM-00");
    EXPECT_EQ(frame->CurrentMode(), 0);
    EXPECT_TRUE(top()->IsToggled(0));
    EXPECT_EQ(frame->minimumSize(), QSize(1200, 800));
}

TEST_F(FrameTest, CommandsWithoutBrowserOrTheirViewsStayDisabled) {
    // The composition view hands its browser over at creation; take it away.
    ASSERT_NE(frame->Browser(), nullptr);
    frame->SetBrowser(nullptr);
    for (int id : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_THUMB_DELETE, ID_FILE_IMPORT, ID_RESTORE,
                   ID_FILE_SAVE_PICTURE, ID_PRINT_PREVIEW, ID_EDIT_UNDO, ID_PICTURE_INFO, ID_ALBUM_ADD})
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : {ID_SHOW_MODE_0, ID_SORT_ORDER_1, ID_CHECK_UPDATE, ID_HELP, ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(top()->ImportButton()->isEnabled());
}

TEST_F(FrameTest, BrowserStateDrivesTheCompositionCommands) {
    Photo("a.jpg");
    Photo("b.jpg", 64, 48, 1);
    view->SetAlbum(99, 0);
    frame->SetBrowser(view.get());
    for (vxImage* item : view->GetVector()) item->m_bSelected = 0;
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(Enabled(ID_FILE_IMPORT));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_THUMB_DELETE));
    Select({"a.jpg"});
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_THUMB_DELETE));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    frame->OnCommand(ID_EDIT_COPY);
    ASSERT_EQ(frame->CopySet().size(), 1u);
    EXPECT_EQ(*frame->CopySet().begin(), photo + "/a.jpg");
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    // A shortcut sees the selection made since the last update.
    for (vxImage* item : view->GetVector()) item->m_bSelected = 0;
    frame->UpdateCommands();
    ASSERT_FALSE(frame->Action(ID_EDIT_COPY)->isEnabled());
    for (vxImage* item : view->GetVector()) item->m_bSelected = 1;
    frame->show();
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(frame.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(frame->CopySet().size(), 2u);
    // Escape in album composition empties the copy set.
    frame->show();
    QTest::keyClick(frame.get(), Qt::Key_Escape);
    EXPECT_TRUE(frame->CopySet().empty());
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
}

TEST_F(FrameTest, PasteCopiesUnderTheNextFreeNameAndEmptiesTheCopySet) {
    OnePicture("a.jpg");
    // The copy keeps the source's last-write time, so its key names the picture's own time.
    cattest::SetTime(photo + "/a.jpg", 1136073600);
    Select({"a.jpg"});
    frame->OnCommand(ID_EDIT_COPY);
    ASSERT_EQ(frame->CopySet().size(), 1u);
    frame->OnCommand(ID_EDIT_PASTE);
    EXPECT_TRUE(frame->CopySet().empty());
    const auto files = PhotoFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(view->GetThumbCount(), 2);
    const std::string copy = files[0] == "a.jpg" ? files[1] : files[0];
    EXPECT_EQ(testsupport::ReadAll(photo + "/" + copy), testsupport::ReadAll(photo + "/a.jpg"));
    struct stat copied {};
    ASSERT_EQ(::stat((photo + "/" + copy).c_str(), &copied), 0);
    EXPECT_EQ(copied.st_mtime, 1136073600);
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
}

TEST_F(FrameTest, ImportRunsOnAWorkerAndTheFrameWaitsForIt) {
    if (CGandry::IsEmptySpace()) GTEST_SKIP() << "too little free disk space on this machine";
    const std::string outside = Outside("new.jpg");
    view->SetAlbum(99, 0);
    frame->SetBrowser(view.get());
    auto previous = CGandry::SetFileDialogHandler([&](CStringList* files, const CString& filter, int) {
        EXPECT_EQ(filter, CMainFrame::kImportFilter);
        files->push_back(outside);
        return 1;
    });
    frame->OnCommand(ID_FILE_IMPORT);
    EXPECT_TRUE(frame->IsImporting());
    // Meanwhile the browser's commands wait and the mode stays.
    EXPECT_FALSE(Enabled(ID_EDIT_SELECT_ALL));
    QElapsedTimer timer;
    timer.start();
    while (frame->IsImporting() && timer.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    CGandry::SetFileDialogHandler(previous);
    ASSERT_FALSE(frame->IsImporting());
    EXPECT_TRUE(std::filesystem::exists(photo + "/new.jpg"));
    EXPECT_EQ(view->GetThumbCount(), 1);
    EXPECT_FALSE(frame->IsProgressShown());
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
}

TEST_F(FrameTest, FilesDroppedOnTheBrowserAreImportedWithProgressLikeChosenOnes) {
    if (CGandry::IsEmptySpace()) GTEST_SKIP() << "too little free disk space on this machine";
    const std::string first = Outside("drop1.jpg");
    const std::string second = Outside("drop2.jpg");
    std::filesystem::create_directories(home.root() + "/a-folder");
    view->SetAlbum(99, 0);
    frame->SetBrowser(view.get());
    auto* composer = dynamic_cast<CViewComposer*>(frame->WorkView(0));
    ASSERT_NE(composer, nullptr);
    QWidget* target = composer->GetWrapper()->GetThumb()->viewport();

    // Only local files count: a web address and a folder are passed over.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)), QUrl(QStringLiteral("http://example.com/x.jpg")),
                  QUrl::fromLocalFile(QString::fromStdString(home.root() + "/a-folder")),
                  QUrl::fromLocalFile(QString::fromStdString(second))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());

    // The drop is answered first; the import follows on its worker.
    auto waitFor = [&](const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!(done() && !frame->IsImporting()) && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    };
    waitFor([&] { return view->GetThumbCount() == 2; });
    ASSERT_FALSE(frame->IsImporting());
    EXPECT_TRUE(std::filesystem::exists(photo + "/drop1.jpg"));
    EXPECT_TRUE(std::filesystem::exists(photo + "/drop2.jpg"));
    EXPECT_EQ(view->GetThumbCount(), 2);
    // The worker reported both files to the progress window, which is gone again, and the
    // frame takes input again.
    EXPECT_EQ(frame->ProgressMaximum(), 2);
    EXPECT_FALSE(frame->IsProgressShown());
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(frame->WorkView(0)->isEnabled());
    EXPECT_TRUE(top()->isEnabled());
    EXPECT_TRUE(boxes.texts().empty());

    // Dropped again: the same questions as the import command; keeping both files leaves
    // nothing to add.
    boxes.Script({IDNO, IDNO});
    QDragEnterEvent enterAgain(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enterAgain);
    QDropEvent again(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &again);
    waitFor([&] { return boxes.texts().size() == 3; });
    EXPECT_EQ(view->GetThumbCount(), 2);
    EXPECT_EQ(boxes.texts(),
              (std::vector<std::string>{"drop1.jpg 파일이 존재합니다. 덮어쓸까요?", "drop2.jpg 파일이 존재합니다. 덮어쓸까요?",
                                        "2개의 파일이 이미 추가되어있습니다"}));
}

TEST_F(FrameTest, ShortcutsDoNotFireWhileATextFieldHasTheFocus) {
    view->SetAlbum(99, 0);
    frame->SetBrowser(view.get());
    int dialogs = 0;
    auto previous = CGandry::SetFileDialogHandler([&](CStringList*, const CString&, int) {
        ++dialogs;
        return 0;
    });
    frame->show();
    QApplication::setActiveWindow(frame.get());
    auto* field = new QLineEdit(frame->WorkView(0));
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 0);
    field->clearFocus();
    frame->setFocus();
    QTest::keyClick(frame.get(), Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);
    CGandry::SetFileDialogHandler(previous);
}

TEST_F(FrameTest, SwitchRefusalsShowTheirMessagesAndKeepTheMode) {
    frame->SwitchToMode(1);
    frame->SwitchToMode(2);
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(12);
    frame->SendMessage(WM_SWITCH_DECORATE);
    CGandry::m_enumModel = MODEL_PM00;
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"사진편집 실행할수 없습니다", "사진을 선택해 주세요",
                                                       "해당모델은 ZEL꾸미기를 지원하지 않습니다"}));
    EXPECT_EQ(frame->CurrentMode(), 0);
    EXPECT_TRUE(top()->IsToggled(0));
    EXPECT_FALSE(top()->IsToggled(1));
}

TEST_F(FrameTest, MissingFileRefusesAndAPresentOneSwitches) {
    OnePicture();
    std::filesystem::remove(photo + "/a.jpg");
    frame->SwitchToMode(1);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"파일의 링크가 깨져있거나, 실제파일이 삭제되어졌습니다."}));
    EXPECT_EQ(frame->CurrentMode(), 0);
}

TEST_F(FrameTest, ModesSwitchTogglesButtonsAndMovesTheUndecoratedModels) {
    OnePicture();
    const auto all = ModelRange(0, 65);
    frame->SendMessage(WM_SWITCH_EDIT);
    EXPECT_EQ(frame->CurrentMode(), 1);
    EXPECT_TRUE(top()->IsToggled(1));
    EXPECT_FALSE(top()->IsToggled(0));
    EXPECT_EQ(top()->ModelNames(), all);

    QTest::mouseClick(top()->ModeButton(2), Qt::LeftButton);
    EXPECT_EQ(frame->CurrentMode(), 2);
    EXPECT_TRUE(top()->IsToggled(2));
    auto without = top()->ModelNames();
    EXPECT_EQ(without.size(), 62u);
    for (const char* gone : {"PM-04", "PM-12", "PM-15", "PM-24"})
        EXPECT_EQ(std::count(without.begin(), without.end(), gone), 0) << gone;
    EXPECT_FALSE(Enabled(ID_RESTORE));

    // Switching again to the current mode does nothing.
    frame->SwitchToMode(2);
    EXPECT_EQ(top()->ModelNames().size(), 62u);

    QTest::mouseClick(top()->ModeButton(0), Qt::LeftButton);
    EXPECT_EQ(frame->CurrentMode(), 0);
    EXPECT_EQ(top()->ModelNames(), all);
    EXPECT_EQ(top()->CurrentModelName(), "PM-00");
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(FrameTest, ModelChangeDisablesDecorationAndSendsTheFirstPictureSize) {
    top()->ModelList()->setCurrentIndex(4);
    frame->OnCommand(IDC_MODEL_LIST);
    EXPECT_EQ(CGandry::m_enumModel, 4);
    EXPECT_FALSE(top()->ModeButton(2)->isEnabled());
    EXPECT_EQ(frame->LcdSize(), CGandry::GetSizeByModelID_Index(4, 0));
    top()->ModelList()->setCurrentIndex(59);
    frame->OnCommand(IDC_MODEL_LIST);
    EXPECT_EQ(CGandry::m_enumModel, 59);
    EXPECT_TRUE(top()->ModeButton(2)->isEnabled());
    EXPECT_EQ(frame->LcdSize().cx, 240);
    EXPECT_EQ(frame->LcdSize().cy, 320);
    CGandry::m_enumModel = MODEL_PM00;
}

TEST_F(FrameTest, ModelChangeRebuildsTheDecorationPreviewSizes) {
    auto* decorate = dynamic_cast<CViewDecorate*>(frame->WorkView(2));
    ASSERT_NE(decorate, nullptr);
    CDlgPreview* preview = decorate->GetDlgPreview();
    auto captions = [preview] {
        std::vector<std::string> texts;
        for (int i = 0; i < CPreviewChoice::kButtonCount; ++i)
            texts.push_back(preview->GetSizeButton(i)->text().toStdString());
        return texts;
    };
    auto comboTexts = [preview] {
        std::vector<std::string> texts;
        for (int i = 0; i < preview->GetSizeCombo()->count(); ++i)
            texts.push_back(preview->GetSizeCombo()->itemText(i).toStdString());
        return texts;
    };
    auto expectedCombo = [](int model) {
        std::vector<std::string> texts;
        for (const CSize& size : CPreviewChoice::PictureSizes(model)) texts.push_back(CPreviewChoice::FormatSize(size));
        return texts;
    };
    ASSERT_EQ(captions(), (std::vector<std::string>{"176x144", "240x180", "240x320"}));

    // Model 4 offers the small screens; a size button chosen before falls back to the first.
    preview->OnSizeButton(2);
    top()->ModelList()->setCurrentIndex(4);
    frame->OnCommand(IDC_MODEL_LIST);
    ASSERT_EQ(CGandry::m_enumModel, 4);
    EXPECT_EQ(captions(), (std::vector<std::string>{"128x128", "128x160", "176x144"}));
    EXPECT_EQ(preview->GetSelectedButton(), 0);
    ASSERT_FALSE(expectedCombo(4).empty());
    EXPECT_EQ(comboTexts(), expectedCombo(4));
    EXPECT_NE(comboTexts(), expectedCombo(0));
    EXPECT_EQ(preview->GetSizeCombo()->currentIndex(), 0);
    // The model's first LCD size reaches the panel after the rebuild.
    EXPECT_EQ(preview->GetPreviewSize(), CGandry::GetSizeByModelID_Index(4, 0));

    // A model without its own buttons shows the plain three.
    top()->ModelList()->setCurrentIndex(59);
    frame->OnCommand(IDC_MODEL_LIST);
    ASSERT_EQ(CGandry::m_enumModel, 59);
    EXPECT_EQ(captions(), (std::vector<std::string>{"128x160", "176x144", "176x220"}));
    EXPECT_EQ(comboTexts(), expectedCombo(59));
    CGandry::m_enumModel = MODEL_PM00;
}

TEST_F(FrameTest, ProgressDisablesMenuTopBarAndAlbumViewUntilItEnds) {
    frame->SendMessage(WM_PROGRESS_BEGIN, 40);
    EXPECT_TRUE(frame->IsProgressShown());
    EXPECT_FALSE(frame->menuBar()->isEnabled());
    EXPECT_FALSE(top()->isEnabled());
    EXPECT_FALSE(frame->WorkView(0)->isEnabled());
    EXPECT_EQ(frame->ProgressMaximum(), 40);
    EXPECT_EQ(frame->ProgressPosition(), 0);
    frame->SendMessage(WM_PROGRESS_POS, 17);
    EXPECT_EQ(frame->ProgressPosition(), 17);
    frame->SendMessage(WM_PROGRESS_END);
    EXPECT_FALSE(frame->IsProgressShown());
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(top()->isEnabled());
    EXPECT_TRUE(frame->WorkView(0)->isEnabled());
    EXPECT_EQ(frame->ProgressPosition(), 0);
}

TEST_F(FrameTest, CanvasModesLockAndFreeTheTopBar) {
    frame->SendMessage(WM_CANVAS_MODE, 0);
    EXPECT_FALSE(top()->isEnabled());
    frame->SendMessage(WM_CANVAS_MODE, 3);
    EXPECT_FALSE(top()->isEnabled());
    frame->SendMessage(WM_CANVAS_MODE, 5);
    EXPECT_TRUE(top()->isEnabled());
}

TEST_F(FrameTest, EnvironmentChoicesAreStoredAndTheModelSelectedByName) {
    frame->ApplyEnvironment(SHOW_MODE_2, 0x123456, 45, 0);
    EXPECT_EQ(top()->CurrentModelName(), "PM-45");
    EXPECT_EQ(CGandry::m_enumModel, 45);
    EXPECT_EQ(frame->LcdSize(), CGandry::GetSizeByModelID_Index(45, 0));
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(CRegistry::currentUser, "Software\\Vimbro"));
    unsigned long v = 0;
    EXPECT_TRUE(reg.GetValue("enumShow", v));
    EXPECT_EQ(v, 2u);
    EXPECT_TRUE(reg.GetValue("crBack", v));
    EXPECT_EQ(v, 0x123456u);
    EXPECT_TRUE(reg.GetValue("enumModel", v));
    EXPECT_EQ(v, 45u);
    EXPECT_TRUE(reg.GetValue("bAuto", v));
    EXPECT_EQ(v, 0u);
    CGandry::m_enumModel = MODEL_PM00;
    CGandry::m_enumShow = SHOW_MODE_0;
}

// ---- Start-up ------------------------------------------------------------------------------

TEST(FrameStartup, CleanStoreUsesDefaultsAndMissingModelMovesOn) {
    App();
    testsupport::TempHome home;
    testsupport::InstallModels(home, {2, 3, 7});
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(false));
    EXPECT_EQ(CGandry::m_enumShow, 0);
    EXPECT_EQ(CGandry::m_crBackground, 0xFFFFFFu);
    EXPECT_EQ(CGandry::m_bAutoUpgrade, 1);
    // Model 0 is not installed: the first later one that is becomes current.
    EXPECT_EQ(CGandry::m_enumModel, 2);
    EXPECT_EQ(frame.GetTopFrame()->ModelNames(), (std::vector<std::string>{"PM-02", "PM-03", "PM-07"}));
    EXPECT_EQ(frame.GetTopFrame()->CurrentModelName(), "PM-02");
    EXPECT_TRUE(std::filesystem::exists(CGandry::GetRunDir() + "zldb.mdb"));
    CGandry::m_enumModel = MODEL_PM00;
}

TEST(FrameStartup, OnlyTheColourStored) {
    App();
    testsupport::TempHome home;
    testsupport::InstallModels(home);
    {
        CRegistry reg;
        ASSERT_TRUE(reg.CreateKey(CRegistry::currentUser, "Software\\Vimbro"));
        ASSERT_TRUE(reg.SetValue("crBack", 0x00FF00ul));
    }
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(9);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(false));
    EXPECT_EQ(CGandry::m_crBackground, 0x00FF00u);
    EXPECT_EQ(CGandry::m_enumShow, 0);
    EXPECT_EQ(CGandry::m_enumModel, 0);
    EXPECT_EQ(CGandry::m_bAutoUpgrade, 1);
    EXPECT_EQ(frame.GetTopFrame()->CurrentModelName(), "PM-00");
}

TEST(FrameStartup, MissingResourceFileSaysSoAndThePlainLookWorks) {
    App();
    testsupport::TempHome home;
    CMessageBoxResponder boxes;
    EXPECT_FALSE(CVimbroApp::LoadResources(QString::fromStdString(home.root())));
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Load Failed ResourceFile"}));
    EXPECT_FALSE(CBrelt::IsLoaded());
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate(false));
    // The plain menu, and the picture buttons named by their tooltips.
    EXPECT_NE(frame.Action(ID_HELP), nullptr);
    EXPECT_EQ(frame.GetTopFrame()->AddAlbumButton()->accessibleName(), QStringLiteral("앨범추가"));
    EXPECT_EQ(frame.GetTopFrame()->ImportButton()->accessibleName(), QStringLiteral("가져오기"));
    frame.resize(1300, 900);
    frame.show();
    QImage shot = frame.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(1300, 900));
}

TEST(FrameStartup, HelpTopicLivesInTheProgramsHelpFolder) {
    App();
    EXPECT_TRUE(CMainFrame::HelpTopicPath().endsWith(QStringLiteral("/help/001_AboutVimbroSuite.htm")));
    EXPECT_TRUE(CMainFrame::HelpTopicPath().startsWith(QCoreApplication::applicationDirPath()));
}

TEST(FrameStartup, AboutVersionText) {
    VS_FIXEDFILEINFO info{};
    info.dwFileVersionMS = (2u << 16) | 1u;
    info.dwFileVersionLS = (7u << 16) | 9u;
    EXPECT_EQ(CAboutDlg::VersionText(info), QStringLiteral("Version : 2.17"));
}

// ---- Caption and top bar ---------------------------------------------------------------------

TEST(CaptionButtons, RectanglesEndBeforeTheRightPiece) {
    CCaptionButtons b;
    b.Place(1200, 10);
    // 1200 - 3 * 20 - 10 = 1130, then +20 each, at y 7, 16 by 17.
    EXPECT_EQ(b.Rects()[0], QRect(1130, 7, 16, 17));
    EXPECT_EQ(b.Rects()[1], QRect(1150, 7, 16, 17));
    EXPECT_EQ(b.Rects()[2], QRect(1170, 7, 16, 17));
    EXPECT_EQ(b.HitTest(QPoint(1130, 7)), CCaptionButtons::Minimize);
    EXPECT_EQ(b.HitTest(QPoint(1146, 7)), CCaptionButtons::None);  // the gap
    EXPECT_EQ(b.HitTest(QPoint(1185, 23)), CCaptionButtons::Close);
    EXPECT_EQ(b.HitTest(QPoint(1185, 24)), CCaptionButtons::None);
}

TEST(CaptionButtons, HoverPressAndReleaseRules) {
    CCaptionButtons b;
    b.Place(1000, 0);
    const QPoint minimize = b.Rects()[0].center(), maximize = b.Rects()[1].center(), close = b.Rects()[2].center();
    EXPECT_TRUE(b.Move(maximize));
    EXPECT_FALSE(b.Move(maximize));  // unchanged: no repaint
    EXPECT_EQ(b.StateOffset(CCaptionButtons::Maximize), 16);
    EXPECT_EQ(b.StateOffset(CCaptionButtons::Close), 0);
    // Pressed shows 32; hovering another while pressed shows nothing there.
    EXPECT_TRUE(b.Press(close));
    EXPECT_EQ(b.StateOffset(CCaptionButtons::Close), 32);
    EXPECT_EQ(b.StateOffset(CCaptionButtons::Maximize), 0);
    // Released over another button: no command.
    EXPECT_EQ(b.Release(maximize, false), CCaptionButtons::NoCommand);
    EXPECT_EQ(b.Pressed(), CCaptionButtons::None);
    b.Press(close);
    EXPECT_EQ(b.Release(QPoint(5, 5), false), CCaptionButtons::NoCommand);
    b.Press(close);
    EXPECT_EQ(b.Release(close, false), CCaptionButtons::SC_CLOSE);
    b.Press(minimize);
    EXPECT_EQ(b.Release(minimize, true), CCaptionButtons::SC_MINIMIZE);
    b.Press(maximize);
    EXPECT_EQ(b.Release(maximize, false), CCaptionButtons::SC_MAXIMIZE);
    b.Press(maximize);
    EXPECT_EQ(b.Release(maximize, true), CCaptionButtons::SC_RESTORE);
    // Lost capture forgets the press.
    b.Press(close);
    b.CaptureLost();
    EXPECT_EQ(b.Release(close, false), CCaptionButtons::NoCommand);
    EXPECT_FALSE(b.Press(QPoint(0, 0)));
    EXPECT_TRUE(b.Leave());
    EXPECT_FALSE(b.Leave());
}

TEST(CaptionButtons, FrameReleaseOutsideSendsNothingAndOverCloseCloses) {
    App();
    CBrelt::Unload();
    CGnomeFrame frame;
    frame.resize(800, 600);
    frame.show();
    const QPoint close = frame.CaptionButtons().Rects()[2].center();
    QTest::mousePress(&frame, Qt::LeftButton, {}, close);
    QTest::mouseRelease(&frame, Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_TRUE(frame.isVisible());
    QTest::mousePress(&frame, Qt::LeftButton, {}, close);
    QTest::mouseRelease(&frame, Qt::LeftButton, {}, close);
    EXPECT_FALSE(frame.isVisible());
}

TEST(CaptionButtons, CaptionBandAndBorders) {
    App();
    CGnomeFrame frame;
    frame.resize(800, 600);
    EXPECT_TRUE(frame.InCaptionBand(QPoint(300, 29)));
    EXPECT_FALSE(frame.InCaptionBand(QPoint(300, 30)));
    EXPECT_FALSE(frame.InCaptionBand(frame.CaptionButtons().Rects()[0].center()));
    EXPECT_EQ(frame.BorderAt(QPoint(1, 300)), Qt::Edges(Qt::LeftEdge));
    EXPECT_EQ(frame.BorderAt(QPoint(798, 300)), Qt::Edges(Qt::RightEdge));
    EXPECT_EQ(frame.BorderAt(QPoint(400, 598)), Qt::Edges(Qt::BottomEdge));
    EXPECT_EQ(frame.BorderAt(QPoint(799, 599)), Qt::Edges(Qt::RightEdge | Qt::BottomEdge));
    EXPECT_EQ(frame.BorderAt(QPoint(400, 300)), Qt::Edges());
    EXPECT_EQ(frame.contentsMargins(), QMargins(4, 30, 4, 4));
}

TEST(TopFrameLayout, ArithmeticForAWidth) {
    const auto l = TopFrameLayout::Compute(1200, QSize(100, 30), 40, QSize(60, 36), QSize(70, 36), false);
    // (1200 - 10 - 300) / 2 = 445.
    EXPECT_EQ(l.modeButtons[0], QRect(445, 11, 100, 30));
    EXPECT_EQ(l.modeButtons[1], QRect(550, 11, 100, 30));
    EXPECT_EQ(l.modeButtons[2], QRect(655, 11, 100, 30));
    EXPECT_EQ(l.addAlbum, QRect(16, 57, 60, 36));
    EXPECT_EQ(l.import, QRect(1200 - 70 - 14, 57, 70, 36));
    EXPECT_EQ(l.strip, QRect(78, 52, 1200 - 70 - 60 - 36, 44));
    EXPECT_EQ(l.label, QRect(980, 11, 50, 20));
    EXPECT_EQ(l.modelList, QRect(1030, 11, 150, 20));
    const auto scrolled = TopFrameLayout::Compute(1200, QSize(100, 30), 40, QSize(60, 36), QSize(70, 36), true);
    EXPECT_EQ(scrolled.strip.height(), 56);
}

TEST(TopFrameLayout, WidgetPlacesItsControlsAndNamesThem) {
    App();
    CBrelt::Unload();
    testsupport::TempHome home;
    testsupport::InstallModels(home, {0, 1});
    TopFrame top;
    top.Initialize();
    top.resize(1300, top.height());
    top.show();
    const auto& l = top.Layout();
    EXPECT_EQ(top.ModelList()->geometry(), l.modelList);
    EXPECT_EQ(top.ModelLabel()->geometry(), l.label);
    EXPECT_EQ(top.ModeButton(1)->geometry(), l.modeButtons[1]);
    EXPECT_EQ(l.modelList, QRect(1130, 11, 150, 20));
    EXPECT_EQ(top.ModelLabel()->buddy(), top.ModelList());
    EXPECT_EQ(top.ModelLabel()->text(), QStringLiteral("폰 모델"));
    EXPECT_EQ(top.ModeButton(0)->accessibleName(), QStringLiteral("앨범구성"));
    EXPECT_EQ(top.ModeButton(2)->accessibleName(), QStringLiteral("ZEL 꾸미기"));
    EXPECT_EQ(top.ModeButton(1)->toolTip(), QStringLiteral("사진편집"));
    EXPECT_FALSE(top.ModeButton(2)->isEnabled());
    EXPECT_TRUE(top.IsToggled(0));
    top.SetStripScroll(true);
    EXPECT_EQ(top.StripRect().height(), l.addAlbum.height() + 20);
    CGandry::m_enumModel = MODEL_PM00;
}

TEST(FrameStartup, WithTheResourceFileTheSkinAndMenuComeFromIt) {
    App();
    testsupport::TempHome home;
    testsupport::InstallModels(home);
    CMessageBoxResponder boxes;
    ASSERT_TRUE(CVimbroApp::LoadResources(QString::fromStdString(testsupport::BinDir())));
    EXPECT_TRUE(boxes.texts().empty());
    {
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate(false));
        // Every command of the frame is in the resource file's menu.
        for (int id : CFrameRules::Commands()) {
            if (id >= IDC_MODE_COMPOSE && id <= IDC_MODEL_LIST) continue;
            EXPECT_NE(frame.Action(id), nullptr) << id;
        }
        frame.resize(1400, 900);
        frame.show();
        const TopFrameLayout& l = frame.GetTopFrame()->Layout();
        const QImage mode = CBrelt::Bitmap(IDB_MODE_COMPOSE), add = CBrelt::Bitmap(IDB_ADD_ALBUM);
        EXPECT_EQ(l.modeButtons[0].size(), QSize(mode.width() / 2, mode.height()));
        EXPECT_EQ(l.addAlbum.size(), QSize(add.width() / 5, add.height()));
        EXPECT_EQ(l.addAlbum.top(), 6 + CBrelt::Bitmap(IDB_TOP_TITLE).height() + 11);
    }
    CBrelt::Unload();
}

// ---- Picture lists ------------------------------------------------------------------------

TEST_F(FrameTest, PickersTakeTheCurrentPictureAndTheAlbumOnEnteringTheirModes) {
    OnePicture();
    frame->SwitchToMode(1);
    ASSERT_EQ(frame->CurrentMode(), 1);
    auto* editor = dynamic_cast<CViewEditor*>(frame->WorkView(1));
    ASSERT_NE(editor, nullptr);
    CFilterList* filters = editor->GetDlgFilter()->GetFilterList();
    ASSERT_EQ(filters->GetCount(), 9);
    for (int i = 0; i < 9; ++i) {
        ASSERT_NE(filters->GetItem(i)->GetPtrPic(), nullptr) << i;
        EXPECT_EQ(filters->GetItem(i)->GetPtrPic()->GetWidth(), 43u);
    }
    frame->SwitchToMode(2);
    ASSERT_EQ(frame->CurrentMode(), 2);
    auto* decorate = dynamic_cast<CViewDecorate*>(frame->WorkView(2));
    ASSERT_NE(decorate, nullptr);
    EXPECT_EQ(decorate->GetDlgAlbum()->GetTitleText(), QStringLiteral("전체사진(1장)"));
    CAlbumList* album = decorate->GetDlgAlbum()->GetAlbumList();
    ASSERT_EQ(album->GetCount(), 1);
    EXPECT_EQ(album->GetItem(0)->GetName(), "a.jpg");
    EXPECT_EQ(album->GetCurrent(), 0);
    EXPECT_EQ(album->GetItem(0)->GetSelected(), 1);
    EXPECT_TRUE(boxes.texts().empty());
}

TEST_F(FrameTest, LcdSizeChangeReloadsTheFramesForTheScreensOrientation) {
    // Model 59 with one frame whose variants differ: blue for portrait, red for landscape.
    CLurvaneWriter writer;
    const std::uint8_t portrait[4] = {255, 0, 0, 0}, landscape[4] = {0, 0, 255, 0};
    writer.AddPicture(1, 1, portrait, 4);
    writer.AddPicture(1, 1, landscape, 4);
    ASSERT_TRUE(writer.Save(home.runDir() + "data/" + CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(59))));
    auto* decorate = dynamic_cast<CViewDecorate*>(frame->WorkView(2));
    ASSERT_NE(decorate, nullptr);
    CFrameList* frames = decorate->GetDlgFrame()->GetFrameList();

    top()->ModelList()->setCurrentIndex(59);
    frame->OnCommand(IDC_MODEL_LIST);  // 240 × 320: portrait
    ASSERT_EQ(frames->GetCount(), 2);
    EXPECT_EQ(frames->GetItem(1)->GetPtrPic()->GetPixelColor(0, 0).rgbBlue, 255);
    CSize wide(320, 240);
    frame->SendMessage(WM_LCD_SIZE, reinterpret_cast<WPARAM>(&wide), 1);
    ASSERT_EQ(frames->GetCount(), 2);
    EXPECT_EQ(frames->GetItem(1)->GetPtrPic()->GetPixelColor(0, 0).rgbRed, 255);
    // Without the reload flag the list stays.
    CSize tall(240, 320);
    frame->SendMessage(WM_LCD_SIZE, reinterpret_cast<WPARAM>(&tall), 0);
    EXPECT_EQ(frames->GetItem(1)->GetPtrPic()->GetPixelColor(0, 0).rgbRed, 255);
    CGandry::m_enumModel = MODEL_PM00;
}
