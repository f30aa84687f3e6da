// vimbro-tool convert: one picture file into another format.
#include <string>

#include "tools/PictureFiles.h"
#include "tools/Tool.h"

namespace {

int RunConvert(const tool::Args& args) {
    if (args.size() != 2) return tool::Fail("convert needs IN and OUT");
    extImage picture;
    std::string error;
    if (!tool::OpenPicture(args[0], picture, error)) return tool::Fail(error);
    if (!tool::SavePicture(picture, args[1], error)) return tool::Fail(error);
    return 0;
}

const bool registered =
    tool::Register({"convert", "convert a picture to another format",
                    "usage: vimbro-tool convert IN OUT\n\n"
                    "Opens IN by the type of its lower-cased extension (bmp gif jpg jpeg png ico tif tiff tga pcx\n"
                    "wbmp, and the phone formats pht img eba): a .gif gives its first frame composed on its logical\n"
                    "screen, an .eba its first frame; a phone file must first pass the check of `vimbro-tool check`.\n"
                    "A file that cannot be read is refused with its reader's reason.\n"
                    "Writes OUT by its extension: .gif is reduced to a 256-colour\n"
                    "palette by the octree quantizer with error diffusion, .bmp is written with 24 bits, .pht and\n"
                    ".img as the phone's RGB565 still picture, .wbmp in black and white (grey level 128 and up is\n"
                    "white), .jpg .png .tif .ico .tga .pcx as they come (an icon is at most 256 x 256).\n",
                    RunConvert});

}  // namespace
