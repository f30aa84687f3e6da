// The browser's items for screen readers and desktop automation: each item is a list item named
// by its label, with its selected state and a default action that makes it the only selected and
// current item, as a plain click does.
#include <QScrollBar>

#include "views/catalogue/ViewThumb.h"
#include "views/catalogue/vxImage.h"

int CViewThumb::AccessibleItemCount() {
    return IsLoading() ? 0 : m_catalogue.GetThumbCount();
}

bool CViewThumb::AccessibleItemValid(int index) {
    return !IsLoading() && m_catalogue.GetVxImage(index) != nullptr;
}

QString CViewThumb::AccessibleItemName(int index) {
    return QString::fromStdString(m_catalogue.GetLabel(m_catalogue.GetVxImage(index)));
}

QRect CViewThumb::AccessibleItemRect(int index) {
    const vxImage* item = m_catalogue.GetVxImage(index);
    const int scroll = verticalScrollBar()->value();
    const QRect cell(item->m_rect.left, item->m_rect.top - scroll, item->m_rect.right - item->m_rect.left,
                     item->m_rect.bottom - item->m_rect.top);
    return QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State CViewThumb::AccessibleItemState(int index) {
    const vxImage* item = m_catalogue.GetVxImage(index);
    QAccessible::State s;
    s.selectable = true;
    s.focusable = true;
    s.selected = item->m_bSelected != 0;
    s.focused = hasFocus() && m_catalogue.GetTransImage() == item;
    s.offscreen = item->m_bVisible == 0;
    return s;
}

int CViewThumb::AccessibleItemAt(QPoint global) {
    if (IsLoading()) return -1;
    const QPoint local = viewport()->mapFromGlobal(global);
    return m_catalogue.HitTest(CPoint(local.x(), local.y() + verticalScrollBar()->value()));
}

void CViewThumb::ActivateItem(int index) {
    if (IsLoading() || index < 0 || index >= m_catalogue.GetThumbCount()) return;
    m_catalogue.SetCurrent(index + 1);
    ScrollTo(m_catalogue.AutoScroll(m_catalogue.GetVxImage(index)));
    viewport()->update();
}
