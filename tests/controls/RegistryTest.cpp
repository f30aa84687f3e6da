#include <gtest/gtest.h>

#include "tests/support/TempHome.h"
#include "views/controls/Registry.h"

using testsupport::TempHome;

TEST(CRegistry, MissingDwordReadsZeroAndFails) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "Software\\Vimbro"), 1);
    unsigned long value = 77;
    EXPECT_EQ(reg.GetValue("enumShow", value), 0);
    EXPECT_EQ(value, 0u);
}

TEST(CRegistry, OperationsWithoutAnOpenKeyFail) {
    TempHome t;
    CRegistry reg;
    EXPECT_EQ(reg.OpenKey(CRegistry::currentUser, "Software\\Vimbro"), 0);
    EXPECT_EQ(reg.GetHandle(), nullptr);
    EXPECT_EQ(reg.SetValue("enumShow", 1ul), 0);
    EXPECT_EQ(reg.SetValue("name", "text"), 0);
    CString text = "left";
    EXPECT_EQ(reg.GetValue("name", text), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(reg.DeleteValue("name"), 0);
    EXPECT_EQ(reg.SaveKey((t.root() + "/k").c_str()), 0);
    EXPECT_EQ(reg.RestoreKey((t.root() + "/k").c_str(), 0), 0);
    // Nothing was written: the key still does not exist.
    EXPECT_EQ(reg.OpenKey(CRegistry::currentUser, "Software\\Vimbro"), 0);
}

TEST(CRegistry, DwordsAreFourBytes) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "Software\\Vimbro"), 1);
    EXPECT_EQ(reg.SetValue("crBack", 0x1FFFFFFFFul), 1);  // only the low 32 bits are kept
    unsigned long value = 0;
    EXPECT_EQ(reg.GetValue("crBack", value), 1);
    EXPECT_EQ(value, 0xFFFFFFFFul);
    reg.CloseKey();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "crBack", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    RegCloseKey(key);
}

TEST(CRegistry, DwordReadOfAShortStringTakesItsBytes) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "K"), 1);
    ASSERT_EQ(reg.SetValue("s", "abc"), 1);
    unsigned long value = 0;
    EXPECT_EQ(reg.GetValue("s", value), 1);
    EXPECT_EQ(value, 0x636261ul);
    // A longer string does not fit four bytes: failure, value 0.
    ASSERT_EQ(reg.SetValue("long", "abcdefgh"), 1);
    value = 5;
    EXPECT_EQ(reg.GetValue("long", value), 0);
    EXPECT_EQ(value, 0u);
}

TEST(CRegistry, StringsAreStoredWithoutTheirZeroAndReadThrough256Bytes) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "K"), 1);
    ASSERT_EQ(reg.SetValue("t", "업데이트"), 1);
    HKEY key = reg.GetHandle();
    DWORD size = 0;
    RegQueryValueExA(key, "t", nullptr, nullptr, nullptr, &size);
    EXPECT_EQ(size, std::string("업데이트").size());
    CString text;
    EXPECT_EQ(reg.GetValue("t", text), 1);
    EXPECT_EQ(text, "업데이트");

    std::string fits(255, 'x'), tooLong(256, 'y');
    ASSERT_EQ(reg.SetValue("fits", fits.c_str()), 1);
    ASSERT_EQ(reg.SetValue("long", tooLong.c_str()), 1);
    EXPECT_EQ(reg.GetValue("fits", text), 1);
    EXPECT_EQ(text, fits);
    text = "old";
    EXPECT_EQ(reg.GetValue("long", text), 0);
    EXPECT_EQ(text, "");
}

TEST(CRegistry, CopiesShareTheOpenKey) {
    TempHome t;
    CRegistry a;
    ASSERT_EQ(a.CreateKey(CRegistry::currentUser, "K"), 1);
    CRegistry b;
    b = a;
    EXPECT_EQ(b.GetHandle(), a.GetHandle());
    EXPECT_EQ(b.SetValue("v", 3ul), 1);
    unsigned long value = 0;
    EXPECT_EQ(a.GetValue("v", value), 1);
    EXPECT_EQ(value, 3u);
    a.CloseKey();
    // Closing one closes the key for both.
    EXPECT_EQ(b.SetValue("v", 4ul), 0);
    EXPECT_EQ(b.GetValue("v", value), 0);
}

TEST(CRegistry, DeleteKeyAndValue) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(HKEY_CURRENT_USER, "A\\B"), 1);
    EXPECT_EQ(reg.SetValue("v", 1ul), 1);
    EXPECT_EQ(reg.DeleteValue("v"), 1);
    EXPECT_EQ(reg.DeleteValue("v"), 0);
    reg.CloseKey();
    EXPECT_EQ(reg.DeleteKey(CRegistry::currentUser, "A"), 0);
    EXPECT_EQ(reg.DeleteKey(CRegistry::currentUser, "A\\B"), 1);
    EXPECT_EQ(reg.OpenKey(CRegistry::currentUser, "A\\B"), 0);
}

TEST(CRegistry, SaveRestoreAndLoad) {
    TempHome t;
    CRegistry reg;
    ASSERT_EQ(reg.CreateKey(CRegistry::currentUser, "Software\\Vimbro"), 1);
    reg.SetValue("enumModel", 12ul);
    std::string file = t.root() + "/vimbro.key";
    EXPECT_EQ(reg.SaveKey(file.c_str()), 1);
    reg.SetValue("enumModel", 13ul);
    EXPECT_EQ(reg.RestoreKey(file.c_str(), 0), 1);
    unsigned long value = 0;
    reg.GetValue("enumModel", value);
    EXPECT_EQ(value, 12u);
    reg.CloseKey();
    EXPECT_EQ(reg.LoadKey(CRegistry::users, "Loaded", file.c_str()), 1);
    ASSERT_EQ(reg.OpenKey(HKEY_USERS, "Loaded"), 1);
    reg.GetValue("enumModel", value);
    EXPECT_EQ(value, 12u);
}
