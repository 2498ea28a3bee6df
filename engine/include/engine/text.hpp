// Text helpers: lower-casing typed keys and titles, recognising decimal digits of any script, and
// writing numbers into log lines.
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

// The number in fixed notation with the fewest digits that read back as the same value, and ".0" after
// a whole number ("12.0", "0.1", "0.0000001"); "nan", "inf" and "-inf" for those values.
std::string fixedDecimal(double value);

}  // namespace keytips
