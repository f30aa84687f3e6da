#include "imaging/FrameOverlay.h"

CFrameOverlay::CFrameOverlay(const extImage* frame, CSize size) : m_size(size) {
    if (!frame || !frame->IsValid() || size.cx <= 0 || size.cy <= 0) return;
    const bool sameSize =
        static_cast<LONG>(frame->GetWidth()) == size.cx && static_cast<LONG>(frame->GetHeight()) == size.cy;
    if (sameSize && frame->GetBpp() == 24) {
        m_pUse = frame;
        return;
    }
    const RGBQUAD key = frame->GetTransColor();
    auto scaled = std::make_unique<extImage>(*frame);
    if (scaled->GetBpp() != 24 && !scaled->IncreaseBpp(24)) return;
    if (!sameSize && !scaled->Resample(size.cx, size.cy, 1)) return;
    scaled->SetTransColor(key);
    m_pScaled = std::move(scaled);
    m_pUse = m_pScaled.get();
}

void CFrameOverlay::LayOver(extImage& picture) const {
    if (!m_pUse || !picture.IsValid()) return;
    if (picture.GetBpp() != 24 && !picture.IncreaseBpp(24)) return;
    // CopyPixelWithTrans only reads its source; it merely takes a non-const pointer.
    picture.CopyPixelWithTrans(const_cast<extImage*>(m_pUse), CRect(0, 0, m_size.cx, m_size.cy));
}
