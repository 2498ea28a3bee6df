// UK English ribbon-tab table of the spreadsheet host, in table order. Identifiers keep the US wording;
// titles carry the UK wording.
#include "tables/spreadsheet.hpp"

namespace keytips::spreadsheet {
namespace {

// clang-format off
constexpr KeyRow rows[] = {
    {{"Ribbon"}, "Home", "h", "AXRadioButton", "Home", nullptr, false, false},
    {{"Ribbon"}, "Insert", "n", "AXRadioButton", "Insert", nullptr, false, false},
    {{"Ribbon"}, "Draw", "d", "AXRadioButton", "Draw", nullptr, false, false},
    {{"Ribbon"}, "Page Layout", "p", "AXRadioButton", "Page Layout", nullptr, false, false},
    {{"Ribbon"}, "Formulas", "m", "AXRadioButton", "Formulas", nullptr, false, false},
    {{"Ribbon"}, "Data", "a", "AXRadioButton", "Data", nullptr, false, false},
    {{"Ribbon"}, "Review", "r", "AXRadioButton", "Review", nullptr, false, false},
    {{"Ribbon"}, "View", "w", "AXRadioButton", "View", nullptr, false, false},
    {{"Ribbon"}, "Developer", "l", "AXRadioButton", "Developer", nullptr, false, false},
    {{"Ribbon"}, "Customize Quick Access", "b", "AXMenuButton", "Customise Quick Access Toolbar", nullptr, false, false},
};
// clang-format on

}  // namespace

const std::span<const KeyRow> ukRibbonKeyRows = rows;

}  // namespace keytips::spreadsheet
