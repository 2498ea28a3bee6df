// The compact fixture text: what each line item becomes, nesting, and malformed lines.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/accessibility.hpp"
#include "platform/sim/world.hpp"

namespace {

using platform::ax::PackedValue;
using platform::ax::Value;
using platform::sim::world;

class SimFixture : public ::testing::Test {
protected:
    void SetUp() override {
        world().reset();
        pid = world().launchApplication("com.example.host");
    }
    int pid = 0;
};

TEST_F(SimFixture, LineItemsBecomeAttributes) {
    struct Case {
        const char* line;
        const char* attribute;
        std::optional<Value> expected;
    };
    const Case cases[] = {
        {R"(AXButton "Bold")", "AXTitle", Value("Bold")},
        {R"(AXButton "say \"hi\" \\ now\nplease")", "AXTitle", Value("say \"hi\" \\ now\nplease")},
        {R"(AXButton)", "AXTitle", std::nullopt},
        {R"(AXButton desc="Close")", "AXDescription", Value("Close")},
        {R"(AXButton desc=Close)", "AXDescription", Value("Close")},
        {R"(AXCheckBox value=1)", "AXValue", Value(1)},
        {R"(AXSlider value=-2.5)", "AXValue", Value(-2.5)},
        {R"(AXCheckBox value=true)", "AXValue", Value(true)},
        {R"(AXTextField value="12 pt")", "AXValue", Value("12 pt")},
        {R"(AXButton pos=10,40.5)", "AXPosition", Value(PackedValue::point({10, 40.5}))},
        {R"(AXButton size=40,20)", "AXSize", Value(PackedValue::size({40, 20}))},
        {R"(AXButton "Cut")", "AXEnabled", Value(true)},
        {R"(AXButton "Cut" disabled)", "AXEnabled", Value(false)},
        {R"(AXRadioButton "Home" value=1 pos=1,2 size=3,4 name=it)", "AXRole", Value("AXRadioButton")},
    };
    for (const auto& c : cases) {
        world().reset();
        world().loadFixture(pid, std::string("window \"W\"\n  ") + c.line + " name=it\n");
        EXPECT_EQ(world().attribute(world().find("it"), c.attribute), c.expected) << c.line;
    }
}

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

TEST_F(SimFixture, MalformedLineIsRejectedWithItsNumber) {
    const char* malformed[] = {
        "   AXButton",                    // odd indentation
        "      AXButton",                 // two levels deeper than the window
        "  AXButton \"open",              // unterminated quote
        "  AXButton \"bad \\q escape\"",  // unknown escape
        "  AXButton colour=red",          // unknown key
        "  AXButton pos=10",              // one number
        "  AXButton size=a,b",            // not numbers
        "  AXButton value=maybe",         // not a value
        "  AXButton shiny",               // unknown word
        "  window \"Nested\"",            // window not at the top
    };
    for (const char* line : malformed) {
        world().reset();
        try {
            world().loadFixture(pid, std::string("window \"W\"\n  AXGroup\n") + line + "\n");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(world().loadFixture(pid, "AXButton \"no window\"\n"), std::invalid_argument);
}

}  // namespace
