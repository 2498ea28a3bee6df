// The accessibility trees of the simulated hosts: building and editing them, and the searches that
// tests and tools make in them.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/sim/world.hpp"
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

void applyElementSetup(Node& node, ElementSetup setup) {
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
    applyElementSetup(existing(element), std::move(setup));
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

ax::Element World::applicationElement(int processIdentifier) {
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

std::optional<ax::Element> World::focusedWindow(int processIdentifier) {
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

ax::Element World::findByTitle(int processIdentifier, std::string_view role, std::string_view title) {
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

}  // namespace platform::sim
