// Core Graphics event taps and keyboard events, and the Core Foundation run loops that serve them.
#pragma once

#include <cstdint>
#include <memory>

namespace platform::cg {

using EventType = std::uint32_t;
inline constexpr EventType keyDownEvent = 10;
inline constexpr EventType keyUpEvent = 11;
inline constexpr EventType flagsChangedEvent = 12;
inline constexpr EventType tapDisabledByTimeout = 0xFFFFFFFEU;
inline constexpr EventType tapDisabledByUserInput = 0xFFFFFFFFU;

using EventMask = std::uint64_t;

using EventFlags = std::uint64_t;
inline constexpr EventFlags flagMaskShift = 0x20000;
inline constexpr EventFlags flagMaskControl = 0x40000;
inline constexpr EventFlags flagMaskAlternate = 0x80000;
inline constexpr EventFlags flagMaskCommand = 0x100000;

enum class EventField : std::uint32_t { keyboardEventKeycode = 9 };

using KeyCode = std::uint16_t;

enum class TapLocation : std::uint32_t { hid = 0, session = 1, annotatedSession = 2 };
enum class TapPlacement : std::uint32_t { headInsert = 0, tailAppend = 1 };
enum class TapOptions : std::uint32_t { defaultTap = 0, listenOnly = 1 };
enum class EventSourceState : std::int32_t { privateState = -1, combinedSession = 0, hidSystem = 1 };

// A keyboard event (opaque to its users).
struct Event;
using EventRef = std::shared_ptr<Event>;

struct EventSource;
using EventSourceRef = std::shared_ptr<EventSource>;

struct MachPort;
using MachPortRef = std::shared_ptr<MachPort>;

struct RunLoopSource;
using RunLoopSourceRef = std::shared_ptr<RunLoopSource>;

struct RunLoop;
using RunLoopRef = RunLoop*;

struct TapProxy;

// The tap callback. It is given the event, held for it for the call, and answers with the event to
// pass on or null to delete it. The answer holds the event it names, so an event the callback made
// itself is handed over to the tap and lives until the tap has taken it on: it returns the event it
// was given (possibly changed), one it made, or null.
using TapCallback = EventRef (*)(TapProxy* proxy, EventType type, const EventRef& event, void* userInfo);

// Creates an event tap; null when it cannot be created.
MachPortRef eventTapCreate(TapLocation location, TapPlacement placement, TapOptions options,
                           EventMask eventsOfInterest, TapCallback callback, void* userInfo);
void eventTapEnable(const MachPortRef& tap, bool enable);
bool eventTapIsEnabled(const MachPortRef& tap);

RunLoopSourceRef machPortCreateRunLoopSource(const MachPortRef& port, long order);

RunLoopRef runLoopGetCurrent();
// Adds a source in the common modes.
void runLoopAddSource(RunLoopRef loop, const RunLoopSourceRef& source);
void runLoopRemoveSource(RunLoopRef loop, const RunLoopSourceRef& source);
// Runs the current thread's run loop until it is stopped or has no sources.
void runLoopRun();
void runLoopStop(RunLoopRef loop);

// Creates an event source; null when it cannot be created.
EventSourceRef eventSourceCreate(EventSourceState state);

// Creates a keyboard event from a source (which may be null); null when it cannot be created.
EventRef eventCreateKeyboardEvent(const EventSourceRef& source, KeyCode key, bool keyDown);

std::int64_t eventGetIntegerValueField(const Event* event, EventField field);
EventFlags eventGetFlags(const Event* event);
void eventSetFlags(Event* event, EventFlags flags);

// Posts an event at the given location.
void eventPost(TapLocation location, const Event* event);

}  // namespace platform::cg
