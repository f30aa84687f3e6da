// CxImage life, file dispatch, palette, pixel, selection and alpha access.
#include "platform/pavix/ximage.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/mman.h>

#include "platform/pavix/ximabmp.h"
#include "platform/pavix/ximagif.h"
#include "platform/pavix/ximaico.h"
#include "platform/pavix/ximajpg.h"
#include "platform/pavix/ximapcx.h"
#include "platform/pavix/ximapng.h"
#include "platform/pavix/ximatga.h"
#include "platform/pavix/ximatif.h"
#include "platform/pavix/ximawbmp.h"
#include "platform/pavix/xiofile.h"
#include "platform/pavix/xmemfile.h"

namespace pavix {
namespace {
std::atomic<std::uint64_t> g_memoryLimit{512ull * 1024 * 1024};
thread_local unsigned int t_randomState = 1;
}  // namespace

void SetMemoryLimit(std::uint64_t bytes) {
    g_memoryLimit = bytes;
}
std::uint64_t GetMemoryLimit() {
    return g_memoryLimit;
}

int RandomDraw() {
    t_randomState = t_randomState * 214013u + 2531011u;
    return static_cast<int>((t_randomState >> 16) & 0x7FFF);
}
void SeedRandom(unsigned int seed) {
    t_randomState = seed;
}

}  // namespace pavix

namespace {

// Pixel blocks come zeroed. Large ones are mapped directly and marked for huge pages: a fresh
// 12-megapixel picture otherwise spends a third of a JPEG decode in 4 KiB page faults.
constexpr size_t kPrefix = 64;  // keeps the mapping's length in front of the block
constexpr size_t kMappedFrom = size_t{4} << 20;
constexpr size_t kHugePage = size_t{2} << 20;

void* AllocDib(size_t bytes) {
    if (bytes + kPrefix < kMappedFrom) {
        auto* base = static_cast<BYTE*>(std::calloc(1, bytes + kPrefix));
        if (!base) return nullptr;
        *reinterpret_cast<size_t*>(base) = 0;
        return base + kPrefix;
    }
    size_t length = (bytes + kPrefix + kHugePage - 1) / kHugePage * kHugePage;
    void* map = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (map == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
    ::madvise(map, length, MADV_HUGEPAGE);
#endif
    auto* base = static_cast<BYTE*>(map);
    *reinterpret_cast<size_t*>(base) = length;
    return base + kPrefix;
}

void FreeDib(void* dib) {
    if (!dib) return;
    BYTE* base = static_cast<BYTE*>(dib) - kPrefix;
    size_t length = *reinterpret_cast<size_t*>(base);
    if (length)
        ::munmap(base, length);
    else
        std::free(base);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// life

CxImage::CxImage(DWORD imagetype) {
    Startup(imagetype);
}

CxImage::CxImage(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype) {
    Startup(imagetype);
    Create(dwWidth, dwHeight, wBpp, imagetype);
}

CxImage::CxImage(const CxImage& src, bool copypixels, bool copyselection, bool copyalpha) {
    Startup(src.GetType());
    Copy(src, copypixels, copyselection, copyalpha);
}

CxImage::CxImage(const char* filename, DWORD imagetype) {
    Startup(imagetype);
    Load(filename, imagetype);
}

CxImage::CxImage(const BYTE* buffer, DWORD size, DWORD imagetype) {
    Startup(imagetype);
    Decode(buffer, size, imagetype);
}

CxImage::~CxImage() {
    Destroy();
}

CxImage& CxImage::operator=(const CxImage& src) {
    if (this != &src) Copy(src);
    return *this;
}

void CxImage::Startup(DWORD imagetype) {
    pDib = nullptr;
    pSelection = nullptr;
    pAlpha = nullptr;
    head = {};
    info = CXIMAGEINFO{};
    info.dwType = imagetype;
}

bool CxImage::Destroy() {
    FreeDib(pDib);
    std::free(pSelection);
    std::free(pAlpha);
    pDib = nullptr;
    pSelection = nullptr;
    pAlpha = nullptr;
    info.pImage = nullptr;
    info.rSelectionBox = {};
    return true;
}

bool CxImage::FitsMemoryLimit(std::uint64_t w, std::uint64_t h, DWORD bpp) {
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
    std::uint64_t stride = ((w * bpp + 31) / 32) * 4;
    std::uint64_t need = stride * h + 2 * w * h + 256 * 4 + sizeof(BITMAPINFOHEADER);
    return need <= pavix::GetMemoryLimit() && stride * h < 0x7FFFFFFF;
}

void* CxImage::Create(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype) {
    if (wBpp <= 1)
        wBpp = 1;
    else if (wBpp <= 4)
        wBpp = 4;
    else if (wBpp <= 8)
        wBpp = 8;
    else
        wBpp = 24;
    if (!FitsMemoryLimit(dwWidth, dwHeight, wBpp)) {
        Destroy();
        SetLastError(dwWidth == 0 || dwHeight == 0 ? "CxImage::Create : width and height must be greater than zero"
                                                   : "CxImage::Create : picture too large");
        return nullptr;
    }
    FreeDib(pDib);
    pDib = nullptr;
    SelectionDelete();
    AlphaDelete();

    DWORD colors = wBpp == 24 ? 0 : (1u << wBpp);
    info.dwEffWidth = ((wBpp * dwWidth + 31) / 32) * 4;
    info.dwType = imagetype;
    head = {};
    head.biSize = sizeof(BITMAPINFOHEADER);
    head.biWidth = static_cast<LONG>(dwWidth);
    head.biHeight = static_cast<LONG>(dwHeight);
    head.biPlanes = 1;
    head.biBitCount = static_cast<WORD>(wBpp);
    head.biCompression = BI_RGB;
    head.biSizeImage = info.dwEffWidth * dwHeight;
    head.biClrUsed = colors;
    head.biXPelsPerMeter = static_cast<LONG>(info.xDPI * 10000 / 254);
    head.biYPelsPerMeter = static_cast<LONG>(info.yDPI * 10000 / 254);

    pDib = AllocDib(GetSize());
    if (!pDib) {
        info.pImage = nullptr;
        SetLastError("CxImage::Create : out of memory");
        return nullptr;
    }
    std::memcpy(pDib, &head, sizeof(head));
    info.pImage = static_cast<BYTE*>(pDib) + sizeof(BITMAPINFOHEADER) + GetPaletteSize();
    return pDib;
}

DWORD CxImage::GetSize() const {
    return head.biSize + head.biSizeImage + head.biClrUsed * static_cast<DWORD>(sizeof(RGBQUAD));
}

void CxImage::Clear(BYTE bval) {
    if (pDib) std::memset(info.pImage, bval, head.biSizeImage);
}

void CxImage::Copy(const CxImage& src, bool copypixels, bool copyselection, bool copyalpha) {
    if (this == &src) return;
    if (!src.pDib) {
        Destroy();
        info = src.info;
        info.pImage = nullptr;
        head = {};
        return;
    }
    info = src.info;
    if (!Create(src.GetWidth(), src.GetHeight(), src.GetBpp(), src.GetType())) return;
    info.rSelectionBox = src.info.rSelectionBox;
    if (copypixels) std::memcpy(info.pImage, src.info.pImage, head.biSizeImage);
    if (src.head.biClrUsed) std::memcpy(GetPalette(), src.GetPalette(), GetPaletteSize());
    head.biClrImportant = src.head.biClrImportant;
    static_cast<BITMAPINFOHEADER*>(pDib)->biClrImportant = head.biClrImportant;
    size_t plane = static_cast<size_t>(head.biWidth) * head.biHeight;
    if (copyselection && src.pSelection) {
        pSelection = static_cast<BYTE*>(std::malloc(plane));
        if (pSelection) std::memcpy(pSelection, src.pSelection, plane);
    }
    if (copyalpha && src.pAlpha) {
        pAlpha = static_cast<BYTE*>(std::malloc(plane));
        if (pAlpha) std::memcpy(pAlpha, src.pAlpha, plane);
    }
}

void CxImage::CopyInfo(const CxImage& src) {
    if (pDib == nullptr) {
        info = src.info;
        info.pImage = nullptr;
    }
}

bool CxImage::Transfer(CxImage& from, bool /*bTransferFrames*/) {
    if (this == &from) return true;
    Destroy();
    head = from.head;
    info = from.info;
    pDib = from.pDib;
    pSelection = from.pSelection;
    pAlpha = from.pAlpha;
    from.pDib = nullptr;
    from.pSelection = nullptr;
    from.pAlpha = nullptr;
    from.info.pImage = nullptr;
    from.head = {};
    from.info.rSelectionBox = {};
    return true;
}

bool CxImage::CreateFromArray(const BYTE* pArray, DWORD dwWidth, DWORD dwHeight, DWORD dwBitsperpixel,
                              DWORD dwBytesperline, bool bFlipImage) {
    if (!pArray || dwWidth == 0 || dwHeight == 0) return false;
    if (dwBitsperpixel != 1 && dwBitsperpixel != 4 && dwBitsperpixel != 8 && dwBitsperpixel != 24 &&
        dwBitsperpixel != 32)
        return false;
    if (static_cast<std::uint64_t>(dwBytesperline) * 8 < static_cast<std::uint64_t>(dwWidth) * dwBitsperpixel)
        return false;
    if (!Create(dwWidth, dwHeight, dwBitsperpixel == 32 ? 24 : dwBitsperpixel, info.dwType)) return false;
    if (dwBitsperpixel == 8) SetGrayPalette();
    if (dwBitsperpixel == 32) AlphaCreate();
    for (DWORD y = 0; y < dwHeight; ++y) {
        DWORD row = bFlipImage ? dwHeight - 1 - y : y;
        const BYTE* src = pArray + static_cast<size_t>(y) * dwBytesperline;
        BYTE* dst = info.pImage + static_cast<size_t>(row) * info.dwEffWidth;
        if (dwBitsperpixel == 32) {
            BYTE* alpha = pAlpha ? pAlpha + static_cast<size_t>(row) * dwWidth : nullptr;
            for (DWORD x = 0; x < dwWidth; ++x) {
                dst[3 * x] = src[4 * x];
                dst[3 * x + 1] = src[4 * x + 1];
                dst[3 * x + 2] = src[4 * x + 2];
                if (alpha) alpha[x] = src[4 * x + 3];
            }
        } else {
            std::memcpy(dst, src, std::min<size_t>(info.dwEffWidth, dwBytesperline));
        }
    }
    return true;
}

void CxImage::SetLastError(const char* text) {
    std::snprintf(info.szLastError, sizeof info.szLastError, "%s", text);
}

// ---------------------------------------------------------------------------------------------------
// files

bool CxImage::IsKnownFileType(DWORD imagetype) {
    switch (imagetype) {
        case CXIMAGE_FORMAT_BMP:
        case CXIMAGE_FORMAT_GIF:
        case CXIMAGE_FORMAT_JPG:
        case CXIMAGE_FORMAT_PNG:
        case CXIMAGE_FORMAT_ICO:
        case CXIMAGE_FORMAT_TIF:
        case CXIMAGE_FORMAT_TGA:
        case CXIMAGE_FORMAT_PCX:
        case CXIMAGE_FORMAT_WBMP:
            return true;
        default:
            return false;
    }
}

DWORD CxImage::GuessFormat(const BYTE* d, size_t n) {
    if (!d) return CXIMAGE_FORMAT_UNKNOWN;
    if (n >= 2 && d[0] == 'B' && d[1] == 'M') return CXIMAGE_FORMAT_BMP;
    if (n >= 6 && std::memcmp(d, "GIF8", 4) == 0) return CXIMAGE_FORMAT_GIF;
    if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return CXIMAGE_FORMAT_JPG;
    if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) return CXIMAGE_FORMAT_PNG;
    if (n >= 4 && ((d[0] == 'I' && d[1] == 'I' && d[2] == 42 && d[3] == 0) ||
                   (d[0] == 'M' && d[1] == 'M' && d[2] == 0 && d[3] == 42)))
        return CXIMAGE_FORMAT_TIF;
    if (n >= 6 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0 && (d[4] | d[5]) != 0) return CXIMAGE_FORMAT_ICO;
    if (n >= 4 && d[0] == 0x0A && d[1] <= 5 && d[2] <= 1) return CXIMAGE_FORMAT_PCX;
    return CXIMAGE_FORMAT_UNKNOWN;  // TGA has no signature; it is read only when asked for
}

bool CxImage::ReadSize(const char* filename, DWORD imagetype, long& width, long& height, std::string& error) {
    width = height = 0;
    CxIOFile file;
    if (!filename || !file.Open(filename, "rb")) {
        error = "CxImage::Load : cannot open the file";
        return false;
    }
    if (imagetype == CXIMAGE_FORMAT_UNKNOWN) {
        BYTE sniff[16] = {};
        const size_t got = file.Read(sniff, 1, sizeof sniff);
        file.Seek(0, SEEK_SET);
        imagetype = GuessFormat(sniff, got);
    }
    switch (imagetype) {
        case CXIMAGE_FORMAT_BMP:
            return CxImageBMP::ReadSize(&file, width, height, error);
        case CXIMAGE_FORMAT_JPG:
            return CxImageJPG::ReadSize(&file, width, height, error);
        case CXIMAGE_FORMAT_PNG:
            return CxImagePNG::ReadSize(&file, width, height, error);
        case CXIMAGE_FORMAT_TIF:
            return CxImageTIF::ReadSize(&file, width, height, error);
        default: {
            CxImage picture;
            if (!picture.Decode(&file, imagetype)) {
                error = picture.GetLastError();
                return false;
            }
            width = static_cast<long>(picture.GetWidth());
            height = static_cast<long>(picture.GetHeight());
            return true;
        }
    }
}

bool CxImage::Load(const char* filename, DWORD imagetype) {
    CxIOFile file;
    if (!filename || !file.Open(filename, "rb")) {
        Destroy();
        SetLastError("CxImage::Load : cannot open the file");
        return false;
    }
    return Decode(&file, imagetype);
}

bool CxImage::Save(const char* filename, DWORD imagetype) {
    if (!pDib || !filename) return false;
    if (!IsKnownFileType(imagetype)) {
        SetLastError("CxImage::Save : format not supported");
        return false;
    }
    CxMemFile mem;
    mem.Open();
    if (!Encode(&mem, imagetype)) return false;
    CxIOFile file;
    if (!file.Open(filename, "wb")) {
        SetLastError("CxImage::Save : cannot create the file");
        return false;
    }
    long size = mem.Size();
    BYTE* data = mem.GetBuffer(false);
    bool ok = file.Write(data, 1, static_cast<size_t>(size)) == static_cast<size_t>(size);
    ok = file.Close() && ok;
    return ok;
}

namespace {

// The codec's own failure text comes back in `error`, so the caller can say what is wrong with
// the file instead of only that it failed.
template <class Codec>
bool DecodeWith(CxImage& self, CxFile* file, DWORD type, std::string& error) {
    Codec codec;
    codec.CopyInfo(self);
    codec.SetType(type);
    if (!codec.Decode(file)) {
        error = codec.GetLastError();
        self.Destroy();
        return false;
    }
    self.Transfer(codec);
    return true;
}

template <class Codec>
bool EncodeWith(CxImage& self, CxFile* file) {
    Codec codec;
    codec.Transfer(self);
    bool ok = codec.Encode(file);
    self.Transfer(codec);
    return ok;
}

}  // namespace

bool CxImage::Decode(CxFile* hFile, DWORD imagetype) {
    if (!hFile) return false;
    // A failure text from an earlier call must not pass for this file's.
    info.szLastError[0] = 0;
    std::string error;
    if (imagetype == CXIMAGE_FORMAT_UNKNOWN) {
        BYTE sniff[16] = {};
        long start = hFile->Tell();
        size_t got = hFile->Read(sniff, 1, sizeof sniff);
        hFile->Seek(start, SEEK_SET);
        imagetype = GuessFormat(sniff, got);
        if (imagetype == CXIMAGE_FORMAT_UNKNOWN) {
            Destroy();
            SetLastError("CxImage::Decode : unknown format");
            return false;
        }
    }
    bool ok = false;
    switch (imagetype) {
        case CXIMAGE_FORMAT_BMP:
            ok = DecodeWith<CxImageBMP>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_GIF:
            ok = DecodeWith<CxImageGIF>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_JPG:
            ok = DecodeWith<CxImageJPG>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_PNG:
            ok = DecodeWith<CxImagePNG>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_ICO:
            ok = DecodeWith<CxImageICO>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_TIF:
            ok = DecodeWith<CxImageTIF>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_TGA:
            ok = DecodeWith<CxImageTGA>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_PCX:
            ok = DecodeWith<CxImagePCX>(*this, hFile, imagetype, error);
            break;
        case CXIMAGE_FORMAT_WBMP:
            ok = DecodeWith<CxImageWBMP>(*this, hFile, imagetype, error);
            break;
        default:
            Destroy();
            SetLastError("CxImage::Decode : format not supported");
            return false;
    }
    if (!ok) SetLastError(error.empty() ? "CxImage::Decode : the file is not a readable picture" : error.c_str());
    return ok;
}

bool CxImage::Decode(const BYTE* buffer, DWORD size, DWORD imagetype) {
    if (!buffer) {
        // An empty buffer has no data pointer; the caller still learns why nothing loaded.
        SetLastError("no picture data");
        return false;
    }
    CxMemFile mem(const_cast<BYTE*>(buffer), size);
    return Decode(&mem, imagetype);
}

bool CxImage::Encode(CxFile* hFile, DWORD imagetype) {
    if (!pDib || !hFile) return false;
    switch (imagetype) {
        case CXIMAGE_FORMAT_BMP:
            return EncodeWith<CxImageBMP>(*this, hFile);
        case CXIMAGE_FORMAT_GIF:
            return EncodeWith<CxImageGIF>(*this, hFile);
        case CXIMAGE_FORMAT_JPG:
            return EncodeWith<CxImageJPG>(*this, hFile);
        case CXIMAGE_FORMAT_PNG:
            return EncodeWith<CxImagePNG>(*this, hFile);
        case CXIMAGE_FORMAT_TIF:
            return EncodeWith<CxImageTIF>(*this, hFile);
        case CXIMAGE_FORMAT_ICO:
            return EncodeWith<CxImageICO>(*this, hFile);
        case CXIMAGE_FORMAT_TGA:
            return EncodeWith<CxImageTGA>(*this, hFile);
        case CXIMAGE_FORMAT_PCX:
            return EncodeWith<CxImagePCX>(*this, hFile);
        case CXIMAGE_FORMAT_WBMP:
            return EncodeWith<CxImageWBMP>(*this, hFile);
        default:
            SetLastError("CxImage::Encode : format not supported");
            return false;
    }
}

bool CxImage::Encode(BYTE*& buffer, long& size, DWORD imagetype) {
    buffer = nullptr;
    size = 0;
    CxMemFile mem;
    mem.Open();
    if (!Encode(&mem, imagetype)) return false;
    size = mem.Size();
    buffer = mem.GetBuffer(true);
    return true;
}

void CxImage::FreeMemory(void* memblock) {
    std::free(memblock);
}

// ---------------------------------------------------------------------------------------------------
// information

BYTE* CxImage::GetBits(DWORD row) {
    if (!pDib) return nullptr;
    if (row == 0) return info.pImage;
    if (row < static_cast<DWORD>(head.biHeight)) return info.pImage + static_cast<size_t>(row) * info.dwEffWidth;
    return nullptr;
}

const BYTE* CxImage::GetBits(DWORD row) const {
    return const_cast<CxImage*>(this)->GetBits(row);
}

void CxImage::GetOffset(long* x, long* y) const {
    if (x) *x = info.xOffset;
    if (y) *y = info.yOffset;
}

void CxImage::SetOffset(long x, long y) {
    info.xOffset = x;
    info.yOffset = y;
}

void CxImage::SetXDPI(long dpi) {
    if (dpi <= 0) dpi = 96;
    info.xDPI = dpi;
    head.biXPelsPerMeter = static_cast<LONG>(dpi * 10000 / 254);
    if (pDib) static_cast<BITMAPINFOHEADER*>(pDib)->biXPelsPerMeter = head.biXPelsPerMeter;
}

void CxImage::SetYDPI(long dpi) {
    if (dpi <= 0) dpi = 96;
    info.yDPI = dpi;
    head.biYPelsPerMeter = static_cast<LONG>(dpi * 10000 / 254);
    if (pDib) static_cast<BITMAPINFOHEADER*>(pDib)->biYPelsPerMeter = head.biYPelsPerMeter;
}

DWORD CxImage::GetCodecOption(DWORD imagetype) const {
    if (imagetype == 0) imagetype = info.dwType;
    return imagetype < CMAX_IMAGE_FORMATS ? info.dwCodecOpt[imagetype] : 0;
}

bool CxImage::SetCodecOption(DWORD opt, DWORD imagetype) {
    if (imagetype == 0) imagetype = info.dwType;
    if (imagetype >= CMAX_IMAGE_FORMATS) return false;
    info.dwCodecOpt[imagetype] = opt;
    return true;
}

// ---------------------------------------------------------------------------------------------------
// palette and transparency

RGBQUAD* CxImage::GetPalette() const {
    if (pDib && head.biClrUsed) return reinterpret_cast<RGBQUAD*>(static_cast<BYTE*>(pDib) + sizeof(BITMAPINFOHEADER));
    return nullptr;
}

bool CxImage::IsGrayScale() const {
    RGBQUAD* pal = GetPalette();
    if (!pal || head.biClrUsed == 0) return false;
    for (DWORD i = 0; i < head.biClrUsed; ++i) {
        if (pal[i].rgbBlue != i || pal[i].rgbGreen != i || pal[i].rgbRed != i) return false;
    }
    return true;
}

RGBQUAD CxImage::GetPaletteColor(BYTE idx) const {
    RGBQUAD rgb = {};
    RGBQUAD* pal = GetPalette();
    if (pal && idx < head.biClrUsed) rgb = pal[idx];
    return rgb;
}

bool CxImage::GetPaletteColor(BYTE i, BYTE* r, BYTE* g, BYTE* b) const {
    RGBQUAD* pal = GetPalette();
    if (!pal || i >= head.biClrUsed) return false;
    if (r) *r = pal[i].rgbRed;
    if (g) *g = pal[i].rgbGreen;
    if (b) *b = pal[i].rgbBlue;
    return true;
}

void CxImage::SetPaletteColor(BYTE idx, BYTE r, BYTE g, BYTE b, BYTE alpha) {
    RGBQUAD* pal = GetPalette();
    if (pal && idx < head.biClrUsed) pal[idx] = RGBQUAD{b, g, r, alpha};
}

void CxImage::SetPaletteColor(BYTE idx, RGBQUAD c) {
    RGBQUAD* pal = GetPalette();
    if (pal && idx < head.biClrUsed) pal[idx] = c;
}

void CxImage::SetPaletteColor(BYTE idx, COLORREF cr) {
    SetPaletteColor(idx, GetRValue(cr), GetGValue(cr), GetBValue(cr), 0);
}

void CxImage::SetPalette(const RGBQUAD* pPal, DWORD nColors) {
    RGBQUAD* pal = GetPalette();
    if (!pal || !pPal) return;
    std::memcpy(pal, pPal, std::min(nColors, head.biClrUsed) * sizeof(RGBQUAD));
}

void CxImage::SetPalette(DWORD n, const BYTE* r, const BYTE* g, const BYTE* b) {
    RGBQUAD* pal = GetPalette();
    if (!pal || !r) return;
    if (!g) g = r;
    if (!b) b = g;
    n = std::min(n, head.biClrUsed);
    for (DWORD i = 0; i < n; ++i) pal[i] = RGBQUAD{b[i], g[i], r[i], 0};
}

void CxImage::SetGrayPalette() {
    RGBQUAD* pal = GetPalette();
    if (!pal) return;
    DWORD n = head.biClrUsed;
    for (DWORD i = 0; i < n; ++i) {
        BYTE v = static_cast<BYTE>(n > 1 ? i * 255 / (n - 1) : 0);
        pal[i] = RGBQUAD{v, v, v, 0};
    }
}

void CxImage::SetStdPalette() {
    RGBQUAD* pal = GetPalette();
    if (!pal) return;
    switch (head.biBitCount) {
        case 1:
            pal[0] = RGBQUAD{0, 0, 0, 0};
            pal[1] = RGBQUAD{255, 255, 255, 0};
            break;
        case 4: {
            static const BYTE kVga[16][3] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                             {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                             {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                             {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
            for (int i = 0; i < 16; ++i) pal[i] = RGBQUAD{kVga[i][2], kVga[i][1], kVga[i][0], 0};
            break;
        }
        case 8: {
            // A 6x6x6 colour cube followed by a ramp of 40 greys.
            int i = 0;
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b, ++i)
                        pal[i] =
                            RGBQUAD{static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51), 0};
            for (int k = 0; k < 40; ++k, ++i) {
                BYTE v = static_cast<BYTE>((k + 1) * 255 / 41);
                pal[i] = RGBQUAD{v, v, v, 0};
            }
            break;
        }
        default:
            break;
    }
}

void CxImage::SetTransIndex(long idx) {
    info.nBkgndIndex = idx < 0 ? -1 : idx;
}

RGBQUAD CxImage::GetTransColor() const {
    if (head.biBitCount < 24 && info.nBkgndIndex >= 0 && pDib)
        return GetPaletteColor(static_cast<BYTE>(info.nBkgndIndex));
    return info.nBkgndColor;
}

void CxImage::SetTransColor(RGBQUAD rgb) {
    rgb.rgbReserved = 0;
    info.nBkgndColor = rgb;
}

// ---------------------------------------------------------------------------------------------------
// pixels

bool CxImage::IsInside(long x, long y) const {
    return pDib && x >= 0 && y >= 0 && x < head.biWidth && y < head.biHeight;
}

BYTE CxImage::BlindGetPixelIndex(long x, long y) const {
    const BYTE* row = info.pImage + static_cast<size_t>(y) * info.dwEffWidth;
    switch (head.biBitCount) {
        case 8:
            return row[x];
        case 4:
            return static_cast<BYTE>((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F);
        case 1:
            return static_cast<BYTE>((row[x >> 3] >> (7 - (x & 7))) & 1);
        default:
            return 0;
    }
}

void CxImage::BlindSetPixelIndex(long x, long y, BYTE i) {
    BYTE* row = info.pImage + static_cast<size_t>(y) * info.dwEffWidth;
    switch (head.biBitCount) {
        case 8:
            row[x] = i;
            break;
        case 4: {
            BYTE& b = row[x >> 1];
            if (x & 1)
                b = static_cast<BYTE>((b & 0xF0) | (i & 0x0F));
            else
                b = static_cast<BYTE>((b & 0x0F) | ((i & 0x0F) << 4));
            break;
        }
        case 1: {
            BYTE& b = row[x >> 3];
            BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
            if (i & 1)
                b |= mask;
            else
                b &= static_cast<BYTE>(~mask);
            break;
        }
        default:
            break;
    }
}

BYTE CxImage::GetPixelIndex(long x, long y) const {
    if (!pDib || head.biClrUsed == 0) return 0;
    if (!IsInside(x, y)) {
        if (info.nBkgndIndex >= 0) return static_cast<BYTE>(info.nBkgndIndex);
        return BlindGetPixelIndex(0, 0);
    }
    return BlindGetPixelIndex(x, y);
}

void CxImage::SetPixelIndex(long x, long y, BYTE i) {
    if (!pDib || head.biClrUsed == 0 || !IsInside(x, y)) return;
    BlindSetPixelIndex(x, y, i);
}

RGBQUAD CxImage::BlindGetPixelColor(long x, long y) const {
    RGBQUAD rgb;
    if (head.biClrUsed) {
        rgb = GetPaletteColor(BlindGetPixelIndex(x, y));
    } else {
        const BYTE* p = info.pImage + static_cast<size_t>(y) * info.dwEffWidth + x * 3;
        rgb = RGBQUAD{p[0], p[1], p[2], 0};
    }
    if (pAlpha) rgb.rgbReserved = pAlpha[x + static_cast<size_t>(y) * head.biWidth];
    return rgb;
}

RGBQUAD CxImage::GetPixelColor(long x, long y, bool bGetAlpha) const {
    if (!pDib) return info.nBkgndColor;
    if (!IsInside(x, y)) {
        if (info.nBkgndIndex >= 0) return GetTransColor();
        x = 0;
        y = 0;
    }
    if (bGetAlpha) return BlindGetPixelColor(x, y);
    if (head.biClrUsed) return GetPaletteColor(BlindGetPixelIndex(x, y));
    const BYTE* p = info.pImage + static_cast<size_t>(y) * info.dwEffWidth + x * 3;
    return RGBQUAD{p[0], p[1], p[2], 0};
}

void CxImage::BlindSetPixelColor(long x, long y, RGBQUAD c) {
    if (head.biClrUsed) {
        BlindSetPixelIndex(x, y, GetNearestIndex(c));
    } else {
        BYTE* p = info.pImage + static_cast<size_t>(y) * info.dwEffWidth + x * 3;
        p[0] = c.rgbBlue;
        p[1] = c.rgbGreen;
        p[2] = c.rgbRed;
    }
}

void CxImage::SetPixelColor(long x, long y, RGBQUAD c, bool bSetAlpha) {
    if (!IsInside(x, y)) return;
    BlindSetPixelColor(x, y, c);
    if (bSetAlpha && pAlpha) pAlpha[x + static_cast<size_t>(y) * head.biWidth] = c.rgbReserved;
}

void CxImage::SetPixelColor(long x, long y, COLORREF cr) {
    SetPixelColor(x, y, RGBtoRGBQUAD(cr));
}

BYTE CxImage::GetPixelGray(long x, long y) const {
    RGBQUAD c = GetPixelColor(x, y, false);
    return static_cast<BYTE>((c.rgbBlue * 117 + c.rgbGreen * 601 + c.rgbRed * 306) >> 10);
}

BYTE CxImage::GetNearestIndex(RGBQUAD c) const {
    RGBQUAD* pal = GetPalette();
    if (!pal) return 0;
    DWORD m = head.biClrImportant ? std::min(head.biClrImportant, head.biClrUsed) : head.biClrUsed;
    long best = 0x7FFFFFFF;
    DWORD j = 0;
    for (DWORD i = 0; i < m; ++i) {
        long db = static_cast<long>(pal[i].rgbBlue) - c.rgbBlue;
        long dg = static_cast<long>(pal[i].rgbGreen) - c.rgbGreen;
        long dr = static_cast<long>(pal[i].rgbRed) - c.rgbRed;
        long k = db * db + dg * dg + dr * dr;
        if (k == 0) return static_cast<BYTE>(i);
        if (k < best) {
            best = k;
            j = i;
        }
    }
    return static_cast<BYTE>(j);
}

RGBQUAD CxImage::RGBtoRGBQUAD(COLORREF cr) {
    return RGBQUAD{GetBValue(cr), GetGValue(cr), GetRValue(cr), 0};
}

COLORREF CxImage::RGBQUADtoRGB(RGBQUAD c) {
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

// HSL with every component on 0..255; the result carries hue in rgbRed, saturation in rgbGreen and
// lightness in rgbBlue, the library's published packing.
RGBQUAD CxImage::RGBtoHSL(RGBQUAD lRGBColor) {
    constexpr int kHslMax = 255;
    constexpr int kRgbMax = 255;
    constexpr int kHueUndefined = kHslMax * 2 / 3;
    int R = lRGBColor.rgbRed, G = lRGBColor.rgbGreen, B = lRGBColor.rgbBlue;
    int cMax = std::max({R, G, B});
    int cMin = std::min({R, G, B});
    int L = ((cMax + cMin) * kHslMax + kRgbMax) / (2 * kRgbMax);
    int H, S;
    if (cMax == cMin) {
        S = 0;
        H = kHueUndefined;
    } else {
        if (L <= kHslMax / 2)
            S = ((cMax - cMin) * kHslMax + (cMax + cMin) / 2) / (cMax + cMin);
        else
            S = ((cMax - cMin) * kHslMax + (2 * kRgbMax - cMax - cMin) / 2) / (2 * kRgbMax - cMax - cMin);
        int d = cMax - cMin;
        int Rdelta = ((cMax - R) * (kHslMax / 6) + d / 2) / d;
        int Gdelta = ((cMax - G) * (kHslMax / 6) + d / 2) / d;
        int Bdelta = ((cMax - B) * (kHslMax / 6) + d / 2) / d;
        if (R == cMax)
            H = Bdelta - Gdelta;
        else if (G == cMax)
            H = kHslMax / 3 + Rdelta - Bdelta;
        else
            H = 2 * kHslMax / 3 + Gdelta - Rdelta;
        if (H < 0) H += kHslMax;
        if (H > kHslMax) H -= kHslMax;
    }
    return RGBQUAD{static_cast<BYTE>(L), static_cast<BYTE>(S), static_cast<BYTE>(H), 0};
}

namespace {
float HueToRGB(float n1, float n2, float hue) {
    if (hue > 360)
        hue -= 360;
    else if (hue < 0)
        hue += 360;
    if (hue < 60) return n1 + (n2 - n1) * hue / 60.0f;
    if (hue < 180) return n2;
    if (hue < 240) return n1 + (n2 - n1) * (240 - hue) / 60.0f;
    return n1;
}
}  // namespace

RGBQUAD CxImage::HSLtoRGB(RGBQUAD lHSLColor) {
    float h = lHSLColor.rgbRed * 360.0f / 255.0f;
    float s = lHSLColor.rgbGreen / 255.0f;
    float l = lHSLColor.rgbBlue / 255.0f;
    float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
    float m1 = 2 * l - m2;
    BYTE r, g, b;
    if (s == 0) {
        r = g = b = static_cast<BYTE>(l * 255.0f);
    } else {
        r = static_cast<BYTE>(std::clamp(HueToRGB(m1, m2, h + 120) * 255.0f, 0.0f, 255.0f));
        g = static_cast<BYTE>(std::clamp(HueToRGB(m1, m2, h) * 255.0f, 0.0f, 255.0f));
        b = static_cast<BYTE>(std::clamp(HueToRGB(m1, m2, h - 120) * 255.0f, 0.0f, 255.0f));
    }
    return RGBQUAD{b, g, r, 0};
}

RGBQUAD CxImage::HSLtoRGB(COLORREF cHSLColor) {
    return HSLtoRGB(RGBtoRGBQUAD(cHSLColor));
}

// ---------------------------------------------------------------------------------------------------
// selection

bool CxImage::SelectionCreate() {
    SelectionDelete();
    if (!pDib) return false;
    pSelection = static_cast<BYTE*>(std::calloc(static_cast<size_t>(head.biWidth) * head.biHeight, 1));
    info.rSelectionBox = RECT(head.biWidth, 0, 0, head.biHeight);  // empty: left > right, bottom > top
    return pSelection != nullptr;
}

bool CxImage::SelectionDelete() {
    std::free(pSelection);
    pSelection = nullptr;
    info.rSelectionBox = {};
    return true;
}

bool CxImage::SelectionClear(BYTE level) {
    if (!pSelection) return false;
    std::memset(pSelection, level, static_cast<size_t>(head.biWidth) * head.biHeight);
    if (level == 0)
        info.rSelectionBox = RECT(head.biWidth, 0, 0, head.biHeight);
    else
        info.rSelectionBox = RECT(0, head.biHeight, head.biWidth, 0);
    return true;
}

bool CxImage::SelectionAddRect(RECT r, BYTE level) {
    if (!pSelection && !SelectionCreate()) return false;
    RECT r2;
    if (r.left < r.right) {
        r2.left = r.left;
        r2.right = r.right;
    } else {
        r2.left = r.right;
        r2.right = r.left;
    }
    if (r.bottom < r.top) {
        r2.bottom = r.bottom;
        r2.top = r.top;
    } else {
        r2.bottom = r.top;
        r2.top = r.bottom;
    }
    auto clampTo = [](long v, long hi) { return std::max(0L, std::min(hi, v)); };
    long W = head.biWidth, H = head.biHeight;
    RECT& box = info.rSelectionBox;
    if (box.top <= r2.top) box.top = clampTo(r2.top + 1, H);
    if (box.left > r2.left) box.left = clampTo(r2.left, W);
    if (box.right <= r2.right) box.right = clampTo(r2.right + 1, W);
    if (box.bottom > r2.bottom) box.bottom = clampTo(r2.bottom, H);

    long ymin = clampTo(r2.bottom, H), ymax = clampTo(r2.top + 1, H);
    long xmin = clampTo(r2.left, W), xmax = clampTo(r2.right + 1, W);
    for (long y = ymin; y < ymax; ++y)
        if (xmax > xmin) std::memset(pSelection + xmin + static_cast<size_t>(y) * W, level, xmax - xmin);
    return true;
}

bool CxImage::BlindSelectionIsInside(long x, long y) const {
    return !pSelection || pSelection[x + static_cast<size_t>(y) * head.biWidth] != 0;
}

bool CxImage::SelectionIsInside(long x, long y) const {
    if (!IsInside(x, y)) return false;
    return BlindSelectionIsInside(x, y);
}

BYTE CxImage::SelectionGet(long x, long y) const {
    if (!pSelection || !IsInside(x, y)) return 0;
    return pSelection[x + static_cast<size_t>(y) * head.biWidth];
}

bool CxImage::SelectionSet(long x, long y, BYTE level) {
    if (!pSelection || !IsInside(x, y)) return false;
    pSelection[x + static_cast<size_t>(y) * head.biWidth] = level;
    if (level) {
        RECT& box = info.rSelectionBox;
        box.left = std::min<LONG>(box.left, x);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::min<LONG>(box.bottom, y);
        box.top = std::max<LONG>(box.top, y + 1);
    }
    return true;
}

BYTE* CxImage::SelectionGetPointer(long x, long y) const {
    if (!pSelection || !IsInside(x, y)) return nullptr;
    return pSelection + x + static_cast<size_t>(y) * head.biWidth;
}

void CxImage::GetFilterArea(long& xmin, long& xmax, long& ymin, long& ymax) const {
    if (pSelection) {
        xmin = std::max(0L, static_cast<long>(info.rSelectionBox.left));
        xmax = std::min(static_cast<long>(head.biWidth), static_cast<long>(info.rSelectionBox.right));
        ymin = std::max(0L, static_cast<long>(info.rSelectionBox.bottom));
        ymax = std::min(static_cast<long>(head.biHeight), static_cast<long>(info.rSelectionBox.top));
    } else {
        xmin = ymin = 0;
        xmax = pDib ? head.biWidth : 0;
        ymax = pDib ? head.biHeight : 0;
    }
}

// ---------------------------------------------------------------------------------------------------
// alpha

bool CxImage::AlphaCreate() {
    if (!pDib) return false;
    if (!pAlpha) {
        pAlpha = static_cast<BYTE*>(std::malloc(static_cast<size_t>(head.biWidth) * head.biHeight));
        if (pAlpha) std::memset(pAlpha, 255, static_cast<size_t>(head.biWidth) * head.biHeight);
    }
    return pAlpha != nullptr;
}

void CxImage::AlphaDelete() {
    std::free(pAlpha);
    pAlpha = nullptr;
}

void CxImage::AlphaClear() {
    if (pAlpha) std::memset(pAlpha, 0, static_cast<size_t>(head.biWidth) * head.biHeight);
}

void CxImage::AlphaSet(BYTE level) {
    if (pAlpha) std::memset(pAlpha, level, static_cast<size_t>(head.biWidth) * head.biHeight);
}

BYTE CxImage::AlphaGet(long x, long y) const {
    if (pAlpha && IsInside(x, y)) return pAlpha[x + static_cast<size_t>(y) * head.biWidth];
    return 0;
}

void CxImage::AlphaSet(long x, long y, BYTE level) {
    if (pAlpha && IsInside(x, y)) pAlpha[x + static_cast<size_t>(y) * head.biWidth] = level;
}

BYTE* CxImage::AlphaGetPointer(long x, long y) const {
    if (!pAlpha || !IsInside(x, y)) return nullptr;
    return pAlpha + x + static_cast<size_t>(y) * head.biWidth;
}

bool CxImage::AlphaStrip() {
    if (!pDib || !pAlpha) return false;
    RGBQUAD bg = info.nBkgndColor;
    // Blending needs true colour; IncreaseBpp keeps the alpha plane.
    if (head.biBitCount < 24 && !IncreaseBpp(24)) return false;
    for (long y = 0; y < head.biHeight; ++y) {
        BYTE* p = info.pImage + static_cast<size_t>(y) * info.dwEffWidth;
        const BYTE* a = pAlpha + static_cast<size_t>(y) * head.biWidth;
        for (long x = 0; x < head.biWidth; ++x, p += 3) {
            long al = a[x] * info.nAlphaMax / 255;
            long a1 = 256 - al;
            p[0] = static_cast<BYTE>((p[0] * al + a1 * bg.rgbBlue) >> 8);
            p[1] = static_cast<BYTE>((p[1] * al + a1 * bg.rgbGreen) >> 8);
            p[2] = static_cast<BYTE>((p[2] * al + a1 * bg.rgbRed) >> 8);
        }
    }
    AlphaDelete();
    return true;
}
