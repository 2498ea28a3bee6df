#include "support/case_names.hpp"

namespace test_support {

std::string caseName(std::string_view name) {
    std::string result;
    bool wordStarts = true;
    for (const char c : name) {
        const bool lower = c >= 'a' && c <= 'z';
        if (!lower && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9')) {
            wordStarts = true;
            continue;
        }
        result += wordStarts && lower ? static_cast<char>(c - 'a' + 'A') : c;
        wordStarts = false;
    }
    return result;
}

}  // namespace test_support
