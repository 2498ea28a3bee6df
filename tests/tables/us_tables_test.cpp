// The US English tables of the spreadsheet host, row by row: the two tab tables in full, the rows that
// open and close each tab's stretch of the command table, the rows whose texts are easy to get wrong,
// and the rows whose identifier is not their text.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "tables/spreadsheet.hpp"
#include "tables/table_checks.hpp"

namespace keytips::spreadsheet {
namespace {

using checks::describe;
using checks::ExactRow;
using checks::identifiersDifferingFromText;
using checks::Rows;
using checks::rowsOfTables;
using checks::stretchesFollowOneAnother;
using checks::TabTableCase;
using checks::timesOf;
using checks::unusualTexts;

// ---------------------------------------------------------------------------------------------------
// The tab tables, complete and in order.

// clang-format off
constexpr std::array<KeyRow, 10> kRibbonRows{{
    {{"Ribbon"}, "Home", "h", "AXRadioButton", "Home", nullptr, false, false},
    {{"Ribbon"}, "Insert", "n", "AXRadioButton", "Insert", nullptr, false, false},
    {{"Ribbon"}, "Draw", "d", "AXRadioButton", "Draw", nullptr, false, false},
    {{"Ribbon"}, "Page Layout", "p", "AXRadioButton", "Page Layout", nullptr, false, false},
    {{"Ribbon"}, "Formulas", "m", "AXRadioButton", "Formulas", nullptr, false, false},
    {{"Ribbon"}, "Data", "a", "AXRadioButton", "Data", nullptr, false, false},
    {{"Ribbon"}, "Review", "r", "AXRadioButton", "Review", nullptr, false, false},
    {{"Ribbon"}, "View", "w", "AXRadioButton", "View", nullptr, false, false},
    {{"Ribbon"}, "Developer", "l", "AXRadioButton", "Developer", nullptr, false, false},
    {{"Ribbon"}, "Customize Quick Access", "b", "AXMenuButton", "Customize Quick Access Toolbar", nullptr, false,
     false},
}};
// clang-format on

// clang-format off
constexpr std::array<KeyRow, 11> kContextualRows{{
    {{"Ribbon"}, "SmartArt Design", "js", "AXRadioButton", "SmartArt Design", nullptr, false, false},
    {{"Ribbon"}, "Chart Design", "jc", "AXRadioButton", "Chart Design", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "o", "AXRadioButton", "Format", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "t", "AXRadioButton", "Shape Format", nullptr, false, false},
    {{"Ribbon"}, "Table", "e", "AXRadioButton", "Table", nullptr, false, false},
    {{"Ribbon"}, "Slicer", "s", "AXRadioButton", "Slicer", nullptr, false, false},
    {{"Ribbon"}, "PivotTable Analyze", "jt", "AXRadioButton", "PivotTable Analyze", nullptr, false, false},
    {{"Ribbon"}, "PivotChart Analyze", "jh", "AXRadioButton", "PivotChart Analyze", nullptr, false, false},
    {{"Ribbon"}, "Design", "jy", "AXRadioButton", "Design", nullptr, false, false},
    {{"Ribbon"}, "Keyvane", "f", "AXRadioButton", "Keyvane", nullptr, false, false},
    {{"Ribbon"}, "Gridwell", "k", "AXRadioButton", "Gridwell", nullptr, false, false},
}};
// clang-format on

class UsTabTable : public testing::TestWithParam<TabTableCase> {};

TEST_P(UsTabTable, HoldsExactlyItsRowsInOrder) { checks::expectRows(GetParam().read(), GetParam().rows); }

INSTANTIATE_TEST_SUITE_P(Us, UsTabTable,
                         testing::Values(TabTableCase{"Ribbon", &AccessKeys_US::ribbonKeys, kRibbonRows},
                                         TabTableCase{"Contextual", &AccessKeys_US::contextualKeys,
                                                      kContextualRows}),
                         test_support::NameOfCase{});

// ---------------------------------------------------------------------------------------------------
// The command table falls into one stretch per tab: the tab's own block, then the blocks of the menus
// opened from it. Each stretch starts where the one before ends; the first and last row of each are
// fixed. The Gridwell add-in's rows are the add-in's own choice, so only its boundaries are fixed.

struct Stretch {
    const char* firstBlock;
    std::size_t first;
    std::size_t rows;
    KeyRow firstRow;
    KeyRow lastRow;
    bool rowsFixed = true;
};

// clang-format off
constexpr std::array<Stretch, 19> kStretches{{
    {"Home", 0, 211,
     {{"Home"}, "Clipboard", "zl", "AXMenuButton", "Clipboard", nullptr, false, false},
     {{"Tab Color"}, "More Colors...", "m", "AXMenuButton", "More Colors...", nullptr, true, true}},
    {"Insert", 211, 60,
     {{"Insert"}, "Tables", "zb", "AXMenuButton", "Tables", nullptr, false, false},
     {{"Equation"}, "Insert New Equation", "i", "AXMenuButton", "Insert New Equation", nullptr, true, true}},
    {"Draw", 271, 12,
     {{"Draw"}, "Draw", "w", "AXCheckBox", "Draw", nullptr, false, true},
     {{"Add Pen"}, "Pencil", "c", "AXMenuButton", "Pencil", nullptr, true, true}},
    {"Page Layout", 283, 29,
     {{"Page Layout", "Themes"}, "Themes", "th", "AXMenuButton", "Themes", nullptr, false, false},
     {{"Breaks"}, "Reset All Page Breaks", "a", "AXMenuButton", "Reset All Page Breaks", nullptr, true, true}},
    {"Formulas", 312, 63,
     {{"Formulas"}, "Function Library", "zl", "AXMenuButton", "Function Library", nullptr, false, false},
     {{"Calculation Options"}, "Manual", "m", "AXMenuButton", "Manual", nullptr, true, true}},
    {"Data", 375, 53,
     {{"Data"}, "Data Types", "d1", "AXMenuButton", "Data Types", nullptr, false, false},
     {{"Ungroup"}, "Clear Outline", "c", "AXMenuButton", "Clear Outline", nullptr, true, true}},
    {"Review", 428, 37,
     {{"Review"}, "Proofing", "zp", "AXMenuButton", "Proofing", nullptr, false, false},
     {{"Hide Ink"}, "Delete All Ink in Workbook", "w", "AXMenuButton", "Delete All Ink in Workbook", nullptr, true, true}},
    {"View", 465, 32,
     {{"View"}, "Switch Sheet View", "vc", "AXComboBox", nullptr, "Switch Sheet View", false, true},
     {{"View", "Macros"}, "Use Relative References", "mu", "AXCheckBox", "Use Relative References", nullptr, false, true}},
    {"Developer", 497, 15,
     {{"Developer"}, "Visual Basic", "v", "AXButton", "Visual Basic", nullptr, true, true},
     {{"Developer"}, "Spinner", "n", "AXButton", "Spinner", nullptr, true, true}},
    {"Keyvane", 512, 6,
     {{"Keyvane"}, "Account", "a", "AXButton", "Account", nullptr, true, true},
     {{"Keyvane"}, "Request Feature", "f", "AXButton", "Request Feature", nullptr, true, true}},
    {"Gridwell", 518, 45, {}, {}, false},
    {"SmartArt Design", 563, 22,
     {{"SmartArt Design"}, "Add Shape", "o", "AXMenuButton", "Add Shape", nullptr, false, false},
     {{"Change Colors"}, "Recolor Pictures in SmartArt Graphic", "r", "AXMenuButton", "Recolor Pictures in SmartArt Graphic", nullptr, true, true}},
    {"FormatShape", 585, 75,
     {{"FormatShape"}, "Change Shape", "i", "AXMenuButton", "Change Shape", nullptr, true, true},
     {{"Arrows"}, "More Arrows...", "m", "AXMenuButton", "More Arrows...", nullptr, true, true}},
    {"Chart Design", 660, 67,
     {{"Chart Design", "Design"}, "Add Chart Element", "a", "AXMenuButton", "Add Chart Element", nullptr, false, false},
     {{"Up/Down Bars"}, "Up/Down Bars", "u", "AXMenuButton", "Up/Down Bars", nullptr, true, true}},
    {"Table", 727, 18,
     {{"Table"}, "Table Name:", "a", "AXTextField", nullptr, "Table Name:", true, true},
     {{"Refresh"}, "Connection Properties...", "o", "AXMenuButton", "Connection Properties...", nullptr, true, true}},
    {"Slicer", 745, 13,
     {{"Slicer"}, "Slicer Caption:", "t", "AXTextField", nullptr, "Slicer Caption:", true, true},
     {{"Slicer"}, "Width2:", "w", "AXIncrementor", nullptr, "Width:", true, true}},
    {"PivotTable Analyze", 758, 37,
     {{"PivotTable Analyze"}, "PivotTable Name:", "n", "AXTextField", nullptr, "PivotTable Name:", true, true},
     {{"Fields, Items, & Sets"}, "List Formulas", "l", "AXMenuButton", "List Formulas", nullptr, true, true}},
    {"Design", 795, 23,
     {{"Design"}, "Subtotals", "t", "AXMenuButton", "Subtotals", nullptr, false, false},
     {{"Blank Rows"}, "Remove Blank Line After Each Item", "r", "AXMenuButton", "Remove Blank Line After Each Item", nullptr, true, true}},
    {"PivotChart Analyze", 818, 15,
     {{"PivotChart Analyze"}, "Chart Name", "c", "AXTextField", nullptr, "Chart Name", true, true},
     {{"PivotChart Analyze"}, "Field List", "l", "AXCheckBox", "Field List", nullptr, true, true}},
}};
// clang-format on

constexpr std::size_t kCommandRows = 833;

// The stretches, taken together in table order, make up the larger sections of the table: the Home
// tab; Insert and Draw; Page Layout and Formulas; the other fixed tabs; the add-in and shape tabs; the
// chart, table and PivotTable tabs.
constexpr std::array<std::size_t, 6> kSectionRows{211, 72, 92, 137, 148, 173};
constexpr std::array<std::size_t, 6> kSectionStretches{1, 2, 2, 4, 4, 6};

constexpr bool stretchesAreConsistent() {
    std::size_t stretch = 0;
    for (std::size_t section = 0; section < kSectionRows.size(); ++section) {
        std::size_t rows = 0;
        for (std::size_t i = 0; i < kSectionStretches[section]; ++i) {
            rows += kStretches[stretch++].rows;
        }
        if (rows != kSectionRows[section]) {
            return false;
        }
    }
    return stretchesFollowOneAnother(kStretches, kCommandRows) && stretch == kStretches.size();
}
static_assert(stretchesAreConsistent());

TEST(UsCommandTable, EachTabStretchStartsAndEndsWhereExpected) {
    const KeyTable& table = AccessKeys_US::sharedKeys();
    EXPECT_EQ(table.size(), kCommandRows);
    for (const Stretch& stretch : kStretches) {
        SCOPED_TRACE(stretch.firstBlock);
        const std::size_t last = stretch.first + stretch.rows - 1;
        ASSERT_LT(last, table.size());
        // The stretch starts a block of its own name, so the row before it belongs to another block.
        ASSERT_FALSE(table[stretch.first].source.empty());
        EXPECT_EQ(table[stretch.first].source.front(), stretch.firstBlock) << "row " << stretch.first;
        if (stretch.first > 0 && !table[stretch.first - 1].source.empty()) {
            EXPECT_NE(table[stretch.first - 1].source.front(), stretch.firstBlock)
                << "row " << stretch.first - 1;
        }
        if (stretch.rowsFixed) {
            EXPECT_EQ(describe(table[stretch.first]), describe(stretch.firstRow)) << "row " << stretch.first;
            EXPECT_EQ(describe(table[last]), describe(stretch.lastRow)) << "row " << last;
        }
    }
}

// The Home block opens with the buttons of its six groups, then the Clipboard group's rows.
// clang-format off
constexpr std::array<KeyRow, 7> kHomeBlockStart{{
    {{"Home"}, "Clipboard", "zl", "AXMenuButton", "Clipboard", nullptr, false, false},
    {{"Home"}, "Font", "zf", "AXMenuButton", "Font", nullptr, false, false},
    {{"Home"}, "Alignment", "za", "AXMenuButton", "Alignment", nullptr, false, false},
    {{"Home"}, "Number", "zn", "AXMenuButton", "Number", nullptr, false, false},
    {{"Home"}, "Cells", "zc", "AXMenuButton", "Cells", nullptr, false, false},
    {{"Home"}, "Editing", "ze", "AXMenuButton", "Editing", nullptr, false, false},
    {{"Home", "Clipboard"}, "Paste", "v", "AXMenuButton", "Paste", nullptr, false, false},
}};
// clang-format on

TEST(UsCommandTable, HomeBlockOpensWithTheGroupButtons) {
    const KeyTable& table = AccessKeys_US::sharedKeys();
    ASSERT_GE(table.size(), kHomeBlockStart.size());
    for (std::size_t i = 0; i < kHomeBlockStart.size(); ++i) {
        EXPECT_EQ(describe(table[i]), describe(kHomeBlockStart[i])) << "row " << i;
    }
}

// ---------------------------------------------------------------------------------------------------
// Rows whose exact record matters: texts with characters outside ASCII or a line feed, rows listed in
// several layers, rows that share a title or an identifier with another row. Each must stand in the
// command table exactly the given number of times.

// clang-format off
constexpr std::array<ExactRow, 22> kExactRows{{
    {{{"Home"}, "Add-ins", "as", "AXButton", "Add\u2011ins", nullptr, false, true}, 1},
    {{{"Developer"}, "Add-ins", "a1", "AXButton", "Add-ins", nullptr, true, true}, 1},
    {{{"Draw"}, "Draw with Trackpad", "d", "AXCheckBox", "Draw with\nTrackpad", nullptr, false, true}, 1},
    {{{"Place in Cell", "Place over Cells"}, "Photo Browser\u2026", "b", "AXMenuButton", "Photo Browser\u2026", nullptr, true, true}, 1},
    {{{"Place in Cell", "Place over Cells"}, "Picture from File...", "f", "AXMenuButton", "Picture from File...", nullptr, true, true}, 1},
    {{{"From Picture"}, "Picture From File...", "f", "AXMenuButton", "Picture From File...", nullptr, true, true}, 1},
    {{{"Rotate"}, "Rotate Right 90\u00B0", "r", "AXMenuButton", "Rotate Right 90\u00B0", nullptr, true, true}, 1},
    {{{"Rotate"}, "Rotate Left 90\u00B0", "l", "AXMenuButton", "Rotate Left 90\u00B0", nullptr, true, true}, 1},
    {{{"Review", "Notes"}, "Notes", "t", "AXMenuButton", "Notes", nullptr, false, false}, 1},
    {{{"Weight", "Sketched", "Dashes"}, "More Lines...", "m", "AXMenuButton", "More Lines...", nullptr, true, true}, 1},
    {{{"Shading"}, "No Fill", "n", "AXRadioButton", nullptr, "No Fill", true, true}, 1},
    {{{"Font Color"}, "No Fill", "a", "AXRadioButton", nullptr, "Automatic", true, true}, 1},
    {{{"Line Color"}, "Automatic", "a", "AXRadioButton", nullptr, "Automatic", true, true}, 1},
    {{{"Home", "Clipboard"}, "Format Painter", "fp", "AXCheckBox", "Format", nullptr, false, true}, 1},
    {{{"Home", "Cells"}, "Format", "o", "AXMenuButton", "Format", nullptr, false, false}, 1},
    {{{"Home", "Editing"}, "AutoSum", "u", "AXMenuButton", "AutoSum", nullptr, false, false}, 1},
    {{{"Formulas", "Function Library"}, "AutoSum", "u", "AXMenuButton", "AutoSum", nullptr, false, false}, 1},
    {{{"View", "Window"}, "Freeze Panes", "ff", "AXCheckBox", "Freeze Panes", nullptr, false, true}, 1},
    {{{"View", "Window"}, "Freeze Panes", "f", "AXMenuButton", "Freeze Panes", nullptr, false, false}, 1},
    {{{"Check Accessibility"}, "Format as Table", "t", "AXMenuButton", "Format as Table", nullptr, true, false}, 1},
    {{{"PivotChart Analyze"}, "Clear", "e", "AXMenuButton", "Clear", nullptr, false, false}, 1},
    {{{"PivotTable Analyze"}, "PivotField Name:", "m", "AXTextField", nullptr, "PivotField Name:", true, true}, 1},
}};
// clang-format on

class UsCommandTableExactRow : public testing::TestWithParam<ExactRow> {};

TEST_P(UsCommandTableExactRow, StandsTheGivenNumberOfTimes) {
    const ExactRow& expected = GetParam();
    EXPECT_EQ(timesOf(AccessKeys_US::sharedKeys(), expected.row), expected.times) << describe(expected.row);
}

INSTANTIATE_TEST_SUITE_P(Us, UsCommandTableExactRow, testing::ValuesIn(kExactRows), checks::NameOfRow{});

// Every text outside plain printable ASCII, in table order: the non-breaking hyphen, the ellipsis, the
// degree sign and the one line feed. No text holds a backslash.
TEST(UsTables, TextsOutsidePrintableAsciiAreExactlyTheKnownOnes) {
    const std::vector<std::string> expected{
        "title \"Add\u2011ins\"",
        "identifier \"Photo Browser\u2026\"",
        "title \"Photo Browser\u2026\"",
        "title \"Draw with\nTrackpad\"",
        "identifier \"Rotate Right 90\u00B0\"",
        "title \"Rotate Right 90\u00B0\"",
        "identifier \"Rotate Left 90\u00B0\"",
        "title \"Rotate Left 90\u00B0\"",
    };
    EXPECT_EQ(unusualTexts(rowsOfTables(
                  {&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys, &AccessKeys_US::sharedKeys})),
              expected);
}

// A row's identifier is its title (or its description) except in these rows, listed in table order:
// the ribbon-tab table, then the contextual-tab table, then the command table.
TEST(UsTables, IdentifiersDifferFromTheTextOnlyWhereExpected) {
    const std::vector<std::string> expected{
        "Customize Quick Access <- Customize Quick Access Toolbar",
        "FormatShape <- Format",
        "FormatShape <- Shape Format",
        "Format Painter <- Format",
        "Align Center <- Center",
        "InsertHome <- Insert",
        "Add-ins <- Add\u2011ins",
        "No Fill <- Automatic",
        "Draw with Trackpad <- Draw with\nTrackpad",
        "ViewGL <- View",
        "PrintGL <- Print",
        "ViewH <- View",
        "PrintH <- Print",
        "Sort & Filter Data <- Sort & Filter",
        "From Picture Data <- From Picture",
        "Group2 <- Group",
        "Reset to match style <- Reset to Match Style",
        "Group2 <- Group",
        "Height1: <- Height:",
        "Width1: <- Width:",
        "Height2: <- Height:",
        "Width2: <- Width:",
        "ClearPivot <- Clear",
    };
    ASSERT_EQ(expected.size(), 23U);
    Rows rows = rowsOfTables(
        {&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys, &AccessKeys_US::sharedKeys});
    // A rule of its own reports the rows without title and description.
    std::erase_if(rows, [](const AccessKey* key) { return !key->title && !key->description; });
    EXPECT_EQ(identifiersDifferingFromText(rows), expected);
}

}  // namespace
}  // namespace keytips::spreadsheet
