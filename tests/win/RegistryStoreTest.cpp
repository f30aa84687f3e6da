#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/win/fileapi.h"
#include "platform/win/winreg.h"
#include "tests/support/TempHome.h"

using testsupport::ReadAll;
using testsupport::TempHome;

namespace {

DWORD ReadDword(HKEY key, const char* name, LSTATUS* status = nullptr) {
    BYTE data[4] = {};
    DWORD size = 4, type = 0;
    LSTATUS s = RegQueryValueExA(key, name, nullptr, &type, data, &size);
    if (status) *status = s;
    return static_cast<DWORD>(data[0] | (data[1] << 8) | (data[2] << 16) | (data[3] << 24));
}

LSTATUS WriteDword(HKEY key, const char* name, DWORD v) {
    BYTE data[4] = {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    return RegSetValueExA(key, name, 0, REG_DWORD, data, 4);
}

std::string ReadText(HKEY key, const char* name) {
    char buf[512] = {};
    DWORD size = sizeof buf - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS) return "<none>";
    return std::string(buf, size);
}

}  // namespace

TEST(RegistryStore, StoreLivesUnderXdgConfigHome) {
    TempHome t;
    EXPECT_EQ(win::RegistryFolder(), t.config() + "/VimbroSuite/");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_TRUE(win::FileExists(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg"));
    RegCloseKey(key);
}

TEST(RegistryStore, OpenFailsForMissingKeysAndCreateMakesParents) {
    TempHome t;
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "software\\VIMBRO", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    HKEY parent = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &parent), ERROR_SUCCESS);
    // Other roots are separate stores.
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
    // A key below an open key.
    EXPECT_EQ(RegOpenKeyExA(parent, "Vimbro", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    RegCloseKey(parent);
}

TEST(RegistryStore, DwordAndStringValuesSurviveAReopen) {
    TempHome t;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(WriteDword(key, "crBack", 0x00C0FFEE), ERROR_SUCCESS);
    const std::string text = "한글 \"quoted\" back\\slash ]\nnext";
    ASSERT_EQ(RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                             static_cast<DWORD>(text.size())),
              ERROR_SUCCESS);
    const BYTE binary[3] = {0, 255, 7};
    ASSERT_EQ(RegSetValueExA(key, "Bin", 0, REG_BINARY, binary, 3), ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(ReadDword(key, "CRBACK"), 0x00C0FFEEu);
    EXPECT_EQ(ReadText(key, "Text"), text);
    BYTE back[8] = {};
    DWORD size = sizeof back, type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Bin", nullptr, &type, back, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::memcmp(back, binary, 3), 0);
    RegCloseKey(key);
}

TEST(RegistryStore, QueryFollowsWindowsSizeRules) {
    TempHome t;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "s", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcdef"), 6);
    DWORD size = 0, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "s", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, REG_SZ);
    BYTE small[4];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "s", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    LSTATUS s;
    ReadDword(key, "missing", &s);
    EXPECT_EQ(s, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "s"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "s"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST(RegistryStore, ClosedHandlesAreRefused) {
    TempHome t;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    HKEY copy = key;
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(WriteDword(copy, "v", 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(copy), ERROR_INVALID_HANDLE);
    // A new handle never reuses the closed one's value.
    HKEY again = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_ALL_ACCESS, &again);
    EXPECT_NE(again, copy);
    RegCloseKey(again);
}

TEST(RegistryStore, DeleteKeyRefusesKeysWithSubkeys) {
    TempHome t;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "A\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A\\B"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A"), ERROR_FILE_NOT_FOUND);
    // An AB key is not below A.
    RegCreateKeyExA(HKEY_CURRENT_USER, "A", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    RegCreateKeyExA(HKEY_CURRENT_USER, "AB", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "A"), ERROR_SUCCESS);
}

TEST(RegistryStore, WritesReplaceTheStoreAtomically) {
    TempHome t;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(WriteDword(key, ("v" + std::to_string(i)).c_str(), i), ERROR_SUCCESS);
    RegCloseKey(key);
    // Only the store and its lock file: no temporary file is left behind.
    auto files = win::ListFiles(t.config() + "/VimbroSuite");
    EXPECT_EQ(files, (std::vector<std::string>{"HKEY_CURRENT_USER.lock", "HKEY_CURRENT_USER.reg"}));
    std::string text = ReadAll(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(text.rfind("VimbroSuite registry 1\n", 0), 0u) << text;
    EXPECT_NE(text.find("[Software\\\\Vimbro]\n\"v0\"=dword:00000000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"v19\"=dword:00000013\n"), std::string::npos) << text;
}

TEST(RegistryStore, ADamagedStoreIsSetAsideNotLost) {
    TempHome t;
    std::string file = t.Write(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg", "not a registry\n\x01\x02");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(ReadAll(file + ".damaged"), "not a registry\n\x01\x02");
}

TEST(RegistryStore, AHugeStoreIsSetAsideUnread) {
    TempHome t;
    std::string file = t.Write(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg", "VimbroSuite registry 1\n[K]\n");
    if (::truncate(file.c_str(), 64LL << 30) != 0) GTEST_SKIP() << "no sparse files here";
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(std::filesystem::file_size(file + ".damaged"), 64ull << 30);
    EXPECT_LT(std::filesystem::file_size(file), 1000u);
}

TEST(RegistryStore, MalformedLinesAreSkipped) {
    TempHome t;
    t.Write(t.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg",
            "VimbroSuite registry 1\n[K]\n\"a\"=dword:0000000Z\n\"b\"=dword:00000002\n\"c\"=hex(3):0\n"
            "\"d\"=sz:\"unterminated\n\"e\"=hex(3):01,FF\n[broken\n\"f\"=dword:00000001\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    LSTATUS s;
    ReadDword(key, "a", &s);
    EXPECT_EQ(s, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadDword(key, "b"), 2u);
    ReadDword(key, "c", &s);
    EXPECT_EQ(s, ERROR_FILE_NOT_FOUND);
    ReadDword(key, "d", &s);
    EXPECT_EQ(s, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadDword(key, "e"), 0xFF01u);
    ReadDword(key, "f", &s);  // below an unreadable section header
    EXPECT_EQ(s, ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST(RegistryStore, TwoProcessesWritingAtOnceLoseNothing) {
    TempHome t;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    constexpr int kEach = 60;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const char* who = child == 0 ? "child" : "parent";
    HKEY mine = nullptr;
    bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, KEY_ALL_ACCESS, &mine) == ERROR_SUCCESS;
    for (int i = 0; ok && i < kEach; ++i) {
        ok = WriteDword(mine, (std::string(who) + std::to_string(i)).c_str(), static_cast<DWORD>(i)) == ERROR_SUCCESS;
    }
    RegCloseKey(mine);
    if (child == 0) ::_exit(ok ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(ok);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (int i = 0; i < kEach; ++i) {
        LSTATUS s1, s2;
        EXPECT_EQ(ReadDword(key, ("parent" + std::to_string(i)).c_str(), &s1), static_cast<DWORD>(i));
        EXPECT_EQ(ReadDword(key, ("child" + std::to_string(i)).c_str(), &s2), static_cast<DWORD>(i));
        EXPECT_EQ(s1, ERROR_SUCCESS);
        EXPECT_EQ(s2, ERROR_SUCCESS);
    }
    RegCloseKey(key);
}

TEST(RegistryStore, SaveRestoreAndLoadKeys) {
    TempHome t;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Src\\Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    WriteDword(key, "inner", 7);
    RegCloseKey(key);
    RegOpenKeyExA(HKEY_CURRENT_USER, "Src", 0, KEY_ALL_ACCESS, &key);
    WriteDword(key, "outer", 9);
    std::string saved = t.root() + "/src.key";
    ASSERT_EQ(RegSaveKeyA(key, saved.c_str(), nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSaveKeyA(key, saved.c_str(), nullptr), ERROR_ALREADY_EXISTS);
    WriteDword(key, "outer", 10);
    WriteDword(key, "extra", 1);
    ASSERT_EQ(RegRestoreKeyA(key, saved.c_str(), 0), ERROR_SUCCESS);
    EXPECT_EQ(ReadDword(key, "outer"), 9u);
    LSTATUS s;
    ReadDword(key, "extra", &s);
    EXPECT_EQ(s, ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    ASSERT_EQ(RegLoadKeyA(HKEY_USERS, "Copy", saved.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(RegLoadKeyA(HKEY_USERS, "Copy", saved.c_str()), ERROR_ALREADY_EXISTS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_USERS, "Copy\\Sub", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(ReadDword(key, "inner"), 7u);
    RegCloseKey(key);
    std::string junk = t.Write(t.root() + "/junk.key", "junk");
    EXPECT_EQ(RegLoadKeyA(HKEY_USERS, "Junk", junk.c_str()), ERROR_BADDB);
}
