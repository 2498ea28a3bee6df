// The US English tables of the presentation host, row by row: the two tab tables in full, the first and
// last row of each stretch of the command table, the rows whose exact record is easy to get wrong, the
// texts outside printable ASCII and the rows whose identifier is not their text.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "tables/presentation.hpp"
#include "tables/table_checks.hpp"

namespace keytips::presentation {
namespace {

using namespace checks;

// All rows of the three tables, in the order ribbon tabs, contextual tabs, commands.
Rows allUsRows() {
    return rowsOfTables(
        {&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys, &AccessKeys_US::sharedKeys});
}

// ---------------------------------------------------------------------------------------------------
// The tab tables, complete and in order.

// clang-format off
constexpr std::array<KeyRow, 12> kRibbonRows{{
    {{"Ribbon"}, "Home", "h", "AXRadioButton", "Home", nullptr, false, false},
    {{"Ribbon"}, "Insert", "n", "AXRadioButton", "Insert", nullptr, false, false},
    {{"Ribbon"}, "Draw", "d", "AXRadioButton", "Draw", nullptr, false, false},
    {{"Ribbon"}, "Design", "g", "AXRadioButton", "Design", nullptr, false, false},
    {{"Ribbon"}, "Transitions", "k", "AXRadioButton", "Transitions", nullptr, false, false},
    {{"Ribbon"}, "Animations", "a", "AXRadioButton", "Animations", nullptr, false, false},
    {{"Ribbon"}, "Slide Show", "s", "AXRadioButton", "Slide Show", nullptr, false, false},
    {{"Ribbon"}, "Record", "c", "AXRadioButton", "Record", nullptr, false, false},
    {{"Ribbon"}, "Review", "r", "AXRadioButton", "Review", nullptr, false, false},
    {{"Ribbon"}, "View", "w", "AXRadioButton", "View", nullptr, false, false},
    {{"Ribbon"}, "Slide Master", "m", "AXRadioButton", "Slide Master", nullptr, false, false},
    {{"Ribbon"}, "Customize Quick Access", "b", "AXMenuButton", "Customize Quick Access Toolbar", nullptr, false, false},
}};

constexpr std::array<KeyRow, 7> kContextualRows{{
    {{"Ribbon"}, "SmartArt Design", "js", "AXRadioButton", "SmartArt Design", nullptr, false, false},
    {{"Ribbon"}, "Chart Design", "jc", "AXRadioButton", "Chart Design", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "t", "AXRadioButton", "Shape Format", nullptr, false, false},
    {{"Ribbon"}, "FormatShape", "o", "AXRadioButton", "Format", nullptr, false, false},
    {{"Ribbon"}, "Table Design", "e", "AXRadioButton", "Table Design", nullptr, false, false},
    {{"Ribbon"}, "Table Layout", "u", "AXRadioButton", "Table Layout", nullptr, false, false},
    {{"Ribbon"}, "Keyvane", "f", "AXRadioButton", "Keyvane", nullptr, false, false},
}};
// clang-format on

class UsTabTable : public testing::TestWithParam<TabTableCase> {};

TEST_P(UsTabTable, HoldsExactlyItsRowsInOrder) { expectRows(GetParam().read(), GetParam().rows); }

INSTANTIATE_TEST_SUITE_P(Us, UsTabTable,
                         testing::Values(TabTableCase{"Ribbon", &AccessKeys_US::ribbonKeys, kRibbonRows},
                                         TabTableCase{"Contextual", &AccessKeys_US::contextualKeys,
                                                      kContextualRows}),
                         test_support::NameOfCase{});

// Both tab tables are offered together in the first layer, where a typed digit goes to the Quick
// Access Toolbar: letters only, all 19 distinct, none the beginning of another; the two two-letter
// shortcuts begin with "j".
TEST(UsTabTables, ShortcutsAreLettersDistinctAndNoneBeginsAnother) {
    std::vector<std::string> shortcuts;
    std::vector<std::string> twoLetters;
    for (const Reader read : {&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys}) {
        for (const AccessKey& key : read()) {
            for (const char c : key.shortcut) {
                EXPECT_TRUE(c >= 'a' && c <= 'z') << key.identifier << " \"" << key.shortcut << "\"";
            }
            shortcuts.push_back(key.shortcut);
            if (key.shortcut.size() == 2) {
                twoLetters.push_back(key.shortcut);
            }
        }
    }
    EXPECT_EQ(shortcuts.size(), 19U);
    EXPECT_EQ(twoLetters, (std::vector<std::string>{"js", "jc"}));
    expectNoneBeginsAnother(shortcuts);
}

// ---------------------------------------------------------------------------------------------------
// The command table falls into six consecutive stretches: Home; Insert, Draw, Design, Transitions and
// Animations; Slide Show, Record and the layers "Themes" and "Group"; Review, Slide Master, View and
// Keyvane; the table and SmartArt tabs; Shape Format and Chart Design. Each starts where the one before
// ends, and its first and last row are fixed.

// clang-format off
constexpr std::array<Stretch, 6> kStretches{{
    {"Home", 0, 137,
     {{"Home"}, "Paste", "v", "AXMenuButton", "Paste", nullptr, false, false},
     {{"Rotate"}, "More Rotation Options...", "m", "AXMenuButton", "More Rotation Options...", nullptr, true, true}},
    {"Insert to Animations", 137, 108,
     {{"Insert"}, "Tables", "zb", "AXMenuButton", "Tables", nullptr, false, false},
     {{"Trigger"}, "On Bookmark", "b", "AXMenuButton", "On Bookmark", nullptr, true, true}},
    {"Slide Show to Group", 245, 48,
     {{"Slide Show"}, "Play from Start", "b", "AXButton", "Play from Start", nullptr, true, true},
     {{"Group"}, "Auto Outline", "a", "AXMenuButton", "Auto Outline", nullptr, true, true}},
    {"Review to Keyvane", 293, 81,
     {{"Review"}, "Spelling", "s", "AXCheckBox", "Spelling", nullptr, true, true},
     {{"Keyvane"}, "Request Feature", "f", "AXButton", "Request Feature", nullptr, true, true}},
    {"Table Design to SmartArt Design", 374, 102,
     {{"Table Design"}, "Header Row", "o", "AXCheckBox", "Header Row", nullptr, true, true},
     {{"Change Colors"}, "Recolor Pictures in SmartArt Graphic", "r", "AXMenuButton", "Recolor Pictures in SmartArt Graphic", nullptr, true, true}},
    {"Shape Format and Chart Design", 476, 122,
     {{"FormatShape"}, "Change Shape", "i", "AXMenuButton", "Change Shape", nullptr, true, true},
     {{"Up/Down Bars"}, "Up/Down Bars", "u", "AXMenuButton", "Up/Down Bars", nullptr, true, true}},
}};
// clang-format on

constexpr std::size_t kCommandRows = 598;

static_assert(stretchesFollowOneAnother(kStretches, kCommandRows));

TEST(UsCommandTable, EachStretchStartsAndEndsWithItsRows) {
    const KeyTable& table = AccessKeys_US::sharedKeys();
    ASSERT_EQ(table.size(), kCommandRows);
    expectStretchEnds(table, kStretches);
}

// ---------------------------------------------------------------------------------------------------
// Rows whose exact record matters: texts with characters outside ASCII or a line feed, identifiers that
// are not the text, flags that differ from their neighbours', rows that share an identifier, a title or
// a shortcut with another row. Each must stand in the command table exactly the given number of times.

// clang-format off
constexpr std::array<ExactRow, 32> kExactRows{{
    {{{"Home"}, "Add\u2011ins", "as", "AXButton", "Add\u2011ins", nullptr, true, true}, 1},
    {{{"Home"}, "Format", "fp", "AXCheckBox", "Format", nullptr, true, true}, 1},
    {{{"Home"}, "Font:", "ff", "AXComboBox", nullptr, "Font:", true, true}, 1},
    {{{"Home"}, "Shapes", "sh", "AXMenuButton", "Shapes", nullptr, false, true}, 1},
    {{{"Home"}, "Convert to SmartArt", "m", "AXMenuButton", "Convert to SmartArt", nullptr, true, true}, 1},
    {{{"Picture", "Pictures"}, "Photo Browser\u2026", "b", "AXMenuButton", "Photo Browser\u2026", nullptr, true, true}, 1},
    {{{"Text Direction"}, "Rotate all text 270\u00B0", "o", "AXMenuButton", "Rotate all text 270\u00B0", nullptr, true, true}, 1},
    {{{"Arrange"}, "Align", "a", "AXMenuButton", "Align", nullptr, true, false}, 1},
    {{{"Font Color"}, "No Fill", "a", "AXRadioButton", nullptr, "Automatic", true, true}, 1},
    {{{"Rotate"}, "Rotate Left 90\u00B0", "l", "AXMenuButton", "Rotate Left 90\u00B0", nullptr, true, true}, 1},
    {{{"Insert", "Illustrations"}, "Icons", "ns", "AXButton", "Icons", nullptr, false, true}, 1},
    {{{"Chart", "Change Chart Type"}, "Hierarchy", "h", "AXMenuButton", "Hierarchy", nullptr, true, true}, 1},
    {{{"SmartArt"}, "Hierarchy", "h", "AXMenuButton", "Hierarchy", nullptr, true, false}, 1},
    {{{"SmartArt"}, "Pyramid", "p", "AXMenuButton", "Pyramid", nullptr, true, false}, 1},
    {{{"Draw"}, "Draw with Trackpad", "d", "AXCheckBox", "Draw with\nTrackpad", nullptr, false, true}, 1},
    {{{"Slide Size"}, "Standard (4 ratio 3)", "s", "AXRadioButton", nullptr, "Standard (4 ratio 3)", true, true}, 1},
    {{{"Transitions"}, "Preview", "p", "AXButton", "Preview", nullptr, true, true}, 1},
    {{{"Animations"}, "Preview", "p", "AXMenuButton", "Preview", nullptr, false, false}, 1},
    {{{"Preview"}, "Preview", "p", "AXMenuButton", "Preview", nullptr, true, true}, 1},
    {{{"Animations"}, "Start:", "t", "AXPopUpButton", nullptr, "Start:", true, true}, 1},
    {{{"Slide Show"}, "RecordSlideShow", "n", "AXMenuButton", "Record", nullptr, false, false}, 1},
    {{{"RecordSlideShow"}, "ClearRecording", "c", "AXMenuButton", "Clear", nullptr, true, false}, 1},
    {{{"Subtitle Settings"}, "Spoken Language: English (United States)", "s", "AXMenuButton", "Spoken Language: English (United States)", nullptr, true, true}, 1},
    {{{"Page Layout", "Themes"}, "Fonts", "tf", "AXMenuButton", "Fonts", nullptr, false, false}, 1},
    {{{"Slide Master"}, "Fonts", "tf", "AXMenuButton", "Fonts", nullptr, true, true}, 1},
    {{{"Table Layout"}, "DeleteTable", "d", "AXMenuButton", "Delete", nullptr, false, false}, 1},
    {{{"Table Layout"}, "Group", "ag", "AXMenuButton", "Group", nullptr, false, false}, 1},
    {{{"Table Layout"}, "Height:", "th", "AXIncrementor", nullptr, "Height:", true, true}, 1},
    {{{"SmartArt Design"}, "Add Shape", "o", "AXMenuButton", "Add Shape", nullptr, true, true}, 1},
    {{{"FormatShape"}, "Group2", "ag", "AXMenuButton", "Group", nullptr, false, false}, 1},
    {{{"FormatShape"}, "Reset to match style", "v", "AXButton", "Reset to Match Style", nullptr, true, true}, 1},
    {{{"Weight", "Sketched", "Dashes"}, "More Lines...", "m", "AXMenuButton", "More Lines...", nullptr, true, true}, 1},
}};

// The eight chart layers that begin with their own row "None".
constexpr std::array<const char*, 8> kNoneLayers{
    "Chart Title", "Data Labels", "Data Table", "Error Bars", "Legend", "Lines", "Trendline", "Up/Down Bars"};
// clang-format on

class UsCommandTableExactRow : public testing::TestWithParam<ExactRow> {};

TEST_P(UsCommandTableExactRow, StandsTheGivenNumberOfTimes) {
    const ExactRow& expected = GetParam();
    EXPECT_EQ(timesOf(AccessKeys_US::sharedKeys(), expected.row), expected.times) << describe(expected.row);
}

INSTANTIATE_TEST_SUITE_P(Us, UsCommandTableExactRow, testing::ValuesIn(kExactRows), NameOfRow{});

class UsChartLayer : public testing::TestWithParam<const char*> {};

TEST_P(UsChartLayer, BeginsWithItsOwnRowNone) {
    const KeyRow none{{GetParam()}, "None", "n", "AXMenuButton", "None", nullptr, true, true};
    EXPECT_EQ(timesOf(AccessKeys_US::sharedKeys(), none), 1U) << describe(none);
}

INSTANTIATE_TEST_SUITE_P(Us, UsChartLayer, testing::ValuesIn(kNoneLayers),
                         [](const testing::TestParamInfo<const char*>& layer) {
                             return test_support::caseName(layer.param);
                         });

// Every text outside plain printable ASCII, in table order: the non-breaking hyphen, the degree sign,
// the ellipsis and the one line feed. No text holds a backslash, and no tab row holds any of them.
TEST(UsTables, TextsOutsidePrintableAsciiAreExactlyTheKnownOnes) {
    const std::vector<std::string> expected{
        "identifier \"Add\u2011ins\"",
        "title \"Add\u2011ins\"",
        "identifier \"Rotate all text 90\u00B0\"",
        "title \"Rotate all text 90\u00B0\"",
        "identifier \"Rotate all text 270\u00B0\"",
        "title \"Rotate all text 270\u00B0\"",
        "identifier \"Photo Browser\u2026\"",
        "title \"Photo Browser\u2026\"",
        "identifier \"Rotate Right 90\u00B0\"",
        "title \"Rotate Right 90\u00B0\"",
        "identifier \"Rotate Left 90\u00B0\"",
        "title \"Rotate Left 90\u00B0\"",
        "title \"Draw with\nTrackpad\"",
    };
    EXPECT_EQ(unusualTexts(allUsRows()), expected);
}

// A row's identifier is its title (or its description) except in these rows, in the order ribbon tabs,
// contextual tabs, commands: three tab rows and seven command rows.
TEST(UsTables, IdentifiersDifferFromTheTextOnlyWhereExpected) {
    const std::vector<std::string> expected{
        "Customize Quick Access <- Customize Quick Access Toolbar",
        "FormatShape <- Shape Format",
        "FormatShape <- Format",
        "No Fill <- Automatic",
        "Draw with Trackpad <- Draw with\nTrackpad",
        "RecordSlideShow <- Record",
        "ClearRecording <- Clear",
        "DeleteTable <- Delete",
        "Group2 <- Group",
        "Reset to match style <- Reset to Match Style",
    };
    EXPECT_EQ(identifiersDifferingFromText(allUsRows()), expected);
}

}  // namespace
}  // namespace keytips::presentation
