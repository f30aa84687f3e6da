#include "app/EditorCanvasLink.h"

#include <QEvent>

#include <cstring>

#include "views/editor/ViewMain.h"

CEditorCanvasLink::CEditorCanvasLink(CViewMain* canvas, QObject* parent)
    : QObject(parent), m_pCanvas(canvas), m_text(canvas->GetTextBox()) {
    // The text box starts in the canvas's own text font.
    LOGFONTA lf;
    lf.lfHeight = -15;
    std::strcpy(lf.lfFaceName, "굴림");
    m_text.SetCurrentFont(&lf);
    m_pCanvas->SetTextFont(cbTextWnd::FontFromLogFont(lf));
    m_pCanvas->SetTextEditHook([this](const QRect& screen) { OpenEdit(screen); });
    m_text.SetOnEscape([this] {
        m_text.Release();
        m_pCanvas->viewport()->update();
        m_pCanvas->setFocus(Qt::OtherFocusReason);
    });
    m_pCanvas->viewport()->installEventFilter(this);
}

CEditorCanvasLink::~CEditorCanvasLink() {
    if (m_pCanvas) m_pCanvas->SetTextEditHook(nullptr);
}

CViewMainCore* CEditorCanvasLink::GetCore() {
    return m_pCanvas.data();
}

void CEditorCanvasLink::OpenEdit(const QRect& screen) {
    cbText& box = m_pCanvas->GetTextBox();
    const CPoint pos = box.GetLeftTop();
    if (box.GetMode() == TEXTMODE_EDIT) {
        m_text.CreateEdit(m_pCanvas->GetEditParent(), screen.x(), screen.y(), pos.x, pos.y, screen.width(),
                          screen.height());
        m_text.SetMode(TEXTMODE_EDIT);
    } else if (box.GetMode() == TEXTMODE_REEDIT) {
        m_text.ModifyEdit(m_pCanvas->GetEditParent(), screen.x(), screen.y(), screen.width(), screen.height());
        m_text.SetMode(TEXTMODE_REEDIT);
    }
}

void CEditorCanvasLink::SetFont(const LOGFONTA& font) {
    m_pCanvas->SetTextFont(cbTextWnd::FontFromLogFont(font));
    m_text.ApplyFont(font);
    m_pCanvas->viewport()->update();
}

void CEditorCanvasLink::CopyIntoClipboard(const CString* text) {
    if (text) cbTextWnd::CopyIntoClipboard(*text);
}

void CEditorCanvasLink::PasteFromClipboard() {
    m_text.PasteFromClipboard();
}

LRESULT CEditorCanvasLink::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_pCanvas->SendMessage(message, wParam, lParam);
}

void CEditorCanvasLink::RepaintNow() {
    m_pCanvas->viewport()->repaint();
}

bool CEditorCanvasLink::eventFilter(QObject* watched, QEvent* event) {
    // Before each paint the control follows the box: the canvas places or drops it on its own.
    if (m_pCanvas && watched == m_pCanvas->viewport() && event->type() == QEvent::Paint) m_text.SyncWithState();
    return QObject::eventFilter(watched, event);
}
