#include "views/controls/Registry.h"

#include <cstring>

CRegistry::CRegistry() : m_hKey(nullptr) {}

CRegistry::~CRegistry() { CloseKey(); }

CRegistry::CRegistry(const CRegistry& other) : m_hKey(other.m_hKey) {}

CRegistry& CRegistry::operator=(const CRegistry& other) {
    m_hKey = other.m_hKey;
    return *this;
}

BOOL CRegistry::OpenKey(Keys root, const char* subKey) { return OpenKey(RootHandle(root), subKey); }

BOOL CRegistry::OpenKey(HKEY root, const char* subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        m_hKey = nullptr;
        return 0;
    }
    m_hKey = key;
    return 1;
}

BOOL CRegistry::CreateKey(Keys root, const char* subKey) { return CreateKey(RootHandle(root), subKey); }

BOOL CRegistry::CreateKey(HKEY root, const char* subKey) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        &disposition) != ERROR_SUCCESS) {
        m_hKey = nullptr;
        return 0;
    }
    m_hKey = key;
    return 1;
}

BOOL CRegistry::SetValue(const char* name, unsigned long value) {
    if (!m_hKey) return 0;
    // A DWORD is four bytes, whatever the width of unsigned long.
    const DWORD dword = static_cast<DWORD>(value);
    BYTE bytes[4] = {static_cast<BYTE>(dword & 0xFF), static_cast<BYTE>((dword >> 8) & 0xFF),
                     static_cast<BYTE>((dword >> 16) & 0xFF), static_cast<BYTE>((dword >> 24) & 0xFF)};
    if (RegSetValueExA(m_hKey, name, 0, REG_DWORD, bytes, 4) != ERROR_SUCCESS) return 0;
    RegFlushKey(m_hKey);
    return 1;
}

BOOL CRegistry::SetValue(const char* name, const char* text) {
    if (!m_hKey || !text) return 0;
    if (RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text))) != ERROR_SUCCESS)
        return 0;
    RegFlushKey(m_hKey);
    return 1;
}

BOOL CRegistry::GetValue(const char* name, unsigned long& value) {
    value = 0;
    if (!m_hKey) return 0;
    BYTE bytes[4] = {0, 0, 0, 0};
    DWORD size = 4;
    DWORD type = 0;
    if (RegQueryValueExA(m_hKey, name, nullptr, &type, bytes, &size) != ERROR_SUCCESS) return 0;
    value = static_cast<unsigned long>(bytes[0]) | (static_cast<unsigned long>(bytes[1]) << 8) |
            (static_cast<unsigned long>(bytes[2]) << 16) | (static_cast<unsigned long>(bytes[3]) << 24);
    return 1;
}

BOOL CRegistry::GetValue(const char* name, CString& text) {
    text.clear();
    if (!m_hKey) return 0;
    char buffer[kTextBufferBytes];
    std::memset(buffer, 0, sizeof buffer);
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return 0;
    // The text must fit together with its terminating zero.
    if (size == sizeof buffer && buffer[sizeof buffer - 1] != '\0') return 0;
    text.assign(buffer, strnlen(buffer, sizeof buffer));
    return 1;
}

BOOL CRegistry::DeleteKey(Keys root, const char* subKey) { return DeleteKey(RootHandle(root), subKey); }

BOOL CRegistry::DeleteKey(HKEY root, const char* subKey) {
    return RegDeleteKeyA(root, subKey) == ERROR_SUCCESS ? 1 : 0;
}

BOOL CRegistry::DeleteValue(const char* name) {
    if (!m_hKey) return 0;
    return RegDeleteValueA(m_hKey, name) == ERROR_SUCCESS ? 1 : 0;
}

BOOL CRegistry::SaveKey(const char* file) {
    if (!m_hKey) return 0;
    return RegSaveKeyA(m_hKey, file, nullptr) == ERROR_SUCCESS ? 1 : 0;
}

BOOL CRegistry::RestoreKey(const char* file, unsigned long flags) {
    if (!m_hKey) return 0;
    return RegRestoreKeyA(m_hKey, file, static_cast<DWORD>(flags)) == ERROR_SUCCESS ? 1 : 0;
}

BOOL CRegistry::LoadKey(Keys root, const char* subKey, const char* file) {
    return LoadKey(RootHandle(root), subKey, file);
}

BOOL CRegistry::LoadKey(HKEY root, const char* subKey, const char* file) {
    return RegLoadKeyA(root, subKey, file) == ERROR_SUCCESS ? 1 : 0;
}

void CRegistry::CloseKey() {
    if (m_hKey) {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}
