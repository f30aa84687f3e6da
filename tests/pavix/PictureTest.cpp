// CxImage life, layout, pixel access, selection, alpha and colour conversions.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/pavix/ximage.h"
#include "platform/pavix/xmemfile.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

TEST(PictureLayout, RowsRunBottomUpPaddedToFourBytesInBlueGreenRed) {
    for (DWORD w : {1u, 2u, 3u, 4u, 5u, 7u}) {
        CxImage p(w, 3, 24);
        ASSERT_TRUE(p.IsValid());
        EXPECT_EQ(p.GetEffWidth(), (w * 3 + 3) / 4 * 4) << w;
        EXPECT_EQ(p.GetImageSize(), p.GetEffWidth() * 3);
    }
    CxImage p(5, 3, 24);
    p.SetPixelColor(0, 0, RGBQUAD{1, 2, 3, 0});  // library row 0 = bottom row of the picture
    p.SetPixelColor(4, 2, RGB(40, 50, 60));
    EXPECT_EQ(p.GetBits(0)[0], 1);
    EXPECT_EQ(p.GetBits(0)[1], 2);
    EXPECT_EQ(p.GetBits(0)[2], 3);
    EXPECT_EQ(p.GetBits(2)[12], 60);  // blue first
    EXPECT_EQ(p.GetBits(2)[14], 40);
    EXPECT_EQ(p.GetBits(2), p.GetBits(0) + 2 * 16);
    EXPECT_EQ(p.GetBits(3), nullptr);
    // The DIB block starts with its header, the pixels follow it.
    auto* header = static_cast<const BITMAPINFOHEADER*>(p.GetDIB());
    EXPECT_EQ(header->biWidth, 5);
    EXPECT_EQ(header->biHeight, 3);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(static_cast<BYTE*>(p.GetDIB()) + 40, p.GetBits(0));
}

TEST(PictureLayout, DepthsRoundUpAndIndexedPicturesCarryAPalette) {
    EXPECT_EQ(CxImage(3, 3, 2).GetBpp(), 4);
    EXPECT_EQ(CxImage(3, 3, 16).GetBpp(), 24);
    EXPECT_EQ(CxImage(3, 3, 32).GetBpp(), 24);
    CxImage p(9, 2, 4);
    EXPECT_EQ(p.GetNumColors(), 16u);
    EXPECT_EQ(p.GetEffWidth(), 8u);
    p.SetPaletteColor(5, 10, 20, 30);
    p.SetPixelIndex(8, 1, 5);
    p.SetPixelIndex(7, 1, 3);
    EXPECT_EQ(p.GetBits(1)[3], 0x03);  // column 7 in the low nibble of byte 3
    EXPECT_EQ(p.GetBits(1)[4], 0x50);  // column 8 in the high nibble of byte 4
    RGBQUAD c = p.GetPixelColor(8, 1);
    EXPECT_EQ(c.rgbRed, 10);
    EXPECT_EQ(c.rgbBlue, 30);
    CxImage one(10, 1, 1);
    one.SetPixelIndex(0, 0, 1);
    one.SetPixelIndex(9, 0, 1);
    EXPECT_EQ(one.GetBits(0)[0], 0x80);
    EXPECT_EQ(one.GetBits(0)[1], 0x40);
}

TEST(PictureLayout, EmptyAndOversizedPicturesAreInvalid) {
    CxImage p;
    EXPECT_FALSE(p.IsValid());
    EXPECT_EQ(p.GetWidth(), 0u);
    EXPECT_EQ(p.Create(0, 5, 24), nullptr);
    EXPECT_FALSE(p.IsValid());
    std::uint64_t limit = pavix::GetMemoryLimit();
    pavix::SetMemoryLimit(1 << 20);
    EXPECT_EQ(p.Create(1000, 1000, 24), nullptr);
    EXPECT_NE(p.Create(100, 100, 24), nullptr);
    pavix::SetMemoryLimit(limit);
    EXPECT_FALSE(p.Crop(0, 0, 0, 10));
    CxImage empty;
    EXPECT_FALSE(empty.Resample(10, 10));
    EXPECT_FALSE(empty.Filter(nullptr, 3, 1, 0));
}

TEST(PixelAccess, OutsideThePictureAnswersWithCornerOrTransparentColour) {
    CxImage p(3, 2, 24);
    FillPattern(p);
    EXPECT_TRUE(SameColour(p.GetPixelColor(-1, 0), p.GetPixelColor(0, 0)));
    EXPECT_TRUE(SameColour(p.GetPixelColor(3, 5), p.GetPixelColor(0, 0)));
    p.SetTransIndex(0);
    p.SetTransColor(RGBQUAD{0, 255, 0, 0});
    RGBQUAD t = p.GetPixelColor(-1, -1);
    EXPECT_EQ(t.rgbGreen, 255);
    EXPECT_EQ(t.rgbRed, 0);
    p.SetPixelColor(7, 7, RGBQUAD{1, 1, 1, 0});  // ignored, no crash
    EXPECT_FALSE(p.IsInside(3, 0));
    EXPECT_TRUE(p.IsInside(2, 1));

    CxImage idx(2, 2, 8);
    idx.SetPaletteColor(9, 1, 2, 3);
    idx.SetPixelIndex(0, 0, 9);
    EXPECT_EQ(idx.GetPixelIndex(-5, 0), 9);
    idx.SetTransIndex(4);
    EXPECT_EQ(idx.GetPixelIndex(-5, 0), 4);
}

TEST(PixelAccess, NearestIndexTakesTheFirstClosestEntryWithinImportantColours) {
    CxImage p(1, 1, 8);
    p.SetPaletteColor(0, 0, 0, 0);
    p.SetPaletteColor(1, 100, 100, 100);
    p.SetPaletteColor(2, 100, 100, 100);
    p.SetPaletteColor(3, 250, 0, 0);
    for (int i = 4; i < 256; ++i) p.SetPaletteColor(static_cast<BYTE>(i), 255, 255, 255);
    EXPECT_EQ(p.GetNearestIndex(RGBQUAD{90, 90, 90, 0}), 1);
    EXPECT_EQ(p.GetNearestIndex(RGBQUAD{0, 0, 255, 0}), 3);
    EXPECT_EQ(p.GetNearestIndex(RGBQUAD{250, 250, 250, 0}), 4);
    p.SetPixelColor(0, 0, RGBQUAD{0, 0, 240, 0});
    EXPECT_EQ(p.GetPixelIndex(0, 0), 3);
}

TEST(PictureLife, CopyChoosesPixelsSelectionAndAlpha) {
    CxImage p(4, 3, 24);
    FillPattern(p);
    p.SelectionAddRect(RECT(1, 1, 2, 2));
    p.AlphaCreate();
    p.AlphaSet(2, 1, 77);
    p.SetTransIndex(0);
    p.SetTransColor(RGBQUAD{1, 2, 3, 0});
    p.SetFrameDelay(25);

    CxImage all(p);
    EXPECT_TRUE(SamePixels(all, p));
    EXPECT_TRUE(all.SelectionIsValid());
    EXPECT_EQ(all.AlphaGet(2, 1), 77);
    EXPECT_EQ(all.GetTransColor().rgbRed, 3);
    EXPECT_EQ(all.GetFrameDelay(), 25u);

    CxImage bare(p, false, false, false);
    EXPECT_EQ(bare.GetWidth(), 4u);
    EXPECT_EQ(bare.GetPixelColor(3, 2).rgbRed, 0);
    EXPECT_FALSE(bare.SelectionIsValid());
    EXPECT_FALSE(bare.AlphaIsValid());
    EXPECT_EQ(bare.GetTransColor().rgbBlue, 1);  // attributes always travel
}

TEST(PictureLife, TransferMovesEverythingAndCopyInfoOnlyFillsAnEmptyPicture) {
    CxImage a(6, 5, 24);
    FillPattern(a);
    a.SetFrameDelay(9);
    CxImage reference(a);
    CxImage b(2, 2, 8);
    b.Transfer(a);
    EXPECT_FALSE(a.IsValid());
    EXPECT_TRUE(SamePixels(b, reference));
    EXPECT_EQ(b.GetFrameDelay(), 9u);

    CxImage info;
    info.CopyInfo(b);
    EXPECT_EQ(info.GetFrameDelay(), 9u);
    EXPECT_FALSE(info.IsValid());
    CxImage full(1, 1, 24);
    full.CopyInfo(b);
    EXPECT_EQ(full.GetFrameDelay(), 0u);

    b.Clear(0x7F);
    EXPECT_EQ(b.GetPixelColor(5, 4).rgbGreen, 0x7F);
}

TEST(PictureLife, CreateFromArrayReadsTopDownAndBottomUpRows) {
    const BYTE rows[2][8] = {{1, 2, 3, 4, 5, 6, 0, 0}, {7, 8, 9, 10, 11, 12, 0, 0}};
    CxImage p;
    ASSERT_TRUE(p.CreateFromArray(&rows[0][0], 2, 2, 24, 8, true));
    EXPECT_EQ(p.GetPixelColor(0, 1).rgbBlue, 1);  // first array row on top
    EXPECT_EQ(p.GetPixelColor(1, 0).rgbRed, 12);
    ASSERT_TRUE(p.CreateFromArray(&rows[0][0], 2, 2, 24, 8, false));
    EXPECT_EQ(p.GetPixelColor(0, 0).rgbBlue, 1);
    EXPECT_FALSE(p.CreateFromArray(&rows[0][0], 2, 2, 24, 4, false));  // rows too short
}

TEST(Selection, RectanglesUseLibraryRowsWithInclusiveRightAndTop) {
    CxImage p(10, 8, 24);
    EXPECT_TRUE(p.SelectionAddRect(RECT(2, 5, 4, 1)));
    RECT box;
    p.SelectionGetBox(box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(box.bottom, 1);
    EXPECT_EQ(box.top, 6);
    EXPECT_TRUE(p.SelectionIsInside(4, 5));
    EXPECT_FALSE(p.SelectionIsInside(5, 5));
    EXPECT_FALSE(p.SelectionIsInside(2, 0));
    // The whole-picture form callers use, clipped to the picture.
    CxImage q(10, 8, 24);
    q.SelectionAddRect(RECT(0, 0, 10, 8));
    q.SelectionGetBox(box);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.top, 8);
    EXPECT_TRUE(q.SelectionIsInside(9, 7));
}

TEST(Alpha, StripBlendsWithTheBackgroundColour) {
    CxImage p(2, 1, 24);
    p.SetPixelColor(0, 0, RGBQUAD{0, 0, 0, 0});
    p.SetPixelColor(1, 0, RGBQUAD{200, 100, 0, 0});
    p.SetTransColor(RGBQUAD{255, 255, 255, 0});
    ASSERT_TRUE(p.AlphaCreate());
    p.AlphaSet(0, 0, 0);
    p.AlphaSet(1, 0, 255);
    EXPECT_TRUE(p.AlphaStrip());
    EXPECT_FALSE(p.AlphaIsValid());
    EXPECT_EQ(p.GetPixelColor(0, 0).rgbRed, 255);   // fully transparent: background
    EXPECT_EQ(p.GetPixelColor(1, 0).rgbBlue, 200);  // opaque: unchanged
    EXPECT_EQ(p.GetPixelColor(1, 0).rgbRed, 0);
    EXPECT_FALSE(p.AlphaStrip());
}

TEST(ColourSpaces, HslUsesTheLibraryPackingAndComesBack) {
    RGBQUAD red = CxImage::RGBtoHSL(RGBQUAD{0, 0, 255, 0});
    EXPECT_EQ(red.rgbRed, 0);      // hue
    EXPECT_EQ(red.rgbGreen, 255);  // saturation
    EXPECT_EQ(red.rgbBlue, 128);   // lightness
    RGBQUAD grey = CxImage::RGBtoHSL(RGBQUAD{90, 90, 90, 0});
    EXPECT_EQ(grey.rgbRed, 170);
    EXPECT_EQ(grey.rgbGreen, 0);
    EXPECT_EQ(grey.rgbBlue, 90);
    RGBQUAD green = CxImage::RGBtoHSL(RGBQUAD{0, 255, 0, 0});
    EXPECT_EQ(green.rgbRed, 85);
    for (RGBQUAD c : {RGBQUAD{10, 200, 30, 0}, RGBQUAD{255, 255, 255, 0}, RGBQUAD{40, 80, 160, 0}}) {
        RGBQUAD back = CxImage::HSLtoRGB(CxImage::RGBtoHSL(c));
        EXPECT_NEAR(back.rgbRed, c.rgbRed, 3);
        EXPECT_NEAR(back.rgbGreen, c.rgbGreen, 3);
        EXPECT_NEAR(back.rgbBlue, c.rgbBlue, 3);
    }
}

TEST(MemoryFile, ReadsWritesAndSeeksWithinBounds) {
    CxMemFile f;
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.Write("abcdef", 1, 6), 6u);
    EXPECT_TRUE(f.Seek(2, SEEK_SET));
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 1, 8), 4u);
    EXPECT_STREQ(buf, "cdef");
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.GetC(), -1);
    EXPECT_FALSE(f.Seek(-1, SEEK_SET));
    EXPECT_TRUE(f.Seek(10, SEEK_SET));  // past the end grows the file with zeros
    EXPECT_EQ(f.Size(), 10);
    BYTE fixed[4] = {9, 8, 7, 6};
    CxMemFile borrowed(fixed, 4);
    EXPECT_EQ(borrowed.GetC(), 9);
    EXPECT_EQ(borrowed.Read(buf, 2, 2), 1u);     // whole items only
    EXPECT_EQ(borrowed.Write("xyz", 1, 3), 0u);  // a borrowed block does not grow
}
