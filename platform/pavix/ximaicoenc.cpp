// Windows icon writer: one image, stored as a DIB with an AND mask, the way every icon reader
// knows. Indexed pictures keep their depth and palette; true-colour pictures with an alpha plane
// are written as 32 bits so the alpha survives, others as 24 bits.
#include <vector>

#include "platform/pavix/ximaico.h"
#include "platform/pavix/ximaio.h"

namespace {

// The directory stores each side in one byte, 0 meaning 256.
constexpr DWORD kLargestIconSide = 256;
constexpr DWORD kDirectorySize = 6 + 16;
constexpr DWORD kDibHeaderSize = 40;

}  // namespace

bool CxImageICO::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    const DWORD width = GetWidth(), height = GetHeight();
    if (width > kLargestIconSide || height > kLargestIconSide) {
        SetLastError("ICO: an icon is at most 256 x 256 pixels");
        return false;
    }
    const bool indexed = IsIndexed();
    const bool withAlpha = !indexed && AlphaIsValid();
    const WORD bpp = indexed ? GetBpp() : (withAlpha ? 32 : 24);
    const DWORD paletteCount = indexed ? GetNumColors() : 0;
    const DWORD xorStride = (width * bpp + 31) / 32 * 4;
    const DWORD andStride = (width + 31) / 32 * 4;
    const DWORD imageSize = kDibHeaderSize + paletteCount * 4 + (xorStride + andStride) * height;

    std::vector<BYTE> out;
    out.reserve(kDirectorySize + imageSize);
    pavix::PutU16(out, 0);  // reserved
    pavix::PutU16(out, 1);  // icon, not cursor
    pavix::PutU16(out, 1);  // one image
    out.push_back(static_cast<BYTE>(width % kLargestIconSide));
    out.push_back(static_cast<BYTE>(height % kLargestIconSide));
    out.push_back(static_cast<BYTE>(paletteCount < 256 ? paletteCount : 0));
    out.push_back(0);
    pavix::PutU16(out, 1);  // planes
    pavix::PutU16(out, bpp);
    pavix::PutU32(out, imageSize);
    pavix::PutU32(out, kDirectorySize);

    // The header's height counts the colour image and the mask together.
    pavix::PutU32(out, kDibHeaderSize);
    pavix::PutU32(out, width);
    pavix::PutU32(out, height * 2);
    pavix::PutU16(out, 1);
    pavix::PutU16(out, bpp);
    pavix::PutU32(out, BI_RGB);
    pavix::PutU32(out, (xorStride + andStride) * height);
    pavix::PutU32(out, 0);
    pavix::PutU32(out, 0);
    pavix::PutU32(out, paletteCount);
    pavix::PutU32(out, 0);
    const RGBQUAD* palette = GetPalette();
    for (DWORD i = 0; i < paletteCount; ++i) {
        out.push_back(palette[i].rgbBlue);
        out.push_back(palette[i].rgbGreen);
        out.push_back(palette[i].rgbRed);
        out.push_back(0);
    }

    // Rows run bottom-up in both the picture and the icon.
    for (DWORD y = 0; y < height; ++y) {
        const BYTE* row = GetBits(y);
        if (bpp == 32) {
            for (DWORD x = 0; x < width; ++x) {
                out.insert(out.end(), row + 3 * x, row + 3 * x + 3);
                out.push_back(AlphaGet(static_cast<long>(x), static_cast<long>(y)));
            }
        } else {
            const DWORD used = (width * bpp + 7) / 8;
            out.insert(out.end(), row, row + used);
            out.insert(out.end(), xorStride - used, 0);
        }
    }
    // A mask bit set hides the pixel: fully transparent pixels, or the transparent index.
    const long transIndex = indexed ? GetTransIndex() : -1;
    for (DWORD y = 0; y < height; ++y) {
        std::vector<BYTE> mask(andStride, 0);
        for (DWORD x = 0; x < width; ++x) {
            const long lx = static_cast<long>(x), ly = static_cast<long>(y);
            bool hidden = false;
            if (AlphaIsValid()) hidden = AlphaGet(lx, ly) == 0;
            if (transIndex >= 0 && GetPixelIndex(lx, ly) == transIndex) hidden = true;
            if (hidden) mask[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return hFile->Write(out.data(), 1, out.size()) == out.size();
}
