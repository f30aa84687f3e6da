// Windows icon reader: the largest image of the directory, stored as PNG or as a DIB with an AND
// mask (which becomes the alpha plane).
#include "platform/pavix/ximaico.h"

#include <cstring>
#include <vector>

#include "platform/pavix/ximabmp.h"
#include "platform/pavix/ximaio.h"
#include "platform/pavix/ximapng.h"
#include "platform/pavix/xmemfile.h"

using pavix::ByteReader;

namespace {

struct IconEntry {
    int width;
    int height;
    int bpp;
    DWORD size;
    DWORD offset;
};

}  // namespace

bool CxImageICO::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file)) return false;
    ByteReader in(file.data(), file.size());
    WORD reserved = in.U16(), type = in.U16(), count = in.U16();
    if (!in.ok || reserved != 0 || (type != 1 && type != 2) || count == 0) {
        SetLastError("ICO: not an icon file");
        return false;
    }
    IconEntry best{};
    bool found = false;
    for (WORD i = 0; i < count; ++i) {
        IconEntry e;
        e.width = in.U8();
        e.height = in.U8();
        in.U8();  // colour count
        in.U8();
        in.U16();  // planes or hotspot
        e.bpp = in.U16();
        e.size = in.U32();
        e.offset = in.U32();
        if (!in.ok) break;
        if (e.width == 0) e.width = 256;
        if (e.height == 0) e.height = 256;
        if (e.offset >= file.size() || e.size > file.size() - e.offset || e.size < 8) continue;
        if (!found || e.width * e.height > best.width * best.height ||
            (e.width * e.height == best.width * best.height && e.bpp > best.bpp)) {
            best = e;
            found = true;
        }
    }
    if (!found) {
        SetLastError("ICO: no readable image");
        return false;
    }
    const BYTE* data = file.data() + best.offset;
    if (std::memcmp(data, "\x89PNG", 4) == 0) {
        CxImagePNG png;
        CxMemFile mem(const_cast<BYTE*>(data), best.size);
        if (!png.Decode(&mem)) return false;
        png.SetType(CXIMAGE_FORMAT_ICO);
        Transfer(png);
        return true;
    }

    // A DIB whose header counts the XOR image and the AND mask together in its height.
    ByteReader dib(data, best.size);
    DWORD headerSize = dib.U32();
    std::int32_t width = dib.S32();
    std::int32_t height2 = dib.S32();
    dib.U16();
    WORD bpp = dib.U16();
    DWORD compression = dib.U32();
    dib.Skip(12);
    DWORD colorsUsed = dib.U32();
    if (!dib.ok || headerSize < 40 || headerSize > best.size || width <= 0 || height2 <= 0 || compression != BI_RGB ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)) {
        SetLastError("ICO: unsupported image");
        return false;
    }
    long height = height2 / 2;
    if (height <= 0) return false;
    DWORD paletteCount = bpp <= 8 ? (colorsUsed && colorsUsed < (1u << bpp) ? colorsUsed : (1u << bpp)) : 0;
    std::uint64_t xorStride = ((static_cast<std::uint64_t>(width) * bpp + 31) / 32) * 4;
    std::uint64_t andStride = ((static_cast<std::uint64_t>(width) + 31) / 32) * 4;
    std::uint64_t pixelsAt = headerSize + paletteCount * 4ull;
    std::uint64_t xorBytes = xorStride * height;
    if (pixelsAt + xorBytes > best.size) {
        SetLastError("ICO: image data cut short");
        return false;
    }
    // Rebuild a BMP file around the XOR image and let the BMP reader do the pixels.
    std::vector<BYTE> bmp;
    bmp.reserve(14 + pixelsAt + xorBytes);
    bmp.push_back('B');
    bmp.push_back('M');
    pavix::PutU32(bmp, static_cast<DWORD>(14 + pixelsAt + xorBytes));
    pavix::PutU32(bmp, 0);
    pavix::PutU32(bmp, static_cast<DWORD>(14 + pixelsAt));
    size_t headerAt = bmp.size();
    bmp.insert(bmp.end(), data, data + pixelsAt + xorBytes);
    bmp[headerAt + 8] = static_cast<BYTE>(height);
    bmp[headerAt + 9] = static_cast<BYTE>(height >> 8);
    bmp[headerAt + 10] = static_cast<BYTE>(height >> 16);
    bmp[headerAt + 11] = static_cast<BYTE>(height >> 24);
    if (headerSize > 40) {
        // Only the 40-byte part matters for an icon; larger headers are cut to it.
        bmp.erase(bmp.begin() + static_cast<long>(headerAt + 40),
                  bmp.begin() + static_cast<long>(headerAt + headerSize));
        bmp[headerAt] = 40;
        bmp[headerAt + 1] = bmp[headerAt + 2] = bmp[headerAt + 3] = 0;
        DWORD off = static_cast<DWORD>(14 + 40 + paletteCount * 4);
        for (int i = 0; i < 4; ++i) bmp[10 + i] = static_cast<BYTE>(off >> (8 * i));
    }
    CxImageBMP reader;
    CxMemFile mem(bmp.data(), static_cast<DWORD>(bmp.size()));
    if (!reader.Decode(&mem)) return false;
    reader.SetType(CXIMAGE_FORMAT_ICO);

    const BYTE* mask = data + pixelsAt + xorBytes;
    bool haveMask = pixelsAt + xorBytes + andStride * height <= best.size;
    if (bpp != 32 && haveMask && reader.AlphaCreate()) {
        for (long y = 0; y < height; ++y) {
            const BYTE* row = mask + andStride * y;
            for (long x = 0; x < width; ++x) reader.AlphaSet(x, y, (row[x >> 3] & (0x80 >> (x & 7))) ? 0 : 255);
        }
    }
    Transfer(reader);
    return true;
}
