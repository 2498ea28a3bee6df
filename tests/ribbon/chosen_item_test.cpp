// A key that chooses an item of a menu or gallery closes it, as the host does: nothing of it stays on
// screen, and the next session labels and presses only what the host shows then.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "ribbon_session.hpp"
#include "support/case_names.hpp"

namespace ribbon_test {
namespace {

using sim_hosts::Pump;
using test_support::PrintTo;

struct Case {
    const char* name;
    const sim_hosts::HostKind* kind;
    const char* language;
    std::string chosen;                // the keys after Option that choose an item of a menu or gallery
    std::vector<std::string> pressed;  // the controls these keys press, the item last
    std::string next;                  // the keys after a second Option
    std::vector<std::string> nextPressed;
};

struct PumpCase {
    const char* name;
    Pump pump;
};

// What a person reads on a pressed control: its title, else its description.
std::string shownText(const sim::ActionRecord& action) {
    return action.title.value_or(action.description.value_or(""));
}

// The controls pressed (a menu shown is no press), by the text a person reads on them.
std::vector<std::string> pressed() {
    std::vector<std::string> texts;
    for (const sim::ActionRecord& action : sim::world().actions()) {
        if (action.action == "AXPress") {
            texts.push_back(shownText(action));
        }
    }
    return texts;
}

std::vector<ax::Element> popoversShown(ax::Element window) {
    std::vector<ax::Element> shown;
    for (const ax::Element& element : elementsBelow(window)) {
        if (sim::world().attribute(element, "AXRole") == ax::Value("AXPopover")) {
            shown.push_back(element);
        }
    }
    return shown;
}

class ChosenItem : public ::testing::TestWithParam<std::tuple<Case, PumpCase>> {};

TEST_P(ChosenItem, ClosesItsMenuAndLeavesTheNextSessionToWhatIsShown) {
    const Case& c = std::get<0>(GetParam());
    const Pump pump = std::get<1>(GetParam()).pump;
    RibbonSession session(sim_hosts::RibbonOptions{.language = c.language}, *c.kind);
    const auto typeAfterOption = [pump](const std::string& keys) {
        sim_hosts::tapOption(sim::world(), pump);
        sim_hosts::typeCharacters(sim::world(), keys, pump);
        sim::world().pump();
        sim::world().advanceClock(1);
    };

    typeAfterOption(c.chosen);
    EXPECT_EQ(pressed(), c.pressed);
    EXPECT_TRUE(popoversShown(session.host().window).empty());
    EXPECT_TRUE(sim::world().visibleWindows().empty());

    sim::world().clearRecords();
    typeAfterOption(c.next);
    EXPECT_EQ(pressed(), c.nextPressed);
}

const Case cases[] = {
    // The Freeze Panes menu's "r" is also the View tab's Ruler.
    {"SpreadsheetUkFreezeTopRowThenRuler",
     &sim_hosts::spreadsheetHost(),
     "2057",
     "wfr",
     {"View", "Freeze Top Row"},
     "wr",
     {"Ruler"}},
    // A menu opened from another menu's item: choosing in it closes both.
    {"SpreadsheetPasteValuesFromTheClipboardMenu",
     &sim_hosts::spreadsheetHost(),
     "1033",
     "hzlvv",
     {"Paste Values"},
     "h1",
     {"Bold"}},
    {"PresentationAutomaticFontColorThenAlignLeft",
     &sim_hosts::presentationHost(),
     "en-US",
     "hfca",
     {"Automatic"},
     "hal",
     {"Align Left"}},
    {"PresentationUkAutomaticFontColourThenBold",
     &sim_hosts::presentationHost(),
     "en-GB",
     "hfca",
     {"Automatic"},
     "h1",
     {"Bold"}},
};

const PumpCase pumps[] = {{"PumpedAfterEachKey", Pump::afterEachKey}, {"TypedAhead", Pump::never}};

INSTANTIATE_TEST_SUITE_P(Hosts, ChosenItem,
                         ::testing::Combine(::testing::ValuesIn(cases), ::testing::ValuesIn(pumps)),
                         test_support::NameOfCase{});

// A combo box is no item to choose: focused and pressed in its menu, it leaves the menu open, and a
// second session's Escape cancels that menu.
struct ComboBoxCase {
    const char* name;
    const char* language;
    std::string keys;      // after Option: the menu's group button, then the combo box's shortcut
    const char* comboBox;  // the combo box's description
    const char* menu;      // the menu it stands in
};

class ComboBoxInAMenu : public ::testing::TestWithParam<std::tuple<ComboBoxCase, PumpCase>> {};

TEST_P(ComboBoxInAMenu, KeepsTheMenuOpenUntilEscapeCancelsIt) {
    const ComboBoxCase& c = std::get<0>(GetParam());
    const Pump pump = std::get<1>(GetParam()).pump;
    RibbonSession session(sim_hosts::RibbonOptions{.language = c.language});
    const ax::Element menu = session.host().menus.at(c.menu);

    sim_hosts::tapOption(sim::world(), pump);
    sim_hosts::typeCharacters(sim::world(), c.keys, pump);
    sim::world().pump();
    sim::world().advanceClock(1);
    ASSERT_FALSE(sim::world().actions().empty());
    const sim::ActionRecord pressed = sim::world().actions().back();
    EXPECT_EQ(pressed.action, "AXPress");
    EXPECT_EQ(pressed.role, "AXComboBox");
    EXPECT_EQ(pressed.description, c.comboBox);
    ASSERT_FALSE(sim::world().attributeSets().empty());
    EXPECT_EQ(sim::world().attributeSets().back().attribute, "AXFocused");
    EXPECT_EQ(sim::world().attributeSets().back().element, pressed.element);
    EXPECT_FALSE(session.tips().isLayerActive());
    EXPECT_TRUE(sim::world().visibleWindows().empty());
    EXPECT_EQ(popoversShown(session.host().window), std::vector<ax::Element>{menu});

    sim::world().clearRecords();
    sim_hosts::tapOption(sim::world(), pump);
    sim::world().deliver(sim::World::keyDown(sim_hosts::keys::escape, "\x1b"));
    sim::world().pump();
    sim::world().advanceClock(1);
    ASSERT_FALSE(sim::world().actions().empty());
    const sim::ActionRecord last = sim::world().actions().back();
    EXPECT_EQ(last.action, "AXCancel");
    EXPECT_EQ(last.element, menu);
    EXPECT_TRUE(popoversShown(session.host().window).empty());
}

const ComboBoxCase comboBoxCases[] = {
    {"SpreadsheetFontInTheFontMenu", "1033", "hzfff", "Font:", "Font"},
    {"SpreadsheetFontSizeInTheFontMenu", "1033", "hzffs", "Font Size:", "Font"},
    {"SpreadsheetUkNumberFormatInTheNumberMenu", "2057", "hznn", "Number Format", "Number"},
};

INSTANTIATE_TEST_SUITE_P(Hosts, ComboBoxInAMenu,
                         ::testing::Combine(::testing::ValuesIn(comboBoxCases), ::testing::ValuesIn(pumps)),
                         test_support::NameOfCase{});

}  // namespace
}  // namespace ribbon_test
