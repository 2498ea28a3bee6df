// Accessibility functions: find the host, walk its windows' elements, read attributes through a
// layer's cache, and read positions and sizes in the screen convention of the label windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/accessibility.hpp"
#include "platform/geometry.hpp"

namespace keytips {

using Element = platform::ax::Element;
using ElementHash = platform::ax::ElementHash;
using AttributeValue = platform::ax::Value;

// Per layer object: element -> (attribute name -> first value read). Only ever added to.
using AttributeCache =
    std::unordered_map<Element, std::unordered_map<std::string, AttributeValue>, ElementHash>;
using VisitedSet = std::unordered_set<Element, ElementHash>;

// An element a layer labelled: the element, its flipped screen position and its shortcut.
struct RelevantElement {
    Element element;
    platform::Point position;
    std::string shortcut;
};

struct WindowRecord {
    Element window;
    std::string title;
    std::vector<std::string> actions;
};

struct ElementWindowPair {
    Element element;
    std::string windowTitle;
};

std::optional<Element> getApplication(std::string_view bundleIdentifier);
std::vector<Element> fetchElements(const Element& element, VisitedSet& visited, std::int64_t depth = 0);
std::optional<Element> getFocusedWindow(const Element& application);
std::vector<Element> fetchElementsFromFocusedWindow(const Element& application);
// The cached value, or the value read now (then stored); null when no value came back.
const AttributeValue* getAttribute(const Element& element, std::string_view attribute, AttributeCache& cache);
std::optional<platform::Point> getPosition(const Element& element);
std::optional<platform::Size> getSize(const Element& element);
void printAllVisibleElements(const Element& element);
// A window's title and action names, read directly; none unless both read as text.
std::optional<WindowRecord> readWindowRecord(const Element& window);
std::vector<WindowRecord> fetchAllWindows(const Element& application);
std::vector<ElementWindowPair> fetchElementsFromAllWindows(const Element& application);

// The text of a value that is a string; none for an absent value or one of another type.
std::optional<std::string_view> textOf(const AttributeValue* value);

// A list of action names written as a list of quoted strings: ["AXRaise", "AXPress"].
std::string describeNames(const std::vector<std::string>& names);

}  // namespace keytips
