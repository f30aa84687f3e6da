#include "platform/lurvane/LurvaneWriter.h"

#include <zlib.h>

#include <cstring>

#include "platform/lurvane/LurvaneFormat.h"
#include "platform/win/fileapi.h"

using namespace lurvane;

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    return static_cast<std::uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

}  // namespace

bool CLurvaneWriter::AddPicture(int width, int height, const std::uint8_t* rows, std::size_t size) {
    if (!rows || width <= 0 || height <= 0 || static_cast<std::uint32_t>(width) > kMaxSide ||
        static_cast<std::uint32_t>(height) > kMaxSide)
        return false;
    if (size != RowBytes(static_cast<std::uint64_t>(width)) * static_cast<std::uint64_t>(height)) return false;
    if (m_pictures.size() >= kMaxPictures) return false;
    Packed p{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), {}};
    uLongf packedSize = compressBound(static_cast<uLong>(size));
    p.bytes.resize(packedSize);
    if (compress2(p.bytes.data(), &packedSize, rows, static_cast<uLong>(size), Z_BEST_COMPRESSION) != Z_OK)
        return false;
    p.bytes.resize(packedSize);
    m_pictures.push_back(std::move(p));
    return true;
}

std::vector<std::uint8_t> CLurvaneWriter::Build() const {
    const std::size_t count = m_pictures.size();
    if (count == 0 || count % 2 != 0) return {};
    const std::size_t directoryEnd = kHeaderSize + count * kEntrySize;
    std::uint64_t total = directoryEnd;
    for (const Packed& p : m_pictures) total += p.bytes.size();
    if (total > kMaxFileBytes) return {};

    std::vector<std::uint8_t> file(directoryEnd);
    std::uint32_t offset = static_cast<std::uint32_t>(directoryEnd);
    for (std::size_t i = 0; i < count; ++i) {
        const Packed& p = m_pictures[i];
        std::uint8_t* e = file.data() + kHeaderSize + i * kEntrySize;
        WriteU32(e + kEntryWidthAt, p.width);
        WriteU32(e + kEntryHeightAt, p.height);
        WriteU32(e + kEntryOffsetAt, offset);
        WriteU32(e + kEntryPackedSizeAt, static_cast<std::uint32_t>(p.bytes.size()));
        WriteU32(e + kEntryCrcAt, Crc32(p.bytes.data(), p.bytes.size()));
        WriteU32(e + kEntryEncodingAt, kEncodingZlibBgr24);
        file.insert(file.end(), p.bytes.begin(), p.bytes.end());
        offset += static_cast<std::uint32_t>(p.bytes.size());
    }
    std::uint8_t* h = file.data();
    std::memcpy(h, kMagic, sizeof kMagic);
    WriteU16(h + 8, kVersion);
    WriteU16(h + 10, static_cast<std::uint16_t>(kHeaderSize));
    WriteU32(h + kHeaderCountAt, static_cast<std::uint32_t>(count));
    WriteU32(h + kHeaderDirectoryCrcAt, Crc32(h + kHeaderSize, count * kEntrySize));
    WriteU32(h + kHeaderCrcAt, Crc32(h, kHeaderCrcAt));
    return file;
}

bool CLurvaneWriter::Save(const std::string& path) const {
    const std::vector<std::uint8_t> file = Build();
    if (file.empty()) return false;
    return win::WriteFileAtomic(path, std::string(file.begin(), file.end()));
}
