// The grid of the album browser: selection, the current item, keys and mouse, and geometry.
#include "views/catalogue/ThumbGrid.h"

#include <algorithm>
#include <cstdlib>

#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

CThumbGrid::CThumbGrid(CThumbCatalogue& browser, ItemList& list, std::vector<vxImage*>& vector)
    : m_browser(browser), m_listThumb(list), m_vecThumb(vector) {}

void CThumbGrid::Repaint() {
    m_browser.Repaint();
}

void CThumbGrid::SetAttribute(vxImage* item) {
    m_browser.SetAttribute(item);
}

void CThumbGrid::ResetCurrent() {
    m_pCurrent = nullptr;
    m_nCurrentNumber = 0;
    m_nOldCurrentNumber = 0;
}

void CThumbGrid::RenumberCurrent() {
    if (!m_pCurrent) return;
    auto it = std::find(m_vecThumb.begin(), m_vecThumb.end(), m_pCurrent);
    m_nCurrentNumber = it == m_vecThumb.end() ? 0 : static_cast<int>(it - m_vecThumb.begin()) + 1;
}

void CThumbGrid::Forget(vxImage* item) {
    if (m_pCurrent == item) {
        m_pCurrent = nullptr;
        m_nOldCurrentNumber = m_nCurrentNumber;
        m_nCurrentNumber = 0;
    } else {
        RenumberCurrent();
    }
}

// ---- Current item and selection ------------------------------------------------------------

void CThumbGrid::SetCurrentItem(vxImage* item, int number) {
    m_nOldCurrentNumber = m_nCurrentNumber;
    m_pCurrent = item;
    m_nCurrentNumber = number;
    SetAttribute(item);
}

void CThumbGrid::ClearCurrent() {
    m_nOldCurrentNumber = m_nCurrentNumber;
    m_pCurrent = nullptr;
    m_nCurrentNumber = 0;
}

void CThumbGrid::SelectOnly(int index) {
    if (index < 0 || index >= GetThumbCount()) return;
    for (vxImage* item : m_vecThumb) item->m_bSelected = 0;
    vxImage* item = m_vecThumb[static_cast<std::size_t>(index)];
    item->m_bSelected = 1;
    SetCurrentItem(item, index + 1);
}

std::vector<vxImage*> CThumbGrid::GetSelectedItems() const {
    std::vector<vxImage*> selected;
    for (vxImage* item : m_listThumb) {
        if (item->m_bSelected) selected.push_back(item);
    }
    return selected;
}

void CThumbGrid::set_select_all(int bSelect) {
    for (vxImage* item : m_vecThumb) item->m_bSelected = bSelect ? 1 : 0;
    if (bSelect && !m_vecThumb.empty()) {
        SetCurrentItem(m_vecThumb.front(), 1);
    } else {
        ClearCurrent();
        SetAttribute(nullptr);
    }
}

void CThumbGrid::select_properly() {
    if (m_nCurrentNumber != 0) return;
    if (m_vecThumb.empty()) {
        SetAttribute(nullptr);
        return;
    }
    for (vxImage* item : m_vecThumb) {
        if (item->m_bSelected) {
            m_pCurrent = item;
            SetAttribute(item);
            return;
        }
    }
    m_vecThumb.front()->m_bSelected = 1;
    SetCurrentItem(m_vecThumb.front(), 1);
}

void CThumbGrid::select_properly(ARROW_WHERE where) {
    const int n = m_nCurrentNumber;
    const int c = GetThumbCount();
    const int k = std::max(1, m_nColumns);
    int target = 0;
    switch (where) {
        case ARROW_LEFT:
            if (n >= 2 && n <= c) target = n - 1;
            break;
        case ARROW_RIGHT:
            if (n > 0 && n != c) target = n + 1;
            break;
        case ARROW_UP:
            if (n - k > 0) target = n - k;
            break;
        case ARROW_DOWN:
            if (n + k <= c) target = n + k;
            break;
    }
    if (target < 1 || target > c) return;
    SelectOnly(target - 1);
    const int y = AutoScroll(m_pCurrent);
    if (y != m_nScrollPos) m_browser.ScrollTo(y);
    Repaint();
}

void CThumbGrid::SetCurrent(int number) {
    SelectOnly(number - 1);
}

int CThumbGrid::IsNextMove() {
    return m_nCurrentNumber > 0 && m_nCurrentNumber < GetThumbCount() ? 1 : 0;
}

int CThumbGrid::IsPrevMove() {
    return m_nCurrentNumber >= 2 && m_nCurrentNumber <= GetThumbCount() ? 1 : 0;
}

void CThumbGrid::Loading(int number) {
    SelectOnly(number - 1);
    Repaint();
}

void CThumbGrid::Loading(const CString& path) {
    for (std::size_t i = 0; i < m_vecThumb.size(); ++i) {
        if (m_vecThumb[i]->m_strFullPath == path) {
            SelectOnly(static_cast<int>(i));
            break;
        }
    }
    Repaint();
}

int CThumbGrid::get_count_selected() {
    int count = 0;
    for (vxImage* item : m_vecThumb) count += item->m_bSelected ? 1 : 0;
    return count;
}

// ---- Geometry -------------------------------------------------------------------------------

void CThumbGrid::SetSliderSize(int value) {
    if (value == m_nSliderValue) return;
    m_nSliderValue = value;
    m_nCellSize = value * 6 + 50;
    m_nLevel = value <= 16 ? 0 : (value < 66 ? 1 : 2);
    m_nColumns = std::max(1, (m_nClientWidth - 5) / (m_nCellSize + 20));
    UpdateVisibility(m_nScrollPos);
    m_browser.FinishLayout();
}

void CThumbGrid::SetClientSize(int width, int height) {
    m_nClientWidth = width;
    m_nClientHeight = height;
    if (m_nCellSize <= 0) return;
    const int columns = std::max(1, (width - 5) / (m_nCellSize + 20));
    if (columns != m_nColumns) {
        m_nColumns = columns;
        SetScrollSizes();
        LayoutItems();
    }
    UpdateVisibility(m_nScrollPos);
}

void CThumbGrid::SetScrollSizes() {
    const int pitch = GetRowPitch();
    const int n = std::max(1, m_nColumns);
    const int count = GetThumbCount();
    m_nScrollHeight = (count / n) * pitch + 5 + (count % n != 0 ? pitch : 0);
    m_browser.ScrollSizesChanged(m_nScrollHeight, pitch);
}

void CThumbGrid::LayoutItems() {
    const int n = std::max(1, m_nColumns);
    const int pitch = GetRowPitch();
    int i = 0;
    for (vxImage* item : m_listThumb) {
        const int left = (i % n) * (m_nCellSize + 20) + 5;
        const int top = (i / n) * pitch + 5;
        item->m_rect = CRect(left, top, left + m_nCellSize, top + m_nCellSize);
        // Positions changed: the next paint marks the items of its rows afresh.
        item->m_bVisible = 0;
        ++i;
    }
    m_nMarkedFrom = m_nMarkedTo = 0;
    m_vecLeftView.clear();
}

void CThumbGrid::VisibleRange(int& from, int& to) const {
    const int n = std::max(1, m_nColumns);
    from = std::min(GetThumbCount(), m_nFirstVisibleRow * n);
    to = std::min(GetThumbCount(), (m_nFirstVisibleRow + std::max(0, m_nVisibleRows)) * n);
}

void CThumbGrid::UpdateVisibility(int scrollPos) {
    m_bScrollDown = scrollPos >= m_nScrollPos ? 1 : 0;
    m_nScrollPos = scrollPos;
    const int pitch = GetRowPitch();
    if (pitch <= 0) return;
    m_nFirstVisibleRow = scrollPos / pitch;
    m_nVisibleRows = (m_nClientHeight + scrollPos + pitch - 1) / pitch - m_nFirstVisibleRow;
    // Only the items of the rows last marked and of the rows now in view change their mark:
    // every other item is already unmarked, so a paint never walks the whole album.
    m_vecLeftView.clear();
    int from = 0, to = 0;
    VisibleRange(from, to);
    for (int i = m_nMarkedFrom; i < m_nMarkedTo && i < GetThumbCount(); ++i) {
        if (i >= from && i < to) continue;
        vxImage* item = m_vecThumb[static_cast<std::size_t>(i)];
        if (item->m_bVisible) m_vecLeftView.push_back(item);
        item->m_bVisible = 0;
    }
    for (int i = from; i < to; ++i) m_vecThumb[static_cast<std::size_t>(i)]->m_bVisible = 1;
    m_nMarkedFrom = from;
    m_nMarkedTo = to;
}

void CThumbGrid::ReleaseScrolledOut() {
    if (m_nLevel > 0) {
        const int n = std::max(1, m_nColumns);
        const int row = m_bScrollDown ? m_nFirstVisibleRow - 1 : m_nFirstVisibleRow + m_nVisibleRows;
        for (int i = row * n; row >= 0 && i < (row + 1) * n && i < GetThumbCount(); ++i) {
            vxImage* item = m_vecThumb[static_cast<std::size_t>(i)];
            if (!item->m_bVisible) item->unload_thumb_num(m_nLevel);
        }
        // A jump of more than a row (the scroll bar's thumb dragged) leaves other rows behind:
        // their larger pictures go too, so memory follows the visible area.
        for (vxImage* item : m_vecLeftView) item->unload_thumb_num(m_nLevel);
    }
    m_vecLeftView.clear();
}

CRect CThumbGrid::GetLabelRect(const vxImage* item) const {
    return CRect(item->m_rect.left, item->m_rect.bottom + kTextGap, item->m_rect.right,
                 item->m_rect.bottom + kTextGap + kTextHeight);
}

CRect CThumbGrid::CalcDrawRect(const CRect& cell, int width, int height) {
    CRect inner = cell;
    inner.DeflateRect(2, 2);
    int size[2] = {width, height};
    int box[2] = {inner.Width(), inner.Height()};
    int out[2] = {0, 0};
    CGandry::CalcThumbSize(size, box, out);
    if (width > height) {
        const int top = inner.top + (inner.Height() - out[1]) / 2;
        return CRect(inner.left, top, inner.left + out[0], top + out[1]);
    }
    const int left = inner.left + (inner.Width() - out[0]) / 2;
    return CRect(left, inner.top, left + out[0], inner.top + out[1]);
}

COLORREF CThumbGrid::GetTextColour(COLORREF background) {
    return background < 0x7F7F80u ? 0xCCCCCCu : 0x000000u;
}

int CThumbGrid::HitTest(CPoint point) const {
    int i = 0;
    for (vxImage* item : m_listThumb) {
        if (item->m_rect.PtInRect(point)) return i;
        ++i;
    }
    return -1;
}

int CThumbGrid::AutoScroll(vxImage* item) {
    if (!item) return m_nScrollPos;
    if (item->m_rect.top < m_nScrollPos) return item->m_rect.top;
    // Only a cell whose picture reaches below the view scrolls; its label may stay cut.
    if (item->m_rect.bottom > m_nScrollPos + m_nClientHeight) {
        return std::max(0, item->m_rect.bottom + kTextHeight + kTextGap + 20 - m_nClientHeight);
    }
    return m_nScrollPos;
}

// ---- Mouse and keys -------------------------------------------------------------------------

void CThumbGrid::OnLButtonDown(CPoint point, bool ctrl, bool shift) {
    const CPoint scrolled(point.x, point.y + m_nScrollPos);
    const int hit = HitTest(scrolled);
    vxImage* item = hit >= 0 ? m_vecThumb[static_cast<std::size_t>(hit)] : nullptr;
    if (ctrl) {
        if (item) {
            item->m_bSelected = item->m_bSelected ? 0 : 1;
            if (item->m_bSelected) {
                SetCurrentItem(item, hit + 1);
            } else {
                ClearCurrent();
                SetAttribute(nullptr);
            }
        }
    } else if (shift) {
        if (item) {
            int anchor = -1;
            for (int i = 0; i < GetThumbCount(); ++i) {
                if (m_vecThumb[static_cast<std::size_t>(i)]->m_bSelected) {
                    anchor = i;
                    break;
                }
            }
            if (anchor >= 0) {
                for (int i = std::min(hit, anchor); i <= std::max(hit, anchor); ++i) {
                    m_vecThumb[static_cast<std::size_t>(i)]->m_bSelected = 1;
                }
            }
            SetCurrentItem(item, hit + 1);
        } else {
            ClearCurrent();
            SetAttribute(nullptr);
        }
    } else if (item && item->m_bSelected) {
        SetCurrentItem(item, hit + 1);
    } else if (item) {
        SelectOnly(hit);
    } else {
        for (vxImage* other : m_vecThumb) other->m_bSelected = 0;
        ClearCurrent();
        SetAttribute(nullptr);
    }
    m_ptPress = point;
    m_bButtonDown = 1;
    Repaint();
}

bool CThumbGrid::OnMouseMove(CPoint point) {
    if (!m_bButtonDown || m_bDragging) return false;
    if (std::abs(point.x - m_ptPress.x) < kDragDistance && std::abs(point.y - m_ptPress.y) < kDragDistance) {
        return false;
    }
    if (get_count_selected() < 1) return false;
    m_bDragging = 1;
    m_nDropAlbum = 0;
    return true;
}

void CThumbGrid::OnLButtonUp() {
    m_bButtonDown = 0;
    m_bDragging = 0;
}

void CThumbGrid::OnDrop(int album) {
    m_bButtonDown = 0;
    m_bDragging = 0;
    m_nDropAlbum = album;
    if (album != 0) m_browser.MoveToAlbum(m_browser.GetAlbumID(), album);
}

void CThumbGrid::OnLButtonDblClk(CPoint point) {
    const CPoint scrolled(point.x, point.y + m_nScrollPos);
    const int hit = HitTest(scrolled);
    if (hit < 0) {
        m_nOldCurrentNumber = m_nCurrentNumber;
        m_nCurrentNumber = 0;
        return;
    }
    vxImage* item = m_vecThumb[static_cast<std::size_t>(hit)];
    item->m_bSelected = 1;
    SetCurrentItem(item, hit + 1);
    const int type = catalogue::TypeOfName(item->m_strFullPath);
    ::PostMessage(AfxGetMainWnd(), type == FILETYPE_EBA || type == FILETYPE_GIF ? WM_SWITCH_DECORATE : WM_SWITCH_EDIT, 0, 0);
    Repaint();
}

bool CThumbGrid::OnKeyDown(UINT key) {
    if (m_bFocusMenu) return false;
    switch (key) {
        case kKeyLeft:
            select_properly(ARROW_LEFT);
            return true;
        case kKeyRight:
            select_properly(ARROW_RIGHT);
            return true;
        case kKeyUp:
            select_properly(ARROW_UP);
            return true;
        case kKeyDown:
            select_properly(ARROW_DOWN);
            return true;
        case kKeyDelete:
            if (get_count_selected() < 1) return false;
            m_browser.OnDeleteThumbItem();
            return true;
        default:
            return false;
    }
}
