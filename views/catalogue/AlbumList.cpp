#include "views/catalogue/AlbumList.h"

#include <QPaintEvent>
#include <QPainter>

#include "views/catalogue/artPicture.h"
#include "views/catalogue/vxImage.h"

CAlbumList::CAlbumList(QWidget* parent) : CPictureList(parent) {
    SetSpecies(SPECIES_ALBUM);
    setAccessibleName(QStringLiteral("사진 목록"));
}

CAlbumList::~CAlbumList() {
    UnInit();
}

void CAlbumList::Init(int width) {
    SetControlWidth(width);
    SetItemGeometry(kItemWidth, kItemHeight, kTextHeight, 0);
    SupportText(kTextHeight);
    QFont font(QStringLiteral("굴림"));
    font.setPixelSize(12);
    SetLabelFont(font);
    InitToolTip();
}

int CAlbumList::SupportText(int height) {
    return CPictureList::SupportText(height);
}

void CAlbumList::UnInit() {
    RemoveAllItems();
    m_pictures.clear();
    m_entries.clear();
    update();
}

void CAlbumList::Load(const std::vector<vxImage*>* entries) {
    UnInit();
    if (!entries || entries->empty()) {
        update();
        return;
    }
    m_pictures.reserve(entries->size());
    for (vxImage* entry : *entries) {
        if (!entry) continue;
        // The thumbnail may still be only in its cache file.
        if (!entry->m_pThumb[0]) entry->load_thumb_num(0);
        m_entries.push_back(entry);
        m_pictures.push_back(std::make_unique<artPicture>(entry->m_pThumb[0], entry->m_strFilename, 1));
        AddTail(m_pictures.back().get());
    }
    update();
}

void CAlbumList::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, QColor(GetRValue(GetBackColor()), GetGValue(GetBackColor()), GetBValue(GetBackColor())));
    painter.translate(0, -GetPosVer());
    const QRect content = area.translated(0, GetPosVer());
    painter.setFont(GetLabelFont());
    painter.setPen(QColor(0x9D, 0x9D, 0x9D));
    for (int i = 0; i < GetCount(); ++i) {
        const CRect r = GetItemRect(i);
        const QRect item(0, r.top, width(), r.bottom - r.top + GetTextHeight() + 2);
        if (!item.intersects(content)) continue;
        RefreshPicture(i);
        GetItem(i)->Draw(&painter, 1);
    }
}

void CAlbumList::RefreshPicture(int index) {
    vxImage* entry = m_entries[static_cast<std::size_t>(index)];
    if (!entry->m_pThumb[0]) entry->load_thumb_num(0);
    artPicture* item = GetItem(index);
    if (item->GetPtrPic() != entry->m_pThumb[0]) item->SetPtrPicture(entry->m_pThumb[0]);
}
