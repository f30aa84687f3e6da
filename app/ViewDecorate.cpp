#include "app/ViewDecorate.h"

#include "app/DlgAlbum.h"
#include "app/DlgFrame.h"
#include "app/DlgPreview.h"
#include "app/DlgWrapper.h"
#include "app/WorkControls.h"
#include "views/catalogue/artPicture.h"
#include "views/editor/FrameList.h"
#include "views/editor/LCDPreview.h"
#include "views/editor/ViewMainCore.h"
#include "views/slides/ViewSlider.h"

CViewDecorate::CViewDecorate(QWidget* parent) : CWorkView(2, parent) {
    m_pSlideHost = new CDlgWrapper(this);
    m_pFrame = new CDlgFrame(this);
    m_pPictures = new CDlgAlbum(this);
    m_pPreview = new CDlgPreview(this);
    CreateBottomRow(7233, 0, 30, 1, CZoomTracker::kInitial, QStringLiteral("화면 배율"));
    AddButton(IDC_SAVE, 7320, QStringLiteral("저장"));
    AddButton(IDC_PRINT, 7319, QStringLiteral("프린트"));
    CreateTextBoxes();
    // The frame panel's list gives the frames; a test may put its own in its place.
    m_frameSource = [this](int index) -> extImage* {
        const std::vector<artPicture*> items = m_pFrame->GetFrameList()->GetPtrArtPicture();
        if (index < 0 || index >= static_cast<int>(items.size()) || !items[static_cast<std::size_t>(index)])
            return nullptr;
        return items[static_cast<std::size_t>(index)]->GetPtrPic();
    };
    m_frameLoader = [this](int model, int bitmapId, bool landscape) {
        // A landscape screen takes the frames' second variant.
        m_pFrame->Load(static_cast<MODEL_SELECT>(model), static_cast<unsigned>(bitmapId), landscape ? 1 : 0);
    };
}





void CViewDecorate::SetZoomPos(int position) {
    m_pZoom->SetPos(position);
    m_zoom.Reset(m_pZoom->GetPos());
}

void CViewDecorate::OnSliderPos(int id, int position) {
    if (id != IDC_ZOOM) return;
    // The decoration canvas zooms by the direction of the move, as the editor's does.
    switch (m_zoom.Move(position)) {
        case CZoomTracker::Step::Out:
            Canvas()->Zoomout(position);
            break;
        case CZoomTracker::Step::In:
            Canvas()->Zoomin(position);
            break;
        case CZoomTracker::Step::None:
            break;
    }
}

QWidget* CViewDecorate::GetFramePanel() const {
    return m_pFrame;
}
QWidget* CViewDecorate::GetPictureList() const {
    return m_pPictures;
}
QWidget* CViewDecorate::GetPreviewPanel() const {
    return m_pPreview;
}
CViewSlider* CViewDecorate::GetViewSlider() const {
    return m_pSlideHost->GetViewSlider();
}

void CViewDecorate::RefreshPreview() {
    CViewSlider* slides = GetViewSlider();
    m_pPreview->GetLCDPreview()->SetPtrImage(slides->GetPtrImage());
    std::array<int, CPreviewFrameStrip::kCells> states{};
    for (int i = 0; i < CPreviewFrameStrip::kCells; ++i) {
        const CSlider* box = slides->GetPtrSlider(i);
        states[static_cast<std::size_t>(i)] = box && box->IsFilled() ? 1 : 0;
    }
    m_pPreview->SetFrames(slides->GetValidCount(), slides->GetSelectedIndex(), states);
}

void CViewDecorate::OnSlidesPlay(bool play) {
    CViewSlider* slides = GetViewSlider();
    if (play)
        slides->Play();
    else
        slides->Stop();
    m_pPreview->SetPlaying(slides->IsPlaying());
    RefreshPreview();
}

void CViewDecorate::resizeEvent(QResizeEvent*) {
    const auto l = CWorkLayout::DecorateLayout(width(), height(), RowSizes());
    Place(m_pFrame, l.frame);
    Place(m_pPictures, l.pictures);
    Place(m_pSlideHost, l.slides);
    Place(m_pPreview, l.preview);
    Place(m_pZoomOut, l.zoomOut);
    Place(m_pZoom, l.slider);
    Place(m_pZoomIn, l.zoomIn);
    Place(GetButton(IDC_SAVE), l.save);
    Place(GetButton(IDC_PRINT), l.print);
    Place(m_pPosition, l.position);
    Place(m_pInformation, l.information);
}

CViewSlider* CViewDecorate::Slides() const {
    return m_pSlideHost->GetViewSlider();
}

CViewMainCore* CViewDecorate::Canvas() const {
    return m_pSlideHost->GetCanvasCore();
}

void CViewDecorate::SetPictureList(const CString& albumName, const std::vector<vxImage*>& items) {
    m_strAlbumName = albumName;
    m_pictureItems = items;
    if (m_nPicture >= static_cast<int>(items.size())) m_nPicture = -1;
    m_pPictures->ShowAlbum(albumName, &m_pictureItems);
}

void CViewDecorate::SelectPicture(int index) {
    m_nPicture = index;
    if (index >= 0) m_pPictures->ShowItem(index + 1);
}

void CViewDecorate::SelectFrame(int index) {
    m_nFrame = index;
    m_pFrame->SetSelect(index);
}

void CViewDecorate::SetFrameList(FrameSource source, FrameLoader loader) {
    m_frameSource = std::move(source);
    m_frameLoader = std::move(loader);
}

extImage* CViewDecorate::GetFrameImage(int index) const {
    return index > 0 && m_frameSource ? m_frameSource(index) : nullptr;
}

void CViewDecorate::LoadFrames(int model, int bitmapId, bool landscape) {
    if (m_frameLoader) m_frameLoader(model, bitmapId, landscape);
    m_nFrame = 0;
}

void CViewDecorate::SetPreviewFrame(extImage* frame) {
    m_pPreview->GetLCDPreview()->SetPtrFrameImage(frame);
}

extImage* CViewDecorate::GetPreviewFrame() const {
    return m_pPreview->GetLCDPreview()->GetPtrFrameImage();
}

void CViewDecorate::ShowPreviewSize(CSize size) {
    m_pPreview->ShowSize(size);
}

QString CViewDecorate::GetPreviewSizeText() const {
    return m_pPreview->GetSizeLine();
}
