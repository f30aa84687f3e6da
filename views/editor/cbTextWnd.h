// cbTextWnd: the window side of the canvas's text box. It owns the multi-line edit control that
// floats over the canvas while a text is typed, keeps the text box state (cbText, held by the
// canvas core) in step with it, grows the control with its text, and draws the text picture: the
// text on the key colour (255, 255, 254), optionally over a silver shadow.
#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSize>

#include <functional>

#include "platform/win/windef.h"
#include "platform/win/wingdi.h"
#include "views/editor/cbText.h"

class QPainter;

// The edit control (control ID 7282): no frame, no wrapping, no scroll bars, painted in the text
// colour. Escape asks the owner to drop the whole text box.
class CTextEditCtrl : public QPlainTextEdit {
public:
    static constexpr int IDC_TEXT_EDIT = 7282;
    explicit CTextEditCtrl(QWidget* parent);
    void SetTextColor(COLORREF color);
    void SetOnEscape(std::function<void()> onEscape) { m_onEscape = std::move(onEscape); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> m_onEscape;
};

class cbTextWnd {
public:
    // The key colour of text pictures: white but for one step of blue, so white text survives.
    static constexpr COLORREF kKeyColor = RGB(255, 255, 254);
    static constexpr COLORREF kShadowColor = RGB(192, 192, 192);

    explicit cbTextWnd(cbText& state);
    ~cbTextWnd();
    cbTextWnd(const cbTextWnd&) = delete;
    cbTextWnd& operator=(const cbTextWnd&) = delete;

    // Stores position and size (picture pixels) and shows the edit control at the screen point
    // with that size, creating it on first use; the control takes the focus.
    void CreateEdit(QWidget* parent, int screenX, int screenY, int x, int y, int width, int height);
    // Moves the existing control to the screen point with the size (width + 20, height + 100).
    void ModifyEdit(QWidget* parent, int screenX, int screenY, int width, int height);
    void SetCurrentFont(const LOGFONTA* font);
    // A new font from the text tools: the text picture is made again, at once when the text is
    // placed. True when the placed text changed and wants a repaint.
    bool ApplyFont(const LOGFONTA& font);
    const LOGFONTA& GetLogFont() const { return m_logFont; }
    QFont GetFont() const { return m_font; }
    // The absolute font height.
    int GetFontHeight() const { return m_nFontHeight; }
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_crText; }
    void SetShadow(bool shadow);
    bool GetShadow() const { return m_bShadow; }

    void SetMode(TEXTMODE mode);
    TEXTMODE GetMode() const { return m_state.GetMode(); }
    // Inserts UTF-8 text at the control's selection; the caret follows the inserted text.
    void Paste(const char* text);
    int IsEmpty() const;

    // Rebuilds the text picture from the control's text when the rebuild flag is set.
    void RemakeTextImage();
    // In text mode 2, the text picture at its place and zoom.
    void Draw(QPainter& painter) const;
    // Position and size 0, mode 0, picture freed, the control emptied and hidden.
    void Release();
    // Follows mode changes the canvas made on the state alone: a placed text hides the control
    // and gets its picture, a released box empties and hides it. True when anything changed.
    bool SyncWithState();
    // Escape in the control: the canvas drops the box and repaints; without a handler the box
    // releases itself.
    void SetOnEscape(std::function<void()> onEscape) { m_onEscape = std::move(onEscape); }

    CTextEditCtrl* GetEdit() const { return m_pEdit; }
    cbText& State() { return m_state; }

    // The text's size in a font, as a multi-line block without prefix processing.
    static QSize MeasureText(const QFont& font, const QString& text);
    // The growth rule of the control: from the font height a, the client size and the text
    // size, the new control size; false when neither axis asks for a change.
    static bool CalcGrow(int a, QSize client, QSize text, QSize& grown);
    // Puts the text on the clipboard; the text box reads it back with PasteFromClipboard.
    static void CopyIntoClipboard(const CString& text);
    // Pastes the clipboard's text into the box; false when there is none.
    bool PasteFromClipboard();

    static QFont FontFromLogFont(const LOGFONTA& font);

private:
    void Grow();
    void OnTextChanged();

    cbText& m_state;
    QPointer<CTextEditCtrl> m_pEdit;
    LOGFONTA m_logFont;
    QFont m_font;
    int m_nFontHeight = 10;
    COLORREF m_crText = RGB(0, 0, 0);
    bool m_bShadow = false;
    bool m_bSyncing = false;
    std::function<void()> m_onEscape;
};
