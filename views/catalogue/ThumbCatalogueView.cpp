// The items on show of the browser by number and path, the show mode and order, deletion, and
// the attribute texts of the current item.
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <ctime>

#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

using catalogue::FormatSql;

// ---- Items on show ---------------------------------------------------------------------------

int CThumbCatalogue::is_exist_clsid(CString& key) {
    for (vxImage* item : m_vecThumb) {
        if (item->m_strCLSID == key) return 1;
    }
    return 0;
}

extImage* CThumbCatalogue::GetLevelImage(int level) {
    return m_grid.GetCurrent() ? m_grid.GetCurrent()->GetLevelImage(level) : nullptr;
}

vxImage* CThumbCatalogue::GetVxImage(int index) {
    if (index < 0 || index >= GetThumbCount()) return nullptr;
    return m_vecThumb[static_cast<std::size_t>(index)];
}

vxImage* CThumbCatalogue::GetVxImage(CString path, ItemList::iterator& it) {
    for (it = m_listThumb.begin(); it != m_listThumb.end(); ++it) {
        if ((*it)->m_strFullPath == path) return *it;
    }
    return nullptr;
}

CString CThumbCatalogue::GetFullPath(int index) {
    vxImage* item = GetVxImage(index);
    return item ? item->m_strFullPath : CString();
}

int CThumbCatalogue::GetType(int index) {
    vxImage* item = GetVxImage(index);
    return item ? catalogue::TypeOfName(item->m_strFullPath) : 0;
}

void CThumbCatalogue::PushStack(CStringList* paths) {
    if (!paths) return;
    for (vxImage* item : GetSelectedItems()) paths->push_back(item->m_strFullPath);
}

// ---- Modes ----------------------------------------------------------------------------------

int CThumbCatalogue::SetShowMode(SHOW_MODE mode) {
    if (mode == m_enumShow) return 0;
    m_enumShow = mode;
    Repaint();
    return 1;
}

void CThumbCatalogue::SetOrder(SORT_ORDER order) {
    if (order == m_enumOrder) return;
    m_enumOrder = order;
    m_listThumb.clear();
    re_composition();
    m_grid.RenumberCurrent();
    FinishLayout();
}

CString CThumbCatalogue::GetLabel(const vxImage* item) const {
    if (!item) return CString();
    switch (m_enumShow) {
        case SHOW_MODE_1:
            return item->m_strTitle;
        case SHOW_MODE_2:
            return item->m_strKeyword;
        default:
            return item->m_strFilename;
    }
}

// ---- Deletion ------------------------------------------------------------------------------

void CThumbCatalogue::OnDeleteThumbItem() {
    if (AfxMessageBox("정말 삭제하시겠습니까?", MB_YESNO) != IDYES) return;
    m_grid.ClearCurrent();
    std::vector<vxImage*> selected = GetSelectedItems();
    if (m_nAlbumID == catalogue::kAllPhotosAlbum) {
        int inAlbums = 0;
        for (vxImage* item : selected) {
            CString list;
            if (m_rows.ReadAlbumList(item->m_strCLSID, list) && !list.empty()) ++inAlbums;
        }
        if (inAlbums > 0 &&
            AfxMessageBox(FormatSql("%d 개의 파일이 앨범에 등록되어 있습니다\r\n그래도 지우겠습니까?", inAlbums),
                          MB_YESNO) != IDYES) {
            return;
        }
        for (vxImage* item : selected) DeleteItemCompletely(item);
    } else {
        for (vxImage* item : selected) {
            DeleteItem(item, m_nAlbumID);
            RemoveItem(item);
        }
    }
    re_composition();
    FinishLayout();
    SetAttribute(nullptr);
}

void CThumbCatalogue::OnDeleteThumbItem(int number) {
    vxImage* item = GetVxImage(number - 1);
    if (!item) return;
    DeleteItemCompletely(item);
    RebuildListFromVector();
    FinishLayout();
}

// ---- Attributes ------------------------------------------------------------------------------

void CThumbCatalogue::SetAttribute(vxImage* item) {
    if (!item) {
        m_strAttrCLSID.clear();
        m_strAttrLabel.clear();
        m_strAttrDate.clear();
        m_strAttrSize.clear();
        m_strAttrDimension.clear();
        NotifyMainWnd(WM_THUMB_REPAINT, 0);
        return;
    }
    if (item->m_strCLSID == m_strAttrCLSID) return;
    m_strAttrCLSID = item->m_strCLSID;
    m_strAttrLabel = GetLabel(item);
    m_strAttrDate.clear();
    m_strAttrSize.clear();
    struct stat st {};
    if (::stat(item->m_strFullPath.c_str(), &st) == 0) {
        std::time_t t = st.st_mtime;
        std::tm local{};
        localtime_r(&t, &local);
        m_strAttrDate = FormatSql("%d. %d. %d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        m_strAttrSize = CGandry::GetKBFromStr(static_cast<int>(static_cast<std::uint32_t>(st.st_size)));
    }
    if (item->m_strDimension.empty()) item->m_strDimension = vxImage::ReadDimension(item->m_strFullPath);
    m_strAttrDimension = item->m_strDimension;
    NotifyMainWnd(WM_THUMB_REPAINT, 0);
}

CString CThumbCatalogue::GetSelectedInfoString() {
    return m_strAttrLabel + " / " + m_strAttrDate;
}
