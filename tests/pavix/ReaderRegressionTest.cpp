// Pictures made by other programs that the readers once got wrong: turned photos, TIFF colour
// spaces and depths, grey Targa with alpha, and hostile BMP headers, each with its exact result or
// its exact error text.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/pavix/ximaexif.h"
#include "platform/pavix/ximage.h"
#include "platform/pavix/xmemfile.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

// ---- JPEG with an EXIF orientation ----------------------------------------------------------------

// The four corner colours of a picture as shown, named by the nearest of red, green, blue, white.
std::string Corners(const CxImage& p) {
    auto name = [&](long x, long y) {
        const RGBQUAD c = p.GetPixelColor(x, y, false);
        if (c.rgbRed > 200 && c.rgbGreen > 200 && c.rgbBlue > 200) return 'W';
        if (c.rgbRed > 200) return 'R';
        if (c.rgbGreen > 200) return 'G';
        if (c.rgbBlue > 200) return 'B';
        return '?';
    };
    const long right = static_cast<long>(p.GetWidth()) - 1, top = static_cast<long>(p.GetHeight()) - 1;
    // Top-left, top-right, bottom-left, bottom-right (library row 0 is the bottom).
    return {name(0, top), name(right, top), name(0, 0), name(right, 0)};
}

// A 32 x 16 picture stored with red, green, blue and white quarters (top-left, top-right,
// bottom-left, bottom-right).
CxImage Quarters() {
    CxImage p(32, 16, 24);
    for (long y = 0; y < 16; ++y)
        for (long x = 0; x < 32; ++x) {
            const bool top = y >= 8, left = x < 16;
            RGBQUAD c = top ? (left ? RGBQUAD{0, 0, 255, 0} : RGBQUAD{0, 255, 0, 0})
                            : (left ? RGBQUAD{255, 0, 0, 0} : RGBQUAD{255, 255, 255, 0});
            p.SetPixelColor(x, y, c);
        }
    return p;
}

std::vector<BYTE> ExifSegment(int orientation, bool bigEndian) {
    std::vector<BYTE> tiff;
    auto put16 = [&](unsigned v) {
        if (bigEndian) {
            tiff.push_back(static_cast<BYTE>(v >> 8));
            tiff.push_back(static_cast<BYTE>(v));
        } else {
            Put16(tiff, v);
        }
    };
    auto put32 = [&](unsigned v) {
        if (bigEndian) {
            put16(v >> 16);
            put16(v & 0xFFFF);
        } else {
            Put32(tiff, v);
        }
    };
    tiff.push_back(bigEndian ? 'M' : 'I');
    tiff.push_back(bigEndian ? 'M' : 'I');
    put16(42);
    put32(8);
    put16(2);  // two entries: a resolution unit before the orientation
    put16(0x0128);
    put16(3);
    put32(1);
    put16(2);
    put16(0);
    put16(0x0112);
    put16(3);
    put32(1);
    put16(static_cast<unsigned>(orientation));
    put16(0);
    put32(0);
    std::vector<BYTE> payload = {'E', 'x', 'i', 'f', 0, 0};
    payload.insert(payload.end(), tiff.begin(), tiff.end());
    std::vector<BYTE> segment = {0xFF, 0xE1, static_cast<BYTE>((payload.size() + 2) >> 8),
                                 static_cast<BYTE>((payload.size() + 2) & 0xFF)};
    segment.insert(segment.end(), payload.begin(), payload.end());
    return segment;
}

std::vector<BYTE> JpegWithOrientation(int orientation, bool bigEndian = true) {
    CxImage p = Quarters();
    BYTE* data = nullptr;
    long size = 0;
    EXPECT_TRUE(p.Encode(data, size, CXIMAGE_FORMAT_JPG));
    std::vector<BYTE> file(data, data + size);
    CxImage::FreeMemory(data);
    const std::vector<BYTE> exif = ExifSegment(orientation, bigEndian);
    file.insert(file.begin() + 2, exif.begin(), exif.end());
    return file;
}

TEST(JpegOrientation, EveryExifOrientationShowsThePictureUpright) {
    // Corners as shown (top-left, top-right, bottom-left, bottom-right) for orientations 1 to 8.
    const char* expected[9] = {"", "RGBW", "GRWB", "WBGR", "BWRG", "RBGW", "BRWG", "WGBR", "GWRB"};
    TempDir dir;
    for (int o = 1; o <= 8; ++o) {
        const std::vector<BYTE> file = JpegWithOrientation(o, o % 2 == 0);
        CxImage p(file.data(), static_cast<DWORD>(file.size()), CXIMAGE_FORMAT_JPG);
        ASSERT_TRUE(p.IsValid()) << o;
        EXPECT_EQ(p.GetWidth(), o >= 5 ? 16u : 32u) << o;
        EXPECT_EQ(p.GetHeight(), o >= 5 ? 32u : 16u) << o;
        EXPECT_EQ(Corners(p), expected[o]) << "orientation " << o;

        // The header-only size agrees with the decoded one.
        const std::string path = dir.File("o" + std::to_string(o) + ".jpg");
        WriteBytes(path, file);
        long w = 0, h = 0;
        std::string error;
        ASSERT_TRUE(CxImage::ReadSize(path.c_str(), CXIMAGE_FORMAT_JPG, w, h, error)) << error;
        EXPECT_EQ(w, static_cast<long>(p.GetWidth())) << o;
        EXPECT_EQ(h, static_cast<long>(p.GetHeight())) << o;
    }
}

TEST(JpegOrientation, BrokenOrMissingExifLeavesThePictureAsStored) {
    EXPECT_EQ(pavix::ExifOrientation(nullptr, 0), 1);
    std::vector<BYTE> exif = ExifSegment(6, false);
    const std::vector<BYTE> payload(exif.begin() + 4, exif.end());
    EXPECT_EQ(pavix::ExifOrientation(payload.data(), payload.size()), 6);
    // Cut inside the entries, a directory offset past the end, a value outside 1..8.
    EXPECT_EQ(pavix::ExifOrientation(payload.data(), payload.size() - 12), 1);
    std::vector<BYTE> far = payload;
    far[10] = 0xFF;
    EXPECT_EQ(pavix::ExifOrientation(far.data(), far.size()), 1);
    std::vector<BYTE> odd = payload;
    odd[6 + 8 + 2 + 12 + 8] = 9;
    EXPECT_EQ(pavix::ExifOrientation(odd.data(), odd.size()), 1);
    // The walk over the file's segments finds it, and stops at a length past the end.
    const std::vector<BYTE> file = JpegWithOrientation(8, false);
    EXPECT_EQ(pavix::JpegOrientation(file.data(), file.size()), 8);
    std::vector<BYTE> cut(file.begin(), file.begin() + 10);
    EXPECT_EQ(pavix::JpegOrientation(cut.data(), cut.size()), 1);
}

// ---- TIFF -----------------------------------------------------------------------------------------

struct TiffLayout {
    uint32_t width = 3;
    uint32_t height = 2;
    uint16_t samples = 3;
    uint16_t bits = 8;
    uint16_t format = SAMPLEFORMAT_UINT;
    uint16_t photometric = PHOTOMETRIC_RGB;
    uint16_t orientation = ORIENTATION_TOPLEFT;
};

// Writes a TIFF whose rows are the given bytes (already packed at the layout's sample depth).
void WriteTiff(const std::string& path, const TiffLayout& s, const std::vector<std::vector<BYTE>>& rows) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samples);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, s.format);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, s.orientation);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
    if (s.photometric == PHOTOMETRIC_SEPARATED) TIFFSetField(tif, TIFFTAG_INKSET, INKSET_CMYK);
    for (uint32_t y = 0; y < s.height; ++y) {
        std::vector<BYTE> row = rows[y];
        ASSERT_GE(TIFFWriteScanline(tif, row.data(), y, 0), 0);
    }
    TIFFClose(tif);
}

CxImage LoadTiff(const std::string& path) {
    return CxImage(path.c_str(), CXIMAGE_FORMAT_TIF);
}

std::string Rgb(const CxImage& p, long x, long pictureRow) {
    const RGBQUAD c = p.GetPixelColor(x, static_cast<long>(p.GetHeight()) - 1 - pictureRow, false);
    return std::to_string(c.rgbRed) + "," + std::to_string(c.rgbGreen) + "," + std::to_string(c.rgbBlue);
}

TEST(TiffReader, TransposedOrientationsSwapTheSides) {
    // Stored 3 x 2: top row red, green, blue; bottom row white, black, grey.
    const std::vector<std::vector<BYTE>> rows = {{255, 0, 0, 0, 255, 0, 0, 0, 255}, {255, 255, 255, 0, 0, 0, 9, 9, 9}};
    TempDir dir;
    // Shown top-left and shown bottom-right pixel per orientation.
    struct Case {
        uint16_t orientation;
        const char* topLeft;
        const char* bottomRight;
    } cases[] = {{5, "255,0,0", "9,9,9"},       {6, "255,255,255", "0,0,255"}, {7, "9,9,9", "255,0,0"},
                 {8, "0,0,255", "255,255,255"}, {2, "0,0,255", "255,255,255"}, {4, "255,255,255", "0,0,255"}};
    for (const Case& c : cases) {
        TiffLayout s;
        s.orientation = c.orientation;
        const std::string path = dir.File("o" + std::to_string(c.orientation) + ".tif");
        WriteTiff(path, s, rows);
        CxImage p = LoadTiff(path);
        ASSERT_TRUE(p.IsValid()) << p.GetLastError();
        const bool swapped = c.orientation >= 5;
        EXPECT_EQ(p.GetWidth(), swapped ? 2u : 3u) << c.orientation;
        EXPECT_EQ(p.GetHeight(), swapped ? 3u : 2u) << c.orientation;
        EXPECT_EQ(Rgb(p, 0, 0), c.topLeft) << c.orientation;
        EXPECT_EQ(Rgb(p, static_cast<long>(p.GetWidth()) - 1, static_cast<long>(p.GetHeight()) - 1), c.bottomRight)
            << c.orientation;
        long w = 0, h = 0;
        std::string error;
        ASSERT_TRUE(CxImage::ReadSize(path.c_str(), CXIMAGE_FORMAT_TIF, w, h, error));
        EXPECT_EQ(w, static_cast<long>(p.GetWidth()));
        EXPECT_EQ(h, static_cast<long>(p.GetHeight()));
    }
}

TEST(TiffReader, CieLabComesOutAsSrgbWithoutACast) {
    TempDir dir;
    TiffLayout s;
    s.width = 4;
    s.height = 1;
    s.photometric = PHOTOMETRIC_CIELAB;
    // White, black, L* 50.2 grey, and the D50 L*a*b* of sRGB red (a and b are signed bytes).
    WriteTiff(dir.File("lab.tif"), s, {{255, 0, 0, 0, 0, 0, 128, 0, 0, 138, 81, 70}});
    CxImage p = LoadTiff(dir.File("lab.tif"));
    ASSERT_TRUE(p.IsValid()) << p.GetLastError();
    EXPECT_EQ(Rgb(p, 0, 0), "255,255,255");
    EXPECT_EQ(Rgb(p, 1, 0), "0,0,0");
    EXPECT_EQ(Rgb(p, 2, 0), "119,119,119");
    const RGBQUAD red = p.GetPixelColor(3, 0, false);
    EXPECT_GE(red.rgbRed, 253);
    EXPECT_LE(red.rgbGreen, 2);
    EXPECT_LE(red.rgbBlue, 2);

    // 16-bit L*a*b*: a and b in 1/256 units; negative b (-20 * 256) makes white-ish blue.
    s.width = 2;
    s.bits = 16;
    std::vector<BYTE> row;
    for (unsigned v : {65535u, 0u, 0u, 65535u, 0u, static_cast<unsigned>(65536 - 20 * 256)}) Put16(row, v);
    WriteTiff(dir.File("lab16.tif"), s, {row});
    CxImage q = LoadTiff(dir.File("lab16.tif"));
    ASSERT_TRUE(q.IsValid()) << q.GetLastError();
    EXPECT_EQ(Rgb(q, 0, 0), "255,255,255");
    const RGBQUAD bluish = q.GetPixelColor(1, 0, false);
    EXPECT_GT(bluish.rgbBlue, 250);
    EXPECT_LT(bluish.rgbRed, 245);
}

TEST(TiffReader, TwelveBitFloatAndSixteenBitCmykAreScaledToEightBits) {
    TempDir dir;
    // 12-bit grey, three pixels packed most significant bit first: 0, 4095, 2048.
    TiffLayout grey;
    grey.samples = 1;
    grey.bits = 12;
    grey.photometric = PHOTOMETRIC_MINISBLACK;
    grey.height = 1;
    WriteTiff(dir.File("g12.tif"), grey, {{0x00, 0x0F, 0xFF, 0x80, 0x00}});
    CxImage g = LoadTiff(dir.File("g12.tif"));
    ASSERT_TRUE(g.IsValid()) << g.GetLastError();
    EXPECT_EQ(Rgb(g, 0, 0), "0,0,0");
    EXPECT_EQ(Rgb(g, 1, 0), "255,255,255");
    EXPECT_EQ(Rgb(g, 2, 0), "128,128,128");

    // 32-bit floating-point RGB: 0..1, clamped outside.
    TiffLayout fl;
    fl.bits = 32;
    fl.format = SAMPLEFORMAT_IEEEFP;
    fl.height = 1;
    fl.width = 2;
    std::vector<BYTE> row;
    for (float v : {1.0f, 0.5f, 0.0f, 2.0f, -1.0f, 0.25f}) {
        BYTE b[4];
        std::memcpy(b, &v, 4);
        row.insert(row.end(), b, b + 4);
    }
    WriteTiff(dir.File("f32.tif"), fl, {row});
    CxImage f = LoadTiff(dir.File("f32.tif"));
    ASSERT_TRUE(f.IsValid()) << f.GetLastError();
    EXPECT_EQ(Rgb(f, 0, 0), "255,128,0");
    EXPECT_EQ(Rgb(f, 1, 0), "255,0,64");

    // 16-bit CMYK: full cyan, full black, no ink.
    TiffLayout cmyk;
    cmyk.samples = 4;
    cmyk.bits = 16;
    cmyk.photometric = PHOTOMETRIC_SEPARATED;
    cmyk.height = 1;
    row.clear();
    for (unsigned v : {65535u, 0u, 0u, 0u, 0u, 0u, 0u, 65535u, 0u, 0u, 0u, 0u}) Put16(row, v);
    WriteTiff(dir.File("cmyk16.tif"), cmyk, {row});
    CxImage c = LoadTiff(dir.File("cmyk16.tif"));
    ASSERT_TRUE(c.IsValid()) << c.GetLastError();
    EXPECT_EQ(Rgb(c, 0, 0), "0,255,255");
    EXPECT_EQ(Rgb(c, 1, 0), "0,0,0");
    EXPECT_EQ(Rgb(c, 2, 0), "255,255,255");
}

// ---- TGA ------------------------------------------------------------------------------------------

std::vector<BYTE> TgaHeader(int type, int w, int h, int bpp, int descriptor) {
    std::vector<BYTE> f = {0, 0, static_cast<BYTE>(type)};
    Put16(f, 0);
    Put16(f, 0);
    f.push_back(0);
    Put16(f, 0);
    Put16(f, 0);
    Put16(f, static_cast<unsigned>(w));
    Put16(f, static_cast<unsigned>(h));
    f.push_back(static_cast<BYTE>(bpp));
    f.push_back(static_cast<BYTE>(descriptor));
    return f;
}

TEST(TargaReader, SixteenBitGreyWithAlphaRawAndRunLengthBothOrigins) {
    // 2 x 2, grey then alpha per pixel. Bottom-up raw: the first stored row is the bottom.
    std::vector<BYTE> raw = TgaHeader(3, 2, 2, 16, 0x08);
    raw.insert(raw.end(), {10, 20, 30, 40, 50, 60, 70, 80});
    CxImage up(raw.data(), static_cast<DWORD>(raw.size()), CXIMAGE_FORMAT_TGA);
    ASSERT_TRUE(up.IsValid()) << up.GetLastError();
    EXPECT_EQ(up.GetPixelColor(0, 0, false).rgbRed, 10);
    EXPECT_EQ(up.AlphaGet(0, 0), 20);
    EXPECT_EQ(up.GetPixelColor(1, 1, false).rgbGreen, 70);
    EXPECT_EQ(up.AlphaGet(1, 1), 80);

    // Top-down run-length: a run of two (90, 255) and two raw pixels.
    std::vector<BYTE> rle = TgaHeader(11, 2, 2, 16, 0x28);
    rle.insert(rle.end(), {0x81, 90, 255, 0x01, 5, 6, 7, 8});
    CxImage down(rle.data(), static_cast<DWORD>(rle.size()), CXIMAGE_FORMAT_TGA);
    ASSERT_TRUE(down.IsValid()) << down.GetLastError();
    EXPECT_EQ(down.GetPixelColor(1, 1, false).rgbBlue, 90);  // top row
    EXPECT_EQ(down.AlphaGet(1, 1), 255);
    EXPECT_EQ(down.GetPixelColor(1, 0, false).rgbRed, 7);
    EXPECT_EQ(down.AlphaGet(1, 0), 8);
    rle.pop_back();
    CxImage cut(rle.data(), static_cast<DWORD>(rle.size()), CXIMAGE_FORMAT_TGA);
    EXPECT_FALSE(cut.IsValid());
    EXPECT_STREQ(cut.GetLastError(), "TGA: broken run-length data");
}

// ---- BMP ------------------------------------------------------------------------------------------

std::vector<BYTE> Bmp(int w, int h, int bpp, unsigned compression, unsigned colours, unsigned dataAt,
                      size_t paletteEntries, const std::vector<BYTE>& pixels) {
    std::vector<BYTE> f = {'B', 'M'};
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, dataAt);
    Put32(f, 40);
    Put32(f, static_cast<unsigned>(w));
    Put32(f, static_cast<unsigned>(h));
    Put16(f, 1);
    Put16(f, static_cast<unsigned>(bpp));
    Put32(f, compression);
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, colours);
    Put32(f, 0);
    for (size_t i = 0; i < paletteEntries; ++i) Put32(f, 0x00FFFFFFu);  // white
    f.resize(std::max<size_t>(f.size(), dataAt), 0);
    f.insert(f.end(), pixels.begin(), pixels.end());
    return f;
}

std::string DecodeError(const std::vector<BYTE>& f) {
    CxImage p(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    if (p.IsValid()) return "read";
    return p.GetLastError();
}

TEST(BmpReader, HostileFilesAreRefusedWithTheirOwnReason) {
    const std::vector<BYTE> row = {1, 1, 0, 0};
    // Pixels inside the header, inside a declared palette, or where not one palette entry fits.
    EXPECT_EQ(DecodeError(Bmp(2, 1, 8, 0, 0, 20, 0, row)), "BMP: the pixel data offset points into the header");
    EXPECT_EQ(DecodeError(Bmp(2, 1, 8, 0, 4, 54 + 8, 4, row)), "BMP: the pixel data offset points into the palette");
    EXPECT_EQ(DecodeError(Bmp(2, 1, 8, 0, 0, 54, 0, row)), "BMP: the pixel data offset points into the palette");
    // A palette shorter than the depth allows, ending where the pixels begin, is a real variant.
    const std::vector<BYTE> shortPalette = Bmp(2, 1, 8, 0, 0, 54 + 8, 2, row);
    CxImage ok(shortPalette.data(), static_cast<DWORD>(shortPalette.size()), CXIMAGE_FORMAT_BMP);
    ASSERT_TRUE(ok.IsValid());
    EXPECT_EQ(ok.GetPixelColor(0, 0, false).rgbRed, 255);

    EXPECT_EQ(DecodeError(Bmp(2, 1, 24, 9, 0, 54, 0, {0, 0, 0, 0, 0, 0, 0, 0})), "BMP: unknown compression 9");
    EXPECT_EQ(DecodeError(Bmp(2, 1, 24, 1, 0, 54, 0, {0, 0, 0, 0, 0, 0, 0, 0})),
              "BMP: compression 1 does not fit 24 bits per pixel");
    EXPECT_EQ(DecodeError(Bmp(3, 3, 24, 0, 0, 54, 0, std::vector<BYTE>(30, 7))),
              "BMP: pixel data cut short (30 of 33 bytes)");
    // Run-length data of four bytes cannot fill a million pixels: refused before allocating.
    EXPECT_EQ(DecodeError(Bmp(1000, 1000, 8, 1, 1, 58, 1, {2, 0, 0, 1})),
              "BMP: run-length data too short for the picture size");
    EXPECT_EQ(DecodeError(Bmp(4, 1, 8, 1, 1, 58, 1, {2, 0})), "BMP: run-length data cut short");
    std::vector<BYTE> notBmp = {'B', 'X', 0, 0};
    EXPECT_EQ(DecodeError(notBmp), "BMP: not a bitmap file");
}

TEST(BmpReader, LoadingAFileReportsTheReadersReasonAndForgetsAnEarlierOne) {
    TempDir dir;
    WriteBytes(dir.File("cut.bmp"), Bmp(3, 3, 24, 0, 0, 54, 0, std::vector<BYTE>(30, 7)));
    CxImage p;
    EXPECT_FALSE(p.Load(dir.File("cut.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(p.GetLastError(), "BMP: pixel data cut short (30 of 33 bytes)");
    WriteBytes(dir.File("good.bmp"), Bmp(1, 1, 24, 0, 0, 54, 0, {1, 2, 3, 0}));
    EXPECT_TRUE(p.Load(dir.File("good.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    EXPECT_STREQ(p.GetLastError(), "");
    // The header-only size goes through the same check.
    long w = 0, h = 0;
    std::string error;
    // A header cannot know that pixels are missing; the size is what the header says.
    ASSERT_TRUE(CxImage::ReadSize(dir.File("cut.bmp").c_str(), CXIMAGE_FORMAT_BMP, w, h, error));
    EXPECT_EQ(w, 3);
    WriteBytes(dir.File("hdr.bmp"), Bmp(2, 1, 8, 0, 0, 20, 0, {1, 1, 0, 0}));
    EXPECT_FALSE(CxImage::ReadSize(dir.File("hdr.bmp").c_str(), CXIMAGE_FORMAT_BMP, w, h, error));
    EXPECT_EQ(error, "BMP: the pixel data offset points into the header");
    ASSERT_TRUE(CxImage::ReadSize(dir.File("good.bmp").c_str(), CXIMAGE_FORMAT_BMP, w, h, error));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
}

}  // namespace
