// extImage life and opening files by type.
#include "imaging/extImage.h"

#include <memory>
#include <string>
#include <vector>

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
    // Each reader's own reason for refusing the file is kept in GetLastError.
    switch (type) {
        case kTypeGIF: {
            // The first frame as it shows on the logical screen; the frame count marks an animation.
            CAniGIF gif;
            std::unique_ptr<extImage> first(gif.LoadGIFFirst(path));
            if (first) {
                Transfer(*first);
                SetNumFrames(gif.HasSeveralFrames() ? 2 : 1);
            } else {
                SetLastError(gif.GetErrorText().empty() ? "GIF: no frame could be composed"
                                                        : gif.GetErrorText().c_str());
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
            } else {
                phone::Contents contents;
                std::vector<BYTE> words;
                const phone::FileError error = phone::ReadAnimation(path, contents, 0, &words);
                SetLastError(error == phone::FileError::None
                                 ? "EBA: picture too large"
                                 : (std::string("EBA: ") + phone::ErrorText(error)).c_str());
            }
            break;
        }
        default:
            Load(path, static_cast<DWORD>(type));
            break;
    }
}

extImage::~extImage() = default;

bool extImage::ReadPictureSize(const CString& path, unsigned long type, CSize& size, CString& error) {
    size = CSize(0, 0);
    phone::Contents contents;
    phone::FileError refused = phone::FileError::None;
    switch (type) {
        case kTypeGIF:
            return CAniGIF::ReadScreenSize(path.c_str(), size, error);
        case kTypePHT:
            refused = phone::ReadStill(path.c_str(), contents);
            break;
        case kTypeEBA:
            refused = phone::ReadAnimation(path.c_str(), contents);
            break;
        default: {
            long width = 0, height = 0;
            if (!CxImage::ReadSize(path.c_str(), static_cast<DWORD>(type), width, height, error)) return false;
            size = CSize(width, height);
            return true;
        }
    }
    if (refused != phone::FileError::None) {
        error = std::string(type == kTypeEBA ? "EBA: " : "PHT: ") + phone::ErrorText(refused);
        return false;
    }
    size = CSize(contents.width, contents.height);
    return true;
}

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
