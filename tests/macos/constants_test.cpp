// The seam's constants against the platform's, by name, and the ownership rule of a tap's answer.
#include "constants.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tap_rules.hpp"

namespace platform::macos {
namespace {

struct ErrorCase {
    const char* name;
    AXError platform;
    ax::Error expected;
};

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
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(NumberTypes, FloatingTypesReadAsRealsAndEveryOtherAsIntegers) {
    for (CFNumberType type : {kCFNumberFloat32Type, kCFNumberFloat64Type, kCFNumberFloatType,
                              kCFNumberDoubleType, kCFNumberCGFloatType}) {
        EXPECT_TRUE(isRealNumberType(type)) << type;
    }
    for (CFNumberType type :
         {kCFNumberSInt8Type, kCFNumberSInt16Type, kCFNumberSInt32Type, kCFNumberSInt64Type,
          kCFNumberCharType, kCFNumberShortType, kCFNumberIntType, kCFNumberLongType, kCFNumberLongLongType,
          kCFNumberCFIndexType, kCFNumberNSIntegerType}) {
        EXPECT_FALSE(isRealNumberType(type)) << type;
    }
}

TEST(PackedTypes, MapBothWaysAndLeaveErrorsUnpacked) {
    EXPECT_EQ(packedTypeOf(kAXValueTypeCGPoint), ax::PackedType::point);
    EXPECT_EQ(packedTypeOf(kAXValueTypeCGSize), ax::PackedType::size);
    EXPECT_EQ(packedTypeOf(kAXValueTypeCGRect), ax::PackedType::rect);
    EXPECT_EQ(packedTypeOf(kAXValueTypeCFRange), ax::PackedType::range);
    EXPECT_EQ(packedTypeOf(kAXValueTypeAXError), std::nullopt);
    EXPECT_EQ(packedTypeOf(kAXValueTypeIllegal), std::nullopt);
    for (auto type :
         {ax::PackedType::point, ax::PackedType::size, ax::PackedType::rect, ax::PackedType::range}) {
        EXPECT_EQ(packedTypeOf(axValueTypeOf(type)), type);
    }
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
    EXPECT_EQ(eventFlagsOf(eventFlagsOf(flags)), flags);
    EXPECT_EQ(eventFlagsOf(cg::flagMaskControl), kCGEventFlagMaskControl);
    EXPECT_EQ(eventFlagsOf(kCGEventFlagMaskAlternate), cg::flagMaskAlternate);
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
