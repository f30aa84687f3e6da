#include "app/VimbroApp.h"
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>
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

CStringList ToPaths(const QStringList& files) {
    CStringList paths;
    for (const QString& file : files) paths.push_back(file.toStdString());
    return paths;
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

QStringList CVimbroApp::FilesFromArguments(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-'))) continue;
        // A file manager may hand over a file: URL instead of a path.
        const QUrl url(argument);
        const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
        files.append(QFileInfo(path).absoluteFilePath());
    }
    return files;
}

bool CVimbroApp::InitInstance(const QStringList& files) {
    m_guard = std::make_unique<CSingleInstance>(QString::fromUtf8(kGuardName));
    if (!m_guard->Acquire(files)) return false;

    VimbroSettings::EnsureKey();

    // Every AfxMessageBox of every library, from any thread, shows the program's message box.
    InstallMessageBoxDialog(CMainFrame::kTitle, &CVimbroApp::BoxStyle);
    // Without the resource file the windows fall back to their plain look.
    LoadResources(QCoreApplication::applicationDirPath());
    // The program speaks Korean whatever the desktop's language, and so do Qt's own dialogs
    // (opening files, print preview) where the Korean Qt translation is installed.
    m_pQtKorean = std::make_unique<QTranslator>();
    if (m_pQtKorean->load(QLocale(QLocale::Korean, QLocale::SouthKorea), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_pQtKorean.get());

    InstallGuiHelpers();

    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->OnCreate()) return false;
    m_guard->OnRaiseRequest([this] {
        if (m_pMainFrame) m_pMainFrame->RaiseMaximized();
    });
    m_guard->OnOpenRequest([this](const QStringList& later) {
        if (m_pMainFrame) m_pMainFrame->ImportFiles(ToPaths(later));
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
    // Waits behind the first loading of the photos.
    if (!files.isEmpty()) m_pMainFrame->ImportFiles(ToPaths(files));
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
