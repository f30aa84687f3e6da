#include "app/DlgAlbum.h"

#include <algorithm>

#include "views/catalogue/AlbumList.h"
#include "views/controls/BitmapSliderEx.h"
#include "views/controls/UserStatic.h"

CDlgAlbum::CDlgAlbum(QWidget* parent) : CPickerPanel(IDD, QStringLiteral("앨  범"), IDC_TITLE, IDC_SLIDER, parent) {
    GetSlider()->SetMargin(0, 0, 0, 0);
    m_pAlbumList = new CAlbumList(this);
    m_pAlbumList->setObjectName(QString::number(IDC_LIST));
    m_pAlbumList->Init(110 - GetSliderWidth());
    SetList(m_pAlbumList);
}

int CDlgAlbum::SliderRangeMax() const {
    // The album panel measures against what the list itself shows.
    return std::max(0, m_pAlbumList->get_height_totalItem() - m_pAlbumList->height());
}

void CDlgAlbum::ShowAlbum(const CString& name, const std::vector<vxImage*>* entries) {
    const int count = entries ? static_cast<int>(entries->size()) : 0;
    GetTitle()->setText(QStringLiteral("%1(%2장)").arg(QString::fromStdString(name)).arg(count));
    GetTitle()->setAccessibleName(GetTitle()->text());
    m_pAlbumList->Load(entries);
    GetSlider()->SetPos(0);
    m_pAlbumList->SetPosVer(0);
    ApplySliderRange();
}

QString CDlgAlbum::GetTitleText() const {
    return GetTitle()->text();
}

int CDlgAlbum::ScrollForItem(int number, int pitch, int visible, int current) {
    const int end = number * pitch;
    if (end == visible) return current;
    return end > visible ? end - visible : 0;
}

void CDlgAlbum::ShowItem(int number) {
    const int position =
        ScrollForItem(number, m_pAlbumList->get_height_oneItem(), m_pAlbumList->height(), m_pAlbumList->GetPosVer());
    GetSlider()->SetPos(position);
    m_pAlbumList->SetPosVer(GetSlider()->GetPos());
    m_pAlbumList->SetCurrent(number);
}
