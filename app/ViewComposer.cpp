#include "app/ViewComposer.h"

#include "app/ViewWrapper.h"
#include "app/WorkControls.h"
#include "common/Gandry.h"
#include "views/catalogue/ViewThumb.h"

CViewComposer::CViewComposer(QWidget* parent) : CWorkView(0, parent) {
    m_pWrapper = new CViewWrapper(this);
    m_pWrapper->GetThumb()->SetSliderSize(kThumbSizeStart);
    m_pWrapper->GetThumb()->Catalogue().SetShowMode(CGandry::m_enumShow);
    CreateBottomRow(7514, 0, 100, 10, kThumbSizeStart, QStringLiteral("썸네일 크기"));
    m_pInfo = new CTextBox(10, false, QStringLiteral("사진 정보"), this);
    SetItemInfo({}, CGandry::m_enumShow);
}

QStringList CViewComposer::InfoLines(const ItemInfo& info, int showMode) {
    QString first;
    switch (showMode) {
        case 1:
            first = QStringLiteral("제     목 : ") + info.title;
            break;
        case 2:
            first = QStringLiteral("키 워 드 : ") + info.keywords;
            break;
        default:
            first = QStringLiteral("파일이름 : ") + info.fileName;
            break;
    }
    return {first, QStringLiteral("날     짜 : ") + info.date, QStringLiteral("크기 : ") + info.size,
            QStringLiteral("Pixel : ") + info.pixel};
}

void CViewComposer::SetItemInfo(const ItemInfo& info, int showMode) {
    m_pInfo->SetLines(InfoLines(info, showMode));
}

void CViewComposer::ShowBrowserInfo() {
    const CThumbCatalogue& browser = m_pWrapper->GetThumb()->Catalogue();
    ItemInfo info;
    // The label already is what the show mode names.
    info.fileName = info.title = info.keywords = QString::fromStdString(browser.GetAttrLabel());
    info.date = QString::fromStdString(browser.GetAttrDate());
    info.size = QString::fromStdString(browser.GetAttrSize());
    info.pixel = QString::fromStdString(browser.GetAttrDimension());
    SetItemInfo(info, browser.GetShowMode());
}

QString CViewComposer::GetInfoText() const {
    return m_pInfo->Text();
}

void CViewComposer::OnSliderPos(int id, int position) {
    if (id != IDC_ZOOM) return;
    m_nThumbSize = position;
    m_pWrapper->GetThumb()->SetSliderSize(position);
}

void CViewComposer::resizeEvent(QResizeEvent*) {
    const auto l = CWorkLayout::ComposerLayout(width(), height(), RowSizes());
    Place(m_pWrapper, l.browser);
    Place(m_pLogo, l.logo);
    Place(m_pZoomOut, l.zoomOut);
    Place(m_pZoom, l.slider);
    Place(m_pZoomIn, l.zoomIn);
    Place(m_pInfo, l.info);
}
