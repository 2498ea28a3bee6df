// The simulated spreadsheet host's window: where the toolbar, tabs, panels and menus stand, what the
// options change, and the road of one key press through the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ribbon_session.hpp"
#include "support/sim_world_test.hpp"

namespace ribbon_test {
namespace {

platform::Point positionOf(ax::Element element) {
    const std::optional<ax::Value> value = sim::world().attribute(element, "AXPosition");
    platform::Point point;
    EXPECT_TRUE(value && value->packed() && ax::unpackPoint(*value->packed(), point));
    return point;
}

std::optional<std::string> titleOf(ax::Element element) {
    const std::optional<ax::Value> value = sim::world().attribute(element, "AXTitle");
    return value && value->text() ? std::optional(*value->text()) : std::nullopt;
}

class RibbonHostTest : public test_support::SimWorldTest {};

struct LanguageCase {
    std::string language;
    std::string anchorTitle;
};

void PrintTo(const LanguageCase& c, std::ostream* out) { *out << c.language; }

class RibbonLayoutTest : public RibbonHostTest, public ::testing::WithParamInterface<LanguageCase> {};

// The toolbar row on top with its anchor, the tabs below it, the panels below the tabs and the menus
// below the panels; every element a position of its own in its panel or menu, and the kind of its row.
TEST_P(RibbonLayoutTest, StacksToolbarTabsPanelsAndMenus) {
    const sim_hosts::RibbonOptions options{.language = GetParam().language};
    const sim_hosts::RibbonHost host =
        sim_hosts::launchHost(sim::world(), sim_hosts::spreadsheetHost(), usKeyTables(), options);
    const keytips::KeyTables& tables = usKeyTables();

    EXPECT_EQ(titleOf(host.toolbarAnchor), GetParam().anchorTitle);
    const platform::Point anchor = positionOf(host.toolbarAnchor);
    ASSERT_EQ(host.toolbarButtons.size(), 3U);
    for (const ax::Element& button : host.toolbarButtons) {
        EXPECT_EQ(positionOf(button).y, anchor.y) << ax::describe(button);
        EXPECT_LT(positionOf(button).x, anchor.x) << ax::describe(button);
    }
    // The tab row's menu button "b" is the anchor itself when it carries the anchor's title; every
    // other tab row has its own tab.
    ASSERT_EQ(host.tabs.size(), tables.ribbonKeys.size() + tables.contextualKeys.size());
    for (const sim_hosts::RibbonElement& tab : host.tabs) {
        if (tab.identifier == "Customize Quick Access") {
            EXPECT_EQ(tab.element == host.toolbarAnchor, titleOf(tab.element) == GetParam().anchorTitle)
                << tab.identifier;
        } else {
            EXPECT_GT(positionOf(tab.element).y, anchor.y) << tab.identifier;
        }
    }

    double lowestTab = 0;
    for (const sim_hosts::RibbonElement& tab : host.tabs) {
        lowestTab = std::max(lowestTab, positionOf(tab.element).y);
    }
    double lowestPanelElement = 0;
    double highestMenuElement = 1e9;
    std::set<std::tuple<std::string, double, double>> positions;
    for (const sim_hosts::RibbonElement& command : host.commands) {
        const platform::Point at = positionOf(command.element);
        EXPECT_TRUE(positions.emplace(command.layer, at.x, at.y).second)
            << command.layer << " / " << command.identifier;
        EXPECT_GT(at.y, lowestTab) << command.layer << " / " << command.identifier;
        EXPECT_TRUE(RibbonSession::matches(command.element, tables.sharedKeys[command.row]))
            << command.identifier;
        if (host.panels.contains(command.layer)) {
            lowestPanelElement = std::max(lowestPanelElement, at.y);
        } else {
            highestMenuElement = std::min(highestMenuElement, at.y);
        }
    }
    EXPECT_LT(lowestPanelElement, highestMenuElement);

    // Every row has an element in each layer that it names and the ribbon shows: a row offered in
    // two layers has two.
    std::size_t expectedElements = 0;
    for (const keytips::AccessKey& key : tables.sharedKeys) {
        for (const std::string& layer : key.source) {
            expectedElements += host.showsLayer(layer) ? 1 : 0;
        }
    }
    EXPECT_EQ(host.commands.size(), expectedElements);
    EXPECT_FALSE(host.showsLayer("Autosum"));
    EXPECT_EQ(host.panels.size(), 19U);  // 20 tabs, the two FormatShape tabs sharing one panel
}

INSTANTIATE_TEST_SUITE_P(Languages, RibbonLayoutTest,
                         ::testing::Values(LanguageCase{"1033", "Customize Quick Access Toolbar"},
                                           LanguageCase{"2057", "Customise Quick Access Toolbar"}),
                         [](const ::testing::TestParamInfo<LanguageCase>& param) {
                             return "Language" + param.param.language;
                         });

// Pressing a tab shows its panel in the ribbon content; pressing a layer's button shows its menu at the
// end of the window, and the popover goes on "AXCancel".
TEST_F(RibbonHostTest, TabsSwapPanelsAndButtonsShowTheirLayersMenu) {
    const sim_hosts::RibbonHost host =
        sim_hosts::launchHost(sim::world(), sim_hosts::spreadsheetHost(), usKeyTables());
    EXPECT_EQ(sim::world().children(host.content), sim::world().children(host.panels.at("Home")));
    ASSERT_TRUE(host.tab("Insert").has_value());
    EXPECT_EQ(ax::performAction(*host.tab("Insert"), "AXPress"), ax::Error::success);
    EXPECT_EQ(sim::world().children(host.content), sim::world().children(host.panels.at("Insert")));
    EXPECT_EQ(sim::world().attribute(*host.tab("Home"), "AXValue"), ax::Value(0));

    const std::vector<ax::Element> borders = host.elementsFor("Home", "Borders");
    ASSERT_EQ(borders.size(), 1U);
    EXPECT_EQ(ax::performAction(borders.front(), "AXShowMenu"), ax::Error::success);
    const ax::Element menu = host.menus.at("Borders");
    EXPECT_EQ(sim::world().children(host.window).back(), menu);
    const auto bordersRows = std::count_if(
        usKeyTables().sharedKeys.begin(), usKeyTables().sharedKeys.end(), [](const keytips::AccessKey& key) {
            return std::find(key.source.begin(), key.source.end(), "Borders") != key.source.end();
        });
    EXPECT_EQ(sim::world().children(menu).size(), static_cast<std::size_t>(bordersRows));
    ax::performAction(menu, "AXCancel");
    const std::vector<ax::Element> shown = sim::world().children(host.window);
    EXPECT_EQ(std::find(shown.begin(), shown.end(), menu), shown.end());
}

struct ContextualCase {
    std::string tabTitle;
    std::string shortcut;
};

void PrintTo(const ContextualCase& c, std::ostream* out) { *out << c.tabTitle; }

class ContextualTabsTest : public RibbonHostTest, public ::testing::WithParamInterface<ContextualCase> {};

// With only one of the two shape tabs shown, only its row is labelled, and its key opens the shared
// layer "FormatShape" with a label on each of its rows.
TEST_P(ContextualTabsTest, OneShapeTabOpensTheSharedLayer) {
    RibbonSession session(
        sim_hosts::RibbonOptions{.contextualTabs = std::vector<std::string>{GetParam().tabTitle}});
    EXPECT_TRUE(session.host().tab(GetParam().tabTitle).has_value());
    EXPECT_FALSE(session.host().tab(GetParam().tabTitle == "Format" ? "Shape Format" : "Format").has_value());
    EXPECT_FALSE(session.host().showsLayer("Slicer"));

    session.tapOption();
    std::set<std::string> letters;
    for (const Label& label : session.labels(firstLayerCategory)) {
        letters.insert(label.letter);
    }
    EXPECT_EQ(letters, (std::set<std::string>{"1", "2", "3", "H", "N", "D", "P", "M", "A", "R", "W", "L", "B",
                                              uppercased(GetParam().shortcut)}));
    session.type(GetParam().shortcut);
    ASSERT_FALSE(session.tips().mode().layerHistory().empty());
    EXPECT_EQ(session.tips().mode().layerHistory().back(), "FormatShape");
    EXPECT_EQ(session.labels(commandLayerCategory).size(), 26U);
}

INSTANTIATE_TEST_SUITE_P(ShapeTabs, ContextualTabsTest,
                         ::testing::Values(ContextualCase{"Format", "o"},
                                           ContextualCase{"Shape Format", "t"}),
                         [](const ::testing::TestParamInfo<ContextualCase>& param) {
                             return "Key" + param.param.shortcut;
                         });

// Option, "h", "1": the Home tab is already selected, so its layer opens without a press; "1" presses
// the check box Bold, whose label goes first, and key-tip mode ends.
TEST(RibbonKeyPress, OptionHomeOnePressesBold) {
    RibbonSession session;
    const std::vector<ax::Element> bold = session.host().elementsFor("Home", "Bold");
    ASSERT_EQ(bold.size(), 1U);
    session.tapOption();
    EXPECT_FALSE(session.labels(firstLayerCategory).empty());
    session.type("h");
    EXPECT_TRUE(session.tips().mode().isSecondLayerActive());
    sim::world().clearRecords();
    session.type("1");

    const std::vector<sim::ActionRecord> actions = sim::world().actions();
    ASSERT_EQ(actions.size(), 1U);
    EXPECT_EQ(actions.front().element, bold.front());
    EXPECT_EQ(actions.front().action, "AXPress");
    EXPECT_EQ(actions.front().role, "AXCheckBox");
    EXPECT_EQ(actions.front().title, "Bold");
    EXPECT_EQ(sim::world().attribute(bold.front(), "AXValue"), ax::Value(1));
    EXPECT_FALSE(session.tips().isLayerActive());
    EXPECT_TRUE(session.labels(commandLayerCategory).empty());
}

}  // namespace
}  // namespace ribbon_test
