#include "views/editor/cbRect.h"

#include <cstdio>

void cbRect::SetRect(CPoint a, CPoint b) {
    m_rect = CRect(a.x, a.y, b.x, b.y);
    m_rect.NormalizeRect();
}

void cbRect::SetRect(const CRect& r) {
    m_rect = r;
    m_rect.NormalizeRect();
}

CPoint cbRect::GetCorner(int handle) const {
    switch (handle) {
    case 1: return {m_rect.left, m_rect.top};
    case 2: return {m_rect.right, m_rect.top};
    case 3: return {m_rect.right, m_rect.bottom};
    case 4: return {m_rect.left, m_rect.bottom};
    default: return {};
    }
}

CRect cbRect::GetHandleRect(int handle) const {
    CPoint c = GetCorner(handle);
    constexpr int half = kHandleSize / 2;
    return CRect(c.x - half, c.y - half, c.x + half, c.y + half);
}

int cbRect::HitHandle(CPoint p) const {
    if (IsEmpty()) return 0;
    for (int handle = 1; handle <= 4; ++handle)
        if (GetHandleRect(handle).PtInRect(p)) return handle;
    return 0;
}

CRect cbRect::ResizedRect(int handle, CPoint p) const {
    if (handle < 1 || handle > 4) return m_rect;
    CPoint anchor = GetAnchor(handle);
    CRect r(anchor.x, anchor.y, p.x, p.y);
    r.NormalizeRect();
    return r;
}

CRect cbRect::ToScreen(const CRect& r) const {
    auto scale = [this](LONG v) { return static_cast<LONG>(v * m_dZoom); };
    return CRect(m_ptOrigin.x + scale(r.left), m_ptOrigin.y + scale(r.top), m_ptOrigin.x + scale(r.right),
                 m_ptOrigin.y + scale(r.bottom));
}

CString cbRect::GetSizeLabel() const {
    char text[32];
    std::snprintf(text, sizeof text, "%3d x %3d", static_cast<int>(m_rect.Width()), static_cast<int>(m_rect.Height()));
    return text;
}
