// CxImagePNG: PNG through libpng: palette, grey and alpha read; indexed and 24-bit (with alpha) written.
#pragma once

#include <string>

#include "platform/pavix/ximage.h"

class CxImagePNG : public CxImage {
public:
    CxImagePNG() : CxImage(CXIMAGE_FORMAT_PNG) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
    // Width and height from the header alone, checked as Decode checks it.
    static bool ReadSize(CxFile* hFile, long& width, long& height, std::string& error);
};
