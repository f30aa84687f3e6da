#include "app/MainFrame.h"

#include <QPalette>
#include <QWidget>

#include "app/Settings.h"
#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"

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
    return true;
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
