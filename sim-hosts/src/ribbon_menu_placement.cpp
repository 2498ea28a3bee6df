// Where a menu goes each time it is shown: it reads the frames as they stand then, since the opener of
// a menu may itself stand in a menu that was moved when it was shown.
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "ribbon_geometry.hpp"
#include "ribbon_layout.hpp"

namespace sim_hosts::detail {

using platform::Point;
using platform::Size;
using platform::sim::World;

namespace {

bool intersects(const Rect& a, const Rect& b) {
    return a.origin.x < b.origin.x + b.size.width && b.origin.x < a.origin.x + a.size.width &&
           a.origin.y < b.origin.y + b.size.height && b.origin.y < a.origin.y + a.size.height;
}

Rect frameOf(const World& world, ax::Element element) {
    Rect found;
    const std::optional<ax::Value> position = world.attribute(element, "AXPosition");
    const std::optional<ax::Value> size = world.attribute(element, "AXSize");
    if (position && position->packed() != nullptr) {
        ax::unpackPoint(*position->packed(), found.origin);
    }
    if (size && size->packed() != nullptr) {
        ax::unpackSize(*size->packed(), found.size);
    }
    return found;
}

}  // namespace

platform::sim::MenuPlacement RibbonLayout::belowBand(const World& world, ax::Element opener,
                                                     ax::Element menu) const {
    return [&world, opener, menu, top = menuTop] {
        const Rect from = frameOf(world, opener);
        const double width = frameOf(world, menu).size.width;
        return Point{std::max(margin, std::min(from.origin.x, windowWidth - margin - width)), top};
    };
}

platform::sim::MenuPlacement RibbonLayout::besideMenu(const World& world, ax::Element opener,
                                                      ax::Element parent, ax::Element menu,
                                                      ax::Element hostWindow) const {
    return [&world, opener, parent, menu, hostWindow, top = menuTop] {
        const Rect from = frameOf(world, opener);
        const Rect beside = frameOf(world, parent);
        const Size size = frameOf(world, menu).size;
        const double y =
            std::max(top, std::min(from.origin.y - menuPadding, windowHeight - margin - size.height));
        const std::array<double, 2> candidates{beside.origin.x + beside.size.width + menuGap,
                                               beside.origin.x - size.width - menuGap};
        std::vector<Rect> shown;
        for (const ax::Element& child : world.children(hostWindow)) {
            const std::optional<ax::Value> role = world.attribute(child, "AXRole");
            if (child != menu && role && role->text() != nullptr && *role->text() == "AXPopover") {
                shown.push_back(frameOf(world, child));
            }
        }
        const auto onScreen = [&](double x) { return x >= margin && x + size.width <= windowWidth - margin; };
        for (const double x : candidates) {
            const Rect place{{x, y}, size};
            if (onScreen(x) && std::none_of(shown.begin(), shown.end(),
                                            [&](const Rect& other) { return intersects(place, other); })) {
                return place.origin;
            }
        }
        return Point{onScreen(candidates[0]) || !onScreen(candidates[1]) ? candidates[0] : candidates[1], y};
    };
}

}  // namespace sim_hosts::detail
