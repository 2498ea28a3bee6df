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

// The deepest level below its starting element that a walk reads children at.
inline constexpr std::int64_t maxWalkDepth = 10;

// ---- Attribute reads: the only callers of the platform's attribute read ----
// Direct reads ask the element each time, one request per call. Each gives none when the error code
// is not success, when no value came back, or when the value is not of the read's kind.
std::optional<std::string> readText(const Element& element, std::string_view attribute);
std::optional<Element> readElement(const Element& element, std::string_view attribute);
// A list whose entries are all elements; none when any entry is something else.
std::optional<std::vector<Element>> readElements(const Element& element, std::string_view attribute);
// A packed value of the point type that unpacks as a point.
std::optional<platform::Point> readPoint(const Element& element, std::string_view attribute);
// A packed value that unpacks as a size; the unpacking alone decides the type.
std::optional<platform::Size> readSize(const Element& element, std::string_view attribute);
// A boolean.
std::optional<bool> readFlag(const Element& element, std::string_view attribute);
// A control's "AXValue", read once: whether the error code is success, and whether the value is on
// (1 as an integer, or the boolean true).
struct ControlValue {
    bool readSucceeded = false;
    bool isOn = false;
};
ControlValue readControlValue(const Element& element);
// The value that came back, of any kind, whatever the error code: the cached read and the element
// listing do not consult it.
std::optional<AttributeValue> readAnyValue(const Element& element, std::string_view attribute);

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

// An attribute read through the cache as text, in three states: absent (no value came back), text,
// or present but not text. Matching tells the last from the first: an absent title is no title, while
// a title that is there but is not text matches no key.
class CachedText {
public:
    explicit CachedText(const AttributeValue* value) : value_(value) {}

    [[nodiscard]] bool isText() const { return value_ != nullptr && value_->text() != nullptr; }
    [[nodiscard]] bool isNotText() const { return value_ != nullptr && value_->text() == nullptr; }
    // The text; none when absent or not text.
    [[nodiscard]] std::optional<std::string_view> text() const { return textOf(value_); }
    [[nodiscard]] std::optional<std::string> ownedText() const {
        const std::optional<std::string_view> found = text();
        return found ? std::optional<std::string>(*found) : std::nullopt;
    }

private:
    const AttributeValue* value_;  // in the cache, which only ever grows
};

// The attribute through the cache (see getAttribute), as text.
inline CachedText getCachedText(const Element& element, std::string_view attribute, AttributeCache& cache) {
    return CachedText(getAttribute(element, attribute, cache));
}

// A list of action names written as a list of quoted strings: ["AXRaise", "AXPress"].
std::string describeNames(const std::vector<std::string>& names);

}  // namespace keytips
