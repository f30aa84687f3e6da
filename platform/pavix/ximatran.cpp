// CxImage geometry and depth changes.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/pavix/ximage.h"

namespace {

// Makes `tmp` an empty picture that keeps src's attributes (transparency, delay, type, DPI).
bool MakeLike(CxImage& tmp, const CxImage& src, DWORD w, DWORD h, DWORD bpp) {
    tmp.CopyInfo(src);
    if (!tmp.Create(w, h, bpp, src.GetType())) return false;
    if (bpp == src.GetBpp() && src.GetNumColors()) tmp.SetPalette(src.GetPalette(), src.GetNumColors());
    return true;
}

// A transformation's result goes to iDst when the caller gave one, else replaces self.
bool Deliver(CxImage& self, CxImage& result, CxImage* iDst) {
    (iDst ? *iDst : self).Transfer(result);
    return true;
}

// Nearest palette entry, exactly the first entry of least squared distance (as a plain scan over
// the palette finds it), sped up by searching outward from the query's red value and by a cache.
class NearestIndex {
public:
    NearestIndex(const RGBQUAD* pal, DWORD count) : pal_(pal, pal + count) {
        order_.resize(count);
        for (DWORD i = 0; i < count; ++i) order_[i] = static_cast<int>(i);
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) { return pal_[a].rgbRed < pal_[b].rgbRed; });
        reds_.resize(count);
        for (DWORD i = 0; i < count; ++i) reds_[i] = pal_[order_[i]].rgbRed;
        cache_.assign(kCacheSize, Entry{0xFFFFFFFFu, 0});
    }

    BYTE Find(int r, int g, int b) {
        std::uint32_t key = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
        Entry& e = cache_[(key * 2654435761u) >> (32 - kCacheBits)];
        if (e.key == key) return e.index;
        e.key = key;
        e.index = Search(r, g, b);
        return e.index;
    }

private:
    static constexpr int kCacheBits = 16;
    static constexpr size_t kCacheSize = size_t{1} << kCacheBits;
    struct Entry {
        std::uint32_t key;
        BYTE index;
    };

    BYTE Search(int r, int g, int b) const {
        int n = static_cast<int>(order_.size());
        if (n == 0) return 0;
        int start = static_cast<int>(std::lower_bound(reds_.begin(), reds_.end(), r) - reds_.begin());
        long best = 0x7FFFFFFF;
        int bestIndex = 0x7FFFFFFF;
        auto consider = [&](int k) {
            const RGBQUAD& c = pal_[order_[k]];
            long dr = c.rgbRed - r, dg = c.rgbGreen - g, db = c.rgbBlue - b;
            long d = dr * dr + dg * dg + db * db;
            if (d < best || (d == best && order_[k] < bestIndex)) {
                best = d;
                bestIndex = order_[k];
            }
        };
        // Walk both directions while the red distance alone could still tie or beat the best.
        for (int k = start; k < n; ++k) {
            long dr = reds_[k] - r;
            if (dr * dr > best) break;
            consider(k);
        }
        for (int k = start - 1; k >= 0; --k) {
            long dr = r - reds_[k];
            if (dr * dr > best) break;
            consider(k);
        }
        return static_cast<BYTE>(bestIndex);
    }

    std::vector<RGBQUAD> pal_;
    std::vector<int> order_;
    std::vector<int> reds_;
    std::vector<Entry> cache_;
};

// Separable resampling weights for one axis: for every output position a first source index and
// weights (summing to 1) over a run of source positions.
struct AxisWeights {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;
    int taps = 0;
};

float Triangle(float x) {
    x = std::fabs(x);
    return x < 1.0f ? 1.0f - x : 0.0f;
}

float CatmullRom(float x) {
    x = std::fabs(x);
    if (x < 1.0f) return 1.5f * x * x * x - 2.5f * x * x + 1.0f;
    if (x < 2.0f) return -0.5f * x * x * x + 2.5f * x * x - 4.0f * x + 2.0f;
    return 0.0f;
}

AxisWeights MakeWeights(int src, int dst, bool cubic) {
    AxisWeights w;
    float scale = static_cast<float>(src) / dst;
    float support = cubic ? 2.0f : 1.0f;
    float stretch = std::max(1.0f, scale);  // widen the kernel when shrinking
    float radius = support * stretch;
    w.taps = static_cast<int>(std::ceil(radius * 2)) + 1;
    w.first.resize(dst);
    w.count.resize(dst);
    w.weights.assign(static_cast<size_t>(dst) * w.taps, 0.0f);
    for (int i = 0; i < dst; ++i) {
        float center = (i + 0.5f) * scale - 0.5f;
        int lo = static_cast<int>(std::floor(center - radius)) + 1;
        int hi = static_cast<int>(std::floor(center + radius));
        lo = std::max(lo, 0);
        hi = std::min(hi, src - 1);
        if (hi - lo + 1 > w.taps) hi = lo + w.taps - 1;
        float sum = 0.0f;
        float* out = &w.weights[static_cast<size_t>(i) * w.taps];
        for (int k = lo; k <= hi; ++k) {
            float v = (cubic ? CatmullRom : Triangle)((k - center) / stretch);
            out[k - lo] = v;
            sum += v;
        }
        if (hi < lo || sum == 0.0f) {  // nothing in reach: take the nearest source position
            lo = std::clamp(static_cast<int>(std::lround(center)), 0, src - 1);
            hi = lo;
            out[0] = 1.0f;
            sum = 1.0f;
        }
        for (int k = 0; k <= hi - lo; ++k) out[k] /= sum;
        w.first[i] = lo;
        w.count[i] = hi - lo + 1;
    }
    return w;
}

inline BYTE ClampByte(float v) {
    if (v <= 0.0f) return 0;
    if (v >= 255.0f) return 255;
    return static_cast<BYTE>(v + 0.5f);
}

}  // namespace

bool CxImage::Crop(long left, long top, long right, long bottom, CxImage* iDst) {
    if (!pDib) return false;
    long startx = std::max(0L, std::min(left, static_cast<long>(head.biWidth)));
    long endx = std::max(0L, std::min(right, static_cast<long>(head.biWidth)));
    long starty = head.biHeight - std::max(0L, std::min(top, static_cast<long>(head.biHeight)));
    long endy = head.biHeight - std::max(0L, std::min(bottom, static_cast<long>(head.biHeight)));
    if (startx == endx || starty == endy) return false;
    if (startx > endx) std::swap(startx, endx);
    if (starty > endy) std::swap(starty, endy);
    long w = endx - startx, h = endy - starty;

    CxImage tmp;
    if (!MakeLike(tmp, *this, w, h, head.biBitCount)) return false;
    for (long y = 0; y < h; ++y) {
        if (head.biBitCount == 24 || head.biBitCount == 8) {
            int bytes = head.biBitCount / 8;
            std::memcpy(tmp.GetBits(y), GetBits(starty + y) + startx * bytes, static_cast<size_t>(w) * bytes);
        } else {
            for (long x = 0; x < w; ++x) tmp.BlindSetPixelIndex(x, y, BlindGetPixelIndex(startx + x, starty + y));
        }
    }
    if (pAlpha && tmp.AlphaCreate()) {
        for (long y = 0; y < h; ++y) std::memcpy(tmp.AlphaGetPointer(0, y), AlphaGetPointer(startx, starty + y), w);
    }
    return Deliver(*this, tmp, iDst);
}

bool CxImage::Crop(const RECT& rect, CxImage* iDst) {
    return Crop(rect.left, rect.top, rect.right, rect.bottom, iDst);
}

bool CxImage::Resample(long newx, long newy, int mode, CxImage* iDst) {
    if (!pDib || newx <= 0 || newy <= 0) return false;
    const long W = head.biWidth, H = head.biHeight;
    CxImage tmp;
    if (mode == 0 || (newx == W && newy == H && head.biClrUsed == 0)) {
        if (!MakeLike(tmp, *this, newx, newy, head.biBitCount)) return false;
        if (pAlpha) tmp.AlphaCreate();
        const float xScale = static_cast<float>(W) / static_cast<float>(newx);
        const float yScale = static_cast<float>(H) / static_cast<float>(newy);
        std::vector<long> xs(newx);
        for (long x = 0; x < newx; ++x) xs[x] = std::min(W - 1, static_cast<long>(x * xScale));
        for (long y = 0; y < newy; ++y) {
            long sy = std::min(H - 1, static_cast<long>(y * yScale));
            const BYTE* src = GetBits(sy);
            BYTE* dst = tmp.GetBits(y);
            if (head.biBitCount == 24) {
                for (long x = 0; x < newx; ++x) std::memcpy(dst + 3 * x, src + 3 * xs[x], 3);
            } else if (head.biBitCount == 8) {
                for (long x = 0; x < newx; ++x) dst[x] = src[xs[x]];
            } else {
                for (long x = 0; x < newx; ++x) tmp.BlindSetPixelIndex(x, y, BlindGetPixelIndex(xs[x], sy));
            }
            if (pAlpha && tmp.pAlpha) {
                const BYTE* a = AlphaGetPointer(0, sy);
                BYTE* ad = tmp.AlphaGetPointer(0, y);
                for (long x = 0; x < newx; ++x) ad[x] = a[xs[x]];
            }
        }
    } else {
        // Interpolating modes work on true colour.
        const CxImage* src = this;
        CxImage wide;
        if (head.biClrUsed) {
            wide.Copy(*this);
            if (!wide.IncreaseBpp(24)) return false;
            src = &wide;
        }
        if (!MakeLike(tmp, *src, newx, newy, 24)) return false;
        const bool alpha = src->pAlpha != nullptr;
        if (alpha) tmp.AlphaCreate();
        const int channels = alpha ? 4 : 3;
        const bool cubic = mode >= 2;
        AxisWeights wx = MakeWeights(W, newx, cubic);
        AxisWeights wy = MakeWeights(H, newy, cubic);
        // Horizontal pass into a float buffer of newx x H, then the vertical pass.
        std::vector<float> mid(static_cast<size_t>(newx) * H * channels);
        for (long y = 0; y < H; ++y) {
            const BYTE* row = src->GetBits(y);
            const BYTE* arow = alpha ? src->AlphaGetPointer(0, y) : nullptr;
            float* out = &mid[static_cast<size_t>(y) * newx * channels];
            for (long x = 0; x < newx; ++x) {
                const float* wt = &wx.weights[static_cast<size_t>(x) * wx.taps];
                int f = wx.first[x], n = wx.count[x];
                float b = 0, g = 0, r = 0, a = 0;
                for (int k = 0; k < n; ++k) {
                    const BYTE* p = row + 3 * (f + k);
                    b += wt[k] * p[0];
                    g += wt[k] * p[1];
                    r += wt[k] * p[2];
                    if (arow) a += wt[k] * arow[f + k];
                }
                float* o = out + x * channels;
                o[0] = b;
                o[1] = g;
                o[2] = r;
                if (alpha) o[3] = a;
            }
        }
        std::vector<float> acc(static_cast<size_t>(newx) * channels);
        for (long y = 0; y < newy; ++y) {
            std::fill(acc.begin(), acc.end(), 0.0f);
            const float* wt = &wy.weights[static_cast<size_t>(y) * wy.taps];
            int f = wy.first[y], n = wy.count[y];
            for (int k = 0; k < n; ++k) {
                const float* in = &mid[static_cast<size_t>(f + k) * newx * channels];
                float weight = wt[k];
                for (size_t i = 0; i < acc.size(); ++i) acc[i] += weight * in[i];
            }
            BYTE* dst = tmp.GetBits(y);
            BYTE* ad = alpha ? tmp.AlphaGetPointer(0, y) : nullptr;
            for (long x = 0; x < newx; ++x) {
                const float* a = &acc[static_cast<size_t>(x) * channels];
                dst[3 * x] = ClampByte(a[0]);
                dst[3 * x + 1] = ClampByte(a[1]);
                dst[3 * x + 2] = ClampByte(a[2]);
                if (ad) ad[x] = ClampByte(a[3]);
            }
        }
    }
    return Deliver(*this, tmp, iDst);
}

namespace {

// Moves every pixel (and its alpha) to where map sends it, in a picture of the same depth and
// newW x newH, delivered as the transformations deliver.
template <class Map>
bool Rearrange(CxImage& self, CxImage* iDst, long newW, long newH, Map map) {
    CxImage tmp;
    if (!MakeLike(tmp, self, static_cast<DWORD>(newW), static_cast<DWORD>(newH), self.GetBpp())) return false;
    const long W = self.GetWidth(), H = self.GetHeight();
    const WORD bpp = self.GetBpp();
    const bool alpha = self.AlphaIsValid() && tmp.AlphaCreate();
    for (long y = 0; y < H; ++y) {
        const BYTE* src = self.GetBits(y);
        for (long x = 0; x < W; ++x) {
            long nx, ny;
            map(x, y, nx, ny);
            if (bpp == 24)
                std::memcpy(tmp.GetBits(ny) + 3 * nx, src + 3 * x, 3);
            else if (bpp == 8)
                tmp.GetBits(ny)[nx] = src[x];
            else
                tmp.SetPixelIndex(nx, ny, self.GetPixelIndex(x, y));
            if (alpha) tmp.AlphaSet(nx, ny, self.AlphaGet(x, y));
        }
    }
    return Deliver(self, tmp, iDst);
}

}  // namespace

bool CxImage::RotateLeft(CxImage* iDst) {
    if (!pDib) return false;
    const long W = head.biWidth, H = head.biHeight;
    return Rearrange(*this, iDst, H, W, [&](long x, long y, long& nx, long& ny) {
        nx = H - 1 - y;
        ny = x;
    });
}

bool CxImage::RotateRight(CxImage* iDst) {
    if (!pDib) return false;
    const long W = head.biWidth, H = head.biHeight;
    return Rearrange(*this, iDst, H, W, [&](long x, long y, long& nx, long& ny) {
        nx = y;
        ny = W - 1 - x;
    });
}

bool CxImage::Rotate180(CxImage* iDst) {
    if (!pDib) return false;
    const long W = head.biWidth, H = head.biHeight;
    return Rearrange(*this, iDst, W, H, [&](long x, long y, long& nx, long& ny) {
        nx = W - 1 - x;
        ny = H - 1 - y;
    });
}

bool CxImage::Mirror(bool bMirrorSelection, bool bMirrorAlpha) {
    if (!pDib) return false;
    const long W = head.biWidth, H = head.biHeight;
    for (long y = 0; y < H; ++y) {
        BYTE* row = GetBits(y);
        for (long x = 0; x < W / 2; ++x) {
            long m = W - 1 - x;
            if (head.biBitCount == 24) {
                for (int c = 0; c < 3; ++c) std::swap(row[3 * x + c], row[3 * m + c]);
            } else if (head.biBitCount == 8) {
                std::swap(row[x], row[m]);
            } else {
                BYTE a = BlindGetPixelIndex(x, y), b = BlindGetPixelIndex(m, y);
                BlindSetPixelIndex(x, y, b);
                BlindSetPixelIndex(m, y, a);
            }
        }
        if (bMirrorAlpha && pAlpha)
            std::reverse(pAlpha + static_cast<size_t>(y) * W, pAlpha + static_cast<size_t>(y + 1) * W);
        if (bMirrorSelection && pSelection)
            std::reverse(pSelection + static_cast<size_t>(y) * W, pSelection + static_cast<size_t>(y + 1) * W);
    }
    if (bMirrorSelection && pSelection) {
        RECT& box = info.rSelectionBox;
        long left = W - box.right, right = W - box.left;
        box.left = left;
        box.right = right;
    }
    return true;
}

bool CxImage::Flip(bool bFlipSelection, bool bFlipAlpha) {
    if (!pDib) return false;
    const long W = head.biWidth, H = head.biHeight;
    std::vector<BYTE> swap(info.dwEffWidth);
    for (long y = 0; y < H / 2; ++y) {
        BYTE* a = GetBits(y);
        BYTE* b = GetBits(H - 1 - y);
        std::memcpy(swap.data(), a, info.dwEffWidth);
        std::memcpy(a, b, info.dwEffWidth);
        std::memcpy(b, swap.data(), info.dwEffWidth);
        if (bFlipAlpha && pAlpha)
            std::swap_ranges(pAlpha + static_cast<size_t>(y) * W, pAlpha + static_cast<size_t>(y + 1) * W,
                             pAlpha + static_cast<size_t>(H - 1 - y) * W);
        if (bFlipSelection && pSelection)
            std::swap_ranges(pSelection + static_cast<size_t>(y) * W, pSelection + static_cast<size_t>(y + 1) * W,
                             pSelection + static_cast<size_t>(H - 1 - y) * W);
    }
    if (bFlipSelection && pSelection) {
        RECT& box = info.rSelectionBox;
        long top = H - box.bottom, bottom = H - box.top;
        box.top = top;
        box.bottom = bottom;
    }
    return true;
}

bool CxImage::Negative() {
    if (!pDib) return false;
    if (head.biClrUsed) {
        RGBQUAD* pal = GetPalette();
        for (DWORD i = 0; i < head.biClrUsed; ++i) {
            pal[i].rgbBlue = static_cast<BYTE>(255 - pal[i].rgbBlue);
            pal[i].rgbGreen = static_cast<BYTE>(255 - pal[i].rgbGreen);
            pal[i].rgbRed = static_cast<BYTE>(255 - pal[i].rgbRed);
        }
        return true;
    }
    ForEachSelectedPixel([](BYTE* p, long, long) {
        for (int c = 0; c < 3; ++c) p[c] = static_cast<BYTE>(255 - p[c]);
    });
    return true;
}

bool CxImage::GrayScale() {
    if (!pDib) return false;
    auto grey = [](const RGBQUAD& c) {
        return static_cast<BYTE>((c.rgbBlue * 117 + c.rgbGreen * 601 + c.rgbRed * 306) >> 10);
    };
    if (head.biClrUsed) {
        RGBQUAD* pal = GetPalette();
        for (DWORD i = 0; i < head.biClrUsed; ++i) {
            BYTE g = grey(pal[i]);
            pal[i] = RGBQUAD{g, g, g, pal[i].rgbReserved};
        }
        if (head.biBitCount == 8) {
            // Index by grey level so the picture reads as a plain grey picture afterwards.
            std::vector<BYTE> map(256);
            for (int i = 0; i < 256; ++i) map[i] = pal[i].rgbBlue;
            for (long y = 0; y < head.biHeight; ++y) {
                BYTE* row = GetBits(y);
                for (long x = 0; x < head.biWidth; ++x) row[x] = map[row[x]];
            }
            if (info.nBkgndIndex >= 0) info.nBkgndIndex = map[info.nBkgndIndex & 0xFF];
            SetGrayPalette();
        }
        return true;
    }
    CxImage tmp;
    if (!MakeLike(tmp, *this, head.biWidth, head.biHeight, 8)) return false;
    tmp.SetGrayPalette();
    for (long y = 0; y < head.biHeight; ++y) {
        const BYTE* src = GetBits(y);
        BYTE* dst = tmp.GetBits(y);
        for (long x = 0; x < head.biWidth; ++x, src += 3)
            dst[x] = static_cast<BYTE>((src[0] * 117 + src[1] * 601 + src[2] * 306) >> 10);
    }
    if (pAlpha) {
        tmp.pAlpha = pAlpha;
        pAlpha = nullptr;
    }
    if (info.nBkgndIndex >= 0) tmp.info.nBkgndIndex = grey(info.nBkgndColor);
    Transfer(tmp);
    return true;
}

bool CxImage::IncreaseBpp(DWORD nbit) {
    if (!pDib) return false;
    if (nbit != 4 && nbit != 8 && nbit != 24) return false;
    if (nbit == head.biBitCount) return true;
    if (nbit < head.biBitCount) return false;
    CxImage tmp;
    tmp.CopyInfo(*this);
    if (!tmp.Create(head.biWidth, head.biHeight, nbit, info.dwType)) return false;
    if (nbit == 24) {
        RGBQUAD* pal = GetPalette();
        for (long y = 0; y < head.biHeight; ++y) {
            BYTE* dst = tmp.GetBits(y);
            for (long x = 0; x < head.biWidth; ++x) {
                const RGBQUAD& c = pal[BlindGetPixelIndex(x, y)];
                dst[3 * x] = c.rgbBlue;
                dst[3 * x + 1] = c.rgbGreen;
                dst[3 * x + 2] = c.rgbRed;
            }
        }
        if (info.nBkgndIndex >= 0) tmp.info.nBkgndColor = GetTransColor();
    } else {
        tmp.SetPalette(GetPalette(), head.biClrUsed);
        for (long y = 0; y < head.biHeight; ++y)
            for (long x = 0; x < head.biWidth; ++x) tmp.BlindSetPixelIndex(x, y, BlindGetPixelIndex(x, y));
    }
    tmp.pAlpha = pAlpha;
    pAlpha = nullptr;
    tmp.pSelection = pSelection;
    pSelection = nullptr;
    tmp.info.rSelectionBox = info.rSelectionBox;
    Transfer(tmp);
    return true;
}

bool CxImage::DecreaseBpp(DWORD nbit, bool errordiffusion, const RGBQUAD* ppal, DWORD clrimportant) {
    if (!pDib) return false;
    if (nbit != 1 && nbit != 4 && nbit != 8) return false;
    if (head.biBitCount < nbit) return false;
    const long W = head.biWidth, H = head.biHeight;
    CxImage tmp;
    tmp.CopyInfo(*this);
    if (!tmp.Create(W, H, nbit, info.dwType)) return false;
    const DWORD maxColors = 1u << nbit;
    DWORD used = maxColors;
    if (ppal) {
        if (clrimportant > 0 && clrimportant < maxColors) used = clrimportant;
        tmp.SetPalette(ppal, used);
        if (used < maxColors) {
            tmp.head.biClrImportant = used;
            static_cast<BITMAPINFOHEADER*>(tmp.pDib)->biClrImportant = used;
        }
    } else {
        tmp.SetStdPalette();
    }
    NearestIndex nearest(tmp.GetPalette(), used);
    const RGBQUAD* pal = tmp.GetPalette();

    if (!errordiffusion) {
        for (long y = 0; y < H; ++y)
            for (long x = 0; x < W; ++x) {
                RGBQUAD c = BlindGetPixelColor(x, y);
                tmp.BlindSetPixelIndex(x, y, nearest.Find(c.rgbRed, c.rgbGreen, c.rgbBlue));
            }
    } else {
        // Floyd-Steinberg from the top row down: 7/16 right, 3/16 below left, 5/16 below,
        // 1/16 below right. Errors are kept in 1/16 units per channel.
        std::vector<int> cur(static_cast<size_t>(W + 2) * 3, 0), next(static_cast<size_t>(W + 2) * 3, 0);
        for (long row = H - 1; row >= 0; --row) {
            std::fill(next.begin(), next.end(), 0);
            for (long x = 0; x < W; ++x) {
                RGBQUAD c = BlindGetPixelColor(x, row);
                int* e = &cur[static_cast<size_t>(x + 1) * 3];
                int r = std::clamp(c.rgbRed + e[0] / 16, 0, 255);
                int g = std::clamp(c.rgbGreen + e[1] / 16, 0, 255);
                int b = std::clamp(c.rgbBlue + e[2] / 16, 0, 255);
                BYTE idx = nearest.Find(r, g, b);
                tmp.BlindSetPixelIndex(x, row, idx);
                int er = r - pal[idx].rgbRed, eg = g - pal[idx].rgbGreen, eb = b - pal[idx].rgbBlue;
                int errs[3] = {er, eg, eb};
                for (int k = 0; k < 3; ++k) {
                    cur[static_cast<size_t>(x + 2) * 3 + k] += errs[k] * 7;
                    next[static_cast<size_t>(x) * 3 + k] += errs[k] * 3;
                    next[static_cast<size_t>(x + 1) * 3 + k] += errs[k] * 5;
                    next[static_cast<size_t>(x + 2) * 3 + k] += errs[k];
                }
            }
            std::swap(cur, next);
        }
    }
    if (info.nBkgndIndex >= 0) {
        RGBQUAD t = GetTransColor();
        tmp.info.nBkgndIndex = nearest.Find(t.rgbRed, t.rgbGreen, t.rgbBlue);
    }
    tmp.pAlpha = pAlpha;
    pAlpha = nullptr;
    tmp.pSelection = pSelection;
    pSelection = nullptr;
    tmp.info.rSelectionBox = info.rSelectionBox;
    Transfer(tmp);
    return true;
}
