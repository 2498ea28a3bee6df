// Placeholder for the simulated event taps; replaced by the full implementation.
#include "platform/events.hpp"
#include "platform/sim/taps.hpp"

namespace platform::cg {
struct Event {};
struct EventSource {};
struct MachPort {};
struct RunLoopSource {};
struct RunLoop {};
MachPortRef eventTapCreate(TapLocation, TapPlacement, TapOptions, EventMask, TapCallback, void*) { return nullptr; }
void eventTapEnable(const MachPortRef&, bool) {}
bool eventTapIsEnabled(const MachPortRef&) { return false; }
RunLoopSourceRef machPortCreateRunLoopSource(const MachPortRef&, long) { return nullptr; }
RunLoopRef runLoopGetCurrent() { return nullptr; }
void runLoopAddSource(RunLoopRef, const RunLoopSourceRef&) {}
void runLoopRemoveSource(RunLoopRef, const RunLoopSourceRef&) {}
void runLoopRun() {}
void runLoopStop(RunLoopRef) {}
EventSourceRef eventSourceCreate(EventSourceState) { return nullptr; }
EventRef eventCreateKeyboardEvent(const EventSourceRef&, KeyCode, bool) { return nullptr; }
std::int64_t eventGetIntegerValueField(const Event*, EventField) { return 0; }
EventFlags eventGetFlags(const Event*) { return 0; }
void eventSetFlags(Event*, EventFlags) {}
void eventPost(TapLocation, const Event*) {}
}  // namespace platform::cg

namespace platform::sim {
void resetEventTaps() {}
}  // namespace platform::sim
