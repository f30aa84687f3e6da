// CLurvane: reads a model's frame-data file into its frame pictures.
//
// Pictures come in pairs, one pair per frame: the even index is the frame's variant 0, the odd
// index its variant 1. A file that is missing, not ours, damaged anywhere (checksums, sizes,
// compressed pixels) or beyond the reader's limits yields no picture at all: callers see
// count 0 and never half a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/windef.h"

class CLurvane {
public:
    CLurvane();
    ~CLurvane();
    CLurvane(const CLurvane&) = delete;
    CLurvane& operator=(const CLurvane&) = delete;

    // Reads the file at path; count becomes the number of pictures, 0 when the file is missing
    // or unreadable. The third argument is kept for the callers and has no effect. True when
    // the file held at least one picture.
    bool Decode_dat(const CString& path, int& count, bool unused);

    // The same for a file's bytes already in memory.
    bool Decode(const std::uint8_t* bytes, std::size_t size, int& count);

    // For index < count: a new array (the caller releases it with delete[]) of size bytes of
    // width × height 24-bit rows, bottom-up, blue-green-red, each row padded to 4 bytes, pure
    // green (0, 255, 0) where the frame is transparent. False, with data null and the numbers
    // 0, for any other index.
    bool GetImage(int index, unsigned char*& data, int& size, int& width, int& height) const;

    int GetCount() const { return static_cast<int>(m_pictures.size()); }

private:
    struct Picture {
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> rows;
    };
    std::vector<Picture> m_pictures;
};
