// Opening a picture file by its type code, and reading its size from the header. Kept apart from
// the rest of extImage: only these need the animation classes, which are themselves built on extImage.
#include <memory>
#include <string>
#include <vector>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"
#include "imaging/extImage.h"
#include "platform/win/filetype.h"

extImage::extImage(const char* path, unsigned long type) : CxImage(static_cast<DWORD>(type)) {
    // Each reader's own reason for refusing the file is kept in GetLastError.
    switch (type) {
        case FILETYPE_GIF: {
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
        case FILETYPE_PHT:
            LoadPHT(path);
            break;
        case FILETYPE_EBA: {
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

bool extImage::ReadPictureSize(const CString& path, unsigned long type, CSize& size, CString& error) {
    size = CSize(0, 0);
    phone::Contents contents;
    phone::FileError refused = phone::FileError::None;
    switch (type) {
        case FILETYPE_GIF:
            return CAniGIF::ReadScreenSize(path.c_str(), size, error);
        case FILETYPE_PHT:
            refused = phone::ReadStill(path.c_str(), contents);
            break;
        case FILETYPE_EBA:
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
        error = std::string(type == FILETYPE_EBA ? "EBA: " : "PHT: ") + phone::ErrorText(refused);
        return false;
    }
    size = CSize(contents.width, contents.height);
    return true;
}
