// A key that got no label when its layer opened (the host had not yet put that tab's controls in the
// tree) acts on nothing that an earlier opening of another tab found: those controls are hidden now.
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
    const sim_hosts::HostKind* kind;
    const char* language;
    std::vector<std::string> earlier;  // the tab visited first
    std::string earlierLayer;          // whose controls must stay untouched
    std::vector<std::string> later;    // another tab and a key of its layer
};

using test_support::PrintTo;

class EarlierOpening : public ::testing::TestWithParam<Case> {};

TEST_P(EarlierOpening, LeavesTheHiddenControlsOfTheEarlierTabAlone) {
    const Case& c = GetParam();
    sim_hosts::RibbonOptions options;
    if (*c.language != '\0') {  // an empty case language: the host's US English
        options.language = c.language;
    }
    RibbonSession session(options, *c.kind);
    sim::world().setLateEffects(true);

    // The earlier tab, twice: the first press selects it, the second opening finds its controls.
    for (int visit = 0; visit < 2; ++visit) {
        session.open(c.earlier);
        ASSERT_TRUE(session.tips().mode().isSecondLayerActive());
        sim::world().deliver(sim::World::keyDown(keys::escape, "\x1b"));
        sim::world().pump();
    }
    ASSERT_FALSE(session.tips().commandAccessLayer().accessKeyToElement.empty());
    if (c.earlierLayer != "Home") {
        // Back to Home, whose panel the host shows when the later tab's layer opens.
        session.open({"h"});
        sim::world().deliver(sim::World::keyDown(keys::escape, "\x1b"));
        sim::world().pump();
    }
    sim::world().clearRecords();

    session.open(c.later);
    sim::world().pump();
    sim::world().advanceClock(1);

    for (const sim::ActionRecord& action : sim::world().actions()) {
        const sim_hosts::RibbonElement* placed = session.host().placementOf(action.element);
        EXPECT_FALSE(placed != nullptr && placed->layer == c.earlierLayer)
            << action.action << " on " << action.role << " " << action.title.value_or("") << " of "
            << c.earlierLayer;
    }
    for (const sim::AttributeSetRecord& set : sim::world().attributeSets()) {
        const sim_hosts::RibbonElement* placed = session.host().placementOf(set.element);
        EXPECT_FALSE(placed != nullptr && placed->layer == c.earlierLayer)
            << set.attribute << " set on " << set.role << " " << set.title.value_or("") << " of "
            << c.earlierLayer;
    }
    EXPECT_TRUE(sim::world().visibleWindows().empty());
}

const Case cases[] = {
    {"SpreadsheetReviewDeleteAfterHome", &sim_hosts::spreadsheetHost(), "", {"h"}, "Home", {"r", "d"}},
    {"SpreadsheetPageLayoutHeightAfterShapeFormat",
     &sim_hosts::spreadsheetHost(),
     "",
     {"t"},
     "FormatShape",
     {"p", "h"}},
    {"SpreadsheetUkReviewDeleteAfterHome", &sim_hosts::spreadsheetHost(), "2057", {"h"}, "Home", {"r", "d"}},
    {"PresentationAnimationsDurationAfterTransitions",
     &sim_hosts::presentationHost(),
     "",
     {"k"},
     "Transitions",
     {"a", "d"}},
    {"PresentationTransitionsDurationAfterAnimations",
     &sim_hosts::presentationHost(),
     "",
     {"a"},
     "Animations",
     {"k", "e"}},
};

INSTANTIATE_TEST_SUITE_P(LateHosts, EarlierOpening, ::testing::ValuesIn(cases), test_support::NameOfCase{});

}  // namespace
}  // namespace ribbon_test
