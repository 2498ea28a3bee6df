// Two rules of matching that nothing else in the layers would hold: a key-tip mode presses one tab at
// most, however many tab rows share the typed shortcut; and an element whose title or description is
// there but is not text matches no row, while one without a title (or description) matches a row
// without one.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
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

// The layer of the row and its element: a tab, or a command of the Home layer.
struct RowIn {
    const char* name;
    bool commandLayer;
};

const RowIn rowsIn[] = {{"tab layer", false}, {"command layer", true}};

// The attribute the row goes without; the row and its element carry "Gadget" in the other one.
struct RowLacks {
    const char* name;
    const char* attribute;
    // How the fixture's element carries "Gadget".
    const char* named;
};

const RowLacks rowLacks[] = {{"untitled row", "AXTitle", "desc=\"Gadget\""},
                             {"undescribed row", "AXDescription", "\"Gadget\""}};

// What the element's value of that attribute reads.
struct ValueRead {
    const char* name;
    void (*give)(platform::ax::Element element, const char* attribute);
    bool matches;
};

const ValueRead valueReads[] = {
    {"no value", [](platform::ax::Element, const char*) {}, true},
    {"a number",
     [](platform::ax::Element element, const char* attribute) {
         world().setAttribute(element, attribute, Value(7));
     },
     false},
    {"a value of another kind",
     [](platform::ax::Element element, const char* attribute) {
         world().failAttribute(element, attribute, platform::sim::AttributeFailure::wrongType);
     },
     false},
};

class RowWithoutAttribute : public LayerTest,
                            public ::testing::WithParamInterface<std::tuple<RowIn, RowLacks, ValueRead>> {};

// A row without a title, described "Gadget", or titled "Gadget" without a description, with the
// shortcut "u"; one element of its role carries "Gadget" the same way.
TEST_P(RowWithoutAttribute, MatchesAnElementWithoutItButNotOneWhoseValueIsNotText) {
    const auto& [in, lacks, read] = GetParam();
    const bool untitled = std::string_view(lacks.attribute) == "AXTitle";
    const std::optional<std::string> gadget = "Gadget";
    const AccessKey row{{in.commandLayer ? "Home" : "Ribbon"},
                        "Gadget",
                        "u",
                        in.commandLayer ? "AXButton" : "AXRadioButton",
                        untitled ? std::nullopt : gadget,
                        untitled ? gadget : std::nullopt,
                        true,
                        true};
    (in.commandLayer ? usTables.sharedKeys : usTables.ribbonKeys).push_back(row);
    const std::string named = lacks.named;
    start(std::string(bookWindow) +
          (in.commandLayer ? "    AXButton " + named + " pos=70,80 size=20,20 name=gadget\n"
                           : "    AXRadioButton " + named + " value=0 pos=110,40 size=40,20 name=gadget\n"));
    read.give(el("gadget"), lacks.attribute);
    tapOption();
    if (in.commandLayer) {
        type("h");
    }
    const std::string category(in.commandLayer ? keytips::commandLayerCategory : keytips::firstLayerCategory);
    const std::vector<std::string> shown = labels(category);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "U"), read.matches ? 1 : 0);
    world().clearRecords();
    type("u");
    const std::vector<std::string> done = actions();
    EXPECT_EQ(std::count(done.begin(), done.end(), "AXPress Gadget"), read.matches ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(MatchingRules, RowWithoutAttribute,
                         ::testing::Combine(::testing::ValuesIn(rowsIn), ::testing::ValuesIn(rowLacks),
                                            ::testing::ValuesIn(valueReads)),
                         test_support::NameOfCase());

}  // namespace
}  // namespace layertest
