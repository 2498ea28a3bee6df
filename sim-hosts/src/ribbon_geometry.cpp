#include "ribbon_geometry.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace sim_hosts::detail {

namespace {

// Advance widths of the printable ASCII characters in a common sans-serif face, in thousandths of
// an em; every other character counts as 0.65 em.
constexpr std::array<int, 95> advances{
    317,  400, 460, 837, 635, 950, 780, 275, 390, 390, 500, 837, 317, 360, 317, 335,  //  !"#$%&'()*+,-./
    635,  635, 635, 635, 635, 635, 635, 635, 635, 635, 335, 335, 837, 837, 837, 530,  // 0-9 :;<=>?
    1000, 707, 685, 697, 770, 630, 575, 775, 750, 295, 295, 655, 557, 862, 747, 787,  // @A-O
    602,  787, 695, 635, 595, 730, 682, 987, 685, 610, 685, 390, 335, 390, 837, 500,  // P-Z [\]^_
    500,  612, 635, 550, 635, 615, 350, 635, 632, 277, 277, 577, 277, 972, 632, 610,  // `a-o
    635,  635, 395, 520, 392, 632, 590, 817, 590, 590, 525, 635, 335, 635, 837};      // p-z {|}~

bool hasArrow(std::string_view role) { return role == "AXMenuButton" || role == "AXComboBox"; }

}  // namespace

double textWidth(std::string_view text, double fontSize) {
    int thousandths = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            thousandths += advances[0];  // drawn as a space
        } else if (byte < 0x7F) {
            thousandths += advances[byte - 0x20];
        } else if ((byte & 0xC0) != 0x80) {  // the first byte of a character in UTF-8
            thousandths += 650;
        }
    }
    return thousandths * fontSize / 1000;
}

double controlWidth(std::string_view role, std::string_view text) {
    const double width = textWidth(text, titleFontSize) + 2 * textPadding + (hasArrow(role) ? arrowWidth : 0);
    return std::max(minimumWidth, std::ceil(width));
}

}  // namespace sim_hosts::detail
