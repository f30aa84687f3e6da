// The canvas operations that change pixels, and the undo stack that steps back through them.
// Each step is a full copy of the picture; undo and redo swap pointers, never copy.
#include <utility>

#include "imaging/extImage.h"
#include "views/editor/ViewMainCore.h"

// --- undo stack -------------------------------------------------------------------------------

void CViewMainCore::Release_Undo() {
    for (UndoSlot& slot : m_undo) {
        delete slot.image;
        slot = UndoSlot();
    }
    m_nUndoLevel = 0;
}

void CViewMainCore::SubmitUndo(int x, int y) {
    if (!m_pImage) return;
    if (m_nUndoLevel == kUndoSlots) {
        // Full: the oldest step is dropped.
        delete m_undo[0].image;
        for (int i = 1; i < kUndoSlots; ++i) m_undo[i - 1] = m_undo[i];
        m_undo[kUndoSlots - 1] = UndoSlot();
        m_nUndoLevel = kUndoSlots - 1;
    }
    // A new step ends every redo.
    for (int i = m_nUndoLevel; i < kUndoSlots; ++i) {
        delete m_undo[i].image;
        m_undo[i] = UndoSlot();
    }
    m_undo[m_nUndoLevel].image = new extImage(*m_pImage, true, true, true);
    m_undo[m_nUndoLevel].pos = CPoint(x, y);
    ++m_nUndoLevel;
}

int CViewMainCore::CanRedo() const {
    return m_nUndoLevel < kUndoSlots && m_undo[m_nUndoLevel].image != nullptr ? 1 : 0;
}

extImage* CViewMainCore::GetUndoImage(int slot) const {
    return slot >= 0 && slot < kUndoSlots ? m_undo[slot].image : nullptr;
}

CPoint CViewMainCore::GetUndoPosition(int slot) const {
    return slot >= 0 && slot < kUndoSlots ? m_undo[slot].pos : CPoint();
}

namespace {

// The slot and the canvas trade places: picture for picture, and the text box position when the
// step carries one, so the same slot serves the way back.
void SwapStep(extImage*& picture, cbText& text, extImage*& slotImage, CPoint& slotPos) {
    std::swap(picture, slotImage);
    if (!(slotPos == CPoint())) {
        CPoint previous = text.GetLeftTop();
        text.SetLeftTop(slotPos);
        slotPos = previous;
    }
}

}  // namespace

void CViewMainCore::Undo() {
    if (!CanUndo()) return;
    --m_nUndoLevel;
    UndoSlot& slot = m_undo[m_nUndoLevel];
    SwapStep(m_pImage, m_text, slot.image, slot.pos);
    AfterGeometryChange();
}

void CViewMainCore::Redo() {
    if (!CanRedo()) return;
    UndoSlot& slot = m_undo[m_nUndoLevel];
    SwapStep(m_pImage, m_text, slot.image, slot.pos);
    ++m_nUndoLevel;
    AfterGeometryChange();
}

// --- operations -------------------------------------------------------------------------------

template <class Fn>
void CViewMainCore::Apply(Fn fn) {
    if (!m_pImage) return;
    SubmitUndo(0, 0);
    fn(*m_pImage);
    RefreshCopies();
    Changed();
}

// Applies to the picture (recording a step) or previews from the preview source into the preview
// destination (recording nothing). fn(source, destination) with destination null works in place.
template <class Fn>
void CViewMainCore::ApplyOrPreview(int apply, Fn fn) {
    if (apply) {
        Apply([&](extImage& picture) { fn(picture, nullptr); });
        return;
    }
    if (!m_pEffectSrc || !m_pEffectSrc->IsValid()) return;
    if (!m_pEffectDst) m_pEffectDst = new extImage();
    fn(*m_pEffectSrc, m_pEffectDst);
    Changed();
}

void CViewMainCore::LeftRotate() {
    if (!m_pImage) return;
    Apply([](extImage& p) { p.RotateLeft(); });
    SetScroll();
    SetOrigin();
}

void CViewMainCore::RightRotate() {
    if (!m_pImage) return;
    Apply([](extImage& p) { p.RotateRight(); });
    SetScroll();
    SetOrigin();
}

void CViewMainCore::Mirror() {
    if (!m_pImage) return;
    Apply([](extImage& p) { p.Mirror(); });
    SetScroll();
    SetOrigin();
}

void CViewMainCore::Flip() {
    if (!m_pImage) return;
    Apply([](extImage& p) { p.Flip(); });
    SetScroll();
    SetOrigin();
}

void CViewMainCore::ProcessSepia() {
    Apply([](extImage& p) {
        p.GrayScale24();
        p.Concentration(CHANNEL_RED, 50);
        p.Concentration(CHANNEL_BLUE, -50);
    });
}

void CViewMainCore::ProcessGreen() {
    Apply([](extImage& p) {
        p.GrayScale24();
        p.Concentration(CHANNEL_GREEN, 50);
    });
}

void CViewMainCore::ProcessBlue() {
    Apply([](extImage& p) {
        p.GrayScale24();
        p.Concentration(CHANNEL_BLUE, 50);
    });
}

void CViewMainCore::ProcessGray() {
    Apply([](extImage& p) { p.GrayScale24(); });
}

void CViewMainCore::ProcessThresold() { ProcessThresold(128, 1); }
void CViewMainCore::ProcessPixelate() { ProcessPixelate(5, 1); }
void CViewMainCore::ProcessJitter() { ProcessJitter(2, 1); }
void CViewMainCore::ProcessContour() { ProcessContour(3, 1); }
void CViewMainCore::ProcessDilate() { ProcessDilate(2, 1); }
void CViewMainCore::ProcessErode() { ProcessErode(2, 1); }
void CViewMainCore::ProcessNoise() { ProcessNoise(50, 1); }

void CViewMainCore::ConvolveEffect(const long* kernel, long factor, long offset) {
    Apply([&](extImage& p) { p.Filter(kernel, 3, factor, offset); });
}

void CViewMainCore::ProcessBlur() {
    static constexpr long kernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    ConvolveEffect(kernel, 9, 0);
}

void CViewMainCore::ProcessSharpen() {
    static constexpr long kernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
    ConvolveEffect(kernel, 7, 0);
}

void CViewMainCore::ProcessEdge() {
    static constexpr long kernel[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
    ConvolveEffect(kernel, -1, 255);
}

void CViewMainCore::ProcessEmboss() {
    static constexpr long kernel[9] = {0, 0, -1, 0, 0, 0, 1, 0, 0};
    ConvolveEffect(kernel, 0, 127);
}

void CViewMainCore::ProcessMedian() {
    Apply([](extImage& p) { p.Median(3); });
}

void CViewMainCore::ProcessThresold(int level, int apply) {
    ApplyOrPreview(apply, [level](extImage& src, extImage* dst) {
        if (!dst) {
            src.GrayScale24();
            src.Thresold24(level);
            return;
        }
        // The preview greys a copy, so the source stays as it was.
        *dst = src;
        dst->GrayScale24();
        dst->Thresold24(level);
    });
}

void CViewMainCore::ProcessPixelate(int size, int apply) {
    ApplyOrPreview(apply, [size](extImage& src, extImage* dst) { src.Pixelate(size, false, dst); });
}

void CViewMainCore::ProcessJitter(int radius, int apply) {
    ApplyOrPreview(apply, [radius](extImage& src, extImage* dst) { src.Jitter(radius, dst); });
}

void CViewMainCore::ProcessContour(int size, int apply) {
    ApplyOrPreview(apply, [size](extImage& src, extImage* dst) { src.Contour(size, dst); });
}

void CViewMainCore::ProcessDilate(int size, int apply) {
    ApplyOrPreview(apply, [size](extImage& src, extImage* dst) { src.Dilate(size, dst); });
}

void CViewMainCore::ProcessErode(int size, int apply) {
    ApplyOrPreview(apply, [size](extImage& src, extImage* dst) { src.Erode(size, dst); });
}

void CViewMainCore::ProcessNoise(int level, int apply) {
    ApplyOrPreview(apply, [level](extImage& src, extImage* dst) {
        if (!dst) {
            src.CxImage::Noise(level);
            return;
        }
        // The destination form writes into a picture of the source's size.
        *dst = src;
        src.Noise(level, dst);
    });
}

void CViewMainCore::ProcessFilter(int index) {
    switch (index) {
    case 0: ProcessSepia(); break;
    case 1: ProcessGreen(); break;
    case 2: ProcessBlue(); break;
    case 3: ProcessGray(); break;
    case 4: ProcessThresold(); break;
    case 5: ProcessPixelate(); break;
    case 6: ProcessBlur(); break;
    case 7: ProcessSharpen(); break;
    case 8: ProcessJitter(); break;
    default: break;
    }
}

void CViewMainCore::OnSetBrightContrast(unsigned int brightness, long contrast) {
    // The first parameter carries a signed value.
    const long b = static_cast<int>(brightness);
    Apply([b, contrast](extImage& p) { p.CxImage::Light(b, contrast); });
}

void CViewMainCore::ApplyRedeye() {
    if (!m_pImage) return;
    SubmitUndo(0, 0);
    CRect area;
    area.IntersectRect(m_rcSel.GetRect(), CRect(0, 0, GetWidth(), GetHeight()));
    m_pImage->RedEyeRemove(area);
    Changed();
}
