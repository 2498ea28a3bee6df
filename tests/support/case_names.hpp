// Names for the cases of parameterized suites, shared by the test programs: a case is named by its
// `name`, in test names and wherever gtest prints it.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

namespace test_support {

// A case's name as a gtest parameter name, made of the words of the name: each word begins with a
// capital, and everything but letters and digits is left out ("listed press yes, last no" becomes
// "ListedPressYesLastNo").
std::string caseName(std::string_view name);

// A case of a parameterized suite that carries its `name`.
template <typename Case>
concept NamedCase = requires(const Case& c) {
    std::string_view(c.name);
};

// A named case's name, or that of the case a pointer points to, as a gtest parameter name.
template <NamedCase Case>
std::string nameOf(const Case& c) {
    return caseName(c.name);
}
template <NamedCase Case>
std::string nameOf(const Case* c) {
    return caseName(c->name);
}

// Name generator for INSTANTIATE_TEST_SUITE_P over named cases, pointers to them, or combinations of
// those (their names one after the other).
struct NameOfCase {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return nameOf(info.param);
    }
    template <typename... Cases>
    std::string operator()(const ::testing::TestParamInfo<std::tuple<Cases...>>& info) const {
        std::string joined;
        std::apply(
            [&joined](const Cases&... c) { ((joined += nameOf(c)), ...); },
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
