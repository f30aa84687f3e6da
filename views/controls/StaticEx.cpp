#include "views/controls/StaticEx.h"

#include <QPainter>

#include <climits>

#include "views/controls/SkinArt.h"

CStaticEx::CStaticEx(QWidget* parent) : CStaticEx(QString(), parent) {}

CStaticEx::CStaticEx(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

void CStaticEx::SetTextColor(COLORREF color) {
    m_crText = color;
    update();
}

void CStaticEx::SetBkColor(COLORREF color) {
    m_crBack = color;
    m_bTransparent = false;
    update();
}

void CStaticEx::SetTransparent(bool transparent) {
    m_bTransparent = transparent;
    update();
}

void CStaticEx::SetFontEx(const QString& face, int pixelSize, bool bold) {
    QFont f(face);
    if (pixelSize > 0) f.setPixelSize(pixelSize);
    f.setBold(bold);
    setFont(f);
}

QSize CStaticEx::MeasureText(const QFont& font, const QString& text, int width) {
    const QFontMetrics fm(font);
    return fm.boundingRect(QRect(0, 0, std::max(1, width), INT_MAX / 4), Qt::TextWordWrap | Qt::AlignLeft, text).size();
}

void CStaticEx::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_bTransparent) p.fillRect(rect(), skinart::ToQColor(m_crBack));
    p.setFont(font());
    p.setPen(isEnabled() ? skinart::ToQColor(m_crText) : QColor(0x9A, 0x9A, 0x9A));
    int flags = static_cast<int>(alignment());
    if (wordWrap()) flags |= Qt::TextWordWrap;
    p.drawText(contentsRect(), flags, text());
}
