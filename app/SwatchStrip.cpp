#include "app/SwatchStrip.h"

#include <QAccessible>

CSwatchStrip::CSwatchStrip(int count, QWidget* parent) : QWidget(parent), m_nCount(count) {
    InstallAccessibility();
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

QRect CSwatchStrip::AccessibleItemRect(int index) {
    const QRect cell = CellRect(index);
    return QRect(mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State CSwatchStrip::AccessibleItemState(int index) {
    QAccessible::State s;
    s.selectable = true;
    s.selected = m_nChosen == index;
    s.invisible = !isVisible();
    return s;
}

int CSwatchStrip::AccessibleItemAt(QPoint global) {
    for (int i = 0; i < m_nCount; ++i) {
        if (AccessibleItemRect(i).contains(global)) return i;
    }
    return -1;
}
