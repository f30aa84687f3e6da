// A decorative frame picture made ready to lay over pictures of one size.
#pragma once

#include <memory>

#include "imaging/extImage.h"
#include "platform/win/windef.h"

class CFrameOverlay {
public:
    // Uses `frame` itself when it already has `size` and 24 bits, else a copy resampled
    // (bilinear) to `size` that keeps the frame's transparent colour. A null or empty frame, or an
    // empty size, makes an overlay that does nothing.
    CFrameOverlay(const extImage* frame, CSize size);
    CFrameOverlay(const CFrameOverlay&) = delete;
    CFrameOverlay& operator=(const CFrameOverlay&) = delete;

    bool IsActive() const { return m_pUse != nullptr; }
    // Lays the frame over the rectangle (0, 0, size) of `picture`, leaving out the frame's
    // transparent colour; a picture of fewer bits is made 24-bit first.
    void LayOver(extImage& picture) const;

private:
    const extImage* m_pUse = nullptr;
    std::unique_ptr<extImage> m_pScaled;
    CSize m_size;
};
