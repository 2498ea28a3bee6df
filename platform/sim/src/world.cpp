// The world's set-up, tree building, queue, event delivery and records.
#include "platform/sim/world.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/sim/taps.hpp"
#include "state.hpp"

namespace platform::sim {

using detail::Node;
using detail::NodeKind;
using detail::state;

namespace {

Node& existing(ax::Element element) {
    Node* found = detail::node(element);
    if (found == nullptr) {
        throw std::invalid_argument("unknown element");
    }
    return *found;
}

ax::Element newNode(NodeKind kind, int processIdentifier) {
    auto& nodes = state().nodes;
    nodes.emplace_back();
    nodes.back().kind = kind;
    nodes.back().processIdentifier = processIdentifier;
    return ax::Element(nodes.size());
}

std::vector<std::string> defaultActions(std::string_view role) {
    if (role == "AXMenuButton") {
        return {"AXPress", "AXShowMenu"};
    }
    if (role == "AXPopover") {
        return {"AXPress", "AXCancel"};
    }
    if (role == "AXWindow") {
        return {"AXPress", "AXRaise"};
    }
    return {"AXPress"};
}

void applySpec(Node& node, ElementSetup setup) {
    node.attributes["AXRole"] = setup.role;
    if (setup.title) {
        node.attributes["AXTitle"] = std::move(*setup.title);
    }
    if (setup.description) {
        node.attributes["AXDescription"] = std::move(*setup.description);
    }
    if (setup.value) {
        node.attributes["AXValue"] = std::move(*setup.value);
    }
    if (setup.position) {
        node.attributes["AXPosition"] = ax::PackedValue::point(*setup.position);
    }
    if (setup.size) {
        node.attributes["AXSize"] = ax::PackedValue::size(*setup.size);
    }
    node.attributes["AXEnabled"] = setup.enabled;
    node.actions = setup.actions.empty() ? defaultActions(setup.role) : std::move(setup.actions);
}

ax::Element makeElement(int processIdentifier, ElementSetup setup) {
    std::string name = setup.name;
    const ax::Element element = newNode(NodeKind::element, processIdentifier);
    applySpec(existing(element), std::move(setup));
    if (!name.empty()) {
        state().names.emplace(std::move(name), element);  // the first element of a name keeps it
    }
    return element;
}

// Takes a detached subtree into an application; stops at elements that already belong to one.
void adopt(ax::Element element, int processIdentifier) {
    Node* found = detail::node(element);
    if (found == nullptr || found->processIdentifier != 0 || processIdentifier == 0) {
        return;
    }
    found->processIdentifier = processIdentifier;
    const std::vector<ax::Element> children = found->children;
    for (const auto& child : children) {
        adopt(child, processIdentifier);
    }
}

void erase(std::vector<ax::Element>& list, ax::Element element) {
    list.erase(std::remove(list.begin(), list.end(), element), list.end());
}

const std::string* textAttribute(const Node& node, std::string_view name) {
    const auto found = node.attributes.find(name);
    return found == node.attributes.end() ? nullptr : found->second.text();
}

// Pre-order search below an element.
ax::Element search(ax::Element element, std::string_view role, std::string_view title,
                   std::vector<bool>& visited) {
    const Node* found = detail::node(element);
    if (found == nullptr || visited[element.reference() - 1]) {
        return {};
    }
    visited[element.reference() - 1] = true;
    const std::string* foundRole = textAttribute(*found, "AXRole");
    const std::string* foundTitle = textAttribute(*found, "AXTitle");
    if (foundRole != nullptr && *foundRole == role && foundTitle != nullptr && *foundTitle == title) {
        return element;
    }
    for (const auto& child : found->children) {
        if (const ax::Element hit = search(child, role, title, visited); hit != ax::Element{}) {
            return hit;
        }
    }
    return {};
}

}  // namespace

namespace detail {

Application* application(int processIdentifier) {
    for (auto& app : state().applications) {
        if (app.processIdentifier == processIdentifier) {
            return &app;
        }
    }
    return nullptr;
}

void attach(ax::Element parent, ax::Element child) {
    Node& childNode = existing(child);
    Node& parentNode = existing(parent);
    parentNode.children.push_back(child);
    if (std::find(childNode.parents.begin(), childNode.parents.end(), parent) == childNode.parents.end()) {
        childNode.parents.push_back(parent);
    }
    adopt(child, parentNode.processIdentifier);
}

void detach(ax::Element parent, ax::Element child) {
    erase(existing(parent).children, child);
    erase(existing(child).parents, parent);
}

void replaceChildren(ax::Element parent, const std::vector<ax::Element>& children) {
    const std::vector<ax::Element> old = existing(parent).children;
    for (const auto& child : old) {
        erase(existing(child).parents, parent);
    }
    existing(parent).children.clear();
    for (const auto& child : children) {
        attach(parent, child);
    }
}

}  // namespace detail

World& world() {
    static World instance;
    return instance;
}

void World::reset() {
    state().reset();
    resetEventTaps();
}

// ---- Fidelity settings ----

void World::setLateEffects(bool late) { state().lateEffects = late; }

bool World::lateEffects() const { return state().lateEffects; }

void World::setInterleavingSeed(std::optional<std::uint64_t> seed) {
    std::lock_guard lock(state().queueMutex);
    state().interleaving.reset();
    if (seed) {
        state().interleaving.emplace(*seed);
    }
}

void World::setBareEvents(bool bare) { state().bareEvents = bare; }

bool World::bareEvents() const { return state().bareEvents; }

void World::setHeldModifierFlags(std::uint64_t flags) { state().heldModifiers = flags & heldModifierMask; }

std::uint64_t World::heldModifierFlags() const { return state().heldModifiers; }

// ---- Applications and system settings ----

int World::launchApplication(std::optional<std::string> bundleIdentifier) {
    auto& shared = state();
    int processIdentifier = 0;
    {
        std::lock_guard lock(shared.mutex);
        processIdentifier = shared.nextProcessIdentifier++;
        shared.applications.push_back({processIdentifier, std::move(bundleIdentifier), true});
    }
    if (Node* app = detail::node(applicationElement(processIdentifier))) {
        app->vanished = false;
    }
    return processIdentifier;
}

void World::quitApplication(int processIdentifier) {
    auto& shared = state();
    {
        std::lock_guard lock(shared.mutex);
        auto& apps = shared.applications;
        apps.erase(
            std::remove_if(apps.begin(), apps.end(),
                           [&](const auto& app) { return app.processIdentifier == processIdentifier; }),
            apps.end());
        if (shared.frontmost == processIdentifier) {
            shared.frontmost.reset();
        }
    }
    if (Node* app = detail::node(applicationElement(processIdentifier))) {
        app->vanished = true;
    }
}

void World::setFrontmost(std::optional<int> processIdentifier) {
    std::lock_guard lock(state().mutex);
    state().frontmost = processIdentifier;
}

void World::setScreens(std::vector<Rect> frames) {
    std::lock_guard lock(state().mutex);
    state().screens = std::move(frames);
}

void World::setPreferredLanguages(std::vector<std::string> languages) {
    std::lock_guard lock(state().mutex);
    state().languages = std::move(languages);
}

void World::setAlertAnswer(long response) {
    std::lock_guard lock(state().mutex);
    state().alertAnswer = response;
}

void World::setScriptAnswer(std::string macroName, ScriptAnswer answer) {
    std::lock_guard lock(state().mutex);
    state().scriptAnswers[std::move(macroName)] = std::move(answer);
}

// ---- Accessibility trees ----

ax::Element World::applicationElement(int processIdentifier) const {
    auto& shared = state();
    if (const auto found = shared.applicationElements.find(processIdentifier);
        found != shared.applicationElements.end()) {
        return found->second;
    }
    bool running = false;
    {
        std::lock_guard lock(shared.mutex);
        const auto* app = detail::application(processIdentifier);
        running = app != nullptr && app->running;
    }
    const ax::Element element = newNode(NodeKind::application, processIdentifier);
    Node& app = existing(element);
    app.attributes["AXRole"] = "AXApplication";
    app.vanished = !running;
    shared.applicationElements.emplace(processIdentifier, element);
    return element;
}

ax::Element World::addWindow(int processIdentifier, std::optional<std::string> title, Rect frame) {
    const ax::Element app = applicationElement(processIdentifier);
    const ax::Element window = newNode(NodeKind::window, processIdentifier);
    Node& node = existing(window);
    node.attributes["AXRole"] = "AXWindow";
    if (title) {
        node.attributes["AXTitle"] = std::move(*title);
    }
    node.attributes["AXPosition"] = ax::PackedValue::point(frame.origin);
    node.attributes["AXSize"] = ax::PackedValue::size(frame.size);
    node.attributes["AXEnabled"] = true;
    node.actions = defaultActions("AXWindow");
    Node& appNode = existing(app);
    appNode.windows.push_back(window);
    if (!appNode.focusedWindow) {
        appNode.focusedWindow = window;
    }
    return window;
}

void World::setFocusedWindow(int processIdentifier, std::optional<ax::Element> window) {
    existing(applicationElement(processIdentifier)).focusedWindow = window;
}

std::optional<ax::Element> World::focusedWindow(int processIdentifier) const {
    return existing(applicationElement(processIdentifier)).focusedWindow;
}

ax::Element World::addElement(ax::Element parent, ElementSetup setup) {
    const int processIdentifier = existing(parent).processIdentifier;
    const ax::Element element = makeElement(processIdentifier, std::move(setup));
    detail::attach(parent, element);
    return element;
}

ax::Element World::createDetached(ElementSetup setup) { return makeElement(0, std::move(setup)); }

void World::addChild(ax::Element parent, ax::Element child) { detail::attach(parent, child); }

void World::removeChild(ax::Element parent, ax::Element child) { detail::detach(parent, child); }

std::vector<ax::Element> World::children(ax::Element element) const {
    const Node& node = existing(element);
    return node.kind == NodeKind::application ? node.windows : node.children;
}

void World::vanish(ax::Element element) { existing(element).vanished = true; }

void World::setAttribute(ax::Element element, std::string attribute, ax::Value value) {
    existing(element).attributes[std::move(attribute)] = std::move(value);
}

void World::removeAttribute(ax::Element element, std::string_view attribute) {
    auto& attributes = existing(element).attributes;
    if (const auto found = attributes.find(attribute); found != attributes.end()) {
        attributes.erase(found);
    }
}

void World::failAttribute(ax::Element element, std::string attribute, AttributeFailure failure) {
    auto& failures = existing(element).failures;
    if (failure == AttributeFailure::none) {
        if (const auto found = failures.find(attribute); found != failures.end()) {
            failures.erase(found);
        }
        return;
    }
    failures[std::move(attribute)] = failure;
}

void World::failActionNames(ax::Element element, bool fail) { existing(element).failActionNames = fail; }

void World::setEnabled(ax::Element element, bool enabled) {
    existing(element).attributes["AXEnabled"] = enabled;
}

std::optional<ax::Value> World::attribute(ax::Element element, std::string_view attribute) const {
    const Node& node = existing(element);
    const auto found = node.attributes.find(attribute);
    if (found == node.attributes.end()) {
        return std::nullopt;
    }
    return found->second;
}

ax::Element World::find(std::string_view name) const {
    const auto& names = state().names;
    const auto found = names.find(std::string(name));
    return found == names.end() ? ax::Element{} : found->second;
}

ax::Element World::findByTitle(int processIdentifier, std::string_view role, std::string_view title) const {
    std::vector<bool> visited(state().nodes.size(), false);
    for (const auto& window : existing(applicationElement(processIdentifier)).windows) {
        if (const ax::Element hit = search(window, role, title, visited); hit != ax::Element{}) {
            return hit;
        }
    }
    return {};
}

void World::setTabPanel(ax::Element tab, ax::Element content, ax::Element panel) {
    existing(content);
    existing(panel);
    Node& node = existing(tab);
    node.tabContent = content;
    node.tabPanel = panel;
}

void World::setMenu(ax::Element button, ax::Element menu, bool opensOnPress, MenuPlacement placement) {
    existing(menu);
    Node& node = existing(button);
    node.menu = menu;
    node.menuOpensOnPress = opensOnPress;
    node.menuPlacement = std::move(placement);
}

void World::moveElement(ax::Element element, Point position) {
    const auto& attributes = existing(element).attributes;
    const auto current = attributes.find("AXPosition");
    Point from;
    if (current == attributes.end() || current->second.packed() == nullptr ||
        !ax::unpackPoint(*current->second.packed(), from)) {
        return;
    }
    const double dx = position.x - from.x;
    const double dy = position.y - from.y;
    std::vector<bool> moved(state().nodes.size(), false);
    std::vector<ax::Element> pending{element};
    while (!pending.empty()) {
        const ax::Element next = pending.back();
        pending.pop_back();
        Node& node = existing(next);
        if (moved[next.reference() - 1]) {
            continue;
        }
        moved[next.reference() - 1] = true;
        Point at;
        const auto found = node.attributes.find("AXPosition");
        if (found != node.attributes.end() && found->second.packed() != nullptr &&
            ax::unpackPoint(*found->second.packed(), at)) {
            found->second = ax::PackedValue::point(Point{at.x + dx, at.y + dy});
        }
        pending.insert(pending.end(), node.children.begin(), node.children.end());
    }
}

// ---- Main queue, clock and tasks ----

namespace {

// Takes the next block to run now: detached tasks first, then main-queue blocks, then due delayed blocks;
// under a seeded interleaving a task or the next main-queue block, and which task, by the seed.
std::optional<dispatch::Block> takeNext() {
    auto& shared = state();
    std::lock_guard lock(shared.queueMutex);
    auto takeFront = [](std::deque<dispatch::Block>& queue) {
        dispatch::Block block = std::move(queue.front());
        queue.pop_front();
        return block;
    };
    const bool tasksWaiting = !shared.tasks.empty() && !shared.tasksHeld;
    if (shared.interleaving && tasksWaiting) {
        // Every waiting task and main-queue block is as likely to go next: a uniform random merge.
        auto& random = *shared.interleaving;
        const std::size_t waiting = shared.tasks.size() + shared.mainBlocks.size();
        if (random() % waiting < shared.tasks.size()) {
            const auto chosen =
                shared.tasks.begin() + static_cast<std::ptrdiff_t>(random() % shared.tasks.size());
            dispatch::Block block = std::move(*chosen);
            shared.tasks.erase(chosen);
            return block;
        }
        return takeFront(shared.mainBlocks);
    }
    if (tasksWaiting) {
        return takeFront(shared.tasks);
    }
    if (!shared.mainBlocks.empty()) {
        return takeFront(shared.mainBlocks);
    }
    if (!shared.delayed.empty() && shared.delayed.begin()->first <= shared.clock) {
        dispatch::Block block = std::move(shared.delayed.begin()->second);
        shared.delayed.erase(shared.delayed.begin());
        return block;
    }
    return std::nullopt;
}

}  // namespace

std::size_t World::pump() {
    std::size_t run = 0;
    while (auto block = takeNext()) {
        if (*block) {
            (*block)();
        }
        ++run;
    }
    return run;
}

void World::advanceClock(double seconds) {
    auto& shared = state();
    double target = 0;
    {
        std::lock_guard lock(shared.queueMutex);
        target = shared.clock + std::max(seconds, 0.0);
    }
    for (;;) {
        dispatch::Block block;
        {
            std::lock_guard lock(shared.queueMutex);
            if (shared.delayed.empty() || shared.delayed.begin()->first > target) {
                break;
            }
            shared.clock = std::max(shared.clock, shared.delayed.begin()->first);
            block = std::move(shared.delayed.begin()->second);
            shared.delayed.erase(shared.delayed.begin());
        }
        if (block) {
            block();
        }
        pump();
    }
    {
        std::lock_guard lock(shared.queueMutex);
        shared.clock = target;
    }
    pump();
}

double World::now() const {
    std::lock_guard lock(state().queueMutex);
    return state().clock;
}

std::size_t World::pendingMainBlocks() const {
    std::lock_guard lock(state().queueMutex);
    return state().mainBlocks.size();
}

std::size_t World::pendingDelayedBlocks() const {
    std::lock_guard lock(state().queueMutex);
    return state().delayed.size();
}

void World::setTasksHeld(bool held) {
    std::lock_guard lock(state().queueMutex);
    state().tasksHeld = held;
}

std::size_t World::runTasks() {
    std::size_t run = 0;
    for (;;) {
        dispatch::Block task;
        {
            std::lock_guard lock(state().queueMutex);
            if (state().tasks.empty()) {
                break;
            }
            task = std::move(state().tasks.front());
            state().tasks.pop_front();
        }
        if (task) {
            task();
        }
        ++run;
    }
    return run;
}

std::size_t World::pendingTasks() const {
    std::lock_guard lock(state().queueMutex);
    return state().tasks.size();
}

// ---- Events through the local monitors ----

std::optional<appkit::Event> World::deliver(const appkit::Event& event) {
    if (event.type == appkit::EventType::keyDown || event.type == appkit::EventType::flagsChanged) {
        setHeldModifierFlags(event.modifierFlags);
    }
    const auto monitors = state().monitors;  // a handler may add monitors meanwhile
    const appkit::EventMask bit = appkit::EventMask{1} << static_cast<int>(event.type);
    std::optional<appkit::Event> current = event;
    for (const auto& monitor : monitors) {
        if ((monitor.mask & bit) == 0 || !monitor.handler) {
            continue;
        }
        current = monitor.handler(*current);
        if (!current) {
            return std::nullopt;
        }
    }
    state().hostReceived.push_back(*current);
    return current;
}

namespace {

appkit::ModifierFlags withDeviceBits(std::uint16_t keyCode, appkit::ModifierFlags flags) {
    return state().bareEvents ? flags : flags | deviceFlagBits(keyCode);
}

}  // namespace

appkit::Event World::keyDown(std::uint16_t keyCode, std::optional<std::string> characters,
                             appkit::ModifierFlags flags) {
    return {appkit::EventType::keyDown, keyCode, withDeviceBits(keyCode, flags), std::move(characters)};
}

appkit::Event World::flagsChanged(std::uint16_t keyCode, appkit::ModifierFlags flags) {
    return {appkit::EventType::flagsChanged, keyCode, withDeviceBits(keyCode, flags), std::nullopt};
}

appkit::Event World::mouseDown(bool left) {
    return {left ? appkit::EventType::leftMouseDown : appkit::EventType::rightMouseDown, 0, 0, std::nullopt};
}

void World::postNotification(std::string_view name) {
    const auto observers = state().observers;
    const appkit::Notification notification{std::string(name)};
    for (const auto& observer : observers) {
        if (observer.name == name && observer.block) {
            observer.block(notification);
        }
    }
}

std::size_t World::monitorCount() const { return state().monitors.size(); }

std::size_t World::observerCount() const { return state().observers.size(); }

// ---- Records ----

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
    auto& kinds = shared.counts.kinds;
    auto found = kinds.find(kind);
    if (found == kinds.end()) {
        found = kinds.emplace(std::string(kind), 0).first;
    }
    ++found->second;
}

}  // namespace platform::sim
