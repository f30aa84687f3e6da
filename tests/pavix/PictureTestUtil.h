// Small helpers the picture tests share: making pictures with known pixels and comparing them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/pavix/ximage.h"

namespace picturetest {

// A 24-bit picture whose pixel at library (x, y) is a colour derived from x and y.
inline RGBQUAD PatternColour(long x, long y) {
    return RGBQUAD{static_cast<BYTE>(x * 7 + y), static_cast<BYTE>(y * 11 + 3), static_cast<BYTE>(x * 3 + y * 5), 0};
}

template <class Picture = CxImage>
inline void FillPattern(Picture& p) {
    for (long y = 0; y < static_cast<long>(p.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(p.GetWidth()); ++x) p.SetPixelColor(x, y, PatternColour(x, y));
}

// Pictures the codec tests share, kept out of `using namespace picturetest` because several tests
// have helpers of these names of their own.
namespace patterns {

// A 24-bit picture filled with PatternColour.
inline CxImage Pattern(DWORD w, DWORD h) {
    CxImage p(w, h, 24);
    FillPattern(p);
    return p;
}

// An indexed picture with a distinct palette and every index in use.
inline CxImage IndexedPattern(DWORD w, DWORD h, DWORD bpp) {
    CxImage p(w, h, bpp);
    DWORD n = p.GetNumColors();
    for (DWORD i = 0; i < n; ++i)
        p.SetPaletteColor(static_cast<BYTE>(i), static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i),
                          static_cast<BYTE>(i * 11));
    for (long y = 0; y < static_cast<long>(h); ++y)
        for (long x = 0; x < static_cast<long>(w); ++x) p.SetPixelIndex(x, y, static_cast<BYTE>((x * 3 + y * 5) % n));
    return p;
}

}  // namespace patterns

inline bool SameColour(RGBQUAD a, RGBQUAD b) {
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

// Every pixel's colour equal (alpha not compared).
inline ::testing::AssertionResult SamePixels(const CxImage& a, const CxImage& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return ::testing::AssertionFailure()
               << "sizes " << a.GetWidth() << "x" << a.GetHeight() << " and " << b.GetWidth() << "x" << b.GetHeight();
    for (long y = 0; y < static_cast<long>(a.GetHeight()); ++y)
        for (long x = 0; x < static_cast<long>(a.GetWidth()); ++x) {
            RGBQUAD p = a.GetPixelColor(x, y, false), q = b.GetPixelColor(x, y, false);
            if (!SameColour(p, q))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << "): " << int(p.rgbRed) << "," << int(p.rgbGreen) << ","
                       << int(p.rgbBlue) << " vs " << int(q.rgbRed) << "," << int(q.rgbGreen) << "," << int(q.rgbBlue);
        }
    return ::testing::AssertionSuccess();
}

// A fresh temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pavix-test-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        path_ = made ? made : pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::vector<BYTE> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::vector<BYTE>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline void Put16(std::vector<BYTE>& v, unsigned x) {
    v.push_back(static_cast<BYTE>(x));
    v.push_back(static_cast<BYTE>(x >> 8));
}
inline void Put32(std::vector<BYTE>& v, unsigned x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<BYTE>(x >> (8 * i)));
}

}  // namespace picturetest
