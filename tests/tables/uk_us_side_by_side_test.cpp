// The UK and US English tables of the spreadsheet host side by side. Both languages share their rows,
// in the same order, with the same layers, identifiers, shortcuts, roles and flags; only the wording of
// titles and descriptions differs. A few rows stand in one language only; any other difference is a row
// shifted or edited in one of the tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tables/spreadsheet.hpp"
#include "tables/table_checks.hpp"

namespace keytips::spreadsheet {
namespace {

using checks::describe;

// Everything of a row but its wording: layers, identifier, shortcut, role, whether it is matched by a
// title or a description, and its flags.
std::string structureOf(const AccessKey& key) {
    AccessKey bare = key;
    bare.title.reset();
    bare.description.reset();
    return describe(bare) + (key.title ? " by title" : " by description");
}

// ---------------------------------------------------------------------------------------------------
// The tab tables: the same rows in the same order; three titles carry the UK wording, one in the
// ribbon-tab table and two in the contextual-tab table.

// A tab table in both languages, and the titles that carry the UK wording as "identifier: US -> UK".
struct TabTablePair {
    const char* name;
    checks::Reader us;
    checks::Reader uk;
    std::vector<std::string> ukTitles;
};

using test_support::PrintTo;

class UkAndUsTabTables : public testing::TestWithParam<TabTablePair> {};

TEST_P(UkAndUsTabTables, AgreeButForTheUkTitles) {
    const KeyTable& us = GetParam().us();
    const KeyTable& uk = GetParam().uk();
    std::vector<std::string> found;
    ASSERT_EQ(us.size(), uk.size());
    for (std::size_t i = 0; i < us.size(); ++i) {
        EXPECT_EQ(structureOf(us[i]), structureOf(uk[i])) << "row " << i;
        if (us[i].title != uk[i].title) {
            found.push_back(uk[i].identifier + ": " + us[i].title.value_or("") + " -> " +
                            uk[i].title.value_or(""));
        }
    }
    EXPECT_EQ(found, GetParam().ukTitles);
}

INSTANTIATE_TEST_SUITE_P(
    Spreadsheet, UkAndUsTabTables,
    testing::Values(
        TabTablePair{
            "Ribbon",
            &AccessKeys_US::ribbonKeys,
            &AccessKeys_GB::ribbonKeys,
            {"Customize Quick Access: Customize Quick Access Toolbar -> Customise Quick Access Toolbar"}},
        TabTablePair{"Contextual",
                     &AccessKeys_US::contextualKeys,
                     &AccessKeys_GB::contextualKeys,
                     {"PivotTable Analyze: PivotTable Analyze -> Pivot Table Analyse",
                      "PivotChart Analyze: PivotChart Analyze -> Pivot Chart Analyse"}}),
    test_support::NameOfCase{});

// ---------------------------------------------------------------------------------------------------
// The command tables. Rows that stand in one language only, at their place in that language's table:
// the US table's "Autosum" layer, which no row opens, and its "Freeze Panes" check box; the UK table's
// four items of the "Freeze Panes" menu, offered in the layers "View" and "Window" as well, and its
// second "Align Middle" item, titled without "to". No row stands in both languages with another source
// list: the source is compared with the rest of the row.

enum class Language { Us, Uk };

struct OneLanguageRow {
    Language language;
    std::size_t index;
    KeyRow row;
};

// clang-format off
constexpr std::array<OneLanguageRow, 12> kOneLanguageRows{{
    {Language::Us, 141, {{"Autosum"}, "Sum", "s", "AXMenuButton", "Sum", nullptr, true, true}},
    {Language::Us, 142, {{"Autosum"}, "Average", "a", "AXMenuButton", "Average", nullptr, true, true}},
    {Language::Us, 143, {{"Autosum"}, "Count Numbers", "c", "AXMenuButton", "Count Numbers", nullptr, true, true}},
    {Language::Us, 144, {{"Autosum"}, "Max", "m", "AXMenuButton", "Max", nullptr, true, true}},
    {Language::Us, 145, {{"Autosum"}, "Min", "i", "AXMenuButton", "Min", nullptr, true, true}},
    {Language::Us, 146, {{"Autosum"}, "More Functions...", "f", "AXMenuButton", "More Functions...", nullptr, true, true}},
    {Language::Us, 487, {{"View", "Window"}, "Freeze Panes", "ff", "AXCheckBox", "Freeze Panes", nullptr, false, true}},
    {Language::Uk, 482, {{"View", "Window", "Freeze Panes"}, "Freeze Panes", "f", "AXMenuButton", "Freeze Panes", nullptr, true, true}},
    {Language::Uk, 483, {{"View", "Window", "Freeze Panes"}, "Unfreeze Panes", "u", "AXMenuButton", "Unfreeze Panes", nullptr, true, true}},
    {Language::Uk, 484, {{"View", "Window", "Freeze Panes"}, "Freeze Top Row", "r", "AXMenuButton", "Freeze Top Row", nullptr, true, true}},
    {Language::Uk, 485, {{"View", "Window", "Freeze Panes"}, "Freeze First Column", "c", "AXMenuButton", "Freeze First Column", nullptr, true, true}},
    {Language::Uk, 632, {{"Align"}, "Align Middle", "i", "AXMenuButton", "Align Middle", nullptr, true, true}},
}};
// clang-format on

// The rows of one language's command table that the other language holds too, in table order.
std::vector<const AccessKey*> sharedRows(Language language) {
    const KeyTable& table =
        language == Language::Us ? AccessKeys_US::sharedKeys() : AccessKeys_GB::sharedKeys();
    std::set<std::size_t> own;
    for (const OneLanguageRow& expected : kOneLanguageRows) {
        if (expected.language == language) {
            own.insert(expected.index);
            if (expected.index >= table.size()) {
                ADD_FAILURE() << "no row " << expected.index;
            } else {
                EXPECT_EQ(describe(table[expected.index]), describe(expected.row))
                    << "row " << expected.index;
            }
        }
    }
    std::vector<const AccessKey*> rows;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!own.contains(i)) {
            rows.push_back(&table[i]);
        }
    }
    return rows;
}

TEST(UkAndUsCommandTables, AgreeRowForRowButForTheRowsOfOneLanguage) {
    const std::vector<const AccessKey*> us = sharedRows(Language::Us);
    const std::vector<const AccessKey*> uk = sharedRows(Language::Uk);
    EXPECT_EQ(us.size(), 826U);
    EXPECT_EQ(uk.size(), 826U);
    // A shifted row makes every later pair differ: report the first few.
    std::size_t differences = 0;
    for (std::size_t i = 0; i < std::min(us.size(), uk.size()); ++i) {
        const std::string usRow = structureOf(*us[i]);
        const std::string ukRow = structureOf(*uk[i]);
        if (usRow != ukRow && ++differences <= 5) {
            ADD_FAILURE() << "shared row " << i << "\n  US " << usRow << "\n  UK " << ukRow;
        }
    }
    EXPECT_EQ(differences, 0U);
}

// The Gridwell add-in's ribbon reads the same in both languages: its rows, between the last Keyvane row
// and the first SmartArt Design row, agree in every field, texts included.
std::vector<const AccessKey*> gridwellRows(const KeyTable& table) {
    const checks::Span span = checks::spanBetweenBlocks(table, "Keyvane", "SmartArt Design");
    return checks::rowsBetween(table, span.begin, span.end);
}

TEST(UkAndUsCommandTables, GridwellRowsAreTheSameInEveryField) {
    const std::vector<const AccessKey*> us = gridwellRows(AccessKeys_US::sharedKeys());
    const std::vector<const AccessKey*> uk = gridwellRows(AccessKeys_GB::sharedKeys());
    ASSERT_EQ(us.size(), 45U);
    ASSERT_EQ(uk.size(), 45U);
    for (std::size_t i = 0; i < us.size(); ++i) {
        EXPECT_EQ(describe(*us[i]), describe(*uk[i])) << "Gridwell row " << i;
    }
}

}  // namespace
}  // namespace keytips::spreadsheet
