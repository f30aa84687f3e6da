// Text values in catalogue statements. Statements are built as text, so a value between single
// quotes must have each of its own single quotes doubled to stay one value.
#pragma once

#include <string>
#include <string_view>

namespace kordune {

// The text with every single quote written twice, byte for byte otherwise.
inline std::string QuoteText(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 8);
    for (char c : text) {
        quoted.push_back(c);
        if (c == '\'') quoted.push_back('\'');
    }
    return quoted;
}

}  // namespace kordune
