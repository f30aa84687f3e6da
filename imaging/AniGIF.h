// CAniGIF: an animated GIF as a list of fully composed frames, and writing frames back as one.
//
// Reading does no LZW decoding of its own: the file is cut, block by block, into one small
// single-frame GIF per frame (the file's header and global colour table, the frame's blocks, a
// trailer), which the picture library decodes with the frame's transparency. The frames are then
// drawn one after the other onto a white canvas of the logical screen size, honouring disposal
// methods 2 (back to the background) and 3 (back to what was there before), and the canvas is
// copied after every frame. Each composed frame carries its delay in hundredths of a second.
//
// Writing reduces every frame to its own 256-colour palette (the one the octree quantizer builds
// for that frame) with error diffusion, and lets the picture library's GIF encoder store them with
// one local colour table each.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "imaging/extImage.h"
#include "platform/win/windef.h"

enum enumGIFError {
    GIFERR_NONE = 0,
    GIFERR_NOFRAME = 1,   // the file has no frame that could be read
    GIFERR_MAXFRAME = 2,  // more than 16 frames (all-frames mode only)
};

enum GIFBlockTypes {
    BLOCK_UNKNOWN = 0,
    BLOCK_APPEXT = 1,      // 0x21 0xFF
    BLOCK_COMMEXT = 2,     // 0x21 0xFE
    BLOCK_CONTROLEXT = 3,  // 0x21 0xF9
    BLOCK_PLAINTEXT = 4,   // 0x21 0x01
    BLOCK_IMAGE = 5,       // 0x2C
    BLOCK_TRAILER = 6,     // 0x3B
};

class CAniGIF {
public:
    static constexpr int kMaxFrames = 16;
    static constexpr COLORREF kBackground = 0xFFFFFF;
    // The delay of a frame without a graphic control extension.
    static constexpr UINT kNoDelay = 0xFFFFFFFF;

    CAniGIF();
    virtual ~CAniGIF();
    CAniGIF(const CAniGIF&) = delete;
    CAniGIF& operator=(const CAniGIF&) = delete;

    // Clears the error, makes an empty frame array of 10 entries and clears the overlay.
    void InitGIF();
    // Deletes the frame pictures and the array, clears error, overlay and count, then UnLoad.
    void UnInitGIF();
    // Forgets the loaded file: frame records, decoded pictures and canvas (the composed frame
    // pictures stay).
    void UnLoad();

    // Reads the whole file (at most the picture memory limit) and loads it as below; 0 when the
    // file cannot be read.
    int Load(const char* path, bool firstOnly);
    // Loads a GIF held in memory; the data is only used during the call. 1 on success, 0 on
    // failure: not "GIF87a"/"GIF89a", no frame (error 1), more than 16 frames when all are
    // wanted (error 2), no frame the picture library can decode, or a canvas too large to make.
    int Load(const void* data, unsigned long length, bool firstOnly);
    // UnInitGIF, Load(path, false) and all frames composed; false only when loading failed. A
    // one-frame file loads but gives no frames.
    bool LoadGIF(const char* path);
    // The first frame composed on the logical screen, a new picture the caller owns; null on failure.
    extImage* LoadGIFFirst(const char* path);
    // The size LoadGIFFirst's picture would have, from the logical screen descriptor (from the
    // first image descriptor when the screen is given as 0) without decoding a pixel; false when
    // the file is not a GIF or holds no image.
    static bool ReadScreenSize(const char* path, CSize& size, std::string& error);
    // Composes the loaded file: with firstOnly `out` becomes a new picture of the first frame,
    // otherwise the frame array holds one composed picture per frame record.
    int MakingImage(extImage*& out, bool firstOnly);

    // Non-zero when a file is loaded and it has at least two frame records.
    int IsAnimatedGIF() const;
    // Whether the loaded file holds more than one frame (also when only the first was decoded).
    bool HasSeveralFrames() const { return m_bIsInitialized && m_bAnimated; }
    enumGIFError GetErrorCode() const { return m_nError; }
    // Why the last Load failed, in words (the picture library's reason when it refused a frame);
    // empty after a successful one.
    const std::string& GetErrorText() const { return m_strError; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    extImage** GetPtrImageAni() { return m_pImageAni.data(); }
    int GetValidCount() const { return m_nValidCount; }
    // Length of the frame array (at least GetValidCount()).
    int GetArraySize() const { return static_cast<int>(m_pImageAni.size()); }

    // Replaces entry `index` by a full copy of image (the array grows when needed); the count
    // becomes at least index + 1.
    void SetPicture(int index, extImage* image);
    // Frame delay of entry `index` in hundredths of a second (low 16 bits), when it holds a picture.
    void SetDelay(int index, unsigned delay);
    // Grows the array by one empty entry.
    void AddPicture();
    // Deletes entry `index` and packs the remaining pictures to the front of an array of
    // `newLength` entries (longer when they need more room); the count drops by one.
    void DeletePicture(int index, int newLength);
    void DeleteAllOnlyImage();
    // Resamples every frame picture to `size` (bilinear) unless the first already has that size.
    void AdjustImage(CSize size);

    void SetPtrFrameImage(extImage* frame) { m_pFrameImage = frame; }
    extImage* GetPtrFrameImage() const { return m_pFrameImage; }
    // Lays the overlay over each of the count pictures of `frames`, resampled to the first one's size.
    void AdjustFrameImage(extImage** frames);

    // Writes the frames as an animated GIF: each reduced to its own 256-colour palette with error
    // diffusion, one local colour table per frame, disposal 2, loop count 1024, each frame's own
    // delay, the overlay laid over copies. False when there is no frame or the file cannot be
    // written (a half-written file is removed).
    bool SaveGIF(const char* path);

    // --- walking the blocks of the loaded data ----------------------------------------------------
    GIFBlockTypes GetNextBlock() const;
    // Length of the block at the parse position; 0 for kind 0 or a block that runs past the data.
    long GetNextBlockLen() const;
    // Length of the sub-block chain starting at `position`, terminator included; 0 when it runs
    // past the end of the data.
    long GetSubBlocksLen(long position) const;
    bool SkipNextBlock();
    // Moves past one frame: its graphic control extension, any extensions after it, and its image
    // or plain-text block.
    bool SkipNextGraphicBlock();
    // Moves past one frame like SkipNextGraphicBlock and builds its own GIF: the file's header and
    // global colour table, every byte of the frame, a trailer. Empty when the walk fails. `delay`
    // is in hundredths (kNoDelay without a graphic control extension), disposal 0 without one.
    std::vector<BYTE> GetNextGraphicBlock(UINT& delay, CSize& frameSize, CPoint& frameOffset, UINT& disposal);
    // Back to just after the header and the global colour table.
    void ResetDataPointer();

private:
    struct TFrame {
        std::unique_ptr<CxImage> m_pPicture;  // the decoded single-frame GIF
        CSize m_frameSize;
        CPoint m_frameOffset;
        UINT m_nDelay = kNoDelay;
        UINT m_nDisposal = 0;
    };

    // The walk both frame steps share; `start` gets the first byte of the frame's blocks.
    bool WalkFrame(long& start, UINT& delay, CSize& frameSize, CPoint& frameOffset, UINT& disposal);
    void ClearFrames();
    bool MakeCanvas();
    // Draws a decoded frame at `offset`, leaving its transparent pixels out; false when the
    // picture is empty.
    bool Render(const CxImage& picture, CPoint offset);
    void FillBackground(const CRect& rect);
    void LayOverlay(extImage** frames, int count) const;
    // Reads an unsigned 16-bit value at an absolute position of the loaded data.
    UINT Read16(long position) const;

protected:
    // State is protected so that a block walk can be driven over a buffer of one's own.
    enumGIFError m_nError = GIFERR_NONE;
    std::string m_strError;
    std::vector<extImage*> m_pImageAni;  // owned
    int m_nValidCount = 0;
    extImage* m_pFrameImage = nullptr;  // not owned

    // While a file is loaded.
    const BYTE* m_pRawData = nullptr;  // only during Load
    long m_nDataSize = 0;
    long m_nCurrOffset = 0;
    long m_nGlobalCTSize = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bIsInitialized = false;
    bool m_bAnimated = true;
    COLORREF m_clrBack = kBackground;
    std::unique_ptr<CxImage> m_pPicture;  // the whole file of a one-frame GIF
    std::vector<TFrame> m_arrFrames;
    std::unique_ptr<extImage> m_pCanvas;
};
