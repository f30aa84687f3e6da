// Targa reader.
#include "platform/pavix/ximatga.h"

#include <cstring>
#include <vector>

#include "platform/pavix/ximaio.h"

using pavix::ByteReader;

namespace {

// Expands run-length packets into `out` (exactly out.size() bytes); false when the data runs out.
bool Unpack(ByteReader& in, std::vector<BYTE>& out, int pixelBytes) {
    size_t filled = 0;
    while (filled < out.size()) {
        BYTE packet = in.U8();
        if (!in.ok) return false;
        size_t count = (packet & 0x7F) + 1;
        size_t bytes = count * pixelBytes;
        if (bytes > out.size() - filled) return false;
        if (packet & 0x80) {
            if (in.remaining() < static_cast<size_t>(pixelBytes)) return false;
            const BYTE* px = in.here();
            for (size_t i = 0; i < count; ++i) std::memcpy(&out[filled + i * pixelBytes], px, pixelBytes);
            in.Skip(pixelBytes);
        } else {
            if (in.remaining() < bytes) return false;
            std::memcpy(&out[filled], in.here(), bytes);
            in.Skip(bytes);
        }
        filled += bytes;
    }
    return true;
}

RGBQUAD Colour(const BYTE* p, int bits) {
    switch (bits) {
        case 15:
        case 16: {
            int v = p[0] | (p[1] << 8);
            auto scale = [](int c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
            return RGBQUAD{scale(v & 31), scale((v >> 5) & 31), scale((v >> 10) & 31), 255};
        }
        case 24:
            return RGBQUAD{p[0], p[1], p[2], 255};
        case 32:
            return RGBQUAD{p[0], p[1], p[2], p[3]};
        default:
            return RGBQUAD{p[0], p[0], p[0], 255};
    }
}

}  // namespace

bool CxImageTGA::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file)) {
        SetLastError("TGA: unreadable file");
        return false;
    }
    ByteReader in(file.data(), file.size());
    BYTE idLength = in.U8(), mapType = in.U8(), imageType = in.U8();
    WORD mapFirst = in.U16(), mapLength = in.U16();
    BYTE mapBits = in.U8();
    in.U16();
    in.U16();
    WORD width = in.U16(), height = in.U16();
    BYTE bits = in.U8(), descriptor = in.U8();
    const bool rle = imageType >= 9;
    const int kind = rle ? imageType - 8 : imageType;  // 1 mapped, 2 true colour, 3 grey
    bool valid = in.ok && width > 0 && height > 0 && mapType <= 1 && (kind == 1 || kind == 2 || kind == 3) &&
                 (imageType <= 3 || (imageType >= 9 && imageType <= 11));
    if (valid && kind == 1)
        valid = mapType == 1 && bits == 8 && (mapBits == 15 || mapBits == 16 || mapBits == 24 || mapBits == 32);
    if (valid && kind == 2) valid = bits == 15 || bits == 16 || bits == 24 || bits == 32;
    // Grey comes with 8 bits, or 16 (grey and alpha).
    if (valid && kind == 3) valid = bits == 8 || bits == 16;
    if (!valid) {
        SetLastError("TGA: not a readable Targa file");
        return false;
    }
    // An identification field that runs past the end leaves nothing to read the pixels from.
    if (!in.Skip(idLength)) {
        SetLastError("TGA: identification field cut short");
        return false;
    }
    std::vector<RGBQUAD> map;
    if (mapType == 1) {
        int entryBytes = (mapBits + 7) / 8;
        if (mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32) {
            SetLastError("TGA: unsupported colour map");
            return false;
        }
        if (in.remaining() < static_cast<size_t>(mapLength) * entryBytes) {
            SetLastError("TGA: colour map cut short");
            return false;
        }
        map.resize(mapLength);
        for (WORD i = 0; i < mapLength; ++i) map[i] = Colour(in.here() + static_cast<size_t>(i) * entryBytes, mapBits);
        in.Skip(static_cast<size_t>(mapLength) * entryBytes);
    }
    const int pixelBytes = (bits + 7) / 8;
    const std::uint64_t total = static_cast<std::uint64_t>(width) * height * pixelBytes;
    if (!FitsMemoryLimit(width, height, 24) || (!rle && total > in.remaining()) ||
        (rle && total > in.remaining() * 128ull * pixelBytes)) {
        SetLastError("TGA: pixel data cut short");
        return false;
    }
    std::vector<BYTE> pixels;
    if (rle) {
        pixels.resize(total);
        if (!Unpack(in, pixels, pixelBytes)) {
            SetLastError("TGA: broken run-length data");
            return false;
        }
    } else {
        pixels.assign(in.here(), in.here() + total);
    }

    if (!Create(width, height, kind == 2 ? 24 : 8, CXIMAGE_FORMAT_TGA)) return false;
    if (kind == 3) SetGrayPalette();
    if (kind == 1) {
        // Indexes count from the map's first entry; entries outside the map stay black.
        for (size_t i = 0; i < map.size() && mapFirst + i < 256; ++i) {
            RGBQUAD c = map[i];
            c.rgbReserved = 0;
            SetPaletteColor(static_cast<BYTE>(mapFirst + i), c);
        }
    }
    const bool topDown = (descriptor & 0x20) != 0;
    const bool rightToLeft = (descriptor & 0x10) != 0;
    const bool alpha = (kind == 2 && bits == 32 && (descriptor & 0x0F) != 0) || (kind == 3 && bits == 16);
    if (alpha) AlphaCreate();
    for (long i = 0; i < height; ++i) {
        long row = topDown ? height - 1 - i : i;
        const BYTE* src = &pixels[static_cast<size_t>(i) * width * pixelBytes];
        BYTE* dst = GetBits(row);
        for (long k = 0; k < width; ++k) {
            long x = rightToLeft ? width - 1 - k : k;
            const BYTE* p = src + k * pixelBytes;
            if (kind == 2) {
                RGBQUAD c = Colour(p, bits);
                dst[3 * x] = c.rgbBlue;
                dst[3 * x + 1] = c.rgbGreen;
                dst[3 * x + 2] = c.rgbRed;
                if (alpha) AlphaSet(x, row, c.rgbReserved);
            } else {
                dst[x] = p[0];
                if (alpha) AlphaSet(x, row, p[1]);
            }
        }
    }
    return true;
}
