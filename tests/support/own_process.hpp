// Checks that need a process of their own: what a process holds once, such as a library loaded with
// dlopen and its state, no test can unload or reset, so a test that depends on finding it fresh runs
// its checks in a new process.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace test_support {

// Runs `checks` in a new process of this test program, started again to run the calling test alone (a
// death test of the thread-safe style), and fails the test unless every expectation in `checks` held
// and the process ended normally: a crash fails it too. Failures inside print as the process's own.
inline void expectInOwnProcess(const std::function<void()>& checks) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            checks();
            std::exit(::testing::Test::HasFailure() ? EXIT_FAILURE : EXIT_SUCCESS);
        },
        ::testing::ExitedWithCode(EXIT_SUCCESS), "");
}

}  // namespace test_support
