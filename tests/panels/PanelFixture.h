// What the text box, symbol picker and effect panel tests share: one application, a canvas
// stand-in that joins the canvas core to the text box window the way the editor canvas does,
// and pictures with known pixels.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

#include "app/DlgEffect.h"
#include "platform/brelt/Brelt.h"
#include "imaging/extImage.h"
#include "platform/afx/afxwin.h"
#include "tests/pavix/PictureTestUtil.h"
#include "views/editor/ViewMainCore.h"
#include "views/editor/cbTextWnd.h"
#include "tests/support/WidgetApp.h"

namespace panelstest {

inline QApplication* App() {
    static QApplication* app = [] {
        QApplication* made = &testsupport::WidgetApp();
        // Pictures for a look by eye may use the real resources; the tests run on plain faces.
        if (const QByteArray rcc = qgetenv("VIMBRO_SHOTS_BRELT"); !rcc.isEmpty()) CBrelt::Load(QString::fromUtf8(rcc));
        return made;
    }();
    return app;
}

// With VIMBRO_SHOTS set, a widget is saved there as a picture to look at.
inline void Shot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("VIMBRO_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromUtf8(folder));
    widget->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

// Widgets need the application first; a member of this type made before them sees to it.
struct AppFirst {
    AppFirst() { App(); }
};

inline RGBQUAD Bgr(int b, int g, int r) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}
// Colour at picture coordinates (row 0 at the top).
inline RGBQUAD At(const CxImage& p, long col, long row) {
    return p.GetPixelColor(col, static_cast<long>(p.GetHeight()) - 1 - row, false);
}
inline bool Same(RGBQUAD a, RGBQUAD b) {
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed;
}
inline extImage Filled(int w, int h, RGBQUAD c) {
    extImage p(static_cast<DWORD>(w), static_cast<DWORD>(h), 24);
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) p.SetPixelColor(x, y, c);
    return p;
}

// Records the messages the main frame is sent.
class MainRecorder : public CMsgTarget {
public:
    struct Msg {
        UINT message;
        WPARAM wParam;
    };
    MainRecorder() { AfxSetMainWnd(this); }
    ~MainRecorder() override { AfxSetMainWnd(nullptr); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        sent.push_back({message, wParam});
        if (message == effect::WM_EFFECT_MODE && panel) panel->SetMode(static_cast<int>(wParam));
        return 0;
    }
    std::vector<Msg> sent;
    CDlgEffect* panel = nullptr;
};

// The canvas as the effect panel sees it: the core, the text box window over a host widget,
// message 3077, and a paint that makes the effect preview from the picture on screen.
class TestCanvas : public CEffectCanvas {
public:
    TestCanvas() : text(core.GetTextBox()) { host.resize(400, 300); }
    CViewMainCore* GetCore() override { return &core; }
    cbTextWnd* GetTextWnd() override { return &text; }
    void SetFont(const LOGFONTA& font) override {
        core.SetTextFontHeight(font.lfHeight);
        text.ApplyFont(font);
        ++fonts;
    }
    void CopyIntoClipboard(const CString* t) override {
        if (t) cbTextWnd::CopyIntoClipboard(*t);
    }
    void PasteFromClipboard() override { text.PasteFromClipboard(); }
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == effect::WM_EFFECT_BRIGHT)
            core.OnSetBrightContrast(static_cast<unsigned int>(wParam), static_cast<long>(lParam));
        return 0;
    }
    void RepaintNow() override {
        ++paints;
        // In effect mode the paint takes the part of the picture on screen as the preview; at
        // factor 1 with the picture inside the client area that is the whole picture.
        if (core.GetCurrentMode() == MODE_EFFECT && !core.GetEffectImage() && core.GetMainImage())
            core.SetEffectImage(new extImage(*core.GetMainImage()));
    }

    // Writes the picture as a BMP and loads it into the core at factor 1.
    void Load(const extImage& picture) {
        const std::string path = dir.File("picture" + std::to_string(++files) + ".bmp");
        extImage copy(picture);
        ASSERT_TRUE(copy.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
        core.SetClientSize(CSize(400, 300));
        int level = -1;
        ASSERT_EQ(core.Load(path, 0, level), 1);
    }

    AppFirst app;
    picturetest::TempDir dir;
    CViewMainCore core;
    QWidget host;
    cbTextWnd text;
    int paints = 0;
    int fonts = 0;
    int files = 0;
};

}  // namespace panelstest
