// A toolbar digit followed by Return in either host: the digit's button is pressed once, whether the
// host's queue ran between the two keys or the person typed both before it did.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ribbon_session.hpp"
#include "support/case_names.hpp"

namespace ribbon_test {
namespace {

using sim_hosts::Pump;

struct Host {
    const char* name;
    const sim_hosts::HostKind* kind;
    char digit;
    const char* button;  // the toolbar button the digit labels
};

const Host hosts[] = {{"spreadsheet Save", &sim_hosts::spreadsheetHost(), '1', "Save"},
                      {"presentation Undo", &sim_hosts::presentationHost(), '2', "Undo"}};

struct Pace {
    const char* name;
    Pump pump;  // after the digit
};

const Pace paces[] = {{"typed ahead of the queue", Pump::never}, {"queue run between", Pump::afterEachKey}};

using test_support::PrintTo;

class ToolbarDigitThenReturn : public ::testing::TestWithParam<std::tuple<Host, Pace>> {};

TEST_P(ToolbarDigitThenReturn, PressesTheButtonAtAnyPace) {
    const auto& [c, pace] = GetParam();
    RibbonSession session({}, *c.kind);
    session.tapOption();
    sim::world().clearRecords();
    sim_hosts::typeCharacters(sim::world(), std::string(1, c.digit), pace.pump);
    EXPECT_TRUE(sim::world().deliver(sim::World::keyDown(sim_hosts::keys::returnKey, "\r")).has_value());
    sim::world().pump();
    sim::world().advanceClock(0.1);

    int presses = 0;
    for (const sim::ActionRecord& action : sim::world().actions()) {
        EXPECT_EQ(action.title, c.button);
        presses += action.action == "AXPress" ? 1 : 0;
    }
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(session.tips().isLayerActive());
    EXPECT_TRUE(sim::world().visibleWindows().empty());
}

INSTANTIATE_TEST_SUITE_P(Hosts, ToolbarDigitThenReturn,
                         ::testing::Combine(::testing::ValuesIn(hosts), ::testing::ValuesIn(paces)),
                         test_support::NameOfCase());

}  // namespace
}  // namespace ribbon_test
