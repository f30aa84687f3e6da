#include "views/controls/UserStatic.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

CUserStatic::CUserStatic(const QString& title, QWidget* parent) : QLabel(title, parent) {
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

void CUserStatic::SetBitmaps(int left, int middle, int right) {
    SetBitmapImages(skinart::Bitmap(left), skinart::Bitmap(middle), skinart::Bitmap(right));
}

void CUserStatic::SetBitmapImages(const QImage& left, const QImage& middle, const QImage& right) {
    m_left = left;
    m_middle = middle;
    m_right = right;
    updateGeometry();
    update();
}

void CUserStatic::SetTextColor(COLORREF color) {
    m_crText = color;
    update();
}

QSize CUserStatic::sizeHint() const {
    const int h = !m_middle.isNull() ? m_middle.height() : 22;
    return {std::max(80, fontMetrics().horizontalAdvance(text()) + 24), h};
}

void CUserStatic::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_middle.isNull()) {
        skinart::DrawThreePart(p, rect(), m_left, m_middle, m_right);
    } else {
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(0x6A, 0x7C, 0x92));
        g.setColorAt(1, QColor(0x44, 0x55, 0x6B));
        p.fillRect(rect(), g);
    }
    p.setPen(skinart::ToQColor(m_crText));
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, text());
}
