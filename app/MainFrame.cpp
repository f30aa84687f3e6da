#include "app/MainFrame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPalette>
#include <QThread>
#include <QWidget>

#include "app/Settings.h"
#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "update/SplashScreenFx.h"

namespace {

// How long the start-up splash stays when no update is due.
constexpr int kSplashHoldMs = 2000;

// Keeps the splash painted while it holds; input waits until start-up is done.
void HoldSplash(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
}

}  // namespace

CMainFrame::CMainFrame() {
    setWindowTitle(QString::fromUtf8(kTitle));
    setMinimumSize(kMinWidth, kMinHeight);
    setCentralWidget(new QWidget(this));
    AfxSetMainWnd(this);
}

CMainFrame::~CMainFrame() {
    if (AfxGetMainWnd() == this) AfxSetMainWnd(nullptr);
}

bool CMainFrame::OnCreate() {
    VimbroSettings::Load();
    ApplyBackground();
    // Last: the frame is not shown before the check is done.
    RunUpdateCheck(false);
    return true;
}

void CMainFrame::RunUpdateCheck(bool fromUserClick) {
    // Waiting for the user's click lets the frame's commands run; a second check started
    // from there would run inside the first.
    if (m_bCheckingUpdate) return;
    m_bCheckingUpdate = true;
    // The splash deletes itself once Hide has destroyed its window.
    auto* splash = new CSplashScreenFx;
    splash->Create(this, "", 0, CSplashScreenFx::kStartupStyle);
    splash->SetFromUserClick(fromUserClick);
    splash->Initialize();
    if (fromUserClick) {
        splash->CheckUpdateIsNow();
        splash->StartUpgrade();
    } else if (splash->CheckUpdateIsNow()) {
        splash->StartUpgrade();
    } else {
        HoldSplash(kSplashHoldMs);
    }
    splash->Hide();
    m_bCheckingUpdate = false;
}

void CMainFrame::ApplyBackground() {
    const COLORREF c = CGandry::m_crBackground;
    QPalette palette = centralWidget()->palette();
    palette.setColor(QPalette::Window, QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    centralWidget()->setPalette(palette);
    centralWidget()->setAutoFillBackground(true);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_THUMB_REPAINT:
            centralWidget()->update();
            return 0;
        case WM_IGNORED:
        default:
            return 0;
    }
}

void CMainFrame::RaiseMaximized() {
    showMaximized();
    raise();
    activateWindow();
}
