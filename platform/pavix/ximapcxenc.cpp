// PCX writer (version 5, run-length encoded). True colour goes as three 8-bit planes; indexed
// pictures of any depth as one 8-bit plane with the 256-colour palette at the end, which keeps
// every palette colour exactly and which every PCX reader knows.
#include <algorithm>
#include <vector>

#include "platform/pavix/ximaio.h"
#include "platform/pavix/ximapcx.h"

namespace {

constexpr BYTE kManufacturer = 0x0A;
constexpr BYTE kVersion = 5;
constexpr BYTE kRunLength = 1;
constexpr BYTE kPaletteMarker = 0x0C;
constexpr size_t kLongestRun = 63;
constexpr DWORD kLargestSide = 0xFFFF;

// Appends one plane line: repeats become count/value pairs, and so does any single byte that
// would otherwise read as a count (the two top bits set).
void PackLine(const std::vector<BYTE>& line, std::vector<BYTE>& out) {
    for (size_t i = 0; i < line.size();) {
        size_t run = 1;
        while (i + run < line.size() && run < kLongestRun && line[i + run] == line[i]) ++run;
        if (run > 1 || (line[i] & 0xC0) == 0xC0) out.push_back(static_cast<BYTE>(0xC0 | run));
        out.push_back(line[i]);
        i += run;
    }
}

}  // namespace

bool CxImagePCX::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    const DWORD width = GetWidth(), height = GetHeight();
    if (width > kLargestSide || height > kLargestSide) {
        SetLastError("PCX: a side longer than 65535 pixels cannot be stored");
        return false;
    }
    const bool indexed = IsIndexed();
    const BYTE planes = indexed ? 1 : 3;
    // Every plane line has an even number of bytes.
    const DWORD bytesPerLine = (width + 1) & ~1u;

    std::vector<BYTE> out;
    out.reserve(128 + static_cast<size_t>(bytesPerLine) * planes * height + 769);
    out.push_back(kManufacturer);
    out.push_back(kVersion);
    out.push_back(kRunLength);
    out.push_back(8);  // bits per pixel and plane
    pavix::PutU16(out, 0);
    pavix::PutU16(out, 0);
    pavix::PutU16(out, width - 1);
    pavix::PutU16(out, height - 1);
    pavix::PutU16(out, static_cast<unsigned>(std::clamp<long>(GetXDPI(), 0, 0xFFFF)));
    pavix::PutU16(out, static_cast<unsigned>(std::clamp<long>(GetYDPI(), 0, 0xFFFF)));
    out.insert(out.end(), 48, 0);  // 16-colour palette, unused at 8 bits
    out.push_back(0);
    out.push_back(planes);
    pavix::PutU16(out, bytesPerLine);
    pavix::PutU16(out, indexed && IsGrayScale() ? 2 : 1);  // palette kind: grey or colour
    out.resize(128, 0);

    std::vector<BYTE> line(bytesPerLine);
    for (DWORD i = 0; i < height; ++i) {
        const long row = static_cast<long>(height - 1 - i);  // PCX stores the top row first
        if (indexed) {
            for (DWORD x = 0; x < width; ++x) line[x] = GetPixelIndex(static_cast<long>(x), row);
            PackLine(line, out);
        } else {
            const BYTE* px = GetBits(static_cast<DWORD>(row));
            for (int plane = 0; plane < 3; ++plane) {
                const int channel = 2 - plane;  // red, green, blue planes from blue, green, red pixels
                for (DWORD x = 0; x < width; ++x) line[x] = px[3 * x + channel];
                PackLine(line, out);
            }
        }
    }
    if (indexed) {
        out.push_back(kPaletteMarker);
        const RGBQUAD* palette = GetPalette();
        const DWORD colours = GetNumColors();
        for (DWORD i = 0; i < 256; ++i) {
            const RGBQUAD c = i < colours ? palette[i] : RGBQUAD{};
            out.push_back(c.rgbRed);
            out.push_back(c.rgbGreen);
            out.push_back(c.rgbBlue);
        }
    }
    return hFile->Write(out.data(), 1, out.size()) == out.size();
}
