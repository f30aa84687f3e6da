// CThumbGrid: the grid of the album browser: cell geometry and levels, the visible rows and
// scrolling, the selection and the current item, and what mouse and keys do to them. It works
// on the items on show of the browser that owns it and tells the browser when the current item
// changes, when the Delete key asks for deletion and when a drag ends over an album.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "platform/win/windef.h"

class CThumbCatalogue;
class extImage;
class vxImage;

enum ARROW_WHERE : std::int32_t {
    ARROW_LEFT = 0,
    ARROW_RIGHT = 1,
    ARROW_UP = 2,
    ARROW_DOWN = 3,
};

class CThumbGrid {
public:
    using ItemList = std::list<vxImage*>;

    static constexpr int kTextHeight = 12;
    static constexpr int kTextGap = 2;
    static constexpr int kDragDistance = 8;

    // Key codes the view handles.
    static constexpr UINT kKeyLeft = 0x25;
    static constexpr UINT kKeyUp = 0x26;
    static constexpr UINT kKeyRight = 0x27;
    static constexpr UINT kKeyDown = 0x28;
    static constexpr UINT kKeyDelete = 0x2E;

    CThumbGrid(CThumbCatalogue& browser, ItemList& list, std::vector<vxImage*>& vector);
    CThumbGrid(const CThumbGrid&) = delete;
    CThumbGrid& operator=(const CThumbGrid&) = delete;

    // ---- Selection and the current item ------------------------------------------------------
    void set_select_all(int bSelect);
    void select_properly();
    void select_properly(ARROW_WHERE where);
    void SetCurrent(int number);
    int IsNextMove();
    int IsPrevMove();
    void Loading(int number);
    void Loading(const CString& path);
    int get_count_selected();
    // Items that are selected, in display order.
    std::vector<vxImage*> GetSelectedItems() const;
    // Makes one item the only selected and current item.
    void SelectOnly(int index);
    void SetCurrentItem(vxImage* item, int number);
    void ClearCurrent();
    // No current item and both numbers 0 (a new album).
    void ResetCurrent();
    // The current item's pointer goes with the items; its numbers stay.
    void DetachCurrent() { m_pCurrent = nullptr; }
    void ZeroCurrentNumber() { m_nCurrentNumber = 0; }
    // The current item's number after the display list changed.
    void RenumberCurrent();
    // An item is about to go: it stops being current, or the current number follows.
    void Forget(vxImage* item);
    vxImage* GetCurrent() const { return m_pCurrent; }
    int GetCurrentNumber() const { return m_nCurrentNumber; }
    int GetOldCurrentNumber() const { return m_nOldCurrentNumber; }
    void SetFocusMenu(int bFocus) { m_bFocusMenu = bFocus; }

    // ---- Geometry and scrolling ---------------------------------------------------------------
    void SetSliderSize(int value);
    void SetClientSize(int width, int height);
    int GetCellSize() const { return m_nCellSize; }
    int GetLevel() const { return m_nLevel; }
    int GetColumns() const { return m_nColumns; }
    int GetRowPitch() const { return m_nCellSize + kTextHeight + kTextGap + 20; }
    int GetScrollHeight() const { return m_nScrollHeight; }
    int GetVisibleRows() const { return m_nVisibleRows; }
    int GetFirstVisibleRow() const { return m_nFirstVisibleRow; }
    int GetScrollPos() const { return m_nScrollPos; }
    void LayoutItems();
    void SetScrollSizes();
    void UpdateVisibility(int scrollPos);
    void ReleaseScrolledOut();
    // The 0-based display positions [from, to) of the items in the visible rows.
    void VisibleRange(int& from, int& to) const;
    CRect GetLabelRect(const vxImage* item) const;
    static CRect CalcDrawRect(const CRect& cell, int width, int height);
    static COLORREF GetTextColour(COLORREF background);
    int HitTest(CPoint point) const;
    int AutoScroll(vxImage* item);

    // ---- Mouse and keys -----------------------------------------------------------------------
    void OnLButtonDown(CPoint point, bool ctrl, bool shift);
    bool OnMouseMove(CPoint point);
    void OnLButtonUp();
    void OnLButtonDblClk(CPoint point);
    void OnDrop(int album);
    bool OnKeyDown(UINT key);

private:
    int GetThumbCount() const { return static_cast<int>(m_vecThumb.size()); }
    void Repaint();
    void SetAttribute(vxImage* item);

    CThumbCatalogue& m_browser;
    ItemList& m_listThumb;
    std::vector<vxImage*>& m_vecThumb;

    vxImage* m_pCurrent = nullptr;
    int m_nCurrentNumber = 0;
    int m_nOldCurrentNumber = 0;
    int m_nSliderValue = -1;
    int m_nCellSize = 0;
    int m_nLevel = 0;
    int m_nVisibleRows = 0;
    int m_nScrollHeight = 0;
    int m_nFirstVisibleRow = 0;
    int m_nScrollPos = 0;
    int m_bScrollDown = 0;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    int m_bDragging = 0;
    CPoint m_ptPress;
    int m_nDropAlbum = 0;
    int m_nColumns = 1;
    int m_bFocusMenu = 0;
    int m_bButtonDown = 0;
    // Positions marked visible by the last UpdateVisibility, and the items it unmarked.
    int m_nMarkedFrom = 0;
    int m_nMarkedTo = 0;
    std::vector<vxImage*> m_vecLeftView;
};
