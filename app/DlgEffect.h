// CDlgEffect: the editor's effect panel (template 1012): undo and redo, rotations and flips,
// crop, the phone screen sizes, brightness and contrast, and the text tools (font, style,
// colour, symbols, size). It drives the editor canvas and tells the main frame of every canvas
// mode it starts (message 3076); the frame tells it back through SetMode.
#pragma once

#include <QWidget>

#include <functional>

#include "app/EffectLogic.h"
#include "platform/afx/afxwin.h"
#include "platform/win/wingdi.h"

class CViewMainCore;
class cbTextWnd;
class CxSkinButtonEx;
class CStColor;
class CMLSpecialCharListCtrl;
class CDlgBright;
class QComboBox;
class QFontComboBox;
class QFrame;

// What the panel needs of the editor canvas.
class CEffectCanvas {
public:
    virtual ~CEffectCanvas() = default;
    virtual CViewMainCore* GetCore() = 0;
    virtual cbTextWnd* GetTextWnd() = 0;
    // The canvas's font for its text box (marks the text picture for rebuilding).
    virtual void SetFont(const LOGFONTA& font) = 0;
    virtual void CopyIntoClipboard(const CString* text) = 0;
    virtual void PasteFromClipboard() = 0;
    // Window messages to the canvas (3077).
    virtual LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Paints at once (the effect preview is made by the paint).
    virtual void RepaintNow() = 0;
};

class CDlgEffect : public QWidget, public CMsgTarget {
public:
    static constexpr int IDD = 1012;

    explicit CDlgEffect(QWidget* parent = nullptr);
    ~CDlgEffect() override;

    void SetCanvas(CEffectCanvas* canvas) { m_pCanvas = canvas; }
    CEffectCanvas* GetCanvas() const { return m_pCanvas; }
    // The canvas entered mode m (after message 3076).
    void SetMode(int mode);
    // Refills the screen-size combo for the current model (entry 0 selected).
    void FillScreenSizes();
    // Undo and redo follow the canvas.
    void UpdateUndoRedo();

    // The brightness dialog runs through this; tests script it instead of running it.
    using BrightRunner = std::function<int(CDlgBright& dlg)>;
    static BrightRunner SetBrightRunner(BrightRunner runner);

    CxSkinButtonEx* Button(int id) const;
    QComboBox* SizeCombo() const { return m_pSizeCombo; }
    QComboBox* FontSizeCombo() const { return m_pFontSize; }
    QFontComboBox* FontNameCombo() const { return m_pFontName; }
    CStColor* ColorButton() const { return m_pColor; }
    CMLSpecialCharListCtrl* SymbolPicker() const { return m_pSymbols; }
    int GetFontSize() const { return m_nFontSize; }
    const LOGFONTA& GetLogFont() const { return m_logFont; }
    const effect::CEffectState& State() const { return m_state; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The handlers, as the controls call them.
    void OnTool(int id);
    void OnCrop();
    void OnScreen(int id);
    void OnScreenSize();
    void OnSizeComboSelect();
    void OnBright();
    void OnText();
    void OnFontChange();
    void OnFontSizeChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CxSkinButtonEx* MakeButton(int id, const QString& tip, bool checkable, QWidget* parent);
    void ApplyState();
    void SendMode(int mode);
    void EnterLCD();
    void LeaveLCD();
    CViewMainCore* Core() const;

    CEffectCanvas* m_pCanvas = nullptr;
    effect::CEffectState m_state;
    std::map<int, CxSkinButtonEx*> m_buttons;
    QComboBox* m_pSizeCombo;
    QFrame* m_pTextGroup;
    QFontComboBox* m_pFontName;
    CStColor* m_pColor;
    CMLSpecialCharListCtrl* m_pSymbols;
    QComboBox* m_pFontSize;
    LOGFONTA m_logFont;
    int m_nFontSize = effect::kFontSizeDefault;
    bool m_bApplying = false;
};
