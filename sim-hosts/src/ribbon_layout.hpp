// Where the simulated ribbon's controls stand (sim_hosts/ribbon.hpp describes the picture): the frames of
// the window, the toolbar, the tabs, the groups of each tab's panel, the band and the menus, worked out
// from the ribbon's rows before any element exists; and where a menu goes each time it is shown.
// Frames are in accessibility coordinates (y grows downward from the top of the screen).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/geometry.hpp"
#include "platform/sim/world.hpp"
#include "ribbon_rows.hpp"
#include "sim_hosts/ribbon.hpp"

namespace sim_hosts::detail {

using platform::Rect;

// The control of a command row in a group or a menu.
struct PlacedRow {
    std::size_t row = 0;
    Rect frame;
};

// A shown tab row: the frame of its tab, none when the toolbar's anchor stands for it.
struct TabPlace {
    std::size_t row = 0;  // among the tab rows, ribbon-tab rows first
    std::optional<Rect> frame;
};

// A group of a tab's panel: its name (none for rows offered in the tab's layer alone) and its controls,
// column by column.
struct GroupPlace {
    std::optional<std::string> name;
    Rect frame;
    std::vector<PlacedRow> controls;
};

struct PanelPlace {
    std::string layer;
    std::vector<GroupPlace> groups;
};

// A menu as it stands until it is first shown: below the band's left end.
struct MenuPlace {
    std::string layer;
    Rect frame;
    std::vector<PlacedRow> items;
};

struct RibbonLayout {
    Rect window;
    std::vector<Rect> toolbarButtons;  // in the options' order
    Rect anchor;
    Rect tabRow;
    std::vector<TabPlace> tabs;
    std::vector<PanelPlace> panels;  // one per tab layer, in the order of its first tab
    Rect band;
    std::vector<MenuPlace> menus;  // one per layer that a row opens and no tab shows, in opener order
    double menuTop = 0;            // where menus opened from the toolbar, a tab or the band stand

    // Whether a layer is a tab's panel.
    [[nodiscard]] bool hasPanel(std::string_view layer) const;

    // A menu opened from the toolbar, a tab or the band drops from its opener's left edge to just below
    // the band, kept on the screen.
    [[nodiscard]] platform::sim::MenuPlacement belowBand(const platform::sim::World& world,
                                                         ax::Element opener, ax::Element menu) const;
    // A menu opened from a row of another menu stands beside that menu, its first row level with the
    // opener: to the right, or to the left when the right is off screen or taken by another shown menu.
    [[nodiscard]] platform::sim::MenuPlacement besideMenu(const platform::sim::World& world,
                                                          ax::Element opener, ax::Element parent,
                                                          ax::Element menu, ax::Element hostWindow) const;
};

// The ribbon's layout for the rows, with the options' toolbar and contextual tabs; the toolbar's anchor
// bears this title and stands for the tab row of a menu button with that title.
RibbonLayout layOutRibbon(const RibbonRows& rows, const RibbonOptions& options,
                          const std::string& anchorTitle);

}  // namespace sim_hosts::detail
