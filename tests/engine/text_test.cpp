// Typed keys: lower-casing and recognising decimal digits of any script.
#include "engine/text.hpp"

#include <gtest/gtest.h>
#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale is POSIX
#include <wctype.h>  // NOLINT(modernize-deprecated-headers)

#include <clocale>
#include <limits>
#include <string>
#include <utility>

#include "support/sim_world_test.hpp"

namespace {

using test_support::PrintTo;

struct LowerCase {
    const char* name;
    std::string typed;
    std::string key;
};

class Lowercased : public ::testing::TestWithParam<LowerCase> {};

TEST_P(Lowercased, MapsEveryCharacterAndKeepsBytesThatAreNotUtf8) {
    EXPECT_EQ(keytips::lowercased(GetParam().typed), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Keys, Lowercased,
                         ::testing::Values(LowerCase{"capital H", "H", "h"}, LowerCase{"small h", "h", "h"},
                                           LowerCase{"JS", "JS", "js"}, LowerCase{"digit 7", "7", "7"},
                                           LowerCase{"A with diaeresis", "\xC3\x84", "\xC3\xA4"},
                                           LowerCase{"capital sigma", "\xCE\xA3", "\xCF\x83"},
                                           // İ becomes i and a combining dot
                                           LowerCase{"I with dot above", "\xC4\xB0", "i\xCC\x87"},
                                           LowerCase{"not UTF-8", "\xFF", "\xFF"},
                                           LowerCase{"overlong form of A", "\xC1\x81", "\xC1\x81"},
                                           LowerCase{"overlong NUL", "\xC0\x80", "\xC0\x80"},
                                           LowerCase{"a surrogate", "\xED\xA0\x80", "\xED\xA0\x80"},
                                           LowerCase{"cut short", "\xE2\x82", "\xE2\x82"},
                                           LowerCase{"embedded NUL", std::string("A\0B", 3),
                                                     std::string("a\0b", 3)}),
                         test_support::NameOfCase());

// Letters of the alphabets that titles and typed keys use, lower-cased as Unicode's simple case
// mapping does.
INSTANTIATE_TEST_SUITE_P(
    Alphabets, Lowercased,
    ::testing::Values(LowerCase{"Latin-1 Supplement", "ÀÉÎÕÜÞ", "àéîõüþ"},
                      LowerCase{"no capital form", "×ßÿ", "×ßÿ"},
                      LowerCase{"Latin Extended-A", "ĀĞŁŒŸŽ", "āğłœÿž"},
                      LowerCase{"dotless i and n with apostrophe stay", "ıŉ", "ıŉ"},
                      LowerCase{"Latin Extended-B", "ƁƆǄǅǇȺ", "ɓɔǆǆǉⱥ"},
                      LowerCase{"Greek", "ΑΣΩΆΏΪϴ", "ασωάώϊθ"}, LowerCase{"Cyrillic", "ЀЁЖЯѠҐӀ", "ѐёжяѡґӏ"},
                      LowerCase{"Armenian", "Ա", "ա"}, LowerCase{"capital sharp s", "ẞ", "ß"},
                      LowerCase{"Kelvin Ohm and Angstrom signs", "\u212A\u2126\u212B", "kωå"},
                      LowerCase{"fullwidth", "Ａ", "ａ"}, LowerCase{"Deseret", "\U00010400", "\U00010428"},
                      LowerCase{"word", "Größe", "größe"}),
    test_support::NameOfCase());

// Lower-casing reads no locale: a process whose locale knows only ASCII lower-cases every letter alike.
struct ProcessLocale {
    const char* name;
};

const ProcessLocale asciiLocales[] = {{"C"}, {"POSIX"}};

class LowercasedInLocale : public ::testing::TestWithParam<ProcessLocale> {};

TEST_P(LowercasedInLocale, GivesTheSameTextWhateverTheProcessLocale) {
    const char* name = GetParam().name;
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, name), nullptr);
    EXPECT_EQ(keytips::lowercased("ÀĞΣЖ Größe"), "àğσж größe") << name;
    std::setlocale(LC_ALL, previous.c_str());
}

INSTANTIATE_TEST_SUITE_P(LowercasedWithoutLocale, LowercasedInLocale, ::testing::ValuesIn(asciiLocales),
                         test_support::NameOfCase());

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
    const char* name;
    std::string key;
    bool digit;
};

class DecimalDigit : public ::testing::TestWithParam<Digit> {};

TEST_P(DecimalDigit, RecognisesTheDecimalDigitsOfEveryScript) {
    EXPECT_EQ(keytips::containsDecimalDigit(GetParam().key), GetParam().digit);
}

INSTANTIATE_TEST_SUITE_P(Keys, DecimalDigit,
                         ::testing::Values(Digit{"zero", "0", true}, Digit{"nine", "9", true},
                                           Digit{"letter a", "a", false}, Digit{"empty", "", false},
                                           Digit{"letter then digit", "h1", true},
                                           Digit{"Arabic-Indic three", "\xD9\xA3", true},
                                           Digit{"Devanagari two", "\xE0\xA5\xA8", true},
                                           Digit{"fullwidth five", "\xEF\xBC\x95", true},
                                           Digit{"mathematical bold zero", "\xF0\x9D\x9F\x8E", true},
                                           Digit{"superscript two", "\xC2\xB2", false},
                                           Digit{"Roman numeral one", "\xE2\x85\xA0", false},
                                           Digit{"overlong 1", "\xC0\xB1", false}),
                         test_support::NameOfCase());

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
    test_support::NameOfCase());

}  // namespace
