// cbText: the text box the canvas places on the picture. This is its window-less state: where it
// sits (picture pixels), its size, its text mode, its text and the text picture pasted into the
// picture. The edit control that types the text and the drawing of the text picture belong to the
// widget side, which keeps the text here in step with its control.
#pragma once

#include "platform/win/windef.h"

class extImage;

// 0 none, 1 editing a new text, 2 placed, 3 re-editing, 4 merged into the picture (LCD mode).
enum TEXTMODE { TEXTMODE_NONE = 0, TEXTMODE_EDIT = 1, TEXTMODE_PLACED = 2, TEXTMODE_REEDIT = 3, TEXTMODE_MERGED = 4 };

class cbText {
public:
    cbText() = default;
    ~cbText();
    cbText(const cbText&) = delete;
    cbText& operator=(const cbText&) = delete;

    void SetMode(TEXTMODE mode);
    TEXTMODE GetMode() const { return m_mode; }
    // 1 when the box holds no text.
    int IsEmpty() const { return m_strText.empty() ? 1 : 0; }
    void SetText(const CString& text) { m_strText = text; m_bRebuild = true; }
    const CString& GetText() const { return m_strText; }

    // 1 when the picture point lies in (x, y, x + width, y + height).
    int PtInRect(CPoint p) const { return GetRect().PtInRect(p) ? 1 : 0; }
    void MovePoint(int dx, int dy) { m_ptPos.Offset(dx, dy); }
    void SetLeftTop(CPoint p) { m_ptPos = p; }
    CPoint GetLeftTop() const { return m_ptPos; }
    void SetTextSize(CSize size) { m_size = size; }
    CSize GetTextSize() const { return m_size; }
    CRect GetRect() const { return CRect(m_ptPos, m_size); }

    // Screen origin of the picture and zoom, given by the canvas.
    void SetOffset(int x, int y) { m_ptOrigin = CPoint(x, y); }
    CPoint GetOffset() const { return m_ptOrigin; }
    void Zoom(double zoom) { m_dZoom = zoom; }
    double GetZoom() const { return m_dZoom; }
    // Where the box is drawn: origin + trunc(position x zoom), size trunc(size x zoom).
    CRect GetScreenRect() const;

    // The text picture (owned; transparent where it carries no text); null until one is made.
    void SetTextImage(extImage* image);
    extImage* GetTextImage() const { return m_pTextImage; }
    bool NeedsRebuild() const { return m_bRebuild; }
    void SetRebuild(bool rebuild) { m_bRebuild = rebuild; }

    // Position and size 0, mode 0, text picture freed, text cleared.
    void Release();

private:
    CPoint m_ptPos;
    CSize m_size;
    CPoint m_ptOrigin;
    double m_dZoom = 1.0;
    TEXTMODE m_mode = TEXTMODE_NONE;
    CString m_strText;
    extImage* m_pTextImage = nullptr;
    bool m_bRebuild = false;
};
