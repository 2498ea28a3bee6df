// The system log of a few scripted sessions in each host, compared whole with the expected text: the
// road of one key press, keys that match nothing in each layer, a toolbar digit, a disabled tab and
// the end of a mode by Escape, then a start-up in an unsupported language. Every log line the
// libraries write appears here once, byte for byte.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/key_tips.hpp"
#include "platform/sim/world.hpp"
#include "profiles/presentation_profile.hpp"
#include "sim_hosts/keyboard.hpp"
#include "tables/presentation.hpp"
#include "tables/spreadsheet.hpp"

namespace {

using platform::sim::ScriptAnswer;
using platform::sim::World;
using platform::sim::world;

struct Script {
    std::string name;
    std::string bundleIdentifier;
    std::string windowTitle;
    keytips::HostProfile (*profile)();
    void (*setLanguage)(const std::string& language);
    std::string usLanguage;
};

std::string logText() {
    std::string text;
    for (const std::string& line : world().logLines()) {
        text += line + "\n";
    }
    return text;
}

void type(std::uint16_t keyCode, const std::string& characters) {
    world().deliver(World::keyDown(keyCode, characters));
    world().pump();
    world().advanceClock(0.2);
}

// Runs the scripted sessions on a fresh world; returns the log of each.
std::vector<std::string> runSessions(const Script& script) {
    std::vector<std::string> logs;
    world().reset();
    const int pid = world().launchApplication(script.bundleIdentifier);
    world().loadFixture(pid, "window \"" + script.windowTitle + R"("
  AXButton "Save" pos=100,10 size=20,20 name=save
  AXMenuButton "Customize Quick Access Toolbar" pos=300,10 size=20,20
  AXRadioButton "Home" value=1 pos=10,40 size=40,20
  AXRadioButton "Insert" value=0 pos=60,40 size=40,20 disabled
  AXCheckBox "Bold" value=0 pos=10,80 size=20,20
)");
    world().setFrontmost(pid);
    script.setLanguage(script.usLanguage);
    world().setScriptAnswer("GetEnableKeyboardShortcuts",
                            ScriptAnswer::withError("{\n    NSAppleScriptErrorNumber = -1708;\n}"));
    auto tips = std::make_unique<keytips::KeyTips>(script.profile());
    tips->monitorKeyboardEvents();
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("True"));
    tips->updateEnableAccessKeys();
    logs.push_back(logText());

    const auto session = [&](const std::vector<std::pair<std::uint16_t, std::string>>& keys) {
        world().clearRecords();
        sim_hosts::tapOption(world());
        for (const auto& [code, characters] : keys) {
            type(code, characters);
        }
        logs.push_back(logText());
    };
    session({{4, "h"}, {18, "1"}});     // the road of one key press: Home is selected, Bold
    session({{12, "q"}});               // a letter that begins no tab's shortcut
    session({{4, "h"}, {16, "y"}});     // a letter that begins no command's shortcut
    session({{18, "1"}});               // the toolbar's first button
    session({{45, "n"}});               // a disabled tab
    session({{4, "h"}, {53, "\x1b"}});  // Escape in the command layer
    session({{23, "5"}});               // a digit that begins no toolbar shortcut
    world().setEnabled(world().find("save"), false);
    session({{18, "1"}});  // a disabled toolbar button
    tips.reset();

    // Start-up in a language the host does not support.
    world().reset();
    world().launchApplication(script.bundleIdentifier);
    script.setLanguage("fr-FR");
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("False"));
    tips = std::make_unique<keytips::KeyTips>(script.profile());
    tips->monitorKeyboardEvents();
    logs.push_back(logText());
    tips.reset();
    world().reset();
    return logs;
}

// What the layers write while they gather the elements of the window.
std::string elementLines() {
    return "VELKARO || Debug: Focused window found, fetching elements\n"
           "VELKARO ELEMENTS || (\"AXButton\", \"Save\", nil, \".\"),\n"
           "VELKARO ELEMENTS || (\"AXMenuButton\", \"Customize Quick Access Toolbar\", nil, \".\"),\n"
           "VELKARO ELEMENTS || (\"AXRadioButton\", \"Home\", nil, \".\"),\n"
           "VELKARO ELEMENTS || (\"AXRadioButton\", \"Insert\", nil, \".\"),\n"
           "VELKARO ELEMENTS || (\"AXCheckBox\", \"Bold\", nil, \".\"),\n";
}

// A lone Option tap: both first-layer openings, then the ribbon-tab layer's label positions.
std::string openingLines() {
    return elementLines() + elementLines() +
           "Position: (10.0, 860.0)\n"
           "Position: (60.0, 860.0)\n"
           "Position: (300.0, 890.0)\n";
}

// "h" with Home already selected: the command layer opens "Home".
std::string homeLines(const std::string& window) {
    return "VELKARO || Key pressed Layer One: h\n"
           "Found matching element:\n"
           "Role: AXRadioButton\n"
           "Title: Home\n"
           "Description: No Description\n"
           "This is the identifier: Home\n"
           "Value is 1\n"
           "This is the source: Home\n"
           "VELKARO WINDOWS || Window Title: " +
           window + "\n" + elementLines();
}

std::string windowLines(const std::string& window) {
    return "Window Title: " + window + "\nPossible Actions: [\"AXPress\", \"AXRaise\"]\n" +
           "VELKARO || Debug: Focused window found, fetching elements\n";
}

std::vector<std::string> expectedLogs(const std::string& window, const std::string& languageLines,
                                      const std::string& unsupportedLanguageLines,
                                      const std::string& startLine, const std::string& boldPress,
                                      bool logsDisabledToolbarButton) {
    return {
        "AppleScript New Error: {\n    NSAppleScriptErrorNumber = -1708;\n}\n" + languageLines + startLine +
            "\nVELKARO || Event monitors initialized\n"
            "AppleScript returned value: True\n"
            "Function will return: true\n",
        openingLines() + homeLines(window) + "VELKARO || Key pressed Layer Two: 1\n" +
            "Performing action on element with role AXCheckBox and press " + boldPress + "\n",
        openingLines() +
            "VELKARO || Key pressed Layer One: q\n"
            "No access keys found starting with q\n"
            "No access keys found starting with q\n",
        openingLines() + homeLines(window) +
            "VELKARO || Key pressed Layer Two: y\n"
            "VELKARO || Layer 2: No access keys found starting with y\n" +
            windowLines(window),
        openingLines() +
            "VELKARO || Key pressed Layer One: 1\n"
            "Found matching element:\n"
            "Role: AXButton\n"
            "Title: Save\n"
            "Description: No Description\n"
            "Failed to get value attribute of element with title Save\n"
            "VELKARO || Performing action on element with role AXButton and press false\n",
        openingLines() +
            "VELKARO || Key pressed Layer One: n\n"
            "Found matching element:\n"
            "Role: AXRadioButton\n"
            "Title: Insert\n"
            "Description: No Description\n"
            "Element with title is not enabled\n",
        openingLines() + homeLines(window) + windowLines(window),
        openingLines() +
            "VELKARO || Key pressed Layer One: 5\n"
            "VELKARO || QAT: No access keys found starting with 5\n",
        openingLines() +
            "VELKARO || Key pressed Layer One: 1\n"
            "Found matching element:\n"
            "Role: AXButton\n"
            "Title: Save\n"
            "Description: No Description\n" +
            (logsDisabledToolbarButton ? "Element with title is not enabled\n" : ""),
        "AppleScript returned value: False\n"
        "Function will return: false\n" +
            unsupportedLanguageLines + startLine + "\nVELKARO || Event monitors initialized\n",
    };
}

void expectLogs(const Script& script, const std::vector<std::string>& expected) {
    const std::vector<std::string> logs = runSessions(script);
    ASSERT_EQ(logs.size(), expected.size());
    for (std::size_t i = 0; i < logs.size(); ++i) {
        EXPECT_EQ(logs[i], expected[i]) << "session " << i;
    }
}

}  // namespace

TEST(GoldenLog, Spreadsheet) {
    const Script script{"spreadsheet",
                        "com.microsoft.Excel",
                        "Book1",
                        [] {
                            return keytips::spreadsheetProfile(keytips::spreadsheet::usTables(),
                                                               keytips::spreadsheet::ukTables());
                        },
                        [](const std::string& language) {
                            world().setScriptAnswer("GetLanguageCode", ScriptAnswer::withText(language));
                        },
                        "1033"};
    expectLogs(script,
               expectedLogs("Book1", "Velkaro: Excel Language Code: 1033\nVELKARO Locale: System 1033\n",
                            "Velkaro: Excel Language Code: fr-FR\nVELKARO Locale: System fr-FR\n",
                            "VELKARO || monitorKeyboardEvents function called", "false", false));
}

TEST(GoldenLog, Presentation) {
    const Script script{"presentation",
                        "com.microsoft.Powerpoint",
                        "Presentation1",
                        [] {
                            return keytips::presentationProfile(keytips::presentation::usTables(),
                                                                keytips::presentation::ukTables());
                        },
                        [](const std::string& language) { world().setPreferredLanguages({language}); },
                        "en-US"};
    expectLogs(script,
               expectedLogs("Presentation1", "VELKARO || Language: en-US\n", "VELKARO || Language: fr-FR\n",
                            "VELKARO PPT || monitorKeyboardEvents function called", "true", true));
}
