// The model frame-data reader (CLurvane), for the fuzz harness.
#include <gtest/gtest.h>

#include <vector>

#include "platform/lurvane/Lurvane.h"
#include "platform/lurvane/LurvaneFormat.h"
#include "platform/lurvane/LurvaneWriter.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/lurvane/FrameFileEdit.h"

namespace {

using fuzz::Bytes;

Bytes Rows(int w, int h, int seed) {
    Bytes rows(lurvane::RowBytes(static_cast<std::uint64_t>(w)) * static_cast<std::size_t>(h), 0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 0 : (i * 13 + static_cast<std::size_t>(seed)) >> 2);
    return rows;
}

std::vector<Bytes> FrameDataSamples() {
    std::vector<Bytes> samples;
    for (auto [w, h, frames] : {std::tuple{1, 1, 1}, {3, 5, 2}, {7, 2, 3}, {16, 9, 1}, {24, 40, 2}}) {
        CLurvaneWriter writer;
        for (int f = 0; f < frames; ++f) {
            const Bytes upright = Rows(w, h, f), turned = Rows(h, w, f + 50);
            EXPECT_TRUE(writer.AddPicture(w, h, upright.data(), upright.size()));
            EXPECT_TRUE(writer.AddPicture(h, w, turned.data(), turned.size()));
        }
        samples.push_back(writer.Build());
    }
    return samples;
}

// Reads the file the way the frame list does and touches every byte of every picture.
bool ReadFrameData(const std::uint8_t* d, size_t n) {
    CLurvane reader;
    int count = 0;
    reader.Decode_dat(fuzz::TempFile(Bytes(d, d + n)), count, false);
    EXPECT_EQ(count % 2, 0);
    volatile unsigned sum = 0;
    for (int i = 0; i < count; ++i) {
        unsigned char* data = nullptr;
        int size = 0, width = 0, height = 0;
        if (!reader.GetImage(i, data, size, width, height)) {
            ADD_FAILURE() << "picture " << i << " of " << count << " does not read";
            return false;
        }
        EXPECT_EQ(static_cast<std::uint64_t>(size),
                  lurvane::RowBytes(static_cast<std::uint64_t>(width)) * static_cast<std::uint64_t>(height));
        for (int k = 0; k < size; ++k) sum = sum + data[k];
        delete[] data;
    }
    return count > 0;
}

const bool registered = fuzz::Register({"lurvane", FrameDataSamples, ReadFrameData, lurvanetest::Reseal});

}  // namespace
