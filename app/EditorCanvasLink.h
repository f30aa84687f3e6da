// CEditorCanvasLink: joins the effect panel and the text box window to the editor canvas. It
// opens the text box's edit control where the canvas asks for it, keeps the control in step with
// what the canvas decides about the box (placed, dropped), and carries the panel's fonts,
// symbols and brightness to the canvas.
#pragma once

#include <QObject>
#include <QPointer>

#include "app/DlgEffect.h"
#include "views/editor/cbTextWnd.h"

class CViewMain;

class CEditorCanvasLink : public QObject, public CEffectCanvas {
public:
    explicit CEditorCanvasLink(CViewMain* canvas, QObject* parent = nullptr);
    ~CEditorCanvasLink() override;

    CViewMainCore* GetCore() override;
    cbTextWnd* GetTextWnd() override { return &m_text; }
    void SetFont(const LOGFONTA& font) override;
    void CopyIntoClipboard(const CString* text) override;
    void PasteFromClipboard() override;
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RepaintNow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenEdit(const QRect& screen);

    // The canvas may go first when the editor view is taken down.
    QPointer<CViewMain> m_pCanvas;
    cbTextWnd m_text;
};
