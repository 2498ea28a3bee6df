// The simulated event-tap side of the world: keyboard events delivered through installed taps on
// their run loop's thread, and what the posted and passed events were.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/events.hpp"
#include "platform/sim/event_flags.hpp"

namespace platform::sim {

// A keyboard event as the tests see it. A modifier key's event (key codes 54 to 63) has the type
// flagsChangedEvent; keyDown still tells whether the key went down.
struct KeyEvent {
    cg::EventType type = cg::keyDownEvent;
    std::int64_t keyCode = 0;
    bool keyDown = true;
    cg::EventFlags flags = 0;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// For test failure messages: type, key code, down or up, flags in hexadecimal.
inline void PrintTo(const KeyEvent& event, std::ostream* out) {
    *out << "{type " << event.type << ", key " << event.keyCode << (event.keyDown ? ", down" : ", up")
         << ", flags 0x" << std::hex << event.flags << std::dec << "}";
}

// Waits until a run loop with at least one tap source runs on some thread; returns it.
cg::RunLoopRef waitForTapRunLoop();
// Waits until at least `count` run loops with a tap source run; returns them (in creation order).
std::vector<cg::RunLoopRef> waitForTapRunLoops(std::size_t count);

// Hands an event (or a tap-disabled notification) to the installed, enabled taps on their run loop's
// thread and waits until it and everything it caused has been delivered. Returns whether the event
// passed (reached the host) and what the host then received. As the keyboard would, a key or
// flags-changed event sets the modifiers held (World::setHeldModifierFlags) to its modifier bits and,
// unless bare events are on (World::setBareEvents), arrives with its key's device bits added to its
// flags (asDelivered gives the event so).
struct TapVerdict {
    bool passed = false;
    std::vector<KeyEvent> hostReceived;  // the event if it passed, then the events posted meanwhile
};
TapVerdict injectTapEvent(const KeyEvent& event);

// The event as injectTapEvent delivers it with bare events off: its key's device bits added.
inline KeyEvent asDelivered(KeyEvent event) {
    event.flags |= deviceFlagBits(event.keyCode);
    return event;
}

// Every event posted by the libraries, in order.
std::vector<KeyEvent> postedEvents();

// One posted event: where it was posted, and the state of the source it was created from (none: made
// without a source).
struct PostRecord {
    KeyEvent event;
    cg::TapLocation location = cg::TapLocation::hid;
    std::optional<cg::EventSourceState> source;
};
std::vector<PostRecord> postRecords();

// What the libraries asked of one event tap, in the order the taps were asked for (a failed creation
// too); kept after the tap is released or its thread has ended. A listen-only tap sees the events but
// what its callback returns changes nothing.
struct TapRecord {
    cg::TapLocation location = cg::TapLocation::hid;
    cg::TapPlacement placement = cg::TapPlacement::headInsert;
    cg::TapOptions options = cg::TapOptions::defaultTap;
    cg::EventMask mask = 0;
    bool failed = false;
    std::vector<bool> enableCalls;   // every eventTapEnable on it, in order
    std::size_t sourcesAdded = 0;    // its run-loop sources added to a run loop
    std::size_t sourcesRemoved = 0;  // ... and taken off one by runLoopRemoveSource
};
std::vector<TapRecord> tapRecords();

// Every keyboard event that passed the taps and reached the host, in order, injected or posted.
std::vector<KeyEvent> hostReceivedKeyEvents();

// Failure injection: the next event-tap creation fails; keyboard event creation fails from the n-th
// creation on (counted from now, 1-based), or never (none); event source creation fails.
void failNextTapCreation();
void failKeyboardEventCreation(std::optional<std::size_t> fromCreation);
void failEventSourceCreation(bool fail);

// Taps installed and not released, and whether the first is enabled.
std::size_t installedTapCount();
bool firstTapEnabled();

// Returns the tap side of the world to its initial state (World::reset() calls it).
void resetEventTaps();

}  // namespace platform::sim
