// extImage pixel copies between 24-bit pictures, in picture coordinates (row 0 at the top).
// Every copy stays inside both pictures: rows or columns a caller's rectangle puts outside either
// picture are left out rather than read or written.
#include <algorithm>
#include <cstring>

#include "imaging/extImage.h"

void extImage::CopyPixel(int left, int top, int right, int bottom, extImage* src) {
    if (!src || GetBpp() != 24 || src->GetBpp() != 24) return;
    const long H = GetHeight();
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min<long>(right, GetWidth());
    bottom = std::min<long>(bottom, H);
    right = std::min<long>(right, src->GetWidth());
    if (left >= right) return;
    for (long i = top; i < bottom; ++i) {
        // Both rows are found with this picture's height, as the callers' pictures share it.
        long row = H - 1 - i;
        if (row >= static_cast<long>(src->GetHeight())) continue;
        std::memcpy(GetBits(row) + 3 * left, src->GetBits(row) + 3 * left, 3 * static_cast<size_t>(right - left));
    }
}

void extImage::CopyPixel(CRect rect, extImage* src) {
    CopyPixel(rect.left, rect.top, rect.right, rect.bottom, src);
}

void extImage::CopyPixelDiff(int dx, int dy, extImage* src, int sx, int sy, int width, int height) {
    if (!src || GetBpp() != 24 || src->GetBpp() != 24 || width <= 0 || height <= 0) return;
    const long W = GetWidth(), H = GetHeight(), SW = src->GetWidth(), SH = src->GetHeight();
    // Columns that lie inside both pictures.
    long from = std::max({0L, -static_cast<long>(dx), -static_cast<long>(sx)});
    long to = std::min({static_cast<long>(width), W - dx, SW - sx});
    if (from >= to) return;
    for (long i = 0; i < height; ++i) {
        long drow = dy + i, srow = sy + i;
        if (drow < 0 || drow >= H || srow < 0 || srow >= SH) continue;
        std::memcpy(GetBits(H - 1 - drow) + 3 * (dx + from), src->GetBits(SH - 1 - srow) + 3 * (sx + from),
                    3 * static_cast<size_t>(to - from));
    }
}

void extImage::CopyPixelWithTrans(extImage* src, CRect rect) {
    if (!src || GetBpp() != 24 || src->GetBpp() != 24) return;
    const long W = GetWidth(), H = GetHeight(), SW = src->GetWidth(), SH = src->GetHeight();
    CRect clip;
    if (!clip.IntersectRect(rect, CRect(0, 0, W, H))) return;
    const long sx0 = rect.left < 0 ? -rect.left : 0;
    const long sy0 = rect.top < 0 ? -rect.top : 0;
    const RGBQUAD key = src->GetTransColor();
    const long cols = std::min<long>(clip.Width(), SW - sx0);
    for (long i = 0; i < clip.Height(); ++i) {
        long srow = sy0 + i;
        if (srow >= SH || cols <= 0) break;
        const BYTE* s = src->GetBits(SH - 1 - srow) + 3 * sx0;
        BYTE* d = GetBits(H - 1 - (clip.top + i)) + 3 * clip.left;
        for (long x = 0; x < cols; ++x, s += 3, d += 3) {
            if (s[0] == key.rgbBlue && s[1] == key.rgbGreen && s[2] == key.rgbRed) continue;
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
}
