#include "views/controls/BitmapSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "views/controls/SkinArt.h"

CBitmapSlider::CBitmapSlider(QWidget* parent, int id) : QAbstractSlider(parent), m_nID(id) {
    setFocusPolicy(Qt::StrongFocus);
    // Moves arrive however the press came; only a press starts a drag.
    setMouseTracking(true);
    setOrientation(Qt::Horizontal);
    setAccessibleName(QStringLiteral("슬라이더"));
    QAbstractSlider::setRange(m_logic.min, m_logic.max);
    QAbstractSlider::setPageStep(m_logic.page);
    // A screen reader may set the value through the base class; it then goes the same way.
    connect(this, &QAbstractSlider::valueChanged, this, [this](int v) {
        if (v != m_logic.pos) SetPos(v);
    });
}

bool CBitmapSlider::SetBitmapChannel(int channel, int active) {
    return SetBitmapChannelImages(skinart::Bitmap(channel), skinart::Bitmap(active));
}

bool CBitmapSlider::SetBitmapChannelImages(const QImage& channel, const QImage& active) {
    m_channel = channel;
    m_channelActive = active;
    updateGeometry();
    update();
    return !channel.isNull();
}

bool CBitmapSlider::SetBitmapThumb(int thumb, int active) {
    return SetBitmapThumbImages(skinart::Bitmap(thumb), skinart::Bitmap(active));
}

bool CBitmapSlider::SetBitmapThumbImages(const QImage& thumb, const QImage& active) {
    m_thumb = thumb;
    m_thumbActive = active;
    update();
    return !thumb.isNull();
}

void CBitmapSlider::SetRange(int min, int max, bool redraw) {
    m_logic.SetRange(min, max);
    QAbstractSlider::setRange(m_logic.min, m_logic.max);
    QAbstractSlider::setValue(m_logic.pos);
    if (redraw) update();
}

void CBitmapSlider::SetPos(int pos) {
    ApplyPos(pos);
    update();
}

void CBitmapSlider::ApplyPos(int pos) {
    m_logic.SetPos(pos);
    if (value() != m_logic.pos) QAbstractSlider::setValue(m_logic.pos);
    update();
}

void CBitmapSlider::SetPageSize(int size) {
    m_logic.page = size;
    QAbstractSlider::setPageStep(size);
}

void CBitmapSlider::SetMargin(int left, int top, int right, int bottom) {
    m_nMarginLeft = left;
    m_nMarginTop = top;
    m_nMarginRight = right;
    m_nMarginBottom = bottom;
    update();
}

void CBitmapSlider::SetVertical(bool vertical) {
    m_bVertical = vertical;
    setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    updateGeometry();
    update();
}

int CBitmapSlider::ThumbLength() const {
    if (m_thumb.isNull()) return kPlainThumb;
    return m_bVertical ? m_thumb.height() : m_thumb.width();
}

int CBitmapSlider::ThumbCross() const {
    if (m_thumb.isNull()) return (m_bVertical ? width() : height()) - 2;
    return m_bVertical ? m_thumb.width() : m_thumb.height();
}

CBitmapSliderLogic CBitmapSlider::Logic() const {
    CBitmapSliderLogic l = m_logic;
    l.length = m_bVertical ? height() : width();
    l.marginLow = m_bVertical ? m_nMarginTop : m_nMarginLeft;
    l.marginHigh = m_bVertical ? m_nMarginBottom : m_nMarginRight;
    l.thumb = ThumbLength();
    return l;
}

int CBitmapSlider::ThumbCentre() const {
    return Logic().PosToPixel(m_logic.pos);
}

QSize CBitmapSlider::sizeHint() const {
    if (!m_channel.isNull()) return m_channel.size();
    return m_bVertical ? QSize(16, 120) : QSize(120, 16);
}

QRect CBitmapSlider::ChannelRect() const {
    return rect();
}

void CBitmapSlider::Post(UINT message) {
    CMsgTarget* target = m_pTarget;
    for (QWidget* w = parentWidget(); !target && w; w = w->parentWidget()) target = dynamic_cast<CMsgTarget*>(w);
    if (target) target->PostMessage(message, static_cast<WPARAM>(m_nID), static_cast<LPARAM>(m_logic.pos));
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    m_bPressed = true;
    m_nGrabOffset = Logic().GrabOffset(Along(event->position().toPoint()));
    mouseMoveEvent(event);
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!isEnabled() || !m_bPressed) return;
    const int pos = Logic().DragPos(Along(event->position().toPoint()), m_nGrabOffset);
    if (pos != m_logic.pos) {
        ApplyPos(pos);
        Post(kMsgMoving);
    }
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_bPressed || event->button() != Qt::LeftButton) return;
    m_bPressed = false;
    update();
    if (isEnabled()) Post(kMsgMoved);
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    if (!isEnabled()) return;
    using Key = CBitmapSliderLogic::Key;
    Key key;
    switch (event->key()) {
        case Qt::Key_PageUp:
            key = Key::PageUp;
            break;
        case Qt::Key_PageDown:
            key = Key::PageDown;
            break;
        case Qt::Key_Home:
            key = Key::Home;
            break;
        case Qt::Key_End:
            key = Key::End;
            break;
        case Qt::Key_Left:
            key = Key::Left;
            break;
        case Qt::Key_Up:
            key = Key::Up;
            break;
        case Qt::Key_Right:
            key = Key::Right;
            break;
        case Qt::Key_Down:
            key = Key::Down;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    ApplyPos(m_logic.KeyPos(key));
    Post(kMsgMoved);
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
    if (!isEnabled()) return;
    const QPoint d = event->angleDelta();
    const int delta = d.y() != 0 ? d.y() : d.x();
    if (delta == 0) return;
    ApplyPos(m_logic.WheelPos(delta));
    Post(kMsgMoved);
    event->accept();
}

void CBitmapSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int centre = ThumbCentre();
    DrawChannel(p, ChannelRect(), centre);
    DrawThumb(p, centre);
}

void CBitmapSlider::DrawChannel(QPainter& p, const QRect& r, int centre) {
    if (!m_channel.isNull()) {
        p.drawImage(r, m_channel);
        if (!m_channelActive.isNull()) {
            // The filled form covers the channel up to the thumb.
            const QRect done = m_bVertical ? QRect(r.left(), r.top(), r.width(), centre - r.top())
                                           : QRect(r.left(), r.top(), centre - r.left(), r.height());
            const QImage scaled = m_channelActive.scaled(r.size());
            p.drawImage(done.topLeft(), scaled, QRect(QPoint(0, 0), done.size()));
        }
        return;
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    const int groove = 4;
    QRectF track = m_bVertical ? QRectF(r.center().x() - groove / 2.0, r.top() + 1, groove, r.height() - 2)
                               : QRectF(r.left() + 1, r.center().y() - groove / 2.0, r.width() - 2, groove);
    p.setPen(QColor(0x9D, 0x9D, 0x9D));
    p.setBrush(QColor(0xD8, 0xD8, 0xD8));
    p.drawRoundedRect(track, 2, 2);
    QRectF done = track;
    if (m_bVertical)
        done.setBottom(centre);
    else
        done.setRight(centre);
    p.setBrush(isEnabled() ? QColor(0x4A, 0x7E, 0xBB) : QColor(0xB0, 0xB0, 0xB0));
    p.drawRoundedRect(done, 2, 2);
}

void CBitmapSlider::DrawThumb(QPainter& p, int centre) {
    const int t = ThumbLength();
    const int c = ThumbCross();
    const int crossMid = m_bVertical ? width() / 2 : height() / 2;
    const QRect r =
        m_bVertical ? QRect(crossMid - c / 2, centre - t / 2, c, t) : QRect(centre - t / 2, crossMid - c / 2, t, c);
    const QImage& img = (m_bPressed && !m_thumbActive.isNull()) ? m_thumbActive : m_thumb;
    if (!img.isNull()) {
        p.drawImage(r.topLeft(), img);
        return;
    }
    skinart::DrawPlainButton(p, r, m_bPressed, false, hasFocus(), isEnabled());
}
