// CLurvane against files made by CLurvaneWriter: exact round trips, the pairing of variants, and
// every kind of damaged file giving count 0.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/lurvane/Lurvane.h"
#include "platform/lurvane/LurvaneFormat.h"
#include "platform/lurvane/LurvaneWriter.h"
#include "tests/lurvane/FrameFileEdit.h"
#include "tests/support/TempHome.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using lurvanetest::Reseal;

struct Rows {
    int width;
    int height;
    Bytes bytes;
};

// Rows in the reader's layout with a pattern that differs in every channel; padding stays zero.
Rows Pattern(int w, int h, int seed) {
    const std::size_t stride = lurvane::RowBytes(static_cast<std::uint64_t>(w));
    Rows r{w, h, Bytes(stride * static_cast<std::size_t>(h), 0)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* px = r.bytes.data() + stride * static_cast<std::size_t>(y) + 3 * static_cast<std::size_t>(x);
            px[0] = static_cast<std::uint8_t>(x * 31 + seed);
            px[1] = static_cast<std::uint8_t>(y * 17 + seed * 5);
            px[2] = static_cast<std::uint8_t>((x ^ y) + seed * 11);
        }
    return r;
}

Bytes Build(const std::vector<Rows>& pictures) {
    CLurvaneWriter writer;
    for (const Rows& r : pictures) EXPECT_TRUE(writer.AddPicture(r.width, r.height, r.bytes.data(), r.bytes.size()));
    return writer.Build();
}

// A small valid file: two frames, each an upright and a turned picture.
Bytes TwoFrames() {
    return Build({Pattern(7, 11, 1), Pattern(11, 7, 2), Pattern(5, 3, 3), Pattern(3, 5, 4)});
}

int CountOf(const Bytes& file) {
    CLurvane reader;
    int count = -1;
    reader.Decode(file.data(), file.size(), count);
    return count;
}

std::uint8_t* Entry(Bytes& f, int index) {
    return f.data() + lurvane::kHeaderSize + index * lurvane::kEntrySize;
}

TEST(LurvaneReader, RoundTripGivesEveryPixelBackExactly) {
    const std::vector<Rows> pictures = {Pattern(1, 1, 9),  Pattern(3, 1, 8),   Pattern(7, 5, 7), Pattern(5, 7, 6),
                                        Pattern(13, 3, 5), Pattern(31, 17, 4), Pattern(2, 9, 3), Pattern(240, 320, 2)};
    const Bytes file = Build(pictures);
    ASSERT_FALSE(file.empty());
    CLurvane reader;
    int count = 0;
    ASSERT_TRUE(reader.Decode(file.data(), file.size(), count));
    ASSERT_EQ(count, 8);
    EXPECT_EQ(reader.GetCount(), 8);
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        unsigned char* data = nullptr;
        int size = 0, width = 0, height = 0;
        ASSERT_TRUE(reader.GetImage(i, data, size, width, height));
        EXPECT_EQ(width, pictures[i].width);
        EXPECT_EQ(height, pictures[i].height);
        ASSERT_EQ(static_cast<std::size_t>(size), pictures[i].bytes.size());
        EXPECT_EQ(std::memcmp(data, pictures[i].bytes.data(), static_cast<std::size_t>(size)), 0);
        delete[] data;
    }
}

TEST(LurvaneReader, RowsArePaddedToFourBytesAndEachCallGivesAFreshCopy) {
    const Bytes file = Build({Pattern(5, 2, 1), Pattern(2, 5, 2)});
    CLurvane reader;
    int count = 0;
    ASSERT_TRUE(reader.Decode(file.data(), file.size(), count));
    unsigned char *a = nullptr, *b = nullptr;
    int size = 0, width = 0, height = 0;
    ASSERT_TRUE(reader.GetImage(0, a, size, width, height));
    EXPECT_EQ(size, 16 * 2);  // 5 pixels: 15 bytes, padded to 16
    ASSERT_TRUE(reader.GetImage(1, b, size, width, height));
    EXPECT_EQ(size, 8 * 5);  // 2 pixels: 6 bytes, padded to 8
    EXPECT_NE(a, b);
    a[0] ^= 0xFF;  // the caller's copy is its own
    delete[] a;
    ASSERT_TRUE(reader.GetImage(0, a, size, width, height));
    EXPECT_EQ(a[0], Pattern(5, 2, 1).bytes[0]);
    delete[] a;
    delete[] b;
}

TEST(LurvaneReader, VariantZeroAtEvenAndVariantOneAtOddIndexes) {
    // Three frames, each with an upright picture first and the turned one second.
    const Bytes file = Build({Pattern(24, 40, 1), Pattern(40, 24, 2), Pattern(24, 40, 3), Pattern(40, 24, 4),
                              Pattern(24, 40, 5), Pattern(40, 24, 6)});
    testsupport::TempHome home;
    const std::string file_path = home.Write(home.runDir() + "data/PM-00.dat", std::string(file.begin(), file.end()));
    CLurvane reader;
    int count = 0;
    EXPECT_TRUE(reader.Decode_dat(file_path, count, false));
    ASSERT_EQ(count, 6);
    for (int frame = 0; frame < count / 2; ++frame) {
        for (int variant = 0; variant < 2; ++variant) {
            unsigned char* data = nullptr;
            int size = 0, width = 0, height = 0;
            ASSERT_TRUE(reader.GetImage(2 * frame + variant, data, size, width, height));
            EXPECT_EQ(width, variant == 0 ? 24 : 40);
            EXPECT_EQ(height, variant == 0 ? 40 : 24);
            const Rows expected = Pattern(width, height, 2 * frame + variant + 1);
            EXPECT_EQ(std::memcmp(data, expected.bytes.data(), expected.bytes.size()), 0);
            delete[] data;
        }
    }
}

TEST(LurvaneReader, IndexOutsideTheCountGivesNothing) {
    const Bytes file = TwoFrames();
    CLurvane reader;
    int count = 0;
    ASSERT_TRUE(reader.Decode(file.data(), file.size(), count));
    for (int index : {-1, 4, 1000}) {
        unsigned char* data = reinterpret_cast<unsigned char*>(1);
        int size = 7, width = 7, height = 7;
        EXPECT_FALSE(reader.GetImage(index, data, size, width, height));
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(size, 0);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(height, 0);
    }
}

TEST(LurvaneReader, MissingOrForeignFilesGiveCountZero) {
    testsupport::TempHome home;
    CLurvane reader;
    int count = 5;
    EXPECT_FALSE(reader.Decode_dat(home.runDir() + "data/PM-00.dat", count, false));
    EXPECT_EQ(count, 0);
    count = 5;
    EXPECT_FALSE(reader.Decode_dat(home.runDir(), count, false));  // a folder
    EXPECT_EQ(count, 0);
    count = 5;
    EXPECT_FALSE(reader.Decode_dat(home.Write(home.runDir() + "empty.dat", ""), count, false));
    EXPECT_EQ(count, 0);
    count = 5;
    EXPECT_FALSE(reader.Decode_dat(home.Write(home.runDir() + "text.dat", std::string(200, 'x')), count, false));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(reader.GetCount(), 0);
}

TEST(LurvaneReader, FileLargerThanTheLimitIsRefusedUnread) {
    testsupport::TempHome home;
    Bytes file = TwoFrames();
    const std::string path = home.Write(home.runDir() + "huge.dat", std::string(file.begin(), file.end()));
    // A valid file with a sparse tail: its start reads as frames, its size is beyond the limit.
    std::filesystem::resize_file(path, lurvane::kMaxFileBytes + 1);
    CLurvane reader;
    int count = 5;
    EXPECT_FALSE(reader.Decode_dat(path, count, false));
    EXPECT_EQ(count, 0);
    std::filesystem::resize_file(path, lurvane::kMaxFileBytes);
    EXPECT_TRUE(reader.Decode_dat(path, count, false)) << "trailing bytes after the last block are allowed";
    EXPECT_EQ(count, 4);
}

TEST(LurvaneReader, EveryTruncationGivesCountZero) {
    const Bytes file = TwoFrames();
    for (std::size_t n = 0; n < file.size(); ++n) {
        Bytes cut(file.begin(), file.begin() + static_cast<long>(n));
        ASSERT_EQ(CountOf(cut), 0) << "cut at " << n;
    }
    EXPECT_EQ(CountOf(file), 4);
}

TEST(LurvaneReader, ChecksumMismatchesGiveCountZero) {
    const Bytes good = TwoFrames();
    {
        Bytes f = good;
        f[lurvane::kHeaderCrcAt] ^= 1;
        EXPECT_EQ(CountOf(f), 0) << "header checksum";
    }
    {
        Bytes f = good;
        Entry(f, 1)[lurvane::kEntryCrcAt] ^= 0x40;  // directory changed, its checksum not
        EXPECT_EQ(CountOf(f), 0) << "directory checksum";
    }
    {
        Bytes f = good;
        f.back() ^= 0x10;  // last picture's compressed bytes
        EXPECT_EQ(CountOf(f), 0) << "pixel checksum";
    }
    {
        // The same damage with every checksum mended: zlib's own check must catch it.
        Bytes f = good;
        const std::uint32_t offset = lurvane::ReadU32(Entry(f, 2) + lurvane::kEntryOffsetAt);
        f[offset + 4] ^= 0x5A;
        Reseal(f);
        EXPECT_EQ(CountOf(f), 0) << "compressed stream";
    }
}

TEST(LurvaneReader, HeadersBeyondTheLimitsGiveCountZeroEvenWithMendedChecksums) {
    const Bytes good = TwoFrames();
    auto damaged = [&](auto edit) {
        Bytes f = good;
        edit(f);
        Reseal(f);
        return CountOf(f);
    };
    using namespace lurvane;
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 0) + kEntryWidthAt, kMaxSide + 1); }), 0) << "width";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 0) + kEntryHeightAt, 0xFFFFFFFFu); }), 0) << "height";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 1) + kEntryWidthAt, 0); }), 0) << "zero width";
    // Sizes within the limits that the compressed bytes could never fill.
    EXPECT_EQ(damaged([](Bytes& f) {
                  WriteU32(Entry(f, 0) + kEntryWidthAt, kMaxSide);
                  WriteU32(Entry(f, 0) + kEntryHeightAt, kMaxSide);
              }),
              0)
        << "more pixels than the stream can hold";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 0) + kEntryHeightAt, 12); }), 0) << "one row too many";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(f.data() + kHeaderCountAt, 0x7FFFFFFF); }), 0) << "huge count";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(f.data() + kHeaderCountAt, 3); }), 0) << "odd count";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(f.data() + kHeaderCountAt, 0); }), 0) << "no picture";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 3) + kEntryOffsetAt, 0xFFFFFFF0u); }), 0) << "offset";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 3) + kEntryOffsetAt, 8); }), 0) << "offset in header";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 3) + kEntryPackedSizeAt, 0xFFFFFFFFu); }), 0) << "length";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU32(Entry(f, 2) + kEntryEncodingAt, 2); }), 0) << "unknown encoding";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU16(f.data() + 8, 2); }), 0) << "version";
    EXPECT_EQ(damaged([](Bytes& f) { WriteU16(f.data() + 10, 64); }), 0) << "header size";
    EXPECT_EQ(damaged([](Bytes& f) { f[0] = 'l'; }), 0) << "magic";
    EXPECT_EQ(damaged([](Bytes& f) { f[20] = 1; }), 0) << "reserved";
    // Control: the mending alone leaves a good file good.
    EXPECT_EQ(damaged([](Bytes&) {}), 4);
}

TEST(LurvaneReader, ADamagedFileAfterAGoodOneLeavesNoPicture) {
    const Bytes good = TwoFrames();
    Bytes bad = good;
    bad.back() ^= 1;
    CLurvane reader;
    int count = 0;
    ASSERT_TRUE(reader.Decode(good.data(), good.size(), count));
    EXPECT_FALSE(reader.Decode(bad.data(), bad.size(), count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(reader.GetCount(), 0);
    unsigned char* data = nullptr;
    int size = 0, width = 0, height = 0;
    EXPECT_FALSE(reader.GetImage(0, data, size, width, height));
}

TEST(LurvaneWriter, RefusesPicturesTheReaderWouldReject) {
    CLurvaneWriter writer;
    const Rows r = Pattern(5, 3, 1);
    EXPECT_FALSE(writer.AddPicture(5, 3, r.bytes.data(), r.bytes.size() - 1));
    EXPECT_FALSE(writer.AddPicture(0, 3, r.bytes.data(), 0));
    EXPECT_FALSE(writer.AddPicture(5, 3, nullptr, r.bytes.size()));
    const Bytes big(lurvane::RowBytes(lurvane::kMaxSide + 1), 0);
    EXPECT_FALSE(writer.AddPicture(static_cast<int>(lurvane::kMaxSide) + 1, 1, big.data(), big.size()));
    EXPECT_EQ(writer.GetCount(), 0);
    EXPECT_TRUE(writer.Build().empty()) << "no picture";
    EXPECT_TRUE(writer.AddPicture(5, 3, r.bytes.data(), r.bytes.size()));
    EXPECT_TRUE(writer.Build().empty()) << "half a frame";
    EXPECT_TRUE(writer.AddPicture(5, 3, r.bytes.data(), r.bytes.size()));
    EXPECT_EQ(CountOf(writer.Build()), 2);
}

TEST(LurvaneWriter, SaveWritesTheFileTheReaderReads) {
    testsupport::TempHome home;
    CLurvaneWriter writer;
    const Rows a = Pattern(9, 4, 1), b = Pattern(4, 9, 2);
    ASSERT_TRUE(writer.AddPicture(a.width, a.height, a.bytes.data(), a.bytes.size()));
    EXPECT_FALSE(writer.Save(home.runDir() + "odd.dat"));
    EXPECT_FALSE(std::filesystem::exists(home.runDir() + "odd.dat"));
    ASSERT_TRUE(writer.AddPicture(b.width, b.height, b.bytes.data(), b.bytes.size()));
    ASSERT_TRUE(writer.Save(home.runDir() + "pair.dat"));
    CLurvane reader;
    int count = 0;
    EXPECT_TRUE(reader.Decode_dat(home.runDir() + "pair.dat", count, false));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(writer.Save(home.runDir() + "no/such/folder/pair.dat"));
}

}  // namespace
