// Both hosts in UK English, with their real UK tables: the toolbar's UK anchor, tabs labelled by their
// UK titles only, and the road of one key press to Bold.
#include <gtest/gtest.h>

#include <memory>
#include <string>
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
using test_support::labelTexts;
using Texts = std::vector<std::string>;

struct UkHost {
    std::string name;
    std::string bundleIdentifier;
    keytips::HostProfile (*profile)();
    void (*setLanguage)();
    // The tabs after Home, and the labels of the first layer.
    std::vector<test_support::HostWindow::Tab> tabs;
    Texts firstLayerLabels;
};

class UkHosts : public test_support::SimWorldTest, public ::testing::WithParamInterface<UkHost> {};

TEST_P(UkHosts, OptionHomeBoldWithTheUkTables) {
    const UkHost& host = GetParam();
    const int pid = world().launchApplication(host.bundleIdentifier);
    std::vector<test_support::HostWindow::Tab> tabs{{"Home", "value=false"}};
    tabs.insert(tabs.end(), host.tabs.begin(), host.tabs.end());
    world().loadFixture(
        pid, test_support::hostWindow(
                 {.title = "Document",
                  .anchorX = 200,
                  .nearToolbar = "  AXMenuButton \"Customise Quick Access Toolbar\" pos=300,10 size=20,20\n",
                  .tabs = tabs}));
    world().setFrontmost(pid);
    host.setLanguage();
    keytips::KeyTips tips(host.profile());
    tips.monitorKeyboardEvents();
    EXPECT_TRUE(world().alerts().empty());

    sim_hosts::tapOption(world());
    // The two buttons left of the UK anchor are numbered (the US anchor is one of them); the UK
    // anchor is the customise button "B".
    EXPECT_EQ(labelTexts(), host.firstLayerLabels);

    world().deliver(World::keyDown(sim_hosts::keyCodeOf('h'), "h"));
    world().pump();
    ASSERT_EQ(world().actions().size(), 1U);
    EXPECT_EQ(world().actions()[0].element, world().find("home"));
    EXPECT_EQ(labelTexts(), (Texts{"1"}));
    world().deliver(World::keyDown(sim_hosts::keyCodeOf('1'), "1"));
    world().pump();
    ASSERT_EQ(world().actions().size(), 2U);
    EXPECT_EQ(world().actions()[1].element, world().find("bold"));
    EXPECT_EQ(world().actions()[1].action, "AXPress");
    EXPECT_TRUE(labelTexts().empty());
    EXPECT_FALSE(tips.isLayerActive());
}

INSTANTIATE_TEST_SUITE_P(
    BothHosts, UkHosts,
    ::testing::Values(UkHost{
                          "spreadsheet",
                          "com.microsoft.Excel",
                          [] {
                              return keytips::spreadsheetProfile(keytips::spreadsheet::usTables(),
                                                                 keytips::spreadsheet::ukTables());
                          },
                          [] { world().setScriptAnswer("GetLanguageCode", ScriptAnswer::withText("2057")); },
                          // A tab titled with the US wording gets no label.
                          {{"PivotTable Analyze", "value=0"}, {"Pivot Table Analyse", "value=0"}},
                          Texts{"1", "2", "H", "B", "JT"}},
                      UkHost{"presentation",
                             "com.microsoft.Powerpoint",
                             [] {
                                 return keytips::presentationProfile(keytips::presentation::usTables(),
                                                                     keytips::presentation::ukTables());
                             },
                             [] { world().setPreferredLanguages({"en-GB"}); },
                             {{"Slide Master", "value=0"}},
                             Texts{"1", "2", "H", "M", "B"}}),
    test_support::NameOfCase());

}  // namespace
