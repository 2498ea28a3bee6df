// Blocks that run after the mode they were queued in has ended: an opening overtaken by the host's
// resignation, and a tab press queued behind a letter that ended the first layer.
#include "layer_fixture.hpp"

namespace layertest {
namespace {

using LateBlocks = LayerTest;

TEST_F(LateBlocks, OpeningOvertakenByTheHostResigningShowsNothing) {
    start();
    tapOption(Pump::never);
    ASSERT_TRUE(tips->mode().isFirstLayerActive());
    world().postNotification(
        platform::appkit::applicationDidResignActiveNotification);  // before the opening runs
    world().pump();
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
    EXPECT_TRUE(tips->windowTitle().empty());
}

TEST_F(LateBlocks, TabPressQueuedBehindALetterThatEndedTheFirstLayerDoesNothing) {
    start();
    tapOption();
    type("qh", Pump::never);
    EXPECT_TRUE(tips->mode().isSecondLayerActive());  // "h" was routed at once
    world().pump();
    EXPECT_TRUE(logged("No access keys found starting with q"));
    EXPECT_FALSE(logged("This is the identifier: Home"));
    EXPECT_TRUE(actions().empty());
    EXPECT_TRUE(idle());
    EXPECT_TRUE(labels().empty());
}

// A layer that no row names reads nothing of the window's elements while matching.
TEST_F(LateBlocks, LayerWithoutRowsMatchesWithoutReadingRoles) {
    usTables.sharedKeys.push_back(layerRow({"Home"}, "Shapes", "s"));
    start(std::string(bookWindow) + "    AXMenuButton \"Shapes\" pos=70,80 size=20,20\n");
    tapOption();
    type("hs");
    ASSERT_TRUE(logged("This is the source: Shapes"));
    const std::size_t before = world().requestCount("copyAttributeValue AXRole");
    peer().endMode(keytips::Closing::layerHistory);
    tips->commandAccessLayer().open("Shapes");
    // The walk's element dump and the popover search read roles directly; matching adds nothing.
    const std::size_t dumpReads = tips->commandAccessLayer().elements.size();
    EXPECT_EQ(world().requestCount("copyAttributeValue AXRole") - before, dumpReads);
    EXPECT_TRUE(labels("second").empty());
}

}  // namespace
}  // namespace layertest
