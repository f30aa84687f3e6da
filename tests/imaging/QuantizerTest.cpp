// The octree quantizer, the filter registry and opening pictures by type.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "imaging/Quantizer.h"
#include "imaging/Vornic.h"
#include "imaging/extImage.h"
#include "platform/pavix/ximagif.h"
#include "platform/pavix/xmemfile.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

class OpenQuantizer : public CQuantizer {
public:
    using CQuantizer::CQuantizer;
    using CQuantizer::m_nColorBits;
    using CQuantizer::m_nMaxColors;
    using CQuantizer::m_pReducibleNodes;
    void Add(BYTE r, BYTE g, BYTE b) {
        AddColor(&m_pTree, r, g, b, 0, m_nColorBits, 0, &m_nLeafCount, m_pReducibleNodes);
    }
};

std::vector<RGBQUAD> Quantize(CxImage& p, UINT colors, UINT bits, UINT* leaves = nullptr) {
    CQuantizer q(colors, bits);
    EXPECT_EQ(q.ProcessImage(p.GetDIB()), 1);
    std::vector<RGBQUAD> palette(std::max<UINT>(colors, 256), RGBQUAD{0, 0, 0, 0});
    q.SetColorTable(palette.data());
    if (leaves) *leaves = q.GetColorCount();
    return palette;
}

}  // namespace

TEST(Quantizer, ASingleColourKeepsItsFullBytes) {
    CxImage p(7, 3, 24);
    for (long y = 0; y < 3; ++y)
        for (long x = 0; x < 7; ++x) p.SetPixelColor(x, y, RGBQUAD{51, 101, 201, 0});
    UINT leaves = 0;
    auto pal = Quantize(p, 256, 7, &leaves);
    EXPECT_EQ(leaves, 1u);
    EXPECT_EQ(pal[0].rgbRed, 201);
    EXPECT_EQ(pal[0].rgbGreen, 101);
    EXPECT_EQ(pal[0].rgbBlue, 51);
    EXPECT_EQ(pal[1].rgbRed, 0);  // the rest stays as the caller filled it
}

TEST(Quantizer, PaletteFollowsTreeOrderNotFirstAppearance) {
    CxImage p(3, 1, 24);
    p.SetPixelColor(0, 0, RGBQUAD{0, 0, 255, 0});  // red: child 4 at the top level
    p.SetPixelColor(1, 0, RGBQUAD{0, 255, 0, 0});  // green: child 2
    p.SetPixelColor(2, 0, RGBQUAD{255, 0, 0, 0});  // blue: child 1
    auto pal = Quantize(p, 256, 7);
    EXPECT_EQ(pal[0].rgbBlue, 255);
    EXPECT_EQ(pal[1].rgbGreen, 255);
    EXPECT_EQ(pal[2].rgbRed, 255);
}

TEST(Quantizer, FewerThanSixteenColoursMergeLeavesByWeight) {
    // Ten greys 0, 20, ... 180, grey i appearing i + 1 times; greys sort in tree order by value.
    CxImage p(55, 1, 24);
    long x = 0;
    for (int i = 0; i < 10; ++i)
        for (int k = 0; k <= i; ++k, ++x) {
            BYTE v = static_cast<BYTE>(20 * i);
            p.SetPixelColor(x, 0, RGBQUAD{v, v, v, 0});
        }
    UINT leaves = 0;
    auto pal = Quantize(p, 4, 7, &leaves);
    EXPECT_EQ(leaves, 10u);  // the working maximum is 16, so nothing was reduced
    // Leaves 0-1, 2-4, 5-6 and 7-9, weighted by their pixel counts.
    const int expected[4] = {40 / 3, 760 / 12, 1440 / 13, 4360 / 27};
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(pal[j].rgbRed, expected[j]) << j;
        EXPECT_EQ(pal[j].rgbBlue, expected[j]) << j;
    }
    EXPECT_EQ(pal[4].rgbRed, 0);
    // Asking for more than there are copies the leaves.
    auto all = Quantize(p, 12, 7);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(all[i].rgbGreen, 20 * i);
}

TEST(Quantizer, ManyColoursAreReducedToTheMaximum) {
    CxImage p(64, 64, 24);
    for (long y = 0; y < 64; ++y)
        for (long x = 0; x < 64; ++x)
            p.SetPixelColor(
                x, y, RGBQUAD{static_cast<BYTE>(x * 4), static_cast<BYTE>(y * 4), static_cast<BYTE>((x ^ y) * 4), 0});
    UINT leaves = 0;
    auto pal = Quantize(p, 256, 7, &leaves);
    EXPECT_LE(leaves, 256u);
    EXPECT_GT(leaves, 200u);
    std::set<std::uint32_t> distinct;
    for (UINT i = 0; i < leaves; ++i) distinct.insert(pal[i].rgbRed << 16 | pal[i].rgbGreen << 8 | pal[i].rgbBlue);
    EXPECT_GT(distinct.size(), 200u);
    UINT few = 0;
    Quantize(p, 16, 7, &few);
    EXPECT_LE(few, 16u);
}

TEST(Quantizer, InitRulesAndReducibleListOrder) {
    OpenQuantizer q(4, 7);
    EXPECT_EQ(q.m_nMaxColors, 16u);
    EXPECT_EQ(q.m_nColorBits, 7u);
    OpenQuantizer deep(300, 9);
    EXPECT_EQ(deep.m_nColorBits, 8u);
    EXPECT_EQ(deep.m_nMaxColors, 300u);
    // New reducible nodes go to the front of their level's list.
    OpenQuantizer two(256, 2);
    two.Add(0, 0, 0);
    NODE* first = two.m_pReducibleNodes[1];
    two.Add(255, 255, 255);
    NODE* second = two.m_pReducibleNodes[1];
    ASSERT_NE(first, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->pNext, first);
    EXPECT_EQ(two.GetColorCount(), 2u);
}

TEST(Quantizer, IndexedSourcesUseTheirColourTableAndOtherDepthsAreRefused) {
    CxImage p(4, 2, 4);
    p.SetPaletteColor(3, 10, 20, 30);
    p.SetPaletteColor(9, 200, 0, 100);
    for (long x = 0; x < 4; ++x) {
        p.SetPixelIndex(x, 0, 3);
        p.SetPixelIndex(x, 1, 9);
    }
    UINT leaves = 0;
    auto pal = Quantize(p, 256, 7, &leaves);
    EXPECT_EQ(leaves, 2u);
    EXPECT_EQ(pal[0].rgbRed, 10);  // (10,20,30) sorts before (200,0,100)
    EXPECT_EQ(pal[1].rgbRed, 200);

    for (WORD bits : {WORD{16}, WORD{32}, WORD{0}, WORD{2}}) {
        std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 64, 0x55);
        BITMAPINFOHEADER h = {};
        h.biSize = sizeof h;
        h.biWidth = 2;
        h.biHeight = 2;
        h.biPlanes = 1;
        h.biBitCount = bits;
        std::memcpy(dib.data(), &h, sizeof h);
        CQuantizer q(256, 7);
        EXPECT_EQ(q.ProcessImage(dib.data()), 0) << bits;
        EXPECT_EQ(q.GetColorCount(), 0u);
    }
}

TEST(FilterRegistry, AppendsTheNineNamesInListOrder) {
    std::vector<CString> names = {"already"};
    CVornic().getlist_support_filter(names);
    const std::vector<CString> expected = {"already",  "세피아",   "그린",   "블루",     "그레이",
                                           "Thresold", "모자이크", "뽀샤시", "선명하게", "흩뿌리기"};
    EXPECT_EQ(names, expected);
}

TEST(OpeningFiles, LibraryTypesGifFramesAndUnreadableFiles) {
    TempDir dir;
    CxImage png(5, 4, 24);
    FillPattern(png);
    ASSERT_TRUE(png.Save(dir.File("a.png").c_str(), CXIMAGE_FORMAT_PNG));
    extImage opened(dir.File("a.png").c_str(), CXIMAGE_FORMAT_PNG);
    EXPECT_TRUE(SamePixels(opened, png));

    // A one-frame GIF smaller than its logical screen, with a transparent index: composed on a
    // white screen, 24 bits, frame count 1.
    CxImage frame(2, 2, 8);
    frame.SetPaletteColor(0, 255, 0, 0);
    frame.SetPaletteColor(1, 0, 0, 255);
    frame.SetPixelIndex(0, 0, 1);  // bottom-left transparent
    frame.SetTransIndex(1);
    frame.SetOffset(1, 1);
    CxImage pad(4, 3, 8);  // a second, larger frame sets the logical screen to 4 x 3
    pad.Clear(0);
    CxImage* one[1] = {&frame};
    CxImage* two[2] = {&frame, &pad};
    for (int count : {1, 2}) {
        CxImageGIF gif;
        CxMemFile mem;
        mem.Open();
        ASSERT_TRUE(gif.Encode(&mem, count == 1 ? one : two, count));
        std::vector<BYTE> bytes(mem.GetBuffer(false), mem.GetBuffer(false) + mem.Size());
        WriteBytes(dir.File("g.gif"), bytes);
        extImage g(dir.File("g.gif").c_str(), 2);
        ASSERT_TRUE(g.IsValid());
        EXPECT_EQ(g.GetBpp(), 24);
        EXPECT_EQ(g.GetNumFrames(), count == 1 ? 1 : 2);
        long screenW = count == 1 ? 3 : 4, screenH = 3;
        EXPECT_EQ(g.GetWidth(), static_cast<DWORD>(screenW));
        EXPECT_EQ(g.GetHeight(), static_cast<DWORD>(screenH));
        auto at = [&](long c, long r) { return g.GetPixelColor(c, screenH - 1 - r); };
        EXPECT_TRUE(SameColour(at(0, 0), RGBQUAD{255, 255, 255, 0}));  // outside the frame: white
        EXPECT_TRUE(SameColour(at(1, 1), RGBQUAD{0, 0, 255, 0}));      // frame's top-left: red
        EXPECT_TRUE(SameColour(at(1, 2), RGBQUAD{255, 255, 255, 0}));  // transparent: white
    }
    for (unsigned long type : {20ul, 21ul}) {
        extImage phone(dir.File("a.png").c_str(), type);
        EXPECT_FALSE(phone.IsValid());
    }
    extImage missing(dir.File("none.gif").c_str(), 2);
    EXPECT_FALSE(missing.IsValid());
    WriteBytes(dir.File("bad.gif"), {'G', 'I', 'F', '8', '9', 'a', 1});
    extImage bad(dir.File("bad.gif").c_str(), 2);
    EXPECT_FALSE(bad.IsValid());
    // Deleting through the base works across the hierarchy.
    CxImage* owned = new extImage(dir.File("a.png").c_str(), CXIMAGE_FORMAT_PNG);
    delete owned;
}
