// The tap callback as the system drives it: which key-down events are deleted and what is posted in
// their place.
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "tap_fixture.hpp"

namespace column_selector_test {
namespace {

struct RemapCase {
    std::string name;
    bool on = true;
    Front front = Front::spreadsheet;
    KeyEvent typed;
    std::vector<KeyEvent> posted;  // empty: the typed event passes unchanged
    std::size_t frontmostQueries = 0;
};

using test_support::PrintTo;

class Remapping : public TapFixture, public ::testing::WithParamInterface<RemapCase> {};

TEST_P(Remapping, DeletesOrPassesAndPostsTheReplacement) {
    const RemapCase& c = GetParam();
    answer(c.on ? "True" : "False");
    bringToFront(c.front);
    start();
    const auto logsBefore = logs();
    const std::size_t queriesBefore = frontmostQueries();

    const auto verdict = sim::injectTapEvent(c.typed);

    const bool remapped = !c.posted.empty();
    EXPECT_EQ(verdict.passed, !remapped);
    // Posted events go back through the tap and pass: the host receives exactly them. A key that passes
    // reaches the host as the keyboard delivered it, with the bits besides the modifiers.
    EXPECT_EQ(verdict.hostReceived, remapped ? c.posted : std::vector<KeyEvent>{asDelivered(c.typed)});
    EXPECT_EQ(sim::postedEvents(), c.posted);
    EXPECT_EQ(frontmostQueries() - queriesBefore, c.frontmostQueries);
    EXPECT_EQ(logs(), logsBefore);
}

const Front excel = Front::spreadsheet;
const cg::EventFlags optShift = opt | shift;

INSTANTIATE_TEST_SUITE_P(
    Table, Remapping,
    ::testing::Values(
        RemapCase{"CommandSpace", true, excel, down(space, cmd), controlSpace(), 1},
        RemapCase{"CommandSpaceFlagOff", false, excel, down(space, cmd), {}, 0},
        RemapCase{"CommandSpaceOtherApp", true, Front::other, down(space, cmd), {}, 1},
        RemapCase{"CommandSpaceNoFrontmost", true, Front::none, down(space, cmd), {}, 1},
        RemapCase{"CommandSpaceAppWithoutBundle", true, Front::noBundle, down(space, cmd), {}, 1},
        RemapCase{"CommandSpaceBundleOtherCase", true, Front::wrongCase, down(space, cmd), {}, 1},
        RemapCase{"CommandShiftSpace", true, excel, down(space, cmd | shift), controlSpace(), 1},
        RemapCase{"CommandOptionSpace", true, excel, down(space, cmd | opt), controlSpace(), 1},
        RemapCase{"CommandControlSpace", true, excel, down(space, cmd | ctrl), controlSpace(), 1},
        RemapCase{"CommandSpaceCapsLock", true, excel, down(space, cmd | capsLock), controlSpace(), 1},
        RemapCase{"CommandOptionShiftSpace", true, excel, down(space, cmd | opt | shift), controlSpace(), 1},
        RemapCase{"OptionShiftRight", true, excel, down(rightArrow, optShift), commandShift(40, optShift), 1},
        RemapCase{"OptionShiftLeft", true, excel, down(leftArrow, optShift), commandShift(38, optShift), 1},
        RemapCase{"CommandOptionShiftRight", true, excel, down(rightArrow, cmd | optShift),
                  commandShift(40, cmd | optShift), 1},
        // Caps Lock is held too: the modifier-up events, whose flags are not set, carry it.
        RemapCase{"OptionShiftLeftCapsLock", true, excel, down(leftArrow, optShift | capsLock),
                  commandShift(38, optShift | capsLock), 1},
        RemapCase{"OptionShiftRightFlagOff", false, excel, down(rightArrow, opt | shift), {}, 0},
        RemapCase{"OptionShiftLeftOtherApp", true, Front::other, down(leftArrow, opt | shift), {}, 1},
        RemapCase{"OptionRight", true, excel, down(rightArrow, opt), {}, 0},
        RemapCase{"ShiftRight", true, excel, down(rightArrow, shift), {}, 0},
        RemapCase{"CommandRight", true, excel, down(rightArrow, cmd), {}, 0},
        RemapCase{"OptionShiftUp", true, excel, down(upArrow, opt | shift), {}, 0},
        RemapCase{"OptionShiftDown", true, excel, down(downArrow, opt | shift), {}, 0},
        RemapCase{"Space", true, excel, down(space), {}, 0},
        RemapCase{"ControlSpace", true, excel, down(space, ctrl), {}, 0},
        RemapCase{"OptionShiftSpace", true, excel, down(space, opt | shift), {}, 0},
        RemapCase{"LetterA", true, excel, down(0), {}, 0},
        RemapCase{"CommandK", true, excel, down(40, cmd | shift), {}, 0},
        // Key-up and modifier events are not tapped.
        RemapCase{"CommandSpaceKeyUp", true, excel, up(space, cmd), {}, 0},
        RemapCase{"FlagsChanged", true, excel, KeyEvent{cg::flagsChangedEvent, 55, false, cmd}, {}, 0}),
    test_support::NameOfCase());

using Tap = TapFixture;

// Ordinary typing, however modified, passes and never asks which application is frontmost.
TEST_F(Tap, OrdinaryKeysPassWithoutAskingForTheFrontmostApplication) {
    bringToFront(Front::spreadsheet);
    start();
    const std::vector<cg::EventFlags> modifiers = {0, shift, opt, ctrl, cmd | opt, cmd | ctrl, opt | ctrl};
    for (std::int64_t key = 0; key < 128; ++key) {
        for (cg::EventFlags flags : modifiers) {
            const bool remappable = (flags & cmd) != 0 && key == space;
            if (remappable) {
                continue;
            }
            const auto verdict = sim::injectTapEvent(down(key, flags));
            ASSERT_TRUE(verdict.passed) << key << " " << flags;
        }
    }
    EXPECT_EQ(frontmostQueries(), 0U);
    EXPECT_TRUE(sim::postedEvents().empty());
}

// Holding a remapped combination: each repeated key-down is remapped again, one whole sequence each.
TEST_F(Tap, AutoRepeatPostsOneSequencePerRepeat) {
    bringToFront(Front::spreadsheet);
    start();
    std::vector<KeyEvent> expected;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const auto verdict = sim::injectTapEvent(down(leftArrow, opt | shift));
        EXPECT_FALSE(verdict.passed);
        EXPECT_EQ(verdict.hostReceived, commandShift(38, opt | shift));
        const auto sequence = commandShift(38, opt | shift);
        expected.insert(expected.end(), sequence.begin(), sequence.end());
    }
    EXPECT_EQ(sim::postedEvents(), expected);
    EXPECT_EQ(sim::hostReceivedKeyEvents(), expected);
}

// A remapped combination typed while the `failing`th of its replacement events cannot be created.
struct CreationFailure {
    std::string name;
    KeyEvent typed;
    std::size_t failing;
};

std::vector<CreationFailure> creationFailures() {
    struct Combination {
        const char* name;
        KeyEvent typed;
        std::vector<KeyEvent> posted;
    };
    const Combination combinations[] = {
        {"Command Space", down(space, cmd), controlSpace()},
        {"Option Shift Right", down(rightArrow, opt | shift), commandShift(40, opt | shift)},
        {"Option Shift Left", down(leftArrow, opt | shift), commandShift(38, opt | shift)},
    };
    std::vector<CreationFailure> failures;
    for (const Combination& combination : combinations) {
        for (std::size_t failing = 1; failing <= combination.posted.size(); ++failing) {
            failures.push_back({std::string(combination.name) + " creation " + std::to_string(failing),
                                combination.typed, failing});
        }
    }
    return failures;
}

// A sequence with any event that cannot be created posts nothing, logs one line, and the user's own
// key passes; once creation works again the key is remapped.
class EventCreationFailure : public TapFixture, public ::testing::WithParamInterface<CreationFailure> {};

TEST_P(EventCreationFailure, PostsNothingAndPassesTheKey) {
    const CreationFailure& combination = GetParam();
    const std::size_t failing = combination.failing;
    bringToFront(Front::spreadsheet);
    start();
    sim::failKeyboardEventCreation(failing);
    const auto logsBefore = logs().size();
    const auto verdict = sim::injectTapEvent(combination.typed);
    EXPECT_TRUE(verdict.passed);
    EXPECT_EQ(verdict.hostReceived, std::vector<KeyEvent>{asDelivered(combination.typed)});
    EXPECT_TRUE(sim::postedEvents().empty());
    const auto lines = logs();
    ASSERT_EQ(lines.size(), logsBefore + 1);
    EXPECT_EQ(lines.back(), "Failed to create the replacement key events, key passed unchanged");
    sim::failKeyboardEventCreation(std::nullopt);
    const auto again = sim::injectTapEvent(down(space, cmd));
    EXPECT_FALSE(again.passed);
    EXPECT_EQ(sim::postedEvents(), controlSpace());
}

INSTANTIATE_TEST_SUITE_P(Tap, EventCreationFailure, ::testing::ValuesIn(creationFailures()),
                         test_support::NameOfCase());

// Without an event source the events are made without one and the whole sequence is posted; the
// modifier-up events, made without a source, then carry no held modifier.
TEST_F(Tap, EventSourceFailureStillPostsTheSequence) {
    bringToFront(Front::spreadsheet);
    start();
    sim::failEventSourceCreation(true);
    const auto verdict = sim::injectTapEvent(down(rightArrow, opt | shift));
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(sim::postedEvents(), commandShift(40, 0));
}

// The system's tap-disabled notifications switch the tap on again, whatever the setting and the
// frontmost application, and are deleted.
struct DisabledBy {
    const char* name;
    cg::EventType type;
};

struct SettingAnswer {
    const char* name;
    bool on;
};

struct FrontApplication {
    const char* name;
    Front front;
};

const DisabledBy disabledBy[] = {{"timeout", cg::tapDisabledByTimeout},
                                 {"user input", cg::tapDisabledByUserInput}};
const SettingAnswer settingAnswers[] = {{"setting off", false}, {"setting on", true}};
const FrontApplication frontApplications[] = {{"spreadsheet in front", Front::spreadsheet},
                                              {"other application in front", Front::other}};

class DisabledNotification
    : public TapFixture,
      public ::testing::WithParamInterface<std::tuple<DisabledBy, SettingAnswer, FrontApplication>> {};

TEST_P(DisabledNotification, ReenablesTheTap) {
    const auto& [disabled, setting, front] = GetParam();
    const cg::EventType type = disabled.type;
    answer(setting.on ? "True" : "False");
    bringToFront(front.front);
    start();
    const auto logsBefore = logs().size();

    const auto verdict = sim::injectTapEvent(KeyEvent{type, 0, false, 0});

    EXPECT_FALSE(verdict.passed);
    EXPECT_TRUE(verdict.hostReceived.empty());
    EXPECT_TRUE(sim::firstTapEnabled());
    const auto lines = logs();
    ASSERT_EQ(lines.size(), logsBefore + 1);
    EXPECT_EQ(lines.back(), "Event tap disabled, re-enabling");
    EXPECT_TRUE(sim::postedEvents().empty());
    EXPECT_EQ(frontmostQueries(), 0U);
}

INSTANTIATE_TEST_SUITE_P(AnySettingAnyApplication, DisabledNotification,
                         ::testing::Combine(::testing::ValuesIn(disabledBy),
                                            ::testing::ValuesIn(settingAnswers),
                                            ::testing::ValuesIn(frontApplications)),
                         test_support::NameOfCase());

// After re-enabling, the tap remaps again.
TEST_F(Tap, RemapsAgainAfterBeingReenabled) {
    bringToFront(Front::spreadsheet);
    start();
    sim::injectTapEvent(KeyEvent{cg::tapDisabledByTimeout, 0, false, 0});
    const auto verdict = sim::injectTapEvent(down(space, cmd));
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(verdict.hostReceived, controlSpace());
}

}  // namespace
}  // namespace column_selector_test
