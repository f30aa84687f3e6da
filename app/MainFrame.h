// CMainFrame: the program's only frame window. It receives the system's window messages and
// owns what lives for the whole run.
#pragma once

#include <QMainWindow>

#include "platform/afx/afxwin.h"

class CMainFrame : public QMainWindow, public CMsgTarget {
public:
    static constexpr const char* kTitle = "ZEL VimbroSuite";
    static constexpr int kMinWidth = 1200;
    static constexpr int kMinHeight = 800;

    CMainFrame();
    ~CMainFrame() override;

    // The creation steps in their order; false ends start-up.
    bool OnCreate();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Brings the window to the front, maximised (a second start asked for it).
    void RaiseMaximized();

    // The update check behind the splash: at start-up (fromUserClick false) only when it is
    // due, and then the splash stays two seconds when nothing is to be installed; on the
    // user's request always, ending with a message the user clicks away.
    void RunUpdateCheck(bool fromUserClick);

private:
    void ApplyBackground();

    bool m_bCheckingUpdate = false;
};
