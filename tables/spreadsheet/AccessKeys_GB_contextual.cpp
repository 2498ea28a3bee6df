// UK English contextual-tab table of the spreadsheet host, in table order. Identifiers keep the US wording;
// titles carry the UK wording.
#include "tables/spreadsheet.hpp"

namespace keytips::spreadsheet {
namespace {

// clang-format off
constexpr KeyRow rows[] = {
    {{"Ribbon"}, "SmartArt Design", "js", "AXRadioButton", "SmartArt Design", nullptr, false, false},
    {{"Ribbon"}, "Chart Design", "jc", "AXRadioButton", "Chart Design", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "o", "AXRadioButton", "Format", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "t", "AXRadioButton", "Shape Format", nullptr, false, false},
    {{"Ribbon"}, "Table", "e", "AXRadioButton", "Table", nullptr, false, false},
    {{"Ribbon"}, "Slicer", "s", "AXRadioButton", "Slicer", nullptr, false, false},
    {{"Ribbon"}, "PivotTable Analyze", "jt", "AXRadioButton", "Pivot Table Analyse", nullptr, false, false},
    {{"Ribbon"}, "PivotChart Analyze", "jh", "AXRadioButton", "Pivot Chart Analyse", nullptr, false, false},
    {{"Ribbon"}, "Design", "jy", "AXRadioButton", "Design", nullptr, false, false},
    {{"Ribbon"}, "Keyvane", "f", "AXRadioButton", "Keyvane", nullptr, false, false},
    {{"Ribbon"}, "Gridwell", "k", "AXRadioButton", "Gridwell", nullptr, false, false},
};
// clang-format on

}  // namespace

const std::span<const KeyRow> ukContextualKeyRows = rows;

}  // namespace keytips::spreadsheet
