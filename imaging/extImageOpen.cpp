// Opening a picture file by its type code. Kept apart from the rest of extImage: only this
// constructor needs the animation classes, which are themselves built on extImage.
#include <memory>

#include "imaging/AniGIF.h"
#include "imaging/EBAWrapper.h"
#include "imaging/extImage.h"
#include "platform/win/filetype.h"

extImage::extImage(const char* path, unsigned long type) : CxImage(static_cast<DWORD>(type)) {
    switch (type) {
        case FILETYPE_GIF: {
            // The first frame as it shows on the logical screen; the frame count marks an animation.
            CAniGIF gif;
            std::unique_ptr<extImage> first(gif.LoadGIFFirst(path));
            if (first) {
                Transfer(*first);
                SetNumFrames(gif.HasSeveralFrames() ? 2 : 1);
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
            }
            break;
        }
        default:
            Load(path, static_cast<DWORD>(type));
            break;
    }
}
