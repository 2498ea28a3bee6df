// The main queue, detached tasks and the virtual clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "platform/dispatch.hpp"
#include "platform/sim/world.hpp"
#include "support/sim_world_test.hpp"

namespace {

using platform::dispatch::detachTask;
using platform::dispatch::mainAsync;
using platform::dispatch::mainAsyncAfter;
using platform::sim::world;

class SimQueue : public test_support::SimWorldTest {
protected:
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

// Five main-queue blocks and a detached task that queues a sixth, run under one seed.
std::string interleaved(std::uint64_t seed) {
    world().reset();
    world().setInterleavingSeed(seed);
    std::string order;
    for (const char block : std::string("01234")) {
        mainAsync([&order, block] { order += block; });
    }
    detachTask([&order] {
        order += 't';
        mainAsync([&order] { order += 'x'; });
    });
    EXPECT_EQ(world().pump(), 7U);
    return order;
}

// Held tasks wait through pumps and clock steps until runTasks(), which runs no main-queue block.
TEST_F(SimQueue, HeldTasksWaitForRunTasks) {
    world().setTasksHeld(true);
    detachTask([this] {
        order += "t";
        detachTask([this] { order += "u"; });
        mainAsync([this] { order += "m"; });
    });
    mainAsyncAfter(0.1, [this] { order += "d"; });
    world().pump();
    world().advanceClock(0.2);
    EXPECT_EQ(order, "d");
    EXPECT_EQ(world().pendingTasks(), 1U);

    EXPECT_EQ(world().runTasks(), 2U);
    EXPECT_EQ(order, "dtu");
    EXPECT_EQ(world().pendingMainBlocks(), 1U);
    world().pump();
    EXPECT_EQ(order, "dtum");

    world().reset();
    detachTask([this] { order += "x"; });
    world().pump();
    EXPECT_EQ(order, "dtumx") << "reset releases the hold";
}

TEST_F(SimQueue, SeededInterleavingPutsTasksAnywhereButKeepsTheMainQueueInOrder) {
    std::set<std::size_t> taskPlaces;
    for (std::uint64_t seed = 1; seed <= 64; ++seed) {
        const std::string ran = interleaved(seed);
        std::string mainOrder = ran;
        std::erase(mainOrder, 't');
        EXPECT_EQ(mainOrder, "01234x") << "seed " << seed << ": " << ran;
        EXPECT_EQ(ran, interleaved(seed)) << "seed " << seed << ": the same seed gives the same order";
        taskPlaces.insert(ran.find('t'));
    }
    // Before, between and after the blocks queued before it.
    EXPECT_EQ(taskPlaces, (std::set<std::size_t>{0, 1, 2, 3, 4, 5}));

    world().setInterleavingSeed(std::nullopt);
    mainAsync([this] { order += "m"; });
    detachTask([this] { order += "t"; });
    world().pump();
    EXPECT_EQ(order, "tm") << "no seed: tasks first again";
}

TEST_F(SimQueue, SeededInterleavingRunsTasksInAnyOrderAndDelayedBlocksLast) {
    std::set<std::string> orders;
    for (std::uint64_t seed = 1; seed <= 32; ++seed) {
        world().reset();
        world().setInterleavingSeed(seed);
        order.clear();
        mainAsyncAfter(0, [this] { order += "d"; });
        mainAsync([this] { order += "m"; });
        detachTask([this] { order += "1"; });
        detachTask([this] { order += "2"; });
        world().pump();
        EXPECT_EQ(order.back(), 'd') << "seed " << seed << ": " << order;
        orders.insert(order);
    }
    EXPECT_TRUE(orders.contains("21md")) << "tasks in either order";
    EXPECT_TRUE(orders.contains("1m2d")) << "a block between two tasks";
}

}  // namespace
