// A file-backed registry with the calling conventions of the Win32 registry functions.
//
// Each root key is one text file under $XDG_CONFIG_HOME/VimbroSuite/ (default
// ~/.config/VimbroSuite/), named after the root ("HKEY_CURRENT_USER.reg"). Key paths keep their
// Windows form ("Software\\Vimbro") and compare without regard to case. Every change is made
// under an exclusive lock of the root's lock file and written through a temporary file and a
// rename, so two processes may write at once and a crash never leaves a half-written store.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/windef.h"

struct HKEY__;
using HKEY = HKEY__*;
using LSTATUS = long;
using REGSAM = DWORD;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000003u)))
#define HKEY_PERFORMANCE_DATA (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000004u)))
#define HKEY_CURRENT_CONFIG (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000005u)))
#define HKEY_DYN_DATA (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000006u)))

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_OUTOFMEMORY = 14;
constexpr LSTATUS ERROR_WRITE_FAULT = 29;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;
constexpr LSTATUS ERROR_ALREADY_EXISTS = 183;
constexpr LSTATUS ERROR_BADDB = 1009;
constexpr LSTATUS ERROR_KEY_DELETED = 1018;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;
constexpr DWORD REG_FORCE_RESTORE = 8;

// Opens an existing key below hKey (a root or an open key); subKey null or "" opens hKey again.
LSTATUS RegOpenKeyExA(HKEY hKey, const char* subKey, DWORD options, REGSAM access, HKEY* result);
// Opens or creates the key and its missing parents. disposition may be null.
LSTATUS RegCreateKeyExA(HKEY hKey, const char* subKey, DWORD reserved, char* keyClass, DWORD options, REGSAM access,
                        void* security, HKEY* result, DWORD* disposition);
LSTATUS RegCloseKey(HKEY hKey);
LSTATUS RegFlushKey(HKEY hKey);
LSTATUS RegSetValueExA(HKEY hKey, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
// Windows rules: data null asks only for type and size; a buffer smaller than the value gives
// ERROR_MORE_DATA with *size set to the size needed.
LSTATUS RegQueryValueExA(HKEY hKey, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LSTATUS RegDeleteValueA(HKEY hKey, const char* name);
// Deletes a key that has no subkeys.
LSTATUS RegDeleteKeyA(HKEY hKey, const char* subKey);
// Writes the key's values and subkeys to a new file (fails when the file exists).
LSTATUS RegSaveKeyA(HKEY hKey, const char* file, void* security);
// Replaces the key's values and subkeys with those saved in the file.
LSTATUS RegRestoreKeyA(HKEY hKey, const char* file, DWORD flags);
// Creates subKey below hKey holding what the file holds; fails when subKey exists.
LSTATUS RegLoadKeyA(HKEY hKey, const char* subKey, const char* file);

namespace win {

// The folder holding the registry files, with a trailing "/".
std::string RegistryFolder();

}  // namespace win
