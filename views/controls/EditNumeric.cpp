#include "views/controls/EditNumeric.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

CEditNumeric::CEditNumeric(QWidget* parent) : QLineEdit(parent) {}

void CEditNumeric::SetNumeric(bool numeric, bool allowNegative) {
    m_bNumeric = numeric;
    if (!numeric) {
        setValidator(nullptr);
        return;
    }
    // Nine digits keep every accepted number inside an int.
    const QString pattern = allowNegative ? QStringLiteral("-?[0-9]{0,9}") : QStringLiteral("[0-9]{0,9}");
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
}

void CEditNumeric::SetLimitText(int characters) {
    setMaxLength(characters > 0 ? characters : 32767);
}

int CEditNumeric::GetValue() const {
    bool ok = false;
    const int v = text().toInt(&ok);
    return ok ? v : 0;
}

void CEditNumeric::SetValue(int value) {
    setText(QString::number(value));
}

void CEditNumeric::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_onEscape) {
        m_onEscape();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_onEnter) {
        m_onEnter();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEditNumeric::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_onKillFocus) m_onKillFocus();
}
