// The frame-data file (".dat"): the layout shared by the reader CLurvane and the writer
// CLurvaneWriter.
//
// All numbers are little-endian.
//
// File header, 32 bytes:
//    0   8  magic "LURVANE" + 0x1A (the 0x1A catches files mangled by text-mode copies)
//    8   2  version, 1
//   10   2  header size, 32
//   12   4  picture count; even, pictures come in pairs per frame
//   16   4  CRC-32 of the whole directory as stored
//   20   8  reserved, zero
//   28   4  CRC-32 of header bytes 0..27
//
// Directory, right after the header: one 24-byte entry per picture, in index order:
//    0   4  width in pixels
//    4   4  height in pixels
//    8   4  offset of the picture's compressed pixels from the start of the file
//   12   4  compressed size in bytes
//   16   4  CRC-32 of the compressed bytes
//   20   4  pixel encoding, kEncodingZlibBgr24
//
// Pixels (kEncodingZlibBgr24): one zlib stream per picture holding the rows bottom-up, each
// pixel blue, green, red, each row padded with zeros to a multiple of 4 bytes: exactly the
// rows the reader hands out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lurvane {

inline constexpr std::uint8_t kMagic[8] = {'L', 'U', 'R', 'V', 'A', 'N', 'E', 0x1A};
inline constexpr std::uint16_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kEntrySize = 24;
inline constexpr std::uint32_t kEncodingZlibBgr24 = 1;

// Field offsets in the header and in a directory entry.
inline constexpr std::size_t kHeaderCountAt = 12;
inline constexpr std::size_t kHeaderDirectoryCrcAt = 16;
inline constexpr std::size_t kHeaderCrcAt = 28;
inline constexpr std::size_t kEntryWidthAt = 0;
inline constexpr std::size_t kEntryHeightAt = 4;
inline constexpr std::size_t kEntryOffsetAt = 8;
inline constexpr std::size_t kEntryPackedSizeAt = 12;
inline constexpr std::size_t kEntryCrcAt = 16;
inline constexpr std::size_t kEntryEncodingAt = 20;

// Limits a reader enforces before it allocates anything. Phone screens are at most a few
// hundred pixels a side and a model has a few dozen frames; the limits leave ample room.
inline constexpr std::uint32_t kMaxPictures = 512;
inline constexpr std::uint32_t kMaxSide = 4096;
inline constexpr std::uint64_t kMaxFileBytes = 64ull << 20;
inline constexpr std::uint64_t kMaxDecodedBytes = 256ull << 20;
// Deflate cannot expand data by more than about 1032 to 1; a picture claiming more pixels
// than its compressed bytes could hold is damaged, whatever its checksums say.
inline constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Bytes of one row of a 24-bit picture, padded to 4 bytes.
constexpr std::uint64_t RowBytes(std::uint64_t width) {
    return (width * 3 + 3) & ~std::uint64_t{3};
}

inline std::uint32_t ReadU32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
inline std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline void WriteU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace lurvane
