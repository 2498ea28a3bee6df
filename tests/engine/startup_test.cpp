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
    ASSERT_EQ(enableScript.size(), 94U);
    ASSERT_EQ(languageScript.size(), 78U);
    start();
    EXPECT_EQ(world().scriptsRun(), (Lines{enableScript, languageScript}));
}

TEST_F(StartUp, EnableAnswersAndFailures) {
    const std::string megabyte(1 << 20, 'T');
    const std::string withNul("Tr\0ue", 5);
    struct Case {
        ScriptAnswer answer;
        bool enabled;
        Lines lines;
    };
    const std::vector<Case> cases{
        {ScriptAnswer::withText("True"),
         true,
         {"AppleScript returned value: True", "Function will return: true"}},
        {ScriptAnswer::withText("true"),
         false,
         {"AppleScript returned value: true", "Function will return: false"}},
        {ScriptAnswer::withText("TRUE"),
         false,
         {"AppleScript returned value: TRUE", "Function will return: false"}},
        {ScriptAnswer::withText("True "),
         false,
         {"AppleScript returned value: True ", "Function will return: false"}},
        {ScriptAnswer::withText("1"),
         false,
         {"AppleScript returned value: 1", "Function will return: false"}},
        {ScriptAnswer::withText(""), false, {"AppleScript returned value: ", "Function will return: false"}},
        {ScriptAnswer::withText("True\n"),
         false,
         {"AppleScript returned value: True\n", "Function will return: false"}},
        {ScriptAnswer::withText("%@ %n %s"),
         false,
         {"AppleScript returned value: %@ %n %s", "Function will return: false"}},
        {ScriptAnswer::withText("\xff\xfeTrue"),
         false,
         {"AppleScript returned value: \xff\xfeTrue", "Function will return: false"}},
        {ScriptAnswer::withText(withNul),
         false,
         {"AppleScript returned value: " + withNul, "Function will return: false"}},
        {ScriptAnswer::withText(megabyte),
         false,
         {"AppleScript returned value: " + megabyte, "Function will return: false"}},
        {ScriptAnswer::withError("{NSAppleScriptErrorNumber = -1728; %@}"),
         true,
         {"AppleScript New Error: {NSAppleScriptErrorNumber = -1728; %@}"}},
        {ScriptAnswer::withoutString(), true, {"No value returned by AppleScript"}},
        {ScriptAnswer::creationFailure(), true, {"No script executed"}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SetUp();
        world().setScriptAnswer("GetEnableKeyboardShortcuts", c.answer);
        start();
        EXPECT_EQ(tips->EnableAccessKeys, c.enabled) << "case " << i;
        EXPECT_EQ(world().logLines(), concat(c.lines, usLanguageAndTail)) << "case " << i;
        // The language query, the tables and the monitors happen whatever the setting.
        EXPECT_EQ(world().monitorCount(), 4U) << "case " << i;
        EXPECT_EQ(tips->AccessKeys.ribbonKeys.size(), 2U) << "case " << i;
        EXPECT_EQ(world().alerts().size(), 0U) << "case " << i;
    }
}

TEST_F(StartUp, LanguageAnswersAndFailures) {
    struct Case {
        ScriptAnswer answer;
        std::string language;
        Lines lines;  // the language query's lines and the locale line
        bool alert;
        std::size_t ribbonRows;
    };
    const std::vector<Case> cases{
        {ScriptAnswer::withText("1033"),
         "1033",
         {"Velkaro: Excel Language Code: 1033", "VELKARO Locale: System 1033"},
         false,
         2},
        {ScriptAnswer::withText("2057"),
         "2057",
         {"Velkaro: Excel Language Code: 2057", "VELKARO Locale: System 2057"},
         false,
         1},
        {ScriptAnswer::withText("1031"),
         "1031",
         {"Velkaro: Excel Language Code: 1031", "VELKARO Locale: System 1031"},
         true,
         0},
        {ScriptAnswer::withText(""),
         "",
         {"Velkaro: Excel Language Code: ", "VELKARO Locale: System "},
         true,
         0},
        {ScriptAnswer::withText(" 2057"),
         " 2057",
         {"Velkaro: Excel Language Code:  2057", "VELKARO Locale: System  2057"},
         true,
         0},
        {ScriptAnswer::withText("1033\n"),
         "1033\n",
         {"Velkaro: Excel Language Code: 1033\n", "VELKARO Locale: System 1033\n"},
         true,
         0},
        {ScriptAnswer::withText("%@%n"),
         "%@%n",
         {"Velkaro: Excel Language Code: %@%n", "VELKARO Locale: System %@%n"},
         true,
         0},
        {ScriptAnswer::withError("%s boom"),
         "",
         {"Velkaro: AppleScript Error: %s boom", "Velkaro: No value returned by AppleScript",
          "VELKARO Locale: System "},
         true,
         0},
        {ScriptAnswer::withoutString(),
         "",
         {"Velkaro: No value returned by AppleScript", "VELKARO Locale: System "},
         true,
         0},
        {ScriptAnswer::creationFailure(),
         "",
         {"Velkaro: No script executed", "VELKARO Locale: System "},
         true,
         0},
    };
    const Lines enableLines{"AppleScript returned value: True", "Function will return: true"};
    const Lines tail{"VELKARO || monitorKeyboardEvents function called",
                     "VELKARO || Event monitors initialized"};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SetUp();
        world().setScriptAnswer("GetLanguageCode", c.answer);
        start();
        EXPECT_EQ(tips->language, c.language) << "case " << i;
        EXPECT_EQ(world().logLines(), concat(concat(enableLines, c.lines), tail)) << "case " << i;
        EXPECT_EQ(world().alerts().size(), c.alert ? 1U : 0U) << "case " << i;
        EXPECT_EQ(tips->AccessKeys.ribbonKeys.size(), c.ribbonRows) << "case " << i;
        EXPECT_EQ(world().monitorCount(), 4U) << "case " << i;
        EXPECT_EQ(world().observerCount(), 1U) << "case " << i;
    }
}

TEST_F(StartUp, UnsupportedLanguageAlertAndItsButtons) {
    struct Case {
        long answer;
        Lines urls;
    };
    const std::vector<Case> cases{{1000, {settingsURL}}, {1001, {}}, {1002, {}}, {-1000, {}}};
    for (const Case& c : cases) {
        SetUp();
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
        EXPECT_EQ(logSince(world().logLines().size() - 2),
                  (Lines{"VELKARO || monitorKeyboardEvents function called",
                         "VELKARO || Event monitors initialized"}));
        EXPECT_TRUE(tips->AccessKeys.ribbonKeys.empty());
        EXPECT_TRUE(tips->AccessKeys.contextualKeys.empty());
        EXPECT_TRUE(tips->AccessKeys.sharedKeys.empty());
        EXPECT_EQ(tableReads().us + tableReads().uk, 0);
        tapOption();
        world().pump();
        // The toolbar layer still labels its button, so the first layer stays open.
        EXPECT_TRUE(tips->isFirstLayerActive) << c.answer;
        ASSERT_EQ(world().visibleWindows().size(), 1U) << c.answer;
        EXPECT_EQ(world().visibleWindows()[0].text, "1");
    }
}

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
    tips->isFirstLayerActive = true;
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
    EXPECT_TRUE(tips->isFirstLayerActive);
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
    EXPECT_TRUE(tips->isFirstLayerActive);
}

// The update runs only the enable query; an open mode stays while key tips stay enabled.
TEST_F(StartUp, UpdateEnableRereadsOnlyTheSetting) {
    struct Case {
        ScriptAnswer answer;
        bool enabled;
        Lines lines;
    };
    const std::vector<Case> cases{
        {ScriptAnswer::withText("False"),
         false,
         {"AppleScript returned value: False", "Function will return: false"}},
        {ScriptAnswer::withText("True"),
         true,
         {"AppleScript returned value: True", "Function will return: true"}},
        {ScriptAnswer::withError("gone"), true, {"AppleScript New Error: gone"}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SetUp();
        launchHost(bookFixture);
        start();
        tapOption();
        world().pump();
        ASSERT_TRUE(tips->isFirstLayerActive);
        const std::size_t labels = world().visibleWindows().size();
        ASSERT_GT(labels, 0U);
        world().clearRecords();
        world().setScriptAnswer("GetEnableKeyboardShortcuts", cases[i].answer);
        tips->updateEnableAccessKeys();
        EXPECT_EQ(tips->EnableAccessKeys, cases[i].enabled) << "case " << i;
        EXPECT_EQ(world().logLines(), cases[i].lines) << "case " << i;
        EXPECT_EQ(world().scriptsRun(), (Lines{enableScript})) << "case " << i;
        EXPECT_EQ(tips->isFirstLayerActive, cases[i].enabled) << "case " << i;
        EXPECT_EQ(world().visibleWindows().size(), cases[i].enabled ? labels : 0U) << "case " << i;
    }
}

// Switched off while a mode is open: the mode ends at once with its labels, without bringing the
// window back (the user stays where they are); from then on every key reaches the host.
TEST_F(StartUp, UpdateEnableSwitchedOffEndsAnOpenMode) {
    for (const bool commandLayer : {false, true}) {
        SCOPED_TRACE(commandLayer ? "command layer" : "first layer");
        SetUp();
        launchHost(bookFixture);
        start();
        tapOption();
        world().pump();
        if (commandLayer) {
            type(keys::h, "h");
            world().pump();
            ASSERT_TRUE(tips->isSecondLayerActive);
        }
        ASSERT_FALSE(world().visibleWindows().empty());
        world().clearRecords();
        world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("False"));
        tips->updateEnableAccessKeys();
        EXPECT_FALSE(tips->isLayerActive());
        EXPECT_TRUE(world().visibleWindows().empty());
        EXPECT_TRUE(world().actions().empty());
        EXPECT_TRUE(tips->layerHistory.empty());
        EXPECT_TRUE(type(keys::escape, std::string("\x1b")).has_value());
        EXPECT_TRUE(type(keys::h, "h").has_value());
        tapOption();
        world().pump();
        EXPECT_FALSE(tips->isLayerActive());
        EXPECT_TRUE(world().visibleWindows().empty());
    }
}

TEST_F(StartUp, InitializeAccessKeysChoosesTablesByWholeLanguage) {
    struct Case {
        const char* language;
        bool uk;
    };
    const Case cases[] = {{"2057", true},   {"1033", false},  {"", false},     {"1031", false},
                          {"2057 ", false}, {"x2057", false}, {"20570", false}};
    for (const Case& c : cases) {
        SetUp();
        EXPECT_TRUE(tips->AccessKeys.ribbonKeys.empty() && tips->AccessKeys.contextualKeys.empty() &&
                    tips->AccessKeys.sharedKeys.empty());
        tips->language = c.language;
        tips->initializeAccessKeys();
        const keytips::KeyTables& expected = c.uk ? ukTables : usTables;
        resetTableReads();
        ASSERT_EQ(tips->AccessKeys.ribbonKeys.size(), expected.ribbonKeys.size()) << c.language;
        ASSERT_EQ(tips->AccessKeys.sharedKeys.size(), expected.sharedKeys.size()) << c.language;
        EXPECT_EQ(tips->AccessKeys.ribbonKeys[0].title, expected.ribbonKeys[0].title) << c.language;
        EXPECT_EQ(tips->AccessKeys.sharedKeys[0].title, expected.sharedKeys[0].title) << c.language;
        EXPECT_EQ(tips->AccessKeys.contextualKeys.size(), expected.contextualKeys.size()) << c.language;
    }
}

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
TEST(StartUpRealTables, UsHostGetsTheUsTables) {
    world().reset();
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
    // The language tables are built once: a second read yields the same list.
    EXPECT_EQ(&US::sharedKeys(), &US::sharedKeys());
    world().reset();
}

}  // namespace
}  // namespace enginetest
