// The one QApplication of the dialog tests, made by whichever test needs it first.
#pragma once

#include <QApplication>

inline QApplication& DialogsApp() {
    static int argc = 1;
    static char name[] = "test_dialogs";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
