// extImage life.
#include "imaging/extImage.h"

extImage::extImage() : CxImage() {}

extImage::extImage(const extImage& src, bool copypixels, bool copyselection, bool copyalpha)
    : CxImage(src, copypixels, copyselection, copyalpha) {}

extImage::extImage(const CxImage& src, bool copypixels, bool copyselection, bool copyalpha)
    : CxImage(src, copypixels, copyselection, copyalpha) {}

extImage::extImage(DWORD width, DWORD height, DWORD bpp, DWORD type) : CxImage(width, height, bpp, type) {}

extImage::~extImage() = default;

extImage& extImage::operator=(const extImage& src) {
    CxImage::operator=(src);
    return *this;
}

void extImage::Deliver(CxImage& tmp, extImage* dst) {
    if (dst)
        dst->Transfer(tmp);
    else
        Transfer(tmp);
}
