// CThumbCatalogue: the album browser without its window. It creates and owns the items of the
// album on show, keeps the selection, the current item and the grid geometry, and carries out
// every catalogue operation of the browser (loading, import, paste, copy, export, renaming,
// titles, restore, deletion, albums and keywords). The browser widget owns one and forwards its
// calls, input and painting questions to it.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <list>
#include <set>
#include <vector>

#include "common/Gandry.h"
#include "platform/win/windef.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/controls/Log.h"

class CDBManagerOper;
class extImage;
class vxImage;

enum ARROW_WHERE : std::int32_t {
    ARROW_LEFT = 0,
    ARROW_RIGHT = 1,
    ARROW_UP = 2,
    ARROW_DOWN = 3,
};

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
    using ItemList = std::list<vxImage*>;

    static constexpr int kTextHeight = 12;
    static constexpr int kTextGap = 2;
    static constexpr COLORREF kSelectColour = 0xFF7200;
    static constexpr COLORREF kCellFrameColour = 0xD8E9EC;
    static constexpr int kDragDistance = 8;
    static constexpr int kMaxNameBytes = 90;

    // Key codes the view handles.
    static constexpr UINT kKeyLeft = 0x25;
    static constexpr UINT kKeyUp = 0x26;
    static constexpr UINT kKeyRight = 0x27;
    static constexpr UINT kKeyDown = 0x28;
    static constexpr UINT kKeyDelete = 0x2E;

    CThumbCatalogue();
    ~CThumbCatalogue();
    CThumbCatalogue(const CThumbCatalogue&) = delete;
    CThumbCatalogue& operator=(const CThumbCatalogue&) = delete;

    void SetDBConnect(CDBManagerOper* db) { m_pDB = db; }
    CDBManagerOper* GetDBConnect() const { return m_pDB; }
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
    void ImportFile(CStringList* paths, int bRecompose);
    void PasteFile(CStringList* paths, int bRecompose);
    void AlbumCopy();
    void ExportFile(CString folder, int bUnique, int bUseTitle, int bAll, int& copied);
    void SetFilename(CString base);
    void SetFilename(int bDate, int bCompactDate, int bTime, int bAmPm);
    void SetTitle(CString base, int bNumbered);
    void SetTitle(int bDate, int bCompactDate, int bTime, int bAmPm, int bNumbered);
    void SetTitleFromFilename();
    void UpdateCLSID(vxImage* item);
    void Restore();
    int is_restore();
    // "%ld?%d?" of the file's time and size into out; false when the file is missing.
    bool get_clsid_fromfile(CString& path, CString& out);
    // The copy set of the main program: the selected items' full paths in display order.
    void PushStack(CStringList* paths);

    // Stamp text of the rename and title patterns for one moment.
    static CString MakeStamp(const std::tm& now, int bDate, int bCompactDate, int bTime, int bAmPm);

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
    void SetFocusMenu(int bFocus) { m_bFocusMenu = bFocus; }

    // ---- Selection and navigation ---------------------------------------------------------
    void set_select_all(int bSelect);
    void select_properly();
    void select_properly(ARROW_WHERE where);
    void Next();
    void Prev();
    void SetCurrent(int number);
    int IsNextMove();
    int IsPrevMove();
    void Loading(int number);
    void Loading(CString path);
    int get_count_selected();
    int is_exist_clsid(CString& key);

    int GetCurrentNumber() const { return m_nCurrentNumber; }
    int GetOldCurrentNumber() const { return m_nOldCurrentNumber; }
    int GetAlbumID() const { return m_nAlbumID; }
    int GetThumbCount() const { return static_cast<int>(m_vecThumb.size()); }
    vxImage* GetTransImage() const { return m_pCurrent; }
    extImage* GetLevelImage(int level);
    vxImage* GetVxImage(int index);
    vxImage* GetVxImage(CString path, ItemList::iterator& it);
    CString GetFullPath(int index);
    int GetType(int index);
    const ItemList& GetList() const { return m_listThumb; }
    const std::vector<vxImage*>& GetVector() const { return m_vecThumb; }
    // Items that are selected, in display order.
    std::vector<vxImage*> GetSelectedItems() const;
    bool IsBusy() const { return m_bBusy.load(); }

    // ---- Deletion and albums of items --------------------------------------------------------
    void OnDeleteThumbItem();
    void OnDeleteThumbItem(int number);
    void MoveToAlbum(int from, int to);
    void InsertItem(vxImage* item, int album, int bNew);
    void DeleteItem(vxImage* item, int album);
    void DeleteItem(vxImage* item);
    int InsertKeyword(vxImage* item, CString list);
    void InsertKeyword(std::vector<int>* ids, int& count);
    void get_keywordlist_fromselected(std::set<int>* ids, int& withKeywords, int& total);
    void reload_keyword();
    void invalid_keyword();
    void RemoveAlbum(int album);
    void RemoveAlbumInTotal(int album);

    // ---- Albums and keywords of the catalogue (for the album strip and the dialogs) ---------
    // The message that refuses a new album name (count limit, empty, leading space, forbidden
    // character, duplicate), or empty when the name is fine.
    CString CheckNewAlbumName(const CString& name);
    // The lowest free identifier, inserted with the name; returns it.
    int AddAlbum(const CString& name);
    // 1 renamed; 0 nothing to do (empty or unchanged); -1 refused (another album has the name,
    // message shown).
    int RenameAlbum(int album, const CString& name);
    // Removes the album from the items and deletes its row. A single delete takes the album off
    // every item and keeps their rows; a multiple delete also drops rows left without album.
    // False (with the message) for the all-photos album.
    bool DeleteAlbum(int album, bool bMultiple);
    CString GetAlbumName(int album);
    // (identifier, name) of every album in identifier order.
    std::vector<std::pair<int, CString>> GetAlbums();

    CString CheckNewKeywordName(const CString& name);
    int AddKeyword(const CString& name);
    // 1 renamed; 0 nothing to do; -1 refused (duplicate, message shown).
    int RenameKeyword(int keyword, const CString& name);
    void DeleteKeyword(const std::vector<int>& ids);
    std::vector<KEYWORD_HEADER> GetKeywords();

    // ---- Grid geometry and input --------------------------------------------------------------
    void SetSliderSize(int value);
    // The client area changed size (the view's size handler).
    void SetClientSize(int width, int height);
    int GetCellSize() const { return m_nCellSize; }
    int GetLevel() const { return m_nLevel; }
    int GetColumns() const { return m_nColumns; }
    int GetRowPitch() const { return m_nCellSize + kTextHeight + kTextGap + 20; }
    int GetScrollHeight() const { return m_nScrollHeight; }
    int GetVisibleRows() const { return m_nVisibleRows; }
    int GetFirstVisibleRow() const { return m_nFirstVisibleRow; }
    int GetScrollPos() const { return m_nScrollPos; }
    // Cells of every item by display position.
    void LayoutItems();
    void SetScrollSizes();
    // Takes the scroll position and marks the items of the visible rows.
    void UpdateVisibility(int scrollPos);
    // Frees the current level of the row that just left the view.
    void ReleaseScrolledOut();
    // The label rectangle under a cell.
    CRect GetLabelRect(const vxImage* item) const;
    // Where a thumbnail of width x height is drawn in a cell: fitted into the cell less 2 pixels.
    static CRect CalcDrawRect(const CRect& cell, int width, int height);
    // Label colour for a background colour.
    static COLORREF GetTextColour(COLORREF background);
    // 0-based index of the item under a point in scrolled coordinates, or -1.
    int HitTest(CPoint point) const;
    // Scroll position that brings an item into view (the current position when it is).
    int AutoScroll(vxImage* item);

    // Left button pressed at a client point.
    void OnLButtonDown(CPoint point, bool ctrl, bool shift);
    // True when a drag should start (moved far enough with a selection).
    bool OnMouseMove(CPoint point);
    void OnLButtonUp();
    void OnLButtonDblClk(CPoint point);
    // A drag ended over the album strip's album (0 for none).
    void OnDrop(int album);
    // Key press; true when it was handled.
    bool OnKeyDown(UINT key);

private:
    CString PhotoFolder() const;
    CString ThumbFolder() const;
    void NotifyMainWnd(UINT message, WPARAM wParam);
    void Repaint() { m_pHost->Repaint(); }
    // Makes one item the only selected and current item.
    void SelectOnly(int index);
    void SetCurrentItem(vxImage* item, int number);
    void ClearCurrent();
    int IndexOf(const vxImage* item) const;
    void RebuildVectorFromList();
    void RebuildListFromVector();
    // Takes an item out of the list and the vector and deletes it.
    void RemoveItem(vxImage* item);
    // Deletes an item's row, cache file and picture file, and the item.
    void DeleteItemCompletely(vxImage* item);
    // Rows for every item still marked new.
    void update_catalogue();
    // Registration of paths into the album on show; returns the display position of the first
    // new item.
    int loading_string_list(CStringList* paths);
    // After a key change by MakingThumb: the row follows the file.
    void FollowKeyChange(const CString& oldKey, vxImage* item);
    void SweepThumbFolder();
    void SweepStaleTemporaries(const CString& folder);
    // Finishes the bookkeeping of a rename whose process died between moving the picture and
    // updating its row, so the row (title, keywords, albums) follows the picture.
    void RecoverInterruptedRenames();
    // Renames one item's picture under the journal; false when the picture could not be moved.
    bool RenameItem(vxImage* item, const CString& name, const CString& path);
    // Moves an undecodable picture out of the photo folder.
    void SetAsideUndecodable(const CString& path);
    // Checks and repairs of an album row against its file; returns false when the row went.
    bool ReconcileAlbumRow(const CString& key, const CString& filename, const CString& fullPath, CString& newKey);
    void RefreshKeywordTexts(const std::vector<KEYWORD_HEADER>& table, bool selectedOnly);
    void FinishLayout();

    CThumbHost m_defaultHost;
    CThumbHost* m_pHost = &m_defaultHost;

    CDBManagerOper* m_pDB = nullptr;
    vxImage* m_pCurrent = nullptr;
    ItemList m_listThumb;
    std::vector<vxImage*> m_vecThumb;
    int m_nAlbumID = catalogue::kAllPhotosAlbum;
    int m_nCurrentNumber = 0;
    int m_nOldCurrentNumber = 0;
    int m_nSliderValue = -1;
    int m_nCellSize = 0;
    int m_nLevel = 0;
    SHOW_MODE m_enumShow = SHOW_MODE_0;
    SORT_ORDER m_enumOrder = SORT_ORDER_0;
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
    CString m_strAttrCLSID;
    CString m_strAttrLabel;
    CString m_strAttrDate;
    CString m_strAttrSize;
    CString m_strAttrDimension;
    CLog m_log;
    int m_nColumns = 1;
    int m_bFocusMenu = 0;
    std::atomic<bool> m_bBusy{false};
    int m_bButtonDown = 0;
};
