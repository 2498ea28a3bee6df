// Every tab panel and menu of the simulated hosts shows each key on one control only: where the
// tables repeat a key inside a layer for a control that lives deeper (an item of a menu opened from
// the layer, a command of another tab), a person sees only the control that stands there. The only
// keys left on two controls at once are those the tables repeat among the controls of one menu or
// panel, listed below.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/sim/world.hpp"
#include "sim_hosts/ribbon.hpp"
#include "support/case_names.hpp"
#include "support/sim_world_test.hpp"

namespace {

namespace sim = platform::sim;

// A key that the tables give to two controls standing side by side in one panel or menu.
struct Repeated {
    std::string_view layer;
    std::string_view shortcut;
};

constexpr Repeated spreadsheetRepeats[] = {
    {"Paste", "t"},    {"Paste", "u"},          {"Orientation", "l"}, {"Find & Select", "n"},
    {"SmartArt", "p"}, {"More Functions", "c"}, {"Review", "zp"},     {"Notes", "t"},
};

constexpr Repeated presentationRepeats[] = {
    {"Paste", "t"},   {"Paste", "u"},   {"SmartArt", "p"}, {"Subtitle Settings", "t"},
    {"Borders", "h"}, {"Shading", "m"},
};

struct Setting {
    std::string name;
    const sim_hosts::HostKind* kind;
    bool uk;
    std::vector<Repeated> repeats;
};

using test_support::PrintTo;

class KeysOnScreen : public test_support::SimWorldTest, public ::testing::WithParamInterface<Setting> {};

TEST_P(KeysOnScreen, EachKeyOfAPanelOrMenuStandsOnOneControl) {
    const Setting& setting = GetParam();
    const sim_hosts::HostKind& kind = *setting.kind;
    const sim_hosts::RibbonHost host = sim_hosts::launchHost(
        sim::world(), kind,
        sim_hosts::RibbonOptions{.language = setting.uk ? kind.ukLanguage : kind.usLanguage});
    const keytips::LanguageTables language = setting.uk ? kind.ukTables : kind.usTables;
    const keytips::KeyTable& rows = language.sharedKeys();

    // (layer, shortcut) -> the controls that carry it there, with the titles of their rows.
    std::map<std::tuple<std::string, std::string>, std::map<std::uint64_t, std::string>> controls;
    for (const sim_hosts::RibbonElement& command : host.commands) {
        const keytips::AccessKey& key = rows[command.row];
        controls[{command.layer, key.shortcut}][command.element.reference()] =
            key.title.value_or(key.description.value_or(key.identifier));
    }
    std::set<std::tuple<std::string, std::string>> repeated;
    for (const auto& [where, onControls] : controls) {
        if (onControls.size() < 2) {
            continue;
        }
        const std::string& layer = std::get<0>(where);
        const std::string& shortcut = std::get<1>(where);
        repeated.insert(where);
        const bool listed =
            std::any_of(setting.repeats.begin(), setting.repeats.end(),
                        [&](const Repeated& r) { return r.layer == layer && r.shortcut == shortcut; });
        std::string titles;
        for (const auto& [reference, title] : onControls) {
            titles += " \"" + title + "\"";
        }
        EXPECT_TRUE(listed) << "layer \"" << layer << "\" shows the key \"" << shortcut << "\" on" << titles;
    }
    for (const Repeated& r : setting.repeats) {
        EXPECT_TRUE(repeated.contains({std::string(r.layer), std::string(r.shortcut)}))
            << "the tables' repeat of \"" << r.shortcut << "\" in \"" << r.layer
            << "\" is no longer on screen";
    }
}

std::vector<Repeated> listOf(std::span<const Repeated> repeats) { return {repeats.begin(), repeats.end()}; }

INSTANTIATE_TEST_SUITE_P(
    AllHosts, KeysOnScreen,
    ::testing::Values(
        Setting{"SpreadsheetUS", &sim_hosts::spreadsheetHost(), false, listOf(spreadsheetRepeats)},
        Setting{"SpreadsheetUK", &sim_hosts::spreadsheetHost(), true, listOf(spreadsheetRepeats)},
        Setting{"PresentationUS", &sim_hosts::presentationHost(), false, listOf(presentationRepeats)},
        Setting{"PresentationUK", &sim_hosts::presentationHost(), true, listOf(presentationRepeats)}),
    test_support::NameOfCase{});

}  // namespace
