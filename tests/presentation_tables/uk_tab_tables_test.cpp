// The UK English ribbon-tab and contextual-tab tables of the presentation host: both in full, their
// shortcuts, and the command layer that each tab row opens.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "tables/presentation.hpp"
#include "tables/table_checks.hpp"

namespace keytips::presentation {
namespace {

using checks::describe;
using checks::TabTableCase;

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
    {{"Ribbon"}, "Customize Quick Access", "b", "AXMenuButton", "Customise Quick Access Toolbar", nullptr, false, false},
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

class UkTabTable : public testing::TestWithParam<TabTableCase> {};

TEST_P(UkTabTable, HoldsExactlyItsRowsInOrder) { checks::expectRows(GetParam().read(), GetParam().rows); }

INSTANTIATE_TEST_SUITE_P(Uk, UkTabTable,
                         testing::Values(TabTableCase{"Ribbon", &AccessKeys_GB::ribbonKeys, kRibbonRows},
                                         TabTableCase{"Contextual", &AccessKeys_GB::contextualKeys,
                                                      kContextualRows}),
                         test_support::NameOfCase{});

checks::Rows tabRows() {
    return checks::rowsOfTables({&AccessKeys_GB::ribbonKeys, &AccessKeys_GB::contextualKeys});
}

// The first layer compares the typed keys with all 19 shortcuts at once: each is one or two lower-case
// letters (a digit would go to the Quick Access Toolbar), all differ, and none begins another.
TEST(UkTabTables, ShortcutsAreDistinctLettersAndNoneBeginsAnother) {
    const auto rows = tabRows();
    ASSERT_EQ(rows.size(), 19U);
    std::set<std::string> shortcuts;
    for (const AccessKey* key : rows) {
        EXPECT_TRUE(key->shortcut.size() == 1 || key->shortcut.size() == 2) << key->shortcut;
        for (const char c : key->shortcut) {
            EXPECT_TRUE(c >= 'a' && c <= 'z') << key->shortcut;
        }
        EXPECT_TRUE(shortcuts.insert(key->shortcut).second) << "repeated " << key->shortcut;
    }
    for (const std::string& shorter : shortcuts) {
        for (const std::string& longer : shortcuts) {
            EXPECT_FALSE(shorter != longer && longer.starts_with(shorter)) << shorter << " < " << longer;
        }
    }
}

TEST(UkTabTables, OnlyThreeRowsAreTitledOtherThanTheirIdentifier) {
    EXPECT_EQ(checks::identifiersDifferingFromText(tabRows()),
              (std::vector<std::string>{"Customize Quick Access <- Customise Quick Access Toolbar",
                                        "FormatShape <- Shape Format", "FormatShape <- Format"}));
}

// The command layer each tab row opens: the rows of the command table that name it. The
// Quick Access Toolbar's menu button opens a layer without rows.
struct TabLayer {
    const char* shortcut;
    const char* layer;
    std::size_t rows;
};

constexpr std::array<TabLayer, 19> kTabLayers{{
    {"h", "Home", 45},
    {"n", "Insert", 30},
    {"d", "Draw", 8},
    {"g", "Design", 11},
    {"k", "Transitions", 8},
    {"a", "Animations", 8},
    {"s", "Slide Show", 15},
    {"c", "Record", 6},
    {"r", "Review", 15},
    {"w", "View", 15},
    {"m", "Slide Master", 16},
    {"b", "Customize Quick Access", 0},
    {"js", "SmartArt Design", 12},
    {"jc", "Chart Design", 8},
    {"t", "FormatShape", 27},
    {"o", "FormatShape", 27},
    {"e", "Table Design", 18},
    {"u", "Table Layout", 30},
    {"f", "Keyvane", 5},
}};

TEST(UkTabTables, EachTabOpensALayerOfItsSize) {
    const auto rows = tabRows();
    ASSERT_EQ(rows.size(), kTabLayers.size());
    const KeyTable& commands = AccessKeys_GB::sharedKeys();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TabLayer& expected = kTabLayers[i];
        EXPECT_EQ(rows[i]->shortcut, expected.shortcut) << "tab row " << i;
        EXPECT_EQ(rows[i]->identifier, expected.layer) << "tab row " << i;
        EXPECT_EQ(checks::rowsNaming(commands, expected.layer), expected.rows) << expected.layer;
    }
}

// The Design tab's layer holds its own three rows first, then the eight Chart Design rows, which the
// Chart Design tab's layer holds as well.
TEST(UkTabTables, DesignLayerHoldsItsOwnRowsThenTheChartDesignRows) {
    std::vector<std::string> design;
    std::vector<std::string> chartDesign;
    for (const AccessKey& key : AccessKeys_GB::sharedKeys()) {
        std::string sources;
        for (const std::string& layer : key.source) {
            sources += (sources.empty() ? "" : "+") + layer;
        }
        if (checks::names(key, "Design")) {
            design.push_back(sources + " " + key.identifier);
        }
        if (checks::names(key, "Chart Design")) {
            chartDesign.push_back(sources + " " + key.identifier);
        }
    }
    const std::vector<std::string> chartRows{
        "Chart Design+Design Add Chart Element", "Chart Design+Design Quick Layout",
        "Chart Design+Design Change Colors",     "Chart Design+Design Switch Row/Column",
        "Chart Design+Design Select Data",       "Chart Design+Design Change Chart Type",
        "Chart Design+Design Refresh Data",      "Chart Design+Design Edit Data in Excel",
    };
    std::vector<std::string> expectedDesign{"Design Slide Size", "Design Format Background",
                                            "Design Designer"};
    expectedDesign.insert(expectedDesign.end(), chartRows.begin(), chartRows.end());
    EXPECT_EQ(design, expectedDesign);
    EXPECT_EQ(chartDesign, chartRows);
}

TEST(UkTabTables, NoCommandRowIsOfferedAmongTheTabs) {
    for (const AccessKey& key : AccessKeys_GB::sharedKeys()) {
        EXPECT_FALSE(checks::names(key, "Ribbon")) << describe(key);
    }
}

}  // namespace
}  // namespace keytips::presentation
