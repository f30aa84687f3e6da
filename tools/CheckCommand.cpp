// vimbro-tool check: whether a phone-format file has a sound header, as the catalogue tests it.
#include <cstdio>

#include "imaging/extImage.h"
#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace {

int RunCheck(const tool::Args& args) {
    if (args.size() != 1) return tool::Fail("check needs one FILE");
    const int type = tool::PictureType(args[0]);
    const bool valid = extImage::IsValidFormat(args[0], type);
    std::puts(valid ? "valid" : "invalid");
    if (!valid) {
        // The same check again for its reason, which IsValidFormat keeps to itself.
        phone::Contents contents;
        std::fprintf(stderr, "vimbro-tool: '%s': %s\n", args[0].c_str(),
                     phone::ErrorText(phone::CheckFile(args[0].c_str(), type, contents)));
    }
    return valid ? 0 : 1;
}

const bool registered =
    tool::Register({"check", "test a PHT or EBA file's header",
                    "usage: vimbro-tool check FILE\n\n"
                    "Tests FILE the way the catalogue does before opening a phone picture: an .eba file needs the\n"
                    "magic \"ANI\", any other the magic \"IMG\"; the width and height must be 1 to 400, an animation\n"
                    "must hold 1 to 16 frames, and every announced pixel must be in the file.\n"
                    "Prints \"valid\" (exit 0) or \"invalid\" (exit 1, the reason on stderr).\n",
                    RunCheck});

}  // namespace
