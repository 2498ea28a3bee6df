// The seam's enumerations and constants mapped to the platform's by name, in both directions where
// the backend needs both. Plain C interfaces only: the AppKit mappings live beside their calls.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <optional>

#include "platform/accessibility.hpp"
#include "platform/events.hpp"

namespace platform::macos {

ax::Error errorOf(AXError error);

// Whether a number of this type reads as a real number rather than an integer.
bool isRealNumberType(CFNumberType type);

// The seam's type of a packed value; none for types the seam does not pack.
std::optional<ax::PackedType> packedTypeOf(AXValueType type);
AXValueType axValueTypeOf(ax::PackedType type);

CGEventTapLocation tapLocationOf(cg::TapLocation location);
CGEventTapPlacement tapPlacementOf(cg::TapPlacement placement);
CGEventTapOptions tapOptionsOf(cg::TapOptions options);
CGEventSourceStateID sourceStateOf(cg::EventSourceState state);
CGEventField eventFieldOf(cg::EventField field);
cg::EventType eventTypeOf(CGEventType type);

// Flags words travel whole: the seam's masks have the platform's bit values, and the bits it does not
// name (device-dependent ones) must survive a read and write of an event's flags.
// A name for each direction: the platform's flags word is an integer of the same type as the seam's.
CGEventFlags platformFlagsOf(cg::EventFlags flags);
cg::EventFlags seamFlagsOf(CGEventFlags flags);

}  // namespace platform::macos
