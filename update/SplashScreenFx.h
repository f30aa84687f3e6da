// CSplashScreenFx: the update check shown in the start-up splash. Each step of the check
// (CUpdateManager) appears as the splash's status line and one step of its progress bar; a
// failure turns the line red.
//
// Start-up: new CSplashScreenFx; Create(frame, "", 0, 15); SetFromUserClick(flag);
// Initialize(); CheckUpdateIsNow() and StartUpgrade(); Hide(), after which the object deletes
// itself.
#pragma once

#include "update/SplashScreenEx.h"
#include "update/UpdateManager.h"

class CSkinProgress;

class CSplashScreenFx : public CSplashScreenEx, public CUpdateManager {
public:
    static constexpr COLORREF kKeyColour = RGB(12, 41, 80);
    static constexpr COLORREF kFailureColour = RGB(255, 0, 0);
    static constexpr UINT kStatusFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;                      // 38
    static constexpr DWORD kStartupStyle = CSS_FADEIN | CSS_FADEOUT | CSS_SHADOW | CSS_CENTERSCREEN;  // 15

    CSplashScreenFx();
    ~CSplashScreenFx() override;

    // Picture, font, text rectangle, progress bar and text format of the splash; then shows it
    // and makes it the active window.
    void Initialize();

    // Covers a placeholder at rect with a skinned progress bar of range range.cx..range.cy,
    // drawn with the Pelloq bitmap skinId.
    bool CreateProgressBar(CRect& rect, CSize& range, DWORD skinId);
    CSkinProgress* GetProgressBar() const { return m_pProgress; }

    void ProgressStep() override;
    void ProgressComplete() override;
    // Lets the event loop run until a left button or a key has gone down.
    void WaitUntilUserConfirm() override;

protected:
    void StatusChanged(const CString& text, bool failed) override;
    // The splash stays painted while the check waits; input waits until the check is done.
    void Wait(DWORD milliseconds) override;
    void RestoreArrowCursor() override;
    void Idle() override;

private:
    QWidget* m_pProgressHost = nullptr;
    CSkinProgress* m_pProgress = nullptr;
};
