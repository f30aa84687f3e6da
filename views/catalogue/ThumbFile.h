// The ".thm" cache file: three pre-scaled 24-bit pictures (boxes of 100, 300 and 500 pixels) in
// device-independent bitmap layout, each as width, height and byte count (little-endian int32)
// followed by the pixels, then the marker "zomrak".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace thumbfile {

inline constexpr int kLevels = 3;
inline constexpr int kBoxes[kLevels] = {100, 300, 500};
inline constexpr char kMarker[] = "zomrak";
inline constexpr std::size_t kMarkerBytes = 6;

// Bytes of one 24-bit row, padded to a multiple of 4.
inline std::int64_t Stride24(std::int64_t width) {
    return (width * 3 + 3) & ~std::int64_t{3};
}

// One level: rows bottom-up, stride Stride24(width).
struct Level {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;
};

// A 24-bit picture to scale from, without ownership. Rows are `stride` bytes apart; with
// bottomUp the first row in memory is the bottom row.
struct Source {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::int64_t stride = 0;
    bool bottomUp = true;
};

// The size of a level for a picture of width x height (CGandry::CalcThumbSize on a square box).
void LevelSize(int level, int width, int height, int& outWidth, int& outHeight);

// Nearest-pixel scaling of the source to width x height into a bottom-up buffer.
void ResampleNearest(const Source& source, int width, int height, Level& out);

// Writes the three levels and the marker; the file is replaced as a whole (a reader never sees a
// half-written file). False when it cannot be written.
bool Write(const std::string& path, const Level levels[kLevels]);

enum class Status {
    Valid,         // marker in place and every record consistent
    Missing,       // no file
    NoMarker,      // short or unfinished file
    Inconsistent,  // marker in place but a record's sizes do not add up
};

// Checks the marker and the three records without reading pixels.
Status Check(const std::string& path);

// True when the last six bytes are the marker (the test the loader uses to decide to rebuild).
bool HasMarker(const std::string& path);

// Reads one level. Returns false (and leaves `out` empty) for a missing file, a missing marker
// or a record whose sizes do not add up; never reads more than the record claims and the file
// holds.
bool ReadLevel(const std::string& path, int level, Level& out);

// Reads one level straight into caller memory: `allocate(width, height)` returns the bottom-up
// destination with rows of Stride24(width) bytes, or null to give up.
template <typename Allocate>
bool ReadLevelInto(const std::string& path, int level, Allocate&& allocate);

namespace detail {
// Shared by both readers: opens, validates and positions on the level's pixels.
struct Record {
    int fd = -1;
    int width = 0;
    int height = 0;
    std::int64_t bytes = 0;
    std::int64_t offset = 0;
};
bool OpenRecord(const std::string& path, int level, Record& record);
bool ReadPixels(Record& record, std::uint8_t* dst);
void Close(Record& record);
}  // namespace detail

template <typename Allocate>
bool ReadLevelInto(const std::string& path, int level, Allocate&& allocate) {
    detail::Record record;
    if (!detail::OpenRecord(path, level, record)) return false;
    std::uint8_t* dst = allocate(record.width, record.height);
    bool ok = dst && detail::ReadPixels(record, dst);
    detail::Close(record);
    return ok;
}

}  // namespace thumbfile
