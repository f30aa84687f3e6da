// cbRect: the canvas's selection rectangle (crop and red-eye). It lives in picture pixels; the
// origin and zoom only say where it lands on screen. Corners are numbered as the handles are:
// 1 top-left, 2 top-right, 3 bottom-right, 4 bottom-left.
#pragma once

#include "platform/win/windef.h"

class cbRect {
public:
    // Side of a handle square, centred on its corner, in picture pixels.
    static constexpr int kHandleSize = 20;
    // Display styles: 1 shows the size label, 3 (red-eye) shows none.
    static constexpr int kStyleLabel = 1;
    static constexpr int kStyleRedeye = 3;

    cbRect() = default;

    // From two points in any order; the result is normalised (left <= right, top <= bottom).
    void SetRect(CPoint a, CPoint b);
    void SetRect(const CRect& r);
    const CRect& GetRect() const { return m_rect; }
    void Clear() { m_rect.SetRectEmpty(); }
    bool IsEmpty() const { return m_rect.IsRectEmpty(); }
    bool PtInRect(CPoint p) const { return m_rect.PtInRect(p); }
    void Move(int dx, int dy) { m_rect.OffsetRect(dx, dy); }

    // Corner 1-4 (top-left, top-right, bottom-right, bottom-left); (0, 0) for any other number.
    CPoint GetCorner(int handle) const;
    // The handle square of a corner, in picture pixels.
    CRect GetHandleRect(int handle) const;
    // The first handle (in the order 1-4) whose square holds p, 0 when none or the rectangle is empty.
    int HitHandle(CPoint p) const;
    // The corner that stays put while a handle is dragged: the opposite one.
    CPoint GetAnchor(int handle) const { return GetCorner(handle == 0 ? 0 : (handle + 1) % 4 + 1); }
    // The rectangle resizing from `handle` to p gives, without changing this one.
    CRect ResizedRect(int handle, CPoint p) const;
    void Resize(int handle, CPoint p) { m_rect = ResizedRect(handle, p); }

    // Drawing state, given by the canvas.
    void SetOrigin(CPoint origin) { m_ptOrigin = origin; }
    CPoint GetOrigin() const { return m_ptOrigin; }
    void SetZoom(double zoom) { m_dZoom = zoom; }
    double GetZoom() const { return m_dZoom; }
    void SetStyle(int style) { m_nStyle = style; }
    int GetStyle() const { return m_nStyle; }
    // Where a picture rectangle lands on screen: origin + trunc(edge x zoom).
    CRect ToScreen(const CRect& r) const;
    CRect GetScreenRect() const { return ToScreen(m_rect); }
    // The size label of style 1: "%3d x %3d" of width and height.
    CString GetSizeLabel() const;

private:
    CRect m_rect;
    CPoint m_ptOrigin;
    double m_dZoom = 1.0;
    int m_nStyle = kStyleLabel;
};
