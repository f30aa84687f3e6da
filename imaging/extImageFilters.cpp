// extImage colour effects and neighbourhood filters.
#include <algorithm>
#include <vector>

#include "imaging/extImage.h"

namespace {

inline BYTE Clamp255(long v) {
    return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Scales one channel by f and truncates, as bright() and get_transcolor_fromnum() do.
inline BYTE Scale(BYTE v, double f) {
    double x = v * f;
    if (x <= 0) return 0;
    if (x >= 255) return 255;
    return static_cast<BYTE>(x);
}

// A draw turned into an offset in [-amplitude/2, amplitude/2), truncated toward zero.
inline long Spread(double amplitude) {
    float fraction = static_cast<float>(pavix::RandomDraw()) * pavix::kRandomScale;
    return static_cast<long>((fraction - 0.5) * amplitude);
}

}  // namespace

bool extImage::bright(int percent) {
    if (!IsValid()) return false;
    const double f = percent * 0.01;
    if (IsIndexed()) {
        RGBQUAD* pal = GetPalette();
        for (DWORD i = 0; i < GetNumColors(); ++i) {
            pal[i].rgbRed = Scale(pal[i].rgbRed, f);
            pal[i].rgbGreen = Scale(pal[i].rgbGreen, f);
            pal[i].rgbBlue = Scale(pal[i].rgbBlue, f);
        }
        return true;
    }
    ForEachSelectedPixel([f](BYTE* p, long, long) {
        p[2] = Scale(p[2], f);
        p[1] = Scale(p[1], f);
        p[0] = Scale(p[0], f);
    });
    return true;
}

void extImage::get_transcolor_fromnum(RGBQUAD& colour, int percent) {
    const double f = percent * 0.01;
    colour.rgbRed = Scale(colour.rgbRed, f);
    colour.rgbGreen = Scale(colour.rgbGreen, f);
    colour.rgbBlue = Scale(colour.rgbBlue, f);
}

bool extImage::Light(long brightness, long contrast, extImage* source) {
    if (!source) source = this;
    // Contrast is scaled by the single-precision 0.01, which sits a little below the exact
    // hundredth; the products are kept in double so that shortfall survives into the table.
    const double c = (static_cast<double>(contrast) + 100.0) * static_cast<double>(0.01f);
    const double b = static_cast<double>(brightness) + 128.0;
    BYTE table[256];
    for (int i = -128; i < 128; ++i) table[i + 128] = Clamp255(static_cast<long>(std::clamp(i * c + b, -1.0, 256.0)));
    if (!IsValid() || IsIndexed() || !source->IsValid()) return true;
    // Byte for byte, padding included; a source of another size is read only as far as both go.
    const size_t bytes = std::min<size_t>(GetImageSize(), source->GetImageSize());
    const BYTE* src = source->GetBits();
    BYTE* dst = GetBits();
    for (size_t k = 0; k < bytes; ++k) dst[k] = table[src[k]];
    return true;
}

void extImage::GrayScale24() {
    if (GetBpp() != 24) return;
    const long W = GetWidth(), H = GetHeight();
    for (long y = 0; y < H; ++y) {
        BYTE* p = GetBits(y);
        for (long x = 0; x < W; ++x, p += 3) {
            BYTE g = static_cast<BYTE>((117 * p[0] + 601 * p[1] + 306 * p[2]) >> 10);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void extImage::Thresold24(int level) {
    Thresold24(level, this);
}

void extImage::Thresold24(int level, extImage* dst) {
    if (GetBpp() != 24 || !dst) return;
    const long W = GetWidth(), H = GetHeight();
    if (dst != this && (dst->GetBpp() != 24 || dst->GetWidth() != GetWidth() || dst->GetHeight() != GetHeight())) {
        dst->Copy(*this, false, false, false);
        if (!dst->IsValid()) return;
    }
    for (long y = 0; y < H; ++y) {
        const BYTE* s = GetBits(y);
        BYTE* d = dst->GetBits(y);
        for (long x = 0; x < W; ++x, s += 3, d += 3) {
            BYTE v = s[0] > level ? 255 : 0;
            d[0] = d[1] = d[2] = v;
        }
    }
}

void extImage::Concentration(CHANNEL channel, int amount) {
    if (GetBpp() != 24 || channel < CHANNEL_BLUE || channel > CHANNEL_RED) return;
    BYTE table[256];
    for (int i = 0; i < 256; ++i) table[i] = Clamp255(static_cast<long>(i) + amount);
    const long W = GetWidth(), H = GetHeight();
    for (long y = 0; y < H; ++y) {
        BYTE* p = GetBits(y) + channel;
        for (long x = 0; x < W; ++x, p += 3) *p = table[*p];
    }
}

void extImage::RedEyeRemove(CRect rect) {
    if (!IsValid() || rect.top >= rect.bottom) return;
    const long W = GetWidth(), H = GetHeight();
    // Pixels outside the picture could not change anyway; the loops skip them.
    const long top = std::max<long>(rect.top, 0), bottom = std::min<long>(rect.bottom, H);
    const long left = std::max<long>(rect.left, 0), right = std::min<long>(rect.right, W);
    for (long row = top; row < bottom; ++row) {
        long y = H - 1 - row;
        for (long x = left; x < right; ++x) {
            RGBQUAD c = GetPixelColor(x, y);
            if (c.rgbRed <= 50) continue;
            float s = static_cast<float>(c.rgbRed + c.rgbGreen + c.rgbBlue);
            if (c.rgbRed / s > 0.4 && c.rgbGreen / s < 0.31 && c.rgbBlue / s < 0.36) {
                c.rgbRed = std::min(c.rgbGreen, c.rgbBlue);
                SetPixelColor(x, y, c);
            }
        }
    }
}

bool extImage::Jitter(long radius, extImage* dst) {
    if (!IsValid()) return false;
    extImage tmp(*this, SelectionIsValid(), true, true);
    if (!tmp.IsValid()) return false;
    long xmin, xmax, ymin, ymax;
    GetFilterArea(xmin, xmax, ymin, ymax);
    const bool indexed = IsIndexed();
    const double amplitude = 2.0 * radius;
    for (long y = ymin; y < ymax; ++y) {
        for (long x = xmin; x < xmax; ++x) {
            long nx = x + Spread(amplitude);
            long ny = y + Spread(amplitude);
            if (!IsInside(nx, ny)) {
                nx = x;
                ny = y;
            }
            if (indexed)
                tmp.SetPixelIndex(x, y, GetPixelIndex(nx, ny));
            else
                tmp.SetPixelColor(x, y, GetPixelColor(nx, ny));
        }
    }
    Deliver(tmp, dst);
    return true;
}

void extImage::Pixelate(int size, bool grid, extImage* dst) {
    if (!IsValid() || size <= 0) return;
    const long W = GetWidth(), H = GetHeight();
    // Every pixel takes the first pixel of its block; the offsets depend on the column alone and on
    // the row alone, so one table per axis holds them.
    auto offsets = [size, grid](long extent) {
        std::vector<long> d(extent);
        for (long i = 0; i < extent; ++i) {
            long m = i % size;
            if (grid && m == 0)
                d[i] = -i;
            else if (i + size - m < extent)
                d[i] = -m;
            else
                d[i] = 0;
        }
        return d;
    };
    const std::vector<long> dx = offsets(W), dy = offsets(H);
    extImage tmp;
    tmp.CopyInfo(*this);
    if (!tmp.Create(W, H, 24, GetType())) return;
    const bool direct = GetBpp() == 24;
    for (long y = 0; y < H; ++y) {
        long sy = y + dy[y];
        BYTE* out = tmp.GetBits(y);
        const BYTE* in = GetBits(sy);
        for (long x = 0; x < W; ++x) {
            long sx = x + dx[x];
            if (direct) {
                out[3 * x] = in[3 * sx];
                out[3 * x + 1] = in[3 * sx + 1];
                out[3 * x + 2] = in[3 * sx + 2];
            } else {
                tmp.SetPixelColor(x, y, GetPixelColor(sx, sy));
            }
        }
    }
    Deliver(tmp, dst);
}

namespace {
enum Window { kContour = 0, kDilate = 1, kErode = 2 };
}  // namespace

namespace {

// One window step for one channel; Contour keeps the neighbour's value when its difference to the
// centre beats what is kept so far (a value, not a difference).
template <int Kind>
inline void Take(int& kept, int neighbour, int centre) {
    if constexpr (Kind == kContour) {
        if (neighbour - centre > kept) kept = neighbour;
    } else if constexpr (Kind == kDilate) {
        kept = std::max(kept, neighbour);
    } else {
        kept = std::min(kept, neighbour);
    }
}

template <int Kind>
void WindowPass(const extImage& src, extImage& tmp, long half, long end, long xmin, long xmax, long ymin, long ymax) {
    const long W = src.GetWidth(), H = src.GetHeight();
    const bool direct = src.GetBpp() == 24;
    const long stride = static_cast<long>(src.GetEffWidth());
    const int start = Kind == kErode ? 255 : 0;
    for (long y = ymin; y < ymax; ++y) {
        const bool rowInside = direct && y - half >= 0 && y + end - 1 < H;
        const BYTE* srcRow = src.GetBits(y);
        BYTE* dstRow = direct ? tmp.GetBits(y) : nullptr;
        for (long x = xmin; x < xmax; ++x) {
            int r = start, g = start, b = start;
            if (rowInside && x - half >= 0 && x + end - 1 < W) {
                // The window lies inside a true-colour picture: read the rows directly.
                const BYTE* centre = srcRow + 3 * x;
                const int pb = centre[0], pg = centre[1], pr = centre[2];
                for (long j = -half; j < end; ++j)
                    for (long k = -half; k < end; ++k) {
                        const BYTE* q = centre + k * stride + 3 * j;
                        Take<Kind>(r, q[2], pr);
                        Take<Kind>(g, q[1], pg);
                        Take<Kind>(b, q[0], pb);
                    }
                if constexpr (Kind == kContour) {
                    r = 255 - r;
                    g = 255 - g;
                    b = 255 - b;
                }
                BYTE* d = dstRow + 3 * x;
                d[0] = static_cast<BYTE>(b);
                d[1] = static_cast<BYTE>(g);
                d[2] = static_cast<BYTE>(r);
                continue;
            }
            // Elsewhere the library answers, for neighbours outside the picture too.
            RGBQUAD p = src.GetPixelColor(x, y);
            for (long j = -half; j < end; ++j)
                for (long k = -half; k < end; ++k) {
                    RGBQUAD n = src.GetPixelColor(x + j, y + k);
                    Take<Kind>(r, n.rgbRed, p.rgbRed);
                    Take<Kind>(g, n.rgbGreen, p.rgbGreen);
                    Take<Kind>(b, n.rgbBlue, p.rgbBlue);
                }
            if constexpr (Kind == kContour) {
                r = 255 - r;
                g = 255 - g;
                b = 255 - b;
            }
            tmp.SetPixelColor(x, y,
                              RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), p.rgbReserved});
        }
    }
}

}  // namespace

// The window runs over offsets -half .. ksize-half-1 on both axes, the column offset outer.
bool extImage::WindowFilter(long ksize, extImage* dst, int kind) {
    if (!IsValid()) return false;
    const long half = ksize / 2;
    const long end = ksize - half;
    extImage tmp(*this, SelectionIsValid(), true, true);
    if (!tmp.IsValid()) return false;
    long xmin, xmax, ymin, ymax;
    GetFilterArea(xmin, xmax, ymin, ymax);
    if (kind == kContour)
        WindowPass<kContour>(*this, tmp, half, end, xmin, xmax, ymin, ymax);
    else if (kind == kDilate)
        WindowPass<kDilate>(*this, tmp, half, end, xmin, xmax, ymin, ymax);
    else
        WindowPass<kErode>(*this, tmp, half, end, xmin, xmax, ymin, ymax);
    Deliver(tmp, dst);
    return true;
}

bool extImage::Contour(long ksize, extImage* dst) {
    return WindowFilter(ksize, dst, kContour);
}

bool extImage::Dilate(long ksize, extImage* dst) {
    return WindowFilter(ksize, dst, kDilate);
}

bool extImage::Erode(long ksize, extImage* dst) {
    return WindowFilter(ksize, dst, kErode);
}

bool extImage::Noise(long level, extImage* dst) {
    if (!IsValid() || !dst) return false;
    if (dst != this && (dst->GetWidth() != GetWidth() || dst->GetHeight() != GetHeight() || dst->GetBpp() != GetBpp()))
        dst->Copy(*this, true, false, false);
    if (!dst->IsValid()) return false;
    long xmin, xmax, ymin, ymax;
    GetFilterArea(xmin, xmax, ymin, ymax);
    for (long y = ymin; y < ymax; ++y)
        for (long x = xmin; x < xmax; ++x) {
            RGBQUAD c = GetPixelColor(x, y);
            c.rgbRed = Clamp255(c.rgbRed + Spread(level));
            c.rgbGreen = Clamp255(c.rgbGreen + Spread(level));
            c.rgbBlue = Clamp255(c.rgbBlue + Spread(level));
            dst->SetPixelColor(x, y, c);
        }
    return true;
}
