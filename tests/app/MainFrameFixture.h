// What the widget tests of the main frame share: one QApplication, and a frame made on a fresh
// home with the model data installed and every dialog routed through a test's answer.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "common/Gandry.h"
#include "platform/brelt/Brelt.h"
#include "tests/catalogue/Fixture.h"
#include "tests/support/FrameData.h"
#include "tests/support/WidgetApp.h"

namespace apptest {

inline QApplication& App() { return testsupport::WidgetApp(); }

class MainFrameTest : public cattest::CatalogueTest {
protected:
    MainFrameTest() {
        App();
        CBrelt::Unload();
        testsupport::InstallModels(home);
        // Tests before may have left another model chosen.
        CGandry::m_enumModel = static_cast<MODEL_SELECT>(0);
        frame = std::make_unique<CMainFrame>();
        EXPECT_TRUE(frame->OnCreate(false));
        // What the start said in message boxes is no test's business.
        boxes.clear();
        frame->SetDialogRunner([this](QDialog& dlg) {
            titles.push_back(dlg.windowTitle().toStdString());
            if (!answer) return static_cast<int>(QDialog::Rejected);
            answer(dlg);
            return dlg.result();
        });
    }
    ~MainFrameTest() override { frame.reset(); }

    // Whether the command's menu action is enabled after the frame updated its commands.
    bool Enabled(int id) {
        frame->UpdateCommands();
        QAction* a = frame->Action(id);
        EXPECT_NE(a, nullptr) << id;
        return a && a->isEnabled();
    }
    // Pictures in the all-photos album with the browser handed to the frame, nothing selected.
    void Pictures(std::initializer_list<std::string> names, int width = 64, int height = 48) {
        int seed = 0;
        for (const std::string& n : names) Photo(n, width, height, seed++);
        view->SetAlbum(99, 0);
        frame->SetBrowser(view.get());
        for (vxImage* item : view->GetVector()) item->m_bSelected = 0;
    }

    std::unique_ptr<CMainFrame> frame;
    std::function<void(QDialog&)> answer;  // null: the dialog is cancelled
    std::vector<std::string> titles;       // of every dialog opened
};

}  // namespace apptest
