// What the world records for tests and tools to read back: log lines, alerts, scripts, actions,
// attribute writes, label windows and request counts.
#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::sim {

using detail::state;

std::vector<std::string> World::logLines() const {
    std::lock_guard lock(state().mutex);
    return state().logLines;
}

std::string World::standardOutput() const {
    std::lock_guard lock(state().mutex);
    return state().standardOutput;
}

std::vector<appkit::Alert> World::alerts() const {
    std::lock_guard lock(state().mutex);
    return state().alerts;
}

std::vector<std::string> World::openedURLs() const {
    std::lock_guard lock(state().mutex);
    return state().openedURLs;
}

std::vector<std::string> World::scriptsRun() const {
    std::lock_guard lock(state().mutex);
    return state().scriptsRun;
}

std::vector<ActionRecord> World::actions() const { return state().actions; }

std::vector<AttributeSetRecord> World::attributeSets() const { return state().attributeSets; }

std::vector<appkit::Event> World::hostReceived() const { return state().hostReceived; }

std::vector<HistoryEntry> World::history() const {
    std::lock_guard lock(state().mutex);
    return state().history;
}

std::vector<WindowInfo> World::windows() const {
    std::vector<WindowInfo> result;
    for (const detail::LiveWindow& live : state().liveWindows) {
        result.push_back(detail::windowInfo(*live.window));
    }
    return result;
}

std::vector<WindowInfo> World::visibleWindows() const {
    std::vector<WindowInfo> result;
    for (const detail::LiveWindow& live : state().liveWindows) {
        if (live.window->isVisible()) {
            result.push_back(detail::windowInfo(*live.window));
        }
    }
    return result;
}

std::vector<WindowEvent> World::windowEvents() const {
    std::vector<WindowEvent> events = state().windowEvents;
    for (WindowEvent& event : events) {
        if (!state().liveWindows.isAlive(event.info.number)) {
            event.info.window = nullptr;  // gone: only its number still names it
        }
    }
    return events;
}

namespace {
constexpr std::string_view attributeReadPrefix = "copyAttributeValue ";
}

std::size_t World::requestCount(std::string_view kind) const {
    std::lock_guard lock(state().mutex);
    const auto& counts = state().counts;
    const auto& table = kind.starts_with(attributeReadPrefix) ? counts.attributeReads : counts.kinds;
    if (kind.starts_with(attributeReadPrefix)) {
        kind.remove_prefix(attributeReadPrefix.size());
    }
    const auto found = table.find(kind);
    return found == table.end() ? 0 : found->second;
}

std::map<std::string, std::size_t> World::requestCounts() const {
    std::lock_guard lock(state().mutex);
    const auto& counts = state().counts;
    std::map<std::string, std::size_t> result(counts.kinds.begin(), counts.kinds.end());
    for (const auto& [attribute, count] : counts.attributeReads) {
        result.emplace(std::string(attributeReadPrefix) + attribute, count);
    }
    return result;
}

void World::clearRecords() {
    auto& shared = state();
    shared.windowEvents.clear();
    shared.hostReceived.clear();
    shared.actions.clear();
    shared.attributeSets.clear();
    std::lock_guard lock(shared.mutex);
    shared.logLines.clear();
    shared.standardOutput.clear();
    shared.alerts.clear();
    shared.openedURLs.clear();
    shared.scriptsRun.clear();
    shared.counts = {};
    shared.history.clear();
}

void World::countRequest(std::string_view kind) {
    if (kind.starts_with(attributeReadPrefix)) {
        detail::countAttributeRead(kind.substr(attributeReadPrefix.size()));
        return;
    }
    auto& shared = state();
    std::lock_guard lock(shared.mutex);
    detail::countOne(shared.counts.kinds, kind);
}

}  // namespace platform::sim
