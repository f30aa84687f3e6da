#include "views/controls/StBitmap.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

CStBitmap::CStBitmap(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("그림"));
}

bool CStBitmap::SetBitmap(int id) {
    return SetBitmapImage(skinart::Bitmap(id));
}

bool CStBitmap::SetBitmapImage(const QImage& image) {
    m_image = image;
    if (!m_image.isNull()) resize(m_image.size());
    updateGeometry();
    update();
    return !m_image.isNull();
}

void CStBitmap::SetStretch(bool stretch) {
    m_bStretch = stretch;
    update();
}

void CStBitmap::SetTransparentColor(COLORREF key) {
    if (m_image.isNull()) return;
    QImage img = m_image.convertToFormat(QImage::Format_ARGB32);
    const QRgb k = skinart::ToQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
    }
    m_image = img;
    update();
}

QSize CStBitmap::sizeHint() const {
    return m_image.isNull() ? QSize(16, 16) : m_image.size();
}

void CStBitmap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_image.isNull()) {
        p.setPen(QColor(0xB0, 0xB0, 0xB0));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    if (m_bStretch) {
        p.drawImage(rect(), m_image);
    } else {
        p.drawImage(0, 0, m_image);
    }
}
