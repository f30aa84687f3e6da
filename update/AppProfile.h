// The application profile of Vimbro: the MFC profile functions over the registry store. The
// program's registry key (set once at start-up by the application) is fixed text, so the update
// manager reaches the same key from any process, the command-line tool included.
#pragma once

#include "platform/win/windef.h"

namespace AppProfile {

// The text the application gives SetRegistryKey, and its name; earlier runs kept their state
// under exactly this key, so neither may change.
constexpr const char* kRegistryKey = "로컬 응용 프로그램 마법사에서 생성된 응용 프로그램";
constexpr const char* kAppName = "Vimbro";

// "Software\\<registry key>\\Vimbro\\<section>" under HKEY_CURRENT_USER.
CString SectionKey(const char* section);

// The string value of the entry, or defaultValue when the section or entry is missing.
CString GetProfileString(const char* section, const char* entry, const char* defaultValue = "");

// The entry as an integer: a DWORD value as it is, a string value by its leading decimal
// digits (with an optional sign); defaultValue when missing or not a number.
UINT GetProfileInt(const char* section, const char* entry, int defaultValue);

// Stores the entry as a string value, creating the section when needed.
bool WriteProfileString(const char* section, const char* entry, const char* value);

}  // namespace AppProfile
