#include "app/WorkControls.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionSlider>

#include "common/Gandry.h"
#include "platform/afx/afxwin.h"
#include "platform/brelt/Brelt.h"

namespace {

// Control IDs keep the design's numbers; tests and the frame find children by them.
void Identify(QWidget* widget, int id) {
    widget->setObjectName(QString::number(id));
    widget->setProperty("controlId", id);
}

}  // namespace

namespace WorkLook {

QColor Color(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

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

CWorkButton::CWorkButton(int id, QWidget* parent) : QAbstractButton(parent) {
    Identify(this, id);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    FitPlain();
}

void CWorkButton::SetSkinWithCount(int bitmapId, int count) {
    m_strip = CBrelt::Bitmap(bitmapId);
    m_nCount = count;
    if (!m_strip.isNull() && count > 0 && m_strip.width() >= count) {
        m_size = QSize(m_strip.width() / count, m_strip.height());
    } else {
        m_strip = QImage();
        FitPlain();
    }
    setFixedSize(m_size);
    update();
}

void CWorkButton::SetToolTipText(const QString& text) {
    setToolTip(text);
    setAccessibleName(text);
    if (m_strip.isNull()) {
        FitPlain();
        setFixedSize(m_size);
    }
}

void CWorkButton::SetCaption(const QString& text) {
    m_strCaption = text;
    setText(text);
    setAccessibleName(text);
    if (m_strip.isNull()) {
        FitPlain();
        setFixedSize(m_size);
    }
    update();
}

void CWorkButton::FitPlain() {
    const QFontMetrics metrics(WorkLook::Font());
    m_size = QSize(std::max(44, metrics.horizontalAdvance(Caption()) + 18), 24);
}

void CWorkButton::enterEvent(QEnterEvent* event) {
    m_bHover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CWorkButton::leaveEvent(QEvent* event) {
    m_bHover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CWorkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // States in the strip: normal, pressed, hover, focus, disabled.
    int state = 0;
    if (!isEnabled()) state = 4;
    else if (isDown()) state = 1;
    else if (m_bHover) state = 2;
    else if (hasFocus()) state = 3;
    if (!m_strip.isNull()) {
        if (state >= m_nCount) state = 0;
        const QRect cell(state * m_size.width(), 0, m_size.width(), m_size.height());
        painter.drawImage(QPoint(0, 0), m_strip, cell);
        if (!m_strCaption.isEmpty()) {
            painter.setFont(WorkLook::Font());
            painter.setPen(state == 4 ? QColor(0xa0a0a0) : QColor(0x202020));
            painter.drawText(rect().translated(state == 1 ? 1 : 0, state == 1 ? 1 : 0), Qt::AlignCenter, m_strCaption);
        }
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor face = state == 1 ? QColor(0x9a, 0xb8, 0xd8) : state == 2 ? QColor(0xe4, 0xee, 0xf8) : QColor(0xfa, 0xfa, 0xfa);
    painter.setPen(QColor(state == 4 ? 0xc0c0c0 : 0x8a8a8a));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setFont(WorkLook::Font());
    painter.setPen(state == 4 ? QColor(0xa0a0a0) : QColor(0x202020));
    painter.drawText(rect(), Qt::AlignCenter, Caption());
}

CWorkSlider::CWorkSlider(int id, QWidget* parent) : QSlider(Qt::Horizontal, parent), m_nID(id) {
    Identify(this, id);
    setFixedSize(120, 20);
    setFocusPolicy(Qt::StrongFocus);
    QObject::connect(this, &QAbstractSlider::valueChanged, this, [this](int position) { Notify(position); });
}

void CWorkSlider::SetRange(int min, int max) {
    m_bQuiet = true;
    setRange(min, max);
    m_bQuiet = false;
}

void CWorkSlider::SetPos(int pos) {
    m_bQuiet = true;
    setValue(pos);
    m_bQuiet = false;
}

void CWorkSlider::Notify(int position) {
    if (m_bQuiet) return;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* target = dynamic_cast<CMsgTarget*>(w)) {
            target->SendMessage(kMsgMoved, static_cast<WPARAM>(m_nID), static_cast<LPARAM>(position));
            return;
        }
    }
}

void CWorkSlider::SetBitmapChannel(int bitmapId) {
    m_channel = CBrelt::Bitmap(bitmapId);
    if (!m_channel.isNull()) setFixedSize(m_channel.size());
    update();
}

void CWorkSlider::SetBitmapChannel(int leftId, int middleId, int rightId) {
    m_channel = CBrelt::Bitmap(leftId);
    m_channelMiddle = CBrelt::Bitmap(middleId);
    m_channelRight = CBrelt::Bitmap(rightId);
    if (m_channelMiddle.isNull() || m_channelRight.isNull()) m_channel = QImage();
    update();
}

void CWorkSlider::SetBitmapThumb(int normalId, int activeId) {
    m_thumb = CBrelt::Bitmap(normalId);
    m_thumbActive = CBrelt::Bitmap(activeId);
    update();
}

void CWorkSlider::paintEvent(QPaintEvent* event) {
    if (m_channel.isNull() || m_thumb.isNull()) {
        QSlider::paintEvent(event);
        return;
    }
    QPainter painter(this);
    if (m_channelMiddle.isNull()) {
        painter.drawImage(QPoint(0, 0), m_channel);
    } else {
        const int l = m_channel.width();
        const int r = m_channelRight.width();
        painter.drawImage(QPoint(0, 0), m_channel);
        painter.drawImage(QRect(l, 0, std::max(0, width() - l - r), height()), m_channelMiddle);
        painter.drawImage(QPoint(width() - r, 0), m_channelRight);
    }
    // The thumb's centre runs from T/2 to W - T/2 across the range.
    const int t = m_thumb.width();
    const int span = std::max(1, maximum() - minimum());
    const int x = (width() - t) * (value() - minimum()) / span;
    const QImage& thumb = (isSliderDown() && !m_thumbActive.isNull()) ? m_thumbActive : m_thumb;
    painter.drawImage(QPoint(x, (height() - thumb.height()) / 2), thumb);
}

CWorkBitmap::CWorkBitmap(int id, Fallback fallback, QWidget* parent) : QWidget(parent), m_fallback(fallback) {
    Identify(this, id);
    m_size = fallback == Fallback::Logo ? QSize(64, 20) : QSize(18, 18);
    setFixedSize(m_size);
}

void CWorkBitmap::SetBitmap(int bitmapId) {
    m_image = CBrelt::Bitmap(bitmapId);
    if (!m_image.isNull()) m_size = m_image.size();
    setFixedSize(m_size);
    update();
}

void CWorkBitmap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_image.isNull()) {
        painter.drawImage(QPoint(0, 0), m_image);
        return;
    }
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

CWorkProgress::CWorkProgress(int id, QWidget* parent) : QProgressBar(parent) {
    Identify(this, id);
    setTextVisible(false);
    setRange(0, 0);
    setRange(0, 100);
    setValue(0);
}

void CWorkProgress::SetBitmap(int bitmapId) {
    m_bar = CBrelt::Bitmap(bitmapId);
    update();
}

void CWorkProgress::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, QColor(0xff, 0xff, 0xff));
    painter.setPen(QColor(0x9d, 0x9d, 0x9d));
    painter.drawRect(all.adjusted(0, 0, -1, -1));
    const int span = std::max(1, maximum() - minimum());
    const int filled = (all.width() - 2) * (value() - minimum()) / span;
    if (filled <= 0) return;
    const QRect bar(1, 1, filled, all.height() - 2);
    if (!m_bar.isNull()) painter.drawTiledPixmap(bar, QPixmap::fromImage(m_bar.scaledToHeight(bar.height())));
    else painter.fillRect(bar, QColor(0x61, 0xae, 0xfa));
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

QString CTextBox::Text() const { return m_lines.join(QStringLiteral("  ")); }

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
    const int columns = static_cast<int>(m_lines.size());
    // Several texts share the box side by side, the first one twice as wide (it is a name).
    const int unit = inner.width() / (columns + 1);
    int x = inner.left();
    for (int i = 0; i < columns; ++i) {
        const int w = (columns == 1) ? inner.width() : (i == 0 ? 2 * unit : unit);
        const QRect cell(x, inner.top(), w, inner.height());
        painter.drawText(cell, Qt::AlignVCenter | Qt::AlignLeft,
                         metrics.elidedText(m_lines[i], Qt::ElideRight, w - 4));
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
