#include "app/WorkLayout.h"

#include <algorithm>
#include <cstdio>

namespace {

CRect At(int x, int y, CSize size) {
    return CRect(CPoint(x, y), size);
}

// The zoom statics and the slider, right to left from the right edge of zoomIn.
void ZoomGroup(int zoomInRight, int height, const CWorkLayout::RowSizes& s, CRect& zoomOut, CRect& slider,
               CRect& zoomIn) {
    zoomIn = At(zoomInRight - s.zoomIn.cx, CWorkLayout::RowTop(height, s.zoomIn.cy), s.zoomIn);
    slider = At(zoomIn.left - CWorkLayout::kRowGap - s.slider.cx, CWorkLayout::RowTop(height, s.slider.cy), s.slider);
    zoomOut =
        At(slider.left - CWorkLayout::kRowGap - s.zoomOut.cx, CWorkLayout::RowTop(height, s.zoomOut.cy), s.zoomOut);
}

// Position and information texts: a third and two thirds of the room between the canvas
// column (x 97) and the zoom group, 20 pixels high.
void TextBoxes(int height, const CRect& zoomOut, CRect& position, CRect& information) {
    constexpr int kLeft = 97;
    const int t = std::max(LONG{0}, (zoomOut.left - 20 - kLeft) / 3);
    position = CRect(kLeft, height - 35, kLeft + t, height - 15);
    information = CRect(position.right + 5, height - 35, position.right + 5 + 2 * t, height - 15);
}

}  // namespace

CWorkLayout::Composer CWorkLayout::ComposerLayout(int width, int height, const RowSizes& s) {
    Composer l;
    l.browser = CRect(10, 0, width - 10, height - kBottomRow);
    l.logo = At(20, RowTop(height, s.logo.cy), s.logo);
    ZoomGroup(width - 10, height, s, l.zoomOut, l.slider, l.zoomIn);
    // The item texts sit between the logo and the zoom group; the box is 5 pixels outside them.
    const int left = l.logo.right + 20;
    const int right = std::max<LONG>(left, l.zoomOut.left - 20);
    l.info = CRect(left - 5, height - 40, right + 5, height - 10);
    return l;
}

CWorkLayout::Editor CWorkLayout::EditorLayout(int width, int height, const RowSizes& s) {
    Editor l;
    const int top = height - kBottomRow;
    l.filter = CRect(10, 0, 92, top);
    l.effect = CRect(width - 138, 0, width - 10, top);
    l.canvas = CRect(97, 0, width - 143, top);
    l.save = At(width - 118, RowTop(height, s.save.cy), s.save);
    l.print = At(l.save.right, RowTop(height, s.print.cy), s.print);
    l.next = At(width - s.next.cx - 143, RowTop(height, s.next.cy), s.next);
    l.previous = At(l.next.left - s.previous.cx, RowTop(height, s.previous.cy), s.previous);
    ZoomGroup(l.previous.left - 10, height, s, l.zoomOut, l.slider, l.zoomIn);
    TextBoxes(height, l.zoomOut, l.position, l.information);
    return l;
}

CWorkLayout::Decorate CWorkLayout::DecorateLayout(int width, int height, const RowSizes& s) {
    Decorate l;
    const int top = height - kBottomRow;
    l.frame = CRect(10, 0, 92, top);
    l.pictures = CRect(97, 0, 211, top);
    l.slides = CRect(216, 0, width - 201, top);
    l.preview = CRect(width - 196, 0, width - 10, top);
    l.save = At(width - 181, RowTop(height, s.save.cy), s.save);
    l.print = At(l.save.right, RowTop(height, s.print.cy), s.print);
    ZoomGroup(l.save.left - 10, height, s, l.zoomOut, l.slider, l.zoomIn);
    TextBoxes(height, l.zoomOut, l.position, l.information);
    return l;
}

CWorkLayout::SlideHost CWorkLayout::SlideHostLayout(int width, int height, int totalWidth) {
    SlideHost l;
    l.slides = CRect(10, 15, width - 10, 125);
    l.scroller = CRect(10, 128, width - 10, 139);
    l.canvas = CRect(10, 154, width - 10, height - 5);
    l.scrollMax = std::max(0, totalWidth - width + 20);
    return l;
}

bool CPositionText::Set(int current, int count) {
    if (current == m_nCurrent && count == m_nCount) return false;
    m_nCurrent = current;
    m_nCount = count;
    char text[64];
    std::snprintf(text, sizeof text, "사진 %d/%d장", current, count);
    m_strText = text;
    return true;
}

CZoomTracker::Step CZoomTracker::Move(int position) {
    Step step = Step::None;
    if (position < m_nZoom)
        step = Step::Out;
    else if (position > m_nZoom)
        step = Step::In;
    m_nZoom = position;
    return step;
}

bool CEditorControlState::ToolMode(int mode) {
    if (mode >= kModeCrop && mode <= kModeText) {
        // Remember the browsing buttons only when leaving normal mode: going from crop straight
        // to LCD fitting would otherwise remember them disabled and lose them for good.
        if (!m_bTool) {
            m_bRememberedPrevious = previousEnabled;
            m_bRememberedNext = nextEnabled;
        }
        m_bTool = true;
        filterEnabled = false;
        previousEnabled = nextEnabled = false;
        saveEnabled = printEnabled = false;
        return true;
    }
    if (mode == kModeNormal) {
        if (m_bTool) {
            previousEnabled = m_bRememberedPrevious;
            nextEnabled = m_bRememberedNext;
        }
        m_bTool = false;
        filterEnabled = true;
        saveEnabled = printEnabled = true;
        return true;
    }
    return false;
}

bool CEditorControlState::StillPicture(bool on) {
    const bool apply = !(m_bStill && on);
    m_bStill = on;
    return apply;
}
