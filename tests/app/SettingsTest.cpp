#include <gtest/gtest.h>

#include "app/Settings.h"
#include "common/Gandry.h"
#include "tests/support/TempHome.h"
#include "views/controls/Registry.h"

using testsupport::TempHome;

namespace {

void Scramble() {
    CGandry::m_enumShow = static_cast<SHOW_MODE>(2);
    CGandry::m_crBackground = 0x123456;
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(30);
    CGandry::m_bAutoUpgrade = 0;
    CGandry::m_enumOrder = static_cast<SORT_ORDER>(1);
}

}  // namespace

TEST(Settings, FirstStartCreatesAnEmptyKeyAndUsesDefaults) {
    TempHome t;
    Scramble();
    ASSERT_TRUE(VimbroSettings::EnsureKey());
    VimbroSettings::Load();
    EXPECT_EQ(CGandry::m_enumShow, 0);
    EXPECT_EQ(CGandry::m_crBackground, 0xFFFFFFu);
    EXPECT_EQ(CGandry::m_enumModel, 0);
    EXPECT_EQ(CGandry::m_bAutoUpgrade, 1);
    EXPECT_EQ(CGandry::m_enumOrder, 0);
    CRegistry reg;
    ASSERT_EQ(reg.OpenKey(CRegistry::currentUser, "Software\\Vimbro"), 1);
    unsigned long v;
    EXPECT_EQ(reg.GetValue("enumShow", v), 0);
    EXPECT_EQ(reg.GetValue("crBack", v), 0);
    EXPECT_EQ(reg.GetValue("enumModel", v), 0);
    EXPECT_EQ(reg.GetValue("bAuto", v), 0);
}

TEST(Settings, WithoutAKeyEveryValueTakesItsDefault) {
    TempHome t;
    Scramble();
    VimbroSettings::Load();
    EXPECT_EQ(CGandry::m_enumShow, 0);
    EXPECT_EQ(CGandry::m_crBackground, 0xFFFFFFu);
    EXPECT_EQ(CGandry::m_enumModel, 0);
    EXPECT_EQ(CGandry::m_bAutoUpgrade, 1);
}

TEST(Settings, AKeyWithOnlyTheColourKeepsTheOtherDefaults) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "Software\\Vimbro"), 1);
    reg.SetValue("crBack", static_cast<unsigned long>(RGB(10, 20, 30)));
    reg.CloseKey();
    Scramble();
    VimbroSettings::Load();
    EXPECT_EQ(CGandry::m_crBackground, RGB(10, 20, 30));
    EXPECT_EQ(CGandry::m_enumShow, 0);
    EXPECT_EQ(CGandry::m_enumModel, 0);
    EXPECT_EQ(CGandry::m_bAutoUpgrade, 1);
    EXPECT_EQ(CGandry::m_enumOrder, 0);
}

TEST(Settings, StoreWritesAllFourAndLoadReadsThemBack) {
    TempHome t;
    CGandry::m_enumShow = static_cast<SHOW_MODE>(2);
    CGandry::m_crBackground = RGB(1, 2, 3);
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(67);
    CGandry::m_bAutoUpgrade = 0;
    ASSERT_TRUE(VimbroSettings::Store());
    Scramble();
    VimbroSettings::Load();
    EXPECT_EQ(CGandry::m_enumShow, 2);
    EXPECT_EQ(CGandry::m_crBackground, RGB(1, 2, 3));
    EXPECT_EQ(CGandry::m_enumModel, 67);
    EXPECT_EQ(CGandry::m_bAutoUpgrade, 0);
}

TEST(Settings, OutOfRangeValuesTakeTheirDefaults) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "Software\\Vimbro"), 1);
    reg.SetValue("enumShow", 9ul);
    reg.SetValue("enumModel", 66ul);
    reg.CloseKey();
    VimbroSettings::Load();
    EXPECT_EQ(CGandry::m_enumShow, 0);
    EXPECT_EQ(CGandry::m_enumModel, 0);
}
