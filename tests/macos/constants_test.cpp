// The seam's constants against the platform's, by name, and the ownership rule of a tap's answer.
#include "constants.hpp"

#include <gtest/gtest.h>

#include <ostream>

#include "support/case_names.hpp"
#include "tap_rules.hpp"

namespace platform::macos {
namespace {

struct ErrorCase {
    const char* name;
    AXError platform;
    ax::Error expected;
};

using test_support::PrintTo;

class AccessibilityErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(AccessibilityErrors, MapByName) { EXPECT_EQ(errorOf(GetParam().platform), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Codes, AccessibilityErrors,
    ::testing::Values(ErrorCase{"Success", kAXErrorSuccess, ax::Error::success},
                      ErrorCase{"Failure", kAXErrorFailure, ax::Error::failure},
                      ErrorCase{"IllegalArgument", kAXErrorIllegalArgument, ax::Error::illegalArgument},
                      ErrorCase{"InvalidElement", kAXErrorInvalidUIElement, ax::Error::invalidUIElement},
                      ErrorCase{"CannotComplete", kAXErrorCannotComplete, ax::Error::cannotComplete},
                      ErrorCase{"AttributeUnsupported", kAXErrorAttributeUnsupported,
                                ax::Error::attributeUnsupported},
                      ErrorCase{"ActionUnsupported", kAXErrorActionUnsupported, ax::Error::actionUnsupported},
                      ErrorCase{"APIDisabled", kAXErrorAPIDisabled, ax::Error::apiDisabled},
                      ErrorCase{"NoValue", kAXErrorNoValue, ax::Error::noValue},
                      // Codes the seam does not name read as a plain failure.
                      ErrorCase{"NotEnoughPrecision", kAXErrorNotEnoughPrecision, ax::Error::failure},
                      ErrorCase{"NotRegistered", kAXErrorNotificationNotRegistered, ax::Error::failure}),
    test_support::NameOfCase{});

// A number type and whether it reads as a real.
struct NumberTypeCase {
    const char* name;
    CFNumberType type;
    bool real;
};

class NumberTypes : public ::testing::TestWithParam<NumberTypeCase> {};

// Floating types read as reals and every other as integers.
TEST_P(NumberTypes, ReadAsRealsOnlyWhenFloating) {
    EXPECT_EQ(isRealNumberType(GetParam().type), GetParam().real) << GetParam().type;
}

INSTANTIATE_TEST_SUITE_P(Types, NumberTypes,
                         ::testing::Values(NumberTypeCase{"Float32", kCFNumberFloat32Type, true},
                                           NumberTypeCase{"Float64", kCFNumberFloat64Type, true},
                                           NumberTypeCase{"Float", kCFNumberFloatType, true},
                                           NumberTypeCase{"Double", kCFNumberDoubleType, true},
                                           NumberTypeCase{"CGFloat", kCFNumberCGFloatType, true},
                                           NumberTypeCase{"SInt8", kCFNumberSInt8Type, false},
                                           NumberTypeCase{"SInt16", kCFNumberSInt16Type, false},
                                           NumberTypeCase{"SInt32", kCFNumberSInt32Type, false},
                                           NumberTypeCase{"SInt64", kCFNumberSInt64Type, false},
                                           NumberTypeCase{"Char", kCFNumberCharType, false},
                                           NumberTypeCase{"Short", kCFNumberShortType, false},
                                           NumberTypeCase{"Int", kCFNumberIntType, false},
                                           NumberTypeCase{"Long", kCFNumberLongType, false},
                                           NumberTypeCase{"LongLong", kCFNumberLongLongType, false},
                                           NumberTypeCase{"CFIndex", kCFNumberCFIndexType, false},
                                           NumberTypeCase{"NSInteger", kCFNumberNSIntegerType, false}),
                         test_support::NameOfCase{});

// A packed type of the seam.
struct PackedTypeCase {
    const char* name;
    ax::PackedType type;
};

class PackedTypeRoundTrip : public ::testing::TestWithParam<PackedTypeCase> {};

TEST_P(PackedTypeRoundTrip, MapsToThePlatformsTypeAndBack) {
    EXPECT_EQ(packedTypeOf(axValueTypeOf(GetParam().type)), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(Types, PackedTypeRoundTrip,
                         ::testing::Values(PackedTypeCase{"Point", ax::PackedType::point},
                                           PackedTypeCase{"Size", ax::PackedType::size},
                                           PackedTypeCase{"Rect", ax::PackedType::rect},
                                           PackedTypeCase{"Range", ax::PackedType::range}),
                         test_support::NameOfCase{});

TEST(PackedTypes, MapBothWaysAndLeaveErrorsUnpacked) {
    EXPECT_EQ(packedTypeOf(kAXValueTypeCGPoint), ax::PackedType::point);
    EXPECT_EQ(packedTypeOf(kAXValueTypeCGSize), ax::PackedType::size);
    EXPECT_EQ(packedTypeOf(kAXValueTypeCGRect), ax::PackedType::rect);
    EXPECT_EQ(packedTypeOf(kAXValueTypeCFRange), ax::PackedType::range);
    EXPECT_EQ(packedTypeOf(kAXValueTypeAXError), std::nullopt);
    EXPECT_EQ(packedTypeOf(kAXValueTypeIllegal), std::nullopt);
    EXPECT_EQ(axValueTypeOf(ax::PackedType::illegal), kAXValueTypeIllegal);
}

TEST(EventTaps, TapSettingsMapToThePlatformsNames) {
    EXPECT_EQ(tapLocationOf(cg::TapLocation::hid), kCGHIDEventTap);
    EXPECT_EQ(tapLocationOf(cg::TapLocation::session), kCGSessionEventTap);
    EXPECT_EQ(tapLocationOf(cg::TapLocation::annotatedSession), kCGAnnotatedSessionEventTap);
    EXPECT_EQ(tapPlacementOf(cg::TapPlacement::headInsert), kCGHeadInsertEventTap);
    EXPECT_EQ(tapPlacementOf(cg::TapPlacement::tailAppend), kCGTailAppendEventTap);
    EXPECT_EQ(tapOptionsOf(cg::TapOptions::defaultTap), kCGEventTapOptionDefault);
    EXPECT_EQ(tapOptionsOf(cg::TapOptions::listenOnly), kCGEventTapOptionListenOnly);
    EXPECT_EQ(sourceStateOf(cg::EventSourceState::privateState), kCGEventSourceStatePrivate);
    EXPECT_EQ(sourceStateOf(cg::EventSourceState::combinedSession), kCGEventSourceStateCombinedSessionState);
    EXPECT_EQ(sourceStateOf(cg::EventSourceState::hidSystem), kCGEventSourceStateHIDSystemState);
    EXPECT_EQ(eventFieldOf(cg::EventField::keyboardEventKeycode), kCGKeyboardEventKeycode);
}

TEST(EventTaps, EventTypesIncludingTheTapsNoticesMapByName) {
    EXPECT_EQ(eventTypeOf(kCGEventKeyDown), cg::keyDownEvent);
    EXPECT_EQ(eventTypeOf(kCGEventKeyUp), cg::keyUpEvent);
    EXPECT_EQ(eventTypeOf(kCGEventFlagsChanged), cg::flagsChangedEvent);
    EXPECT_EQ(eventTypeOf(kCGEventTapDisabledByTimeout), cg::tapDisabledByTimeout);
    EXPECT_EQ(eventTypeOf(kCGEventTapDisabledByUserInput), cg::tapDisabledByUserInput);
}

TEST(EventTaps, FlagsKeepEveryBitThroughAReadAndWrite) {
    const cg::EventFlags deviceBit = 0x2;  // a device-dependent bit the seam does not name
    const cg::EventFlags flags = cg::flagMaskShift | cg::flagMaskCommand | deviceBit;
    EXPECT_EQ(seamFlagsOf(platformFlagsOf(flags)), flags);
    EXPECT_EQ(platformFlagsOf(cg::flagMaskControl), kCGEventFlagMaskControl);
    EXPECT_EQ(seamFlagsOf(kCGEventFlagMaskAlternate), cg::flagMaskAlternate);
}

TEST(TapAnswers, OnlyAnEventOtherThanThePassedOneIsRetainedForThePlatform) {
    int passed = 0;
    int created = 0;
    EXPECT_FALSE(retainsReturnedEvent(&passed, &passed));
    EXPECT_FALSE(retainsReturnedEvent(&passed, nullptr));
    EXPECT_TRUE(retainsReturnedEvent(&passed, &created));
}

}  // namespace
}  // namespace platform::macos
