// vimbro-tool eba: phone animations (EBA files) through CEBAWrapper.
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/EBAWrapper.h"
#include "tools/AnimationFiles.h"
#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace {

int Info(const tool::Args& args) {
    if (args.size() != 2) return tool::Fail("eba info needs one FILE");
    CEBAWrapper eba;
    if (!eba.LoadEBA(args[1].c_str())) return tool::Fail("cannot read '" + args[1] + "' as an EBA animation");
    EBA_FRAME** slots = eba.GetPtrFrameList();
    std::string delays;
    for (int i = 0; i < eba.GetValidCount(); ++i) delays += (i ? "," : "") + std::to_string(slots[i]->nDelay);
    std::printf("ANI %ux%u frames=%d delays=%s\n", slots[0]->pImage->GetWidth(), slots[0]->pImage->GetHeight(),
                eba.GetValidCount(), delays.c_str());
    return 0;
}

int Pack(const tool::Args& args) {
    std::string out, framePath, error;
    CSize size;
    std::vector<std::string> pictures;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--size" || a == "--frame") {
            if (i + 1 == args.size()) return tool::Fail(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "--size" && !tool::ParseSize(value, size)) return tool::Fail("bad size '" + value + "'");
            if (a == "--frame") framePath = value;
        } else if (out.empty()) {
            out = a;
        } else {
            pictures.push_back(a);
        }
    }
    if (out.empty() || pictures.empty()) return tool::Fail("eba pack needs OUT and at least one PICTURE");
    if (pictures.size() > CEBAWrapper::kSlotCount) return tool::Fail("an EBA animation holds at most 16 pictures");

    CEBAWrapper eba;
    for (size_t i = 0; i < pictures.size(); ++i) {
        std::string path;
        unsigned delay = 0;
        if (!tool::ParseFramedPicture(pictures[i], CEBAWrapper::kDefaultDelay, path, delay, error))
            return tool::Fail(error);
        extImage picture;
        if (!tool::OpenPicture(path, picture, error)) return tool::Fail(error);
        eba.SetPicture(static_cast<int>(i), &picture);
        eba.SetDelay(static_cast<int>(i), static_cast<unsigned short>(delay));
    }
    extImage frame;
    if (!framePath.empty()) {
        if (!tool::OpenFramePicture(framePath, frame, error)) return tool::Fail(error);
        eba.SetPtrFrameImage(&frame);
    }
    if (!eba.SaveEBA(out.c_str(), size)) return tool::Fail("cannot write '" + out + "'");
    return 0;
}

int Unpack(const tool::Args& args) {
    if (args.size() != 3) return tool::Fail("eba unpack needs FILE and DIR");
    CEBAWrapper eba;
    if (!eba.LoadEBA(args[1].c_str())) return tool::Fail("cannot read '" + args[1] + "' as an EBA animation");
    std::vector<const extImage*> frames;
    for (int i = 0; i < eba.GetValidCount(); ++i) frames.push_back(eba.GetPtrFrameList()[i]->pImage);
    std::string error;
    if (!tool::WriteFrames(args[2], frames, error)) return tool::Fail(error);
    return 0;
}

int RunEba(const tool::Args& args) {
    if (args.empty()) return tool::Fail("eba needs info, pack or unpack");
    if (args[0] == "info") return Info(args);
    if (args[0] == "pack") return Pack(args);
    if (args[0] == "unpack") return Unpack(args);
    return tool::Fail("unknown eba command '" + args[0] + "'");
}

const bool registered = tool::Register(
    {"eba", "read, write and unpack EBA phone animations",
     "usage: vimbro-tool eba info FILE\n"
     "       vimbro-tool eba pack OUT [--size WxH] [--frame PICTURE] PICTURE[@DELAY_MS]...\n"
     "       vimbro-tool eba unpack FILE DIR\n\n"
     "info    prints \"ANI <W>x<H> frames=<N> delays=<d0>,<d1>,...\" (delays in milliseconds).\n"
     "pack    writes up to 16 pictures as an animation, each shown DELAY_MS milliseconds (default 100).\n"
     "        Pictures of different sizes need --size, to which they are all resampled. A --frame picture\n"
     "        is laid over every frame, its pure green (0, 255, 0) left out.\n"
     "unpack  writes the frames as DIR/frame-00.bmp, frame-01.bmp, ... (24-bit BMP) and prints their paths.\n",
     RunEba});

}  // namespace
