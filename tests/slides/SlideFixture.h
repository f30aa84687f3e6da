// Shared helpers of the slide strip tests: a main window and a parent that record messages, and
// solid test pictures.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/afx/afxwin.h"
#include "views/slides/SlideStrip.h"

namespace slidetest {

class RecordingWindow : public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        messages.emplace_back(message, wParam);
        return 0;
    }
    std::vector<UINT> Ids() const {
        std::vector<UINT> ids;
        for (const auto& m : messages) ids.push_back(m.first);
        return ids;
    }
    int Count(UINT id) const {
        int n = 0;
        for (const auto& m : messages) n += m.first == id ? 1 : 0;
        return n;
    }
    std::vector<std::pair<UINT, WPARAM>> messages;
};

inline RGBQUAD Rgb(BYTE r, BYTE g, BYTE b) {
    return RGBQUAD{b, g, r, 0};
}

inline extImage Solid(long w, long h, RGBQUAD c) {
    extImage p(w, h, 24);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) p.SetPixelColor(x, y, c);
    return p;
}

// Colours exactly representable in RGB565, one per test slide.
inline RGBQUAD SlideColour(int i) {
    static const RGBQUAD colours[] = {Rgb(255, 0, 0), Rgb(0, 255, 0),   Rgb(0, 0, 255),   Rgb(255, 255, 255),
                                      Rgb(0, 0, 0),   Rgb(255, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255)};
    return colours[i % 8];
}

// A point inside the picture area of box i, on screen with the strip's scroll position.
inline CPoint PictureAreaPoint(const CSlideStrip& strip, int i) {
    CRect box = strip.GetVisibleBoxRect(i);
    return CPoint(box.left + 20, box.top + 20);
}

class StripTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxSetMainWnd(&main);
        strip.SetParent(&parent);
    }
    void TearDown() override { AfxSetMainWnd(nullptr); }

    // Places `count` slides of w x h through clicks on the first empty box, with delays 100, 200, ...
    void Place(int count, long w = 8, long h = 6) {
        for (int i = 0; i < count; ++i) {
            const int slot = strip.GetValidCount();
            strip.OnLButtonDown(PictureAreaPoint(strip, slot));
            extImage picture = Solid(w, h, SlideColour(slot));
            strip.SetCropImage(&picture);
            strip.OnDelay(100 * (slot + 1));
        }
        main.messages.clear();
        parent.messages.clear();
    }
    // The slot pictures in order, to follow them through moves and deletions.
    std::vector<extImage*> Slots() {
        std::vector<extImage*> slots;
        for (int i = 0; i < CSlideStrip::kSlideCount; ++i)
            slots.push_back(strip.GetPtrEBA()->GetPtrFrameList()[i]->pImage);
        return slots;
    }

    RecordingWindow main;
    RecordingWindow parent;
    CSlideStrip strip;
};

}  // namespace slidetest
