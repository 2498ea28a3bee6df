// The simulated world's state, shared by the world's own API and the seam functions it serves.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/appkit.hpp"
#include "platform/dispatch.hpp"
#include "platform/privacy.hpp"
#include "platform/sim/world.hpp"

namespace platform::sim::detail {

enum class NodeKind { application, window, element };

// One accessibility element of the simulated hosts.
struct Node {
    NodeKind kind = NodeKind::element;
    int processIdentifier = 0;  // 0 until the element belongs to an application's tree
    bool vanished = false;
    bool failActionNames = false;
    std::map<std::string, ax::Value, std::less<>> attributes;
    std::map<std::string, AttributeFailure, std::less<>> failures;
    std::vector<ax::Element> children;
    std::vector<ax::Element> parents;
    std::vector<std::string> actions;
    // Of an application: its windows in order, and the focused one.
    std::vector<ax::Element> windows;
    std::optional<ax::Element> focusedWindow;
    // Behaviours.
    std::optional<ax::Element> tabContent;
    std::optional<ax::Element> tabPanel;
    std::optional<ax::Element> menu;
    bool menuOpensOnPress = false;
    MenuPlacement menuPlacement;
    // Of a menu: the button that showed it last.
    std::optional<ax::Element> shownBy;
};

struct Application {
    int processIdentifier = 0;
    std::optional<std::string> bundleIdentifier;
    bool running = true;
};

struct Monitor {
    std::uint64_t id = 0;
    appkit::EventMask mask = 0;
    appkit::EventHandler handler;
};

struct Observer {
    std::uint64_t id = 0;
    std::string name;
    std::function<void(const appkit::Notification&)> block;
};

// Counts of requests: plain kinds, and attribute reads by attribute name.
struct RequestCounts {
    std::map<std::string, std::size_t, std::less<>> kinds;
    std::map<std::string, std::size_t, std::less<>> attributeReads;
};

// A library window alive now, with the number it got when it was made.
struct LiveWindow {
    const appkit::Window* window = nullptr;
    std::uint64_t number = 0;
    friend bool operator==(const LiveWindow& live, const appkit::Window* other) {
        return live.window == other;
    }
};

// The library windows alive now, in creation order. Each gets a number when it is added, never given
// again in the process: records name a window by it, so that a record outliving its window can never
// be taken for a later window made at the same address.
class LiveWindows {
public:
    using List = std::vector<LiveWindow>;
    void push_back(const appkit::Window* window) { list_.push_back({window, ++lastNumber_}); }
    List::iterator erase(List::const_iterator first, List::const_iterator last) {
        return list_.erase(first, last);
    }
    void clear() { list_.clear(); }
    [[nodiscard]] List::iterator begin() { return list_.begin(); }
    [[nodiscard]] List::iterator end() { return list_.end(); }
    [[nodiscard]] List::const_iterator begin() const { return list_.begin(); }
    [[nodiscard]] List::const_iterator end() const { return list_.end(); }
    // The window's number; 0 for a window not alive.
    [[nodiscard]] std::uint64_t numberOf(const appkit::Window* window) const;
    [[nodiscard]] bool isAlive(std::uint64_t number) const;

private:
    List list_;
    std::uint64_t lastNumber_ = 0;
};

struct State {
    // ---- Main thread only ----
    // The element of reference r is nodes[r - 1]. A deque: adding an element (as an action's effect may)
    // leaves every reference to the others valid.
    std::deque<Node> nodes;
    std::map<int, ax::Element> applicationElements;
    std::unordered_map<std::string, ax::Element> names;
    std::vector<Monitor> monitors;
    std::vector<Observer> observers;
    LiveWindows liveWindows;
    std::vector<WindowEvent> windowEvents;
    std::vector<appkit::Event> hostReceived;
    std::vector<ActionRecord> actions;
    std::vector<AttributeSetRecord> attributeSets;
    std::uint64_t nextHandle = 1;
    bool lateEffects = false;

    // ---- Queue and clock: guarded by queueMutex so blocks may be queued from any thread ----
    mutable std::mutex queueMutex;
    double clock = 0;
    std::deque<dispatch::Block> mainBlocks;
    std::deque<dispatch::Block> tasks;
    std::multimap<double, dispatch::Block> delayed;  // equal deadlines keep their queuing order
    std::optional<std::mt19937_64> interleaving;     // present while a seeded interleaving is chosen
    bool tasksHeld = false;                          // pump() leaves detached tasks waiting

    // ---- Read on the taps' threads too ----
    std::atomic<bool> bareEvents{false};
    std::atomic<std::uint64_t> heldModifiers{0};

    // ---- Shared with other threads: guarded by mutex ----
    mutable std::mutex mutex;
    std::vector<Application> applications;
    std::optional<int> frontmost;
    int nextProcessIdentifier = 0;
    std::vector<Rect> screens;
    std::vector<std::string> languages;
    long alertAnswer = 0;
    std::map<std::string, ScriptAnswer, std::less<>> scriptAnswers;
    privacy::Permissions permissions;
    std::vector<std::string> logLines;
    std::string standardOutput;
    std::vector<appkit::Alert> alerts;
    std::vector<std::string> openedURLs;
    std::vector<std::string> scriptsRun;
    RequestCounts counts;
    std::vector<HistoryEntry> history;

    // Returns everything to the initial state (not the tap side).
    void reset();
};

// The process's one state; never destroyed, so windows that outlive main can still unregister.
State& state();

// The node of a handle; null for the default handle and for unknown references.
Node* node(const ax::Element& element);

// Window information as it stands now.
WindowInfo windowInfo(const appkit::Window& window);

// Tree edits that keep children and parents in step. Attaching takes a detached subtree into the
// parent's application.
void attach(ax::Element parent, ax::Element child);
void detach(ax::Element parent, ax::Element child);
void replaceChildren(ax::Element parent, const std::vector<ax::Element>& children);

// The application record of a process; null when none was launched with it. Caller holds the mutex.
Application* application(int processIdentifier);

// Notes a record just added to its list (the last of that list) in the history. Caller holds the mutex.
void noteHistory(HistoryEntry::Kind kind, std::size_t count);

// One more under `key` (the caller holds the state's mutex).
void countOne(std::map<std::string, std::size_t, std::less<>>& counts, std::string_view key);
// Counts one attribute read (kind "copyAttributeValue" and "copyAttributeValue <name>").
void countAttributeRead(std::string_view attribute);

// The permissions the world gives the process now.
privacy::Permissions permissions();

}  // namespace platform::sim::detail
