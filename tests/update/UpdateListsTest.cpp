#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/Gandry.h"
#include "platform/win/winreg.h"
#include "tests/support/TempHome.h"
#include "update/AppProfile.h"
#include "update/PelloqResources.h"
#include "update/UpdateManager.h"

using testsupport::TempHome;

TEST(UpdateLists, GetNextStringCutsUpToTheSeparator) {
    CString text = "a.dll,1.2;b.exe,1.3;";
    EXPECT_EQ(CUpdateManager::GetNextString(text, ','), "a.dll");
    EXPECT_EQ(text, "1.2;b.exe,1.3;");
    EXPECT_EQ(CUpdateManager::GetNextString(text, ';'), "1.2");
    EXPECT_EQ(text, "b.exe,1.3;");
    CString rest = "no separator";
    EXPECT_EQ(CUpdateManager::GetNextString(rest, ','), "no separator");
    EXPECT_EQ(rest, "");
    CString leading = ",x";
    EXPECT_EQ(CUpdateManager::GetNextString(leading, ','), "");
    EXPECT_EQ(leading, "x");
}

TEST(UpdateLists, ParseAndMakeFileLists) {
    CMapStringToString map;
    CUpdateManager::ParseFileList("b.exe,1.3;a.dll,1.2;", map);
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(map["a.dll"], "1.2");
    EXPECT_EQ(map["b.exe"], "1.3");
    // Written in the map's order, one name,version; each.
    EXPECT_EQ(CUpdateManager::MakeFileList(map), "a.dll,1.2;b.exe,1.3;");

    CMapStringToString loose;
    // A missing ";" takes the rest as the version; a missing "," leaves the version empty.
    CUpdateManager::ParseFileList("a.dll,1.2;b.exe", loose);
    EXPECT_EQ(loose.size(), 2u);
    EXPECT_EQ(loose["a.dll"], "1.2");
    EXPECT_EQ(loose["b.exe"], "");
    CMapStringToString last;
    CUpdateManager::ParseFileList("c.dat,1;c.dat,2;d.dat,3.0", last);
    EXPECT_EQ(last.size(), 2u);
    EXPECT_EQ(last["c.dat"], "2");
    EXPECT_EQ(last["d.dat"], "3.0");
    CMapStringToString none;
    CUpdateManager::ParseFileList("", none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(CUpdateManager::MakeFileList(none), "");
}

TEST(UpdateLists, ServerNamesMustStayInsideTheProgramFolder) {
    EXPECT_EQ(CUpdateManager::SafeRelativeName("Vimbro"), "Vimbro");
    EXPECT_EQ(CUpdateManager::SafeRelativeName("data/PM-01.dat"), "data/PM-01.dat");
    EXPECT_EQ(CUpdateManager::SafeRelativeName("data\\PM-01.dat"), "data/PM-01.dat");
    EXPECT_EQ(CUpdateManager::SafeRelativeName(".\\libPelloq.so"), "libPelloq.so");
    EXPECT_EQ(CUpdateManager::SafeRelativeName("a//b"), "a/b");
    EXPECT_EQ(CUpdateManager::SafeRelativeName("..data"), "..data");
    for (const char* hostile : {"", "../evil", "a/../../evil", "..\\evil", "data/..", "/etc/passwd", "\\root",
                                "C:\\Windows\\x.dll", "c:x", "data/", ".", "a/.", "bad\nname", "tab\tname"}) {
        EXPECT_EQ(CUpdateManager::SafeRelativeName(hostile), "") << hostile;
    }
}

TEST(UpdateLists, RunDirAgreesWithGandry) {
    TempHome t;
    EXPECT_EQ(CUpdateManager::GetRunDir(), t.runDir());
    EXPECT_EQ(CUpdateManager::GetRunDir(), CGandry::GetRunDir());
    ::setenv("VIMBRO_HOME", (t.root() + "/other").c_str(), 1);
    EXPECT_EQ(CUpdateManager::GetRunDir(), t.root() + "/other/");
    EXPECT_EQ(CUpdateManager::GetRunDir(), CGandry::GetRunDir());
    ::unsetenv("VIMBRO_HOME");
    std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(CUpdateManager::GetRunDir(), exe.substr(0, exe.rfind('/') + 1));
    EXPECT_EQ(CUpdateManager::GetRunDir(), CGandry::GetRunDir());
}

TEST(UpdateLists, LocalDirIsTakenFromTheProgramFolder) {
    TempHome t;
    EXPECT_EQ(CUpdateManager::ResolveLocalDir(".\\Update\\"), t.runDir() + "Update/");
    EXPECT_EQ(CUpdateManager::ResolveLocalDir("Update"), t.runDir() + "Update/");
    EXPECT_EQ(CUpdateManager::ResolveLocalDir("./a/b/"), t.runDir() + "a/b/");
    EXPECT_EQ(CUpdateManager::ResolveLocalDir("/var/cache/vimbro"), "/var/cache/vimbro/");
    EXPECT_EQ(CUpdateManager::ResolveLocalDir(""), t.runDir() + "Update/");
}

TEST(UpdateLists, UpdateHostComesFromTheEnvironmentWhenSet) {
    ::unsetenv("VIMBRO_UPDATE_HOST");
    EXPECT_EQ(CUpdateManager::GetUpdateHost(), CUpdateManager::kUpdateServerHost);
    ::setenv("VIMBRO_UPDATE_HOST", "127.0.0.1:8080", 1);
    EXPECT_EQ(CUpdateManager::GetUpdateHost(), "127.0.0.1:8080");
    ::setenv("VIMBRO_UPDATE_HOST", "mirror.example.org", 1);
    EXPECT_EQ(CUpdateManager::GetUpdateHost(), "mirror.example.org");
    // Not a host: a path or a space would change the address the files come from.
    ::setenv("VIMBRO_UPDATE_HOST", "evil.example.org/x y", 1);
    EXPECT_EQ(CUpdateManager::GetUpdateHost(), CUpdateManager::kUpdateServerHost);
    ::unsetenv("VIMBRO_UPDATE_HOST");
}

TEST(UpdateProfile, SectionLivesUnderTheApplicationProfileKey) {
    TempHome t;
    EXPECT_EQ(AppProfile::SectionKey("UpdateInfo"),
              "Software\\로컬 응용 프로그램 마법사에서 생성된 응용 프로그램\\Vimbro\\UpdateInfo");
    ASSERT_TRUE(AppProfile::WriteProfileString("UpdateInfo", "Version", "1.7"));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\로컬 응용 프로그램 마법사에서 생성된 응용 프로그램\\Vimbro\\UpdateInfo", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    char data[16] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::string(data, size), "1.7");
    EXPECT_EQ(AppProfile::GetProfileString("UpdateInfo", "Version", "x"), "1.7");
    EXPECT_EQ(AppProfile::GetProfileString("UpdateInfo", "Missing", "x"), "x");
    EXPECT_EQ(AppProfile::GetProfileString("Other", "Version", ""), "");
}

TEST(UpdateProfile, IntegersFromStringsAndDwords) {
    TempHome t;
    AppProfile::WriteProfileString("UpdateInfo", "UpgradeCheckTime", "3");
    EXPECT_EQ(AppProfile::GetProfileInt("UpdateInfo", "UpgradeCheckTime", 1), 3u);
    AppProfile::WriteProfileString("UpdateInfo", "UpgradeCheckTime", " 12days");
    EXPECT_EQ(AppProfile::GetProfileInt("UpdateInfo", "UpgradeCheckTime", 1), 12u);
    AppProfile::WriteProfileString("UpdateInfo", "UpgradeCheckTime", "soon");
    EXPECT_EQ(AppProfile::GetProfileInt("UpdateInfo", "UpgradeCheckTime", 1), 1u);
    EXPECT_EQ(AppProfile::GetProfileInt("UpdateInfo", "Absent", 7), 7u);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, AppProfile::SectionKey("UpdateInfo").c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD five = 5;
    RegSetValueExA(key, "Days", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&five), sizeof five);
    RegCloseKey(key);
    EXPECT_EQ(AppProfile::GetProfileInt("UpdateInfo", "Days", 1), 5u);
}

TEST(UpdateResources, StringTableHoldsTheStatusTexts) {
    EXPECT_EQ(Pelloq::LoadString(579), "서버의 버전정보를 가져올 수 없습니다");
    EXPECT_EQ(Pelloq::LoadString(580), "사용자 버전을 확인중 입니다");
    EXPECT_EQ(Pelloq::LoadString(581), " 다운로드에 실패 했습니다(1)");
    EXPECT_EQ(Pelloq::LoadString(582), "업데이트할 파일을 다운로드 중입니다.");
    EXPECT_EQ(Pelloq::LoadString(583), Pelloq::LoadString(582));
    EXPECT_EQ(Pelloq::LoadString(584), " 다운로드에 실패 했습니다(2)");
    EXPECT_EQ(Pelloq::LoadString(585), "업데이트를 적용중 입니다.");
    EXPECT_EQ(Pelloq::LoadString(586), "서버의 버전정보를 가져올 수 없습니다(클릭 하세요)");
    EXPECT_EQ(Pelloq::LoadString(587), "다운로드에 실패 했습니다(클릭 하세요)");
    EXPECT_EQ(Pelloq::LoadString(588), "업데이트를 완료 했습니다(클릭 하세요)");
    EXPECT_EQ(Pelloq::LoadString(591), "이미 모든 파일이 업데이트되어 있습니다.");
    EXPECT_EQ(Pelloq::LoadString(1), "");
}
