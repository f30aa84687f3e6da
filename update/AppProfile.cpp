#include "update/AppProfile.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win/winreg.h"

namespace AppProfile {

namespace {

// Profile strings are short lists and dates; a larger value is not one of ours.
constexpr DWORD kMaxValueBytes = 1u << 20;

bool ReadValue(const char* section, const char* entry, DWORD& type, std::string& data) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size <= kMaxValueBytes;
    if (ok) {
        data.assign(size, '\0');
        ok = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS;
        data.resize(ok ? size : 0);
    }
    RegCloseKey(key);
    return ok;
}

// A string value may carry its terminating zero (Windows stores one); the text ends there.
std::string TextOf(const std::string& data) {
    return data.substr(0, std::strlen(data.c_str()));
}

}  // namespace

CString SectionKey(const char* section) {
    return CString("Software\\") + kRegistryKey + "\\" + kAppName + "\\" + (section ? section : "");
}

CString GetProfileString(const char* section, const char* entry, const char* defaultValue) {
    DWORD type = REG_NONE;
    std::string data;
    if (!ReadValue(section, entry, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue ? defaultValue : "";
    return TextOf(data);
}

UINT GetProfileInt(const char* section, const char* entry, int defaultValue) {
    DWORD type = REG_NONE;
    std::string data;
    if (!ReadValue(section, entry, type, data)) return static_cast<UINT>(defaultValue);
    if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, data.data(), sizeof value);
        return value;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return static_cast<UINT>(defaultValue);
    std::string text = TextOf(data);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return static_cast<UINT>(defaultValue);
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && value < 0x7FFFFFFFLL)
        value = value * 10 + (text[i++] - '0');
    if (value > 0x7FFFFFFFLL) value = 0x7FFFFFFFLL;
    return static_cast<UINT>(negative ? -value : value);
}

bool WriteProfileString(const char* section, const char* entry, const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionKey(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const char* text = value ? value : "";
    bool ok = RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>(std::strlen(text))) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

}  // namespace AppProfile
