// CxImageJPG: JPEG through libjpeg-turbo; grey pictures decode to 8-bit grey, the rest to 24 bits.
// A picture is turned upright by the orientation its EXIF segment records, as photo viewers do.
#pragma once

#include <string>

#include "platform/pavix/ximage.h"

class CxImageJPG : public CxImage {
public:
    CxImageJPG() : CxImage(CXIMAGE_FORMAT_JPG) {}
    using CxImage::Decode;
    using CxImage::Encode;
    bool Decode(CxFile* hFile);
    bool Encode(CxFile* hFile);
    // The size the picture shows at (sides swapped for the transposed orientations), from the
    // marker segments before the first scan; no pixel is decoded.
    static bool ReadSize(CxFile* hFile, long& width, long& height, std::string& error);
};
