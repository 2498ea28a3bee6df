// The compact fixture text: what each line item becomes, nesting, and malformed lines.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "platform/accessibility.hpp"
#include "platform/sim/world.hpp"
#include "support/sim_world_test.hpp"

namespace {

using platform::ax::PackedValue;
using platform::ax::Value;
using platform::sim::world;

class SimFixture : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        pid = world().launchApplication("com.example.host");
    }
    int pid = 0;
};

// A line item of a fixture and the attribute it becomes, or no attribute.
struct LineItem {
    const char* name;
    const char* line;
    const char* attribute;
    std::optional<Value> expected;
};

using test_support::PrintTo;

class SimFixtureLineItem : public SimFixture, public ::testing::WithParamInterface<LineItem> {};

TEST_P(SimFixtureLineItem, BecomesAnAttribute) {
    const LineItem& c = GetParam();
    world().loadFixture(pid, std::string("window \"W\"\n  ") + c.line + " name=it\n");
    EXPECT_EQ(world().attribute(world().find("it"), c.attribute), c.expected) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Items, SimFixtureLineItem,
    ::testing::Values(
        LineItem{"QuotedTitle", R"(AXButton "Bold")", "AXTitle", Value("Bold")},
        LineItem{"EscapedTitle", R"(AXButton "say \"hi\" \\ now\nplease")", "AXTitle",
                 Value("say \"hi\" \\ now\nplease")},
        LineItem{"NoTitle", R"(AXButton)", "AXTitle", std::nullopt},
        LineItem{"QuotedDescription", R"(AXButton desc="Close")", "AXDescription", Value("Close")},
        LineItem{"BareDescription", R"(AXButton desc=Close)", "AXDescription", Value("Close")},
        LineItem{"IntegerValue", R"(AXCheckBox value=1)", "AXValue", Value(1)},
        LineItem{"RealValue", R"(AXSlider value=-2.5)", "AXValue", Value(-2.5)},
        LineItem{"BooleanValue", R"(AXCheckBox value=true)", "AXValue", Value(true)},
        LineItem{"TextValue", R"(AXTextField value="12 pt")", "AXValue", Value("12 pt")},
        LineItem{"Position", R"(AXButton pos=10,40.5)", "AXPosition", Value(PackedValue::point({10, 40.5}))},
        LineItem{"Size", R"(AXButton size=40,20)", "AXSize", Value(PackedValue::size({40, 20}))},
        LineItem{"EnabledByDefault", R"(AXButton "Cut")", "AXEnabled", Value(true)},
        LineItem{"Disabled", R"(AXButton "Cut" disabled)", "AXEnabled", Value(false)},
        LineItem{"RoleAmongOtherItems", R"(AXRadioButton "Home" value=1 pos=1,2 size=3,4 name=it)", "AXRole",
                 Value("AXRadioButton")}),
    test_support::NameOfCase{});

// An empty quoted title is a present, empty "AXTitle"; no quoted text is no title at all.
TEST_F(SimFixture, EmptyTitleIsATitle) {
    const auto windows = world().loadFixture(pid, R"(window ""
  AXButton "" name=empty
  AXButton name=none
  AXButton "" desc="Close" name=described
)");
    using platform::ax::copyAttributeValue;
    using platform::ax::Error;
    const auto empty = copyAttributeValue(world().find("empty"), "AXTitle");
    EXPECT_EQ(empty.error, Error::success);
    EXPECT_EQ(empty.value, Value(""));
    const auto none = copyAttributeValue(world().find("none"), "AXTitle");
    EXPECT_EQ(none.error, Error::attributeUnsupported);
    EXPECT_FALSE(none.value);
    EXPECT_EQ(world().attribute(world().find("described"), "AXTitle"), Value(""));
    EXPECT_EQ(world().attribute(world().find("described"), "AXDescription"), Value("Close"));
    EXPECT_EQ(copyAttributeValue(windows[0], "AXTitle").value, Value(""));
    EXPECT_EQ(world().findByTitle(pid, "AXButton", ""), world().find("empty"));
    EXPECT_NE(platform::ax::describe(world().find("empty")), platform::ax::describe(world().find("none")));
}

TEST_F(SimFixture, ActionsDefaultByRoleOrAsListed) {
    world().loadFixture(pid, R"(window "W"
  AXMenuButton name=menu
  AXButton actions=AXPress,AXRaise name=listed
  AXPopover name=popover
)");
    using platform::ax::ValueList;
    const auto names = [](const char* name) {
        return platform::ax::copyActionNames(world().find(name)).value;
    };
    EXPECT_EQ(names("menu"), Value(ValueList{"AXPress", "AXShowMenu"}));
    EXPECT_EQ(names("listed"), Value(ValueList{"AXPress", "AXRaise"}));
    EXPECT_EQ(names("popover"), Value(ValueList{"AXPress", "AXCancel"}));
}

TEST_F(SimFixture, IndentationNestsElementsUnderTheirWindows) {
    const auto windows = world().loadFixture(pid, R"(window "Book1"
  AXGroup name=a
    AXButton name=a1

    AXButton name=a2
  AXGroup name=b
window
  AXButton name=c
)");
    ASSERT_EQ(windows.size(), 2U);
    EXPECT_EQ(world().children(windows[0]), (std::vector{world().find("a"), world().find("b")}));
    EXPECT_EQ(world().children(world().find("a")), (std::vector{world().find("a1"), world().find("a2")}));
    EXPECT_EQ(world().children(windows[1]), std::vector{world().find("c")});
    EXPECT_EQ(world().attribute(windows[0], "AXTitle"), Value("Book1"));
    EXPECT_FALSE(world().attribute(windows[1], "AXTitle"));
    EXPECT_EQ(world().focusedWindow(pid), windows[0]);
}

// A malformed line, the third of its fixture.
struct MalformedLine {
    const char* name;
    const char* line;
};

class SimFixtureMalformedLine : public SimFixture, public ::testing::WithParamInterface<MalformedLine> {};

TEST_P(SimFixtureMalformedLine, IsRejectedWithItsNumber) {
    const char* line = GetParam().line;
    try {
        world().loadFixture(pid, std::string("window \"W\"\n  AXGroup\n") + line + "\n");
        ADD_FAILURE() << "accepted: " << line;
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SimFixtureMalformedLine,
                         ::testing::Values(MalformedLine{"OddIndentation", "   AXButton"},
                                           MalformedLine{"TwoLevelsDeeperThanTheWindow", "      AXButton"},
                                           MalformedLine{"UnterminatedQuote", "  AXButton \"open"},
                                           MalformedLine{"UnknownEscape", "  AXButton \"bad \\q escape\""},
                                           MalformedLine{"UnknownKey", "  AXButton colour=red"},
                                           MalformedLine{"OneNumber", "  AXButton pos=10"},
                                           MalformedLine{"NotNumbers", "  AXButton size=a,b"},
                                           MalformedLine{"NotAValue", "  AXButton value=maybe"},
                                           MalformedLine{"UnknownWord", "  AXButton shiny"},
                                           MalformedLine{"WindowNotAtTheTop", "  window \"Nested\""}),
                         test_support::NameOfCase{});

TEST_F(SimFixture, ElementBeforeAnyWindowIsRejected) {
    EXPECT_THROW(world().loadFixture(pid, "AXButton \"no window\"\n"), std::invalid_argument);
}

}  // namespace
