// Core Graphics event taps, keyboard events and posting, and the Core Foundation run loops that serve
// the taps. A tap's callback runs on the thread whose run loop holds the tap's source (the column
// selector's tap thread); the calls here are safe from any thread.
#include "platform/events.hpp"

#include <ApplicationServices/ApplicationServices.h>

#include "constants.hpp"
#include "tap_rules.hpp"

namespace platform::cg {

// An event is the platform's event itself: an Event* is a CGEventRef under the seam's name.
struct MachPort {
    CFMachPortRef port = nullptr;
    TapCallback callback = nullptr;
    void* userInfo = nullptr;

    MachPort() = default;
    MachPort(const MachPort&) = delete;
    MachPort& operator=(const MachPort&) = delete;
    MachPort(MachPort&&) = delete;
    MachPort& operator=(MachPort&&) = delete;
    ~MachPort() {
        if (port != nullptr) {
            CFMachPortInvalidate(port);
            CFRelease(port);
        }
    }
};

struct RunLoopSource {
    CFRunLoopSourceRef source = nullptr;
    MachPortRef port;  // the tap stays alive as long as its source

    RunLoopSource(CFRunLoopSourceRef created, MachPortRef tap) : source(created), port(std::move(tap)) {}
    RunLoopSource(const RunLoopSource&) = delete;
    RunLoopSource& operator=(const RunLoopSource&) = delete;
    RunLoopSource(RunLoopSource&&) = delete;
    RunLoopSource& operator=(RunLoopSource&&) = delete;
    ~RunLoopSource() { CFRelease(source); }
};

struct EventSource {
    CGEventSourceRef source = nullptr;

    explicit EventSource(CGEventSourceRef created) : source(created) {}
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;
    EventSource(EventSource&&) = delete;
    EventSource& operator=(EventSource&&) = delete;
    ~EventSource() { CFRelease(source); }
};

namespace {

CGEventRef platformEvent(const Event* event) {
    return reinterpret_cast<CGEventRef>(const_cast<Event*>(event));
}

Event* seamEvent(CGEventRef event) { return reinterpret_cast<Event*>(event); }

// The seam's owning reference to a platform event whose reference the caller hands over.
EventRef adoptedEvent(CGEventRef event) {
    return EventRef(seamEvent(event), [](Event* held) { CFRelease(platformEvent(held)); });
}

// A reference of the seam's own to an event the platform passes, which the platform still holds.
EventRef heldEvent(CGEventRef event) {
    if (event == nullptr) {
        return nullptr;
    }
    CFRetain(event);
    return adoptedEvent(event);
}

// The platform's callback for every tap: hands the event to the seam's callback under the seam's names.
// The callback's answer holds the event it returns until the platform has its own reference to it.
CGEventRef tapCallback(CGEventTapProxy proxy, CGEventType type, CGEventRef event, void* userInfo) {
    const auto* tap = static_cast<const MachPort*>(userInfo);
    const EventRef answer = tap->callback(reinterpret_cast<TapProxy*>(proxy), macos::eventTypeOf(type),
                                          heldEvent(event), tap->userInfo);
    CGEventRef returned = platformEvent(answer.get());
    if (macos::retainsReturnedEvent(event, returned)) {
        CFRetain(returned);
    }
    return returned;
}

}  // namespace

MachPortRef eventTapCreate(TapLocation location, TapPlacement placement, TapOptions options,
                           EventMask eventsOfInterest, TapCallback callback, void* userInfo) {
    auto tap = std::make_shared<MachPort>();
    tap->callback = callback;
    tap->userInfo = userInfo;
    tap->port = CGEventTapCreate(macos::tapLocationOf(location), macos::tapPlacementOf(placement),
                                 macos::tapOptionsOf(options), eventsOfInterest, tapCallback, tap.get());
    if (tap->port == nullptr) {
        return nullptr;
    }
    return tap;
}

void eventTapEnable(const MachPortRef& tap, bool enable) {
    if (tap) {
        CGEventTapEnable(tap->port, enable);
    }
}

bool eventTapIsEnabled(const MachPortRef& tap) { return tap && CGEventTapIsEnabled(tap->port); }

RunLoopSourceRef machPortCreateRunLoopSource(const MachPortRef& port, long order) {
    if (!port) {
        return nullptr;
    }
    CFRunLoopSourceRef source = CFMachPortCreateRunLoopSource(kCFAllocatorDefault, port->port, order);
    if (source == nullptr) {
        return nullptr;
    }
    return std::make_shared<RunLoopSource>(source, port);
}

// A run loop is the platform's run loop under the seam's name; getting it creates no reference.
RunLoopRef runLoopGetCurrent() { return reinterpret_cast<RunLoopRef>(CFRunLoopGetCurrent()); }

void runLoopAddSource(RunLoopRef loop, const RunLoopSourceRef& source) {
    if (loop != nullptr && source) {
        CFRunLoopAddSource(reinterpret_cast<CFRunLoopRef>(loop), source->source, kCFRunLoopCommonModes);
    }
}

void runLoopRemoveSource(RunLoopRef loop, const RunLoopSourceRef& source) {
    if (loop != nullptr && source) {
        CFRunLoopRemoveSource(reinterpret_cast<CFRunLoopRef>(loop), source->source, kCFRunLoopCommonModes);
    }
}

void runLoopRun() { CFRunLoopRun(); }

void runLoopStop(RunLoopRef loop) {
    if (loop != nullptr) {
        CFRunLoopStop(reinterpret_cast<CFRunLoopRef>(loop));
    }
}

EventSourceRef eventSourceCreate(EventSourceState state) {
    CGEventSourceRef source = CGEventSourceCreate(macos::sourceStateOf(state));
    if (source == nullptr) {
        return nullptr;
    }
    return std::make_shared<EventSource>(source);
}

EventRef eventCreateKeyboardEvent(const EventSourceRef& source, KeyCode key, bool keyDown) {
    CGEventRef event = CGEventCreateKeyboardEvent(source ? source->source : nullptr, key, keyDown);
    if (event == nullptr) {
        return nullptr;
    }
    return adoptedEvent(event);
}

std::int64_t eventGetIntegerValueField(const Event* event, EventField field) {
    return CGEventGetIntegerValueField(platformEvent(event), macos::eventFieldOf(field));
}

EventFlags eventGetFlags(const Event* event) {
    return macos::seamFlagsOf(CGEventGetFlags(platformEvent(event)));
}

void eventSetFlags(Event* event, EventFlags flags) {
    CGEventSetFlags(platformEvent(event), macos::platformFlagsOf(flags));
}

void eventPost(TapLocation location, const Event* event) {
    CGEventPost(macos::tapLocationOf(location), platformEvent(event));
}

}  // namespace platform::cg
