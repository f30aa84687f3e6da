#include "views/controls/ItemListAccessible.h"

#include <QWidget>
#include <QWindow>

namespace {

// One item: a list item with a name, a rectangle, the states its widget reports and one action.
class CAccessibleItem : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CAccessibleItem(QWidget* widget, CAccessibleItems* items, int index)
        : m_widget(widget), m_items(items), m_index(index), m_action(items->AccessibleItemAction()) {}

    bool isValid() const override { return Valid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_widget ? m_widget->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_widget ? QAccessible::queryAccessibleInterface(m_widget.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !Valid()) return {};
        return m_items->AccessibleItemName(m_index);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override { return Valid() ? m_items->AccessibleItemRect(m_index) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        if (Valid()) return m_items->AccessibleItemState(m_index);
        QAccessible::State s;
        s.invalid = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {m_action}; }
    void doAction(const QString& name) override {
        if (name == m_action && Valid()) m_items->AccessibleItemActivate(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    // The widget may be gone while a screen reader still holds the item.
    bool Valid() const { return m_widget && m_items->AccessibleItemValid(m_index); }

    QPointer<QWidget> m_widget;
    CAccessibleItems* m_items;
    int m_index;
    QString m_action;
};

QAccessibleInterface* ItemListFactory(const QString&, QObject* object) {
    auto* items = dynamic_cast<CAccessibleItems*>(object);
    auto* widget = qobject_cast<QWidget*>(object);
    return items && widget ? new CItemListAccessible(widget, items) : nullptr;
}

}  // namespace

void CAccessibleItems::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ItemListFactory);
        return true;
    }();
    (void)installed;
}

CItemListAccessible::CItemListAccessible(QWidget* widget, CAccessibleItems* items)
    : QAccessibleWidget(widget, QAccessible::List), m_items(items) {}

CItemListAccessible::~CItemListAccessible() {
    for (QAccessible::Id id : m_ids) {
        if (id) QAccessible::deleteAccessibleInterface(id);
    }
}

int CItemListAccessible::childCount() const {
    return m_items->AccessibleItemCount();
}

QAccessibleInterface* CItemListAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    if (m_ids.size() <= static_cast<std::size_t>(index)) m_ids.resize(static_cast<std::size_t>(index) + 1, 0);
    QAccessible::Id& id = m_ids[static_cast<std::size_t>(index)];
    if (!id) id = QAccessible::registerAccessibleInterface(new CAccessibleItem(widget(), m_items, index));
    return QAccessible::accessibleInterface(id);
}

int CItemListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (std::size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] && QAccessible::accessibleInterface(m_ids[i]) == child) return static_cast<int>(i);
    }
    return -1;
}

QAccessibleInterface* CItemListAccessible::childAt(int x, int y) const {
    const int hit = m_items->AccessibleItemAt(QPoint(x, y));
    return hit >= 0 ? child(hit) : nullptr;
}
