// Names for the cases of the macOS backend's parameterized tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace platform::macos {

// Names each instance of a parameterized test by the `name` of its case, a valid test name.
struct NameOfCase {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& tested) const {
        return tested.param.name;
    }
};

}  // namespace platform::macos
