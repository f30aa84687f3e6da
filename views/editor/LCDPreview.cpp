#include "views/editor/LCDPreview.h"

#include <QPainter>

#include "common/Gandry.h"
#include "platform/brelt/Brelt.h"
#include "views/slides/SlidePicture.h"

CLCDPreview::CLCDPreview(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("휴대폰 화면"));
    resize(kPlainWidth, kPlainHeight);
}

bool CLCDPreview::LoadBitmapA(int id) {
    m_phone = CBrelt::Bitmap(id);
    const CSize size = GetSize();
    setFixedSize(static_cast<int>(size.cx), static_cast<int>(size.cy));
    update();
    return !m_phone.isNull();
}

CSize CLCDPreview::GetSize() const {
    if (m_phone.isNull()) return CSize(kPlainWidth, kPlainHeight);
    return CSize(m_phone.width(), m_phone.height());
}

QSize CLCDPreview::sizeHint() const {
    const CSize size = GetSize();
    return QSize(static_cast<int>(size.cx), static_cast<int>(size.cy));
}

void CLCDPreview::SetSize(CSize lcd) {
    CSize area(kScreenRight - kScreenLeft, kScreenBottom - kScreenTop);
    if (lcd.cx <= 0 || lcd.cy <= 0) {
        m_rcScreen = CRect(kScreenLeft, kScreenTop, kScreenRight, kScreenBottom);
    } else {
        const CSize fit = CGandry::CalcDesired(area, lcd);
        const LONG left = kScreenLeft + (area.cx - fit.cx) / 2;
        const LONG top = kScreenTop + (area.cy - fit.cy) / 2;
        m_rcScreen = CRect(left, top, left + fit.cx, top + fit.cy);
    }
    update();
}

void CLCDPreview::SetPtrImage(extImage* image) {
    m_pImage = image;
    m_picture = SlidePicture::ToImage(image);
    update();
}

void CLCDPreview::SetPtrFrameImage(extImage* frame) {
    m_pFrame = frame;
    m_overlay = SlidePicture::ToOverlay(frame);
    repaint();
}

void CLCDPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect screen(static_cast<int>(m_rcScreen.left), static_cast<int>(m_rcScreen.top),
                       static_cast<int>(m_rcScreen.Width()), static_cast<int>(m_rcScreen.Height()));
    if (!m_phone.isNull()) {
        painter.drawImage(0, 0, m_phone);
    } else {
        // A plain phone: a dark body with the screen area in black.
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QColor(0x50, 0x50, 0x50));
        painter.setBrush(QColor(0x70, 0x78, 0x80));
        painter.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), 18, 18);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRect(static_cast<int>(kScreenLeft), static_cast<int>(kScreenTop),
                               static_cast<int>(kScreenRight - kScreenLeft), static_cast<int>(kScreenBottom - kScreenTop)),
                         Qt::black);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!m_picture.isNull()) painter.drawImage(screen, m_picture);
    if (!m_overlay.isNull()) painter.drawImage(screen, m_overlay);
}
