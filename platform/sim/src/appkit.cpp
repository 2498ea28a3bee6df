// AppKit as the simulated world plays it: monitors, observers, workspace, alerts, screens, windows.
#include "platform/appkit.hpp"

#include <algorithm>

#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::appkit {

using sim::detail::state;

namespace {

// Unicode code points of UTF-8 text; every byte that does not start a well-formed sequence counts once.
std::size_t codePoints(std::string_view text) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        }
        bool wellFormed = i + length <= text.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            wellFormed = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        i += wellFormed ? length : 1;
        ++count;
    }
    return count;
}

void recordWindowEvent(const Window& window, sim::WindowEvent::Kind kind) {
    state().windowEvents.push_back({kind, sim::detail::windowInfo(window)});
}

}  // namespace

std::optional<MonitorHandle> addLocalMonitorForEvents(EventMask mask, EventHandler handler) {
    auto& shared = state();
    const std::uint64_t id = shared.nextHandle++;
    shared.monitors.push_back({id, mask, std::move(handler)});
    return MonitorHandle{id};
}

ObserverHandle addObserver(std::string_view name, std::function<void(const Notification&)> block) {
    auto& shared = state();
    const std::uint64_t id = shared.nextHandle++;
    shared.observers.push_back({id, std::string(name), std::move(block)});
    return ObserverHandle{id};
}

std::vector<RunningApplication> runningApplications() {
    sim::world().countRequest("runningApplications");
    std::lock_guard lock(state().mutex);
    std::vector<RunningApplication> result;
    for (const auto& app : state().applications) {
        if (app.running) {
            result.push_back({app.bundleIdentifier, app.processIdentifier});
        }
    }
    return result;
}

std::optional<RunningApplication> frontmostApplication() {
    sim::world().countRequest("frontmostApplication");
    std::lock_guard lock(state().mutex);
    if (!state().frontmost) {
        return std::nullopt;
    }
    const auto* app = sim::detail::application(*state().frontmost);
    if (app == nullptr || !app->running) {
        return std::nullopt;
    }
    return RunningApplication{app->bundleIdentifier, app->processIdentifier};
}

bool openURL(std::string_view url) {
    std::lock_guard lock(state().mutex);
    state().openedURLs.emplace_back(url);
    return true;
}

long Alert::runModal() const {
    std::lock_guard lock(state().mutex);
    state().alerts.push_back(*this);
    sim::detail::noteHistory(sim::HistoryEntry::Kind::alert, state().alerts.size());
    return state().alertAnswer;
}

std::vector<Rect> screenFrames() {
    sim::world().countRequest("screens");
    std::lock_guard lock(state().mutex);
    return state().screens;
}

void TextField::sizeToFit() {
    const double scale = fontSize / 12.0;
    frame.size.width = 7.0 * static_cast<double>(codePoints(stringValue)) * scale + 4.0;
    frame.size.height = fontSize * 1.25;
}

// The simulation reads a window through its getters, so it keeps nothing of its own.
struct Window::Native {};

Window::Window(Rect contentRect, std::uint64_t styleMask, BackingStore backing, bool /*defer*/)
    : frame_(contentRect), styleMask_(styleMask), backing_(backing) {
    contentView_.bounds = {{0, 0}, contentRect.size};
    state().liveWindows.push_back(this);
}

Window::~Window() {
    auto& live = state().liveWindows;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void Window::setLevel(int level) { level_ = level; }

void Window::setOpaque(bool opaque) { opaque_ = opaque; }

void Window::setHasShadow(bool shadow) { hasShadow_ = shadow; }

void Window::setBackgroundColor(Color color) { backgroundColor_ = color; }

void Window::setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }

void Window::addSubview(const TextField& field) { contentView_.subviews.push_back(field); }

void Window::makeKeyAndOrderFront() {
    visible_ = true;
    recordWindowEvent(*this, sim::WindowEvent::Kind::shown);
}

void Window::orderOut() {
    visible_ = false;
    recordWindowEvent(*this, sim::WindowEvent::Kind::orderedOut);
}

}  // namespace platform::appkit
