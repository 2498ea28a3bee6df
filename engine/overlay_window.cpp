#include "engine/overlay_window.hpp"

#include <algorithm>

#include "platform/foundation.hpp"

namespace keytips {

namespace appkit = platform::appkit;

OverlayWindow::OverlayWindow(platform::Rect frame, std::string_view letter, std::string category,
                             bool isEnabled)
    : appkit::Window(frame, appkit::borderlessWindowMask, appkit::BackingStore::buffered, false),
      category_(std::move(category)) {
    setIdentifier(category_);
    setBackgroundColor(appkit::Color::blueColor().withAlphaComponent(isEnabled ? 0.5 : 0.2));
    setLevel(appkit::floatingWindowLevel);
    setOpaque(false);
    setHasShadow(false);
    const double width = frame.size.width;
    const double height = frame.size.height;
    appkit::TextField field(platform::Rect{{0, 0}, {width, height}});
    field.stringValue = std::string(letter);
    field.editable = false;
    field.bordered = false;
    field.backgroundColor = appkit::Color::clearColor();
    field.textColor = appkit::Color::whiteColor();
    field.alignment = appkit::TextAlignment::center;
    field.fontSize = 12;
    field.sizeToFit();
    const platform::Size fitted = field.frame.size;
    field.frame = {{(width - fitted.width) / 2, (height - fitted.height) / 2}, fitted};
    addSubview(field);
}

void OverlayWindow::setCategory(std::string category) {
    category_ = std::move(category);
    setIdentifier(category_);
}

void OverlayWindows::createOverlayWindow(const Element& element, std::string_view /*title*/,
                                         std::string_view letter, std::string_view category, bool isEnabled) {
    const std::optional<platform::Point> position = getPosition(element);
    if (!position) {
        platform::foundation::log("VELKARO || Failed to get position for element: " +
                                  platform::ax::describe(element));
        return;
    }
    const std::optional<platform::Size> size = getSize(element);
    if (!size) {
        platform::foundation::log("VELKARO || Failed to get size for element: " +
                                  platform::ax::describe(element));
        return;
    }
    const platform::Rect frame{{position->x + size->width * 0.5, position->y - size->height - 5.0}, {15, 15}};
    auto window = std::make_unique<OverlayWindow>(frame, letter, std::string(category), isEnabled);
    window->makeKeyAndOrderFront();
    windows_.push_back(std::move(window));
}

bool OverlayWindows::showsCategory(std::string_view category) const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [category](const auto& window) { return window->category() == category; });
}

void OverlayWindows::deleteOverlayWindowsByCategory(std::string_view category) {
    for (const auto& window : windows_) {
        if (window->category() == category) {
            window->orderOut();
        }
    }
    std::erase_if(windows_, [category](const auto& window) { return window->category() == category; });
}

}  // namespace keytips
