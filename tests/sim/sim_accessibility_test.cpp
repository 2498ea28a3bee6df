// The simulated hosts' accessibility trees: behaviours, failures and what the requests return.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/privacy.hpp"
#include "platform/sim/world.hpp"
#include "support/case_names.hpp"
#include "support/sim_world_test.hpp"

namespace {

using test_support::PrintTo;

using platform::ax::copyAttributeValue;
using platform::ax::Element;
using platform::ax::Error;
using platform::ax::performAction;
using platform::ax::Value;
using platform::ax::ValueList;
using platform::sim::AttributeFailure;
using platform::sim::world;

std::vector<Element> childrenRead(Element element) {
    const auto result = copyAttributeValue(element, "AXChildren");
    EXPECT_EQ(result.error, Error::success);
    std::vector<Element> elements;
    if (result.value && result.value->list()) {
        for (const auto& value : *result.value->list()) {
            elements.push_back(*value.element());
        }
    }
    return elements;
}

class SimAccessibility : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        pid = world().launchApplication("com.example.host");
        world().loadFixture(pid, R"(window "Book1"
  AXTabGroup name=tabs
    AXRadioButton "Home" value=1 name=home
    AXRadioButton "Insert" value=0 name=insert
  AXGroup name=content
    AXButton "Old" name=old
  AXMenuButton "Borders" name=borders
  AXMenuButton "Paste" name=paste
  AXPopover name=popover
    AXCheckBox "Bold" value=0 name=bold
)");
    }
    int pid = 0;
};

TEST_F(SimAccessibility, PressingATabSelectsItAndShowsItsPanel) {
    const Element panel = world().createDetached({.role = "AXGroup"});
    const Element table = world().addElement(panel, {.role = "AXButton", .title = "Table"});
    const Element chart = world().addElement(panel, {.role = "AXButton", .title = "Chart"});
    world().setTabPanel(world().find("insert"), world().find("content"), panel);

    EXPECT_EQ(performAction(world().find("insert"), "AXPress"), Error::success);

    EXPECT_EQ(copyAttributeValue(world().find("insert"), "AXValue").value, Value(1));
    EXPECT_EQ(copyAttributeValue(world().find("home"), "AXValue").value, Value(0));
    EXPECT_EQ(childrenRead(world().find("content")), (std::vector<Element>{table, chart}));
    EXPECT_EQ(world().findByTitle(pid, "AXButton", "Old"), Element{});
    EXPECT_EQ(world().findByTitle(pid, "AXButton", "Chart"), chart);
    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].role, "AXRadioButton");
    EXPECT_EQ(world().actions()[0].title, "Insert");
}

TEST_F(SimAccessibility, ShowingAMenuPutsItAtTheEndOfTheFocusedWindow) {
    const Element window = *world().focusedWindow(pid);
    const Element bordersMenu = world().createDetached({.role = "AXMenu", .name = "bordersMenu"});
    world().addElement(bordersMenu, {.role = "AXMenuItem", .title = "Top Border"});
    const Element pasteMenu = world().createDetached({.role = "AXMenu"});
    world().setMenu(world().find("borders"), bordersMenu);
    world().setMenu(world().find("paste"), pasteMenu, /*opensOnPress=*/true);

    EXPECT_EQ(performAction(world().find("borders"), "AXPress"), Error::success);
    EXPECT_EQ(childrenRead(window).back(), world().find("popover")) << "a plain press shows no menu";

    EXPECT_EQ(performAction(world().find("borders"), "AXShowMenu"), Error::success);
    EXPECT_EQ(childrenRead(window).back(), bordersMenu);
    EXPECT_NE(world().findByTitle(pid, "AXMenuItem", "Top Border"), Element{});

    EXPECT_EQ(performAction(world().find("paste"), "AXPress"), Error::success);
    EXPECT_EQ(childrenRead(window).back(), pasteMenu);
}

// Each record tells whether the element was in a window's tree when it was acted on.
TEST_F(SimAccessibility, RecordsTellWhetherTheElementWasOnScreen) {
    const Element hidden = world().createDetached({.role = "AXButton", .title = "Hidden"});
    EXPECT_EQ(performAction(world().find("bold"), "AXPress"), Error::success);
    EXPECT_EQ(performAction(hidden, "AXPress"), Error::success);
    setAttributeValue(hidden, "AXFocused", Value(true));
    world().removeChild(world().find("popover"), world().find("bold"));
    EXPECT_EQ(performAction(world().find("bold"), "AXPress"), Error::success);

    const auto actions = world().actions();
    ASSERT_EQ(actions.size(), 3U);
    EXPECT_TRUE(actions[0].shown);
    EXPECT_FALSE(actions[1].shown);
    EXPECT_FALSE(actions[2].shown);
    ASSERT_EQ(world().attributeSets().size(), 1U);
    EXPECT_FALSE(world().attributeSets()[0].shown);
}

// A host may build elements while it places a menu: the elements already there stay where they are.
TEST_F(SimAccessibility, ElementsMadeWhileAMenuIsPlacedLeaveTheOthersIntact) {
    const Element window = *world().focusedWindow(pid);
    const Element menu = world().createDetached({.role = "AXMenu"});
    world().addElement(menu, {.role = "AXMenuItem", .title = "Top Border"});
    world().setMenu(world().find("borders"), menu, /*opensOnPress=*/false, [] {
        for (int i = 0; i < 256; ++i) {
            world().createDetached({.role = "AXMenuItem"});
        }
        return platform::Point{40, 200};
    });

    EXPECT_EQ(performAction(world().find("borders"), "AXShowMenu"), Error::success);
    EXPECT_EQ(childrenRead(window).back(), menu);
    EXPECT_NE(world().findByTitle(pid, "AXMenuItem", "Top Border"), Element{});
}

TEST_F(SimAccessibility, CancellingAPopoverRemovesItFromEveryParent) {
    const Element popover = world().find("popover");
    const Element window = *world().focusedWindow(pid);
    world().addChild(world().find("content"), popover);

    EXPECT_EQ(performAction(popover, "AXCancel"), Error::success);

    for (const Element parent : {window, world().find("content")}) {
        const auto children = childrenRead(parent);
        EXPECT_EQ(std::find(children.begin(), children.end(), popover), children.end())
            << platform::ax::describe(parent);
    }
}

// A menu on a button of the band, with a further menu opened by a press of one of its items and one
// shown only by "AXShowMenu" on another.
class SimMenus : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        pid = world().launchApplication("com.example.host");
        window = world()
                     .loadFixture(pid, R"(window "Book1"
  AXGroup name=content
    AXMenuButton "Borders" name=borders
)")
                     .front();
        const Element borders = menu("bordersMenu");
        world().addElement(borders, {.role = "AXButton", .title = "Top Border", .name = "top"});
        const Element lineColor =
            world().addElement(borders, {.role = "AXMenuButton", .title = "Line Color", .name = "lineColor"});
        const Element lineStyle =
            world().addElement(borders, {.role = "AXMenuButton", .title = "Line Style", .name = "lineStyle"});
        world().addElement(borders, {.role = "AXCheckBox", .title = "Thick", .value = 0, .name = "thick"});
        world().addElement(borders, {.role = "AXButton", .title = "Draw", .enabled = false, .name = "draw"});
        world().addElement(borders, {.role = "AXComboBox", .description = "Weight:", .name = "weight"});
        const Element colors = menu("colorsMenu");
        world().addElement(colors, {.role = "AXButton", .title = "Red", .name = "red"});
        const Element styles = menu("stylesMenu");
        world().addElement(styles, {.role = "AXButton", .title = "Dashed", .name = "dashed"});
        world().setMenu(world().find("borders"), borders);
        world().setMenu(lineColor, colors, /*opensOnPress=*/true);
        world().setMenu(lineStyle, styles);
    }

    static Element menu(const char* name) {
        return world().createDetached({.role = "AXPopover", .name = name});
    }

    // The popovers among the window's children, in order.
    [[nodiscard]] std::vector<Element> menusShown() const {
        std::vector<Element> shown;
        for (const Element child : childrenRead(window)) {
            if (world().attribute(child, "AXRole") == Value("AXPopover")) {
                shown.push_back(child);
            }
        }
        return shown;
    }

    int pid = 0;
    Element window;
};

struct MenuStep {
    const char* element;
    const char* action;
    Error result;
};

struct MenuCase {
    const char* name;
    std::vector<MenuStep> steps;  // after "AXShowMenu" on the band's button
    std::vector<const char*> shown;
};

class MenuChoice : public SimMenus, public ::testing::WithParamInterface<MenuCase> {};

// A press of an item closes the menu it stands in and every menu it was reached through, as a host does;
// a press or "AXShowMenu" that opens a further menu keeps them, and so does an action that fails.
TEST_P(MenuChoice, ClosesTheMenusOfAChosenItemOnly) {
    const MenuCase& c = GetParam();
    ASSERT_EQ(performAction(world().find("borders"), "AXShowMenu"), Error::success);
    for (const MenuStep& step : c.steps) {
        EXPECT_EQ(performAction(world().find(step.element), step.action), step.result)
            << step.action << " on " << step.element;
    }
    std::vector<Element> expected;
    for (const char* name : c.shown) {
        expected.push_back(world().find(name));
    }
    EXPECT_EQ(menusShown(), expected);
}

const MenuCase menuCases[] = {
    {"item", {{"top", "AXPress", Error::success}}, {}},
    {"item of a further menu",
     {{"lineColor", "AXPress", Error::success}, {"red", "AXPress", Error::success}},
     {}},
    {"item of a menu shown from an item",
     {{"lineStyle", "AXShowMenu", Error::success}, {"dashed", "AXPress", Error::success}},
     {}},
    {"press that opens a further menu",
     {{"lineColor", "AXPress", Error::success}},
     {"bordersMenu", "colorsMenu"}},
    {"further menu shown", {{"lineStyle", "AXShowMenu", Error::success}}, {"bordersMenu", "stylesMenu"}},
    {"press of a button whose menu opens on show menu only", {{"lineStyle", "AXPress", Error::success}}, {}},
    {"disabled item", {{"draw", "AXPress", Error::cannotComplete}}, {"bordersMenu"}},
    {"press of the menu itself", {{"bordersMenu", "AXPress", Error::success}}, {"bordersMenu"}},
    {"combo box pressed", {{"weight", "AXPress", Error::success}}, {"bordersMenu"}},
    {"further menu cancelled",
     {{"lineColor", "AXPress", Error::success}, {"colorsMenu", "AXCancel", Error::success}},
     {"bordersMenu"}},
};

INSTANTIATE_TEST_SUITE_P(SimMenus, MenuChoice, ::testing::ValuesIn(menuCases), test_support::NameOfCase());

// A combo box in a menu is focused and pressed to type into it: the menu stays until an item is chosen.
TEST_F(SimMenus, AComboBoxFocusedAndPressedKeepsItsMenu) {
    ASSERT_EQ(performAction(world().find("borders"), "AXShowMenu"), Error::success);
    const Element weight = world().find("weight");
    EXPECT_EQ(platform::ax::setAttributeValue(weight, "AXFocused", true), Error::success);
    EXPECT_EQ(menusShown(), std::vector<Element>{world().find("bordersMenu")});
    EXPECT_EQ(performAction(weight, "AXPress"), Error::success);
    EXPECT_EQ(menusShown(), std::vector<Element>{world().find("bordersMenu")});
    EXPECT_EQ(performAction(world().find("top"), "AXPress"), Error::success);
    EXPECT_TRUE(menusShown().empty());
}

// The item's own effect stays: a check box chosen in a menu is toggled as the menu closes.
TEST_F(SimMenus, ACheckBoxChosenInAMenuIsToggled) {
    ASSERT_EQ(performAction(world().find("borders"), "AXShowMenu"), Error::success);
    EXPECT_EQ(performAction(world().find("thick"), "AXPress"), Error::success);
    EXPECT_EQ(world().attribute(world().find("thick"), "AXValue"), Value(1));
    EXPECT_TRUE(menusShown().empty());
}

// With late effects, the tree changes in a main-queue block that the action queued, while the record
// and the result are there at once.
// The last child of the host's focused window.
Element lastChildOfWindow(int pid) { return childrenRead(*world().focusedWindow(pid)).back(); }

struct LateEffect {
    const char* name;
    const char* element;
    const char* action;
    bool (*changed)(int pid);  // whether the tree shows the action's effect
};

const LateEffect lateEffects[] = {
    {"tab selected", "insert", "AXPress",
     [](int) { return world().attribute(world().find("insert"), "AXValue") == Value(1); }},
    {"other tab", "insert", "AXPress",
     [](int) { return world().attribute(world().find("home"), "AXValue") == Value(0); }},
    {"tab panel", "insert", "AXPress",
     [](int pid) { return world().findByTitle(pid, "AXButton", "Table") != Element{}; }},
    {"menu", "borders", "AXShowMenu", [](int pid) { return lastChildOfWindow(pid) == world().find("menu"); }},
    {"menu on press", "paste", "AXPress",
     [](int pid) { return lastChildOfWindow(pid) == world().find("menu"); }},
    {"popover", "popover", "AXCancel",
     [](int pid) { return lastChildOfWindow(pid) != world().find("popover"); }},
    {"check box", "bold", "AXPress",
     [](int) { return world().attribute(world().find("bold"), "AXValue") == Value(1); }},
    {"item chosen", "bold", "AXPress",
     [](int pid) { return lastChildOfWindow(pid) != world().find("popover"); }},
};

class LateEffects : public SimAccessibility, public ::testing::WithParamInterface<LateEffect> {};

TEST_P(LateEffects, ChangeTheTreeInAQueuedBlock) {
    const LateEffect& c = GetParam();
    const Element panel = world().createDetached({.role = "AXGroup"});
    world().addElement(panel, {.role = "AXButton", .title = "Table"});
    world().setTabPanel(world().find("insert"), world().find("content"), panel);
    const Element menu = world().createDetached({.role = "AXMenu", .name = "menu"});
    world().setMenu(world().find("borders"), menu);
    world().setMenu(world().find("paste"), menu, /*opensOnPress=*/true);
    world().setLateEffects(true);

    EXPECT_EQ(performAction(world().find(c.element), c.action), Error::success);
    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].action, c.action);
    EXPECT_FALSE(c.changed(pid));
    EXPECT_EQ(world().pendingMainBlocks(), 1U);

    world().pump();
    EXPECT_TRUE(c.changed(pid));
}

INSTANTIATE_TEST_SUITE_P(SimAccessibility, LateEffects, ::testing::ValuesIn(lateEffects),
                         test_support::NameOfCase());

// Late effects leave the rest at once: raising a window, setting an attribute, an action that changes
// nothing and a failed action queue no block.
TEST_F(SimAccessibility, LateEffectsQueueOnlyChangesOfTheTree) {
    world().setLateEffects(true);
    const Element second = world().addWindow(pid, "Book2");
    EXPECT_EQ(performAction(second, "AXRaise"), Error::success);
    EXPECT_EQ(world().focusedWindow(pid), second);
    EXPECT_EQ(platform::ax::setAttributeValue(world().find("bold"), "AXFocused", true), Error::success);
    EXPECT_EQ(world().attribute(world().find("bold"), "AXFocused"), Value(true));
    EXPECT_EQ(performAction(world().find("old"), "AXPress"), Error::success);
    world().setEnabled(world().find("bold"), false);
    EXPECT_EQ(performAction(world().find("bold"), "AXPress"), Error::cannotComplete);
    EXPECT_EQ(world().pendingMainBlocks(), 0U);
}

// "AXValue" of tabs and check boxes is an integer or a boolean, and a change keeps each one's form;
// one without a value takes an integer.
using SimValueForms = test_support::SimWorldTest;

TEST_F(SimValueForms, TabsAndCheckBoxesKeepTheFormOfTheirValue) {
    const int pid = world().launchApplication("com.example.host");
    world().loadFixture(pid, R"(window "W"
  AXTabGroup
    AXRadioButton "A" value=true name=a
    AXRadioButton "B" value=false name=b
    AXRadioButton "C" value=1 name=c
    AXRadioButton "D" name=d
  AXCheckBox "On" value=true name=on
  AXCheckBox "Count" value=1 name=count
  AXCheckBox "Unset" name=unset
)");
    struct Step {
        const char* pressed;
        std::vector<std::pair<const char*, Value>> values;
    };
    const Step steps[] = {
        {"b", {{"a", false}, {"b", true}, {"c", 0}, {"d", 0}}},
        {"d", {{"a", false}, {"b", false}, {"c", 0}, {"d", 1}}},
        {"a", {{"a", true}, {"b", false}, {"c", 0}, {"d", 0}}},
        {"on", {{"on", false}}},
        {"on", {{"on", true}}},
        {"count", {{"count", 0}}},
        {"count", {{"count", 1}}},
        {"unset", {{"unset", 1}}},
    };
    for (const auto& step : steps) {
        ASSERT_EQ(performAction(world().find(step.pressed), "AXPress"), Error::success);
        for (const auto& [name, value] : step.values) {
            EXPECT_EQ(copyAttributeValue(world().find(name), "AXValue").value, value)
                << step.pressed << " pressed, " << name;
        }
    }
}

// A failure injected into the reads of an attribute, and the error and value a read gives.
struct ReadFailure {
    const char* name;
    AttributeFailure failure;
    Error error;
    std::optional<Value> value;
};

class SimAccessibilityReadFailure : public SimAccessibility,
                                    public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(SimAccessibilityReadFailure, GivesItsErrorAndValue) {
    const ReadFailure& c = GetParam();
    const Element bold = world().find("bold");
    world().failAttribute(bold, "AXTitle", c.failure);
    const auto result = copyAttributeValue(bold, "AXTitle");
    EXPECT_EQ(result.error, c.error) << c.name;
    EXPECT_EQ(result.value, c.value) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SimAccessibilityReadFailure,
    ::testing::Values(ReadFailure{"None", AttributeFailure::none, Error::success, Value("Bold")},
                      ReadFailure{"Error", AttributeFailure::error, Error::cannotComplete, std::nullopt},
                      ReadFailure{"NoValue", AttributeFailure::noValue, Error::success, std::nullopt},
                      ReadFailure{"WrongType", AttributeFailure::wrongType, Error::success,
                                  Value(platform::ax::OtherValue{"wrong"})}),
    test_support::NameOfCase{});

TEST_F(SimAccessibility, InjectedReadFailuresLeaveTheOtherRequestsAlone) {
    const Element bold = world().find("bold");
    world().failAttribute(bold, "AXTitle", AttributeFailure::wrongType);
    EXPECT_EQ(copyAttributeValue(bold, "AXRole").value, Value("AXCheckBox")) << "other attributes still read";
    EXPECT_EQ(copyAttributeValue(bold, "AXNoSuchThing").error, Error::attributeUnsupported);
    EXPECT_FALSE(copyAttributeValue(bold, "AXNoSuchThing").value);

    world().failActionNames(bold, true);
    EXPECT_EQ(platform::ax::copyActionNames(bold).error, Error::cannotComplete);
}

TEST_F(SimAccessibility, VanishedElementFailsEveryRequestAndActionsAreStillRecorded) {
    const Element bold = world().find("bold");
    world().vanish(bold);

    EXPECT_EQ(copyAttributeValue(bold, "AXRole").error, Error::invalidUIElement);
    EXPECT_EQ(platform::ax::copyActionNames(bold).error, Error::invalidUIElement);
    EXPECT_EQ(platform::ax::setAttributeValue(bold, "AXFocused", true), Error::invalidUIElement);
    EXPECT_EQ(performAction(bold, "AXPress"), Error::invalidUIElement);

    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].result, Error::invalidUIElement);
    EXPECT_EQ(world().actions()[0].title, "Bold");
    EXPECT_EQ(world().attribute(bold, "AXValue"), Value(0)) << "nothing happened to it";
}

// Without the Accessibility permission the platform refuses every request of another process.
TEST_F(SimAccessibility, WithoutThePermissionEveryRequestIsRefusedAndActionsAreStillRecorded) {
    const Element bold = world().find("bold");
    world().setPermissions({false, true, true});
    EXPECT_FALSE(platform::privacy::permissions().accessibility);

    EXPECT_EQ(copyAttributeValue(bold, "AXRole").error, Error::apiDisabled);
    EXPECT_EQ(copyAttributeValue(world().applicationElement(pid), "AXWindows").error, Error::apiDisabled);
    EXPECT_EQ(platform::ax::copyActionNames(bold).error, Error::apiDisabled);
    EXPECT_EQ(platform::ax::setAttributeValue(bold, "AXFocused", true), Error::apiDisabled);
    EXPECT_EQ(performAction(bold, "AXPress"), Error::apiDisabled);

    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].result, Error::apiDisabled);
    ASSERT_EQ(world().attributeSets().size(), 1U);
    EXPECT_EQ(world().attributeSets()[0].result, Error::apiDisabled);
    EXPECT_EQ(world().attribute(bold, "AXValue"), Value(0)) << "nothing happened to it";
    EXPECT_EQ(world().attribute(bold, "AXFocused"), std::nullopt);
}

TEST_F(SimAccessibility, ActionsOnOrdinaryAndDisabledElements) {
    const Element bold = world().find("bold");
    EXPECT_EQ(performAction(bold, "AXPress"), Error::success);
    EXPECT_EQ(world().attribute(bold, "AXValue"), Value(1));
    EXPECT_EQ(performAction(bold, "AXPress"), Error::success);
    EXPECT_EQ(world().attribute(bold, "AXValue"), Value(0));

    world().setEnabled(bold, false);
    EXPECT_EQ(performAction(bold, "AXPress"), Error::cannotComplete);
    EXPECT_EQ(world().attribute(bold, "AXValue"), Value(0));
    EXPECT_EQ(performAction(world().find("old"), "AXShowMenu"), Error::actionUnsupported);
    EXPECT_EQ(world().actions().size(), 4U);

    EXPECT_EQ(platform::ax::setAttributeValue(bold, "AXFocused", true), Error::success);
    EXPECT_EQ(copyAttributeValue(bold, "AXFocused").value, Value(true));
    ASSERT_EQ(world().attributeSets().size(), 1U);
    EXPECT_EQ(world().attributeSets()[0].role, "AXCheckBox");
    EXPECT_EQ(world().attributeSets()[0].value, Value(true));
}

using platform::ax::OtherValue;

// A value written to an attribute (made once the tree is there), and the result of the write.
struct Write {
    const char* name;
    Value (*value)();
    Error result;
};

class SimAccessibilityWrite : public SimAccessibility, public ::testing::WithParamInterface<Write> {};

// A write of a value without a platform form is refused and stores nothing.
TEST_P(SimAccessibilityWrite, IsStoredOrRefusedByTheFormOfItsValue) {
    const Write& c = GetParam();
    const Value value = c.value();
    const Element bold = world().find("bold");
    EXPECT_EQ(platform::ax::setAttributeValue(bold, "AXTestValue", value), c.result) << c.name;
    const auto read = copyAttributeValue(bold, "AXTestValue");
    if (c.result == Error::success) {
        EXPECT_EQ(read.value, value) << c.name;
    } else {
        EXPECT_NE(read.value, value) << c.name << ": the refused value is not stored";
    }
}

using platform::ax::PackedType;
using platform::ax::PackedValue;

INSTANTIATE_TEST_SUITE_P(
    Values, SimAccessibilityWrite,
    ::testing::Values(Write{"Boolean", [] { return Value(true); }, Error::success},
                      Write{"Integer", [] { return Value(7); }, Error::success},
                      Write{"Real", [] { return Value(0.5); }, Error::success},
                      Write{"String", [] { return Value("x"); }, Error::success},
                      Write{"Element", [] { return Value(world().find("old")); }, Error::success},
                      Write{"Point",
                            [] {
                                return Value(PackedValue::point({1, 2}));
                            },
                            Error::success},
                      Write{"ListOfStrings",
                            [] {
                                return Value(ValueList{"a", "b"});
                            },
                            Error::success},
                      Write{"Other", [] { return Value(OtherValue{"AXDate"}); }, Error::illegalArgument},
                      Write{"IllegalPackedValue",
                            [] {
                                return Value(PackedValue{PackedType::illegal, 1, 2});
                            },
                            Error::illegalArgument},
                      Write{"ListHoldingAnOther",
                            [] {
                                return Value(ValueList{"a", OtherValue{"AXDate"}});
                            },
                            Error::illegalArgument}),
    test_support::NameOfCase{});

// Refused before the element is looked at, as a conversion that fails is.
TEST_F(SimAccessibility, AWriteOfAValueWithoutAPlatformFormIsRefusedBeforeTheElementIsLookedAt) {
    const Element bold = world().find("bold");
    world().vanish(bold);
    EXPECT_EQ(platform::ax::setAttributeValue(bold, "AXTestValue", OtherValue{"AXDate"}),
              Error::illegalArgument);
}

TEST_F(SimAccessibility, ApplicationWindowsFocusAndRaise) {
    const Element app = platform::ax::createApplication(pid);
    EXPECT_EQ(app, world().applicationElement(pid));
    const Element first = *world().focusedWindow(pid);
    const Element second = world().addWindow(pid, "Book2");

    EXPECT_EQ(copyAttributeValue(app, "AXWindows").value, Value(ValueList{first, second}));
    EXPECT_EQ(copyAttributeValue(app, "AXFocusedWindow").value, Value(first));
    EXPECT_EQ(copyAttributeValue(second, "AXTitle").value, Value("Book2"));
    EXPECT_EQ(performAction(second, "AXRaise"), Error::success);
    EXPECT_EQ(copyAttributeValue(app, "AXFocusedWindow").value, Value(second));

    world().setFocusedWindow(pid, std::nullopt);
    EXPECT_FALSE(copyAttributeValue(app, "AXFocusedWindow").value);

    const Element stranger = platform::ax::createApplication(4242);
    EXPECT_NE(stranger, Element{});
    EXPECT_EQ(copyAttributeValue(stranger, "AXWindows").error, Error::invalidUIElement);
}

TEST_F(SimAccessibility, RequestsAreCountedByKindAndAttribute) {
    const Element bold = world().find("bold");
    world().clearRecords();
    copyAttributeValue(bold, "AXRole");
    copyAttributeValue(bold, "AXRole");
    copyAttributeValue(bold, "AXTitle");
    platform::ax::copyActionNames(bold);
    performAction(bold, "AXPress");

    EXPECT_EQ(world().requestCount("copyAttributeValue"), 3U);
    EXPECT_EQ(world().requestCount("copyAttributeValue AXRole"), 2U);
    EXPECT_EQ(world().requestCount("copyAttributeValue AXTitle"), 1U);
    EXPECT_EQ(world().requestCount("copyActionNames"), 1U);
    EXPECT_EQ(world().requestCount("performAction"), 1U);
    EXPECT_EQ(world().requestCounts().size(), 5U);
}

TEST_F(SimAccessibility, DescriptionNamesRoleAndEscapedTitle) {
    const Element odd = world().addElement(*world().focusedWindow(pid),
                                           {.role = "AXButton", .title = std::string("a\"b\\c\nd\0e", 9)});
    const std::string text = platform::ax::describe(odd);
    EXPECT_EQ(text, platform::ax::describe(odd));
    EXPECT_NE(text.find("AXButton \"a\\\"b\\\\c\\nd\\x00e\">"), std::string::npos) << text;
    EXPECT_NE(platform::ax::describe(world().find("bold")), text);
}

}  // namespace
