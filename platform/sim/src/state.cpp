// The world's state and its reset.
#include "state.hpp"

#include <algorithm>
#include <utility>

namespace platform::sim::detail {

namespace {

constexpr int firstProcessIdentifier = 501;

std::map<std::string, ScriptAnswer, std::less<>> defaultScriptAnswers() {
    return {
        {"GetEnableKeyboardShortcuts", ScriptAnswer::withText("True")},
        {"GetLanguageCode", ScriptAnswer::withText("1033")},
        {"GetEnableColumnSelector", ScriptAnswer::withText("True")},
    };
}

}  // namespace

State& state() {
    static State* const instance = [] {
        auto* created = new State;
        created->reset();
        return created;
    }();
    return *instance;
}

void State::reset() {
    // Blocks and handlers are destroyed outside the locks: their captures may reach back into the world.
    std::deque<dispatch::Block> oldMain;
    std::deque<dispatch::Block> oldTasks;
    std::multimap<double, dispatch::Block> oldDelayed;
    {
        std::lock_guard lock(queueMutex);
        oldMain.swap(mainBlocks);
        oldTasks.swap(tasks);
        oldDelayed.swap(delayed);
        clock = 0;
        interleaving.reset();
        tasksHeld = false;
    }
    bareEvents = false;
    heldModifiers = 0;
    std::vector<Monitor> oldMonitors;
    oldMonitors.swap(monitors);
    std::vector<Observer> oldObservers;
    oldObservers.swap(observers);

    nodes.clear();
    applicationElements.clear();
    names.clear();
    liveWindows.clear();
    windowEvents.clear();
    hostReceived.clear();
    actions.clear();
    attributeSets.clear();
    nextHandle = 1;
    lateEffects = false;

    std::lock_guard lock(mutex);
    applications.clear();
    frontmost.reset();
    nextProcessIdentifier = firstProcessIdentifier;
    screens = {Rect{{0, 0}, {1440, 900}}};
    languages = {"en-US"};
    alertAnswer = appkit::alertFirstButtonReturn + 1;
    scriptAnswers = defaultScriptAnswers();
    permissions = {true, true, true};
    logLines.clear();
    standardOutput.clear();
    alerts.clear();
    openedURLs.clear();
    scriptsRun.clear();
    counts = {};
    history.clear();
}

void noteHistory(HistoryEntry::Kind kind, std::size_t count) { state().history.push_back({kind, count - 1}); }

Node* node(const ax::Element& element) {
    auto& nodes = state().nodes;
    const std::uint64_t reference = element.reference();
    if (reference == 0 || reference > nodes.size()) {
        return nullptr;
    }
    return &nodes[reference - 1];
}

std::uint64_t LiveWindows::numberOf(const appkit::Window* window) const {
    const auto found = std::find(list_.begin(), list_.end(), window);
    return found == list_.end() ? 0 : found->number;
}

bool LiveWindows::isAlive(std::uint64_t number) const {
    return number != 0 && std::any_of(list_.begin(), list_.end(),
                                      [number](const LiveWindow& live) { return live.number == number; });
}

WindowInfo windowInfo(const appkit::Window& window) {
    WindowInfo info;
    info.window = &window;
    info.number = state().liveWindows.numberOf(&window);
    info.frame = window.frame();
    const auto& subviews = window.contentView().subviews;
    if (!subviews.empty()) {
        info.text = subviews.front().stringValue;
    }
    info.category = window.identifier();
    info.backgroundAlpha = window.backgroundColor().alpha;
    info.level = window.level();
    info.visible = window.isVisible();
    return info;
}

void countOne(std::map<std::string, std::size_t, std::less<>>& counts, std::string_view key) {
    auto found = counts.find(key);
    if (found == counts.end()) {
        found = counts.emplace(std::string(key), 0).first;
    }
    ++found->second;
}

void countAttributeRead(std::string_view attribute) {
    auto& shared = state();
    std::lock_guard lock(shared.mutex);
    countOne(shared.counts.kinds, "copyAttributeValue");
    countOne(shared.counts.attributeReads, attribute);
}

}  // namespace platform::sim::detail
