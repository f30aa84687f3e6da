#include "platform/lurvane/Lurvane.h"

#include <zlib.h>

#include <cstring>
#include <new>
#include <string>

#include "platform/lurvane/LurvaneFormat.h"
#include "platform/win/fileapi.h"

using namespace lurvane;

namespace {

struct Entry {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t offset = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t crc = 0;
    std::uint64_t rowsSize = 0;
};

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths as uInt; feed large blocks in pieces.
    while (size > 0) {
        const uInt n = size > (1u << 30) ? (1u << 30) : static_cast<uInt>(size);
        crc = crc32(crc, data, n);
        data += n;
        size -= n;
    }
    return static_cast<std::uint32_t>(crc);
}

// The header and the whole directory, checked before any pixel is touched: magic, version,
// checksums, sizes within the limits and every compressed block inside the file.
bool ReadDirectory(const std::uint8_t* bytes, std::size_t size, std::vector<Entry>& entries) {
    entries.clear();
    if (!bytes || size < kHeaderSize || size > kMaxFileBytes) return false;
    if (std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return false;
    if (ReadU16(bytes + 8) != kVersion || ReadU16(bytes + 10) != kHeaderSize) return false;
    if (ReadU32(bytes + kHeaderCrcAt) != Crc32(bytes, kHeaderCrcAt)) return false;
    if (ReadU32(bytes + 20) != 0 || ReadU32(bytes + 24) != 0) return false;

    const std::uint32_t count = ReadU32(bytes + kHeaderCountAt);
    if (count == 0 || count > kMaxPictures || count % 2 != 0) return false;
    const std::uint64_t directoryEnd = kHeaderSize + std::uint64_t{count} * kEntrySize;
    if (directoryEnd > size) return false;
    const std::uint8_t* directory = bytes + kHeaderSize;
    if (ReadU32(bytes + kHeaderDirectoryCrcAt) != Crc32(directory, count * kEntrySize)) return false;

    std::uint64_t decoded = 0;
    entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = directory + std::size_t{i} * kEntrySize;
        Entry entry;
        entry.width = ReadU32(e + kEntryWidthAt);
        entry.height = ReadU32(e + kEntryHeightAt);
        entry.offset = ReadU32(e + kEntryOffsetAt);
        entry.packedSize = ReadU32(e + kEntryPackedSizeAt);
        entry.crc = ReadU32(e + kEntryCrcAt);
        if (ReadU32(e + kEntryEncodingAt) != kEncodingZlibBgr24) return false;
        if (entry.width == 0 || entry.height == 0 || entry.width > kMaxSide || entry.height > kMaxSide) return false;
        if (entry.packedSize == 0 || entry.offset < directoryEnd ||
            std::uint64_t{entry.offset} + entry.packedSize > size)
            return false;
        entry.rowsSize = RowBytes(entry.width) * entry.height;
        if (entry.rowsSize > std::uint64_t{entry.packedSize} * kMaxDeflateRatio + 64) return false;
        decoded += entry.rowsSize;
        if (decoded > kMaxDecodedBytes) return false;
        entries.push_back(entry);
    }
    return true;
}

bool Inflate(const std::uint8_t* packed, std::size_t packedSize, std::vector<std::uint8_t>& rows) {
    uLongf produced = static_cast<uLongf>(rows.size());
    uLong consumed = static_cast<uLong>(packedSize);
    const int result = uncompress2(rows.data(), &produced, packed, &consumed);
    // The stream must fill the rows exactly and end exactly where its block ends.
    return result == Z_OK && produced == rows.size() && consumed == packedSize;
}

}  // namespace

CLurvane::CLurvane() = default;

CLurvane::~CLurvane() = default;

bool CLurvane::Decode_dat(const CString& path, int& count, bool /*unused*/) {
    m_pictures.clear();
    count = 0;
    std::string contents;
    if (!win::ReadFile(path, contents, kMaxFileBytes)) return false;
    return Decode(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size(), count);
}

bool CLurvane::Decode(const std::uint8_t* bytes, std::size_t size, int& count) {
    m_pictures.clear();
    count = 0;
    std::vector<Entry> entries;
    if (!ReadDirectory(bytes, size, entries)) return false;

    std::vector<Picture> pictures;
    try {
        pictures.resize(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            const std::uint8_t* packed = bytes + e.offset;
            if (Crc32(packed, e.packedSize) != e.crc) return false;
            Picture& p = pictures[i];
            p.width = static_cast<int>(e.width);
            p.height = static_cast<int>(e.height);
            p.rows.resize(static_cast<std::size_t>(e.rowsSize));
            if (!Inflate(packed, e.packedSize, p.rows)) return false;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_pictures = std::move(pictures);
    count = GetCount();
    return count > 0;
}

bool CLurvane::GetImage(int index, unsigned char*& data, int& size, int& width, int& height) const {
    data = nullptr;
    size = width = height = 0;
    if (index < 0 || index >= GetCount()) return false;
    const Picture& p = m_pictures[static_cast<std::size_t>(index)];
    data = new (std::nothrow) unsigned char[p.rows.size()];
    if (!data) return false;
    std::memcpy(data, p.rows.data(), p.rows.size());
    size = static_cast<int>(p.rows.size());
    width = p.width;
    height = p.height;
    return true;
}
