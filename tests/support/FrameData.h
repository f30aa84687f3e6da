// A small but sound frame-data file (one frame, both variants), for tests that install model
// data files: the frame panel reads the current model's file when it is created.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/lurvane/LurvaneWriter.h"

namespace testsupport {

inline std::string SoundFrameData() {
    CLurvaneWriter writer;
    const std::uint8_t pixel[4] = {0, 255, 0, 0};  // one transparent pixel, row padded to 4
    writer.AddPicture(1, 1, pixel, sizeof pixel);
    writer.AddPicture(1, 1, pixel, sizeof pixel);
    const std::vector<std::uint8_t> bytes = writer.Build();
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace testsupport
