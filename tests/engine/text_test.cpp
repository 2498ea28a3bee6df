// Typed keys: lower-casing and recognising decimal digits of any script.
#include "engine/text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LowerCase {
    std::string typed;
    std::string key;
};

class Lowercased : public ::testing::TestWithParam<LowerCase> {};

TEST_P(Lowercased, MapsEveryCharacterAndKeepsBytesThatAreNotUtf8) {
    EXPECT_EQ(keytips::lowercased(GetParam().typed), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Keys, Lowercased,
                         ::testing::Values(LowerCase{"H", "h"}, LowerCase{"h", "h"}, LowerCase{"JS", "js"},
                                           LowerCase{"7", "7"}, LowerCase{"\xC3\x84", "\xC3\xA4"},  // Ä
                                           LowerCase{"\xCE\xA3", "\xCF\x83"},                       // Σ
                                           LowerCase{"\xC4\xB0",
                                                     "i\xCC\x87"},     // İ becomes i and a combining dot
                                           LowerCase{"\xFF", "\xFF"},  // not UTF-8
                                           LowerCase{"\xC1\x81", "\xC1\x81"},          // overlong form of "A"
                                           LowerCase{"\xC0\x80", "\xC0\x80"},          // overlong NUL
                                           LowerCase{"\xED\xA0\x80", "\xED\xA0\x80"},  // a surrogate
                                           LowerCase{"\xE2\x82", "\xE2\x82"},          // cut short
                                           LowerCase{std::string("A\0B", 3), std::string("a\0b", 3)}));

struct Digit {
    std::string key;
    bool digit;
};

class DecimalDigit : public ::testing::TestWithParam<Digit> {};

TEST_P(DecimalDigit, RecognisesTheDecimalDigitsOfEveryScript) {
    EXPECT_EQ(keytips::containsDecimalDigit(GetParam().key), GetParam().digit);
}

INSTANTIATE_TEST_SUITE_P(Keys, DecimalDigit,
                         ::testing::Values(Digit{"0", true}, Digit{"9", true}, Digit{"a", false},
                                           Digit{"", false}, Digit{"h1", true},
                                           Digit{"\xD9\xA3", true},          // Arabic-Indic three
                                           Digit{"\xE0\xA5\xA8", true},      // Devanagari two
                                           Digit{"\xEF\xBC\x95", true},      // fullwidth five
                                           Digit{"\xF0\x9D\x9F\x8E", true},  // mathematical bold zero
                                           Digit{"\xC2\xB2", false},         // superscript two
                                           Digit{"\xE2\x85\xA0", false},     // Roman numeral one
                                           Digit{"\xC0\xB1", false}));       // overlong "1"

}  // namespace
