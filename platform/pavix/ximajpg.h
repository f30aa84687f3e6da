// CxImageJPG: JPEG through libjpeg-turbo; grey pictures decode to 8-bit grey, the rest to 24 bits.
#pragma once

#include "platform/pavix/ximage.h"

class CxImageJPG : public CxImage {
public:
    CxImageJPG() : CxImage(CXIMAGE_FORMAT_JPG) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
};
