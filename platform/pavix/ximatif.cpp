// TIFF through libtiff: the first directory is read through its RGBA interface, so every
// photometric variant libtiff knows comes out as true colour.
#include "platform/pavix/ximatif.h"

#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/pavix/ximaexif.h"
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

// ---- samples libtiff's RGBA interface does not read ------------------------------------------
// 12-bit and other odd depths, floating-point samples, 16-bit inks and CIE L*a*b* come through
// here: the raw samples of every pixel, scaled to 0..1, then turned into colour by photometric.

struct Layout {
    uint32_t width = 0;
    uint32_t height = 0;
    uint16_t samples = 1;
    uint16_t bits = 8;
    uint16_t format = SAMPLEFORMAT_UINT;
    uint16_t planar = PLANARCONFIG_CONTIG;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t inkset = INKSET_CMYK;
};

bool NeedsOwnReader(const Layout& l) {
    if (l.photometric == PHOTOMETRIC_CIELAB || l.photometric == PHOTOMETRIC_ICCLAB) return true;
    if (l.format == SAMPLEFORMAT_IEEEFP) return true;
    if (l.photometric == PHOTOMETRIC_SEPARATED && l.bits != 8) return true;
    return l.bits != 1 && l.bits != 2 && l.bits != 4 && l.bits != 8 && l.bits != 16;
}

// One raw sample of `bits` bits, most significant bit first, at sample position `index` of a row.
double SampleAt(const BYTE* row, size_t index, const Layout& l) {
    if (l.format == SAMPLEFORMAT_IEEEFP) {
        if (l.bits == 32) {
            float v;
            std::memcpy(&v, row + index * 4, 4);
            return v;
        }
        double v;
        std::memcpy(&v, row + index * 8, 8);
        return v;
    }
    const bool isSigned = l.format == SAMPLEFORMAT_INT;
    if (l.bits == 8) return isSigned ? static_cast<int8_t>(row[index]) : row[index];
    if (l.bits == 16) {
        uint16_t v;
        std::memcpy(&v, row + index * 2, 2);  // libtiff has put it in host order
        return isSigned ? static_cast<int16_t>(v) : v;
    }
    if (l.bits == 32) {
        uint32_t v;
        std::memcpy(&v, row + index * 4, 4);
        return isSigned ? static_cast<int32_t>(v) : v;
    }
    const uint64_t first = static_cast<uint64_t>(index) * l.bits;
    uint32_t v = 0;
    for (uint16_t b = 0; b < l.bits; ++b) {
        const uint64_t bit = first + b;
        v = v << 1 | ((row[bit / 8] >> (7 - bit % 8)) & 1);
    }
    if (isSigned && (v & (1u << (l.bits - 1)))) return static_cast<double>(v) - static_cast<double>(1ull << l.bits);
    return v;
}

// Raw samples of the whole first directory, pixel by pixel (samples of a pixel together), as
// stored: the first row is the first stored one.
const char* ReadRawSamples(TIFF* tif, const Layout& l, std::vector<double>& out) {
    if (l.bits == 0 || l.bits > 32 || (l.format == SAMPLEFORMAT_IEEEFP && l.bits != 32 && l.bits != 64) ||
        l.samples == 0 || l.samples > 8)
        return "TIFF: unsupported sample layout";
    const uint64_t values = static_cast<uint64_t>(l.width) * l.height * l.samples;
    if (values * sizeof(double) > pavix::GetMemoryLimit()) return "TIFF: picture too large";
    out.assign(static_cast<size_t>(values), 0.0);
    const bool separate = l.planar == PLANARCONFIG_SEPARATE && l.samples > 1;
    const uint16_t planes = separate ? l.samples : 1;
    const uint16_t perPlane = separate ? 1 : l.samples;
    Layout plane = l;
    plane.samples = perPlane;
    const bool tiled = TIFFIsTiled(tif) != 0;
    uint32_t blockWidth = l.width, blockHeight = 0;
    if (tiled) {
        TIFFGetField(tif, TIFFTAG_TILEWIDTH, &blockWidth);
        TIFFGetField(tif, TIFFTAG_TILELENGTH, &blockHeight);
    } else {
        TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &blockHeight);
        blockHeight = std::min(blockHeight, l.height);
    }
    if (blockWidth == 0 || blockHeight == 0) return "TIFF: broken strip or tile layout";
    const uint64_t rowBytes = (static_cast<uint64_t>(blockWidth) * perPlane * l.bits + 7) / 8;
    const tmsize_t blockSize = tiled ? TIFFTileSize(tif) : TIFFStripSize(tif);
    if (blockSize <= 0 || static_cast<uint64_t>(blockSize) < rowBytes * blockHeight ||
        static_cast<uint64_t>(blockSize) > pavix::GetMemoryLimit())
        return "TIFF: broken strip or tile layout";
    std::vector<BYTE> block(static_cast<size_t>(blockSize));
    for (uint16_t p = 0; p < planes; ++p) {
        for (uint32_t y0 = 0; y0 < l.height; y0 += blockHeight) {
            for (uint32_t x0 = 0; x0 < l.width; x0 += blockWidth) {
                const tmsize_t got =
                    tiled ? TIFFReadEncodedTile(tif, TIFFComputeTile(tif, x0, y0, 0, p), block.data(), blockSize)
                          : TIFFReadEncodedStrip(tif, TIFFComputeStrip(tif, y0, p), block.data(), blockSize);
                if (got < 0) return "TIFF: broken image data";
                const uint32_t rows = std::min(blockHeight, l.height - y0);
                const uint32_t cols = std::min(blockWidth, l.width - x0);
                for (uint32_t r = 0; r < rows; ++r) {
                    const BYTE* row = block.data() + rowBytes * r;
                    double* dst = &out[(static_cast<size_t>(y0 + r) * l.width + x0) * l.samples];
                    for (uint32_t c = 0; c < cols; ++c)
                        for (uint16_t s = 0; s < perPlane; ++s)
                            dst[static_cast<size_t>(c) * l.samples + p + s] =
                                SampleAt(row, static_cast<size_t>(c) * perPlane + s, plane);
                }
            }
        }
    }
    return nullptr;
}

BYTE ToByte(double v) {
    if (!(v > 0)) return 0;
    if (v >= 1) return 255;
    return static_cast<BYTE>(v * 255 + 0.5);
}

// CIE L*a*b* (relative to the D50 white, as TIFF stores it) to sRGB: to XYZ, Bradford-adapted to
// the D65 white of sRGB, then the sRGB matrix and transfer curve.
void LabToRgb(double L, double a, double b, BYTE rgb[3]) {
    auto finv = [](double t) { return t > 6.0 / 29 ? t * t * t : 3 * (6.0 / 29) * (6.0 / 29) * (t - 4.0 / 29); };
    const double fy = (L + 16) / 116;
    const double X50 = 0.96422 * finv(fy + a / 500), Y50 = finv(fy), Z50 = 0.82521 * finv(fy - b / 200);
    const double X = 0.9555766 * X50 - 0.0230393 * Y50 + 0.0631636 * Z50;
    const double Y = -0.0282895 * X50 + 1.0099416 * Y50 + 0.0210077 * Z50;
    const double Z = 0.0122982 * X50 - 0.0204830 * Y50 + 1.3299098 * Z50;
    const double linear[3] = {3.2404542 * X - 1.5371385 * Y - 0.4985314 * Z,
                              -0.9692660 * X + 1.8760108 * Y + 0.0415560 * Z,
                              0.0556434 * X - 0.2040259 * Y + 1.0572252 * Z};
    for (int i = 0; i < 3; ++i) {
        const double c = linear[i];
        rgb[i] = ToByte(c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055);
    }
}

// Turns the raw samples into top-down 8-bit B, G, R (and alpha) rows of `pixels`.
const char* SamplesToColour(const Layout& l, const std::vector<double>& raw, bool alpha, bool premultiplied,
                            std::vector<BYTE>& bgra) {
    const size_t count = static_cast<size_t>(l.width) * l.height;
    bgra.assign(count * 4, 255);
    const bool floating = l.format == SAMPLEFORMAT_IEEEFP;
    const double full = floating ? 1.0 : static_cast<double>((1ull << l.bits) - 1);
    auto unit = [&](double v) { return v / full; };
    for (size_t i = 0; i < count; ++i) {
        const double* s = &raw[i * l.samples];
        BYTE* d = &bgra[i * 4];
        uint16_t colours = 0;
        switch (l.photometric) {
            case PHOTOMETRIC_MINISBLACK:
            case PHOTOMETRIC_MINISWHITE: {
                double g = unit(s[0]);
                if (l.photometric == PHOTOMETRIC_MINISWHITE) g = 1 - g;
                d[0] = d[1] = d[2] = ToByte(g);
                colours = 1;
                break;
            }
            case PHOTOMETRIC_RGB:
                if (l.samples < 3) return "TIFF: RGB picture with fewer than three samples";
                d[2] = ToByte(unit(s[0]));
                d[1] = ToByte(unit(s[1]));
                d[0] = ToByte(unit(s[2]));
                colours = 3;
                break;
            case PHOTOMETRIC_SEPARATED: {
                if (l.inkset != INKSET_CMYK || l.samples < 4) return "TIFF: unsupported ink set";
                const double k = 1 - unit(s[3]);
                d[2] = ToByte((1 - unit(s[0])) * k);
                d[1] = ToByte((1 - unit(s[1])) * k);
                d[0] = ToByte((1 - unit(s[2])) * k);
                colours = 4;
                break;
            }
            case PHOTOMETRIC_CIELAB:
            case PHOTOMETRIC_ICCLAB: {
                // Integer L runs over the unsigned range; a and b are signed (CIELab) or offset by
                // half the range (ICCLab), in units of 1/256 for 16-bit samples. Floating-point
                // samples hold L, a and b themselves.
                double L = floating ? s[0] : unit(s[0]) * 100, a = 0, b = 0;
                if (l.samples >= 3 && floating) {
                    a = s[1];
                    b = s[2];
                } else if (l.samples >= 3) {
                    const double range = full + 1, scale = l.bits == 16 ? 256.0 : 1.0;
                    auto chroma = [&](double v) {
                        if (l.photometric == PHOTOMETRIC_ICCLAB) return (v - range / 2) / scale;
                        return (v >= range / 2 && l.format != SAMPLEFORMAT_INT ? v - range : v) / scale;
                    };
                    a = chroma(s[1]);
                    b = chroma(s[2]);
                }
                BYTE rgb[3];
                LabToRgb(L, a, b, rgb);
                d[0] = rgb[2];
                d[1] = rgb[1];
                d[2] = rgb[0];
                colours = l.samples >= 3 ? 3 : 1;
                break;
            }
            default:
                return "TIFF: unsupported photometric interpretation";
        }
        if (alpha && l.samples > colours) {
            const double a = unit(s[colours]);
            d[3] = ToByte(a);
            if (premultiplied && a > 0 && a < 1) {
                for (int c = 0; c < 3; ++c) d[c] = static_cast<BYTE>(std::min(255.0, d[c] / a + 0.5));
            }
        }
    }
    return nullptr;
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
    Layout l;
    uint16_t extra = 0, orientation = ORIENTATION_TOPLEFT;
    uint16_t* extraTypes = nullptr;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &l.format);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_INKSET, &l.inkset);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.photometric))
        l.photometric = l.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    bool alpha = TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extra, &extraTypes) && extra > 0;
    const bool premultiplied = alpha && extraTypes && extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
    if (!FitsMemoryLimit(l.width, l.height, 24) ||
        static_cast<std::uint64_t>(l.width) * l.height * 4 > pavix::GetMemoryLimit()) {
        TIFFClose(tif);
        SetLastError("TIFF: picture too large");
        return false;
    }
    // Pixels top-down as stored, B, G, R, A; the orientation is applied afterwards for all eight
    // values alike (libtiff's own handling leaves the transposed ones 5 to 8 transposed).
    std::vector<BYTE> bgra;
    const char* refused = nullptr;
    char text[1024] = {};
    if (NeedsOwnReader(l)) {
        std::vector<double> raw;
        refused = ReadRawSamples(tif, l, raw);
        if (!refused) refused = SamplesToColour(l, raw, alpha, premultiplied, bgra);
    } else {
        TIFFRGBAImage img;
        if (!TIFFRGBAImageOK(tif, text) || !TIFFRGBAImageBegin(&img, tif, 0, text)) {
            refused = text;
        } else {
            img.req_orientation = ORIENTATION_TOPLEFT;
            img.orientation = ORIENTATION_TOPLEFT;
            std::vector<uint32_t> raster(static_cast<size_t>(l.width) * l.height);
            if (!TIFFRGBAImageGet(&img, raster.data(), l.width, l.height)) {
                refused = "TIFF: broken image data";
            } else {
                bgra.resize(raster.size() * 4);
                for (size_t i = 0; i < raster.size(); ++i) {
                    bgra[4 * i] = static_cast<BYTE>(TIFFGetB(raster[i]));
                    bgra[4 * i + 1] = static_cast<BYTE>(TIFFGetG(raster[i]));
                    bgra[4 * i + 2] = static_cast<BYTE>(TIFFGetR(raster[i]));
                    bgra[4 * i + 3] = static_cast<BYTE>(TIFFGetA(raster[i]));
                }
            }
            TIFFRGBAImageEnd(&img);
        }
    }
    float xres = 0, yres = 0;
    uint16_t unit = 0;
    bool hasRes = TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xres) && TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yres);
    TIFFGetFieldDefaulted(tif, TIFFTAG_RESOLUTIONUNIT, &unit);
    TIFFClose(tif);
    if (refused) {
        std::string message = refused;
        if (message.rfind("TIFF: ", 0) != 0) message = "TIFF: " + message;
        SetLastError(message.c_str());
        return false;
    }
    const uint32_t width = l.width, height = l.height;
    if (!Create(width, height, 24, CXIMAGE_FORMAT_TIF)) return false;
    if (alpha) AlphaCreate();
    for (uint32_t y = 0; y < height; ++y) {
        const BYTE* src = &bgra[static_cast<size_t>(y) * width * 4];
        BYTE* dst = GetBits(height - 1 - y);
        BYTE* a = alpha ? AlphaGetPointer(0, height - 1 - y) : nullptr;
        for (uint32_t x = 0; x < width; ++x, src += 4) {
            dst[3 * x] = src[0];
            dst[3 * x + 1] = src[1];
            dst[3 * x + 2] = src[2];
            if (a) a[x] = src[3];
        }
    }
    if (!pavix::ApplyOrientation(*this, orientation)) {
        Destroy();
        SetLastError("TIFF: picture too large to turn upright");
        return false;
    }
    if (hasRes && xres > 0 && yres > 0 && xres < 100000 && yres < 100000) {
        float scale = unit == RESUNIT_CENTIMETER ? 2.54f : 1.0f;
        SetXDPI(static_cast<long>(xres * scale + 0.5f));
        SetYDPI(static_cast<long>(yres * scale + 0.5f));
    }
    return true;
}

bool CxImageTIF::ReadSize(CxFile* hFile, long& width, long& height, std::string& error) {
    width = height = 0;
    if (!hFile) {
        error = "TIFF: unreadable file";
        return false;
    }
    // Only the first directory is read, straight from the file.
    TIFFOpenOptions* opts = QuietOptions();
    TIFF* tif = TIFFClientOpenExt("file", "rm", hFile, FileRead, FileWrite, FileSeek, FileClose, FileSize, NoMap,
                                  NoUnmap, opts);
    TIFFOpenOptionsFree(opts);
    if (!tif) {
        error = "TIFF: broken header";
        return false;
    }
    uint32_t w = 0, h = 0;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    TIFFClose(tif);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) {
        error = "TIFF: width or height out of range";
        return false;
    }
    width = static_cast<long>(pavix::SwapsSides(orientation) ? h : w);
    height = static_cast<long>(pavix::SwapsSides(orientation) ? w : h);
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
