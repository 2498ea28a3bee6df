// LedgerKeys and DeckKeys as each host's add-in loads them: found by their two C entry points, started
// in the simulated host, then the road of one key press with the real US tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/world.hpp"
#include "sim_hosts/add_in.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/host_window.hpp"
#include "support/sim_world_test.hpp"

namespace {

using test_support::PrintTo;

using platform::sim::World;
using platform::sim::world;
using sim_hosts::keyCodeOf;
using test_support::labelTexts;
using Lines = std::vector<std::string>;

struct Library {
    const char* name;
    const char* path;
    std::string bundleIdentifier;
    Lines preferredLanguages;
    test_support::HostWindow window;
    Lines startLog;
    // Scripts run by start-up and one update.
    std::size_t scripts;
    Lines firstLayerLabels;
};

class KeyTipLibraries : public test_support::SimWorldTest, public ::testing::WithParamInterface<Library> {};

TEST_P(KeyTipLibraries, OptionHomeBoldPressesTheCheckBox) {
    const Library& c = GetParam();
    world().setPreferredLanguages(c.preferredLanguages);
    const int pid = world().launchApplication(c.bundleIdentifier);
    world().loadFixture(pid, test_support::hostWindow(c.window));

    const sim_hosts::LoadedLibrary library(c.path);
    ASSERT_TRUE(library.isOpen()) << library.error();
    const auto start = library.entryPoint("monitorKeyboardEvents");
    const auto update = library.entryPoint("updateEnableAccessKeys");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(update, nullptr);

    start();
    EXPECT_EQ(world().monitorCount(), 4U);
    EXPECT_EQ(world().observerCount(), 1U);
    EXPECT_EQ(world().logLines(), c.startLog);
    update();
    EXPECT_EQ(world().scriptsRun().size(), c.scripts);

    // Option: the toolbar's buttons, the Home and Insert tabs and the toolbar's customise button.
    sim_hosts::tapOption(world());
    EXPECT_EQ(labelTexts(), c.firstLayerLabels);

    // "h": the Home tab is pressed and its commands are labelled.
    EXPECT_FALSE(world().deliver(World::keyDown(keyCodeOf('h'), "h")).has_value());
    world().pump();
    const auto home = world().actions();
    ASSERT_FALSE(home.empty());
    EXPECT_EQ(home.back().action, "AXPress");
    EXPECT_EQ(home.back().element, world().find("home"));
    EXPECT_EQ(labelTexts(), (Lines{"1"}));

    // "1": Bold is pressed and key-tip mode ends.
    EXPECT_FALSE(world().deliver(World::keyDown(keyCodeOf('1'), "1")).has_value());
    world().pump();
    const auto actions = world().actions();
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back().action, "AXPress");
    EXPECT_EQ(actions.back().element, world().find("bold"));
    EXPECT_EQ(actions.back().role, "AXCheckBox");
    EXPECT_EQ(actions.back().title, "Bold");
    EXPECT_EQ(actions.back().result, platform::ax::Error::success);
    EXPECT_EQ(world().attribute(world().find("bold"), "AXValue"), platform::ax::Value(1));
    EXPECT_TRUE(labelTexts().empty());

    // Idle again: a letter reaches the host.
    EXPECT_TRUE(world().deliver(World::keyDown(keyCodeOf('h'), "h")).has_value());
    EXPECT_EQ(world().pendingMainBlocks(), 0U);
}

// Home not selected yet, Insert selected.
const std::vector<test_support::HostWindow::Tab> insertSelected{{"Home", "value=0"}, {"Insert", "value=1"}};

INSTANTIATE_TEST_SUITE_P(
    Hosts, KeyTipLibraries,
    ::testing::Values(
        // The spreadsheet host answers the language query with "1033"; its toolbar shows no button.
        Library{"LedgerKeys",
                LEDGERKEYS_PATH,
                "com.microsoft.Excel",
                {"en-US"},
                {.toolbar = {}, .tabs = insertSelected},
                {"AppleScript returned value: True", "Function will return: true",
                 "Velkaro: Excel Language Code: 1033", "VELKARO Locale: System 1033",
                 "VELKARO || monitorKeyboardEvents function called", "VELKARO || Event monitors initialized"},
                3,  // enable, language, enable again
                {"H", "N", "B"}},
        // The presentation host takes the first preferred language; no language script.
        Library{
            "DeckKeys",
            DECKKEYS_PATH,
            "com.microsoft.Powerpoint",
            {"en-US", "fr-FR"},
            {.title = "Presentation1", .tabs = insertSelected},
            {"AppleScript returned value: True", "Function will return: true", "VELKARO || Language: en-US",
             "VELKARO PPT || monitorKeyboardEvents function called", "VELKARO || Event monitors initialized"},
            2,  // enable, enable again
            {"1", "H", "N", "B"}}),
    test_support::NameOfCase());

}  // namespace
