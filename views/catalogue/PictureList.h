// CPictureList: a vertical, scrollable list of picture items (artPicture) that tells the main
// window which item was chosen (message 0x0C07 with the item's index and the list's species) and
// its parent that it was clicked (3090). The filter, frame and album lists derive from it; the
// items are owned by the code that adds them.
#pragma once

#include <QFont>
#include <QWidget>

#include <vector>

#include "platform/afx/afxwin.h"
#include "platform/win/windef.h"
#include "views/controls/ItemListAccessible.h"

class artPicture;

// Which picker a list is; the main window tells the chosen-item messages apart by it.
enum SPECIES_CHARACTER { SPECIES_NONE = 0, SPECIES_FILTER = 1, SPECIES_FRAME = 2, SPECIES_ALBUM = 3 };

class CPictureList : public CAccessibleItems, public QWidget, public CMsgTarget {
public:
    static constexpr UINT kMsgClicked = 3090;  // to the parent after every left click
    static constexpr COLORREF kBackground = 0xEDEDED;
    static constexpr COLORREF kSelectColor = 0xFF7200;

    explicit CPictureList(QWidget* parent = nullptr);
    ~CPictureList() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Makes the list the item's owner, places the item at the next position and appends it.
    void AddTail(artPicture* item);
    CRect GetItemRect(int index) const;
    int get_height_oneItem() const { return m_nTextHeight + m_nGap + m_nItemHeight; }
    int get_height_totalItem() const { return get_height_oneItem() * GetCount(); }
    // 1-based: marks that item chosen and makes it current.
    void SetCurrent(int number);
    int GetCurrent() const { return m_nCurrent; }
    void SetPosVer(int position);
    int GetPosVer() const { return m_nPosVer; }
    void SetEnableWindow(int enable);
    int GetEnableWindow() const { return m_bEnable; }
    void InitToolTip();
    bool IsToolTipOn() const { return m_bToolTip; }
    void SetSpecies(SPECIES_CHARACTER species) { m_species = species; }
    SPECIES_CHARACTER GetSpecies() const { return m_species; }
    // 0: post the choice, keep the old mark on a miss; 1: send it, a miss clears the marks and
    // sends -1; 2: send it without touching the marks, a miss does nothing.
    void SetClickMode(int mode) { m_nClickMode = mode; }
    int GetClickMode() const { return m_nClickMode; }

    int GetTransState() const { return m_nTransState; }
    COLORREF GetTransColor() const { return m_crTrans; }
    int GetReverseState() const { return m_nReverseState; }
    int GetPickerValue() const { return m_nPickerValue; }
    COLORREF GetBackColor() const { return m_crBack; }
    int GetControlWidth() const { return m_nControlWidth; }

    // What the items ask of their list when they draw.
    COLORREF GetSelectColor() const { return m_crSelect; }
    int GetTextHeight() const { return m_nTextHeight; }
    bool ShowsText() const { return m_bShowText; }
    bool DimsSelected() const { return m_bDimSelected; }
    const QFont& GetLabelFont() const { return m_labelFont; }

    // Labels of `height` pixels under each picture; the lists without labels answer 1 and
    // change nothing.
    virtual int SupportText(int height);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    artPicture* GetItem(int index) const;
    const std::vector<artPicture*>& Items() const { return m_items; }
    // The item under a point of the list's content (scroll offset already added), or -1.
    int HitTest(CPoint point) const;
    // A left click at a client point, by the click mode.
    void OnLButtonDown(CPoint client);
    // Marks only item `index` (none for -1); repaints.
    void MarkOnly(int index);

    QSize sizeHint() const override;

protected:
    // Forgets the items without freeing them (their owner does that).
    void RemoveAllItems();
    void SetItemGeometry(int itemWidth, int itemHeight, int textHeight, int gap);
    void SetControlWidth(int width);
    void SetDimSelected(bool on) { m_bDimSelected = on; }
    void SetTextShown(bool on) { m_bShowText = on; }
    void SetLabelFont(const QFont& font) { m_labelFont = font; }
    void SetBackColor(COLORREF color) { m_crBack = color; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Each item as a list item named by its label, with its selected state and a default action
    // that clicks it.
    int AccessibleItemCount() override { return GetCount(); }
    QString AccessibleItemName(int index) override;
    QRect AccessibleItemRect(int index) override;
    QAccessible::State AccessibleItemState(int index) override;
    int AccessibleItemAt(QPoint global) override;
    void AccessibleItemActivate(int index) override;

    void Relayout();
    void NotifyParent();

    int m_nItemWidth = 43;
    int m_nItemHeight = 43;
    int m_nTextHeight = 0;
    int m_nGap = 0;
    int m_nCurrent = -1;
    int m_nPosVer = 0;
    int m_nControlWidth = 0;
    int m_bEnable = 1;
    COLORREF m_crBack = kBackground;
    std::vector<artPicture*> m_items;
    int m_nTransState = 0;
    COLORREF m_crTrans = RGB(0, 255, 0);
    int m_nPickerValue = 255;
    int m_nClickMode = 0;
    SPECIES_CHARACTER m_species = SPECIES_NONE;
    bool m_bToolTip = false;
    int m_nReverseState = 0;

    COLORREF m_crSelect = kSelectColor;
    bool m_bShowText = false;
    bool m_bDimSelected = false;
    QFont m_labelFont;
};
