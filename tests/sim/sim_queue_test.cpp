// The main queue, detached tasks and the virtual clock.
#include <gtest/gtest.h>

#include <string>

#include "platform/dispatch.hpp"
#include "platform/sim/world.hpp"

namespace {

using platform::dispatch::detachTask;
using platform::dispatch::mainAsync;
using platform::dispatch::mainAsyncAfter;
using platform::sim::world;

class SimQueue : public ::testing::Test {
protected:
    void SetUp() override { world().reset(); }
    std::string order;
};

TEST_F(SimQueue, BlocksRunOnlyWhenPumpedInOrderIncludingThoseQueuedMeanwhile) {
    mainAsync([this] {
        order += "a";
        mainAsync([this] { order += "c"; });
        detachTask([this] { order += "t2"; });
    });
    mainAsync([this] { order += "b"; });
    detachTask([this] { order += "t1"; });
    EXPECT_EQ(order, "");
    EXPECT_EQ(world().pendingMainBlocks(), 2U);
    EXPECT_EQ(world().pendingTasks(), 1U);

    EXPECT_EQ(world().pump(), 5U);
    EXPECT_EQ(order, "t1at2bc");
    EXPECT_EQ(world().pump(), 0U);
}

TEST_F(SimQueue, DelayedBlocksRunWhenDueInDeadlineOrderEachFollowedByAPump) {
    mainAsyncAfter(0.5, [this] { order += "late "; });
    mainAsyncAfter(0.2, [this] {
        order += "first ";
        mainAsync([this] { order += "queued-by-first "; });
    });
    mainAsyncAfter(0.2, [this] { order += "second "; });
    world().pump();
    EXPECT_EQ(order, "");

    world().advanceClock(0.3);
    EXPECT_EQ(order, "first queued-by-first second ");
    EXPECT_DOUBLE_EQ(world().now(), 0.3);
    EXPECT_EQ(world().pendingDelayedBlocks(), 1U);

    mainAsyncAfter(0.1, [this] { order += "relative "; });  // due at 0.4
    world().advanceClock(1);
    EXPECT_EQ(order, "first queued-by-first second relative late ");
    EXPECT_EQ(world().pendingDelayedBlocks(), 0U);
}

}  // namespace
