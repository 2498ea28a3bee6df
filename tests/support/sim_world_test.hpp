// A fixture shared by the test programs: every test on a fresh simulated world.
#pragma once

#include <gtest/gtest.h>

#include "support/case_names.hpp"

namespace test_support {

// A test that starts from a fresh simulated world and leaves one behind: the world is reset before
// and after every test.
class SimWorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace test_support
