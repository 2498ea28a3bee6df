#include "engine/text.hpp"

#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale is POSIX
#include <wctype.h>  // NOLINT(modernize-deprecated-headers)

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

namespace keytips {

namespace {

// Decodes one UTF-8 sequence at text[i]; none (and i unchanged) for a byte that starts none.
std::optional<char32_t> decode(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    if ((lead & 0xE0U) == 0xC0U) {
        length = 2;
        value = lead & 0x1FU;
    } else if ((lead & 0xF0U) == 0xE0U) {
        length = 3;
        value = lead & 0x0FU;
    } else if ((lead & 0xF8U) == 0xF0U) {
        length = 4;
        value = lead & 0x07U;
    } else {
        return std::nullopt;
    }
    if (i + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0U) != 0x80U) {
            return std::nullopt;
        }
        value = (value << 6U) | (byte(i + k) & 0x3FU);
    }
    constexpr std::array<char32_t, 5> shortest = {0, 0, 0x80, 0x800, 0x10000};
    if (value < shortest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;  // an overlong form, a surrogate or beyond Unicode: not UTF-8
    }
    i += length;
    return value;
}

void encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0U | (c >> 6U));
        out += static_cast<char>(0x80U | (c & 0x3FU));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0U | (c >> 12U));
        out += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (c & 0x3FU));
    } else {
        out += static_cast<char>(0xF0U | (c >> 18U));
        out += static_cast<char>(0x80U | ((c >> 12U) & 0x3FU));
        out += static_cast<char>(0x80U | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80U | (c & 0x3FU));
    }
}

char32_t lower(char32_t c) {
    if (c < 0x80) {
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    }
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (utf8 == nullptr) {
        return c;
    }
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8));
}

// First code points of the runs of ten decimal digits (general category Nd).
constexpr std::array<char32_t, 68> digitRuns = {
    0x0030,  0x0660,  0x06F0,  0x07C0,  0x0966,  0x09E6,  0x0A66,  0x0AE6,  0x0B66,  0x0BE6,
    0x0C66,  0x0CE6,  0x0D66,  0x0DE6,  0x0E50,  0x0ED0,  0x0F20,  0x1040,  0x1090,  0x17E0,
    0x1810,  0x1946,  0x19D0,  0x1A80,  0x1A90,  0x1B50,  0x1BB0,  0x1C40,  0x1C50,  0xA620,
    0xA8D0,  0xA900,  0xA9D0,  0xA9F0,  0xAA50,  0xABF0,  0xFF10,  0x104A0, 0x10D30, 0x11066,
    0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450, 0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0,
    0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x11F50, 0x16A60, 0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8,
    0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E4F0, 0x1E950, 0x1FBF0,
};

bool isDecimalDigit(char32_t c) {
    const auto* run = std::upper_bound(digitRuns.begin(), digitRuns.end(), c);
    return run != digitRuns.begin() && c - *(run - 1) < 10;
}

}  // namespace

std::string lowercased(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (const std::optional<char32_t> c = decode(text, i)) {
            if (*c == 0x130) {  // capital I with dot above lower-cases to two characters
                encode(U'i', out);
                encode(0x307, out);
            } else {
                encode(lower(*c), out);
            }
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool containsDecimalDigit(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (const std::optional<char32_t> c = decode(text, i)) {
            if (isDecimalDigit(*c)) {
                return true;
            }
        } else {
            ++i;
        }
    }
    return false;
}

std::string fixedDecimal(double value) {
    std::array<char, 400> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    if (text.find_first_of(".eEn") == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace keytips
