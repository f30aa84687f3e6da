#include "views/controls/ToggleButton.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

CToggleButton::CToggleButton(QWidget* parent) : CToggleButton(QString(), parent) {}

CToggleButton::CToggleButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    // Checkable for screen readers, which then read the state; clicks do not flip it.
    setCheckable(true);
    setMouseTracking(true);
}

void CToggleButton::SetBitmaps(int off, int on, int offHover, int onHover) {
    SetBitmapImages(skinart::Bitmap(off), skinart::Bitmap(on), skinart::Bitmap(offHover), skinart::Bitmap(onHover));
}

void CToggleButton::SetBitmapImages(const QImage& off, const QImage& on, const QImage& offHover,
                                    const QImage& onHover) {
    m_off = off;
    m_on = on;
    m_offHover = offHover;
    m_onHover = onHover;
    if (!m_off.isNull()) resize(m_off.size());
    updateGeometry();
    update();
}

void CToggleButton::SetToggle() {
    SetCheckState(!m_bOn);
}

void CToggleButton::SetCheckState(bool on) {
    m_bOn = on;
    QPushButton::setChecked(on);
    update();
}

QSize CToggleButton::sizeHint() const {
    if (!m_off.isNull()) return m_off.size();
    return QPushButton::sizeHint();
}

void CToggleButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QImage img = m_bOn ? (m_bHover && !m_onHover.isNull() ? m_onHover : m_on)
                       : (m_bHover && !m_offHover.isNull() ? m_offHover : m_off);
    if (img.isNull()) img = m_off;
    if (!img.isNull()) {
        p.drawImage(rect(), img);
        if (!isEnabled()) p.fillRect(rect(), QColor(255, 255, 255, 110));
    } else {
        skinart::DrawPlainButton(p, rect(), m_bOn || isDown(), m_bHover, hasFocus(), isEnabled());
    }
    if (!text().isEmpty()) {
        p.setPen(isEnabled() ? QColor(m_bOn ? 0x10 : 0x30, 0x30, 0x30) : QColor(0x9A, 0x9A, 0x9A));
        QFont f = font();
        f.setBold(m_bOn);
        p.setFont(f);
        p.drawText(rect().translated(m_bOn ? 1 : 0, m_bOn ? 1 : 0), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}

void CToggleButton::enterEvent(QEnterEvent* event) {
    m_bHover = true;
    update();
    QPushButton::enterEvent(event);
}

void CToggleButton::leaveEvent(QEvent* event) {
    m_bHover = false;
    update();
    QPushButton::leaveEvent(event);
}
