// The environment dialog: its colour table and chosen swatch, the defaults, the model list,
// and what it tells the main window when it goes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include <fstream>
#include <vector>

#include "app/DlgEnvironment.h"
#include "app/EnvironmentChoice.h"
#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "tests/support/TempHome.h"
#include "tests/workviews/WidgetHelpers.h"

namespace {

// Stands in for the main window and records the messages it gets.
class MainWindowRecorder : public CMsgTarget {
public:
    MainWindowRecorder() { AfxSetMainWnd(this); }
    ~MainWindowRecorder() override { AfxSetMainWnd(nullptr); }
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override {
        messages.push_back(message);
        return 0;
    }
    std::vector<UINT> messages;
};

// A program folder with the data files of the first `count` table models.
class ModelFolder {
public:
    explicit ModelFolder(int count) {
        std::filesystem::create_directories(std::string(std::getenv("VIMBRO_HOME")) + "/data");
        for (int id = 0; id < count; ++id) {
            std::ofstream(std::string(std::getenv("VIMBRO_HOME")) + "/data/" +
                          CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id)));
        }
    }

private:
    testsupport::TempHome home_;
};

TEST(EnvironmentChoice, ColourTableIsWhiteThenNineteenGreys) {
    const std::vector<COLORREF> expected = {0xFFFFFF, 0xF3F3F3, 0xE6E6E6, 0xD9D9D9, 0xCCCCCC, 0xC0C0C0, 0xB3B3B3,
                                            0xA6A6A6, 0x999999, 0x8D8D8D, 0x808080, 0x737373, 0x666666, 0x5A5A5A,
                                            0x4D4D4D, 0x404040, 0x333333, 0x272727, 0x1A1A1A, 0x0D0D0D};
    const auto& table = CEnvironmentChoice::ColorTable();
    EXPECT_EQ(std::vector<COLORREF>(table.begin(), table.end()), expected);
}

TEST(EnvironmentChoice, ChosenIndexIsTheFirstEqualEntryOrWhite) {
    EXPECT_EQ(CEnvironmentChoice(0, 0xFFFFFF, 0, TRUE).ColorIndex(), 0);
    EXPECT_EQ(CEnvironmentChoice(0, 0x8D8D8D, 0, TRUE).ColorIndex(), 9);
    EXPECT_EQ(CEnvironmentChoice(0, 0x0D0D0D, 0, TRUE).ColorIndex(), 19);
    // Not a grey of the table, or a near miss: white.
    EXPECT_EQ(CEnvironmentChoice(0, 0x0000FF, 0, TRUE).ColorIndex(), 0);
    EXPECT_EQ(CEnvironmentChoice(0, 0x8D8D8E, 0, TRUE).ColorIndex(), 0);
    CEnvironmentChoice choice(0, 0x333333, 0, TRUE);
    EXPECT_EQ(choice.Color(), 0x333333u);
    EXPECT_FALSE(choice.SetColorIndex(20));
    EXPECT_FALSE(choice.SetColorIndex(-1));
    EXPECT_EQ(choice.ColorIndex(), 16);
}

TEST(EnvironmentChoice, DefaultsKeepTheModel) {
    CEnvironmentChoice choice(2, 0x404040, 7, FALSE);
    choice.Defaults();
    EXPECT_EQ(choice.ShowMode(), 0);
    EXPECT_EQ(choice.ColorIndex(), 0);
    EXPECT_EQ(choice.Color(), 0xFFFFFFu);
    EXPECT_EQ(choice.AutoUpgrade(), TRUE);
    EXPECT_EQ(choice.Model(), 7);
}

TEST(EnvironmentChoice, SwatchesSitSideBySideRightOfTheLabel) {
    const CRect label(20, 57, 90, 73);
    EXPECT_EQ(CEnvironmentChoice::SwatchRect(label, 0), CRect(110, 57, 122, 69));
    EXPECT_EQ(CEnvironmentChoice::SwatchRect(label, 19), CRect(338, 57, 350, 69));
    EXPECT_EQ(CEnvironmentChoice::SwatchAt(label, CPoint(110, 57)), 0);
    EXPECT_EQ(CEnvironmentChoice::SwatchAt(label, CPoint(122, 68)), 1);
    EXPECT_EQ(CEnvironmentChoice::SwatchAt(label, CPoint(349, 68)), 19);
    EXPECT_EQ(CEnvironmentChoice::SwatchAt(label, CPoint(350, 60)), -1);
    EXPECT_EQ(CEnvironmentChoice::SwatchAt(label, CPoint(115, 69)), -1);
    EXPECT_EQ(CEnvironmentChoice::SwatchAt(label, CPoint(109, 60)), -1);
}

TEST(EnvironmentChoice, ModelNamesMapToModelsAndUnknownNamesKeepIt) {
    CEnvironmentChoice choice(0, 0xFFFFFF, 0, TRUE);
    EXPECT_TRUE(choice.SetModelByName(CGandry::GetModelnameByModelID(12)));
    EXPECT_EQ(choice.Model(), 12);
    EXPECT_FALSE(choice.SetModelByName("no such phone"));
    EXPECT_EQ(choice.Model(), 12);
}

TEST(DlgEnvironment, OpensWithTheGivenChoices) {
    App();
    ModelFolder models(4);
    CDlgEnvironment dialog(2, 0xB3B3B3, 3, FALSE);
    EXPECT_TRUE(Child<QRadioButton>(&dialog, CDlgEnvironment::IDC_SHOW_KEYWORD)->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(&dialog, CDlgEnvironment::IDC_SHOW_FILENAME)->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(&dialog, CDlgEnvironment::IDC_AUTO)->isChecked());
    auto* list = Child<QComboBox>(&dialog, CDlgEnvironment::IDC_MODEL);
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentIndex(), 3);
    EXPECT_EQ(dialog.GetColorIndex(), 6);
    EXPECT_EQ(dialog.GetModel(), 3);
}

TEST(DlgEnvironment, ClickingASwatchChoosesIt) {
    App();
    ModelFolder models(1);
    CDlgEnvironment dialog(0, 0x123456, 0, TRUE);
    EXPECT_EQ(dialog.GetColorIndex(), 0);
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, dialog.SwatchRect(14).center());
    EXPECT_EQ(dialog.GetColorIndex(), 14);
    EXPECT_EQ(dialog.GetColor(), 0x4D4D4Du);
    // A click beside the swatches changes nothing.
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, dialog.SwatchRect(19).center() + QPoint(12, 0));
    EXPECT_EQ(dialog.GetColorIndex(), 14);
    dialog.show();
    Shot(&dialog, "environment");
}

TEST(DlgEnvironment, ControlsChangeTheChoices) {
    App();
    ModelFolder models(5);
    CDlgEnvironment dialog(0, 0xFFFFFF, 0, TRUE);
    Child<QRadioButton>(&dialog, CDlgEnvironment::IDC_SHOW_TITLE)->click();
    EXPECT_EQ(dialog.GetShowMode(), 1);
    Child<QCheckBox>(&dialog, CDlgEnvironment::IDC_AUTO)->click();
    EXPECT_EQ(dialog.GetAutoUpgrade(), FALSE);
    Child<QComboBox>(&dialog, CDlgEnvironment::IDC_MODEL)->setCurrentIndex(4);
    EXPECT_EQ(dialog.GetModel(), 4);
}

TEST(DlgEnvironment, DefaultsButtonResetsAllButTheModel) {
    App();
    ModelFolder models(4);
    CDlgEnvironment dialog(1, 0x1A1A1A, 2, FALSE);
    auto* defaults = Child<QAbstractButton>(&dialog, CDlgEnvironment::IDC_DEFAULTS);
    ASSERT_NE(defaults, nullptr);
    EXPECT_EQ(defaults->accessibleName(), QStringLiteral("기본값"));
    QTest::mouseClick(defaults, Qt::LeftButton);
    EXPECT_EQ(dialog.GetShowMode(), 0);
    EXPECT_TRUE(Child<QRadioButton>(&dialog, CDlgEnvironment::IDC_SHOW_FILENAME)->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(&dialog, CDlgEnvironment::IDC_SHOW_TITLE)->isChecked());
    EXPECT_EQ(dialog.GetColorIndex(), 0);
    EXPECT_EQ(dialog.GetAutoUpgrade(), TRUE);
    EXPECT_TRUE(Child<QCheckBox>(&dialog, CDlgEnvironment::IDC_AUTO)->isChecked());
    EXPECT_EQ(dialog.GetModel(), 2);
    EXPECT_EQ(Child<QComboBox>(&dialog, CDlgEnvironment::IDC_MODEL)->currentIndex(), 2);
}

TEST(DlgEnvironment, OkAndCancelAnswerAndClosingAsksForARepaint) {
    App();
    ModelFolder models(1);
    MainWindowRecorder main;
    {
        CDlgEnvironment dialog(0, 0xFFFFFF, 0, TRUE);
        dialog.show();
        QTest::mouseClick(Child<QAbstractButton>(&dialog, IDOK), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(main.messages.empty());
    }
    EXPECT_EQ(main.messages, std::vector<UINT>{WM_THUMB_REPAINT});
    CDlgEnvironment dialog(0, 0xFFFFFF, 0, TRUE);
    dialog.show();
    QTest::mouseClick(Child<QAbstractButton>(&dialog, IDCANCEL), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(DlgEnvironment, SwatchesAreAListOfNamedItemsThatChooseTheColour) {
    App();
    ModelFolder models(1);
    CDlgEnvironment dialog(0, 0xE6E6E6, 0, TRUE);
    dialog.show();
    QAccessibleInterface* list = nullptr;
    for (QObject* child : dialog.children()) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child);
        if (a && a->role() == QAccessible::List) list = a;
    }
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("배경 색상"));
    ASSERT_EQ(list->childCount(), 20);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), QStringLiteral("흰색"));
    EXPECT_EQ(list->child(19)->text(QAccessible::Name), QStringLiteral("회색 19"));
    EXPECT_EQ(list->child(19)->role(), QAccessible::ListItem);
    EXPECT_TRUE(list->child(2)->state().selected);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_EQ(list->indexOfChild(list->child(7)), 7);
    // The item lies over the swatch it names.
    EXPECT_EQ(list->child(7)->rect(), QRect(dialog.mapToGlobal(dialog.SwatchRect(7).topLeft()), QSize(12, 12)));
    auto* action = list->child(7)->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(dialog.GetColorIndex(), 7);
    EXPECT_TRUE(list->child(7)->state().selected);
    EXPECT_FALSE(list->child(2)->state().selected);
}

TEST(DlgEnvironment, AModelBeyondTheListSelectsNothingAndStays) {
    App();
    ModelFolder models(2);
    CDlgEnvironment dialog(0, 0xFFFFFF, CGandry::kTableModelCount + 1, TRUE);
    EXPECT_EQ(Child<QComboBox>(&dialog, CDlgEnvironment::IDC_MODEL)->currentIndex(), -1);
    EXPECT_EQ(dialog.GetModel(), CGandry::kTableModelCount + 1);
}

}  // namespace
