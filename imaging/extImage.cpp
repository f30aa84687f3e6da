// extImage life and opening files by type.
#include "imaging/extImage.h"

#include <algorithm>
#include <cstring>

#include "platform/pavix/ximagif.h"
#include "platform/pavix/xiofile.h"

namespace {

constexpr unsigned long kTypeGIF = 2;
constexpr unsigned long kTypePHT = 20;
constexpr unsigned long kTypeEBA = 21;

// The first frame of a GIF as it shows on the file's logical screen: a white, 24-bit picture of
// the screen's size with the frame drawn at its place, transparent pixels left white. The frame
// count becomes 2 for an animated file and 1 otherwise.
bool LoadFirstGIFFrame(extImage& out, const char* path) {
    CxIOFile file;
    if (!path || !file.Open(path, "rb")) return false;
    CxImageGIF frame;
    if (!frame.Decode(&file)) return false;
    long screenW = std::max<long>(frame.GetScreenWidth(), 1);
    long screenH = std::max<long>(frame.GetScreenHeight(), 1);
    long left = 0, top = 0;
    frame.GetOffset(&left, &top);
    // A frame reaching past the logical screen (or a screen of zero size) widens the canvas.
    screenW = std::max<long>(screenW, left + static_cast<long>(frame.GetWidth()));
    screenH = std::max<long>(screenH, top + static_cast<long>(frame.GetHeight()));
    extImage canvas;
    if (!canvas.Create(screenW, screenH, 24, kTypeGIF)) return false;
    canvas.Clear(255);
    const long trans = frame.GetTransIndex();
    const long fw = frame.GetWidth(), fh = frame.GetHeight();
    for (long y = 0; y < fh; ++y) {
        long canvasRow = screenH - 1 - (top + y);
        if (canvasRow < 0) continue;
        BYTE* dst = canvas.GetBits(canvasRow);
        const BYTE* src = frame.GetBits(fh - 1 - y);
        for (long x = 0; x < fw; ++x) {
            if (src[x] == trans) continue;
            RGBQUAD c = frame.GetPaletteColor(src[x]);
            BYTE* p = dst + 3 * (left + x);
            p[0] = c.rgbBlue;
            p[1] = c.rgbGreen;
            p[2] = c.rgbRed;
        }
    }
    canvas.SetFrameDelay(frame.GetFrameDelay());
    canvas.SetNumFrames(frame.GetNumFrames() > 1 ? 2 : 1);
    out.Transfer(canvas);
    return true;
}

}  // namespace

extImage::extImage() : CxImage() {}

extImage::extImage(const extImage& src, bool copypixels, bool copyselection, bool copyalpha)
    : CxImage(src, copypixels, copyselection, copyalpha) {}

extImage::extImage(const CxImage& src, bool copypixels, bool copyselection, bool copyalpha)
    : CxImage(src, copypixels, copyselection, copyalpha) {}

extImage::extImage(DWORD width, DWORD height, DWORD bpp, DWORD type) : CxImage(width, height, bpp, type) {}

extImage::extImage(const char* path, unsigned long type) : CxImage(static_cast<DWORD>(type)) {
    switch (type) {
        case kTypeGIF:
            LoadFirstGIFFrame(*this, path);
            break;
        case kTypePHT:
        case kTypeEBA:
            // The phone formats have their own readers; until one claims the type the picture
            // stays empty, as for any file that cannot be read.
            break;
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
