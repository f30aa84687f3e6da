#include "views/editor/FilterList.h"

#include <string_view>

#include "imaging/Vornic.h"
#include "imaging/extImage.h"
#include "views/catalogue/artPicture.h"

CFilterList::CFilterList(QWidget* parent) : CPictureList(parent) {
    SetSpecies(SPECIES_FILTER);
    setAccessibleName(QStringLiteral("필터 목록"));
}

CFilterList::~CFilterList() {
    UnInit();
}

int CFilterList::SupportText(int height) {
    QFont font(QStringLiteral("굴림"));
    font.setPixelSize(height);
    SetLabelFont(font);
    InitToolTip();
    return CPictureList::SupportText(height);
}

void CFilterList::Init(int width) {
    UnInit();
    std::vector<CString> names;
    CVornic().getlist_support_filter(names);
    SetControlWidth(width);
    SetItemGeometry(kItemSize, kItemSize, 0, kGap);
    SupportText(kLabelHeight);
    for (const CString& name : names) {
        m_pictures.push_back(std::make_unique<artPicture>(nullptr, name));
        AddTail(m_pictures.back().get());
    }
    update();
}

void CFilterList::UnInit() {
    RemoveAllItems();
    m_pictures.clear();
    update();
}

void CFilterList::Load(const extImage* picture) {
    for (auto& item : m_pictures) item->SetPtrPicture(nullptr);
    if (picture && picture->IsValid()) {
        extImage small;
        extImage source(*picture);
        // The effects work on 24-bit pixels.
        if (source.GetBpp() < 24) source.IncreaseBpp(24);
        if (source.Resample(kItemSize, kItemSize, 2, &small)) {
            for (auto& item : m_pictures) {
                item->SetPtrPicture(new extImage(small));
                ProcessFilter(item.get());
            }
        }
    }
    update();
}

void CFilterList::ProcessFilter(artPicture* item) {
    if (!item || !item->GetPtrPic()) return;
    extImage& p = *item->GetPtrPic();
    const std::string_view name = item->GetName();
    if (name == "세피아") {
        p.GrayScale24();
        p.Concentration(CHANNEL_RED, 50);
        p.Concentration(CHANNEL_BLUE, -50);
    } else if (name == "그린") {
        p.GrayScale24();
        p.Concentration(CHANNEL_GREEN, 50);
    } else if (name == "블루") {
        p.GrayScale24();
        p.Concentration(CHANNEL_BLUE, 50);
    } else if (name == "그레이") {
        p.GrayScale24();
    } else if (name == "Thresold") {
        p.GrayScale24();
        p.Thresold24(128);
    } else if (name == "모자이크") {
        // A smaller block than the editor's: the thumbnail is only 43 pixels wide.
        p.Pixelate(3, false);
    } else if (name == "뽀샤시") {
        static constexpr long kBlur[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
        p.Filter(kBlur, 3, 9, 0);
    } else if (name == "선명하게") {
        static constexpr long kSharpen[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
        p.Filter(kSharpen, 3, 7, 0);
    } else if (name == "흩뿌리기") {
        p.Jitter(2);
    } else {
        return;
    }
    item->PictureChanged();
}
