// The ".thm" thumbnail cache reader, for the fuzz harness.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/fuzz/FuzzHarness.h"
#include "views/catalogue/ThumbFile.h"

namespace {

using fuzz::Bytes;

// Caches of narrow pictures keep the samples small while every level keeps its full box.
std::vector<Bytes> ThumbSamples() {
    std::vector<Bytes> samples;
    for (auto [w, h] : {std::pair{1, 1000}, {1000, 1}, {40, 1000}, {1000, 30}}) {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(thumbfile::Stride24(w) * h));
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 31 + w);
        thumbfile::Source source{pixels.data(), w, h, thumbfile::Stride24(w), true};
        thumbfile::Level levels[thumbfile::kLevels];
        for (int level = 0; level < thumbfile::kLevels; ++level) {
            int lw = 0, lh = 0;
            thumbfile::LevelSize(level, w, h, lw, lh);
            thumbfile::ResampleNearest(source, lw, lh, levels[level]);
        }
        const std::string path = fuzz::TempFile({});
        EXPECT_TRUE(thumbfile::Write(path, levels));
        Bytes bytes;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            std::uint8_t buf[4096];
            std::size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
            std::fclose(f);
        }
        samples.push_back(std::move(bytes));
    }
    return samples;
}

bool ReadThumb(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::TempFile(Bytes(data, data + size));
    thumbfile::Check(path);
    bool any = false;
    for (int level = 0; level < thumbfile::kLevels; ++level) {
        thumbfile::Level out;
        if (!thumbfile::ReadLevel(path, level, out)) continue;
        // Every byte the level claims must be there (AddressSanitizer checks the reads).
        EXPECT_EQ(static_cast<std::int64_t>(out.bits.size()), thumbfile::Stride24(out.width) * out.height);
        volatile unsigned sum = 0;
        for (std::uint8_t b : out.bits) sum = sum + b;
        any = true;
    }
    return any;
}

const bool registered = fuzz::Register({"thm", ThumbSamples, ReadThumb});

}  // namespace
