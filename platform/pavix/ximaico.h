// CxImageICO: Windows icons (BMP and PNG images); the largest image is read; one image is written.
#pragma once

#include "platform/pavix/ximage.h"

class CxImageICO : public CxImage {
public:
    CxImageICO() : CxImage(CXIMAGE_FORMAT_ICO) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
};
