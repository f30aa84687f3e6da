#include <gtest/gtest.h>

#include "platform/win/windef.h"

TEST(WinDef, ColourMacrosUseWindowsByteOrder) {
    COLORREF c = RGB(12, 41, 80);
    EXPECT_EQ(c, 0x50290Cu);
    EXPECT_EQ(GetRValue(c), 12);
    EXPECT_EQ(GetGValue(c), 41);
    EXPECT_EQ(GetBValue(c), 80);
    EXPECT_EQ(LOWORD(0x12345678u), 0x5678);
    EXPECT_EQ(HIWORD(0x12345678u), 0x1234);
}

TEST(WinDef, RectGeometry) {
    CRect r(10, 20, 4, 2);
    EXPECT_TRUE(r.IsRectEmpty());
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(4, 2, 10, 20));
    EXPECT_EQ(r.Width(), 6);
    EXPECT_EQ(r.Height(), 18);
    EXPECT_TRUE(r.PtInRect(CPoint(4, 2)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5)));  // the right edge is outside
    EXPECT_FALSE(r.PtInRect(CPoint(5, 20)));
    r.OffsetRect(1, -2);
    EXPECT_EQ(r, CRect(5, 0, 11, 18));
}

TEST(WinDef, RectIntersectAndUnion) {
    CRect out;
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(out, CRect(5, 5, 10, 10));
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_EQ(out, CRect(0, 0, 0, 0));
    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 7)));
    EXPECT_EQ(out, CRect(0, 0, 6, 7));
    EXPECT_TRUE(out.UnionRect(CRect(), CRect(2, 2, 3, 3)));
    EXPECT_EQ(out, CRect(2, 2, 3, 3));
}

TEST(WinDef, LayoutsMatchWindows) {
    EXPECT_EQ(sizeof(RGBQUAD), 4u);
    EXPECT_EQ(sizeof(CSize), 8u);
    RGBQUAD q{1, 2, 3, 0};
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&q);
    EXPECT_EQ(bytes[0], 1);  // blue first
    EXPECT_EQ(bytes[2], 3);
}
