// Round trips through every writer, hand-made files for the readers without a writer, and the
// reader variants real files carry.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "platform/pavix/ximage.h"
#include "platform/pavix/ximagif.h"
#include "platform/pavix/xmemfile.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

using picturetest::patterns::IndexedPattern;
using picturetest::patterns::Pattern;

CxImage RoundTrip(CxImage& p, DWORD type) {
    BYTE* buffer = nullptr;
    long size = 0;
    EXPECT_TRUE(p.Encode(buffer, size, type)) << "type " << type;
    CxImage back(buffer, static_cast<DWORD>(size), type);
    CxImage::FreeMemory(buffer);
    return back;
}

::testing::AssertionResult SameIndexes(const CxImage& a, const CxImage& b) {
    for (long y = 0; y < static_cast<long>(a.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(a.GetWidth()); ++x)
            if (a.GetPixelIndex(x, y) != b.GetPixelIndex(x, y))
                return ::testing::AssertionFailure() << "index at (" << x << ", " << y << ")";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(CodecRoundTrip, LosslessTrueColourWithOddWidths) {
    for (DWORD type : {CXIMAGE_FORMAT_BMP, CXIMAGE_FORMAT_PNG, CXIMAGE_FORMAT_TIF}) {
        for (DWORD w : {1u, 3u, 5u, 7u, 13u}) {
            CxImage p = Pattern(w, 4);
            CxImage back = RoundTrip(p, type);
            ASSERT_TRUE(back.IsValid()) << type << " " << w;
            EXPECT_EQ(back.GetBpp(), 24);
            EXPECT_TRUE(SamePixels(p, back)) << type << " width " << w;
            EXPECT_EQ(back.GetType(), type);
        }
    }
}

TEST(CodecRoundTrip, IndexedSourcesKeepIndexesAndPalette) {
    for (DWORD type : {CXIMAGE_FORMAT_BMP, CXIMAGE_FORMAT_PNG, CXIMAGE_FORMAT_TIF}) {
        for (DWORD bpp : {1u, 4u, 8u}) {
            CxImage p = IndexedPattern(11, 6, bpp);
            CxImage back = RoundTrip(p, type);
            ASSERT_TRUE(back.IsValid()) << type << " " << bpp;
            EXPECT_TRUE(SamePixels(p, back)) << type << " bpp " << bpp;
            if (type == CXIMAGE_FORMAT_BMP) {
                EXPECT_EQ(back.GetBpp(), bpp);
            }
        }
    }
}

TEST(CodecRoundTrip, GifKeepsIndexesPaletteAndTransparency) {
    for (DWORD bpp : {1u, 4u, 8u}) {
        CxImage p = IndexedPattern(9, 7, bpp);
        p.SetTransIndex(1);
        CxImage back = RoundTrip(p, CXIMAGE_FORMAT_GIF);
        ASSERT_TRUE(back.IsValid());
        EXPECT_EQ(back.GetBpp(), 8);
        EXPECT_TRUE(SameIndexes(p, back)) << bpp;
        EXPECT_TRUE(SamePixels(p, back)) << bpp;
        EXPECT_EQ(back.GetTransIndex(), 1);
        EXPECT_EQ(back.GetNumFrames(), 1);
    }
    // True colour is reduced on the way out, never refused.
    CxImage deep = Pattern(8, 8);
    CxImage back = RoundTrip(deep, CXIMAGE_FORMAT_GIF);
    EXPECT_TRUE(back.IsValid());
    EXPECT_EQ(deep.GetBpp(), 24);
}

TEST(CodecRoundTrip, JpegKeepsSizeAndColoursClose) {
    for (DWORD w : {1u, 7u, 33u}) {
        CxImage p(w, 9, 24);
        for (long y = 0; y < 9; ++y)
            for (long x = 0; x < static_cast<long>(w); ++x) p.SetPixelColor(x, y, RGBQUAD{40, 120, 200, 0});
        p.SetPixelColor(0, 8, RGBQUAD{40, 120, 200, 0});
        CxImage back = RoundTrip(p, CXIMAGE_FORMAT_JPG);
        ASSERT_TRUE(back.IsValid());
        EXPECT_EQ(back.GetWidth(), w);
        EXPECT_EQ(back.GetHeight(), 9u);
        RGBQUAD c = back.GetPixelColor(0, 0);
        EXPECT_NEAR(c.rgbBlue, 40, 3);
        EXPECT_NEAR(c.rgbGreen, 120, 3);
        EXPECT_NEAR(c.rgbRed, 200, 3);
    }
    // Top and bottom stay where they are.
    CxImage tb(16, 16, 24);
    for (long x = 0; x < 16; ++x)
        for (long y = 8; y < 16; ++y) tb.SetPixelColor(x, y, RGBQUAD{255, 255, 255, 0});
    CxImage back = RoundTrip(tb, CXIMAGE_FORMAT_JPG);
    EXPECT_GT(back.GetPixelColor(4, 14).rgbRed, 200);
    EXPECT_LT(back.GetPixelColor(4, 1).rgbRed, 50);
    // Indexed sources are written through their palette.
    for (DWORD bpp : {1u, 4u, 8u}) {
        CxImage idx(6, 5, bpp);
        idx.SetPaletteColor(1, 250, 20, 20);
        idx.SetPaletteColor(0, 20, 20, 250);
        idx.Clear(bpp == 1 ? 0xFF : bpp == 4 ? 0x11 : 1);
        CxImage j = RoundTrip(idx, CXIMAGE_FORMAT_JPG);
        ASSERT_TRUE(j.IsValid()) << bpp;
        EXPECT_EQ(j.GetBpp(), 24);
        EXPECT_NEAR(j.GetPixelColor(3, 2).rgbRed, 250, 4) << bpp;
        EXPECT_NEAR(j.GetPixelColor(3, 2).rgbBlue, 20, 4) << bpp;
    }
    // A grey picture gives a grey JPEG that reads back as 8-bit grey.
    CxImage grey(5, 5, 8);
    grey.SetGrayPalette();
    grey.Clear(90);
    CxImage g = RoundTrip(grey, CXIMAGE_FORMAT_JPG);
    EXPECT_EQ(g.GetBpp(), 8);
    EXPECT_TRUE(g.IsGrayScale());
    EXPECT_NEAR(g.GetPixelIndex(2, 2), 90, 1);
}

TEST(CodecRoundTrip, PngKeepsAlphaAndTransparentColour) {
    CxImage p = Pattern(5, 3);
    p.AlphaCreate();
    p.AlphaSet(4, 2, 17);
    CxImage back = RoundTrip(p, CXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(back.AlphaIsValid());
    EXPECT_EQ(back.AlphaGet(4, 2), 17);
    EXPECT_EQ(back.AlphaGet(0, 0), 255);
    EXPECT_TRUE(SamePixels(p, back));

    CxImage key = Pattern(4, 4);
    key.SetTransIndex(0);
    key.SetTransColor(RGBQUAD{0, 255, 0, 0});
    CxImage k = RoundTrip(key, CXIMAGE_FORMAT_PNG);
    EXPECT_TRUE(k.IsTransparent());
    EXPECT_EQ(k.GetTransColor().rgbGreen, 255);
}

namespace {

// A PNG of 16-bit samples, big-endian as the format stores them, with a tRNS key.
std::vector<BYTE> Png16(int colorType, const std::vector<unsigned>& samples, long width,
                        const std::vector<unsigned>& key) {
    auto chunk = [](std::vector<BYTE>& f, const char* type, const std::vector<BYTE>& data) {
        for (int i = 3; i >= 0; --i) f.push_back(static_cast<BYTE>(data.size() >> (8 * i)));
        size_t at = f.size();
        f.insert(f.end(), type, type + 4);
        f.insert(f.end(), data.begin(), data.end());
        uLong crc = crc32(0, f.data() + at, static_cast<uInt>(data.size() + 4));
        for (int i = 3; i >= 0; --i) f.push_back(static_cast<BYTE>(crc >> (8 * i)));
    };
    auto be16 = [](std::vector<BYTE>& v, unsigned x) {
        v.push_back(static_cast<BYTE>(x >> 8));
        v.push_back(static_cast<BYTE>(x));
    };
    const size_t channels = colorType == 2 ? 3 : 1;
    const long height = static_cast<long>(samples.size() / channels / width);
    std::vector<BYTE> f = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<BYTE> ihdr = {
        0, 0, 0, static_cast<BYTE>(width), 0, 0, 0, static_cast<BYTE>(height), 16, static_cast<BYTE>(colorType),
        0, 0, 0};
    chunk(f, "IHDR", ihdr);
    std::vector<BYTE> trns;
    for (unsigned k : key) be16(trns, k);
    chunk(f, "tRNS", trns);
    std::vector<BYTE> raw;
    for (long y = 0; y < height; ++y) {
        raw.push_back(0);
        for (size_t i = 0; i < width * channels; ++i) be16(raw, samples[y * width * channels + i]);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<BYTE> packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);
    chunk(f, "IDAT", packed);
    chunk(f, "IEND", {});
    return f;
}

}  // namespace

TEST(PngReader, SixteenBitKeysAreRoundedLikeThePixelsTheyMark) {
    // 0x00FF rounds to 1, not to its high byte 0: the key must still name the keyed pixels.
    std::vector<BYTE> grey = Png16(0, {0x00FF, 0x8000}, 2, {0x00FF});
    CxImage g(grey.data(), static_cast<DWORD>(grey.size()), CXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(g.IsValid());
    ASSERT_TRUE(g.IsTransparent());
    EXPECT_EQ(g.GetTransIndex(), g.GetPixelIndex(0, 0));
    EXPECT_NE(g.GetTransIndex(), g.GetPixelIndex(1, 0));

    std::vector<BYTE> rgb = Png16(2, {0x00FF, 0x7F80, 0xFF7F, 0x1234, 0x1234, 0x1234}, 2, {0x00FF, 0x7F80, 0xFF7F});
    CxImage c(rgb.data(), static_cast<DWORD>(rgb.size()), CXIMAGE_FORMAT_PNG);
    ASSERT_TRUE(c.IsValid());
    ASSERT_TRUE(c.IsTransparent());
    EXPECT_TRUE(SameColour(c.GetTransColor(), c.GetPixelColor(0, 0)));
    EXPECT_FALSE(SameColour(c.GetTransColor(), c.GetPixelColor(1, 0)));
}

TEST(CodecFiles, SaveAndLoadThroughFilesAndUnsupportedTypesFailCleanly) {
    TempDir dir;
    CxImage p = Pattern(6, 5);
    ASSERT_TRUE(p.Save(dir.File("a.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    CxImage back(dir.File("a.bmp").c_str(), CXIMAGE_FORMAT_BMP);
    EXPECT_TRUE(SamePixels(p, back));
    // Sniffing when no type is given.
    CxImage sniffed;
    EXPECT_TRUE(sniffed.Load(dir.File("a.bmp").c_str(), CXIMAGE_FORMAT_UNKNOWN));
    EXPECT_EQ(sniffed.GetType(), CXIMAGE_FORMAT_BMP);
    // A BMP read as PNG or WBMP, a missing file, WMF and unknown codes all give an invalid picture;
    // WMF and unknown codes are not written either, and leave no file behind.
    CxImage wrong(dir.File("a.bmp").c_str(), CXIMAGE_FORMAT_PNG);
    EXPECT_FALSE(wrong.IsValid());
    CxImage missing(dir.File("none.png").c_str(), CXIMAGE_FORMAT_PNG);
    EXPECT_FALSE(missing.IsValid());
    for (DWORD type : {DWORD{CXIMAGE_FORMAT_WBMP}, DWORD{CXIMAGE_FORMAT_WMF}, DWORD{77}}) {
        CxImage other(dir.File("a.bmp").c_str(), type);
        EXPECT_FALSE(other.IsValid());
    }
    for (DWORD type : {DWORD{CXIMAGE_FORMAT_WMF}, DWORD{77}}) {
        EXPECT_FALSE(p.Save(dir.File("x.out").c_str(), type));
        EXPECT_FALSE(std::filesystem::exists(dir.File("x.out")));
    }
    // Every format the library names for saving, except WMF/EMF, saves and reads back.
    for (DWORD type : {CXIMAGE_FORMAT_ICO, CXIMAGE_FORMAT_TGA, CXIMAGE_FORMAT_PCX}) {
        ASSERT_TRUE(p.Save(dir.File("x.saved").c_str(), type)) << type;
        EXPECT_TRUE(SamePixels(p, CxImage(dir.File("x.saved").c_str(), type))) << type;
    }
    EXPECT_FALSE(p.Save(dir.File("no/such/folder/a.bmp").c_str(), CXIMAGE_FORMAT_BMP));
}

TEST(GifAnimation, FramesKeepDelayDisposalOffsetAndLocalColourTables) {
    CxImage frames[3];
    for (int i = 0; i < 3; ++i) {
        frames[i] = IndexedPattern(6 + i, 5, 8);
        for (int c = 0; c < 256; ++c)
            frames[i].SetPaletteColor(static_cast<BYTE>(c), static_cast<BYTE>(c), static_cast<BYTE>(i * 80), 7);
        frames[i].SetFrameDelay(10 * (i + 1));
        frames[i].SetOffset(i, 2 * i);
    }
    CxImage* list[3] = {&frames[0], &frames[1], &frames[2]};
    CxImageGIF gif;
    gif.SetLoops(1024);
    gif.SetDisposalMethod(2);
    CxMemFile mem;
    mem.Open();
    ASSERT_TRUE(gif.Encode(&mem, list, 3, true));
    std::vector<BYTE> bytes(mem.GetBuffer(false), mem.GetBuffer(false) + mem.Size());
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    // The loop extension carries 1024; every graphic control block carries disposal 2.
    auto at = std::search(bytes.begin(), bytes.end(), "NETSCAPE2.0", "NETSCAPE2.0" + 11);
    ASSERT_NE(at, bytes.end());
    EXPECT_EQ(at[12], 1);
    EXPECT_EQ(at[13] | (at[14] << 8), 1024);
    int controls = 0;
    for (size_t i = 0; i + 3 < bytes.size(); ++i)
        if (bytes[i] == 0x21 && bytes[i + 1] == 0xF9 && bytes[i + 2] == 4) {
            EXPECT_EQ((bytes[i + 3] >> 2) & 7, 2);
            ++controls;
        }
    EXPECT_EQ(controls, 3);

    for (int i = 0; i < 3; ++i) {
        CxImageGIF frame;
        frame.SetFrame(i);
        CxMemFile in(bytes.data(), static_cast<DWORD>(bytes.size()));
        ASSERT_TRUE(frame.Decode(&in)) << i;
        EXPECT_EQ(frame.GetNumFrames(), 3);
        EXPECT_EQ(frame.GetWidth(), 6u + i);
        EXPECT_EQ(frame.GetFrameDelay(), 10u * (i + 1));
        EXPECT_EQ(frame.GetDisposalMethod(), 2);
        long x = 0, y = 0;
        frame.GetOffset(&x, &y);
        EXPECT_EQ(x, i);
        EXPECT_EQ(y, 2 * i);
        EXPECT_TRUE(SamePixels(frames[i], frame)) << i;
        EXPECT_EQ(frame.GetScreenWidth(), 10);
        EXPECT_EQ(frame.GetScreenHeight(), 9);
    }
    CxImageGIF beyond;
    beyond.SetFrame(3);
    CxMemFile in(bytes.data(), static_cast<DWORD>(bytes.size()));
    EXPECT_FALSE(beyond.Decode(&in));
}

TEST(BmpReader, ReadsTopDownSixteenAndThirtyTwoBitAndRunLengthFiles) {
    auto header = [](std::vector<BYTE>& f, int w, int h, int bpp, unsigned compression, unsigned colors,
                     unsigned dataAt) {
        f = {'B', 'M'};
        Put32(f, 0);
        Put32(f, 0);
        Put32(f, dataAt);
        Put32(f, 40);
        Put32(f, static_cast<unsigned>(w));
        Put32(f, static_cast<unsigned>(h));
        Put16(f, 1);
        Put16(f, bpp);
        Put32(f, compression);
        Put32(f, 0);
        Put32(f, 0);
        Put32(f, 0);
        Put32(f, colors);
        Put32(f, 0);
    };
    // Top-down 24-bit, 2 x 2: first stored row is the top.
    std::vector<BYTE> f;
    header(f, 2, -2, 24, 0, 0, 54);
    const BYTE top[8] = {1, 2, 3, 4, 5, 6, 0, 0}, bottom[8] = {7, 8, 9, 10, 11, 12, 0, 0};
    f.insert(f.end(), top, top + 8);
    f.insert(f.end(), bottom, bottom + 8);
    CxImage p(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.GetPixelColor(0, 1).rgbBlue, 1);
    EXPECT_EQ(p.GetPixelColor(1, 0).rgbRed, 12);

    // 16-bit 5-5-5: pure red and pure white.
    header(f, 2, 1, 16, 0, 0, 54);
    Put16(f, 0x7C00);
    Put16(f, 0x7FFF);
    CxImage s(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    ASSERT_TRUE(s.IsValid());
    EXPECT_EQ(s.GetPixelColor(0, 0).rgbRed, 255);
    EXPECT_EQ(s.GetPixelColor(0, 0).rgbGreen, 0);
    EXPECT_EQ(s.GetPixelColor(1, 0).rgbBlue, 255);

    // 32-bit: an all-zero alpha byte means opaque, a used one makes an alpha plane.
    header(f, 1, 1, 32, 0, 0, 54);
    Put32(f, 0x00102030);
    CxImage opaque(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    EXPECT_FALSE(opaque.AlphaIsValid());
    EXPECT_EQ(opaque.GetPixelColor(0, 0).rgbRed, 0x10);
    f.back() = 0x80;
    CxImage alpha(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    EXPECT_EQ(alpha.AlphaGet(0, 0), 0x80);

    // RLE8: a run, a delta, a run, end of line, an absolute run with its pad byte, end of bitmap.
    header(f, 4, 2, 8, 1, 4, 54 + 16);
    for (int i = 0; i < 4; ++i) Put32(f, 0x00000000u + i * 0x00404040u);
    const BYTE rle[] = {2, 2, 0, 2, 1, 0, 1, 3, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
    f.insert(f.end(), rle, rle + sizeof rle);
    CxImage r(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    ASSERT_TRUE(r.IsValid());
    EXPECT_EQ(r.GetBpp(), 8);
    const int expected[2][4] = {{2, 2, 0, 3}, {1, 2, 3, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(r.GetPixelIndex(x, y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(r.GetPaletteColor(2).rgbRed, 0x80);
    // A run past the row's end is cut there (writers pad rows with such runs).
    f[54 + 16] = 9;
    CxImage padded(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP);
    ASSERT_TRUE(padded.IsValid());
    for (int x = 0; x < 4; ++x) EXPECT_EQ(padded.GetPixelIndex(x, 0), 2);
    EXPECT_EQ(padded.GetPixelIndex(0, 1), 1);
    // A stream that ends before its end mark is broken.
    f.resize(f.size() - 2);
    EXPECT_FALSE(CxImage(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_BMP).IsValid());
}

TEST(BmpReader, HostileHeadersFailWithoutAPicture) {
    TempDir dir;
    CxImage good = Pattern(9, 9);
    ASSERT_TRUE(good.Save(dir.File("g.bmp").c_str(), CXIMAGE_FORMAT_BMP));
    std::vector<BYTE> f = ReadBytes(dir.File("g.bmp"));
    // The reader's reason for refusing, or "read".
    auto load = [](const std::vector<BYTE>& bytes) -> std::string {
        CxImage p(bytes.data(), static_cast<DWORD>(bytes.size()), CXIMAGE_FORMAT_BMP);
        return p.IsValid() ? "read" : p.GetLastError();
    };
    EXPECT_EQ(load(f), "read");
    std::vector<BYTE> cut(f.begin(), f.end() - 30);
    EXPECT_EQ(load(cut), "BMP: pixel data cut short (222 of 251 bytes)");
    std::vector<BYTE> huge = f;
    huge[18] = 0xFF;
    huge[19] = 0xFF;
    huge[20] = 0xFF;  // width 16 million: the rows the file claims are not there
    EXPECT_EQ(load(huge), "BMP: pixel data cut short (252 of 452984829 bytes)");
    std::vector<BYTE> header = f;
    header[14] = 41;
    EXPECT_EQ(load(header), "BMP: unknown header size 41");
    std::vector<BYTE> depth = f;
    depth[28] = 7;
    EXPECT_EQ(load(depth), "BMP: unsupported depth of 7 bits per pixel");
    std::vector<BYTE> offset = f;
    offset[10] = 0xFF;
    offset[11] = 0xFF;
    offset[12] = 0xFF;
    EXPECT_EQ(load(offset), "BMP: no pixel data");
}

TEST(IconReader, ReadsTheLargestImageWithItsMaskAsAlpha) {
    // One 2 x 2 24-bit DIB image with an AND mask hiding the top-left pixel.
    std::vector<BYTE> f;
    Put16(f, 0);
    Put16(f, 1);
    Put16(f, 1);
    const unsigned dibSize = 40 + 2 * 8 + 2 * 4;
    f.push_back(2);
    f.push_back(2);
    f.push_back(0);
    f.push_back(0);
    Put16(f, 1);
    Put16(f, 24);
    Put32(f, dibSize);
    Put32(f, 6 + 16);
    Put32(f, 40);
    Put32(f, 2);
    Put32(f, 4);  // XOR and AND together
    Put16(f, 1);
    Put16(f, 24);
    for (int i = 0; i < 6; ++i) Put32(f, 0);
    const BYTE rows[16] = {10, 20, 30, 40, 50, 60, 0, 0, 70, 80, 90, 100, 110, 120, 0, 0};
    f.insert(f.end(), rows, rows + 16);
    Put32(f, 0);           // bottom mask row: all visible
    Put32(f, 0x00000080);  // top row: column 0 hidden
    CxImage icon(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_ICO);
    ASSERT_TRUE(icon.IsValid());
    EXPECT_EQ(icon.GetWidth(), 2u);
    EXPECT_EQ(icon.GetHeight(), 2u);
    EXPECT_EQ(icon.GetPixelColor(1, 1).rgbRed, 120);
    EXPECT_EQ(icon.AlphaGet(0, 1), 0);
    EXPECT_EQ(icon.AlphaGet(1, 1), 255);
    EXPECT_EQ(icon.AlphaGet(0, 0), 255);

    // The same directory pointing at a PNG image.
    CxImage png = Pattern(3, 2);
    BYTE* data = nullptr;
    long size = 0;
    ASSERT_TRUE(png.Encode(data, size, CXIMAGE_FORMAT_PNG));
    std::vector<BYTE> g;
    Put16(g, 0);
    Put16(g, 1);
    Put16(g, 1);
    g.insert(g.end(), {3, 2, 0, 0});
    Put16(g, 1);
    Put16(g, 32);
    Put32(g, static_cast<unsigned>(size));
    Put32(g, 22);
    g.insert(g.end(), data, data + size);
    CxImage::FreeMemory(data);
    CxImage fromPng(g.data(), static_cast<DWORD>(g.size()), CXIMAGE_FORMAT_ICO);
    EXPECT_TRUE(SamePixels(png, fromPng));
    g[18] = 0xFF;  // offset past the end: no readable image
    CxImage broken(g.data(), static_cast<DWORD>(g.size()), CXIMAGE_FORMAT_ICO);
    EXPECT_FALSE(broken.IsValid());
    EXPECT_STREQ(broken.GetLastError(), "ICO: no readable image");
}

TEST(TargaReader, ReadsRawRunLengthAndColourMappedFiles) {
    auto header = [](std::vector<BYTE>& f, int type, int mapType, int mapLen, int mapBits, int w, int h, int bpp,
                     int desc) {
        f = {0, static_cast<BYTE>(mapType), static_cast<BYTE>(type)};
        Put16(f, 0);
        Put16(f, mapLen);
        f.push_back(static_cast<BYTE>(mapBits));
        Put16(f, 0);
        Put16(f, 0);
        Put16(f, w);
        Put16(f, h);
        f.push_back(static_cast<BYTE>(bpp));
        f.push_back(static_cast<BYTE>(desc));
    };
    std::vector<BYTE> f;
    header(f, 2, 0, 0, 0, 2, 2, 24, 0);  // bottom-up raw
    const BYTE px[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    f.insert(f.end(), px, px + 12);
    CxImage raw(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA);
    ASSERT_TRUE(raw.IsValid());
    EXPECT_EQ(raw.GetPixelColor(0, 0).rgbBlue, 1);
    EXPECT_EQ(raw.GetPixelColor(1, 1).rgbRed, 12);
    f.resize(f.size() - 1);
    EXPECT_STREQ(CxImage(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA).GetLastError(),
                 "TGA: pixel data cut short");

    header(f, 10, 0, 0, 0, 3, 1, 32, 0x28);  // RLE, top-down, 8 alpha bits
    const BYTE packets[] = {0x82, 10, 20, 30, 99};
    f.insert(f.end(), packets, packets + sizeof packets);
    CxImage rle(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA);
    ASSERT_TRUE(rle.IsValid());
    EXPECT_EQ(rle.GetPixelColor(2, 0).rgbRed, 30);
    EXPECT_EQ(rle.AlphaGet(2, 0), 99);

    header(f, 1, 1, 2, 24, 2, 1, 8, 0);  // colour-mapped
    const BYTE map[] = {0, 0, 255, 255, 0, 0};
    f.insert(f.end(), map, map + 6);
    f.push_back(1);
    f.push_back(0);
    CxImage mapped(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA);
    ASSERT_TRUE(mapped.IsValid());
    EXPECT_EQ(mapped.GetPixelColor(0, 0).rgbBlue, 255);
    EXPECT_EQ(mapped.GetPixelColor(1, 0).rgbRed, 255);

    // An identification field longer than the file is a cut file, not pixels.
    header(f, 2, 0, 0, 0, 1, 1, 24, 0);
    f[0] = 200;
    f.insert(f.end(), {1, 2, 3});
    EXPECT_STREQ(CxImage(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA).GetLastError(),
                 "TGA: identification field cut short");
    f[0] = 3;  // the same bytes as the identification field leave no pixels
    EXPECT_STREQ(CxImage(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA).GetLastError(),
                 "TGA: pixel data cut short");
    f.insert(f.end(), {4, 5, 6});
    CxImage named(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_TGA);
    ASSERT_TRUE(named.IsValid());
    EXPECT_EQ(named.GetPixelColor(0, 0).rgbBlue, 4);
}

TEST(PcxReader, ReadsPalettedAndThreePlaneFiles) {
    auto header = [](int bits, int planes, int w, int h, int bytesPerLine) {
        std::vector<BYTE> f(128, 0);
        f[0] = 0x0A;
        f[1] = 5;
        f[2] = 1;
        f[3] = static_cast<BYTE>(bits);
        f[8] = static_cast<BYTE>(w - 1);
        f[10] = static_cast<BYTE>(h - 1);
        f[65] = static_cast<BYTE>(planes);
        f[66] = static_cast<BYTE>(bytesPerLine);
        return f;
    };
    std::vector<BYTE> f = header(8, 1, 3, 2, 4);
    const BYTE data[] = {0xC4, 7, 1, 2, 0xC1, 0xC9, 0};  // row 0: 7 7 7 7; row 1: 1 2 0xC9 0
    f.insert(f.end(), data, data + sizeof data);
    f.push_back(0x0C);
    for (int i = 0; i < 256; ++i) f.insert(f.end(), {static_cast<BYTE>(i), 0, static_cast<BYTE>(255 - i)});
    CxImage p(f.data(), static_cast<DWORD>(f.size()), CXIMAGE_FORMAT_PCX);
    ASSERT_TRUE(p.IsValid());
    EXPECT_EQ(p.GetBpp(), 8);
    EXPECT_EQ(p.GetPixelIndex(0, 1), 7);  // first stored row is the top
    EXPECT_EQ(p.GetPixelIndex(2, 0), 0xC9);
    EXPECT_EQ(p.GetPaletteColor(7).rgbRed, 7);
    EXPECT_EQ(p.GetPaletteColor(7).rgbBlue, 248);

    std::vector<BYTE> t = header(8, 3, 1, 1, 2);
    const BYTE planes[] = {180, 0, 100, 0, 50, 0};  // all below 0xC0, so no run codes
    t.insert(t.end(), planes, planes + 6);
    CxImage rgb(t.data(), static_cast<DWORD>(t.size()), CXIMAGE_FORMAT_PCX);
    ASSERT_TRUE(rgb.IsValid());
    EXPECT_EQ(rgb.GetPixelColor(0, 0).rgbRed, 180);
    EXPECT_EQ(rgb.GetPixelColor(0, 0).rgbBlue, 50);
    t.resize(t.size() - 2);
    EXPECT_FALSE(CxImage(t.data(), static_cast<DWORD>(t.size()), CXIMAGE_FORMAT_PCX).IsValid());
}
