#include "layer_support.hpp"

#include <algorithm>
#include <iterator>

#include "engine/layers.hpp"
#include "engine/text.hpp"
#include "platform/foundation.hpp"

namespace keytips {

namespace ax = platform::ax;
using platform::foundation::log;

namespace {

bool sameText(std::optional<std::string_view> value, const std::optional<std::string>& expected) {
    return value.has_value() == expected.has_value() && (!value || *value == *expected);
}

void focusThenPress(const Element& element) {
    ax::setAttributeValue(element, "AXFocused", AttributeValue(true));
    ax::performAction(element, "AXPress");
}

}  // namespace

std::string uppercased(std::string_view shortcut) {
    std::string letter(shortcut);
    std::transform(letter.begin(), letter.end(), letter.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return letter;
}

std::string titleOrNoTitle(const Element& element, AttributeCache& cache) {
    const std::optional<std::string_view> title = textOf(getAttribute(element, "AXTitle", cache));
    return title ? std::string(*title) : std::string("No Title");
}

void logPerformAction(std::string_view prefix, std::string_view role, bool press) {
    log(std::string(prefix) + "Performing action on element with role " + std::string(role) + " and press " +
        (press ? "true" : "false"));
}

void actOnElement(const Element& element, std::string_view role, bool press, bool focusFirst) {
    if (role == "AXMenuButton") {
        ax::performAction(element, press ? "AXPress" : "AXShowMenu");
    } else if (focusFirst) {
        focusThenPress(element);
    } else {
        ax::performAction(element, "AXPress");
    }
}

std::optional<Element> findMatchingElement(const std::vector<RelevantElement>& relevantElements,
                                           const AccessKey& key, AttributeCache& cache) {
    for (const RelevantElement& relevant : relevantElements) {
        const Element& element = relevant.element;
        const std::optional<std::string_view> role = textOf(getAttribute(element, "AXRole", cache));
        if (!role || *role != key.role) {
            continue;
        }
        const std::optional<std::string_view> title = textOf(getAttribute(element, "AXTitle", cache));
        if (!sameText(title, key.title)) {
            continue;
        }
        const std::optional<std::string_view> description =
            textOf(getAttribute(element, "AXDescription", cache));
        if (!sameText(description, key.description)) {
            continue;
        }
        log("Found matching element:");
        log("Role: " + std::string(*role));
        log("Title: " + std::string(title.value_or("No Title")));
        log("Description: " + std::string(description.value_or("No Description")));
        return element;
    }
    log("No matching element found");
    return std::nullopt;
}

bool isElementEnabled(const Element& element) { return readFlag(element, "AXEnabled").value_or(true); }

}  // namespace keytips
