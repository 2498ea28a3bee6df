// The simulated event taps: delivery on the run loop's thread, masks and enabling, notifications,
// posted events going back through the taps, failure injection and reset.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "platform/events.hpp"
#include "platform/privacy.hpp"
#include "platform/sim/taps.hpp"
#include "platform/sim/world.hpp"
#include "support/sim_world_test.hpp"

namespace {

namespace cg = platform::cg;
namespace sim = platform::sim;
using sim::asDelivered;
using sim::KeyEvent;

KeyEvent down(std::int64_t key, cg::EventFlags flags = 0) { return {cg::keyDownEvent, key, true, flags}; }
KeyEvent up(std::int64_t key) { return {cg::keyUpEvent, key, false, 0}; }

// A callback's record and behaviour: key 1 is deleted after posting keys 2 and 3; key 3 is deleted;
// key 4 is replaced by a key 5 the callback makes; everything else passes.
struct Recorder {
    std::vector<KeyEvent> seen;
    std::thread::id thread;
};

cg::EventRef recordingCallback(cg::TapProxy* /*proxy*/, cg::EventType type, const cg::EventRef& event,
                               void* userInfo) {
    auto& recorder = *static_cast<Recorder*>(userInfo);
    recorder.thread = std::this_thread::get_id();
    KeyEvent seen{type, cg::eventGetIntegerValueField(event.get(), cg::EventField::keyboardEventKeycode),
                  type == cg::keyDownEvent, cg::eventGetFlags(event.get())};
    recorder.seen.push_back(seen);
    if (seen.keyCode == 1) {
        for (cg::KeyCode key : {cg::KeyCode{2}, cg::KeyCode{3}}) {
            const auto posted = cg::eventCreateKeyboardEvent(nullptr, key, true);
            cg::eventPost(cg::TapLocation::hid, posted.get());
        }
        return nullptr;
    }
    if (seen.keyCode == 4) {
        return cg::eventCreateKeyboardEvent(nullptr, 5, true);  // the only reference, handed to the tap
    }
    return seen.keyCode == 3 ? nullptr : event;
}

class SimTaps : public test_support::SimWorldTest {
protected:
    void TearDown() override {
        stop();
        SimWorldTest::TearDown();
    }

    void start(cg::EventMask mask, cg::TapOptions options = cg::TapOptions::defaultTap) {
        tap_ = cg::eventTapCreate(cg::TapLocation::hid, cg::TapPlacement::headInsert, options, mask,
                                  recordingCallback, &recorder_);
        ASSERT_NE(tap_, nullptr);
        worker_ = std::thread([this] {
            const auto source = cg::machPortCreateRunLoopSource(tap_, 0);
            cg::runLoopAddSource(cg::runLoopGetCurrent(), source);
            cg::runLoopRun();
            cg::runLoopRemoveSource(cg::runLoopGetCurrent(), source);
        });
        loop_ = sim::waitForTapRunLoop();
    }

    void stop() {
        if (worker_.joinable()) {
            cg::runLoopStop(loop_);
            worker_.join();
        }
    }

    static constexpr cg::EventMask keyDownMask = cg::EventMask{1} << cg::keyDownEvent;
    Recorder recorder_;
    cg::MachPortRef tap_;
    std::thread worker_;
    cg::RunLoopRef loop_ = nullptr;
};

TEST_F(SimTaps, RunLoopWithoutSourcesReturnsAtOnce) {
    cg::runLoopRun();
    EXPECT_NE(cg::runLoopGetCurrent(), nullptr);
    EXPECT_EQ(cg::runLoopGetCurrent(), cg::runLoopGetCurrent());
}

TEST_F(SimTaps, CallbackRunsOnTheRunLoopThreadForMaskedEnabledTaps) {
    start(keyDownMask);
    const auto loopThread = worker_.get_id();

    const auto passed = sim::injectTapEvent(down(7, cg::flagMaskShift));
    const auto untapped = sim::injectTapEvent(up(7));
    cg::eventTapEnable(tap_, false);
    const auto whileDisabled = sim::injectTapEvent(down(3));

    EXPECT_EQ(recorder_.thread, loopThread);
    EXPECT_EQ(recorder_.seen, std::vector<KeyEvent>{asDelivered(down(7, cg::flagMaskShift))});
    EXPECT_TRUE(passed.passed);
    EXPECT_EQ(passed.hostReceived, std::vector<KeyEvent>{asDelivered(down(7, cg::flagMaskShift))});
    EXPECT_TRUE(untapped.passed);
    EXPECT_TRUE(whileDisabled.passed);
    EXPECT_EQ(sim::hostReceivedKeyEvents(),
              (std::vector<KeyEvent>{asDelivered(down(7, cg::flagMaskShift)), asDelivered(up(7)),
                                     asDelivered(down(3))}));
}

TEST_F(SimTaps, PostedEventsGoBackThroughTheTapsAfterTheCurrentOne) {
    start(keyDownMask);
    const auto verdict = sim::injectTapEvent(down(1));

    // Events made without a source carry the device bits as the typed one does.
    const KeyEvent first = asDelivered(down(1));
    const KeyEvent second = asDelivered(down(2));
    const KeyEvent third = asDelivered(down(3));
    EXPECT_FALSE(verdict.passed);
    EXPECT_EQ(recorder_.seen, (std::vector<KeyEvent>{first, second, third}));
    EXPECT_EQ(sim::postedEvents(), (std::vector<KeyEvent>{second, third}));
    EXPECT_EQ(verdict.hostReceived, std::vector<KeyEvent>{second});
}

// An event the callback made and returns in place of the one given is what passes on.
TEST_F(SimTaps, CallbackPassesOnAnEventItMade) {
    start(keyDownMask);
    const auto verdict = sim::injectTapEvent(down(4));

    EXPECT_TRUE(verdict.passed);
    EXPECT_EQ(recorder_.seen, std::vector<KeyEvent>{asDelivered(down(4))});
    EXPECT_EQ(verdict.hostReceived, std::vector<KeyEvent>{asDelivered(down(5))});
    EXPECT_TRUE(sim::postedEvents().empty());
}

// A listening tap sees every event but deletes none; the world records how each tap was asked for,
// how it was enabled, its run-loop source, and where and from which source each event was posted.
TEST_F(SimTaps, ListenOnlyTapsDeleteNothingAndTapsAndPostsAreRecorded) {
    start(keyDownMask, cg::TapOptions::listenOnly);
    const auto verdict = sim::injectTapEvent(down(3));
    EXPECT_TRUE(verdict.passed);
    EXPECT_EQ(recorder_.seen.size(), 1U);
    cg::eventTapEnable(tap_, false);
    stop();

    const std::vector<sim::TapRecord> records = sim::tapRecords();
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].location, cg::TapLocation::hid);
    EXPECT_EQ(records[0].placement, cg::TapPlacement::headInsert);
    EXPECT_EQ(records[0].options, cg::TapOptions::listenOnly);
    EXPECT_EQ(records[0].mask, keyDownMask);
    EXPECT_EQ(records[0].enableCalls, std::vector<bool>{false});
    EXPECT_EQ(records[0].sourcesAdded, 1U);
    EXPECT_EQ(records[0].sourcesRemoved, 1U);

    const auto source = cg::eventSourceCreate(cg::EventSourceState::privateState);
    const auto event = cg::eventCreateKeyboardEvent(source, 4, true);
    cg::eventPost(cg::TapLocation::session, event.get());
    const std::vector<sim::PostRecord> posts = sim::postRecords();
    ASSERT_EQ(posts.size(), 1U);
    EXPECT_EQ(posts[0].location, cg::TapLocation::session);
    EXPECT_EQ(posts[0].source, cg::EventSourceState::privateState);
    EXPECT_EQ(posts[0].event.keyCode, 4);
}

TEST_F(SimTaps, DisabledNotificationReachesTheCallbackWhateverMaskAndState) {
    start(keyDownMask);
    cg::eventTapEnable(tap_, false);
    for (cg::EventType type : {cg::tapDisabledByTimeout, cg::tapDisabledByUserInput}) {
        cg::eventTapEnable(tap_, true);
        const auto verdict = sim::injectTapEvent(KeyEvent{type, 0, false, 0});
        EXPECT_TRUE(verdict.hostReceived.empty()) << "notification " << type;
        // The system switched the tap off before telling it.
        EXPECT_FALSE(sim::firstTapEnabled()) << "notification " << type;
    }
    ASSERT_EQ(recorder_.seen.size(), 2U);
    EXPECT_EQ(recorder_.seen[0].type, cg::tapDisabledByTimeout);
    EXPECT_EQ(recorder_.seen[1].type, cg::tapDisabledByUserInput);
}

TEST_F(SimTaps, StoppedRunLoopNoLongerDeliversAndReleasedTapsAreNotCounted) {
    start(keyDownMask);
    EXPECT_EQ(sim::installedTapCount(), 1U);
    stop();
    EXPECT_TRUE(sim::injectTapEvent(down(3)).passed);
    EXPECT_TRUE(recorder_.seen.empty());
    tap_.reset();
    EXPECT_EQ(sim::installedTapCount(), 0U);
}

TEST_F(SimTaps, FailureInjection) {
    sim::failNextTapCreation();
    EXPECT_EQ(cg::eventTapCreate(cg::TapLocation::hid, cg::TapPlacement::headInsert,
                                 cg::TapOptions::defaultTap, keyDownMask, recordingCallback, &recorder_),
              nullptr);
    EXPECT_NE(cg::eventTapCreate(cg::TapLocation::hid, cg::TapPlacement::headInsert,
                                 cg::TapOptions::defaultTap, keyDownMask, recordingCallback, &recorder_),
              nullptr);

    sim::failEventSourceCreation(true);
    EXPECT_EQ(cg::eventSourceCreate(cg::EventSourceState::hidSystem), nullptr);
    sim::failEventSourceCreation(false);
    const auto source = cg::eventSourceCreate(cg::EventSourceState::hidSystem);
    EXPECT_NE(source, nullptr);

    sim::failKeyboardEventCreation(3);
    std::vector<bool> created;
    for (int creation = 0; creation < 4; ++creation) {
        created.push_back(cg::eventCreateKeyboardEvent(source, 0, true) != nullptr);
    }
    EXPECT_EQ(created, (std::vector<bool>{true, true, false, false}));
    sim::failKeyboardEventCreation(std::nullopt);
    const auto event = cg::eventCreateKeyboardEvent(source, 59, false);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(cg::eventGetFlags(event.get()), sim::nonCoalescedFlag);
    EXPECT_EQ(cg::eventGetIntegerValueField(event.get(), cg::EventField::keyboardEventKeycode), 59);
}

// A tap that may change events needs the access to post them, a listening one the access to listen.
TEST_F(SimTaps, TapCreationNeedsTheAccessTheTapUses) {
    const auto create = [this](cg::TapOptions options) {
        return cg::eventTapCreate(cg::TapLocation::hid, cg::TapPlacement::headInsert, options, keyDownMask,
                                  recordingCallback, &recorder_) != nullptr;
    };
    sim::world().setPermissions({true, true, false});
    EXPECT_FALSE(create(cg::TapOptions::defaultTap));
    EXPECT_TRUE(create(cg::TapOptions::listenOnly));
    sim::world().setPermissions({true, false, true});
    EXPECT_TRUE(create(cg::TapOptions::defaultTap));
    EXPECT_FALSE(create(cg::TapOptions::listenOnly));

    const std::vector<sim::TapRecord> records = sim::tapRecords();
    ASSERT_EQ(records.size(), 4U);
    EXPECT_TRUE(records[0].failed);
    EXPECT_FALSE(records[1].failed);
}

// The source a keyboard event is made from, if any.
enum class Source { none, privateState, combinedSession, hidSystem };

// A new keyboard event: the source it is made from, the modifiers held, bare events or not, its key and
// direction; and the type and flags it starts with.
struct NewKeyboardEvent {
    const char* name;
    Source source;
    cg::EventFlags held;
    bool bare;
    cg::KeyCode key;
    bool keyDown;
    cg::EventType type;
    cg::EventFlags flags;
};

using test_support::PrintTo;

class SimTapsNewKeyboardEvent : public SimTaps, public ::testing::WithParamInterface<NewKeyboardEvent> {};

// A new keyboard event starts with what its source gives: the modifiers held now when the source reads
// the keyboard's state, none otherwise; the device bits unless events are bare. A modifier key's event
// is a flags-changed event. Setting flags replaces all of them.
TEST_P(SimTapsNewKeyboardEvent, StartsWithWhatTheSourceGives) {
    const NewKeyboardEvent& c = GetParam();
    sim::world().setBareEvents(c.bare);
    sim::world().setHeldModifierFlags(c.held);
    cg::EventSourceRef source;
    switch (c.source) {
        case Source::none:
            break;
        case Source::privateState:
            source = cg::eventSourceCreate(cg::EventSourceState::privateState);
            break;
        case Source::combinedSession:
            source = cg::eventSourceCreate(cg::EventSourceState::combinedSession);
            break;
        case Source::hidSystem:
            source = cg::eventSourceCreate(cg::EventSourceState::hidSystem);
            break;
    }
    const auto event = cg::eventCreateKeyboardEvent(source, c.key, c.keyDown);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(cg::eventGetFlags(event.get()), c.flags);

    // Posted, it reaches the host with its type; setting flags replaces every bit.
    cg::eventPost(cg::TapLocation::hid, event.get());
    cg::eventSetFlags(event.get(), cg::flagMaskControl);
    EXPECT_EQ(cg::eventGetFlags(event.get()), cg::flagMaskControl);
    EXPECT_EQ(sim::hostReceivedKeyEvents(), (std::vector<KeyEvent>{{c.type, c.key, c.keyDown, c.flags}}));
}

constexpr cg::EventFlags optShift = cg::flagMaskAlternate | cg::flagMaskShift;
constexpr cg::EventFlags arrowBits = sim::numericPadFlag | sim::functionKeyFlag;
constexpr cg::EventFlags nc = sim::nonCoalescedFlag;

INSTANTIATE_TEST_SUITE_P(
    Sources, SimTapsNewKeyboardEvent,
    ::testing::Values(
        NewKeyboardEvent{"HidStateLetter", Source::hidSystem, optShift, false, 0, true, cg::keyDownEvent,
                         optShift | nc},
        NewKeyboardEvent{"CombinedSession", Source::combinedSession, cg::flagMaskCommand, false, 0, false,
                         cg::keyUpEvent, cg::flagMaskCommand | nc},
        NewKeyboardEvent{"PrivateState", Source::privateState, cg::flagMaskCommand, false, 0, true,
                         cg::keyDownEvent, nc},
        NewKeyboardEvent{"NoSource", Source::none, cg::flagMaskCommand, false, 0, true, cg::keyDownEvent, nc},
        NewKeyboardEvent{"Arrow", Source::hidSystem, 0, false, 124, true, cg::keyDownEvent, arrowBits | nc},
        NewKeyboardEvent{"BelowTheArrows", Source::hidSystem, 0, false, 122, true, cg::keyDownEvent, nc},
        NewKeyboardEvent{"ModifierKey", Source::hidSystem, cg::flagMaskControl, false, 56, false,
                         cg::flagsChangedEvent, cg::flagMaskControl | nc},
        NewKeyboardEvent{"FirstModifierKeyCode", Source::hidSystem, 0, false, 54, true, cg::flagsChangedEvent,
                         nc},
        NewKeyboardEvent{"LastModifierKeyCode", Source::hidSystem, 0, false, 63, true, cg::flagsChangedEvent,
                         nc},
        NewKeyboardEvent{"BelowTheModifiers", Source::hidSystem, 0, false, 53, true, cg::keyDownEvent, nc},
        NewKeyboardEvent{"AboveTheModifiers", Source::hidSystem, 0, false, 64, false, cg::keyUpEvent, nc},
        NewKeyboardEvent{"BareArrow", Source::hidSystem, cg::flagMaskAlternate, true, 123, true,
                         cg::keyDownEvent, cg::flagMaskAlternate},
        NewKeyboardEvent{"BareNoSource", Source::none, cg::flagMaskAlternate, true, 123, true,
                         cg::keyDownEvent, 0}),
    test_support::NameOfCase{});

// Only the modifier keys' own bits are held.
TEST_F(SimTaps, HeldModifiersAreTheModifierBitsOnly) {
    sim::world().setHeldModifierFlags(cg::flagMaskCommand | sim::nonCoalescedFlag | sim::numericPadFlag |
                                      sim::functionKeyFlag | 0x20);
    EXPECT_EQ(sim::world().heldModifierFlags(), cg::flagMaskCommand);
}

// Injected keys arrive as the keyboard delivers them, with the device bits, so that a comparison of
// flags by equality fails as on a Mac while a bit test holds; each sets the modifiers held. Posted
// events and notifications leave the held modifiers alone. Bare events arrive as given.
TEST_F(SimTaps, InjectedEventsCarryTheDeviceBitsAndSetTheHeldModifiers) {
    start(keyDownMask);

    sim::injectTapEvent(down(124, optShift));
    ASSERT_EQ(recorder_.seen.size(), 1U);
    const cg::EventFlags seen = recorder_.seen[0].flags;
    EXPECT_NE(seen, optShift);
    EXPECT_EQ(seen & optShift, optShift);
    EXPECT_EQ(seen, optShift | sim::nonCoalescedFlag | sim::numericPadFlag | sim::functionKeyFlag);
    EXPECT_EQ(sim::world().heldModifierFlags(), optShift);

    sim::injectTapEvent(KeyEvent{cg::flagsChangedEvent, 58, false, cg::flagMaskShift});  // Option let go
    EXPECT_EQ(sim::world().heldModifierFlags(), cg::flagMaskShift);
    EXPECT_EQ(sim::hostReceivedKeyEvents().back().flags, cg::flagMaskShift | sim::nonCoalescedFlag);

    sim::injectTapEvent(down(1, cg::flagMaskCommand));  // posts keys 2 and 3, made with no modifier
    sim::injectTapEvent(KeyEvent{cg::tapDisabledByTimeout, 0, false, 0});
    EXPECT_EQ(sim::world().heldModifierFlags(), cg::flagMaskCommand);
    cg::eventTapEnable(tap_, true);  // the notification switched it off

    sim::world().setBareEvents(true);
    sim::injectTapEvent(down(124, optShift));
    EXPECT_EQ(recorder_.seen.back(), down(124, optShift));
    EXPECT_EQ(sim::world().heldModifierFlags(), optShift);
}

TEST_F(SimTaps, ResetReturnsToTheInitialState) {
    start(keyDownMask);
    sim::injectTapEvent(down(1));
    sim::failNextTapCreation();
    sim::failKeyboardEventCreation(1);

    sim::world().reset();  // stops the run loop: it has no sources left
    worker_.join();

    EXPECT_TRUE(sim::postedEvents().empty());
    EXPECT_TRUE(sim::hostReceivedKeyEvents().empty());
    EXPECT_EQ(sim::installedTapCount(), 0U);
    EXPECT_NE(cg::eventCreateKeyboardEvent(nullptr, 0, true), nullptr);
    EXPECT_NE(cg::eventTapCreate(cg::TapLocation::hid, cg::TapPlacement::headInsert,
                                 cg::TapOptions::defaultTap, keyDownMask, recordingCallback, &recorder_),
              nullptr);
}

}  // namespace
