// vimbro-tool gif: animated GIF files through CAniGIF, as the slide composer reads and writes them.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "imaging/AniGIF.h"
#include "tools/AnimationFiles.h"
#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace {

constexpr unsigned kDefaultDelay = 10;  // hundredths of a second

int Info(const tool::Args& args) {
    if (args.size() != 2) return tool::Fail("gif info needs one FILE");
    CAniGIF gif;
    // The error code on stdout as before; the reason the file was refused on stderr.
    auto refused = [&gif, &args] {
        std::printf("error=%d\n", static_cast<int>(gif.GetErrorCode()));
        std::fflush(stdout);
        return tool::Fail("cannot read '" + args[1] + "': " + gif.GetErrorText());
    };
    if (!gif.LoadGIF(args[1].c_str())) return refused();
    std::vector<unsigned long> delays;
    if (gif.GetValidCount() > 0) {
        for (int i = 0; i < gif.GetValidCount(); ++i) {
            const extImage* f = gif.GetPtrImageAni()[i];
            delays.push_back(f ? f->GetFrameDelay() : 0);
        }
    } else {
        // A one-frame file loads without frames; its one picture comes through the first-frame path.
        std::unique_ptr<extImage> first(gif.LoadGIFFirst(args[1].c_str()));
        if (!first) return refused();
        delays.push_back(first->GetFrameDelay());
    }
    std::string list;
    for (size_t i = 0; i < delays.size(); ++i) list += (i ? "," : "") + std::to_string(delays[i]);
    std::printf("GIF %dx%d frames=%zu animated=%d delays=%s\n", gif.GetWidth(), gif.GetHeight(), delays.size(),
                gif.IsAnimatedGIF() ? 1 : 0, list.c_str());
    return 0;
}

int Unpack(const tool::Args& args) {
    if (args.size() != 3) return tool::Fail("gif unpack needs FILE and DIR");
    CAniGIF gif;
    std::vector<const extImage*> frames;
    std::unique_ptr<extImage> first;
    if (!gif.LoadGIF(args[1].c_str())) return tool::Fail("cannot read '" + args[1] + "': " + gif.GetErrorText());
    for (int i = 0; i < gif.GetValidCount(); ++i) frames.push_back(gif.GetPtrImageAni()[i]);
    if (frames.empty()) {
        first.reset(gif.LoadGIFFirst(args[1].c_str()));
        if (!first) return tool::Fail("cannot read '" + args[1] + "': " + gif.GetErrorText());
        frames.push_back(first.get());
    }
    std::string error;
    if (!tool::WriteFrames(args[2], frames, error)) return tool::Fail(error);
    return 0;
}

int Pack(const tool::Args& args) {
    std::string out, framePath, error;
    std::vector<std::string> pictures;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--frame") {
            if (i + 1 == args.size()) return tool::Fail("--frame needs a value");
            framePath = args[++i];
        } else if (out.empty()) {
            out = args[i];
        } else {
            pictures.push_back(args[i]);
        }
    }
    if (out.empty() || pictures.empty()) return tool::Fail("gif pack needs OUT and at least one PICTURE");
    CAniGIF gif;
    gif.InitGIF();
    for (size_t i = 0; i < pictures.size(); ++i) {
        std::string path;
        unsigned delay = 0;
        if (!tool::ParseFramedPicture(pictures[i], kDefaultDelay, path, delay, error)) return tool::Fail(error);
        extImage picture;
        if (!tool::OpenPicture(path, picture, error)) return tool::Fail(error);
        gif.SetPicture(static_cast<int>(i), &picture);
        gif.SetDelay(static_cast<int>(i), delay);
    }
    extImage frame;
    if (!framePath.empty()) {
        if (!tool::OpenFramePicture(framePath, frame, error)) return tool::Fail(error);
        gif.SetPtrFrameImage(&frame);
    }
    if (!gif.SaveGIF(out.c_str())) return tool::Fail("cannot write '" + out + "'");
    return 0;
}

int RunGif(const tool::Args& args) {
    if (args.empty()) return tool::Fail("gif needs info, pack or unpack");
    if (args[0] == "info") return Info(args);
    if (args[0] == "pack") return Pack(args);
    if (args[0] == "unpack") return Unpack(args);
    return tool::Fail("unknown gif command '" + args[0] + "'");
}

const bool registered = tool::Register(
    {"gif", "read, write and unpack animated GIF files",
     "usage: vimbro-tool gif info FILE\n"
     "       vimbro-tool gif pack OUT [--frame PICTURE] PICTURE[@DELAY_CS]...\n"
     "       vimbro-tool gif unpack FILE DIR\n\n"
     "info    prints \"GIF <W>x<H> frames=<N> animated=<0|1> delays=<d0>,...\" (logical screen, composed\n"
     "        frames, delays in hundredths of a second as stored; a frame without a graphic control\n"
     "        extension shows 4294967295), or \"error=<code>\" with exit 1 when the file cannot be loaded\n"
     "        (1: no readable frame, 2: more than 16 frames), the reason on stderr.\n"
     "pack    writes the pictures as an animation, each shown DELAY_CS hundredths of a second (default 10),\n"
     "        every frame with its own 256-colour palette. A --frame picture is laid over every frame, its\n"
     "        pure green (0, 255, 0) left out.\n"
     "unpack  writes the composed frames as DIR/frame-00.bmp, frame-01.bmp, ... (24-bit BMP) and prints\n"
     "        their paths.\n",
     RunGif});

}  // namespace
