#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include "common/Gandry.h"

namespace {

// A picture of the given size filled with (r, g, b), with an opaque block drawn in.
QImage Picture(int w, int h, QRgb background) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    return img;
}

// Regions may hold the same area as different rectangle lists.
bool SameArea(const QRegion& a, const QRegion& b) { return a.xored(b).isEmpty(); }

}  // namespace

TEST(BitmapToRegion, NullAndFullyTransparentPicturesGiveNoRegion) {
    EXPECT_TRUE(CGandry::BitmapToRegion(nullptr, 0, 0).isEmpty());
    QImage null;
    EXPECT_TRUE(CGandry::BitmapToRegion(&null, 0, 0).isEmpty());
    // Magenta reads the same in either byte order.
    QImage key = Picture(8, 4, qRgb(255, 0, 255));
    EXPECT_TRUE(CGandry::BitmapToRegion(&key, RGB(255, 0, 255), 0).isEmpty());
}

TEST(BitmapToRegion, RunsOfOpaquePixelsPerRow) {
    QImage img = Picture(10, 3, qRgb(255, 0, 255));
    for (int x = 2; x < 5; ++x) img.setPixel(x, 0, qRgb(1, 2, 3));
    img.setPixel(9, 0, qRgb(1, 2, 3));  // a run that reaches the right edge
    for (int x = 0; x < 10; ++x) img.setPixel(x, 2, qRgb(9, 9, 9));
    QRegion region = CGandry::BitmapToRegion(&img, RGB(255, 0, 255), 0);
    EXPECT_TRUE(SameArea(region, QRegion(2, 0, 3, 1).united(QRegion(9, 0, 1, 1)).united(QRegion(0, 2, 10, 1))));
    EXPECT_FALSE(region.contains(QPoint(0, 1)));
}

TEST(BitmapToRegion, ColourBytesAreComparedInMemoryOrder) {
    // The colour's low byte is tested against the pixel's first (blue) byte.
    QImage img = Picture(4, 1, qRgb(0, 0, 200));  // pure blue 200
    EXPECT_TRUE(CGandry::BitmapToRegion(&img, RGB(200, 0, 0), 0).isEmpty());
    EXPECT_TRUE(SameArea(CGandry::BitmapToRegion(&img, RGB(0, 0, 200), 0), QRegion(0, 0, 4, 1)));
}

TEST(BitmapToRegion, ToleranceWidensTheTransparentRangeUpwards) {
    QImage img = Picture(3, 1, qRgb(10, 10, 10));
    img.setPixel(1, 0, qRgb(15, 15, 15));
    img.setPixel(2, 0, qRgb(5, 5, 5));
    QRegion region = CGandry::BitmapToRegion(&img, RGB(10, 10, 10), RGB(5, 5, 5));
    EXPECT_TRUE(SameArea(region, QRegion(2, 0, 1, 1)));
    // The range is capped at 255.
    QImage white = Picture(2, 1, qRgb(255, 255, 255));
    EXPECT_TRUE(CGandry::BitmapToRegion(&white, RGB(250, 250, 250), RGB(100, 100, 100)).isEmpty());
}

TEST(BitmapToRegion, LargePicturesAreBuiltInBlocks) {
    // 3000 rows with two runs each: more than one block of rectangles.
    QImage img = Picture(5, 3000, qRgb(0, 255, 0));
    for (int y = 0; y < 3000; ++y) {
        img.setPixel(0, y, qRgb(1, 1, 1));
        img.setPixel(4, y, qRgb(1, 1, 1));
    }
    QRegion region = CGandry::BitmapToRegion(&img, RGB(0, 255, 0), 0);
    EXPECT_TRUE(SameArea(region, QRegion(0, 0, 1, 3000).united(QRegion(4, 0, 1, 3000))));
}
