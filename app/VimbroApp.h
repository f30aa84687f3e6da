// CVimbroApp: start-up, the common message box and shutdown of Vimbro.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

#include "platform/win/windef.h"

class CMainFrame;
class CSingleInstance;
class QTranslator;

class CVimbroApp {
public:
    static constexpr const char* kGuardName = "ZEL VimbroSuite";
    static constexpr const char* kResourceFile = "Brelt.rcc";
    static constexpr const char* kLoadFailed = "Load Failed ResourceFile";

    CVimbroApp();
    ~CVimbroApp();

    // False when the program must end at once (a second instance, or creation failed).
    // `files` (from the command line or a file manager's "Open with") are imported into the
    // catalogue; a second instance hands them to the first.
    bool InitInstance(const QStringList& files = {});

    // The files named on a command line (without the program's name): options are skipped,
    // relative names are made absolute against the current folder.
    static QStringList FilesFromArguments(const QStringList& arguments);
    int ExitInstance();

    // Registers the language resources of the program folder; on failure says so and the
    // program goes on with its plain look.
    static bool LoadResources(const QString& programDir);

    // The style the box is shown with: an exclamation icon when none is asked for, and the
    // right-aligned buttons bit.
    static UINT BoxStyle(UINT style);

    CMainFrame* mainFrame() const { return m_pMainFrame.get(); }
    const QFont& font() const { return m_font; }
    const QFont& boldFont() const { return m_fontBold; }

private:
    std::unique_ptr<CSingleInstance> m_guard;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<QTranslator> m_pQtKorean;
    QFont m_font;
    QFont m_fontBold;
};
