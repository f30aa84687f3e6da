#include "app/SwatchStrip.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace {

class SwatchStripAccessible;

// One swatch: a list item named by its colour.
class SwatchAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    SwatchAccessible(CSwatchStrip* strip, int index) : m_strip(strip), m_index(index) {}

    bool isValid() const override { return !m_strip.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_strip ? m_strip->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_strip.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return (t == QAccessible::Name && m_strip) ? m_strip->Name(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!m_strip) return {};
        const QRect cell = m_strip->CellRect(m_index);
        return QRect(m_strip->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        s.selected = m_strip && m_strip->Chosen() == m_index;
        s.invisible = !m_strip || !m_strip->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override {
        if (name == toggleAction() && m_strip && m_strip->onChoose) m_strip->onChoose(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CSwatchStrip> m_strip;
    int m_index;
};

// The strip: a list of the swatches. The item interfaces are registered once and live as long
// as the strip's own interface.
class SwatchStripAccessible : public QAccessibleWidget {
public:
    explicit SwatchStripAccessible(CSwatchStrip* strip) : QAccessibleWidget(strip, QAccessible::List) {
        for (int i = 0; i < strip->Count(); ++i) {
            auto* item = new SwatchAccessible(strip, i);
            m_items.push_back(QAccessible::registerAccessibleInterface(item));
        }
    }
    ~SwatchStripAccessible() override {
        for (auto id : m_items) QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return static_cast<int>(m_items.size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return QAccessible::accessibleInterface(m_items[static_cast<size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (QAccessible::accessibleInterface(m_items[static_cast<size_t>(i)]) == child) return i;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* item = child(i);
            if (item && item->rect().contains(x, y)) return item;
        }
        return nullptr;
    }

private:
    std::vector<QAccessible::Id> m_items;
};

QAccessibleInterface* SwatchFactory(const QString&, QObject* object) {
    if (auto* strip = dynamic_cast<CSwatchStrip*>(object)) return new SwatchStripAccessible(strip);
    return nullptr;
}

}  // namespace

CSwatchStrip::CSwatchStrip(int count, QWidget* parent) : QWidget(parent), m_nCount(count) {
    static const bool installed = [] {
        QAccessible::installFactory(SwatchFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("배경 색상"));
}

void CSwatchStrip::SetChosen(int index) {
    const int old = m_nChosen;
    m_nChosen = index;
    if (old == index || !QAccessible::isActive()) return;
    QAccessibleInterface* self = QAccessible::queryAccessibleInterface(this);
    if (!self) return;
    for (int i : {old, index}) {
        if (QAccessibleInterface* item = self->child(i)) {
            QAccessible::State changed;
            changed.selected = true;
            QAccessibleStateChangeEvent event(item, changed);
            QAccessible::updateAccessibility(&event);
        }
    }
}

QRect CSwatchStrip::CellRect(int index) const {
    if (m_nCount <= 0) return {};
    const int w = width() / m_nCount;
    return QRect(index * w, 0, w, height());
}
