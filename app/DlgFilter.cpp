#include "app/DlgFilter.h"

#include "app/WorkControls.h"
#include "views/controls/BitmapSliderEx.h"
#include "views/editor/FilterList.h"

CDlgFilter::CDlgFilter(QWidget* parent) : CPickerPanel(IDD, QStringLiteral("필  터"), IDC_TITLE, IDC_SLIDER, parent) {
    GetSlider()->SetWheelRange(kWheelStep);
    m_pFilterList = new CFilterList(this);
    m_pFilterList->setObjectName(QString::number(IDC_LIST));
    m_pFilterList->Init(78 - GetSliderWidth());
    SetList(m_pFilterList);
}

void CDlgFilter::Load(const extImage* picture) {
    m_pFilterList->Load(picture);
}
