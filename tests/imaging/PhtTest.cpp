// PHT still pictures: the header, the RGB565 layout, the validity check and hostile files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "imaging/extImage.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

// A PHT file as the phones write it: header for w x h, then the given words.
std::vector<BYTE> PhtFile(int w, int h, const std::vector<WORD>& words, const char* magic = "IMG") {
    std::vector<BYTE> f(48, 0);
    std::memcpy(f.data(), magic, 3);
    f[4] = static_cast<BYTE>(w);
    f[5] = static_cast<BYTE>(w >> 8);
    f[6] = static_cast<BYTE>(h);
    f[7] = static_cast<BYTE>(h >> 8);
    for (WORD v : words) Put16(f, v);
    return f;
}

RGBQUAD Rgb(BYTE r, BYTE g, BYTE b) {
    return RGBQUAD{b, g, r, 0};
}

// Colour of a picture pixel with row 0 at the top.
RGBQUAD At(const CxImage& p, long x, long row) {
    return p.GetPixelColor(x, static_cast<long>(p.GetHeight()) - 1 - row);
}

BYTE Reduced5(BYTE v) {
    return (v >> 3) == 31 ? 255 : static_cast<BYTE>(v & 0xF8);
}
BYTE Reduced6(BYTE v) {
    return (v >> 2) == 63 ? 255 : static_cast<BYTE>(v & 0xFC);
}

}  // namespace

TEST(PhtFormat, TwoPixelsRedAndWhiteAreFiftyTwoExactBytes) {
    TempDir dir;
    extImage p(2, 1, 24);
    p.SetPixelColor(0, 0, Rgb(255, 0, 0));
    p.SetPixelColor(1, 0, Rgb(255, 255, 255));
    ASSERT_TRUE(p.SavePHT(dir.File("a.pht").c_str()));
    const std::string text = std::string("IMG\0\x02\0\x01\0\x02\0\x10\0\0\x01\0\0\0", 17) +
                             "You must come back home! zub" + std::string("\0\0\0\0\xF8\xFF\xFF", 7);
    const std::vector<BYTE> expected(text.begin(), text.end());
    ASSERT_EQ(expected.size(), 52u);
    EXPECT_EQ(ReadBytes(dir.File("a.pht")), expected);

    extImage back;
    ASSERT_TRUE(back.LoadPHT(dir.File("a.pht").c_str()));
    EXPECT_EQ(back.GetBpp(), 24);
    ASSERT_EQ(back.GetWidth(), 2u);
    ASSERT_EQ(back.GetHeight(), 1u);
    EXPECT_TRUE(SameColour(At(back, 0, 0), Rgb(255, 0, 0)));
    EXPECT_TRUE(SameColour(At(back, 1, 0), Rgb(255, 255, 255)));
}

TEST(PhtFormat, DecodingShiftsLevelsAndMakesFullChannels255) {
    TempDir dir;
    // 0x7BEF: red 15, green 31, blue 15; then each channel at its top, then just below it.
    WriteBytes(dir.File("d.pht"), PhtFile(5, 1, {0x7BEF, 0xF800, 0x07E0, 0x001F, (30u << 11) | (62u << 5) | 30u}));
    extImage p;
    ASSERT_TRUE(p.LoadPHT(dir.File("d.pht").c_str()));
    EXPECT_TRUE(SameColour(At(p, 0, 0), Rgb(120, 124, 120)));
    EXPECT_TRUE(SameColour(At(p, 1, 0), Rgb(255, 0, 0)));
    EXPECT_TRUE(SameColour(At(p, 2, 0), Rgb(0, 255, 0)));
    EXPECT_TRUE(SameColour(At(p, 3, 0), Rgb(0, 0, 255)));
    EXPECT_TRUE(SameColour(At(p, 4, 0), Rgb(240, 248, 240)));
}

TEST(PhtFormat, RowsRunTopFirstWithoutPaddingForOddWidths) {
    TempDir dir;
    extImage p(3, 2, 24);
    // Top row red, green, blue; bottom row white, black, grey 0x84.
    const RGBQUAD top[3] = {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)};
    const RGBQUAD bottom[3] = {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(0x84, 0x84, 0x84)};
    for (int x = 0; x < 3; ++x) {
        p.SetPixelColor(x, 1, top[x]);
        p.SetPixelColor(x, 0, bottom[x]);
    }
    ASSERT_TRUE(p.SavePHT(dir.File("odd.pht").c_str()));
    std::vector<BYTE> bytes = ReadBytes(dir.File("odd.pht"));
    ASSERT_EQ(bytes.size(), 48u + 3 * 2 * 2);
    const std::vector<BYTE> pixels(bytes.begin() + 48, bytes.end());
    const WORD grey = static_cast<WORD>((0x80 << 8) | (0x84 << 3) | (0x84 >> 3));
    const std::vector<BYTE> expected = {0x00,
                                        0xF8,
                                        0xE0,
                                        0x07,
                                        0x1F,
                                        0x00,
                                        0xFF,
                                        0xFF,
                                        0x00,
                                        0x00,
                                        static_cast<BYTE>(grey & 0xFF),
                                        static_cast<BYTE>(grey >> 8)};
    EXPECT_EQ(pixels, expected);

    int length = -1;
    BYTE* words = p.GetData16bit(length);
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(length, 12);
    EXPECT_EQ(std::vector<BYTE>(words, words + length), expected);
    delete[] words;
}

TEST(PhtFormat, RoundTripOfPrimeSizeKeepsTheTopBitsOfEveryChannel) {
    TempDir dir;
    extImage p(7, 5, 24);
    FillPattern(p);
    ASSERT_TRUE(p.SavePHT(dir.File("p.pht").c_str()));
    EXPECT_EQ(ReadBytes(dir.File("p.pht")).size(), 48u + 7 * 5 * 2);
    extImage back(dir.File("p.pht").c_str(), 20);
    ASSERT_TRUE(back.IsValid());
    EXPECT_EQ(back.GetType(), 20u);
    for (long y = 0; y < 5; ++y)
        for (long x = 0; x < 7; ++x) {
            RGBQUAD c = PatternColour(x, y), d = back.GetPixelColor(x, y);
            ASSERT_EQ(d.rgbRed, Reduced5(c.rgbRed)) << x << "," << y;
            ASSERT_EQ(d.rgbGreen, Reduced6(c.rgbGreen)) << x << "," << y;
            ASSERT_EQ(d.rgbBlue, Reduced5(c.rgbBlue)) << x << "," << y;
        }
    // The same file under the other extension opens the same way.
    WriteBytes(dir.File("p.img"), ReadBytes(dir.File("p.pht")));
    extImage img(dir.File("p.img").c_str(), 20);
    EXPECT_TRUE(SamePixels(img, back));
}

TEST(PhtFormat, PalettePicturesGiveTheirPaletteColours) {
    extImage p(2, 1, 8);
    p.SetPaletteColor(0, 0, 0, 255);
    p.SetPaletteColor(1, 255, 255, 0);
    p.SetPixelIndex(0, 0, 1);
    p.SetPixelIndex(1, 0, 0);
    int length = 0;
    BYTE* words = p.GetData16bit(length);
    ASSERT_EQ(length, 4);
    EXPECT_EQ(std::vector<BYTE>(words, words + 4), (std::vector<BYTE>{0xE0, 0xFF, 0x1F, 0x00}));
    delete[] words;

    extImage empty;
    EXPECT_EQ(empty.GetData16bit(length), nullptr);
    EXPECT_EQ(length, 0);
}

TEST(PhtFormat, HeaderFlagSizesAndStoredLimits) {
    tagBITMAP_HEADER h;
    extImage::SetBitmapHeader(&h, CSize(70000, 176), 0);
    BYTE bytes[48];
    phone::EncodeBitmapHeader(h, bytes);
    EXPECT_EQ(std::memcmp(bytes, "ANI\0", 4), 0);
    EXPECT_EQ(bytes[4] | (bytes[5] << 8), 70000 & 0xFFFF);  // the low 16 bits
    EXPECT_EQ(bytes[6] | (bytes[7] << 8), 176);
    EXPECT_EQ(bytes[8] | (bytes[9] << 8), 70000 & 0xFFFF);
    tagBITMAP_HEADER again = phone::DecodeBitmapHeader(bytes);
    EXPECT_EQ(std::memcmp(&again.szSignature, "You must come back home! zub", 29), 0);
    EXPECT_EQ(again.wVersion, 256);

    // A side the readers would see as negative is not written, nor is an empty picture.
    TempDir dir;
    extImage wide(32768, 1, 24);
    EXPECT_FALSE(wide.SavePHT(dir.File("wide.pht").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("wide.pht")));
    extImage empty;
    EXPECT_FALSE(empty.SavePHT(dir.File("empty.pht").c_str()));
    extImage one(1, 1, 24);
    EXPECT_FALSE(one.SavePHT(dir.File("no/such/folder.pht").c_str()));
}

TEST(PhtFormat, ValidityCheckMagicSizeLimitAndType) {
    TempDir dir;
    WriteBytes(dir.File("400.pht"), PhtFile(400, 400, std::vector<WORD>(400 * 400, 0)));
    WriteBytes(dir.File("401.pht"), PhtFile(401, 10, std::vector<WORD>(401 * 10, 0)));
    EXPECT_TRUE(extImage::IsValidFormat(dir.File("400.pht"), 20));
    EXPECT_FALSE(extImage::IsValidFormat(dir.File("401.pht"), 20));
    EXPECT_FALSE(extImage::IsValidFormat(dir.File("400.pht"), 21));  // an IMG file is no animation
    // Any type but 21 is tested as a still picture.
    EXPECT_TRUE(extImage::IsValidFormat(dir.File("400.pht"), 1));
    // A picture over 400 is still readable; only the check refuses it.
    extImage big;
    EXPECT_TRUE(big.LoadPHT(dir.File("401.pht").c_str()));
    EXPECT_EQ(big.GetWidth(), 401u);
    // Trailing bytes after the pixels do not matter.
    std::vector<BYTE> longer = PhtFile(2, 2, {1, 2, 3, 4});
    longer.push_back(9);
    WriteBytes(dir.File("longer.pht"), longer);
    EXPECT_TRUE(extImage::IsValidFormat(dir.File("longer.pht"), 20));
}

TEST(PhtFormat, HostileFilesAreRefusedAndLeaveThePictureAlone) {
    TempDir dir;
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        const char* reason;  // the opened picture's GetLastError
    };
    std::vector<BYTE> shortPixels = PhtFile(4, 4, std::vector<WORD>(15, 0));  // one word missing
    std::vector<BYTE> headerOnly = PhtFile(1, 1, {});
    std::vector<BYTE> cutHeader = PhtFile(1, 1, {0});
    cutHeader.resize(47);
    const char* fewer = "PHT: the file holds fewer pixel bytes than its header announces";
    const char* shortHeader = "PHT: the file is shorter than its header";
    const char* size = "PHT: width or height out of range";
    const Case cases[] = {
        {"short-pixels.pht", shortPixels, fewer},
        {"header-only.pht", headerOnly, fewer},
        {"cut-header.pht", cutHeader, shortHeader},
        {"zero-width.pht", PhtFile(0, 5, std::vector<WORD>(10, 0)), size},
        {"negative-height.pht", PhtFile(5, 0xFFFF, std::vector<WORD>(10, 0)), size},
        {"huge.pht", PhtFile(32767, 32767, std::vector<WORD>(100, 0)), fewer},
        {"empty.pht", {}, shortHeader},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir.File(c.name), c.bytes);
        extImage p(3, 3, 24);
        FillPattern(p);
        extImage before(p);
        EXPECT_FALSE(p.LoadPHT(dir.File(c.name).c_str()));
        EXPECT_TRUE(SamePixels(p, before));
        EXPECT_FALSE(extImage::IsValidFormat(dir.File(c.name), 20));
        extImage opened(dir.File(c.name).c_str(), 20);
        EXPECT_FALSE(opened.IsValid());
        EXPECT_STREQ(opened.GetLastError(), c.reason);
    }
    extImage p;
    EXPECT_FALSE(p.LoadPHT(dir.File("missing.pht").c_str()));
    EXPECT_FALSE(p.LoadPHT(nullptr));
    EXPECT_FALSE(extImage::IsValidFormat(dir.File("missing.pht"), 20));
    ::mkdir(dir.File("folder.pht").c_str(), 0755);
    EXPECT_FALSE(p.LoadPHT(dir.File("folder.pht").c_str()));
    EXPECT_FALSE(extImage::IsValidFormat(dir.File("folder.pht"), 20));
}

TEST(PhtFormat, PixelsOverTheMemoryLimitAreNotRead) {
    TempDir dir;
    // 200 x 200: 80 000 stored bytes and a 120 000-byte picture.
    WriteBytes(dir.File("big.pht"), PhtFile(200, 200, std::vector<WORD>(200 * 200, 0xFFFF)));
    const std::uint64_t saved = pavix::GetMemoryLimit();
    pavix::SetMemoryLimit(150000);
    phone::Contents contents;
    std::vector<BYTE> words;
    const phone::FileError withPixels = phone::ReadStill(dir.File("big.pht").c_str(), contents, &words);
    const phone::FileError headerOnly = phone::ReadStill(dir.File("big.pht").c_str(), contents);
    const bool valid = extImage::IsValidFormat(dir.File("big.pht"), 20);
    extImage p;
    const bool loaded = p.LoadPHT(dir.File("big.pht").c_str());
    pavix::SetMemoryLimit(saved);
    EXPECT_EQ(withPixels, phone::FileError::TooLarge);
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(headerOnly, phone::FileError::None);  // the check reads no pixels and is not limited
    EXPECT_TRUE(valid);
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(p.LoadPHT(dir.File("big.pht").c_str()));
}
