// CWorkLayout: where the work views, their host windows and the progress window put their
// children. Window-less, so the arithmetic is testable without a display; the widgets only
// move their children to the rectangles computed here.
#pragma once

#include <string>

#include "platform/win/windef.h"

class CWorkLayout {
public:
    static constexpr int kBottomRow = 50;  // height of every work view's bottom row
    static constexpr int kRowGap = 5;      // between the zoom statics and the slider

    // Sizes of the bottom-row controls as their bitmaps give them.
    struct RowSizes {
        CSize logo;      // static 7087
        CSize zoomOut;   // static 7008
        CSize zoomIn;    // static 7009
        CSize slider;    // zoom slider 7010
        CSize previous;  // 7055 (editor only)
        CSize next;      // 7056 (editor only)
        CSize save;      // 7059 / 7200
        CSize print;     // 7081 / 7203
    };

    struct Composer {
        CRect browser;  // host CViewWrapper
        CRect logo, zoomOut, slider, zoomIn;
        CRect info;  // the white box around the four item texts
    };

    // The editor and decoration rows have no mark: the position text stands at its place.
    struct Editor {
        CRect filter, effect, canvas;
        CRect zoomOut, slider, zoomIn;
        CRect previous, next, save, print;
        CRect position, information;
    };

    struct Decorate {
        CRect frame, pictures, slides, preview;
        CRect zoomOut, slider, zoomIn;
        CRect save, print;
        CRect position, information;
    };

    struct SlideHost {
        CRect slides, scroller, canvas;
        int scrollMax = 0;  // the scroller runs 0..scrollMax
    };

    static Composer ComposerLayout(int width, int height, const RowSizes& sizes);
    static Editor EditorLayout(int width, int height, const RowSizes& sizes);
    static Decorate DecorateLayout(int width, int height, const RowSizes& sizes);
    // totalWidth: the width of all slides side by side.
    static SlideHost SlideHostLayout(int width, int height, int totalWidth);

    // Top of a control of height h centred in the bottom row of a view of height `height`.
    static int RowTop(int height, int h) { return height - kBottomRow + (kBottomRow - h) / 2; }

    // The progress window: status text 7075 and progress bar 7074.
    static constexpr CRect kInitText{20, 185, 220, 200};
    static constexpr CRect kInitProgress{20, 205, 320, 225};
};

// The position text "사진 %d/%d장" of the editor and decoration views, formatted again only
// when one of its numbers changed.
class CPositionText {
public:
    // True when the text changed.
    bool Set(int current, int count);
    const std::string& Text() const { return m_strText; }
    int Current() const { return m_nCurrent; }
    int Count() const { return m_nCount; }

private:
    int m_nCurrent = -1;
    int m_nCount = -1;
    std::string m_strText;
};

// The stored zoom of the editor and decoration sliders: a new slider position zooms the canvas
// out when it is below the stored value and in when it is above.
class CZoomTracker {
public:
    static constexpr int kInitial = 15;
    enum class Step { None, Out, In };

    Step Move(int position);
    // Sets the value without zooming (the frame sets the slider after loading a picture).
    void Reset(int position) { m_nZoom = position; }
    int Value() const { return m_nZoom; }

private:
    int m_nZoom = kInitial;
};

// The editor view's enabled states while the canvas changes tool mode (crop, LCD fitting,
// text) and back to normal, and its still-picture switch.
class CEditorControlState {
public:
    static constexpr int kModeCrop = 0;
    static constexpr int kModeText = 2;
    static constexpr int kModeNormal = 5;

    bool filterEnabled = true;
    bool previousEnabled = false;
    bool nextEnabled = false;
    bool saveEnabled = true;
    bool printEnabled = true;

    // The canvas entered tool mode m; true when the states changed.
    bool ToolMode(int mode);
    // The frame enables the browsing buttons; during a tool mode this is what they get back.
    void EnablePrevious(bool on) { (m_bTool ? m_bRememberedPrevious : previousEnabled) = on; }
    void EnableNext(bool on) { (m_bTool ? m_bRememberedNext : nextEnabled) = on; }
    // True when the still-picture controls must take the new state: not when both the old and
    // the new state are on.
    bool StillPicture(bool on);
    bool StillPictureOn() const { return m_bStill; }
    bool InToolMode() const { return m_bTool; }

private:
    bool m_bTool = false;
    bool m_bRememberedPrevious = false;
    bool m_bRememberedNext = false;
    bool m_bStill = true;
};
