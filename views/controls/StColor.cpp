#include "views/controls/StColor.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "views/controls/SkinArt.h"

namespace {

bool AskWithDialog(COLORREF& color, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(skinart::ToQColor(color), parent);
    if (!chosen.isValid()) return false;
    color = skinart::ToColorRef(chosen);
    return true;
}

CStColor::Chooser g_chooser = AskWithDialog;

QString Describe(COLORREF c) {
    return QStringLiteral("#%1%2%3")
        .arg(GetRValue(c), 2, 16, QLatin1Char('0'))
        .arg(GetGValue(c), 2, 16, QLatin1Char('0'))
        .arg(GetBValue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

}  // namespace

CStColor::CStColor(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("색상"));
    setAccessibleDescription(Describe(m_crColor));
}

CStColor::Chooser CStColor::SetChooser(Chooser chooser) {
    Chooser previous = std::move(g_chooser);
    g_chooser = chooser ? std::move(chooser) : Chooser(AskWithDialog);
    return previous;
}

void CStColor::SetColor(COLORREF color) {
    m_crColor = color & 0xFFFFFF;
    setAccessibleDescription(Describe(m_crColor));
    update();
}

bool CStColor::ChooseColor() {
    COLORREF c = m_crColor;
    if (!g_chooser || !g_chooser(c, this)) return false;
    SetColor(c);
    if (m_onChange) m_onChange(m_crColor);
    return true;
}

void CStColor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), skinart::ToQColor(m_crColor));
    p.setPen(hasFocus() ? QColor(0x31, 0x6A, 0xC5) : QColor(0x80, 0x80, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CStColor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) ChooseColor();
}

void CStColor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        ChooseColor();
        return;
    }
    QWidget::keyPressEvent(event);
}
