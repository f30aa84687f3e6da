// extImage colour effects, neighbourhood filters and pixel copies.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "imaging/extImage.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

extImage Uniform(DWORD w, DWORD h, RGBQUAD c) {
    extImage p(w, h, 24);
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x) p.SetPixelColor(x, y, c);
    return p;
}

extImage Pattern(DWORD w, DWORD h) {
    extImage p(w, h, 24);
    FillPattern(p);
    return p;
}

RGBQUAD Bgr(int b, int g, int r) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

// Colour at picture coordinates (row 0 at the top).
RGBQUAD At(const CxImage& p, long col, long row) {
    return p.GetPixelColor(col, static_cast<long>(p.GetHeight()) - 1 - row);
}

}  // namespace

TEST(ColourEffects, GreyThresholdAndConcentrationArithmetic) {
    extImage red = Uniform(3, 2, Bgr(0, 0, 255));
    red.GrayScale24();
    EXPECT_TRUE(SameColour(red.GetPixelColor(2, 1), Bgr(76, 76, 76)));
    extImage white = Uniform(1, 1, Bgr(255, 255, 255));
    white.GrayScale24();
    EXPECT_TRUE(SameColour(white.GetPixelColor(0, 0), Bgr(255, 255, 255)));

    extImage t(2, 1, 24);
    t.SetPixelColor(0, 0, Bgr(128, 255, 255));
    t.SetPixelColor(1, 0, Bgr(129, 0, 0));
    extImage dst(2, 1, 24);
    t.Thresold24(128, &dst);
    EXPECT_TRUE(SameColour(dst.GetPixelColor(0, 0), Bgr(0, 0, 0)));  // only blue is tested
    EXPECT_TRUE(SameColour(dst.GetPixelColor(1, 0), Bgr(255, 255, 255)));
    EXPECT_TRUE(SameColour(t.GetPixelColor(0, 0), Bgr(128, 255, 255)));  // the source stays
    t.Thresold24(128);
    EXPECT_TRUE(SameColour(t.GetPixelColor(1, 0), Bgr(255, 255, 255)));

    extImage c = Uniform(1, 1, Bgr(30, 100, 230));
    c.Concentration(CHANNEL_RED, 50);
    c.Concentration(CHANNEL_BLUE, -50);
    EXPECT_TRUE(SameColour(c.GetPixelColor(0, 0), Bgr(0, 100, 255)));
    // Padding bytes are left alone.
    extImage pad = Uniform(1, 1, Bgr(9, 9, 9));
    pad.GetBits(0)[3] = 77;
    pad.GrayScale24();
    pad.Concentration(CHANNEL_BLUE, 10);
    EXPECT_EQ(pad.GetBits(0)[3], 77);
}

TEST(ColourEffects, SepiaGreenAndBlueAreBuiltFromGreyAndConcentration) {
    extImage p = Uniform(1, 1, Bgr(40, 160, 90));
    p.GrayScale24();
    int g = (117 * 40 + 601 * 160 + 306 * 90) >> 10;
    p.Concentration(CHANNEL_RED, 50);
    p.Concentration(CHANNEL_BLUE, -50);
    EXPECT_TRUE(SameColour(p.GetPixelColor(0, 0), Bgr(g - 50, g, g + 50)));
}

TEST(ColourEffects, BrightScalesSelectedPixelsOrThePalette) {
    extImage p = Uniform(3, 3, Bgr(255, 255, 255));
    p.SelectionAddRect(RECT(0, 0, 3, 3));
    EXPECT_TRUE(p.bright(50));
    EXPECT_TRUE(SameColour(p.GetPixelColor(1, 1), Bgr(127, 127, 127)));
    extImage q = Uniform(3, 3, Bgr(255, 255, 255));
    q.SelectionAddRect(RECT(0, 0, 0, 0));  // only library pixel (0, 0)
    q.bright(70);
    EXPECT_TRUE(SameColour(q.GetPixelColor(0, 0), Bgr(178, 178, 178)));
    EXPECT_TRUE(SameColour(q.GetPixelColor(1, 0), Bgr(255, 255, 255)));
    extImage over = Uniform(1, 1, Bgr(200, 100, 10));
    over.bright(200);
    EXPECT_TRUE(SameColour(over.GetPixelColor(0, 0), Bgr(255, 200, 20)));

    extImage idx(2, 2, 8);
    idx.SetPaletteColor(0, 200, 100, 50);
    idx.SetPixelIndex(0, 0, 0);
    EXPECT_TRUE(idx.bright(50));
    EXPECT_EQ(idx.GetPaletteColor(0).rgbRed, 100);
    EXPECT_EQ(idx.GetPaletteColor(0).rgbBlue, 25);
    EXPECT_EQ(idx.GetPixelIndex(0, 0), 0);

    extImage empty;
    EXPECT_FALSE(empty.bright(50));
    RGBQUAD key = Bgr(0, 255, 0);
    extImage::get_transcolor_fromnum(key, 70);
    EXPECT_TRUE(SameColour(key, Bgr(0, 178, 0)));
}

TEST(ColourEffects, LightKeepsTheSinglePrecisionShortfall) {
    extImage src(256, 1, 24);
    for (long x = 0; x < 256; ++x) src.SetPixelColor(x, 0, Bgr(x, x, x));
    auto mapped = [&](long b, long c, int v) {
        extImage out(src, false, false, false);
        EXPECT_TRUE(out.Light(b, c, &src));
        return static_cast<int>(out.GetPixelColor(v, 0).rgbGreen);
    };
    for (int v = 0; v <= 128; ++v) EXPECT_EQ(mapped(0, 0, v), v);
    EXPECT_EQ(mapped(0, 0, 129), 128);
    EXPECT_EQ(mapped(0, 0, 200), 199);
    EXPECT_EQ(mapped(0, 0, 255), 254);
    EXPECT_EQ(mapped(0, 100, 64), 0);
    EXPECT_EQ(mapped(0, 100, 128), 128);
    EXPECT_EQ(mapped(0, 100, 129), 129);
    EXPECT_EQ(mapped(0, 100, 192), 255);
    EXPECT_EQ(mapped(50, 0, 0), 50);
    EXPECT_EQ(mapped(50, 0, 255), 255);
    // The largest contrasts a caller can pass still mean "more contrast", never wrap around.
    EXPECT_EQ(mapped(0, LONG_MAX, 127), 0);
    EXPECT_EQ(mapped(0, LONG_MAX, 128), 128);
    EXPECT_EQ(mapped(0, LONG_MAX, 129), 255);
    EXPECT_EQ(mapped(LONG_MAX, 0, 0), 255);
    EXPECT_EQ(mapped(LONG_MIN, LONG_MIN, 255), 0);
    // The source is untouched; an indexed picture is left as it is, yet the answer is true.
    EXPECT_EQ(src.GetPixelColor(200, 0).rgbRed, 200);
    extImage idx(2, 2, 8);
    idx.SetPaletteColor(0, 9, 9, 9);
    EXPECT_TRUE(idx.Light(100, 100, &idx));
    EXPECT_EQ(idx.GetPaletteColor(0).rgbRed, 9);
    // The library's own Light uses the same table.
    extImage lib(src);
    lib.Light(0, 100);
    EXPECT_EQ(lib.GetPixelColor(192, 0).rgbRed, 255);
    EXPECT_EQ(lib.GetPixelColor(129, 0).rgbRed, 129);
}

TEST(ColourEffects, RedEyeRemovalInPictureCoordinates) {
    extImage p(3, 2, 24);
    p.SetPixelColor(0, 1, Bgr(40, 40, 200));  // top-left
    p.SetPixelColor(1, 1, Bgr(0, 0, 50));     // red 50 never changes
    p.SetPixelColor(2, 1, Bgr(100, 100, 120));
    p.SetPixelColor(0, 0, Bgr(40, 40, 200));  // bottom row, outside the rectangle
    p.RedEyeRemove(CRect(0, 0, 3, 1));
    EXPECT_TRUE(SameColour(p.GetPixelColor(0, 1), Bgr(40, 40, 40)));
    EXPECT_TRUE(SameColour(p.GetPixelColor(1, 1), Bgr(0, 0, 50)));
    EXPECT_TRUE(SameColour(p.GetPixelColor(2, 1), Bgr(100, 100, 120)));
    EXPECT_TRUE(SameColour(p.GetPixelColor(0, 0), Bgr(40, 40, 200)));
    p.RedEyeRemove(CRect(-100, -100, 100000, 100000));  // oversize rectangles stay inside the picture
    EXPECT_TRUE(SameColour(p.GetPixelColor(0, 0), Bgr(40, 40, 40)));
    p.RedEyeRemove(CRect(0, 1, 3, 1));  // empty: nothing
}

TEST(NeighbourFilters, PixelateTakesTheFirstPixelOfEachBlockFromTheBottomLeft) {
    extImage p(12, 6, 24);
    FillPattern(p);
    extImage out;
    p.Pixelate(5, false, &out);
    EXPECT_EQ(out.GetWidth(), 12u);
    for (long y = 0; y < 6; ++y) {
        long sy = y < 5 ? 0 : 5;  // rows 0-4 are a block; row 5 reaches the top and keeps its own
        for (long x = 0; x < 12; ++x) {
            long sx = x < 5 ? 0 : x < 10 ? 5 : x;
            ASSERT_TRUE(SameColour(out.GetPixelColor(x, y), p.GetPixelColor(sx, sy))) << x << "," << y;
        }
    }
    extImage q(10, 1, 24);
    FillPattern(q);
    extImage r(q);
    r.Pixelate(5, false, nullptr);
    for (long x = 5; x < 10; ++x) EXPECT_TRUE(SameColour(r.GetPixelColor(x, 0), q.GetPixelColor(x, 0)));
    EXPECT_TRUE(SameColour(r.GetPixelColor(4, 0), q.GetPixelColor(0, 0)));
    // Grid mode: first column and first row of each block come from column 0 / row 0.
    extImage g(12, 12, 24);
    FillPattern(g);
    extImage grid;
    g.Pixelate(5, true, &grid);
    EXPECT_TRUE(SameColour(grid.GetPixelColor(5, 7), g.GetPixelColor(0, 5)));
    EXPECT_TRUE(SameColour(grid.GetPixelColor(6, 5), g.GetPixelColor(5, 0)));
    EXPECT_TRUE(SameColour(grid.GetPixelColor(6, 7), g.GetPixelColor(5, 5)));
    extImage zero(q);
    zero.Pixelate(0, false, nullptr);  // no block size: nothing happens
    EXPECT_TRUE(SamePixels(zero, q));
}

TEST(NeighbourFilters, ContourKeepsTheNeighbourValueNotTheDifference) {
    extImage u = Uniform(5, 4, Bgr(10, 120, 200));
    EXPECT_TRUE(u.Contour(3, nullptr));
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 5; ++x) EXPECT_TRUE(SameColour(u.GetPixelColor(x, y), Bgr(255, 255, 255)));
    extImage p = Uniform(3, 3, Bgr(100, 100, 100));
    p.SetPixelColor(2, 1, Bgr(150, 100, 90));
    extImage out;
    p.Contour(3, &out);
    // Centre: the brighter blue neighbour (150) counts by its value: 255 - 150.
    EXPECT_TRUE(SameColour(out.GetPixelColor(1, 1), Bgr(105, 255, 255)));
    EXPECT_TRUE(SameColour(p.GetPixelColor(1, 1), Bgr(100, 100, 100)));
    // The bright pixel itself: its darker neighbours never count, the red one does not either.
    EXPECT_TRUE(SameColour(out.GetPixelColor(2, 1), Bgr(255, 255, 155)));
}

TEST(NeighbourFilters, DilateAndErodeUseATwoByTwoWindowLeftAndDown) {
    extImage p = Uniform(4, 4, Bgr(100, 100, 100));
    p.SetPixelColor(1, 1, Bgr(200, 50, 100));
    extImage d, e;
    ASSERT_TRUE(p.Dilate(2, &d));
    ASSERT_TRUE(p.Erode(2, &e));
    // The window of (x, y) is x-1..x by y-1..y: the special pixel reaches (1,1), (2,1), (1,2), (2,2).
    for (long y = 0; y < 4; ++y)
        for (long x = 0; x < 4; ++x) {
            bool reached = (x == 1 || x == 2) && (y == 1 || y == 2);
            EXPECT_TRUE(SameColour(d.GetPixelColor(x, y), reached ? Bgr(200, 100, 100) : Bgr(100, 100, 100)))
                << x << "," << y;
            EXPECT_TRUE(SameColour(e.GetPixelColor(x, y), reached ? Bgr(100, 50, 100) : Bgr(100, 100, 100)))
                << x << "," << y;
        }
    extImage empty;
    EXPECT_FALSE(empty.Dilate(2, nullptr));
    EXPECT_FALSE(empty.Erode(2, nullptr));
    EXPECT_FALSE(empty.Contour(3, nullptr));
    EXPECT_FALSE(empty.Jitter(2, nullptr));
    EXPECT_FALSE(empty.Noise(5, &d));
}

TEST(NeighbourFilters, JitterTakesPixelsFromWithinTheRadius) {
    extImage p(20, 20, 24);
    for (long y = 0; y < 20; ++y)
        for (long x = 0; x < 20; ++x) p.SetPixelColor(x, y, Bgr(x, y, 0));
    extImage same;
    p.Jitter(0, &same);
    EXPECT_TRUE(SamePixels(same, p));
    extImage out;
    ASSERT_TRUE(p.Jitter(2, &out));
    int moved = 0;
    for (long y = 0; y < 20; ++y)
        for (long x = 0; x < 20; ++x) {
            RGBQUAD c = out.GetPixelColor(x, y);
            EXPECT_LE(std::abs(c.rgbBlue - x), 2);
            EXPECT_LE(std::abs(c.rgbGreen - y), 2);
            moved += c.rgbBlue != x || c.rgbGreen != y;
        }
    EXPECT_GT(moved, 100);
    // Indexed pictures move indexes.
    extImage idx(6, 6, 8);
    idx.Clear(4);
    extImage moved8;
    idx.Jitter(2, &moved8);
    EXPECT_EQ(moved8.GetBpp(), 8);
    EXPECT_EQ(moved8.GetPixelIndex(3, 3), 4);
}

TEST(NeighbourFilters, NoiseWritesIntoTheDestination) {
    extImage p(6, 5, 24);
    FillPattern(p);
    extImage dst(6, 5, 24);
    ASSERT_TRUE(p.Noise(0, &dst));
    EXPECT_TRUE(SamePixels(dst, p));
    extImage noisy(6, 5, 24);
    p.Noise(60, &noisy);
    int changed = 0;
    for (long y = 0; y < 5; ++y)
        for (long x = 0; x < 6; ++x) {
            RGBQUAD a = p.GetPixelColor(x, y), b = noisy.GetPixelColor(x, y);
            EXPECT_LE(std::abs(a.rgbRed - b.rgbRed), 30);
            changed += !SameColour(a, b);
        }
    EXPECT_GT(changed, 10);
    EXPECT_FALSE(p.Noise(10, nullptr));
    // A destination of another size is made to fit first.
    extImage small(1, 1, 24);
    EXPECT_TRUE(p.Noise(0, &small));
    EXPECT_TRUE(SamePixels(small, p));
}

TEST(NeighbourFilters, SelectionLimitsTheWindowFilters) {
    extImage p = Uniform(6, 6, Bgr(100, 100, 100));
    p.SetPixelColor(0, 0, Bgr(250, 250, 250));
    p.SetPixelColor(5, 5, Bgr(250, 250, 250));
    p.SelectionAddRect(RECT(0, 0, 1, 1));
    extImage out;
    p.Dilate(3, &out);
    EXPECT_TRUE(SameColour(out.GetPixelColor(1, 1), Bgr(250, 250, 250)));
    EXPECT_TRUE(SameColour(out.GetPixelColor(4, 4), Bgr(100, 100, 100)));  // outside the box: copied as it was
}

TEST(PixelCopies, CopyPixelCopiesTheSamePlaceClipped) {
    extImage dst = Uniform(5, 4, Bgr(0, 0, 0));
    extImage src = Pattern(5, 4);
    dst.CopyPixel(CRect(1, 1, 3, 3), &src);
    for (long r = 0; r < 4; ++r)
        for (long c = 0; c < 5; ++c) {
            bool inside = c >= 1 && c < 3 && r >= 1 && r < 3;
            EXPECT_TRUE(SameColour(At(dst, c, r), inside ? At(src, c, r) : Bgr(0, 0, 0))) << c << "," << r;
        }
    dst.CopyPixel(-5, -5, 50, 50, &src);
    EXPECT_TRUE(SamePixels(dst, src));
    extImage narrow = Pattern(2, 4);
    dst.CopyPixel(0, 0, 5, 4, &narrow);  // a narrower source is read only as far as it goes
    EXPECT_TRUE(SameColour(At(dst, 1, 0), At(narrow, 1, 0)));
}

TEST(PixelCopies, CopyPixelDiffMovesABlockBetweenPictures) {
    extImage dst = Uniform(6, 5, Bgr(0, 0, 0));
    extImage src = Pattern(4, 3);
    dst.CopyPixelDiff(3, 2, &src, 1, 0, 2, 2);
    EXPECT_TRUE(SameColour(At(dst, 3, 2), At(src, 1, 0)));
    EXPECT_TRUE(SameColour(At(dst, 4, 3), At(src, 2, 1)));
    EXPECT_TRUE(SameColour(At(dst, 5, 2), Bgr(0, 0, 0)));
    EXPECT_TRUE(SameColour(At(dst, 3, 4), Bgr(0, 0, 0)));
    dst.CopyPixelDiff(5, 4, &src, 0, 0, 10, 10);  // clipped to both pictures
    EXPECT_TRUE(SameColour(At(dst, 5, 4), At(src, 0, 0)));
}

TEST(PixelCopies, CopyPixelWithTransLeavesOutTheKeyColour) {
    extImage dst = Uniform(4, 4, Bgr(1, 1, 1));
    extImage src = Pattern(6, 5);
    src.SetTransIndex(0);
    src.SetTransColor(Bgr(0, 255, 0));
    for (long r = 0; r < 5; ++r) src.SetPixelColor(4, 4 - r, Bgr(0, 255, 0));  // source column 4 is key colour
    // Placed at (-3, -2): source column 3, row 2 lands on (0, 0).
    dst.CopyPixelWithTrans(&src, CRect(-3, -2, 3, 3));
    EXPECT_TRUE(SameColour(At(dst, 0, 0), At(src, 3, 2)));
    EXPECT_TRUE(SameColour(At(dst, 2, 2), At(src, 5, 4)));
    EXPECT_TRUE(SameColour(At(dst, 1, 0), Bgr(1, 1, 1)));  // key colour left out
    EXPECT_TRUE(SameColour(At(dst, 3, 0), Bgr(1, 1, 1)));  // outside the rectangle
    // White text stays: the text key differs from white in blue only.
    extImage text = Uniform(2, 1, Bgr(254, 255, 255));
    text.SetPixelColor(1, 0, Bgr(255, 255, 255));
    text.SetTransIndex(0);
    text.SetTransColor(Bgr(254, 255, 255));
    extImage white = Uniform(2, 1, Bgr(255, 255, 255));
    extImage canvas = Uniform(2, 1, Bgr(9, 9, 9));
    canvas.CopyPixelWithTrans(&text, CRect(0, 0, 2, 1));
    EXPECT_TRUE(SameColour(canvas.GetPixelColor(0, 0), Bgr(9, 9, 9)));
    EXPECT_TRUE(SameColour(canvas.GetPixelColor(1, 0), Bgr(255, 255, 255)));
    canvas.CopyPixelWithTrans(&text, CRect(50, 50, 60, 60));  // entirely outside: nothing
}

TEST(NeighbourFilters, TrueColourAndIndexedPicturesGiveTheSameWindowResults) {
    // The true-colour rows are read directly inside the picture, the indexed picture goes through
    // the library everywhere; both must agree pixel for pixel.
    extImage grey(17, 12, 8);
    grey.SetGrayPalette();
    unsigned state = 5;
    for (long y = 0; y < 12; ++y)
        for (long x = 0; x < 17; ++x) {
            state = state * 1103515245u + 12345u;
            grey.SetPixelIndex(x, y, static_cast<BYTE>((state >> 16) % 7 * 40));
        }
    extImage wide(grey);
    ASSERT_TRUE(wide.IncreaseBpp(24));
    for (long k : {2L, 3L, 4L}) {
        extImage a, b, c, d, e, f;
        grey.Contour(k, &a);
        wide.Contour(k, &b);
        grey.Dilate(k, &c);
        wide.Dilate(k, &d);
        grey.Erode(k, &e);
        wide.Erode(k, &f);
        EXPECT_TRUE(SamePixels(a, b)) << k;
        EXPECT_TRUE(SamePixels(c, d)) << k;
        EXPECT_TRUE(SamePixels(e, f)) << k;
    }
}
