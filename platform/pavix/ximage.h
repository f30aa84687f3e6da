// CxImage: the picture class of the Pavix library.
//
// Pixels live in one packed device-independent bitmap block (BITMAPINFOHEADER, palette, rows), so
// GetDIB() can be handed to code that reads a Windows DIB. Rows run bottom-up (library row 0 is the
// bottom row of the picture), each padded to 4 bytes; 24-bit pixels are blue, green, red. Pictures
// are 1, 4, 8 or 24 bits per pixel, with an optional 8-bit alpha plane and selection mask beside
// the pixels. Coordinates given as (x, y) are library coordinates unless a member says otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/win/windef.h"
#include "platform/win/wingdi.h"

class CxFile;

// Format codes; the numbers are the library's published ones and travel through the whole system.
enum ENUM_CXIMAGE_FORMATS : DWORD {
    CXIMAGE_FORMAT_UNKNOWN = 0,
    CXIMAGE_FORMAT_BMP = 1,
    CXIMAGE_FORMAT_GIF = 2,
    CXIMAGE_FORMAT_JPG = 3,
    CXIMAGE_FORMAT_PNG = 4,
    CXIMAGE_FORMAT_ICO = 5,
    CXIMAGE_FORMAT_TIF = 6,
    CXIMAGE_FORMAT_TGA = 7,
    CXIMAGE_FORMAT_PCX = 8,
    CXIMAGE_FORMAT_WBMP = 9,
    CXIMAGE_FORMAT_WMF = 10,
    CMAX_IMAGE_FORMATS = 11
};
constexpr DWORD CXIMAGE_FORMAT_JPEG = CXIMAGE_FORMAT_JPG;
constexpr DWORD CXIMAGE_FORMAT_TIFF = CXIMAGE_FORMAT_TIF;
constexpr DWORD CXIMAGE_FORMAT_EMF = CXIMAGE_FORMAT_WMF;

namespace pavix {

// Upper bound for the pixel memory one decoded picture may claim (pixels, alpha and selection
// together). Readers check a file's claimed size against it before allocating anything; the fuzz
// test lowers it. Default: 512 MiB.
void SetMemoryLimit(std::uint64_t bytes);
std::uint64_t GetMemoryLimit();

// The random draw the noise filters use: 0 to 32767, a per-thread linear congruential sequence
// (the C runtime's classic one), so results are repeatable after SeedRandom.
int RandomDraw();
void SeedRandom(unsigned int seed);

// A draw becomes a fraction as draw x this single-precision 1/32767 (3.0518509e-05).
constexpr float kRandomScale = 1.0f / 32767.0f;

}  // namespace pavix

struct CXIMAGEINFO {
    DWORD dwEffWidth = 0;        // bytes per row, padding included
    BYTE* pImage = nullptr;      // first byte of the pixel rows inside the DIB block
    DWORD dwType = 0;            // format code the picture was read from or will be written as
    char szLastError[256] = {};  // text of the last failure
    long nBkgndIndex = -1;       // transparent palette index; >= 0 also switches transparency on
    RGBQUAD nBkgndColor = {};    // transparent colour of a true-colour picture
    BYTE nQuality = 90;          // JPEG quality
    DWORD dwFrameDelay = 0;      // frame delay in hundredths of a second
    long nFrame = 0;             // frame to decode from a multi-frame file
    long nNumFrames = 0;         // frames found in the file, or the count the caller recorded
    long xDPI = 96;
    long yDPI = 96;
    RECT rSelectionBox = {};  // library coordinates: left/right exclusive right, bottom <= y < top
    BYTE nAlphaMax = 255;
    long xOffset = 0;  // frame position on a GIF's logical screen
    long yOffset = 0;
    DWORD dwCodecOpt[CMAX_IMAGE_FORMATS] = {};
    BYTE dispmeth = 0;  // GIF disposal method
    bool bEnabled = true;
};

class CxImage {
public:
    // --- life -------------------------------------------------------------------------------------
    explicit CxImage(DWORD imagetype = 0);
    CxImage(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype = 0);
    CxImage(const CxImage& src, bool copypixels = true, bool copyselection = true, bool copyalpha = true);
    CxImage(const char* filename, DWORD imagetype);
    CxImage(const BYTE* buffer, DWORD size, DWORD imagetype);
    virtual ~CxImage();
    CxImage& operator=(const CxImage& src);

    // Makes an empty picture of the given size and depth (1, 4, 8 or 24; other values are rounded
    // up to the next of these). Pixels and palette start zeroed; selection and alpha are dropped.
    // Returns the DIB block, or null when the size is zero or over the memory limit.
    void* Create(DWORD dwWidth, DWORD dwHeight, DWORD wBpp, DWORD imagetype = 0);
    bool Destroy();
    bool DestroyFrames() { return true; }
    void Clear(BYTE bval = 0);
    void Copy(const CxImage& src, bool copypixels = true, bool copyselection = true, bool copyalpha = true);
    // Takes over the attributes of src (transparency, delay, type...) when this picture is empty.
    void CopyInfo(const CxImage& src);
    // Moves everything from `from` into this picture; `from` is left empty.
    bool Transfer(CxImage& from, bool bTransferFrames = true);
    void Startup(DWORD imagetype = 0);
    // Builds a picture from raw rows: 1, 4, 8 (grey), 24 (B,G,R) or 32 bits (B,G,R,A) per pixel;
    // bFlipImage says the array's first row is the top of the picture.
    bool CreateFromArray(const BYTE* pArray, DWORD dwWidth, DWORD dwHeight, DWORD dwBitsperpixel, DWORD dwBytesperline,
                         bool bFlipImage);

    // --- files --------------------------------------------------------------------------------------
    bool Load(const char* filename, DWORD imagetype = 0);
    bool Save(const char* filename, DWORD imagetype);
    bool Decode(CxFile* hFile, DWORD imagetype);
    bool Decode(const BYTE* buffer, DWORD size, DWORD imagetype);
    bool Encode(CxFile* hFile, DWORD imagetype);
    // Encodes into a new buffer that the caller frees with FreeMemory.
    bool Encode(BYTE*& buffer, long& size, DWORD imagetype);
    static void FreeMemory(void* memblock);
    // The format a block of file data starts like, 0 when none is recognised.
    static DWORD GuessFormat(const BYTE* data, size_t size);
    static bool IsKnownFileType(DWORD imagetype);
    // The width and height a file's picture shows at (a JPEG or TIFF turned upright by its
    // orientation), read from the header alone for BMP, JPEG, PNG and TIFF, by decoding for the
    // other formats. False with the reader's reason in `error` when the file cannot be read.
    static bool ReadSize(const char* filename, DWORD imagetype, long& width, long& height, std::string& error);

    // --- information --------------------------------------------------------------------------------
    bool IsValid() const { return pDib != nullptr; }
    bool IsEnabled() const { return info.bEnabled; }
    void Enable(bool enable = true) { info.bEnabled = enable; }
    DWORD GetWidth() const { return pDib ? static_cast<DWORD>(head.biWidth) : 0; }
    DWORD GetHeight() const { return pDib ? static_cast<DWORD>(head.biHeight) : 0; }
    DWORD GetEffWidth() const { return pDib ? info.dwEffWidth : 0; }
    WORD GetBpp() const { return pDib ? head.biBitCount : 0; }
    DWORD GetNumColors() const { return pDib ? head.biClrUsed : 0; }
    DWORD GetType() const { return info.dwType; }
    void SetType(DWORD type) { info.dwType = type; }
    const char* GetLastError() const { return info.szLastError; }
    // Size of the whole DIB block: header, palette and rows.
    DWORD GetSize() const;
    // Size of the pixel rows alone, padding included.
    DWORD GetImageSize() const { return pDib ? head.biSizeImage : 0; }
    void* GetDIB() const { return pDib; }
    const BITMAPINFOHEADER& GetHeader() const { return head; }
    // Start of library row `row` (0 = bottom), or null when out of range.
    BYTE* GetBits(DWORD row = 0);
    const BYTE* GetBits(DWORD row = 0) const;

    DWORD GetFrameDelay() const { return info.dwFrameDelay; }
    void SetFrameDelay(DWORD d) { info.dwFrameDelay = d; }
    long GetNumFrames() const { return info.nNumFrames; }
    void SetNumFrames(long n) { info.nNumFrames = n; }
    long GetFrame() const { return info.nFrame; }
    void SetFrame(long nFrame) { info.nFrame = nFrame; }
    BYTE GetDisposalMethod() const { return info.dispmeth; }
    void SetDisposalMethod(BYTE dm) { info.dispmeth = dm; }
    void GetOffset(long* x, long* y) const;
    void SetOffset(long x, long y);
    long GetXDPI() const { return info.xDPI; }
    long GetYDPI() const { return info.yDPI; }
    void SetXDPI(long dpi);
    void SetYDPI(long dpi);
    BYTE GetJpegQuality() const { return info.nQuality; }
    void SetJpegQuality(BYTE q) { info.nQuality = q; }
    DWORD GetCodecOption(DWORD imagetype = 0) const;
    bool SetCodecOption(DWORD opt, DWORD imagetype = 0);

    // --- palette and transparency -------------------------------------------------------------------
    bool IsIndexed() const { return pDib && head.biClrUsed != 0; }
    bool IsGrayScale() const;
    DWORD GetPaletteSize() const { return pDib ? head.biClrUsed * sizeof(RGBQUAD) : 0; }
    RGBQUAD* GetPalette() const;
    RGBQUAD GetPaletteColor(BYTE idx) const;
    bool GetPaletteColor(BYTE i, BYTE* r, BYTE* g, BYTE* b) const;
    void SetPaletteColor(BYTE idx, BYTE r, BYTE g, BYTE b, BYTE alpha = 0);
    void SetPaletteColor(BYTE idx, RGBQUAD c);
    void SetPaletteColor(BYTE idx, COLORREF cr);
    // Copies up to the picture's palette size of entries; the rest stay as they were.
    void SetPalette(const RGBQUAD* pPal, DWORD nColors = 256);
    void SetPalette(DWORD n, const BYTE* r, const BYTE* g, const BYTE* b);
    void SetGrayPalette();
    void SetStdPalette();
    long GetTransIndex() const { return info.nBkgndIndex; }
    void SetTransIndex(long idx);
    // The transparent colour: the palette entry of the transparent index for an indexed picture,
    // else the stored colour.
    RGBQUAD GetTransColor() const;
    void SetTransColor(RGBQUAD rgb);
    bool IsTransparent() const { return info.nBkgndIndex >= 0; }

    // --- pixels -------------------------------------------------------------------------------------
    bool IsInside(long x, long y) const;
    // Outside the picture: the transparent index when one is set, else the index of pixel (0, 0).
    BYTE GetPixelIndex(long x, long y) const;
    void SetPixelIndex(long x, long y, BYTE i);
    // Outside the picture: the transparent colour when transparency is on, else pixel (0, 0).
    RGBQUAD GetPixelColor(long x, long y, bool bGetAlpha = true) const;
    void SetPixelColor(long x, long y, RGBQUAD c, bool bSetAlpha = false);
    void SetPixelColor(long x, long y, COLORREF cr);
    BYTE GetPixelGray(long x, long y) const;
    // The first palette entry nearest to c (squared distance of blue, green and red); entries up
    // to biClrImportant when that is set, else the whole palette.
    BYTE GetNearestIndex(RGBQUAD c) const;

    static RGBQUAD RGBtoHSL(RGBQUAD lRGBColor);
    static RGBQUAD HSLtoRGB(RGBQUAD lHSLColor);
    static RGBQUAD HSLtoRGB(COLORREF cHSLColor);
    static RGBQUAD RGBtoRGBQUAD(COLORREF cr);
    static COLORREF RGBQUADtoRGB(RGBQUAD c);

    // --- geometry and depth -------------------------------------------------------------------------
    // Rectangle in picture coordinates (top measured from the top row), clipped to the picture.
    bool Crop(long left, long top, long right, long bottom, CxImage* iDst = nullptr);
    bool Crop(const RECT& rect, CxImage* iDst = nullptr);
    // Exactly newx by newy pixels: mode 0 nearest pixel, 1 bilinear, 2 bicubic.
    bool Resample(long newx, long newy, int mode = 1, CxImage* iDst = nullptr);
    bool RotateLeft(CxImage* iDst = nullptr);   // a quarter turn counter-clockwise
    bool RotateRight(CxImage* iDst = nullptr);  // a quarter turn clockwise
    bool Rotate180(CxImage* iDst = nullptr);
    bool Mirror(bool bMirrorSelection = false, bool bMirrorAlpha = true);  // left-right
    bool Flip(bool bFlipSelection = false, bool bFlipAlpha = true);        // top-bottom
    bool Negative();
    // To an 8-bit grey picture with a grey palette.
    bool GrayScale();
    bool IncreaseBpp(DWORD nbit);
    // Fewer bits per pixel. With ppal the first clrimportant entries (all 2^nbit when 0) are the
    // palette; without it a standard palette. errordiffusion spreads each pixel's error to its
    // neighbours (Floyd-Steinberg), else each pixel takes its nearest entry.
    bool DecreaseBpp(DWORD nbit, bool errordiffusion, const RGBQUAD* ppal = nullptr, DWORD clrimportant = 0);

    // --- filters ------------------------------------------------------------------------------------
    // Convolution with a Ksize x Ksize kernel (kernel[(dx + k2) + Ksize * (dy + k2)], dy in library
    // rows); each channel's weighted sum is divided by Kfactor (not when 0) and Koffset added.
    // Near the edges the sum is rescaled to the kernel weights that fell inside the picture.
    bool Filter(const long* kernel, long Ksize, long Kfactor, long Koffset);
    // Brightness offset and contrast in percent through the table the system's filters share.
    bool Light(long brightness, long contrast = 0);
    bool Lut(const BYTE* pLut);
    bool Lut(const BYTE* pLutR, const BYTE* pLutG, const BYTE* pLutB, const BYTE* pLutA = nullptr);
    // Each pixel takes the colour of the window pixel of median grey level.
    bool Median(long Ksize = 3);
    bool Noise(long level);
    bool Threshold(BYTE level);

    // --- selection ----------------------------------------------------------------------------------
    bool SelectionCreate();
    bool SelectionDelete();
    bool SelectionClear(BYTE level = 0);
    bool SelectionIsValid() const { return pSelection != nullptr; }
    // Library coordinates; right and top are inclusive, clipped to the picture.
    bool SelectionAddRect(RECT r, BYTE level = 255);
    void SelectionGetBox(RECT& r) const { r = info.rSelectionBox; }
    bool SelectionIsInside(long x, long y) const;
    BYTE SelectionGet(long x, long y) const;
    bool SelectionSet(long x, long y, BYTE level);
    BYTE* SelectionGetPointer(long x = 0, long y = 0) const;

    // --- alpha --------------------------------------------------------------------------------------
    bool AlphaCreate();
    void AlphaDelete();
    void AlphaClear();
    void AlphaSet(BYTE level);
    bool AlphaIsValid() const { return pAlpha != nullptr; }
    BYTE AlphaGet(long x, long y) const;
    void AlphaSet(long x, long y, BYTE level);
    BYTE* AlphaGetPointer(long x = 0, long y = 0) const;
    BYTE AlphaGetMax() const { return info.nAlphaMax; }
    void AlphaSetMax(BYTE nAlphaMax) { info.nAlphaMax = nAlphaMax; }
    // Blends the pixels with the transparent colour by their alpha and drops the alpha plane.
    bool AlphaStrip();

protected:
    void SetLastError(const char* text);
    // True when w x h at bpp (with alpha and selection planes) fits the memory limit.
    static bool FitsMemoryLimit(std::uint64_t w, std::uint64_t h, DWORD bpp);
    BYTE BlindGetPixelIndex(long x, long y) const;
    RGBQUAD BlindGetPixelColor(long x, long y) const;
    void BlindSetPixelIndex(long x, long y, BYTE i);
    void BlindSetPixelColor(long x, long y, RGBQUAD c);
    bool BlindSelectionIsInside(long x, long y) const;
    // The area a filter covers: the selection box, or the whole picture.
    void GetFilterArea(long& xmin, long& xmax, long& ymin, long& ymax) const;
    // Calls f(bgr, x, y) for each pixel of a 24-bit picture's filter area that the selection
    // holds; bgr points at the pixel's blue, green and red bytes.
    template <class F>
    void ForEachSelectedPixel(F f) {
        long xmin, xmax, ymin, ymax;
        GetFilterArea(xmin, xmax, ymin, ymax);
        for (long y = ymin; y < ymax; ++y) {
            BYTE* row = GetBits(y);
            for (long x = xmin; x < xmax; ++x)
                if (BlindSelectionIsInside(x, y)) f(row + 3 * x, x, y);
        }
    }

    void* pDib = nullptr;
    BITMAPINFOHEADER head = {};
    CXIMAGEINFO info;
    BYTE* pSelection = nullptr;
    BYTE* pAlpha = nullptr;
};
