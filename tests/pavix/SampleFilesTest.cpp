// Small files written by another program (ImageMagick), one per header variant, compression and
// depth that users' files carry; each must read as the reference picture ref.png.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/pavix/ximage.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

std::string Sample(const std::string& name) {
    return std::string(PAVIX_SAMPLES) + "/" + name;
}

CxImage Open(const std::string& name, DWORD type) {
    CxImage p(Sample(name).c_str(), type);
    EXPECT_TRUE(p.IsValid()) << name << ": " << p.GetLastError();
    return p;
}

}  // namespace

TEST(SampleFiles, LosslessVariantsReadAsTheReference) {
    CxImage ref = Open("ref.png", CXIMAGE_FORMAT_PNG);
    ASSERT_EQ(ref.GetWidth(), 13u);
    ASSERT_EQ(ref.GetHeight(), 9u);
    const struct {
        const char* name;
        DWORD type;
    } lossless[] = {
        {"v3.bmp", CXIMAGE_FORMAT_BMP},         {"v4.bmp", CXIMAGE_FORMAT_BMP},
        {"v5.bmp", CXIMAGE_FORMAT_BMP},         {"os2.bmp", CXIMAGE_FORMAT_BMP},
        {"interlaced.png", CXIMAGE_FORMAT_PNG}, {"deep16.png", CXIMAGE_FORMAT_PNG},
        {"rgba.png", CXIMAGE_FORMAT_PNG},       {"lzw.tif", CXIMAGE_FORMAT_TIF},
        {"zip.tif", CXIMAGE_FORMAT_TIF},        {"packbits.tif", CXIMAGE_FORMAT_TIF},
        {"deep16.tif", CXIMAGE_FORMAT_TIF},     {"rgb.pcx", CXIMAGE_FORMAT_PCX},
    };
    for (const auto& s : lossless) {
        CxImage p = Open(s.name, s.type);
        EXPECT_TRUE(SamePixels(p, ref)) << s.name;
    }
    CxImage rgba = Open("rgba.png", CXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(rgba.AlphaIsValid());
    EXPECT_NEAR(rgba.AlphaGet(5, 5), 128, 1);
}

TEST(SampleFiles, IndexedVariantsReadAsTheirPalettedReference) {
    CxImage ref = Open("pal16.png", CXIMAGE_FORMAT_PNG);
    for (const char* name : {"pal8.bmp", "pal_rle8.bmp"})
        EXPECT_TRUE(SamePixels(Open(name, CXIMAGE_FORMAT_BMP), ref)) << name;
    EXPECT_TRUE(SamePixels(Open("interlaced.gif", CXIMAGE_FORMAT_GIF), ref));
    EXPECT_TRUE(SamePixels(Open("pal.pcx", CXIMAGE_FORMAT_PCX), ref));
    CxImage rle = Open("pal_rle8.bmp", CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(rle.GetBpp(), 8);
    CxImage grey = Open("grey.png", CXIMAGE_FORMAT_PNG), grey16 = Open("grey16.png", CXIMAGE_FORMAT_PNG);
    // The writer rounds its 8-bit and 16-bit greys separately: they agree within one level.
    for (long y = 0; y < 9; ++y)
        for (long x = 0; x < 13; ++x)
            EXPECT_NEAR(grey.GetPixelColor(x, y).rgbRed, grey16.GetPixelColor(x, y).rgbRed, 1);
    EXPECT_EQ(grey16.GetBpp(), 8);
    EXPECT_TRUE(grey16.IsGrayScale());
}

TEST(SampleFiles, ProgressiveJpegAndIcon) {
    CxImage ref = Open("ref.png", CXIMAGE_FORMAT_PNG);
    CxImage jpg = Open("progressive.jpg", CXIMAGE_FORMAT_JPG);
    ASSERT_EQ(jpg.GetWidth(), 13u);
    long total = 0;
    for (long y = 0; y < 9; ++y)
        for (long x = 0; x < 13; ++x) {
            RGBQUAD a = jpg.GetPixelColor(x, y), b = ref.GetPixelColor(x, y);
            total +=
                std::abs(a.rgbRed - b.rgbRed) + std::abs(a.rgbGreen - b.rgbGreen) + std::abs(a.rgbBlue - b.rgbBlue);
        }
    EXPECT_LT(total / (13 * 9 * 3), 6);
    CxImage ico = Open("ico.ico", CXIMAGE_FORMAT_ICO);
    EXPECT_EQ(ico.GetWidth(), 16u);
    EXPECT_EQ(ico.GetHeight(), 16u);
    EXPECT_EQ(ico.GetBpp(), 24);
}
