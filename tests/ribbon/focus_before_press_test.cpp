// The presentation host's combo boxes take the keyboard focus before they are pressed, so that what
// the user types next goes into them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ribbon_session.hpp"
#include "support/case_names.hpp"

namespace ribbon_test {
namespace {

struct Case {
    const char* name;
    const char* language;
    std::vector<std::string> path;
    const char* description;
};

using test_support::PrintTo;

class FocusBeforePress : public ::testing::TestWithParam<Case> {};

TEST_P(FocusBeforePress, ComboBoxIsFocusedThenPressed) {
    const Case& c = GetParam();
    sim_hosts::RibbonOptions options;
    if (*c.language != '\0') {  // an empty case language: the host's US English
        options.language = c.language;
    }
    RibbonSession session(options, sim_hosts::presentationHost());
    session.open(c.path);
    sim::world().pump();

    const std::vector<sim::ActionRecord> actions = sim::world().actions();
    ASSERT_FALSE(actions.empty());
    const sim::ActionRecord& pressed = actions.back();
    EXPECT_EQ(pressed.action, "AXPress");
    EXPECT_EQ(pressed.role, "AXComboBox");
    EXPECT_EQ(pressed.description, c.description);
    bool focused = false;
    for (const sim::AttributeSetRecord& set : sim::world().attributeSets()) {
        focused = focused || (set.element == pressed.element && set.attribute == "AXFocused" &&
                              set.value == ax::Value(true) && set.result == ax::Error::success);
    }
    EXPECT_TRUE(focused);
    EXPECT_EQ(sim::world().attribute(pressed.element, "AXFocused"), ax::Value(true));
}

const Case cases[] = {
    {"UsFont", "", {"h", "f", "f"}, "Font:"},
    {"UsFontSize", "", {"h", "f", "s"}, "Font Size:"},
    {"UkFont", "en-GB", {"h", "f", "f"}, "Font:"},
    {"UkFontSize", "en-GB", {"h", "f", "s"}, "Font Size:"},
};

INSTANTIATE_TEST_SUITE_P(Presentation, FocusBeforePress, ::testing::ValuesIn(cases),
                         test_support::NameOfCase{});

}  // namespace
}  // namespace ribbon_test
