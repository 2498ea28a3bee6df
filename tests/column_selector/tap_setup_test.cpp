// How the column selector asks for its tap and posts its replacements, what it leaves when its run
// loop returns, and two start-ups on two threads while the system switches the tap off.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "tap_fixture.hpp"

namespace column_selector_test {
namespace {

using TapSetUp = TapFixture;

// An active filter at the head of the HID tap point can delete the user's key before any other tap or
// the host sees it; a listening or tail-placed tap could not.
TEST_F(TapSetUp, TapIsAnEnabledKeyDownFilterAtTheHeadOfTheHidTapPoint) {
    bringToFront(Front::spreadsheet);
    start();

    const std::vector<sim::TapRecord> records = sim::tapRecords();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].location, cg::TapLocation::hid);
    EXPECT_EQ(records[0].placement, cg::TapPlacement::headInsert);
    EXPECT_EQ(records[0].options, cg::TapOptions::defaultTap);
    EXPECT_EQ(records[0].mask, cg::EventMask{1} << cg::keyDownEvent);
    EXPECT_EQ(records[0].enableCalls, std::vector<bool>{true});
    EXPECT_EQ(records[0].sourcesAdded, 1U);
    EXPECT_EQ(records[0].sourcesRemoved, 0U);
}

// Replacements read the keyboard's state as the user holds it and enter where the keyboard's own
// events do, so they pass every tap and reach the host as typed keys.
TEST_F(TapSetUp, ReplacementsComeFromTheHidStateAndArePostedAtTheHidTapPoint) {
    bringToFront(Front::spreadsheet);
    start();
    ASSERT_FALSE(sim::injectTapEvent(down(space, cmd)).passed);
    ASSERT_FALSE(sim::injectTapEvent(down(rightArrow, opt | shift)).passed);

    const std::vector<sim::PostRecord> posts = sim::postRecords();
    ASSERT_EQ(posts.size(), controlSpace().size() + commandShift(40, opt | shift).size());
    for (const sim::PostRecord& post : posts) {
        EXPECT_EQ(post.location, cg::TapLocation::hid);
        EXPECT_EQ(post.source, cg::EventSourceState::hidSystem);
    }
}

// The worker thread stays alive after initializeEventMonitor returns, so what the call itself undid is
// seen, not what the thread's end cleans up.
TEST_F(TapSetUp, RunLoopReturnSwitchesTheTapOffAndRemovesItsSource) {
    bringToFront(Front::spreadsheet);
    std::mutex mutex;
    std::condition_variable changed;
    bool returned = false;
    bool checked = false;
    std::thread worker([&] {
        column_selector::initializeEventMonitor();
        std::unique_lock lock(mutex);
        returned = true;
        changed.notify_all();
        changed.wait(lock, [&] { return checked; });
    });
    const cg::RunLoopRef loop = sim::waitForTapRunLoop();
    cg::runLoopStop(loop);
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return returned; });
    }

    const std::vector<sim::TapRecord> records = sim::tapRecords();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].enableCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(records[0].sourcesAdded, 1U);
    EXPECT_EQ(records[0].sourcesRemoved, 1U);
    EXPECT_EQ(column_selector::currentEventTap(), nullptr);
    EXPECT_TRUE(sim::injectTapEvent(down(space, cmd)).passed);

    {
        std::lock_guard lock(mutex);
        checked = true;
    }
    changed.notify_all();
    worker.join();
}

// The add-in may start the column selector again while the first tap's callback runs on its own
// thread: the tap reference is written by one and read by the other (run under ThreadSanitizer).
// Whatever the order, the most recent tap ends up enabled and remaps.
TEST_F(TapSetUp, SecondStartOnAnotherThreadWhileTheTapIsSwitchedOff) {
    bringToFront(Front::spreadsheet);
    std::thread first([] { column_selector::initializeEventMonitor(); });
    sim::waitForTapRunLoops(1);

    std::atomic<bool> secondStarted{false};
    std::thread notifier([&] {
        for (int round = 0; round < 200 || !secondStarted.load(); ++round) {
            const cg::EventType type = round % 2 == 0 ? cg::tapDisabledByTimeout : cg::tapDisabledByUserInput;
            sim::injectTapEvent({type, 0, true, 0});
        }
    });
    std::thread second([] { column_selector::initializeEventMonitor(); });
    const std::vector<cg::RunLoopRef> loops = sim::waitForTapRunLoops(2);
    secondStarted = true;
    notifier.join();

    // One more switch-off: the callback re-enables the tap the second start made.
    sim::injectTapEvent({cg::tapDisabledByTimeout, 0, true, 0});
    const cg::MachPortRef latest = column_selector::currentEventTap();
    ASSERT_NE(latest, nullptr);
    EXPECT_TRUE(cg::eventTapIsEnabled(latest));
    const std::vector<sim::TapRecord> records = sim::tapRecords();
    ASSERT_EQ(records.size(), 2U);
    EXPECT_EQ(records[1].enableCalls.back(), true);
    EXPECT_FALSE(sim::injectTapEvent(down(space, cmd)).passed);

    for (const cg::RunLoopRef loop : loops) {
        cg::runLoopStop(loop);
    }
    first.join();
    second.join();
}

}  // namespace
}  // namespace column_selector_test
