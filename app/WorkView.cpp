#include "app/WorkView.h"

#include <QPainter>

#include "app/WorkControls.h"
#include "views/controls/BitmapSlider.h"
#include "views/controls/xSkinButtonEx.h"

CWorkView::CWorkView(int mode, QWidget* parent) : QWidget(parent), m_nMode(mode) {
    setObjectName(QStringLiteral("workview%1").arg(mode));
}

void CWorkView::CreateBottomRow(int channelId, int min, int max, int page, int pos, const QString& sliderName) {
    m_pLogo = new CWorkBitmap(IDC_LOGO, CWorkBitmap::Fallback::Logo, this);
    m_pLogo->SetBitmap(7094);
    m_pLogo->setAccessibleName(QStringLiteral("ZEL"));
    m_pZoomOut = new CWorkBitmap(IDC_ZOOM_OUT, CWorkBitmap::Fallback::ZoomOut, this);
    m_pZoomOut->SetBitmap(7231);
    m_pZoomOut->setAccessibleName(QStringLiteral("축소"));
    m_pZoomIn = new CWorkBitmap(IDC_ZOOM_IN, CWorkBitmap::Fallback::ZoomIn, this);
    m_pZoomIn->SetBitmap(7232);
    m_pZoomIn->setAccessibleName(QStringLiteral("확대"));
    m_pZoom = new CBitmapSlider(this, IDC_ZOOM);
    NameControl(m_pZoom, IDC_ZOOM, sliderName);
    m_pZoom->SetBitmapChannel(channelId);
    m_pZoom->SetBitmapThumb(7234, 7235);
    m_pZoom->setFixedSize(m_pZoom->sizeHint());
    m_pZoom->SetRange(min, max);
    m_pZoom->SetPageSize(page);
    m_pZoom->SetPos(pos);
}

CxSkinButtonEx* CWorkView::AddButton(int id, int skinId, const QString& tooltip) {
    return MakeSkinButton(this, id, skinId, tooltip);
}

CxSkinButtonEx* CWorkView::GetButton(int id) const {
    return findChild<CxSkinButtonEx*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

CWorkLayout::RowSizes CWorkView::RowSizes() const {
    auto size = [](const QWidget* w) { return w ? CSize(w->width(), w->height()) : CSize(); };
    CWorkLayout::RowSizes s;
    s.logo = size(m_pLogo);
    s.zoomOut = size(m_pZoomOut);
    s.zoomIn = size(m_pZoomIn);
    s.slider = size(m_pZoom);
    s.previous = size(GetButton(7055));
    s.next = size(GetButton(7056));
    s.save = size(GetButton(7059) ? GetButton(7059) : GetButton(7200));
    s.print = size(GetButton(7081) ? GetButton(7081) : GetButton(7203));
    return s;
}

void CWorkView::Place(QWidget* widget, const CRect& r) {
    if (!widget) return;
    widget->setGeometry(r.left, r.top, std::max(LONG{0}, r.Width()), std::max(LONG{0}, r.Height()));
}

LRESULT CWorkView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CBitmapSlider::kMsgMoving || message == CBitmapSlider::kMsgMoved) {
        OnSliderPos(static_cast<int>(wParam), static_cast<int>(lParam));
    }
    return 0;
}

void CWorkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WorkLook::Tile(painter, rect(), IDB_BACKGROUND, WorkLook::kViewBack);
    const QRect row(0, height() - CWorkLayout::kBottomRow, width(), CWorkLayout::kBottomRow);
    WorkLook::Tile(painter, row, IDB_BOTTOM_ROW, WorkLook::kViewBack);
}

void CWorkView::CreateTextBoxes() {
    m_pLogo->hide();
    m_pPosition = new CTextBox(5, true, QStringLiteral("사진 위치"), this);
    m_pInformation = new CTextBox(5, false, QStringLiteral("사진 정보"), this);
    SetPositionText(0, 0);
}

void CWorkView::SetPositionText(int current, int count) {
    if (m_pPosition && m_position.Set(current, count))
        m_pPosition->SetText(QString::fromStdString(m_position.Text()));
}

QString CWorkView::GetPositionText() const {
    return m_pPosition ? m_pPosition->Text() : QString();
}

void CWorkView::SetInfoText(const QString& text) {
    if (m_pInformation) m_pInformation->SetText(text);
}

QString CWorkView::GetInfoText() const {
    return m_pInformation ? m_pInformation->Text() : QString();
}
