// The world as a whole: its initial state, reset, and the screen picture.
#include "support/sim_world_test.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/appkit.hpp"
#include "platform/dispatch.hpp"
#include "platform/foundation.hpp"
#include "platform/privacy.hpp"
#include "platform/sim/world.hpp"

namespace {

using platform::Rect;
using platform::sim::World;
using platform::sim::world;

using SimWorld = test_support::SimWorldTest;

// A record outlives its window: it names the window by a number never given again, and holds no
// pointer to it once the window is gone, even when a new window takes the same memory.
TEST_F(SimWorld, WindowRecordsNameWindowsByNumberAndDropPointersToDestroyedOnes) {
    const auto make = [] {
        return std::make_unique<platform::appkit::Window>(Rect{}, 0, platform::appkit::BackingStore::buffered,
                                                          false);
    };
    auto first = make();
    first->makeKeyAndOrderFront();
    const std::uint64_t firstNumber = world().windows().at(0).number;
    first.reset();
    auto second = make();
    second->makeKeyAndOrderFront();

    const std::vector<platform::sim::WindowEvent> events = world().windowEvents();
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(events[0].info.number, firstNumber);
    EXPECT_EQ(events[0].info.window, nullptr);
    EXPECT_NE(events[1].info.number, firstNumber);
    EXPECT_EQ(events[1].info.window, second.get());
    EXPECT_EQ(world().windows().at(0).number, events[1].info.number);
    second.reset();
}

TEST_F(SimWorld, ResetReturnsEverythingToTheInitialState) {
    const int pid = world().launchApplication("com.example.host");
    world().setFrontmost(pid);
    world().loadFixture(pid, "window \"W\"\n  AXButton \"B\" name=b\n");
    world().setScreens({});
    world().setPreferredLanguages({});
    world().setAlertAnswer(1000);
    world().setScriptAnswer("GetLanguageCode", platform::sim::ScriptAnswer::withText("2057"));
    platform::appkit::addLocalMonitorForEvents(platform::appkit::keyDownMask,
                                               [](const platform::appkit::Event& e) { return e; });
    platform::appkit::addObserver("N", [](const platform::appkit::Notification&) {});
    platform::dispatch::mainAsync([] {});
    platform::dispatch::mainAsyncAfter(1, [] {});
    platform::dispatch::detachTask([] {});
    world().advanceClock(0.5);
    platform::ax::performAction(world().find("b"), "AXPress");
    platform::foundation::log("line");
    platform::foundation::writeStandardOutput("text");
    platform::appkit::openURL("u");
    world().deliver(World::keyDown(0, "a"));
    auto window = std::make_unique<platform::appkit::Window>(Rect{}, 0,
                                                             platform::appkit::BackingStore::buffered, false);
    window->makeKeyAndOrderFront();
    world().setLateEffects(true);
    world().setInterleavingSeed(7);
    world().setBareEvents(true);
    world().setHeldModifierFlags(platform::appkit::commandFlag);
    world().setPermissions({false, false, false});

    world().reset();

    EXPECT_TRUE(platform::appkit::runningApplications().empty());
    EXPECT_FALSE(platform::appkit::frontmostApplication());
    EXPECT_EQ(platform::appkit::screenFrames(), (std::vector<Rect>{{{0, 0}, {1440, 900}}}));
    EXPECT_EQ(platform::foundation::preferredLanguages(), std::vector<std::string>{"en-US"});
    EXPECT_EQ(platform::appkit::Alert{}.runModal(), 1001);
    EXPECT_EQ(platform::foundation::AppleScript::create("GetLanguageCode")->execute().stringValue, "1033");
    EXPECT_EQ(world().find("b"), platform::ax::Element{});
    EXPECT_EQ(world().monitorCount(), 0U);
    EXPECT_EQ(world().observerCount(), 0U);
    EXPECT_EQ(world().pendingMainBlocks() + world().pendingDelayedBlocks() + world().pendingTasks(), 0U);
    EXPECT_EQ(world().now(), 0);
    EXPECT_TRUE(world().actions().empty());
    EXPECT_TRUE(world().hostReceived().empty());
    EXPECT_TRUE(world().windows().empty());
    EXPECT_TRUE(world().windowEvents().empty());
    EXPECT_TRUE(world().openedURLs().empty());
    EXPECT_EQ(world().standardOutput(), "");
    // The reads above made by this test are the only records now.
    EXPECT_EQ(world().logLines(), std::vector<std::string>{});
    EXPECT_EQ(world().alerts().size(), 1U);
    EXPECT_EQ(world().scriptsRun().size(), 1U);
    EXPECT_EQ(world().requestCount("runningApplications"), 1U);
    EXPECT_EQ(world().requestCount("performAction"), 0U);
    window.reset();  // a window outliving a reset unregisters harmlessly
    EXPECT_TRUE(world().windows().empty());

    EXPECT_FALSE(world().lateEffects());
    EXPECT_FALSE(world().bareEvents());
    EXPECT_EQ(world().heldModifierFlags(), 0U);
    const platform::privacy::Permissions granted = platform::privacy::permissions();
    EXPECT_TRUE(granted.accessibility && granted.listenToEvents && granted.postEvents);
    // No seed: every detached task runs before the main-queue blocks (a seeded order would mix them).
    std::string order;
    for (int block = 0; block < 8; ++block) {
        platform::dispatch::mainAsync([&order] { order += 'm'; });
        platform::dispatch::detachTask([&order] { order += 't'; });
    }
    world().pump();
    EXPECT_EQ(order, "ttttttttmmmmmmmm");
}

TEST_F(SimWorld, NoScreensAndNoLanguagesAreAllowed) {
    world().setScreens({});
    world().setPreferredLanguages({});
    EXPECT_TRUE(platform::appkit::screenFrames().empty());
    EXPECT_TRUE(platform::foundation::preferredLanguages().empty());
}

TEST_F(SimWorld, PictureShowsElementsAndVisibleLabelsWithEscapedText) {
    world().setScreens({{{0, 0}, {1000, 800}}});
    const int pid = world().launchApplication("com.example.host");
    world().loadFixture(pid,
                        "window \"W\"\n  AXButton \"Fill & <Colour>\" pos=200,30 size=40,20\n"
                        "  AXButton \"Hidden\"\n");
    platform::appkit::Window label(Rect{{220, 745}, {15, 15}}, 0, platform::appkit::BackingStore::buffered,
                                   false);
    platform::appkit::TextField letter(Rect{});
    letter.stringValue = "H";
    label.addSubview(letter);
    label.makeKeyAndOrderFront();

    const std::string svg = world().svg();
    EXPECT_NE(svg.find("<rect x=\"200\" y=\"30\" width=\"40\" height=\"20\""), std::string::npos) << svg;
    EXPECT_NE(svg.find("Fill &amp; &lt;Colour&gt;"), std::string::npos) << svg;
    EXPECT_EQ(svg.find("Hidden"), std::string::npos) << "no frame, not drawn";
    EXPECT_NE(svg.find("<rect x=\"220\" y=\"40\" width=\"15\" height=\"15\" fill=\"blue\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find(">H</text>"), std::string::npos);
}

}  // namespace
