#include "views/slides/Slider.h"

#include <cstdio>

#include "common/Gandry.h"

void CSlider::SetRectTotal(const CRect& rect) {
    m_rcTotal = rect;
    const LONG left = rect.left, top = rect.top;
    m_rcPicture = CRect(left + 5, top + 13, left + 72, top + 63);
    m_rcDelayText = CRect(left + 5, top + 71, left + 61, top + 83);
    m_rcDelayButton = CRect(left + 62, top + 72, left + 72, top + 82);
}

void CSlider::SetData(extImage* image, int delay) {
    m_pImage = image;
    m_bFilled = image != nullptr;
    SetDelay(delay);
}

void CSlider::SetDelay(int delay) {
    if (delay > 0) m_nDelay = delay;
}

void CSlider::Clear() {
    m_pImage = nullptr;
    m_bFilled = false;
    m_pFrameImage = nullptr;
    m_nDelay = kDefaultDelay;
}

CRect CSlider::GetPictureDrawRect() const {
    if (!m_bFilled || !m_pImage || !m_pImage->IsValid()) return CRect();
    CSize area(m_rcPicture.right - m_rcPicture.left, m_rcPicture.bottom - m_rcPicture.top);
    CSize size(static_cast<LONG>(m_pImage->GetWidth()), static_cast<LONG>(m_pImage->GetHeight()));
    const CSize fit = CGandry::CalcDesired(area, size);
    const LONG left = m_rcPicture.left + (area.cx - fit.cx) / 2;
    const LONG top = m_rcPicture.top + (area.cy - fit.cy) / 2;
    return CRect(left, top, left + fit.cx, top + fit.cy);
}

std::string CSlider::FormatDelay(int delayMs) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f초", static_cast<double>(delayMs) / 1000.0);
    return text;
}
