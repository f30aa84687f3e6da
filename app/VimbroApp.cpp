#include "app/VimbroApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "app/GuiHelpers.h"
#include "app/MainFrame.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "platform/afx/afxwin.h"
#include "platform/brelt/Brelt.h"
#include "views/controls/MessageBoxDialog.h"

namespace {

// The button alignment bit of the program's message box.
constexpr UINT kButtonsRight = 0x10000000u;

QMessageBox::Icon IconOf(UINT style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONHAND: return QMessageBox::Critical;
        case MB_ICONQUESTION: return QMessageBox::Question;
        case MB_ICONASTERISK: return QMessageBox::Information;
        default: return QMessageBox::Warning;
    }
}

QString ButtonText(int id) {
    switch (id) {
        case IDOK: return QStringLiteral("확인");
        case IDCANCEL: return QStringLiteral("취소");
        case IDABORT: return QStringLiteral("중단");
        case IDRETRY: return QStringLiteral("다시 시도");
        case IDIGNORE: return QStringLiteral("무시");
        case IDYES: return QStringLiteral("예");
        case IDNO: return QStringLiteral("아니요");
        default: return QString();
    }
}

}  // namespace

CVimbroApp::CVimbroApp() {
    // "굴림" is the face the program was drawn with; NanumGothic stands in where it is missing.
    m_font.setFamilies({QStringLiteral("굴림"), QStringLiteral("Gulim"), QStringLiteral("NanumGothic")});
    m_font.setPixelSize(12);
    m_fontBold = m_font;
    m_fontBold.setWeight(QFont::Bold);
}

CVimbroApp::~CVimbroApp() = default;

bool CVimbroApp::InitInstance() {
    m_guard = std::make_unique<CSingleInstance>(QString::fromUtf8(kGuardName));
    if (!m_guard->Acquire()) return false;

    VimbroSettings::EnsureKey();

    AfxSetMessageBoxHandler(
        [this](const std::string& text, UINT style, UINT helpId) { return DoMessageBox(text, style, helpId); });
    InstallMessageBoxDialog(CMainFrame::kTitle, &CVimbroApp::BoxStyle);
    // Without the resource file the windows fall back to their plain look.
    LoadResources(QCoreApplication::applicationDirPath());

    InstallGuiHelpers();

    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->OnCreate()) return false;
    m_guard->OnRaiseRequest([this] {
        if (m_pMainFrame) m_pMainFrame->RaiseMaximized();
    });
    // The first window opens in the middle of the screen.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        QRect frame(QPoint(0, 0), m_pMainFrame->size().expandedTo(m_pMainFrame->minimumSize()));
        frame.moveCenter(area.center());
        m_pMainFrame->move(frame.topLeft().x() < area.left() ? area.left() : frame.left(),
                           frame.top() < area.top() ? area.top() : frame.top());
    }
    m_pMainFrame->show();
    m_pMainFrame->LoadAllPhotos();
    return true;
}

bool CVimbroApp::LoadResources(const QString& programDir) {
    if (CBrelt::Load(programDir + QStringLiteral("/") + QString::fromUtf8(kResourceFile))) return true;
    AfxMessageBox(kLoadFailed);
    return false;
}

int CVimbroApp::ExitInstance() {
    m_pMainFrame.reset();
    AfxSetMessageBoxHandler(nullptr);
    RemoveGuiHelpers();
    m_guard.reset();
    return 0;
}

UINT CVimbroApp::BoxStyle(UINT style) {
    if ((style & MB_ICONMASK) == 0) style |= MB_ICONEXCLAMATION;
    return style | kButtonsRight;
}

int CVimbroApp::DoMessageBox(const std::string& text, UINT style, UINT) {
    style = BoxStyle(style);
    QWidget* owner = QApplication::activeWindow();
    if (!owner) owner = m_pMainFrame.get();
    QMessageBox box(IconOf(style), QString::fromUtf8(CMainFrame::kTitle), QString::fromStdString(text),
                    QMessageBox::NoButton, owner);
    int defaultId = MessageBoxDefaultResult(style);
    for (int id : MessageBoxButtons(style)) {
        QPushButton* button = box.addButton(ButtonText(id), QMessageBox::AcceptRole);
        button->setProperty("vimbroId", id);
        if (id == defaultId) box.setDefaultButton(button);
        if (id == IDCANCEL || (id == IDOK && MessageBoxButtons(style).size() == 1)) box.setEscapeButton(button);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return IDCANCEL;
    return clicked->property("vimbroId").toInt();
}
