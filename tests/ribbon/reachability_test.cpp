// Every layer of a host's tables, reached in the simulated host's ribbon by typing, and every row
// acted on by typing its shortcut, through the real engine with the host's profile and its event
// monitors: both hosts, in US and UK English.
//
// Starting from the first layer, each layer is opened along the first path found to it (breadth
// first, by typing), its labels are checked, and then every row offered in it is typed on a fresh
// host: the row's action must land on the element that carries the row's label, and key-tip mode must
// end (Last yes) or the row's layer open (Last no). Rows that cannot be reached by typing are
// expected exactly as listed below, each with its reason.
#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <iostream>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "ribbon_session.hpp"

namespace ribbon_test {
namespace {

// A (layer, shortcut, identifier) that typing cannot reach; an empty shortcut stands for every row
// of the layer.
struct Unreachable {
    std::string_view layer;
    std::string_view shortcut;
    std::string_view identifier;
    std::string_view reason;
};

constexpr Unreachable spreadsheetUnreachable[] = {
    {"Autosum", "", "", "no row of any table opens the layer \"Autosum\" (AutoSum opens \"AutoSum\")"},
    {"View", "ff", "Freeze Panes",
     "\"f\" (menu button Freeze Panes) is a whole shortcut and acts before \"ff\""},
    {"Window", "ff", "Freeze Panes",
     "\"f\" (menu button Freeze Panes) is a whole shortcut and acts before \"ff\""},
    {"SmartArt", "p", "Pyramid", "\"Process\" has the same shortcut, comes first and opens a layer"},
    {"More Functions", "c", "Compatibility", "\"Cube\" has the same shortcut, comes first and opens a layer"},
    {"Compatibility", "", "", "opened only by the row \"Compatibility\", which typing cannot reach"},
    {"Review", "zp", "Protect", "\"Proofing\" has the same shortcut, comes first and opens a layer"},
    {"Protect", "", "", "opened only by the row \"Protect\", which typing cannot reach"},
    {"Notes", "t", "Next Note", "\"Notes\" has the same shortcut, comes first and opens a layer"},
};

using Path = std::vector<std::string>;

std::string describe(const Path& path) {
    std::string text = "Option";
    for (const std::string& shortcut : path) {
        text += ", \"" + shortcut + "\"";
    }
    return text;
}

// The action that the engine performs for a key on its element.
std::string expectedAction(const keytips::AccessKey& key) {
    return key.role == "AXMenuButton" && !key.press ? "AXShowMenu" : "AXPress";
}

// Types one row's shortcut in the layer that `path` opens and tells what went wrong, if anything.
// `category` is the label category of that layer.
struct RowCheck {
    std::string failure;  // empty: the row was reached
    bool opened = false;  // the row opened its layer
};

// The host, its language and the rows that typing cannot reach there.
// A label that a layer places on a control outside its own panel or menu, with the reason.
struct StrayLabel {
    std::string_view layer;
    std::string_view letter;
    std::string_view reason;
};

struct Setting {
    const sim_hosts::HostKind* kind;
    std::string language;
    std::span<const Unreachable> unreachable;
    std::span<const StrayLabel> strays = {};
};

RowCheck checkRow(const Setting& setting, const Path& path, const keytips::AccessKey& key,
                  std::string_view category) {
    RibbonSession session(sim_hosts::RibbonOptions{.language = setting.language}, *setting.kind);
    session.open(path);
    // The element that carries the row's label: the row's letters on an element of the row's kind.
    std::optional<ax::Element> target;
    for (const Label& label : session.labels(category)) {
        if (label.letter == uppercased(key.shortcut) && label.element &&
            RibbonSession::matches(*label.element, key)) {
            target = label.element;
        }
    }
    if (!target) {
        return {"no label " + uppercased(key.shortcut) + " on an element of the row"};
    }
    const std::optional<ax::Value> value = sim::world().attribute(*target, "AXValue");
    const bool selectedTab =
        category == firstLayerCategory && value && value->integer() && *value->integer() == 1;
    const std::size_t actionsBefore = sim::world().actions().size();
    const std::size_t setsBefore = sim::world().attributeSets().size();
    session.type(key.shortcut);

    const std::vector<sim::ActionRecord> actions = sim::world().actions();
    const std::vector<sim::AttributeSetRecord> sets = sim::world().attributeSets();
    bool acted = false;
    for (std::size_t i = actionsBefore; i < actions.size(); ++i) {
        acted = acted || (actions[i].element == *target && actions[i].action == expectedAction(key));
    }
    bool focused = false;
    for (std::size_t i = setsBefore; i < sets.size(); ++i) {
        focused = focused || (sets[i].element == *target && sets[i].attribute == "AXFocused" &&
                              sets[i].value == ax::Value(true));
    }
    if (!selectedTab && !acted) {
        return {"no " + expectedAction(key) + " on the labelled element"};
    }
    if (selectedTab && acted) {
        return {"the selected tab was pressed again"};
    }
    if (session.tips().profile().focusesBeforePress(key.role) && !focused) {
        return {"the element was not focused before the press"};
    }
    keytips::KeyTips& tips = session.tips();
    if (key.isLastCommand) {
        if (tips.isLayerActive() || !session.labels(commandLayerCategory).empty()) {
            return {"key-tip mode did not end"};
        }
        return {};
    }
    if (!tips.mode().isSecondLayerActive() || tips.mode().layerHistory().empty() ||
        tips.mode().layerHistory().back() != key.identifier) {
        return {"the layer \"" + key.identifier + "\" did not open"};
    }
    return {{}, true};
}

class Reachability {
public:
    explicit Reachability(Setting setting) : setting_(setting) {
        const keytips::LanguageTables language =
            setting.language == setting.kind->ukLanguage ? setting.kind->ukTables : setting.kind->usTables;
        tables_ = {language.ribbonKeys(), language.contextualKeys(), language.sharedKeys()};
    }

    [[nodiscard]] const keytips::KeyTables& tables() const { return tables_; }

    void run() {
        checkFirstLayer();
        const std::vector<keytips::AccessKey> tabRows = tabKeys();
        for (const keytips::AccessKey& key : tabRows) {
            record("Ribbon", key, checkRow(setting_, {}, key, firstLayerCategory), {});
        }
        while (!queue_.empty()) {
            const std::string layer = queue_.front();
            queue_.pop_front();
            const Path path = paths_.at(layer);
            checkLayerLabels(layer, path);
            for (const keytips::AccessKey& key : tables_.sharedKeys) {
                if (std::find(key.source.begin(), key.source.end(), layer) != key.source.end()) {
                    record(layer, key, checkRow(setting_, path, key, commandLayerCategory), path);
                }
            }
        }
        // Rows of layers that no typing opened.
        for (const keytips::AccessKey& key : tables_.sharedKeys) {
            for (const std::string& layer : key.source) {
                if (!paths_.contains(layer)) {
                    unreached_[{layer, key.shortcut, key.identifier}] = "the layer was not reached";
                }
            }
        }
    }

    void expectOnlyListedExceptions() const {
        std::set<std::tuple<std::string, std::string, std::string>> listedRows;
        for (const auto& [place, why] : unreached_) {
            // Named references rather than a structured binding: the lambda below captures them.
            const std::string& layer = std::get<0>(place);
            const std::string& shortcut = std::get<1>(place);
            const std::string& identifier = std::get<2>(place);
            const bool listed = std::any_of(
                setting_.unreachable.begin(), setting_.unreachable.end(), [&](const Unreachable& entry) {
                    return entry.layer == layer &&
                           (entry.shortcut.empty() ||
                            (entry.shortcut == shortcut && entry.identifier == identifier));
                });
            EXPECT_TRUE(listed) << "not reached: layer \"" << layer << "\" key \"" << shortcut << "\" \""
                                << identifier << "\": " << why;
        }
        for (const Unreachable& entry : setting_.unreachable) {
            const bool seen = std::any_of(unreached_.begin(), unreached_.end(), [&](const auto& item) {
                const auto& [layer, shortcut, identifier] = item.first;
                return entry.layer == layer && (entry.shortcut.empty() || (entry.shortcut == shortcut &&
                                                                           entry.identifier == identifier));
            });
            EXPECT_TRUE(seen) << "listed as unreachable but reached: layer \"" << entry.layer << "\" key \""
                              << entry.shortcut << "\" (" << entry.reason << ")";
        }
    }

    void printSummary() const {
        std::set<std::string> named;
        for (const keytips::AccessKey& key : tables_.sharedKeys) {
            named.insert(key.source.begin(), key.source.end());
        }
        std::size_t namedReached = 0;
        for (const std::string& layer : named) {
            namedReached += paths_.contains(layer) ? 1 : 0;
        }
        std::size_t commandRowsReached = 0;
        for (const auto& place : reachedRows_) {
            commandRowsReached += std::get<0>(place) != "Ribbon" ? 1 : 0;
        }
        std::cout << "Layers opened by typing: " << paths_.size() << ": " << namedReached << " of the "
                  << named.size() << " layers that command rows name, and " << paths_.size() - namedReached
                  << " that no row names (opened without labels)\n"
                  << "Tab rows reached: " << reachedTabs_ << " of "
                  << tables_.ribbonKeys.size() + tables_.contextualKeys.size()
                  << "\nCommand rows reached, counted once per layer that offers them: " << commandRowsReached
                  << "\nUnreached (layer, row) places: " << unreached_.size() << ", in "
                  << setting_.unreachable.size() << " listed exceptions; opening paths up to "
                  << longestPath() << " shortcuts long\n";
        for (const Unreachable& entry : setting_.unreachable) {
            std::cout << "  expected: layer \"" << entry.layer << "\""
                      << (entry.shortcut.empty() ? std::string(" (every row)")
                                                 : " key \"" + std::string(entry.shortcut) + "\"")
                      << ": " << entry.reason << "\n";
        }
    }

    [[nodiscard]] std::size_t commandRowsWithoutAnyPlace() const {
        std::size_t count = 0;
        for (const keytips::AccessKey& key : tables_.sharedKeys) {
            const bool anywhere =
                std::any_of(key.source.begin(), key.source.end(), [&](const std::string& layer) {
                    return reachedRows_.contains({layer, key.identifier, key.shortcut});
                });
            count += anywhere ? 0 : 1;
        }
        return count;
    }

private:
    [[nodiscard]] std::vector<keytips::AccessKey> tabKeys() const {
        std::vector<keytips::AccessKey> keys = tables_.ribbonKeys;
        keys.insert(keys.end(), tables_.contextualKeys.begin(), tables_.contextualKeys.end());
        return keys;
    }

    [[nodiscard]] std::size_t longestPath() const {
        std::size_t longest = 0;
        for (const auto& [layer, path] : paths_) {
            longest = std::max(longest, path.size());
        }
        return longest;
    }

    void record(const std::string& layer, const keytips::AccessKey& key, const RowCheck& check,
                const Path& path) {
        if (!check.failure.empty()) {
            unreached_[{layer, key.shortcut, key.identifier}] =
                check.failure + " (after " + describe(path) + ")";
            return;
        }
        if (layer == "Ribbon") {
            ++reachedTabs_;
        }
        reachedRows_.insert({layer, key.identifier, key.shortcut});
        if (check.opened && !paths_.contains(key.identifier)) {
            Path next = path;
            next.push_back(key.shortcut);
            paths_.emplace(key.identifier, next);
            queue_.push_back(key.identifier);
        }
    }

    // The first layer: a label on every tab and on every toolbar button, with the row's letters.
    [[nodiscard]] sim_hosts::RibbonOptions options() const { return {.language = setting_.language}; }

    void checkFirstLayer() {
        RibbonSession session(options(), *setting_.kind);
        session.tapOption();
        std::multiset<std::string> expected;
        for (const keytips::AccessKey& key : tabKeys()) {
            expected.insert(uppercased(key.shortcut));
        }
        for (std::size_t i = 1; i <= session.host().toolbarButtons.size(); ++i) {
            expected.insert(std::to_string(i));
        }
        std::multiset<std::string> shown;
        for (const Label& label : session.labels(firstLayerCategory)) {
            shown.insert(label.letter);
            ASSERT_TRUE(label.element.has_value())
                << "label " << label.letter << " stands under no host element";
        }
        EXPECT_EQ(shown, expected) << "first layer";
    }

    // The layer's labels: one per row offered in it, each on an element of that row's kind in the
    // layer's own tab panel or menu.
    void checkLayerLabels(const std::string& layer, const Path& path) {
        RibbonSession session(options(), *setting_.kind);
        session.open(path);
        // One label per control of the layer, for the first row that describes it.
        std::multiset<std::string> expected;
        std::set<std::uint64_t> controls;
        for (std::size_t row = 0; row < tables_.sharedKeys.size(); ++row) {
            const std::optional<ax::Element> element = session.host().elementFor(layer, row);
            if (element && controls.insert(element->reference()).second) {
                expected.insert(uppercased(tables_.sharedKeys[row].shortcut));
            }
        }
        std::multiset<std::string> shown;
        for (const Label& label : session.labels(commandLayerCategory)) {
            const sim_hosts::RibbonElement* placement =
                label.element ? session.host().placementOf(*label.element) : nullptr;
            const bool stray =
                std::any_of(setting_.strays.begin(), setting_.strays.end(), [&](const StrayLabel& entry) {
                    return entry.layer == layer && entry.letter == label.letter;
                });
            if (stray && (placement == nullptr || placement->layer != layer)) {
                continue;
            }
            shown.insert(label.letter);
            if (placement == nullptr || placement->layer != layer) {
                ADD_FAILURE() << "layer \"" << layer << "\": label " << label.letter
                              << " is not on an element of the layer's own panel or menu";
                continue;
            }
            const keytips::AccessKey& under = tables_.sharedKeys[placement->row];
            const bool rowOfThatKind = std::any_of(
                tables_.sharedKeys.begin(), tables_.sharedKeys.end(), [&](const keytips::AccessKey& key) {
                    return uppercased(key.shortcut) == label.letter && key.role == under.role &&
                           key.title == under.title && key.description == under.description &&
                           std::find(key.source.begin(), key.source.end(), layer) != key.source.end();
                });
            EXPECT_TRUE(rowOfThatKind) << "layer \"" << layer << "\": label " << label.letter
                                       << " on the element of \"" << under.identifier << "\"";
        }
        EXPECT_EQ(shown, expected) << "labels of the layer \"" << layer << "\" after " << describe(path);
    }

    Setting setting_;
    keytips::KeyTables tables_;
    std::map<std::string, Path> paths_;
    std::deque<std::string> queue_;
    std::set<std::tuple<std::string, std::string, std::string>> reachedRows_;  // layer, identifier, shortcut
    std::map<std::tuple<std::string, std::string, std::string>, std::string>
        unreached_;  // layer, shortcut, id
    std::size_t reachedTabs_ = 0;
};

void expectReachable(const Setting& setting, std::size_t commandRowsWithoutAnyPlace) {
    Reachability reachability(setting);
    ASSERT_FALSE(reachability.tables().sharedKeys.empty());
    reachability.run();
    reachability.expectOnlyListedExceptions();
    reachability.printSummary();
    std::cout << "Command rows reached in no layer: " << reachability.commandRowsWithoutAnyPlace() << " of "
              << reachability.tables().sharedKeys.size() << "\n";
    EXPECT_EQ(reachability.commandRowsWithoutAnyPlace(), commandRowsWithoutAnyPlace);
}

TEST(RibbonReachability, SpreadsheetUS) {
    // Rows that no layer lets typing reach: the six of "Autosum", "Pyramid", "Compatibility" and the
    // one row of its layer, "Protect", "Next Note" and the check box "Freeze Panes" ("ff"). The rows
    // of the layer "Protect" also stand on the Review tab, where they are reached.
    expectReachable({&sim_hosts::spreadsheetHost(), "1033", spreadsheetUnreachable}, 12);
}

constexpr Unreachable spreadsheetUkUnreachable[] = {
    {"View", "f", "Freeze Panes",
     "the menu button \"Freeze Panes\" is the same control with the same key, comes first and opens its "
     "menu"},
    {"Window", "f", "Freeze Panes",
     "the menu button \"Freeze Panes\" is the same control with the same key, comes first and opens its "
     "menu"},
    {"SmartArt", "p", "Pyramid", "\"Process\" has the same shortcut, comes first and opens a layer"},
    {"More Functions", "c", "Compatibility", "\"Cube\" has the same shortcut, comes first and opens a layer"},
    {"Compatibility", "", "", "opened only by the row \"Compatibility\", which typing cannot reach"},
    {"Review", "zp", "Protect", "\"Proofing\" has the same shortcut, comes first and opens a layer"},
    {"Protect", "", "", "opened only by the row \"Protect\", which typing cannot reach"},
    {"Notes", "t", "Next Note", "\"Notes\" has the same shortcut, comes first and opens a layer"},
    // Keys repeated inside a layer: the View command with the key is on screen; the row stands in the
    // Freeze Panes menu, where it is reached.
    {"View", "c", "Freeze First Column", "\"Custom Views\" has the key on the View tab"},
    {"View", "r", "Freeze Top Row", "\"Ruler\" has the key on the View tab"},
    {"View", "u", "Unfreeze Panes", "\"Unhide\" has the key on the View tab"},
    {"Window", "u", "Unfreeze Panes", "\"Unhide\" has the key in the Window group"},
};

// The Freeze Panes item, offered in "Window" too, finds its control on the View tab behind the
// Window group's menu once the menu button of the same name has taken the menu's.
constexpr StrayLabel spreadsheetUkStrays[] = {
    {"Window", "F", "the Freeze Panes item labels the View tab's Freeze Panes button, still on screen"},
};

TEST(RibbonReachability, SpreadsheetUK) {
    // Rows that no layer lets typing reach: "Pyramid", "Compatibility" and the one row of its layer,
    // "Protect" and "Next Note".
    expectReachable({&sim_hosts::spreadsheetHost(), "2057", spreadsheetUkUnreachable, spreadsheetUkStrays},
                    5);
}

// A key repeated inside the Design layer: the Design tab's "Designer" is on screen; the row stands on
// the Chart Design tab, where it is reached.
constexpr std::string_view designerHasTheKey = "\"Designer\" has the key on the Design tab";

constexpr Unreachable presentationUsUnreachable[] = {
    {"Page Layout", "", "", "no key opens it: its rows stand in \"Themes\" too, where they are reached"},
    {"SmartArt", "p", "Pyramid", "\"Process\" has the same shortcut, comes first and opens a layer"},
    {"Design", "d", "Edit Data in Excel", designerHasTheKey},
};

TEST(RibbonReachability, PresentationUS) {
    // "Pyramid" is reached in no layer.
    expectReachable({&sim_hosts::presentationHost(), "en-US", presentationUsUnreachable}, 1);
}

// The UK table keeps the page-setup and data layers and "Add Shape", which no key opens.
constexpr Unreachable presentationUkUnreachable[] = {
    {"Page Layout", "", "", "no key opens it: its rows stand in \"Themes\" too, where they are reached"},
    {"Scale to Fit", "", "", "no key opens it"},
    {"Sheet Options", "", "", "no key opens it"},
    {"Margins", "", "", "no key opens it"},
    {"Orientation", "", "", "no key opens it"},
    {"Print Area", "", "", "no key opens it"},
    {"Breaks", "", "", "no key opens it"},
    {"From Picture Data", "", "", "no key opens it"},
    {"Refresh All", "", "", "no key opens it"},
    {"Data Validation", "", "", "no key opens it"},
    {"What-If Analysis", "", "", "no key opens it"},
    {"Ungroup", "", "", "no key opens it"},
    {"Add Shape", "", "", "no key opens it: the SmartArt Design row \"Add Shape\" is a final command"},
    {"SmartArt", "p", "Pyramid", "\"Process\" has the same shortcut, comes first and opens a layer"},
    {"Design", "d", "Edit Data in Excel", designerHasTheKey},
};

TEST(RibbonReachability, PresentationUK) {
    // The 44 rows that no key offers, and "Pyramid".
    expectReachable({&sim_hosts::presentationHost(), "en-GB", presentationUkUnreachable}, 45);
}

}  // namespace
}  // namespace ribbon_test
