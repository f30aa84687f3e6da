#include "app/ViewDecorate.h"

#include "app/DlgAlbum.h"
#include "app/DlgFrame.h"
#include "app/DlgWrapper.h"
#include "app/WorkControls.h"

CViewDecorate::CViewDecorate(QWidget* parent) : CWorkView(2, parent) {
    m_pSlideHost = new CDlgWrapper(this);
    m_pFrame = new CDlgFrame(this);
    m_pPictures = new CDlgAlbum(this);
    m_pPreview = new CViewArea(IDD_PREVIEW, QStringLiteral("미리보기"), WorkLook::kPanelBack, true, this);
    CreateBottomRow(7233, 0, 30, 1, CZoomTracker::kInitial, QStringLiteral("화면 배율"));
    AddButton(IDC_SAVE, 7320, QStringLiteral("저장"));
    AddButton(IDC_PRINT, 7319, QStringLiteral("프린트"));
    // The position text takes the mark's place at the left of the row.
    m_pLogo->hide();
    m_pPosition = new CTextBox(5, true, QStringLiteral("사진 위치"), this);
    m_pInformation = new CTextBox(5, false, QStringLiteral("사진 정보"), this);
    SetPositionText(0, 0);
}

void CViewDecorate::SetPositionText(int current, int count) {
    if (m_position.Set(current, count)) m_pPosition->SetText(QString::fromStdString(m_position.Text()));
}

QString CViewDecorate::GetPositionText() const {
    return m_pPosition->Text();
}

void CViewDecorate::SetInfoText(const QString& text) {
    m_pInformation->SetText(text);
}

QString CViewDecorate::GetInfoText() const {
    return m_pInformation->Text();
}

void CViewDecorate::SetZoomPos(int position) {
    m_pZoom->SetPos(position);
    m_zoom.Reset(m_pZoom->GetPos());
}

void CViewDecorate::OnSliderPos(int id, int position) {
    if (id == IDC_ZOOM) m_zoom.Move(position);
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
