// The simulated hosts' windows as a person sees them, in both hosts: whichever tab is selected and
// whichever menus are open (nested too), no two elements on screen overlap unless one holds the
// other, none stands at another's position (the engine labels one element per position), and each
// lies inside the element that holds it; menus drop below the band and open beside the menu they come
// from. With key-tip labels on screen, no label covers another label or a control but its own.
#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ribbon_session.hpp"
#include "support/case_names.hpp"
#include "support/sim_world_test.hpp"

namespace ribbon_test {
namespace {

using platform::Rect;

bool overlap(const Rect& a, const Rect& b) {
    return a.origin.x < b.origin.x + b.size.width && b.origin.x < a.origin.x + a.size.width &&
           a.origin.y < b.origin.y + b.size.height && b.origin.y < a.origin.y + a.size.height;
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.origin.x >= outer.origin.x && inner.origin.y >= outer.origin.y &&
           inner.origin.x + inner.size.width <= outer.origin.x + outer.size.width &&
           inner.origin.y + inner.size.height <= outer.origin.y + outer.size.height;
}

std::optional<std::string> textOf(ax::Element element, std::string_view attribute) {
    const std::optional<ax::Value> value = sim::world().attribute(element, attribute);
    return value && value->text() != nullptr ? std::optional(*value->text()) : std::nullopt;
}

std::string nameOf(ax::Element element) {
    const std::optional<std::string> title = textOf(element, "AXTitle");
    const std::optional<std::string> label = title ? title : textOf(element, "AXDescription");
    return textOf(element, "AXRole").value_or("?") + " \"" + label.value_or("") + "\"";
}

// An element on screen with its frame and the elements that hold it, nearest first.
struct Placed {
    ax::Element element;
    Rect frame;
    std::vector<ax::Element> holders;
};

std::vector<Placed> onScreen(ax::Element window) {
    std::vector<Placed> placed;
    std::vector<Placed> pending{{window, frameOf(window).value_or(Rect{}), {}}};
    std::set<std::uint64_t> seen;
    while (!pending.empty()) {
        Placed next = std::move(pending.back());
        pending.pop_back();
        if (!seen.insert(next.element.reference()).second) {
            continue;
        }
        for (const ax::Element& child : sim::world().children(next.element)) {
            if (const std::optional<Rect> frame = frameOf(child)) {
                std::vector<ax::Element> holders{next.element};
                holders.insert(holders.end(), next.holders.begin(), next.holders.end());
                pending.push_back({child, *frame, std::move(holders)});
            }
        }
        placed.push_back(std::move(next));
    }
    return placed;
}

bool holds(const Placed& outer, const Placed& inner) {
    return std::find(inner.holders.begin(), inner.holders.end(), outer.element) != inner.holders.end();
}

// Opens every menu of one host, tab by tab and menu by menu, and notes what a person could not read.
class ScreenWalk {
public:
    explicit ScreenWalk(const sim_hosts::HostKind& kind)
        : host_(sim_hosts::launchHost(sim::world(), kind)), menuTop_(bottomOf(host_.content)) {}

    void run() {
        check("the first tab");
        std::vector<ax::Element> bars = host_.toolbarButtons;
        bars.push_back(host_.toolbarAnchor);
        for (const sim_hosts::RibbonElement& tab : host_.tabs) {
            bars.push_back(tab.element);
        }
        openMenusOf(bars, std::nullopt, "", 1);
        for (const sim_hosts::RibbonElement& tab : host_.tabs) {
            if (textOf(tab.element, "AXRole") != "AXRadioButton") {
                continue;
            }
            EXPECT_EQ(ax::performAction(tab.element, "AXPress"), ax::Error::success);
            const std::string when = "the tab " + nameOf(tab.element);
            check(when);
            openMenusOf(elementsBelow(host_.content), std::nullopt, when, 1);
        }
    }

    [[nodiscard]] const std::vector<std::string>& problems() const { return problems_; }
    [[nodiscard]] std::size_t menusShown() const { return menusShown_; }
    [[nodiscard]] int deepestMenu() const { return deepestMenu_; }

private:
    static double bottomOf(ax::Element element) {
        const Rect frame = frameOf(element).value_or(Rect{});
        return frame.origin.y + frame.size.height;
    }

    void note(const std::string& when, const std::string& what) { problems_.push_back(when + ": " + what); }

    void check(const std::string& when) {
        const std::vector<Placed> placed = onScreen(host_.window);
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const Placed& a = placed[i];
            if (!a.holders.empty()) {
                const std::optional<Rect> holder = frameOf(a.holders.front());
                if (holder && !inside(a.frame, *holder)) {
                    note(when, nameOf(a.element) + " sticks out of " + nameOf(a.holders.front()));
                }
            }
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                const Placed& b = placed[j];
                if (a.frame.origin == b.frame.origin) {
                    note(when, nameOf(a.element) + " and " + nameOf(b.element) + " share a position");
                } else if (!holds(a, b) && !holds(b, a) && overlap(a.frame, b.frame)) {
                    note(when, nameOf(a.element) + " and " + nameOf(b.element) + " overlap");
                }
            }
        }
    }

    // Shows in turn the menu of every opener that has one, checks the screen, opens the menus of that
    // menu's rows, and closes it again. `parent` is the menu that holds the openers, if any.
    void openMenusOf(const std::vector<ax::Element>& openers, std::optional<ax::Element> parent,
                     const std::string& when, int depth) {
        for (const ax::Element& opener : openers) {
            const sim_hosts::RibbonElement* placement = host_.placementOf(opener);
            const auto menu =
                placement == nullptr ? host_.menus.end() : host_.menus.find(placement->identifier);
            const std::vector<ax::Element> shown = sim::world().children(host_.window);
            if (menu == host_.menus.end() ||
                std::find(shown.begin(), shown.end(), menu->second) != shown.end()) {
                continue;
            }
            const bool menuButton = textOf(opener, "AXRole") == "AXMenuButton";
            ax::performAction(opener, menuButton ? "AXShowMenu" : "AXPress");
            const std::vector<ax::Element> now = sim::world().children(host_.window);
            if (std::find(now.begin(), now.end(), menu->second) == now.end()) {
                continue;  // the row's element does not open the menu by that action
            }
            ++menusShown_;
            deepestMenu_ = std::max(deepestMenu_, depth);
            const std::string opened = when + ", the menu of " + nameOf(opener);
            check(opened);
            expectPlaced(opener, parent, menu->second, opened);
            openMenusOf(sim::world().children(menu->second), menu->second, opened, depth + 1);
            ax::performAction(menu->second, "AXCancel");
        }
    }

    // A menu from the toolbar, a tab or the band drops below the band from its opener's left edge (kept
    // on the screen); one from a menu's row stands beside that menu.
    void expectPlaced(ax::Element opener, std::optional<ax::Element> parent, ax::Element menu,
                      const std::string& when) {
        const Rect from = frameOf(opener).value_or(Rect{});
        const Rect at = frameOf(menu).value_or(Rect{});
        if (!parent) {
            const bool underOpener = at.origin.x == from.origin.x ||
                                     at.origin.x + at.size.width >= frameOf(host_.window)->size.width - 8;
            if (at.origin.y < menuTop_ || at.origin.y > menuTop_ + 4 || !underOpener) {
                note(when, "the menu does not drop below the band under its opener");
            }
            return;
        }
        const Rect beside = frameOf(*parent).value_or(Rect{});
        const bool right = at.origin.x >= beside.origin.x + beside.size.width;
        const bool left = at.origin.x + at.size.width <= beside.origin.x;
        if (!right && !left) {
            note(when, "the menu does not stand beside the menu it comes from");
        }
    }

    sim_hosts::RibbonHost host_;
    double menuTop_;
    std::vector<std::string> problems_;
    std::size_t menusShown_ = 0;
    int deepestMenu_ = 0;
};

std::string firstOf(const std::vector<std::string>& problems) {
    std::ostringstream out;
    for (std::size_t i = 0; i < problems.size() && i < 12; ++i) {
        out << "\n  " << problems[i];
    }
    return out.str();
}

// A simulated host, by name.
struct HostCase {
    const char* name;
    const sim_hosts::HostKind* kind;
};

using test_support::PrintTo;

class ScreenLayoutTest : public test_support::SimWorldTest, public ::testing::WithParamInterface<HostCase> {};

TEST_P(ScreenLayoutTest, NothingOnScreenOverlapsWhateverTabAndMenusAreOpen) {
    ScreenWalk walk(*GetParam().kind);
    walk.run();
    EXPECT_TRUE(walk.problems().empty())
        << walk.problems().size() << " problems, first:" << firstOf(walk.problems());
    EXPECT_GT(walk.menusShown(), 20U);
    EXPECT_GE(walk.deepestMenu(), 2);  // a menu opened from a menu's row
}

// Labels over the screen after Option, after each tab's letter and after each letter of a tab's layer
// that opens a menu: none covers another, nor a control other than the one it stands under.
TEST_P(ScreenLayoutTest, LabelsCoverOnlyTheirOwnControls) {
    const sim_hosts::HostKind& kind = *GetParam().kind;
    const keytips::LanguageTables& language = kind.usTables;
    std::vector<std::pair<std::vector<std::string>, std::string_view>> paths{{{}, firstLayerCategory}};
    std::vector<const keytips::AccessKey*> tabs;
    for (const keytips::KeyTable* table : {&language.ribbonKeys(), &language.contextualKeys()}) {
        for (const keytips::AccessKey& key : *table) {
            if (key.role == "AXRadioButton") {
                paths.push_back({{key.shortcut}, commandLayerCategory});
                tabs.push_back(&key);
            }
        }
    }
    std::vector<std::string> problems;
    {
        RibbonSession probe({}, kind);
        for (const keytips::AccessKey* tab : tabs) {
            for (const keytips::AccessKey& key : language.sharedKeys()) {
                const bool offered =
                    std::find(key.source.begin(), key.source.end(), tab->identifier) != key.source.end();
                if (offered && !key.isLastCommand && probe.host().menus.contains(key.identifier)) {
                    paths.push_back({{tab->shortcut, key.shortcut}, commandLayerCategory});
                }
            }
        }
    }
    for (const auto& [path, category] : paths) {
        RibbonSession session({}, kind);
        session.open(path);
        std::string when = "Option";
        for (const std::string& shortcut : path) {
            when += " " + shortcut;
        }
        const std::vector<Label> labels = session.labels(category);
        std::vector<ax::Element> controls;
        for (const ax::Element& element : elementsBelow(session.host().window)) {
            if (sim::world().children(element).empty()) {
                controls.push_back(element);
            }
        }
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (!labels[i].element) {
                problems.push_back(when + ": the label " + labels[i].letter + " stands under no control");
            }
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                if (overlap(labels[i].frame, labels[j].frame)) {
                    problems.push_back(when + ": the labels " + labels[i].letter + " and " +
                                       labels[j].letter + " overlap");
                }
            }
            for (const ax::Element& control : controls) {
                const std::optional<Rect> frame = frameOf(control);
                if (control != labels[i].element && frame && overlap(labels[i].frame, *frame)) {
                    problems.push_back(when + ": the label " + labels[i].letter + " covers " +
                                       nameOf(control));
                }
            }
        }
    }
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, first:" << firstOf(problems);
    EXPECT_GT(paths.size(), tabs.size() + 10);
}

INSTANTIATE_TEST_SUITE_P(Hosts, ScreenLayoutTest,
                         ::testing::Values(HostCase{"spreadsheet", &sim_hosts::spreadsheetHost()},
                                           HostCase{"presentation", &sim_hosts::presentationHost()}),
                         test_support::NameOfCase{});

}  // namespace
}  // namespace ribbon_test
