// CSlider: one box of the slide strip, without a window.
//
// A box points at the picture of its slot (the slide store owns it) and at the frame overlay (the
// composer keeps it alive); it knows where its picture, delay text and delay button lie, and what
// text the delay shows. The strip widget paints from these; the logic never needs a display.
#pragma once

#include <string>

#include "imaging/extImage.h"
#include "platform/win/windef.h"

class CSlider {
public:
    // One half (normal or selected look) of the box bitmap 7358.
    static constexpr LONG kDefaultBmpWidth = 78;
    static constexpr LONG kDefaultBmpHeight = 92;
    static constexpr int kDefaultDelay = 100;

    CSlider() = default;

    // The size of one half of the box bitmap; the box rectangles are laid out from it.
    void SetSlideBmpSize(CSize size) { m_sizeBmp = size; }
    CSize GetSlideBmpSize() const { return m_sizeBmp; }

    // The whole box; the picture area, the delay text area and the delay button follow from it.
    void SetRectTotal(const CRect& rect);
    CRect GetRectTotal() const { return m_rcTotal; }
    CRect GetRectPicture() const { return m_rcPicture; }
    CRect GetRectDelayText() const { return m_rcDelayText; }
    CRect GetRectDelayButton() const { return m_rcDelayButton; }

    // Stores the picture (filled) or clears it (null: not filled); the delay is taken only when
    // positive.
    void SetData(extImage* image, int delay);
    // Values of 0 or below are ignored.
    void SetDelay(int delay);
    int GetDelay() const { return m_nDelay; }
    extImage* GetImage() const { return m_pImage; }
    bool IsFilled() const { return m_bFilled; }

    void SetSelect(int select) { m_bSelected = select != 0; }
    bool IsSelected() const { return m_bSelected; }

    void SetPtrFrameImage(extImage* frame) { m_pFrameImage = frame; }
    extImage* GetPtrFrameImage() const { return m_pFrameImage; }

    // Empties the box: no picture, no overlay, delay 100 (the selection stays).
    void Clear();

    // Where the picture (and the overlay over it) is drawn: scaled to fit the picture area keeping
    // its aspect, centred in it. Empty when the box holds no picture.
    CRect GetPictureDrawRect() const;
    // The delay as drawn under the picture: seconds with one decimal and "초".
    std::string GetDelayText() const { return FormatDelay(m_nDelay); }
    static std::string FormatDelay(int delayMs);

private:
    CSize m_sizeBmp{kDefaultBmpWidth, kDefaultBmpHeight};
    CRect m_rcTotal;
    CRect m_rcPicture;
    CRect m_rcDelayText;
    CRect m_rcDelayButton;
    bool m_bSelected = false;
    bool m_bFilled = false;
    extImage* m_pImage = nullptr;       // the slot's picture, not owned
    int m_nDelay = kDefaultDelay;       // milliseconds
    extImage* m_pFrameImage = nullptr;  // not owned
};
