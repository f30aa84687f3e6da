// CxImageBMP: Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits, RLE4/RLE8, bit fields; writes 1, 4, 8 and 24 bits.
#pragma once

#include <string>

#include "platform/pavix/ximage.h"

class CxImageBMP : public CxImage {
public:
    CxImageBMP() : CxImage(CXIMAGE_FORMAT_BMP) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
    // Width and height from the header alone, checked as Decode checks it.
    static bool ReadSize(CxFile* hFile, long& width, long& height, std::string& error);
};
