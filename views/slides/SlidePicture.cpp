#include "views/slides/SlidePicture.h"

namespace SlidePicture {

QImage ToImage(const extImage* picture) {
    if (!picture || !picture->IsValid()) return {};
    const int width = static_cast<int>(picture->GetWidth());
    const int height = static_cast<int>(picture->GetHeight());
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull()) return {};
    if (picture->GetBpp() == 24) {
        // Rows are kept bottom-up with blue first.
        for (int y = 0; y < height; ++y) {
            const BYTE* src = picture->GetBits(static_cast<DWORD>(height - 1 - y));
            if (!src) return {};
            uchar* dst = image.scanLine(y);
            for (int x = 0; x < width; ++x) {
                dst[x * 3] = src[x * 3 + 2];
                dst[x * 3 + 1] = src[x * 3 + 1];
                dst[x * 3 + 2] = src[x * 3];
            }
        }
        return image;
    }
    // Paletted and other depths go through the library's pixel reader; y counts from the bottom.
    for (int y = 0; y < height; ++y) {
        uchar* dst = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const RGBQUAD c = picture->GetPixelColor(x, height - 1 - y, false);
            dst[x * 3] = c.rgbRed;
            dst[x * 3 + 1] = c.rgbGreen;
            dst[x * 3 + 2] = c.rgbBlue;
        }
    }
    return image;
}

QImage ToOverlay(const extImage* frame) {
    const QImage opaque = ToImage(frame);
    if (opaque.isNull()) return {};
    QRgb key = qRgb(0, 255, 0);
    if (frame->IsTransparent()) {
        const RGBQUAD t = frame->GetTransColor();
        key = qRgb(t.rgbRed, t.rgbGreen, t.rgbBlue);
    }
    QImage overlay = opaque.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < overlay.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < overlay.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == (key & 0x00FFFFFF)) line[x] = 0;
        }
    }
    return overlay;
}

}  // namespace SlidePicture
