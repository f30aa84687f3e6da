// The one QApplication of a widget test program, made on first use; a test file that comes
// first in the program makes it, the others find it.
#pragma once

#include <QApplication>

namespace testsupport {

inline QApplication& WidgetApp() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
    static int argc = 1;
    static char name[] = "vimbro-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace testsupport
