// Opening and writing pictures by file extension, the way the editor does it.
#pragma once

#include <string>

#include "imaging/extImage.h"

namespace tool {

// Type code of a path's lower-cased extension (CGandry::FindType), 0 when unknown.
int PictureType(const std::string& path);

// Opens a picture by the type of its extension; false (with the reader's reason) when it cannot be
// read. Phone files (.pht .img .eba) must pass IsValidFormat's check first.
bool OpenPicture(const std::string& path, extImage& picture, std::string& error);

// Writes a picture by the type of its extension: GIF through a 256-colour octree palette with
// error diffusion, BMP as 24 bits, PHT (.pht, .img) as RGB565, everything else by the picture
// library. The picture itself is left as it was.
bool SavePicture(const extImage& picture, const std::string& path, std::string& error);

}  // namespace tool
