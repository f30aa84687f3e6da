// Shared set-up of the canvas core tests: pictures with known pixels, written as BMP files into a
// temporary folder and loaded the way the editor loads them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/extImage.h"
#include "tests/pavix/PictureTestUtil.h"
#include "views/editor/ViewMainCore.h"

namespace editortest {

inline RGBQUAD Bgr(int b, int g, int r) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
}

// Colour at picture coordinates (row 0 at the top).
inline RGBQUAD At(const CxImage& p, long col, long row) {
    return p.GetPixelColor(col, static_cast<long>(p.GetHeight()) - 1 - row, false);
}

inline void Put(CxImage& p, long col, long row, RGBQUAD c) {
    p.SetPixelColor(col, static_cast<long>(p.GetHeight()) - 1 - row, c);
}

inline ::testing::AssertionResult SameColour(RGBQUAD a, RGBQUAD b) {
    if (picturetest::SameColour(a, b)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "BGR " << int(a.rgbBlue) << "," << int(a.rgbGreen) << "," << int(a.rgbRed)
                                         << " vs " << int(b.rgbBlue) << "," << int(b.rgbGreen) << ","
                                         << int(b.rgbRed);
}

// The pixel rows of a picture, for exact comparisons of whole states.
inline std::vector<BYTE> Bytes(const CxImage& p) {
    const BYTE* bits = p.GetBits(0);
    return bits ? std::vector<BYTE>(bits, bits + p.GetImageSize()) : std::vector<BYTE>();
}

class CoreTest : public ::testing::Test {
protected:
    // A 24-bit picture whose pixel at picture (x, y) is blue x, green y, red (x + y) mod 256.
    static extImage Gradient(int w, int h) {
        extImage p(static_cast<DWORD>(w), static_cast<DWORD>(h), 24);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Put(p, x, y, Bgr(x & 255, y & 255, (x + y) & 255));
        return p;
    }

    // Writes the picture as a BMP and loads it into the core without fitting; returns the copy
    // that was written, for comparisons.
    extImage LoadPicture(const extImage& picture, CSize client, int fit = 0) {
        std::string path = dir_.File("picture" + std::to_string(++files_) + ".bmp");
        extImage copy(picture);
        EXPECT_TRUE(copy.Save(path.c_str(), CXIMAGE_FORMAT_BMP));
        core_.SetClientSize(client);
        int level = -1;
        EXPECT_EQ(core_.Load(path, fit, level), 1);
        lastLevel_ = level;
        return copy;
    }

    extImage LoadGradient(int w, int h, CSize client, int fit = 0) { return LoadPicture(Gradient(w, h), client, fit); }

    CanvasNotice Drag(CPoint from, CPoint to, bool shift = false) {
        core_.OnLButtonDown(from, shift);
        core_.OnMouseMove(to, shift);
        return core_.OnLButtonUp(to, shift);
    }

    picturetest::TempDir dir_;
    CViewMainCore core_;
    int files_ = 0;
    int lastLevel_ = -1;
};

}  // namespace editortest
