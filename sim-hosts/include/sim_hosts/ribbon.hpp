// The simulated host applications: one document window whose Quick Access Toolbar, ribbon tabs, tab
// contents and menus are built from the host's key tables. One builder serves both hosts; a host kind
// gives what differs between them (bundle identifier, window title, language values and tables).
//
// Layout of the window, top to bottom, laid out as a person sees a ribbon: every control as wide as
// its title (or description), no two controls on top of each other:
//   - the Quick Access Toolbar row, in the window's title bar: a few buttons, then the anchor menu
//     button "Customize Quick Access Toolbar" ("Customise ..." in UK English), all at one height;
//   - the tab row: one element per ribbon-tab and shown contextual-tab row, wrapping into a second
//     row when the window is too narrow for them;
//   - the ribbon band (the ribbon content), whose children are the selected tab's panel: the groups
//     of that tab's layer, side by side and wrapping into further rows of the band, each group a
//     few columns of up to three controls, one per command row offered in the layer. A group is a
//     run of rows offered in the same further layers (named after the first of them, as the group
//     "Font" of the Home tab), or up to nine rows offered in the tab's layer alone;
//   - the menus: every layer that a row opens (a command row with Last no, or a tab row that is a
//     menu button) is a popover holding a vertical list of one element per row offered in that
//     layer. Pressing the row's element shows it at the end of the window's children: a menu opened
//     from the toolbar, a tab or the band drops from its opener's left edge to just below the band; a
//     menu opened from a menu's row stands beside that menu, at the row's height.
//
// Layers are names: a layer opened from several places is one menu holding every row offered in it,
// and a row offered in several layers has one element in each of them. Rows of one layer with one
// identifier that describe the same control (role, title and description) share its element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/access_key.hpp"
#include "platform/accessibility.hpp"
#include "platform/sim/world.hpp"

namespace sim_hosts {

namespace ax = platform::ax;
using platform::sim::World;

// What tells one simulated host from the other.
struct HostKind {
    std::string name;  // "spreadsheet" or "presentation"
    std::string bundleIdentifier;
    std::string windowTitle;
    // The host's language values for English (US) and English (UK).
    std::string usLanguage;
    std::string ukLanguage;
    // Where the host's language is read: the add-in's language macro ("GetLanguageCode"), or the
    // preferred-language list as the host process sees it.
    bool languageFromMacro = false;
    keytips::LanguageTables usTables{};
    keytips::LanguageTables ukTables{};
};

const HostKind& spreadsheetHost();
const HostKind& presentationHost();
// The host kind of a name; none for an unknown name.
const HostKind* hostKindNamed(std::string_view name);

struct RibbonOptions {
    // The host language, in the host's own values ("1033", "2057"; "en-US", "en-GB"), or any other
    // text, the empty text among them; absent: the host's US English value. The host's UK value titles the
    // toolbar anchor "Customise Quick Access Toolbar" and chooses the UK tables when none are given; every
    // other value "Customize Quick Access Toolbar" and the US tables.
    std::optional<std::string> language;
    // The window's title; empty: the host kind's.
    std::string windowTitle;
    // The titles of the contextual-tab rows whose tabs the host shows; absent: all of them.
    std::optional<std::vector<std::string>> contextualTabs;
    // The toolbar's buttons left of the anchor, in order.
    std::vector<std::string> toolbarButtons{"Save", "Undo", "Redo"};
};

// The host language that the options give for a host kind.
std::string languageOf(const HostKind& kind, const RibbonOptions& options);

// One element of the ribbon that stands for a key row.
struct RibbonElement {
    std::string layer;       // the layer whose tab panel or menu holds it; "Ribbon" for the tab row
    std::size_t row = 0;     // index of the row in its table (the command table, or the tab tables
                             // taken together: ribbon-tab rows first)
    std::string identifier;  // the row's identifier
    ax::Element element;
};

class RibbonHost {
public:
    int processIdentifier = 0;
    ax::Element window;
    ax::Element toolbarAnchor;
    std::vector<ax::Element> toolbarButtons;
    ax::Element tabRow;
    ax::Element content;

    // The tab-row elements, one per shown tab row (the anchor stands for the tab row that it matches).
    std::vector<RibbonElement> tabs;
    // The command elements, tab panels first (tab by tab), then menus, each in table order.
    std::vector<RibbonElement> commands;
    // The panel of each tab layer and the menu of each layer that a row opens.
    std::map<std::string, ax::Element, std::less<>> panels;
    std::map<std::string, ax::Element, std::less<>> menus;

    // The element of a command row in the panel or menu of a layer.
    [[nodiscard]] std::optional<ax::Element> elementFor(std::string_view layer, std::size_t row) const;
    // The elements of the command rows with this identifier in the layer's panel or menu, in table order.
    [[nodiscard]] std::vector<ax::Element> elementsFor(std::string_view layer,
                                                       std::string_view identifier) const;
    // The tab-row element of a tab row, by title.
    [[nodiscard]] std::optional<ax::Element> tab(std::string_view title) const;
    // What an element of the ribbon stands for; null for elements that stand for no row.
    [[nodiscard]] const RibbonElement* placementOf(ax::Element element) const;
    // Whether some panel or menu offers the layer's rows.
    [[nodiscard]] bool showsLayer(std::string_view layer) const;

private:
    friend class RibbonBuilder;
    std::map<std::uint64_t, std::size_t> commandIndex_;  // element reference -> index in commands
    std::map<std::uint64_t, std::size_t> tabIndex_;      // element reference -> index in tabs
};

// Launches the host with its ribbon built from the tables, gives it the options' language (as its
// language macro's answer or as the first preferred language), makes its window the focused one and
// the host the frontmost application.
RibbonHost launchHost(World& world, const HostKind& kind, const keytips::KeyTables& tables,
                      const RibbonOptions& options = {});
// The same with the host's tables of the options' language.
RibbonHost launchHost(World& world, const HostKind& kind, const RibbonOptions& options = {});

}  // namespace sim_hosts
