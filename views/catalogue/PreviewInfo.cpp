#include "views/catalogue/PreviewInfo.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

namespace {

QColor ToColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QRect Q(const CRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

CPreviewInfo::CPreviewInfo(QWidget* parent) : QWidget(parent) {
    m_font = QFont(QStringLiteral("굴림"));
    m_font.setPixelSize(12);
    setAccessibleName(QStringLiteral("미리보기 정보"));
}

std::array<CRect, 4> CPreviewInfo::LayoutLines(int w, int h, int textHeight, E_LOOK look) {
    std::array<CRect, 4> lines{};
    const int first = look == LOOK_PLAIN ? 10 : (h - 3 * textHeight - 21) / 2 + 4;
    const int count = look == LOOK_PLAIN ? 4 : 3;
    for (int i = 0; i < count; ++i) {
        const int top = first + i * (textHeight + 7);
        lines[static_cast<std::size_t>(i)] = CRect(10, top, w - 20, top + textHeight);
    }
    return lines;
}

CRect CPreviewInfo::ValueRect(const CRect& line, float amount) {
    const int offset = static_cast<int>(static_cast<float>(line.right - line.left) * amount);
    return CRect(line.left + offset, line.top, line.right, line.bottom);
}

void CPreviewInfo::SetLogFont(const QFont& font) {
    m_font = font;
    update();
}

void CPreviewInfo::SetLeftString(const CString& a, const CString& b, const CString& c, const CString& d) {
    m_labels = {QString::fromStdString(a), QString::fromStdString(b), QString::fromStdString(c),
                QString::fromStdString(d)};
    UpdateDescription();
    update();
}

// The third and fourth lines change while an animation plays and show at once; the first two
// wait for the next paint.
void CPreviewInfo::SetInfo1(const CString& value) {
    m_values[0] = QString::fromStdString(value);
    UpdateDescription();
}

void CPreviewInfo::SetInfo2(const CString& value) {
    m_values[1] = QString::fromStdString(value);
    UpdateDescription();
}

void CPreviewInfo::SetInfo3(const CString& value) {
    m_values[2] = QString::fromStdString(value);
    UpdateDescription();
    if (m_look == LOOK_ROUND) repaint();
}

void CPreviewInfo::SetInfo4(const CString& value) {
    m_values[3] = QString::fromStdString(value);
    UpdateDescription();
    repaint();
}

void CPreviewInfo::SetLook(E_LOOK look) {
    m_look = look;
    UpdateDescription();
    update();
}

void CPreviewInfo::SetColorVar(COLORREF frame, COLORREF background) {
    m_crFrame = frame;
    m_crBack = background;
    update();
}

void CPreviewInfo::SetAmount(float amount) {
    m_fAmount = amount;
    update();
}

QString CPreviewInfo::GetLabel(int line) const {
    return line >= 0 && line < 4 ? m_labels[static_cast<std::size_t>(line)] : QString();
}

QString CPreviewInfo::GetValue(int line) const {
    return line >= 0 && line < 4 ? m_values[static_cast<std::size_t>(line)] : QString();
}

CRect CPreviewInfo::GetLineRect(int line) const {
    if (line < 0 || line >= 4) return CRect();
    return LayoutLines(width(), height(), m_nTextHeight, m_look)[static_cast<std::size_t>(line)];
}

CRect CPreviewInfo::GetValueRect(int line) const {
    return ValueRect(GetLineRect(line), m_fAmount);
}

void CPreviewInfo::UpdateDescription() {
    // Screen readers read the lines as the panel shows them.
    QStringList lines;
    for (int i = 0; i < GetLineCount(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!m_labels[k].isEmpty() || !m_values[k].isEmpty()) lines << m_labels[k] + m_values[k];
    }
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
}

void CPreviewInfo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_look == LOOK_ROUND) {
        painter.fillRect(rect(), ToColor(m_crBack));
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(ToColor(m_crFrame));
        pen.setWidth(3);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 12.5, 12.5);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    painter.setFont(m_font);
    painter.setPen(QColor(0, 0, 0));
    const QFontMetrics metrics(m_font);
    for (int i = 0; i < GetLineCount(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QRect line = Q(GetLineRect(i));
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_labels[k]);
        const QRect value = Q(GetValueRect(i));
        painter.drawText(value, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         metrics.elidedText(m_values[k], Qt::ElideRight, value.width()));
    }
}
