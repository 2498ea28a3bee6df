// US English contextual-tab table of the presentation host, in table order.
#include "tables/presentation.hpp"

namespace keytips::presentation {
namespace {

// clang-format off
constexpr KeyRow rows[] = {
    {{"Ribbon"}, "SmartArt Design", "js", "AXRadioButton", "SmartArt Design", nullptr, false, false},
    {{"Ribbon"}, "Chart Design", "jc", "AXRadioButton", "Chart Design", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "t", "AXRadioButton", "Shape Format", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "o", "AXRadioButton", "Format", nullptr, false, false},
    {{"Ribbon"}, "Table Design", "e", "AXRadioButton", "Table Design", nullptr, false, false},
    {{"Ribbon"}, "Table Layout", "u", "AXRadioButton", "Table Layout", nullptr, false, false},
    {{"Ribbon"}, "Keyvane", "f", "AXRadioButton", "Keyvane", nullptr, false, false},
};
// clang-format on

}  // namespace

const std::span<const KeyRow> usContextualKeyRows = rows;

}  // namespace keytips::presentation
