// The simulated hosts' accessibility trees, built from the ribbon's layout: the host launched with its
// window, then every control as an element at the frame the layout gives it, the menus that rows open
// connected to their openers, and the first tab selected.
#include "sim_hosts/ribbon.hpp"

#include <utility>

#include "ribbon_layout.hpp"
#include "ribbon_rows.hpp"

namespace sim_hosts {

using detail::PlacedRow;
using detail::RibbonLayout;
using detail::RibbonRows;
using platform::Rect;
using platform::sim::ElementSetup;

namespace {

ElementSetup framed(ElementSetup setup, const Rect& frame) {
    setup.position = frame.origin;
    setup.size = frame.size;
    return setup;
}

// The element that carries a key row: its role and texts, unselected when it is a tab or check box.
ElementSetup elementSetup(const keytips::AccessKey& key, const Rect& frame, std::string name) {
    ElementSetup setup{
        .role = key.role, .title = key.title, .description = key.description, .name = std::move(name)};
    if (key.role == "AXRadioButton" || key.role == "AXCheckBox") {
        setup.value = 0;
    }
    return framed(std::move(setup), frame);
}

}  // namespace

class RibbonBuilder {
public:
    RibbonBuilder(World& world, const HostKind& kind, const keytips::KeyTables& tables,
                  const RibbonOptions& options)
        : world_(world),
          kind_(kind),
          options_(options),
          language_(languageOf(kind, options)),
          rows_(tables),
          layout_(detail::layOutRibbon(rows_, options, anchorTitle())) {}

    RibbonHost build() {
        launch();
        buildToolbar();
        buildTabRow();
        buildPanels();
        buildMenus();
        addRowsOfSameControls();
        connectMenus();
        selectFirstTab();
        return std::move(host_);
    }

private:
    [[nodiscard]] std::string anchorTitle() const {
        return language_ == kind_.ukLanguage ? "Customise Quick Access Toolbar"
                                             : "Customize Quick Access Toolbar";
    }

    // The host with its language, its window focused and itself frontmost.
    void launch() {
        host_.processIdentifier = world_.launchApplication(kind_.bundleIdentifier);
        if (kind_.languageFromMacro) {
            world_.setScriptAnswer("GetLanguageCode", platform::sim::ScriptAnswer::withText(language_));
        } else {
            world_.setPreferredLanguages({language_});
        }
        host_.window = world_.addWindow(
            host_.processIdentifier, options_.windowTitle.empty() ? kind_.windowTitle : options_.windowTitle,
            layout_.window);
        world_.setFocusedWindow(host_.processIdentifier, host_.window);
        world_.setFrontmost(host_.processIdentifier);
    }

    // The toolbar's buttons and its anchor, in the window's title bar.
    void buildToolbar() {
        for (std::size_t i = 0; i < options_.toolbarButtons.size(); ++i) {
            host_.toolbarButtons.push_back(world_.addElement(
                host_.window, framed({.role = "AXButton", .title = options_.toolbarButtons[i]},
                                     layout_.toolbarButtons[i])));
        }
        host_.toolbarAnchor = world_.addElement(
            host_.window, framed({.role = "AXMenuButton", .title = anchorTitle(), .name = "toolbar anchor"},
                                 layout_.anchor));
    }

    // The tab row with one element per shown tab row; the toolbar's anchor stands for the row that
    // the layout gives no tab of its own.
    void buildTabRow() {
        host_.tabRow = world_.addElement(
            host_.window, framed({.role = "AXTabGroup", .description = "Ribbon Tabs"}, layout_.tabRow));
        for (const detail::TabPlace& tab : layout_.tabs) {
            const keytips::AccessKey& key = rows_.tab(tab.row);
            ax::Element element = host_.toolbarAnchor;
            if (tab.frame) {
                const std::string name = std::string(detail::tabRowLayer) + "/" + key.identifier;
                element = world_.addElement(host_.tabRow, elementSetup(key, *tab.frame, name));
            }
            host_.tabIndex_[element.reference()] = host_.tabs.size();
            host_.tabs.push_back({std::string(detail::tabRowLayer), tab.row, key.identifier, element});
        }
    }

    // Adds the element of a command row offered in the layer to the container.
    void addCommand(const std::string& layer, const PlacedRow& placed, ax::Element container) {
        const keytips::AccessKey& key = rows_.command(placed.row);
        const ax::Element element = world_.addElement(
            container, elementSetup(key, placed.frame, layer + "/" + key.identifier + "/" + key.shortcut));
        host_.commandIndex_[element.reference()] = host_.commands.size();
        host_.commands.push_back({layer, placed.row, key.identifier, element});
    }

    // Each tab layer's panel with its groups, kept aside until its tab is selected; the band that shows
    // the selected one.
    void buildPanels() {
        for (const detail::PanelPlace& panel : layout_.panels) {
            const ax::Element element =
                world_.createDetached(ElementSetup{.role = "AXGroup", .description = panel.layer});
            host_.panels.emplace(panel.layer, element);
            for (const detail::GroupPlace& group : panel.groups) {
                const ax::Element groupElement = world_.addElement(
                    element, framed({.role = "AXGroup", .description = group.name}, group.frame));
                for (const PlacedRow& control : group.controls) {
                    addCommand(panel.layer, control, groupElement);
                }
            }
        }
        host_.content = world_.addElement(host_.window,
                                          framed({.role = "AXGroup", .description = "Ribbon"}, layout_.band));
        for (const RibbonElement& tab : host_.tabs) {
            if (const auto panel = host_.panels.find(tab.identifier); panel != host_.panels.end()) {
                world_.setTabPanel(tab.element, host_.content, panel->second);
            }
        }
    }

    // Each menu with its items, kept aside until an opener shows it.
    void buildMenus() {
        for (const detail::MenuPlace& menu : layout_.menus) {
            const ax::Element element = world_.createDetached(framed(
                {.role = "AXPopover", .description = menu.layer, .name = "menu/" + menu.layer}, menu.frame));
            host_.menus.emplace(menu.layer, element);
            for (const PlacedRow& item : menu.items) {
                addCommand(menu.layer, item, element);
            }
        }
    }

    // The rows that share an earlier row's control stand for its element.
    void addRowsOfSameControls() {
        for (const detail::SameControl& same : rows_.sameControls()) {
            if (const std::optional<ax::Element> element = host_.elementFor(same.layer, same.earlierRow)) {
                host_.commands.push_back(
                    {same.layer, same.row, rows_.command(same.row).identifier, *element});
            }
        }
    }

    // Every element of a row that opens a layer shows that layer's menu: menu buttons with Press no on
    // "AXShowMenu", the others on "AXPress".
    void connectMenus() {
        const auto connect = [&](const keytips::AccessKey& key, ax::Element element,
                                 const std::string& layer) {
            const auto menu = host_.menus.find(key.identifier);
            if (key.isLastCommand || menu == host_.menus.end()) {
                return;
            }
            const auto parent = host_.menus.find(layer);
            world_.setMenu(element, menu->second, key.role != "AXMenuButton" || key.press,
                           parent == host_.menus.end() ? layout_.belowBand(world_, element, menu->second)
                                                       : layout_.besideMenu(world_, element, parent->second,
                                                                            menu->second, host_.window));
        };
        for (const RibbonElement& tab : host_.tabs) {
            connect(rows_.tab(tab.row), tab.element, tab.layer);
        }
        for (const RibbonElement& command : host_.commands) {
            connect(rows_.command(command.row), command.element, command.layer);
        }
    }

    // The first tab is selected: its panel fills the ribbon content.
    void selectFirstTab() {
        for (const RibbonElement& tab : host_.tabs) {
            const auto panel = host_.panels.find(tab.identifier);
            if (rows_.tab(tab.row).role != "AXRadioButton" || panel == host_.panels.end()) {
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
    const RibbonOptions& options_;
    std::string language_;
    RibbonRows rows_;
    RibbonLayout layout_;
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
