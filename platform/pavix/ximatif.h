// CxImageTIF: TIFF through libtiff (first directory read as RGBA; 24-bit and indexed written).
#pragma once

#include "platform/pavix/ximage.h"

class CxImageTIF : public CxImage {
public:
    CxImageTIF() : CxImage(CXIMAGE_FORMAT_TIF) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
};
