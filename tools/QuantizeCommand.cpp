// vimbro-tool quantize: the octree palette the GIF writers build for a picture.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/Quantizer.h"
#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace {

int RunQuantize(const tool::Args& args) {
    std::string in;
    long long colors = 256, bits = 7;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--colors" || a == "--bits") {
            if (i + 1 >= args.size()) return tool::Fail(a + " needs a value");
            long long& target = a == "--colors" ? colors : bits;
            if (!tool::ParseInt(args[++i], target)) return tool::Fail(a + " needs a whole number");
        } else if (in.empty() && !a.empty() && a[0] != '-') {
            in = a;
        } else {
            return tool::Fail("unexpected argument '" + a + "'");
        }
    }
    if (in.empty()) return tool::Fail("quantize needs IN");
    if (colors < 1 || colors > 65536) return tool::Fail("--colors must be 1 to 65536");
    if (bits < 0 || bits > 8) return tool::Fail("--bits must be 0 to 8");

    extImage picture;
    std::string error;
    if (!tool::OpenPicture(in, picture, error)) return tool::Fail(error);
    if (picture.GetBpp() < 24 && !picture.IncreaseBpp(24)) return tool::Fail("cannot widen the picture to 24 bits");

    CQuantizer quantizer(static_cast<UINT>(colors), static_cast<UINT>(bits));
    if (!quantizer.ProcessImage(picture.GetDIB())) return tool::Fail("the picture's depth is not supported");
    const UINT leaves = quantizer.GetColorCount();
    // SetColorTable writes one entry per leaf, or the requested count when that is below 16.
    const size_t written = colors < 16 ? std::min<size_t>(leaves, static_cast<size_t>(colors)) : leaves;
    std::vector<RGBQUAD> palette(std::max<size_t>({written, static_cast<size_t>(colors), 256}), RGBQUAD{0, 0, 0, 0});
    quantizer.SetColorTable(palette.data());
    std::printf("leaves %u\n", leaves);
    for (size_t i = 0; i < written; ++i)
        std::printf("%zu %d %d %d\n", i, palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue);
    return 0;
}

const bool registered =
    tool::Register({"quantize", "print the octree palette of a picture",
                    "usage: vimbro-tool quantize IN [--colors N] [--bits B]\n\n"
                    "Builds the octree quantizer of N colours (default 256) and B colour bits (default 7) over\n"
                    "the picture in 24 bits and prints 'leaves <count>', then one line '<i> <red> <green> <blue>'\n"
                    "per palette entry the quantizer writes, in tree order.\n",
                    RunQuantize});

}  // namespace
