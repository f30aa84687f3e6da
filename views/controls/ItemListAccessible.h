// A widget that paints its items itself, without a child widget per item, shown to screen
// readers and desktop automation as a list of list items. The widget implements
// CAccessibleItems; the list asks it on every query, so names, states and rectangles follow the
// widget without bookkeeping of their own.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QRect>
#include <QString>

#include <vector>

class CAccessibleItems {
public:
    virtual ~CAccessibleItems() = default;

    virtual int AccessibleItemCount() = 0;
    // Whether the item can be described now; a list that is being reloaded has none.
    virtual bool AccessibleItemValid(int index) { return index >= 0 && index < AccessibleItemCount(); }
    virtual QString AccessibleItemName(int index) = 0;
    // In global coordinates, as assistive technology expects.
    virtual QRect AccessibleItemRect(int index) = 0;
    // Asked only while the item is valid.
    virtual QAccessible::State AccessibleItemState(int index) = 0;
    // The item under a global point, or -1.
    virtual int AccessibleItemAt(QPoint global) = 0;
    // The name of the one action each item offers; asked once per item.
    virtual QString AccessibleItemAction() { return QAccessibleActionInterface::pressAction(); }
    // Runs the action; asked only while the item is valid.
    virtual void AccessibleItemActivate(int index) = 0;

    // Makes every widget that implements this interface a list for assistive technology. Every
    // such widget calls it from its constructor; only the first call installs anything.
    static void InstallAccessibility();
};

// The list: the widget itself, with the items as its only children. Item interfaces are made
// on first request and live as long as the list's own interface.
class CItemListAccessible : public QAccessibleWidget {
public:
    CItemListAccessible(QWidget* widget, CAccessibleItems* items);
    ~CItemListAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    CAccessibleItems* m_items;
    mutable std::vector<QAccessible::Id> m_ids;
};
