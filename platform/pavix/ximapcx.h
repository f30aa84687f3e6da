// CxImagePCX: PCX: 1, 4 and 8-bit indexed, 24-bit as three planes, RLE; written as 8-bit planes.
#pragma once

#include "platform/pavix/ximage.h"

class CxImagePCX : public CxImage {
public:
    CxImagePCX() : CxImage(CXIMAGE_FORMAT_PCX) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
};
