#include "platform/pavix/ximaexif.h"

#include <cstring>

namespace pavix {

namespace {

constexpr unsigned kOrientationTag = 0x0112;
constexpr unsigned kShortType = 3;
constexpr size_t kEntrySize = 12;

// Reads 16- and 32-bit values of a TIFF structure in its own byte order; out-of-range reads fail.
struct TiffFields {
    const BYTE* data;
    size_t size;
    bool bigEndian;
    bool U16(size_t at, unsigned& v) const {
        if (at > size || size - at < 2) return false;
        v = bigEndian ? (data[at] << 8 | data[at + 1]) : (data[at] | data[at + 1] << 8);
        return true;
    }
    bool U32(size_t at, std::uint32_t& v) const {
        if (at > size || size - at < 4) return false;
        const BYTE* p = data + at;
        v = bigEndian ? (std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3])
                      : (std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0]);
        return true;
    }
};

}  // namespace

int ExifOrientation(const BYTE* payload, size_t size) {
    if (!payload || size < 14 || std::memcmp(payload, "Exif\0\0", 6) != 0) return 1;
    const BYTE* tiff = payload + 6;
    const size_t n = size - 6;
    TiffFields f{tiff, n, false};
    if (tiff[0] == 'M' && tiff[1] == 'M')
        f.bigEndian = true;
    else if (tiff[0] != 'I' || tiff[1] != 'I')
        return 1;
    unsigned magic = 0, count = 0;
    std::uint32_t ifd = 0;
    if (!f.U16(2, magic) || magic != 42 || !f.U32(4, ifd) || !f.U16(ifd, count)) return 1;
    for (unsigned i = 0; i < count; ++i) {
        const size_t entry = static_cast<size_t>(ifd) + 2 + i * kEntrySize;
        unsigned tag = 0, type = 0, value = 0;
        std::uint32_t items = 0;
        if (!f.U16(entry, tag) || !f.U16(entry + 2, type) || !f.U32(entry + 4, items)) return 1;
        if (tag != kOrientationTag) continue;
        if (type != kShortType || items != 1 || !f.U16(entry + 8, value)) return 1;
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

int JpegOrientation(const BYTE* data, size_t size) {
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
    size_t at = 2;
    // Marker segments up to the first scan; each carries its own length.
    while (at + 4 <= size) {
        if (data[at] != 0xFF) return 1;
        const BYTE marker = data[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return 1;
        const size_t length = static_cast<size_t>(data[at + 2] << 8 | data[at + 3]);
        if (length < 2 || length > size - at - 2) return 1;
        if (marker == 0xE1 && length >= 8 && std::memcmp(data + at + 4, "Exif\0\0", 6) == 0)
            return ExifOrientation(data + at + 4, length - 2);
        at += 2 + length;
    }
    return 1;
}

void OrientPixels(const BYTE* top, std::ptrdiff_t stride, long width, long height, int pixelBytes, int orientation,
                  BYTE* dstTop, std::ptrdiff_t dstStride) {
    const long outWidth = SwapsSides(orientation) ? height : width;
    const long outHeight = SwapsSides(orientation) ? width : height;
    for (long y = 0; y < height; ++y) {
        const BYTE* src = top + stride * y;
        for (long x = 0; x < width; ++x, src += pixelBytes) {
            // Where the stored pixel (x, y) shows: the first stored row is the top (1), the right
            // side (6), the bottom (3) or the left side (8) of the picture, read one way or the
            // other.
            long X = x, Y = y;
            switch (orientation) {
                case 2:
                    X = width - 1 - x;
                    break;
                case 3:
                    X = width - 1 - x;
                    Y = height - 1 - y;
                    break;
                case 4:
                    Y = height - 1 - y;
                    break;
                case 5:
                    X = y;
                    Y = x;
                    break;
                case 6:
                    X = outWidth - 1 - y;
                    Y = x;
                    break;
                case 7:
                    X = outWidth - 1 - y;
                    Y = outHeight - 1 - x;
                    break;
                case 8:
                    X = y;
                    Y = outHeight - 1 - x;
                    break;
                default:
                    break;
            }
            std::memcpy(dstTop + dstStride * Y + static_cast<std::ptrdiff_t>(X) * pixelBytes, src,
                        static_cast<size_t>(pixelBytes));
        }
    }
}

bool ApplyOrientation(CxImage& picture, int orientation) {
    if (orientation < 2 || orientation > 8 || !picture.IsValid()) return true;
    const long W = static_cast<long>(picture.GetWidth()), H = static_cast<long>(picture.GetHeight());
    const WORD bpp = picture.GetBpp();
    if (bpp < 8 && !picture.IncreaseBpp(8)) return false;
    const long outW = SwapsSides(orientation) ? H : W, outH = SwapsSides(orientation) ? W : H;
    CxImage turned;
    turned.CopyInfo(picture);
    if (!turned.Create(static_cast<DWORD>(outW), static_cast<DWORD>(outH), picture.GetBpp(), picture.GetType()))
        return false;
    if (picture.IsIndexed()) turned.SetPalette(picture.GetPalette(), picture.GetNumColors());
    const int pixelBytes = picture.GetBpp() / 8;
    // Library rows run bottom-up: the top row is the last, and the stride steps backwards.
    const std::ptrdiff_t srcStride = -static_cast<std::ptrdiff_t>(picture.GetEffWidth());
    const std::ptrdiff_t dstStride = -static_cast<std::ptrdiff_t>(turned.GetEffWidth());
    OrientPixels(picture.GetBits(static_cast<DWORD>(H - 1)), srcStride, W, H, pixelBytes, orientation,
                 turned.GetBits(static_cast<DWORD>(outH - 1)), dstStride);
    if (picture.AlphaIsValid() && turned.AlphaCreate()) {
        OrientPixels(picture.AlphaGetPointer(0, H - 1), -W, W, H, 1, orientation, turned.AlphaGetPointer(0, outH - 1),
                     -outW);
    }
    picture.Transfer(turned);
    return true;
}

}  // namespace pavix
