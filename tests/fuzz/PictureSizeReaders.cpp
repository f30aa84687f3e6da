// The readers added for pictures made by other programs: EXIF orientation in JPEG, the TIFF
// layouts read sample by sample, and the header-only size queries of the catalogue scan.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>
#include <string>

#include "imaging/AniGIF.h"
#include "imaging/extImage.h"
#include "platform/pavix/ximage.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

using fuzz::Bytes;

void Put16(Bytes& v, unsigned x) {
    v.push_back(static_cast<std::uint8_t>(x));
    v.push_back(static_cast<std::uint8_t>(x >> 8));
}

Bytes EncodedPattern(DWORD type, DWORD w, DWORD h) {
    CxImage p(w, h, 24);
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x)
            p.SetPixelColor(x, y, RGBQUAD{static_cast<BYTE>(x * 20), static_cast<BYTE>(y * 30), 77, 0});
    BYTE* data = nullptr;
    long size = 0;
    EXPECT_TRUE(p.Encode(data, size, type));
    Bytes out(data, data + size);
    CxImage::FreeMemory(data);
    return out;
}

// A JPEG with an EXIF segment (little-endian, orientation 6) right after its start marker.
Bytes JpegWithExif() {
    Bytes jpeg = EncodedPattern(CXIMAGE_FORMAT_JPG, 11, 6);
    const Bytes exif = {0xFF, 0xE1, 0,    34,   'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                        1,    0,    0x12, 0x01, 3,   0,   1,   0,   0, 0, 6,   0,   0,  0, 0, 0, 0, 0};
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    return jpeg;
}

// A small TIFF written by libtiff into a temporary file, read back as bytes.
Bytes Tiff(uint16_t samples, uint16_t bits, uint16_t format, uint16_t photometric, uint16_t orientation,
           const Bytes& pixels, uint32_t width, uint32_t height) {
    const std::string path = ::testing::TempDir() + "fuzz-size-sample.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) return {};
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, format);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
    const size_t row = pixels.size() / height;
    for (uint32_t y = 0; y < height; ++y) TIFFWriteScanline(tif, const_cast<std::uint8_t*>(&pixels[y * row]), y, 0);
    TIFFClose(tif);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    Bytes out;
    for (int c; f && (c = std::fgetc(f)) != EOF;) out.push_back(static_cast<std::uint8_t>(c));
    if (f) std::fclose(f);
    std::remove(path.c_str());
    return out;
}

std::vector<Bytes> OddTiffSamples() {
    Bytes cmyk;
    for (int i = 0; i < 8; ++i) Put16(cmyk, static_cast<unsigned>(i * 8000));
    Bytes floats;
    for (float v : {0.1f, 0.9f, 0.5f, 1.5f, -0.5f, 0.0f}) {
        std::uint8_t b[4];
        std::memcpy(b, &v, 4);
        floats.insert(floats.end(), b, b + 4);
    }
    return {Tiff(1, 12, SAMPLEFORMAT_UINT, PHOTOMETRIC_MINISBLACK, 1, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, 2, 2),
            Tiff(3, 32, SAMPLEFORMAT_IEEEFP, PHOTOMETRIC_RGB, 6, floats, 2, 1),
            Tiff(3, 8, SAMPLEFORMAT_UINT, PHOTOMETRIC_CIELAB, 7, {200, 10, 246, 50, 128, 127}, 1, 2),
            Tiff(4, 16, SAMPLEFORMAT_UINT, PHOTOMETRIC_SEPARATED, 5, cmyk, 2, 1)};
}

std::vector<Bytes> SizeSamples() {
    std::vector<Bytes> all = OddTiffSamples();
    all.push_back(JpegWithExif());
    for (DWORD type : {CXIMAGE_FORMAT_BMP, CXIMAGE_FORMAT_PNG, CXIMAGE_FORMAT_GIF, CXIMAGE_FORMAT_TIF})
        all.push_back(EncodedPattern(type, 7, 5));
    // A GIF whose logical screen is 0 x 0: the size comes from its image descriptors.
    Bytes zero = EncodedPattern(CXIMAGE_FORMAT_GIF, 7, 5);
    zero[6] = zero[7] = zero[8] = zero[9] = 0;
    all.push_back(zero);
    return all;
}

// Every size query must stay within the file and agree with a sound answer's range.
bool ReadSizes(const std::uint8_t* d, size_t n) {
    const std::string path = fuzz::TempFile(Bytes(d, d + n));
    long w = 0, h = 0;
    std::string error;
    const bool sized = CxImage::ReadSize(path.c_str(), CXIMAGE_FORMAT_UNKNOWN, w, h, error);
    if (sized) {
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
    } else {
        EXPECT_FALSE(error.empty());
    }
    CSize screen;
    CAniGIF::ReadScreenSize(path.c_str(), screen, error);
    for (unsigned long type : {20ul, 21ul}) {
        CSize size;
        CString why;
        extImage::ReadPictureSize(path, type, size, why);
    }
    return sized;
}

bool ReadTiff(const std::uint8_t* d, size_t n) {
    CxImage p(d, static_cast<DWORD>(n), CXIMAGE_FORMAT_TIF);
    if (!p.IsValid()) return false;
    const BYTE* bits = p.GetBits(0);
    unsigned sum = 0;
    for (DWORD i = 0; i < p.GetImageSize(); ++i) sum += bits[i];
    return sum != 0xFFFFFFFFu || true;
}

bool ReadJpeg(const std::uint8_t* d, size_t n) {
    CxImage p(d, static_cast<DWORD>(n), CXIMAGE_FORMAT_JPG);
    return p.IsValid() && p.GetBits(0) != nullptr;
}

const bool registered = fuzz::Register({"tiff-samples", OddTiffSamples, ReadTiff}) &&
                        fuzz::Register({"jpeg-exif", [] { return std::vector<Bytes>{JpegWithExif()}; }, ReadJpeg}) &&
                        fuzz::Register({"picture-size", SizeSamples, ReadSizes});

}  // namespace
