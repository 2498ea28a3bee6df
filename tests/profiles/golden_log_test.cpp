// The system log of a few scripted sessions in each host, compared line by line with the expected text
// in golden_logs/ beside this file: a start-up whose setting cannot be read until the add-in switches
// key tips on, the road of one key press on the tab already selected, keys that match nothing in each
// layer and on the toolbar, a toolbar digit, a disabled tab, the end of a mode by Escape, a disabled
// toolbar button, then a start-up in an unsupported language. The files hold the whole log of these
// sessions, byte for byte, and nothing more: the log texts that only other roads write are not in them,
// among them those of a script that cannot be made or returns no value, a language macro that fails, a
// host application or remembered window not found, an element whose position or size cannot be read, a
// first layer with nothing to label, a typed tab or toolbar key whose control is not found, an unselected
// tab pressed, a step back to an earlier layer, the host losing focus and the missing accessibility
// permission. Each session begins with a line "## " and what it does.
//
// KEYTIPS_UPDATE_GOLDEN=1 in the environment makes the test write the log it gets into the files
// instead of comparing; review the change with git diff before committing it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/key_tips.hpp"
#include "platform/sim/world.hpp"
#include "profiles/presentation_profile.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/host_window.hpp"
#include "support/sim_world_test.hpp"
#include "tables/presentation.hpp"
#include "tables/spreadsheet.hpp"

namespace {

using test_support::PrintTo;

using platform::sim::ScriptAnswer;
using platform::sim::World;
using platform::sim::world;
using Lines = std::vector<std::string>;

struct GoldenHost {
    const char* name;
    std::string bundleIdentifier;
    std::string windowTitle;
    keytips::HostProfile (*profile)();
    void (*setLanguage)(const std::string& language);
    std::string usLanguage;
    // The expected log's file in golden_logs/.
    std::string file;
};

// A key as typed: its virtual key code and its characters.
using Key = std::pair<std::uint16_t, std::string>;

Key key(char character) { return {sim_hosts::keyCodeOf(character), std::string(1, character)}; }
const Key escape{sim_hosts::keys::escape, "\x1b"};

// The log since the last clear, under a line that names the session.
std::string logOf(std::string_view session) {
    std::string text = "## " + std::string(session) + "\n";
    for (const std::string& line : world().logLines()) {
        text += line + "\n";
    }
    return text;
}

void type(const Key& typed) {
    world().deliver(World::keyDown(typed.first, typed.second));
    world().pump();
    world().advanceClock(0.2);
}

// Runs the scripted sessions; returns the log of all of them.
std::string runSessions(const GoldenHost& host) {
    const int pid = world().launchApplication(host.bundleIdentifier);
    world().loadFixture(
        pid, test_support::hostWindow(
                 {.title = host.windowTitle, .tabs = {{"Home", "value=1"}, {"Insert", "value=0 disabled"}}}));
    world().setFrontmost(pid);
    host.setLanguage(host.usLanguage);
    world().setScriptAnswer("GetEnableKeyboardShortcuts",
                            ScriptAnswer::withError("{\n    NSAppleScriptErrorNumber = -1708;\n}"));
    auto tips = std::make_unique<keytips::KeyTips>(host.profile());
    tips->monitorKeyboardEvents();
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("True"));
    tips->updateEnableAccessKeys();
    std::string log = logOf("start-up: the setting cannot be read, then the add-in switches key tips on");

    const auto session = [&log](std::string_view what, const std::vector<Key>& keys) {
        world().clearRecords();
        sim_hosts::tapOption(world());
        for (const Key& typed : keys) {
            type(typed);
        }
        log += logOf(what);
    };
    session("Option h 1: the road of one key press, Home is selected, then Bold", {key('h'), key('1')});
    session("Option q: a letter that begins no tab's shortcut", {key('q')});
    session("Option h y: a letter that begins no command's shortcut", {key('h'), key('y')});
    session("Option 1: the toolbar's first button", {key('1')});
    session("Option n: a disabled tab", {key('n')});
    session("Option h Escape: Escape in the command layer", {key('h'), escape});
    session("Option 5: a digit that begins no toolbar shortcut", {key('5')});
    world().setEnabled(world().find("save"), false);
    session("Option 1: a disabled toolbar button", {key('1')});
    tips.reset();

    // Start-up in a language the host does not support, in a new world.
    world().reset();
    world().launchApplication(host.bundleIdentifier);
    host.setLanguage("fr-FR");
    world().setScriptAnswer("GetEnableKeyboardShortcuts", ScriptAnswer::withText("False"));
    tips = std::make_unique<keytips::KeyTips>(host.profile());
    tips->monitorKeyboardEvents();
    log += logOf("start-up in a language the host does not support");
    return log;
}

Lines linesOf(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class GoldenLog : public test_support::SimWorldTest, public ::testing::WithParamInterface<GoldenHost> {};

TEST_P(GoldenLog, IsTheExpectedText) {
    const std::string path = std::string(KEYTIPS_GOLDEN_LOGS) + "/" + GetParam().file;
    const std::string log = runSessions(GetParam());
    const char* update = std::getenv("KEYTIPS_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1") {
        std::ofstream(path, std::ios::binary) << log;
        std::cout << "Wrote " << path << "\n";
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path << " cannot be read; KEYTIPS_UPDATE_GOLDEN=1 writes it";
    const Lines expected = linesOf(std::string(std::istreambuf_iterator<char>(file), {}));
    const Lines got = linesOf(log);
    for (std::size_t i = 0; i < expected.size() || i < got.size(); ++i) {
        const std::string wanted = i < expected.size() ? expected[i] : "(the end of the file)";
        const std::string logged = i < got.size() ? got[i] : "(the end of the log)";
        if (logged != wanted) {
            FAIL() << path << ":" << i + 1 << " is the first line that differs\n  expected: " << wanted
                   << "\n  logged:   " << logged;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, GoldenLog,
    ::testing::Values(GoldenHost{"spreadsheet", "com.microsoft.Excel", "Book1",
                                 [] {
                                     return keytips::spreadsheetProfile(keytips::spreadsheet::usTables(),
                                                                        keytips::spreadsheet::ukTables());
                                 },
                                 [](const std::string& language) {
                                     world().setScriptAnswer("GetLanguageCode",
                                                             ScriptAnswer::withText(language));
                                 },
                                 "1033", "spreadsheet.txt"},
                      GoldenHost{
                          "presentation", "com.microsoft.Powerpoint", "Presentation1",
                          [] {
                              return keytips::presentationProfile(keytips::presentation::usTables(),
                                                                  keytips::presentation::ukTables());
                          },
                          [](const std::string& language) { world().setPreferredLanguages({language}); },
                          "en-US", "presentation.txt"}),
    test_support::NameOfCase());

}  // namespace
