#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

#include "platform/win/profile.h"
#include "tests/support/TempHome.h"

using testsupport::TempHome;

namespace {

const char* kIni =
    "; version file\r\n"
    "[UpdateInfo]\r\n"
    "Version = 1.2.3 \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Empty=\r\n"
    "Count=42\r\n"
    "version=second\r\n"
    "[Files]\r\n"
    "a=1\r\n"
    "b=2\r\n";

}  // namespace

TEST(Profile, ValuesAreTrimmedAndUnquoted) {
    TempHome t;
    std::string ini = t.Write(t.root() + "/u.ini", kIni);
    char buf[64];
    EXPECT_EQ(GetPrivateProfileStringA("UpdateInfo", "Version", "x", buf, sizeof buf, ini.c_str()), 5u);
    EXPECT_STREQ(buf, "1.2.3");
    EXPECT_EQ(GetPrivateProfileStringA("updateinfo", "QUOTED", "x", buf, sizeof buf, ini.c_str()), 10u);
    EXPECT_STREQ(buf, "  spaced  ");
    EXPECT_EQ(GetPrivateProfileStringA("UpdateInfo", "Empty", "x", buf, sizeof buf, ini.c_str()), 0u);
    EXPECT_STREQ(buf, "");
}

TEST(Profile, MissingEntriesGiveTheDefaultWithoutTrailingBlanks) {
    TempHome t;
    std::string ini = t.Write(t.root() + "/u.ini", kIni);
    char buf[64];
    EXPECT_EQ(GetPrivateProfileStringA("UpdateInfo", "Nope", "dflt  ", buf, sizeof buf, ini.c_str()), 4u);
    EXPECT_STREQ(buf, "dflt");
    EXPECT_EQ(GetPrivateProfileStringA("Nope", "Version", nullptr, buf, sizeof buf, ini.c_str()), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetPrivateProfileStringA("UpdateInfo", "Version", "gone", buf, sizeof buf,
                                       (t.root() + "/missing.ini").c_str()),
              4u);
    EXPECT_STREQ(buf, "gone");
}

TEST(Profile, BufferLengthTruncates) {
    TempHome t;
    std::string ini = t.Write(t.root() + "/u.ini", kIni);
    char buf[4];
    EXPECT_EQ(GetPrivateProfileStringA("UpdateInfo", "Version", "", buf, sizeof buf, ini.c_str()), 3u);
    EXPECT_STREQ(buf, "1.2");
    EXPECT_EQ(GetPrivateProfileStringA("UpdateInfo", "Nope", "abcdef", buf, sizeof buf, ini.c_str()), 3u);
    EXPECT_STREQ(buf, "abc");
}

TEST(Profile, FirstKeyWinsAndKeysCompareWithoutCase) {
    TempHome t;
    std::string ini = t.Write(t.root() + "/u.ini", kIni);
    EXPECT_EQ(win::GetProfileText("UpdateInfo", "VERSION", "", ini), "1.2.3");
    EXPECT_EQ(GetPrivateProfileIntA("UpdateInfo", "Count", 7, ini.c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileIntA("UpdateInfo", "Missing", 7, ini.c_str()), 7u);
}

TEST(Profile, NullKeyListsKeysAndNullSectionListsSections) {
    TempHome t;
    std::string ini = t.Write(t.root() + "/u.ini", kIni);
    char buf[64];
    DWORD n = GetPrivateProfileStringA("Files", nullptr, "", buf, sizeof buf, ini.c_str());
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::memcmp(buf, "a\0b\0\0", 5), 0);
    n = GetPrivateProfileStringA(nullptr, nullptr, "", buf, sizeof buf, ini.c_str());
    EXPECT_EQ(n, 17u);
    EXPECT_EQ(std::memcmp(buf, "UpdateInfo\0Files\0\0", 18), 0);
    char small[8];
    n = GetPrivateProfileStringA(nullptr, nullptr, "", small, sizeof small, ini.c_str());
    EXPECT_EQ(n, 6u);
    EXPECT_EQ(std::memcmp(small, "Update\0\0", 8), 0);
}

TEST(Profile, GarbageFilesReadAsEmpty) {
    TempHome t;
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
    std::string ini = t.Write(t.root() + "/junk.ini", junk + "\n[S]\nk=v");
    char buf[16];
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", buf, sizeof buf, ini.c_str()), 1u);
    EXPECT_STREQ(buf, "v");
    EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", buf, 0, ini.c_str()), 0u);
}

TEST(Profile, AHugeFileIsNotReadAndGivesTheDefault) {
    TempHome t;
    std::string ini = t.Write(t.root() + "/huge.ini", "[VERSIONINFO]\r\nVersion=9.9\r\n");
    if (::truncate(ini.c_str(), 64LL << 30) != 0) GTEST_SKIP() << "no sparse files here";
    char buf[16];
    EXPECT_EQ(GetPrivateProfileStringA("VERSIONINFO", "Version", "1.0", buf, sizeof buf, ini.c_str()), 3u);
    EXPECT_STREQ(buf, "1.0");
}
