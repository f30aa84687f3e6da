#include "views/editor/cbText.h"

#include "imaging/extImage.h"

cbText::~cbText() { delete m_pTextImage; }

void cbText::SetMode(TEXTMODE mode) {
    m_mode = mode;
    if (mode == TEXTMODE_EDIT) m_bRebuild = true;
}

CRect cbText::GetScreenRect() const {
    auto scale = [this](LONG v) { return static_cast<LONG>(v * m_dZoom); };
    CPoint p(m_ptOrigin.x + scale(m_ptPos.x), m_ptOrigin.y + scale(m_ptPos.y));
    return CRect(p, CSize(scale(m_size.cx), scale(m_size.cy)));
}

void cbText::SetTextImage(extImage* image) {
    if (image == m_pTextImage) return;
    delete m_pTextImage;
    m_pTextImage = image;
}

void cbText::Release() {
    m_ptPos = CPoint();
    m_size = CSize();
    m_mode = TEXTMODE_NONE;
    m_strText.clear();
    SetTextImage(nullptr);
    m_bRebuild = false;
}
