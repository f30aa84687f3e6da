// CMessageBoxDialog: the program's message box. It lays itself out from the message text,
// carries the program's icons and skinned buttons, and returns the same results as the system
// message box (IDOK, IDYES, ...). The rules (buttons, default, cancel, icon, layout) come from
// CMessageBoxLogic.
#pragma once

#include <QIcon>

#include <functional>
#include <string>
#include <vector>

#include "views/controls/BaseDialog.h"
#include "views/controls/MessageBoxLogic.h"

class CStBitmap;
class CStaticEx;
class CxSkinButtonEx;

class CMessageBoxDialog : public CBaseDialog {
public:
    CMessageBoxDialog(QWidget* parent, const std::string& message, const std::string& title = {}, UINT style = MB_OK,
                      UINT helpId = 0);
    ~CMessageBoxDialog() override;

    // Shows the box modally and returns the identifier of the button that closed it.
    int DoModal();

    void SetStyle(UINT style) { m_nStyle = style; }
    UINT GetStyle() const { return m_nStyle; }
    void SetMessage(const std::string& text) { m_strMessage = text; }
    void SetMessage(int stringId);
    const std::string& GetMessage() const { return m_strMessage; }
    // Empty (or string 0) means the application's name.
    void SetTitle(const std::string& title) { m_strTitle = title; }
    void SetTitle(int stringId);
    std::string GetTitle() const;
    void SetMessageIcon(const QIcon& icon) { m_icon = icon; }
    void SetMessageIcon(int iconId);
    QIcon GetMessageIcon() const { return m_icon; }

    // Builds and lays out the controls; DoModal and the first show do it once.
    void Initialise();

    // What the box decided, for its callers and tests.
    const std::vector<CMessageBoxLogic::Button>& GetButtons() const { return m_buttons; }
    int GetDefaultButton() const { return m_nDefault; }
    int GetCancelButton() const { return m_nCancel; }
    CxSkinButtonEx* ButtonOf(int id) const;
    const CMessageBoxLogic::Layout& GetLayout() const { return m_layout; }
    int GetWrapWidth() const { return m_nWrapWidth; }
    CSize GetDialogScale() const { return m_scale; }
    CStaticEx* MessageStatic() const { return m_pMessage; }
    CStBitmap* IconStatic() const { return m_pIcon; }
    // The label shown for a string resource: the resource library's, else the built-in one.
    static QString Label(int labelId);

    // What Help does with the help identifier (the program opens its help pages).
    static void SetHelpOpener(std::function<void(UINT)> opener);

    // Escape, Ctrl+Break and closing the window: the cancel result, when there is one.
    void reject() override;
    // Builds the controls before the window first shows, so they show with it.
    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnButton(int id);
    QImage IconImage() const;

    std::string m_strMessage;
    std::string m_strTitle;
    UINT m_nStyle = MB_OK;
    UINT m_nHelpId = 0;
    QIcon m_icon;
    std::vector<CMessageBoxLogic::Button> m_buttons;
    int m_nDefault = -1;
    int m_nCancel = -1;
    CStBitmap* m_pIcon = nullptr;
    CStaticEx* m_pMessage = nullptr;
    std::vector<CxSkinButtonEx*> m_pButtons;
    CMessageBoxLogic::Layout m_layout;
    CSize m_scale;
    int m_nWrapWidth = 0;
    bool m_bInitialised = false;
};

// Makes every AfxMessageBox of the program show a CMessageBoxDialog with `caption`, owned by the
// active window (or the main window). `adjustStyle`, when given, turns the asked style into the
// shown one. A box asked for on a worker thread is shown by the user-interface thread while the
// worker waits. Returns the handler it replaced.
MessageBoxHandler InstallMessageBoxDialog(const std::string& caption, std::function<UINT(UINT)> adjustStyle = {});
