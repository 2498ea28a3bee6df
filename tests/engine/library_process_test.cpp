// The key-tip libraries in a host process of their own, as the add-in loads them: what each says once in
// the process when the Accessibility permission is missing, and that a started library closed by the
// add-in stays mapped under the monitors and observer it installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sim/world.hpp"
#include "sim_hosts/add_in.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/case_names.hpp"
#include "support/own_process.hpp"
#include "support/sim_world_test.hpp"

namespace {

using platform::sim::world;
using sim_hosts::Pump;

const std::string missingAccessibility =
    "VELKARO || Accessibility permission missing: no key tips can be shown until the host is allowed in "
    "System Settings, Privacy & Security, Accessibility, and restarted";

struct LibraryCase {
    const char* name;
    const char* path;
    const char* hostBundle;
};

using test_support::PrintTo;

const LibraryCase ledgerKeys{"LedgerKeys", LEDGERKEYS_PATH, "com.microsoft.Excel"};
const LibraryCase deckKeys{"DeckKeys", DECKKEYS_PATH, "com.microsoft.Powerpoint"};

// The host, frontmost, with a window of two tabs and a check box.
void launchHost(const LibraryCase& library) {
    const int pid = world().launchApplication(std::string(library.hostBundle));
    world().setFrontmost(pid);
    world().loadFixture(pid, R"(window "Document1"
  AXRadioButton "Home" value=0 pos=10,40 size=40,20
  AXRadioButton "Insert" value=1 pos=60,40 size=40,20
  AXCheckBox "Bold" value=0 pos=10,80 size=20,20
)");
}

std::size_t linesReading(const std::string& line) {
    const std::vector<std::string> lines = world().logLines();
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

// Whether the user has given the host the Accessibility permission, and what the library then does:
// how often it says the permission is missing, and whether an Option tap shows labels.
struct AccessibilityCase {
    const char* name;
    bool granted;
    std::size_t missingLines;
    bool labelsShown;
};

const AccessibilityCase accessibilityCases[] = {
    {"Missing", false, 1, false},
    {"Given", true, 0, true},
};

class KeyTipsLibraryPermission
    : public test_support::SimWorldTest,
      public ::testing::WithParamInterface<std::tuple<LibraryCase, AccessibilityCase>> {};

// The start-up says the permission is missing, once however often the add-in calls the entry points,
// and nothing when it is given; an Option tap, with the host's queue run after each key or not, shows
// labels only with the permission.
TEST_P(KeyTipsLibraryPermission, SaysOnceWhenItIsMissing) {
    const LibraryCase& library = std::get<0>(GetParam());
    const AccessibilityCase& access = std::get<1>(GetParam());
    test_support::expectInOwnProcess([&library, &access] {
        world().setPermissions({access.granted, true, true});
        launchHost(library);
        const sim_hosts::LoadedLibrary loaded(library.path);
        ASSERT_TRUE(loaded.isOpen()) << loaded.error();
        const auto start = loaded.entryPoint("monitorKeyboardEvents");
        const auto update = loaded.entryPoint("updateEnableAccessKeys");

        start();
        EXPECT_EQ(linesReading(missingAccessibility), access.missingLines);
        update();
        start();
        sim_hosts::tapOption(world(), Pump::afterEachKey);
        EXPECT_EQ(!world().visibleWindows().empty(), access.labelsShown);
        sim_hosts::tapOption(world(), Pump::afterEachKey);  // ends the mode the first tap opened
        sim_hosts::tapOption(world(), Pump::never);
        world().pump();
        EXPECT_EQ(!world().visibleWindows().empty(), access.labelsShown);
        EXPECT_EQ(linesReading(missingAccessibility), access.missingLines);
    });
}

INSTANTIATE_TEST_SUITE_P(Libraries, KeyTipsLibraryPermission,
                         ::testing::Combine(::testing::Values(ledgerKeys, deckKeys),
                                            ::testing::ValuesIn(accessibilityCases)),
                         test_support::NameOfCase{});

class KeyTipsLibrary : public test_support::SimWorldTest,
                       public ::testing::WithParamInterface<LibraryCase> {};

// Closed by the add-in after it started, the library stays mapped: keys still reach its monitors, which
// still show the labels, and the world can still let its handlers go.
TEST_P(KeyTipsLibrary, ClosedAfterStartingStaysMapped) {
    const LibraryCase& c = GetParam();
    test_support::expectInOwnProcess([&c] {
        launchHost(c);
        sim_hosts::LoadedLibrary library(c.path);
        ASSERT_TRUE(library.isOpen()) << library.error();
        library.entryPoint("monitorKeyboardEvents")();
        ASSERT_TRUE(library.close());

        sim_hosts::tapOption(world());
        EXPECT_FALSE(world().visibleWindows().empty());
        sim_hosts::typeCharacters(world(), "h");
        world().reset();
    });
}

INSTANTIATE_TEST_SUITE_P(Libraries, KeyTipsLibrary, ::testing::Values(ledgerKeys, deckKeys),
                         test_support::NameOfCase{});

}  // namespace
