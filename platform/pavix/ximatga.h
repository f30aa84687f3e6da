// CxImageTGA: Targa: 8-bit indexed or grey, 15/16/24/32-bit true colour, raw or RLE; written uncompressed.
#pragma once

#include "platform/pavix/ximage.h"

class CxImageTGA : public CxImage {
public:
    CxImageTGA() : CxImage(CXIMAGE_FORMAT_TGA) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
};
