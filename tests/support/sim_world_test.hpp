// Support shared by the test programs: a fixture on a fresh simulated world, and names for the cases
// of parameterized suites.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

namespace test_support {

// A test that starts from a fresh simulated world and leaves one behind: the world is reset before
// and after every test.
class SimWorldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A case's name as a gtest parameter name: every character other than a letter or digit becomes '_'.
std::string caseName(std::string name);

// A case of a parameterized suite that carries its `name`.
template <typename Case>
concept NamedCase = requires(const Case& c) {
    std::string_view(c.name);
};

// A named case's name, or that of the case a pointer points to, as a gtest parameter name.
template <NamedCase Case>
std::string nameOf(const Case& c) {
    return caseName(std::string(c.name));
}
template <NamedCase Case>
std::string nameOf(const Case* c) {
    return caseName(std::string(c->name));
}

// Name generator for INSTANTIATE_TEST_SUITE_P over named cases, pointers to them, or combinations of
// those (their names joined by '_').
struct NameOfCase {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return nameOf(info.param);
    }
    template <typename... Cases>
    std::string operator()(const ::testing::TestParamInfo<std::tuple<Cases...>>& info) const {
        std::string joined;
        std::apply(
            [&joined](const Cases&... c) { ((joined += (joined.empty() ? "" : "_") + nameOf(c)), ...); },
            info.param);
        return joined;
    }
};

// A named case as gtest prints it in listings and failure messages: its name, not its bytes or its
// address. A test file brings these in with `using test_support::PrintTo;` in the namespace of its
// cases, where gtest looks for them.
template <NamedCase Case>
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}
template <NamedCase Case>
void PrintTo(const Case* c, std::ostream* os) {
    *os << c->name;
}

}  // namespace test_support
