#include "app/WorkControls.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "common/Gandry.h"
#include "platform/afx/afxwin.h"
#include "platform/brelt/Brelt.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

// Control IDs keep the design's numbers; tests and the frame find children by them.
void Identify(QWidget* widget, int id) {
    widget->setObjectName(QString::number(id));
    widget->setProperty("controlId", id);
}

}  // namespace

namespace WorkLook {

QColor Color(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QFont Font(bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("굴림"), QStringLiteral("Gulim"), QStringLiteral("NanumGothic")});
    font.setPixelSize(12);
    if (bold) font.setWeight(QFont::Bold);
    return font;
}

void Tile(QPainter& painter, const QRect& rect, int id, COLORREF fallback) {
    const QImage tile = CBrelt::Bitmap(id);
    if (tile.isNull()) {
        painter.fillRect(rect, Color(fallback));
        return;
    }
    painter.drawTiledPixmap(rect, QPixmap::fromImage(tile));
}

void PaintHostFrame(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Color(kFrameLine), 1));
    painter.setBrush(Color(kPanelBack));
    const qreal r = kFrameRound / 2.0;
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), r, r);
    painter.restore();
}

}  // namespace WorkLook

CxSkinButtonEx* MakeSkinButton(QWidget* parent, int id, int skinId, const QString& tooltip, const QString& caption) {
    auto* button = new CxSkinButtonEx(caption, parent);
    Identify(button, id);
    button->setFont(WorkLook::Font());
    button->SetToolTipText(tooltip.isEmpty() ? caption : tooltip);
    if (!button->SetSkinWithCount(skinId, 5)) {
        if (caption.isEmpty()) button->setText(tooltip);
        button->resize(button->sizeHint());
    }
    if (!caption.isEmpty()) button->setAccessibleName(caption);
    return button;
}

void NameControl(QWidget* control, int id, const QString& name) {
    Identify(control, id);
    control->setAccessibleName(name);
}

CWorkBitmap::CWorkBitmap(int id, Fallback fallback, QWidget* parent) : CStBitmap(parent), m_fallback(fallback) {
    Identify(this, id);
}

void CWorkBitmap::SetBitmap(int bitmapId) {
    if (!CStBitmap::SetBitmap(bitmapId)) {
        setFixedSize(m_fallback == Fallback::Logo ? QSize(64, 20) : QSize(18, 18));
    }
    update();
}

void CWorkBitmap::paintEvent(QPaintEvent* event) {
    if (!GetBitmap().isNull()) {
        CStBitmap::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_fallback == Fallback::Logo) {
        QFont font = WorkLook::Font(true);
        font.setPixelSize(14);
        painter.setFont(font);
        painter.setPen(QColor(0x6a, 0x6a, 0x6a));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("ZEL"));
        return;
    }
    // A magnifier with a minus or a plus.
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.6));
    painter.setBrush(Qt::NoBrush);
    const QRectF lens(1.5, 1.5, 11, 11);
    painter.drawEllipse(lens);
    painter.drawLine(QPointF(11, 11), QPointF(16.5, 16.5));
    const QPointF c = lens.center();
    painter.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
    if (m_fallback == Fallback::ZoomIn) painter.drawLine(QPointF(c.x(), c.y() - 3), QPointF(c.x(), c.y() + 3));
}

CTextBox::CTextBox(int corner, bool bold, const QString& name, QWidget* parent)
    : QWidget(parent), m_nCorner(corner), m_strName(name) {
    setFont(WorkLook::Font(bold));
    setAccessibleName(name);
}

void CTextBox::SetLines(const QStringList& lines) {
    if (lines == m_lines) return;
    m_lines = lines;
    setAccessibleName(Text().isEmpty() ? m_strName : Text());
    update();
}

QString CTextBox::Text() const {
    return m_lines.join(QStringLiteral("  "));
}

std::vector<int> CTextBox::CellWidths(int width, int count) {
    if (count <= 0) return {};
    if (count == 1) return {std::max(0, width)};
    const int unit = std::clamp(width / (count + 1), 0, kMaxCell);
    std::vector<int> widths(static_cast<size_t>(count), unit);
    widths.front() = 2 * unit;
    return widths;
}

void CTextBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const qreal r = m_nCorner / 2.0;
    painter.drawRoundedRect(QRectF(rect()), r, r);
    painter.setPen(Qt::black);
    if (m_lines.isEmpty()) return;
    const QFontMetrics metrics(font());
    const QRect inner = rect().adjusted(5, 0, -5, 0);
    const std::vector<int> widths = CellWidths(inner.width(), static_cast<int>(m_lines.size()));
    int x = inner.left();
    for (int i = 0; i < static_cast<int>(widths.size()); ++i) {
        const int w = widths[static_cast<size_t>(i)];
        const QRect cell(x, inner.top(), w, inner.height());
        painter.drawText(cell, Qt::AlignVCenter | Qt::AlignLeft, metrics.elidedText(m_lines[i], Qt::ElideRight, w - 4));
        x += w;
    }
}

CViewArea::CViewArea(int id, const QString& name, COLORREF background, bool framed, QWidget* parent)
    : QWidget(parent), m_crBack(background), m_bFramed(framed) {
    Identify(this, id);
    setAccessibleName(name);
    setFocusPolicy(Qt::StrongFocus);
}

void CViewArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const COLORREF back = m_bSetting ? CGandry::GetColorBack() : m_crBack;
    if (m_bFramed) {
        painter.fillRect(rect(), WorkLook::Color(WorkLook::kPanelBack));
        WorkLook::PaintHostFrame(painter, rect());
        painter.fillRect(rect().adjusted(6, 6, -6, -6), WorkLook::Color(back));
        return;
    }
    painter.fillRect(rect(), WorkLook::Color(back));
}
