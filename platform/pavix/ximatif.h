// CxImageTIF: TIFF through libtiff (first directory read as RGBA; 24-bit and indexed written).
// Depths and colour spaces libtiff's RGBA interface refuses or gets wrong (12-bit, floating-point,
// 16-bit CMYK, CIE L*a*b*) are read sample by sample and scaled to 8 bits; every orientation is
// turned upright.
#pragma once

#include <string>

#include "platform/pavix/ximage.h"

class CxImageTIF : public CxImage {
public:
    CxImageTIF() : CxImage(CXIMAGE_FORMAT_TIF) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
    // The size the picture shows at (sides swapped for orientations 5 to 8), from its first
    // directory alone.
    static bool ReadSize(CxFile* hFile, long& width, long& height, std::string& error);
};
