// The icon, Targa, PCX and wireless bitmap writers: exact round trips through our readers, the
// files ImageMagick reads back to the same pixels, and the limits each format sets.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/pavix/ximage.h"
#include "tests/pavix/PictureTestUtil.h"
#include "tests/support/ToolRunner.h"

using namespace picturetest;

namespace {

constexpr DWORD kWriters[] = {CXIMAGE_FORMAT_ICO, CXIMAGE_FORMAT_TGA, CXIMAGE_FORMAT_PCX};

using picturetest::patterns::IndexedPattern;
using picturetest::patterns::Pattern;

// Black and white in a pattern, as a 1-bit picture with a black-then-white palette.
CxImage BlackAndWhite(DWORD w, DWORD h) {
    CxImage p(w, h, 1);
    p.SetPaletteColor(0, 0, 0, 0);
    p.SetPaletteColor(1, 255, 255, 255);
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x) p.SetPixelIndex(x, y, static_cast<BYTE>((x * x + y) % 3 == 0));
    return p;
}

std::vector<BYTE> EncodeBytes(CxImage& p, DWORD type) {
    BYTE* buffer = nullptr;
    long size = 0;
    if (!p.Encode(buffer, size, type)) return {};
    std::vector<BYTE> bytes(buffer, buffer + size);
    CxImage::FreeMemory(buffer);
    return bytes;
}

CxImage RoundTrip(CxImage& p, DWORD type) {
    std::vector<BYTE> bytes = EncodeBytes(p, type);
    EXPECT_FALSE(bytes.empty()) << "type " << type;
    return CxImage(bytes.data(), static_cast<DWORD>(bytes.size()), type);
}

::testing::AssertionResult SameAlpha(const CxImage& a, const CxImage& b) {
    for (long y = 0; y < static_cast<long>(a.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(a.GetWidth()); ++x)
            if (a.AlphaGet(x, y) != b.AlphaGet(x, y))
                return ::testing::AssertionFailure() << "alpha at (" << x << ", " << y << "): " << int(a.AlphaGet(x, y))
                                                     << " vs " << int(b.AlphaGet(x, y));
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(NewWriters, TrueColourRoundTripsExactlyAtOddAndPrimeSizes) {
    for (DWORD type : kWriters) {
        for (auto [w, h] : {std::pair{1u, 1u}, {3u, 5u}, {7u, 2u}, {13u, 11u}, {131u, 3u}}) {
            CxImage p = Pattern(w, h);
            CxImage back = RoundTrip(p, type);
            ASSERT_TRUE(back.IsValid()) << type << " " << w << "x" << h << ": " << back.GetLastError();
            EXPECT_EQ(back.GetBpp(), 24) << type;
            EXPECT_EQ(back.GetType(), type);
            EXPECT_TRUE(SamePixels(p, back)) << type << " " << w << "x" << h;
        }
    }
}

TEST(NewWriters, IndexedPicturesKeepEveryColour) {
    for (DWORD type : kWriters) {
        for (DWORD bpp : {1u, 4u, 8u}) {
            CxImage p = IndexedPattern(11, 7, bpp);
            CxImage back = RoundTrip(p, type);
            ASSERT_TRUE(back.IsValid()) << type << " " << bpp;
            EXPECT_TRUE(back.IsIndexed()) << type << " " << bpp;
            EXPECT_TRUE(SamePixels(p, back)) << type << " bpp " << bpp;
        }
    }
    // An icon keeps the depth; a grey picture stays grey in a Targa file (type 3, no colour map).
    CxImage four = IndexedPattern(5, 5, 4);
    EXPECT_EQ(RoundTrip(four, CXIMAGE_FORMAT_ICO).GetBpp(), 4);
    CxImage grey(9, 4, 8);
    grey.SetGrayPalette();
    for (long x = 0; x < 9; ++x) grey.SetPixelIndex(x, 1, static_cast<BYTE>(x * 30));
    std::vector<BYTE> tga = EncodeBytes(grey, CXIMAGE_FORMAT_TGA);
    ASSERT_GE(tga.size(), 18u);
    EXPECT_EQ(tga[1], 0);  // no colour map
    EXPECT_EQ(tga[2], 3);
    EXPECT_EQ(tga[17], 0x20);  // top row first
    EXPECT_EQ(tga.size(), 18u + 9 * 4);
    CxImage back(tga.data(), static_cast<DWORD>(tga.size()), CXIMAGE_FORMAT_TGA);
    EXPECT_TRUE(back.IsGrayScale());
    EXPECT_TRUE(SamePixels(grey, back));
}

TEST(NewWriters, AlphaAndTransparentIndexSurviveIconAndTarga) {
    CxImage p = Pattern(6, 5);
    ASSERT_TRUE(p.AlphaCreate());
    for (long y = 0; y < 5; ++y)
        for (long x = 0; x < 6; ++x) p.AlphaSet(x, y, static_cast<BYTE>((x + y) % 3 == 0 ? 0 : 40 * x + y));
    for (DWORD type : {CXIMAGE_FORMAT_ICO, CXIMAGE_FORMAT_TGA}) {
        CxImage back = RoundTrip(p, type);
        ASSERT_TRUE(back.AlphaIsValid()) << type;
        EXPECT_TRUE(SamePixels(p, back)) << type;
        EXPECT_TRUE(SameAlpha(p, back)) << type;
    }
    // An indexed icon hides its transparent index through the mask.
    CxImage idx = IndexedPattern(7, 3, 8);
    idx.SetTransIndex(idx.GetPixelIndex(2, 1));
    CxImage icon = RoundTrip(idx, CXIMAGE_FORMAT_ICO);
    ASSERT_TRUE(icon.AlphaIsValid());
    EXPECT_EQ(icon.AlphaGet(2, 1), 0);
    EXPECT_EQ(icon.AlphaGet(0, 0), idx.GetPixelIndex(0, 0) == idx.GetPixelIndex(2, 1) ? 0 : 255);
}

TEST(NewWriters, IconSizeLimitAndDirectory) {
    CxImage largest = Pattern(256, 2);
    std::vector<BYTE> ico = EncodeBytes(largest, CXIMAGE_FORMAT_ICO);
    ASSERT_GE(ico.size(), 22u);
    EXPECT_EQ(ico[4], 1);  // one image
    EXPECT_EQ(ico[6], 0);  // 256 is written as 0
    EXPECT_EQ(ico[7], 2);
    CxImage back(ico.data(), static_cast<DWORD>(ico.size()), CXIMAGE_FORMAT_ICO);
    EXPECT_TRUE(SamePixels(largest, back));

    TempDir dir;
    CxImage tooWide = Pattern(257, 2);
    EXPECT_FALSE(tooWide.Save(dir.File("wide.ico").c_str(), CXIMAGE_FORMAT_ICO));
    EXPECT_STREQ(tooWide.GetLastError(), "ICO: an icon is at most 256 x 256 pixels");
    EXPECT_TRUE(ReadBytes(dir.File("wide.ico")).empty());
    EXPECT_TRUE(tooWide.IsValid());  // a refused save leaves the picture alone
}

TEST(NewWriters, PcxRunsStayWithinSixtyThreeAndEscapeHighBytes) {
    // One row: 130 pixels of one colour whose red is 0xC8, then a single different pixel.
    CxImage p(131, 1, 24);
    for (long x = 0; x < 130; ++x) p.SetPixelColor(x, 0, RGBQUAD{1, 2, 0xC8, 0});
    p.SetPixelColor(130, 0, RGBQUAD{0xC1, 5, 6, 0});
    p.SetXDPI(300);
    p.SetYDPI(72);
    std::vector<BYTE> pcx = EncodeBytes(p, CXIMAGE_FORMAT_PCX);
    ASSERT_GT(pcx.size(), 128u);
    EXPECT_EQ(pcx[65], 3);                     // planes
    EXPECT_EQ(pcx[66] | (pcx[67] << 8), 132);  // even bytes per plane line
    // Red plane: 63 + 63 + 4 of 0xC8, then 6 (plain), then the padding byte 0.
    const std::vector<BYTE> red = {0xFF, 0xC8, 0xFF, 0xC8, 0xC4, 0xC8, 0x06, 0x00};
    EXPECT_EQ(std::vector<BYTE>(pcx.begin() + 128, pcx.begin() + 136), red);
    CxImage back(pcx.data(), static_cast<DWORD>(pcx.size()), CXIMAGE_FORMAT_PCX);
    EXPECT_TRUE(SamePixels(p, back));
    EXPECT_EQ(back.GetXDPI(), 300);
    EXPECT_EQ(back.GetYDPI(), 72);
}

TEST(WirelessBitmap, BlackAndWhiteRoundTripsWithMultiByteSides) {
    for (auto [w, h] : {std::pair{1u, 1u}, {9u, 3u}, {130u, 5u}}) {
        CxImage p = BlackAndWhite(w, h);
        CxImage back = RoundTrip(p, CXIMAGE_FORMAT_WBMP);
        ASSERT_TRUE(back.IsValid()) << w;
        EXPECT_EQ(back.GetBpp(), 1);
        EXPECT_EQ(back.GetType(), CXIMAGE_FORMAT_WBMP);
        EXPECT_TRUE(SamePixels(p, back)) << w << "x" << h;
    }
    // 130 = 0x81 0x02; rows top first, leftmost pixel in the top bit, 1 for white.
    CxImage p(130, 2, 1);
    p.SetPaletteColor(0, 0, 0, 0);
    p.SetPaletteColor(1, 255, 255, 255);
    p.SetPixelIndex(0, 1, 1);    // top row, first pixel
    p.SetPixelIndex(129, 0, 1);  // bottom row, last pixel
    std::vector<BYTE> bytes = EncodeBytes(p, CXIMAGE_FORMAT_WBMP);
    std::vector<BYTE> expected = {0, 0, 0x81, 0x02, 2};
    std::vector<BYTE> top(17, 0), bottom(17, 0);
    top[0] = 0x80;
    bottom[16] = 0x40;
    expected.insert(expected.end(), top.begin(), top.end());
    expected.insert(expected.end(), bottom.begin(), bottom.end());
    EXPECT_EQ(bytes, expected);
}

TEST(WirelessBitmap, ColoursBecomeBlackOrWhiteByGreyLevel) {
    CxImage p(4, 1, 24);
    p.SetPixelColor(0, 0, RGBQUAD{128, 128, 128, 0});  // grey 128: white
    p.SetPixelColor(1, 0, RGBQUAD{127, 127, 127, 0});  // grey 127: black
    p.SetPixelColor(2, 0, RGBQUAD{0, 255, 0, 0});      // green, grey 149: white
    p.SetPixelColor(3, 0, RGBQUAD{0, 0, 255, 0});      // red, grey 76: black
    std::vector<BYTE> bytes = EncodeBytes(p, CXIMAGE_FORMAT_WBMP);
    EXPECT_EQ(bytes, (std::vector<BYTE>{0, 0, 4, 1, 0xA0}));
}

TEST(WirelessBitmap, HostileHeadersGiveNoPicture) {
    const std::vector<std::vector<BYTE>> files = {
        {},                                                      // empty
        {1, 0, 1, 1, 0},                                         // type 1
        {0, 0x80, 1, 1, 0},                                      // extension headers
        {0, 0, 0, 1},                                            // zero width
        {0, 0, 1, 0},                                            // zero height
        {0, 0, 0x81, 0x81, 0x81, 0x81, 1, 1},                    // a side of five bytes
        {0, 0, 9, 2, 0xFF, 0xFF, 0xFF},                          // two rows of two bytes, three given
        {0, 0, 0x83, 0xFF, 0xFF, 0x7F, 0x83, 0xFF, 0xFF, 0x7F},  // 8M x 8M over the memory limit
    };
    // The size is weighed against the bytes the file has before any allocation.
    const char* const reasons[] = {"no picture data",
                                   "WBMP: not a type 0 wireless bitmap",
                                   "WBMP: not a type 0 wireless bitmap",
                                   "WBMP: not a type 0 wireless bitmap",
                                   "WBMP: not a type 0 wireless bitmap",
                                   "WBMP: not a type 0 wireless bitmap",
                                   "WBMP: pixel data cut short",
                                   "WBMP: pixel data cut short"};
    ASSERT_EQ(files.size(), std::size(reasons));
    for (size_t i = 0; i < files.size(); ++i) {
        CxImage p(files[i].data(), static_cast<DWORD>(files[i].size()), CXIMAGE_FORMAT_WBMP);
        EXPECT_FALSE(p.IsValid()) << "file " << i;
        EXPECT_STREQ(p.GetLastError(), reasons[i]) << "file " << i;
    }
}

// ImageMagick decodes what we wrote to the same pixels: its PNG of each file matches the source.
TEST(NewWriters, ImageMagickReadsTheSamePixels) {
    const std::string convert = "/usr/bin/convert";
    if (::access(convert.c_str(), X_OK) != 0)
        GTEST_SKIP() << "ImageMagick is not installed (scripts/setup installs it)";
    TempDir dir;
    const std::pair<DWORD, const char*> formats[] = {{CXIMAGE_FORMAT_ICO, "ico"},
                                                     {CXIMAGE_FORMAT_TGA, "tga"},
                                                     {CXIMAGE_FORMAT_PCX, "pcx"},
                                                     {CXIMAGE_FORMAT_WBMP, "wbmp"}};
    for (const auto& [type, ext] : formats) {
        std::vector<CxImage> sources;
        if (type == CXIMAGE_FORMAT_WBMP) {
            sources.push_back(BlackAndWhite(13, 11));
        } else {
            sources.push_back(Pattern(13, 11));
            sources.push_back(IndexedPattern(13, 11, 8));
            sources.push_back(IndexedPattern(13, 11, 4));
        }
        for (size_t i = 0; i < sources.size(); ++i) {
            const std::string file = dir.File("p" + std::to_string(i) + "." + ext);
            const std::string png = dir.File("p" + std::to_string(i) + "-" + ext + ".png");
            ASSERT_TRUE(sources[i].Save(file.c_str(), type)) << ext;
            const auto r = testsupport::RunCommand(testsupport::ShellQuote(convert) + " " +
                                                   testsupport::ShellQuote(std::string(ext) + ":" + file) +
                                                   " -alpha off " + testsupport::ShellQuote("png24:" + png));
            ASSERT_EQ(r.code, 0) << ext << " source " << i;
            CxImage seen(png.c_str(), CXIMAGE_FORMAT_PNG);
            ASSERT_TRUE(seen.IsValid()) << ext;
            EXPECT_TRUE(SamePixels(sources[i], seen)) << ext << " source " << i;
        }
    }
}
