// The accessibility requests, answered from the simulated hosts' element trees.
#include "platform/accessibility.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

#include "platform/dispatch.hpp"
#include "platform/sim/world.hpp"
#include "state.hpp"

namespace platform::ax {

using sim::detail::Node;
using sim::detail::NodeKind;

namespace {

const std::string* textOf(const Node& node, std::string_view attribute) {
    const auto found = node.attributes.find(attribute);
    return found == node.attributes.end() ? nullptr : found->second.text();
}

std::optional<std::string> optionalText(const Node& node, std::string_view attribute) {
    const std::string* text = textOf(node, attribute);
    return text == nullptr ? std::nullopt : std::optional<std::string>(*text);
}

// Whether a value has a platform form a write can pass on: all but an OtherValue and a packed value of
// type illegal, and a list whose values all have one.
bool hasPlatformForm(const Value& value) {
    if (std::holds_alternative<OtherValue>(value.data)) {
        return false;
    }
    if (const PackedValue* packed = value.packed()) {
        return packed->type != PackedType::illegal;
    }
    if (const ValueList* list = value.list()) {
        return std::all_of(list->begin(), list->end(), hasPlatformForm);
    }
    return true;
}

bool hasRole(const Node& node, std::string_view role) {
    const std::string* text = textOf(node, "AXRole");
    return text != nullptr && *text == role;
}

bool isEnabled(const Node& node) {
    const auto found = node.attributes.find("AXEnabled");
    if (found == node.attributes.end()) {
        return true;
    }
    const bool* flag = found->second.boolean();
    return flag == nullptr || *flag;
}

ValueList elementList(const std::vector<Element>& elements) {
    ValueList list;
    list.reserve(elements.size());
    for (const auto& element : elements) {
        list.emplace_back(element);
    }
    return list;
}

// Appends text to a description with quotes, backslashes and control bytes escaped.
void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02x", static_cast<unsigned>(byte));
            out += hex.data();
        } else {
            out += c;
        }
    }
}

// Whether the element, or an element above it through its parents, passes the test.
template <typename Test>
bool isOrLiesBelow(const Element& element, Test test) {
    std::vector<Element> pending{element};
    std::set<std::uint64_t> seen;
    while (!pending.empty()) {
        const Element next = pending.back();
        pending.pop_back();
        const Node* node = sim::detail::node(next);
        if (node == nullptr || !seen.insert(next.reference()).second) {
            continue;
        }
        if (test(*node)) {
            return true;
        }
        pending.insert(pending.end(), node->parents.begin(), node->parents.end());
    }
    return false;
}

// Whether the element is a window or lies below one.
bool isShown(const Element& element) {
    return isOrLiesBelow(element, [](const Node& node) { return node.kind == NodeKind::window; });
}

bool isPopover(const Node& node) { return hasRole(node, "AXPopover"); }

// Whether the element is an item of a menu: no popover itself, it lies below one.
bool standsInMenu(const Element& element, const Node& node) {
    return !isPopover(node) && isOrLiesBelow(element, isPopover);
}

// ---- Behaviours ----

// "AXValue" of radio buttons and check boxes is an integer or a boolean; a change keeps the form.
bool isOn(const Node& node) {
    const auto found = node.attributes.find("AXValue");
    if (found == node.attributes.end()) {
        return false;
    }
    if (const bool* flag = found->second.boolean()) {
        return *flag;
    }
    const std::int64_t* number = found->second.integer();
    return number != nullptr && *number != 0;
}

void setOn(Node& node, bool on) {
    Value& value = node.attributes["AXValue"];
    value = value.boolean() != nullptr ? Value(on) : Value(on ? 1 : 0);
}

void selectRadioButton(Element tab, Node& node) {
    setOn(node, true);
    for (const auto& parent : node.parents) {
        const Node* parentNode = sim::detail::node(parent);
        if (parentNode == nullptr) {
            continue;
        }
        for (const auto& sibling : parentNode->children) {
            Node* siblingNode = sim::detail::node(sibling);
            if (sibling != tab && siblingNode != nullptr && hasRole(*siblingNode, "AXRadioButton")) {
                setOn(*siblingNode, false);
            }
        }
    }
    if (node.tabContent && node.tabPanel) {
        const Node* panel = sim::detail::node(*node.tabPanel);
        if (panel != nullptr) {
            const std::vector<Element> shown = panel->children;
            sim::detail::replaceChildren(*node.tabContent, shown);
        }
    }
}

void showMenu(Element opener, const Node& button) {
    if (!button.menu) {
        return;
    }
    const auto window = sim::world().focusedWindow(button.processIdentifier);
    const Node* windowNode = window ? sim::detail::node(*window) : nullptr;
    if (windowNode == nullptr) {
        return;
    }
    if (button.menuPlacement) {
        sim::world().moveElement(*button.menu, button.menuPlacement());
    }
    const auto& shown = windowNode->children;
    if (std::find(shown.begin(), shown.end(), *button.menu) == shown.end()) {
        sim::detail::attach(*window, *button.menu);
    }
    if (Node* menu = sim::detail::node(*button.menu)) {
        menu->shownBy = opener;
    }
}

void cancelPopover(Element popover, Node& node) {
    const std::vector<Element> parents = node.parents;
    for (const auto& parent : parents) {
        sim::detail::detach(parent, popover);
    }
}

// Choosing an item closes the menus it stands in, as a host closes a menu when one of its items is
// pressed: every popover above the item, and, through the buttons that showed them, the menus those
// were chosen from.
void closeMenusOf(Element item) {
    const Node* itemNode = sim::detail::node(item);
    if (itemNode == nullptr) {
        return;
    }
    std::vector<Element> pending = itemNode->parents;
    std::set<std::uint64_t> seen{item.reference()};
    while (!pending.empty()) {
        const Element next = pending.back();
        pending.pop_back();
        Node* node = sim::detail::node(next);
        if (node == nullptr || !seen.insert(next.reference()).second) {
            continue;
        }
        pending.insert(pending.end(), node->parents.begin(), node->parents.end());
        if (isPopover(*node)) {
            if (node->shownBy) {
                pending.push_back(*node->shownBy);
            }
            cancelPopover(next, *node);
        }
    }
}

void toggleCheckBox(Node& node) { setOn(node, !isOn(node)); }

enum class Effect { none, selectTab, toggle, showMenu, cancelPopover, raise };

// What an action does to the tree: its effect on the element, and whether it chooses an item, which
// closes the menus the item stands in.
struct Response {
    Effect effect = Effect::none;
    bool choosesItem = false;
    [[nodiscard]] bool changesTree() const { return effect != Effect::none || choosesItem; }
};

Effect effectOf(const Node& node, std::string_view action) {
    if (action == "AXPress") {
        if (hasRole(node, "AXRadioButton")) {
            return Effect::selectTab;
        }
        if (hasRole(node, "AXCheckBox")) {
            return Effect::toggle;
        }
        return node.menuOpensOnPress ? Effect::showMenu : Effect::none;
    }
    if (action == "AXShowMenu") {
        return Effect::showMenu;
    }
    if (action == "AXCancel" && isPopover(node)) {
        return Effect::cancelPopover;
    }
    if (action == "AXRaise" && node.kind == NodeKind::window) {
        return Effect::raise;
    }
    return Effect::none;
}

// A press of a menu's item chooses it, unless the press opens a further menu or the item is a combo
// box: pressing one puts the typing into its field, and its menu stays open until an item is chosen.
Response responseOf(Element element, const Node& node, std::string_view action) {
    const Effect effect = effectOf(node, action);
    return {effect, action == "AXPress" && effect != Effect::showMenu && !hasRole(node, "AXComboBox") &&
                        standsInMenu(element, node)};
}

// Looks the element up again: a late effect runs after the action has returned.
void apply(Element element, Response response) {
    Node* node = sim::detail::node(element);
    if (node == nullptr) {
        return;
    }
    switch (response.effect) {
        case Effect::selectTab:
            selectRadioButton(element, *node);
            break;
        case Effect::toggle:
            toggleCheckBox(*node);
            break;
        case Effect::showMenu:
            showMenu(element, *node);
            break;
        case Effect::cancelPopover:
            cancelPopover(element, *node);
            break;
        case Effect::raise:
            sim::world().setFocusedWindow(node->processIdentifier, element);
            break;
        case Effect::none:
            break;
    }
    if (response.choosesItem) {
        closeMenusOf(element);
    }
}

// With late effects on, a change of the tree waits for a main-queue block, as a host may make it.
void behave(Element element, std::string_view action) {
    const Response response = responseOf(element, *sim::detail::node(element), action);
    if (!response.changesTree()) {
        return;
    }
    if (sim::world().lateEffects() && response.effect != Effect::raise) {
        dispatch::mainAsync([element, response] { apply(element, response); });
        return;
    }
    apply(element, response);
}

Error actionResult(const Node* node, std::string_view action) {
    if (node == nullptr || node->vanished) {
        return Error::invalidUIElement;
    }
    if (std::find(node->actions.begin(), node->actions.end(), action) == node->actions.end()) {
        return Error::actionUnsupported;
    }
    if (!isEnabled(*node)) {
        return Error::cannotComplete;
    }
    return Error::success;
}

// Without the accessibility permission the platform refuses every request of another process.
bool accessibilityRefused() { return !sim::detail::permissions().accessibility; }

bool isStructural(std::string_view attribute) {
    return attribute == "AXRole" || attribute == "AXChildren" || attribute == "AXWindows" ||
           attribute == "AXFocusedWindow";
}

}  // namespace

std::string describe(const Element& element) {
    std::array<char, 32> hex{};
    std::snprintf(hex.data(), hex.size(), "0x%llx", static_cast<unsigned long long>(element.reference()));
    std::string out = "<AXUIElement ";
    out += hex.data();
    const Node* node = sim::detail::node(element);
    if (node == nullptr) {
        out += element.reference() == 0 ? " null>" : " unknown>";
        return out;
    }
    if (const std::string* role = textOf(*node, "AXRole")) {
        out += ' ';
        appendEscaped(out, *role);
    }
    if (const std::string* title = textOf(*node, "AXTitle")) {
        out += " \"";
        appendEscaped(out, *title);
        out += '"';
    } else if (const std::string* description = textOf(*node, "AXDescription")) {
        out += " desc=\"";
        appendEscaped(out, *description);
        out += '"';
    }
    out += '>';
    return out;
}

Element createApplication(int processIdentifier) {
    return sim::world().applicationElement(processIdentifier);
}

CopyResult copyAttributeValue(const Element& element, std::string_view attribute) {
    sim::detail::countAttributeRead(attribute);
    if (accessibilityRefused()) {
        return {Error::apiDisabled, std::nullopt};
    }
    const Node* node = sim::detail::node(element);
    if (node == nullptr) {
        return {element.reference() == 0 ? Error::illegalArgument : Error::invalidUIElement, std::nullopt};
    }
    if (node->vanished) {
        return {Error::invalidUIElement, std::nullopt};
    }
    if (!node->failures.empty()) {
        if (const auto failure = node->failures.find(attribute); failure != node->failures.end()) {
            switch (failure->second) {
                case sim::AttributeFailure::error:
                    return {Error::cannotComplete, std::nullopt};
                case sim::AttributeFailure::noValue:
                    return {Error::success, std::nullopt};
                case sim::AttributeFailure::wrongType:
                    return {Error::success, Value(OtherValue{"wrong"})};
                case sim::AttributeFailure::none:
                    break;
            }
        }
    }
    if (attribute == "AXChildren") {
        return {Error::success,
                Value(elementList(node->kind == NodeKind::application ? node->windows : node->children))};
    }
    if (node->kind == NodeKind::application) {
        if (attribute == "AXWindows") {
            return {Error::success, Value(elementList(node->windows))};
        }
        if (attribute == "AXFocusedWindow") {
            if (!node->focusedWindow) {
                return {Error::noValue, std::nullopt};
            }
            return {Error::success, Value(*node->focusedWindow)};
        }
    }
    const auto found = node->attributes.find(attribute);
    if (found == node->attributes.end()) {
        return {Error::attributeUnsupported, std::nullopt};
    }
    return {Error::success, found->second};
}

CopyResult copyActionNames(const Element& element) {
    sim::world().countRequest("copyActionNames");
    if (accessibilityRefused()) {
        return {Error::apiDisabled, std::nullopt};
    }
    const Node* node = sim::detail::node(element);
    if (node == nullptr || node->vanished) {
        return {Error::invalidUIElement, std::nullopt};
    }
    if (node->failActionNames) {
        return {Error::cannotComplete, std::nullopt};
    }
    ValueList names;
    names.reserve(node->actions.size());
    for (const auto& action : node->actions) {
        names.emplace_back(action);
    }
    return {Error::success, Value(std::move(names))};
}

Error setAttributeValue(const Element& element, std::string_view attribute, const Value& value) {
    sim::world().countRequest("setAttributeValue");
    Node* node = sim::detail::node(element);
    Error result = Error::success;
    if (accessibilityRefused()) {
        result = Error::apiDisabled;
    } else if (!hasPlatformForm(value)) {
        result = Error::illegalArgument;
    } else if (node == nullptr || node->vanished) {
        result = Error::invalidUIElement;
    } else if (isStructural(attribute)) {
        result = Error::attributeUnsupported;
    }
    sim::AttributeSetRecord record{element, std::string(attribute), value, {}, std::nullopt,
                                   result,  isShown(element)};
    if (node != nullptr) {
        const std::string* role = textOf(*node, "AXRole");
        record.role = role == nullptr ? std::string() : *role;
        record.title = optionalText(*node, "AXTitle");
    }
    sim::detail::state().attributeSets.push_back(std::move(record));
    {
        std::lock_guard lock(sim::detail::state().mutex);
        sim::detail::noteHistory(sim::HistoryEntry::Kind::attributeSet,
                                 sim::detail::state().attributeSets.size());
    }
    if (result == Error::success) {
        node->attributes[std::string(attribute)] = value;
    }
    return result;
}

Error performAction(const Element& element, std::string_view action) {
    sim::world().countRequest("performAction");
    const Node* node = sim::detail::node(element);
    const Error result = accessibilityRefused() ? Error::apiDisabled : actionResult(node, action);
    sim::ActionRecord record{element, std::string(action), {}, std::nullopt, std::nullopt,
                             result,  isShown(element)};
    if (node != nullptr) {
        const std::string* role = textOf(*node, "AXRole");
        record.role = role == nullptr ? std::string() : *role;
        record.title = optionalText(*node, "AXTitle");
        record.description = optionalText(*node, "AXDescription");
    }
    sim::detail::state().actions.push_back(std::move(record));
    {
        std::lock_guard lock(sim::detail::state().mutex);
        sim::detail::noteHistory(sim::HistoryEntry::Kind::action, sim::detail::state().actions.size());
    }
    if (result == Error::success) {
        behave(element, action);
    }
    return result;
}

}  // namespace platform::ax
