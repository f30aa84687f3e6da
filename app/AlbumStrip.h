// The album strip's logic without a window: the items in display order, their layout and
// scrolling, hover/press states, choosing and selecting, and renaming and deleting albums in the
// catalogue. CTopListAlbum draws it and feeds it the mouse.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

#include "platform/win/windef.h"

class CThumbCatalogue;

class CAlbumStrip {
public:
    static constexpr int kGap = 20;     // between items
    static constexpr int kMargin = 10;  // before the first item and after the last
    static constexpr int kMaxAlbums = 98;

    enum State { Normal = 0, Hovered = 1, Pressed = 2 };
    struct Item {
        int id = 0;
        CString name;
        bool selected = false;
        int state = Normal;
    };
    enum class RenameResult { Renamed, Ignored, Refused };

    explicit CAlbumStrip(QSize itemSize = QSize(72, 48));

    // The catalogue the strip works on; the items are reloaded from it (the all-photos item,
    // then its albums) and the all-photos item is selected. Null leaves the all-photos item alone.
    void SetCatalogue(CThumbCatalogue* catalogue);
    CThumbCatalogue* Catalogue() const { return m_catalogue; }
    // Called after an album has been chosen (the frame's album change).
    void SetOnChoose(std::function<void(int id)> f) { m_onChoose = std::move(f); }
    // Called whenever items come or go, so the window can rebuild its children.
    void SetOnItemsChanged(std::function<void()> f) { m_onItemsChanged = std::move(f); }

    void AddItem(int id, const CString& name);
    // Adds an album to the catalogue and the strip; its identifier, or 0 when refused (the
    // refusal's message is shown).
    int AddAlbum(const CString& name);
    int Count() const { return static_cast<int>(m_items.size()); }
    const Item& At(int k) const { return m_items[static_cast<size_t>(k)]; }
    int IndexOf(int id) const;

    // ---- Layout and scrolling ------------------------------------------------------------
    QSize ItemSize() const { return m_itemSize; }
    int Pitch() const { return m_itemSize.width() + kGap; }
    int ContentWidth() const { return Pitch() * Count() + kMargin; }
    QRect ItemRect(int k) const;
    bool Scrolls(int clientWidth) const { return clientWidth < ContentWidth(); }
    int ScrollMax(int clientWidth) const;
    int ScrollPos() const { return m_scroll; }
    // Stores a position within 0..ScrollMax; false (nothing changes) outside it.
    bool SetScrollPos(int pos, int clientWidth);
    // Back within range after a resize or a removal.
    void ClampScroll(int clientWidth);
    int HitTest(QPoint p) const;
    // The album a drag would drop into at p: its identifier, or 0 off the items.
    int DropAlbumAt(QPoint p) const;

    // ---- Mouse ---------------------------------------------------------------------------
    void Press(int k);
    // Ctrl toggles the item, Shift selects the range up to it, otherwise it is chosen.
    void Release(int k, bool ctrl, bool shift);
    void Hover(int k, bool inside);
    // Right button: chooses the item unless selected, makes it the current album; whether the
    // context menu opens (never on the all-photos item).
    bool RightClick(int k);

    // ---- Selection -----------------------------------------------------------------------
    void Choose(int k);
    void Toggle(int k);
    void RangeSelect(int k);
    std::vector<int> SelectedIds() const;
    int CurrentAlbum() const { return m_current; }

    // ---- Renaming and deleting -----------------------------------------------------------
    // Renames in the catalogue; Refused means the message was shown and the edit reopens.
    RenameResult Rename(int k, const CString& text);
    void DeleteOne(int id, int clientWidth);
    void DeleteSeveral(const std::vector<int>& ids, int clientWidth);
    // The delete-album command: refuses the all-photos album, asks, then deletes the current
    // album or every selected one. True when something was deleted.
    bool DeleteCommand(int clientWidth);

private:
    void ItemsChanged();

    CThumbCatalogue* m_catalogue = nullptr;
    std::vector<Item> m_items;
    QSize m_itemSize;
    int m_scroll = 0;
    int m_current = 0;
    std::function<void(int)> m_onChoose;
    std::function<void()> m_onItemsChanged;
};
