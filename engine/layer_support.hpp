// What the three layers share: placing labels, acting on an element by its role.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/access_key.hpp"
#include "engine/accessibility.hpp"
#include "engine/overlay_window.hpp"

namespace keytips {

// The shortcut in upper case, as a label shows it.
std::string uppercased(std::string_view shortcut);
// The element's "AXTitle" as text (through the cache), or "No Title".
std::string titleOrNoTitle(const Element& element, AttributeCache& cache);
void logPerformAction(std::string_view prefix, std::string_view role, bool press);
// Presses a menu button or shows its menu, and presses any other element, focused first when asked.
void actOnElement(const Element& element, std::string_view role, bool press, bool focusFirst);

// One label per relevant element, showing its shortcut in upper case; the layer decides whether the
// element counts as enabled.
template <typename Layer>
void showLabels(Layer& layer, OverlayWindows& labels, const std::vector<RelevantElement>& relevant,
                AttributeCache& cache, std::string_view category) {
    for (const RelevantElement& entry : relevant) {
        const std::string title = titleOrNoTitle(entry.element, cache);
        const bool enabled = layer.isElementEnabled(entry.element);
        labels.createOverlayWindow(entry.element, title, uppercased(entry.shortcut), category, enabled);
    }
}

}  // namespace keytips
