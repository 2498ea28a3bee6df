// The tap's lifetime, the setting changing while the tap runs, and the shared library as the add-in
// loads it.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "sim_hosts/add_in.hpp"
#include "support/own_process.hpp"
#include "tap_fixture.hpp"

namespace column_selector_test {
namespace {

using Lifecycle = TapFixture;

// When its run loop returns, initializeEventMonitor switches the tap off, removes it and lets it go:
// keys then reach the host untouched.
TEST_F(Lifecycle, RunLoopReturnReleasesTheTap) {
    bringToFront(Front::spreadsheet);
    start();
    EXPECT_EQ(sim::installedTapCount(), 1U);

    stop();

    EXPECT_EQ(sim::installedTapCount(), 0U);
    EXPECT_EQ(column_selector::currentEventTap(), nullptr);
    const auto verdict = sim::injectTapEvent(down(space, cmd));
    EXPECT_TRUE(verdict.passed);
    EXPECT_TRUE(sim::postedEvents().empty());
    EXPECT_EQ(frontmostQueries(), 0U);
}

TEST_F(Lifecycle, UpdateWhileRunningHoldsFromTheNextKey) {
    bringToFront(Front::spreadsheet);
    start();

    answer("False");
    column_selector::updateColumnSelector();
    EXPECT_TRUE(sim::injectTapEvent(down(space, cmd)).passed);

    answer("True");
    column_selector::updateColumnSelector();
    EXPECT_FALSE(sim::injectTapEvent(down(space, cmd)).passed);
    EXPECT_EQ(sim::postedEvents(), controlSpace());
}

// The flag is written on another thread while the tap reads it (run under ThreadSanitizer too).
TEST_F(Lifecycle, UpdateFromAnotherThreadWhileKeysArrive) {
    bringToFront(Front::spreadsheet);
    start();
    constexpr int rounds = 200;
    std::thread updater([] {
        for (int round = 0; round < rounds; ++round) {
            answer(round % 2 == 0 ? "False" : "True");
            column_selector::updateColumnSelector();
        }
    });
    std::size_t remapped = 0;
    for (int round = 0; round < rounds; ++round) {
        const auto verdict = sim::injectTapEvent(down(space, cmd));
        if (verdict.passed) {
            EXPECT_EQ(verdict.hostReceived, std::vector<KeyEvent>{asDelivered(down(space, cmd))});
        } else {
            EXPECT_EQ(verdict.hostReceived, controlSpace());
            ++remapped;
        }
    }
    updater.join();
    EXPECT_EQ(sim::postedEvents().size(), remapped * controlSpace().size());

    // The last answer was "True".
    EXPECT_FALSE(sim::injectTapEvent(down(space, cmd)).passed);
}

TEST_F(Lifecycle, SharedLibraryRemapsCommandSpace) {
    const sim_hosts::LoadedLibrary library(SPANPICK_PATH);
    ASSERT_TRUE(library.isOpen()) << library.error();
    const auto initialize = library.entryPoint("initializeEventMonitor");
    const auto update = library.entryPoint("updateColumnSelector");
    ASSERT_NE(initialize, nullptr);
    ASSERT_NE(update, nullptr);
    bringToFront(Front::spreadsheet);

    std::thread worker(initialize);
    const cg::RunLoopRef loop = sim::waitForTapRunLoop();
    const auto remappedVerdict = sim::injectTapEvent(down(space, cmd));
    answer("False");
    update();
    const auto offVerdict = sim::injectTapEvent(down(space, cmd));
    cg::runLoopStop(loop);
    worker.join();

    EXPECT_FALSE(remappedVerdict.passed);
    EXPECT_EQ(remappedVerdict.hostReceived, controlSpace());
    EXPECT_TRUE(offVerdict.passed);
    EXPECT_EQ(sim::postedEvents(), controlSpace());
    EXPECT_EQ(sim::installedTapCount(), 0U);
    EXPECT_EQ(logs().back(), "Function will return: false");
}

// Closed by the add-in while its run loop serves the tap, the library stays mapped: the tap's callback
// still remaps, and initializeEventMonitor returns into its own code once the run loop stops.
TEST_F(Lifecycle, SharedLibraryClosedWhileRunningStaysMapped) {
    test_support::expectInOwnProcess([] {
        sim_hosts::LoadedLibrary library(SPANPICK_PATH);
        ASSERT_TRUE(library.isOpen()) << library.error();
        const auto initialize = library.entryPoint("initializeEventMonitor");
        bringToFront(Front::spreadsheet);
        std::thread worker(initialize);
        const cg::RunLoopRef loop = sim::waitForTapRunLoop();
        EXPECT_TRUE(library.close());

        const auto verdict = sim::injectTapEvent(down(space, cmd));
        cg::runLoopStop(loop);
        worker.join();

        EXPECT_FALSE(verdict.passed);
        EXPECT_EQ(verdict.hostReceived, controlSpace());
        EXPECT_EQ(logs().back(), "Event monitor initialized");
    });
}

// The add-in starts the library on a thread of its own. Started on the main thread instead, the library
// says first that the host will stop handling input; on its own thread it says nothing of the kind. The
// tap fails here, so that the call returns and the main thread's case can run at all.
struct StartingThread {
    const char* name;
    bool mainThread;
};

const StartingThread startingThreads[] = {{"main thread", true}, {"thread of its own", false}};

class StartedOn : public TapFixture, public ::testing::WithParamInterface<StartingThread> {};

TEST_P(StartedOn, SaysSoOnlyOnTheMainThread) {
    const sim_hosts::LoadedLibrary library(SPANPICK_PATH);
    ASSERT_TRUE(library.isOpen()) << library.error();
    const auto initialize = library.entryPoint("initializeEventMonitor");
    ASSERT_NE(initialize, nullptr);
    sim::failNextTapCreation();

    if (GetParam().mainThread) {
        initialize();
    } else {
        std::thread(initialize).join();
    }

    std::vector<std::string> expected{
        "AppleScript returned value: True", "Function will return: true",
        "initializeEventMonitor function called", "Failed to create event tap",
        "Event tap permissions: listen to events allowed: yes, post events allowed: yes"};
    if (GetParam().mainThread) {
        expected.insert(
            expected.begin(),
            "initializeEventMonitor called on the main thread: it runs that thread's run loop and "
            "does not return, so the host will stop handling input");
    }
    EXPECT_EQ(logs(), expected);
}

INSTANTIATE_TEST_SUITE_P(Lifecycle, StartedOn, ::testing::ValuesIn(startingThreads),
                         test_support::NameOfCase());

}  // namespace
}  // namespace column_selector_test
