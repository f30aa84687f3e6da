// vimbro-tool frames: a phone model's decorative frames as BMP files.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/Gandry.h"
#include "platform/lurvane/Lurvane.h"
#include "platform/pavix/ximage.h"
#include "platform/win/fileapi.h"
#include "tools/Tool.h"

namespace {

// A model ID (0-65, 67) or name; MODEL_NONE when it names no model.
int ModelFromArgument(const std::string& text) {
    long long number = 0;
    if (tool::ParseInt(text, number))
        return (number >= 0 && number < CGandry::kTableModelCount) || number == MODEL_USER_DEFINED
                   ? static_cast<int>(number)
                   : MODEL_NONE;
    const int id = CGandry::GetModelIDByModelname(text);
    return (id >= 0 && id < CGandry::kTableModelCount) || id == MODEL_USER_DEFINED ? id : MODEL_NONE;
}

int RunFrames(const tool::Args& args) {
    std::string model, folder;
    int variant = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--variant") {
            if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1"))
                return tool::Fail("--variant takes 0 or 1");
            variant = args[++i] == "1" ? 1 : 0;
        } else if (model.empty()) {
            model = args[i];
        } else if (folder.empty()) {
            folder = args[i];
        } else {
            return tool::Fail("frames takes one model and one folder");
        }
    }
    if (model.empty() || folder.empty()) return tool::Fail("frames needs MODEL and OUTDIR");
    const int id = ModelFromArgument(model);
    if (id == MODEL_NONE) return tool::Fail("no model '" + model + "'");

    const std::string file = CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id));
    const std::string path = CGandry::GetRunDir() + "data/" + file;
    CLurvane frames;
    int count = 0;
    frames.Decode_dat(path, count, false);
    if (count == 0) return tool::Fail("cannot read the frame data file '" + path + "'");

    if (!win::CreateDirectory(folder)) return tool::Fail("cannot create the folder '" + folder + "'");
    if (folder.back() != '/') folder += '/';
    const std::string base = file.substr(0, file.rfind('.'));
    for (int frame = 0; frame < count / 2; ++frame) {
        unsigned char* data = nullptr;
        int size = 0, width = 0, height = 0;
        if (!frames.GetImage(2 * frame + variant, data, size, width, height))
            return tool::Fail("cannot read frame " + std::to_string(frame + 1) + " of '" + path + "'");
        CxImage picture(static_cast<DWORD>(width), static_cast<DWORD>(height), 24);
        const bool fits = picture.IsValid() && picture.GetImageSize() == static_cast<DWORD>(size);
        if (fits) std::memcpy(picture.GetBits(), data, static_cast<std::size_t>(size));
        delete[] data;
        if (!fits) return tool::Fail("cannot hold frame " + std::to_string(frame + 1) + " of '" + path + "'");
        char name[32];
        std::snprintf(name, sizeof name, "-v%d-%02d.bmp", variant, frame + 1);
        const std::string out = folder + base + name;
        if (!picture.Save(out.c_str(), CXIMAGE_FORMAT_BMP)) return tool::Fail("cannot write '" + out + "'");
        std::printf("%s %dx%d\n", out.c_str(), width, height);
    }
    return 0;
}

const bool registered =
    tool::Register({"frames", "write a phone model's decorative frames as BMP files",
                    "usage: vimbro-tool frames MODEL OUTDIR [--variant 0|1]\n\n"
                    "Reads the frame data file of MODEL (an ID or a name, as 'model' takes it) from the program's\n"
                    "data folder and writes each frame of the variant (0, the default: upright screen; 1: the screen\n"
                    "turned on its side) into OUTDIR (created when missing) as <DATA-NAME>-v<VARIANT>-<NN>.bmp,\n"
                    "24 bits, pure green where the frame lets the picture through. Prints each file with its size.\n",
                    RunFrames});

}  // namespace
