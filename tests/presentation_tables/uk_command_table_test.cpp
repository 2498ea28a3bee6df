// The UK English command table of the presentation host against its totals: the stretch of each tab
// with its first and last row and its counts of roles, flags, texts and shortcuts; every layer with the
// rows it offers and the rows that open it; the layers no key reaches; repeated shortcuts; and the rows
// whose texts are easy to get wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tables/presentation.hpp"
#include "tables/table_checks.hpp"

namespace keytips::presentation {
namespace {

using checks::describe;
using checks::Rows;
using checks::Stretch;

const KeyTable& commands() { return AccessKeys_GB::sharedKeys(); }

std::size_t indexOf(const AccessKey* key) { return static_cast<std::size_t>(key - commands().data()); }

// Row numbers as "3 5-9 12": runs of consecutive rows joined.
std::string runsOf(const std::vector<std::size_t>& rows) {
    std::ostringstream out;
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) {
            ++j;
        }
        out << (i == 0 ? "" : " ") << rows[i];
        if (j > i) {
            out << '-' << rows[j];
        }
        i = j + 1;
    }
    return out.str();
}

constexpr std::size_t kCommandRows = 642;

// ---------------------------------------------------------------------------------------------------
// The table falls into eleven stretches, each starting where the one before ends.

// clang-format off
constexpr std::array<Stretch, 11> kStretches{{
    {"Home tab", 0, 45,
     {{"Home"}, "Paste", "v", "AXMenuButton", "Paste", nullptr, false, false},
     {{"Home"}, "Designer", "d2", "AXCheckBox", "Designer", nullptr, true, true}},
    {"Home tab menus", 45, 92,
     {{"Paste"}, "Use Destination Theme", "h", "AXMenuButton", "Use Destination Theme", nullptr, true, true},
     {{"Rotate"}, "More Rotation Options...", "m", "AXMenuButton", "More Rotation Options...", nullptr, true, true}},
    {"Insert, Draw and Design tabs", 137, 85,
     {{"Insert"}, "Tables", "zb", "AXMenuButton", "Tables", nullptr, false, false},
     {{"Slide Size"}, "Widescreen (16 ratio 9)", "w", "AXRadioButton", nullptr, "Widescreen (16 9 ratio)", true, true}},
    {"Transitions, Animations, Slide Show and Record tabs", 222, 64,
     {{"Transitions"}, "Preview", "p", "AXButton", "Preview", nullptr, true, true},
     {{"Reset to Cameo"}, "Reset to Cameo on All Slides", "a", "AXMenuButton", "Reset to Cameo on All Slides", nullptr, true, true}},
    {"Page-setup and data layers, grouping, Review tab", 286, 74,
     {{"Page Layout", "Themes"}, "Themes", "th", "AXMenuButton", "Themes", nullptr, false, false},
     {{"Hide Ink"}, "Delete All Ink in Workbook", "w", "AXMenuButton", "Delete All Ink in Workbook", nullptr, true, true}},
    {"Slide Master, View and Keyvane tabs", 360, 53,
     {{"Slide Master"}, "Insert Slide Master", "n", "AXButton", "Insert Slide Master", nullptr, true, true},
     {{"Keyvane"}, "Request Feature", "f", "AXButton", "Request Feature", nullptr, true, true}},
    {"Table Design and Table Layout tabs", 413, 48,
     {{"Table Design"}, "Header Row", "o", "AXCheckBox", "Header Row", nullptr, true, true},
     {{"Table Layout"}, "Format Pane", "ap", "AXButton", "Format Pane", nullptr, true, true}},
    {"Table menus and SmartArt Design tab", 461, 59,
     {{"Select"}, "Select Table", "t", "AXMenuButton", "Select Table", nullptr, true, true},
     {{"Change Colors"}, "Recolor Pictures in SmartArt Graphic", "r", "AXMenuButton", "Recolour Pictures in SmartArt Graphic", nullptr, true, true}},
    {"Shape Format tab", 520, 27,
     {{"FormatShape"}, "Change Shape", "i", "AXMenuButton", "Change Shape", nullptr, true, true},
     {{"FormatShape"}, "Merge Shapes", "m", "AXMenuButton", "Merge Shapes", nullptr, false, false}},
    {"Shape Format menus", 547, 38,
     {{"Merge Shapes"}, "Union", "u", "AXMenuButton", "Union", nullptr, true, true},
     {{"Arrows"}, "More Arrows...", "m", "AXMenuButton", "More Arrows...", nullptr, true, true}},
    {"Chart Design tab and its menus", 585, 57,
     {{"Chart Design", "Design"}, "Add Chart Element", "a", "AXMenuButton", "Add Chart Element", nullptr, false, false},
     {{"Up/Down Bars"}, "Up/Down Bars", "u", "AXMenuButton", "Up/Down Bars", nullptr, true, true}},
}};
// clang-format on

static_assert(checks::stretchesFollowOneAnother(kStretches, kCommandRows));

TEST(UkCommandTable, EachStretchStartsAndEndsWithItsRows) {
    const KeyTable& table = commands();
    ASSERT_EQ(table.size(), kCommandRows);
    checks::expectStretchEnds(table, kStretches);
}

// Counts over each stretch. Roles: menu buttons, buttons, check boxes, radio buttons, combo boxes,
// incrementors, pop-up buttons. Flags as press/last: no/no shows a menu and opens a layer, yes/no
// presses and opens a layer, no/yes shows a menu and ends, yes/yes presses and ends.
struct Totals {
    std::size_t menuButtons, buttons, checkBoxes, radioButtons, comboBoxes, incrementors, popUps;
    std::size_t showOpen, pressOpen, showEnd, pressEnd;
    std::size_t descriptions, twoCharacters, withDigit, inSeveralLayers;
};

// clang-format off
constexpr std::array<Totals, 11> kStretchTotals{{
    //  MB  B   CB  RB Cmb Inc Pop   FF  TF  FT  TT   desc two digit multi
    {22, 8, 13, 0, 2, 0, 0,   19,  0,  1, 25,   2, 23, 10,  0},
    {91, 0,  0, 1, 0, 0, 0,    0,  2,  0, 90,   1,  0,  0,  4},
    {63, 15, 5, 2, 0, 0, 0,   21,  8, 10, 46,   2, 19,  5, 23},
    {37, 13, 9, 0, 0, 3, 2,    8,  1,  0, 55,   5,  8,  3,  0},
    {53, 9,  8, 2, 2, 0, 0,   17,  0,  7, 50,   4, 16,  2,  9},
    {24, 15, 14, 0, 0, 0, 0,   6,  0,  0, 47,   0,  6,  0,  0},
    {17, 9, 16, 0, 0, 4, 2,   17,  0,  0, 31,   6, 20,  0,  0},
    {50, 6,  2, 1, 0, 0, 0,    3,  3,  0, 53,   1,  0,  0,  0},
    {16, 4,  4, 0, 1, 2, 0,   14,  0,  0, 13,   3, 15,  0,  0},
    {38, 0,  0, 0, 0, 0, 0,    0,  6,  0, 32,   0,  0,  0, 17},
    {53, 4,  0, 0, 0, 0, 0,    2, 11,  0, 44,   0,  0,  0, 10},
}};
// clang-format on

// The whole table: the stretches add up to it.
constexpr Totals kTableTotals{464, 83, 71, 6, 5, 9, 4, 107, 31, 18, 486, 24, 107, 20, 63};

constexpr bool stretchTotalsAddUp() {
    Totals sum{};
    for (std::size_t i = 0; i < kStretchTotals.size(); ++i) {
        const Totals& t = kStretchTotals[i];
        const std::size_t roles = t.menuButtons + t.buttons + t.checkBoxes + t.radioButtons + t.comboBoxes +
                                  t.incrementors + t.popUps;
        if (roles != kStretches[i].rows ||
            t.showOpen + t.pressOpen + t.showEnd + t.pressEnd != kStretches[i].rows) {
            return false;
        }
        sum.menuButtons += t.menuButtons;
        sum.buttons += t.buttons;
        sum.checkBoxes += t.checkBoxes;
        sum.radioButtons += t.radioButtons;
        sum.comboBoxes += t.comboBoxes;
        sum.incrementors += t.incrementors;
        sum.popUps += t.popUps;
        sum.showOpen += t.showOpen;
        sum.pressOpen += t.pressOpen;
        sum.showEnd += t.showEnd;
        sum.pressEnd += t.pressEnd;
        sum.descriptions += t.descriptions;
        sum.twoCharacters += t.twoCharacters;
        sum.withDigit += t.withDigit;
        sum.inSeveralLayers += t.inSeveralLayers;
    }
    const Totals& w = kTableTotals;
    return sum.menuButtons == w.menuButtons && sum.buttons == w.buttons && sum.checkBoxes == w.checkBoxes &&
           sum.radioButtons == w.radioButtons && sum.comboBoxes == w.comboBoxes &&
           sum.incrementors == w.incrementors && sum.popUps == w.popUps && sum.showOpen == w.showOpen &&
           sum.pressOpen == w.pressOpen && sum.showEnd == w.showEnd && sum.pressEnd == w.pressEnd &&
           sum.descriptions == w.descriptions && sum.twoCharacters == w.twoCharacters &&
           sum.withDigit == w.withDigit && sum.inSeveralLayers == w.inSeveralLayers;
}
static_assert(stretchTotalsAddUp());

std::string describeTotals(const Totals& t) {
    std::ostringstream out;
    out << "roles MB " << t.menuButtons << " B " << t.buttons << " CB " << t.checkBoxes << " RB "
        << t.radioButtons << " Combo " << t.comboBoxes << " Inc " << t.incrementors << " PopUp " << t.popUps
        << "; flags FF " << t.showOpen << " TF " << t.pressOpen << " FT " << t.showEnd << " TT " << t.pressEnd
        << "; descriptions " << t.descriptions << "; two-character " << t.twoCharacters << "; digit "
        << t.withDigit << "; several layers " << t.inSeveralLayers;
    return out.str();
}

Totals totalsOf(const Rows& rows) {
    using checks::Filter;
    using checks::Flag;
    const auto count = [&](const Filter& filter) { return checks::countOf(rows, filter); };
    const auto several = static_cast<std::size_t>(
        std::count_if(rows.begin(), rows.end(), [](const AccessKey* key) { return key->source.size() > 1; }));
    return Totals{
        count({.role = "AXMenuButton"}),
        count({.role = "AXButton"}),
        count({.role = "AXCheckBox"}),
        count({.role = "AXRadioButton"}),
        count({.role = "AXComboBox"}),
        count({.role = "AXIncrementor"}),
        count({.role = "AXPopUpButton"}),
        count({.press = Flag::No, .last = Flag::No}),
        count({.press = Flag::Yes, .last = Flag::No}),
        count({.press = Flag::No, .last = Flag::Yes}),
        count({.press = Flag::Yes, .last = Flag::Yes}),
        count({.titled = Flag::No}),
        count({.shortcutLength = 2}),
        count({.digit = Flag::Yes}),
        several,
    };
}

// Each stretch, by its place in kStretches and kStretchTotals.
class UkCommandTableStretch : public testing::TestWithParam<std::size_t> {};

TEST_P(UkCommandTableStretch, HasItsTotals) {
    const KeyTable& table = commands();
    ASSERT_EQ(table.size(), kCommandRows);
    const Stretch& stretch = kStretches[GetParam()];
    EXPECT_EQ(
        describeTotals(totalsOf(checks::rowsBetween(table, stretch.first, stretch.first + stretch.rows))),
        describeTotals(kStretchTotals[GetParam()]))
        << stretch.name;
}

INSTANTIATE_TEST_SUITE_P(Uk, UkCommandTableStretch, testing::Range<std::size_t>(0, kStretches.size()),
                         [](const testing::TestParamInfo<std::size_t>& stretch) {
                             return test_support::caseName(kStretches[stretch.param].name);
                         });

TEST(UkCommandTable, HasItsTotals) {
    const KeyTable& table = commands();
    ASSERT_EQ(table.size(), kCommandRows);
    EXPECT_EQ(describeTotals(totalsOf(checks::allRows(table))), describeTotals(kTableTotals));
}

// Every row has one shortcut of one or two characters from a-z and 0-9, one to three layers, and
// exactly one of title and description; a description goes with the roles that are not buttons, menu
// buttons or check boxes.
TEST(UkCommandTable, EveryRowIsWellFormed) {
    const std::set<std::string> titledRoles{"AXMenuButton", "AXButton", "AXCheckBox"};
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const AccessKey& key = table[i];
        SCOPED_TRACE("row " + std::to_string(i) + ": " + describe(key));
        EXPECT_TRUE(key.shortcut.size() == 1 || key.shortcut.size() == 2);
        for (const char c : key.shortcut) {
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'));
        }
        EXPECT_TRUE(!key.source.empty() && key.source.size() <= 3);
        EXPECT_NE(key.title.has_value(), key.description.has_value());
        EXPECT_EQ(key.title.has_value(), titledRoles.contains(key.role));
    }
}

// The rows whose shortcut holds a digit, and the rows matched by description, by row number.
TEST(UkCommandTable, DigitAndDescriptionRowsAreTheKnownOnes) {
    std::vector<std::size_t> digits;
    std::vector<std::size_t> described;
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (checks::hasDigit(table[i].shortcut)) {
            digits.push_back(i);
        }
        if (table[i].description) {
            described.push_back(i);
        }
    }
    EXPECT_EQ(runsOf(digits), "7 13-20 44 145 149 151 158-159 250 259 276 334 346");
    EXPECT_EQ(runsOf(described),
              "8-9 120 220-221 224-225 228 239-240 299-300 308-309 426-427 440-441 452-453 482 "
              "538-539 542");
}

// ---------------------------------------------------------------------------------------------------
// Every layer: the rows it offers, in table order, and what opens it. A layer is opened by a tab row
// (its shortcut) or a command row with Last no (its row number) whose identifier is the layer's name.

struct Layer {
    const char* name;
    const char* rows;
    const char* tabs;     // tab shortcuts, blank-separated
    const char* openers;  // command rows, as runs
};

// clang-format off
constexpr std::array<Layer, 126> kLayers{{
    {"Home", "0-44", "h", ""},
    {"Paste", "45 100-117", "", "0"},
    {"Copy", "46 118-119", "", "2"},
    {"New Slide", "47-49", "", "4 156"},
    {"Section", "50-55", "", "7"},
    {"Character Spacing", "56-61", "", "19"},
    {"Change Case", "62-66", "", "20"},
    {"Text Highlight Color", "67", "", "21"},
    {"Bullets", "68", "", "23"},
    {"Numbering", "69", "", "24"},
    {"Line Spacing", "70", "", "27"},
    {"Text Direction", "71-75", "", "33 450"},
    {"Align Text", "76-79", "", "34"},
    {"Columns", "80-83", "", "28"},
    {"Picture", "84-87", "", "36 198"},
    {"Pictures", "84-87", "", "142"},
    {"Arrange", "88-99", "", "39"},
    {"Font Color", "120-121", "", "22"},
    {"Align", "122-131", "", "97 457 535"},
    {"Rotate", "132-136", "", "98 459 537"},
    {"Insert", "137-166", "n", ""},
    {"Illustrations", "142-147", "", "138"},
    {"Text", "150-153", "", "139"},
    {"Symbols", "154-155", "", "140"},
    {"Chart", "167-177", "", "159"},
    {"Change Chart Type", "167-177", "", "590"},
    {"Table", "178", "", "157"},
    {"Zoom", "179-181", "", "160"},
    {"Video", "182-185", "", "166"},
    {"Audio", "186-188", "", "165"},
    {"3D Models", "189-190", "", "145"},
    {"SmartArt", "191-198", "", "146"},
    {"Screenshot", "199", "", "147"},
    {"Equation", "200", "", "154"},
    {"Draw", "201-208", "d", ""},
    {"Eraser", "209-212", "", "202"},
    {"Add Pen", "213-215", "", "204"},
    {"Design", "216-218 585-592", "g", ""},
    {"Slide Size", "219-221", "", "216 374"},
    {"Transitions", "222-229", "k", ""},
    {"Effect Options", "230-232", "", "223"},
    {"Animations", "233-240", "a", ""},
    {"Preview", "241-242", "", "233"},
    {"Trigger", "243-244", "", "237"},
    {"Slide Show", "245-259", "s", ""},
    {"Custom Show", "260", "", "248"},
    {"RecordSlideShow", "261-263", "", "253"},
    {"Subtitle Settings", "264-271", "", "259"},
    {"ClearRecording", "272-275", "", "263"},
    {"Record", "276-281", "c", ""},
    {"Clear Recording", "282-283", "", "279"},
    {"Reset to Cameo", "284-285", "", "280"},
    {"Page Layout", "286-304", "", ""},
    {"Themes", "286 289-290 305-306", "", "286 369"},
    {"Scale to Fit", "299-300", "", "287"},
    {"Sheet Options", "301-304", "", "288"},
    {"Margins", "307", "", "291"},
    {"Orientation", "308-309", "", "292"},
    {"Print Area", "310-311", "", "294"},
    {"Breaks", "312-314", "", "295"},
    {"From Picture Data", "315-316", "", ""},
    {"Refresh All", "317-321", "", ""},
    {"Data Validation", "322-324", "", ""},
    {"What-If Analysis", "325-327", "", ""},
    {"Group", "328-329", "", "458"},
    {"Ungroup", "330-331", "", ""},
    {"Review", "332-346", "r", ""},
    {"Check Accessibility", "347-350", "", "334"},
    {"Delete", "351-353", "", "340"},
    {"Show Comments", "354-356", "", "343"},
    {"Hide Ink", "357-359", "", "346"},
    {"Slide Master", "360-375", "m", ""},
    {"Master Layout", "376-377", "", "365"},
    {"Insert Placeholder", "378-388", "", "366"},
    {"Colors", "389-390", "", "289 370"},
    {"Background Styles", "391-392", "", "372"},
    {"View", "393-407", "w", ""},
    {"Keyvane", "408-412", "f", ""},
    {"Table Design", "413-430", "e", ""},
    {"Table Layout", "431-460", "u", ""},
    {"Select", "461-463", "", "431"},
    {"DeleteTable", "464-466", "", "433"},
    {"Cell Margins", "467", "", "451"},
    {"Borders", "468-481", "", "420"},
    {"Shading", "482-488", "", "419"},
    {"Effects", "489-491", "", "421"},
    {"Quick Styles", "492", "", "422"},
    {"Pen Color", "493", "", "428"},
    {"Table Background", "494-495", "", "488"},
    {"SmartArt Design", "496-507", "js", ""},
    {"Convert", "508-509", "", "507"},
    {"Add Shape", "510-514", "", ""},
    {"Layout", "515-518", "", "5 504"},
    {"Change Colors", "519", "", "505"},
    {"FormatShape", "520-546", "t o", ""},
    {"Merge Shapes", "547-551", "", "546"},
    {"Shape Fill", "552-555", "", "41 524"},
    {"Text Fill", "552-555", "", "423 527"},
    {"Shape Outline", "556-560", "", "42 525"},
    {"Text Outline", "556-560", "", "424 528"},
    {"Shape Effects", "561-567", "", "526"},
    {"Text Effects", "561-568", "", "425 529"},
    {"Reorder Objects", "569-570", "", "534"},
    {"Group2", "571-573", "", "536"},
    {"Bring Forward", "574-575", "", "455 531"},
    {"Send Backward", "576-577", "", "456 532"},
    {"Edit Shape", "578-580", "", "544"},
    {"Gradient", "581", "", "486 554"},
    {"Texture", "582", "", "487 555"},
    {"Weight", "583", "", "557"},
    {"Sketched", "583", "", "558"},
    {"Dashes", "583", "", "559"},
    {"Arrows", "584", "", "560"},
    {"Chart Design", "585-592", "jc", ""},
    {"Add Chart Element", "593-603", "", "585"},
    {"Axes", "604-605", "", "593"},
    {"Axis Titles", "604-605", "", "594"},
    {"Chart Title", "606-608", "", "595"},
    {"Data Labels", "609-615", "", "596"},
    {"Data Table", "616-618", "", "597"},
    {"Error Bars", "619-622", "", "598"},
    {"Gridlines", "623-626", "", "599"},
    {"Legend", "627-631", "", "600"},
    {"Lines", "632-634", "", "601"},
    {"Trendline", "635-639", "", "602"},
    {"Up/Down Bars", "640-641", "", "603"},
}};
// clang-format on

// The rows of the ribbon-tab table, then those of the contextual-tab table.
Rows tabRows() { return checks::rowsOfTables({&AccessKeys_GB::ribbonKeys, &AccessKeys_GB::contextualKeys}); }

std::string tabsOpening(const std::string& layer) {
    std::string tabs;
    for (const AccessKey* key : tabRows()) {
        if (key->identifier == layer) {
            tabs += (tabs.empty() ? "" : " ") + key->shortcut;
        }
    }
    return tabs;
}

std::vector<std::size_t> rowsOpening(const std::string& layer) {
    std::vector<std::size_t> rows;
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i].isLastCommand && table[i].identifier == layer) {
            rows.push_back(i);
        }
    }
    return rows;
}

TEST(UkCommandTable, EachLayerOffersItsRowsAndIsOpenedByItsRows) {
    const auto layers = checks::layersOf(checks::allRows(commands()));
    const std::set<std::string> expectedNames =
        checks::expectLayers(layers, kLayers, [](const Layer& expected, const Rows& rows) {
            SCOPED_TRACE(expected.name);
            std::vector<std::size_t> offered;
            for (const AccessKey* key : rows) {
                offered.push_back(indexOf(key));
            }
            EXPECT_EQ(runsOf(offered), expected.rows);
            EXPECT_EQ(tabsOpening(expected.name), expected.tabs);
            EXPECT_EQ(runsOf(rowsOpening(expected.name)), expected.openers);
        });
    EXPECT_EQ(expectedNames.size(), kLayers.size()) << "a layer listed twice";
}

// Rows that open a layer no row names: the control acts and the command layer stays open without
// labels. The Quick Access Toolbar's menu button among the tabs does the same.
TEST(UkCommandTable, RowsOpeningLayersWithoutRowsAreTheKnownOnes) {
    const auto layers = checks::layersOf(checks::allRows(commands()));
    std::vector<std::string> found;
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i].isLastCommand && !layers.contains(table[i].identifier)) {
            found.push_back(std::to_string(i) + " " + table[i].identifier);
        }
    }
    EXPECT_EQ(found,
              (std::vector<std::string>{"137 Tables", "141 From Picture", "143 Shapes", "152 WordArt",
                                        "191 List", "192 Process", "193 Cycle", "194 Hierarchy",
                                        "195 Relationship", "196 Matrix", "197 Pyramid", "290 Fonts",
                                        "293 Size", "299 Width:", "300 Height:", "345 Restrict Permission"}));

    std::vector<std::string> tabs;
    for (const AccessKey* key : tabRows()) {
        if (!layers.contains(key->identifier)) {
            tabs.push_back(key->identifier);
        }
    }
    EXPECT_EQ(tabs, std::vector<std::string>{"Customize Quick Access"});
}

// Only menu buttons open layers, except the width and height boxes of the page-setup layers.
TEST(UkCommandTable, OnlyMenuButtonsOpenLayersButTwoPageSetupBoxes) {
    std::vector<std::size_t> found;
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i].isLastCommand && table[i].role != "AXMenuButton") {
            found.push_back(i);
        }
    }
    EXPECT_EQ(runsOf(found), "299-300");
}

// ---------------------------------------------------------------------------------------------------
// Reaching layers from the tabs: the rows of thirteen layers are never offered, and stay in the table.

std::set<std::string> reachedLayers() {
    const auto layers = checks::layersOf(checks::allRows(commands()));
    std::vector<std::string> pending;
    for (const AccessKey* key : tabRows()) {
        pending.push_back(key->identifier);
    }
    std::set<std::string> reached;
    while (!pending.empty()) {
        const std::string layer = pending.back();
        pending.pop_back();
        if (!reached.insert(layer).second) {
            continue;
        }
        const auto found = layers.find(layer);
        if (found == layers.end()) {
            continue;
        }
        for (const AccessKey* key : found->second) {
            if (!key->isLastCommand) {
                pending.push_back(key->identifier);
            }
        }
    }
    return reached;
}

TEST(UkCommandTable, ThirteenLayersAndTheir44RowsAreNeverOffered) {
    const std::set<std::string> reached = reachedLayers();
    std::set<std::string> unreached;
    for (const auto& [name, rows] : checks::layersOf(checks::allRows(commands()))) {
        if (!reached.contains(name)) {
            unreached.insert(name);
        }
    }
    EXPECT_EQ(unreached,
              (std::set<std::string>{"Page Layout", "Scale to Fit", "Sheet Options", "Margins", "Orientation",
                                     "Print Area", "Breaks", "From Picture Data", "Refresh All",
                                     "Data Validation", "What-If Analysis", "Ungroup", "Add Shape"}));

    std::vector<std::size_t> neverOffered;
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (std::none_of(table[i].source.begin(), table[i].source.end(),
                         [&](const std::string& layer) { return reached.contains(layer); })) {
            neverOffered.push_back(i);
        }
    }
    EXPECT_EQ(neverOffered.size(), 44U);
    EXPECT_EQ(runsOf(neverOffered), "287-288 291-304 307-327 330-331 510-514");
}

// ---------------------------------------------------------------------------------------------------
// Shortcuts and identifiers within a layer.

TEST(UkCommandTable, ShortcutsRepeatWithinALayerOnlyWhereExpected) {
    EXPECT_EQ(checks::repeatedShortcuts(checks::allRows(commands())),
              (std::set<std::string>{
                  "Paste t: Transpose | Keep Text Only | Match Destination Formatting",
                  "Paste u: Paste as Picture | Use Text Import Wizard...",
                  "SmartArt p: Process | Pyramid",
                  "Design d: Designer | Edit Data in Excel",
                  "Subtitle Settings t: Subtitle Language: English | Top (Overlaid)",
                  "Borders h: Thick Bottom Border | Inside Horizontal Border",
                  "Shading m: More Colours... | More Fill Colours...",
              }));
}

TEST(UkCommandTable, NoShortcutBeginsAnotherAndNoIdentifierRepeatsInALayer) {
    const Rows rows = checks::allRows(commands());
    EXPECT_EQ(checks::shortcutsBeginningOthers(rows), std::set<std::string>{});
    EXPECT_EQ(checks::repeatedIdentifiers(rows), std::set<std::string>{});
}

// ---------------------------------------------------------------------------------------------------
// Texts.

// Every text outside printable ASCII: the non-breaking hyphen, the degree signs, the one ellipsis
// character and the one line feed.
TEST(UkCommandTable, TextsOutsideAsciiAreTheKnownOnes) {
    EXPECT_EQ(checks::unusualTexts(checks::allRows(commands())),
              (std::vector<std::string>{
                  "identifier \"Add\u2011ins\"",
                  "title \"Add\u2011ins\"",
                  "identifier \"Rotate all text 90\u00B0\"",
                  "title \"Rotate all text 90\u00B0\"",
                  "identifier \"Rotate all text 270\u00B0\"",
                  "title \"Rotate all text 270\u00B0\"",
                  "identifier \"Photo Browser\u2026\"",
                  "title \"Photo Browser\u2026\"",
                  "identifier \"Rotate Right 90\u00B0\"",
                  "title \"Rotate Right by 90\u00B0\"",
                  "identifier \"Rotate Left 90\u00B0\"",
                  "title \"Rotate Left by 90\u00B0\"",
                  "title \"Draw with\nTrackpad\"",
              }));
}

// The rows whose identifier is not the text they are matched by: UK wording over US identifiers, and
// identifiers that tell apart rows of the same text.
TEST(UkCommandTable, RowsWithAnIdentifierOtherThanTheirTextAreTheKnownOnes) {
    std::vector<std::size_t> found;
    const KeyTable& table = commands();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].identifier != checks::textOf(table[i])) {
            found.push_back(i);
        }
    }
    EXPECT_EQ(
        runsOf(found),
        "21-23 29-31 65 68-69 92-93 120-127 132-133 182-183 185 187 205 208 220-221 229 242 253 263 289 "
        "301-304 344 355-356 370 389-390 428 433 444-449 455-456 480-481 483-484 493-494 505 519 531-532 "
        "536 543 552 556 561 567 574 576 587 595-596 608 610");
}

// Rows whose exact texts are easy to get wrong.
struct ExactRow {
    std::size_t row;
    KeyRow expected;
};

void PrintTo(const ExactRow& exact, std::ostream* out) { *out << "row " << exact.row; }

// clang-format off
constexpr std::array<ExactRow, 22> kExactRows{{
    {23, {{"Home"}, "Bullets", "u", "AXMenuButton", "Bulletpoints", nullptr, false, false}},
    {43, {{"Home"}, "Add\u2011ins", "as", "AXButton", "Add\u2011ins", nullptr, true, true}},
    {62, {{"Change Case"}, "Sentence case.", "s", "AXMenuButton", "Sentence case.", nullptr, true, true}},
    {66, {{"Change Case"}, "tOGGLE cASE", "t", "AXMenuButton", "tOGGLE cASE", nullptr, true, true}},
    {68, {{"Bullets"}, "Bullets and Numbering...", "n", "AXMenuButton", "Bulletpoints and Numbering...", nullptr, true, true}},
    {72, {{"Text Direction"}, "Rotate all text 90\u00B0", "r", "AXMenuButton", "Rotate all text 90\u00B0", nullptr, true, true}},
    {84, {{"Picture", "Pictures"}, "Photo Browser\u2026", "b", "AXMenuButton", "Photo Browser\u2026", nullptr, true, true}},
    {85, {{"Picture", "Pictures"}, "Picture from File...", "f", "AXMenuButton", "Picture from File...", nullptr, true, true}},
    {120, {{"Font Color"}, "No Fill", "a", "AXRadioButton", nullptr, "Automatic", true, true}},
    {132, {{"Rotate"}, "Rotate Right 90\u00B0", "r", "AXMenuButton", "Rotate Right by 90\u00B0", nullptr, true, true}},
    {185, {{"Video"}, "Online Movie...", "o", "AXMenuButton", "Online Film...", nullptr, true, true}},
    {187, {{"Audio"}, "Audio from File...", "f", "AXMenuButton", "Audio from File ...", nullptr, true, true}},
    {205, {{"Draw"}, "Draw with Trackpad", "d", "AXCheckBox", "Draw with\nTrackpad", nullptr, false, true}},
    {220, {{"Slide Size"}, "Standard (4 ratio 3)", "s", "AXRadioButton", nullptr, "Standard (4 3 ratio)", true, true}},
    {229, {{"Transitions"}, "Apply To All", "l", "AXButton", "Apply to All", nullptr, true, true}},
    {242, {{"Preview"}, "AutoPreview", "a", "AXMenuButton", "Auto-preview", nullptr, true, true}},
    {264, {{"Subtitle Settings"}, "Spoken Language: English (United States)", "s", "AXMenuButton", "Spoken Language: English (United States)", nullptr, true, true}},
    {315, {{"From Picture Data"}, "Picture From File...", "p", "AXMenuButton", "Picture From File...", nullptr, true, true}},
    {344, {{"Review"}, "Always Open Read-Only", "ro", "AXCheckBox", "Always Open as Read-only", nullptr, true, true}},
    {543, {{"FormatShape"}, "Reset to match style", "v", "AXButton", "Reset to Match Style", nullptr, true, true}},
    {583, {{"Weight", "Sketched", "Dashes"}, "More Lines...", "m", "AXMenuButton", "More Lines...", nullptr, true, true}},
    {595, {{"Add Chart Element"}, "Chart Title", "c", "AXMenuButton", "Chart title", nullptr, true, false}},
}};
// clang-format on

class UkCommandTableRowEasyToGetWrong : public testing::TestWithParam<ExactRow> {};

TEST_P(UkCommandTableRowEasyToGetWrong, IsExact) {
    const ExactRow& exact = GetParam();
    const KeyTable& table = commands();
    ASSERT_EQ(table.size(), kCommandRows);
    EXPECT_EQ(describe(table[exact.row]), describe(exact.expected)) << "row " << exact.row;
}

INSTANTIATE_TEST_SUITE_P(Uk, UkCommandTableRowEasyToGetWrong, testing::ValuesIn(kExactRows),
                         [](const testing::TestParamInfo<ExactRow>& exact) {
                             return test_support::caseName("row " + std::to_string(exact.param.row) + " " +
                                                           exact.param.expected.identifier);
                         });

}  // namespace
}  // namespace keytips::presentation
