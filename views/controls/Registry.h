// CRegistry: one open registry key, with DWORD and string values. Every result is 1 for
// success and 0 for failure.
#pragma once

#include <cstdint>

#include "platform/win/windef.h"
#include "platform/win/winreg.h"

class CRegistry {
public:
    enum Keys : std::uintptr_t {
        classesRoot = 0x80000000u,
        currentUser = 0x80000001u,
        localMachine = 0x80000002u,
        users = 0x80000003u,
        performanceData = 0x80000004u,
        currentConfig = 0x80000005u,
        dynData = 0x80000006u,
    };

    CRegistry();
    ~CRegistry();
    // Copies share the open key: closing one closes it for both.
    CRegistry(const CRegistry& other);
    CRegistry& operator=(const CRegistry& other);

    BOOL OpenKey(Keys root, const char* subKey);
    BOOL OpenKey(HKEY root, const char* subKey);
    BOOL CreateKey(Keys root, const char* subKey);
    BOOL CreateKey(HKEY root, const char* subKey);

    BOOL SetValue(const char* name, unsigned long value);
    BOOL SetValue(const char* name, const char* text);
    BOOL GetValue(const char* name, unsigned long& value);
    BOOL GetValue(const char* name, CString& text);

    BOOL DeleteKey(Keys root, const char* subKey);
    BOOL DeleteKey(HKEY root, const char* subKey);
    BOOL DeleteValue(const char* name);
    BOOL SaveKey(const char* file);
    BOOL RestoreKey(const char* file, unsigned long flags);
    BOOL LoadKey(Keys root, const char* subKey, const char* file);
    BOOL LoadKey(HKEY root, const char* subKey, const char* file);

    void CloseKey();

    HKEY GetHandle() const { return m_hKey; }

    // Longest string value GetValue reads: the buffer holds 256 bytes with the terminating zero.
    static constexpr int kTextBufferBytes = 256;

private:
    static HKEY RootHandle(Keys root) { return reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(root)); }

    HKEY m_hKey;
};
