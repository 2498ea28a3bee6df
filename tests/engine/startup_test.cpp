// Start-up and the host queries: the enable and language answers with their log lines, the
// unsupported-language alert, the order of the start-up steps, repeated start-up, the enable update
// and the choice of the active key tables.
#include <string>
#include <tuple>
#include <vector>

#include "engine_test_support.hpp"
#include "tables/spreadsheet.hpp"

namespace enginetest {
namespace {

using test_support::PrintTo;

using platform::sim::ScriptAnswer;
using Lines = std::vector<std::string>;

const std::string enableScript =
    "tell application \"Microsoft Excel\"\n  return run VB macro \"GetEnableKeyboardShortcuts\"\nend tell";
const std::string languageScript =
    "tell application \"Microsoft Excel\"\n    run VB macro \"GetLanguageCode\"\nend tell";
const std::string settingsURL = "x-apple.systempreferences:com.apple.Localization-Settings.extension";
const std::string informativeText =
    "Keyvane is not available in your current language. To use Keyvane, please set Excel's language to "
    "either English (US) or English (UK). You can do this by adding the desired language to your Preferred "
    "Languages in macOS Settings and dragging it to the top of the list, or by changing the language "
    "specifically for Excel in the Applications section at the bottom.";

// The lines of a language query answered "1033" and of the rest of a supported start-up.
const Lines usLanguageAndTail{"Velkaro: Excel Language Code: 1033", "VELKARO Locale: System 1033",
                              "VELKARO || monitorKeyboardEvents function called",
                              "VELKARO || Event monitors initialized"};

Lines concat(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

using StartUp = EngineTest;

TEST_F(StartUp, ScriptTextsAreExact) {
    start();
    const Lines scripts = world().scriptsRun();
    EXPECT_EQ(scripts, (Lines{enableScript, languageScript}));
    ASSERT_EQ(scripts.size(), 2U);
    EXPECT_EQ(scripts[0].size(), 94U);
    EXPECT_EQ(scripts[1].size(), 78U);
}

struct EnableAnswer {
    const char* name;
    ScriptAnswer answer;
    bool enabled;
    Lines lines;
};

class EnableAnswers : public EngineTest, public ::testing::WithParamInterface<EnableAnswer> {};

std::vector<EnableAnswer> enableAnswers() {
    const std::string megabyte(1 << 20, 'T');
    const std::string withNul("Tr\0ue", 5);
    return {
        {"True",
         ScriptAnswer::withText("True"),
         true,
         {"AppleScript returned value: True", "Function will return: true"}},
        {"lower-case true",
         ScriptAnswer::withText("true"),
         false,
         {"AppleScript returned value: true", "Function will return: false"}},
        {"upper-case TRUE",
         ScriptAnswer::withText("TRUE"),
         false,
         {"AppleScript returned value: TRUE", "Function will return: false"}},
        {"trailing space",
         ScriptAnswer::withText("True "),
         false,
         {"AppleScript returned value: True ", "Function will return: false"}},
        {"one",
         ScriptAnswer::withText("1"),
         false,
         {"AppleScript returned value: 1", "Function will return: false"}},
        {"empty",
         ScriptAnswer::withText(""),
         false,
         {"AppleScript returned value: ", "Function will return: false"}},
        {"trailing newline",
         ScriptAnswer::withText("True\n"),
         false,
         {"AppleScript returned value: True\n", "Function will return: false"}},
        {"format directives",
         ScriptAnswer::withText("%@ %n %s"),
         false,
         {"AppleScript returned value: %@ %n %s", "Function will return: false"}},
        {"stray bytes before True",
         ScriptAnswer::withText("\xff\xfeTrue"),
         false,
         {"AppleScript returned value: \xff\xfeTrue", "Function will return: false"}},
        {"embedded NUL",
         ScriptAnswer::withText(withNul),
         false,
         {"AppleScript returned value: " + withNul, "Function will return: false"}},
        {"a megabyte",
         ScriptAnswer::withText(megabyte),
         false,
         {"AppleScript returned value: " + megabyte, "Function will return: false"}},
        {"script error",
         ScriptAnswer::withError("{NSAppleScriptErrorNumber = -1728; %@}"),
         true,
         {"AppleScript New Error: {NSAppleScriptErrorNumber = -1728; %@}"}},
        {"no string", ScriptAnswer::withoutString(), true, {"No value returned by AppleScript"}},
        {"script not created", ScriptAnswer::creationFailure(), true, {"No script executed"}},
    };
}

TEST_P(EnableAnswers, SetTheSettingAndLogTheAnswer) {
    const EnableAnswer& c = GetParam();
    world().setScriptAnswer("GetEnableKeyboardShortcuts", c.answer);
    start();
    EXPECT_EQ(tips->EnableAccessKeys, c.enabled) << c.name;
    EXPECT_EQ(world().logLines(), concat(c.lines, usLanguageAndTail)) << c.name;
    // The language query, the tables and the monitors happen whatever the setting.
    EXPECT_EQ(world().monitorCount(), 4U) << c.name;
    EXPECT_EQ(tips->AccessKeys.ribbonKeys.size(), 2U) << c.name;
    EXPECT_EQ(world().alerts().size(), 0U) << c.name;
}

INSTANTIATE_TEST_SUITE_P(StartUp, EnableAnswers, ::testing::ValuesIn(enableAnswers()),
                         test_support::NameOfCase());

struct LanguageAnswer {
    const char* name;
    ScriptAnswer answer;
    std::string language;
    Lines lines;  // the language query's lines and the locale line
    bool alert;
    std::size_t ribbonRows;
};

class LanguageAnswers : public EngineTest, public ::testing::WithParamInterface<LanguageAnswer> {};

std::vector<LanguageAnswer> languageAnswers() {
    return {
        {"US English",
         ScriptAnswer::withText("1033"),
         "1033",
         {"Velkaro: Excel Language Code: 1033", "VELKARO Locale: System 1033"},
         false,
         2},
        {"UK English",
         ScriptAnswer::withText("2057"),
         "2057",
         {"Velkaro: Excel Language Code: 2057", "VELKARO Locale: System 2057"},
         false,
         1},
        {"German",
         ScriptAnswer::withText("1031"),
         "1031",
         {"Velkaro: Excel Language Code: 1031", "VELKARO Locale: System 1031"},
         true,
         0},
        {"empty",
         ScriptAnswer::withText(""),
         "",
         {"Velkaro: Excel Language Code: ", "VELKARO Locale: System "},
         true,
         0},
        {"leading space",
         ScriptAnswer::withText(" 2057"),
         " 2057",
         {"Velkaro: Excel Language Code:  2057", "VELKARO Locale: System  2057"},
         true,
         0},
        {"trailing newline",
         ScriptAnswer::withText("1033\n"),
         "1033\n",
         {"Velkaro: Excel Language Code: 1033\n", "VELKARO Locale: System 1033\n"},
         true,
         0},
        {"format directives",
         ScriptAnswer::withText("%@%n"),
         "%@%n",
         {"Velkaro: Excel Language Code: %@%n", "VELKARO Locale: System %@%n"},
         true,
         0},
        {"script error",
         ScriptAnswer::withError("%s boom"),
         "",
         {"Velkaro: AppleScript Error: %s boom", "Velkaro: No value returned by AppleScript",
          "VELKARO Locale: System "},
         true,
         0},
        {"no string",
         ScriptAnswer::withoutString(),
         "",
         {"Velkaro: No value returned by AppleScript", "VELKARO Locale: System "},
         true,
         0},
        {"script not created",
         ScriptAnswer::creationFailure(),
         "",
         {"Velkaro: No script executed", "VELKARO Locale: System "},
         true,
         0},
    };
}

TEST_P(LanguageAnswers, SetTheLanguageTablesAndAlert) {
    const LanguageAnswer& c = GetParam();
    const Lines enableLines{"AppleScript returned value: True", "Function will return: true"};
    const Lines tail{"VELKARO || monitorKeyboardEvents function called",
                     "VELKARO || Event monitors initialized"};
    world().setScriptAnswer("GetLanguageCode", c.answer);
    start();
    EXPECT_EQ(tips->language, c.language) << c.name;
    EXPECT_EQ(world().logLines(), concat(concat(enableLines, c.lines), tail)) << c.name;
    EXPECT_EQ(world().alerts().size(), c.alert ? 1U : 0U) << c.name;
    EXPECT_EQ(tips->AccessKeys.ribbonKeys.size(), c.ribbonRows) << c.name;
    EXPECT_EQ(world().monitorCount(), 4U) << c.name;
    EXPECT_EQ(world().observerCount(), 1U) << c.name;
}

INSTANTIATE_TEST_SUITE_P(StartUp, LanguageAnswers, ::testing::ValuesIn(languageAnswers()),
                         test_support::NameOfCase());

struct AlertAnswer {
    const char* name;
    long answer;
    Lines urls;
};

class UnsupportedLanguageAlert : public EngineTest, public ::testing::WithParamInterface<AlertAnswer> {};

std::vector<AlertAnswer> alertAnswers() {
    return {{"first button, 1000", 1000, {settingsURL}},
            {"second button, 1001", 1001, {}},
            {"third button, 1002", 1002, {}},
            {"stopped, -1000", -1000, {}}};
}

TEST_P(UnsupportedLanguageAlert, ShowsItsButtonsAndStartUpGoesOn) {
    const AlertAnswer& c = GetParam();
    launchHost(bookFixture);
    world().setScriptAnswer("GetLanguageCode", ScriptAnswer::withText("1031"));
    world().setAlertAnswer(c.answer);
    start();
    const auto alerts = world().alerts();
    ASSERT_EQ(alerts.size(), 1U) << c.answer;
    EXPECT_EQ(alerts[0].messageText, "Velkaro Keyvane");
    EXPECT_EQ(alerts[0].informativeText, informativeText);
    EXPECT_EQ(alerts[0].style, appkit::AlertStyle::warning);
    EXPECT_EQ(alerts[0].buttons, (Lines{"Open Language Settings", "Cancel"}));
    EXPECT_EQ(world().openedURLs(), c.urls) << c.answer;
    // Start-up goes on after either button: the tables stay empty, the monitors serve.
    EXPECT_EQ(
        logSince(world().logLines().size() - 2),
        (Lines{"VELKARO || monitorKeyboardEvents function called", "VELKARO || Event monitors initialized"}));
    EXPECT_TRUE(tips->AccessKeys.ribbonKeys.empty());
    EXPECT_TRUE(tips->AccessKeys.contextualKeys.empty());
    EXPECT_TRUE(tips->AccessKeys.sharedKeys.empty());
    EXPECT_EQ(tableReads().us + tableReads().uk, 0);
    tapOption();
    world().pump();
    // The toolbar layer still labels its button, so the first layer stays open.
    EXPECT_TRUE(tips->mode().isFirstLayerActive()) << c.answer;
    ASSERT_EQ(world().visibleWindows().size(), 1U) << c.answer;
    EXPECT_EQ(world().visibleWindows()[0].text, "1");
}

INSTANTIATE_TEST_SUITE_P(StartUp, UnsupportedLanguageAlert, ::testing::ValuesIn(alertAnswers()),
                         test_support::NameOfCase());

TEST_F(StartUp, StepsRunInOrder) {
    start();
    EXPECT_EQ(world().logLines(),
              concat({"AppleScript returned value: True", "Function will return: true"}, usLanguageAndTail));
    EXPECT_EQ(world().scriptsRun(), (Lines{enableScript, languageScript}));
    // The monitors in their order: key down, flags changed, left and right mouse down.
    ASSERT_TRUE(tips->keyDownMonitor && tips->flagsChangedMonitor && tips->leftMouseDownMonitor &&
                tips->rightMouseDownMonitor);
    EXPECT_LT(tips->keyDownMonitor->id, tips->flagsChangedMonitor->id);
    EXPECT_LT(tips->flagsChangedMonitor->id, tips->leftMouseDownMonitor->id);
    EXPECT_LT(tips->leftMouseDownMonitor->id, tips->rightMouseDownMonitor->id);
    EXPECT_EQ(world().monitorCount(), 4U);
    EXPECT_EQ(world().observerCount(), 1U);
    // Each monitor reaches its handler: a right click while the mode is open ends it.
    peer().openMode();
    EXPECT_TRUE(deliver(platform::sim::World::mouseDown(false)).has_value());
    EXPECT_EQ(world().pendingMainBlocks(), 1U);
    world().pump();
    EXPECT_FALSE(tips->isLayerActive());
    world().postNotification(appkit::applicationDidResignActiveNotification);
    EXPECT_EQ(world().logLines().back(), "VELKARO || Application lost focus. Performing custom actions.");
}

TEST_F(StartUp, SecondStartOnlyReadsTheSettingAgain) {
    start();
    world().clearRecords();
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("False"));
    world().setScriptAnswer("GetLanguageCode", ScriptAnswer::withText("1031"));
    start();
    EXPECT_FALSE(tips->EnableAccessKeys);
    EXPECT_EQ(world().logLines(),
              (Lines{"AppleScript returned value: False", "Function will return: false"}));
    EXPECT_EQ(world().scriptsRun(), (Lines{enableScript}));
    EXPECT_TRUE(world().alerts().empty());
    EXPECT_EQ(world().monitorCount(), 4U);
    EXPECT_EQ(world().observerCount(), 1U);
    EXPECT_EQ(tips->language, "1033");

    // One set of monitors: an Option tap opens the mode and queues one block, not an open and a close.
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("True"));
    start();
    tapOption();
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
    EXPECT_EQ(world().pendingMainBlocks(), 1U);
    EXPECT_EQ(world().hostReceived().size(), 2U);
}

TEST_F(StartUp, KeyTipsOffAtStartUpUntilUpdated) {
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("False"));
    start();
    EXPECT_FALSE(tips->EnableAccessKeys);
    EXPECT_EQ(world().monitorCount(), 4U);
    tapOption();
    EXPECT_TRUE(type(keys::h, "h").has_value());
    EXPECT_FALSE(tips->isLayerActive());
    EXPECT_EQ(world().pendingMainBlocks(), 0U);

    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("True"));
    tips->updateEnableAccessKeys();
    EXPECT_TRUE(tips->EnableAccessKeys);
    tapOption();
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
}

// The update runs only the enable query; an open mode stays while key tips stay enabled.
class UpdateEnable : public EngineTest, public ::testing::WithParamInterface<EnableAnswer> {};

std::vector<EnableAnswer> updatedEnableAnswers() {
    return {
        {"False",
         ScriptAnswer::withText("False"),
         false,
         {"AppleScript returned value: False", "Function will return: false"}},
        {"True",
         ScriptAnswer::withText("True"),
         true,
         {"AppleScript returned value: True", "Function will return: true"}},
        {"script error", ScriptAnswer::withError("gone"), true, {"AppleScript New Error: gone"}},
    };
}

TEST_P(UpdateEnable, RereadsOnlyTheSetting) {
    const EnableAnswer& c = GetParam();
    openFirstLayerInBook();
    ASSERT_TRUE(tips->mode().isFirstLayerActive());
    const std::size_t labels = world().visibleWindows().size();
    ASSERT_GT(labels, 0U);
    world().clearRecords();
    world().setScriptAnswer("GetEnableKeyboardShortcuts", c.answer);
    tips->updateEnableAccessKeys();
    EXPECT_EQ(tips->EnableAccessKeys, c.enabled) << c.name;
    EXPECT_EQ(world().logLines(), c.lines) << c.name;
    EXPECT_EQ(world().scriptsRun(), (Lines{enableScript})) << c.name;
    EXPECT_EQ(tips->mode().isFirstLayerActive(), c.enabled) << c.name;
    EXPECT_EQ(world().visibleWindows().size(), c.enabled ? labels : 0U) << c.name;
}

INSTANTIATE_TEST_SUITE_P(StartUp, UpdateEnable, ::testing::ValuesIn(updatedEnableAnswers()),
                         test_support::NameOfCase());

// Switched off while a mode is open: the mode ends at once with its labels, without bringing the
// window back (the user stays where they are); from then on every key reaches the host.
struct OpenMode {
    const char* name;
    bool commandLayer;
};

const OpenMode openModes[] = {{"first layer", false}, {"command layer", true}};

class UpdateEnableSwitchedOff : public EngineTest, public ::testing::WithParamInterface<OpenMode> {};

TEST_P(UpdateEnableSwitchedOff, EndsAnOpenMode) {
    const bool commandLayer = GetParam().commandLayer;
    openFirstLayerInBook();
    if (commandLayer) {
        type(keys::h, "h");
        world().pump();
        ASSERT_TRUE(tips->mode().isSecondLayerActive());
    }
    ASSERT_FALSE(world().visibleWindows().empty());
    world().clearRecords();
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("False"));
    tips->updateEnableAccessKeys();
    EXPECT_FALSE(tips->isLayerActive());
    EXPECT_TRUE(world().visibleWindows().empty());
    EXPECT_TRUE(world().actions().empty());
    EXPECT_TRUE(tips->mode().layerHistory().empty());
    EXPECT_TRUE(type(keys::escape, std::string("\x1b")).has_value());
    EXPECT_TRUE(type(keys::h, "h").has_value());
    tapOption();
    world().pump();
    EXPECT_FALSE(tips->isLayerActive());
    EXPECT_TRUE(world().visibleWindows().empty());
}

INSTANTIATE_TEST_SUITE_P(StartUp, UpdateEnableSwitchedOff, ::testing::ValuesIn(openModes),
                         test_support::NameOfCase());

struct TableLanguage {
    const char* name;
    const char* language;
    bool uk;
};

class InitializeAccessKeys : public EngineTest, public ::testing::WithParamInterface<TableLanguage> {};

TEST_P(InitializeAccessKeys, ChoosesTablesByWholeLanguage) {
    const TableLanguage& c = GetParam();
    EXPECT_TRUE(tips->AccessKeys.ribbonKeys.empty() && tips->AccessKeys.contextualKeys.empty() &&
                tips->AccessKeys.sharedKeys.empty());
    tips->language = c.language;
    tips->initializeAccessKeys();
    const keytips::KeyTables& expected = c.uk ? ukTables : usTables;
    ASSERT_EQ(tips->AccessKeys.ribbonKeys.size(), expected.ribbonKeys.size());
    ASSERT_EQ(tips->AccessKeys.sharedKeys.size(), expected.sharedKeys.size());
    EXPECT_EQ(tips->AccessKeys.ribbonKeys[0].title, expected.ribbonKeys[0].title);
    EXPECT_EQ(tips->AccessKeys.sharedKeys[0].title, expected.sharedKeys[0].title);
    EXPECT_EQ(tips->AccessKeys.contextualKeys.size(), expected.contextualKeys.size());
}

INSTANTIATE_TEST_SUITE_P(StartUp, InitializeAccessKeys,
                         ::testing::Values(TableLanguage{"UK", "2057", true},
                                           TableLanguage{"US", "1033", false},
                                           TableLanguage{"empty", "", false},
                                           TableLanguage{"German", "1031", false},
                                           TableLanguage{"UK with a space", "2057 ", false},
                                           TableLanguage{"UK after a letter", "x2057", false},
                                           TableLanguage{"UK and a digit", "20570", false}),
                         test_support::NameOfCase());

TEST_F(StartUp, InitializeAccessKeysReadsOnlyTheHostLanguage) {
    tips->language = "1033";
    tips->initializeAccessKeys();
    EXPECT_EQ(tableReads().us, 1);
    EXPECT_EQ(tableReads().uk, 0);

    // A second call replaces the active tables with fresh copies.
    tips->AccessKeys.ribbonKeys.clear();
    tips->AccessKeys.sharedKeys.push_back(tips->AccessKeys.sharedKeys[0]);
    tips->language = "2057";
    tips->initializeAccessKeys();
    EXPECT_EQ(tips->AccessKeys.ribbonKeys.size(), 1U);
    EXPECT_EQ(tips->AccessKeys.sharedKeys.size(), 1U);
    EXPECT_EQ(tableReads().uk, 1);
    EXPECT_EQ(tableReads().us, 1);
}

// The real spreadsheet tables: with "1033" the active tables are copies of the US tables.
using StartUpRealTables = test_support::SimWorldTest;

TEST_F(StartUpRealTables, UsHostGetsTheUsTables) {
    const keytips::HostProfile spreadsheet =
        keytips::spreadsheetProfile(keytips::spreadsheet::usTables(), keytips::spreadsheet::ukTables());
    keytips::KeyTips engine(spreadsheet);
    engine.monitorKeyboardEvents();
    using US = keytips::spreadsheet::AccessKeys_US;
    ASSERT_EQ(engine.AccessKeys.ribbonKeys.size(), 10U);
    ASSERT_EQ(engine.AccessKeys.contextualKeys.size(), 11U);
    ASSERT_EQ(engine.AccessKeys.sharedKeys.size(), 833U);
    for (std::size_t i = 0; i < engine.AccessKeys.sharedKeys.size(); ++i) {
        const keytips::AccessKey& copy = engine.AccessKeys.sharedKeys[i];
        const keytips::AccessKey& row = US::sharedKeys()[i];
        ASSERT_EQ(std::tie(copy.source, copy.identifier, copy.shortcut, copy.role, copy.title,
                           copy.description, copy.press, copy.isLastCommand),
                  std::tie(row.source, row.identifier, row.shortcut, row.role, row.title, row.description,
                           row.press, row.isLastCommand))
            << "row " << i;
    }
    EXPECT_EQ(engine.AccessKeys.ribbonKeys[0].shortcut, US::ribbonKeys()[0].shortcut);
}

}  // namespace
}  // namespace enginetest
