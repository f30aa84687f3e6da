// GIF through giflib: record-by-record decoding so only the wanted frame is ever allocated.
#include "platform/pavix/ximagif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/pavix/ximaio.h"

namespace {

struct MemorySource {
    const BYTE* data;
    size_t size;
    size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* src = static_cast<MemorySource*>(gif->UserData);
    if (length <= 0) return 0;
    size_t n = std::min(static_cast<size_t>(length), src->size - src->pos);
    std::memcpy(out, src->data + src->pos, n);
    src->pos += n;
    return static_cast<int>(n);
}

int WriteToFile(GifFileType* gif, const GifByteType* data, int length) {
    auto* file = static_cast<CxFile*>(gif->UserData);
    return static_cast<int>(file->Write(data, 1, static_cast<size_t>(length)));
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int err = 0;
        DGifCloseFile(gif, &err);
    }
};

// Skips the rest of the image data of the current frame.
bool SkipImageData(GifFileType* gif) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) == GIF_ERROR) return false;
    while (block) {
        if (DGifGetCodeNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

constexpr long kMaxCountedFrames = 10000;

struct FrameControl {
    bool present = false;
    DWORD delay = 0;
    BYTE disposal = 0;
    long transIndex = -1;
};

}  // namespace

bool CxImageGIF::Decode(CxFile* fp) {
    std::vector<BYTE> file;
    if (!pavix::ReadAll(fp, file) || file.size() < 13 || std::memcmp(file.data(), "GIF8", 4) != 0) {
        SetLastError("GIF: not a GIF file");
        return false;
    }
    MemorySource source{file.data(), file.size(), 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, ReadFromMemory, &error));
    if (!gif) {
        const char* why = GifErrorString(error);
        SetLastError((std::string("GIF: broken header") + (why ? std::string(" (") + why + ")" : "")).c_str());
        return false;
    }
    m_screenWidth = gif->SWidth;
    m_screenHeight = gif->SHeight;
    const long wanted = std::max(0L, info.nFrame);
    long frames = 0;
    bool decoded = false;
    FrameControl control;
    CxImage frame;
    frame.CopyInfo(*this);

    GifRecordType type;
    // A record giflib cannot read ends the walk; its reason is kept for the caller.
    int broken = 0;
    while (true) {
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) {
            broken = gif->Error;
            break;
        }
        if (type == TERMINATE_RECORD_TYPE) break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR) {
                broken = gif->Error;
                break;
            }
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
                control.present = true;
                control.disposal = static_cast<BYTE>((ext[1] >> 2) & 7);
                control.delay = static_cast<DWORD>(ext[2] | (ext[3] << 8));
                control.transIndex = (ext[1] & 1) ? ext[4] : -1;
            }
            while (ext) {
                if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR) {
                    broken = gif->Error;
                    break;
                }
            }
            if (broken) break;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) break;
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR) {
            broken = gif->Error;
            break;
        }
        const GifImageDesc& desc = gif->Image;
        if (frames != wanted || decoded) {
            ++frames;
            // Counting stops somewhere: callers only ask whether a file is animated, and giflib
            // keeps a record for every frame it meets.
            if (decoded && frames >= kMaxCountedFrames) break;
            control = FrameControl{};
            if (!SkipImageData(gif.get())) {
                broken = decoded ? 0 : gif->Error;
                break;
            }
            continue;
        }
        ++frames;
        if (desc.Width <= 0 || desc.Height <= 0 || !FitsMemoryLimit(desc.Width, desc.Height, 8)) {
            SetLastError("GIF: frame size out of range");
            return false;
        }
        if (!frame.Create(desc.Width, desc.Height, 8, CXIMAGE_FORMAT_GIF)) return false;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (map && map->Colors) {
            int count = std::min(map->ColorCount, 256);
            for (int i = 0; i < count; ++i)
                frame.SetPaletteColor(static_cast<BYTE>(i), map->Colors[i].Red, map->Colors[i].Green,
                                      map->Colors[i].Blue);
        } else {
            frame.SetGrayPalette();
        }
        std::vector<GifPixelType> line(desc.Width);
        const long H = desc.Height;
        auto readRow = [&](long pictureRow) {
            if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR) return false;
            std::memcpy(frame.GetBits(H - 1 - pictureRow), line.data(), desc.Width);
            return true;
        };
        bool ok = true;
        if (desc.Interlace) {
            static const int kStart[4] = {0, 4, 2, 1};
            static const int kStep[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4 && ok; ++pass)
                for (long row = kStart[pass]; row < H && ok; row += kStep[pass]) ok = readRow(row);
        } else {
            for (long row = 0; row < H && ok; ++row) ok = readRow(row);
        }
        if (!ok) {
            SetLastError("GIF: image data cut short");
            return false;
        }
        frame.SetOffset(desc.Left, desc.Top);
        frame.SetFrameDelay(control.delay);
        frame.SetDisposalMethod(control.disposal);
        frame.SetTransIndex(control.transIndex);
        if (control.transIndex >= 0) frame.SetTransColor(frame.GetPaletteColor(static_cast<BYTE>(control.transIndex)));
        decoded = true;
        control = FrameControl{};
    }
    if (!decoded) {
        const char* why = broken ? GifErrorString(broken) : nullptr;
        SetLastError(why      ? (std::string("GIF: ") + why).c_str()
                     : frames ? "GIF: no such frame"
                              : "GIF: no image in the file");
        return false;
    }
    frame.SetNumFrames(frames);
    frame.SetFrame(wanted);
    Transfer(frame);
    return true;
}

namespace {

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapDeleter>;

MapPtr MakeMap(const CxImage& img) {
    int count = static_cast<int>(img.GetNumColors());
    int size = 2;
    while (size < count) size *= 2;
    std::vector<GifColorType> colors(size);
    for (int i = 0; i < count; ++i) {
        RGBQUAD c = img.GetPaletteColor(static_cast<BYTE>(i));
        colors[i] = GifColorType{c.rgbRed, c.rgbGreen, c.rgbBlue};
    }
    return MapPtr(GifMakeMapObject(size, colors.data()));
}

bool SamePalette(const CxImage& a, const CxImage& b) {
    if (a.GetNumColors() != b.GetNumColors()) return false;
    for (DWORD i = 0; i < a.GetNumColors(); ++i) {
        RGBQUAD x = a.GetPaletteColor(static_cast<BYTE>(i)), y = b.GetPaletteColor(static_cast<BYTE>(i));
        if (x.rgbRed != y.rgbRed || x.rgbGreen != y.rgbGreen || x.rgbBlue != y.rgbBlue) return false;
    }
    return true;
}

// An indexed copy of a deeper picture; the original when it is already indexed.
const CxImage* Indexed(const CxImage* img, std::unique_ptr<CxImage>& keep) {
    if (img->GetBpp() <= 8) return img;
    keep = std::make_unique<CxImage>(*img);
    if (!keep->DecreaseBpp(8, true)) return nullptr;
    return keep.get();
}

bool PutFrame(GifFileType* gif, const CxImage& img, const ColorMapObject* localMap, BYTE disposal, bool withControl) {
    if (withControl) {
        long trans = img.GetTransIndex();
        GifByteType gce[4];
        gce[0] = static_cast<GifByteType>(((disposal & 7) << 2) | (trans >= 0 ? 1 : 0));
        DWORD delay = img.GetFrameDelay();
        gce[1] = static_cast<GifByteType>(delay & 0xFF);
        gce[2] = static_cast<GifByteType>((delay >> 8) & 0xFF);
        gce[3] = static_cast<GifByteType>(trans >= 0 ? trans : 0);
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce) == GIF_ERROR) return false;
    }
    long left = 0, top = 0;
    img.GetOffset(&left, &top);
    const int W = static_cast<int>(img.GetWidth()), H = static_cast<int>(img.GetHeight());
    if (EGifPutImageDesc(gif, static_cast<int>(left), static_cast<int>(top), W, H, false, localMap) == GIF_ERROR)
        return false;
    std::vector<GifPixelType> line(W);
    for (int row = 0; row < H; ++row) {
        long y = H - 1 - row;
        for (int x = 0; x < W; ++x) line[x] = img.GetPixelIndex(x, y);
        if (EGifPutLine(gif, line.data(), W) == GIF_ERROR) return false;
    }
    return true;
}

bool PutLoops(GifFileType* gif, long loops) {
    static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    long count = std::clamp(loops, 0L, 65535L);
    GifByteType sub[3] = {1, static_cast<GifByteType>(count & 0xFF), static_cast<GifByteType>(count >> 8)};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
           EGifPutExtensionBlock(gif, sizeof kNetscape, kNetscape) != GIF_ERROR &&
           EGifPutExtensionBlock(gif, sizeof sub, sub) != GIF_ERROR && EGifPutExtensionTrailer(gif) != GIF_ERROR;
}

}  // namespace

bool CxImageGIF::Encode(CxFile* fp) {
    if (!IsValid() || !fp) return false;
    CxImage* self = this;
    return Encode(fp, &self, 1, false, true);
}

bool CxImageGIF::Encode(CxFile* fp, CxImage** pImages, int pagecount, bool bLocalColorMap, bool bLocalDispMeth) {
    if (!fp || !pImages || pagecount <= 0) return false;
    std::vector<std::unique_ptr<CxImage>> keep(pagecount);
    std::vector<const CxImage*> frames(pagecount);
    int screenW = 0, screenH = 0;
    for (int i = 0; i < pagecount; ++i) {
        if (!pImages[i] || !pImages[i]->IsValid()) return false;
        frames[i] = Indexed(pImages[i], keep[i]);
        if (!frames[i]) return false;
        long x = 0, y = 0;
        frames[i]->GetOffset(&x, &y);
        screenW = std::max<int>(screenW, static_cast<int>(x + frames[i]->GetWidth()));
        screenH = std::max<int>(screenH, static_cast<int>(y + frames[i]->GetHeight()));
    }
    if (screenW > 65535 || screenH > 65535) return false;

    int error = 0;
    GifFileType* gif = EGifOpen(fp, WriteToFile, &error);
    if (!gif) return false;
    EGifSetGifVersion(gif, true);
    MapPtr global = MakeMap(*frames[0]);
    bool ok = global && EGifPutScreenDesc(gif, screenW, screenH, 8, 0, global.get()) != GIF_ERROR;
    if (ok && pagecount > 1) ok = PutLoops(gif, m_loops);
    for (int i = 0; ok && i < pagecount; ++i) {
        MapPtr local;
        if (bLocalColorMap || (i > 0 && !SamePalette(*frames[i], *frames[0]))) {
            local = MakeMap(*frames[i]);
            if (!local) ok = false;
        }
        BYTE disposal = bLocalDispMeth ? frames[i]->GetDisposalMethod() : GetDisposalMethod();
        bool control = pagecount > 1 || frames[i]->IsTransparent() || frames[i]->GetFrameDelay() != 0 || disposal != 0;
        if (ok) ok = PutFrame(gif, *frames[i], local.get(), disposal, control);
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR) ok = false;
    return ok;
}
