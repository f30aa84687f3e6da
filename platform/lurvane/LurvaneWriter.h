// CLurvaneWriter: builds a frame-data file for CLurvane (layout in LurvaneFormat.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CLurvaneWriter {
public:
    // Adds the next picture: width × height 24-bit rows in the reader's layout (bottom-up,
    // blue-green-red, rows padded to 4 bytes), size bytes in all. False, adding nothing, when
    // the sizes are outside the format's limits or size does not match them.
    bool AddPicture(int width, int height, const std::uint8_t* rows, std::size_t size);

    int GetCount() const { return static_cast<int>(m_pictures.size()); }

    // The whole file. Empty when it could not be a valid file: no picture, an odd count or
    // more than the limits allow.
    std::vector<std::uint8_t> Build() const;

    // Writes Build() through a temporary name and a rename; false when there is nothing valid
    // to write or the file cannot be written.
    bool Save(const std::string& path) const;

private:
    struct Packed {
        std::uint32_t width;
        std::uint32_t height;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Packed> m_pictures;
};
