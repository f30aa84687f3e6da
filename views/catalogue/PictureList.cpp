#include "views/catalogue/PictureList.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QToolTip>

#include "platform/afx/afxmsg.h"
#include "views/catalogue/artPicture.h"

namespace {

QColor ToColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Each item as a list item named by its label, with its selected state and a default action
// that clicks it, so screen readers and desktop automation can see and choose it.
class PictureItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PictureItemAccessible(CPictureList* list, int index) : m_list(list), m_index(index) {}

    bool isValid() const override { return Item() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return m_list ? QAccessible::queryAccessibleInterface(m_list.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const artPicture* item = Item();
        if (!item || t != QAccessible::Name) return {};
        return QString::fromStdString(item->GetName());
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!Item()) return {};
        const CRect r = m_list->GetItemRect(m_index);
        const QPoint topLeft = m_list->mapToGlobal(QPoint(r.left, r.top - m_list->GetPosVer()));
        return QRect(topLeft, QSize(r.right - r.left, r.bottom - r.top));
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const artPicture* item = Item();
        if (!item) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.selected = item->GetSelected() != 0;
        s.disabled = !m_list->isEnabled();
        const CRect r = m_list->GetItemRect(m_index);
        s.offscreen = r.bottom - m_list->GetPosVer() <= 0 || r.top - m_list->GetPosVer() >= m_list->height();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name != pressAction() || !Item() || !m_list->isEnabled()) return;
        const CRect r = m_list->GetItemRect(m_index);
        m_list->OnLButtonDown(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2 - m_list->GetPosVer()));
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    artPicture* Item() const { return m_list ? m_list->GetItem(m_index) : nullptr; }

    QPointer<CPictureList> m_list;
    int m_index;
};

class PictureListAccessible : public QAccessibleWidget {
public:
    explicit PictureListAccessible(CPictureList* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~PictureListAccessible() override {
        for (QAccessible::Id id : m_ids) {
            if (id) QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return List()->GetCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (m_ids.size() <= static_cast<std::size_t>(index)) m_ids.resize(static_cast<std::size_t>(index) + 1, 0);
        QAccessible::Id& id = m_ids[static_cast<std::size_t>(index)];
        if (!id) id = QAccessible::registerAccessibleInterface(new PictureItemAccessible(List(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_ids.size(); ++i) {
            if (m_ids[i] && QAccessible::accessibleInterface(m_ids[i]) == child) return static_cast<int>(i);
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = List()->mapFromGlobal(QPoint(x, y));
        const int hit = List()->HitTest(CPoint(local.x(), local.y() + List()->GetPosVer()));
        return hit >= 0 ? child(hit) : nullptr;
    }

private:
    CPictureList* List() const { return static_cast<CPictureList*>(widget()); }
    mutable std::vector<QAccessible::Id> m_ids;
};

QAccessibleInterface* PictureListFactory(const QString&, QObject* object) {
    if (auto* list = dynamic_cast<CPictureList*>(object)) return new PictureListAccessible(list);
    return nullptr;
}

}  // namespace

CPictureList::CPictureList(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(&PictureListFactory);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

CPictureList::~CPictureList() = default;

LRESULT CPictureList::WindowProc(UINT, WPARAM, LPARAM) {
    return 0;
}

void CPictureList::SetItemGeometry(int itemWidth, int itemHeight, int textHeight, int gap) {
    m_nItemWidth = itemWidth;
    m_nItemHeight = itemHeight;
    m_nTextHeight = textHeight;
    m_nGap = gap;
    Relayout();
}

void CPictureList::SetControlWidth(int width) {
    m_nControlWidth = width;
    Relayout();
}

int CPictureList::SupportText(int height) {
    m_nTextHeight = height;
    m_bShowText = true;
    Relayout();
    return 0;
}

CRect CPictureList::GetItemRect(int index) const {
    const int left = (m_nControlWidth - m_nItemWidth) >> 1;
    const int top = index * get_height_oneItem();
    return CRect(left, top, left + m_nItemWidth, top + m_nItemHeight);
}

void CPictureList::Relayout() {
    for (int i = 0; i < GetCount(); ++i) m_items[static_cast<std::size_t>(i)]->SetPicRect(GetItemRect(i));
    update();
}

void CPictureList::AddTail(artPicture* item) {
    if (!item) return;
    item->SetOwner(this);
    item->SetPicRect(GetItemRect(GetCount()));
    m_items.push_back(item);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

void CPictureList::RemoveAllItems() {
    m_items.clear();
    m_nCurrent = -1;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

artPicture* CPictureList::GetItem(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return m_items[static_cast<std::size_t>(index)];
}

int CPictureList::HitTest(CPoint point) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (GetItemRect(i).PtInRect(point)) return i;
    }
    return -1;
}

void CPictureList::MarkOnly(int index) {
    for (int i = 0; i < GetCount(); ++i) m_items[static_cast<std::size_t>(i)]->SetSelected(i == index ? 1 : 0);
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&event);
    }
}

void CPictureList::SetCurrent(int number) {
    const int index = number - 1;
    if (index < 0 || index >= GetCount()) return;
    MarkOnly(index);
    m_nCurrent = index;
}

void CPictureList::SetPosVer(int position) {
    // Tooltips find their item by hit-testing at the moment they show, so they follow the
    // offset without being moved.
    m_nPosVer = position;
    update();
}

void CPictureList::SetEnableWindow(int enable) {
    setEnabled(enable != 0);
    m_bEnable = enable;
    update();
}

void CPictureList::InitToolTip() {
    m_bToolTip = true;
}

void CPictureList::OnLButtonDown(CPoint client) {
    const CPoint point(client.x, client.y + m_nPosVer);
    const int hit = HitTest(point);
    const LPARAM species = static_cast<LPARAM>(m_species);
    switch (m_nClickMode) {
        case 0:
            if (hit >= 0) {
                MarkOnly(hit);
                m_nCurrent = hit;
                ::PostMessage(AfxGetMainWnd(), WM_PICTURE_LIST_CLICK, static_cast<WPARAM>(hit), species);
            } else {
                MarkOnly(m_nCurrent);
            }
            break;
        case 1:
            if (hit >= 0) {
                MarkOnly(hit);
                m_nCurrent = hit;
            } else {
                MarkOnly(-1);
            }
            ::SendMessage(AfxGetMainWnd(), WM_PICTURE_LIST_CLICK, static_cast<WPARAM>(hit), species);
            break;
        case 2:
            if (hit >= 0) {
                m_nCurrent = hit;
                update();
                ::SendMessage(AfxGetMainWnd(), WM_PICTURE_LIST_CLICK, static_cast<WPARAM>(hit), species);
            }
            break;
        default:
            break;
    }
    NotifyParent();
}

void CPictureList::NotifyParent() {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* target = dynamic_cast<CMsgTarget*>(w)) {
            target->SendMessage(kMsgClicked, 0, 0);
            return;
        }
    }
}

QSize CPictureList::sizeHint() const {
    return QSize(m_nControlWidth, get_height_totalItem());
}

void CPictureList::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, ToColor(m_crBack));
    painter.translate(0, -m_nPosVer);
    const QRect content = area.translated(0, m_nPosVer);
    painter.setFont(m_labelFont);
    // The outline of labelled items.
    painter.setPen(QColor(0x9D, 0x9D, 0x9D));
    for (int i = 0; i < GetCount(); ++i) {
        CRect r = GetItemRect(i);
        // The label below the picture belongs to the item as well.
        const QRect item(r.left - (width() / 2), r.top, r.right - r.left + width(),
                         r.bottom - r.top + m_nTextHeight + 2);
        if (!item.intersects(content)) continue;
        m_items[static_cast<std::size_t>(i)]->Draw(&painter, 0);
    }
    if (!isEnabled()) {
        painter.resetTransform();
        painter.fillRect(area, QColor(237, 237, 237, 140));
    }
}

void CPictureList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    OnLButtonDown(CPoint(p.x(), p.y()));
}

void CPictureList::wheelEvent(QWheelEvent* event) {
    // The panel's slider scrolls the list.
    event->ignore();
}

bool CPictureList::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int hit = m_bToolTip ? HitTest(CPoint(help->pos().x(), help->pos().y() + m_nPosVer)) : -1;
        if (hit >= 0)
            QToolTip::showText(help->globalPos(), QString::fromStdString(GetItem(hit)->GetName()), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
