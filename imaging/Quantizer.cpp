#include "imaging/Quantizer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

CQuantizer::CQuantizer(UINT nMaxColors, UINT nColorBits) {
    Init(nMaxColors, nColorBits);
}

CQuantizer::~CQuantizer() {
    UnInit();
}

void CQuantizer::Init(UINT nMaxColors, UINT nColorBits) {
    m_nColorBits = nColorBits > 7 ? 8 : nColorBits;
    m_pTree = nullptr;
    m_nLeafCount = 0;
    for (UINT i = 0; i <= m_nColorBits; ++i) m_pReducibleNodes[i] = nullptr;
    m_nOutputMaxColors = nMaxColors;
    m_nMaxColors = std::max<UINT>(nMaxColors, 16);
}

void CQuantizer::UnInit() {
    if (m_pTree) DeleteTree(&m_pTree);
    m_nLeafCount = 0;
    std::fill(std::begin(m_pReducibleNodes), std::end(m_pReducibleNodes), nullptr);
}

BYTE CQuantizer::GetPixelIndex(long x, long y, int nbit, long effwdt, const BYTE* pimage) const {
    const BYTE* row = pimage + static_cast<size_t>(y) * effwdt;
    if (nbit == 8) return row[x];
    if (nbit == 4) return static_cast<BYTE>((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F);
    return static_cast<BYTE>((row[x >> 3] >> (7 - (x & 7))) & 1);
}

int CQuantizer::ProcessImage(void* dib) {
    if (!dib) return 0;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(dib);
    const long width = header->biWidth;
    const long height = header->biHeight < 0 ? -static_cast<long>(header->biHeight) : header->biHeight;
    const int bits = header->biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return 0;
    if (width <= 0 || height <= 0) return 1;
    const DWORD tableSize = bits <= 8 ? (header->biClrUsed ? header->biClrUsed : (1u << bits)) : header->biClrUsed;
    const auto* table = reinterpret_cast<const RGBQUAD*>(static_cast<const BYTE*>(dib) + header->biSize);
    const BYTE* pixels = static_cast<const BYTE*>(dib) + header->biSize + static_cast<size_t>(header->biClrUsed) * 4;
    const long effwdt = ((width * bits + 31) / 32) * 4;

    auto add = [&](BYTE r, BYTE g, BYTE b, BYTE a) {
        AddColor(&m_pTree, r, g, b, a, m_nColorBits, 0, &m_nLeafCount, m_pReducibleNodes);
        while (m_nLeafCount > m_nMaxColors) ReduceTree(m_nColorBits, &m_nLeafCount, m_pReducibleNodes);
    };
    for (long y = 0; y < height; ++y) {
        if (bits == 24) {
            const BYTE* p = pixels + static_cast<size_t>(y) * effwdt;
            for (long x = 0; x < width; ++x, p += 3) add(p[2], p[1], p[0], 0);
        } else {
            for (long x = 0; x < width; ++x) {
                BYTE idx = GetPixelIndex(x, y, bits, effwdt, pixels);
                RGBQUAD c = idx < tableSize ? table[idx] : RGBQUAD{0, 0, 0, 0};
                add(c.rgbRed, c.rgbGreen, c.rgbBlue, c.rgbReserved);
            }
        }
    }
    return 1;
}

void CQuantizer::AddColor(NODE** ppNode, BYTE r, BYTE g, BYTE b, BYTE a, UINT nColorBits, UINT nLevel, UINT* pLeafCount,
                          NODE** pReducibleNodes) {
    // Walked as a loop: each level picks the child by bit (7 - level) of red, green and blue.
    while (true) {
        if (*ppNode == nullptr) {
            *ppNode = CreateNode(nLevel, nColorBits, pLeafCount, pReducibleNodes);
            if (*ppNode == nullptr) return;
        }
        NODE* node = *ppNode;
        if (node->bIsLeaf) {
            node->nPixelCount++;
            node->nRedSum += r;
            node->nGreenSum += g;
            node->nBlueSum += b;
            node->nAlphaSum += a;
            return;
        }
        int shift = 7 - static_cast<int>(nLevel);
        int index = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
        ppNode = &node->pChild[index];
        ++nLevel;
    }
}

NODE* CQuantizer::CreateNode(UINT nLevel, UINT nColorBits, UINT* pLeafCount, NODE** pReducibleNodes) {
    auto* node = static_cast<NODE*>(std::calloc(1, sizeof(NODE)));
    if (!node) return nullptr;
    node->bIsLeaf = nLevel == nColorBits;
    if (node->bIsLeaf) {
        (*pLeafCount)++;
    } else {
        node->pNext = pReducibleNodes[nLevel];
        pReducibleNodes[nLevel] = node;
    }
    return node;
}

void CQuantizer::ReduceTree(UINT nColorBits, UINT* pLeafCount, NODE** pReducibleNodes) {
    if (nColorBits == 0) return;
    int i = static_cast<int>(nColorBits) - 1;
    while (i > 0 && pReducibleNodes[i] == nullptr) --i;
    NODE* node = pReducibleNodes[i];
    if (!node) return;
    pReducibleNodes[i] = node->pNext;
    UINT children = 0;
    for (NODE*& child : node->pChild) {
        if (!child) continue;
        node->nRedSum += child->nRedSum;
        node->nGreenSum += child->nGreenSum;
        node->nBlueSum += child->nBlueSum;
        node->nAlphaSum += child->nAlphaSum;
        node->nPixelCount += child->nPixelCount;
        std::free(child);
        child = nullptr;
        ++children;
    }
    node->bIsLeaf = TRUE;
    *pLeafCount = *pLeafCount + 1 - children;
}

void CQuantizer::DeleteTree(NODE** ppNode) {
    if (!*ppNode) return;
    for (NODE*& child : (*ppNode)->pChild)
        if (child) DeleteTree(&child);
    std::free(*ppNode);
    *ppNode = nullptr;
}

void CQuantizer::GetPaletteColors(NODE* pTree, RGBQUAD* prgb, UINT* pIndex, UINT* pSum, UINT capacity) {
    if (!pTree || *pIndex >= capacity) return;
    if (pTree->bIsLeaf) {
        UINT n = pTree->nPixelCount ? pTree->nPixelCount : 1;
        RGBQUAD& c = prgb[*pIndex];
        c.rgbRed = static_cast<BYTE>(std::min<std::uint64_t>(255, pTree->nRedSum / n));
        c.rgbGreen = static_cast<BYTE>(std::min<std::uint64_t>(255, pTree->nGreenSum / n));
        c.rgbBlue = static_cast<BYTE>(std::min<std::uint64_t>(255, pTree->nBlueSum / n));
        c.rgbReserved = static_cast<BYTE>(std::min<std::uint64_t>(255, pTree->nAlphaSum / n));
        if (pSum) pSum[*pIndex] = pTree->nPixelCount;
        (*pIndex)++;
        return;
    }
    for (NODE* child : pTree->pChild)
        if (child) GetPaletteColors(child, prgb, pIndex, pSum, capacity);
}

void CQuantizer::SetColorTable(RGBQUAD* prgb) {
    if (!prgb) return;
    UINT index = 0;
    if (m_nOutputMaxColors >= 16) {
        GetPaletteColors(m_pTree, prgb, &index, nullptr, m_nLeafCount);
        return;
    }
    // Fewer than 16 wanted: the (at most 16) leaves are merged in tree order into runs, each
    // channel weighted by the pixel counts.
    RGBQUAD leaves[16] = {};
    UINT sums[16] = {};
    GetPaletteColors(m_pTree, leaves, &index, sums, 16);
    const UINT L = index, O = m_nOutputMaxColors;
    if (O >= L) {
        std::memcpy(prgb, leaves, L * sizeof(RGBQUAD));
        return;
    }
    for (UINT j = 0; j < O; ++j) {
        UINT a = j * L / O, b = (j + 1) * L / O;
        std::uint64_t r = 0, g = 0, bl = 0, al = 0, n = 0;
        for (UINT k = a; k < b; ++k) {
            r += static_cast<std::uint64_t>(leaves[k].rgbRed) * sums[k];
            g += static_cast<std::uint64_t>(leaves[k].rgbGreen) * sums[k];
            bl += static_cast<std::uint64_t>(leaves[k].rgbBlue) * sums[k];
            al += static_cast<std::uint64_t>(leaves[k].rgbReserved) * sums[k];
            n += sums[k];
        }
        if (n == 0) continue;
        prgb[j] = RGBQUAD{static_cast<BYTE>(bl / n), static_cast<BYTE>(g / n), static_cast<BYTE>(r / n),
                          static_cast<BYTE>(al / n)};
    }
}
