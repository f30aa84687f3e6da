#include "views/controls/xSkinButton.h"

#include <QEnterEvent>
#include <QPainter>

#include "views/controls/SkinArt.h"

CxSkinButton::CxSkinButton(QWidget* parent) : CxSkinButton(QString(), parent) {}

CxSkinButton::CxSkinButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAttribute(Qt::WA_Hover, true);
    setMouseTracking(true);
}

void CxSkinButton::SetSkin(int normal, int down, int over, int disabled) {
    SetSkinImages(skinart::Bitmap(normal), skinart::Bitmap(down), skinart::Bitmap(over), {}, skinart::Bitmap(disabled));
}

void CxSkinButton::SetSkin5(int normal, int down, int over, int focus, int disabled) {
    SetSkinImages(skinart::Bitmap(normal), skinart::Bitmap(down), skinart::Bitmap(over), skinart::Bitmap(focus),
                  skinart::Bitmap(disabled));
}

void CxSkinButton::SetSkinImages(const QImage& normal, const QImage& down, const QImage& over, const QImage& focus,
                                 const QImage& disabled) {
    ApplyImages({normal, down, over, focus, disabled});
}

void CxSkinButton::ApplyImages(const std::array<QImage, kStateCount>& images) {
    m_images = images;
    m_size = m_images[kNormal].isNull() ? QSize(0, 0) : m_images[kNormal].size();
    if (!m_size.isEmpty()) resize(m_size);
    updateGeometry();
    update();
}

void CxSkinButton::SetTextColor(COLORREF normal) {
    SetTextColor(normal, normal);
}

void CxSkinButton::SetTextColor(COLORREF normal, COLORREF hover) {
    m_crText = normal;
    m_crHover = hover;
    update();
}

void CxSkinButton::SetToolTipText(const QString& text) {
    setToolTip(text);
    if (this->text().isEmpty()) setAccessibleName(text);
}

CxSkinButton::State CxSkinButton::CurrentState() const {
    if (!isEnabled()) return kDisabled;
    if (isDown() || isChecked()) return kPressed;
    if (m_bHover) return kHover;
    if (hasFocus()) return kFocus;
    return kNormal;
}

QImage CxSkinButton::StateImage(State state) const {
    if (state < 0 || state >= kStateCount) return {};
    return m_images[state].isNull() ? m_images[kNormal] : m_images[state];
}

QSize CxSkinButton::sizeHint() const {
    if (!m_size.isEmpty()) return m_size;
    return QPushButton::sizeHint();
}

void CxSkinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const State state = CurrentState();
    const QImage img = StateImage(state);
    if (!img.isNull()) {
        p.drawImage(rect(), img);
    } else {
        skinart::DrawPlainButton(p, rect(), state == kPressed, state == kHover, hasFocus(), isEnabled());
    }
    if (!text().isEmpty()) {
        QRect r = rect();
        if (state == kPressed) r.translate(1, 1);
        p.setFont(font());
        p.setPen(isEnabled() ? skinart::ToQColor(state == kHover ? m_crHover : m_crText) : QColor(0x9A, 0x9A, 0x9A));
        p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}

void CxSkinButton::enterEvent(QEnterEvent* event) {
    m_bHover = true;
    update();
    QPushButton::enterEvent(event);
}

void CxSkinButton::leaveEvent(QEvent* event) {
    m_bHover = false;
    update();
    QPushButton::leaveEvent(event);
}

void CxSkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QPushButton::changeEvent(event);
}
