// The US English tables of the presentation host as a whole: the rules every row obeys, the row totals
// of the table and of each of its stretches, the blocks and layers of the command table, the layers
// that keys open, and the shortcuts within each layer.
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

using namespace checks;

// ---------------------------------------------------------------------------------------------------
// Rules that every row of every table obeys.

class UsTable : public testing::TestWithParam<TableCase> {};

TEST_P(UsTable, HasItsRowCount) { EXPECT_EQ(GetParam().read().size(), GetParam().rows); }

// In the command table buttons, menu buttons and check boxes are matched by title; the other roles
// (incrementors, radio buttons, pop-up buttons, combo boxes) by description.
bool matchedByTitle(const std::string& role) {
    return role == "AXMenuButton" || role == "AXButton" || role == "AXCheckBox";
}

TEST_P(UsTable, EveryRowFollowsTheTableRules) {
    const bool tabs = GetParam().tabs;
    const KeyTable& table = GetParam().read();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const AccessKey& key = table[i];
        SCOPED_TRACE("row " + std::to_string(i) + ": " + describe(key));
        EXPECT_NE(key.title.has_value(), key.description.has_value()) << "one of title and description";
        EXPECT_TRUE(validShortcut(key.shortcut));
        EXPECT_FALSE(key.identifier.empty());
        EXPECT_GE(key.source.size(), 1U);
        EXPECT_LE(key.source.size(), 3U);
        for (const std::string& layer : key.source) {
            EXPECT_FALSE(layer.empty());
        }
        if (tabs) {
            EXPECT_EQ(key.source, std::vector<std::string>{"Ribbon"});
            EXPECT_TRUE(key.role == "AXRadioButton" || key.role == "AXMenuButton");
            EXPECT_TRUE(key.title.has_value());
            EXPECT_FALSE(key.press);
            EXPECT_FALSE(key.isLastCommand);
        } else {
            EXPECT_FALSE(names(key, "Ribbon"));
            EXPECT_EQ(key.title.has_value(), matchedByTitle(key.role)) << "title or description by role";
            if (!key.isLastCommand) {
                EXPECT_EQ(key.role, "AXMenuButton") << "only menu buttons open a layer";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Us, UsTable,
                         testing::Values(TableCase{"Ribbon", &AccessKeys_US::ribbonKeys, true, 12},
                                         TableCase{"Contextual", &AccessKeys_US::contextualKeys, true, 7},
                                         TableCase{"Command", &AccessKeys_US::sharedKeys, false, 598}),
                         test_support::NameOfCase{});

TEST(UsTables, LanguageAccessReadsTheSameLists) { expectSameLists(usTables(), AccessKeys_US::keyTables()); }

// ---------------------------------------------------------------------------------------------------
// Totals of the whole command table and of each of its six consecutive stretches.

constexpr std::array<const char*, 7> kRoles{"AXMenuButton",  "AXButton",      "AXCheckBox", "AXIncrementor",
                                            "AXRadioButton", "AXPopUpButton", "AXComboBox"};

struct Totals {
    const char* name;
    std::size_t first;  // first row of the stretch
    std::size_t rows;
    std::array<std::size_t, 3> layers;     // rows naming one, two, three layers
    std::array<std::size_t, 2> shortcuts;  // rows with a shortcut of one, two characters
    std::size_t digits;                    // rows whose shortcut holds a digit
    std::size_t titles;
    std::size_t descriptions;
    std::array<std::size_t, 7> roles;  // in the order of kRoles
    std::array<std::size_t, 4> flags;  // press and last: both, neither, last only, press only
};

std::string print(const Totals& totals) {
    std::ostringstream out;
    out << totals.rows << " rows; layers " << totals.layers[0] << '/' << totals.layers[1] << '/'
        << totals.layers[2] << "; shortcuts " << totals.shortcuts[0] << '/' << totals.shortcuts[1] << ", "
        << totals.digits << " with a digit; " << totals.titles << " titles, " << totals.descriptions
        << " descriptions; roles";
    for (std::size_t i = 0; i < kRoles.size(); ++i) {
        out << ' ' << kRoles[i] << ' ' << totals.roles[i];
    }
    out << "; press and last " << totals.flags[0] << ", neither " << totals.flags[1] << ", last only "
        << totals.flags[2] << ", press only " << totals.flags[3];
    return out.str();
}

Totals totalsOf(const Rows& rows) {
    constexpr Flag Y = Flag::Yes;
    constexpr Flag N = Flag::No;
    Totals totals{};
    totals.rows = rows.size();
    for (std::size_t i = 0; i < 3; ++i) {
        totals.layers[i] = countOf(rows, {.sources = i + 1});
    }
    for (std::size_t i = 0; i < 2; ++i) {
        totals.shortcuts[i] = countOf(rows, {.shortcutLength = i + 1});
    }
    totals.digits = countOf(rows, {.digit = Y});
    totals.titles = countOf(rows, {.titled = Y});
    totals.descriptions = countOf(rows, {.titled = N});
    for (std::size_t i = 0; i < kRoles.size(); ++i) {
        totals.roles[i] = countOf(rows, {.role = kRoles[i]});
    }
    totals.flags = {countOf(rows, {.press = Y, .last = Y}), countOf(rows, {.press = N, .last = N}),
                    countOf(rows, {.press = N, .last = Y}), countOf(rows, {.press = Y, .last = N})};
    return totals;
}

// clang-format off
constexpr std::array<Totals, 7> kTotals{{
    {"whole table", 0, 598, {541, 56, 1}, {499, 99}, 20, 578, 20, {431, 80, 67, 9, 4, 4, 3}, {458, 98, 11, 31}},
    {"Home", 0, 137, {133, 4, 0}, {114, 23}, 10, 134, 3, {113, 8, 13, 0, 1, 0, 2}, {115, 19, 1, 2}},
    {"Insert to Animations", 137, 108, {85, 23, 0}, {87, 21}, 5, 101, 7, {75, 17, 9, 3, 2, 2, 0}, {66, 24, 10, 8}},
    {"Slide Show to Group", 245, 48, {45, 3, 0}, {39, 9}, 3, 48, 0, {32, 11, 5, 0, 0, 0, 0}, {39, 8, 0, 1}},
    {"Review to Keyvane", 293, 81, {81, 0, 0}, {70, 11}, 2, 81, 0, {42, 21, 18, 0, 0, 0, 0}, {70, 11, 0, 0}},
    {"Table Design to SmartArt Design", 374, 102, {102, 0, 0}, {82, 20}, 0, 95, 7, {62, 15, 18, 4, 1, 2, 0}, {79, 20, 0, 3}},
    {"Shape Format and Chart Design", 476, 122, {95, 26, 1}, {107, 15}, 0, 119, 3, {107, 8, 4, 2, 0, 0, 1}, {89, 16, 0, 17}},
}};
// clang-format on

constexpr bool totalsAreConsistent() {
    const Totals& whole = kTotals[0];
    std::size_t next = 0;
    Totals sum{};
    for (std::size_t i = 1; i < kTotals.size(); ++i) {
        const Totals& part = kTotals[i];
        if (part.first != next) {
            return false;
        }
        next += part.rows;
        std::size_t roles = 0;
        std::size_t flags = 0;
        for (std::size_t j = 0; j < 7; ++j) {
            sum.roles[j] += part.roles[j];
            roles += part.roles[j];
        }
        for (std::size_t j = 0; j < 4; ++j) {
            sum.flags[j] += part.flags[j];
            flags += part.flags[j];
        }
        for (std::size_t j = 0; j < 3; ++j) {
            sum.layers[j] += part.layers[j];
        }
        sum.shortcuts[0] += part.shortcuts[0];
        sum.shortcuts[1] += part.shortcuts[1];
        sum.digits += part.digits;
        sum.titles += part.titles;
        sum.descriptions += part.descriptions;
        if (roles != part.rows || flags != part.rows || part.titles + part.descriptions != part.rows ||
            part.shortcuts[0] + part.shortcuts[1] != part.rows ||
            part.layers[0] + part.layers[1] + part.layers[2] != part.rows) {
            return false;
        }
    }
    return next == whole.rows && sum.roles == whole.roles && sum.flags == whole.flags &&
           sum.layers == whole.layers && sum.shortcuts == whole.shortcuts && sum.digits == whole.digits &&
           sum.titles == whole.titles && sum.descriptions == whole.descriptions;
}
static_assert(totalsAreConsistent());

using test_support::PrintTo;

class UsCommandTableTotals : public testing::TestWithParam<Totals> {};

TEST_P(UsCommandTableTotals, Match) {
    const Totals& expected = GetParam();
    const Totals found =
        totalsOf(rowsBetween(AccessKeys_US::sharedKeys(), expected.first, expected.first + expected.rows));
    EXPECT_EQ(print(found), print(expected)) << expected.name;
}

INSTANTIATE_TEST_SUITE_P(TableAndStretches, UsCommandTableTotals, testing::ValuesIn(kTotals),
                         test_support::NameOfCase{});

// press true 489 and false 109; isLastCommand true 469 and false 129.
TEST(UsCommandTable, PressAndLastTotalsMatch) {
    const Rows rows = allRows(AccessKeys_US::sharedKeys());
    EXPECT_EQ(countOf(rows, {.press = Flag::Yes}), 489U);
    EXPECT_EQ(countOf(rows, {.press = Flag::No}), 109U);
    EXPECT_EQ(countOf(rows, {.last = Flag::Yes}), 469U);
    EXPECT_EQ(countOf(rows, {.last = Flag::No}), 129U);
}

// Tab totals: 19 rows, 18 of them tabs, all with a title.
TEST(UsTabTables, TotalsMatch) {
    const Rows rows = rowsOfTables({&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys});
    EXPECT_EQ(rows.size(), 19U);
    EXPECT_EQ(countOf(rows, {.role = "AXRadioButton", .press = Flag::No, .last = Flag::No}), 18U);
    EXPECT_EQ(countOf(rows, {.role = "AXMenuButton", .press = Flag::No, .last = Flag::No}), 1U);
    EXPECT_EQ(countOf(rows, {.titled = Flag::Yes}), 19U);
    EXPECT_EQ(countOf(rows, {.shortcutLength = 2}), 2U);
}

// ---------------------------------------------------------------------------------------------------
// The blocks of the command table, in order: consecutive rows with the same first layer name, with
// their rows' shortcuts in order.

// clang-format off
constexpr std::array<Block, 106> kBlocks{{
    // Home and its layers: 21 blocks
    {"Home", 45,
     "v x c fp i l q t1 ff fs fg fk e 1 2 3 4 5 6 7 8 tc fc u n ao ai k j al ac ar aj ax at m p sh tb g "
     "ss sf so as d2"},
    {"Paste", 1, "h"},
    {"Copy", 1, "i"},
    {"New Slide", 3, "d l r"},
    {"Section", 6, "a r e v o x"},
    {"Character Spacing", 6, "i t n l v m"},
    {"Change Case", 5, "s l u c t"},
    {"Text Highlight Color", 1, "s"},
    {"Bullets", 1, "n"},
    {"Numbering", 1, "n"},
    {"Line Spacing", 1, "l"},
    {"Text Direction", 5, "h r o s m"},
    {"Align Text", 4, "t m b o"},
    {"Columns", 4, "o t h m"},
    {"Picture", 4, "b f s o"},
    {"Arrange", 12, "v j r k f b g u e a o p"},
    {"Paste", 18, "p f o k b w t v a e r n u i s t t u"},
    {"Copy", 2, "c p"},
    {"Font Color", 2, "a m"},
    {"Align", 10, "l c r t m b h v a o"},
    {"Rotate", 5, "r l v h m"},
    // Insert, Draw, Design, Transitions and Animations: 20 blocks
    {"Insert", 30, "zb zi zt zs fp p sh ns s3 m sc fc i2 x h1 w j e u si t c1 c2 y k l d sn o v"},
    {"Chart", 11, "c l p h s x w o m t e"},
    {"Table", 1, "i"},
    {"Zoom", 3, "m c d"},
    {"Video", 4, "b f s o"},
    {"Audio", 3, "b f r"},
    {"3D Models", 2, "d s"},
    {"SmartArt", 8, "l p c h r m p i"},
    {"Screenshot", 1, "c"},
    {"Equation", 1, "i"},
    {"Draw", 8, "w e l a d it is im"},
    {"Eraser", 4, "s m e g"},
    {"Add Pen", 3, "p h c"},
    {"Design", 3, "s f d"},
    {"Slide Size", 3, "p s w"},
    {"Transitions", 8, "p o e u m f i l"},
    {"Effect Options", 3, "o w c"},
    {"Animations", 8, "p h o c at ap t d"},
    {"Preview", 2, "p a"},
    {"Trigger", 2, "c b"},
    // Slide Show, Record, Themes and Group: 11 blocks
    {"Slide Show", 15, "b c v m r s1 h t n d p u w a s2"},
    {"Custom Show", 1, "w"},
    {"RecordSlideShow", 3, "r b c"},
    {"Subtitle Settings", 8, "s t m o t b a w"},
    {"ClearRecording", 4, "c a u l"},
    {"Record", 6, "c1 b cs cr rs l"},
    {"Clear Recording", 2, "c a"},
    {"Reset to Cameo", 2, "c a"},
    {"Page Layout", 3, "th tc tf"},
    {"Themes", 2, "b a"},
    {"Group", 2, "g a"},
    // Review, Slide Master, View and Keyvane: 12 blocks
    {"Review", 15, "s e a1 rs l m o c d v n p ro rm h2"},
    {"Check Accessibility", 4, "a l p h"},
    {"Delete", 3, "d a p"},
    {"Show Comments", 3, "p m a"},
    {"Hide Ink", 3, "h s w"},
    {"Slide Master", 16, "n i d r v l a e f h tc tf te b s c"},
    {"Master Layout", 2, "t f"},
    {"Insert Placeholder", 11, "c v x e p h t s m o a"},
    {"Colors", 2, "c r"},
    {"Background Styles", 2, "b r"},
    {"View", 15, "l po i t d m h k r g s pn q f pm"},
    {"Keyvane", 5, "a u h i f"},
    // Table Design, Table Layout and SmartArt Design: 15 blocks
    {"Table Design", 18, "o j r m n u h b f q ti to tx l w c ta se"},
    {"Table Layout", 30, "q tg d v e l r m p h w ur uc al ac ar o c b ax n th tw x af ae aa ag ay ap"},
    {"Select", 3, "t c r"},
    {"DeleteTable", 3, "c r t"},
    {"Cell Margins", 1, "m"},
    {"Borders", 14, "o p l r n a s b h i h v w u"},
    {"Shading", 7, "n m m p g t b"},
    {"Effects", 3, "c s r"},
    {"Quick Styles", 1, "c"},
    {"Pen Color", 1, "m"},
    {"Table Background", 2, "m p"},
    {"SmartArt Design", 12, "o b x p d r u w g c e t"},
    {"Convert", 2, "c v"},
    {"Layout", 4, "s b l r"},
    {"Change Colors", 1, "r"},
    // Shape Format and Chart Design: 27 blocks
    {"FormatShape", 27, "i sh n d sf so se ti to tx at af ae ap ar aa ag ay h w l f c v e x m"},
    {"Merge Shapes", 5, "u c f i s"},
    {"Shape Fill", 4, "m p g t"},
    {"Shape Outline", 5, "m w k s r"},
    {"Shape Effects", 7, "p s r g e b d"},
    {"Text Effects", 1, "t"},
    {"Reorder Objects", 2, "r o"},
    {"Group2", 3, "g e u"},
    {"Bring Forward", 2, "f r"},
    {"Send Backward", 2, "b k"},
    {"Edit Shape", 3, "n e t"},
    {"Gradient", 1, "m"},
    {"Texture", 1, "m"},
    {"Weight", 1, "m"},
    {"Arrows", 1, "m"},
    {"Chart Design", 8, "a l h w e c r d"},
    {"Add Chart Element", 11, "x a c d b e g l i t u"},
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
}};
// clang-format on

static_assert(blocksAreConsistent(kBlocks, 598));

TEST(UsCommandTable, BlocksFollowInOrderWithTheirRowCountsAndShortcuts) {
    expectBlocks(allRows(AccessKeys_US::sharedKeys()), kBlocks);
}

// ---------------------------------------------------------------------------------------------------
// Every layer the command table names: how many rows it offers, and its first and last row's text.

// clang-format off
constexpr std::array<LayerEnds, 114> kLayers{{
    {"Home", 45, "Paste", "Designer"},
    {"Paste", 19, "Use Destination Theme", "Use Text Import Wizard..."},
    {"Copy", 3, "Duplicate", "Copy as Picture..."},
    {"New Slide", 3, "Duplicate Slide", "Reuse Slides..."},
    {"Section", 6, "Add Section", "Expand All"},
    {"Character Spacing", 6, "Very Tight", "More Spacing..."},
    {"Change Case", 5, "Sentence case.", "tOGGLE cASE"},
    {"Text Highlight Color", 1, "Stop Highlighting", "Stop Highlighting"},
    {"Bullets", 1, "Bullets and Numbering...", "Bullets and Numbering..."},
    {"Numbering", 1, "Bullets and Numbering...", "Bullets and Numbering..."},
    {"Line Spacing", 1, "Line Spacing Options...", "Line Spacing Options..."},
    {"Text Direction", 5, "Horizontal", "More Options..."},
    {"Align Text", 4, "Top", "Align Text Options..."},
    {"Columns", 4, "One Column", "More Columns..."},
    {"Picture", 4, "Photo Browser\u2026", "Online Pictures..."},
    {"Pictures", 4, "Photo Browser\u2026", "Online Pictures..."},
    {"Arrange", 12, "Reorder Overlapping Objects", "Selection Pane..."},
    {"Font Color", 2, "Automatic", "More Colors..."},
    {"Align", 10, "Align Left", "Align Selected Objects"},
    {"Rotate", 5, "Rotate Right 90\u00B0", "More Rotation Options..."},
    {"Insert", 30, "Tables", "Video"},
    {"Illustrations", 6, "Pictures", "Screenshot"},
    {"Text", 4, "Text Box", "Object"},
    {"Symbols", 2, "Equation", "Symbol"},
    {"Chart", 11, "Column", "Manage Templates..."},
    {"Change Chart Type", 11, "Column", "Manage Templates..."},
    {"Table", 1, "Insert Table...", "Insert Table..."},
    {"Zoom", 3, "Summary Zoom", "Slide Zoom"},
    {"Video", 4, "Movie Browser...", "Online Movie..."},
    {"Audio", 3, "Audio Browser...", "Record Audio..."},
    {"3D Models", 2, "This Device...", "Stock 3D Models..."},
    {"SmartArt", 8, "List", "Picture"},
    {"Screenshot", 1, "Screen Clipping", "Screen Clipping"},
    {"Equation", 1, "Insert New Equation", "Insert New Equation"},
    {"Draw", 8, "Draw", "Ink to Math"},
    {"Eraser", 4, "Stroke Eraser", "Segment Eraser"},
    {"Add Pen", 3, "Pen", "Pencil"},
    {"Design", 11, "Slide Size", "Edit Data in Excel"},
    {"Slide Size", 3, "Page Setup...", "Widescreen (16 ratio 9)"},
    {"Transitions", 8, "Preview", "Apply To All"},
    {"Effect Options", 3, "Objects", "Characters"},
    {"Animations", 8, "Preview", "Duration:"},
    {"Preview", 2, "Preview", "AutoPreview"},
    {"Trigger", 2, "On Click of", "On Bookmark"},
    {"Slide Show", 15, "Play from Start", "Subtitle Settings"},
    {"Custom Show", 1, "Custom Slide Show", "Custom Slide Show"},
    {"RecordSlideShow", 3, "From Beginning", "Clear"},
    {"Subtitle Settings", 8, "Spoken Language: English (United States)", "System Caption Preferences..."},
    {"ClearRecording", 4, "Clear Timing on Current Slide", "Clear Narrations on All Slides"},
    {"Record", 6, "Cameo", "Learn More"},
    {"Clear Recording", 2, "Clear Recording on Current Slide", "Clear Recordings on All Slides"},
    {"Reset to Cameo", 2, "Reset to Cameo on Current Slide", "Reset to Cameo on All Slides"},
    {"Page Layout", 3, "Themes", "Fonts"},
    {"Themes", 5, "Themes", "Save Current Theme..."},
    {"Group", 2, "Group...", "Auto Outline"},
    {"Review", 15, "Spelling", "Hide Ink"},
    {"Check Accessibility", 4, "Check Accessibility", "Accessibility Help"},
    {"Delete", 3, "Delete", "Delete All Comments in Presentation"},
    {"Show Comments", 3, "Comments Pane", "Show Advanced Markup"},
    {"Hide Ink", 3, "Hide Ink", "Delete All Ink in Workbook"},
    {"Slide Master", 16, "Insert Slide Master", "Close Master"},
    {"Master Layout", 2, "Title", "Footers"},
    {"Insert Placeholder", 11, "Content", "Cameo"},
    {"Colors", 2, "Customize Colors...", "Reset Slide Theme Colors"},
    {"Background Styles", 2, "Format Background...", "Reset Slide Background"},
    {"View", 15, "Normal", "Macros"},
    {"Keyvane", 5, "Account", "Request Feature"},
    {"Table Design", 18, "Header Row", "Eraser"},
    {"Table Layout", 30, "Select", "Format Pane"},
    {"Select", 3, "Select Table", "Select Row"},
    {"DeleteTable", 3, "Delete Columns", "Delete Table"},
    {"Cell Margins", 1, "Custom Margins...", "Custom Margins..."},
    {"Borders", 14, "Bottom Border", "Diagonal Up Border"},
    {"Shading", 7, "No Fill", "Table Background"},
    {"Effects", 3, "Cell Bevel", "Reflection"},
    {"Quick Styles", 1, "Clear WordArt", "Clear WordArt"},
    {"Pen Color", 1, "More Colors...", "More Colors..."},
    {"Table Background", 2, "More Colors...", "Picture..."},
    {"SmartArt Design", 12, "Add Shape", "Convert"},
    {"Convert", 2, "Convert to Text", "Convert to Shapes"},
    {"Layout", 4, "Standard", "Right Hanging"},
    {"Change Colors", 1, "Recolor Pictures in SmartArt Graphic", "Recolor Pictures in SmartArt Graphic"},
    {"FormatShape", 27, "Change Shape", "Merge Shapes"},
    {"Merge Shapes", 5, "Union", "Subtract"},
    {"Shape Fill", 4, "More Fill Colors...", "Texture"},
    {"Text Fill", 4, "More Fill Colors...", "Texture"},
    {"Shape Outline", 5, "More Outline Colors...", "Arrows"},
    {"Text Outline", 5, "More Outline Colors...", "Arrows"},
    {"Shape Effects", 7, "Preset", "3-D Rotation"},
    {"Text Effects", 8, "Preset", "Transform"},
    {"Reorder Objects", 2, "Reorder Objects", "Reorder Overlapping Objects"},
    {"Group2", 3, "Group", "Ungroup"},
    {"Bring Forward", 2, "Bring Forward", "Bring to Front"},
    {"Send Backward", 2, "Send Backward", "Send to Back"},
    {"Edit Shape", 3, "Change Shape", "Reroute Connectors"},
    {"Gradient", 1, "More Gradients...", "More Gradients..."},
    {"Texture", 1, "More Textures...", "More Textures..."},
    {"Weight", 1, "More Lines...", "More Lines..."},
    {"Sketched", 1, "More Lines...", "More Lines..."},
    {"Dashes", 1, "More Lines...", "More Lines..."},
    {"Arrows", 1, "More Arrows...", "More Arrows..."},
    {"Chart Design", 8, "Add Chart Element", "Edit Data in Excel"},
    {"Add Chart Element", 11, "Axes", "Up/Down Bars"},
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
}};
// clang-format on

TEST(UsCommandTable, EachLayerOffersItsRows) {
    const auto layers = layersOf(allRows(AccessKeys_US::sharedKeys()));
    EXPECT_EQ(layers.size(), kLayers.size());
    expectLayerEnds(layers, kLayers);
    const auto largest = std::max_element(layers.begin(), layers.end(), [](const auto& a, const auto& b) {
        return a.second.size() < b.second.size();
    });
    ASSERT_NE(largest, layers.end());
    EXPECT_EQ(largest->first, "Home");
}

// The rows a layer of the command table offers, none for a layer no row names.
Rows rowsOf(const std::string& name) {
    const auto layers = layersOf(allRows(AccessKeys_US::sharedKeys()));
    const auto found = layers.find(name);
    return found == layers.end() ? Rows{} : found->second;
}

// Layers that offer exactly the same rows.
struct SharingLayers {
    const char* name;
    std::vector<std::string> layers;
};

class UsLayersSharingTheirRows : public testing::TestWithParam<SharingLayers> {};

TEST_P(UsLayersSharingTheirRows, OfferTheSameRows) {
    const std::vector<std::string>& group = GetParam().layers;
    EXPECT_FALSE(rowsOf(group.front()).empty()) << group.front();
    for (std::size_t i = 1; i < group.size(); ++i) {
        EXPECT_EQ(rowsOf(group[i]), rowsOf(group.front())) << group[i] << " and " << group.front();
    }
}

INSTANTIATE_TEST_SUITE_P(Us, UsLayersSharingTheirRows,
                         testing::Values(SharingLayers{"Pictures", {"Picture", "Pictures"}},
                                         SharingLayers{"ChartTypes", {"Chart", "Change Chart Type"}},
                                         SharingLayers{"Fills", {"Shape Fill", "Text Fill"}},
                                         SharingLayers{"Axes", {"Axes", "Axis Titles"}},
                                         SharingLayers{"Outlines", {"Shape Outline", "Text Outline"}},
                                         SharingLayers{"Lines", {"Weight", "Sketched", "Dashes"}}),
                         test_support::NameOfCase{});

// "Text Effects" adds "Transform" to the rows of "Shape Effects", "Design" adds the slide design tab's
// three rows before those of "Chart Design", and every row of "Page Layout" is offered in "Themes" as
// well.
TEST(UsCommandTable, LayersSharingMostOfTheirRowsOfferTheSameRowsAndMore) {
    const Rows shapeEffects = rowsOf("Shape Effects");
    const Rows textEffects = rowsOf("Text Effects");
    ASSERT_EQ(textEffects.size(), shapeEffects.size() + 1);
    EXPECT_EQ(Rows(textEffects.begin(), textEffects.end() - 1), shapeEffects);
    EXPECT_EQ(textOf(*textEffects.back()), "Transform");

    const Rows design = rowsOf("Design");
    ASSERT_EQ(design.size(), 11U);
    EXPECT_EQ(Rows(design.begin() + 3, design.end()), rowsOf("Chart Design"));

    const Rows pageLayout = rowsOf("Page Layout");
    EXPECT_EQ(pageLayout.size(), 3U);
    for (const AccessKey* key : pageLayout) {
        EXPECT_TRUE(names(*key, "Themes")) << describe(*key);
    }
}

// ---------------------------------------------------------------------------------------------------
// Which layers keys open. A tab row opens the layer of its identifier; so does a command row with
// isLastCommand false.

struct Opening {
    std::set<std::string> byTabs;
    std::set<std::string> byCommands;
    std::size_t commandRows = 0;
};

Opening openings() {
    Opening opening;
    for (const AccessKey* key : rowsOfTables({&AccessKeys_US::ribbonKeys, &AccessKeys_US::contextualKeys})) {
        opening.byTabs.insert(key->identifier);
    }
    const Rows commands = allRows(AccessKeys_US::sharedKeys());
    opening.byCommands = openedLayers(commands);
    opening.commandRows = countOf(commands, {.last = Flag::No});
    return opening;
}

TEST(UsCommandTable, KeysOpenTheKnownLayersAndOnlyPageLayoutIsNeverOpened) {
    const Opening opening = openings();
    EXPECT_EQ(opening.byTabs.size(), 18U);
    EXPECT_EQ(opening.byCommands.size(), 109U);
    EXPECT_EQ(opening.commandRows, 129U);
    std::set<std::string> opened = opening.byTabs;
    opened.insert(opening.byCommands.begin(), opening.byCommands.end());
    EXPECT_EQ(opened.size(), 127U);

    const auto layers = layersOf(allRows(AccessKeys_US::sharedKeys()));
    std::set<std::string> empty;
    for (const std::string& name : opened) {
        if (!layers.contains(name)) {
            empty.insert(name);
        }
    }
    const std::set<std::string> expectedEmpty{
        "Customize Quick Access",
        "Tables",
        "From Picture",
        "Shapes",
        "WordArt",
        "List",
        "Process",
        "Cycle",
        "Hierarchy",
        "Relationship",
        "Matrix",
        "Pyramid",
        "Fonts",
        "Restrict Permission",
    };
    EXPECT_EQ(empty, expectedEmpty);

    std::set<std::string> neverOpened;
    for (const auto& [name, rows] : layers) {
        if (!opened.contains(name)) {
            neverOpened.insert(name);
        }
    }
    EXPECT_EQ(neverOpened, std::set<std::string>{"Page Layout"});
}

// ---------------------------------------------------------------------------------------------------
// Shortcuts and identifiers within a layer.

// Six layers repeat a shortcut; no other layer does.
TEST(UsCommandTable, ShortcutsRepeatWithinALayerOnlyWhereExpected) {
    const std::set<std::string> expected{
        "Paste t: Transpose | Keep Text Only | Match Destination Formatting",
        "Paste u: Paste as Picture | Use Text Import Wizard...",
        "SmartArt p: Process | Pyramid",
        "Design d: Designer | Edit Data in Excel",
        "Subtitle Settings t: Subtitle Language: English | Top (Overlaid)",
        "Borders h: Thick Bottom Border | Inside Horizontal Border",
        "Shading m: More Colors... | More Fill Colors...",
    };
    EXPECT_EQ(repeatedShortcuts(allRows(AccessKeys_US::sharedKeys())), expected);
}

// In every layer no shortcut begins another, so every two-character shortcut can be typed to its end,
// and no two rows share an identifier.
TEST(UsCommandTable, NoShortcutBeginsAnotherAndIdentifiersAreUniqueInEachLayer) {
    const Rows rows = allRows(AccessKeys_US::sharedKeys());
    EXPECT_EQ(shortcutsBeginningOthers(rows), std::set<std::string>{});
    EXPECT_EQ(repeatedIdentifiers(rows), std::set<std::string>{});
}

// The shortcuts that hold a digit, in table order.
TEST(UsCommandTable, ShortcutsWithADigitAreTheKnownOnes) {
    std::vector<std::string> found;
    for (const AccessKey& key : AccessKeys_US::sharedKeys()) {
        if (hasDigit(key.shortcut)) {
            found.push_back(blockOf(key) + " " + key.shortcut);
        }
    }
    const std::vector<std::string> expected{
        "Home t1",   "Home 1",        "Home 2",        "Home 3",    "Home 4",    "Home 5",    "Home 6",
        "Home 7",    "Home 8",        "Home d2",       "Insert s3", "Insert i2", "Insert h1", "Insert c1",
        "Insert c2", "Slide Show s1", "Slide Show s2", "Record c1", "Review a1", "Review h2",
    };
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace keytips::presentation
