// The canvas core: loading, modes, zoom, scrolling, the selection and the LCD fitting window.
// The pixel operations and the undo stack are in ViewMainOps.cpp.
#include "views/editor/ViewMainCore.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

#include "imaging/extImage.h"
#include "views/catalogue/vxImage.h"

namespace {

LONG Scale(LONG v, float factor) { return static_cast<LONG>(static_cast<float>(v) * factor); }

// Default LCD size of the models 0-36, used until the host sets one.
CSize DefaultLCDSize(int model) {
    switch (model) {
    case 0: case 2: case 5: case 6: case 8: case 9: case 10: case 17: case 18: case 19: case 20: case 21: case 22:
    case 26:
        return {176, 144};
    case 1: return {128, 160};
    case 3: case 4: return {128, 128};
    case 11: case 12: return {240, 180};
    case 7: case 13: case 14: case 15: case 16: case 23: case 24: case 25: case 27: case 28: case 29: case 30:
    case 31: case 32: case 33: case 34: case 35: case 36:
        return {240, 320};
    default: return {};
    }
}

}  // namespace

CViewMainCore::CViewMainCore() { SetModel(0); }

CViewMainCore::~CViewMainCore() {
    Release();
    Release_Crop();
    Release_Clip();
}

// --- loading and state ------------------------------------------------------------------------

int CViewMainCore::LoadPicture(const CString& path) {
    Release();
    m_text.Release();
    m_bTimer2 = false;
    CString ext = CGandry::FindExtension(path);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    auto* picture = new extImage(path.c_str(), static_cast<unsigned long>(CGandry::FindType(ext)));
    if (!picture->IsValid()) {
        delete picture;
        return 0;
    }
    // The effects work on 24-bit rows; a paletted file would otherwise ignore them.
    if (picture->GetBpp() < 24 && !picture->IncreaseBpp(24)) {
        delete picture;
        return 0;
    }
    m_pImage = picture;
    return 1;
}

void CViewMainCore::AfterLoad(int fit, int& level) {
    // Nothing has been painted for this picture yet: keep its centre in the middle.
    m_ptCentre = CPoint(GetWidth() / 2, GetHeight() / 2);
    RefreshCopies();
    if (fit) {
        FitWindow(level);
        return;
    }
    ApplyZoom(1, 1.0f);
    SetScroll();
    SetOrigin();
    Changed();
}

int CViewMainCore::Load(vxImage* item, int fit, int& level) {
    m_pSelectedVx = item;
    if (item && LoadPicture(item->m_strFullPath)) {
        AfterLoad(fit, level);
    } else {
        // A file that cannot be decoded leaves an empty, usable canvas.
        Release();
        m_text.Release();
        Release_Crop();
        Changed();
    }
    return 1;
}

int CViewMainCore::Load(const CString& path, int fit, int& level) {
    if (!LoadPicture(path)) {
        Release_Crop();
        Changed();
        return 0;
    }
    AfterLoad(fit, level);
    return 1;
}

void CViewMainCore::Release() {
    delete m_pImage;
    m_pImage = nullptr;
    ReleaseEffect();
    Release_Undo();
}

void CViewMainCore::Release_Crop() {
    delete m_pDim;
    delete m_pDisplay;
    m_pDim = m_pDisplay = nullptr;
}

void CViewMainCore::Release_Clip() {
    delete m_pClip;
    m_pClip = nullptr;
}

void CViewMainCore::ReleaseEffect() {
    delete m_pEffectSrc;
    delete m_pEffectDst;
    m_pEffectSrc = m_pEffectDst = nullptr;
}

void CViewMainCore::SetEffectSource(extImage* source) {
    if (source == m_pEffectSrc) return;
    delete m_pEffectSrc;
    m_pEffectSrc = source;
}

void CViewMainCore::SetEffectImage(extImage* destination) {
    if (destination == m_pEffectDst) return;
    delete m_pEffectDst;
    m_pEffectDst = destination;
}

int CViewMainCore::GetWidth() const { return m_pImage ? static_cast<int>(m_pImage->GetWidth()) : 0; }
int CViewMainCore::GetHeight() const { return m_pImage ? static_cast<int>(m_pImage->GetHeight()) : 0; }
int CViewMainCore::IsAnimation() const { return m_pImage && m_pImage->GetNumFrames() > 1 ? 1 : 0; }

void CViewMainCore::SetModel(int model) {
    m_nModel = model;
    if (!m_bLCDSizeByHost) {
        CSize lcd = DefaultLCDSize(model);
        if (lcd.cx > 0) m_sizeLCD = lcd;
    }
}

void CViewMainCore::SetSubExclusive(int exclusive) {
    m_nExclusive = exclusive;
    if (exclusive == 2) SetModeChange(MODE_LCD);
}

// --- modes ------------------------------------------------------------------------------------

void CViewMainCore::MakeCropCopies() {
    Release_Crop();
    if (!m_pImage) return;
    m_pDim = new extImage(*m_pImage, true, false, false);
    RECT whole{0, 0, static_cast<LONG>(m_pDim->GetWidth()), static_cast<LONG>(m_pDim->GetHeight())};
    m_pDim->SelectionAddRect(whole);
    m_pDim->bright(50);
    m_pDisplay = new extImage(*m_pDim, true, false, false);
    // The display copy is bright exactly where the selection (crop) or the crop result (LCD) is.
    if (m_mode == MODE_CROP) UpdateDisplay(CRect(), m_rcSel.GetRect());
    if (m_mode == MODE_LCD) UpdateDisplay(CRect(), m_rcCrop);
}

void CViewMainCore::RefreshCopies() {
    if (m_mode != MODE_CROP && m_mode != MODE_LCD) return;
    MakeCropCopies();
    if (m_mode == MODE_LCD) UpdateCropResult();
}

void CViewMainCore::UpdateDisplay(const CRect& oldRect, const CRect& newRect) {
    if (!m_pDisplay || !m_pDim || !m_pImage) return;
    if (m_pDisplay->GetWidth() != m_pImage->GetWidth() || m_pDisplay->GetHeight() != m_pImage->GetHeight()) return;
    CRect o = ClipToPicture(oldRect), n = ClipToPicture(newRect);
    if (!o.IsRectEmpty()) m_pDisplay->CopyPixel(o, m_pDim);
    if (!n.IsRectEmpty()) m_pDisplay->CopyPixel(n, m_pImage);
}

void CViewMainCore::SetModeChange(CURRENT_MODE mode) {
    CURRENT_MODE old = m_mode;
    m_mode = mode;
    switch (mode) {
    case MODE_LCD:
        m_rcSel.SetRect(CRect(0, 0, m_sizeLCD.cx, m_sizeLCD.cy));
        if (m_text.GetMode() == TEXTMODE_PLACED && m_pImage) {
            // The placed text joins the picture while it is fitted; the clean picture waits in
            // the preview destination until the mode is left.
            m_text.SetMode(TEXTMODE_MERGED);
            SetEffectImage(new extImage(*m_pImage));
            if (m_text.GetTextImage()) m_pImage->CopyPixelWithTrans(m_text.GetTextImage(), m_text.GetRect());
        }
        m_rcSel.SetStyle(cbRect::kStyleLabel);
        MakeCropCopies();
        break;
    case MODE_CROP:
        m_rcSel.SetStyle(cbRect::kStyleLabel);
        MakeCropCopies();
        break;
    case MODE_TEXT:
        if (m_text.GetMode() == TEXTMODE_PLACED) m_bTimer2 = true;
        break;
    case MODE_REDEYE:
        m_rcSel.SetStyle(cbRect::kStyleRedeye);
        break;
    default:
        break;
    }
    if (old != mode) LeaveMode(old);
    Changed();
}

void CViewMainCore::LeaveMode(CURRENT_MODE old) {
    switch (old) {
    case MODE_CROP:
    case MODE_LCD:
        // Crop and LCD modes share the copies; going from one to the other keeps the fresh ones.
        if (m_mode != MODE_CROP && m_mode != MODE_LCD) Release_Crop();
        if (old == MODE_LCD) {
            m_ptDrag = CPoint();
            if (m_text.GetMode() == TEXTMODE_MERGED) {
                m_text.SetMode(TEXTMODE_PLACED);
                if (m_pEffectDst) {
                    delete m_pImage;
                    m_pImage = m_pEffectDst;
                    m_pEffectDst = nullptr;
                }
            }
        }
        break;
    case MODE_TEXT:
        if (m_text.GetMode() == TEXTMODE_EDIT && m_text.IsEmpty()) m_text.Release();
        if (m_text.GetMode() == TEXTMODE_PLACED || m_text.GetMode() == TEXTMODE_NONE) m_bTimer2 = false;
        break;
    case MODE_REDEYE:
        m_bTimer1 = false;
        break;
    default:
        break;
    }
}

void CViewMainCore::SetRealMode(CURRENT_MODE mode) {
    m_mode = mode;
    if (mode != MODE_EFFECT) {
        // While a text is merged for LCD fitting, the destination holds the clean picture.
        if (m_text.GetMode() == TEXTMODE_MERGED)
            SetEffectSource(nullptr);
        else
            ReleaseEffect();
    }
    Changed();
}

void CViewMainCore::Crop() {
    if (m_mode == MODE_CROP || m_mode == MODE_LCD) {
        SetModeChange(MODE_NORMAL);
        SetScroll();
        SetOrigin();
        Invalidate();
    } else {
        SetModeChange(MODE_CROP);
    }
}

void CViewMainCore::Text(int state) { SetModeChange(state == 2 ? MODE_TEXT : MODE_NORMAL); }

void CViewMainCore::Redeye() { SetModeChange(m_mode == MODE_REDEYE ? MODE_NORMAL : MODE_REDEYE); }

// --- screen, zoom, scrolling --------------------------------------------------------------------

void CViewMainCore::SetClientSize(CSize client) {
    CSize oldClient = m_sizeClient;
    m_sizeClient = client;
    if (m_mode == MODE_LCD) {
        // The LCD window re-centres; the picture keeps its place relative to it.
        CPoint lcd((client.cx - m_sizeLCD.cx) / 2, (client.cy - m_sizeLCD.cy) / 2);
        if (!(oldClient == client)) {
            m_ptOrigin = m_ptOrigin + (lcd - m_ptLCD);
            m_mapZoomPos.clear();
        }
        m_ptLCD = lcd;
        UpdateCropResult();
        PassGeometry();
    } else if (m_pImage) {
        SetScroll();
        SetOrigin();
    }
    Invalidate();
}

void CViewMainCore::SetLCDSize(CSize lcd) {
    m_sizeLCD = lcd;
    m_bLCDSizeByHost = true;
    m_rcSel.SetRect(CRect(0, 0, lcd.cx, lcd.cy));
    m_mapZoomPos.clear();
    if (m_mode == MODE_LCD) {
        // A window of another size stays centred in the client area.
        m_ptLCD = CPoint((m_sizeClient.cx - lcd.cx) / 2, (m_sizeClient.cy - lcd.cy) / 2);
        UpdateCropResult();
    }
    Invalidate();
}

void CViewMainCore::Setscreen1() {
    CSize size;
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(m_nModel), 0, size);
    SetLCDSize(size);
}

void CViewMainCore::Setscreen2() {
    CSize size;
    CGandry::GetPhonebookSize(static_cast<MODEL_SELECT>(m_nModel), 1, size);
    SetLCDSize(size);
}

int CViewMainCore::LevelToIndex(int level) { return level > 14 ? level - 14 : level - 16; }

float CViewMainCore::IndexToFactor(int index) {
    if (index == 1) return 1.0f;
    if (index > 1) return 1.0f + static_cast<float>(index - 1) * 0.2f;
    int a = std::abs(index);
    if (index >= -5) return static_cast<float>(11 - a) * 0.1f;
    return 1.0f / static_cast<float>(a - 4);
}

void CViewMainCore::CalcZoomVariable(int level, int& oldIndex, float& oldFactor, int& newIndex,
                                     float& newFactor) const {
    oldIndex = m_nZoomIndex;
    oldFactor = m_fFactor;
    newIndex = LevelToIndex(level);
    newFactor = IndexToFactor(newIndex);
}

void CViewMainCore::ApplyZoom(int index, float factor) {
    m_nZoomIndex = index;
    m_fFactor = factor;
}

void CViewMainCore::Zoomin(int level) {
    int oldIndex, newIndex;
    float oldFactor, newFactor;
    CalcZoomVariable(level, oldIndex, oldFactor, newIndex, newFactor);
    ApplyZoom(newIndex, newFactor);
    SetScroll();
    SetOrigin();
    SetScrollPos(m_ptTarget);
    if (m_mode == MODE_LCD) CalcCropZoom(oldFactor, newFactor, oldIndex, newIndex);
    Invalidate();
}

void CViewMainCore::FitWindow(int& level) {
    if (!m_pImage || m_sizeClient.cx <= 0 || m_sizeClient.cy <= 0) return;
    const int w = GetWidth(), h = GetHeight();
    int found = kMinLevel;
    for (int l = kMaxLevel; l >= kMinLevel; --l) {
        float f = LevelToFactor(l);
        if (Scale(w, f) <= m_sizeClient.cx && Scale(h, f) <= m_sizeClient.cy) {
            found = l;
            break;
        }
    }
    level = found;
    CSize box = m_sizeClient, size(w, h);
    CSize desired = CGandry::CalcDesired(box, size);
    const int oldIndex = m_nZoomIndex;
    const float oldFactor = m_fFactor;
    // A sliver too thin to fit at any whole size keeps the level's own factor, never 0.
    const float exact = static_cast<float>(desired.cx) / static_cast<float>(w);
    ApplyZoom(LevelToIndex(found), exact > 0.0f ? exact : LevelToFactor(found));
    SetScroll();
    SetOrigin();
    SetScrollPos(m_ptTarget);
    if (m_mode == MODE_LCD) CalcCropZoom(oldFactor, m_fFactor, oldIndex, m_nZoomIndex);
    Invalidate();
}

void CViewMainCore::PassGeometry() {
    m_rcSel.SetZoom(m_fFactor);
    m_rcSel.SetOrigin(m_mode == MODE_LCD ? GetLCDPicturePos() : m_ptOrigin);
    m_text.Zoom(m_fFactor);
    CPoint o = m_mode == MODE_LCD ? GetLCDPicturePos() : m_ptOrigin;
    m_text.SetOffset(o.x, o.y);
}

void CViewMainCore::SetScroll() {
    if (m_mode != MODE_LCD) {
        CSize total(Scale(GetWidth(), m_fFactor), Scale(GetHeight(), m_fFactor));
        m_scroll.total = total;
        m_scroll.page = CSize(total.cx / 10, total.cy / 10);
        m_scroll.line = CSize(total.cx / 100, total.cy / 100);
        m_scroll.showHorz = total.cx > m_sizeClient.cx;
        m_scroll.showVert = total.cy > m_sizeClient.cy;
        SetScrollPos(m_ptScroll);
    }
    PassGeometry();
}

void CViewMainCore::SetOrigin() {
    // In LCD mode the picture keeps the place the user dragged it to; InitScroll centres it.
    if (m_mode != MODE_LCD) {
        const CSize scaled(Scale(GetWidth(), m_fFactor), Scale(GetHeight(), m_fFactor));
        const LONG client[2] = {m_sizeClient.cx, m_sizeClient.cy};
        const LONG sc[2] = {scaled.cx, scaled.cy};
        const LONG centre[2] = {m_ptCentre.x, m_ptCentre.y};
        const LONG half[2] = {GetWidth() / 2, GetHeight() / 2};
        LONG origin[2] = {0, 0};
        LONG target[2] = {m_ptTarget.x, m_ptTarget.y};
        for (int axis = 0; axis < 2; ++axis) {
            if (sc[axis] < client[axis]) origin[axis] = (client[axis] - sc[axis]) >> 1;
            if (sc[axis] > client[axis])
                target[axis] = Scale(centre[axis] - half[axis], m_fFactor) + (sc[axis] - client[axis]) / 2;
        }
        m_ptOrigin = CPoint(origin[0], origin[1]);
        m_ptTarget = CPoint(target[0], target[1]);
    }
    PassGeometry();
}

void CViewMainCore::SetScrollPos(CPoint pos) {
    auto clampAxis = [](LONG v, LONG total, LONG client) { return std::clamp<LONG>(v, 0, std::max<LONG>(0, total - client)); };
    if (m_mode == MODE_LCD) {
        m_ptScroll = CPoint();
        return;
    }
    m_ptScroll = CPoint(clampAxis(pos.x, m_scroll.total.cx, m_sizeClient.cx),
                        clampAxis(pos.y, m_scroll.total.cy, m_sizeClient.cy));
}

void CViewMainCore::UpdateLogicalCentre() {
    CPoint c(m_sizeClient.cx / 2, m_sizeClient.cy / 2);
    CalcLogic(&c);
    m_ptCentre = c;
}

void CViewMainCore::CalcLogic(CPoint* p) const {
    p->x = static_cast<LONG>(static_cast<float>(p->x + m_ptScroll.x - m_ptOrigin.x) / m_fFactor);
    p->y = static_cast<LONG>(static_cast<float>(p->y + m_ptScroll.y - m_ptOrigin.y) / m_fFactor);
}

void CViewMainCore::CalcScreen(CPoint* p) const {
    p->x = p->x + m_ptScroll.x - m_ptOrigin.x;
    p->y = p->y + m_ptScroll.y - m_ptOrigin.y;
}

void CViewMainCore::InitScroll() {
    m_scroll.total = CSize(100, 100);
    m_scroll.page = CSize(10, 10);
    m_scroll.line = CSize(1, 1);
    m_scroll.showHorz = m_scroll.showVert = false;
    m_ptScroll = CPoint();
    const CSize scaled(Scale(GetWidth(), m_fFactor), Scale(GetHeight(), m_fFactor));
    m_ptOrigin = CPoint((m_sizeClient.cx - scaled.cx) / 2, (m_sizeClient.cy - scaled.cy) / 2);
    m_ptLCD = CPoint((m_sizeClient.cx - m_sizeLCD.cx) / 2, (m_sizeClient.cy - m_sizeLCD.cy) / 2);
    m_ptDrag = CPoint();
    UpdateCropResult();
    PassGeometry();
    Invalidate();
}

void CViewMainCore::UnInitScroll() {
    SetScroll();
    SetOrigin();
    SetScrollPos(m_ptTarget);
    Invalidate();
}

void CViewMainCore::CreateDirect() {
    if (m_mode != MODE_LCD) return;
    ApplyZoom(1, 1.0f);
    m_mapZoomPos.clear();
    InitScroll();
}

CRect CViewMainCore::CalcCropImage(int picLeft, int picTop, int lcdLeft, int lcdTop) {
    const float f = 1.0f / m_fFactor;
    const int size[2] = {GetWidth(), GetHeight()};
    const int lcd[2] = {m_sizeLCD.cx, m_sizeLCD.cy};
    const int delta[2] = {lcdLeft - picLeft, lcdTop - picTop};
    int lo[2], hi[2], offset[2];
    for (int axis = 0; axis < 2; ++axis) {
        int x = static_cast<int>(static_cast<float>(delta[axis]) * f);
        if (x < 0) {
            // The picture starts inside the window.
            offset[axis] = static_cast<int>(m_fFactor * static_cast<float>(-x));
            lo[axis] = 0;
            hi[axis] = static_cast<int>(f * static_cast<float>(lcd[axis]) - static_cast<float>(-x));
        } else {
            offset[axis] = 0;
            lo[axis] = x;
            hi[axis] = x + static_cast<int>(f * static_cast<float>(lcd[axis]));
        }
        if (hi[axis] < 0) hi[axis] = 0;
        if (hi[axis] > size[axis]) hi[axis] = size[axis];
    }
    m_ptClipOffset = CPoint(offset[0], offset[1]);
    return CRect(lo[0], lo[1], hi[0], hi[1]);
}

void CViewMainCore::UpdateCropResult() {
    CRect old = m_rcCrop;
    CPoint pos = GetLCDPicturePos();
    m_rcCrop = CalcCropImage(pos.x, pos.y, m_ptLCD.x, m_ptLCD.y);
    if (!(old == m_rcCrop)) UpdateDisplay(old, m_rcCrop);
}

CPoint CViewMainCore::GetZoomMemory(int index) const {
    auto it = m_mapZoomPos.find(index);
    return it == m_mapZoomPos.end() ? CPoint() : it->second;
}

void CViewMainCore::CalcCropZoom(float oldFactor, float newFactor, int oldIndex, int newIndex) {
    CPoint pos;
    if (auto it = m_mapZoomPos.find(oldIndex); it != m_mapZoomPos.end()) {
        pos = it->second;
    } else {
        pos = m_ptOrigin;
        if (!m_mapZoomPos.empty()) m_mapZoomPos[oldIndex] = pos;
    }
    // The picture rectangle at the old factor, scaled about its centre.
    const LONG oldW = Scale(GetWidth(), oldFactor), oldH = Scale(GetHeight(), oldFactor);
    const float ratio = newFactor / oldFactor;
    const LONG newW = Scale(oldW, ratio), newH = Scale(oldH, ratio);
    const CPoint centre(pos.x + oldW / 2, pos.y + oldH / 2);
    const CPoint scaledTopLeft(centre.x - newW / 2, centre.y - newH / 2);
    if (auto it = m_mapZoomPos.find(newIndex); it != m_mapZoomPos.end()) {
        m_ptOrigin = it->second;
    } else {
        m_ptOrigin = scaledTopLeft;
        m_mapZoomPos[newIndex] = scaledTopLeft;
    }
    UpdateCropResult();
    PassGeometry();
}

// --- helpers ----------------------------------------------------------------------------------

CRect CViewMainCore::PictureRect() const { return CRect(0, 0, GetWidth(), GetHeight()); }

CRect CViewMainCore::ClipToPicture(const CRect& r) const {
    CRect out;
    out.IntersectRect(r, PictureRect());
    return out;
}

CPoint CViewMainCore::ToLogic(CPoint client) const {
    if (m_mode == MODE_LCD)
        CalcScreen(&client);
    else
        CalcLogic(&client);
    return client;
}

void CViewMainCore::AfterGeometryChange() {
    RefreshCopies();
    SetScroll();
    SetOrigin();
    Changed();
}

// --- mouse ------------------------------------------------------------------------------------

CanvasNotice CViewMainCore::OnLButtonDown(CPoint client, bool /*shift*/) {
    CanvasNotice notice;
    if (m_mode == MODE_EFFECT) return notice;
    if (m_mode == MODE_NORMAL) {
        // Panning works in client pixels.
        m_ptPress = m_ptCurrent = client;
        m_nDrag = 1;
        return notice;
    }
    const CPoint pt = ToLogic(client);
    m_ptPress = m_ptCurrent = pt;
    m_nHandle = 0;
    switch (m_mode) {
    case MODE_CROP:
    case MODE_REDEYE:
        if (!m_pImage) break;
        if (int handle = m_rcSel.HitHandle(pt); handle != 0) {
            m_nDrag = 3;
            m_nHandle = handle;
        } else if (!m_rcSel.IsEmpty() && m_rcSel.PtInRect(pt)) {
            m_nDrag = 2;
        } else {
            m_nDrag = 1;
        }
        m_rcTrack = m_nDrag == 1 ? CRect(pt.x, pt.y, pt.x, pt.y) : m_rcSel.GetRect();
        break;
    case MODE_LCD:
        if (!m_pImage) break;
        m_nDrag = 2;
        m_ptDrag = CPoint();
        break;
    case MODE_TEXT:
        return TextButtonDown(pt);
    default:
        break;
    }
    return notice;
}

CanvasNotice CViewMainCore::TextButtonDown(CPoint pt) {
    CanvasNotice notice;
    notice.repaint = true;
    if (m_text.GetMode() == TEXTMODE_NONE) {
        // A new edit box at the point, a square of the font's height.
        m_text.Release();
        m_text.SetLeftTop(pt);
        m_text.SetTextSize(CSize(m_nTextFontHeight, m_nTextFontHeight));
        m_text.SetMode(TEXTMODE_EDIT);
        return notice;
    }
    if (m_text.GetMode() == TEXTMODE_EDIT || m_text.GetMode() == TEXTMODE_REEDIT) {
        if (m_text.IsEmpty()) {
            m_text.Release();
            m_bTimer2 = false;
            return notice;
        }
        m_text.SetMode(TEXTMODE_PLACED);
        m_bTimer2 = true;
    }
    if (m_text.PtInRect(pt)) m_nDrag = 2;
    return notice;
}

CanvasNotice CViewMainCore::OnMouseMove(CPoint client, bool shift) {
    CanvasNotice notice;
    if (m_nDrag == 0) return notice;
    notice.repaint = true;
    if (m_mode == MODE_NORMAL) {
        CPoint delta = m_ptPress - client;
        SetScrollPos(m_ptScroll + delta);
        m_ptPress = client;
        return notice;
    }
    CPoint pt = ToLogic(client);
    switch (m_mode) {
    case MODE_CROP:
    case MODE_REDEYE:
        if (m_nDrag == 1) {
            if (shift) {
                // Square: as far down (or up) from the press as across, on the mouse's side.
                LONG side = std::abs(pt.x - m_ptPress.x);
                pt.y = m_ptPress.y + (pt.y >= m_ptPress.y ? side : -side);
            }
            m_rcTrack = CRect(m_ptPress.x, m_ptPress.y, pt.x, pt.y);
            m_rcTrack.NormalizeRect();
        } else if (m_nDrag == 2) {
            m_rcTrack = m_rcSel.GetRect();
            m_rcTrack.OffsetRect(pt - m_ptPress);
        } else if (m_nDrag == 3) {
            m_rcTrack = m_rcSel.ResizedRect(m_nHandle, pt);
        }
        break;
    case MODE_LCD:
        m_ptDrag = pt - m_ptPress;
        UpdateCropResult();
        PassGeometry();
        break;
    case MODE_TEXT:
        if (m_nDrag == 2) m_text.MovePoint(pt.x - m_ptCurrent.x, pt.y - m_ptCurrent.y);
        break;
    default:
        break;
    }
    m_ptCurrent = pt;
    return notice;
}

CanvasNotice CViewMainCore::OnLButtonUp(CPoint client, bool shift) {
    CanvasNotice notice;
    if (m_nDrag == 0) return notice;
    notice = OnMouseMove(client, shift);
    notice.repaint = true;
    switch (m_mode) {
    case MODE_CROP:
    case MODE_REDEYE: {
        CRect old = m_rcSel.GetRect();
        m_rcSel.SetRect(m_rcTrack);
        if (m_mode == MODE_CROP) UpdateDisplay(old, m_rcSel.GetRect());
        m_bTimer1 = m_mode == MODE_REDEYE && !m_rcSel.IsEmpty();
        break;
    }
    case MODE_LCD:
        m_ptOrigin = m_ptOrigin + m_ptDrag;
        m_ptDrag = CPoint();
        m_mapZoomPos.clear();
        UpdateCropResult();
        PassGeometry();
        break;
    default:
        break;
    }
    m_nDrag = 0;
    m_nHandle = 0;
    m_rcTrack.SetRectEmpty();
    return notice;
}

CanvasNotice CViewMainCore::OnLButtonDblClk(CPoint client) {
    CanvasNotice notice;
    if (!m_pImage) return notice;
    const CPoint pt = ToLogic(client);
    switch (m_mode) {
    case MODE_CROP: {
        if (m_rcSel.IsEmpty() || !m_rcSel.PtInRect(pt)) break;
        CRect crop = ClipToPicture(m_rcSel.GetRect());
        if (crop.IsRectEmpty()) break;
        CPoint textPos = m_text.GetLeftTop();
        SubmitUndo(textPos.x, textPos.y);
        m_text.MovePoint(-crop.left, -crop.top);
        m_pImage->Crop(crop);
        m_rcSel.Clear();
        Crop();
        notice = {WM_CANVAS_MODE, MODE_NORMAL, true};
        break;
    }
    case MODE_LCD:
        return LCDDoubleClick();
    case MODE_TEXT:
        if (m_text.GetMode() != TEXTMODE_NONE && m_text.PtInRect(pt)) {
            m_text.SetMode(TEXTMODE_REEDIT);
            m_bTimer2 = false;
            notice.repaint = true;
        }
        break;
    case MODE_REDEYE:
        if (m_rcSel.IsEmpty() || !m_rcSel.PtInRect(pt)) break;
        SubmitUndo(0, 0);
        m_pImage->RedEyeRemove(ClipToPicture(m_rcSel.GetRect()));
        Changed();
        notice = {WM_CANVAS_MODE, MODE_REDEYE, true};
        break;
    default:
        break;
    }
    return notice;
}

CanvasNotice CViewMainCore::LCDDoubleClick() {
    CanvasNotice notice;
    notice.repaint = true;
    Release_Clip();
    m_pClip = new extImage(static_cast<DWORD>(std::max<LONG>(m_sizeLCD.cx, 0)),
                           static_cast<DWORD>(std::max<LONG>(m_sizeLCD.cy, 0)), 24);
    if (m_pClip->IsValid()) m_pClip->Clear(255);
    UpdateCropResult();
    const CRect crop = m_rcCrop;
    if (crop.IsRectEmpty()) return notice;

    if (m_nExclusive != 2) {
        if (m_text.GetMode() == TEXTMODE_MERGED && m_pEffectDst) {
            // Take the merged text out again; the box follows the picture's new corner.
            m_pImage->CopyPixel(m_text.GetRect(), m_pEffectDst);
            CPoint textPos = m_text.GetLeftTop();
            SubmitUndo(textPos.x, textPos.y);
            m_text.MovePoint(-crop.left, -crop.top);
            m_text.SetMode(TEXTMODE_PLACED);
            SetEffectImage(nullptr);
        } else {
            SubmitUndo(0, 0);
        }
        m_pImage->Crop(crop);
        if (GetWidth() != m_sizeLCD.cx || GetHeight() != m_sizeLCD.cy) m_pImage->Resample(m_sizeLCD.cx, m_sizeLCD.cy, 2);
        m_rcSel.Clear();
        Crop();
        notice.message = WM_CANVAS_MODE;
        notice.param = MODE_NORMAL;
        return notice;
    }

    // Setting 2: only the clip picture is made; the edited picture stays as it is.
    extImage part;
    if (!m_pImage->Crop(crop, &part)) return notice;
    // The clip shows what the LCD window shows, so any scale other than 1 is applied, also a fit
    // factor that kept index 1.
    if (m_nZoomIndex != 1 || m_fFactor != 1.0f) {
        LONG sw = Scale(static_cast<LONG>(part.GetWidth()), m_fFactor);
        LONG sh = Scale(static_cast<LONG>(part.GetHeight()), m_fFactor);
        // A gap of less than one picture pixel at the window's far edge is closed.
        if (m_ptClipOffset.x == 0 && crop.right < GetWidth() && sw < m_sizeLCD.cx &&
            static_cast<float>(m_sizeLCD.cx) <= static_cast<float>(sw) + m_fFactor)
            sw = m_sizeLCD.cx;
        if (m_ptClipOffset.y == 0 && crop.bottom < GetHeight() && sh < m_sizeLCD.cy &&
            static_cast<float>(m_sizeLCD.cy) <= static_cast<float>(sh) + m_fFactor)
            sh = m_sizeLCD.cy;
        if (sw > 0 && sh > 0) part.Resample(sw, sh);
    }
    if (m_pClip->IsValid() && part.IsValid()) {
        // Kept inside the clip: rounding may leave the part a pixel larger than the room left.
        const int w = std::min<int>(static_cast<int>(part.GetWidth()), m_sizeLCD.cx - m_ptClipOffset.x);
        const int h = std::min<int>(static_cast<int>(part.GetHeight()), m_sizeLCD.cy - m_ptClipOffset.y);
        if (w > 0 && h > 0) m_pClip->CopyPixelDiff(m_ptClipOffset.x, m_ptClipOffset.y, &part, 0, 0, w, h);
    }
    notice.message = WM_CANVAS_NEWCLIP;
    return notice;
}

bool CViewMainCore::OnEscape() {
    if (m_text.GetMode() != TEXTMODE_PLACED || !m_bTimer2) return false;
    m_bTimer2 = false;
    m_text.Release();
    Invalidate();
    return true;
}

CANVAS_CURSOR CViewMainCore::GetCursorKind(CPoint client) const {
    const bool inClient = client.x >= 0 && client.y >= 0 && client.x < m_sizeClient.cx && client.y < m_sizeClient.cy;
    switch (m_mode) {
    case MODE_CROP:
    case MODE_REDEYE: {
        if (m_rcSel.IsEmpty()) break;
        const CPoint pt = ToLogic(client);
        const int handle = m_rcSel.HitHandle(pt);
        if (handle == 1 || handle == 3) return CURSOR_NWSE;
        if (handle == 2 || handle == 4) return CURSOR_NESW;
        if (m_rcSel.PtInRect(pt)) return CURSOR_MOVE;
        break;
    }
    case MODE_TEXT:
        if (m_text.GetMode() != TEXTMODE_NONE && m_text.PtInRect(ToLogic(client))) return CURSOR_MOVE;
        break;
    case MODE_LCD:
        return CURSOR_HAND;
    case MODE_NORMAL:
        if (inClient) return CURSOR_HAND;
        break;
    default:
        break;
    }
    return CURSOR_CLASS;
}

// --- marching ants and painting helpers -------------------------------------------------------

bool CViewMainCore::OnTimer(int id) {
    if ((id == 1 && !m_bTimer1) || (id == 2 && !m_bTimer2) || (id != 1 && id != 2)) return false;
    m_nAntsPhase = (m_nAntsPhase + 1) % 12;
    return true;
}

CRect CViewMainCore::GetAntsRect() const {
    CRect r;
    if (m_mode == MODE_REDEYE && !m_rcSel.IsEmpty()) r = m_rcSel.GetScreenRect();
    else if (m_mode == MODE_TEXT && m_text.GetMode() != TEXTMODE_NONE) r = m_text.GetScreenRect();
    else return CRect();
    // Screen rectangles are in scrolled client space.
    r.OffsetRect(-m_ptScroll.x, -m_ptScroll.y);
    return r;
}

std::vector<CPoint> CViewMainCore::AntsPath(const CRect& r) {
    std::vector<CPoint> path;
    if (r.IsRectEmpty()) return path;
    const LONG right = r.right - 1, bottom = r.bottom - 1;
    for (LONG x = r.left; x <= right; ++x) path.emplace_back(x, r.top);
    for (LONG y = r.top + 1; y <= bottom; ++y) path.emplace_back(right, y);
    if (bottom > r.top)
        for (LONG x = right - 1; x >= r.left; --x) path.emplace_back(x, bottom);
    if (right > r.left)
        for (LONG y = bottom - 1; y > r.top; --y) path.emplace_back(r.left, y);
    return path;
}

CRect CViewMainCore::GetHintRect() const {
    const LONG centre = m_ptLCD.x + m_sizeLCD.cx / 2;
    const LONG below = m_ptLCD.y + m_sizeLCD.cy;
    return CRect(centre - 50, below + 5, centre + 50, below + 25);
}

CRect CViewMainCore::CalcPrintRect(CSize picture, long pictureDpiX, long printerDpiX, long printerDpiY, CSize page) {
    if (picture.cx <= 0 || picture.cy <= 0 || pictureDpiX <= 0 || printerDpiX <= 0 || printerDpiY <= 0) return CRect();
    const double natural = static_cast<double>(picture.cx) * printerDpiX / pictureDpiX;
    const double proportion = static_cast<double>(picture.cy) / picture.cx;
    const double dpi = static_cast<double>(printerDpiY) / printerDpiX;
    LONG w, h;
    if (natural > page.cx) {
        w = page.cx;
        h = static_cast<LONG>(page.cx * proportion * dpi);
    } else {
        h = page.cy;
        w = static_cast<LONG>(page.cy / proportion / dpi);
    }
    // A picture wider (or taller) in proportion than the page would run off the paper: it is
    // fitted on the other axis instead.
    if (w > page.cx) {
        w = page.cx;
        h = static_cast<LONG>(page.cx * proportion * dpi);
    }
    if (h > page.cy) {
        h = page.cy;
        w = static_cast<LONG>(page.cy / proportion / dpi);
    }
    return CRect(100, 100, w, h);
}

CRect CViewMainCore::GetVisiblePictureRect() const {
    if (!m_pImage) return CRect();
    CPoint topLeft = m_mode == MODE_LCD ? GetLCDPicturePos() : m_ptOrigin - m_ptScroll;
    CRect picture(topLeft, CSize(Scale(GetWidth(), m_fFactor), Scale(GetHeight(), m_fFactor)));
    CRect visible;
    visible.IntersectRect(picture, CRect(CPoint(), m_sizeClient));
    return visible;
}

CRect CViewMainCore::CalcPreviewScreen(CSize lcd) {
    const CRect area(22, 50, 139, 161);
    CSize box = area.Size();
    CSize fitted = CGandry::CalcDesired(box, lcd);
    CPoint at(area.left + (box.cx - fitted.cx) / 2, area.top + (box.cy - fitted.cy) / 2);
    return CRect(at, fitted);
}
