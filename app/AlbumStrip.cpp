#include "app/AlbumStrip.h"

#include <algorithm>

#include "platform/afx/afxwin.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbCatalogue.h"

CAlbumStrip::CAlbumStrip(QSize itemSize) : m_itemSize(itemSize) {
    AddItem(catalogue::kAllPhotosAlbum, catalogue::kAllPhotosName);
    m_items.front().selected = true;
    m_current = catalogue::kAllPhotosAlbum;
}

void CAlbumStrip::SetCatalogue(CThumbCatalogue* catalogue) {
    m_catalogue = catalogue;
    m_items.clear();
    m_scroll = 0;
    AddItem(catalogue::kAllPhotosAlbum, catalogue::kAllPhotosName);
    if (m_catalogue) {
        for (const auto& [id, name] : m_catalogue->GetAlbums()) AddItem(id, name);
    }
    m_items.front().selected = true;
    m_current = catalogue::kAllPhotosAlbum;
    ItemsChanged();
}

void CAlbumStrip::AddItem(int id, const CString& name) {
    Item item;
    item.id = id;
    item.name = name;
    m_items.push_back(std::move(item));
    ItemsChanged();
}

int CAlbumStrip::AddAlbum(const CString& name) {
    if (!m_catalogue) return 0;
    const CString refusal = m_catalogue->CheckNewAlbumName(name);
    if (!refusal.empty()) {
        AfxMessageBox(refusal);
        return 0;
    }
    const int id = m_catalogue->AddAlbum(name);
    if (id > 0) AddItem(id, name);
    return id;
}

int CAlbumStrip::IndexOf(int id) const {
    for (int k = 0; k < Count(); ++k) {
        if (m_items[static_cast<size_t>(k)].id == id) return k;
    }
    return -1;
}

QRect CAlbumStrip::ItemRect(int k) const {
    return QRect(QPoint((k - m_scroll) * Pitch() + kMargin, 0), m_itemSize);
}

int CAlbumStrip::ScrollMax(int clientWidth) const {
    return std::max(0, Count() - clientWidth / Pitch());
}

bool CAlbumStrip::SetScrollPos(int pos, int clientWidth) {
    if (pos < 0 || pos > ScrollMax(clientWidth)) return false;
    m_scroll = pos;
    return true;
}

void CAlbumStrip::ClampScroll(int clientWidth) {
    if (!Scrolls(clientWidth)) m_scroll = 0;
    m_scroll = std::clamp(m_scroll, 0, ScrollMax(clientWidth));
}

int CAlbumStrip::HitTest(QPoint p) const {
    for (int k = 0; k < Count(); ++k) {
        if (ItemRect(k).contains(p)) return k;
    }
    return -1;
}

int CAlbumStrip::DropAlbumAt(QPoint p) const {
    const int k = HitTest(p);
    return k < 0 ? 0 : At(k).id;
}

void CAlbumStrip::Press(int k) {
    if (k < 0 || k >= Count()) return;
    m_items[static_cast<size_t>(k)].state = Pressed;
}

void CAlbumStrip::Release(int k, bool ctrl, bool shift) {
    if (k < 0 || k >= Count()) return;
    m_items[static_cast<size_t>(k)].state = Normal;
    if (ctrl) {
        Toggle(k);
    } else if (shift) {
        RangeSelect(k);
    } else {
        Choose(k);
    }
}

void CAlbumStrip::Hover(int k, bool inside) {
    if (k < 0 || k >= Count()) return;
    Item& item = m_items[static_cast<size_t>(k)];
    if (item.selected) return;
    item.state = inside ? Hovered : Normal;
}

bool CAlbumStrip::RightClick(int k) {
    if (k < 0 || k >= Count()) return false;
    if (!At(k).selected) Choose(k);
    m_current = At(k).id;
    return m_current != catalogue::kAllPhotosAlbum;
}

void CAlbumStrip::Choose(int k) {
    if (k < 0 || k >= Count()) return;
    const int id = At(k).id;
    if (m_catalogue) m_catalogue->SetAlbum(id, 0);
    if (m_onChoose) m_onChoose(id);
    for (int i = 0; i < Count(); ++i) m_items[static_cast<size_t>(i)].selected = (i == k);
    m_current = id;
}

void CAlbumStrip::Toggle(int k) {
    if (k < 0 || k >= Count()) return;
    m_items[static_cast<size_t>(k)].selected = !m_items[static_cast<size_t>(k)].selected;
}

void CAlbumStrip::RangeSelect(int k) {
    if (k < 0 || k >= Count()) return;
    int first = 0;
    for (int i = 0; i < Count(); ++i) {
        if (At(i).selected) {
            first = i;
            break;
        }
    }
    const int lo = std::min(k, first), hi = std::max(k, first);
    for (int i = 0; i < Count(); ++i) m_items[static_cast<size_t>(i)].selected = (i >= lo && i <= hi);
}

std::vector<int> CAlbumStrip::SelectedIds() const {
    std::vector<int> ids;
    for (const Item& item : m_items) {
        if (item.selected) ids.push_back(item.id);
    }
    return ids;
}

CAlbumStrip::RenameResult CAlbumStrip::Rename(int k, const CString& text) {
    if (k < 0 || k >= Count() || !m_catalogue) return RenameResult::Ignored;
    Item& item = m_items[static_cast<size_t>(k)];
    const int result = m_catalogue->RenameAlbum(item.id, text);
    if (result < 0) return RenameResult::Refused;
    if (result == 0) return RenameResult::Ignored;
    item.name = text;
    return RenameResult::Renamed;
}

void CAlbumStrip::DeleteOne(int id, int clientWidth) {
    const int k = IndexOf(id);
    if (k < 0 || !m_catalogue || !m_catalogue->DeleteAlbum(id, false)) return;
    m_items.erase(m_items.begin() + k);
    ClampScroll(clientWidth);
    ItemsChanged();
    Choose(std::max(0, k - 1));
}

void CAlbumStrip::DeleteSeveral(const std::vector<int>& ids, int clientWidth) {
    if (!m_catalogue) return;
    std::vector<int> deleted;
    for (int id : ids) {
        if (id != catalogue::kAllPhotosAlbum && IndexOf(id) >= 0 && m_catalogue->DeleteAlbum(id, true))
            deleted.push_back(id);
    }
    std::erase_if(m_items, [&](const Item& item) {
        return std::find(deleted.begin(), deleted.end(), item.id) != deleted.end();
    });
    ClampScroll(clientWidth);
    ItemsChanged();
    Choose(Count() - 1);
}

bool CAlbumStrip::DeleteCommand(int clientWidth) {
    const std::vector<int> ids = SelectedIds();
    if (!ids.empty() && ids.front() == catalogue::kAllPhotosAlbum) {
        AfxMessageBox("전체사진은 삭제할수 없습니다");
        return false;
    }
    if (AfxMessageBox("정말 삭제하시겠습니까?", MB_YESNO) != IDYES) return false;
    if (ids.size() <= 1) {
        if (m_current == catalogue::kAllPhotosAlbum) return false;
        DeleteOne(m_current, clientWidth);
    } else {
        DeleteSeveral(ids, clientWidth);
    }
    return true;
}

void CAlbumStrip::ItemsChanged() {
    if (m_onItemsChanged) m_onItemsChanged();
}
