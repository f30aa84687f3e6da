#include "views/controls/HoverButton.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

CHoverButton::CHoverButton(QWidget* parent) : QPushButton(parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

bool CHoverButton::LoadBitmap(int id) {
    return LoadBitmap(skinart::Bitmap(id));
}

bool CHoverButton::LoadBitmap(const QImage& strip) {
    const std::vector<QImage> cells = skinart::Split(strip, kStates);
    if (cells.empty()) return false;
    for (int i = 0; i < kStates; ++i) m_states[i] = cells[static_cast<std::size_t>(i)];
    resize(m_states[0].size());
    updateGeometry();
    update();
    return true;
}

void CHoverButton::SetToolTipText(const QString& text) {
    setToolTip(text);
    if (this->text().isEmpty()) setAccessibleName(text);
}

void CHoverButton::SetBtnCursor(Qt::CursorShape shape) {
    setCursor(shape);
}

int CHoverButton::CurrentState() const {
    if (isDown()) return 2;
    return m_bHover ? 1 : 0;
}

QSize CHoverButton::sizeHint() const {
    if (!m_states[0].isNull()) return m_states[0].size();
    return QPushButton::sizeHint();
}

void CHoverButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int state = CurrentState();
    if (!m_states[state].isNull()) {
        p.drawImage(rect(), m_states[state]);
        if (!isEnabled()) p.fillRect(rect(), QColor(255, 255, 255, 110));
    } else {
        skinart::DrawPlainButton(p, rect(), state == 2, state == 1, hasFocus(), isEnabled());
    }
    if (!text().isEmpty()) {
        p.setPen(isEnabled() ? QColor(0x20, 0x20, 0x20) : QColor(0x9A, 0x9A, 0x9A));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}

void CHoverButton::enterEvent(QEnterEvent* event) {
    m_bHover = true;
    update();
    QPushButton::enterEvent(event);
}

void CHoverButton::leaveEvent(QEvent* event) {
    m_bHover = false;
    update();
    QPushButton::leaveEvent(event);
}
