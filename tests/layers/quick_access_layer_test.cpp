// The Quick Access Toolbar layer: finding the toolbar row by its anchor, numbering the buttons left
// of it, and pressing a button a moment after its labels are gone.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <tuple>
#include <vector>

#include "layer_fixture.hpp"

namespace layertest {
namespace {

using test_support::PrintTo;

using platform::ax::Value;

class QuickAccessToolbar : public LayerTest {
protected:
    // A window whose toolbar row holds `count` buttons titled "B1", "B2", ... left of the anchor, and
    // no tabs.
    static std::string toolbarWindow(int count, std::string_view anchor = "Customize Quick Access Toolbar") {
        std::string text = "window \"Book1\"\n";
        for (int i = 1; i <= count; ++i) {
            text += "  AXButton \"B" + std::to_string(i) + "\" pos=" + std::to_string(10 * i) +
                    ",10 size=8,8 name=b" + std::to_string(i) + "\n";
        }
        text += "  AXMenuButton \"" + std::string(anchor) + "\" pos=500,10 size=16,16 name=anchor\n";
        return text;
    }

    void setLanguage(std::string code) {
        world().setScriptAnswer("GetLanguageCode", platform::sim::ScriptAnswer::withText(std::move(code)));
    }
};

TEST_F(QuickAccessToolbar, NumbersAtMostNineteenButtonsOneToNineThenZeroNineDown) {
    start(toolbarWindow(21));
    tapOption();
    const std::vector<std::string> expected = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9", "09",
                                               "08", "07", "06", "05", "04", "03", "02", "01", "00"};
    EXPECT_EQ(labels(keytips::firstLayerCategory), expected);
    std::vector<std::string> shortcuts;
    for (const AccessKey& key : tips->quickAccessLayer().accessKeys) {
        shortcuts.push_back(key.shortcut);
        EXPECT_EQ(key.source, (std::vector<std::string>{"Quick Access"})) << key.shortcut;
        EXPECT_EQ(key.identifier, "Quick Access " + key.shortcut);
        EXPECT_FALSE(key.press) << key.shortcut;
        EXPECT_FALSE(key.isLastCommand) << key.shortcut;
    }
    EXPECT_EQ(shortcuts, expected);
    // With no tab labelled, the first layer stays for the toolbar's digits.
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
}

struct TypedDigits {
    const char* name;
    const char* typed;
    const char* pressed;
};

const TypedDigits typedDigits[] = {{"1 presses B1", "1", "B1"},
                                   {"9 presses B9", "9", "B9"},
                                   {"09 presses B10", "09", "B10"},
                                   {"08 presses B11", "08", "B11"},
                                   {"00 presses B19", "00", "B19"}};

class TypedToolbarDigits : public QuickAccessToolbar, public ::testing::WithParamInterface<TypedDigits> {};

TEST_P(TypedToolbarDigits, PressTheirButtonAfterTheLabelsAreGone) {
    const TypedDigits& c = GetParam();
    start(toolbarWindow(19));
    tapOption();
    const std::string typed = c.typed;
    if (typed.size() == 2) {
        type(typed.substr(0, 1));
        EXPECT_EQ(labels().size(), 19U);  // a prefix waits
        EXPECT_TRUE(tips->mode().isFirstLayerActive());
        EXPECT_EQ(tips->mode().keyBuffer(), "0");
    }
    type(typed.substr(typed.size() - 1));
    EXPECT_FALSE(tips->mode().isFirstLayerActive());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(actions().empty());
    world().advanceClock(0.05);
    EXPECT_TRUE(actions().empty());
    world().advanceClock(0.05);
    EXPECT_EQ(actions(), (std::vector<std::string>{std::string("AXPress ") + c.pressed}));
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
}

INSTANTIATE_TEST_SUITE_P(QuickAccessToolbar, TypedToolbarDigits, ::testing::ValuesIn(typedDigits),
                         test_support::NameOfCase());

TEST_F(QuickAccessToolbar, DigitBeginningNoShortcutEndsTheModeWithAllFirstLayerLabels) {
    start(R"(window "Book1"
  AXButton "Save" pos=10,10 size=16,16
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
)");
    tapOption();
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "H"}));
    type("0");
    EXPECT_TRUE(logged("VELKARO || QAT: No access keys found starting with 0"));
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(idle());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
    EXPECT_TRUE(actions().empty());
}

TEST_F(QuickAccessToolbar, DigitAfterATabPrefixIsLookedUpWithThePrefix) {
    start(R"(window "Book1"
  AXButton "Save" pos=10,10 size=16,16
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "SmartArt Design" value=0 pos=10,40 size=40,20
)");
    tapOption();
    type("j1");
    EXPECT_TRUE(logged("VELKARO || QAT: No access keys found starting with j1"));
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(idle());
    world().advanceClock(1);
    EXPECT_TRUE(actions().empty());
}

struct LanguageAnchor {
    const char* name;
    const char* language;
    const char* anchor;
    bool found;
};

const LanguageAnchor languageAnchors[] = {
    {"1033 Customize", "1033", "Customize Quick Access Toolbar", true},
    {"1033 Customise", "1033", "Customise Quick Access Toolbar", false},
    {"2057 Customise", "2057", "Customise Quick Access Toolbar", true},
    {"2057 Customize", "2057", "Customize Quick Access Toolbar", false},
    {"1036 Customize", "1036", "Customize Quick Access Toolbar", true},
    {"1036 Customise", "1036", "Customise Quick Access Toolbar", false},
    {"no language Customize", "", "Customize Quick Access Toolbar", true},
    {"20570 Customize", "20570", "Customize Quick Access Toolbar", true},
};

class AnchorTitle : public QuickAccessToolbar, public ::testing::WithParamInterface<LanguageAnchor> {};

TEST_P(AnchorTitle, FollowsTheHostLanguage) {
    const LanguageAnchor& c = GetParam();
    setLanguage(c.language);
    start(toolbarWindow(2, c.anchor));
    tapOption();
    EXPECT_EQ(labels(), (c.found ? std::vector<std::string>{"1", "2"} : std::vector<std::string>{}));
    EXPECT_EQ(tips->toolbarYCoordinate().has_value(), c.found);
    if (c.found) {
        EXPECT_EQ(*tips->toolbarYCoordinate(), 890.0);  // flipped against the 900-point screen
        EXPECT_EQ(*tips->toolbarXCoordinate(), 500.0);
    } else {
        EXPECT_TRUE(idle());  // neither layer labelled anything
    }
}

INSTANTIATE_TEST_SUITE_P(QuickAccessToolbar, AnchorTitle, ::testing::ValuesIn(languageAnchors),
                         test_support::NameOfCase());

// Two rows of buttons, the upper one with the search button, and no customise menu button.
constexpr const char* searchRows = R"fx(window "Book1"
  AXButton "Save" pos=10,10 size=16,16
  AXButton "Search (Cmd + Ctrl + U)" pos=300,10 size=16,16
  AXButton "Undo" pos=10,30 size=16,16
  AXButton "Redo" pos=30,30 size=16,16
)fx";

TEST_F(QuickAccessToolbar, SearchButtonAnchorsWithoutTheCustomiseMenuButton) {
    start(searchRows);
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"1"}));
    EXPECT_EQ(tips->toolbarYCoordinate(), 890.0);
    EXPECT_EQ(tips->toolbarXCoordinate(), 300.0);
}

// With the menu button present (on another row), the search button is not consulted.
TEST_F(QuickAccessToolbar, SearchButtonIsNotConsultedWithTheCustomiseMenuButton) {
    start(std::string(searchRows) +
          "  AXMenuButton \"Customize Quick Access Toolbar\" pos=200,30 size=16,16\n");
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(tips->toolbarYCoordinate(), 870.0);
    ASSERT_EQ(tips->quickAccessLayer().accessKeys.size(), 2U);
    EXPECT_EQ(tips->quickAccessLayer().accessKeys[0].title, "Undo");
}

TEST_F(QuickAccessToolbar, OnlyButtonsOnTheAnchorRowLeftOfItWithNewTitlesGetKeys) {
    start(R"(window "Book1"
  AXButton "Save" pos=10,10 size=16,16
  AXButton "Lower" pos=20,10.5 size=16,16
  AXButton "Higher" pos=30,9.999 size=16,16
  AXButton "Save" pos=40,10 size=16,16
  AXButton pos=50,10 size=16,16 desc="first untitled"
  AXButton pos=60,10 size=16,16 desc="second untitled"
  AXButton "Title not text" pos=70,10 size=16,16 name=wrongTitle
  AXButton "Description not text" desc="d" pos=80,10 size=16,16 name=wrongDescription
  AXButton "No position" size=16,16
  AXButton "Undo" pos=90,10 size=16,16
  AXButton "At the anchor" pos=200,10 size=16,16
  AXButton "Right of it" pos=300,10 size=16,16
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
)");
    world().failAttribute(el("wrongTitle"), "AXTitle", platform::sim::AttributeFailure::wrongType);
    world().failAttribute(el("wrongDescription"), "AXDescription",
                          platform::sim::AttributeFailure::wrongType);
    tapOption();
    std::vector<std::string> keyed;
    for (const AccessKey& key : tips->quickAccessLayer().accessKeys) {
        keyed.push_back(key.shortcut + " " + key.title.value_or("(" + key.description.value_or("") + ")"));
    }
    EXPECT_EQ(keyed, (std::vector<std::string>{"1 Save", "2 (first untitled)", "3 Undo"}));
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2", "3"}));
}

struct ToolbarRole {
    const char* name;
    const char* role;
    std::vector<std::string> sets;
    std::vector<std::string> actions;
};

const ToolbarRole toolbarRoles[] = {
    {"AXButton", "AXButton", {}, {"AXPress Tool"}},
    {"AXMenuButton", "AXMenuButton", {}, {"AXShowMenu Tool"}},  // generated keys never press a menu button
    {"AXComboBox", "AXComboBox", {"AXFocused Tool"}, {"AXPress Tool"}},
    {"AXTextField", "AXTextField", {}, {"AXPress Tool"}},
    {"AXCheckBox", "AXCheckBox", {}, {"AXPress Tool"}},
};

class EachToolbarRole : public QuickAccessToolbar, public ::testing::WithParamInterface<ToolbarRole> {};

TEST_P(EachToolbarRole, GetsItsAction) {
    const ToolbarRole& c = GetParam();
    start(std::string("window \"Book1\"\n  ") + c.role +
          " \"Tool\" pos=10,10 size=16,16 actions=AXPress,AXShowMenu\n" +
          "  AXMenuButton \"Customize Quick Access Toolbar\" pos=200,10 size=16,16\n");
    tapOption();
    type("1");
    world().advanceClock(0.1);
    EXPECT_EQ(attributeSets(), c.sets);
    EXPECT_EQ(actions(), c.actions);
    EXPECT_TRUE(logged(std::string("VELKARO || Performing action on element with role ") + c.role +
                       " and press false"));
}

INSTANTIATE_TEST_SUITE_P(QuickAccessToolbar, EachToolbarRole, ::testing::ValuesIn(toolbarRoles),
                         test_support::NameOfCase());

TEST_F(QuickAccessToolbar, DisabledButtonEndsTheModeUnpressed) {
    start(toolbarWindow(2));
    tapOption();
    world().setEnabled(el("b1"), false);
    type("1");
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
    world().advanceClock(1);
    EXPECT_TRUE(actions().empty());
    EXPECT_EQ(world().pendingDelayedBlocks(), 0U);
}

TEST_F(QuickAccessToolbar, DisabledButtonIsLabelledFainter) {
    start(toolbarWindow(2));
    world().setEnabled(el("b2"), false);
    tapOption();
    const auto shown = world().visibleWindows();
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_GT(shown[0].backgroundAlpha, shown[1].backgroundAlpha);
}

TEST_F(QuickAccessToolbar, ReopeningReplacesTheKeysAndFailedValueReadIsLogged) {
    start(toolbarWindow(3));
    tapOption();
    press(keys::escape, "\x1b");
    world().pump();
    world().removeChild(windows[0], el("b2"));
    tapOption();
    ASSERT_EQ(tips->quickAccessLayer().accessKeys.size(), 2U);
    EXPECT_EQ(tips->quickAccessLayer().accessKeys[1].title, "B3");
    world().clearRecords();
    type("2");
    EXPECT_TRUE(logged("Failed to get value attribute of element with title B3"));
    world().advanceClock(0.1);
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress B3"}));
}

TEST_F(QuickAccessToolbar, NoAnchorKeepsTheLastFoundRow) {
    start(toolbarWindow(2));
    tapOption();
    press(keys::escape, "\x1b");
    world().pump();
    world().removeChild(windows[0], el("anchor"));
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
}

// The press's label removal and delayed action belong to the mode in which the digit was typed.
TEST_F(QuickAccessToolbar, DelayedPressDoesNotActInALaterMode) {
    start(toolbarWindow(2));
    tapOption();
    type("1");
    ASSERT_TRUE(labels().empty());
    tapOption();  // a new mode opens before the button is pressed
    ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    world().advanceClock(0.1);
    EXPECT_TRUE(actions().empty());
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
}

TEST_F(QuickAccessToolbar, LabelRemovalDoesNotReachALaterMode) {
    start(toolbarWindow(2));
    tapOption();
    // The press's task queues its label removal only when it runs; a new mode opens first. The
    // screen then shows the new mode's labels only, once each.
    tips->quickAccessLayer().press("1");
    ASSERT_FALSE(tips->mode().isFirstLayerActive());
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    world().advanceClock(0.1);
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(actions().empty());
    EXPECT_EQ(world().pendingDelayedBlocks(), 0U);
}

// What may happen between a toolbar digit and its press, and whether the press still happens.
struct Meanwhile {
    const char* name;
    // Makes it happen; for a key, whether the host received it.
    std::function<std::optional<bool>(keytips::KeyTips& tips)> happen;
    bool pressed;
    // Whether the key reaches the host while the digit's mode still looks open (the digit typed ahead
    // of the queue); once the mode has ended every key does.
    bool keyPassesTheOpenMode = true;
};

// When the event comes: typed ahead of the digit's press (the host's queue has not run since the
// digit), after the press's task has run, or before it.
struct TaskTiming {
    const char* name;
    bool typedAhead;
    bool beforeTheTask;
};

const TaskTiming taskTimings[] = {{"typed ahead of the press", true, false},
                                  {"after the task ran", false, false},
                                  {"before the task ran", false, true}};

class ToolbarPressMeanwhile : public QuickAccessToolbar,
                              public ::testing::WithParamInterface<std::tuple<Meanwhile, TaskTiming>> {
public:
    static std::vector<Meanwhile> cases() {
        const auto switchOff = [](keytips::KeyTips& tips) {
            world().setScriptAnswer("GetEnableKeyboardShortcuts",
                                    platform::sim::ScriptAnswer::withText("False"));
            tips.updateEnableAccessKeys();
        };
        return {
            {"nothing", [](keytips::KeyTips&) { return std::nullopt; }, true},
            {"a letter", [](keytips::KeyTips&) { return std::optional(press(keyCodeOf('h'), "h")); }, true,
             false},
            // Return is a key for the host: the digit has ended the session already, at any pace.
            {"Return", [](keytips::KeyTips&) { return std::optional(press(keys::returnKey, "\r")); }, true},
            {"Escape", [](keytips::KeyTips&) { return std::optional(press(keys::escape, "\x1b")); }, false,
             false},
            {"a click",
             [](keytips::KeyTips&) {
                 world().deliver(platform::sim::World::mouseDown());
                 return std::nullopt;
             },
             false},
            {"a right click",
             [](keytips::KeyTips&) {
                 world().deliver(platform::sim::World::mouseDown(false));
                 return std::nullopt;
             },
             false},
            {"Shift",
             [](keytips::KeyTips&) {
                 world().deliver(
                     platform::sim::World::flagsChanged(keys::shift, platform::appkit::shiftFlag));
                 return std::nullopt;
             },
             false},
            // Option held with another key, then released: the chord's key is the host's, in any mode;
            // the release opens no mode and ends the session.
            {"an Option chord",
             [](keytips::KeyTips&) {
                 using W = platform::sim::World;
                 world().deliver(W::flagsChanged(keys::leftOption, optionFlag));
                 const bool passed = world().deliver(W::keyDown(keyCodeOf('c'), "c", optionFlag)).has_value();
                 world().deliver(W::flagsChanged(keys::leftOption, 0));
                 return std::optional(passed);
             },
             false},
            {"key tips switched off",
             [switchOff](keytips::KeyTips& tips) {
                 switchOff(tips);
                 return std::nullopt;
             },
             false},
            {"a click with key tips switched off",
             [switchOff](keytips::KeyTips& tips) {
                 switchOff(tips);
                 world().deliver(platform::sim::World::mouseDown());
                 return std::nullopt;
             },
             false},
            {"the host resigning",
             [](keytips::KeyTips&) {
                 world().postNotification(platform::appkit::applicationDidResignActiveNotification);
                 return std::nullopt;
             },
             false},
        };
    }

protected:
    static void checkPress(const Meanwhile& c) {
        const std::vector<std::string> done = actions();
        EXPECT_EQ(std::count(done.begin(), done.end(), "AXPress B2"), c.pressed ? 1 : 0);
        EXPECT_TRUE(labels().empty());
    }
};

// The toolbar digit ends the mode at once; its press waits 0.1 s. Whatever ends the session
// meanwhile drops the press; keys that do not end it leave it, whether they come before the digit's
// press has run or after. After it, the event comes after the press's task has run, or before (the
// task queues the labels' removal): either way no label stays.
TEST_P(ToolbarPressMeanwhile, DelayedPressIsDroppedWhenTheSessionEndsBeforeItRuns) {
    const auto& [c, timing] = GetParam();
    start(toolbarWindow(2));
    tapOption();
    world().setTasksHeld(timing.beforeTheTask);
    type("2", timing.typedAhead ? Pump::never : Pump::afterEachKey);
    ASSERT_EQ(idle(), !timing.typedAhead);
    ASSERT_EQ(world().pendingTasks(), timing.beforeTheTask ? 1U : 0U);
    if (const std::optional<bool> passed = c.happen(*tips)) {
        EXPECT_EQ(*passed, !timing.typedAhead || c.keyPassesTheOpenMode);
    }
    world().pump();
    world().runTasks();
    world().pump();
    world().advanceClock(0.1);
    checkPress(c);
}

INSTANTIATE_TEST_SUITE_P(QuickAccessToolbar, ToolbarPressMeanwhile,
                         ::testing::Combine(::testing::ValuesIn(ToolbarPressMeanwhile::cases()),
                                            ::testing::ValuesIn(taskTimings)),
                         test_support::NameOfCase());

}  // namespace
}  // namespace layertest

namespace layertest {
namespace {

using test_support::PrintTo;

// Hosts often report an empty title. An empty title is a title: the generated key carries it and
// finds its own button, not an untitled one; for the numbering it counts as no title, so of an
// untitled button and one titled "" only the first in the row gets a number.
struct EmptyTitleRow {
    const char* name;
    const char* buttons;
    const char* pressed;
};

const EmptyTitleRow emptyTitleRows[] = {
    {"empty title first", R"(  AXButton "" desc="Empty" pos=10,10 size=16,16
  AXButton desc="Untitled" pos=40,10 size=16,16
)",
     "AXPress "},
    {"untitled first", R"(  AXButton desc="Untitled" pos=10,10 size=16,16
  AXButton "" desc="Empty" pos=40,10 size=16,16
)",
     "AXPress Untitled"},
};

class EmptyTitle : public QuickAccessToolbar, public ::testing::WithParamInterface<EmptyTitleRow> {};

TEST_P(EmptyTitle, IsATitleButNumbersLikeNone) {
    const EmptyTitleRow& c = GetParam();
    start(std::string("window \"Book1\"\n") + c.buttons +
          "  AXMenuButton \"Customize Quick Access Toolbar\" pos=200,10 size=16,16\n");
    tapOption();
    EXPECT_EQ(labels(), (std::vector<std::string>{"1"}));
    type("1");
    world().advanceClock(0.1);
    EXPECT_EQ(actions(), (std::vector<std::string>{c.pressed}));
}

INSTANTIATE_TEST_SUITE_P(QuickAccessToolbar, EmptyTitle, ::testing::ValuesIn(emptyTitleRows),
                         test_support::NameOfCase());

}  // namespace
}  // namespace layertest
