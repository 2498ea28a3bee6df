// The setting query, start-up and the entry points' log lines.
#include <string>
#include <vector>

#include "platform/privacy.hpp"
#include "tap_fixture.hpp"

namespace column_selector_test {
namespace {

struct SettingCase {
    std::string name;
    sim::ScriptAnswer answer;
    bool enabled = true;
    std::vector<std::string> log;
};

using test_support::PrintTo;

class Setting : public TapFixture, public ::testing::WithParamInterface<SettingCase> {};

// updateColumnSelector before start-up: the flag takes the answer, the query writes its lines and no
// tap is made.
TEST_P(Setting, UpdateStoresTheAnswer) {
    const SettingCase& c = GetParam();
    sim::world().setScriptAnswer("GetEnableColumnSelector", c.answer);
    column_selector::EnableColumnSelector = !c.enabled;

    column_selector::updateColumnSelector();

    EXPECT_EQ(column_selector::EnableColumnSelector.load(), c.enabled);
    EXPECT_EQ(logs(), c.log);
    EXPECT_EQ(sim::installedTapCount(), 0U);
}

using Answer = sim::ScriptAnswer;
const std::string willReturnFalse = "Function will return: false";

INSTANTIATE_TEST_SUITE_P(
    Answers, Setting,
    ::testing::Values(
        SettingCase{"True",
                    Answer::withText("True"),
                    true,
                    {"AppleScript returned value: True", "Function will return: true"}},
        SettingCase{"LowerCase",
                    Answer::withText("true"),
                    false,
                    {"AppleScript returned value: true", willReturnFalse}},
        SettingCase{"UpperCase",
                    Answer::withText("TRUE"),
                    false,
                    {"AppleScript returned value: TRUE", willReturnFalse}},
        SettingCase{"False",
                    Answer::withText("False"),
                    false,
                    {"AppleScript returned value: False", willReturnFalse}},
        SettingCase{"Empty", Answer::withText(""), false, {"AppleScript returned value: ", willReturnFalse}},
        SettingCase{"TrailingSpace",
                    Answer::withText("True "),
                    false,
                    {"AppleScript returned value: True ", willReturnFalse}},
        SettingCase{"TrailingLineFeed",
                    Answer::withText("True\n"),
                    false,
                    {"AppleScript returned value: True\n", willReturnFalse}},
        SettingCase{"PercentSigns",
                    Answer::withText("%s%n"),
                    false,
                    {"AppleScript returned value: %s%n", willReturnFalse}},
        SettingCase{"ExecutionError",
                    Answer::withError("{NSAppleScriptErrorNumber = -1743}"),
                    true,
                    {"AppleScript New Error: {NSAppleScriptErrorNumber = -1743}"}},
        // The platform prints the error dictionary over several lines; the log line carries all of it.
        SettingCase{"ExecutionErrorDictionary",
                    Answer::withErrorNumber(-1743),
                    true,
                    {"AppleScript New Error: " + Answer::withErrorNumber(-1743).text}},
        SettingCase{"NoString", Answer::withoutString(), true, {"No value returned by AppleScript"}},
        SettingCase{"NoScript", Answer::creationFailure(), true, {"No script executed"}}),
    test_support::NameOfCase());

using StartUp = TapFixture;

TEST_F(StartUp, RunsTheFixedScriptAndLogsInOrder) {
    start();
    const std::vector<std::string> scripts = sim::world().scriptsRun();
    EXPECT_EQ(scripts, std::vector<std::string>{settingScript});
    ASSERT_EQ(scripts.size(), 1U);
    EXPECT_EQ(scripts.front().size(), 91U);
    EXPECT_EQ(logs(), (std::vector<std::string>{
                          "AppleScript returned value: True", "Function will return: true",
                          "initializeEventMonitor function called", "Event monitor initialized"}));
    EXPECT_EQ(sim::installedTapCount(), 1U);
    EXPECT_TRUE(sim::firstTapEnabled());
}

// Why a tap cannot be made: a failure of the platform's own, or a permission the user has not given.
struct TapFailureCase {
    std::string name;
    platform::privacy::Permissions granted;
    bool injectFailure = false;
    std::string accessLine;  // what follows "Failed to create event tap"
};

class TapFailure : public TapFixture, public ::testing::WithParamInterface<TapFailureCase> {};

// The start-up says the tap failed, then whether the process may listen to events and post them, and
// returns at once; the setting read stays.
TEST_P(TapFailure, ReturnsAndKeepsTheSetting) {
    const TapFailureCase& c = GetParam();
    sim::world().setPermissions(c.granted);
    answer("False");
    bringToFront(Front::spreadsheet);
    if (c.injectFailure) {
        sim::failNextTapCreation();
    }

    column_selector::initializeEventMonitor();  // returns at once

    EXPECT_EQ(logs(), (std::vector<std::string>{"AppleScript returned value: False", willReturnFalse,
                                                "initializeEventMonitor function called",
                                                "Failed to create event tap", c.accessLine}));
    EXPECT_FALSE(column_selector::EnableColumnSelector.load());
    EXPECT_EQ(column_selector::currentEventTap(), nullptr);
    EXPECT_EQ(sim::installedTapCount(), 0U);
    const auto verdict = sim::injectTapEvent(down(space, cmd));
    EXPECT_TRUE(verdict.passed);
    EXPECT_TRUE(sim::postedEvents().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, TapFailure,
    ::testing::Values(
        TapFailureCase{"PlatformFailure",
                       {true, true, true},
                       true,
                       "Event tap permissions: listen to events allowed: yes, post events allowed: yes"},
        TapFailureCase{"NothingGranted",
                       {false, false, false},
                       false,
                       "Event tap permissions: listen to events allowed: no, post events allowed: no"},
        TapFailureCase{"ListeningOnly",
                       {false, true, false},
                       false,
                       "Event tap permissions: listen to events allowed: yes, post events allowed: no"}),
    test_support::NameOfCase());

TEST_F(StartUp, UnsupportedKeyWritesOneLineAndPostsNothing) {
    EXPECT_FALSE(column_selector::simulateCmdShift("x"));
    EXPECT_EQ(sim::world().standardOutput(), "Unsupported key: x\n");
    EXPECT_TRUE(sim::postedEvents().empty());
    EXPECT_TRUE(logs().empty());
}

}  // namespace
}  // namespace column_selector_test
