// Code page 949 helpers. Texts are UTF-8 everywhere; byte limits that the system counts in the
// Korean ANSI code page are measured on the CP949 encoding of the text.
#pragma once

#include <cstddef>
#include <string>

namespace win {

// CP949 bytes of a UTF-8 text. A character CP949 cannot hold becomes "?" (one byte), as the
// Windows ANSI conversion does; invalid UTF-8 bytes count one byte each.
std::string Utf8ToCp949(const std::string& utf8);

// UTF-8 text of CP949 bytes. A byte sequence that is not valid CP949 becomes U+FFFD.
std::string Cp949ToUtf8(const std::string& cp949);

// Number of CP949 bytes the UTF-8 text takes ("가나다" is 6).
std::size_t Cp949Length(const std::string& utf8);

// The longest leading part of a UTF-8 text whose CP949 encoding fits in maxBytes, cut on a
// character boundary.
std::string Cp949Truncate(const std::string& utf8, std::size_t maxBytes);

}  // namespace win
