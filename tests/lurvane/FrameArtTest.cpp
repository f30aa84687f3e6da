// The generator's step from a drawn frame to the rows of a data file: the colour key.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/lurvane/LurvaneFormat.h"
#include "platform/lurvane/gen/FrameArt.h"

namespace {

struct Bgr {
    int b, g, r;
    bool operator==(const Bgr&) const = default;
};

Bgr At(const std::vector<std::uint8_t>& rows, int w, int h, int x, int y) {
    const std::size_t stride = lurvane::RowBytes(static_cast<std::uint64_t>(w));
    const std::uint8_t* p =
        rows.data() + stride * static_cast<std::size_t>(h - 1 - y) + 3 * static_cast<std::size_t>(x);
    return {p[0], p[1], p[2]};
}

TEST(FrameArt, KeyedRowsTurnMostlyTransparentPixelsIntoTheKeyAndKeepTheRestOpaque) {
    QImage frame(5, 2, QImage::Format_ARGB32);  // 5 pixels: 15 bytes a row, padded to 16
    frame.fill(qRgba(0, 0, 0, 0));
    frame.setPixel(0, 0, qRgba(200, 10, 30, 255));
    frame.setPixel(1, 0, qRgba(200, 10, 30, 127));  // less than half covered
    frame.setPixel(2, 0, qRgba(200, 10, 30, 128));
    frame.setPixel(3, 0, qRgba(0, 255, 0, 255));  // a drawn pixel in the key's own colour
    frame.setPixel(4, 0, qRgba(0, 254, 0, 255));
    frame.setPixel(4, 1, qRgba(1, 2, 3, 255));
    const std::vector<std::uint8_t> rows = framegen::KeyedRows(frame);
    ASSERT_EQ(rows.size(), 32u);
    const Bgr key{0, 255, 0};
    EXPECT_EQ(At(rows, 5, 2, 0, 0), (Bgr{30, 10, 200}));
    EXPECT_EQ(At(rows, 5, 2, 1, 0), key);
    EXPECT_EQ(At(rows, 5, 2, 2, 0), (Bgr{30, 10, 200}));
    EXPECT_EQ(At(rows, 5, 2, 3, 0), (Bgr{0, 254, 0}));
    EXPECT_EQ(At(rows, 5, 2, 4, 0), (Bgr{0, 254, 0}));
    EXPECT_EQ(At(rows, 5, 2, 0, 1), key);
    EXPECT_EQ(At(rows, 5, 2, 4, 1), (Bgr{3, 2, 1}));
    // Rows are stored bottom-up: the picture's last row comes first.
    EXPECT_EQ(rows[12], 3);
    EXPECT_EQ(rows[15], 0);  // padding
    EXPECT_EQ(rows[31], 0);
}

TEST(FrameArt, EveryDesignDrawsOnBothOrientationsAndNothingElseDoes) {
    ASSERT_GE(framegen::DesignCount(), 6);
    for (int design = 0; design < framegen::DesignCount(); ++design) {
        for (QSize size : {QSize(144, 176), QSize(400, 240)}) {
            const QImage frame = framegen::DrawFrame(design, size);
            EXPECT_EQ(frame.size(), size);
            EXPECT_GT(qAlpha(frame.pixel(0, 0)) + qAlpha(frame.pixel(size.width() - 1, size.height() / 2)), 0)
                << "design " << design << " leaves its edges empty";
            EXPECT_EQ(qAlpha(frame.pixel(size.width() / 2, size.height() / 2)), 0) << "design " << design;
        }
    }
    const QImage none = framegen::DrawFrame(framegen::DesignCount(), QSize(8, 8));
    EXPECT_EQ(none.size(), QSize(8, 8));
    EXPECT_EQ(qAlpha(none.pixel(0, 0)), 0);
}

}  // namespace
