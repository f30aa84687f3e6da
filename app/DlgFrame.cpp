#include "app/DlgFrame.h"

#include "views/controls/BitmapSliderEx.h"
#include "views/editor/FrameList.h"

CDlgFrame::CDlgFrame(QWidget* parent) : CPickerPanel(IDD, QStringLiteral("액  자"), IDC_TITLE, IDC_SLIDER, parent) {
    GetSlider()->SetWheelRange(kWheelStep);
    m_pFrameList = new CFrameList(this);
    m_pFrameList->setObjectName(QString::number(IDC_LIST));
    m_pFrameList->Init(78 - GetSliderWidth());
    SetList(m_pFrameList);
    m_pFrameList->Load(CGandry::m_enumModel, kEmptyFrameBitmap, 0);
    Relayout();
}

void CDlgFrame::Load(MODEL_SELECT model, unsigned int bitmapId, int variant) {
    m_pFrameList->Load(model, bitmapId, variant);
    GetSlider()->SetPos(0);
    Relayout();
}

void CDlgFrame::SetSelect(int index) {
    m_pFrameList->SetSelect(index);
}
