// extImage: the picture class of the whole system. It adds the colour effects, neighbourhood
// filters and pixel-copy operations of the editor, the decorations and the animation writers to
// the picture library's CxImage, and opens a picture file of any kind the system knows.
//
// Layout reminders: library rows run bottom-up; the raw-byte operations (GrayScale24, Thresold24,
// Concentration, Light, the CopyPixel family) want 24-bit pictures and leave others alone.
// Coordinates passed to RedEyeRemove and the CopyPixel family are picture coordinates, row 0 at
// the top. A filter with a destination leaves this picture unchanged and moves its result into the
// destination; without one it works in place.
#pragma once

#include "imaging/PhoneFormat.h"
#include "platform/pavix/ximage.h"
#include "platform/win/filetype.h"
#include "platform/win/windef.h"

// Byte of a 24-bit pixel.
enum CHANNEL { CHANNEL_BLUE = 0, CHANNEL_GREEN = 1, CHANNEL_RED = 2 };

class extImage : public CxImage {
public:
    extImage();
    extImage(const extImage& src, bool copypixels = true, bool copyselection = true, bool copyalpha = true);
    explicit extImage(const CxImage& src, bool copypixels = true, bool copyselection = true, bool copyalpha = true);
    extImage(DWORD width, DWORD height, DWORD bpp, DWORD type = 0);
    // Opens a file by type code (FILETYPE_*): GIF gives the first frame composed on the logical
    // screen, with frame count 2 for an animated file and 1 otherwise; PHT and EBA are the phone
    // formats; any other code is the picture library's own format code. A file that cannot be read
    // leaves the picture empty.
    extImage(const char* path, unsigned long type);
    virtual ~extImage();
    extImage& operator=(const extImage& src);

    // The library's forms stay callable beside the ones added here.
    using CxImage::Light;
    using CxImage::Noise;

    // --- colour effects ------------------------------------------------------------------------------
    // Scales colours by percent / 100: the used palette entries of an indexed picture, else the
    // selected pixels (the whole picture when nothing is selected).
    bool bright(int percent);
    // The key colour a picture dimmed by bright(percent) carries.
    static void get_transcolor_fromnum(RGBQUAD& colour, int percent);
    // Brightness offset and contrast in percent, looked up byte by byte from source (this picture
    // when null) into this picture. Indexed pictures are left as they are.
    bool Light(long brightness, long contrast, extImage* source);
    void GrayScale24();
    // Black and white by the blue byte: above level 255, else 0.
    void Thresold24(int level);
    void Thresold24(int level, extImage* dst);
    void Concentration(CHANNEL channel, int amount);
    // Red-eye correction inside a rectangle in picture coordinates.
    void RedEyeRemove(CRect rect);

    // --- neighbourhood filters -----------------------------------------------------------------------
    bool Jitter(long radius, extImage* dst = nullptr);
    void Pixelate(int size, bool grid, extImage* dst = nullptr);
    bool Contour(long ksize, extImage* dst = nullptr);
    bool Dilate(long ksize, extImage* dst = nullptr);
    bool Erode(long ksize, extImage* dst = nullptr);
    // Noise from this picture into dst; this picture is unchanged.
    bool Noise(long level, extImage* dst);

    // --- pixel copies (24-bit pictures, picture coordinates) -----------------------------------------
    void CopyPixel(int left, int top, int right, int bottom, extImage* src);
    void CopyPixel(CRect rect, extImage* src);
    void CopyPixelDiff(int dx, int dy, extImage* src, int sx, int sy, int width, int height);
    // Pastes src at rect (which may start at negative coordinates), leaving out src's transparent colour.
    void CopyPixelWithTrans(extImage* src, CRect rect);

    // --- phone still pictures (PHT) ------------------------------------------------------------------
    // Fills a 48-byte picture header for `size`: magic "IMG" when `still` is non-zero, else "ANI".
    static void SetBitmapHeader(tagBITMAP_HEADER* header, CSize size, int still);
    // The pixels as RGB565 words in the file layout, in a new array the caller releases with
    // delete[]; `length` gets width x height x 2. Null (length 0) for an empty picture.
    BYTE* GetData16bit(int& length) const;
    // Writes the picture as a PHT file, replacing any file of that name only once the new one is
    // complete. False when the file cannot be written (the old one then stays as it was) or the
    // picture is empty or too large for the header (a side over 32767).
    bool SavePHT(const char* path) const;
    // Replaces the picture by a PHT file's content as 24 bits. A file that cannot be opened, announces
    // no pixels or holds fewer than it announces leaves the picture as it was (false).
    bool LoadPHT(const char* path);
    // Whether the file has a sound phone header: magic "ANI" for FILETYPE_EBA, "IMG" for any other
    // type, width and height from 1 to 400, and all the announced pixels present (for an EBA file
    // also a frame count from 1 to 16). Pixels are not decoded.
    static bool IsValidFormat(const CString& path, int type);

    // The size the loading constructor's picture would have, without decoding pixels where the
    // format allows it (BMP, GIF, JPEG with its EXIF orientation, PNG, TIFF, PHT, EBA); false with
    // the reader's reason in `error` when the file cannot be read.
    static bool ReadPictureSize(const CString& path, unsigned long type, CSize& size, CString& error);

private:
    // Moves a finished temporary into dst, or into this picture when dst is null.
    void Deliver(CxImage& tmp, extImage* dst);
    // Contour (0), Dilate (1) and Erode (2) share one window walk.
    bool WindowFilter(long ksize, extImage* dst, int kind);
};
