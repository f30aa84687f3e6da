// Targa writer: uncompressed, top row first. (Readers disagree about the default bottom-left
// origin: some, ImageMagick among them, only note it and show the picture upside down.) Grey
// pictures are written as grey (type 3), other indexed pictures as 8-bit colour-mapped (type 1)
// with a 24-bit map, true colour as 24 bits (type 2), or 32 bits when an alpha plane is present.
#include <vector>

#include "platform/pavix/ximaio.h"
#include "platform/pavix/ximatga.h"

namespace {

constexpr BYTE kColourMapped = 1;
constexpr BYTE kTrueColour = 2;
constexpr BYTE kGrey = 3;
constexpr DWORD kLargestSide = 0xFFFF;
constexpr BYTE kTopLeftOrigin = 0x20;

}  // namespace

bool CxImageTGA::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    const DWORD width = GetWidth(), height = GetHeight();
    if (width > kLargestSide || height > kLargestSide) {
        SetLastError("TGA: a side longer than 65535 pixels cannot be stored");
        return false;
    }
    const bool indexed = IsIndexed();
    const bool grey = indexed && GetBpp() == 8 && GetNumColors() == 256 && IsGrayScale();
    const bool withAlpha = !indexed && AlphaIsValid();
    const BYTE imageType = grey ? kGrey : (indexed ? kColourMapped : kTrueColour);
    const BYTE bits = indexed ? 8 : (withAlpha ? 32 : 24);
    const DWORD mapLength = imageType == kColourMapped ? GetNumColors() : 0;

    std::vector<BYTE> out;
    out.reserve(18 + mapLength * 3 + static_cast<size_t>(width) * height * (bits / 8));
    out.push_back(0);  // no identification field
    out.push_back(mapLength ? 1 : 0);
    out.push_back(imageType);
    pavix::PutU16(out, 0);  // first map entry
    pavix::PutU16(out, mapLength);
    out.push_back(mapLength ? 24 : 0);
    pavix::PutU16(out, 0);  // origin
    pavix::PutU16(out, 0);
    pavix::PutU16(out, width);
    pavix::PutU16(out, height);
    out.push_back(bits);
    out.push_back(static_cast<BYTE>(kTopLeftOrigin | (withAlpha ? 8 : 0)));  // and the alpha bits
    const RGBQUAD* palette = GetPalette();
    for (DWORD i = 0; i < mapLength; ++i) {
        out.push_back(palette[i].rgbBlue);
        out.push_back(palette[i].rgbGreen);
        out.push_back(palette[i].rgbRed);
    }
    for (DWORD i = 0; i < height; ++i) {
        const DWORD y = height - 1 - i;
        const long ly = static_cast<long>(y);
        if (indexed) {
            for (DWORD x = 0; x < width; ++x) out.push_back(GetPixelIndex(static_cast<long>(x), ly));
        } else if (withAlpha) {
            const BYTE* row = GetBits(y);
            for (DWORD x = 0; x < width; ++x) {
                out.insert(out.end(), row + 3 * x, row + 3 * x + 3);
                out.push_back(AlphaGet(static_cast<long>(x), ly));
            }
        } else {
            const BYTE* row = GetBits(y);
            out.insert(out.end(), row, row + 3 * width);
        }
    }
    return hFile->Write(out.data(), 1, out.size()) == out.size();
}
