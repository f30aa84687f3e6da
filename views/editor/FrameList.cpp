#include "views/editor/FrameList.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "imaging/extImage.h"
#include "platform/afx/afxwin.h"
#include "platform/brelt/Brelt.h"
#include "platform/lurvane/Lurvane.h"
#include "views/catalogue/artPicture.h"

namespace {

// The empty-frame picture from the resources; a plain white square when the bitmap is missing,
// so the "no frame" choice is always there.
extImage* ResourcePicture(unsigned int bitmapId, int size) {
    QImage image = CBrelt::Bitmap(static_cast<int>(bitmapId));
    if (image.isNull()) {
        image = QImage(size, size, QImage::Format_RGB888);
        image.fill(Qt::white);
    }
    image = image.convertToFormat(QImage::Format_RGB888);
    auto* picture = new extImage(static_cast<DWORD>(image.width()), static_cast<DWORD>(image.height()), 24);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* src = image.constScanLine(y);
        BYTE* dst = picture->GetBits(static_cast<DWORD>(image.height() - 1 - y));
        if (!dst) break;
        for (int x = 0; x < image.width(); ++x) {
            dst[x * 3] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3];
        }
    }
    return picture;
}

}  // namespace

CFrameList::CFrameList(QWidget* parent) : CPictureList(parent) {
    SetSpecies(SPECIES_FRAME);
    // The chosen frame is shown dimmed rather than outlined.
    SetDimSelected(true);
    setAccessibleName(QStringLiteral("액자 목록"));
}

CFrameList::~CFrameList() {
    UnInit();
}

int CFrameList::SupportText(int) {
    return 1;
}

void CFrameList::Init(int width) {
    SetControlWidth(width);
    SetItemGeometry(kItemSize, kItemSize, 0, kGap);
    InitToolTip();
}

void CFrameList::UnInit() {
    RemoveAllItems();
    m_pictures.clear();
    update();
}

void CFrameList::Load(MODEL_SELECT model, unsigned int bitmapId, int variant) {
    UnInit();
    const CString file = CGandry::GetDatafilenameByModleID(model);
    const CString path = CGandry::GetRunDir() + "data/" + file;
    CLurvane lurvane;
    int count = 0;
    if (!file.empty()) lurvane.Decode_dat(path, count, false);
    if (count <= 0) {
        std::vector<char> text(file.size() + 64);
        std::snprintf(text.data(), text.size(), kMissingData, file.c_str());
        AfxMessageBox(text.data());
        update();
        return;
    }
    auto empty = std::make_unique<artPicture>(ResourcePicture(bitmapId, kItemSize), CString("액자 없음"));
    empty->SetSelected(1);
    m_pictures.push_back(std::move(empty));
    AddTail(m_pictures.back().get());
    for (int e = 0; e < count / 2; ++e) {
        unsigned char* data = nullptr;
        int size = 0, width = 0, height = 0;
        const bool read = lurvane.GetImage(2 * e + (variant == 1 ? 1 : 0), data, size, width, height);
        auto* picture = new extImage();
        if (read && width > 0 && height > 0 &&
            picture->Create(static_cast<DWORD>(width), static_cast<DWORD>(height), 24)) {
            const std::size_t area =
                static_cast<std::size_t>(picture->GetEffWidth()) * static_cast<std::size_t>(height);
            std::memcpy(picture->GetBits(), data, std::min(area, static_cast<std::size_t>(std::max(size, 0))));
            picture->SetTransIndex(0);
            picture->SetTransColor(RGBQUAD{0, 255, 0, 0});
        }
        delete[] data;
        char name[64];
        std::snprintf(name, sizeof name, "액자 %d", e + 1);
        m_pictures.push_back(std::make_unique<artPicture>(picture, CString(name)));
        AddTail(m_pictures.back().get());
    }
    update();
}

void CFrameList::SetSelect(int index) {
    for (int i = 0; i < GetCount(); ++i) GetItem(i)->SetSelected(i == index ? 1 : 0);
    update();
}
