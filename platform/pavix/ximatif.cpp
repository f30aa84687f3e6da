// TIFF through libtiff: the first directory is read through its RGBA interface, so every
// photometric variant libtiff knows comes out as true colour.
#include "platform/pavix/ximatif.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/pavix/ximaio.h"

namespace {

struct MemoryHandle {
    const BYTE* data;
    toff_t size;
    toff_t pos;
};

tmsize_t MemRead(thandle_t h, void* buf, tmsize_t n) {
    auto* m = static_cast<MemoryHandle*>(h);
    if (n <= 0 || m->pos >= m->size) return 0;
    toff_t k = std::min<toff_t>(static_cast<toff_t>(n), m->size - m->pos);
    std::memcpy(buf, m->data + m->pos, k);
    m->pos += k;
    return static_cast<tmsize_t>(k);
}
tmsize_t MemWrite(thandle_t, void*, tmsize_t) {
    return 0;
}
toff_t MemSeek(thandle_t h, toff_t off, int whence) {
    auto* m = static_cast<MemoryHandle*>(h);
    toff_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->pos : m->size;
    m->pos = base + off;
    return m->pos;
}
int MemClose(thandle_t) {
    return 0;
}
toff_t MemSize(thandle_t h) {
    return static_cast<MemoryHandle*>(h)->size;
}

tmsize_t FileRead(thandle_t h, void* buf, tmsize_t n) {
    return static_cast<tmsize_t>(static_cast<CxFile*>(h)->Read(buf, 1, static_cast<size_t>(n)));
}
tmsize_t FileWrite(thandle_t h, void* buf, tmsize_t n) {
    return static_cast<tmsize_t>(static_cast<CxFile*>(h)->Write(buf, 1, static_cast<size_t>(n)));
}
toff_t FileSeek(thandle_t h, toff_t off, int whence) {
    auto* f = static_cast<CxFile*>(h);
    if (!f->Seek(static_cast<long>(off), whence)) return static_cast<toff_t>(-1);
    return static_cast<toff_t>(f->Tell());
}
int FileClose(thandle_t) {
    return 0;
}
toff_t FileSize(thandle_t h) {
    return static_cast<toff_t>(static_cast<CxFile*>(h)->Size());
}
int NoMap(thandle_t, void**, toff_t*) {
    return 0;
}
void NoUnmap(thandle_t, void*, toff_t) {}

int Quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

TIFFOpenOptions* QuietOptions() {
    TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
    if (!opts) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(opts, Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(opts, Quiet, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(opts, static_cast<tmsize_t>(std::min<std::uint64_t>(
                                                  pavix::GetMemoryLimit(), static_cast<std::uint64_t>(INT64_MAX))));
    return opts;
}

}  // namespace

bool CxImageTIF::Decode(CxFile* hFile) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(hFile, file) || file.size() < 8) {
        SetLastError("TIFF: unreadable file");
        return false;
    }
    MemoryHandle handle{file.data(), file.size(), 0};
    TIFFOpenOptions* opts = QuietOptions();
    TIFF* tif =
        TIFFClientOpenExt("memory", "rm", &handle, MemRead, MemWrite, MemSeek, MemClose, MemSize, NoMap, NoUnmap, opts);
    TIFFOpenOptionsFree(opts);
    if (!tif) {
        SetLastError("TIFF: broken header");
        return false;
    }
    uint32_t width = 0, height = 0;
    uint16_t extra = 0;
    uint16_t* extraTypes = nullptr;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    bool alpha = TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extra, &extraTypes) && extra > 0;
    if (!FitsMemoryLimit(width, height, 24) ||
        static_cast<std::uint64_t>(width) * height * 4 > pavix::GetMemoryLimit()) {
        TIFFClose(tif);
        SetLastError("TIFF: picture too large");
        return false;
    }
    std::vector<uint32_t> raster(static_cast<size_t>(width) * height);
    bool ok = TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_BOTLEFT, 0) != 0;
    float xres = 0, yres = 0;
    uint16_t unit = 0;
    bool hasRes = TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xres) && TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yres);
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFClose(tif);
    if (!ok) {
        SetLastError("TIFF: broken image data");
        return false;
    }
    if (!Create(width, height, 24, CXIMAGE_FORMAT_TIF)) return false;
    if (alpha) AlphaCreate();
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* src = &raster[static_cast<size_t>(y) * width];
        BYTE* dst = GetBits(y);
        BYTE* a = alpha ? AlphaGetPointer(0, y) : nullptr;
        for (uint32_t x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<BYTE>(TIFFGetB(src[x]));
            dst[3 * x + 1] = static_cast<BYTE>(TIFFGetG(src[x]));
            dst[3 * x + 2] = static_cast<BYTE>(TIFFGetR(src[x]));
            if (a) a[x] = static_cast<BYTE>(TIFFGetA(src[x]));
        }
    }
    if (hasRes && xres > 0 && yres > 0 && xres < 100000 && yres < 100000) {
        float scale = unit == RESUNIT_CENTIMETER ? 2.54f : 1.0f;
        SetXDPI(static_cast<long>(xres * scale + 0.5f));
        SetYDPI(static_cast<long>(yres * scale + 0.5f));
    }
    return true;
}

bool CxImageTIF::Encode(CxFile* hFile) {
    if (!IsValid() || !hFile) return false;
    TIFFOpenOptions* opts = QuietOptions();
    TIFF* tif = TIFFClientOpenExt("memory", "w", hFile, FileRead, FileWrite, FileSeek, FileClose, FileSize, NoMap,
                                  NoUnmap, opts);
    TIFFOpenOptionsFree(opts);
    if (!tif) return false;
    const uint32_t W = head.biWidth, H = head.biHeight;
    const bool indexed = head.biClrUsed != 0;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, W);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, H);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, static_cast<float>(info.xDPI));
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, static_cast<float>(info.yDPI));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    std::vector<uint16_t> red, green, blue;
    if (indexed) {
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, head.biBitCount);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        size_t n = size_t{1} << head.biBitCount;
        red.assign(n, 0);
        green.assign(n, 0);
        blue.assign(n, 0);
        for (size_t i = 0; i < n && i < head.biClrUsed; ++i) {
            RGBQUAD c = GetPaletteColor(static_cast<BYTE>(i));
            red[i] = static_cast<uint16_t>(c.rgbRed * 257);
            green[i] = static_cast<uint16_t>(c.rgbGreen * 257);
            blue[i] = static_cast<uint16_t>(c.rgbBlue * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    } else {
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    }
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    std::vector<BYTE> row(indexed ? info.dwEffWidth : static_cast<size_t>(W) * 3);
    bool ok = true;
    for (uint32_t i = 0; i < H && ok; ++i) {
        const BYTE* src = GetBits(H - 1 - i);
        if (indexed) {
            std::memcpy(row.data(), src, row.size());
        } else {
            for (uint32_t x = 0; x < W; ++x) {
                row[3 * x] = src[3 * x + 2];
                row[3 * x + 1] = src[3 * x + 1];
                row[3 * x + 2] = src[3 * x];
            }
        }
        ok = TIFFWriteScanline(tif, row.data(), i, 0) >= 0;
    }
    TIFFClose(tif);
    return ok;
}
