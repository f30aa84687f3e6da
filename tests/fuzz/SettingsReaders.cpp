// The INI reader (the update server's version file) and the registry store's file, for the fuzz
// harness.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win/profile.h"
#include "platform/win/winreg.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/support/TempHome.h"

namespace {

using fuzz::Bytes;

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::vector<Bytes> IniSamples() {
    return {
        BytesOf("[VERSIONINFO]\r\nVersion=1.2\r\nUpdateList=c.dat,2;d.dat,1;\r\n"
                "UpdateNowList=a.dll,1.0;data\\PM-01.dat,3;\r\n"),
        BytesOf("\xEF\xBB\xBF; comment\n[Other]\nx = \"quoted value\" \n[versioninfo]\n  version = '9.9' \nEmpty=\n"),
    };
}

// Reads the file the way the update check does, then lists its sections and keys into buffers
// too small for them; every list must end with its two zeros inside the buffer.
bool ReadIni(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::TempFile(Bytes(data, data + size));
    char version[10];
    char list[1024];
    GetPrivateProfileStringA("VERSIONINFO", "Version", "1.0", version, sizeof version, path.c_str());
    EXPECT_LT(std::strlen(version), sizeof version);
    GetPrivateProfileStringA("VERSIONINFO", "UpdateList", "", list, sizeof list, path.c_str());
    GetPrivateProfileStringA("VERSIONINFO", "UpdateNowList", "", list, sizeof list, path.c_str());
    GetPrivateProfileIntA("VERSIONINFO", "Version", 7, path.c_str());
    char names[8];
    DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", names, sizeof names, path.c_str());
    EXPECT_LE(n, sizeof names - 1);
    const bool sections = n > 0;
    n = GetPrivateProfileStringA("VERSIONINFO", nullptr, "", names, sizeof names, path.c_str());
    EXPECT_LE(n, sizeof names - 1);
    return sections;
}

// A store written through the registry functions: nested keys, DWORD, string and binary values.
std::vector<Bytes> RegistrySamples() {
    testsupport::TempHome home;
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const DWORD colour = 0xFFFFFF;
    RegSetValueExA(key, "crBack", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&colour), sizeof colour);
    const char text[] = "a.dll,1.0;\"quoted\"\\[x]";
    RegSetValueExA(key, "List", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text - 1);
    const BYTE binary[] = {0, 1, 0x7F, 0x80, 0xFF, '\n', ']'};
    RegSetValueExA(key, "Bin\n]", 0, REG_BINARY, binary, sizeof binary);
    RegCloseKey(key);
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\로컬\\Vimbro\\UpdateInfo", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("1.0"), 3);
    RegCloseKey(key);
    std::string stored;
    std::ifstream in(home.config() + "/VimbroSuite/HKEY_CURRENT_USER.reg", std::ios::binary);
    stored.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return {BytesOf(stored)};
}

bool QueryAll(HKEY key, const char* const* names) {
    bool any = false;
    for (const char* const* name = names; *name; ++name) {
        BYTE data[256];
        DWORD size = sizeof data, type = 0;
        LSTATUS status = RegQueryValueExA(key, *name, nullptr, &type, data, &size);
        if (status == ERROR_SUCCESS) {
            EXPECT_LE(size, sizeof data);
        }
        any = any || status == ERROR_SUCCESS;
    }
    return any;
}

// One configuration folder, beside the harness's temporary file, serves every read: making a
// fresh one for each of thousands of copies costs more than the reads.
class StoreFolder {
public:
    StoreFolder() {
        const std::string file = fuzz::TempFile({});
        root_ = file.substr(0, file.rfind('/')) + "/vimbro-fuzz-config-" + std::to_string(::getpid());
        std::filesystem::create_directories(root_ + "/VimbroSuite");
    }
    ~StoreFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

// Opens the keys of the sample store from a damaged copy and reads their values.
bool ReadRegistry(const std::uint8_t* data, std::size_t size) {
    static const StoreFolder folder;
    {
        std::ofstream out(folder.root() + "/VimbroSuite/HKEY_CURRENT_USER.reg", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", folder.root().c_str(), 1);
    static const char* const kVimbro[] = {"crBack", "List", "Bin\n]", nullptr};
    static const char* const kUpdate[] = {"Version", nullptr};
    bool any = false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Vimbro", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        any = QueryAll(key, kVimbro);
        RegCloseKey(key);
    }
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\로컬\\Vimbro\\UpdateInfo", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        any = QueryAll(key, kUpdate) && any;
        RegCloseKey(key);
    }
    if (saved)
        ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    return any;
}

const bool registered =
    fuzz::Register({"ini", IniSamples, ReadIni}) && fuzz::Register({"registry", RegistrySamples, ReadRegistry});

}  // namespace
