// The US English tables of the spreadsheet host as a whole: the rules every row obeys, the row totals,
// the blocks and layers of the command table, and the layers' shortcuts and openers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tables/spreadsheet.hpp"
#include "tables/table_checks.hpp"

namespace keytips::spreadsheet {
namespace {

using checks::allRows;
using checks::Block;
using checks::blockOf;
using checks::blocksOf;
using checks::countOf;
using checks::Filter;
using checks::Flag;
using checks::layersOf;
using checks::names;
using checks::Rows;
using checks::rowsOfTables;
using checks::Span;
using checks::TableCase;

// The add-in Gridwell's rows are the add-in's own: they stand between the last Keyvane row and the first
// SmartArt Design row. The other rows of the command table are the listed rows.
Span gridwellRows(const KeyTable& table) {
    return checks::spanBetweenBlocks(table, "Keyvane", "SmartArt Design");
}

Rows listedRows(const KeyTable& table) {
    const Span gridwell = gridwellRows(table);
    return checks::rowsOutside(table, gridwell.begin, gridwell.end);
}

// ---------------------------------------------------------------------------------------------------
// Rules that every row of every table obeys.

class UsTable : public testing::TestWithParam<TableCase> {};

TEST_P(UsTable, HasItsRowCount) { EXPECT_EQ(GetParam().read().size(), GetParam().rows); }

// The role and flag combinations a row may have.
bool allowedCombination(const AccessKey& key, bool tabRow) {
    const std::string& role = key.role;
    if (tabRow) {
        return (role == "AXRadioButton" || role == "AXMenuButton") && !key.press && !key.isLastCommand;
    }
    if (role == "AXMenuButton") {
        return key.press || !key.isLastCommand;
    }
    if (role == "AXButton" || role == "AXCheckBox") {
        return key.isLastCommand;
    }
    if (role == "AXComboBox") {
        return key.isLastCommand || !key.press;
    }
    if (role == "AXTextField" || role == "AXIncrementor" || role == "AXRadioButton") {
        return key.press && key.isLastCommand;
    }
    return false;
}

TEST_P(UsTable, EveryRowFollowsTheTableRules) {
    const bool tabs = GetParam().tabs;
    const KeyTable& table = GetParam().read();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const AccessKey& key = table[i];
        const std::string row = "row " + std::to_string(i) + " \"" + key.identifier + "\"";
        EXPECT_NE(key.title.has_value(), key.description.has_value())
            << row << ": one of title and description";
        EXPECT_TRUE(checks::validShortcut(key.shortcut, tabs))
            << row << ": shortcut \"" << key.shortcut << "\"";
        EXPECT_FALSE(key.identifier.empty()) << row;
        EXPECT_TRUE(allowedCombination(key, tabs))
            << row << ": " << key.role << " press " << key.press << " last " << key.isLastCommand;
        EXPECT_GE(key.source.size(), 1U) << row;
        EXPECT_LE(key.source.size(), 3U) << row;
        for (const std::string& layer : key.source) {
            EXPECT_FALSE(layer.empty()) << row;
            EXPECT_NE(layer, "Quick Access") << row;
        }
        if (tabs) {
            EXPECT_EQ(key.source, std::vector<std::string>{"Ribbon"}) << row;
            EXPECT_TRUE(key.title.has_value()) << row << ": tab rows match by title";
        } else {
            EXPECT_FALSE(names(key, "Ribbon")) << row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Us, UsTable,
                         testing::Values(TableCase{"Ribbon", &AccessKeys_US::ribbonKeys, true, 10},
                                         TableCase{"Contextual", &AccessKeys_US::contextualKeys, true, 11},
                                         TableCase{"Command", &AccessKeys_US::sharedKeys, false, 833}),
                         test_support::NameOfCase{});

TEST(UsTables, LanguageAccessReadsTheSameLists) {
    checks::expectSameLists(usTables(), AccessKeys_US::keyTables());
}

// In the first layer both tab tables are offered together: one letter in the ribbon-tab table, one
// letter or "j" and a letter in the contextual-tab table, all distinct, none the beginning of another.
TEST(UsTabTables, ShortcutsAreDistinctAndNoneBeginsAnother) {
    std::vector<std::string> shortcuts;
    for (const AccessKey& key : AccessKeys_US::ribbonKeys()) {
        EXPECT_EQ(key.shortcut.size(), 1U) << key.identifier;
        shortcuts.push_back(key.shortcut);
    }
    for (const AccessKey& key : AccessKeys_US::contextualKeys()) {
        EXPECT_TRUE(key.shortcut.size() == 1 || (key.shortcut.size() == 2 && key.shortcut[0] == 'j'))
            << key.identifier << " \"" << key.shortcut << "\"";
        shortcuts.push_back(key.shortcut);
    }
    EXPECT_EQ(shortcuts.size(), 21U);
    checks::expectNoneBeginsAnother(shortcuts);
}

// ---------------------------------------------------------------------------------------------------
// Totals. Listed rows are the command table without the Gridwell add-in's rows; the tab rows are both
// tab tables.

enum class Scope { Listed, Command, Tabs };

// How many rows of a scope a filter lets through.
struct CountCase {
    const char* name;
    Scope scope;
    Filter filter;
    std::size_t expected;
};

constexpr Flag Y = Flag::Yes;
constexpr Flag N = Flag::No;

// clang-format off
constexpr std::array kCounts{
    // The listed rows.
    CountCase{"listed rows", Scope::Listed, {}, 788},
    CountCase{"listed AXMenuButton", Scope::Listed, {.role = "AXMenuButton"}, 572},
    CountCase{"listed AXButton", Scope::Listed, {.role = "AXButton"}, 130},
    CountCase{"listed AXCheckBox", Scope::Listed, {.role = "AXCheckBox"}, 59},
    CountCase{"listed AXComboBox", Scope::Listed, {.role = "AXComboBox"}, 8},
    CountCase{"listed AXIncrementor", Scope::Listed, {.role = "AXIncrementor"}, 7},
    CountCase{"listed AXRadioButton", Scope::Listed, {.role = "AXRadioButton"}, 6},
    CountCase{"listed AXTextField", Scope::Listed, {.role = "AXTextField"}, 6},
    CountCase{"listed press yes", Scope::Listed, {.press = Y}, 531},
    CountCase{"listed press no", Scope::Listed, {.press = N}, 257},
    CountCase{"listed last yes", Scope::Listed, {.last = Y}, 600},
    CountCase{"listed last no", Scope::Listed, {.last = N}, 188},
    CountCase{"listed press yes, last yes", Scope::Listed, {.press = Y, .last = Y}, 486},
    CountCase{"listed press no, last no", Scope::Listed, {.press = N, .last = N}, 143},
    CountCase{"listed press no, last yes", Scope::Listed, {.press = N, .last = Y}, 114},
    CountCase{"listed press yes, last no", Scope::Listed, {.press = Y, .last = N}, 45},
    CountCase{"listed with title", Scope::Listed, {.titled = Y}, 761},
    CountCase{"listed with description", Scope::Listed, {.titled = N}, 27},
    CountCase{"listed naming 1 layer", Scope::Listed, {.sources = 1}, 625},
    CountCase{"listed naming 2 layers", Scope::Listed, {.sources = 2}, 162},
    CountCase{"listed naming 3 layers", Scope::Listed, {.sources = 3}, 1},
    CountCase{"listed 1-character shortcut", Scope::Listed, {.shortcutLength = 1}, 654},
    CountCase{"listed 2-character shortcut", Scope::Listed, {.shortcutLength = 2}, 134},
    // The whole command table.
    CountCase{"command rows", Scope::Command, {}, 833},
    CountCase{"command with title", Scope::Command, {.titled = Y}, 806},
    CountCase{"command with description", Scope::Command, {.titled = N}, 27},
    CountCase{"command naming 1 layer", Scope::Command, {.sources = 1}, 670},
    CountCase{"command naming 2 layers", Scope::Command, {.sources = 2}, 162},
    CountCase{"command naming 3 layers", Scope::Command, {.sources = 3}, 1},
    CountCase{"command AXMenuButton press no, last no", Scope::Command, {.role = "AXMenuButton", .press = N, .last = N}, 142},
    CountCase{"command AXMenuButton press yes, last no", Scope::Command, {.role = "AXMenuButton", .press = Y, .last = N}, 45},
    CountCase{"command AXMenuButton press yes, last yes", Scope::Command, {.role = "AXMenuButton", .press = Y, .last = Y}, 389},
    CountCase{"command AXMenuButton press no, last yes", Scope::Command, {.role = "AXMenuButton", .press = N, .last = Y}, 0},
    CountCase{"command AXButton last yes", Scope::Command, {.role = "AXButton", .last = Y}, 171},
    CountCase{"command AXButton press yes, last yes", Scope::Command, {.role = "AXButton", .press = Y, .last = Y}, 98},
    CountCase{"command AXButton press no, last yes", Scope::Command, {.role = "AXButton", .press = N, .last = Y}, 73},
    CountCase{"command AXButton", Scope::Command, {.role = "AXButton"}, 171},
    CountCase{"command AXCheckBox last yes", Scope::Command, {.role = "AXCheckBox", .last = Y}, 59},
    CountCase{"command AXCheckBox press yes, last yes", Scope::Command, {.role = "AXCheckBox", .press = Y, .last = Y}, 23},
    CountCase{"command AXCheckBox press no, last yes", Scope::Command, {.role = "AXCheckBox", .press = N, .last = Y}, 36},
    CountCase{"command AXCheckBox", Scope::Command, {.role = "AXCheckBox"}, 59},
    CountCase{"command AXComboBox last yes", Scope::Command, {.role = "AXComboBox", .last = Y}, 6},
    CountCase{"command AXComboBox press yes, last yes", Scope::Command, {.role = "AXComboBox", .press = Y, .last = Y}, 1},
    CountCase{"command AXComboBox press no, last yes", Scope::Command, {.role = "AXComboBox", .press = N, .last = Y}, 5},
    CountCase{"command AXComboBox press no, last no", Scope::Command, {.role = "AXComboBox", .press = N, .last = N}, 2},
    CountCase{"command AXComboBox", Scope::Command, {.role = "AXComboBox"}, 8},
    CountCase{"command AXTextField press yes, last yes", Scope::Command, {.role = "AXTextField", .press = Y, .last = Y}, 6},
    CountCase{"command AXTextField", Scope::Command, {.role = "AXTextField"}, 6},
    CountCase{"command AXIncrementor press yes, last yes", Scope::Command, {.role = "AXIncrementor", .press = Y, .last = Y}, 7},
    CountCase{"command AXIncrementor", Scope::Command, {.role = "AXIncrementor"}, 7},
    CountCase{"command AXRadioButton press yes, last yes", Scope::Command, {.role = "AXRadioButton", .press = Y, .last = Y}, 6},
    CountCase{"command AXRadioButton", Scope::Command, {.role = "AXRadioButton"}, 6},
    // The tab rows.
    CountCase{"tab rows", Scope::Tabs, {}, 21},
    CountCase{"tab AXRadioButton press no, last no", Scope::Tabs, {.role = "AXRadioButton", .press = N, .last = N}, 20},
    CountCase{"tab AXMenuButton press no, last no", Scope::Tabs, {.role = "AXMenuButton", .press = N, .last = N}, 1},
    CountCase{"tab with title", Scope::Tabs, {.titled = Y}, 21},
};
// clang-format on

Rows rowsIn(Scope scope) {
    switch (scope) {
        case Scope::Listed:
            return listedRows(AccessKeys_US::sharedKeys());
        case Scope::Command:
            return allRows(AccessKeys_US::sharedKeys());
        case Scope::Tabs:
            return rowsOfTables({&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys});
    }
    return {};
}

using test_support::PrintTo;

class UsRowTotal : public testing::TestWithParam<CountCase> {};

TEST_P(UsRowTotal, Matches) {
    const CountCase& count = GetParam();
    EXPECT_EQ(countOf(rowsIn(count.scope), count.filter), count.expected) << count.name;
}

INSTANTIATE_TEST_SUITE_P(Us, UsRowTotal, testing::ValuesIn(kCounts), test_support::NameOfCase{});

// ---------------------------------------------------------------------------------------------------
// The blocks of the command table, in order, with their rows' shortcuts in order. The Gridwell add-in's
// tab block is followed by the block of its one sub-layer; the sub-layer's name and all their shortcuts
// are the add-in's own choice.

constexpr const char* kAnyBlock = nullptr;
constexpr const char* kAnyKeys = nullptr;

// clang-format off
constexpr std::array<Block, 135> kBlocks{{
    // Home
    {"Home", 50,
     "zl zf za zn zc ze v x c fp fg fk 1 2 3 ff fs fc h b at am ab al ac ar 5 6 m fq w o i d n an "
     "p k 0 9 l t j u fi e s fd as fe"},
    {"Borders", 19, "o p l r n a s t b h d c u w g e i y m"},
    {"Format", 12, "h a w i d u r m t p l e"},
    {"InsertHome", 4, "i r c s"},
    {"Delete", 6, "d r c o l s"},
    {"Paste", 18, "p f o k b w t v a e r n u i s t t u"},
    {"Copy", 2, "c p"},
    {"Underline", 2, "u d"},
    {"Shading", 2, "n m"},
    {"Font Color", 2, "a m"},
    {"Wrap Text", 2, "w s"},
    {"Orientation", 6, "o l v u d m"},
    {"Merge & Center", 4, "c a m u"},
    {"Conditional Formatting", 8, "h t d s i n c r"},
    {"Format as Table", 2, "n p"},
    {"Cell Styles", 2, "n m"},
    {"Autosum", 6, "s a c m i f"},
    {"Fill", 8, "d r u l a s j f"},
    {"Clear", 6, "a f c m l r"},
    {"Sort & Filter", 6, "s o u f c y"},
    {"Find & Select", 11, "f r g s u n c n v o p"},
    {"Accounting Number Format", 1, "m"},
    {"Line Color", 2, "a m"},
    {"Highlight Cells Rules", 8, "g l b e t a d m"},
    {"Top/Bottom Rules", 7, "t p b o a v m"},
    {"Data Bars", 1, "m"},
    {"Color Scales", 1, "m"},
    {"Icon Sets", 1, "m"},
    {"Clear Rules", 4, "s e t p"},
    {"Hide & Unhide", 6, "r c s o l h"},
    {"Tab Color", 2, "n m"},
    // Insert
    {"Insert", 37,
     "zb zi zt zs fp v sp t p sh ns s3 m1 sc fc r c1 n1 q hi sa d i1 sd m2 sz zk sf st i2 c2 x h1 "
     "w j e u"},
    {"From Picture", 2, "f c"},
    {"Pictures", 2, "i o"},
    {"Place in Cell", 4, "b f s o"},
    {"3D Models", 2, "d s"},
    {"SmartArt", 8, "l p c h r m p i"},
    {"Screenshot", 1, "c"},
    {"Sparklines", 3, "sl so sw"},
    {"Equation", 1, "i"},
    // Draw
    {"Draw", 5, "w e l a d"},
    {"Eraser", 4, "s m e g"},
    {"Add Pen", 3, "p h c"},
    // Page Layout
    {"Page Layout", 19, "th zc zo tc tf m o sz r b g i ps w h vg pg vh ph"},
    {"Themes", 2, "b a"},
    {"Margins", 1, "a"},
    {"Orientation", 2, "p l"},
    {"Print Area", 2, "s c"},
    {"Breaks", 3, "i r a"},
    // Formulas
    {"Formulas", 26, "zl zn zf f u r i l t e o g q n m s c p d a h k w x b j"},
    {"AutoSum", 6, "s a c m i f"},
    {"Recently Used", 1, "f"},
    {"Financial", 1, "f"},
    {"Logical", 1, "f"},
    {"Text", 1, "f"},
    {"Date & Time", 1, "f"},
    {"Lookup & Reference", 1, "f"},
    {"Math & Trig", 1, "f"},
    {"More Functions", 6, "s e c i c w"},
    {"Statistical", 1, "f"},
    {"Engineering", 1, "f"},
    {"Cube", 1, "f"},
    {"Information", 1, "f"},
    {"Compatibility", 1, "f"},
    {"Web", 1, "f"},
    {"Define Name", 2, "d a"},
    {"Use in Formula", 1, "p"},
    {"Remove Arrows", 3, "a p d"},
    {"Error Checking", 3, "k e c"},
    {"Calculation Options", 3, "a p m"},
    // Data
    {"Data", 29, "d1 zs zd zo pn f1 r o p1 k sa sd ss t c y1 q e ff m v n w g u b j h a"},
    {"Get Data (Power Query)", 7, "p l s d h t q"},
    {"From Picture Data", 2, "p c"},
    {"Refresh All", 5, "a r s c o"},
    {"Data Validation", 3, "v i r"},
    {"What-If Analysis", 3, "s g t"},
    {"Group", 2, "g a"},
    {"Ungroup", 2, "u c"},
    // Review
    {"Review", 22, "zp za zc zh zp s e b a rs l g c d v n h1 t pw ps u1 h2"},
    {"Check Accessibility", 5, "a l t u h"},
    {"Notes", 7, "n p t o s c e"},
    {"Hide Ink", 3, "h s w"},
    // View
    {"View", 32, "vc zv zs zw vk ve vn vo l i p c k r vg vf vh q j g n a ff f s h u w mm mv mr mu"},
    // Developer
    {"Developer", 15, "v pm r u a1 h b g c l e s i o n"},
    // Keyvane
    {"Keyvane", 6, "a s u h i f"},
    // Gridwell
    {"Gridwell", 42, kAnyKeys},
    {kAnyBlock, 3, kAnyKeys},
    // SmartArt Design
    {"SmartArt Design", 12, "o b x p d r u w g c e t"},
    {"Add Shape", 5, "a b v w t"},
    {"Layout", 4, "s b l r"},
    {"Change Colors", 1, "r"},
    // FormatShape
    {"FormatShape", 26, "i sh n d sf so se ti to tx at af ae ap ar aa ag ay h w l f c v e x"},
    {"Shape Fill", 4, "m p g t"},
    {"Shape Outline", 5, "m w k s r"},
    {"Shape Effects", 7, "p s r g e b d"},
    {"Text Effects", 1, "t"},
    {"Reorder Objects", 2, "r o"},
    {"Align", 11, "l c r t m b h v p s g"},
    {"Group2", 3, "g e u"},
    {"Rotate", 5, "r l v h m"},
    {"Bring Forward", 2, "f r"},
    {"Send Backward", 2, "b k"},
    {"Edit Shape", 3, "n e t"},
    {"Gradient", 1, "m"},
    {"Texture", 1, "m"},
    {"Weight", 1, "m"},
    {"Arrows", 1, "m"},
    // Chart Design
    {"Chart Design", 7, "a l h w e c v"},
    {"Add Chart Element", 11, "x a c d b e g l i t u"},
    {"Change Chart Type", 11, "c l p h s x w o m t e"},
    {"Axes", 2, "h v"},
    {"Chart Title", 3, "n a c"},
    {"Data Labels", 7, "n c l r a w u"},
    {"Data Table", 3, "n w l"},
    {"Error Bars", 4, "n s p d"},
    {"Gridlines", 4, "h v z m"},
    {"Legend", 5, "n r t l b"},
    {"Lines", 3, "n d h"},
    {"Trendline", 5, "n l e f a"},
    {"Up/Down Bars", 2, "n u"},
    // Table
    {"Table", 13, "a v m g e f o t r c n u b"},
    {"Refresh", 5, "r a s c o"},
    // Slicer
    {"Slicer", 13, "t e i af ae aa ag ay c g d h w"},
    // PivotTable Analyze
    {"PivotTable Analyze", 20, "n t m g x p k sf st sc f i e w v j c l b h"},
    {"Options", 3, "t p g"},
    {"Group Selection", 3, "k u r"},
    {"ClearPivot", 2, "c f"},
    {"Select", 5, "a v l t e"},
    {"Fields, Items, & Sets", 4, "f i s l"},
    // Design
    {"Design", 8, "t g p b o m r u"},
    {"Subtotals", 4, "d b t i"},
    {"Grand Totals", 4, "f n r c"},
    {"Report Layout", 5, "c o t r n"},
    {"Blank Rows", 2, "i r"},
    // PivotChart Analyze
    {"PivotChart Analyze", 15, "c t m g x p sf st sc f i e v j l"},
}};
// clang-format on

static_assert(checks::blocksAreConsistent(kBlocks, 833));

TEST(UsCommandTable, BlocksFollowInOrderWithTheirRowCountsAndShortcuts) {
    checks::expectBlocks(allRows(AccessKeys_US::sharedKeys()), kBlocks);
}

// The listed rows form 133 blocks, and only "Orientation" names two of them; they name 164 layers.
TEST(UsCommandTable, ListedRowsForm133BlocksAndName164Layers) {
    const Rows listed = listedRows(AccessKeys_US::sharedKeys());
    const auto blocks = blocksOf(listed);
    EXPECT_EQ(blocks.size(), 133U);
    std::map<std::string, int> blocksPerName;
    for (const auto& block : blocks) {
        ++blocksPerName[block.first];
    }
    std::set<std::string> repeated;
    for (const auto& [name, count] : blocksPerName) {
        if (count > 1) {
            repeated.insert(name);
        }
    }
    EXPECT_EQ(repeated, std::set<std::string>{"Orientation"});
    EXPECT_EQ(layersOf(listed).size(), 164U);
}

// ---------------------------------------------------------------------------------------------------
// Every layer of the listed rows: how many rows it offers, and its first and last row's text.

// clang-format off
constexpr std::array<checks::LayerEnds, 164> kLayers{{
    {"Home", 50, "Clipboard", "Analyze Data"},
    {"Clipboard", 4, "Paste", "Format"},
    {"Font", 10, "Increase Font Size", "Borders"},
    {"Alignment", 11, "Top Align", "Wrap Text"},
    {"Cells", 3, "Format", "Delete"},
    {"Number", 6, "Number Format", "Decrease Decimal"},
    {"Editing", 5, "AutoSum", "Find & Select"},
    {"Borders", 19, "Bottom Border", "More Borders..."},
    {"Format", 12, "Row Height...", "Format Cells..."},
    {"InsertHome", 4, "Insert Cells...", "Insert Sheet"},
    {"Delete", 6, "Delete Cells...", "Delete Sheet"},
    {"Paste", 18, "Paste", "Use Text Import Wizard..."},
    {"Copy", 2, "Copy", "Copy as Picture..."},
    {"Underline", 2, "Underline", "Double Underline"},
    {"Shading", 2, "No Fill", "More Colors..."},
    {"Font Color", 2, "Automatic", "More Colors..."},
    {"Wrap Text", 2, "Wrap Text", "Shrink Text to Fit"},
    {"Orientation", 8, "Angle Counterclockwise", "Landscape"},
    {"Merge & Center", 4, "Merge & Center", "Unmerge Cells"},
    {"Conditional Formatting", 8, "Highlight Cells Rules", "Manage Rules..."},
    {"Format as Table", 2, "New Table Style...", "New PivotTable Style..."},
    {"Cell Styles", 2, "New Cell Style...", "Merge Styles..."},
    {"Autosum", 6, "Sum", "More Functions..."},
    {"Fill", 8, "Down", "Flash Fill"},
    {"Clear", 6, "Clear All", "Remove Hyperlinks"},
    {"Sort & Filter", 6, "Sort A to Z", "Reapply"},
    {"Find & Select", 11, "Find...", "Selection Pane..."},
    {"Accounting Number Format", 1, "More Accounting Formats...", "More Accounting Formats..."},
    {"Line Color", 2, "Automatic", "More Colors..."},
    {"Highlight Cells Rules", 8, "Greater Than...", "More Rules..."},
    {"Top/Bottom Rules", 7, "Top 10 Items...", "More Rules..."},
    {"Data Bars", 1, "More Rules...", "More Rules..."},
    {"Color Scales", 1, "More Rules...", "More Rules..."},
    {"Icon Sets", 1, "More Rules...", "More Rules..."},
    {"Clear Rules", 4, "Clear Rules from Selected Cells", "Clear Rules from This PivotTable"},
    {"Hide & Unhide", 6, "Hide Rows", "Unhide Sheet..."},
    {"Tab Color", 2, "No Color", "More Colors..."},
    {"Insert", 37, "Tables", "Symbol"},
    {"Tables", 3, "PivotTable", "Table"},
    {"Illustrations", 6, "Pictures", "Screenshot"},
    {"Text", 5, "Text Box", "Insert Function..."},
    {"Symbols", 2, "Equation", "Symbol"},
    {"From Picture", 2, "Picture From File...", "Picture From Clipboard"},
    {"Pictures", 2, "Place in Cell", "Place over Cells"},
    {"Place in Cell", 4, "Photo Browser\u2026", "Online Pictures..."},
    {"Place over Cells", 4, "Photo Browser\u2026", "Online Pictures..."},
    {"3D Models", 2, "This Device...", "Stock 3D Models..."},
    {"SmartArt", 8, "List", "Picture"},
    {"Screenshot", 1, "Screen Clipping", "Screen Clipping"},
    {"Sparklines", 3, "Line", "Win/Loss"},
    {"Equation", 1, "Insert New Equation", "Insert New Equation"},
    {"Draw", 5, "Draw", "Draw with\nTrackpad"},
    {"Eraser", 4, "Stroke Eraser", "Segment Eraser"},
    {"Add Pen", 3, "Pen", "Pencil"},
    {"Page Layout", 19, "Themes", "Print"},
    {"Themes", 5, "Themes", "Save Current Theme..."},
    {"Scale to Fit", 2, "Width:", "Height:"},
    {"Sheet Options", 4, "View", "Print"},
    {"Margins", 1, "Custom Margins...", "Custom Margins..."},
    {"Print Area", 2, "Set Print Area", "Clear Print Area"},
    {"Breaks", 3, "Insert Page Break", "Reset All Page Breaks"},
    {"Formulas", 26, "Function Library", "Calculate Sheet"},
    {"Function Library", 10, "Insert Function", "More Functions"},
    {"Defined Names", 4, "Name Manager", "Create from Selection"},
    {"Formula Auditing", 6, "Trace Precedents", "Watch Window"},
    {"AutoSum", 6, "Sum", "More Functions..."},
    {"Recently Used", 1, "Insert Function...", "Insert Function..."},
    {"Financial", 1, "Insert Function...", "Insert Function..."},
    {"Logical", 1, "Insert Function...", "Insert Function..."},
    {"Date & Time", 1, "Insert Function...", "Insert Function..."},
    {"Lookup & Reference", 1, "Insert Function...", "Insert Function..."},
    {"Math & Trig", 1, "Insert Function...", "Insert Function..."},
    {"More Functions", 6, "Statistical", "Web"},
    {"Statistical", 1, "Insert Function...", "Insert Function..."},
    {"Engineering", 1, "Insert Function...", "Insert Function..."},
    {"Cube", 1, "Insert Function...", "Insert Function..."},
    {"Information", 1, "Insert Function...", "Insert Function..."},
    {"Compatibility", 1, "Insert Function...", "Insert Function..."},
    {"Web", 1, "Insert Function...", "Insert Function..."},
    {"Define Name", 2, "Define Name...", "Apply Names..."},
    {"Use in Formula", 1, "Paste Names...", "Paste Names..."},
    {"Remove Arrows", 3, "Remove Arrows", "Remove Dependent Arrows"},
    {"Error Checking", 3, "Error Checking...", "Circular References"},
    {"Calculation Options", 3, "Automatic", "Manual"},
    {"Data", 29, "Data Types", "Analysis Tools"},
    {"Sort & Filter Data", 7, "Sort A to Z", "Advanced"},
    {"Data Tools", 5, "Text to Columns", "Consolidate"},
    {"Outline", 5, "Group", "Hide Detail"},
    {"Get Data (Power Query)", 7, "Get Data (Power Query)...", "From SQL Server ODBC"},
    {"From Picture Data", 2, "Picture From File...", "Picture From Clipboard"},
    {"Refresh All", 5, "Refresh All", "Properties"},
    {"Data Validation", 3, "Data Validation...", "Clear Validation Circles"},
    {"What-If Analysis", 3, "Scenario Manager...", "Data Table..."},
    {"Group", 2, "Group...", "Auto Outline"},
    {"Ungroup", 2, "Ungroup...", "Clear Outline"},
    {"Review", 22, "Proofing", "Hide Ink"},
    {"Proofing", 3, "Spelling", "Workbook Statistics"},
    {"Accessibility", 1, "Check Accessibility", "Check Accessibility"},
    {"Comments", 5, "New Comment", "Show Comments"},
    {"Notes", 8, "Notes", "Edit Note"},
    {"Changes", 2, "Protect Workbook", "Protect Sheet"},
    {"Protect", 1, "Always Open Read-Only", "Always Open Read-Only"},
    {"Check Accessibility", 5, "Check Accessibility", "Accessibility Help"},
    {"Hide Ink", 3, "Hide Ink", "Delete All Ink in Workbook"},
    {"View", 32, "Switch Sheet View", "Use Relative References"},
    {"Workbook Views", 4, "Normal", "Custom Views"},
    {"Show", 5, "Navigation", "Headings"},
    {"Window", 8, "New Window", "Switch Windows"},
    {"Macros", 3, "View Macros", "Use Relative References"},
    {"Developer", 15, "Visual Basic", "Spinner"},
    {"Keyvane", 6, "Account", "Request Feature"},
    {"SmartArt Design", 12, "Add Shape", "Convert to Shapes"},
    {"Add Shape", 5, "Add Shape After", "Add Assistant"},
    {"Layout", 4, "Standard", "Right Hanging"},
    {"Change Colors", 1, "Recolor Pictures in SmartArt Graphic", "Recolor Pictures in SmartArt Graphic"},
    {"FormatShape", 26, "Change Shape", "Text Box"},
    {"Shape Fill", 4, "More Fill Colors...", "Texture"},
    {"Text Fill", 4, "More Fill Colors...", "Texture"},
    {"Shape Outline", 5, "More Outline Colors...", "Arrows"},
    {"Text Outline", 5, "More Outline Colors...", "Arrows"},
    {"Shape Effects", 7, "Preset", "3-D Rotation"},
    {"Text Effects", 8, "Preset", "Transform"},
    {"Reorder Objects", 2, "Reorder Objects", "Reorder Overlapping Objects"},
    {"Align", 11, "Align Left", "View Gridlines"},
    {"Group2", 3, "Group", "Ungroup"},
    {"Rotate", 5, "Rotate Right 90\u00B0", "More Rotation Options..."},
    {"Bring Forward", 2, "Bring Forward", "Bring to Front"},
    {"Send Backward", 2, "Send Backward", "Send to Back"},
    {"Edit Shape", 3, "Change Shape", "Reroute Connectors"},
    {"Gradient", 1, "More Gradients...", "More Gradients..."},
    {"Texture", 1, "More Textures...", "More Textures..."},
    {"Weight", 1, "More Lines...", "More Lines..."},
    {"Sketched", 1, "More Lines...", "More Lines..."},
    {"Dashes", 1, "More Lines...", "More Lines..."},
    {"Arrows", 1, "More Arrows...", "More Arrows..."},
    {"Chart Design", 7, "Add Chart Element", "Move Chart"},
    {"Design", 15, "Add Chart Element", "Banded Columns"},
    {"Add Chart Element", 11, "Axes", "Up/Down Bars"},
    {"Change Chart Type", 11, "Column", "Manage Templates..."},
    {"Axes", 2, "Primary Horizontal", "Primary Vertical"},
    {"Axis Titles", 2, "Primary Horizontal", "Primary Vertical"},
    {"Chart Title", 3, "None", "Centered Overlay"},
    {"Data Labels", 7, "None", "Data Callout"},
    {"Data Table", 3, "None", "No Legend Keys"},
    {"Error Bars", 4, "None", "Standard Deviation"},
    {"Gridlines", 4, "Primary Major Horizontal", "Primary Minor Vertical"},
    {"Legend", 5, "None", "Bottom"},
    {"Lines", 3, "None", "High-Low Lines"},
    {"Trendline", 5, "None", "Moving Average"},
    {"Up/Down Bars", 2, "None", "Up/Down Bars"},
    {"Table", 13, "Table Name:", "Filter Button"},
    {"Refresh", 5, "Refresh", "Connection Properties..."},
    {"Slicer", 13, "Slicer Caption:", "Width:"},
    {"PivotTable Analyze", 20, "PivotTable Name:", "Field Headers"},
    {"Options", 3, "Options", "Generate GetPivotData"},
    {"Group Selection", 3, "Group Selection", "Group Field"},
    {"ClearPivot", 2, "Clear All", "Clear Filters"},
    {"Select", 5, "Labels and Values", "Enable Selection"},
    {"Fields, Items, & Sets", 4, "Calculated Field...", "List Formulas"},
    {"Subtotals", 4, "Don't Show Subtotals", "Include Filtered Items in Totals"},
    {"Grand Totals", 4, "Off for Rows & Columns", "On for Columns Only"},
    {"Report Layout", 5, "Show in Compact Form", "Don't Repeat Item Labels"},
    {"Blank Rows", 2, "Insert Blank Line After Each Item", "Remove Blank Line After Each Item"},
    {"PivotChart Analyze", 15, "Chart Name", "Field List"},
}};
// clang-format on

TEST(UsCommandTable, EachLayerOffersItsRows) {
    checks::expectLayerEnds(layersOf(listedRows(AccessKeys_US::sharedKeys())), kLayers);
}

// ---------------------------------------------------------------------------------------------------
// Shortcuts within a layer: the only repeats, and the only shortcut that begins another.

TEST(UsCommandTable, ShortcutsRepeatWithinALayerOnlyWhereExpected) {
    const std::set<std::string> expected{
        "Paste t: Transpose | Keep Text Only | Match Destination Formatting",
        "Paste u: Paste as Picture | Use Text Import Wizard...",
        "Find & Select n: Notes | Constants",
        "Orientation l: Angle Clockwise | Landscape",
        "SmartArt p: Process | Pyramid",
        "More Functions c: Cube | Compatibility",
        "Review zp: Proofing | Protect",
        "Notes t: Notes | Next Note",
    };
    EXPECT_EQ(checks::repeatedShortcuts(allRows(AccessKeys_US::sharedKeys())), expected);
}

TEST(UsCommandTable, OnlyFBeginsFfAndOnlyInViewAndWindow) {
    EXPECT_EQ(checks::shortcutsBeginningOthers(allRows(AccessKeys_US::sharedKeys())),
              (std::set<std::string>{"View: f < ff", "Window: f < ff"}));
}

// ---------------------------------------------------------------------------------------------------
// Which rows open which layers. A tab row opens the layer of its identifier; so does a command row with
// Last no.

std::set<std::string> commandLayerNames() { return checks::namedLayers(AccessKeys_US::sharedKeys()); }

Rows openingRows() { return checks::openingRows(rowsIn(Scope::Tabs), AccessKeys_US::sharedKeys()); }

// These rows open a layer that no row names: the control acts and the command layer stays open
// without labels.
TEST(UsCommandTable, RowsOpeningLayersWithoutRowsAreExactlyTheKnownOnes) {
    const std::vector<std::string> expected{
        "Borders y Line Style",
        "Insert sh Shapes",
        "Insert r Recommended Charts",
        "Insert c1 Column",
        "Insert n1 Line",
        "Insert q Pie",
        "Insert hi Hierarchy",
        "Insert d X Y (Scatter)",
        "Insert i1 Waterfall",
        "Insert sd Combo",
        "Insert m2 Maps",
        "Insert w WordArt",
        "SmartArt l List",
        "SmartArt p Process",
        "SmartArt c Cycle",
        "SmartArt h Hierarchy",
        "SmartArt r Relationship",
        "SmartArt m Matrix",
        "SmartArt p Pyramid",
        "SmartArt i Picture",
        "Page Layout tc Colors",
        "Page Layout tf Fonts",
        "Page Layout sz Size",
        "Page Layout w Width:",
        "Page Layout h Height:",
        "Error Checking c Circular References",
        "Data d1 Data Types",
        "View f Freeze Panes",
        "View w Switch Windows",
    };
    const std::set<std::string> layers = commandLayerNames();
    std::vector<std::string> found;
    for (const AccessKey& key : AccessKeys_US::sharedKeys()) {
        if (!key.isLastCommand && !layers.contains(key.identifier)) {
            found.push_back(blockOf(key) + " " + key.shortcut + " " + key.identifier);
        }
    }
    EXPECT_EQ(found, expected);

    std::vector<std::string> tabsFound;
    for (const AccessKey* key : rowsIn(Scope::Tabs)) {
        if (!layers.contains(key->identifier)) {
            tabsFound.push_back(key->identifier);
        }
    }
    EXPECT_EQ(tabsFound, std::vector<std::string>{"Customize Quick Access"});
}

TEST(UsCommandTable, EveryLayerButAutosumIsOpenedByARow) {
    std::set<std::string> unopened = commandLayerNames();
    for (const AccessKey* key : openingRows()) {
        unopened.erase(key->identifier);
    }
    EXPECT_EQ(unopened, std::set<std::string>{"Autosum"});
}

// A layer and how many rows open it.
struct Openers {
    const char* name;
    std::size_t rows;
};

// How many rows open a layer, where a layer is opened from several places or where a row with Last yes
// carries a layer's name without opening it.
// clang-format off
constexpr std::array<Openers, 24> kOpeners{{
    {"Orientation", 2}, {"Text", 2}, {"Statistical", 2}, {"AutoSum", 2}, {"Autosum", 0},
    {"Refresh", 3}, {"FormatShape", 2}, {"Clear", 2}, {"ClearPivot", 1}, {"Format as Table", 2},
    {"Bring Forward", 2}, {"Send Backward", 2}, {"Align", 2}, {"Group2", 2}, {"Rotate", 2},
    {"Fields, Items, & Sets", 2}, {"Change Colors", 1}, {"Macros", 1}, {"Gridlines", 1}, {"Table", 1},
    {"Slicer", 1}, {"Draw", 1}, {"Group", 1}, {"Customize Quick Access", 1},
}};
// clang-format on

class UsLayerOpeners : public testing::TestWithParam<Openers> {};

TEST_P(UsLayerOpeners, AreTheExpectedNumberOfRows) {
    const Openers& expected = GetParam();
    const Rows openers = openingRows();
    const auto found =
        static_cast<std::size_t>(std::count_if(openers.begin(), openers.end(), [&](const AccessKey* key) {
            return key->identifier == expected.name;
        }));
    EXPECT_EQ(found, expected.rows) << "rows opening \"" << expected.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(Us, UsLayerOpeners, testing::ValuesIn(kOpeners), test_support::NameOfCase{});

// ---------------------------------------------------------------------------------------------------
// Blocks whose rows all share one role and one pair of flags.

// A block with the role and flags all its rows share, and its number of rows.
struct UniformBlock {
    const char* name;
    const char* role;  // nullptr: any role
    bool press;
    bool last;
    std::size_t rows;
};

constexpr std::array<UniformBlock, 6> kUniformBlocks{{
    {"Developer", nullptr, true, true, 15},
    {"Keyvane", "AXButton", true, true, 6},
    {"Add Chart Element", "AXMenuButton", true, false, 11},
    {"SmartArt", "AXMenuButton", true, false, 8},
    {"Pictures", "AXMenuButton", true, false, 2},
    {"More Functions", "AXMenuButton", true, false, 6},
}};

class UsUniformBlock : public testing::TestWithParam<UniformBlock> {};

TEST_P(UsUniformBlock, HasOneRoleAndOnePairOfFlags) {
    const UniformBlock& expected = GetParam();
    std::size_t rows = 0;
    for (const AccessKey& key : AccessKeys_US::sharedKeys()) {
        if (blockOf(key) != expected.name) {
            continue;
        }
        ++rows;
        if (expected.role != nullptr) {
            EXPECT_EQ(key.role, expected.role) << expected.name << " " << key.identifier;
        }
        EXPECT_EQ(key.press, expected.press) << expected.name << " " << key.identifier;
        EXPECT_EQ(key.isLastCommand, expected.last) << expected.name << " " << key.identifier;
    }
    EXPECT_EQ(rows, expected.rows) << expected.name;
}

INSTANTIATE_TEST_SUITE_P(Us, UsUniformBlock, testing::ValuesIn(kUniformBlocks), test_support::NameOfCase{});

// Up to the Data tab, a tab's own rows show menus (press no) and the rows of the menus opened from a tab
// press their items (press yes).
TEST(UsCommandTable, FirstFiveTabsShowMenusAndTheirMenusPress) {
    const std::set<std::string> tabBlocks{"Home", "Insert", "Draw", "Page Layout", "Formulas"};
    const KeyTable& table = AccessKeys_US::sharedKeys();
    std::size_t checked = 0;
    for (const AccessKey& key : table) {
        if (blockOf(key) == "Data") {
            break;
        }
        ++checked;
        EXPECT_EQ(key.press, !tabBlocks.contains(blockOf(key))) << blockOf(key) << " " << key.identifier;
    }
    EXPECT_EQ(checked, 375U) << "rows before the Data block";
}

// ---------------------------------------------------------------------------------------------------
// The Gridwell add-in's rows: 42 in the layer "Gridwell", of which one menu button shows its menu and
// opens a sub-layer, then that sub-layer's 3 menu items. All of them name one layer.

TEST(UsCommandTable, GridwellRowsFormTheTabLayerAndOneSubLayer) {
    const KeyTable& table = AccessKeys_US::sharedKeys();
    const Span gridwell = gridwellRows(table);
    ASSERT_EQ(gridwell.end - gridwell.begin, 45U) << "rows between the Keyvane and SmartArt Design blocks";
    const std::size_t subLayerBegin = gridwell.begin + 42;
    // The rows that press and end key-tip mode are buttons: the command table's role totals leave buttons
    // for them.
    const auto [commands, openers] =
        checks::expectButtonsAndMenus(table, gridwell.begin, subLayerBegin, "Gridwell");
    EXPECT_EQ(commands, 41U);
    ASSERT_EQ(openers.size(), 1U);
    const std::string& subLayer = openers.front();
    EXPECT_NE(subLayer, "Gridwell");
    checks::expectMenuItems(table, subLayerBegin, gridwell.end, subLayer);
    EXPECT_EQ(checks::rowsNaming(table, "Gridwell"), 42U);
    EXPECT_EQ(checks::rowsNaming(table, subLayer), 3U);
}

}  // namespace
}  // namespace keytips::spreadsheet
