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

}  // namespace
}  // namespace ribbon_test
