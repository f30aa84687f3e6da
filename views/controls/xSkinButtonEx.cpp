#include "views/controls/xSkinButtonEx.h"

#include "views/controls/SkinArt.h"

CxSkinButtonEx::CxSkinButtonEx(QWidget* parent) : CxSkinButton(parent) {}

CxSkinButtonEx::CxSkinButtonEx(const QString& text, QWidget* parent) : CxSkinButton(text, parent) {}

bool CxSkinButtonEx::SetSkinWithCount(int id, int count, bool region) {
    return SetSkinWithCount(skinart::Bitmap(id), count, region);
}

bool CxSkinButtonEx::SetSkinWithCount(const QImage& strip, int count, bool region) {
    const std::vector<QImage> cells = skinart::Split(strip, count);
    if (cells.empty()) return false;
    std::array<QImage, kStateCount> images;
    for (std::size_t i = 0; i < cells.size() && i < images.size(); ++i) images[i] = cells[i];
    ApplyImages(images);
    m_bRegion = region && count == 5;
    if (m_bRegion) {
        setMask(skinart::RegionOf(cells[kDisabled]));
    } else {
        clearMask();
    }
    return true;
}
