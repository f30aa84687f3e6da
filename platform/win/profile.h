// Reading INI files with the semantics of the Win32 private profile functions.
#pragma once

#include <string>

#include "platform/win/windef.h"

// Copies the value of key in section of the INI file into buffer (size bytes with the
// terminating zero) and returns the number of characters copied without the zero.
// - value found: surrounding blanks and one pair of matching quotes are removed; a value that
//   does not fit is cut to size - 1 characters and size - 1 is returned;
// - key or section missing, or file unreadable: the default (trailing blanks removed; "" for
//   null) is copied the same way;
// - key null: the section's key names, each ended by a zero, with one more zero at the end;
//   section null: the file's section names in the same form. When the list does not fit it is
//   cut, ended by two zeros, and size - 2 is returned.
// Section and key names compare without regard to case; the first match wins.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* buffer,
                               DWORD size, const char* file);

// The value as an integer (leading decimal digits, optional sign), or defaultValue when the key
// is missing.
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file);

namespace win {

// Convenience form without a buffer limit.
std::string GetProfileText(const std::string& section, const std::string& key, const std::string& defaultValue,
                           const std::string& file);

}  // namespace win
