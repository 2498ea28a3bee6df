// The DeckKeys library as the presentation host's add-in loads it: found by its two C entry points,
// started in a simulated presentation host, then the road of one key press with the real US tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/world.hpp"
#include "sim_hosts/add_in.hpp"
#include "sim_hosts/keyboard.hpp"

namespace {

using platform::sim::World;
using platform::sim::world;

std::vector<std::string> labelTexts() {
    std::vector<std::string> texts;
    for (const auto& label : world().visibleWindows()) {
        texts.push_back(label.text);
    }
    return texts;
}

TEST(DeckKeysLibrary, OptionHomeBoldPressesTheCheckBox) {
    world().reset();
    world().setPreferredLanguages({"en-US", "fr-FR"});
    const int pid = world().launchApplication("com.microsoft.Powerpoint");
    world().loadFixture(pid, R"(window "Presentation1"
  AXButton "Save" pos=100,10 size=20,20
  AXMenuButton "Customize Quick Access Toolbar" pos=300,10 size=20,20
  AXRadioButton "Home" value=0 pos=10,40 size=40,20 name=home
  AXRadioButton "Insert" value=1 pos=60,40 size=40,20
  AXCheckBox "Bold" value=0 pos=10,80 size=20,20 name=bold
)");

    const sim_hosts::LoadedLibrary library(DECKKEYS_PATH);
    ASSERT_TRUE(library.isOpen()) << library.error();
    const auto start = library.entryPoint("monitorKeyboardEvents");
    const auto update = library.entryPoint("updateEnableAccessKeys");
    ASSERT_NE(start, nullptr);
    ASSERT_NE(update, nullptr);

    start();
    EXPECT_EQ(world().monitorCount(), 4U);
    EXPECT_EQ(world().observerCount(), 1U);
    EXPECT_EQ(world().logLines(),
              (std::vector<std::string>{"AppleScript returned value: True", "Function will return: true",
                                        "VELKARO || Language: en-US",
                                        "VELKARO PPT || monitorKeyboardEvents function called",
                                        "VELKARO || Event monitors initialized"}));
    update();
    EXPECT_EQ(world().scriptsRun().size(), 2U);  // enable, enable again: no language script

    // Option: the toolbar button, the two tabs and the toolbar's customise button are labelled.
    sim_hosts::tapOption(world());
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1", "H", "N", "B"}));

    // "h": the Home tab is pressed and its commands are labelled; "1": Bold is pressed.
    EXPECT_FALSE(world().deliver(World::keyDown(sim_hosts::keyCodeOf('h'), "h")).has_value());
    world().pump();
    ASSERT_FALSE(world().actions().empty());
    EXPECT_EQ(world().actions().back().title, "Home");
    EXPECT_EQ(labelTexts(), (std::vector<std::string>{"1"}));
    EXPECT_FALSE(world().deliver(World::keyDown(sim_hosts::keyCodeOf('1'), "1")).has_value());
    world().pump();
    const auto actions = world().actions();
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back().action, "AXPress");
    EXPECT_EQ(actions.back().element, world().find("bold"));
    EXPECT_EQ(world().attribute(world().find("bold"), "AXValue"), platform::ax::Value(1));
    EXPECT_TRUE(labelTexts().empty());

    // Idle again: a letter reaches the host.
    EXPECT_TRUE(world().deliver(World::keyDown(sim_hosts::keyCodeOf('h'), "h")).has_value());
    world().reset();
}

}  // namespace
