// BMP reader and writer.
#include "platform/pavix/ximabmp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/pavix/ximaio.h"

using pavix::ByteReader;

namespace {

constexpr size_t kFileHeaderSize = 14;

struct BmpHeader {
    DWORD dataOffset = 0;
    DWORD headerSize = 0;
    long width = 0;
    long height = 0;  // positive; topDown says the stored order
    bool topDown = false;
    WORD bpp = 0;
    DWORD compression = BI_RGB;
    DWORD colorsUsed = 0;
    DWORD masks[4] = {};  // red, green, blue, alpha for bit fields
    long xPelsPerMeter = 0;
    long yPelsPerMeter = 0;
    size_t paletteOffset = 0;
    int paletteEntrySize = 4;
    bool paletteDeclared = false;  // the header gave the colour count
};

// The one validity check every entry point uses: magic, a known header variant, depth and
// compression that belong together, sizes within reason. Returns why the header was refused, or
// null when it can be read.
const char* ParseHeader(ByteReader& in, BmpHeader& h, char* text, size_t textSize) {
    if (in.U8() != 'B' || in.U8() != 'M') return "BMP: not a bitmap file";
    in.U32();  // file size: often wrong in real files, not trusted
    in.U32();
    h.dataOffset = in.U32();
    h.headerSize = in.U32();
    if (!in.ok) return "BMP: header cut short";
    bool sizeInRange = true;
    if (h.headerSize == 12) {  // OS/2 core header
        h.width = in.U16();
        long height = static_cast<std::int16_t>(in.U16());
        in.U16();
        h.bpp = in.U16();
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        h.paletteEntrySize = 3;
    } else if (h.headerSize == 40 || h.headerSize == 52 || h.headerSize == 56 || h.headerSize == 64 ||
               h.headerSize == 108 || h.headerSize == 124) {
        std::int32_t width = in.S32();
        std::int32_t height = in.S32();
        in.U16();  // planes
        h.bpp = in.U16();
        h.compression = in.U32();
        in.U32();  // image size
        h.xPelsPerMeter = in.S32();
        h.yPelsPerMeter = in.S32();
        h.colorsUsed = in.U32();
        in.U32();  // important colours
        sizeInRange = width > 0 && height != 0 && height != INT32_MIN;
        h.width = width;
        h.topDown = height < 0;
        h.height = height < 0 ? -static_cast<long>(height) : height;
        if (h.compression == BI_BITFIELDS) {
            // Masks follow a 40-byte header, or sit inside the larger ones at the same place.
            for (int i = 0; i < 3; ++i) h.masks[i] = in.U32();
            if (h.headerSize >= 56) h.masks[3] = in.U32();
        }
    } else {
        std::snprintf(text, textSize, "BMP: unknown header size %u", static_cast<unsigned>(h.headerSize));
        return text;
    }
    if (!in.ok) return "BMP: header cut short";
    if (!sizeInRange || h.width <= 0 || h.height <= 0) return "BMP: width or height out of range";
    switch (h.bpp) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            std::snprintf(text, textSize, "BMP: unsupported depth of %u bits per pixel", static_cast<unsigned>(h.bpp));
            return text;
    }
    // OS/2 2.x numbers 3 and 4 Huffman and RLE24, which are not read here.
    const bool known = h.headerSize == 64 ? h.compression <= BI_RLE4 : h.compression <= BI_BITFIELDS;
    if (!known) {
        std::snprintf(text, textSize, "BMP: unknown compression %u", static_cast<unsigned>(h.compression));
        return text;
    }
    bool fits = true;
    if (h.compression == BI_RLE8) fits = h.bpp == 8 && !h.topDown;
    if (h.compression == BI_RLE4) fits = h.bpp == 4 && !h.topDown;
    if (h.compression == BI_BITFIELDS) fits = h.bpp == 16 || h.bpp == 32;
    if (!fits) {
        std::snprintf(text, textSize, "BMP: compression %u does not fit %u bits per pixel%s",
                      static_cast<unsigned>(h.compression), static_cast<unsigned>(h.bpp),
                      h.topDown ? " in top-down rows" : "");
        return text;
    }
    if (h.compression == BI_BITFIELDS && h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0)
        return "BMP: bit fields without masks";
    // A colour count from the header is what the writer put there; without one the palette may
    // be shorter than the depth allows and ends where the pixels begin.
    h.paletteDeclared = h.bpp <= 8 && h.colorsUsed != 0;
    if (h.bpp <= 8 && h.colorsUsed > (1u << h.bpp)) h.colorsUsed = 1u << h.bpp;
    if (h.bpp <= 8 && h.colorsUsed == 0) h.colorsUsed = 1u << h.bpp;
    if (h.bpp > 8) h.colorsUsed = 0;
    h.paletteOffset = kFileHeaderSize + h.headerSize;
    if (h.headerSize == 40 && h.compression == BI_BITFIELDS) h.paletteOffset += 12;
    // Pixels inside the header or the palette would be read as header and colour bytes.
    if (h.dataOffset < h.paletteOffset) return "BMP: the pixel data offset points into the header";
    if (h.bpp <= 8) {
        const size_t paletteEnd = h.paletteOffset + static_cast<size_t>(h.colorsUsed) * h.paletteEntrySize;
        if (h.dataOffset < paletteEnd &&
            (h.paletteDeclared || h.dataOffset < h.paletteOffset + static_cast<size_t>(h.paletteEntrySize)))
            return "BMP: the pixel data offset points into the palette";
    }
    return nullptr;
}

// Splits a bit-field mask into shift and width so a field value scales to 0..255.
struct Field {
    int shift = 0;
    int bits = 0;
    explicit Field(DWORD mask) {
        if (!mask) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++bits;
        }
        if (bits > 8) {
            shift += bits - 8;
            bits = 8;
        }
    }
    BYTE Get(DWORD v) const {
        if (!bits) return 0;
        DWORD x = (v >> shift) & ((1u << bits) - 1);
        return static_cast<BYTE>(bits == 8 ? x : (x * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
    }
};

// Run-length data: a stream that runs out before its end mark fails; pixels beyond the picture
// are dropped and pixels the stream never reaches stay at index 0.
bool DecodeRle(const BYTE* data, size_t size, bool rle4, CxImage& img) {
    long W = img.GetWidth(), H = img.GetHeight();
    long x = 0, y = 0;
    size_t i = 0;
    auto put = [&](BYTE index) {
        if (x < W && y < H) img.SetPixelIndex(x, y, index);
        ++x;
    };
    while (true) {
        if (i + 2 > size) return false;
        BYTE count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            // Runs may reach past the row's end (writers pad rows this way); the excess is dropped.
            for (int k = 0; k < count; ++k) put(rle4 ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta
            if (i + 2 > size) return false;
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {  // absolute run of `value` pixels, padded to a word
            size_t bytes = rle4 ? (value + 1) / 2 : value;
            if (i + bytes > size) return false;
            for (int k = 0; k < value; ++k) {
                BYTE b = data[i + (rle4 ? k / 2 : k)];
                put(rle4 ? ((k & 1) ? (b & 0x0F) : (b >> 4)) : b);
            }
            i += (bytes + 1) & ~static_cast<size_t>(1);
        }
        if (y >= H) return true;
    }
}

}  // namespace

bool CxImageBMP::ReadSize(CxFile* hFile, long& width, long& height, std::string& error) {
    width = height = 0;
    // The largest header with its bit-field masks.
    BYTE head[kFileHeaderSize + 124 + 16] = {};
    const size_t got = hFile ? hFile->Read(head, 1, sizeof head) : 0;
    ByteReader in(head, got);
    BmpHeader h;
    char text[128];
    if (const char* refused = ParseHeader(in, h, text, sizeof text)) {
        error = refused;
        return false;
    }
    width = h.width;
    height = h.height;
    return true;
}

bool CxImageBMP::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file)) {
        SetLastError("BMP: unreadable file");
        return false;
    }
    ByteReader in(file.data(), file.size());
    BmpHeader h;
    char text[128];
    if (const char* refused = ParseHeader(in, h, text, sizeof text)) {
        SetLastError(refused);
        return false;
    }
    if (h.dataOffset >= file.size()) {
        SetLastError("BMP: no pixel data");
        return false;
    }
    std::uint64_t stride = ((static_cast<std::uint64_t>(h.width) * h.bpp + 31) / 32) * 4;
    size_t available = file.size() - h.dataOffset;
    if (h.compression == BI_RGB || h.compression == BI_BITFIELDS) {
        // Uncompressed rows must all be there; the last one may lack its padding.
        std::uint64_t needed = stride * (h.height - 1) + (static_cast<std::uint64_t>(h.width) * h.bpp + 7) / 8;
        if (needed > available) {
            std::snprintf(text, sizeof text, "BMP: pixel data cut short (%llu of %llu bytes)",
                          static_cast<unsigned long long>(available), static_cast<unsigned long long>(needed));
            SetLastError(text);
            return false;
        }
    } else {
        // Two bytes of run-length data give at most 255 pixels, so the file bounds the size it may
        // claim; a few bytes announcing gigapixels are refused before anything is allocated.
        const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.height);
        if (pixels > static_cast<std::uint64_t>(available) * 128) {
            SetLastError("BMP: run-length data too short for the picture size");
            return false;
        }
    }
    DWORD outBpp = h.bpp <= 8 ? h.bpp : 24;
    if (!FitsMemoryLimit(h.width, h.height, outBpp)) {
        SetLastError("BMP: picture too large");
        return false;
    }
    if (!Create(h.width, h.height, outBpp, CXIMAGE_FORMAT_BMP)) return false;
    if (h.xPelsPerMeter > 0) SetXDPI(static_cast<long>(h.xPelsPerMeter * 254 / 10000));
    if (h.yPelsPerMeter > 0) SetYDPI(static_cast<long>(h.yPelsPerMeter * 254 / 10000));

    if (h.bpp <= 8) {
        RGBQUAD* pal = GetPalette();
        size_t end = h.paletteOffset + static_cast<size_t>(h.colorsUsed) * h.paletteEntrySize;
        DWORD n = h.colorsUsed;
        if (end > h.dataOffset || end > file.size()) {
            // A palette overlapping the pixels is read only as far as it goes.
            size_t limit = std::min<size_t>(h.dataOffset, file.size());
            n = limit > h.paletteOffset ? static_cast<DWORD>((limit - h.paletteOffset) / h.paletteEntrySize) : 0;
        }
        for (DWORD i = 0; i < n; ++i) {
            const BYTE* p = file.data() + h.paletteOffset + static_cast<size_t>(i) * h.paletteEntrySize;
            pal[i] = RGBQUAD{p[0], p[1], p[2], 0};
        }
    }

    const BYTE* pixels = file.data() + h.dataOffset;
    if (h.compression == BI_RLE8 || h.compression == BI_RLE4) {
        if (!DecodeRle(pixels, available, h.compression == BI_RLE4, *this)) {
            Destroy();
            SetLastError("BMP: run-length data cut short");
            return false;
        }
        return true;
    }

    DWORD masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    if (h.compression == BI_RGB && h.bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (h.compression == BI_RGB && h.bpp == 32) {
        masks[0] = 0x00FF0000;
        masks[1] = 0x0000FF00;
        masks[2] = 0x000000FF;
        masks[3] = 0xFF000000;
    }
    Field fr(masks[0]), fg(masks[1]), fb(masks[2]), fa(masks[3]);
    bool anyAlpha = false;
    if (h.bpp == 32 && masks[3]) {
        for (long y = 0; y < h.height && !anyAlpha; ++y) {
            const BYTE* src = pixels + stride * y;
            for (long x = 0; x < h.width; ++x) {
                DWORD v = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                          (static_cast<DWORD>(src[4 * x + 3]) << 24);
                if (v & masks[3]) {
                    anyAlpha = true;
                    break;
                }
            }
        }
        if (anyAlpha) AlphaCreate();
    }

    for (long y = 0; y < h.height; ++y) {
        const BYTE* src = pixels + stride * y;
        long row = h.topDown ? h.height - 1 - y : y;
        BYTE* dst = GetBits(row);
        switch (h.bpp) {
            case 1:
            case 4:
            case 8:
            case 24:
                std::memcpy(dst, src, (static_cast<size_t>(h.width) * h.bpp + 7) / 8);
                break;
            case 16:
                for (long x = 0; x < h.width; ++x) {
                    DWORD v = src[2 * x] | (src[2 * x + 1] << 8);
                    dst[3 * x] = fb.Get(v);
                    dst[3 * x + 1] = fg.Get(v);
                    dst[3 * x + 2] = fr.Get(v);
                }
                break;
            case 32: {
                BYTE* alpha = anyAlpha ? AlphaGetPointer(0, row) : nullptr;
                for (long x = 0; x < h.width; ++x) {
                    DWORD v = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                              (static_cast<DWORD>(src[4 * x + 3]) << 24);
                    dst[3 * x] = fb.Get(v);
                    dst[3 * x + 1] = fg.Get(v);
                    dst[3 * x + 2] = fr.Get(v);
                    if (alpha) alpha[x] = fa.Get(v);
                }
                break;
            }
        }
    }
    return true;
}

bool CxImageBMP::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    DWORD paletteSize = GetPaletteSize();
    DWORD offset = static_cast<DWORD>(kFileHeaderSize + sizeof(BITMAPINFOHEADER) + paletteSize);
    std::vector<BYTE> out;
    out.reserve(offset);
    out.push_back('B');
    out.push_back('M');
    pavix::PutU32(out, offset + head.biSizeImage);
    pavix::PutU32(out, 0);
    pavix::PutU32(out, offset);
    pavix::PutU32(out, sizeof(BITMAPINFOHEADER));
    pavix::PutU32(out, static_cast<DWORD>(head.biWidth));
    pavix::PutU32(out, static_cast<DWORD>(head.biHeight));
    pavix::PutU16(out, 1);
    pavix::PutU16(out, head.biBitCount);
    pavix::PutU32(out, BI_RGB);
    pavix::PutU32(out, head.biSizeImage);
    pavix::PutU32(out, static_cast<DWORD>(info.xDPI * 10000 / 254));
    pavix::PutU32(out, static_cast<DWORD>(info.yDPI * 10000 / 254));
    pavix::PutU32(out, head.biClrUsed);
    pavix::PutU32(out, 0);
    const BYTE* pal = reinterpret_cast<const BYTE*>(GetPalette());
    if (pal) out.insert(out.end(), pal, pal + paletteSize);
    if (hFile->Write(out.data(), 1, out.size()) != out.size()) return false;
    return hFile->Write(info.pImage, 1, head.biSizeImage) == head.biSizeImage;
}
