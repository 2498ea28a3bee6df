// The LedgerKeys library as a host add-in loads it: found by its two C entry points, started in the
// simulated spreadsheet host, then the road of one key press with the real US tables.
#include <algorithm>
#include <string>
#include <vector>

#include "engine_test_support.hpp"
#include "sim_hosts/add_in.hpp"

namespace enginetest {
namespace {

using platform::sim::World;

using LedgerKeysLibrary = test_support::SimWorldTest;

TEST_F(LedgerKeysLibrary, OptionHomeBoldPressesTheCheckBox) {
    const int pid = world().launchApplication(std::string(hostBundle));
    world().loadFixture(pid, R"(window "Book1"
  AXMenuButton "Customize Quick Access Toolbar" pos=300,10 size=20,20
  AXRadioButton "Home" value=0 pos=10,40 size=40,20 name=home
  AXRadioButton "Insert" value=1 pos=60,40 size=40,20
  AXCheckBox "Bold" value=0 pos=10,80 size=20,20 name=bold
)");

    const sim_hosts::LoadedLibrary library(LEDGERKEYS_PATH);
    ASSERT_TRUE(library.isOpen()) << library.error();
    const auto start = library.entryPoint("monitorKeyboardEvents");
    const auto update = library.entryPoint("updateEnableAccessKeys");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(update, nullptr);

    start();
    EXPECT_EQ(world().monitorCount(), 4U);
    EXPECT_EQ(world().observerCount(), 1U);
    EXPECT_EQ(world().logLines().back(), "VELKARO || Event monitors initialized");
    update();
    EXPECT_EQ(world().scriptsRun().size(), 3U);  // enable, language, enable again

    // Option: the first layer labels the Home and Insert tabs and the toolbar's customise button.
    sim_hosts::tapOption(world());
    std::vector<std::string> texts;
    for (const auto& label : world().visibleWindows()) {
        texts.push_back(label.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"H", "N", "B"}));

    // "h": the Home tab is pressed and its commands are labelled.
    EXPECT_FALSE(world().deliver(World::keyDown(keys::h, "h")).has_value());
    world().pump();
    const auto home = world().actions();
    ASSERT_FALSE(home.empty());
    EXPECT_EQ(home.back().action, "AXPress");
    EXPECT_EQ(home.back().title, "Home");
    texts.clear();
    for (const auto& label : world().visibleWindows()) {
        texts.push_back(label.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"1"}));

    // "1": Bold is pressed and key-tip mode ends.
    EXPECT_FALSE(world().deliver(World::keyDown(keys::one, "1")).has_value());
    world().pump();
    const auto actions = world().actions();
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back().action, "AXPress");
    EXPECT_EQ(actions.back().role, "AXCheckBox");
    EXPECT_EQ(actions.back().title, "Bold");
    EXPECT_EQ(actions.back().result, platform::ax::Error::success);
    EXPECT_EQ(world().attribute(world().find("bold"), "AXValue"), platform::ax::Value(1));
    EXPECT_TRUE(world().visibleWindows().empty());

    // Idle again: a letter reaches the host.
    EXPECT_TRUE(world().deliver(World::keyDown(keys::h, "h")).has_value());
    EXPECT_EQ(world().pendingMainBlocks(), 0U);
}

}  // namespace
}  // namespace enginetest
