#include "sim_hosts/ribbon.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <tuple>
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
// Control titles are written at 10 points (as the screen picture draws them), with room on both
// sides, and an arrow after the title of a menu button or combo box.
constexpr double titleFontSize = 10;
constexpr double captionFontSize = 9;
constexpr double textPadding = 8;
constexpr double arrowWidth = 14;
// A key-tip label is 15 points wide from the middle of its control and reaches from 10 points above
// the control's bottom edge to 5 below it: a control at least this wide keeps its label on itself,
// and rows of controls stand far enough apart that no label covers the next row.
constexpr double minimumWidth = 32;
constexpr double labelReach = 5;
constexpr double rowGap = labelReach + 1;
// The toolbar row sits in the title bar, the tab row below it.
constexpr double toolbarY = 4;
constexpr double barHeight = 22;  // toolbar buttons and tabs
constexpr double barGap = 4;
constexpr double tabRowY = 30;
constexpr double tabGap = 2;
// Commands in the band and in menus.
constexpr double controlHeight = 24;
constexpr double rowPitch = controlHeight + rowGap;
constexpr double columnGap = 4;
// A group: up to three rows of controls, its name in a caption below them.
constexpr std::size_t groupRows = 3;
constexpr std::size_t unnamedGroupSize = 3 * groupRows;
constexpr double groupPadding = 4;
constexpr double captionHeight = 14;
constexpr double groupHeight =
    groupPadding + static_cast<double>(groupRows - 1) * rowPitch + controlHeight + labelReach + captionHeight;
constexpr double groupGap = 4;
// A menu: a vertical list (in further columns when taller than the screen allows).
constexpr double menuPadding = 4;
constexpr double menuGap = 2;
constexpr double minimumMenuWidth = 100;

// Advance widths of the printable ASCII characters in a common sans-serif face, in thousandths of
// an em; every other character counts as 0.65 em.
constexpr std::array<int, 95> advances{
    317,  400, 460, 837, 635, 950, 780, 275, 390, 390, 500, 837, 317, 360, 317, 335,  //  !"#$%&'()*+,-./
    635,  635, 635, 635, 635, 635, 635, 635, 635, 635, 335, 335, 837, 837, 837, 530,  // 0-9 :;<=>?
    1000, 707, 685, 697, 770, 630, 575, 775, 750, 295, 295, 655, 557, 862, 747, 787,  // @A-O
    602,  787, 695, 635, 595, 730, 682, 987, 685, 610, 685, 390, 335, 390, 837, 500,  // P-Z [\]^_
    500,  612, 635, 550, 635, 615, 350, 635, 632, 277, 277, 577, 277, 972, 632, 610,  // `a-o
    635,  635, 395, 520, 392, 632, 590, 817, 590, 590, 525, 635, 335, 635, 837};      // p-z {|}~

double textWidth(std::string_view text, double fontSize) {
    int thousandths = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            thousandths += advances[0];  // drawn as a space
        } else if (byte < 0x7F) {
            thousandths += advances[byte - 0x20];
        } else if ((byte & 0xC0) != 0x80) {  // the first byte of a character in UTF-8
            thousandths += 650;
        }
    }
    return thousandths * fontSize / 1000;
}

// The text that the picture writes on a control: its title, else its description.
std::string_view shownText(const std::optional<std::string>& title,
                           const std::optional<std::string>& description) {
    if (title && !title->empty()) {
        return *title;
    }
    return description ? std::string_view(*description) : std::string_view();
}

bool hasArrow(std::string_view role) { return role == "AXMenuButton" || role == "AXComboBox"; }

// The width of a control with this role and text.
double controlWidth(std::string_view role, std::string_view text) {
    const double width = textWidth(text, titleFontSize) + 2 * textPadding + (hasArrow(role) ? arrowWidth : 0);
    return std::max(minimumWidth, std::ceil(width));
}

double widthOf(const keytips::AccessKey& key) {
    return controlWidth(key.role, shownText(key.title, key.description));
}

bool contains(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool intersects(const Rect& a, const Rect& b) {
    return a.origin.x < b.origin.x + b.size.width && b.origin.x < a.origin.x + a.size.width &&
           a.origin.y < b.origin.y + b.size.height && b.origin.y < a.origin.y + a.size.height;
}

Rect frameOf(const World& world, ax::Element element) {
    Rect frame;
    const std::optional<ax::Value> position = world.attribute(element, "AXPosition");
    const std::optional<ax::Value> size = world.attribute(element, "AXSize");
    if (position && position->packed() != nullptr) {
        ax::unpackPoint(*position->packed(), frame.origin);
    }
    if (size && size->packed() != nullptr) {
        ax::unpackSize(*size->packed(), frame.size);
    }
    return frame;
}

// The element that carries a key row: its role and texts, unselected when it is a tab or check box.
ElementSetup elementSetup(const keytips::AccessKey& key, Point position, Size size, std::string name) {
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

// The rows of one group of a tab's layer, in columns of up to three, and the group's name (none for
// rows offered in the tab's layer alone).
struct Group {
    std::optional<std::string> name;
    std::vector<std::vector<std::size_t>> columns;
    std::vector<double> columnWidths;
};

}  // namespace

class RibbonBuilder {
public:
    RibbonBuilder(World& world, const HostKind& kind, const keytips::KeyTables& tables,
                  const RibbonOptions& options)
        : world_(world),
          kind_(kind),
          tables_(tables),
          options_(options),
          language_(languageOf(kind, options)) {
        // Rows of one layer with one identifier that describe the same control (role, title and
        // description) stand for one element: a menu button and the item of its own menu with its name.
        std::map<std::tuple<std::string, std::string, std::string, std::optional<std::string>,
                            std::optional<std::string>>,
                 std::size_t>
            controls;
        for (std::size_t row = 0; row < tables_.sharedKeys.size(); ++row) {
            const keytips::AccessKey& key = tables_.sharedKeys[row];
            for (const std::string& layer : key.source) {
                const auto [control, added] =
                    controls.try_emplace({layer, key.identifier, key.role, key.title, key.description}, row);
                if (added) {
                    rowsOfLayer_[layer].push_back(row);
                } else {
                    sameControl_.push_back({layer, row, control->second});
                }
            }
        }
        leaveOutRowsShownElsewhere();
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
        addRowsOfSameControls();
        connectMenus();
        selectFirstTab();
        return std::move(host_);
    }

private:
    // The layers a person sees on screen as a tab's panel or a menu: every tab row's identifier (shown
    // or not), and every layer that a row opens.
    [[nodiscard]] std::set<std::string, std::less<>> layersOnScreen() const {
        std::set<std::string, std::less<>> layers;
        for (const keytips::KeyTable* table : {&tables_.ribbonKeys, &tables_.contextualKeys}) {
            for (const keytips::AccessKey& key : *table) {
                layers.insert(key.identifier);
            }
        }
        for (const keytips::AccessKey& key : tables_.sharedKeys) {
            if (!key.isLastCommand) {
                layers.insert(key.identifier);
            }
        }
        return layers;
    }

    // A key repeated inside a layer by two controls names one that a person sees there and one that
    // lives deeper: a row offered along a longer path of layers than another control with its key
    // (an item of a menu opened from the layer, a command of another tab) stands only in its further
    // layers, when one of them is on screen. A menu's opener listed in its own menu stays there.
    void leaveOutRowsShownElsewhere() {
        const std::set<std::string, std::less<>> onScreen = layersOnScreen();
        const auto depth = [&](std::size_t row) { return tables_.sharedKeys[row].source.size(); };
        for (auto& [layer, rows] : rowsOfLayer_) {
            std::map<std::string, std::vector<std::size_t>, std::less<>> rowsOfKey;
            for (const std::size_t row : rows) {
                rowsOfKey[tables_.sharedKeys[row].shortcut].push_back(row);
            }
            std::set<std::size_t> deeper;
            for (const auto& [shortcut, sharing] : rowsOfKey) {
                if (sharing.size() < 2) {
                    continue;
                }
                const std::size_t shallowest = depth(
                    *std::min_element(sharing.begin(), sharing.end(),
                                      [&](std::size_t a, std::size_t b) { return depth(a) < depth(b); }));
                for (const std::size_t row : sharing) {
                    const keytips::AccessKey& key = tables_.sharedKeys[row];
                    const std::vector<std::string> further = furtherLayers(row, layer);
                    const bool opensThisLayer = !key.isLastCommand && key.identifier == layer;
                    if (depth(row) > shallowest && !opensThisLayer &&
                        std::any_of(further.begin(), further.end(),
                                    [&](const std::string& other) { return onScreen.contains(other); })) {
                        deeper.insert(row);
                    }
                }
            }
            std::erase_if(rows, [&](std::size_t row) { return deeper.contains(row); });
            std::erase_if(sameControl_, [&, &layer = layer](const SameControl& same) {
                return same.layer == layer && deeper.contains(same.earlierRow);
            });
        }
    }

    [[nodiscard]] std::string anchorTitle() const {
        return language_ == kind_.ukLanguage ? "Customise Quick Access Toolbar"
                                             : "Customize Quick Access Toolbar";
    }

    void buildToolbar() {
        double x = margin;
        for (const std::string& title : options_.toolbarButtons) {
            ElementSetup setup{.role = "AXButton", .title = title};
            const double width = controlWidth(setup.role, title);
            setup.position = Point{x, toolbarY};
            setup.size = Size{width, barHeight};
            host_.toolbarButtons.push_back(world_.addElement(host_.window, std::move(setup)));
            x += width + barGap;
        }
        ElementSetup anchor{.role = "AXMenuButton", .title = anchorTitle()};
        anchor.position = Point{x, toolbarY};
        anchor.size = Size{controlWidth(anchor.role, *anchor.title), barHeight};
        anchor.name = "toolbar anchor";
        host_.toolbarAnchor = world_.addElement(host_.window, std::move(anchor));
    }

    [[nodiscard]] bool showsContextualTab(const keytips::AccessKey& key) const {
        return !options_.contextualTabs || (key.title && contains(*options_.contextualTabs, *key.title));
    }

    // The tabs left to right, wrapping into a further row when the window is too narrow; the band
    // below the last row.
    void buildTabRow() {
        ElementSetup tabGroup{.role = "AXTabGroup", .description = "Ribbon Tabs"};
        tabGroup.position = Point{0, tabRowY};
        tabGroup.size = Size{windowWidth, 0};  // set once the tabs are laid out
        host_.tabRow = world_.addElement(host_.window, std::move(tabGroup));

        std::size_t index = 0;
        Point at{margin, tabRowY + 4};
        const auto addTab = [&](const keytips::AccessKey& key) {
            const std::size_t row = index++;
            ax::Element element;
            if (key.role == "AXMenuButton" && key.title == anchorTitle()) {
                element = host_.toolbarAnchor;  // the customise button is the toolbar's anchor
            } else {
                const double width = widthOf(key);
                if (at.x > margin && at.x + width > windowWidth - margin) {
                    at = Point{margin, at.y + barHeight + rowGap};
                }
                element = world_.addElement(host_.tabRow,
                                            elementSetup(key, at, Size{width, barHeight},
                                                         std::string(tabRowLayer) + "/" + key.identifier));
                at.x += width + tabGap;
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
        const double tabRowBottom = at.y + barHeight + labelReach + 3;
        world_.setAttribute(host_.tabRow, "AXSize",
                            ax::PackedValue::size(Size{windowWidth, tabRowBottom - tabRowY}));
        bandTop_ = tabRowBottom;
    }

    [[nodiscard]] const keytips::AccessKey& tabKey(const RibbonElement& tab) const {
        const std::size_t ribbonRows = tables_.ribbonKeys.size();
        return tab.row < ribbonRows ? tables_.ribbonKeys[tab.row]
                                    : tables_.contextualKeys[tab.row - ribbonRows];
    }

    // Adds the element of a command row offered in the layer to the container.
    ax::Element addCommand(const std::string& layer, std::size_t row, ax::Element container, Point position,
                           double width) {
        const keytips::AccessKey& key = tables_.sharedKeys[row];
        const ax::Element element =
            world_.addElement(container, elementSetup(key, position, Size{width, controlHeight},
                                                      layer + "/" + key.identifier + "/" + key.shortcut));
        host_.commandIndex_[element.reference()] = host_.commands.size();
        host_.commands.push_back({layer, row, key.identifier, element});
        return element;
    }

    // The rows that share an earlier row's control stand for its element.
    void addRowsOfSameControls() {
        for (const SameControl& same : sameControl_) {
            if (const std::optional<ax::Element> element = host_.elementFor(same.layer, same.earlierRow)) {
                host_.commands.push_back(
                    {same.layer, same.row, tables_.sharedKeys[same.row].identifier, *element});
            }
        }
    }

    // The further layers in which a row is offered besides this one.
    [[nodiscard]] std::vector<std::string> furtherLayers(std::size_t row, std::string_view layer) const {
        std::vector<std::string> further;
        for (const std::string& source : tables_.sharedKeys[row].source) {
            if (source != layer) {
                further.push_back(source);
            }
        }
        return further;
    }

    // The groups of a tab's layer, in table order.
    [[nodiscard]] std::vector<Group> groupsOf(const std::string& layer) const {
        std::vector<Group> groups;
        const auto rows = rowsOfLayer_.find(layer);
        if (rows == rowsOfLayer_.end()) {
            return groups;
        }
        std::vector<std::vector<std::size_t>> runs;
        std::vector<std::string> runLayers;
        for (const std::size_t row : rows->second) {
            const std::vector<std::string> further = furtherLayers(row, layer);
            const bool full = further.empty() && !runs.empty() && runs.back().size() == unnamedGroupSize;
            if (runs.empty() || further != runLayers || full) {
                runs.emplace_back();
                groups.push_back({further.empty() ? std::nullopt : std::optional(further.front()), {}, {}});
            }
            runLayers = further;
            runs.back().push_back(row);
        }
        for (std::size_t g = 0; g < groups.size(); ++g) {
            for (std::size_t i = 0; i < runs[g].size(); ++i) {
                if (i % groupRows == 0) {
                    groups[g].columns.emplace_back();
                    groups[g].columnWidths.push_back(0);
                }
                groups[g].columns.back().push_back(runs[g][i]);
                groups[g].columnWidths.back() =
                    std::max(groups[g].columnWidths.back(), widthOf(tables_.sharedKeys[runs[g][i]]));
            }
        }
        return groups;
    }

    // Lays out the groups of a tab's layer in its panel, side by side in rows of the band; a group
    // that does not fit after others starts a new row, and one wider than the band is cut between its
    // columns. Returns the number of band rows.
    std::size_t layOutPanel(const std::string& layer, ax::Element panel) {
        const double right = windowWidth - margin;
        std::size_t bandRow = 0;
        double x = margin;
        for (const Group& group : groupsOf(layer)) {
            const double captionWidth =
                group.name ? std::ceil(textWidth(*group.name, captionFontSize)) + 2 * groupPadding : 0;
            // The width of the group's columns [from, to).
            const auto widthOfColumns = [&](std::size_t from, std::size_t to) {
                double width = 2 * groupPadding - columnGap;
                for (std::size_t c = from; c < to; ++c) {
                    width += group.columnWidths[c] + columnGap;
                }
                return std::max(width, captionWidth);
            };
            std::size_t column = 0;
            while (column < group.columns.size()) {
                if (x > margin && x + widthOfColumns(column, group.columns.size()) > right) {
                    ++bandRow;
                    x = margin;
                }
                std::size_t end = column + 1;  // at least one column on a row of its own
                while (end < group.columns.size() && x + widthOfColumns(column, end + 1) <= right) {
                    ++end;
                }
                const double width = widthOfColumns(column, end);
                const double top =
                    bandTop_ + groupGap + static_cast<double>(bandRow) * (groupHeight + groupGap);
                ElementSetup setup{.role = "AXGroup", .description = group.name};
                setup.position = Point{x, top};
                setup.size = Size{width, groupHeight};
                const ax::Element element = world_.addElement(panel, std::move(setup));
                double columnX = x + groupPadding;
                for (std::size_t c = column; c < end; ++c) {
                    for (std::size_t i = 0; i < group.columns[c].size(); ++i) {
                        addCommand(layer, group.columns[c][i], element,
                                   Point{columnX, top + groupPadding + static_cast<double>(i) * rowPitch},
                                   group.columnWidths[c]);
                    }
                    columnX += group.columnWidths[c] + columnGap;
                }
                x += width + groupGap;
                column = end;
            }
        }
        return bandRow + 1;
    }

    // One panel per tab layer; tabs that share an identifier share the panel. The band is as high as
    // the highest panel.
    void buildPanels() {
        std::size_t bandRows = 1;
        for (const RibbonElement& tab : host_.tabs) {
            if (tabKey(tab).role != "AXRadioButton") {
                continue;
            }
            auto [entry, added] = host_.panels.try_emplace(tab.identifier);
            if (added) {
                entry->second =
                    world_.createDetached(ElementSetup{.role = "AXGroup", .description = tab.identifier});
                bandRows = std::max(bandRows, layOutPanel(tab.identifier, entry->second));
            }
        }
        const double bandHeight = groupGap + static_cast<double>(bandRows) * (groupHeight + groupGap);
        ElementSetup content{.role = "AXGroup", .description = "Ribbon"};
        content.position = Point{0, bandTop_};
        content.size = Size{windowWidth, bandHeight};
        host_.content = world_.addElement(host_.window, std::move(content));
        menuTop_ = bandTop_ + bandHeight + menuGap;
        for (const RibbonElement& tab : host_.tabs) {
            if (const auto panel = host_.panels.find(tab.identifier); panel != host_.panels.end()) {
                world_.setTabPanel(tab.element, host_.content, panel->second);
            }
        }
    }

    // The rows of a menu's layer top to bottom, in further columns when the screen below the band is
    // too short for them; the menu stands below the band's left end until it is shown.
    void layOutMenu(const std::string& layer, ax::Element menu) {
        const auto found = rowsOfLayer_.find(layer);
        const std::vector<std::size_t> rows =
            found == rowsOfLayer_.end() ? std::vector<std::size_t>{} : found->second;
        double itemWidth = minimumMenuWidth - 2 * menuPadding;
        for (const std::size_t row : rows) {
            itemWidth = std::max(itemWidth, widthOf(tables_.sharedKeys[row]));
        }
        const double room = windowHeight - margin - menuTop_ - 2 * menuPadding - labelReach + rowGap;
        const std::size_t perColumn = std::max<std::size_t>(1, static_cast<std::size_t>(room / rowPitch));
        const std::size_t columns = std::max<std::size_t>(1, (rows.size() + perColumn - 1) / perColumn);
        const std::size_t rowsShown = std::min(rows.size(), perColumn);
        const Point origin{margin, menuTop_};
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const double column = static_cast<double>(i / perColumn);
            const double line = static_cast<double>(i % perColumn);
            addCommand(layer, rows[i], menu,
                       Point{origin.x + menuPadding + column * (itemWidth + columnGap),
                             origin.y + menuPadding + line * rowPitch},
                       itemWidth);
        }
        const double width =
            2 * menuPadding + static_cast<double>(columns) * (itemWidth + columnGap) - columnGap;
        const double height = rowsShown == 0 ? controlHeight
                                             : 2 * menuPadding + static_cast<double>(rowsShown) * rowPitch -
                                                   rowGap + labelReach;
        world_.setAttribute(menu, "AXPosition", ax::PackedValue::point(origin));
        world_.setAttribute(menu, "AXSize", ax::PackedValue::size(Size{width, height}));
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
            setup.name = "menu/" + layer;
            const ax::Element menu = world_.createDetached(std::move(setup));
            host_.menus.emplace(layer, menu);
            layOutMenu(layer, menu);
        }
    }

    // A menu opened from the toolbar, a tab or the band drops from its opener's left edge to just
    // below the band, kept on the screen.
    [[nodiscard]] platform::sim::MenuPlacement belowBand(ax::Element opener, ax::Element menu) const {
        return [&world = world_, opener, menu, top = menuTop_] {
            const Rect from = frameOf(world, opener);
            const double width = frameOf(world, menu).size.width;
            return Point{std::max(margin, std::min(from.origin.x, windowWidth - margin - width)), top};
        };
    }

    // A menu opened from a row of another menu stands beside that menu, its first row level with the
    // opener: to the right, or to the left when the right is off screen or taken by another shown menu.
    [[nodiscard]] platform::sim::MenuPlacement besideMenu(ax::Element opener, ax::Element parent,
                                                          ax::Element menu) const {
        return [&world = world_, opener, parent, menu, window = host_.window, top = menuTop_] {
            const Rect from = frameOf(world, opener);
            const Rect beside = frameOf(world, parent);
            const Size size = frameOf(world, menu).size;
            const double y =
                std::max(top, std::min(from.origin.y - menuPadding, windowHeight - margin - size.height));
            const std::array<double, 2> candidates{beside.origin.x + beside.size.width + menuGap,
                                                   beside.origin.x - size.width - menuGap};
            std::vector<Rect> shown;
            for (const ax::Element& child : world.children(window)) {
                const std::optional<ax::Value> role = world.attribute(child, "AXRole");
                if (child != menu && role && role->text() != nullptr && *role->text() == "AXPopover") {
                    shown.push_back(frameOf(world, child));
                }
            }
            const auto onScreen = [&](double x) {
                return x >= margin && x + size.width <= windowWidth - margin;
            };
            for (const double x : candidates) {
                const Rect place{{x, y}, size};
                if (onScreen(x) && std::none_of(shown.begin(), shown.end(), [&](const Rect& other) {
                        return intersects(place, other);
                    })) {
                    return place.origin;
                }
            }
            return Point{onScreen(candidates[0]) || !onScreen(candidates[1]) ? candidates[0] : candidates[1],
                         y};
        };
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
                           parent == host_.menus.end() ? belowBand(element, menu->second)
                                                       : besideMenu(element, parent->second, menu->second));
        };
        for (const RibbonElement& tab : host_.tabs) {
            connect(tabKey(tab), tab.element, tab.layer);
        }
        for (const RibbonElement& command : host_.commands) {
            connect(tables_.sharedKeys[command.row], command.element, command.layer);
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
    double bandTop_ = 0;
    double menuTop_ = 0;
    std::map<std::string, std::vector<std::size_t>, std::less<>>
        rowsOfLayer_;  // command rows offered in each layer, one for each control
    struct SameControl {
        std::string layer;
        std::size_t row;
        std::size_t earlierRow;  // the row whose element stands for it
    };
    std::vector<SameControl> sameControl_;
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
