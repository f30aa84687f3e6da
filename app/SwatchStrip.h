// CSwatchStrip: the colour swatches of the environment dialog as screen readers see them: a
// list whose items are the swatches, named, with the chosen one selected and a default action
// that chooses it. The dialog paints the swatches and takes the mouse clicks itself; this
// widget lies over them, transparent for the mouse.
#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

#include "views/controls/ItemListAccessible.h"

class CSwatchStrip : public CAccessibleItems, public QWidget {
public:
    CSwatchStrip(int count, QWidget* parent);

    void SetNames(const QStringList& names) { m_names = names; }
    void SetChosen(int index);
    int Chosen() const { return m_nChosen; }
    int Count() const { return m_nCount; }
    QString Name(int index) const { return m_names.value(index); }
    // The swatch's rectangle in the strip: equal cells side by side.
    QRect CellRect(int index) const;

    // Called when an assistive technology chooses a swatch.
    std::function<void(int)> onChoose;

private:
    // Each swatch as a list item named by its colour; its action chooses it.
    int AccessibleItemCount() override { return m_nCount; }
    QString AccessibleItemName(int index) override { return Name(index); }
    QRect AccessibleItemRect(int index) override;
    QAccessible::State AccessibleItemState(int index) override;
    int AccessibleItemAt(QPoint global) override;
    QString AccessibleItemAction() override { return QAccessibleActionInterface::toggleAction(); }
    void AccessibleItemActivate(int index) override {
        if (onChoose) onChoose(index);
    }

    int m_nCount;
    int m_nChosen = -1;
    QStringList m_names;
};
