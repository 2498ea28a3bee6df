// Two rules of matching that nothing else in the layers would hold: a key-tip mode presses one tab at
// most, however many tab rows share the typed shortcut; and an element whose title is there but is not
// text matches no row, while one without a title matches a row without one.
#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "layer_fixture.hpp"

namespace layertest {
namespace {

using test_support::PrintTo;

using platform::ax::Value;

struct Pace {
    const char* name;
    Pump pump;
};

const Pace paces[] = {{"queue run after each key", Pump::afterEachKey}, {"keys typed ahead", Pump::never}};

class OneTabPerMode : public LayerTest, public ::testing::WithParamInterface<Pace> {};

// Insert and Data both carry "n": typing it presses Insert, the first row, and opens its layer; Data
// stays untouched.
TEST_P(OneTabPerMode, TwoTabRowsOnOneShortcutPressOnlyTheFirst) {
    usTables.ribbonKeys = {tabRow("Home", "h"), tabRow("Insert", "n"), tabRow("Data", "n")};
    start(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXRadioButton "Insert" value=0 pos=60,40 size=40,20
  AXRadioButton "Data" value=0 pos=110,40 size=40,20
)");
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"H", "N", "N"}));
    world().clearRecords();
    type("n", GetParam().pump);
    world().pump();
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Insert"}));
    EXPECT_EQ(tips->mode().layerHistory(), (std::vector<std::string>{"Insert"}));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
}

INSTANTIATE_TEST_SUITE_P(MatchingRules, OneTabPerMode, ::testing::ValuesIn(paces),
                         test_support::NameOfCase());

// The layer whose element is untitled: a tab, or a command of the Home layer.
struct UntitledIn {
    const char* name;
    bool commandLayer;
};

const UntitledIn untitledIn[] = {{"tab layer", false}, {"command layer", true}};

// What the element's "AXTitle" reads.
struct TitleRead {
    const char* name;
    void (*give)(platform::ax::Element element);
    bool matches;
};

const TitleRead titleReads[] = {
    {"no title", [](platform::ax::Element) {}, true},
    {"a number", [](platform::ax::Element element) { world().setAttribute(element, "AXTitle", Value(7)); },
     false},
    {"a value of another kind",
     [](platform::ax::Element element) {
         world().failAttribute(element, "AXTitle", platform::sim::AttributeFailure::wrongType);
     },
     false},
};

class UntitledRow : public LayerTest,
                    public ::testing::WithParamInterface<std::tuple<UntitledIn, TitleRead>> {};

// A row without a title, described "Gadget", with the shortcut "u"; one element of its role carries
// that description.
TEST_P(UntitledRow, MatchesAnElementWithoutTitleButNotOneWhoseTitleIsNotText) {
    const auto& [in, title] = GetParam();
    const AccessKey row{{in.commandLayer ? "Home" : "Ribbon"},
                        "Gadget",
                        "u",
                        in.commandLayer ? "AXButton" : "AXRadioButton",
                        std::nullopt,
                        "Gadget",
                        true,
                        true};
    (in.commandLayer ? usTables.sharedKeys : usTables.ribbonKeys).push_back(row);
    start(std::string(bookWindow) + (in.commandLayer
                                         ? "    AXButton desc=\"Gadget\" pos=70,80 size=20,20 name=gadget\n"
                                         : "    AXRadioButton desc=\"Gadget\" value=0 pos=110,40 "
                                           "size=40,20 name=gadget\n"));
    title.give(el("gadget"));
    tapOption();
    if (in.commandLayer) {
        type("h");
    }
    const std::string category(in.commandLayer ? keytips::commandLayerCategory : keytips::firstLayerCategory);
    const std::vector<std::string> shown = labels(category);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "U"), title.matches ? 1 : 0);
    world().clearRecords();
    type("u");
    const std::vector<std::string> done = actions();
    EXPECT_EQ(std::count(done.begin(), done.end(), "AXPress Gadget"), title.matches ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(MatchingRules, UntitledRow,
                         ::testing::Combine(::testing::ValuesIn(untitledIn), ::testing::ValuesIn(titleReads)),
                         test_support::NameOfCase());

}  // namespace
}  // namespace layertest
