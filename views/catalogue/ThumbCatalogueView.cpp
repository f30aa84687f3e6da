// The items on show of the browser by number and path, and the show mode and order.
#include <algorithm>
#include <ctime>

#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "platform/win/fileapi.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

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

