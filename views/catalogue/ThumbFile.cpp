#include "views/catalogue/ThumbFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "common/Gandry.h"
#include "platform/win/fileapi.h"

namespace thumbfile {
namespace {

void PutInt32(std::uint8_t* p, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    p[0] = static_cast<std::uint8_t>(u);
    p[1] = static_cast<std::uint8_t>(u >> 8);
    p[2] = static_cast<std::uint8_t>(u >> 16);
    p[3] = static_cast<std::uint8_t>(u >> 24);
}

std::int32_t GetInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                     (static_cast<std::uint32_t>(p[2]) << 16) |
                                     (static_cast<std::uint32_t>(p[3]) << 24));
}

bool MarkerAtEnd(int fd, std::int64_t fileSize) {
    if (fileSize < static_cast<std::int64_t>(kMarkerBytes)) return false;
    char tail[kMarkerBytes];
    if (!win::ReadExact(fd, tail, kMarkerBytes, fileSize - static_cast<std::int64_t>(kMarkerBytes))) return false;
    return std::memcmp(tail, kMarker, kMarkerBytes) == 0;
}

struct Header {
    int width = 0;
    int height = 0;
    std::int64_t bytes = 0;
};

// A record is sound when its picture has the shape every writer gives a level (the long side
// equals the box, the short side at least 1 and at most the box) and its byte count is exactly
// stride x height. That bounds every allocation a reader makes to one 500 x 500 picture.
bool SoundHeader(int level, const Header& h) {
    const int box = kBoxes[level];
    if (h.width < 1 || h.height < 1 || h.width > box || h.height > box) return false;
    if (h.width != box && h.height != box) return false;
    return h.bytes == Stride24(h.width) * h.height;
}

// Walks the three records; fills `headers` and their pixel offsets. False on any inconsistency.
bool WalkRecords(int fd, std::int64_t fileSize, Header headers[kLevels], std::int64_t offsets[kLevels]) {
    const std::int64_t end = fileSize - static_cast<std::int64_t>(kMarkerBytes);
    std::int64_t offset = 0;
    for (int level = 0; level < kLevels; ++level) {
        std::uint8_t raw[12];
        if (offset + 12 > end || !win::ReadExact(fd, raw, sizeof raw, offset)) return false;
        Header h;
        h.width = GetInt32(raw);
        h.height = GetInt32(raw + 4);
        h.bytes = GetInt32(raw + 8);
        if (!SoundHeader(level, h)) return false;
        offset += 12;
        if (offset + h.bytes > end) return false;
        headers[level] = h;
        offsets[level] = offset;
        offset += h.bytes;
    }
    return offset == end;
}

}  // namespace

void LevelSize(int level, int width, int height, int& outWidth, int& outHeight) {
    int size[2] = {width, height};
    int box[2] = {kBoxes[level], kBoxes[level]};
    int out[2] = {0, 0};
    CGandry::CalcThumbSize(size, box, out);
    outWidth = out[0];
    outHeight = out[1];
}

void ResampleNearest(const Source& source, int width, int height, Level& out) {
    out.width = width;
    out.height = height;
    const std::int64_t stride = Stride24(width);
    out.bits.assign(static_cast<std::size_t>(stride * height), 0);
    if (!source.bits || source.width < 1 || source.height < 1 || width < 1 || height < 1) return;
    // Source column of every target column, computed once; the same single-precision mapping as
    // the picture library's nearest-pixel mode.
    const float xScale = static_cast<float>(source.width) / static_cast<float>(width);
    const float yScale = static_cast<float>(source.height) / static_cast<float>(height);
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        int sx = static_cast<int>(static_cast<float>(x) * xScale);
        columns[static_cast<std::size_t>(x)] = sx < source.width ? sx : source.width - 1;
    }
    for (int y = 0; y < height; ++y) {
        // Rows are addressed bottom-up on both sides.
        int sy = static_cast<int>(static_cast<float>(y) * yScale);
        if (sy >= source.height) sy = source.height - 1;
        const int memoryRow = source.bottomUp ? sy : source.height - 1 - sy;
        const std::uint8_t* src = source.bits + static_cast<std::int64_t>(memoryRow) * source.stride;
        std::uint8_t* dst = out.bits.data() + static_cast<std::int64_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = src + columns[static_cast<std::size_t>(x)] * 3;
            dst[0] = p[0];
            dst[1] = p[1];
            dst[2] = p[2];
            dst += 3;
        }
    }
}

bool Write(const std::string& path, const Level levels[kLevels]) {
    for (int i = 0; i < kLevels; ++i) {
        if (levels[i].width < 1 || levels[i].height < 1 ||
            static_cast<std::int64_t>(levels[i].bits.size()) != Stride24(levels[i].width) * levels[i].height) {
            return false;
        }
    }
    // The file appears whole or not at all; no reader ever sees a half-written cache. It is not
    // flushed to the disk first: a cache lost to a power cut is simply made again.
    return win::ReplaceFileAtomic(
        path,
        [&levels](const std::string& temp) {
            const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd < 0) return false;
            bool ok = true;
            for (int i = 0; i < kLevels && ok; ++i) {
                std::uint8_t header[12];
                PutInt32(header, levels[i].width);
                PutInt32(header + 4, levels[i].height);
                PutInt32(header + 8, static_cast<std::int32_t>(levels[i].bits.size()));
                ok = win::WriteAll(fd, header, sizeof header) &&
                     win::WriteAll(fd, levels[i].bits.data(), levels[i].bits.size());
            }
            ok = ok && win::WriteAll(fd, kMarker, kMarkerBytes);
            if (::close(fd) != 0) ok = false;
            return ok;
        },
        false);
}

bool HasMarker(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && MarkerAtEnd(fd, st.st_size);
    ::close(fd);
    return ok;
}

Status Check(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Status::Missing;
    struct stat st {};
    Status status = Status::Valid;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !MarkerAtEnd(fd, st.st_size)) {
        status = Status::NoMarker;
    } else {
        Header headers[kLevels];
        std::int64_t offsets[kLevels];
        if (!WalkRecords(fd, st.st_size, headers, offsets)) status = Status::Inconsistent;
    }
    ::close(fd);
    return status;
}

namespace detail {

bool OpenRecord(const std::string& path, int level, Record& record) {
    if (level < 0 || level >= kLevels) return false;
    record.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (record.fd < 0) return false;
    struct stat st {};
    Header headers[kLevels];
    std::int64_t offsets[kLevels];
    if (::fstat(record.fd, &st) != 0 || !S_ISREG(st.st_mode) || !MarkerAtEnd(record.fd, st.st_size) ||
        !WalkRecords(record.fd, st.st_size, headers, offsets)) {
        Close(record);
        return false;
    }
    record.width = headers[level].width;
    record.height = headers[level].height;
    record.bytes = headers[level].bytes;
    record.offset = offsets[level];
    return true;
}

bool ReadPixels(Record& record, std::uint8_t* dst) {
    return win::ReadExact(record.fd, dst, static_cast<std::size_t>(record.bytes), record.offset);
}

void Close(Record& record) {
    if (record.fd >= 0) ::close(record.fd);
    record.fd = -1;
}

}  // namespace detail

bool ReadLevel(const std::string& path, int level, Level& out) {
    out = Level();
    bool ok = ReadLevelInto(path, level, [&out](int width, int height) {
        out.width = width;
        out.height = height;
        out.bits.resize(static_cast<std::size_t>(Stride24(width) * height));
        return out.bits.data();
    });
    if (!ok) out = Level();
    return ok;
}

}  // namespace thumbfile
