#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "tests/support/TempHome.h"
#include "views/catalogue/ThumbFile.h"

using testsupport::ReadAll;
using testsupport::TempHome;

namespace {

thumbfile::Level Filled(int width, int height, std::uint8_t seed) {
    thumbfile::Level level;
    level.width = width;
    level.height = height;
    level.bits.resize(static_cast<std::size_t>(thumbfile::Stride24(width) * height));
    for (std::size_t i = 0; i < level.bits.size(); ++i) level.bits[i] = static_cast<std::uint8_t>(seed + i * 7);
    return level;
}

std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(v);
}

// A sound cache for a 640 x 480 picture.
std::string WriteSample(const TempHome& home, thumbfile::Level levels[3]) {
    levels[0] = Filled(100, 75, 1);
    levels[1] = Filled(300, 225, 2);
    levels[2] = Filled(500, 375, 3);
    const std::string path = home.root() + "/a.thm";
    EXPECT_TRUE(thumbfile::Write(path, levels));
    return path;
}

}  // namespace

TEST(ThumbFile, LevelSizesFollowTheBoxes) {
    int w = 0, h = 0;
    const int expected640[3][2] = {{100, 75}, {300, 225}, {500, 375}};
    const int expected50[3][2] = {{62, 100}, {187, 300}, {312, 500}};
    for (int level = 0; level < 3; ++level) {
        thumbfile::LevelSize(level, 640, 480, w, h);
        EXPECT_EQ(w, expected640[level][0]);
        EXPECT_EQ(h, expected640[level][1]);
        thumbfile::LevelSize(level, 50, 80, w, h);
        EXPECT_EQ(w, expected50[level][0]);
        EXPECT_EQ(h, expected50[level][1]);
    }
    // A sliver keeps at least one pixel across.
    thumbfile::LevelSize(0, 4000, 3, w, h);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 1);
    thumbfile::LevelSize(2, 100, 100, w, h);
    EXPECT_EQ(w, 500);
    EXPECT_EQ(h, 500);
}

TEST(ThumbFile, LayoutIsByteExact) {
    TempHome home;
    thumbfile::Level levels[3];
    const std::string path = WriteSample(home, levels);
    const std::string bytes = ReadAll(path);
    const std::size_t b0 = 300 * 75, b1 = 900 * 225, b2 = 1500 * 375;
    ASSERT_EQ(bytes.size(), 42 + b0 + b1 + b2);
    EXPECT_EQ(IntAt(bytes, 0), 100);
    EXPECT_EQ(IntAt(bytes, 4), 75);
    EXPECT_EQ(IntAt(bytes, 8), static_cast<std::int32_t>(b0));
    EXPECT_EQ(std::memcmp(bytes.data() + 12, levels[0].bits.data(), b0), 0);
    EXPECT_EQ(IntAt(bytes, 12 + b0), 300);
    EXPECT_EQ(IntAt(bytes, 16 + b0), 225);
    EXPECT_EQ(IntAt(bytes, 20 + b0), static_cast<std::int32_t>(b1));
    EXPECT_EQ(std::memcmp(bytes.data() + 24 + b0, levels[1].bits.data(), b1), 0);
    EXPECT_EQ(IntAt(bytes, 24 + b0 + b1), 500);
    EXPECT_EQ(IntAt(bytes, 28 + b0 + b1), 375);
    EXPECT_EQ(IntAt(bytes, 32 + b0 + b1), static_cast<std::int32_t>(b2));
    EXPECT_EQ(bytes.substr(36 + b0 + b1 + b2), "zomrak");
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::Valid);

    // Rows are padded to four bytes: 62 pixels take 188 bytes a row.
    levels[0] = Filled(62, 100, 4);
    levels[1] = Filled(187, 300, 5);
    levels[2] = Filled(312, 500, 6);
    ASSERT_TRUE(thumbfile::Write(path, levels));
    EXPECT_EQ(ReadAll(path).size(), 42u + 188 * 100 + 564 * 300 + 936 * 500);
    thumbfile::Level back;
    ASSERT_TRUE(thumbfile::ReadLevel(path, 1, back));
    EXPECT_EQ(back.width, 187);
    EXPECT_EQ(back.height, 300);
    EXPECT_EQ(back.bits, levels[1].bits);
}

TEST(ThumbFile, ReadsEachLevelOnItsOwn) {
    TempHome home;
    thumbfile::Level levels[3];
    const std::string path = WriteSample(home, levels);
    for (int level = 0; level < 3; ++level) {
        thumbfile::Level back;
        ASSERT_TRUE(thumbfile::ReadLevel(path, level, back));
        EXPECT_EQ(back.width, levels[level].width);
        EXPECT_EQ(back.bits, levels[level].bits);
    }
    thumbfile::Level none;
    EXPECT_FALSE(thumbfile::ReadLevel(path, 3, none));
    EXPECT_FALSE(thumbfile::ReadLevel(path, -1, none));
}

TEST(ThumbFile, ShortOrBrokenFilesAreRefused) {
    TempHome home;
    thumbfile::Level levels[3];
    const std::string path = WriteSample(home, levels);
    const std::string good = ReadAll(path);
    thumbfile::Level out;

    EXPECT_EQ(thumbfile::Check(home.root() + "/none.thm"), thumbfile::Status::Missing);

    home.Write(path, good.substr(0, good.size() - 1));
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::NoMarker);
    EXPECT_FALSE(thumbfile::HasMarker(path));
    EXPECT_FALSE(thumbfile::ReadLevel(path, 0, out));

    // Marker intact but a byte count that is not stride x height.
    std::string wrongCount = good;
    wrongCount[8] = static_cast<char>(wrongCount[8] + 4);
    home.Write(path, wrongCount);
    EXPECT_TRUE(thumbfile::HasMarker(path));
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::Inconsistent);
    EXPECT_FALSE(thumbfile::ReadLevel(path, 0, out));
    EXPECT_TRUE(out.bits.empty());

    // A level claiming a picture far beyond its box is refused before any allocation.
    std::string huge = good;
    huge[2] = '\x7f';
    huge[3] = '\x7f';
    home.Write(path, huge);
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::Inconsistent);
    EXPECT_FALSE(thumbfile::ReadLevel(path, 0, out));

    // The last record running past the marker.
    std::string cut = good.substr(0, good.size() - 106) + "zomrak";
    home.Write(path, cut);
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::Inconsistent);
    EXPECT_FALSE(thumbfile::ReadLevel(path, 2, out));

    // Bytes left over after the last record.
    home.Write(path, good.substr(0, good.size() - 6) + "xxxxzomrak");
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::Inconsistent);

    home.Write(path, "zomrak");
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::Inconsistent);
    home.Write(path, "");
    EXPECT_EQ(thumbfile::Check(path), thumbfile::Status::NoMarker);
}

TEST(ThumbFile, MutatedFilesNeverReadOutOfBounds) {
    TempHome home;
    thumbfile::Level levels[3];
    levels[0] = Filled(100, 1, 1);
    levels[1] = Filled(300, 3, 2);
    levels[2] = Filled(500, 5, 3);
    const std::string path = home.root() + "/m.thm";
    ASSERT_TRUE(thumbfile::Write(path, levels));
    const std::string good = ReadAll(path);
    std::mt19937 random(1234);
    int accepted = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            // Mostly the headers, where the sizes live.
            std::size_t at = random() % 3 == 0 ? random() % bytes.size() : random() % 40;
            bytes[at] = static_cast<char>(random());
        }
        if (random() % 5 == 0) bytes.resize(random() % bytes.size());
        home.Write(path, bytes);
        for (int level = 0; level < 3; ++level) {
            thumbfile::Level out;
            if (!thumbfile::ReadLevel(path, level, out)) continue;
            ++accepted;
            EXPECT_EQ(static_cast<std::int64_t>(out.bits.size()), thumbfile::Stride24(out.width) * out.height);
            EXPECT_LE(out.width, thumbfile::kBoxes[level]);
            EXPECT_LE(out.height, thumbfile::kBoxes[level]);
        }
    }
    EXPECT_GT(accepted, 0);
}

TEST(ThumbFile, NearestPixelScalingPicksSourcePixels) {
    // A 4 x 2 bottom-up source whose pixels carry their own coordinates.
    const int width = 4, height = 2;
    const std::int64_t stride = thumbfile::Stride24(width);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bits.data() + y * stride + x * 3;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 9;
        }
    }
    thumbfile::Source source{bits.data(), width, height, stride, true};
    thumbfile::Level out;
    thumbfile::ResampleNearest(source, 2, 1, out);
    ASSERT_EQ(out.bits.size(), 8u);
    EXPECT_EQ(out.bits[0], 0);
    EXPECT_EQ(out.bits[3], 2);
    EXPECT_EQ(out.bits[1], 0);
    // Enlarging repeats pixels: 8 x 4 takes column x / 2 and row y / 2.
    thumbfile::ResampleNearest(source, 8, 4, out);
    const std::int64_t outStride = thumbfile::Stride24(8);
    EXPECT_EQ(out.bits[static_cast<std::size_t>(3 * outStride + 7 * 3)], 3);
    EXPECT_EQ(out.bits[static_cast<std::size_t>(3 * outStride + 7 * 3 + 1)], 1);
    // A top-down source gives the same picture.
    std::vector<std::uint8_t> flipped(bits.size());
    for (int y = 0; y < height; ++y) {
        std::memcpy(flipped.data() + y * stride, bits.data() + (height - 1 - y) * stride,
                    static_cast<std::size_t>(stride));
    }
    thumbfile::Level topDown;
    thumbfile::ResampleNearest({flipped.data(), width, height, stride, false}, 8, 4, topDown);
    EXPECT_EQ(topDown.bits, out.bits);
}

TEST(ThumbFile, WriteRefusesMalformedLevels) {
    TempHome home;
    thumbfile::Level levels[3];
    levels[0] = Filled(100, 75, 1);
    levels[1] = Filled(300, 225, 2);
    levels[2] = Filled(500, 375, 3);
    levels[1].bits.pop_back();
    EXPECT_FALSE(thumbfile::Write(home.root() + "/x.thm", levels));
    EXPECT_FALSE(std::filesystem::exists(home.root() + "/x.thm"));
    levels[1] = Filled(300, 225, 2);
    EXPECT_FALSE(thumbfile::Write(home.root() + "/missing/x.thm", levels));
}
