// Text helpers for typed keys: lower-casing and recognising decimal digits of any script.
#pragma once

#include <string>
#include <string_view>

namespace keytips {

// The text with every character mapped to its lower case; bytes that are not UTF-8 stay as they are.
std::string lowercased(std::string_view text);

// Whether the text begins with the prefix.
inline bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Whether the text holds at least one decimal digit (Unicode general category Nd).
bool containsDecimalDigit(std::string_view text);

}  // namespace keytips
