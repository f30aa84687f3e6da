// The one QApplication of the dialog tests, made by whichever test needs it first.
#pragma once

#include <QApplication>
#include "tests/support/WidgetApp.h"

inline QApplication& DialogsApp() { return testsupport::WidgetApp(); }
