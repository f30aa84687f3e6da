// CxImageWBMP: wireless bitmaps (type 0: one bit per pixel, 1 white, 0 black, top row first).
#pragma once

#include "platform/pavix/ximage.h"

class CxImageWBMP : public CxImage {
public:
    CxImageWBMP() : CxImage(CXIMAGE_FORMAT_WBMP) {}
    using CxImage::Decode;
    using CxImage::Encode;
    // A black and white picture of one bit per pixel.
    bool Decode(CxFile* hFile);
    // Pixels of grey level 128 or more become white, the others black.
    bool Encode(CxFile* hFile);
};
