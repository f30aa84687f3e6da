// The frame's decoration mode (mode 2): entering it, the picture and frame lists' clicks, crops
// that become slides, the LCD size, saving the slides as EBA and a slide as PHT, export and the
// print preview of the decoration canvas.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/DlgExportEBA.h"
#include "app/DlgExportPHT.h"
#include "app/DlgWrapper.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/ViewDecorate.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"
#include "views/controls/xSkinButtonEx.h"
#include "views/editor/ViewMain.h"
#include "views/slides/SlideStrip.h"
#include "views/slides/ViewSlider.h"

namespace {

constexpr int kDecorateZoom = 15;
constexpr int kTypeGif = 2;
constexpr int kTypeEba = 21;
// The empty-frame bitmap of the frame list.
constexpr int kEmptyFrameBitmap = 7415;

int TypeOf(const vxImage* item) {
    if (!item) return 0;
    CString ext = CGandry::FindExtension(item->m_strFilename);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return CGandry::FindType(ext);
}

bool IsAnimationFile(const vxImage* item) {
    const int type = TypeOf(item);
    return type == kTypeEba || type == kTypeGif;
}

// "%s \r\n\r\n%s": the folder the file went to, then what was done.
void ShowSaved(const CString& folder, const char* done) {
    AfxMessageBox(folder + " \r\n\r\n" + done);
}

// The phone folders may not exist yet on a new machine; the writers do not make folders.
bool MakeFolderFor(const CString& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return !ec;
}

}  // namespace

CViewDecorate* CMainFrame::DecorateView() const {
    return dynamic_cast<CViewDecorate*>(m_pViews[2]);
}

void CMainFrame::WireDecorateView() {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    if (CxSkinButtonEx* save = view->GetButton(CViewDecorate::IDC_SAVE))
        connect(save, &QPushButton::clicked, this, [this] { OnCommand(ID_FILE_SAVE_PICTURE); });
    if (CxSkinButtonEx* print = view->GetButton(CViewDecorate::IDC_PRINT))
        connect(print, &QPushButton::clicked, this, [this] { OnCommand(ID_PRINT_PREVIEW); });
}

void CMainFrame::ShowDecoratePictures() {
    CViewDecorate* view = DecorateView();
    if (!view || !m_pBrowser) return;
    view->SetPictureList(CurrentAlbumName(), m_pBrowser->GetVector());
}

void CMainFrame::SetDecorateTexts() {
    CViewDecorate* view = DecorateView();
    if (!view || !m_pBrowser) return;
    view->SetPositionText(m_pBrowser->GetCurrentNumber(), m_pBrowser->GetThumbCount());
    view->SetInfoText(QString::fromStdString(m_pBrowser->GetSelectedInfoString()));
}

void CMainFrame::LoadIntoDecorateCanvas(vxImage* item) {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    view->SetZoomPos(kDecorateZoom);
    view->SelectPicture(m_pBrowser->GetCurrentNumber() - 1);
    CViewMainCore* canvas = view->Canvas();
    int level = kDecorateZoom;
    canvas->Load(item, 0, level);
    canvas->Release_Crop();
    canvas->SetModeChange(MODE_LCD);
    canvas->CreateDirect();
}

void CMainFrame::AskSaveFrames() {
    if (AfxMessageBox(kAskSaveFrames, MB_YESNO) == IDYES) SaveSlidesAsEBA();
}

void CMainFrame::ClearDecorationFrame() {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    view->Canvas()->SetFrameImage(nullptr);
    view->Slides()->SetSliderFrame(nullptr);
    view->SetPreviewFrame(nullptr);
    view->SelectFrame(0);
}

void CMainFrame::LoadAnimationIntoSlides(vxImage* item) {
    CViewDecorate* view = DecorateView();
    if (!view || !IsAnimationFile(item)) return;
    CViewSlider* slides = view->Slides();
    if (TypeOf(item) == kTypeEba)
        slides->LoadEBA(item->m_strFullPath.c_str());
    else
        slides->LoadGIF(item->m_strFullPath.c_str());
    view->GetSlideHost()->SetTotalWidth(slides->GetTotalWidth());
    ClearDecorationFrame();
}

void CMainFrame::EnterDecorate() {
    vxImage* item = m_pBrowser ? m_pBrowser->GetTransImage() : nullptr;
    CViewDecorate* view = DecorateView();
    if (!item || !view) return;
    LoadIntoDecorateCanvas(item);
    SetDecorateTexts();
    if (IsAnimationFile(item)) {
        CViewSlider* slides = view->Slides();
        if (slides->GetValidCount() > 0 && slides->GetModify()) AskSaveFrames();
        LoadAnimationIntoSlides(item);
    }
}

void CMainFrame::OnFrameChosen(int value) {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    extImage* frame = value == 0 ? nullptr : view->GetFrameImage(value);
    view->SelectFrame(value);
    view->Canvas()->SetFrameImage(frame);
    view->Slides()->SetSliderFrame(frame);
    view->SetPreviewFrame(frame);
    // 0x0C0A: the LCD preview shows the new frame.
    SendMessage(CSlideStrip::kMsgSlidesChanged, 0, 0);
}

void CMainFrame::OnDecoratePictureChosen(int value) {
    CViewDecorate* view = DecorateView();
    if (!view || !m_pBrowser) return;
    m_pBrowser->SetCurrent(value + 1);
    vxImage* item = m_pBrowser->GetTransImage();
    if (!item) return;
    if (!CViewMainCore::IsExistFile(item)) {
        AfxMessageBox(CFrameRules::kMissingFile);
        return;
    }
    LoadIntoDecorateCanvas(item);
    CViewSlider* slides = view->Slides();
    if (IsAnimationFile(item) && slides->GetModify()) {
        const int previous = m_pBrowser->GetOldCurrentNumber();
        if (slides->GetValidCount() > 0) {
            AskSaveFrames();
        } else if (m_pBrowser->GetCurrentNumber() != previous &&
                   AfxMessageBox(kAskDeleteEmptyAnimation, MB_YESNO) == IDYES) {
            // The animation whose frames were all deleted goes; the browser stays on the file
            // the canvas shows.
            const CString shown = view->Canvas()->GetFullPath();
            m_pBrowser->OnDeleteThumbItem(previous);
            m_pBrowser->Loading(shown);
            ShowDecoratePictures();
            view->SelectPicture(m_pBrowser->GetCurrentNumber() - 1);
        }
    }
    LoadAnimationIntoSlides(item);
    SetDecorateTexts();
}

void CMainFrame::OnCropToSlides() {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    CViewSlider* slides = view->Slides();
    if (slides->IsPlaying()) {
        AfxMessageBox(kStopBeforeAdding);
        return;
    }
    extImage* clip = view->Canvas()->GetClipImage();
    if (!clip || !clip->IsValid()) return;
    slides->SetCropImage(clip);
    view->GetSlideHost()->SetTotalWidth(slides->GetTotalWidth());
}

void CMainFrame::OnDecorateLcdSize(CSize size, bool reloadFrames) {
    const int model = CGandry::m_enumModel;
    CViewDecorate* view = DecorateView();
    if (!view) return;
    CViewSlider* slides = view->Slides();
    if (slides->GetValidCount() > 0) AskSaveFrames();
    slides->OnSlideAllDelete2(size);
    view->GetSlideHost()->SetTotalWidth(slides->GetTotalWidth());
    view->Canvas()->SetLCDSize(size);
    view->Canvas()->SetFrameImage(nullptr);
    view->SetPreviewFrame(nullptr);
    view->ShowPreviewSize(size);
    if (reloadFrames) view->LoadFrames(model, kEmptyFrameBitmap, size.cy < size.cx);
}

void CMainFrame::RegisterSavedFile(const CString& path, vxImage* existing) {
    if (!m_pBrowser) return;
    if (existing) {
        m_pBrowser->UpdateCLSID(existing);
        return;
    }
    if (m_pBrowser->GetAlbumID() != CFrameRules::kAllPhotosAlbum) return;
    CStringList names{path};
    m_pBrowser->PasteFile(&names, 0);
    ShowDecoratePictures();
    if (CViewDecorate* view = DecorateView())
        view->SetPositionText(m_pBrowser->GetCurrentNumber(), m_pBrowser->GetThumbCount());
}

bool CMainFrame::SaveSlidesAsEBA() { return SaveSlidesAs(true); }

bool CMainFrame::SaveSlideAsPHT() { return SaveSlidesAs(false); }

bool CMainFrame::SaveSlidesAs(bool animation) {
    CViewDecorate* view = DecorateView();
    if (!view) return false;
    CViewSlider* slides = view->Slides();
    if (slides->GetValidCount() == 0) {
        AfxMessageBox(kEmptySlides);
        return false;
    }
    const std::vector<vxImage*> items = m_pBrowser ? m_pBrowser->GetVector() : std::vector<vxImage*>{};
    std::unique_ptr<CDlgExportPhone> dlg;
    if (animation)
        dlg = std::make_unique<CDlgExportEBA>(items, this);
    else
        dlg = std::make_unique<CDlgExportPHT>(items, this);
    if (RunDialog(*dlg) != IDOK) return false;
    const CString path = dlg->GetPath();
    const bool written = MakeFolderFor(path) &&
                         (animation ? slides->SaveEBA(path.c_str())
                                    : slides->GetPtrEBA()->SavePHT(path.c_str(), slides->GetSelectedIndex()));
    // A write that failed must not be announced as saved nor enter the catalogue.
    if (!written) {
        AfxMessageBox(path + " \r\n\r\n" + kSaveFailed);
        return false;
    }
    RegisterSavedFile(path, dlg->GetExistItem());
    ShowSaved(dlg->GetFolder(), animation ? kEbaSaved : kPhtSaved);
    return true;
}

void CMainFrame::PrintPreviewDecoration() {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    CViewMain* canvas = view->GetSlideHost()->GetCanvasView();
    canvas->SetDialogRunner(m_runDialog);
    canvas->OnPrintPreview();
}

void CMainFrame::OnAlbumChange() {
    if (m_nCurrentMode != 2 || !m_pBrowser) return;
    ShowDecoratePictures();
    if (m_pBrowser->GetCurrentNumber() >= 1) {
        EnterDecorate();
    } else if (CViewDecorate* view = DecorateView()) {
        view->SetPositionText(m_pBrowser->GetCurrentNumber(), m_pBrowser->GetThumbCount());
    }
    UpdateCommands();
}

void CMainFrame::ExportSlides(const CString& folder, int unique, int useTitle, int& copied) {
    if (CViewDecorate* view = DecorateView())
        view->Slides()->ExportFile(folder, unique, useTitle, view->Canvas()->GetTitleName(), copied);
}

void CMainFrame::PlaySlides(bool play) {
    CViewDecorate* view = DecorateView();
    if (!view) return;
    view->OnSlidesPlay(play);
}

void CMainFrame::RefreshDecoratePreview() {
    if (CViewDecorate* view = DecorateView()) view->RefreshPreview();
}
