#include "views/controls/BaseDialog.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "views/controls/SkinArt.h"
#include "views/controls/xSkinButtonEx.h"

namespace {
constexpr int kGrip = 4;  // pixels of the edge that resize
}

CBaseDialog::CBaseDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    m_pClose = new CxSkinButtonEx(QStringLiteral("×"), this);
    m_pClose->setAccessibleName(QStringLiteral("닫기"));
    m_pClose->setFocusPolicy(Qt::NoFocus);
    m_pClose->resize(18, 18);
    connect(m_pClose, &QPushButton::clicked, this, [this] { close(); });
    PlaceCloseButton();
}

CBaseDialog::~CBaseDialog() = default;

LRESULT CBaseDialog::WindowProc(UINT, WPARAM, LPARAM) {
    return 0;
}

void CBaseDialog::SetNcImg(int left, int middle, int right) {
    SetNcImgImages(skinart::Bitmap(left), skinart::Bitmap(middle), skinart::Bitmap(right));
}

void CBaseDialog::SetNcImgImages(const QImage& left, const QImage& middle, const QImage& right) {
    const QRect client = ClientRect();
    m_capLeft = left;
    m_capMiddle = middle;
    m_capRight = right;
    // Keep the client area's size; the window grows or shrinks with the band.
    SetClientSize(client.width(), client.height());
    PlaceCloseButton();
    update();
}

void CBaseDialog::SetCloseButton(int strip, int count) {
    SetCloseButtonImage(skinart::Bitmap(strip), count);
}

void CBaseDialog::SetCloseButtonImage(const QImage& strip, int count) {
    // Without the bitmap the plain button with its cross stays.
    if (m_pClose->SetSkinWithCount(strip, count)) m_pClose->setText(QString());
    PlaceCloseButton();
}

void CBaseDialog::SetBackColor(COLORREF color) {
    m_crBack = color;
    update();
}

void CBaseDialog::SetBackImg(int id) {
    SetBackImgImage(skinart::Bitmap(id));
}

void CBaseDialog::SetBackImgImage(const QImage& image) {
    m_back = image;
    update();
}

void CBaseDialog::SetResize(bool resizable) {
    m_bResize = resizable;
}

void CBaseDialog::Set_Resize(int minWidth, int minHeight) {
    m_minClient = QSize(minWidth, minHeight);
    setMinimumSize(minWidth + 2 * kBorder, minHeight + CaptionHeight() + kBorder);
}

int CBaseDialog::CaptionHeight() const {
    return m_capMiddle.isNull() ? kPlainCaption : m_capMiddle.height();
}

QRect CBaseDialog::ClientRect() const {
    return QRect(kBorder, CaptionHeight(), std::max(0, width() - 2 * kBorder),
                 std::max(0, height() - CaptionHeight() - kBorder));
}

void CBaseDialog::SetClientSize(int cx, int cy) {
    resize(cx + 2 * kBorder, cy + CaptionHeight() + kBorder);
    // A hidden window gets its resize event only when shown.
    PlaceCloseButton();
}

void CBaseDialog::PlaceChild(QWidget* child, int x, int y, int cx, int cy) {
    if (!child) return;
    const QRect c = ClientRect();
    child->setGeometry(c.left() + x, c.top() + y, cx, cy);
}

void CBaseDialog::CenterWindow(QWidget* over) {
    if (!over) over = parentWidget();
    QRect area;
    if (over && over->isVisible()) {
        area = QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        area = s->availableGeometry();
    }
    if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void CBaseDialog::PlaceCloseButton() {
    const int h = CaptionHeight();
    // Layouts set on the dialog keep to the client area.
    setContentsMargins(kBorder, h, kBorder, kBorder);
    m_pClose->move(width() - kBorder - m_pClose->width() - 4, std::max(0, (h - m_pClose->height()) / 2));
    m_pClose->raise();
}

void CBaseDialog::resizeEvent(QResizeEvent* event) {
    PlaceCloseButton();
    QDialog::resizeEvent(event);
}

void CBaseDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ActivationChange) update();
    QDialog::changeEvent(event);
}

void CBaseDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect client = ClientRect();
    if (!m_back.isNull()) {
        p.drawImage(client, m_back);
    } else {
        p.fillRect(client, skinart::ToQColor(m_crBack));
    }
    const QRect band(0, 0, width(), CaptionHeight());
    if (!m_capMiddle.isNull()) {
        skinart::DrawThreePart(p, band, m_capLeft, m_capMiddle, m_capRight);
    } else {
        QLinearGradient g(band.topLeft(), band.bottomLeft());
        const bool active = isActiveWindow();
        g.setColorAt(0, active ? QColor(0x5B, 0x6E, 0x86) : QColor(0x8A, 0x94, 0xA0));
        g.setColorAt(1, active ? QColor(0x3A, 0x4A, 0x5E) : QColor(0x70, 0x78, 0x84));
        p.fillRect(band, g);
    }
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    const QRect titleRect = band.adjusted(8, 0, -(m_pClose->width() + 12), 0);
    p.drawText(titleRect, Qt::AlignVCenter | Qt::AlignLeft,
               QFontMetrics(f).elidedText(windowTitle(), Qt::ElideRight, titleRect.width()));
    p.setPen(QColor(0x3A, 0x4A, 0x5E));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

Qt::Edges CBaseDialog::EdgesAt(const QPoint& pt) const {
    Qt::Edges edges;
    if (!m_bResize) return edges;
    if (pt.x() < kGrip) edges |= Qt::LeftEdge;
    if (pt.x() >= width() - kGrip) edges |= Qt::RightEdge;
    if (pt.y() < kGrip) edges |= Qt::TopEdge;
    if (pt.y() >= height() - kGrip) edges |= Qt::BottomEdge;
    return edges;
}

void CBaseDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && windowHandle()) {
        const QPoint pt = event->position().toPoint();
        const Qt::Edges edges = EdgesAt(pt);
        // The window manager moves and resizes, so snapping and keyboard moves keep working.
        if (edges) {
            windowHandle()->startSystemResize(edges);
            return;
        }
        if (pt.y() < CaptionHeight()) {
            windowHandle()->startSystemMove();
            return;
        }
    }
    QDialog::mousePressEvent(event);
}
