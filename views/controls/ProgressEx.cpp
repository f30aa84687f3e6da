#include "views/controls/ProgressEx.h"

#include <QPainter>

#include <algorithm>

#include "views/controls/SkinArt.h"

CProgressEx::CProgressEx(QWidget* parent, int style) : QProgressBar(parent), m_nStyle(style) {
    setRange(0, 100);
    setValue(0);
    setTextVisible(style == kWithText);
    setAccessibleName(QStringLiteral("진행 상황"));
}

void CProgressEx::SetStyle(int style) {
    m_nStyle = style;
    setTextVisible(style == kWithText);
    update();
}

void CProgressEx::SetRange(int lower, int upper) {
    const int prev = value();
    setRange(lower, std::max(lower, upper));
    setValue(std::clamp(prev, minimum(), maximum()));
}

int CProgressEx::SetPos(int pos) {
    const int prev = value();
    setValue(std::clamp(pos, minimum(), maximum()));
    return prev;
}

int CProgressEx::OffsetPos(int delta) {
    return SetPos(value() + delta);
}

int CProgressEx::StepIt() {
    return SetPos(value() + m_nStep);
}

int CProgressEx::SetStep(int step) {
    const int prev = m_nStep;
    m_nStep = step;
    return prev;
}

void CProgressEx::SetBarColor(COLORREF color) {
    m_crBar = color;
    update();
}

void CProgressEx::SetBkColor(COLORREF color) {
    m_crBack = color;
    update();
}

void CProgressEx::SetTextColor(COLORREF color) {
    m_crText = color;
    update();
}

bool CProgressEx::SetBitmap(int id) {
    return SetBitmapImage(skinart::Bitmap(id));
}

bool CProgressEx::SetBitmapImage(const QImage& image) {
    m_bar = image;
    update();
    return !image.isNull();
}

void CProgressEx::SetText(const QString& text) {
    m_strText = text;
    update();
}

QString CProgressEx::DisplayText() const {
    if (!m_strText.isEmpty()) return m_strText;
    const long long span = static_cast<long long>(maximum()) - minimum();
    const long long done = span > 0 ? (static_cast<long long>(value()) - minimum()) * 100 / span : 0;
    return QStringLiteral("%1%").arg(done);
}

int CProgressEx::FilledWidth(int inner) const {
    const long long span = static_cast<long long>(maximum()) - minimum();
    if (span <= 0 || inner <= 0) return 0;
    return static_cast<int>(inner * (static_cast<long long>(value()) - minimum()) / span);
}

void CProgressEx::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = rect();
    p.fillRect(frame, skinart::ToQColor(m_crBack));
    const QRect inner = frame.adjusted(1, 1, -1, -1);
    const QRect done(inner.left(), inner.top(), FilledWidth(inner.width()), inner.height());
    if (!m_bar.isNull()) {
        const QImage tile = m_bar.height() == inner.height() ? m_bar : m_bar.scaled(m_bar.width(), inner.height());
        p.save();
        p.setClipRect(done);
        for (int x = done.left(); x <= done.right(); x += std::max(1, tile.width())) p.drawImage(x, done.top(), tile);
        p.restore();
    } else if (m_nStyle == kFlat) {
        p.fillRect(done, skinart::ToQColor(m_crBar));
    } else {
        const QColor bar = skinart::ToQColor(m_crBar);
        QLinearGradient g(done.topLeft(), done.bottomLeft());
        g.setColorAt(0, bar.lighter(150));
        g.setColorAt(0.5, bar);
        g.setColorAt(1, bar.darker(120));
        p.fillRect(done, g);
    }
    p.setPen(QColor(0x9D, 0x9D, 0x9D));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    if (m_nStyle == kWithText) {
        p.setPen(skinart::ToQColor(m_crText));
        p.drawText(inner, Qt::AlignCenter, DisplayText());
    }
}
