#include "ribbon_layout.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <string_view>

#include "ribbon_geometry.hpp"

namespace sim_hosts::detail {

using platform::Point;
using platform::Size;

namespace {

// The text that the picture writes on a control: its title, else its description.
std::string_view shownText(const keytips::AccessKey& key) {
    if (key.title && !key.title->empty()) {
        return *key.title;
    }
    return key.description ? std::string_view(*key.description) : std::string_view();
}

double widthOf(const keytips::AccessKey& key) { return controlWidth(key.role, shownText(key)); }

Rect frame(Point origin, Size size) { return Rect{origin, size}; }

void layOutToolbar(RibbonLayout& layout, const RibbonOptions& options, const std::string& anchorTitle) {
    double x = margin;
    for (const std::string& title : options.toolbarButtons) {
        const double width = controlWidth("AXButton", title);
        layout.toolbarButtons.push_back(frame({x, toolbarY}, {width, barHeight}));
        x += width + barGap;
    }
    layout.anchor = frame({x, toolbarY}, {controlWidth("AXMenuButton", anchorTitle), barHeight});
}

bool showsContextualTab(const keytips::AccessKey& key, const RibbonOptions& options) {
    return !options.contextualTabs ||
           (key.title && std::find(options.contextualTabs->begin(), options.contextualTabs->end(),
                                   *key.title) != options.contextualTabs->end());
}

// The tabs left to right, wrapping into a further row when the window is too narrow. Returns the
// bottom of the tab row.
double layOutTabs(RibbonLayout& layout, const RibbonRows& rows, const RibbonOptions& options,
                  const std::string& anchorTitle) {
    const std::size_t ribbonRows = rows.tables().ribbonKeys.size();
    const std::size_t tabRows = ribbonRows + rows.tables().contextualKeys.size();
    Point at{margin, tabRowY + 4};
    for (std::size_t row = 0; row < tabRows; ++row) {
        const keytips::AccessKey& key = rows.tab(row);
        if (row >= ribbonRows && !showsContextualTab(key, options)) {
            continue;
        }
        if (key.role == "AXMenuButton" && key.title == anchorTitle) {
            layout.tabs.push_back({row, std::nullopt});  // the customise button is the toolbar's anchor
            continue;
        }
        const double width = widthOf(key);
        if (at.x > margin && at.x + width > windowWidth - margin) {
            at = Point{margin, at.y + barHeight + rowGap};
        }
        layout.tabs.push_back({row, frame(at, {width, barHeight})});
        at.x += width + tabGap;
    }
    const double tabRowBottom = at.y + barHeight + labelReach + 3;
    layout.tabRow = frame({0, tabRowY}, {windowWidth, tabRowBottom - tabRowY});
    return tabRowBottom;
}

// The rows of one group of a tab's layer in columns of up to three, each column as wide as its widest.
struct Group {
    std::optional<std::string> name;
    std::vector<std::vector<std::size_t>> columns;
    std::vector<double> columnWidths;
};

// The groups of a tab's layer, in table order: a run of rows offered in the same further layers (named
// after the first of them), or up to nine rows offered in the tab's layer alone.
std::vector<Group> groupsOf(const RibbonRows& rows, const std::string& layer) {
    std::vector<Group> groups;
    std::vector<std::string> runLayers;
    std::size_t runLength = 0;
    for (const std::size_t row : rows.rowsOf(layer)) {
        const std::vector<std::string> further = rows.furtherLayers(row, layer);
        const bool full = further.empty() && !groups.empty() && runLength == unnamedGroupSize;
        if (groups.empty() || further != runLayers || full) {
            groups.push_back({further.empty() ? std::nullopt : std::optional(further.front()), {}, {}});
            runLength = 0;
        }
        runLayers = further;
        Group& group = groups.back();
        if (runLength++ % groupRows == 0) {
            group.columns.emplace_back();
            group.columnWidths.push_back(0);
        }
        group.columns.back().push_back(row);
        group.columnWidths.back() = std::max(group.columnWidths.back(), widthOf(rows.command(row)));
    }
    return groups;
}

// The width of a group's columns [from, to), at least that of its caption.
double widthOfColumns(const Group& group, std::size_t from, std::size_t to) {
    const double captionWidth =
        group.name ? std::ceil(textWidth(*group.name, captionFontSize)) + 2 * groupPadding : 0;
    double width = 2 * groupPadding - columnGap;
    for (std::size_t c = from; c < to; ++c) {
        width += group.columnWidths[c] + columnGap;
    }
    return std::max(width, captionWidth);
}

// The groups of a tab's layer side by side in rows of the band; a group that does not fit after
// others starts a new row, and one wider than the band is cut between its columns. Returns the number
// of band rows.
std::size_t layOutPanel(PanelPlace& panel, const RibbonRows& rows, double bandTop) {
    const double right = windowWidth - margin;
    std::size_t bandRow = 0;
    double x = margin;
    for (const Group& group : groupsOf(rows, panel.layer)) {
        std::size_t column = 0;
        while (column < group.columns.size()) {
            if (x > margin && x + widthOfColumns(group, column, group.columns.size()) > right) {
                ++bandRow;
                x = margin;
            }
            std::size_t end = column + 1;  // at least one column on a row of its own
            while (end < group.columns.size() && x + widthOfColumns(group, column, end + 1) <= right) {
                ++end;
            }
            const double width = widthOfColumns(group, column, end);
            const double top = bandTop + groupGap + static_cast<double>(bandRow) * (groupHeight + groupGap);
            GroupPlace& place =
                panel.groups.emplace_back(GroupPlace{group.name, frame({x, top}, {width, groupHeight}), {}});
            double columnX = x + groupPadding;
            for (std::size_t c = column; c < end; ++c) {
                for (std::size_t i = 0; i < group.columns[c].size(); ++i) {
                    place.controls.push_back(
                        {group.columns[c][i],
                         frame({columnX, top + groupPadding + static_cast<double>(i) * rowPitch},
                               {group.columnWidths[c], controlHeight})});
                }
                columnX += group.columnWidths[c] + columnGap;
            }
            x += width + groupGap;
            column = end;
        }
    }
    return bandRow + 1;
}

// One panel per tab layer (tabs that share an identifier share it), and the band below the tab row, as
// high as the highest panel.
void layOutPanels(RibbonLayout& layout, const RibbonRows& rows, double bandTop) {
    std::size_t bandRows = 1;
    for (const TabPlace& tab : layout.tabs) {
        const keytips::AccessKey& key = rows.tab(tab.row);
        if (key.role == "AXRadioButton" && !layout.hasPanel(key.identifier)) {
            layout.panels.push_back({key.identifier, {}});
            bandRows = std::max(bandRows, layOutPanel(layout.panels.back(), rows, bandTop));
        }
    }
    const double bandHeight = groupGap + static_cast<double>(bandRows) * (groupHeight + groupGap);
    layout.band = frame({0, bandTop}, {windowWidth, bandHeight});
    layout.menuTop = bandTop + bandHeight + menuGap;
}

// The rows of a menu's layer top to bottom, in further columns when the screen below the band is too
// short for them.
MenuPlace layOutMenu(const std::string& layer, const RibbonRows& rows, double menuTop) {
    const std::vector<std::size_t>& items = rows.rowsOf(layer);
    double itemWidth = minimumMenuWidth - 2 * menuPadding;
    for (const std::size_t row : items) {
        itemWidth = std::max(itemWidth, widthOf(rows.command(row)));
    }
    const double room = windowHeight - margin - menuTop - 2 * menuPadding - labelReach + rowGap;
    const std::size_t perColumn = std::max<std::size_t>(1, static_cast<std::size_t>(room / rowPitch));
    const std::size_t columns = std::max<std::size_t>(1, (items.size() + perColumn - 1) / perColumn);
    const std::size_t rowsShown = std::min(items.size(), perColumn);
    const Point origin{margin, menuTop};
    MenuPlace menu{layer, {}, {}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const double column = static_cast<double>(i / perColumn);
        const double line = static_cast<double>(i % perColumn);
        menu.items.push_back({items[i], frame({origin.x + menuPadding + column * (itemWidth + columnGap),
                                               origin.y + menuPadding + line * rowPitch},
                                              {itemWidth, controlHeight})});
    }
    const double width = 2 * menuPadding + static_cast<double>(columns) * (itemWidth + columnGap) - columnGap;
    const double height =
        rowsShown == 0 ? controlHeight
                       : 2 * menuPadding + static_cast<double>(rowsShown) * rowPitch - rowGap + labelReach;
    menu.frame = frame(origin, {width, height});
    return menu;
}

// One menu per layer that a row opens and no tab shows, in the order the openers come in the tables.
void layOutMenus(RibbonLayout& layout, const RibbonRows& rows) {
    std::set<std::string, std::less<>> seen;
    const auto note = [&](const keytips::AccessKey& key) {
        if (!layout.hasPanel(key.identifier) && seen.insert(key.identifier).second) {
            layout.menus.push_back(layOutMenu(key.identifier, rows, layout.menuTop));
        }
    };
    for (const TabPlace& tab : layout.tabs) {
        if (rows.tab(tab.row).role != "AXRadioButton") {
            note(rows.tab(tab.row));
        }
    }
    for (const keytips::AccessKey& key : rows.tables().sharedKeys) {
        if (!key.isLastCommand) {
            note(key);
        }
    }
}

}  // namespace

bool RibbonLayout::hasPanel(std::string_view layer) const {
    return std::any_of(panels.begin(), panels.end(),
                       [&](const PanelPlace& panel) { return panel.layer == layer; });
}

RibbonLayout layOutRibbon(const RibbonRows& rows, const RibbonOptions& options,
                          const std::string& anchorTitle) {
    RibbonLayout layout;
    layout.window = frame({0, 0}, {windowWidth, windowHeight});
    layOutToolbar(layout, options, anchorTitle);
    const double bandTop = layOutTabs(layout, rows, options, anchorTitle);
    layOutPanels(layout, rows, bandTop);
    layOutMenus(layout, rows);
    return layout;
}

}  // namespace sim_hosts::detail
