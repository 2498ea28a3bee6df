// The ownership rule of a tap's answer.
#include "tap_rules.hpp"

#include <gtest/gtest.h>

namespace platform::macos {
namespace {

TEST(TapAnswers, OnlyAnEventOtherThanThePassedOneIsRetainedForThePlatform) {
    int passed = 0;
    int created = 0;
    EXPECT_FALSE(retainsReturnedEvent(&passed, &passed));
    EXPECT_FALSE(retainsReturnedEvent(&passed, nullptr));
    EXPECT_TRUE(retainsReturnedEvent(&passed, &created));
}

}  // namespace
}  // namespace platform::macos
