// The two host profiles run through one scenario: the same small tables and the same host window in
// the spreadsheet host (LedgerKeys' profile) and in the presentation host (DeckKeys' profile). What
// both hosts share is tested with the engine; here each case states what differs between them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/key_tips.hpp"
#include "platform/appkit.hpp"
#include "platform/sim/world.hpp"
#include "profiles/presentation_profile.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/host_window.hpp"
#include "support/sim_world_test.hpp"

namespace {

using test_support::PrintTo;

namespace appkit = platform::appkit;
using platform::sim::ScriptAnswer;
using platform::sim::World;
using platform::sim::world;
using test_support::labelTexts;
using Lines = std::vector<std::string>;

// ---- Small tables: two tabs, and in the layer Home a check box and an incrementor ----------------

// clang-format off
constexpr keytips::KeyRow usRibbonRows[] = {
    {{"Ribbon"}, "Home", "h", "AXRadioButton", "Home", nullptr, false, false},
    {{"Ribbon"}, "Insert", "n", "AXRadioButton", "Insert", nullptr, false, false},
};
constexpr keytips::KeyRow ukRibbonRows[] = {
    {{"Ribbon"}, "Home", "h", "AXRadioButton", "Home (UK)", nullptr, false, false},
};
constexpr keytips::KeyRow sharedRows[] = {
    {{"Home"}, "Bold", "1", "AXCheckBox", "Bold", nullptr, true, true},
    {{"Home"}, "Duration:", "d", "AXIncrementor", nullptr, "Duration:", true, true},
};
// clang-format on

// The tables of both languages, as each test gets them.
struct SmallTables {
    keytips::KeyTables us{keytips::buildKeyTable(usRibbonRows), {}, keytips::buildKeyTable(sharedRows)};
    keytips::KeyTables uk{keytips::buildKeyTable(ukRibbonRows), {}, keytips::buildKeyTable(sharedRows)};
};

// ---- The two hosts -----------------------------------------------------------------------------------

// What a test sets up as the host's language: the spreadsheet host's language macro answers it, the
// presentation host puts it first among the preferred languages. Absent: the macro returns no text,
// or the preferred-language list is empty.
using LanguageSetting = std::optional<std::string>;

struct Host {
    std::string name;
    std::string bundleIdentifier;
    std::string otherCaseBundleIdentifier;  // the identifier in another letter case
    std::string windowTitle;
    std::string enableScript;
    std::size_t enableScriptBytes;
    std::string usLanguage;
    std::string ukLanguage;
    std::string startLine;
    std::string informativeText;
    keytips::HostProfile (*makeProfile)(keytips::LanguageTables us, keytips::LanguageTables uk);
    std::function<void(const LanguageSetting&)> setLanguage;
    // The log lines of the language query for a language setting.
    std::function<Lines(const LanguageSetting&)> languageLines;
    bool focusesIncrementor;
    bool logsDisabledToolbarButton;
};

std::string alertText(const std::string& possessive, const std::string& name) {
    return "Keyvane is not available in your current language. To use Keyvane, please set " + possessive +
           " language to either English (US) or English (UK). You can do this by adding the desired "
           "language to your Preferred Languages in macOS Settings and dragging it to the top of the list, "
           "or by changing the language specifically for " +
           name + " in the Applications section at the bottom.";
}

const Host& spreadsheet() {
    static const Host host{
        "spreadsheet",
        "com.microsoft.Excel",
        "com.microsoft.excel",
        "Book1",
        "tell application \"Microsoft Excel\"\n  return run VB macro \"GetEnableKeyboardShortcuts\"\nend "
        "tell",
        94,
        "1033",
        "2057",
        "VELKARO || monitorKeyboardEvents function called",
        alertText("Excel's", "Excel"),
        &keytips::spreadsheetProfile,
        [](const LanguageSetting& language) {
            world().setScriptAnswer("GetLanguageCode", language ? ScriptAnswer::withText(*language)
                                                                : ScriptAnswer::withoutString());
        },
        [](const LanguageSetting& language) -> Lines {
            if (!language) {
                return {"Velkaro: No value returned by AppleScript", "VELKARO Locale: System "};
            }
            return {"Velkaro: Excel Language Code: " + *language, "VELKARO Locale: System " + *language};
        },
        false,
        false,
    };
    return host;
}

const Host& presentation() {
    static const Host host{
        "presentation",
        "com.microsoft.Powerpoint",
        "com.microsoft.PowerPoint",
        "Presentation1",
        "tell application \"Microsoft PowerPoint\"\n  return run VB macro "
        "\"GetEnableKeyboardShortcuts\"\nend "
        "tell",
        99,
        "en-US",
        "en-GB",
        "VELKARO PPT || monitorKeyboardEvents function called",
        alertText("PowerPoint's", "PowerPoint"),
        &keytips::presentationProfile,
        [](const LanguageSetting& language) {
            world().setPreferredLanguages(language ? Lines{*language, "en-US"} : Lines{});
        },
        [](const LanguageSetting& language) -> Lines {
            return {"VELKARO || Language: " + language.value_or("")};
        },
        true,
        true,
    };
    return host;
}

// A host window: the toolbar row with a Save button, the US anchor, a Print button right of it; a
// second row lower down with an Undo button and the UK anchor; the tabs, and Home's two commands.
std::string windowFixture(const Host& host) {
    return test_support::hostWindow(
        {.title = host.windowTitle,
         .nearToolbar = R"(  AXButton "Print" pos=400,10 size=20,20
  AXButton "Undo" pos=100,24 size=20,10 name=undo
  AXMenuButton "Customise Quick Access Toolbar" pos=300,24 size=20,10 name=uk-anchor
)",
         .moreCommands = R"(  AXIncrementor desc="Duration:" pos=40,80 size=20,20 name=duration
)"});
}

// The other host than the one given.
const Host& otherHost(const Host& host) { return &host == &spreadsheet() ? presentation() : spreadsheet(); }

// A fresh world and an engine with the host's profile for every test; the host comes from the test's
// parameter.
class HostProfileTest : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        tips_ = std::make_unique<keytips::KeyTips>(
            host().makeProfile(keytips::LanguageTables(tables_.us), keytips::LanguageTables(tables_.uk)));
    }
    void TearDown() override {
        tips_.reset();
        SimWorldTest::TearDown();
    }

    [[nodiscard]] virtual const Host& host() const = 0;

    int launch(const std::string& bundleIdentifier) {
        const int pid = world().launchApplication(bundleIdentifier);
        world().loadFixture(pid, windowFixture(host()));
        world().setFrontmost(pid);
        return pid;
    }
    // The host with its US English language, started.
    void start(const LanguageSetting& language) {
        launch(host().bundleIdentifier);
        host().setLanguage(language);
        tips_->monitorKeyboardEvents();
        world().clearRecords();
    }

    // A lone Option tap; the main queue does not run.
    static void tapOption() { sim_hosts::tapOption(world(), sim_hosts::Pump::never); }
    // A key-down of a letter or digit.
    static std::optional<appkit::Event> type(char key) {
        return world().deliver(World::keyDown(sim_hosts::keyCodeOf(key), std::string(1, key)));
    }
    static bool logged(const std::string& line) {
        const Lines lines = world().logLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    SmallTables tables_;
    std::unique_ptr<keytips::KeyTips> tips_;
};

const Host* const bothHosts[] = {&spreadsheet(), &presentation()};

class HostProfiles : public HostProfileTest, public ::testing::WithParamInterface<const Host*> {
protected:
    [[nodiscard]] const Host& host() const override { return *GetParam(); }
};

// A host and a case of a test run in it.
template <typename Case>
class HostCases : public HostProfileTest,
                  public ::testing::WithParamInterface<std::tuple<const Host*, Case>> {
protected:
    [[nodiscard]] const Host& host() const override { return *std::get<0>(this->GetParam()); }
    [[nodiscard]] const Case& hostCase() const { return std::get<1>(this->GetParam()); }
};

// A language setting of a case: the host's US or UK value, the other host's, or a given one.
struct LanguageChoice {
    enum class Of { hostUs, hostUk, otherUs, otherUk, given };
    Of of = Of::given;
    const char* given = nullptr;  // none: no language at all

    [[nodiscard]] LanguageSetting in(const Host& host) const {
        switch (of) {
            case Of::hostUs:
                return host.usLanguage;
            case Of::hostUk:
                return host.ukLanguage;
            case Of::otherUs:
                return otherHost(host).usLanguage;
            case Of::otherUk:
                return otherHost(host).ukLanguage;
            case Of::given:
                break;
        }
        return given != nullptr ? LanguageSetting(given) : std::nullopt;
    }
};

constexpr LanguageChoice::Of hostUs = LanguageChoice::Of::hostUs;
constexpr LanguageChoice::Of hostUk = LanguageChoice::Of::hostUk;
constexpr LanguageChoice::Of given = LanguageChoice::Of::given;

TEST_P(HostProfiles, EnableScriptIsTheHostsOwnText) {
    start(host().usLanguage);
    tips_->updateEnableAccessKeys();
    const Lines scripts = world().scriptsRun();
    ASSERT_EQ(scripts.size(), 1U);
    EXPECT_EQ(scripts.front(), host().enableScript);
    EXPECT_EQ(scripts.front().size(), host().enableScriptBytes);
}

// Start-up with each language: the log lines in their order, the alert for an unsupported language,
// the tables made active, and the monitors installed in every case.
enum class Tables { us, uk, none };

struct StartLanguage {
    const char* name;
    LanguageChoice language;
    Tables tables;
};

const StartLanguage startLanguages[] = {
    {"US", {hostUs, {}}, Tables::us},
    {"UK", {hostUk, {}}, Tables::uk},
    {"en", {given, "en"}, Tables::none},
    {"fr-FR", {given, "fr-FR"}, Tables::none},
    {"empty", {given, ""}, Tables::none},
    {"none", {given, nullptr}, Tables::none},
    {"en-us", {given, "en-us"}, Tables::none},
    {"EN-GB", {given, "EN-GB"}, Tables::none},
    // Each host's language values are its own.
    {"other host's US", {LanguageChoice::Of::otherUs, {}}, Tables::none},
    {"other host's UK", {LanguageChoice::Of::otherUk, {}}, Tables::none},
};

using StartUpWithEachLanguage = HostCases<StartLanguage>;

TEST_P(StartUpWithEachLanguage, LogsAlertsAndTakesTheTablesOfTheLanguage) {
    const StartLanguage& entry = hostCase();
    const LanguageSetting language = entry.language.in(host());
    launch(host().bundleIdentifier);
    host().setLanguage(language);
    world().setAlertAnswer(appkit::alertFirstButtonReturn);
    tips_->monitorKeyboardEvents();

    Lines expected{"AppleScript returned value: True", "Function will return: true"};
    for (const std::string& line : host().languageLines(language)) {
        expected.push_back(line);
    }
    expected.push_back(host().startLine);
    expected.push_back("VELKARO || Event monitors initialized");
    EXPECT_EQ(world().logLines(), expected);
    EXPECT_EQ(tips_->language, language.value_or(""));
    EXPECT_EQ(world().monitorCount(), 4U);
    EXPECT_EQ(world().observerCount(), 1U);

    const auto alerts = world().alerts();
    if (entry.tables == Tables::none) {
        ASSERT_EQ(alerts.size(), 1U);
        EXPECT_EQ(alerts[0].messageText, "Velkaro Keyvane");
        EXPECT_EQ(alerts[0].informativeText, host().informativeText);
        EXPECT_EQ(world().openedURLs().size(), 1U);
        EXPECT_TRUE(tips_->AccessKeys.ribbonKeys.empty());
        EXPECT_TRUE(tips_->AccessKeys.sharedKeys.empty());
    } else {
        EXPECT_TRUE(alerts.empty());
        const keytips::KeyTable& ribbon = (entry.tables == Tables::uk ? tables_.uk : tables_.us).ribbonKeys;
        ASSERT_EQ(tips_->AccessKeys.ribbonKeys.size(), ribbon.size());
        EXPECT_EQ(tips_->AccessKeys.ribbonKeys.front().title, ribbon.front().title);
        EXPECT_EQ(tips_->AccessKeys.sharedKeys.size(), tables_.us.sharedKeys.size());
    }
}

INSTANTIATE_TEST_SUITE_P(BothHosts, StartUpWithEachLanguage,
                         ::testing::Combine(::testing::ValuesIn(bothHosts),
                                            ::testing::ValuesIn(startLanguages)),
                         test_support::NameOfCase());

// The toolbar anchor is titled by the host's UK value: its row is numbered, the other row is not.
struct AnchorLanguage {
    const char* name;
    LanguageChoice language;
    std::string anchor;
    std::string numbered;
};

const AnchorLanguage anchorLanguages[] = {
    {"US", {hostUs, {}}, "anchor", "save"},
    {"UK", {hostUk, {}}, "uk-anchor", "undo"},
    {"fr-FR", {given, "fr-FR"}, "anchor", "save"},
};

using ToolbarAnchor = HostCases<AnchorLanguage>;

TEST_P(ToolbarAnchor, FollowsTheLanguage) {
    const AnchorLanguage& entry = hostCase();
    start(entry.language.in(host()));
    tapOption();
    world().pump();
    ASSERT_TRUE(tips_->toolbarYCoordinate().has_value());
    const platform::sim::World& simWorld = world();
    const auto anchorPosition = simWorld.attribute(simWorld.find(entry.anchor), "AXPosition");
    platform::Point anchor;
    ASSERT_TRUE(anchorPosition && platform::ax::unpackPoint(*anchorPosition->packed(), anchor));
    EXPECT_EQ(tips_->toolbarXCoordinate(), anchor.x);
    const auto keys = tips_->quickAccessLayer().accessKeys;
    ASSERT_EQ(keys.size(), 1U);
    EXPECT_EQ(keys[0].title, entry.numbered == "save" ? "Save" : "Undo");
}

INSTANTIATE_TEST_SUITE_P(BothHosts, ToolbarAnchor,
                         ::testing::Combine(::testing::ValuesIn(bothHosts),
                                            ::testing::ValuesIn(anchorLanguages)),
                         test_support::NameOfCase());

TEST_P(HostProfiles, BundleIdentifierIsComparedExactly) {
    launch(host().otherCaseBundleIdentifier);
    host().setLanguage(host().usLanguage);
    tips_->monitorKeyboardEvents();
    world().clearRecords();
    tapOption();
    world().pump();
    EXPECT_EQ(world().logLines(),
              (Lines{"VELKARO || Debug: Failed to get application", "Debug: Failed to get application"}));
    EXPECT_TRUE(labelTexts().empty());
    EXPECT_FALSE(tips_->isLayerActive());
}

// Whether the main queue runs between the keys, or the keys come ahead of it.
struct KeyTiming {
    const char* name;
    bool pump;
};

const KeyTiming keyTimings[] = {{"pumped between keys", true}, {"keys ahead of the queue", false}};

using IncrementorPress = HostCases<KeyTiming>;

// "h" then "d": the incrementor is focused before it is pressed in the presentation host only.
TEST_P(IncrementorPress, FocusesBeforePressingInThePresentationHostOnly) {
    const bool pump = hostCase().pump;
    start(host().usLanguage);
    world().clearRecords();
    tapOption();
    if (pump) {
        world().pump();
    }
    EXPECT_FALSE(type('h').has_value());
    if (pump) {
        world().pump();
    }
    EXPECT_FALSE(type('d').has_value());
    world().pump();

    const auto actions = world().actions();
    ASSERT_EQ(actions.size(), 1U);  // Home is already selected
    EXPECT_EQ(actions[0].action, "AXPress");
    EXPECT_EQ(actions[0].element, world().find("duration"));
    const auto sets = world().attributeSets();
    if (host().focusesIncrementor) {
        ASSERT_EQ(sets.size(), 1U);
        EXPECT_EQ(sets[0].element, world().find("duration"));
        EXPECT_EQ(sets[0].attribute, "AXFocused");
        EXPECT_EQ(sets[0].value, platform::ax::Value(true));
    } else {
        EXPECT_TRUE(sets.empty());
    }
    EXPECT_FALSE(tips_->isLayerActive());
    EXPECT_TRUE(labelTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(BothHosts, IncrementorPress,
                         ::testing::Combine(::testing::ValuesIn(bothHosts), ::testing::ValuesIn(keyTimings)),
                         test_support::NameOfCase());

// A disabled toolbar button: the mode ends without an action; only the presentation host logs it.
TEST_P(HostProfiles, DisabledToolbarButton) {
    start(host().usLanguage);
    world().setEnabled(world().find("save"), false);
    tapOption();
    world().pump();
    EXPECT_EQ(labelTexts(), (Lines{"1", "H", "N"}));
    world().clearRecords();
    EXPECT_FALSE(type('1').has_value());
    world().pump();
    world().advanceClock(0.2);
    EXPECT_EQ(logged("Element with title is not enabled"), host().logsDisabledToolbarButton);
    EXPECT_TRUE(world().actions().empty());
    EXPECT_FALSE(tips_->isLayerActive());
    EXPECT_TRUE(labelTexts().empty());
    EXPECT_TRUE(type('h').has_value());
}

using ToolbarDigitThatMatchesNothing = HostCases<KeyTiming>;

// A digit that begins no toolbar shortcut ends the first layer in both hosts: no labels are left and
// the next letter reaches the host.
TEST_P(ToolbarDigitThatMatchesNothing, EndsTheMode) {
    const bool pump = hostCase().pump;
    start(host().usLanguage);
    world().clearRecords();
    tapOption();
    world().pump();
    EXPECT_FALSE(type('5').has_value());
    if (pump) {
        world().pump();
    }
    world().pump();
    EXPECT_TRUE(logged("VELKARO || QAT: No access keys found starting with 5"));
    EXPECT_FALSE(tips_->isLayerActive());
    EXPECT_TRUE(labelTexts().empty());
    EXPECT_TRUE(type('h').has_value());
    world().pump();
    EXPECT_TRUE(world().actions().empty());
}

INSTANTIATE_TEST_SUITE_P(BothHosts, ToolbarDigitThatMatchesNothing,
                         ::testing::Combine(::testing::ValuesIn(bothHosts), ::testing::ValuesIn(keyTimings)),
                         test_support::NameOfCase());

INSTANTIATE_TEST_SUITE_P(BothHosts, HostProfiles, ::testing::ValuesIn(bothHosts), test_support::NameOfCase());

}  // namespace
