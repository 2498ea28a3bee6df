// An engine that is gone leaves nothing behind that acts: its monitors pass every event on, its
// observer and its queued blocks do nothing, and a second engine in the same process works alone.
#include <string>
#include <vector>

#include "engine_test_support.hpp"

namespace enginetest {
namespace {

using test_support::PrintTo;

using platform::sim::World;

class EngineLifetime : public EngineTest {
protected:
    // Every kind of event an engine listens to, each of which must reach the host unchanged.
    static std::vector<appkit::Event> everyEvent() {
        return {World::keyDown(keys::h, "h"),
                World::keyDown(keys::escape, "\x1b"),
                World::keyDown(keys::returnKey, "\r"),
                World::flagsChanged(keys::leftOption, appkit::optionFlag),
                World::flagsChanged(keys::leftOption, 0),
                World::flagsChanged(keys::shift, appkit::shiftFlag),
                World::mouseDown(true),
                World::mouseDown(false)};
    }
};

// What the engine leaves behind when it goes.
struct LeftBehind {
    const char* name;
    bool modeOpen;                                 // Option tapped and the queue run first
    std::vector<appkit::Event> beforeDestruction;  // leaves blocks queued
    bool pumpAfter = false;                        // runs them, leaving tasks and delayed blocks
};

class EngineGone : public EngineLifetime, public ::testing::WithParamInterface<LeftBehind> {};

std::vector<LeftBehind> leftBehind() {
    return {
        {"idle", false, {}},
        {"mode opening queued",
         false,
         {World::flagsChanged(keys::leftOption, appkit::optionFlag),
          World::flagsChanged(keys::leftOption, 0)}},
        {"mode open", true, {}},
        {"tab press queued", true, {World::keyDown(keys::n, "n")}},
        {"toolbar press queued", true, {World::keyDown(keys::one, "1")}},
        {"toolbar press's task and delay pending", true, {World::keyDown(keys::one, "1")}, true},
        {"mode end queued", true, {World::keyDown(keys::escape, "\x1b")}},
    };
}

TEST_P(EngineGone, EventsAndBlocksAfterItDoNothing) {
    const LeftBehind& c = GetParam();
    launchHost(bookFixture);
    start();
    if (c.modeOpen) {
        tapOption();
        world().pump();
        ASSERT_TRUE(tips->mode().isFirstLayerActive());
    }
    for (const appkit::Event& event : c.beforeDestruction) {
        deliver(event);
    }
    if (c.pumpAfter) {
        world().pump();
    }
    const std::size_t monitors = world().monitorCount();
    tips.reset();
    world().clearRecords();

    world().pump();
    world().advanceClock(1);
    for (const appkit::Event& event : everyEvent()) {
        const std::optional<appkit::Event> received = deliver(event);
        ASSERT_TRUE(received.has_value());
        EXPECT_EQ(received->keyCode, event.keyCode);
    }
    world().postNotification(appkit::applicationDidResignActiveNotification);
    world().pump();
    world().advanceClock(1);

    EXPECT_EQ(world().monitorCount(), monitors);
    EXPECT_EQ(world().pendingMainBlocks(), 0U);
    EXPECT_TRUE(world().actions().empty());
    EXPECT_TRUE(world().visibleWindows().empty());
    EXPECT_TRUE(world().logLines().empty());
}

INSTANTIATE_TEST_SUITE_P(EngineLifetime, EngineGone, ::testing::ValuesIn(leftBehind()),
                         test_support::NameOfCase());

TEST_F(EngineLifetime, ASecondEngineWorksAloneOnceTheFirstIsGone) {
    launchHost(bookFixture);
    start();
    tips = std::make_unique<keytips::KeyTips>(profile);
    start();
    world().clearRecords();

    tapOption();
    world().pump();
    EXPECT_TRUE(tips->mode().isFirstLayerActive());
    deliver(World::keyDown(keys::n, "n"));
    world().pump();
    std::size_t insertPresses = 0;
    for (const platform::sim::ActionRecord& action : world().actions()) {
        insertPresses += action.title == "Insert" && action.action == "AXPress" ? 1 : 0;
    }
    EXPECT_EQ(insertPresses, 1U);
    EXPECT_TRUE(tips->mode().isSecondLayerActive());
}

}  // namespace
}  // namespace enginetest
