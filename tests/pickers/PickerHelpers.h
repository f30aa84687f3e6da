// What the picture-list tests share: one application, a main window that records the messages
// it gets, pictures with known pixels and a comparison of pixels.
#pragma once

#include <QApplication>

#include <vector>

#include "imaging/extImage.h"
#include "platform/afx/afxwin.h"
#include "tests/support/WidgetApp.h"

namespace pickertest {

inline QApplication* App() { return &testsupport::WidgetApp(); }

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message&) const = default;
};

// Stands in for the main window (or a parent panel) while alive.
class Recorder : public CMsgTarget {
public:
    explicit Recorder(bool asMainWindow = true) : m_main(asMainWindow) {
        if (m_main) {
            m_previous = AfxGetMainWnd();
            AfxSetMainWnd(this);
        }
    }
    ~Recorder() override {
        if (m_main) AfxSetMainWnd(m_previous);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back({message, wParam, lParam});
        return 0;
    }
    std::vector<Message> messages;

private:
    bool m_main;
    CMsgTarget* m_previous = nullptr;
};

// A 24-bit picture whose every pixel differs from its neighbours.
inline extImage Pattern(int width, int height, int seed = 0) {
    extImage picture(static_cast<DWORD>(width), static_cast<DWORD>(height), 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const BYTE r = static_cast<BYTE>((x * 37 + y * 11 + seed) & 0xFF);
            const BYTE g = static_cast<BYTE>((x * 5 + y * 59 + seed * 3) & 0xFF);
            const BYTE b = static_cast<BYTE>((x * y * 7 + 90 + seed) & 0xFF);
            picture.SetPixelColor(x, y, RGBQUAD{b, g, r, 0});
        }
    }
    return picture;
}

// The pixel rows as bytes, without the row padding.
inline std::vector<BYTE> Pixels(const extImage& picture) {
    std::vector<BYTE> out;
    for (DWORD y = 0; y < picture.GetHeight(); ++y) {
        const BYTE* row = picture.GetBits(y);
        out.insert(out.end(), row, row + picture.GetWidth() * 3);
    }
    return out;
}

}  // namespace pickertest
