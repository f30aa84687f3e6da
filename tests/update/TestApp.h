// The one QApplication of the test program, created on first use.
#pragma once

#include <QApplication>
#include "tests/support/WidgetApp.h"

inline QApplication& TestApp() { return testsupport::WidgetApp(); }
