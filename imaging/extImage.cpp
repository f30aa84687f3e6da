// extImage life and opening files by type.
#include "imaging/extImage.h"

#include <memory>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"

namespace {

constexpr unsigned long kTypeGIF = 2;
constexpr unsigned long kTypePHT = 20;
constexpr unsigned long kTypeEBA = 21;

}  // namespace

extImage::extImage() : CxImage() {}

extImage::extImage(const extImage& src, bool copypixels, bool copyselection, bool copyalpha)
    : CxImage(src, copypixels, copyselection, copyalpha) {}

extImage::extImage(const CxImage& src, bool copypixels, bool copyselection, bool copyalpha)
    : CxImage(src, copypixels, copyselection, copyalpha) {}

extImage::extImage(DWORD width, DWORD height, DWORD bpp, DWORD type) : CxImage(width, height, bpp, type) {}

extImage::extImage(const char* path, unsigned long type) : CxImage(static_cast<DWORD>(type)) {
    switch (type) {
        case kTypeGIF: {
            // The first frame as it shows on the logical screen; the frame count marks an animation.
            CAniGIF gif;
            std::unique_ptr<extImage> first(gif.LoadGIFFirst(path));
            if (first) {
                Transfer(*first);
                SetNumFrames(gif.HasSeveralFrames() ? 2 : 1);
            }
            break;
        }
        case kTypePHT:
            LoadPHT(path);
            break;
        case kTypeEBA: {
            std::unique_ptr<extImage> first(CEBAWrapper::LoadEBAFirst(path));
            if (first) {
                Transfer(*first);
                SetType(static_cast<DWORD>(type));
            }
            break;
        }
        default:
            Load(path, static_cast<DWORD>(type));
            break;
    }
}

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
