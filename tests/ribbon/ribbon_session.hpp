// One key-tip session on a simulated host: a fresh world with the host's ribbon built from its tables
// in the session's language, the real engine with the host's profile and its monitors installed, and
// keys typed through the event monitors.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/host_profile.hpp"
#include "engine/key_tips.hpp"
#include "platform/appkit.hpp"
#include "platform/sim/world.hpp"
#include "profiles/presentation_profile.hpp"
#include "sim_hosts/keyboard.hpp"
#include "sim_hosts/ribbon.hpp"
#include "tables/presentation.hpp"
#include "tables/spreadsheet.hpp"

namespace ribbon_test {

namespace ax = platform::ax;
namespace sim = platform::sim;

inline constexpr std::string_view firstLayerCategory = "layerAccessToolbar";
inline constexpr std::string_view commandLayerCategory = "second";

// The US tables as the host is built from them.
inline const keytips::KeyTables& usKeyTables() {
    static const keytips::KeyTables tables{keytips::spreadsheet::AccessKeys_US::ribbonKeys(),
                                           keytips::spreadsheet::AccessKeys_US::contextualKeys(),
                                           keytips::spreadsheet::AccessKeys_US::sharedKeys()};
    return tables;
}

inline std::string uppercased(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return out;
}

// The named keys, and the virtual key code of a letter or digit on an ANSI keyboard.
namespace keys = sim_hosts::keys;
using sim_hosts::keyCodeOf;

// The elements below an element, depth first, each once.
inline std::vector<ax::Element> elementsBelow(ax::Element root) {
    std::vector<ax::Element> found;
    std::set<std::uint64_t> seen;
    std::vector<ax::Element> pending{root};
    while (!pending.empty()) {
        const ax::Element next = pending.back();
        pending.pop_back();
        if (!seen.insert(next.reference()).second) {
            continue;
        }
        if (next != root) {
            found.push_back(next);
        }
        const std::vector<ax::Element> children = sim::world().children(next);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return found;
}

// An element's frame in accessibility coordinates (y downward); none without a position and a size.
inline std::optional<platform::Rect> frameOf(ax::Element element) {
    const std::optional<ax::Value> position = sim::world().attribute(element, "AXPosition");
    const std::optional<ax::Value> size = sim::world().attribute(element, "AXSize");
    platform::Rect frame;
    if (position && size && position->packed() && size->packed() &&
        ax::unpackPoint(*position->packed(), frame.origin) && ax::unpackSize(*size->packed(), frame.size)) {
        return frame;
    }
    return std::nullopt;
}

struct Label {
    std::string letter;
    std::optional<ax::Element> element;  // the host element it stands under, if any
    platform::Rect frame;                // in accessibility coordinates (y downward)
};

class RibbonSession {
public:
    explicit RibbonSession(const sim_hosts::RibbonOptions& options = {},
                           const sim_hosts::HostKind& kind = sim_hosts::spreadsheetHost())
        : profile_(profileOf(kind)) {
        sim::world().reset();
        host_ = sim_hosts::launchHost(sim::world(), kind, options);
        tips_ = std::make_unique<keytips::KeyTips>(profile_);
        tips_->monitorKeyboardEvents();
        sim::world().pump();
    }
    ~RibbonSession() {
        tips_.reset();
        sim::world().reset();
    }
    RibbonSession(const RibbonSession&) = delete;
    RibbonSession& operator=(const RibbonSession&) = delete;
    RibbonSession(RibbonSession&&) = delete;
    RibbonSession& operator=(RibbonSession&&) = delete;

    [[nodiscard]] const sim_hosts::RibbonHost& host() const { return host_; }
    [[nodiscard]] keytips::KeyTips& tips() { return *tips_; }

    // A lone Option tap: opens the first layer.
    static void tapOption() { sim_hosts::tapOption(sim::world()); }

    // One key-down per character, each followed by a pump of the main queue.
    static void type(std::string_view keys) { sim_hosts::typeCharacters(sim::world(), keys); }

    // Option, then the shortcuts in turn.
    void open(const std::vector<std::string>& path) {
        tapOption();
        for (const std::string& shortcut : path) {
            type(shortcut);
        }
    }

    // The visible labels of a category, each with the host element it stands under.
    [[nodiscard]] std::vector<Label> labels(std::string_view category) const {
        const std::map<std::pair<double, double>, ax::Element> anchors = labelAnchors();
        std::vector<Label> found;
        for (const sim::WindowInfo& window : sim::world().visibleWindows()) {
            if (window.category != category) {
                continue;
            }
            const auto anchor = anchors.find({window.frame.origin.x, window.frame.origin.y});
            const platform::Rect frame{
                {window.frame.origin.x, screenHeight() - window.frame.origin.y - window.frame.size.height},
                window.frame.size};
            found.push_back(
                {window.text, anchor == anchors.end() ? std::nullopt : std::optional(anchor->second), frame});
        }
        return found;
    }

    // Whether an element has the role, title and description of a key (absent only matching absent).
    static bool matches(ax::Element element, const keytips::AccessKey& key) {
        const auto text = [&](std::string_view attribute) -> std::optional<std::string> {
            const std::optional<ax::Value> value = sim::world().attribute(element, attribute);
            return value && value->text() != nullptr ? std::optional(*value->text()) : std::nullopt;
        };
        return text("AXRole") == key.role && text("AXTitle") == key.title &&
               text("AXDescription") == key.description;
    }

private:
    // A label sits centred below its element's left half: its origin is half the element's width to
    // the right of the element and 5 points plus the element's height below it (screen coordinates,
    // y upward). Every element of the host on screen has a position of its own (menus move when they
    // are shown, and tab panels share the band), so the origin tells the element among those on
    // screen now.
    [[nodiscard]] std::map<std::pair<double, double>, ax::Element> labelAnchors() const {
        std::map<std::pair<double, double>, ax::Element> anchors;
        for (const ax::Element& element : elementsBelow(host_.window)) {
            const bool ofHost = host_.placementOf(element) != nullptr || element == host_.toolbarAnchor ||
                                std::find(host_.toolbarButtons.begin(), host_.toolbarButtons.end(),
                                          element) != host_.toolbarButtons.end();
            const std::optional<platform::Rect> frame = frameOf(element);
            if (ofHost && frame) {
                anchors.emplace(std::pair(frame->origin.x + frame->size.width * 0.5,
                                          screenHeight() - frame->origin.y - frame->size.height - 5.0),
                                element);
            }
        }
        return anchors;
    }

    static double screenHeight() { return platform::appkit::screenFrames().front().size.height; }

    // The profile of the library that runs in the host.
    static keytips::HostProfile profileOf(const sim_hosts::HostKind& kind) {
        if (&kind == &sim_hosts::presentationHost()) {
            return keytips::presentationProfile(keytips::presentation::usTables(),
                                                keytips::presentation::ukTables());
        }
        return keytips::spreadsheetProfile(keytips::spreadsheet::usTables(),
                                           keytips::spreadsheet::ukTables());
    }

    keytips::HostProfile profile_;
    sim_hosts::RibbonHost host_;
    std::unique_ptr<keytips::KeyTips> tips_;
};

}  // namespace ribbon_test
