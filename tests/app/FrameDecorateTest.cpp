// The frame's decoration mode: entering it, the picture and frame lists' clicks, crops that
// become slides, the LCD size, saving the slides as EBA and a slide as PHT, export and print
// preview, each with its exact messages. Dialogs are answered in place of exec().
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DlgExport.h"
#include "app/DlgExportEBA.h"
#include "app/DlgExportPHT.h"
#include "app/DlgWrapper.h"
#include "app/DlgPreview.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/Settings.h"
#include "app/ViewDecorate.h"
#include "common/Gandry.h"
#include "imaging/EBAWrapper.h"
#include "platform/brelt/Brelt.h"
#include "platform/win/fileapi.h"
#include "tests/app/MainFrameFixture.h"
#include "views/controls/BitmapSlider.h"
#include "views/controls/xSkinButtonEx.h"
#include "views/editor/ViewMain.h"
#include "views/editor/ViewMainCore.h"
#include "views/slides/SlideStrip.h"
#include "views/slides/ViewSlider.h"

namespace {

// Message numbers the views send the frame.
constexpr UINT kPictureListClick = 0x0C07;
constexpr UINT kCropToSlides = 0x0C08;
constexpr UINT kSavePht = 0x0C09;
constexpr UINT kSlidesPlay = 0x0C0B;
constexpr UINT kLcdSize = 0x0C0C;

const std::string kAskSave = "현재의 프레임정보를 저장하시겠습니까?";
const std::string kAskDelete = "삭제하시겠습니까?";

using apptest::App;

extImage Solid(int w, int h, BYTE level) {
    extImage picture(static_cast<DWORD>(w), static_cast<DWORD>(h), 24);
    picture.Clear(level);
    return picture;
}

class FrameDecorateTest : public apptest::MainFrameTest {
protected:
    FrameDecorateTest() {
        deco = dynamic_cast<CViewDecorate*>(frame->WorkView(2));
        documents = CGandry::GetDocumentPath();
    }

    // Into mode 2 on picture `number` (1-based).
    void Enter(int number) {
        view->SetCurrent(number);
        frame->SwitchToMode(2);
        ASSERT_EQ(frame->CurrentMode(), 2);
    }
    CSlideStrip& Slides() { return deco->Slides()->Strip(); }
    CViewMainCore& Canvas() { return *deco->Canvas(); }
    void AddSlides(int count, int w = 32, int h = 24) {
        for (int i = 0; i < count; ++i) {
            // As the user does: click the first empty box, then place the crop.
            Slides().OnLButtonDown(Slides().GetVisibleBoxRect(Slides().GetValidCount()).CenterPoint());
            extImage picture = Solid(w, h, static_cast<BYTE>(40 * (i + 1)));
            Slides().SetCropImage(&picture);
        }
    }
    // The name dialog of either kind: types `name` and presses OK.
    void AnswerPhoneName(const std::string& name) {
        answer = [name](QDialog& dlg) {
            auto& d = dynamic_cast<CDlgExportPhone&>(dlg);
            d.NameEdit()->setText(QString::fromStdString(name));
            d.OnOK();
        };
    }
    int Number(const std::string& name) {
        const auto& items = view->GetVector();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i]->m_strFilename == name) return static_cast<int>(i) + 1;
        return 0;
    }

    CViewDecorate* deco = nullptr;
    std::string documents;
};

}  // namespace

TEST_F(FrameDecorateTest, EnteringShowsTheAlbumThenRefusesWithoutAPicture) {
    Pictures({"a.jpg", "b.jpg"});
    view->SetAlbum(view->AddAlbum("빈 앨범"), 0);
    frame->SwitchToMode(2);
    EXPECT_EQ(frame->CurrentMode(), 0);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"사진을 선택해 주세요"});
    // The list took the album before the refusal.
    EXPECT_EQ(deco->GetAlbumName(), "빈 앨범");
    EXPECT_TRUE(deco->GetPictureItems().empty());

    boxes.clear();
    view->SetAlbum(99, 0);
    Enter(2);
    EXPECT_EQ(deco->GetAlbumName(), "전체사진");
    EXPECT_EQ(deco->GetPictureItems().size(), 2u);
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(deco->GetSelectedPicture(), 1);
    EXPECT_EQ(deco->GetZoom(), 15);
    EXPECT_EQ(deco->GetPositionText().toStdString(), "사진 2/2장");
    ASSERT_NE(Canvas().GetMainImage(), nullptr);
    EXPECT_EQ(Canvas().GetMainImage()->GetWidth(), 64u);
    EXPECT_EQ(Canvas().GetCurrentMode(), MODE_LCD);
    EXPECT_EQ(Canvas().GetFullPath(), photo + "/b.jpg");
    // Saving, save as, print and export belong to the slides here.
    for (int id : {ID_FILE_SAVE_PICTURE, ID_FILE_SAVE_PICTURE_AS, ID_PRINT_PREVIEW, ID_FILE_EXPORT})
        EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(FrameDecorateTest, ARealAlbumIsNamedFromTheCatalogueAndAMissingFileRefuses) {
    Pictures({"a.jpg", "b.jpg"});
    const int album = view->AddAlbum("여름 여행");
    Select({"a.jpg"});
    view->MoveToAlbum(99, album);
    view->SetAlbum(album, 0);
    ASSERT_EQ(view->GetThumbCount(), 1);
    std::filesystem::remove(photo + "/a.jpg");
    view->SetCurrent(1);
    frame->SwitchToMode(2);
    EXPECT_EQ(frame->CurrentMode(), 0);
    EXPECT_EQ(deco->GetAlbumName(), "여름 여행");
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"파일의 링크가 깨져있거나, 실제파일이 삭제되어졌습니다."});

    // A model without decoration is refused before the list is touched.
    view->SetAlbum(99, 0);
    deco->SetPictureList("", {});
    boxes.clear();
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(12);
    frame->SendMessage(0x0C03, 0, 0);
    EXPECT_EQ(frame->CurrentMode(), 0);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"해당모델은 ZEL꾸미기를 지원하지 않습니다"});
    EXPECT_EQ(deco->GetAlbumName(), "");
}

TEST_F(FrameDecorateTest, TheCanvasCropBecomesASlideExceptWhilePlaying) {
    Pictures({"a.jpg"});
    CSize lcd(32, 24);
    frame->SendMessage(kLcdSize, reinterpret_cast<WPARAM>(&lcd), 0);
    EXPECT_EQ(deco->GetPreviewSizeText().toStdString(), " : 32x24");
    Canvas().SetClientSize(CSize(300, 200));
    Enter(1);
    EXPECT_EQ(Canvas().GetLCDSize(), lcd);
    const CRect window = Canvas().GetLCDWindowRect();
    Canvas().OnLButtonDblClk(CPoint(window.left + 2, window.top + 2));
    ASSERT_NE(Canvas().GetClipImage(), nullptr);
    frame->SendMessage(kCropToSlides, 0, 0);
    ASSERT_EQ(Slides().GetValidCount(), 1);
    EXPECT_EQ(Slides().GetPtrImage()->GetWidth(), 32u);
    EXPECT_EQ(Slides().GetPtrImage()->GetHeight(), 24u);
    EXPECT_TRUE(boxes.texts().empty());

    frame->SendMessage(kSlidesPlay, 1, 0);
    EXPECT_TRUE(Slides().IsPlaying());
    frame->SendMessage(kCropToSlides, 0, 0);
    EXPECT_EQ(Slides().GetValidCount(), 1);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"애니메이션 플레이를 멈춘후에 추가하십시요."});
    frame->SendMessage(kSlidesPlay, 0, 0);
    EXPECT_FALSE(Slides().IsPlaying());
    Slides().OnLButtonDown(Slides().GetVisibleBoxRect(1).CenterPoint());
    frame->SendMessage(kCropToSlides, 0, 0);
    EXPECT_EQ(Slides().GetValidCount(), 2);
}

TEST_F(FrameDecorateTest, SlidesSaveAsEbaIntoTheImageFolderAndJoinTheAllPhotosAlbum) {
    Pictures({"a.jpg"});
    Enter(1);
    // Nothing to save: refused before the dialog.
    answer = nullptr;
    frame->OnCommand(ID_FILE_SAVE_PICTURE);
    EXPECT_TRUE(titles.empty());
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"빈슬라이드는 저장할수 없습니다"});

    AddSlides(3);
    Slides().OnDelay(1500);
    boxes.clear();
    frame->OnCommand(ID_FILE_SAVE_PICTURE);  // cancelled
    EXPECT_EQ(titles, std::vector<std::string>{"애니메이션 저장"});
    EXPECT_TRUE(boxes.texts().empty());

    AnswerPhoneName("walk.gif");
    // The view's save button is the same command.
    deco->GetButton(CViewDecorate::IDC_SAVE)->click();
    const std::string file = documents + "/ZEL/Image/walk.eba";
    ASSERT_TRUE(win::FileExists(file));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{documents + "/ZEL/Image \r\n\r\nEBA파일저장 완료했습니다"});
    EXPECT_EQ(Slides().GetModify(), 0);
    CEBAWrapper saved;
    ASSERT_TRUE(saved.LoadEBA(file.c_str()));
    ASSERT_EQ(saved.GetValidCount(), 3);
    EXPECT_EQ(saved.GetPtrFrameList()[0]->nDelay, 100);
    EXPECT_EQ(saved.GetPtrFrameList()[2]->nDelay, 1500);
    EXPECT_EQ(saved.GetPtrFrameList()[0]->pImage->GetWidth(), 32u);
    // The all-photos album shows the new file, and so does the picture list.
    ASSERT_NE(Number("walk.eba"), 0);
    EXPECT_EQ(view->GetThumbCount(), 2);
    EXPECT_EQ(deco->GetPictureItems().size(), 2u);
    EXPECT_EQ(deco->GetAlbumName(), "전체사진");

    // Saving again under the same name asks; the item is renewed, not added twice.
    boxes.clear();
    boxes.Script({IDNO});  // the dialog stays open; closed there, nothing is written
    frame->OnCommand(ID_FILE_SAVE_PICTURE_AS);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"파일이 존재합니다. 덮어쓸까요?"});
    boxes.clear();
    boxes.Script({IDYES});
    frame->OnCommand(ID_FILE_SAVE_PICTURE_AS);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"파일이 존재합니다. 덮어쓸까요?",
                                                       documents + "/ZEL/Image \r\n\r\nEBA파일저장 완료했습니다"}));
    EXPECT_EQ(view->GetThumbCount(), 2);
}

TEST_F(FrameDecorateTest, TheCurrentSlideSavesAsPhtIntoThePhotoFolder) {
    Pictures({"a.jpg"});
    Enter(1);
    AddSlides(2, 20, 10);
    ASSERT_EQ(Slides().GetSelectedIndex(), 1);
    AnswerPhoneName("photo.jpg");
    frame->SendMessage(kSavePht, 0, 0);
    EXPECT_EQ(titles, std::vector<std::string>{"PHT 저장"});
    const std::string file = photo + "/photo.pht";
    ASSERT_TRUE(win::FileExists(file));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{documents + "/ZEL/Photo \r\n\r\nPHT파일저장 완료했습니다"});
    // 48 header bytes and two bytes a pixel of the 20 by 10 slide.
    EXPECT_EQ(std::filesystem::file_size(file), 48u + 20u * 10u * 2u);
    EXPECT_NE(Number("photo.pht"), 0);

    // Outside the all-photos album the file is written but the album does not take it.
    const int album = view->AddAlbum("b");
    view->SetAlbum(album, 0);
    boxes.clear();
    AnswerPhoneName("second");
    frame->SendMessage(kSavePht, 0, 0);
    EXPECT_TRUE(win::FileExists(photo + "/second.pht"));
    EXPECT_EQ(view->GetThumbCount(), 0);
}

TEST_F(FrameDecorateTest, AnLcdSizeChangeAsksToSaveThenClearsTheSlidesAndReloadsFrames) {
    Pictures({"a.jpg"});
    Enter(1);
    std::vector<std::string> loads;
    extImage frameImage = Solid(32, 24, 0);
    deco->SetFrameList([&](int index) { return index == 1 ? &frameImage : nullptr; },
                       [&](int model, int bitmap, bool landscape) {
                           loads.push_back(std::to_string(model) + "/" + std::to_string(bitmap) + "/" +
                                           (landscape ? "landscape" : "portrait"));
                       });
    frame->SendMessage(kPictureListClick, 1, 2);
    EXPECT_EQ(Canvas().GetFrameImage(), &frameImage);
    EXPECT_EQ(Slides().GetSliderFrame(), &frameImage);
    EXPECT_EQ(deco->GetPreviewFrame(), &frameImage);
    EXPECT_EQ(deco->GetSelectedFrame(), 1);

    AddSlides(2);
    boxes.Script({IDNO, IDOK});
    CSize size(40, 30);
    frame->SendMessage(kLcdSize, reinterpret_cast<WPARAM>(&size), 1);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{kAskSave, kAskDelete}));
    EXPECT_EQ(Slides().GetValidCount(), 0);
    EXPECT_EQ(Canvas().GetLCDSize(), size);
    EXPECT_EQ(Canvas().GetFrameImage(), nullptr);
    EXPECT_EQ(Slides().GetSliderFrame(), nullptr);
    EXPECT_EQ(deco->GetPreviewFrame(), nullptr);
    EXPECT_EQ(deco->GetPreviewSizeText().toStdString(), " : 40x30");
    EXPECT_EQ(loads, std::vector<std::string>{"0/7415/landscape"});
    EXPECT_TRUE(titles.empty());

    // Yes saves through the EBA dialog first; without lParam 1 the frames stay.
    AddSlides(1, 40, 30);
    boxes.Script({IDYES, IDOK});
    AnswerPhoneName("before");
    CSize tall(30, 40);
    frame->SendMessage(kLcdSize, reinterpret_cast<WPARAM>(&tall), 0);
    EXPECT_EQ(titles, std::vector<std::string>{"애니메이션 저장"});
    EXPECT_TRUE(win::FileExists(documents + "/ZEL/Image/before.eba"));
    EXPECT_EQ(Slides().GetValidCount(), 0);
    EXPECT_EQ(loads.size(), 1u);

    // Frame 0 is no frame.
    frame->SendMessage(kPictureListClick, 1, 2);
    frame->SendMessage(kPictureListClick, 0, 2);
    EXPECT_EQ(Canvas().GetFrameImage(), nullptr);
    EXPECT_EQ(Slides().GetSliderFrame(), nullptr);
}

TEST_F(FrameDecorateTest, PictureListLoadsAnimationsIntoTheSlidesAndOffersToDeleteAnEmptiedOne) {
    Pictures({"a.jpg"});
    Enter(1);
    AddSlides(2);
    boxes.Script({IDYES});
    AnswerPhoneName("one");
    frame->SaveSlidesAsEBA();
    AddSlides(1);  // a third slide on the second position's successor
    AnswerPhoneName("two");
    frame->SaveSlidesAsEBA();
    ASSERT_NE(Number("one.eba"), 0);
    ASSERT_NE(Number("two.eba"), 0);

    // A changed set of slides is offered for saving before an animation replaces it.
    AddSlides(1);
    boxes.clear();
    boxes.Script({IDNO});
    frame->SendMessage(kPictureListClick, Number("one.eba") - 1, 3);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{kAskSave});
    EXPECT_EQ(Slides().GetValidCount(), 2);
    EXPECT_EQ(Canvas().GetFullPath(), documents + "/ZEL/Image/one.eba");
    EXPECT_EQ(deco->GetPositionText().toStdString(),
              "사진 " + std::to_string(Number("one.eba")) + "/" + std::to_string(view->GetThumbCount()) + "장");

    // All its frames deleted, the next animation chosen: the emptied file may go.
    Slides().DeleteSlider(0);
    Slides().DeleteSlider(0);
    ASSERT_EQ(Slides().GetValidCount(), 0);
    boxes.clear();
    boxes.Script({IDYES});
    frame->SendMessage(kPictureListClick, Number("two.eba") - 1, 3);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"전체프레임을 삭제했습니다.\r\n이 파일을 삭제하시겠습니까?"});
    EXPECT_EQ(Number("one.eba"), 0);
    EXPECT_EQ(deco->GetPictureItems().size(), static_cast<std::size_t>(view->GetThumbCount()));
    ASSERT_NE(view->GetTransImage(), nullptr);
    EXPECT_EQ(view->GetTransImage()->m_strFilename, "two.eba");
    EXPECT_EQ(Slides().GetValidCount(), 3);

    // A picture whose file has gone is refused.
    std::filesystem::remove(photo + "/a.jpg");
    boxes.clear();
    frame->SendMessage(kPictureListClick, Number("a.jpg") - 1, 3);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"파일의 링크가 깨져있거나, 실제파일이 삭제되어졌습니다."});
}

TEST_F(FrameDecorateTest, ExportCopiesTheAnimationAndPrintPreviewOpens) {
    Pictures({"a.jpg"});
    Enter(1);
    AddSlides(2);
    AnswerPhoneName("walk");
    frame->SaveSlidesAsEBA();
    const std::string out = home.root() + "/out";
    std::filesystem::create_directories(out);
    answer = [&out](QDialog& dlg) {
        auto& e = dynamic_cast<CDlgExport&>(dlg);
        e.FolderEdit()->setText(QString::fromStdString(out));
        e.OnOK();
    };
    boxes.clear();
    frame->OnCommand(ID_FILE_EXPORT);
    EXPECT_EQ(win::ListFiles(out), std::vector<std::string>{"walk.eba"});
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"총 1개의 파일을 내보냈습니다"});

    titles.clear();
    answer = nullptr;
    deco->GetButton(CViewDecorate::IDC_PRINT)->click();
    EXPECT_EQ(titles, std::vector<std::string>{"인쇄 미리보기"});
}

TEST_F(FrameDecorateTest, TheZoomSliderZoomsTheDecorationCanvasByDirection) {
    Pictures({"a.jpg"});
    Canvas().SetClientSize(CSize(300, 200));
    Enter(1);
    const int start = Canvas().GetZoomIndex();
    deco->WindowProc(CBitmapSlider::kMsgMoved, CViewDecorate::IDC_ZOOM, 20);
    EXPECT_EQ(deco->GetZoom(), 20);
    EXPECT_EQ(Canvas().GetZoomIndex(), CViewMainCore::LevelToIndex(20));
    EXPECT_NE(Canvas().GetZoomIndex(), start);
    deco->WindowProc(CBitmapSlider::kMsgMoved, CViewDecorate::IDC_ZOOM, 5);
    EXPECT_EQ(deco->GetZoom(), 5);
    EXPECT_EQ(Canvas().GetZoomIndex(), CViewMainCore::LevelToIndex(5));
}

// A stored model other than the first: both canvases start with that model's LCD window, which
// is the decoration preview's first picture size, so crops come out in the phone's size.
TEST_F(FrameDecorateTest, TheStoredModelSizesBothCanvasesAtStart) {
    EXPECT_EQ(Canvas().GetLCDSize(), CSize(176, 144));
    frame.reset();
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(1);
    ASSERT_TRUE(VimbroSettings::Store());
    frame = std::make_unique<CMainFrame>();
    ASSERT_TRUE(frame->OnCreate(false));
    deco = dynamic_cast<CViewDecorate*>(frame->WorkView(2));
    ASSERT_NE(deco, nullptr);
    EXPECT_EQ(deco->GetDlgPreview()->GetPreviewSize(), CSize(128, 160));
    EXPECT_EQ(Canvas().GetLCDSize(), CSize(128, 160));
    EXPECT_EQ(frame->EditorCanvas()->GetLCDSize(), CSize(128, 160));
    Pictures({"a.jpg"});
    Enter(1);
    EXPECT_EQ(Canvas().GetLCDSize(), CSize(128, 160));
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(0);
}

TEST_F(FrameDecorateTest, KeysWhileTheMenuBarTracksPutTheFocusOnTheZoomSlider) {
    Pictures({"a.jpg"});
    Enter(1);
    frame->show();
    QApplication::setActiveWindow(frame.get());
    QWidget* canvas = deco->GetSlideHost()->GetCanvasView();
    canvas->setFocus(Qt::OtherFocusReason);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    // Not tracking: the key leaves the focus where it was.
    QApplication::sendEvent(canvas, &down);
    EXPECT_NE(QApplication::focusWidget(), deco->GetZoomSlider());
    frame->menuBar()->setActiveAction(frame->menuBar()->actions().front());
    QApplication::sendEvent(canvas, &down);
    EXPECT_EQ(QApplication::focusWidget(), deco->GetZoomSlider());
    frame->menuBar()->setActiveAction(nullptr);
    frame->hide();
}
