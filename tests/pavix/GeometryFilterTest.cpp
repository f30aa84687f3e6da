// CxImage geometry, depth changes and filters.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "platform/pavix/ximage.h"
#include "tests/pavix/PictureTestUtil.h"

using namespace picturetest;

namespace {

// Colour at picture coordinates (row 0 at the top).
RGBQUAD At(const CxImage& p, long col, long row) {
    return p.GetPixelColor(col, static_cast<long>(p.GetHeight()) - 1 - row);
}

CxImage Uniform(DWORD w, DWORD h, RGBQUAD c) {
    CxImage p(w, h, 24);
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x) p.SetPixelColor(x, y, c);
    return p;
}

}  // namespace

TEST(Geometry, RotationsOfANonSquarePictureMovePixelsAsTheyTurn) {
    CxImage p(3, 2, 24);
    FillPattern(p);
    CxImage left(p), right(p), half(p);
    ASSERT_TRUE(left.RotateLeft());
    ASSERT_TRUE(right.RotateRight());
    ASSERT_TRUE(half.Rotate180());
    EXPECT_EQ(left.GetWidth(), 2u);
    EXPECT_EQ(left.GetHeight(), 3u);
    EXPECT_EQ(right.GetWidth(), 2u);
    for (long r = 0; r < 3; ++r)
        for (long c = 0; c < 2; ++c) {
            EXPECT_TRUE(SameColour(At(left, c, r), At(p, 2 - r, c))) << r << "," << c;   // counter-clockwise
            EXPECT_TRUE(SameColour(At(right, c, r), At(p, r, 1 - c))) << r << "," << c;  // clockwise
        }
    for (long r = 0; r < 2; ++r)
        for (long c = 0; c < 3; ++c) EXPECT_TRUE(SameColour(At(half, c, r), At(p, 2 - c, 1 - r)));
    // Four quarter turns give the picture back; indexed pictures and alpha turn along.
    CxImage q = left;
    q.RotateLeft();
    q.RotateLeft();
    q.RotateLeft();
    EXPECT_TRUE(SamePixels(q, p));
    CxImage idx(5, 2, 4);
    idx.SetPixelIndex(4, 1, 9);
    idx.AlphaCreate();
    idx.AlphaSet(4, 1, 3);
    CxImage dst;
    ASSERT_TRUE(idx.RotateRight(&dst));
    EXPECT_EQ(idx.GetWidth(), 5u);  // with a destination the source stays
    EXPECT_EQ(dst.GetPixelIndex(1, 0), 9);
    EXPECT_EQ(dst.AlphaGet(1, 0), 3);
}

TEST(Geometry, MirrorAndFlip) {
    CxImage p(3, 2, 24);
    FillPattern(p);
    CxImage m(p), f(p);
    m.Mirror();
    f.Flip();
    for (long y = 0; y < 2; ++y)
        for (long x = 0; x < 3; ++x) {
            EXPECT_TRUE(SameColour(m.GetPixelColor(x, y), p.GetPixelColor(2 - x, y)));
            EXPECT_TRUE(SameColour(f.GetPixelColor(x, y), p.GetPixelColor(x, 1 - y)));
        }
    CxImage one(9, 1, 1);
    one.SetPixelIndex(0, 0, 1);
    one.Mirror();
    EXPECT_EQ(one.GetPixelIndex(8, 0), 1);
    EXPECT_EQ(one.GetPixelIndex(0, 0), 0);
}

TEST(Geometry, CropTakesPictureCoordinatesAndClips) {
    CxImage p(4, 3, 24);
    FillPattern(p);
    CxImage c(p);
    ASSERT_TRUE(c.Crop(1, 0, 3, 2));
    EXPECT_EQ(c.GetWidth(), 2u);
    EXPECT_EQ(c.GetHeight(), 2u);
    EXPECT_TRUE(SameColour(At(c, 0, 0), At(p, 1, 0)));
    EXPECT_TRUE(SameColour(At(c, 1, 1), At(p, 2, 1)));
    CxImage d(p);
    ASSERT_TRUE(d.Crop(RECT(-5, -5, 2, 100)));
    EXPECT_EQ(d.GetWidth(), 2u);
    EXPECT_EQ(d.GetHeight(), 3u);
    CxImage e(p);
    EXPECT_FALSE(e.Crop(2, 1, 2, 3));
    EXPECT_EQ(e.GetWidth(), 4u);
    CxImage idx(10, 4, 4);
    idx.SetPixelIndex(7, 0, 5);
    ASSERT_TRUE(idx.Crop(6, 2, 9, 4));
    EXPECT_EQ(idx.GetPixelIndex(1, 0), 5);
}

TEST(Geometry, ResampleGivesExactlyTheAskedSize) {
    const long sizes[][4] = {{1, 1, 7, 3}, {100, 50, 33, 17}, {5, 5, 1, 1}, {3, 2, 300, 1}, {640, 480, 100, 75}};
    for (int mode = 0; mode <= 2; ++mode)
        for (const auto& s : sizes) {
            CxImage p(s[0], s[1], 24);
            FillPattern(p);
            ASSERT_TRUE(p.Resample(s[2], s[3], mode)) << mode;
            EXPECT_EQ(p.GetWidth(), static_cast<DWORD>(s[2])) << mode;
            EXPECT_EQ(p.GetHeight(), static_cast<DWORD>(s[3])) << mode;
            EXPECT_EQ(p.GetBpp(), 24);
        }
    CxImage p(4, 4, 24);
    EXPECT_FALSE(p.Resample(0, 4));
}

TEST(Geometry, NearestResampleSamplesFromTheBottomLeftAndSmoothModesKeepFlatAreas) {
    CxImage p(4, 4, 24);
    FillPattern(p);
    CxImage n(p);
    n.Resample(2, 2, 0);
    EXPECT_TRUE(SameColour(n.GetPixelColor(1, 1), p.GetPixelColor(2, 2)));
    EXPECT_TRUE(SameColour(n.GetPixelColor(0, 1), p.GetPixelColor(0, 2)));
    for (int mode : {1, 2}) {
        CxImage u = Uniform(37, 23, RGBQUAD{10, 200, 90, 0});
        CxImage big(u), small(u);
        big.Resample(80, 51, mode);
        small.Resample(5, 4, mode);
        for (long y = 0; y < 51; y += 7)
            for (long x = 0; x < 80; x += 9) EXPECT_TRUE(SameColour(big.GetPixelColor(x, y), RGBQUAD{10, 200, 90, 0}));
        EXPECT_TRUE(SameColour(small.GetPixelColor(4, 3), RGBQUAD{10, 200, 90, 0}));
    }
    // Nearest keeps the depth; the smooth modes give true colour.
    CxImage idx(8, 8, 8);
    CxImage a(idx), b(idx);
    a.Resample(3, 3, 0);
    b.Resample(3, 3, 2);
    EXPECT_EQ(a.GetBpp(), 8);
    EXPECT_EQ(b.GetBpp(), 24);
}

TEST(Depth, DecreaseBppMapsToTheGivenPaletteWithinItsImportantColours) {
    RGBQUAD palette[256] = {};
    palette[0] = RGBQUAD{0, 0, 0, 0};
    palette[1] = RGBQUAD{0, 0, 255, 0};
    palette[2] = RGBQUAD{255, 0, 0, 0};
    palette[3] = RGBQUAD{10, 200, 30, 0};
    CxImage p(4, 2, 24);
    for (long x = 0; x < 4; ++x) {
        p.SetPixelColor(x, 0, palette[x]);
        p.SetPixelColor(x, 1, palette[3 - x]);
    }
    for (bool diffusion : {false, true}) {
        CxImage q(p);
        ASSERT_TRUE(q.DecreaseBpp(8, diffusion, palette, 256));
        EXPECT_EQ(q.GetBpp(), 8);
        for (long x = 0; x < 4; ++x) {
            EXPECT_EQ(q.GetPixelIndex(x, 0), x) << diffusion;
            EXPECT_EQ(q.GetPixelIndex(x, 1), 3 - x) << diffusion;
        }
        EXPECT_TRUE(SameColour(q.GetPaletteColor(3), palette[3]));
    }
    // Only the first three entries count: the green pixel goes to the nearest of them.
    CxImage r(p);
    ASSERT_TRUE(r.DecreaseBpp(8, false, palette, 3));
    EXPECT_EQ(r.GetPixelIndex(3, 0), 0);
    EXPECT_FALSE(CxImage(2, 2, 4).DecreaseBpp(8, false));
}

TEST(Depth, ErrorDiffusionKeepsTheAverageTone) {
    RGBQUAD bw[2] = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    CxImage p = Uniform(32, 32, RGBQUAD{128, 128, 128, 0});
    CxImage flat(p), dithered(p);
    flat.DecreaseBpp(1, false, bw, 2);
    dithered.DecreaseBpp(1, true, bw, 2);
    int whiteFlat = 0, whiteDithered = 0;
    for (long y = 0; y < 32; ++y)
        for (long x = 0; x < 32; ++x) {
            whiteFlat += flat.GetPixelIndex(x, y);
            whiteDithered += dithered.GetPixelIndex(x, y);
        }
    EXPECT_EQ(whiteFlat, 1024);  // 128 is nearer white
    EXPECT_NEAR(whiteDithered, 514, 20);
}

TEST(Depth, IncreaseBppAndGreyScale) {
    CxImage p(7, 3, 4);
    for (int i = 0; i < 16; ++i)
        p.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 16), static_cast<BYTE>(i), 7);
    for (long x = 0; x < 7; ++x) p.SetPixelIndex(x, 1, static_cast<BYTE>(x + 3));
    CxImage q(p);
    ASSERT_TRUE(q.IncreaseBpp(24));
    EXPECT_TRUE(SamePixels(p, q));
    CxImage g = Uniform(3, 1, RGBQUAD{0, 0, 255, 0});
    ASSERT_TRUE(g.GrayScale());
    EXPECT_EQ(g.GetBpp(), 8);
    EXPECT_EQ(g.GetPixelIndex(1, 0), 76);
    EXPECT_TRUE(g.IsGrayScale());
    CxImage t = Uniform(2, 1, RGBQUAD{200, 200, 200, 0});
    t.SetPixelColor(1, 0, RGBQUAD{20, 20, 20, 0});
    ASSERT_TRUE(t.Threshold(100));
    EXPECT_EQ(t.GetBpp(), 1);
    EXPECT_EQ(t.GetPixelIndex(0, 0), 1);
    EXPECT_EQ(t.GetPixelIndex(1, 0), 0);
}

TEST(Convolution, EditorKernelsOnFlatAreasAndEdges) {
    const long blur[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    const long sharpen[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
    const long edge[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
    const long emboss[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0};
    const RGBQUAD c{30, 90, 150, 0};
    CxImage a = Uniform(6, 5, c), b = Uniform(6, 5, c), e = Uniform(6, 5, c), m = Uniform(6, 5, c);
    a.Filter(blur, 3, 9, 0);
    b.Filter(sharpen, 3, 7, 0);
    e.Filter(edge, 3, -1, 255);
    m.Filter(emboss, 3, 0, 127);
    for (long y = 0; y < 5; ++y)
        for (long x = 0; x < 6; ++x) {
            EXPECT_TRUE(SameColour(a.GetPixelColor(x, y), c));
            EXPECT_TRUE(SameColour(b.GetPixelColor(x, y), c));
            EXPECT_TRUE(SameColour(e.GetPixelColor(x, y), RGBQUAD{255, 255, 255, 0}));
        }
    // Emboss has no factor: inside, the weights cancel; at the border only the weights that fall
    // inside add up, so the offset alone is not the answer there.
    for (long y = 1; y < 4; ++y)
        for (long x = 1; x < 5; ++x) EXPECT_TRUE(SameColour(m.GetPixelColor(x, y), RGBQUAD{127, 127, 127, 0}));
    EXPECT_TRUE(SameColour(m.GetPixelColor(0, 4), RGBQUAD{97, 37, 0, 0}));  // only the -1 tap inside
    // One bright pixel: the sum inside, the rescaled sum at a corner.
    CxImage dot = Uniform(3, 3, RGBQUAD{0, 0, 0, 0});
    dot.SetPixelColor(1, 1, RGBQUAD{90, 90, 90, 0});
    CxImage blurred(dot);
    blurred.Filter(blur, 3, 9, 0);
    EXPECT_EQ(blurred.GetPixelColor(1, 1).rgbRed, 10);
    EXPECT_EQ(blurred.GetPixelColor(0, 0).rgbRed, 22);  // 90 * 9 / (4 * 9)
    // The kernel's first row weighs the library row below: emboss lights the pixel whose
    // upper-left neighbour is bright.
    CxImage corner = Uniform(3, 3, RGBQUAD{0, 0, 0, 0});
    corner.SetPixelColor(0, 2, RGBQUAD{100, 100, 100, 0});
    corner.Filter(emboss, 3, 0, 127);
    EXPECT_EQ(corner.GetPixelColor(1, 1).rgbRed, 227);
    // Indexed pictures go through the per-pixel path.
    CxImage idx(4, 4, 8);
    idx.SetGrayPalette();
    idx.Clear(60);
    idx.Filter(blur, 3, 9, 0);
    EXPECT_EQ(idx.GetPixelIndex(2, 2), 60);
}

TEST(Convolution, SelectionLimitsTheArea) {
    const long blur[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    CxImage p(6, 6, 24);
    FillPattern(p);
    p.SetPixelColor(0, 0, RGBQUAD{255, 255, 255, 0});
    p.SetPixelColor(5, 5, RGBQUAD{255, 255, 255, 0});
    CxImage q(p);
    q.SelectionAddRect(RECT(0, 0, 2, 2));
    q.Filter(blur, 3, 9, 0);
    EXPECT_TRUE(SameColour(q.GetPixelColor(4, 4), p.GetPixelColor(4, 4)));
    EXPECT_FALSE(SameColour(q.GetPixelColor(1, 1), p.GetPixelColor(1, 1)));
    EXPECT_TRUE(q.SelectionIsValid());
}

TEST(LightAndLut, TheSharedTableKeepsTheSinglePrecisionShortfall) {
    CxImage p(256, 1, 24);
    for (long x = 0; x < 256; ++x)
        p.SetPixelColor(x, 0, RGBQUAD{static_cast<BYTE>(x), static_cast<BYTE>(x), static_cast<BYTE>(x), 0});
    auto mapped = [&](long b, long c, int v) {
        CxImage q(p);
        q.Light(b, c);
        return static_cast<int>(q.GetPixelColor(v, 0).rgbBlue);
    };
    EXPECT_EQ(mapped(0, 0, 128), 128);
    EXPECT_EQ(mapped(0, 0, 0), 0);
    EXPECT_EQ(mapped(0, 0, 129), 128);
    EXPECT_EQ(mapped(0, 0, 200), 199);
    EXPECT_EQ(mapped(0, 0, 255), 254);
    EXPECT_EQ(mapped(0, 100, 64), 0);
    EXPECT_EQ(mapped(0, 100, 129), 129);
    EXPECT_EQ(mapped(0, 100, 192), 255);
    EXPECT_EQ(mapped(50, 0, 0), 50);
    EXPECT_EQ(mapped(-300, 0, 255), 0);
    EXPECT_EQ(mapped(0, LONG_MAX, 127), 0);
    EXPECT_EQ(mapped(0, LONG_MAX, 129), 255);

    BYTE invert[256];
    for (int i = 0; i < 256; ++i) invert[i] = static_cast<BYTE>(255 - i);
    CxImage idx(2, 2, 8);
    idx.SetPaletteColor(0, 10, 20, 30);
    idx.Lut(invert);
    EXPECT_EQ(idx.GetPaletteColor(0).rgbRed, 245);
}

namespace {

// The median as the library defines it: window pixels ranked by grey level, highest first, ties in
// scan order (columns outer); the pixel at rank count / 2.
RGBQUAD ReferenceMedian(const CxImage& p, long x, long y) {
    std::vector<std::pair<int, RGBQUAD>> window;
    for (long j = -1; j <= 1; ++j)
        for (long k = -1; k <= 1; ++k) {
            if (!p.IsInside(x + j, y + k)) continue;
            RGBQUAD c = p.GetPixelColor(x + j, y + k);
            window.push_back({(c.rgbBlue * 117 + c.rgbGreen * 601 + c.rgbRed * 306) >> 10, c});
        }
    std::stable_sort(window.begin(), window.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return window[window.size() / 2].second;
}

}  // namespace

TEST(Median, PicksTheWindowPixelOfMedianGreyEverywhere) {
    std::mt19937 rng(7);
    CxImage p(19, 13, 24);
    for (long y = 0; y < 13; ++y)
        for (long x = 0; x < 19; ++x) {
            BYTE v = static_cast<BYTE>(rng() % 6 * 40);  // few levels, so ties happen
            p.SetPixelColor(x, y, RGBQUAD{v, static_cast<BYTE>(255 - v), static_cast<BYTE>(rng() % 256), 0});
        }
    CxImage m(p);
    ASSERT_TRUE(m.Median(3));
    for (long y = 0; y < 13; ++y)
        for (long x = 0; x < 19; ++x)
            ASSERT_TRUE(SameColour(m.GetPixelColor(x, y), ReferenceMedian(p, x, y))) << x << "," << y;

    CxImage salt = Uniform(5, 5, RGBQUAD{50, 50, 50, 0});
    salt.SetPixelColor(2, 2, RGBQUAD{255, 255, 255, 0});
    salt.Median(3);
    EXPECT_EQ(salt.GetPixelColor(2, 2).rgbRed, 50);
}

TEST(Noise, LevelZeroChangesNothingAndDrawsAreRepeatable) {
    CxImage p(8, 8, 24);
    FillPattern(p);
    CxImage q(p);
    q.Noise(0);
    EXPECT_TRUE(SamePixels(p, q));
    pavix::SeedRandom(3);
    CxImage a(p);
    a.Noise(80);
    pavix::SeedRandom(3);
    CxImage b(p);
    b.Noise(80);
    EXPECT_TRUE(SamePixels(a, b));
    EXPECT_FALSE(SamePixels(a, p));
    for (int i = 0; i < 1000; ++i) {
        int d = pavix::RandomDraw();
        ASSERT_GE(d, 0);
        ASSERT_LE(d, 32767);
    }
}
