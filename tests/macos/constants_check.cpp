// The seam's constants against the platform's, by name, checked where the platform's names are real:
// compiled in the build against Apple's SDK, where a wrong mapping fails the build.
#include "constants.hpp"

namespace platform::macos {
namespace {

// Every accessibility error the seam names maps to it; codes the seam does not name read as a plain
// failure.
static_assert(errorOf(kAXErrorSuccess) == ax::Error::success);
static_assert(errorOf(kAXErrorFailure) == ax::Error::failure);
static_assert(errorOf(kAXErrorIllegalArgument) == ax::Error::illegalArgument);
static_assert(errorOf(kAXErrorInvalidUIElement) == ax::Error::invalidUIElement);
static_assert(errorOf(kAXErrorInvalidUIElementObserver) == ax::Error::invalidUIElementObserver);
static_assert(errorOf(kAXErrorCannotComplete) == ax::Error::cannotComplete);
static_assert(errorOf(kAXErrorAttributeUnsupported) == ax::Error::attributeUnsupported);
static_assert(errorOf(kAXErrorParameterizedAttributeUnsupported) == ax::Error::attributeUnsupported);
static_assert(errorOf(kAXErrorActionUnsupported) == ax::Error::actionUnsupported);
static_assert(errorOf(kAXErrorNotificationUnsupported) == ax::Error::notificationUnsupported);
static_assert(errorOf(kAXErrorNotImplemented) == ax::Error::notImplemented);
static_assert(errorOf(kAXErrorAPIDisabled) == ax::Error::apiDisabled);
static_assert(errorOf(kAXErrorNoValue) == ax::Error::noValue);
static_assert(errorOf(kAXErrorNotEnoughPrecision) == ax::Error::failure);
static_assert(errorOf(kAXErrorNotificationNotRegistered) == ax::Error::failure);
static_assert(errorOf(kAXErrorNotificationAlreadyRegistered) == ax::Error::failure);

// Floating number types read as reals, every other as integers.
static_assert(isRealNumberType(kCFNumberFloat32Type) && isRealNumberType(kCFNumberFloat64Type) &&
              isRealNumberType(kCFNumberFloatType) && isRealNumberType(kCFNumberDoubleType) &&
              isRealNumberType(kCFNumberCGFloatType));
static_assert(!isRealNumberType(kCFNumberSInt8Type) && !isRealNumberType(kCFNumberSInt16Type) &&
              !isRealNumberType(kCFNumberSInt32Type) && !isRealNumberType(kCFNumberSInt64Type) &&
              !isRealNumberType(kCFNumberCharType) && !isRealNumberType(kCFNumberShortType) &&
              !isRealNumberType(kCFNumberIntType) && !isRealNumberType(kCFNumberLongType) &&
              !isRealNumberType(kCFNumberLongLongType) && !isRealNumberType(kCFNumberCFIndexType) &&
              !isRealNumberType(kCFNumberNSIntegerType));

// Packed types map both ways; errors and the illegal type stay unpacked.
static_assert(packedTypeOf(kAXValueTypeCGPoint) == ax::PackedType::point);
static_assert(packedTypeOf(kAXValueTypeCGSize) == ax::PackedType::size);
static_assert(packedTypeOf(kAXValueTypeCGRect) == ax::PackedType::rect);
static_assert(packedTypeOf(kAXValueTypeCFRange) == ax::PackedType::range);
static_assert(!packedTypeOf(kAXValueTypeAXError).has_value());
static_assert(!packedTypeOf(kAXValueTypeIllegal).has_value());
static_assert(axValueTypeOf(ax::PackedType::illegal) == kAXValueTypeIllegal);
constexpr bool roundTrips(ax::PackedType type) { return packedTypeOf(axValueTypeOf(type)) == type; }
static_assert(roundTrips(ax::PackedType::point) && roundTrips(ax::PackedType::size) &&
              roundTrips(ax::PackedType::rect) && roundTrips(ax::PackedType::range));

// Event tap settings, the key code field and the event types.
static_assert(tapLocationOf(cg::TapLocation::hid) == kCGHIDEventTap);
static_assert(tapLocationOf(cg::TapLocation::session) == kCGSessionEventTap);
static_assert(tapLocationOf(cg::TapLocation::annotatedSession) == kCGAnnotatedSessionEventTap);
static_assert(tapPlacementOf(cg::TapPlacement::headInsert) == kCGHeadInsertEventTap);
static_assert(tapPlacementOf(cg::TapPlacement::tailAppend) == kCGTailAppendEventTap);
static_assert(tapOptionsOf(cg::TapOptions::defaultTap) == kCGEventTapOptionDefault);
static_assert(tapOptionsOf(cg::TapOptions::listenOnly) == kCGEventTapOptionListenOnly);
static_assert(sourceStateOf(cg::EventSourceState::privateState) == kCGEventSourceStatePrivate);
static_assert(sourceStateOf(cg::EventSourceState::combinedSession) == kCGEventSourceStateCombinedSessionState);
static_assert(sourceStateOf(cg::EventSourceState::hidSystem) == kCGEventSourceStateHIDSystemState);
static_assert(eventFieldOf(cg::EventField::keyboardEventKeycode) == kCGKeyboardEventKeycode);
static_assert(eventTypeOf(kCGEventKeyDown) == cg::keyDownEvent);
static_assert(eventTypeOf(kCGEventKeyUp) == cg::keyUpEvent);
static_assert(eventTypeOf(kCGEventFlagsChanged) == cg::flagsChangedEvent);
static_assert(eventTypeOf(kCGEventTapDisabledByTimeout) == cg::tapDisabledByTimeout);
static_assert(eventTypeOf(kCGEventTapDisabledByUserInput) == cg::tapDisabledByUserInput);

// Flags words keep every bit, named or not (0x2 is a device-dependent bit), and the masks are the
// platform's.
static_assert(seamFlagsOf(platformFlagsOf(cg::flagMaskShift | cg::flagMaskCommand | 0x2)) ==
              (cg::flagMaskShift | cg::flagMaskCommand | 0x2));
static_assert(platformFlagsOf(cg::flagMaskShift) == kCGEventFlagMaskShift);
static_assert(platformFlagsOf(cg::flagMaskControl) == kCGEventFlagMaskControl);
static_assert(platformFlagsOf(cg::flagMaskAlternate) == kCGEventFlagMaskAlternate);
static_assert(platformFlagsOf(cg::flagMaskCommand) == kCGEventFlagMaskCommand);

}  // namespace
}  // namespace platform::macos
