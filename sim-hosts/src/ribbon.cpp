#include "sim_hosts/ribbon.hpp"

#include <algorithm>
#include <set>
#include <utility>

namespace sim_hosts {

using platform::Point;
using platform::Rect;
using platform::Size;
using platform::sim::ElementSetup;

namespace {

constexpr std::string_view tabRowLayer = "Ribbon";

// Geometry, in accessibility coordinates (y grows downward from the top of the screen).
constexpr double windowWidth = 1440;
constexpr double windowHeight = 900;
constexpr double margin = 8;
constexpr double toolbarY = 6;
constexpr Size toolbarButtonSize{30, 20};
constexpr double tabRowY = 32;
constexpr Size tabSize{64, 22};
constexpr double tabStep = 68;
constexpr double contentY = 62;
// Command elements and menus sit in a grid of cells, one element a cell, so that no two share a
// position: the tab panels first, then the menus, lower on screen.
constexpr Size cellSize{30, 18};
constexpr Size commandSize{26, 14};
constexpr int columns = static_cast<int>((windowWidth - 2 * margin) / cellSize.width);

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Hands out the grid cells in reading order.
class Grid {
public:
    explicit Grid(double top) : top_(top) {}

    Point next() {
        const Point point{margin + (cell_ % columns) * cellSize.width,
                          top_ + (cell_ / columns) * cellSize.height};
        ++cell_;
        return point;
    }
    // Leaves the rest of the current grid row empty.
    void newRow() {
        if (cell_ % columns != 0) {
            cell_ += columns - cell_ % columns;
        }
    }
    [[nodiscard]] double bottom() const { return top_ + ((cell_ + columns - 1) / columns) * cellSize.height; }

private:
    double top_;
    int cell_ = 0;
};

ElementSetup specOf(const keytips::AccessKey& key, Point position, Size size, std::string name) {
    ElementSetup setup;
    setup.role = key.role;
    setup.title = key.title;
    setup.description = key.description;
    if (key.role == "AXRadioButton" || key.role == "AXCheckBox") {
        setup.value = 0;
    }
    setup.position = position;
    setup.size = size;
    setup.name = std::move(name);
    return setup;
}

}  // namespace

class RibbonBuilder {
public:
    RibbonBuilder(World& world, const HostKind& kind, const keytips::KeyTables& tables,
                  const RibbonOptions& options)
        : world_(world),
          kind_(kind),
          tables_(tables),
          options_(options),
          language_(languageOf(kind, options)),
          grid_(contentY + 2) {
        for (std::size_t row = 0; row < tables_.sharedKeys.size(); ++row) {
            for (const std::string& layer : tables_.sharedKeys[row].source) {
                rowsOfLayer_[layer].push_back(row);
            }
        }
    }

    RibbonHost build() {
        host_.processIdentifier = world_.launchApplication(kind_.bundleIdentifier);
        if (kind_.languageFromMacro) {
            world_.setScriptAnswer("GetLanguageCode", platform::sim::ScriptAnswer::withText(language_));
        } else {
            world_.setPreferredLanguages({language_});
        }
        host_.window = world_.addWindow(
            host_.processIdentifier, options_.windowTitle.empty() ? kind_.windowTitle : options_.windowTitle,
            Rect{{0, 0}, {windowWidth, windowHeight}});
        world_.setFocusedWindow(host_.processIdentifier, host_.window);
        world_.setFrontmost(host_.processIdentifier);
        buildToolbar();
        buildTabRow();
        buildPanels();
        buildMenus();
        connectMenus();
        selectFirstTab();
        return std::move(host_);
    }

private:
    [[nodiscard]] std::string anchorTitle() const {
        return language_ == kind_.ukLanguage ? "Customise Quick Access Toolbar"
                                             : "Customize Quick Access Toolbar";
    }

    void buildToolbar() {
        double x = margin;
        for (const std::string& title : options_.toolbarButtons) {
            ElementSetup setup{.role = "AXButton", .title = title};
            setup.position = Point{x, toolbarY};
            setup.size = toolbarButtonSize;
            host_.toolbarButtons.push_back(world_.addElement(host_.window, std::move(setup)));
            x += toolbarButtonSize.width + 4;
        }
        ElementSetup anchor{.role = "AXMenuButton", .title = anchorTitle()};
        anchor.position = Point{x, toolbarY};
        anchor.size = Size{toolbarButtonSize.width * 2, toolbarButtonSize.height};
        anchor.name = "toolbar anchor";
        host_.toolbarAnchor = world_.addElement(host_.window, std::move(anchor));
    }

    [[nodiscard]] bool showsContextualTab(const keytips::AccessKey& key) const {
        return !options_.contextualTabs || (key.title && contains(*options_.contextualTabs, *key.title));
    }

    void buildTabRow() {
        ElementSetup tabGroup{.role = "AXTabGroup", .description = "Ribbon Tabs"};
        tabGroup.position = Point{0, tabRowY};
        tabGroup.size = Size{windowWidth, tabSize.height + 4};
        host_.tabRow = world_.addElement(host_.window, std::move(tabGroup));
        ElementSetup content{.role = "AXGroup", .description = "Ribbon"};
        content.position = Point{0, contentY};
        content.size = Size{windowWidth, 0};  // set once the panels are laid out
        host_.content = world_.addElement(host_.window, std::move(content));

        std::size_t index = 0;
        double x = margin;
        const auto addTab = [&](const keytips::AccessKey& key) {
            const std::size_t row = index++;
            ax::Element element;
            if (key.role == "AXMenuButton" && key.title == anchorTitle()) {
                element = host_.toolbarAnchor;  // the customise button is the toolbar's anchor
            } else {
                element =
                    world_.addElement(host_.tabRow, specOf(key, Point{x, tabRowY + 2}, tabSize,
                                                           std::string(tabRowLayer) + "/" + key.identifier));
                x += tabStep;
            }
            host_.tabIndex_[element.reference()] = host_.tabs.size();
            host_.tabs.push_back({std::string(tabRowLayer), row, key.identifier, element});
        };
        for (const keytips::AccessKey& key : tables_.ribbonKeys) {
            addTab(key);
        }
        for (const keytips::AccessKey& key : tables_.contextualKeys) {
            if (showsContextualTab(key)) {
                addTab(key);
            } else {
                ++index;
            }
        }
    }

    [[nodiscard]] const keytips::AccessKey& tabKey(const RibbonElement& tab) const {
        const std::size_t ribbonRows = tables_.ribbonKeys.size();
        return tab.row < ribbonRows ? tables_.ribbonKeys[tab.row]
                                    : tables_.contextualKeys[tab.row - ribbonRows];
    }

    // Adds one element for every command row offered in the layer to the container, in table order.
    void fillLayer(const std::string& layer, ax::Element container) {
        const auto rows = rowsOfLayer_.find(layer);
        if (rows == rowsOfLayer_.end()) {
            return;
        }
        for (const std::size_t row : rows->second) {
            const keytips::AccessKey& key = tables_.sharedKeys[row];
            const ax::Element element = world_.addElement(
                container,
                specOf(key, grid_.next(), commandSize, layer + "/" + key.identifier + "/" + key.shortcut));
            host_.commandIndex_[element.reference()] = host_.commands.size();
            host_.commands.push_back({layer, row, key.identifier, element});
        }
    }

    // One panel per tab layer; tabs that share an identifier share the panel.
    void buildPanels() {
        for (const RibbonElement& tab : host_.tabs) {
            if (tabKey(tab).role != "AXRadioButton") {
                continue;
            }
            auto [entry, added] = host_.panels.try_emplace(tab.identifier);
            if (added) {
                entry->second =
                    world_.createDetached(ElementSetup{.role = "AXGroup", .description = tab.identifier});
                fillLayer(tab.identifier, entry->second);
            }
            world_.setTabPanel(tab.element, host_.content, entry->second);
        }
        grid_.newRow();
        world_.setAttribute(host_.content, "AXSize",
                            ax::PackedValue::size(Size{windowWidth, grid_.bottom() - contentY}));
    }

    // One menu per layer that a row opens and no tab shows, in the order the openers come in the tables.
    void buildMenus() {
        std::vector<std::string> opened;
        std::set<std::string, std::less<>> seen;
        const auto note = [&](const keytips::AccessKey& key) {
            if (!host_.panels.contains(key.identifier) && seen.insert(key.identifier).second) {
                opened.push_back(key.identifier);
            }
        };
        for (const RibbonElement& tab : host_.tabs) {
            if (tabKey(tab).role != "AXRadioButton") {
                note(tabKey(tab));
            }
        }
        for (const keytips::AccessKey& key : tables_.sharedKeys) {
            if (!key.isLastCommand) {
                note(key);
            }
        }
        for (const std::string& layer : opened) {
            ElementSetup setup{.role = "AXPopover", .description = layer};
            setup.position = grid_.next();
            setup.size = commandSize;
            setup.name = "menu/" + layer;
            const ax::Element menu = world_.createDetached(std::move(setup));
            host_.menus.emplace(layer, menu);
            fillLayer(layer, menu);
        }
    }

    // Every element of a row that opens a layer shows that layer's menu: menu buttons with Press no on
    // "AXShowMenu", the others on "AXPress".
    void connectMenus() {
        const auto connect = [&](const keytips::AccessKey& key, ax::Element element) {
            const auto menu = host_.menus.find(key.identifier);
            if (!key.isLastCommand && menu != host_.menus.end()) {
                world_.setMenu(element, menu->second, key.role != "AXMenuButton" || key.press);
            }
        };
        for (const RibbonElement& tab : host_.tabs) {
            connect(tabKey(tab), tab.element);
        }
        for (const RibbonElement& command : host_.commands) {
            connect(tables_.sharedKeys[command.row], command.element);
        }
    }

    // The first tab is selected: its panel fills the ribbon content.
    void selectFirstTab() {
        for (const RibbonElement& tab : host_.tabs) {
            const auto panel = host_.panels.find(tab.identifier);
            if (tabKey(tab).role != "AXRadioButton" || panel == host_.panels.end()) {
                continue;
            }
            world_.setAttribute(tab.element, "AXValue", 1);
            for (const ax::Element& child : world_.children(panel->second)) {
                world_.addChild(host_.content, child);
            }
            return;
        }
    }

    World& world_;
    const HostKind& kind_;
    const keytips::KeyTables& tables_;
    const RibbonOptions& options_;
    std::string language_;
    Grid grid_;
    std::map<std::string, std::vector<std::size_t>, std::less<>>
        rowsOfLayer_;  // command rows offered in each layer
    RibbonHost host_;
};

std::optional<ax::Element> RibbonHost::elementFor(std::string_view layer, std::size_t row) const {
    for (const RibbonElement& command : commands) {
        if (command.layer == layer && command.row == row) {
            return command.element;
        }
    }
    return std::nullopt;
}

std::vector<ax::Element> RibbonHost::elementsFor(std::string_view layer, std::string_view identifier) const {
    std::vector<ax::Element> found;
    for (const RibbonElement& command : commands) {
        if (command.layer == layer && command.identifier == identifier) {
            found.push_back(command.element);
        }
    }
    return found;
}

std::optional<ax::Element> RibbonHost::tab(std::string_view title) const {
    const World& simWorld = platform::sim::world();
    for (const RibbonElement& entry : tabs) {
        const std::optional<ax::Value> value = simWorld.attribute(entry.element, "AXTitle");
        if (value && value->text() != nullptr && *value->text() == title) {
            return entry.element;
        }
    }
    return std::nullopt;
}

const RibbonElement* RibbonHost::placementOf(ax::Element element) const {
    if (const auto command = commandIndex_.find(element.reference()); command != commandIndex_.end()) {
        return &commands[command->second];
    }
    if (const auto entry = tabIndex_.find(element.reference()); entry != tabIndex_.end()) {
        return &tabs[entry->second];
    }
    return nullptr;
}

bool RibbonHost::showsLayer(std::string_view layer) const {
    return panels.find(layer) != panels.end() || menus.find(layer) != menus.end();
}

RibbonHost launchHost(World& world, const HostKind& kind, const keytips::KeyTables& tables,
                      const RibbonOptions& options) {
    return RibbonBuilder(world, kind, tables, options).build();
}

RibbonHost launchHost(World& world, const HostKind& kind, const RibbonOptions& options) {
    const keytips::LanguageTables language =
        languageOf(kind, options) == kind.ukLanguage ? kind.ukTables : kind.usTables;
    const keytips::KeyTables tables{language.ribbonKeys(), language.contextualKeys(), language.sharedKeys()};
    return RibbonBuilder(world, kind, tables, options).build();
}

}  // namespace sim_hosts
