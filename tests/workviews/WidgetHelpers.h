// What the widget tests of the work views share.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

#include "platform/brelt/Brelt.h"
#include "tests/support/WidgetApp.h"

namespace {

QApplication* App() {
    static QApplication* app = [] {
        QApplication* made = &testsupport::WidgetApp();
        // Pictures for a look by eye may use the real resources; the tests themselves run on the
        // plain fallbacks.
        if (const QByteArray rcc = qgetenv("VIMBRO_SHOTS_BRELT"); !rcc.isEmpty()) CBrelt::Load(QString::fromUtf8(rcc));
        return made;
    }();
    return app;
}

// Children are found by their control ID.
template <typename T = QWidget>
T* Child(QWidget* parent, int id) {
    return parent->findChild<T*>(QString::number(id));
}

// A key on a control; what the control posts is handled before this returns.
[[maybe_unused]] void Key(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
    QCoreApplication::processEvents();
}

// With VIMBRO_SHOTS set, a view or dialog is saved there as a picture to look at.
[[maybe_unused]] void Shot(QWidget* widget, const char* name) {
    const QByteArray folder = qgetenv("VIMBRO_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(QString::fromUtf8(folder));
    widget->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

}  // namespace
