// Picture orientation as cameras record it (the EXIF and TIFF Orientation tag, 1 to 8) and the
// turns and flips that make such a picture show upright.
#pragma once

#include <cstddef>

#include "platform/pavix/ximage.h"

namespace pavix {

// The orientation an APP1 segment's payload ("Exif", two zero bytes, then a TIFF structure)
// records in its first directory; 1 when it records none or the structure cannot be read.
int ExifOrientation(const BYTE* payload, size_t size);

// The orientation of a whole JPEG file, from the first EXIF segment before the first scan.
int JpegOrientation(const BYTE* data, size_t size);

// Orientations 5 to 8 store the picture transposed: its sides swap when it is shown.
constexpr bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// Copies width x height pixels of pixelBytes bytes each from rows starting at `top` (the top row;
// the stride may be negative for bottom-up rows) into `dstTop` so that they show upright for the
// orientation. The destination is height x width when the orientation swaps the sides.
void OrientPixels(const BYTE* top, std::ptrdiff_t stride, long width, long height, int pixelBytes, int orientation,
                  BYTE* dstTop, std::ptrdiff_t dstStride);

// Turns and flips a picture (its alpha plane too) so that it shows upright; orientation 1 and
// values outside 1 to 8 leave it as it is. False when the turned picture cannot be made.
bool ApplyOrientation(CxImage& picture, int orientation);

}  // namespace pavix
