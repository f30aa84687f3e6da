// lurvane-gen: writes the frame-data file of every phone model into a data folder.
//
// usage: lurvane-gen DATA-FOLDER
//
// Each file holds every frame design twice: variant 0 for the model's first screen size held
// upright, variant 1 for the same screen turned on its side. Models with the same screen share
// the same file contents, which are drawn once.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/Gandry.h"
#include "platform/lurvane/LurvaneWriter.h"
#include "platform/lurvane/gen/FrameArt.h"
#include "platform/win/fileapi.h"

namespace {

// Written under a temporary name and renamed, so an interrupted build never leaves half a file;
// no sync to disk, as everything here can be drawn again.
bool WriteFile(const std::string& path, const std::string& contents) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        if (!out.flush()) return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

std::vector<std::uint8_t> BuildFile(CSize screen) {
    const int shortSide = std::min(screen.cx, screen.cy), longSide = std::max(screen.cx, screen.cy);
    const QSize portrait(shortSide, longSide), landscape(longSide, shortSide);
    CLurvaneWriter writer;
    for (int design = 0; design < framegen::DesignCount(); ++design) {
        for (QSize size : {portrait, landscape}) {
            const std::vector<std::uint8_t> rows = framegen::KeyedRows(framegen::DrawFrame(design, size));
            if (!writer.AddPicture(size.width(), size.height(), rows.data(), rows.size())) return {};
        }
    }
    return writer.Build();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lurvane-gen DATA-FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/') folder += '/';
    if (!win::CreateDirectory(folder)) {
        std::fprintf(stderr, "lurvane-gen: cannot create '%s'\n", folder.c_str());
        return 1;
    }

    std::vector<std::pair<std::string, CSize>> models;
    for (int id = 0; id < CGandry::kTableModelCount; ++id) {
        models.emplace_back(CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id)),
                            CGandry::GetModelInfoByModelndex(id).sizePhonebook[0]);
    }
    CSize user{0, 0};
    CGandry::GetPhonebookSize(MODEL_USER_DEFINED, 0, user);
    models.emplace_back(CGandry::GetDatafilenameByModleID(MODEL_USER_DEFINED), user);

    std::map<std::pair<int, int>, std::string> drawn;
    for (const auto& [name, screen] : models) {
        if (name.empty() || screen.cx <= 0 || screen.cy <= 0) {
            std::fprintf(stderr, "lurvane-gen: no screen size for '%s'\n", name.c_str());
            return 1;
        }
        const std::pair<int, int> key{std::min(screen.cx, screen.cy), std::max(screen.cx, screen.cy)};
        auto found = drawn.find(key);
        if (found == drawn.end()) {
            const std::vector<std::uint8_t> file = BuildFile(screen);
            if (file.empty()) {
                std::fprintf(stderr, "lurvane-gen: cannot build the frames for '%s'\n", name.c_str());
                return 1;
            }
            found = drawn.emplace(key, std::string(file.begin(), file.end())).first;
        }
        if (!WriteFile(folder + name, found->second)) {
            std::fprintf(stderr, "lurvane-gen: cannot write '%s%s'\n", folder.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
