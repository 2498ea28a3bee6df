// The seam's enumerations and constants mapped to the platform's by name, in both directions where
// the backend needs both; constant expressions, so that a build against the SDK checks them. Plain C
// interfaces only: the AppKit mappings live beside their calls.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <optional>

#include "platform/accessibility.hpp"
#include "platform/events.hpp"

namespace platform::macos {

constexpr ax::Error errorOf(AXError error) {
    switch (error) {
        case kAXErrorSuccess:
            return ax::Error::success;
        case kAXErrorFailure:
            return ax::Error::failure;
        case kAXErrorIllegalArgument:
            return ax::Error::illegalArgument;
        case kAXErrorInvalidUIElement:
            return ax::Error::invalidUIElement;
        case kAXErrorInvalidUIElementObserver:
            return ax::Error::invalidUIElementObserver;
        case kAXErrorCannotComplete:
            return ax::Error::cannotComplete;
        case kAXErrorAttributeUnsupported:
        case kAXErrorParameterizedAttributeUnsupported:
            return ax::Error::attributeUnsupported;
        case kAXErrorActionUnsupported:
            return ax::Error::actionUnsupported;
        case kAXErrorNotificationUnsupported:
            return ax::Error::notificationUnsupported;
        case kAXErrorNotImplemented:
            return ax::Error::notImplemented;
        case kAXErrorAPIDisabled:
            return ax::Error::apiDisabled;
        case kAXErrorNoValue:
            return ax::Error::noValue;
        case kAXErrorNotificationAlreadyRegistered:
        case kAXErrorNotificationNotRegistered:
        case kAXErrorNotEnoughPrecision:
        default:  // a code a later system adds
            break;
    }
    return ax::Error::failure;
}

// Whether a number of this type reads as a real number rather than an integer.
constexpr bool isRealNumberType(CFNumberType type) {
    switch (type) {
        case kCFNumberFloat32Type:
        case kCFNumberFloat64Type:
        case kCFNumberFloatType:
        case kCFNumberDoubleType:
        case kCFNumberCGFloatType:
            return true;
        case kCFNumberSInt8Type:
        case kCFNumberSInt16Type:
        case kCFNumberSInt32Type:
        case kCFNumberSInt64Type:
        case kCFNumberCharType:
        case kCFNumberShortType:
        case kCFNumberIntType:
        case kCFNumberLongType:
        case kCFNumberLongLongType:
        case kCFNumberCFIndexType:
        case kCFNumberNSIntegerType:
        default:
            break;
    }
    return false;
}

// The seam's type of a packed value; none for types the seam does not pack.
constexpr std::optional<ax::PackedType> packedTypeOf(AXValueType type) {
    switch (type) {
        case kAXValueTypeCGPoint:
            return ax::PackedType::point;
        case kAXValueTypeCGSize:
            return ax::PackedType::size;
        case kAXValueTypeCGRect:
            return ax::PackedType::rect;
        case kAXValueTypeCFRange:
            return ax::PackedType::range;
        case kAXValueTypeAXError:
        case kAXValueTypeIllegal:
        default:
            break;
    }
    return std::nullopt;
}

constexpr AXValueType axValueTypeOf(ax::PackedType type) {
    switch (type) {
        case ax::PackedType::point:
            return kAXValueTypeCGPoint;
        case ax::PackedType::size:
            return kAXValueTypeCGSize;
        case ax::PackedType::rect:
            return kAXValueTypeCGRect;
        case ax::PackedType::range:
            return kAXValueTypeCFRange;
        case ax::PackedType::illegal:
            break;
    }
    return kAXValueTypeIllegal;
}

constexpr CGEventTapLocation tapLocationOf(cg::TapLocation location) {
    switch (location) {
        case cg::TapLocation::hid:
            return kCGHIDEventTap;
        case cg::TapLocation::session:
            return kCGSessionEventTap;
        case cg::TapLocation::annotatedSession:
            return kCGAnnotatedSessionEventTap;
    }
    return kCGSessionEventTap;
}

constexpr CGEventTapPlacement tapPlacementOf(cg::TapPlacement placement) {
    switch (placement) {
        case cg::TapPlacement::headInsert:
            return kCGHeadInsertEventTap;
        case cg::TapPlacement::tailAppend:
            return kCGTailAppendEventTap;
    }
    return kCGTailAppendEventTap;
}

constexpr CGEventTapOptions tapOptionsOf(cg::TapOptions options) {
    switch (options) {
        case cg::TapOptions::defaultTap:
            return kCGEventTapOptionDefault;
        case cg::TapOptions::listenOnly:
            return kCGEventTapOptionListenOnly;
    }
    return kCGEventTapOptionListenOnly;
}

constexpr CGEventSourceStateID sourceStateOf(cg::EventSourceState state) {
    switch (state) {
        case cg::EventSourceState::privateState:
            return kCGEventSourceStatePrivate;
        case cg::EventSourceState::combinedSession:
            return kCGEventSourceStateCombinedSessionState;
        case cg::EventSourceState::hidSystem:
            return kCGEventSourceStateHIDSystemState;
    }
    return kCGEventSourceStateHIDSystemState;
}

constexpr CGEventField eventFieldOf(cg::EventField field) {
    switch (field) {
        case cg::EventField::keyboardEventKeycode:
            return kCGKeyboardEventKeycode;
    }
    return kCGKeyboardEventKeycode;
}

constexpr cg::EventType eventTypeOf(CGEventType type) {
    switch (type) {
        case kCGEventKeyDown:
            return cg::keyDownEvent;
        case kCGEventKeyUp:
            return cg::keyUpEvent;
        case kCGEventFlagsChanged:
            return cg::flagsChangedEvent;
        case kCGEventTapDisabledByTimeout:
            return cg::tapDisabledByTimeout;
        case kCGEventTapDisabledByUserInput:
            return cg::tapDisabledByUserInput;
        default:
            break;
    }
    // The platform has many more types; one the seam has no name for keeps its number.
    return static_cast<cg::EventType>(type);
}

// Flags words travel whole: the seam's masks have the platform's bit values, and the bits it does not
// name (device-dependent ones) must survive a read and write of an event's flags. A name for each
// direction: the platform's flags word is an integer of the same type as the seam's.
constexpr CGEventFlags platformFlagsOf(cg::EventFlags flags) { return static_cast<CGEventFlags>(flags); }

constexpr cg::EventFlags seamFlagsOf(CGEventFlags flags) { return static_cast<cg::EventFlags>(flags); }

}  // namespace platform::macos
