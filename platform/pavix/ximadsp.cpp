// CxImage filters: convolution, brightness and contrast table, look-up tables, median, noise.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/pavix/ximage.h"

namespace {

inline BYTE Clamp255(long v) {
    return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// The scaled sum the convolution writes: plain offset when there is no factor or no weight in
// reach, the factor inside the picture, a rescaled factor where part of the window fell outside.
inline BYTE Scaled(long sum, long ksumcur, long ksumtot, long factor, long offset) {
    if (factor == 0 || ksumcur == 0) return Clamp255(sum + offset);
    if (ksumtot == ksumcur) return Clamp255(sum / factor + offset);
    return Clamp255((sum * ksumtot) / (ksumcur * factor) + offset);
}

}  // namespace

bool CxImage::Filter(const long* kernel, long Ksize, long Kfactor, long Koffset) {
    if (!pDib || !kernel || Ksize <= 0) return false;
    const long k2 = Ksize / 2;
    const long kmax = Ksize - k2;
    long ksumtot = 0;
    for (long i = 0; i < Ksize * Ksize; ++i) ksumtot += kernel[i];

    CxImage tmp(*this, true, false, false);
    if (!tmp.IsValid()) return false;
    long xmin, xmax, ymin, ymax;
    GetFilterArea(xmin, xmax, ymin, ymax);
    const long W = head.biWidth, H = head.biHeight;

    auto general = [&](long x, long y) {
        long r = 0, g = 0, b = 0, ksumcur = 0;
        for (long j = -k2; j < kmax; ++j) {
            for (long k = -k2; k < kmax; ++k) {
                if (!IsInside(x + j, y + k)) continue;
                RGBQUAD c = BlindGetPixelColor(x + j, y + k);
                long w = kernel[(j + k2) + Ksize * (k + k2)];
                r += c.rgbRed * w;
                g += c.rgbGreen * w;
                b += c.rgbBlue * w;
                ksumcur += w;
            }
        }
        RGBQUAD c{Scaled(b, ksumcur, ksumtot, Kfactor, Koffset), Scaled(g, ksumcur, ksumtot, Kfactor, Koffset),
                  Scaled(r, ksumcur, ksumtot, Kfactor, Koffset), 0};
        tmp.BlindSetPixelColor(x, y, c);
    };

    auto finish = [&]() {
        tmp.pSelection = pSelection;
        pSelection = nullptr;
        tmp.info.rSelectionBox = info.rSelectionBox;
        tmp.pAlpha = pAlpha;
        pAlpha = nullptr;
        Transfer(tmp);
        return true;
    };
    if (head.biBitCount != 24) {
        for (long y = ymin; y < ymax; ++y)
            for (long x = xmin; x < xmax; ++x)
                if (BlindSelectionIsInside(x, y)) general(x, y);
        return finish();
    }

    // True colour: the window lies wholly inside the picture for these columns and rows, so the
    // sum reads the rows directly.
    const long ix0 = std::max(xmin, k2), ix1 = std::max(ix0, std::min(xmax, W - kmax + 1));
    const long iy0 = std::max(ymin, k2), iy1 = std::min(ymax, H - kmax + 1);
    const long stride = static_cast<long>(info.dwEffWidth);
    std::vector<long> offsets;
    std::vector<int> weights;
    long negative = 0, positive = 0;
    for (long k = -k2; k < kmax; ++k)
        for (long j = -k2; j < kmax; ++j) {
            long w = kernel[(j + k2) + Ksize * (k + k2)];
            if (w == 0) continue;
            offsets.push_back(k * stride + j * 3);
            weights.push_back(static_cast<int>(w));
            (w < 0 ? negative : positive) += w;
        }
    const bool divide = Kfactor != 0 && ksumtot != 0;
    const long minSum = 255 * negative, maxSum = 255 * positive;
    // Inside, every sum maps through one table (quotient, offset, clamp); kernels whose sums
    // could leave that table or an int fall back to the per-pixel path.
    const bool tabled = maxSum - minSum < (1L << 22) && -minSum < (1L << 30) && maxSum < (1L << 30);
    std::vector<BYTE> table;
    if (tabled) {
        table.resize(static_cast<size_t>(maxSum - minSum + 1));
        for (long v = minSum; v <= maxSum; ++v)
            table[static_cast<size_t>(v - minSum)] = divide ? Clamp255(v / Kfactor + Koffset) : Clamp255(v + Koffset);
    }
    const size_t taps = offsets.size();
    const BYTE* lut = tabled ? table.data() - minSum : nullptr;

    auto interior = [&](const BYTE* srcRow, BYTE* dstRow, long from, long to) {
        if (taps == 9 && Ksize == 3 && lut) {
            const long o0 = offsets[0], o1 = offsets[1], o2 = offsets[2], o3 = offsets[3], o4 = offsets[4],
                       o5 = offsets[5], o6 = offsets[6], o7 = offsets[7], o8 = offsets[8];
            const int w0 = weights[0], w1 = weights[1], w2 = weights[2], w3 = weights[3], w4 = weights[4],
                      w5 = weights[5], w6 = weights[6], w7 = weights[7], w8 = weights[8];
            for (long x = from; x < to; ++x) {
                const BYTE* p = srcRow + 3 * x;
                BYTE* d = dstRow + 3 * x;
                for (int c = 0; c < 3; ++c) {
                    const BYTE* q = p + c;
                    int sum = q[o0] * w0 + q[o1] * w1 + q[o2] * w2 + q[o3] * w3 + q[o4] * w4 + q[o5] * w5 + q[o6] * w6 +
                              q[o7] * w7 + q[o8] * w8;
                    d[c] = lut[sum];
                }
            }
            return;
        }
        for (long x = from; x < to; ++x) {
            const BYTE* p = srcRow + 3 * x;
            long b = 0, g = 0, r = 0;
            for (size_t t = 0; t < taps; ++t) {
                const BYTE* q = p + offsets[t];
                long w = weights[t];
                b += q[0] * w;
                g += q[1] * w;
                r += q[2] * w;
            }
            BYTE* d = dstRow + 3 * x;
            if (lut) {
                d[0] = lut[b];
                d[1] = lut[g];
                d[2] = lut[r];
            } else if (divide) {
                d[0] = Clamp255(b / Kfactor + Koffset);
                d[1] = Clamp255(g / Kfactor + Koffset);
                d[2] = Clamp255(r / Kfactor + Koffset);
            } else {
                d[0] = Clamp255(b + Koffset);
                d[1] = Clamp255(g + Koffset);
                d[2] = Clamp255(r + Koffset);
            }
        }
    };

    for (long y = ymin; y < ymax; ++y) {
        const BYTE* srcRow = GetBits(y);
        BYTE* dstRow = tmp.GetBits(y);
        if (y < iy0 || y >= iy1 || pSelection != nullptr) {
            // Edge rows and selections take the careful path pixel by pixel.
            for (long x = xmin; x < xmax; ++x) {
                if (!BlindSelectionIsInside(x, y)) continue;
                if (y >= iy0 && y < iy1 && x >= ix0 && x < ix1)
                    interior(srcRow, dstRow, x, x + 1);
                else
                    general(x, y);
            }
            continue;
        }
        for (long x = xmin; x < std::min(ix0, xmax); ++x) general(x, y);
        interior(srcRow, dstRow, ix0, ix1);
        for (long x = std::max(ix1, xmin); x < xmax; ++x) general(x, y);
    }
    return finish();
}

bool CxImage::Light(long brightness, long contrast) {
    if (!pDib) return false;
    // The table the system's own brightness filter uses: contrast scaled by the single-precision
    // constant 0.01 (a little below the exact hundredth), results truncated.
    const double c = (static_cast<double>(contrast) + 100.0) * static_cast<double>(0.01f);
    const double b = static_cast<double>(brightness) + 128.0;
    BYTE table[256];
    for (int i = -128; i < 128; ++i) table[i + 128] = Clamp255(static_cast<long>(std::clamp(i * c + b, -1.0, 256.0)));
    return Lut(table);
}

bool CxImage::Lut(const BYTE* pLut) {
    if (!pDib || !pLut) return false;
    if (head.biClrUsed) {
        RGBQUAD* pal = GetPalette();
        for (DWORD i = 0; i < head.biClrUsed; ++i) {
            pal[i].rgbBlue = pLut[pal[i].rgbBlue];
            pal[i].rgbGreen = pLut[pal[i].rgbGreen];
            pal[i].rgbRed = pLut[pal[i].rgbRed];
        }
        return true;
    }
    if (!pSelection) {
        BYTE* p = info.pImage;
        for (DWORD i = 0; i < head.biSizeImage; ++i) p[i] = pLut[p[i]];
        return true;
    }
    ForEachSelectedPixel([&](BYTE* p, long, long) {
        for (int c = 0; c < 3; ++c) p[c] = pLut[p[c]];
    });
    return true;
}

bool CxImage::Lut(const BYTE* pLutR, const BYTE* pLutG, const BYTE* pLutB, const BYTE* pLutA) {
    if (!pDib || !pLutR || !pLutG || !pLutB) return false;
    if (head.biClrUsed) {
        RGBQUAD* pal = GetPalette();
        for (DWORD i = 0; i < head.biClrUsed; ++i) {
            pal[i].rgbBlue = pLutB[pal[i].rgbBlue];
            pal[i].rgbGreen = pLutG[pal[i].rgbGreen];
            pal[i].rgbRed = pLutR[pal[i].rgbRed];
        }
        return true;
    }
    ForEachSelectedPixel([&](BYTE* p, long x, long y) {
        p[0] = pLutB[p[0]];
        p[1] = pLutG[p[1]];
        p[2] = pLutR[p[2]];
        if (pLutA && pAlpha) pAlpha[x + static_cast<size_t>(y) * head.biWidth] = pLutA[AlphaGet(x, y)];
    });
    return true;
}

namespace {

inline void Sort2(std::uint32_t& a, std::uint32_t& b) {
    std::uint32_t lo = std::min(a, b), hi = std::max(a, b);
    a = lo;
    b = hi;
}

// Median of nine by the classic 19-exchange network.
inline std::uint32_t Median9(std::uint32_t* p) {
    Sort2(p[1], p[2]);
    Sort2(p[4], p[5]);
    Sort2(p[7], p[8]);
    Sort2(p[0], p[1]);
    Sort2(p[3], p[4]);
    Sort2(p[6], p[7]);
    Sort2(p[1], p[2]);
    Sort2(p[4], p[5]);
    Sort2(p[7], p[8]);
    Sort2(p[0], p[3]);
    Sort2(p[5], p[8]);
    Sort2(p[4], p[7]);
    Sort2(p[3], p[6]);
    Sort2(p[1], p[4]);
    Sort2(p[2], p[5]);
    Sort2(p[4], p[7]);
    Sort2(p[4], p[2]);
    Sort2(p[6], p[4]);
    Sort2(p[4], p[2]);
    return p[4];
}

}  // namespace

bool CxImage::Median(long Ksize) {
    if (!pDib || Ksize <= 0 || Ksize > 15) return false;
    const long k2 = Ksize / 2;
    const long kmax = Ksize - k2;
    const long W = head.biWidth, H = head.biHeight;
    CxImage tmp(*this, true, false, false);
    if (!tmp.IsValid()) return false;
    long xmin, xmax, ymin, ymax;
    GetFilterArea(xmin, xmax, ymin, ymax);

    // Window pixels are ranked by grey level, highest first; equal greys keep the window's scan
    // order (columns outer, rows inner). The pixel at rank count/2 wins.
    std::vector<BYTE> grey(static_cast<size_t>(W) * H);
    for (long y = 0; y < H; ++y) {
        BYTE* g = &grey[static_cast<size_t>(y) * W];
        if (head.biBitCount == 24) {
            const BYTE* p = GetBits(y);
            for (long x = 0; x < W; ++x, p += 3) g[x] = static_cast<BYTE>((p[0] * 117 + p[1] * 601 + p[2] * 306) >> 10);
        } else {
            for (long x = 0; x < W; ++x) {
                RGBQUAD c = BlindGetPixelColor(x, y);
                g[x] = static_cast<BYTE>((c.rgbBlue * 117 + c.rgbGreen * 601 + c.rgbRed * 306) >> 10);
            }
        }
    }
    const int window = static_cast<int>(Ksize * Ksize);
    std::vector<std::uint32_t> keys(window);
    // key = (255 - grey) * 256 + position: ascending keys are descending greys, ties by position.
    auto pick = [&](long x, long y, long& sx, long& sy) {
        int n = 0;
        for (long j = -k2; j < kmax; ++j)
            for (long k = -k2; k < kmax; ++k) {
                long px = x + j, py = y + k;
                if (px < 0 || py < 0 || px >= W || py >= H) continue;
                int pos = static_cast<int>((j + k2) * Ksize + (k + k2));
                keys[n++] = (static_cast<std::uint32_t>(255 - grey[static_cast<size_t>(py) * W + px]) << 8) | pos;
            }
        std::uint32_t chosen;
        if (n == 9 && Ksize == 3) {
            chosen = Median9(keys.data());
        } else {
            std::nth_element(keys.begin(), keys.begin() + n / 2, keys.begin() + n);
            chosen = keys[n / 2];
        }
        int pos = static_cast<int>(chosen & 0xFF);
        sx = x + pos / Ksize - k2;
        sy = y + pos % Ksize - k2;
    };

    for (long y = ymin; y < ymax; ++y) {
        const bool rowInside = y >= k2 && y < H - kmax + 1;
        BYTE* dstRow = tmp.GetBits(y);
        for (long x = xmin; x < xmax; ++x) {
            if (!BlindSelectionIsInside(x, y)) continue;
            long sx, sy;
            if (Ksize == 3 && rowInside && x >= 1 && x < W - 1) {
                const BYTE* g0 = &grey[static_cast<size_t>(y - 1) * W + x - 1];
                const BYTE* g1 = g0 + W;
                const BYTE* g2 = g1 + W;
                // Positions: column offset j (outer) and row offset k (inner), as in the scan.
                std::uint32_t k9[9] = {(255u - g0[0]) << 8 | 0, (255u - g1[0]) << 8 | 1, (255u - g2[0]) << 8 | 2,
                                       (255u - g0[1]) << 8 | 3, (255u - g1[1]) << 8 | 4, (255u - g2[1]) << 8 | 5,
                                       (255u - g0[2]) << 8 | 6, (255u - g1[2]) << 8 | 7, (255u - g2[2]) << 8 | 8};
                int pos = static_cast<int>(Median9(k9) & 0xFF);
                sx = x + pos / 3 - 1;
                sy = y + pos % 3 - 1;
            } else {
                pick(x, y, sx, sy);
            }
            if (head.biBitCount == 24)
                std::memcpy(dstRow + 3 * x, GetBits(sy) + 3 * sx, 3);
            else
                tmp.BlindSetPixelIndex(x, y, BlindGetPixelIndex(sx, sy));
        }
    }
    tmp.pSelection = pSelection;
    pSelection = nullptr;
    tmp.info.rSelectionBox = info.rSelectionBox;
    tmp.pAlpha = pAlpha;
    pAlpha = nullptr;
    Transfer(tmp);
    return true;
}

bool CxImage::Noise(long level) {
    if (!pDib) return false;
    long xmin, xmax, ymin, ymax;
    GetFilterArea(xmin, xmax, ymin, ymax);
    auto shift = [level](BYTE v) {
        long n = static_cast<long>((pavix::RandomDraw() * pavix::kRandomScale - 0.5f) * level);
        return Clamp255(v + n);
    };
    for (long y = ymin; y < ymax; ++y)
        for (long x = xmin; x < xmax; ++x) {
            if (!BlindSelectionIsInside(x, y)) continue;
            RGBQUAD c = BlindGetPixelColor(x, y);
            c.rgbRed = shift(c.rgbRed);
            c.rgbGreen = shift(c.rgbGreen);
            c.rgbBlue = shift(c.rgbBlue);
            BlindSetPixelColor(x, y, c);
        }
    return true;
}

bool CxImage::Threshold(BYTE level) {
    if (!pDib) return false;
    if (head.biBitCount == 1) return true;
    if (!GrayScale()) return false;
    CxImage tmp;
    tmp.CopyInfo(*this);
    if (!tmp.Create(head.biWidth, head.biHeight, 1, info.dwType)) return false;
    tmp.SetGrayPalette();
    for (long y = 0; y < head.biHeight; ++y)
        for (long x = 0; x < head.biWidth; ++x) tmp.BlindSetPixelIndex(x, y, BlindGetPixelIndex(x, y) > level ? 1 : 0);
    tmp.info.nBkgndIndex = -1;
    Transfer(tmp);
    return true;
}
