// The records merged in the order they were made, across their kinds.
#include <gtest/gtest.h>

#include <vector>

#include "platform/accessibility.hpp"
#include "platform/appkit.hpp"
#include "platform/foundation.hpp"
#include "platform/sim/world.hpp"
#include "support/sim_world_test.hpp"

namespace {

using platform::sim::HistoryEntry;
using platform::sim::world;
using Kind = HistoryEntry::Kind;

class SimHistory : public test_support::SimWorldTest {};

TEST_F(SimHistory, MergesActionsSetsLogLinesAndAlertsInTheOrderTheyHappened) {
    const int pid = world().launchApplication("com.example.host");
    world().loadFixture(pid, "window \"W\"\n  AXTextField \"F\" name=f\n  AXButton \"B\" name=b\n");
    platform::foundation::log("first");
    platform::ax::setAttributeValue(world().find("f"), "AXFocused", true);
    platform::ax::performAction(world().find("b"), "AXPress");
    platform::foundation::log("second");
    (void)platform::appkit::Alert{"Message", "Text"}.runModal();
    platform::ax::performAction(world().find("b"), "AXPress");

    const std::vector<HistoryEntry> expected{{Kind::log, 0}, {Kind::attributeSet, 0}, {Kind::action, 0},
                                             {Kind::log, 1}, {Kind::alert, 0},        {Kind::action, 1}};
    EXPECT_EQ(world().history(), expected);
}

TEST_F(SimHistory, ClearedWithTheRecords) {
    platform::foundation::log("line");
    world().clearRecords();
    platform::foundation::log("after");
    EXPECT_EQ(world().history(), (std::vector<HistoryEntry>{{Kind::log, 0}}));
    world().reset();
    EXPECT_TRUE(world().history().empty());
}

}  // namespace
