// Monitors, windows, text fields, scripts and the other records of the simulated world.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/appkit.hpp"
#include "platform/foundation.hpp"
#include "platform/sim/world.hpp"
#include "support/sim_world_test.hpp"

namespace {

using namespace platform::appkit;
using platform::Rect;
using platform::sim::ScriptAnswer;
using platform::sim::WindowEvent;
using platform::sim::World;
using platform::sim::world;

class SimAppKit : public test_support::SimWorldTest {};

TEST_F(SimAppKit, MonitorsSeeMatchingEventsInOrderAndASwallowStopsTheChain) {
    std::vector<std::string> seen;
    addLocalMonitorForEvents(keyDownMask, [&](const Event& event) -> std::optional<Event> {
        seen.push_back("first " + event.charactersIgnoringModifiers.value_or(""));
        if (event.charactersIgnoringModifiers == "x") {
            return std::nullopt;
        }
        Event changed = event;
        changed.keyCode = 99;
        return changed;
    });
    addLocalMonitorForEvents(keyDownMask | flagsChangedMask, [&](const Event& event) -> std::optional<Event> {
        seen.push_back("second " + std::to_string(event.keyCode));
        return event;
    });
    addLocalMonitorForEvents(leftMouseDownMask, [&](const Event& event) -> std::optional<Event> {
        seen.push_back("mouse");
        return event;
    });
    EXPECT_EQ(world().monitorCount(), 3U);

    EXPECT_FALSE(world().deliver(World::keyDown(7, "x")));
    const auto passed = world().deliver(World::keyDown(0, "a"));
    ASSERT_TRUE(passed);
    EXPECT_EQ(passed->keyCode, 99);
    EXPECT_TRUE(world().deliver(World::flagsChanged(58, 0)));
    EXPECT_TRUE(world().deliver(World::mouseDown(false)));  // no monitor for the right button

    EXPECT_EQ(seen, (std::vector<std::string>{"first x", "first a", "second 99", "second 58"}));
    ASSERT_EQ(world().hostReceived().size(), 3U);
    EXPECT_EQ(world().hostReceived()[0].keyCode, 99);
    EXPECT_EQ(world().hostReceived()[2].type, EventType::rightMouseDown);
}

// An event the world builds, with bare events or not, and the modifier flags it carries.
struct BuiltEvent {
    const char* name;
    bool bare;
    Event (*build)();
    ModifierFlags flags;
};

using test_support::PrintTo;

class SimAppKitBuiltEvent : public SimAppKit, public ::testing::WithParamInterface<BuiltEvent> {};

// The events the world builds carry the bits a Mac's events carry besides the modifiers, unless bare.
TEST_P(SimAppKitBuiltEvent, CarriesTheDeviceBitsUnlessBare) {
    const BuiltEvent& c = GetParam();
    world().setBareEvents(c.bare);
    EXPECT_EQ(c.build().modifierFlags, c.flags) << c.name;
}

using platform::sim::functionKeyFlag;
using platform::sim::nonCoalescedFlag;
using platform::sim::numericPadFlag;

INSTANTIATE_TEST_SUITE_P(
    Events, SimAppKitBuiltEvent,
    ::testing::Values(
        BuiltEvent{"Letter", false, [] { return World::keyDown(0, "a", optionFlag); },
                   optionFlag | nonCoalescedFlag},
        BuiltEvent{"Arrow", false, [] { return World::keyDown(126, std::nullopt, shiftFlag); },
                   shiftFlag | nonCoalescedFlag | numericPadFlag | functionKeyFlag},
        BuiltEvent{"OptionUp", false, [] { return World::flagsChanged(58, 0); }, nonCoalescedFlag},
        BuiltEvent{"CommandDown", false, [] { return World::flagsChanged(55, commandFlag); },
                   commandFlag | nonCoalescedFlag},
        BuiltEvent{"BareLetter", true, [] { return World::keyDown(0, "a", optionFlag); }, optionFlag},
        BuiltEvent{"BareArrow", true, [] { return World::keyDown(126, std::nullopt, shiftFlag); }, shiftFlag},
        BuiltEvent{"BareOptionUp", true, [] { return World::flagsChanged(58, 0); }, 0},
        BuiltEvent{"BareCommandDown", true, [] { return World::flagsChanged(55, commandFlag); },
                   commandFlag}),
    test_support::NameOfCase{});

// A mouse event carries no modifier; delivering a key or flags-changed event sets the modifiers held.
TEST_F(SimAppKit, MouseEventsCarryNoModifiersAndDeliverySetsTheHeldModifiers) {
    EXPECT_EQ(World::mouseDown().modifierFlags, 0U);

    world().setBareEvents(false);
    world().deliver(World::keyDown(126, std::nullopt, shiftFlag | commandFlag));
    EXPECT_EQ(world().heldModifierFlags(), shiftFlag | commandFlag);
    world().deliver(World::flagsChanged(56, commandFlag));
    EXPECT_EQ(world().heldModifierFlags(), commandFlag);
    world().deliver(World::mouseDown());
    EXPECT_EQ(world().heldModifierFlags(), commandFlag);
}

TEST_F(SimAppKit, ObserversRunWhenTheirNotificationIsPosted) {
    int calls = 0;
    addObserver(applicationDidResignActiveNotification, [&](const Notification&) { ++calls; });
    world().postNotification("SomethingElse");
    world().postNotification(applicationDidResignActiveNotification);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(world().observerCount(), 1U);
}

class LabelWindow : public Window {
public:
    LabelWindow(Rect frame, std::string letter, std::string category)
        : Window(frame, borderlessWindowMask, BackingStore::buffered, false) {
        setBackgroundColor(Color::blueColor().withAlphaComponent(0.5));
        setLevel(floatingWindowLevel);
        setIdentifier(std::move(category));
        TextField field(Rect{{0, 0}, frame.size});
        field.stringValue = std::move(letter);
        addSubview(field);
    }
};

TEST_F(SimAppKit, WindowRegistryAndLabelInformation) {
    auto first = std::make_unique<LabelWindow>(Rect{{120, 475}, {15, 15}}, "H", "layerAccessToolbar");
    Window plain(Rect{{0, 0}, {100, 100}}, 1, BackingStore::buffered, false);
    ASSERT_EQ(world().windows().size(), 2U);
    EXPECT_TRUE(world().visibleWindows().empty());

    first->makeKeyAndOrderFront();
    const auto info = world().visibleWindows();
    ASSERT_EQ(info.size(), 1U);
    EXPECT_EQ(info[0].window, first.get());
    EXPECT_EQ(info[0].frame, (Rect{{120, 475}, {15, 15}}));
    EXPECT_EQ(info[0].text, "H");
    EXPECT_EQ(info[0].category, "layerAccessToolbar");
    EXPECT_DOUBLE_EQ(info[0].backgroundAlpha, 0.5);
    EXPECT_EQ(info[0].level, floatingWindowLevel);
    EXPECT_FALSE(world().windows()[1].category);

    first->orderOut();
    first.reset();
    ASSERT_EQ(world().windows().size(), 1U);
    EXPECT_EQ(world().windows()[0].window, &plain);
    const auto events = world().windowEvents();
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(events[0].kind, WindowEvent::Kind::shown);
    EXPECT_EQ(events[1].kind, WindowEvent::Kind::orderedOut);
    EXPECT_FALSE(events[1].info.visible);
}

TEST_F(SimAppKit, AWindowKeepsWhatItWasGiven) {
    Window window(Rect{{0, 0}, {15, 15}}, borderlessWindowMask, BackingStore::buffered, false);
    EXPECT_FALSE(window.identifier());
    TextField field(Rect{{1, 2}, {10, 10}});
    field.stringValue = "H";
    window.addSubview(field);
    field.stringValue = "B";  // a later change of the description does not reach the window
    window.setIdentifier("first");
    window.setIdentifier("second");
    window.makeKeyAndOrderFront();
    ASSERT_EQ(window.contentView().subviews.size(), 1U);
    EXPECT_EQ(window.contentView().subviews[0].stringValue, "H");
    EXPECT_EQ(window.contentView().subviews[0].frame, (Rect{{1, 2}, {10, 10}}));
    const auto shown = world().visibleWindows();
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].text, "H");
    EXPECT_EQ(shown[0].category, "second");
}

// A text field's text and font size, and the size it fits to.
struct FittedText {
    const char* name;
    const char* text;
    double fontSize;
    double width;
    double height;
};

class SimTextField : public ::testing::TestWithParam<FittedText> {};

TEST_P(SimTextField, SizeToFitCountsCodePoints) {
    const FittedText& c = GetParam();
    TextField field(Rect{{3, 4}, {100, 100}});
    field.stringValue = c.text;
    field.fontSize = c.fontSize;
    field.sizeToFit();
    EXPECT_EQ(field.frame, (Rect{{3, 4}, {c.width, c.height}})) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SimTextField,
    ::testing::Values(FittedText{"Empty", "", 12, 4, 15}, FittedText{"OneLetter", "H", 12, 11, 15},
                      FittedText{"TwoLetters", "HB", 12, 18, 15},
                      // é: one code point in two bytes
                      FittedText{"TwoByteCodePoint", "\xc3\xa9", 12, 11, 15},
                      FittedText{"ThreeAndFourByteSequences", "\xe6\x97\xa5\xf0\x9f\x98\x80", 12, 18, 15},
                      // invalid bytes count one each
                      FittedText{"InvalidBytes", "\xff\xfe", 12, 18, 15},
                      // a cut sequence too
                      FittedText{"CutSequence", "\xe6\x97", 12, 18, 15},
                      FittedText{"LargerFont", "H", 24, 18, 30}),
    test_support::NameOfCase{});

using platform::foundation::AppleScript;

// Scripts answer by the macro they name, as set here.
class SimScripts : public SimAppKit {
protected:
    void SetUp() override {
        SimAppKit::SetUp();
        world().setScriptAnswer("GetLanguageCode", ScriptAnswer::withErrorNumber(-1708));
        world().setScriptAnswer("GetEnableColumnSelector", ScriptAnswer::withoutString());
        world().setScriptAnswer("Broken", ScriptAnswer::creationFailure());
    }
};

// A script and the error or text its run gives.
struct ScriptRun {
    const char* name;
    const char* source;
    std::optional<std::string> error;
    std::optional<std::string> text;
};

const ScriptRun kScriptRuns[] = {
    {"Default", "run VB macro \"GetEnableKeyboardShortcuts\"", std::nullopt, "True"},
    {"Error", "run VB macro \"GetLanguageCode\"", ScriptAnswer::withErrorNumber(-1708).text, std::nullopt},
    {"WithoutString", "run VB macro \"GetEnableColumnSelector\"", std::nullopt, std::nullopt},
    {"Unknown", "run VB macro \"Unknown\"", std::nullopt, std::nullopt},
};

class SimScriptRun : public SimScripts, public ::testing::WithParamInterface<ScriptRun> {};

TEST_P(SimScriptRun, AnswersByTheMacroItNames) {
    const ScriptRun& c = GetParam();
    const auto script = AppleScript::create(c.source);
    ASSERT_TRUE(script) << c.source;
    const auto result = script->execute();
    EXPECT_EQ(result.errorDescription, c.error) << c.source;
    EXPECT_EQ(result.stringValue, c.text) << c.source;
}

INSTANTIATE_TEST_SUITE_P(Macros, SimScriptRun, ::testing::ValuesIn(kScriptRuns), test_support::NameOfCase{});

// Every run is recorded in order; a script that fails to be made is never run.
TEST_F(SimScripts, RunsAreRecordedInOrder) {
    for (const ScriptRun& c : kScriptRuns) {
        const auto script = AppleScript::create(c.source);
        ASSERT_TRUE(script) << c.source;
        (void)script->execute();
    }
    EXPECT_FALSE(AppleScript::create("run VB macro \"Broken\""));
    EXPECT_EQ(world().scriptsRun().size(), 4U);
    EXPECT_EQ(world().scriptsRun()[1], "run VB macro \"GetLanguageCode\"");
}

// A failed run's error dictionary as the platform prints it: several lines, quoted texts with
// characters beyond ASCII escaped, a bare number.
TEST(SimScriptErrors, ErrorDictionaryIsPrintedAsThePlatformPrintsIt) {
    EXPECT_EQ(ScriptAnswer::withErrorNumber(-1728).text,
              "{\n"
              "    NSAppleScriptErrorBriefMessage = \"Can\\U2019t get object.\";\n"
              "    NSAppleScriptErrorMessage = \"Can\\U2019t get object.\";\n"
              "    NSAppleScriptErrorNumber = -1728;\n"
              "    NSAppleScriptErrorRange = \"NSRange: {0, 0}\";\n"
              "}");
    EXPECT_EQ(ScriptAnswer::withErrorNumber(-1728).kind, ScriptAnswer::Kind::error);
    EXPECT_EQ(ScriptAnswer::withErrorNumber(-1, "Mine").text, platform::sim::errorDictionaryText(-1, "Mine"));
    EXPECT_EQ(platform::sim::scriptErrorMessage(-1234), "An error of type -1234 has occurred.");
}

// An error message and how the error dictionary prints it.
struct PrintedMessage {
    const char* name;
    const char* message;
    const char* printed;
};

class SimScriptErrorMessage : public ::testing::TestWithParam<PrintedMessage> {};

// A message is printed bare when it is one word of plain characters, quoted and escaped otherwise.
TEST_P(SimScriptErrorMessage, IsPrintedAsThePlatformPrintsIt) {
    const PrintedMessage& c = GetParam();
    const std::string text = platform::sim::errorDictionaryText(1, c.message);
    const std::string line = std::string("    NSAppleScriptErrorMessage = ") + c.printed + ";\n";
    EXPECT_NE(text.find(line), std::string::npos) << c.message << "\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SimScriptErrorMessage,
    ::testing::Values(PrintedMessage{"Plain", "Plain", "Plain"},
                      PrintedMessage{"WordCharacters", "a_b$c.d:e/f9", "a_b$c.d:e/f9"},
                      PrintedMessage{"Empty", "", "\"\""},
                      PrintedMessage{"TwoWords", "two words", "\"two words\""},
                      PrintedMessage{"QuotesAndBackslash", "say \"hi\" \\ now",
                                     "\"say \\\"hi\\\" \\\\ now\""},
                      PrintedMessage{"LineFeedAndTab", "line\nfeed\ttab", "\"line\\nfeed\\ttab\""},
                      PrintedMessage{"BeyondAscii", "caf\xc3\xa9", "\"caf\\U00e9\""},
                      // beyond the first plane: two UTF-16 units
                      PrintedMessage{"BeyondTheFirstPlane", "\xf0\x9f\x98\x80", "\"\\Ud83d\\Ude00\""},
                      PrintedMessage{"InvalidByte", "bad \xff byte", "\"bad \\U00ff byte\""}),
    test_support::NameOfCase{});

TEST_F(SimAppKit, AlertsUrlsLogAndWorkspaceAreRecorded) {
    Alert alert;
    alert.messageText = "Title";
    alert.addButton("OK");
    EXPECT_EQ(alert.runModal(), 1001);
    world().setAlertAnswer(alertFirstButtonReturn);
    EXPECT_EQ(alert.runModal(), 1000);
    ASSERT_EQ(world().alerts().size(), 2U);
    EXPECT_EQ(world().alerts()[0].buttons, std::vector<std::string>{"OK"});

    EXPECT_TRUE(openURL("x-apple.example:pane"));
    EXPECT_EQ(world().openedURLs(), std::vector<std::string>{"x-apple.example:pane"});

    const std::string withNul("100% %s\0end", 11);
    platform::foundation::log(withNul);
    platform::foundation::writeStandardOutput("out\n");
    EXPECT_EQ(world().logLines(), std::vector<std::string>{withNul});
    EXPECT_EQ(world().standardOutput(), "out\n");

    const int host = world().launchApplication("com.example.host");
    const int bare = world().launchApplication(std::nullopt);
    world().setFrontmost(bare);
    const auto running = runningApplications();
    ASSERT_EQ(running.size(), 2U);
    EXPECT_EQ(running[0].bundleIdentifier, "com.example.host");
    EXPECT_EQ(running[0].processIdentifier, host);
    EXPECT_FALSE(running[1].bundleIdentifier);
    EXPECT_EQ(frontmostApplication()->processIdentifier, bare);
    world().quitApplication(bare);
    EXPECT_FALSE(frontmostApplication());
    EXPECT_EQ(runningApplications().size(), 1U);
    EXPECT_EQ(world().requestCount("runningApplications"), 2U);
}

}  // namespace
