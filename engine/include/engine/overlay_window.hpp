// Label windows: a small borderless floating square with one or two white characters, placed at the
// lower edge of the element it labels, and the list of those on screen. A label's category is also
// its window's user-interface item identifier.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/accessibility.hpp"
#include "platform/appkit.hpp"

namespace keytips {

class __attribute__((visibility("default"))) OverlayWindow : public platform::appkit::Window {
public:
    OverlayWindow(platform::Rect frame, std::string_view letter, std::string category, bool isEnabled);

    [[nodiscard]] const std::string& category() const { return category_; }
    void setCategory(std::string category);

private:
    std::string category_;
};

// The label windows on screen, in order of creation.
class OverlayWindows {
public:
    // Places, shows and registers one label under the element; nothing when its position or size
    // cannot be read. The title plays no part in the label.
    void createOverlayWindow(const Element& element, std::string_view title, std::string_view letter,
                             std::string_view category, bool isEnabled);
    // Hides and drops every label of the category.
    void deleteOverlayWindowsByCategory(std::string_view category);

    // Whether a label of the category is on screen.
    [[nodiscard]] bool showsCategory(std::string_view category) const;

    [[nodiscard]] const std::vector<std::unique_ptr<OverlayWindow>>& windows() const { return windows_; }

private:
    std::vector<std::unique_ptr<OverlayWindow>> windows_;
};

}  // namespace keytips
