// CThumbCatalogue: the album browser without its window, and the one face through which the
// browser widget and the command-line tool reach it. It creates and owns the items of the album
// on show, loads albums (reconciling the catalogue with the photo folder), makes and loads the
// thumbnails, deletes items and keeps the attribute texts; the rest is done by three parts it
// owns and forwards to:
//   CCatalogueRows  - the catalogue rows: item rows, albums, keywords, every statement;
//   CCatalogueFiles - the file operations: import, paste, copy, export, renames, restore;
//   CThumbGrid      - the grid: geometry, scrolling, selection, the current item, mouse, keys.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <list>
#include <set>
#include <utility>
#include <vector>

#include "common/Gandry.h"
#include "platform/win/windef.h"
#include "views/catalogue/CatalogueFiles.h"
#include "views/catalogue/CatalogueRows.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/NameRules.h"
#include "views/catalogue/ThumbGrid.h"
#include "views/controls/Log.h"

class CDBManagerOper;
class extImage;
class vxImage;

// What the owning widget does for the browser. Every member has a do-nothing default, so the
// browser also runs without a window (command-line tool, tests, worker threads).
class CThumbHost {
public:
    virtual ~CThumbHost() = default;
    // Repaint the view.
    virtual void Repaint() {}
    // The grid's total height changed: scroll sizes (100, height), page and line (100, pitch).
    virtual void ScrollSizesChanged(int /*height*/, int /*pitch*/) {}
    // Scroll so that the vertical position becomes y.
    virtual void ScrollTo(int /*y*/) {}
    // The overwrite question of an export: 0 keep the file, 1 overwrite it, 2 overwrite it and
    // every later clash. The default asks through AfxMessageBox (OK overwrites).
    virtual int AskOverwrite(const CString& text);
};

class CThumbCatalogue {
public:
    using ItemList = CThumbGrid::ItemList;

    static constexpr int kTextHeight = CThumbGrid::kTextHeight;
    static constexpr int kTextGap = CThumbGrid::kTextGap;
    static constexpr COLORREF kSelectColour = 0xFF7200;
    static constexpr COLORREF kCellFrameColour = 0xD8E9EC;
    static constexpr int kDragDistance = CThumbGrid::kDragDistance;
    static constexpr int kMaxNameBytes = 90;

    // Key codes the view handles.
    static constexpr UINT kKeyLeft = CThumbGrid::kKeyLeft;
    static constexpr UINT kKeyUp = CThumbGrid::kKeyUp;
    static constexpr UINT kKeyRight = CThumbGrid::kKeyRight;
    static constexpr UINT kKeyDown = CThumbGrid::kKeyDown;
    static constexpr UINT kKeyDelete = CThumbGrid::kKeyDelete;

    CThumbCatalogue();
    ~CThumbCatalogue();
    CThumbCatalogue(const CThumbCatalogue&) = delete;
    CThumbCatalogue& operator=(const CThumbCatalogue&) = delete;

    void SetDBConnect(CDBManagerOper* db) { m_rows.SetDBConnect(db); }
    CDBManagerOper* GetDBConnect() const { return m_rows.GetDBConnect(); }
    void SetHost(CThumbHost* host) { m_pHost = host ? host : &m_defaultHost; }

    // ---- Albums on show --------------------------------------------------------------------
    void SetAlbum(int album, int bStartup);
    void loading_default(int bStartup);
    void loading_album(int album);
    // Keyword search in the album on show: items holding any of ids; total = rows of the album.
    void loading_album(std::vector<int>* ids, int& total);
    // Loads or makes the thumbnails of the items from display position `first` on; true when
    // items were dropped (undecodable pictures).
    bool next_loading_thumb(int first);
    // Sorts the items by the order and lays the display list out again from the vector.
    void re_composition();
    void ReleaseThumbList();

    // ---- Files ---------------------------------------------------------------------------
    void ImportFile(CStringList* paths, int bRecompose) { m_files.ImportFile(paths, bRecompose); }
    void PasteFile(CStringList* paths, int bRecompose) { m_files.PasteFile(paths, bRecompose); }
    void AlbumCopy() { m_files.AlbumCopy(); }
    void ExportFile(CString folder, int bUnique, int bUseTitle, int bAll, int& copied) {
        m_files.ExportFile(std::move(folder), bUnique, bUseTitle, bAll, copied);
    }
    void SetFilename(CString base) { m_files.SetFilename(std::move(base)); }
    void SetFilename(int bDate, int bCompactDate, int bTime, int bAmPm) {
        m_files.SetFilename(bDate, bCompactDate, bTime, bAmPm);
    }
    void SetTitle(CString base, int bNumbered) { m_files.SetTitle(std::move(base), bNumbered); }
    void SetTitle(int bDate, int bCompactDate, int bTime, int bAmPm, int bNumbered) {
        m_files.SetTitle(bDate, bCompactDate, bTime, bAmPm, bNumbered);
    }
    void SetTitleFromFilename() { m_files.SetTitleFromFilename(); }
    void UpdateCLSID(vxImage* item) { m_files.UpdateCLSID(item); }
    void Restore() { m_files.Restore(); }
    int is_restore() { return m_files.is_restore(); }
    // "%ld?%d?" of the file's time and size into out; false when the file is missing.
    bool get_clsid_fromfile(CString& path, CString& out) { return m_files.get_clsid_fromfile(path, out); }
    // The copy set of the main program: the selected items' full paths in display order.
    void PushStack(CStringList* paths);

    // Stamp text of the rename and title patterns for one moment.
    static CString MakeStamp(const std::tm& now, int bDate, int bCompactDate, int bTime, int bAmPm) {
        return CCatalogueFiles::MakeStamp(now, bDate, bCompactDate, bTime, bAmPm);
    }

    // ---- Attributes ----------------------------------------------------------------------
    void SetAttribute(vxImage* item);
    CString GetSelectedInfoString();
    void SetCLSID(CString key) { m_strAttrCLSID = key; }
    const CString& GetAttrLabel() const { return m_strAttrLabel; }
    const CString& GetAttrDate() const { return m_strAttrDate; }
    const CString& GetAttrSize() const { return m_strAttrSize; }
    const CString& GetAttrDimension() const { return m_strAttrDimension; }
    // The label of an item by the show mode: file name, title or keyword text.
    CString GetLabel(const vxImage* item) const;

    // ---- Modes ---------------------------------------------------------------------------
    int SetShowMode(SHOW_MODE mode);
    void SetOrder(SORT_ORDER order);
    SHOW_MODE GetShowMode() const { return m_enumShow; }
    SORT_ORDER GetOrder() const { return m_enumOrder; }
    void SetFocusMenu(int bFocus) { m_grid.SetFocusMenu(bFocus); }

    // ---- Selection and navigation ---------------------------------------------------------
    void set_select_all(int bSelect) { m_grid.set_select_all(bSelect); }
    void select_properly() { m_grid.select_properly(); }
    void select_properly(ARROW_WHERE where) { m_grid.select_properly(where); }
    void Next() { m_grid.SetCurrent(m_grid.GetCurrentNumber() + 1); }
    void Prev() { m_grid.SetCurrent(m_grid.GetCurrentNumber() - 1); }
    void SetCurrent(int number) { m_grid.SetCurrent(number); }
    int IsNextMove() { return m_grid.IsNextMove(); }
    int IsPrevMove() { return m_grid.IsPrevMove(); }
    void Loading(int number) { m_grid.Loading(number); }
    void Loading(CString path) { m_grid.Loading(path); }
    int get_count_selected() { return m_grid.get_count_selected(); }
    int is_exist_clsid(CString& key);

    int GetCurrentNumber() const { return m_grid.GetCurrentNumber(); }
    int GetOldCurrentNumber() const { return m_grid.GetOldCurrentNumber(); }
    int GetAlbumID() const { return m_nAlbumID; }
    int GetThumbCount() const { return static_cast<int>(m_vecThumb.size()); }
    vxImage* GetTransImage() const { return m_grid.GetCurrent(); }
    extImage* GetLevelImage(int level);
    vxImage* GetVxImage(int index);
    vxImage* GetVxImage(CString path, ItemList::iterator& it);
    CString GetFullPath(int index);
    int GetType(int index);
    const ItemList& GetList() const { return m_listThumb; }
    const std::vector<vxImage*>& GetVector() const { return m_vecThumb; }
    // Items that are selected, in display order.
    std::vector<vxImage*> GetSelectedItems() const { return m_grid.GetSelectedItems(); }
    bool IsBusy() const { return m_bBusy.load(); }

    // ---- Deletion and albums of items --------------------------------------------------------
    void OnDeleteThumbItem();
    void OnDeleteThumbItem(int number);
    void MoveToAlbum(int from, int to);
    void InsertItem(vxImage* item, int album, int bNew) { m_rows.InsertItem(item, album, bNew); }
    void DeleteItem(vxImage* item, int album) { m_rows.DeleteItem(item, album); }
    void DeleteItem(vxImage* item) { m_rows.DeleteItem(item); }
    int InsertKeyword(vxImage* item, CString list) { return m_rows.InsertKeyword(item, std::move(list)); }
    void InsertKeyword(std::vector<int>* ids, int& count);
    void get_keywordlist_fromselected(std::set<int>* ids, int& withKeywords, int& total);
    void reload_keyword();
    void invalid_keyword();
    void RemoveAlbum(int album);
    void RemoveAlbumInTotal(int album) { m_rows.RemoveAlbumInTotal(album); }

    // ---- Albums and keywords of the catalogue (for the album strip and the dialogs) ---------
    // The message that refuses a new album name (count limit, then the add-album dialog's
    // rules), or empty when the name is fine.
    CString CheckNewAlbumName(const CString& name) { return m_rows.CheckNewAlbumName(name); }
    // The lowest free identifier, inserted with the name; returns it.
    int AddAlbum(const CString& name) { return m_rows.AddAlbum(name); }
    // The album strip's verdict on renaming an album.
    catalogue::AlbumRenameVerdict CheckAlbumRename(int album, const CString& name) {
        return m_rows.CheckAlbumRename(album, name);
    }
    // 1 renamed; 0 nothing to do (empty or unchanged); -1 refused (too long, or another album
    // has the name: message shown).
    int RenameAlbum(int album, const CString& name) { return m_rows.RenameAlbum(album, name); }
    // Removes the album from the items and deletes its row. A single delete takes the album off
    // every item and keeps their rows; a multiple delete also drops rows left without album.
    // False (with the message) for the all-photos album.
    bool DeleteAlbum(int album, bool bMultiple);
    CString GetAlbumName(int album) { return m_rows.GetAlbumName(album); }
    // (identifier, name) of every album in identifier order.
    std::vector<std::pair<int, CString>> GetAlbums() { return m_rows.GetAlbums(); }

    // The message that refuses a keyword name (the new-keyword and change-name dialogs' rules),
    // or empty when the name is fine.
    CString CheckNewKeywordName(const CString& name) { return m_rows.CheckNewKeywordName(name); }
    int AddKeyword(const CString& name) { return m_rows.AddKeyword(name); }
    // 1 renamed; -1 refused by the change-name dialog's rules (message shown); 0 without a
    // catalogue.
    int RenameKeyword(int keyword, const CString& name);
    void DeleteKeyword(const std::vector<int>& ids);
    std::vector<KEYWORD_HEADER> GetKeywords() { return m_rows.GetKeywords(); }

    // ---- Grid geometry and input --------------------------------------------------------------
    void SetSliderSize(int value) { m_grid.SetSliderSize(value); }
    // The client area changed size (the view's size handler).
    void SetClientSize(int width, int height) { m_grid.SetClientSize(width, height); }
    int GetCellSize() const { return m_grid.GetCellSize(); }
    int GetLevel() const { return m_grid.GetLevel(); }
    int GetColumns() const { return m_grid.GetColumns(); }
    int GetRowPitch() const { return m_grid.GetRowPitch(); }
    int GetScrollHeight() const { return m_grid.GetScrollHeight(); }
    int GetVisibleRows() const { return m_grid.GetVisibleRows(); }
    int GetFirstVisibleRow() const { return m_grid.GetFirstVisibleRow(); }
    int GetScrollPos() const { return m_grid.GetScrollPos(); }
    // Cells of every item by display position.
    void LayoutItems() { m_grid.LayoutItems(); }
    void SetScrollSizes() { m_grid.SetScrollSizes(); }
    // Takes the scroll position and marks the items of the visible rows.
    void UpdateVisibility(int scrollPos) { m_grid.UpdateVisibility(scrollPos); }
    // Frees the current level of the row that just left the view.
    void ReleaseScrolledOut() { m_grid.ReleaseScrolledOut(); }
    // The 0-based display positions [from, to) of the items in the visible rows.
    void VisibleRange(int& from, int& to) const { m_grid.VisibleRange(from, to); }
    // The label rectangle under a cell.
    CRect GetLabelRect(const vxImage* item) const { return m_grid.GetLabelRect(item); }
    // Where a thumbnail of width x height is drawn in a cell: fitted into the cell less 2 pixels.
    static CRect CalcDrawRect(const CRect& cell, int width, int height) {
        return CThumbGrid::CalcDrawRect(cell, width, height);
    }
    // Label colour for a background colour.
    static COLORREF GetTextColour(COLORREF background) { return CThumbGrid::GetTextColour(background); }
    // 0-based index of the item under a point in scrolled coordinates, or -1.
    int HitTest(CPoint point) const { return m_grid.HitTest(point); }
    // Scroll position that brings an item into view (the current position when it is).
    int AutoScroll(vxImage* item) { return m_grid.AutoScroll(item); }

    // Left button pressed at a client point.
    void OnLButtonDown(CPoint point, bool ctrl, bool shift) { m_grid.OnLButtonDown(point, ctrl, shift); }
    // True when a drag should start (moved far enough with a selection).
    bool OnMouseMove(CPoint point) { return m_grid.OnMouseMove(point); }
    void OnLButtonUp() { m_grid.OnLButtonUp(); }
    void OnLButtonDblClk(CPoint point) { m_grid.OnLButtonDblClk(point); }
    // A drag ended over the album strip's album (0 for none).
    void OnDrop(int album) { m_grid.OnDrop(album); }
    // Key press; true when it was handled.
    bool OnKeyDown(UINT key) { return m_grid.OnKeyDown(key); }

private:
    friend class CThumbGrid;
    friend class CCatalogueFiles;
    void ScrollTo(int y) { m_pHost->ScrollTo(y); }
    void ScrollSizesChanged(int height, int pitch) { m_pHost->ScrollSizesChanged(height, pitch); }
    CDBManagerOper* DB() const { return m_rows.GetDBConnect(); }
    CString PhotoFolder() const;
    CString ThumbFolder() const;
    void NotifyMainWnd(UINT message, WPARAM wParam);
    void Repaint() { m_pHost->Repaint(); }
    void RebuildVectorFromList();
    void RebuildListFromVector();
    // Takes an item out of the list and the vector and deletes it.
    void RemoveItem(vxImage* item);
    // Deletes an item's row, cache file and picture file, and the item.
    void DeleteItemCompletely(vxImage* item);
    // Rows for every item still marked new.
    void update_catalogue();
    // After a key change by MakingThumb: the row follows the file.
    void FollowKeyChange(const CString& oldKey, vxImage* item);
    void SweepThumbFolder();
    void SweepStaleTemporaries(const CString& folder);
    // Moves an undecodable picture out of the photo folder.
    void SetAsideUndecodable(const CString& path);
    // Rows of the item table that accept(album list, keyword list) takes become the items of
    // album `album`, each checked against its file first; then they are sorted, given their
    // thumbnails and laid out.
    void LoadAlbumRows(int album, const std::function<bool(const CString&, const CString&)>& accept);
    void RefreshKeywordTexts(const std::vector<KEYWORD_HEADER>& table, bool selectedOnly);
    void FinishLayout();

    CThumbHost m_defaultHost;
    CThumbHost* m_pHost = &m_defaultHost;

    CCatalogueRows m_rows;
    ItemList m_listThumb;
    std::vector<vxImage*> m_vecThumb;
    int m_nAlbumID = catalogue::kAllPhotosAlbum;
    SHOW_MODE m_enumShow = SHOW_MODE_0;
    SORT_ORDER m_enumOrder = SORT_ORDER_0;
    CString m_strAttrCLSID;
    CString m_strAttrLabel;
    CString m_strAttrDate;
    CString m_strAttrSize;
    CString m_strAttrDimension;
    CLog m_log;
    std::atomic<bool> m_bBusy{false};
    // Declared after the items it works on.
    CThumbGrid m_grid{*this, m_listThumb, m_vecThumb};
    CCatalogueFiles m_files{*this, m_listThumb, m_vecThumb, m_rows, m_grid};
};
