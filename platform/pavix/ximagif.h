// CxImageGIF: GIF reading (one frame, with its transparency, delay, disposal and offset) and
// writing of one picture or of an animation (giflib does the LZW coding).
#pragma once

#include "platform/pavix/ximage.h"

class CxImageGIF : public CxImage {
public:
    CxImageGIF() : CxImage(CXIMAGE_FORMAT_GIF) {}
    using CxImage::Decode;
    using CxImage::Encode;

    // Decodes frame GetFrame() (0 by default) as an 8-bit picture of the frame's own size; the
    // number of frames in the file (counted up to 10000) goes to GetNumFrames(), the frame's place on the logical
    // screen to GetOffset(), its delay and disposal to GetFrameDelay() and GetDisposalMethod(), and a transparent index
    // to GetTransIndex().
    bool Decode(CxFile* fp);
    // Writes this picture; pictures deeper than 8 bits are reduced (on a copy) to a standard
    // palette with error diffusion.
    bool Encode(CxFile* fp);
    // The codec option (the library's choice of compression) is accepted and makes no difference:
    // image data is always LZW-coded.
    // Writes an animation: every frame with its own delay; the disposal method is this object's
    // (bLocalDispMeth: each frame's own); bLocalColorMap gives each frame its own colour table (a
    // frame whose palette differs from the first one gets one anyway). The loop extension carries
    // GetLoops() (0 loops forever).
    bool Encode(CxFile* fp, CxImage** pImages, int pagecount, bool bLocalColorMap = false, bool bLocalDispMeth = false);

    void SetLoops(int loops) { m_loops = loops; }
    long GetLoops() const { return m_loops; }
    // Logical screen size of the last decoded file.
    long GetScreenWidth() const { return m_screenWidth; }
    long GetScreenHeight() const { return m_screenHeight; }

private:
    long m_loops = 0;
    long m_screenWidth = 0;
    long m_screenHeight = 0;
};
