// CQuantizer: octree colour reduction to a palette of at most a given number of colours.
//
// Use once per picture: construct, ProcessImage on a packed DIB, SetColorTable into a palette the
// caller filled (usually with zeros), destroy. Palette entries follow the tree order (children
// 0-7 depth first), not the order in which colours appear.
#pragma once

#include <cstdint>

#include "platform/win/windef.h"
#include "platform/win/wingdi.h"

struct NODE {
    BOOL bIsLeaf;
    UINT nPixelCount;
    // Sums are kept in 64 bits so that very large pictures cannot wrap them.
    std::uint64_t nRedSum;
    std::uint64_t nGreenSum;
    std::uint64_t nBlueSum;
    std::uint64_t nAlphaSum;
    NODE* pChild[8];
    NODE* pNext;  // next reducible node of the same level
};

class CQuantizer {
public:
    CQuantizer(UINT nMaxColors, UINT nColorBits);
    virtual ~CQuantizer();
    CQuantizer(const CQuantizer&) = delete;
    CQuantizer& operator=(const CQuantizer&) = delete;

    // A colour depth above 7 becomes 8; the working maximum is nMaxColors but never below 16.
    // The tree is not freed here (UnInit does that).
    void Init(UINT nMaxColors, UINT nColorBits);
    void UnInit();
    // Adds every pixel of a packed DIB (BITMAPINFOHEADER, colour table, rows) of 1, 4, 8 or 24
    // bits; 1 on success, 0 for any other depth.
    int ProcessImage(void* dib);
    UINT GetColorCount() const { return m_nLeafCount; }
    // Writes one entry per leaf (merged down to the requested count when that is below 16).
    void SetColorTable(RGBQUAD* prgb);

protected:
    void AddColor(NODE** ppNode, BYTE r, BYTE g, BYTE b, BYTE a, UINT nColorBits, UINT nLevel, UINT* pLeafCount,
                  NODE** pReducibleNodes);
    NODE* CreateNode(UINT nLevel, UINT nColorBits, UINT* pLeafCount, NODE** pReducibleNodes);
    void ReduceTree(UINT nColorBits, UINT* pLeafCount, NODE** pReducibleNodes);
    void DeleteTree(NODE** ppNode);
    // Writes the leaves in tree order from *pIndex on, at most `capacity` entries in all.
    void GetPaletteColors(NODE* pTree, RGBQUAD* prgb, UINT* pIndex, UINT* pSum, UINT capacity);
    BYTE GetPixelIndex(long x, long y, int nbit, long effwdt, const BYTE* pimage) const;

    NODE* m_pTree = nullptr;
    UINT m_nLeafCount = 0;
    NODE* m_pReducibleNodes[9] = {};
    UINT m_nMaxColors = 0;
    UINT m_nOutputMaxColors = 0;
    UINT m_nColorBits = 0;
};
