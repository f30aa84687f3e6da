#include "views/catalogue/PictureList.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include "platform/afx/afxmsg.h"
#include "views/catalogue/artPicture.h"

namespace {

QColor ToColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace

CPictureList::CPictureList(QWidget* parent) : QWidget(parent) {
    InstallAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

CPictureList::~CPictureList() = default;

QString CPictureList::AccessibleItemName(int index) {
    return QString::fromStdString(GetItem(index)->GetName());
}

QRect CPictureList::AccessibleItemRect(int index) {
    const CRect r = GetItemRect(index);
    const QPoint topLeft = mapToGlobal(QPoint(r.left, r.top - m_nPosVer));
    return QRect(topLeft, QSize(r.right - r.left, r.bottom - r.top));
}

QAccessible::State CPictureList::AccessibleItemState(int index) {
    QAccessible::State s;
    s.selectable = true;
    s.selected = GetItem(index)->GetSelected() != 0;
    s.disabled = !isEnabled();
    const CRect r = GetItemRect(index);
    s.offscreen = r.bottom - m_nPosVer <= 0 || r.top - m_nPosVer >= height();
    return s;
}

int CPictureList::AccessibleItemAt(QPoint global) {
    const QPoint local = mapFromGlobal(global);
    return HitTest(CPoint(local.x(), local.y() + m_nPosVer));
}

void CPictureList::AccessibleItemActivate(int index) {
    if (!isEnabled()) return;
    const CRect r = GetItemRect(index);
    OnLButtonDown(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2 - m_nPosVer));
}

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
