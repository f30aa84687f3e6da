// The browser's items for screen readers and desktop automation: the view is a list, each item
// a list item named by its label, with its selected state and a default action that makes it
// the only selected and current item, as a plain click does.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <vector>

#include "views/catalogue/ViewThumb.h"
#include "views/catalogue/vxImage.h"

namespace {

class ThumbItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ThumbItemAccessible(CViewThumb* view, int index) : m_view(view), m_index(index) {}

    bool isValid() const override { return Item() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const vxImage* item = Item();
        if (!item || t != QAccessible::Name) return {};
        return QString::fromStdString(m_view->Catalogue().GetLabel(item));
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const vxImage* item = Item();
        if (!item) return {};
        const int scroll = m_view->verticalScrollBar()->value();
        const QRect cell(item->m_rect.left, item->m_rect.top - scroll, item->m_rect.right - item->m_rect.left,
                         item->m_rect.bottom - item->m_rect.top);
        return QRect(m_view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const vxImage* item = Item();
        if (!item) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = item->m_bSelected != 0;
        s.focused = m_view->hasFocus() && m_view->Catalogue().GetTransImage() == item;
        s.offscreen = item->m_bVisible == 0;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && Item()) m_view->ActivateItem(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    vxImage* Item() const {
        if (!m_view || m_view->IsLoading()) return nullptr;
        return m_view->Catalogue().GetVxImage(m_index);
    }

    QPointer<CViewThumb> m_view;
    int m_index;
};

class ThumbListAccessible : public QAccessibleWidget {
public:
    explicit ThumbListAccessible(CViewThumb* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~ThumbListAccessible() override {
        for (QAccessible::Id id : m_ids) {
            if (id) QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return View()->IsLoading() ? 0 : View()->Catalogue().GetThumbCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (m_ids.size() <= static_cast<std::size_t>(index)) m_ids.resize(static_cast<std::size_t>(index) + 1, 0);
        QAccessible::Id& id = m_ids[static_cast<std::size_t>(index)];
        if (!id) id = QAccessible::registerAccessibleInterface(new ThumbItemAccessible(View(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_ids.size(); ++i) {
            if (m_ids[i] && QAccessible::accessibleInterface(m_ids[i]) == child) return static_cast<int>(i);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (View()->IsLoading()) return nullptr;
        const QPoint local = View()->viewport()->mapFromGlobal(QPoint(x, y));
        const int hit = View()->Catalogue().HitTest(CPoint(local.x(), local.y() + View()->verticalScrollBar()->value()));
        return hit >= 0 ? child(hit) : nullptr;
    }

private:
    CViewThumb* View() const { return static_cast<CViewThumb*>(widget()); }
    mutable std::vector<QAccessible::Id> m_ids;
};

QAccessibleInterface* ThumbFactory(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<CViewThumb*>(object)) return new ThumbListAccessible(view);
    return nullptr;
}

}  // namespace

void CViewThumb::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&ThumbFactory);
        return true;
    }();
    (void)installed;
}

void CViewThumb::ActivateItem(int index) {
    if (IsLoading() || index < 0 || index >= m_catalogue.GetThumbCount()) return;
    m_catalogue.SetCurrent(index + 1);
    ScrollTo(m_catalogue.AutoScroll(m_catalogue.GetVxImage(index)));
    viewport()->update();
}
