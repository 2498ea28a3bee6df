// Key-tip mode end to end: the road of one key press from the Option tap to the pressed command,
// every way of leaving the mode (with and without raising the remembered window), and presses that
// were queued before the mode ended.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "layer_fixture.hpp"

namespace layertest {
namespace {

using test_support::PrintTo;

using platform::Point;
using platform::Size;
using platform::ax::Value;
using platform::sim::ElementSetup;

class KeyTipMode : public LayerTest {};

TEST_F(KeyTipMode, OptionThenHThenOnePressesBold) {
    start(R"(window "Book1"
  AXButton "Save" pos=10,10 size=16,16 name=save
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXTabGroup
    AXRadioButton "Home" value=0 pos=10,40 size=40,20 name=home
    AXRadioButton "Insert" value=1 pos=60,40 size=40,20 name=insert
  AXGroup name=content
)");
    const auto panel = world().createDetached(ElementSetup{.role = "AXGroup"});
    world().addElement(panel, ElementSetup{.role = "AXCheckBox",
                                           .title = "Bold",
                                           .value = Value(0),
                                           .position = Point{10, 80},
                                           .size = Size{20, 20},
                                           .name = "bold"});
    world().addElement(panel, ElementSetup{.role = "AXCheckBox",
                                           .title = "Italic",
                                           .value = Value(0),
                                           .position = Point{40, 80},
                                           .size = Size{20, 20}});
    world().setTabPanel(el("home"), el("content"), panel);

    // Option down and up alone: both reach the host; the mode opens at once, the labels with the queue.
    EXPECT_TRUE(world().deliver(world().flagsChanged(keys::leftOption, optionFlag)));
    EXPECT_TRUE(world().deliver(world().flagsChanged(keys::leftOption, 0)));
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
    EXPECT_TRUE(labels().empty());
    world().pump();
    EXPECT_EQ(labels(keytips::firstLayerCategory), (std::vector<std::string>{"1", "H", "N"}));

    // "h" is swallowed and switches to the second layer at once; the queued press opens the tab.
    EXPECT_FALSE(press(keyCodeOf('h'), "h"));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    EXPECT_FALSE(tips->mode().isFirstLayerActive());
    world().pump();
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Home"}));
    EXPECT_TRUE(loggedInOrder("This is the identifier: Home", "Performing Action Home"));
    EXPECT_TRUE(loggedInOrder("Performing Action Home", "This is the source: Home"));
    EXPECT_TRUE(logged("VELKARO WINDOWS || Window Title: Book1"));
    EXPECT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(labels("second").size(), 2U);
    EXPECT_EQ(tips->mode().layerHistory(), (std::vector<std::string>{"Home"}));

    // "1" is the final command Bold: the labels go, then the check box is pressed.
    EXPECT_FALSE(press(keyCodeOf('1'), "1"));
    world().pump();
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXPress Home", "AXPress Bold"}));
    EXPECT_EQ(world().attribute(el("bold"), "AXValue"), Value(1));
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(idle());
    EXPECT_TRUE(tips->mode().layerHistory().empty());
    EXPECT_EQ(world().pendingMainBlocks() + world().pendingDelayedBlocks(), 0U);
}

// How the mode is left, whether the host gets the event, and whether the remembered window is raised
// and popovers are cancelled. `leave` delivers the events; the queue is pumped afterwards.
struct WayOut {
    const char* name;
    // Whether the host received the (last) event; none for a notification, which is no event.
    std::function<std::optional<bool>()> leave;
    std::optional<bool> passes;
    bool windowStep;
    // Whether the mode ends at once, not in a block queued for the main queue.
    bool atOnce = false;
};

// A modifier key goes down; whether the host received the event.
bool modifierDown(std::uint16_t keyCode, platform::appkit::ModifierFlags flag) {
    return world().deliver(platform::sim::World::flagsChanged(keyCode, flag)).has_value();
}

std::vector<WayOut> waysOut() {
    using W = platform::sim::World;
    return {
        {"Escape", [] { return world().deliver(W::keyDown(keys::escape, "\x1b")).has_value(); }, false, true},
        {"Return", [] { return world().deliver(W::keyDown(keys::returnKey, "\r")).has_value(); }, true,
         false},
        {"second Option tap",
         [] {
             world().deliver(W::flagsChanged(keys::leftOption, optionFlag));
             return world().deliver(W::flagsChanged(keys::leftOption, 0)).has_value();
         },
         true, true},
        {"right Option tap",
         [] {
             world().deliver(W::flagsChanged(keys::rightOption, optionFlag));
             return world().deliver(W::flagsChanged(keys::rightOption, 0)).has_value();
         },
         true, true},
        {"Shift down", [] { return modifierDown(keys::shift, platform::appkit::shiftFlag); }, true, true},
        {"Control down", [] { return modifierDown(keys::control, platform::appkit::controlFlag); }, true,
         true},
        {"Command down", [] { return modifierDown(keys::command, platform::appkit::commandFlag); }, true,
         true},
        {"Caps Lock down", [] { return modifierDown(keys::capsLock, platform::appkit::capsLockFlag); }, true,
         true},
        {"Function down", [] { return modifierDown(keys::function, platform::appkit::functionFlag); }, true,
         true},
        {"left click", [] { return world().deliver(W::mouseDown(true)).has_value(); }, true, true},
        {"right click", [] { return world().deliver(W::mouseDown(false)).has_value(); }, true, true},
        {"host resigns active",
         []() -> std::optional<bool> {
             world().postNotification(platform::appkit::applicationDidResignActiveNotification);
             return std::nullopt;
         },
         std::nullopt, true, true},
    };
}

// The layer tests' window with Save alone in the toolbar, Bold alone in the Home layer and a popover.
const std::string windowWithPopover = [] {
    test_support::HostWindow window = layerWindow();
    window.toolbar = {"Save"};
    window.moreCommands = "  AXPopover \"Gallery\" pos=300,300 size=50,50 name=popover\n";
    return test_support::hostWindow(window);
}();

// The layer the mode is in when it is left.
struct ModeLayer {
    const char* name;
    bool second;
};

const ModeLayer modeLayers[] = {{"in the first layer", false}, {"in the second layer", true}};

class WayOutOfTheMode : public KeyTipMode,
                        public ::testing::WithParamInterface<std::tuple<WayOut, ModeLayer>> {
protected:
    // Opens the mode on the window with a popover, in the layer of the case.
    void openIn(const ModeLayer& layer) {
        start(windowWithPopover);
        tapOption();
        if (layer.second) {
            type("h");
        }
    }
};

TEST_P(WayOutOfTheMode, EndsItWithOrWithoutTheWindowStep) {
    const auto& [way, layer] = GetParam();
    openIn(layer);
    if (layer.second) {
        ASSERT_TRUE(tips->mode().isSecondLayerActive());
        ASSERT_EQ(labels(), (std::vector<std::string>{"1"}));
    } else {
        ASSERT_EQ(labels(), (std::vector<std::string>{"1", "H", "N"}));
    }
    world().clearRecords();

    EXPECT_EQ(way.leave(), way.passes);
    EXPECT_EQ(idle(), way.atOnce);
    EXPECT_EQ(world().pendingMainBlocks(), way.atOnce ? 0U : 1U);
    world().pump();

    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->mode().layerHistory().empty());
    const std::vector<std::string> expected =
        way.windowStep ? std::vector<std::string>{"AXRaise Book1", "AXCancel Gallery"}
                       : std::vector<std::string>{};
    EXPECT_EQ(actions(), expected);
    EXPECT_EQ(world().children(windows[0]).size(), way.windowStep ? 4U : 5U);
}

INSTANTIATE_TEST_SUITE_P(KeyTipMode, WayOutOfTheMode,
                         ::testing::Combine(::testing::ValuesIn(waysOut()), ::testing::ValuesIn(modeLayers)),
                         test_support::NameOfCase());

TEST_F(KeyTipMode, ArrowKeysPassAndKeepTheLabels) {
    start(windowWithPopover);
    tapOption();
    type("h");
    for (const std::uint16_t arrow : {keys::leftArrow, keys::rightArrow, keys::downArrow, keys::upArrow}) {
        EXPECT_TRUE(press(arrow)) << "key " << arrow;
        world().pump();
    }
    EXPECT_EQ(labels(), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
}

TEST_F(KeyTipMode, WindowStepRaisesTheRememberedWindowThenCancelsItsPopovers) {
    start(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXPopover "Gallery" pos=300,300 size=50,50
window "Find"
  AXPopover "Other" pos=300,300 size=50,50
)");
    tapOption();
    EXPECT_EQ(tips->windowTitle(), "Book1");
    // The host's focus moved on to another window while the labels were up.
    world().setFocusedWindow(pid, windows[1]);
    world().clearRecords();
    press(keys::escape, "\x1b");
    world().pump();
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1", "AXCancel Gallery"}));
    EXPECT_EQ(world().focusedWindow(pid), windows[0]);
    EXPECT_TRUE(logged("Window Title: Book1"));
    EXPECT_TRUE(logged("Possible Actions: [\"AXPress\", \"AXRaise\"]"));
    EXPECT_TRUE(logged("Window Title: Find"));
}

// Of two windows with the remembered title the first is raised, and every popover it shows is
// cancelled, not only the first.
TEST_F(KeyTipMode, WindowStepRaisesTheFirstWindowOfTheTitleAndCancelsEachPopover) {
    start(R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=200,10 size=16,16
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXPopover "Gallery" pos=300,300 size=50,50
  AXPopover "Colours" pos=360,300 size=50,50
window "Book1"
  AXButton "Other" pos=300,300 size=50,50
)");
    tapOption();
    world().setFocusedWindow(pid, windows[1]);
    world().clearRecords();
    press(keys::escape, "\x1b");
    world().pump();
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXRaise Book1", "AXCancel Gallery", "AXCancel Colours"}));
    ASSERT_FALSE(world().actions().empty());
    EXPECT_EQ(world().actions()[0].element, windows[0]);
    EXPECT_EQ(world().focusedWindow(pid), windows[0]);
}

TEST_F(KeyTipMode, WindowStepWithoutTheRememberedWindowStillCancelsPopovers) {
    start(windowWithPopover);
    tapOption();
    world().setAttribute(windows[0], "AXTitle", Value("Book1 (renamed)"));
    world().clearRecords();
    press(keys::escape, "\x1b");
    world().pump();
    EXPECT_TRUE(logged("No window found with title: Book1"));
    EXPECT_EQ(actions(), (std::vector<std::string>{"AXCancel Gallery"}));
}

// Every way out but the host resigning active, which ends the mode at once: the key that follows it
// is not the mode's any more.
std::vector<WayOut> waysOutByAQueuedShutdown() {
    std::vector<WayOut> ways = waysOut();
    std::erase_if(ways, [](const WayOut& way) { return way.atOnce; });
    return ways;
}

// A key typed after a way out but before the queued shutdown has run belongs to a mode that has
// ended: its queued press must not touch the host.
class PressQueuedBehindAShutdown : public WayOutOfTheMode {};

TEST_P(PressQueuedBehindAShutdown, DoesNothing) {
    const auto& [way, layer] = GetParam();
    const bool inSecondLayer = layer.second;
    openIn(layer);
    world().clearRecords();

    way.leave();
    // "n" would press the Insert tab, "1" the Bold check box.
    EXPECT_FALSE(press(keyCodeOf(inSecondLayer ? '1' : 'n'), inSecondLayer ? "1" : "n"));
    world().pump();

    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    for (const std::string& action : actions()) {
        EXPECT_EQ(action.find("AXPress"), std::string::npos) << action;
    }
    EXPECT_FALSE(logged("This is the source: Insert"));
    EXPECT_EQ(world().attribute(el("bold"), "AXValue"), Value(0));
}

INSTANTIATE_TEST_SUITE_P(KeyTipMode, PressQueuedBehindAShutdown,
                         ::testing::Combine(::testing::ValuesIn(waysOutByAQueuedShutdown()),
                                            ::testing::ValuesIn(modeLayers)),
                         test_support::NameOfCase());

// A key typed while the tab press is still queued goes to the second layer at once. When the tab press
// then fails, the mode has ended: that key must not act, neither as a command through an element an
// earlier opening of the layer recorded, nor as a key that matches nothing, which would leave a trace
// of the layer in the log.
struct QueuedKey {
    const char* name;
    char key;
    bool homeOpenedBefore;  // Home's layer was open once before, recording Bold's element
};

const QueuedKey queuedKeys[] = {{"command recorded earlier", '1', true},
                                {"key without a command", 'b', false}};

class PressQueuedBehindAFailedTabPress : public KeyTipMode,
                                         public ::testing::WithParamInterface<QueuedKey> {};

TEST_P(PressQueuedBehindAFailedTabPress, DoesNothing) {
    const QueuedKey& c = GetParam();
    start();
    if (c.homeOpenedBefore) {
        tapOption();
        type("h");
        ASSERT_EQ(labels(), (std::vector<std::string>{"1", "2"}));
        press(keys::escape, "\x1b");
        world().pump();
    }

    world().setEnabled(el("home"), false);
    tapOption();
    world().clearRecords();
    type(std::string{'h', c.key}, Pump::never);
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
    world().pump();

    EXPECT_TRUE(logged("Element with title is not enabled"));
    EXPECT_FALSE(logged("VELKARO || Layer 2: No access keys found starting with " + std::string(1, c.key)));
    EXPECT_TRUE(actions().empty());
    EXPECT_EQ(world().attribute(el("bold"), "AXValue"), Value(0));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(tips->mode().keyBuffer().empty());
    EXPECT_TRUE(labels().empty());
}

INSTANTIATE_TEST_SUITE_P(KeyTipMode, PressQueuedBehindAFailedTabPress, ::testing::ValuesIn(queuedKeys),
                         test_support::NameOfCase());

}  // namespace
}  // namespace layertest
