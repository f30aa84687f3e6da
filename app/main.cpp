#include <QApplication>

#include "app/VimbroApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vimbro"));
    // Lets the desktop tie the window to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vimbro-suite"));
    CVimbroApp app;
    if (!app.InitInstance(CVimbroApp::FilesFromArguments(QApplication::arguments().mid(1)))) return 0;
    int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
