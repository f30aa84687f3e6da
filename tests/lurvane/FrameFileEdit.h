// Helpers for tests that damage frame-data files on purpose: making the checksums right again
// after an edit, so the damage reaches the checks behind them.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "platform/lurvane/LurvaneFormat.h"

namespace lurvanetest {

inline std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
    return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

// Recomputes the pixel checksums of every entry whose block lies inside the file, then the
// directory's and the header's, as far as the file is long enough to hold them.
inline void Reseal(std::vector<std::uint8_t>& f) {
    using namespace lurvane;
    if (f.size() < kHeaderSize) return;
    const std::uint64_t count = ReadU32(f.data() + kHeaderCountAt);
    if (count <= kMaxPictures && kHeaderSize + count * kEntrySize <= f.size()) {
        for (std::uint64_t i = 0; i < count; ++i) {
            std::uint8_t* e = f.data() + kHeaderSize + i * kEntrySize;
            const std::uint64_t offset = ReadU32(e + kEntryOffsetAt), size = ReadU32(e + kEntryPackedSizeAt);
            if (offset + size <= f.size()) WriteU32(e + kEntryCrcAt, Crc(f.data() + offset, size));
        }
        WriteU32(f.data() + kHeaderDirectoryCrcAt, Crc(f.data() + kHeaderSize, count * kEntrySize));
    }
    WriteU32(f.data() + kHeaderCrcAt, Crc(f.data(), kHeaderCrcAt));
}

}  // namespace lurvanetest
