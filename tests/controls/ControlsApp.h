// The one QApplication of the control tests, and a dialog that records the messages its
// controls post.
#pragma once

#include <QApplication>
#include <QTest>

#include <vector>

#include "views/controls/BaseDialog.h"
#include "tests/support/WidgetApp.h"

inline QApplication& ControlsApp() { return testsupport::WidgetApp(); }

// A fixture's first member, so the application exists before its widgets.
struct CAppFirst {
    CAppFirst() { ControlsApp(); }
};

class CRecordingDialog : public CBaseDialog {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Message&) const = default;
    };

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        received.push_back({message, wParam, lParam});
        return 0;
    }

    // Runs the posted messages and hands over what arrived.
    std::vector<Message> Take() {
        QCoreApplication::processEvents();
        std::vector<Message> out;
        out.swap(received);
        return out;
    }

    std::vector<Message> received;
};
