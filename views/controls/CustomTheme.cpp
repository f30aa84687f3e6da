#include "views/controls/CustomTheme.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

bool CCustomTheme::LoadBitmap(int id) {
    return LoadBitmapImage(skinart::Bitmap(id));
}

bool CCustomTheme::LoadBitmapImage(const QImage& image) {
    m_image = image;
    return !m_image.isNull();
}

void CCustomTheme::FillCommandBar(QPainter& p, const QRect& r) const {
    if (r.isEmpty()) return;
    if (m_image.isNull()) {
        p.fillRect(r, skinart::ToQColor(m_crFill));
        return;
    }
    const QImage tile = m_image.height() == r.height() ? m_image : m_image.scaled(m_image.width(), r.height());
    p.save();
    p.setClipRect(r);
    for (int x = r.left(); x <= r.right(); x += std::max(1, tile.width())) p.drawImage(x, r.top(), tile);
    p.restore();
}
