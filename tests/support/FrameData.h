// A small but sound frame-data file (one frame, both variants), for tests that install model
// data files: the frame panel reads the current model's file when it is created.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/Gandry.h"
#include "platform/lurvane/LurvaneWriter.h"
#include "tests/support/TempHome.h"

namespace testsupport {

inline std::string SoundFrameData() {
    CLurvaneWriter writer;
    const std::uint8_t pixel[4] = {0, 255, 0, 0};  // one transparent pixel, row padded to 4
    writer.AddPicture(1, 1, pixel, sizeof pixel);
    writer.AddPicture(1, 1, pixel, sizeof pixel);
    const std::vector<std::uint8_t> bytes = writer.Build();
    return std::string(bytes.begin(), bytes.end());
}

// Sound model data files in the home's program folder for the given models (all 66 by
// default); the frame panel reads the current model's file when the main frame starts.
inline void InstallModels(const TempHome& home, std::vector<int> ids = {}) {
    if (ids.empty())
        for (int id = 0; id < 66; ++id) ids.push_back(id);
    for (int id : ids)
        home.Write(home.runDir() + "data/" + CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id)),
                   SoundFrameData());
}

}  // namespace testsupport
