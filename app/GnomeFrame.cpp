#include "app/GnomeFrame.h"

#include <algorithm>

#include <QFontDatabase>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#include "app/Resource.h"
#include "platform/brelt/Brelt.h"

namespace {

// Skin colours used when the resource file lacks a bitmap.
const QColor kPlainCaptionTop(0x3A, 0x4E, 0x78);
const QColor kPlainCaptionBottom(0x24, 0x33, 0x52);
const QColor kPlainBorder(0x24, 0x33, 0x52);

// The button strips mark their transparent pixels with magenta.
QImage KeyedOut(const QImage& image) {
    if (image.isNull()) return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0xFFFFFF) == 0xFF00FF) row[x] = 0;
    }
    return out;
}

void TileX(QPainter& p, const QImage& tile, int x0, int x1, int y) {
    if (tile.isNull() || tile.width() <= 0) return;
    for (int x = x0; x < x1; x += tile.width())
        p.drawImage(QPoint(x, y), tile, QRect(0, 0, std::min(tile.width(), x1 - x), tile.height()));
}

void TileY(QPainter& p, const QImage& tile, int x, int y0, int y1) {
    if (tile.isNull() || tile.height() <= 0) return;
    for (int y = y0; y < y1; y += tile.height())
        p.drawImage(QPoint(x, y), tile, QRect(0, 0, tile.width(), std::min(tile.height(), y1 - y)));
}

}  // namespace

// ---- CCaptionButtons ------------------------------------------------------------------------

void CCaptionButtons::Place(int windowWidth, int rightPieceWidth) {
    int x = windowWidth - 3 * (kWidth + kGap) - rightPieceWidth;
    for (auto& r : m_rects) {
        r = QRect(x, kTop, kWidth, kHeight);
        x += kWidth + kGap;
    }
}

int CCaptionButtons::HitTest(const QPoint& point) const {
    for (int i = 0; i < 3; ++i)
        if (m_rects[i].contains(point)) return i + 1;
    return None;
}

bool CCaptionButtons::Press(const QPoint& point) {
    m_pressed = HitTest(point);
    return m_pressed != None;
}

bool CCaptionButtons::Move(const QPoint& point) {
    const int hovered = HitTest(point);
    if (hovered == m_hovered) return false;
    m_hovered = hovered;
    return true;
}

bool CCaptionButtons::Leave() {
    if (m_hovered == None) return false;
    m_hovered = None;
    return true;
}

CCaptionButtons::Command CCaptionButtons::Release(const QPoint& point, bool maximized) {
    const int pressed = m_pressed;
    m_pressed = None;
    if (pressed == None || HitTest(point) != pressed) return NoCommand;
    switch (pressed) {
        case Minimize:
            return SC_MINIMIZE;
        case Maximize:
            return maximized ? SC_RESTORE : SC_MAXIMIZE;
        case Close:
            return SC_CLOSE;
        default:
            return NoCommand;
    }
}

int CCaptionButtons::StateOffset(int button) const {
    if (m_pressed == button) return 2 * kWidth;
    if (m_pressed == None && m_hovered == button) return kWidth;
    return 0;
}

// ---- CGnomeFrame ----------------------------------------------------------------------------

CGnomeFrame::CGnomeFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setContentsMargins(kMargin, kCaptionBand, kMargin, kMargin);
    setMouseTracking(true);
    m_captionFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    m_captionFont.setPixelSize(14);
    m_captionFont.setWeight(QFont::DemiBold);
    LoadSkin();
}

void CGnomeFrame::LoadSkin() {
    m_captionLeft = CBrelt::Bitmap(IDB_CAPTION_LEFT);
    m_captionMiddle = CBrelt::Bitmap(IDB_CAPTION_MIDDLE);
    m_captionRight = CBrelt::Bitmap(IDB_CAPTION_RIGHT);
    m_buttonStrips = {KeyedOut(CBrelt::Bitmap(IDB_BUTTON_MINIMIZE)), KeyedOut(CBrelt::Bitmap(IDB_BUTTON_MAXIMIZE)),
                      KeyedOut(CBrelt::Bitmap(IDB_BUTTON_RESTORE)), KeyedOut(CBrelt::Bitmap(IDB_BUTTON_CLOSE))};
    m_borderLeft = CBrelt::Bitmap(IDB_BORDER_LEFT);
    m_borderRight = CBrelt::Bitmap(IDB_BORDER_RIGHT);
    m_cornerLeft = CBrelt::Bitmap(IDB_BORDER_BOTTOM_LEFT);
    m_cornerRight = CBrelt::Bitmap(IDB_BORDER_BOTTOM_RIGHT);
    m_borderBottom = CBrelt::Bitmap(IDB_BORDER_BOTTOM);
    m_band = CBrelt::Bitmap(IDB_BAND);
    // The caption may not be taller than the band the client leaves for it.
    m_captionHeight = m_captionLeft.isNull() ? kCaptionBand : std::min(kCaptionBand, m_captionLeft.height());
    m_buttons.Place(width(), m_captionRight.width());
}

bool CGnomeFrame::InCaptionBand(const QPoint& point) const {
    return point.y() >= 0 && point.y() < kCaptionBand && m_buttons.HitTest(point) == CCaptionButtons::None;
}

Qt::Edges CGnomeFrame::BorderAt(const QPoint& point) const {
    Qt::Edges edges;
    if (isMaximized() || isFullScreen()) return edges;
    // Corners grab a little further in so that they are easy to hit.
    const int grip = kMargin + 4;
    if (point.x() < kMargin || (point.x() < grip && point.y() >= height() - grip)) edges |= Qt::LeftEdge;
    if (point.x() >= width() - kMargin || (point.x() >= width() - grip && point.y() >= height() - grip))
        edges |= Qt::RightEdge;
    if (point.y() < kMargin) edges |= Qt::TopEdge;
    if (point.y() >= height() - kMargin || (point.y() >= height() - grip && (edges & (Qt::LeftEdge | Qt::RightEdge))))
        edges |= Qt::BottomEdge;
    return edges;
}

void CGnomeFrame::SysCommand(CCaptionButtons::Command command) {
    switch (command) {
        case CCaptionButtons::SC_MINIMIZE:
            showMinimized();
            break;
        case CCaptionButtons::SC_MAXIMIZE:
            showMaximized();
            break;
        case CCaptionButtons::SC_RESTORE:
            showNormal();
            break;
        case CCaptionButtons::SC_CLOSE:
            close();
            break;
        default:
            break;
    }
}

void CGnomeFrame::UpdateShape() {
    m_buttons.Place(width(), m_captionRight.width());
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width(), height()), kCorner / 2.0, kCorner / 2.0);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void CGnomeFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    UpdateShape();
}

void CGnomeFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The second button switches between maximise and restore.
    if (event->type() == QEvent::WindowStateChange) update(QRect(0, 0, width(), kCaptionBand));
}

void CGnomeFrame::PaintButton(QPainter& p, int button) const {
    const QRect r = m_buttons.Rects()[button - 1];
    int strip = button - 1;
    if (button == CCaptionButtons::Maximize && isMaximized()) strip = 2;
    if (button == CCaptionButtons::Close) strip = 3;
    const QImage& image = m_buttonStrips[strip];
    const int offset = m_buttons.StateOffset(button);
    if (!image.isNull()) {
        p.drawImage(r.topLeft(), image, QRect(offset, 0, CCaptionButtons::kWidth, CCaptionButtons::kHeight));
        return;
    }
    // Plain buttons: a light square, brighter when hovered, darker when pressed, with a glyph.
    QColor face = offset == 2 * CCaptionButtons::kWidth ? QColor(0x9A, 0xA8, 0xC4)
                  : offset == CCaptionButtons::kWidth   ? QColor(0xF2, 0xF5, 0xFA)
                                                        : QColor(0xD6, 0xDD, 0xEA);
    if (button == CCaptionButtons::Close && offset) face = QColor(0xE0, 0x5A, 0x4A);
    p.setPen(QColor(0x1A, 0x24, 0x3A));
    p.setBrush(face);
    p.drawRoundedRect(r.adjusted(0, 0, -1, -1), 2, 2);
    p.setPen(QPen(QColor(0x1A, 0x24, 0x3A), 1.5));
    p.setBrush(Qt::NoBrush);
    const QRect g = r.adjusted(4, 4, -5, -5);
    if (button == CCaptionButtons::Minimize) {
        p.drawLine(g.left(), g.bottom(), g.right(), g.bottom());
    } else if (strip == 2) {
        p.drawRect(g.adjusted(0, 2, -2, 0));
        p.drawLine(g.left() + 2, g.top(), g.right(), g.top());
        p.drawLine(g.right(), g.top(), g.right(), g.bottom() - 2);
    } else if (button == CCaptionButtons::Maximize) {
        p.drawRect(g);
    } else {
        p.drawLine(g.topLeft(), g.bottomRight());
        p.drawLine(g.topRight(), g.bottomLeft());
    }
}

void CGnomeFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    // Only the frame is ours; the client paints itself.
    QRegion frame(rect());
    frame -= QRegion(contentsRect());
    p.setClipRegion(frame);

    // Caption.
    if (m_captionMiddle.isNull()) {
        QLinearGradient g(0, 0, 0, kCaptionBand);
        g.setColorAt(0, kPlainCaptionTop);
        g.setColorAt(1, kPlainCaptionBottom);
        p.fillRect(QRect(0, 0, w, kCaptionBand), g);
    } else {
        TileX(p, m_captionMiddle, m_captionLeft.width(), w - m_captionRight.width(), 0);
    }
    if (!m_captionLeft.isNull()) p.drawImage(QPoint(0, 0), m_captionLeft);
    if (!m_captionRight.isNull()) p.drawImage(QPoint(w - m_captionRight.width(), 0), m_captionRight);
    // Band between the caption and the client.
    const int leftW = m_borderLeft.isNull() ? kMargin : m_borderLeft.width();
    const int rightW = m_borderRight.isNull() ? kMargin : m_borderRight.width();
    if (m_captionHeight < kCaptionBand) {
        if (m_band.isNull()) {
            p.fillRect(QRect(leftW, m_captionHeight, w - leftW - rightW, kCaptionBand - m_captionHeight), kPlainBorder);
        } else {
            for (int y = m_captionHeight; y < kCaptionBand; y += m_band.height())
                TileX(p, m_band, leftW, w - rightW, y);
        }
    }

    // Edges and bottom.
    const int bottomH = m_borderBottom.isNull() ? kMargin : m_borderBottom.height();
    if (m_borderLeft.isNull())
        p.fillRect(QRect(0, m_captionHeight, kMargin, h - m_captionHeight), kPlainBorder);
    else
        TileY(p, m_borderLeft, 0, m_captionHeight, h - bottomH);
    if (m_borderRight.isNull())
        p.fillRect(QRect(w - kMargin, m_captionHeight, kMargin, h - m_captionHeight), kPlainBorder);
    else
        TileY(p, m_borderRight, w - m_borderRight.width(), m_captionHeight, h - bottomH);
    if (m_borderBottom.isNull())
        p.fillRect(QRect(0, h - kMargin, w, kMargin), kPlainBorder);
    else
        TileX(p, m_borderBottom, m_cornerLeft.width(), w - m_cornerRight.width(), h - bottomH);
    if (!m_cornerLeft.isNull()) p.drawImage(QPoint(0, h - m_cornerLeft.height()), m_cornerLeft);
    if (!m_cornerRight.isNull())
        p.drawImage(QPoint(w - m_cornerRight.width(), h - m_cornerRight.height()), m_cornerRight);

    // Buttons and the caption text.
    for (int b = CCaptionButtons::Minimize; b <= CCaptionButtons::Close; ++b) PaintButton(p, b);
    p.setFont(m_captionFont);
    const QRect band(0, 0, w, m_captionHeight);
    const QString text = QString::fromUtf8(kCaptionText);
    p.setPen(Qt::black);
    p.drawText(band.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(band, Qt::AlignCenter, text);
}

void CGnomeFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QMainWindow::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    if (pos.y() < kCaptionBand && m_buttons.Press(pos)) {
        update(QRect(0, 0, width(), kCaptionBand));
        return;
    }
    const Qt::Edges edges = BorderAt(pos);
    if (edges && windowHandle()) {
        windowHandle()->startSystemResize(edges);
        return;
    }
    if (InCaptionBand(pos) && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QMainWindow::mousePressEvent(event);
}

void CGnomeFrame::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Qt::Edges edges = BorderAt(pos);
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        setCursor(Qt::SizeFDiagCursor);
    else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        setCursor(Qt::SizeBDiagCursor);
    else if (edges & (Qt::LeftEdge | Qt::RightEdge))
        setCursor(Qt::SizeHorCursor);
    else if (edges & (Qt::TopEdge | Qt::BottomEdge))
        setCursor(Qt::SizeVerCursor);
    else
        unsetCursor();
    const bool changed = pos.y() < kCaptionBand ? m_buttons.Move(pos) : m_buttons.Leave();
    if (changed) update(QRect(0, 0, width(), kCaptionBand));
    QMainWindow::mouseMoveEvent(event);
}

void CGnomeFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_buttons.Pressed() != CCaptionButtons::None) {
        const auto command = m_buttons.Release(event->position().toPoint(), isMaximized());
        update(QRect(0, 0, width(), kCaptionBand));
        SysCommand(command);
        return;
    }
    QMainWindow::mouseReleaseEvent(event);
}

void CGnomeFrame::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on the caption maximises or restores, as on a system caption.
    if (event->button() == Qt::LeftButton && InCaptionBand(event->position().toPoint())) {
        SysCommand(isMaximized() ? CCaptionButtons::SC_RESTORE : CCaptionButtons::SC_MAXIMIZE);
        return;
    }
    QMainWindow::mouseDoubleClickEvent(event);
}

void CGnomeFrame::leaveEvent(QEvent* event) {
    if (m_buttons.Leave()) update(QRect(0, 0, width(), kCaptionBand));
    QMainWindow::leaveEvent(event);
}
