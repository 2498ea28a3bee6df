// The ribbon-tab layer: which element of a tab row carries its label, what typing a tab's shortcut
// does to the tab and the mode, and what happens when the layer labels nothing.
#include <tuple>
#include <vector>

#include "layer_fixture.hpp"

namespace layertest {
namespace {

using test_support::PrintTo;

using platform::ax::Value;
using platform::sim::AttributeFailure;

class RibbonTabs : public LayerTest {};

// The Home tab's "AXValue" as the host reports it, and what typing "h" then does.
struct HomeValue {
    const char* name;
    void (*setValue)(platform::ax::Element home);
    bool pressed;
    bool valueReadFails;
};

const HomeValue homeValues[] = {
    {"value 1", [](auto home) { world().setAttribute(home, "AXValue", Value(1)); }, false, false},
    {"value 0", [](auto home) { world().setAttribute(home, "AXValue", Value(0)); }, true, false},
    {"value 2", [](auto home) { world().setAttribute(home, "AXValue", Value(2)); }, true, false},
    {"text \"1\"", [](auto home) { world().setAttribute(home, "AXValue", Value("1")); }, true, false},
    // Hosts report a selected radio button as the integer 1 or as the boolean true.
    {"boolean true", [](auto home) { world().setAttribute(home, "AXValue", Value(true)); }, false, false},
    {"boolean false", [](auto home) { world().setAttribute(home, "AXValue", Value(false)); }, true, false},
    {"unreadable", [](auto home) { world().failAttribute(home, "AXValue", AttributeFailure::error); }, true,
     true},
    {"no attribute", [](auto home) { world().removeAttribute(home, "AXValue"); }, true, true},
};

class TypingATab : public RibbonTabs, public ::testing::WithParamInterface<HomeValue> {};

TEST_P(TypingATab, PressesItUnlessItIsAlreadySelected) {
    const HomeValue& c = GetParam();
    start();
    c.setValue(el("home"));
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2", "H", "N"}));
    world().clearRecords();
    type("h");

    EXPECT_EQ(logged("Failed to get value attribute of element with title Home"), c.valueReadFails);
    EXPECT_TRUE(logged("This is the identifier: Home"));
    if (c.pressed) {
        EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Home"}));
        EXPECT_TRUE(loggedInOrder("Performing Action Home",
                                  "Performing action on element with role "
                                  "AXRadioButton and press false"));
        EXPECT_FALSE(logged("Value is 1"));
    } else {
        EXPECT_TRUE(actions().empty());
        EXPECT_TRUE(loggedInOrder("This is the identifier: Home", "Value is 1"));
        EXPECT_FALSE(logged("Performing Action Home"));
    }
    EXPECT_TRUE(logged("This is the source: Home"));
    EXPECT_TRUE(labels(keytips::firstLayerCategory).empty());
    EXPECT_EQ(labels("second"), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    EXPECT_FALSE(tips->mode().isFirstLayerActive());
    EXPECT_EQ(tips->mode().layerHistory(), (std::vector<std::string>{"Home"}));
}

INSTANTIATE_TEST_SUITE_P(RibbonTabs, TypingATab, ::testing::ValuesIn(homeValues), test_support::NameOfCase());

TEST_F(RibbonTabs, CustomiseMenuButtonRowShowsItsMenu) {
    usTables.ribbonKeys.push_back(AccessKey{{"Ribbon"},
                                            "Customize Quick Access",
                                            "c",
                                            "AXMenuButton",
                                            "Customize Quick Access Toolbar",
                                            std::nullopt,
                                            false,
                                            false});
    start();
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2", "H", "N", "C"}));
    world().clearRecords();
    type("c");
    EXPECT_TRUE(logged("Failed to get value attribute of element with title Customize Quick Access Toolbar"));
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXShowMenu Customize Quick Access Toolbar"}));
    EXPECT_TRUE(logged("This is the source: Customize Quick Access"));
    // No row names that layer: nothing is labelled, and the next key ends the mode.
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    type("x");
    EXPECT_TRUE(logged("VELKARO || Layer 2: No access keys found starting with x"));
    EXPECT_TRUE(idle());
}

TEST_F(RibbonTabs, DisabledTabEndsTheModeUnpressed) {
    start();
    world().setEnabled(el("insert"), false);
    tapOption();
    world().clearRecords();
    type("n");
    EXPECT_TRUE(logged("Element with title is not enabled"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(actions().empty());
    EXPECT_FALSE(logged("This is the source: Insert"));
}

TEST_F(RibbonTabs, TabWithoutElementEndsTheMode) {
    start(R"(window "Book1"
  AXButton "Save" pos=10,10 size=16,16
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
)");
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "H"}));
    type("n");  // a shortcut of the table whose tab the window lacks
    EXPECT_TRUE(logged("No matching element found"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_FALSE(logged("This is the source: Insert"));
}

TEST_F(RibbonTabs, SecondOfTwoMatchingElementsCarriesTheLabelAndIsPressed) {
    start(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=0 pos=10,40 size=40,20 name=first
  AXRadioButton "Home" value=0 pos=100,40 size=40,20 name=second
  AXRadioButton "Home" value=0 pos=300,40 size=40,20 name=third
)");
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"H"}));
    EXPECT_EQ(labelXs(), (std::vector<double>{120}));  // centred under the second: 100 + 40 / 2
    world().clearRecords();
    type("h");
    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].element, el("second"));
    EXPECT_EQ(world().actions()[0].action, "AXPress");
}

TEST_F(RibbonTabs, SecondMatchWithoutPositionLeavesTheRowUnlabelled) {
    start(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=0 pos=10,40 size=40,20 name=first
  AXRadioButton "Home" value=0 size=40,20 name=second
  AXRadioButton "Insert" value=0 pos=100,40 size=40,20
)");
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"N"}));
    world().clearRecords();
    type("h");
    EXPECT_TRUE(logged("No matching element found"));
    EXPECT_TRUE(actions().empty());
    EXPECT_TRUE(idle());
}

TEST_F(RibbonTabs, ElementsThatDoNotMatchATabRow) {
    start(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=0 pos=10,40 size=40,20 name=wrongTitle
  AXRadioButton "Home" desc="tab" value=0 pos=60,40 size=40,20
  AXButton "Home" pos=110,40 size=40,20
  AXRadioButton "home" pos=160,40 size=40,20
  AXRadioButton "Insert" value=0 pos=210,40 size=40,20 name=wrongRole
  AXRadioButton "Chart Design" pos=260,40 size=40,20
)");
    world().failAttribute(el("wrongTitle"), "AXTitle", AttributeFailure::wrongType);
    world().failAttribute(el("wrongRole"), "AXRole", AttributeFailure::wrongType);
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"JC"}));
}

TEST_F(RibbonTabs, PrefixWaitsAndCompletesToAContextualTab) {
    start(R"(window "Book1"
  AXButton "Save" pos=10,10 size=16,16
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXRadioButton "SmartArt Design" value=0 pos=60,40 size=40,20
)");
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "H", "JS"}));
    world().clearRecords();
    type("j");
    EXPECT_TRUE(world().logLines() == std::vector<std::string>{"VELKARO || Key pressed Layer One: j"});
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "H", "JS"}));
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
    EXPECT_EQ(tips->mode().keyBuffer(), "j");
    type("s");
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress SmartArt Design"}));
    EXPECT_TRUE(logged("This is the source: SmartArt Design"));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
}

TEST_F(RibbonTabs, LetterBeginningNoShortcutEndsTheModeWithTheToolbarLabels) {
    start();
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2", "H", "N"}));
    world().clearRecords();
    type("q");
    EXPECT_TRUE(logged("No access keys found starting with q"));
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(idle());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
    EXPECT_TRUE(actions().empty());
}

// When the ribbon-tab layer labels nothing, the first layer lives on only for the toolbar's digits.
struct NoTab {
    const char* name;
    void (*prepare)(KeyTables& us);  // before start-up
    // After start-up, before the Option tap.
    void (*breakHost)(const std::vector<platform::ax::Element>& windows);
    bool logsNoRelevant;
};

const NoTab noTabs[] = {
    {"empty tables",
     [](KeyTables& us) {
         us.ribbonKeys.clear();
         us.contextualKeys.clear();
     },
     [](const auto&) {}, true},
    {"no tab in the window", [](KeyTables&) {},
     [](const auto& windows) {
         world().removeChild(world().children(windows[0])[3], world().find("home"));
         world().removeChild(world().children(windows[0])[3], world().find("insert"));
     },
     true},
    {"focused window title unreadable", [](KeyTables&) {},
     [](const auto& windows) { world().failAttribute(windows[0], "AXTitle", AttributeFailure::error); },
     false},
    {"focused window actions unreadable", [](KeyTables&) {},
     [](const auto& windows) { world().failActionNames(windows[0], true); }, false},
};

class LabellingNoTab : public RibbonTabs, public ::testing::WithParamInterface<std::tuple<NoTab, bool>> {};

TEST_P(LabellingNoTab, KeepsTheFirstLayerOnlyForToolbarDigits) {
    const auto& [c, withToolbar] = GetParam();
    c.prepare(usTables);
    start();
    c.breakHost(windows);
    if (!withToolbar) {
        world().removeChild(windows[0], el("anchor"));
    }
    tapOption();
    EXPECT_EQ(logged("Debug: No relevant elements found"), c.logsNoRelevant);
    if (!withToolbar) {
        EXPECT_TRUE(idle());
        EXPECT_TRUE(labels().empty());
        return;
    }
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    type("2");
    world().advanceClock(0.1);
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Undo"}));
}

INSTANTIATE_TEST_SUITE_P(RibbonTabs, LabellingNoTab,
                         ::testing::Combine(::testing::ValuesIn(noTabs), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<LabellingNoTab::ParamType>& param) {
                             return test_support::caseName(std::get<0>(param.param).name) +
                                    (std::get<1>(param.param) ? "_with_toolbar" : "_without_toolbar");
                         });

// Toolbar buttons found but none of their labels shown (their size unreadable), and no tab labelled:
// no mode stays open without a label on screen, and the next key reaches the host.
TEST_F(RibbonTabs, ToolbarKeysWithoutLabelsAndNoTabLeaveNoInvisibleMode) {
    start();
    world().failAttribute(el("save"), "AXSize", AttributeFailure::error);
    world().failAttribute(el("undo"), "AXSize", AttributeFailure::error);
    world().removeChild(world().children(windows[0])[3], world().find("home"));
    world().removeChild(world().children(windows[0])[3], world().find("insert"));
    tapOption();
    ASSERT_EQ(tips->quickAccessLayer().relevantElements.size(), 2U);
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(idle());
    EXPECT_TRUE(press(keyCodeOf('1'), "1"));
    EXPECT_TRUE(press(keyCodeOf('h'), "h"));
    world().pump();
    world().advanceClock(0.1);
    EXPECT_TRUE(actions().empty());
}

TEST_F(RibbonTabs, HostNotRunningLeavesNoModeOpen) {
    start();
    world().quitApplication(pid);
    tapOption();
    EXPECT_TRUE(logged("VELKARO || Debug: Failed to get application"));
    EXPECT_TRUE(logged("Debug: Failed to get application"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
}

// An opening that cannot read the focused window leaves nothing from an earlier opening that a
// typed letter could press.
TEST_F(RibbonTabs, UnreadableWindowLeavesNoStaleTabToPress) {
    start();
    world().setAttribute(el("insert"), "AXValue", Value(0));
    tapOption();
    press(keys::escape, "\x1b");
    world().pump();
    world().failAttribute(windows[0], "AXTitle", AttributeFailure::error);
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    world().clearRecords();
    type("n");
    EXPECT_TRUE(actions().empty());
    EXPECT_FALSE(logged("This is the source: Insert"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
}

}  // namespace
}  // namespace layertest
