// PNG through libpng, with its errors caught by a jump back here.
#include "platform/pavix/ximapng.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/pavix/ximaio.h"

namespace {

struct ReadSource {
    const BYTE* data;
    size_t size;
    size_t pos;
};

void ReadData(png_structp png, png_bytep out, png_size_t length) {
    auto* src = static_cast<ReadSource*>(png_get_io_ptr(png));
    if (length > src->size - src->pos) png_error(png, "data cut short");
    std::memcpy(out, src->data + src->pos, length);
    src->pos += length;
}

void WriteData(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<CxFile*>(png_get_io_ptr(png));
    if (file->Write(data, 1, length) != length) png_error(png, "write failed");
}

void FlushData(png_structp png) {
    static_cast<CxFile*>(png_get_io_ptr(png))->Flush();
}

void Warning(png_structp, png_const_charp) {}

void Error(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// A 16-bit key scaled as png_set_scale_16 scales the pixels, so it still names the same ones.
BYTE Key16(unsigned v) {
    return static_cast<BYTE>((v + 128) / 257);
}

}  // namespace

bool CxImagePNG::ReadSize(CxFile* hFile, long& width, long& height, std::string& error) {
    width = height = 0;
    // Signature, then the IHDR chunk, which must come first: length, name, width, height.
    BYTE head[24];
    if (!hFile || hFile->Read(head, 1, sizeof head) != sizeof head || png_sig_cmp(head, 0, 8) != 0) {
        error = "PNG: not a PNG file";
        return false;
    }
    if (std::memcmp(head + 12, "IHDR", 4) != 0) {
        error = "PNG: no header chunk";
        return false;
    }
    auto big = [&](int at) {
        return static_cast<std::uint32_t>(head[at]) << 24 | static_cast<std::uint32_t>(head[at + 1]) << 16 |
               static_cast<std::uint32_t>(head[at + 2]) << 8 | head[at + 3];
    };
    const std::uint32_t w = big(16), h = big(20);
    // libpng's own bound for a side.
    if (w == 0 || h == 0 || w > PNG_UINT_31_MAX || h > PNG_UINT_31_MAX) {
        error = "PNG: width or height out of range";
        return false;
    }
    width = static_cast<long>(w);
    height = static_cast<long>(h);
    return true;
}

bool CxImagePNG::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file) || file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) {
        SetLastError("PNG: not a PNG file");
        return false;
    }
    ReadSource source{file.data(), file.size(), 0};
    std::vector<BYTE> buffer;  // RGBA or grey+alpha pixels before they are split
    std::vector<png_bytep> rows;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Error, Warning);
    if (!png) return false;
    png_infop pinfo = png_create_info_struct(png);
    if (!pinfo) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &pinfo, nullptr);
        Destroy();
        SetLastError("PNG: broken data");
        return false;
    }
    png_set_read_fn(png, &source, ReadData);
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_chunk_malloc_max(png, 16 * 1024 * 1024);
    png_read_info(png, pinfo);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0;
    png_get_IHDR(png, pinfo, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    const bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0;
    const bool isPalette = colorType == PNG_COLOR_TYPE_PALETTE;
    const bool isGrey = (colorType & PNG_COLOR_MASK_COLOR) == 0;
    const std::uint64_t extra = hasAlpha ? static_cast<std::uint64_t>(width) * height * (isGrey ? 2 : 4) : 0;
    if (!FitsMemoryLimit(width, height, isPalette || isGrey ? 8 : 24) || extra > pavix::GetMemoryLimit()) {
        png_destroy_read_struct(&png, &pinfo, nullptr);
        SetLastError("PNG: picture too large");
        return false;
    }

    // Palette transparency: one fully transparent entry becomes the transparent index; partial
    // transparency makes an alpha plane.
    png_bytep trans = nullptr;
    int numTrans = 0;
    BYTE transTable[256] = {};
    png_color_16p transColor = nullptr;
    bool transAlphaPlane = false;
    long transIndex = -1;
    if (png_get_tRNS(png, pinfo, &trans, &numTrans, &transColor)) {
        if (isPalette && trans) {
            numTrans = std::min(numTrans, 256);
            std::memcpy(transTable, trans, static_cast<size_t>(numTrans));  // libpng frees its copy with the struct
            for (int i = 0; i < numTrans; ++i) {
                if (trans[i] == 0 && transIndex < 0)
                    transIndex = i;
                else if (trans[i] != 255)
                    transAlphaPlane = true;
            }
            if (transAlphaPlane) transIndex = -1;
        }
    }

    if (bitDepth == 16) png_set_scale_16(png);  // rounded, as 8-bit writers round
    if (isPalette || isGrey) png_set_packing(png);
    if (isGrey && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (!isGrey) png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, pinfo);

    if (!Create(width, height, isPalette || isGrey ? 8 : 24, CXIMAGE_FORMAT_PNG)) {
        png_destroy_read_struct(&png, &pinfo, nullptr);
        return false;
    }
    if (isPalette) {
        png_colorp palette = nullptr;
        int count = 0;
        if (png_get_PLTE(png, pinfo, &palette, &count)) {
            for (int i = 0; i < count && i < 256; ++i)
                SetPaletteColor(static_cast<BYTE>(i), palette[i].red, palette[i].green, palette[i].blue);
        }
        if (transIndex >= 0) {
            SetTransIndex(transIndex);
            info.nBkgndColor = GetPaletteColor(static_cast<BYTE>(transIndex));
        }
    } else if (isGrey) {
        SetGrayPalette();
        if (transColor && !hasAlpha) {
            int g = transColor->gray;
            if (bitDepth == 16)
                g = Key16(static_cast<unsigned>(g));
            else if (bitDepth < 8)
                g = g * 255 / ((1 << bitDepth) - 1);
            SetTransIndex(g & 0xFF);
        }
    } else if (transColor && !hasAlpha) {
        auto key = [bitDepth](unsigned v) { return bitDepth == 16 ? Key16(v) : static_cast<BYTE>(v); };
        SetTransIndex(0);
        SetTransColor(RGBQUAD{key(transColor->blue), key(transColor->green), key(transColor->red), 0});
    }
    png_uint_32 resX = 0, resY = 0;
    int unit = 0;
    if (png_get_pHYs(png, pinfo, &resX, &resY, &unit) && unit == PNG_RESOLUTION_METER) {
        SetXDPI(static_cast<long>((resX * 254 + 5000) / 10000));
        SetYDPI(static_cast<long>((resY * 254 + 5000) / 10000));
    }

    rows.resize(height);
    if (hasAlpha) {
        size_t bpp = isGrey ? 2 : 4;
        buffer.resize(static_cast<size_t>(width) * height * bpp);
        for (png_uint_32 i = 0; i < height; ++i) rows[i] = buffer.data() + static_cast<size_t>(i) * width * bpp;
    } else {
        for (png_uint_32 i = 0; i < height; ++i) rows[i] = GetBits(height - 1 - i);
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &pinfo, nullptr);

    if (hasAlpha) {
        AlphaCreate();
        for (png_uint_32 i = 0; i < height; ++i) {
            const BYTE* src = rows[i];
            BYTE* dst = GetBits(height - 1 - i);
            BYTE* alpha = AlphaGetPointer(0, height - 1 - i);
            for (png_uint_32 x = 0; x < width; ++x) {
                if (isGrey) {
                    dst[x] = src[2 * x];
                    alpha[x] = src[2 * x + 1];
                } else {
                    std::memcpy(dst + 3 * x, src + 4 * x, 3);
                    alpha[x] = src[4 * x + 3];
                }
            }
        }
    } else if (transAlphaPlane) {
        // Partly transparent palette entries: the alpha of each pixel comes from its index.
        AlphaCreate();
        for (long y = 0; y < head.biHeight; ++y)
            for (long x = 0; x < head.biWidth; ++x) {
                BYTE idx = BlindGetPixelIndex(x, y);
                AlphaSet(x, y, idx < numTrans ? transTable[idx] : 255);
            }
    }
    return true;
}

bool CxImagePNG::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    const png_uint_32 width = head.biWidth, height = head.biHeight;
    // Kept in memory rather than registers: they are read after a possible jump back.
    struct Layout {
        bool indexed;
        bool alpha;
    };
    static thread_local Layout layout;
    layout = Layout{head.biClrUsed != 0, head.biClrUsed == 0 && pAlpha != nullptr};
    const bool& indexed = layout.indexed;
    const bool& alpha = layout.alpha;
    std::vector<BYTE> row(static_cast<size_t>(width) * 4);
    std::vector<png_byte> transTable;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Error, Warning);
    if (!png) return false;
    png_infop pinfo = png_create_info_struct(png);
    if (!pinfo) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &pinfo);
        SetLastError("PNG: cannot encode");
        return false;
    }
    png_set_write_fn(png, hFile, WriteData, FlushData);
    int colorType = indexed ? PNG_COLOR_TYPE_PALETTE : alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    int bitDepth = indexed ? head.biBitCount : 8;
    png_set_IHDR(png, pinfo, width, height, bitDepth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    if (indexed) {
        int n = static_cast<int>(head.biClrUsed);
        for (int i = 0; i < n; ++i) {
            RGBQUAD c = GetPaletteColor(static_cast<BYTE>(i));
            palette[i] = png_color{c.rgbRed, c.rgbGreen, c.rgbBlue};
        }
        png_set_PLTE(png, pinfo, palette, n);
        if (info.nBkgndIndex >= 0 && info.nBkgndIndex < n) {
            transTable.assign(static_cast<size_t>(info.nBkgndIndex) + 1, 255);
            transTable[info.nBkgndIndex] = 0;
            png_set_tRNS(png, pinfo, transTable.data(), static_cast<int>(transTable.size()), nullptr);
        }
    } else if (!alpha && info.nBkgndIndex >= 0) {
        png_color_16 tc = {};
        tc.red = info.nBkgndColor.rgbRed;
        tc.green = info.nBkgndColor.rgbGreen;
        tc.blue = info.nBkgndColor.rgbBlue;
        png_set_tRNS(png, pinfo, nullptr, 0, &tc);
    }
    png_set_pHYs(png, pinfo, static_cast<png_uint_32>(info.xDPI * 10000 / 254),
                 static_cast<png_uint_32>(info.yDPI * 10000 / 254), PNG_RESOLUTION_METER);
    png_write_info(png, pinfo);
    if (!indexed) png_set_bgr(png);
    for (png_uint_32 i = 0; i < height; ++i) {
        png_uint_32 line = height - 1 - i;
        BYTE* src = GetBits(line);
        if (alpha) {
            const BYTE* a = AlphaGetPointer(0, line);
            for (png_uint_32 x = 0; x < width; ++x) {
                std::memcpy(row.data() + 4 * x, src + 3 * x, 3);
                row[4 * x + 3] = a[x];
            }
            src = row.data();
        }
        png_write_row(png, src);
    }
    png_write_end(png, pinfo);
    png_destroy_write_struct(&png, &pinfo);
    return true;
}
