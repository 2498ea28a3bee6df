// The UK English tables of the spreadsheet host against the totals they are known by: the two tab tables
// in full; the stretch of the command table that each tab or pair of tabs fills, with its first and last
// row; the rows and shortcuts of every layer; the counts of roles, flags, texts, shortcut lengths and
// layers; the rules every row obeys; and the rows that stand out: layers without rows, layers opened
// from several places, repeated shortcuts, texts outside ASCII and texts that are not the identifier.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tables/spreadsheet.hpp"
#include "tables/table_checks.hpp"

namespace keytips::spreadsheet {
namespace {

using checks::allRows;
using checks::countOf;
using checks::describe;
using checks::Filter;
using checks::Flag;
using checks::identifiersDifferingFromText;
using checks::layersOf;
using checks::names;
using checks::Rows;
using checks::rowsOfTables;
using checks::Stretch;
using checks::unusualTexts;

constexpr Flag Y = Flag::Yes;
constexpr Flag N = Flag::No;

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
    {{"Ribbon"}, "Customize Quick Access", "b", "AXMenuButton", "Customise Quick Access Toolbar", nullptr, false, false},
}};

constexpr std::array<KeyRow, 11> kContextualRows{{
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
}};
// clang-format on

class UkTabTable : public testing::TestWithParam<checks::TabTableCase> {};

TEST_P(UkTabTable, HoldsExactlyItsRowsInOrder) { checks::expectRows(GetParam().read(), GetParam().rows); }

INSTANTIATE_TEST_SUITE_P(
    Uk, UkTabTable,
    testing::Values(checks::TabTableCase{"Ribbon", &AccessKeys_GB::ribbonKeys, kRibbonRows},
                    checks::TabTableCase{"Contextual", &AccessKeys_GB::contextualKeys, kContextualRows}),
    test_support::NameOfCase{});

TEST(UkTables, LanguageAccessReadsTheOneBuiltListOfEachTable) {
    const LanguageTables tables = ukTables();
    checks::expectSameLists(tables, AccessKeys_GB::keyTables());
    EXPECT_EQ(AccessKeys_GB::sharedKeys().data(), tables.sharedKeys().data());
}

// ---------------------------------------------------------------------------------------------------
// The command table falls into stretches, one per tab or pair of tabs, each starting where the one
// before ends. The Gridwell add-in's rows stand between the Keyvane and the SmartArt Design rows.

// clang-format off
constexpr std::array<Stretch, 15> kStretches{{
    {"Home: groups and their menus", 0, 129,
     {{"Home"}, "Clipboard", "zl", "AXMenuButton", "Clipboard", nullptr, false, false},
     {{"Merge & Center"}, "Unmerge Cells", "u", "AXMenuButton", "Unmerge Cells", nullptr, true, true}},
    {"Home: styles, editing and sheet menus", 129, 76,
     {{"Conditional Formatting"}, "Highlight Cells Rules", "h", "AXMenuButton", "Highlight Cells Rules", nullptr, true, false},
     {{"Tab Color"}, "More Colors...", "m", "AXMenuButton", "More Colours...", nullptr, true, true}},
    {"Insert", 205, 60,
     {{"Insert"}, "Tables", "zb", "AXMenuButton", "Tables", nullptr, false, false},
     {{"Equation"}, "Insert New Equation", "i", "AXMenuButton", "Insert New Equation", nullptr, true, true}},
    {"Draw and Page Layout", 265, 41,
     {{"Draw"}, "Draw", "w", "AXCheckBox", "Draw", nullptr, false, true},
     {{"Breaks"}, "Reset All Page Breaks", "a", "AXMenuButton", "Reset All Page Breaks", nullptr, true, true}},
    {"Formulas", 306, 63,
     {{"Formulas"}, "Function Library", "zl", "AXMenuButton", "Function Library", nullptr, false, false},
     {{"Calculation Options"}, "Manual", "m", "AXMenuButton", "Manual", nullptr, true, true}},
    {"Data", 369, 53,
     {{"Data"}, "Data Types", "d1", "AXMenuButton", "Data Types", nullptr, false, false},
     {{"Ungroup"}, "Clear Outline", "c", "AXMenuButton", "Clear Outline", nullptr, true, true}},
    {"Review and View", 422, 72,
     {{"Review"}, "Proofing", "zp", "AXMenuButton", "Proofing", nullptr, false, false},
     {{"View", "Macros"}, "Use Relative References", "mu", "AXCheckBox", "Use Relative References", nullptr, false, true}},
    {"Developer and Keyvane", 494, 21,
     {{"Developer"}, "Visual Basic", "v", "AXButton", "Visual Basic", nullptr, true, true},
     {{"Keyvane"}, "Request Feature", "f", "AXButton", "Request Feature", nullptr, true, true}},
    {"Gridwell", 515, 45,
     {{"Gridwell"}, "Sign In", "i", "AXButton", "Sign In", nullptr, true, true},
     {{"Snapshots"}, "Compare Snapshots", "c", "AXMenuButton", "Compare Snapshots", nullptr, true, true}},
    {"SmartArt Design", 560, 22,
     {{"SmartArt Design"}, "Add Shape", "o", "AXMenuButton", "Add Shape", nullptr, false, false},
     {{"Change Colors"}, "Recolor Pictures in SmartArt Graphic", "r", "AXMenuButton", "Recolour Pictures in SmartArt Graphic", nullptr, true, true}},
    {"FormatShape", 582, 76,
     {{"FormatShape"}, "Change Shape", "i", "AXMenuButton", "Change Shape", nullptr, true, true},
     {{"Arrows"}, "More Arrows...", "m", "AXMenuButton", "More Arrows...", nullptr, true, true}},
    {"Chart Design", 658, 67,
     {{"Chart Design", "Design"}, "Add Chart Element", "a", "AXMenuButton", "Add Chart Element", nullptr, false, false},
     {{"Up/Down Bars"}, "Up/Down Bars", "u", "AXMenuButton", "Up/Down Bars", nullptr, true, true}},
    {"Table and Slicer", 725, 31,
     {{"Table"}, "Table Name:", "a", "AXTextField", nullptr, "Table Name:", true, true},
     {{"Slicer"}, "Width2:", "w", "AXIncrementor", nullptr, "Width:", true, true}},
    {"PivotTable Analyze", 756, 37,
     {{"PivotTable Analyze"}, "PivotTable Name:", "n", "AXTextField", nullptr, "Pivot Table Name:", true, true},
     {{"Fields, Items, & Sets"}, "List Formulas", "l", "AXMenuButton", "List Formulas", nullptr, true, true}},
    {"Design and PivotChart Analyze", 793, 38,
     {{"Design"}, "Subtotals", "t", "AXMenuButton", "Subtotals", nullptr, false, false},
     {{"PivotChart Analyze"}, "Field List", "l", "AXCheckBox", "Field List", nullptr, true, true}},
}};
// clang-format on

constexpr std::size_t kCommandRows = 831;
constexpr std::size_t kGridwellStretch = 8;

static_assert(checks::stretchesFollowOneAnother(kStretches, kCommandRows) &&
              std::string_view(kStretches[kGridwellStretch].name) == "Gridwell");

TEST(UkCommandTable, EachStretchStartsAndEndsWithItsRows) {
    const KeyTable& table = AccessKeys_GB::sharedKeys();
    ASSERT_EQ(table.size(), kCommandRows);
    checks::expectStretchEnds(table, kStretches);
}

// The listed rows: the command table without the Gridwell add-in's rows.
Rows listedRows() {
    const Stretch& gridwell = kStretches[kGridwellStretch];
    return checks::rowsOutside(AccessKeys_GB::sharedKeys(), gridwell.first, gridwell.first + gridwell.rows);
}

// The Gridwell add-in's rows: 42 in the layer "Gridwell" (41 buttons that are pressed and end key-tip
// mode, one menu button that shows its menu and opens a second layer named by its identifier), then the
// 3 items of that second layer, which no other row names.
TEST(UkCommandTable, GridwellRowsFormTheTabLayerAndOneSubLayer) {
    const KeyTable& table = AccessKeys_GB::sharedKeys();
    ASSERT_EQ(table.size(), kCommandRows);
    const Stretch& gridwell = kStretches[kGridwellStretch];
    const std::size_t subLayerBegin = gridwell.first + 42;
    const auto [buttons, openers] =
        checks::expectButtonsAndMenus(table, gridwell.first, subLayerBegin, "Gridwell");
    EXPECT_EQ(buttons, 41U);
    ASSERT_EQ(openers.size(), 1U);
    const std::string& subLayer = openers.front();
    EXPECT_NE(subLayer, "Gridwell");
    checks::expectMenuItems(table, subLayerBegin, gridwell.first + gridwell.rows, subLayer);
    EXPECT_EQ(checks::rowsNaming(table, subLayer), 3U);
}

// ---------------------------------------------------------------------------------------------------
// Totals over the listed rows.

// The listed rows of a role: how many, how many press, how many end key-tip mode.
struct RoleTotals {
    const char* name;
    const char* role;  // nullptr: all roles
    std::size_t rows;
    std::size_t pressYes;
    std::size_t lastYes;
};

using test_support::PrintTo;

class UkListedRoleTotals : public testing::TestWithParam<RoleTotals> {};

TEST_P(UkListedRoleTotals, Match) {
    const RoleTotals& totals = GetParam();
    const Rows listed = listedRows();
    const char* what = totals.name;
    EXPECT_EQ(countOf(listed, {.role = totals.role}), totals.rows) << what;
    EXPECT_EQ(countOf(listed, {.role = totals.role, .press = Y}), totals.pressYes) << what << " press yes";
    EXPECT_EQ(countOf(listed, {.role = totals.role, .last = Y}), totals.lastYes) << what << " last yes";
}

INSTANTIATE_TEST_SUITE_P(Roles, UkListedRoleTotals,
                         testing::Values(RoleTotals{"AXMenuButton", "AXMenuButton", 571, 430, 385},
                                         RoleTotals{"AXButton", "AXButton", 130, 57, 130},
                                         RoleTotals{"AXCheckBox", "AXCheckBox", 58, 23, 58},
                                         RoleTotals{"AXComboBox", "AXComboBox", 8, 1, 6},
                                         RoleTotals{"AXIncrementor", "AXIncrementor", 7, 7, 7},
                                         RoleTotals{"AXRadioButton", "AXRadioButton", 6, 6, 6},
                                         RoleTotals{"AXTextField", "AXTextField", 6, 6, 6},
                                         RoleTotals{"all roles", nullptr, 786, 530, 598}),
                         test_support::NameOfCase{});

// How many listed rows a filter lets through.
struct CountCase {
    const char* name;
    Filter filter;
    std::size_t expected;
};

class UkListedRowCount : public testing::TestWithParam<CountCase> {};

TEST_P(UkListedRowCount, Matches) {
    EXPECT_EQ(countOf(listedRows(), GetParam().filter), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Filters, UkListedRowCount,
                         testing::Values(CountCase{"with a title", {.titled = Y}, 759},
                                         CountCase{"with a description", {.titled = N}, 27},
                                         CountCase{"1-character shortcut", {.shortcutLength = 1}, 653},
                                         CountCase{"2-character shortcut", {.shortcutLength = 2}, 133},
                                         CountCase{"in 1 layer", {.sources = 1}, 620},
                                         CountCase{"in 2 layers", {.sources = 2}, 161},
                                         CountCase{"in 3 layers", {.sources = 3}, 5}),
                         test_support::NameOfCase{});

TEST(UkCommandTable, ListedRowsName164Layers) { EXPECT_EQ(layersOf(listedRows()).size(), 164U) << "layers"; }

// ---------------------------------------------------------------------------------------------------
// Every layer of the listed rows, in the order of first use: how many rows it offers and their
// shortcuts, in table order.

struct Layer {
    const char* name;
    std::size_t rows;
    const char* shortcuts;  // separated by spaces
};

// clang-format off
constexpr std::array<Layer, 164> kLayers{{
    {"Home", 50, "zl zf za zn zc ze v x c fp fg fk 1 2 3 ff fs fc h b at am ab al ac ar 5 6 m fq w o i d n an p k 0 9 l t j u fi e s fd as fe"},
    {"Clipboard", 4, "v x c fp"},
    {"Font", 10, "fg fk 1 2 3 ff fs fc h b"},
    {"Alignment", 11, "at am ab al ac ar 5 6 m fq w"},
    {"Cells", 3, "o i d"},
    {"Number", 6, "n an p k 0 9"},
    {"Editing", 5, "u fi e s fd"},
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
    {"Orientation", 8, "o l v u d m p l"},
    {"Merge & Center", 4, "c a m u"},
    {"Conditional Formatting", 8, "h t d s i n c r"},
    {"Format as Table", 2, "n p"},
    {"Cell Styles", 2, "n m"},
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
    {"Insert", 37, "zb zi zt zs fp v sp t p sh ns s3 m1 sc fc r c1 n1 q hi sa d i1 sd m2 sz zk sf st i2 c2 x h1 w j e u"},
    {"Tables", 3, "v sp t"},
    {"Illustrations", 6, "p sh ns s3 m1 sc"},
    {"Text", 5, "x h1 w j f"},
    {"Symbols", 2, "e u"},
    {"From Picture", 2, "f c"},
    {"Pictures", 2, "i o"},
    {"Place in Cell", 4, "b f s o"},
    {"Place over Cells", 4, "b f s o"},
    {"3D Models", 2, "d s"},
    {"SmartArt", 8, "l p c h r m p i"},
    {"Screenshot", 1, "c"},
    {"Sparklines", 3, "sl so sw"},
    {"Equation", 1, "i"},
    {"Draw", 5, "w e l a d"},
    {"Eraser", 4, "s m e g"},
    {"Add Pen", 3, "p h c"},
    {"Page Layout", 19, "th zc zo tc tf m o sz r b g i ps w h vg pg vh ph"},
    {"Themes", 5, "th tc tf b a"},
    {"Scale to Fit", 2, "w h"},
    {"Sheet Options", 4, "vg pg vh ph"},
    {"Margins", 1, "a"},
    {"Print Area", 2, "s c"},
    {"Breaks", 3, "i r a"},
    {"Formulas", 26, "zl zn zf f u r i l t e o g q n m s c p d a h k w x b j"},
    {"Function Library", 10, "f u r i l t e o g q"},
    {"Defined Names", 4, "n m s c"},
    {"Formula Auditing", 6, "p d a h k w"},
    {"AutoSum", 6, "s a c m i f"},
    {"Recently Used", 1, "f"},
    {"Financial", 1, "f"},
    {"Logical", 1, "f"},
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
    {"Data", 29, "d1 zs zd zo pn f1 r o p1 k sa sd ss t c y1 q e ff m v n w g u b j h a"},
    {"Sort & Filter Data", 7, "sa sd ss t c y1 q"},
    {"Data Tools", 5, "e ff m v n"},
    {"Outline", 5, "g u b j h"},
    {"Get Data (Power Query)", 7, "p l s d h t q"},
    {"From Picture Data", 2, "p c"},
    {"Refresh All", 5, "a r s c o"},
    {"Data Validation", 3, "v i r"},
    {"What-If Analysis", 3, "s g t"},
    {"Group", 2, "g a"},
    {"Ungroup", 2, "u c"},
    {"Review", 22, "zp za zc zh zp s e b a rs l g c d v n h1 t pw ps u1 h2"},
    {"Proofing", 3, "s e b"},
    {"Accessibility", 1, "a"},
    {"Comments", 5, "c d v n h1"},
    {"Notes", 8, "t n p t o s c e"},
    {"Changes", 2, "pw ps"},
    {"Protect", 1, "u1"},
    {"Check Accessibility", 5, "a l t u h"},
    {"Hide Ink", 3, "h s w"},
    {"View", 35, "vc zv zs zw vk ve vn vo l i p c k r vg vf vh q j g n a f f u r c s h u w mm mv mr mu"},
    {"Workbook Views", 4, "l i p c"},
    {"Show", 5, "k r vg vf vh"},
    {"Window", 11, "n a f f u r c s h u w"},
    {"Freeze Panes", 4, "f u r c"},
    {"Macros", 3, "mv mr mu"},
    {"Developer", 15, "v pm r u a1 h b g c l e s i o n"},
    {"Keyvane", 6, "a s u h i f"},
    {"SmartArt Design", 12, "o b x p d r u w g c e t"},
    {"Add Shape", 5, "a b v w t"},
    {"Layout", 4, "s b l r"},
    {"Change Colors", 1, "r"},
    {"FormatShape", 26, "i sh n d sf so se ti to tx at af ae ap ar aa ag ay h w l f c v e x"},
    {"Shape Fill", 4, "m p g t"},
    {"Text Fill", 4, "m p g t"},
    {"Shape Outline", 5, "m w k s r"},
    {"Text Outline", 5, "m w k s r"},
    {"Shape Effects", 7, "p s r g e b d"},
    {"Text Effects", 8, "p s r g e b d t"},
    {"Reorder Objects", 2, "r o"},
    {"Align", 12, "l c r t m i b h v p s g"},
    {"Group2", 3, "g e u"},
    {"Rotate", 5, "r l v h m"},
    {"Bring Forward", 2, "f r"},
    {"Send Backward", 2, "b k"},
    {"Edit Shape", 3, "n e t"},
    {"Gradient", 1, "m"},
    {"Texture", 1, "m"},
    {"Weight", 1, "m"},
    {"Sketched", 1, "m"},
    {"Dashes", 1, "m"},
    {"Arrows", 1, "m"},
    {"Chart Design", 7, "a l h w e c v"},
    {"Design", 15, "a l h w e c v t g p b o m r u"},
    {"Add Chart Element", 11, "x a c d b e g l i t u"},
    {"Change Chart Type", 11, "c l p h s x w o m t e"},
    {"Axes", 2, "h v"},
    {"Axis Titles", 2, "h v"},
    {"Chart Title", 3, "n a c"},
    {"Data Labels", 7, "n c l r a w u"},
    {"Data Table", 3, "n w l"},
    {"Error Bars", 4, "n s p d"},
    {"Gridlines", 4, "h v z m"},
    {"Legend", 5, "n r t l b"},
    {"Lines", 3, "n d h"},
    {"Trendline", 5, "n l e f a"},
    {"Up/Down Bars", 2, "n u"},
    {"Table", 13, "a v m g e f o t r c n u b"},
    {"Refresh", 5, "r a s c o"},
    {"Slicer", 13, "t e i af ae aa ag ay c g d h w"},
    {"PivotTable Analyze", 20, "n t m g x p k sf st sc f i e w v j c l b h"},
    {"Options", 3, "t p g"},
    {"Group Selection", 3, "k u r"},
    {"ClearPivot", 2, "c f"},
    {"Select", 5, "a v l t e"},
    {"Fields, Items, & Sets", 4, "f i s l"},
    {"Subtotals", 4, "d b t i"},
    {"Grand Totals", 4, "f n r c"},
    {"Report Layout", 5, "c o t r n"},
    {"Blank Rows", 2, "i r"},
    {"PivotChart Analyze", 15, "c t m g x p sf st sc f i e v j l"},
}};
// clang-format on

constexpr bool layersAreConsistent() {
    return std::all_of(kLayers.begin(), kLayers.end(),
                       [](const Layer& layer) { return checks::wordCount(layer.shortcuts) == layer.rows; });
}
static_assert(layersAreConsistent());

TEST(UkCommandTable, EachLayerOffersItsRowsWithTheirShortcuts) {
    checks::expectLayers(layersOf(listedRows()), kLayers, [](const Layer& expected, const Rows& rows) {
        EXPECT_EQ(rows.size(), expected.rows) << expected.name;
        EXPECT_EQ(checks::shortcutsOf(rows, 0, rows.size()), expected.shortcuts) << expected.name;
    });
}

// ---------------------------------------------------------------------------------------------------
// Rules that every row of the command table obeys.

// A menu button that shows its menu opens a layer; the other roles end key-tip mode, but for the two
// combo boxes of the group Scale to Fit.
bool lastFitsRole(const AccessKey& key) {
    const std::string& role = key.role;
    if (role == "AXMenuButton") {
        return key.press || !key.isLastCommand;
    }
    if (role == "AXComboBox") {
        const bool scaleToFit =
            names(key, "Scale to Fit") && (key.identifier == "Width:" || key.identifier == "Height:");
        return key.isLastCommand != scaleToFit;
    }
    return key.isLastCommand && (role == "AXButton" || role == "AXCheckBox" || role == "AXIncrementor" ||
                                 role == "AXRadioButton" || role == "AXTextField");
}

TEST(UkCommandTable, EveryRowFollowsTheTableRules) {
    const KeyTable& table = AccessKeys_GB::sharedKeys();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const AccessKey& key = table[i];
        SCOPED_TRACE("row " + std::to_string(i) + ": " + describe(key));
        EXPECT_NE(key.title.has_value(), key.description.has_value()) << "one of title and description";
        EXPECT_TRUE(checks::validShortcut(key.shortcut));
        EXPECT_TRUE(lastFitsRole(key));
        EXPECT_FALSE(key.identifier.empty());
        ASSERT_GE(key.source.size(), 1U);
        EXPECT_LE(key.source.size(), 3U);
        const std::set<std::string> layers(key.source.begin(), key.source.end());
        EXPECT_EQ(layers.size(), key.source.size()) << "a layer named twice";
        for (const std::string& layer : key.source) {
            EXPECT_FALSE(layer.empty() || layer == "Ribbon" || layer == "Quick Access")
                << "layer \"" << layer << "\"";
        }
        // A two-character shortcut beginning with z is a group button, offered on its tab alone.
        if (key.shortcut.size() == 2 && key.shortcut[0] == 'z') {
            EXPECT_TRUE(key.role == "AXMenuButton" && !key.press && !key.isLastCommand &&
                        key.source.size() == 1);
        }
    }
}

// Within a layer a one-character shortcut acts at once, so none may begin a two-character one; a
// shortcut repeats only in these layers, where each row is matched on its own.
TEST(UkCommandTable, ShortcutsRepeatOnlyWhereExpectedAndNoneBeginsAnother) {
    const std::set<std::string> expected{
        "Paste t: Transpose | Keep Text Only | Match Destination Formatting",
        "Paste u: Paste as Picture | Use Text Import Wizard...",
        "Orientation l: Angle Clockwise | Landscape",
        "Find & Select n: Notes | Constants",
        "SmartArt p: Process | Pyramid",
        "More Functions c: Cube | Compatibility",
        "Review zp: Proofing | Protect",
        "Notes t: Notes | Next Note",
        "View c: Custom Views | Freeze First Column",
        "View r: Ruler | Freeze Top Row",
        "View f: Freeze Panes | Freeze Panes",
        "View u: Unfreeze Panes | Unhide",
        "Window f: Freeze Panes | Freeze Panes",
        "Window u: Unfreeze Panes | Unhide",
    };
    const Rows rows = allRows(AccessKeys_GB::sharedKeys());
    EXPECT_EQ(checks::shortcutsBeginningOthers(rows), std::set<std::string>{});
    EXPECT_EQ(checks::repeatedShortcuts(rows, [](const AccessKey& key) { return key.identifier; }), expected);
}

// ---------------------------------------------------------------------------------------------------
// Which rows open which layers. A tab row opens the layer of its identifier; so does a command row with
// Last no.

Rows openingRows() {
    return checks::openingRows(rowsOfTables({&AccessKeys_GB::ribbonKeys, &AccessKeys_GB::contextualKeys}),
                               AccessKeys_GB::sharedKeys());
}

TEST(UkTables, EveryLayerIsOpenedAndSomeFromSeveralPlaces) {
    std::map<std::string, std::size_t> openers;
    for (const AccessKey* key : openingRows()) {
        ++openers[key->identifier];
    }
    for (const auto& [layer, rows] : layersOf(allRows(AccessKeys_GB::sharedKeys()))) {
        EXPECT_TRUE(openers.contains(layer)) << "no row opens \"" << layer << "\"";
    }
    const std::map<std::string, std::size_t> expected{
        {"FormatShape", 2},   {"Orientation", 2}, {"Format as Table", 2},
        {"AutoSum", 2},       {"Clear", 2},       {"Text", 2},
        {"Hierarchy", 2},     {"Statistical", 2}, {"Bring Forward", 2},
        {"Send Backward", 2}, {"Align", 2},       {"Group2", 2},
        {"Rotate", 2},        {"Refresh", 3},     {"Fields, Items, & Sets", 2},
    };
    std::map<std::string, std::size_t> several;
    for (const auto& [layer, count] : openers) {
        if (count > 1) {
            several.emplace(layer, count);
        }
    }
    EXPECT_EQ(several, expected);
}

// These rows open a layer that no row names: the control acts and the command layer stays open without
// labels.
TEST(UkTables, RowsOpeningLayersWithoutRowsAreExactlyTheKnownOnes) {
    // clang-format off
    const std::vector<std::string> expected{
        "Ribbon b Customize Quick Access", "Borders y Line Style", "Insert sh Shapes",
        "Insert r Recommended Charts", "Insert c1 Column", "Insert n1 Line", "Insert q Pie",
        "Insert hi Hierarchy", "Insert d X Y (Scatter)", "Insert i1 Waterfall", "Insert sd Combo",
        "Insert m2 Maps", "Insert w WordArt", "SmartArt l List", "SmartArt p Process", "SmartArt c Cycle",
        "SmartArt h Hierarchy", "SmartArt r Relationship", "SmartArt m Matrix", "SmartArt p Pyramid",
        "SmartArt i Picture", "Page Layout tc Colors", "Page Layout tf Fonts", "Page Layout sz Size",
        "Page Layout w Width:", "Page Layout h Height:", "Error Checking c Circular References",
        "Data d1 Data Types", "View w Switch Windows",
    };
    // clang-format on
    const std::set<std::string> layers = checks::namedLayers(AccessKeys_GB::sharedKeys());
    std::vector<std::string> found;
    for (const AccessKey* key : openingRows()) {
        if (!layers.contains(key->identifier)) {
            found.push_back(key->source.front() + " " + key->shortcut + " " + key->identifier);
        }
    }
    EXPECT_EQ(found, expected);
}

// ---------------------------------------------------------------------------------------------------
// Texts.

// Every text outside plain printable ASCII, in table order: the non-breaking hyphen, the ellipsis, the
// line feed and the degree sign. No text holds a backslash.
TEST(UkTables, TextsOutsidePrintableAsciiAreExactlyTheKnownOnes) {
    const std::vector<std::string> expected{
        "title \"Add\u2011ins\"",
        "identifier \"Photo Browser\u2026\"",
        "title \"Photo Browser\u2026\"",
        "title \"Draw with\nTrackpad\"",
        "identifier \"Rotate Right 90\u00B0\"",
        "title \"Rotate Right by 90\u00B0\"",
        "identifier \"Rotate Left 90\u00B0\"",
        "title \"Rotate Left by 90\u00B0\"",
    };
    EXPECT_EQ(unusualTexts(rowsOfTables(
                  {&AccessKeys_GB::ribbonKeys, &AccessKeys_GB::contextualKeys, &AccessKeys_GB::sharedKeys})),
              expected);
}

// A row's text (its title, or else its description) is its identifier except in these rows, listed in
// table order: the ribbon-tab table, the contextual-tab table, then the command table. With the
// identifiers they fix every text of the UK tables.
TEST(UkTables, TextsDifferFromTheIdentifierOnlyWhereExpected) {
    // clang-format off
    const std::vector<std::string> expected{
        "Customize Quick Access <- Customise Quick Access Toolbar", "FormatShape <- Format",
        "FormatShape <- Shape Format", "PivotTable Analyze <- Pivot Table Analyse",
        "PivotChart Analyze <- Pivot Chart Analyse", "Format Painter <- Format", "Font Color <- Font Colour",
        "Top Align <- Align to Top", "Middle Align <- Align to Middle", "Bottom Align <- Align to Bottom",
        "Align Left <- Align to Left", "Align Center <- Centre", "Align Right <- Align to Right",
        "Merge & Center <- Merge & Centre", "InsertHome <- Insert", "Percent Style <- Percentage Style",
        "AutoSum <- Auto-sum", "Add-ins <- Add\u2011ins", "Analyze Data <- Analyse Data",
        "Line Color <- Line Colour", "AutoFit Row Height <- Auto-fit Row Height",
        "AutoFit Column Width <- Auto-fit Column Width", "Tab Color <- Tab Colour",
        "More Colors... <- More Colours...", "No Fill <- Automatic", "More Colors... <- More Colours...",
        "Angle Counterclockwise <- Angle Anticlockwise", "Merge & Center <- Merge & Centre",
        "Color Scales <- Colour Scales", "New PivotTable Style... <- New Pivot Table Style...",
        "Flash Fill <- Flash-fill", "Clear Hyperlinks <- Clear Links", "Remove Hyperlinks <- Remove Links",
        "Go To... <- Go to...", "Go To Special... <- Go to Special...", "More Colors... <- More Colours...",
        "Equal To... <- Equal to...", "Top 10 %... <- Top 10%...", "Bottom 10 %... <- Bottom 10%...",
        "Clear Rules from This PivotTable <- Clear Rules from This Pivot Table", "No Color <- No Colour",
        "More Colors... <- More Colours...", "PivotTable <- Pivot Table",
        "Recommended PivotTables <- Recommended Pivot Tables", "PivotChart <- Pivot Chart",
        "Draw with Trackpad <- Draw with\nTrackpad", "Colors <- Colours", "ViewGL <- View",
        "PrintGL <- Print", "ViewH <- View", "PrintH <- Print", "AutoSum <- Auto-sum",
        "Math & Trig <- Maths & Trig", "Error Checking <- Error-checking", "Max <- Max.", "Min <- Min.",
        "Error Checking... <- Error-checking...", "Sort & Filter Data <- Sort & Filter",
        "From Picture Data <- From Picture", "Flash Fill <- Flash-fill",
        "What-If Analysis <- What-if Analysis", "Auto Outline <- Auto-outline",
        "Always Open Read-Only <- Always Open as Read-only", "Check Box <- Checkbox",
        "Add Bullet <- Add Bulletpoint", "Change Colors <- Change Colours",
        "Recolor Pictures in SmartArt Graphic <- Recolour Pictures in SmartArt Graphic",
        "Bring Forward <- Bring Forwards", "Send Backward <- Send Backwards", "Group2 <- Group",
        "Reset to match style <- Reset to Match Style", "More Fill Colors... <- More Fill Colours...",
        "More Outline Colors... <- More Outline Colours...", "Preset <- Pre-set",
        "3-D Rotation <- 3D Rotation", "Align Left <- Align to Left", "Align Center <- Align to Centre",
        "Align Right <- Align to Right", "Align Top <- Align to Top", "Align Middle <- Align to Middle",
        "Align Bottom <- Align to Bottom", "Rotate Right 90\u00B0 <- Rotate Right by 90\u00B0",
        "Rotate Left 90\u00B0 <- Rotate Left by 90\u00B0", "Bring Forward <- Bring Forwards",
        "Send Backward <- Send Backwards", "Change Colors <- Change Colours", "Chart Title <- Chart title",
        "Data Labels <- Data labels", "Summarize with PivotTable <- Summarise with Pivot Table",
        "Bring Forward <- Bring Forwards", "Send Backward <- Send Backwards", "Group2 <- Group",
        "Height1: <- Height:", "Width1: <- Width:", "Height2: <- Height:", "Width2: <- Width:",
        "PivotTable Name: <- Pivot Table Name:", "PivotField Name: <- Pivot Field Name:",
        "ClearPivot <- Clear", "Move PivotTable <- Move Pivot Table",
        "Fields, Items, & Sets <- Fields, Items & Sets", "PivotChart <- Pivot Chart",
        "Entire PivotTable <- Entire Pivot Table",
        "Insert Blank Line After Each Item <- Insert Blank Line after Each Item",
        "Remove Blank Line After Each Item <- Remove Blank Line after Each Item",
        "PivotField Name: <- Pivot Field Name:", "Fields, Items, & Sets <- Fields, Items & Sets",
    };
    // clang-format on
    ASSERT_EQ(expected.size(), 107U);
    EXPECT_EQ(identifiersDifferingFromText(rowsOfTables(
                  {&AccessKeys_GB::ribbonKeys, &AccessKeys_GB::contextualKeys, &AccessKeys_GB::sharedKeys})),
              expected);
}

}  // namespace
}  // namespace keytips::spreadsheet
