// Wireless bitmap reader and writer. Only type 0 exists in practice; the header is the type, a
// fixed-header byte and the width and height as multi-byte integers (seven bits a byte, most
// significant first, the top bit saying another byte follows).
#include "platform/pavix/ximawbmp.h"

#include <vector>

#include "platform/pavix/ximaio.h"

using pavix::ByteReader;

namespace {

// Four bytes carry 28 bits, far beyond any real side; longer numbers are refused as malformed.
constexpr int kLongestNumber = 4;
constexpr BYTE kMoreBytes = 0x80;
constexpr BYTE kExtensionHeaders = 0x80;

bool ReadNumber(ByteReader& in, DWORD& value) {
    value = 0;
    for (int i = 0; i < kLongestNumber; ++i) {
        const BYTE b = in.U8();
        if (!in.ok) return false;
        value = (value << 7) | (b & 0x7F);
        if (!(b & kMoreBytes)) return true;
    }
    return false;
}

void PutNumber(std::vector<BYTE>& out, DWORD value) {
    BYTE groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<BYTE>(value & 0x7F);
        value >>= 7;
    } while (value);
    while (n > 1) out.push_back(static_cast<BYTE>(groups[--n] | kMoreBytes));
    out.push_back(groups[0]);
}

}  // namespace

bool CxImageWBMP::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file)) return false;
    ByteReader in(file.data(), file.size());
    DWORD type = 0, width = 0, height = 0;
    const bool numbers = ReadNumber(in, type);
    const BYTE fixedHeader = in.U8();
    if (!numbers || !in.ok || type != 0 || (fixedHeader & kExtensionHeaders) || !ReadNumber(in, width) ||
        !ReadNumber(in, height) || width == 0 || height == 0) {
        SetLastError("WBMP: not a type 0 wireless bitmap");
        return false;
    }
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) + 7) / 8;
    if (!FitsMemoryLimit(width, height, 1) || stride * height > in.remaining()) {
        SetLastError("WBMP: pixel data cut short");
        return false;
    }
    if (!Create(width, height, 1, CXIMAGE_FORMAT_WBMP)) return false;
    SetPaletteColor(0, 0, 0, 0);
    SetPaletteColor(1, 255, 255, 255);
    // The bit order within a byte is the picture's own (leftmost pixel in the top bit); only the
    // row order differs.
    for (DWORD i = 0; i < height; ++i) {
        BYTE* row = GetBits(height - 1 - i);
        const BYTE* src = in.here() + stride * i;
        for (std::uint64_t k = 0; k < stride; ++k) row[k] = src[k];
    }
    return true;
}

bool CxImageWBMP::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    const DWORD width = GetWidth(), height = GetHeight();
    std::vector<BYTE> out;
    PutNumber(out, 0);  // type 0
    out.push_back(0);   // no extension headers
    PutNumber(out, width);
    PutNumber(out, height);
    const DWORD stride = (width + 7) / 8;
    out.reserve(out.size() + static_cast<size_t>(stride) * height);
    for (DWORD i = 0; i < height; ++i) {
        const long y = static_cast<long>(height - 1 - i);
        std::vector<BYTE> line(stride, 0);
        for (DWORD x = 0; x < width; ++x)
            if (GetPixelGray(static_cast<long>(x), y) >= 128) line[x >> 3] |= static_cast<BYTE>(0x80 >> (x & 7));
        out.insert(out.end(), line.begin(), line.end());
    }
    return hFile->Write(out.data(), 1, out.size()) == out.size();
}
