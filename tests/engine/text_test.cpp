// Typed keys: lower-casing and recognising decimal digits of any script.
#include "engine/text.hpp"

#include <gtest/gtest.h>
#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale is POSIX
#include <wctype.h>  // NOLINT(modernize-deprecated-headers)

#include <clocale>
#include <limits>
#include <string>
#include <utility>

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

// Letters of the alphabets that titles and typed keys use, lower-cased as Unicode's simple case
// mapping does.
INSTANTIATE_TEST_SUITE_P(Alphabets, Lowercased,
                         ::testing::Values(LowerCase{"ÀÉÎÕÜÞ", "àéîõüþ"},    // Latin-1 Supplement
                                           LowerCase{"×ßÿ", "×ßÿ"},          // no capital form
                                           LowerCase{"ĀĞŁŒŸŽ", "āğłœÿž"},    // Latin Extended-A
                                           LowerCase{"ıŉ", "ıŉ"},            // dotless i and ŉ stay
                                           LowerCase{"ƁƆǄǅǇȺ", "ɓɔǆǆǉⱥ"},    // Latin Extended-B
                                           LowerCase{"ΑΣΩΆΏΪϴ", "ασωάώϊθ"},  // Greek
                                           LowerCase{"ЀЁЖЯѠҐӀ", "ѐёжяѡґӏ"},  // Cyrillic
                                           LowerCase{"Ա", "ա"},              // Armenian
                                           LowerCase{"ẞ", "ß"},              // capital sharp s
                                           LowerCase{"\u212A\u2126\u212B",
                                                     "kωå"},       // Kelvin, Ohm, Ångström signs
                                           LowerCase{"Ａ", "ａ"},  // fullwidth
                                           LowerCase{"\U00010400", "\U00010428"},  // Deseret
                                           LowerCase{"Größe", "größe"}));

// Lower-casing reads no locale: a process whose locale knows only ASCII lower-cases every letter alike.
TEST(LowercasedWithoutLocale, GivesTheSameTextWhateverTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"C", "POSIX"}) {
        ASSERT_NE(std::setlocale(LC_ALL, name), nullptr);
        EXPECT_EQ(keytips::lowercased("ÀĞΣЖ Größe"), "àğσж größe") << name;
    }
    std::setlocale(LC_ALL, previous.c_str());
}

#ifdef __GLIBC__
std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    } else {
        out += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return out;
}

// The C library's own case table, where the machine has its UTF-8 locale, agrees on every letter of
// the blocks that titles use and whose case pairs no later Unicode version changes: Latin, Greek,
// Cyrillic and Armenian, and the Latin and Greek additions.
TEST(LowercasedWithoutLocale, AgreesWithTheCLibraryWhereItsUtf8LocaleExists) {
    const locale_t utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (utf8Locale == nullptr) {
        GTEST_SKIP() << "no C.UTF-8 locale on this machine";
    }
    for (const auto& [first, last] : {std::pair<char32_t, char32_t>{0x80, 0x58F}, {0x1E00, 0x1FFF}}) {
        for (char32_t c = first; c <= last; ++c) {
            const std::string expected =
                c == 0x130 ? "i\xCC\x87"
                           : utf8(static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8Locale)));
            EXPECT_EQ(keytips::lowercased(utf8(c)), expected) << "U+" << std::hex << static_cast<unsigned>(c);
        }
    }
    freelocale(utf8Locale);
}
#endif

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

struct Decimal {
    const char* name;
    double value;
    std::string text;
};

class FixedDecimal : public ::testing::TestWithParam<Decimal> {};

// A number in a log line reads back as the same value with the fewest digits, never in exponent form.
TEST_P(FixedDecimal, WritesTheShortestFixedTextThatReadsBackAsTheValue) {
    EXPECT_EQ(keytips::fixedDecimal(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FixedDecimal,
    ::testing::Values(
        Decimal{"Whole", 12, "12.0"}, Decimal{"Zero", 0, "0.0"}, Decimal{"NegativeZero", -0.0, "-0.0"},
        Decimal{"Tenth", 0.1, "0.1"}, Decimal{"Half", 12.5, "12.5"}, Decimal{"Negative", -3.25, "-3.25"},
        Decimal{"Small", 1e-7, "0.0000001"}, Decimal{"SmallWithDigits", 2.5e-5, "0.000025"},
        Decimal{"SumOfTenths", 0.1 + 0.2, "0.30000000000000004"},
        Decimal{"Third", 1.0 / 3, "0.3333333333333333"}, Decimal{"TwoThirds", 2.0 / 3, "0.6666666666666666"},
        Decimal{"ManyDigits", 123456.789, "123456.789"},
        Decimal{"LargeWithFraction", 1e15 + 0.3, "1000000000000000.2"},
        Decimal{"Large", 1e20, "100000000000000000000.0"},
        Decimal{"LargeNotExact", 1e23, "99999999999999991611392.0"},
        Decimal{"Smallest", 5e-324, "0." + std::string(323, '0') + "5"},
        Decimal{"Largest", std::numeric_limits<double>::max(),
                "1797693134862315708145274237317043567980705675258449965989174768031572607800285387605"
                "8955863276687817154045895351438246423432132688946418276846754670353751698604991057655"
                "1282076245490090389328944075868508455133942304583236903222948165808559332123348274797"
                "826204144723168738177180919299881250404026184124858368.0"},
        Decimal{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "nan"},
        Decimal{"Infinity", std::numeric_limits<double>::infinity(), "inf"},
        Decimal{"NegativeInfinity", -std::numeric_limits<double>::infinity(), "-inf"}),
    [](const ::testing::TestParamInfo<Decimal>& number) { return std::string(number.param.name); });

}  // namespace
