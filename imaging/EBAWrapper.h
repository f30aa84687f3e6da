// CEBAWrapper: the slides of a phone animation and the EBA file format.
//
// Sixteen slots, each with a private copy of a picture and a display time in milliseconds, used
// from slot 0 upward. An EBA file is the 48-byte picture header with the magic "ANI", the
// 104-byte animation header (frame count and 50 delay slots) and the frames as RGB565 words, all
// of one size. A decorative frame picture (not owned) may be laid over every slide as it is
// written; the slots themselves never carry it.
#pragma once

#include "imaging/PhoneFormat.h"
#include "imaging/extImage.h"
#include "platform/win/windef.h"

struct EBA_FRAME {
    extImage* pImage = nullptr;   // owned by the wrapper
    unsigned short nDelay = 100;  // milliseconds
};

class CEBAWrapper {
public:
    static constexpr int kSlotCount = phone::kMaxFrames;
    static constexpr unsigned short kDefaultDelay = 100;

    CEBAWrapper();
    virtual ~CEBAWrapper();
    CEBAWrapper(const CEBAWrapper&) = delete;
    CEBAWrapper& operator=(const CEBAWrapper&) = delete;

    // Empties every slot (delays back to 100) and forgets the frame picture.
    void UnInit();
    // Stores a full copy of image (pixels, selection, alpha) in the slot; null empties it.
    void SetPicture(int index, extImage* image);
    void SetDelay(int index, unsigned short delay);
    // Empties the slot (delay back to 100); later slots stay where they are.
    void DeletePicture(int index);

    int GetValidCount() const { return m_nValidCount; }
    EBA_FRAME** GetPtrFrameList() { return m_pFrameList; }
    extImage* GetPtrFrameImage() const { return m_pFrameImage; }
    void SetPtrFrameImage(extImage* frame) { m_pFrameImage = frame; }

    // Frame count and the delays of the filled slots in order; every other byte 0.
    void SetAnimationHeader(tagANIMATION_HEADER_T* header) const;

    // Replaces the whole content by the file's frames and delays (and drops the frame picture).
    // A file that cannot be opened, or whose headers announce more than it holds, a count outside
    // 1 to 16 or a size below 1, leaves the wrapper empty (false).
    bool LoadEBA(const char* path);
    // A new 24-bit picture of the file's first frame, or null; the caller owns it.
    static extImage* LoadEBAFirst(const char* path);
    // A new 24-bit picture of frame `index`, or null; the caller owns it.
    static extImage* GetEBAFrame(const char* path, int index);

    // Writes the filled slots as an EBA file. Slides of different sizes are first resampled in
    // place to `size` when both its sides are non-zero; without a size the user is asked to report
    // the situation and nothing is written (frames of different sizes cannot share one header).
    bool SaveEBA(const char* path, CSize size);
    // Writes slot `index` as a PHT file, with the frame picture laid over a copy of it.
    bool SavePHT(const char* path, int index);

private:
    void Recount();
    bool IsSlot(int index) const { return index >= 0 && index < kSlotCount; }

    EBA_FRAME* m_pFrameList[kSlotCount];
    int m_nValidCount = 0;
    extImage* m_pFrameImage = nullptr;
};
