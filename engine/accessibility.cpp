#include "engine/accessibility.hpp"

#include "platform/appkit.hpp"
#include "platform/foundation.hpp"

namespace keytips {

namespace ax = platform::ax;
using platform::foundation::log;

// ---- Attribute reads --------------------------------------------------------------------------------

namespace {

// The value, when the error code is success and a value came back.
std::optional<AttributeValue> readValue(const Element& element, std::string_view attribute) {
    ax::CopyResult read = ax::copyAttributeValue(element, attribute);
    if (read.error != ax::Error::success) {
        return std::nullopt;
    }
    return std::move(read.value);
}

}  // namespace

std::optional<AttributeValue> readAnyValue(const Element& element, std::string_view attribute) {
    return ax::copyAttributeValue(element, attribute).value;
}

std::optional<std::string> readText(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readValue(element, attribute);
    if (value && value->text() != nullptr) {
        return *value->text();
    }
    return std::nullopt;
}

std::optional<Element> readElement(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readValue(element, attribute);
    if (value && value->element() != nullptr) {
        return *value->element();
    }
    return std::nullopt;
}

std::optional<std::vector<Element>> readElements(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readValue(element, attribute);
    const ax::ValueList* list = value ? value->list() : nullptr;
    if (list == nullptr) {
        return std::nullopt;
    }
    std::vector<Element> elements;
    elements.reserve(list->size());
    for (const AttributeValue& entry : *list) {
        if (entry.element() == nullptr) {
            return std::nullopt;
        }
        elements.push_back(*entry.element());
    }
    return elements;
}

std::optional<platform::Point> readPoint(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readValue(element, attribute);
    const ax::PackedValue* packed = value ? value->packed() : nullptr;
    platform::Point point;
    if (packed == nullptr || packed->type != ax::PackedType::point || !ax::unpackPoint(*packed, point)) {
        return std::nullopt;
    }
    return point;
}

std::optional<platform::Size> readSize(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readValue(element, attribute);
    const ax::PackedValue* packed = value ? value->packed() : nullptr;
    platform::Size size;
    if (packed == nullptr || !ax::unpackSize(*packed, size)) {
        return std::nullopt;
    }
    return size;
}

std::optional<bool> readFlag(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readValue(element, attribute);
    if (value && value->boolean() != nullptr) {
        return *value->boolean();
    }
    return std::nullopt;
}

ControlValue readControlValue(const Element& element) {
    const ax::CopyResult read = ax::copyAttributeValue(element, "AXValue");
    ControlValue result;
    result.readSucceeded = read.error == ax::Error::success;
    if (result.readSucceeded && read.value) {
        const std::int64_t* number = read.value->integer();
        const bool* flag = read.value->boolean();
        result.isOn = (number != nullptr && *number == 1) || (flag != nullptr && *flag);
    }
    return result;
}

// ---- Values ----------------------------------------------------------------------------------------

std::optional<std::string_view> textOf(const AttributeValue* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    if (const std::string* text = value->text()) {
        return std::string_view(*text);
    }
    return std::nullopt;
}

std::string describeNames(const std::vector<std::string>& names) {
    std::string out = "[";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            out += ", ";
        }
        out += '"';
        out += names[i];
        out += '"';
    }
    out += ']';
    return out;
}

std::optional<Element> getApplication(std::string_view bundleIdentifier) {
    for (const auto& application : platform::appkit::runningApplications()) {
        if (application.bundleIdentifier && *application.bundleIdentifier == bundleIdentifier) {
            return ax::createApplication(application.processIdentifier);
        }
    }
    return std::nullopt;
}

std::vector<Element> fetchElements(const Element& element, VisitedSet& visited, std::int64_t depth) {
    std::vector<Element> result;
    if (depth > maxWalkDepth || !visited.insert(element).second) {
        return result;
    }
    std::optional<std::vector<Element>> children = readElements(element, "AXChildren");
    if (!children) {
        return result;  // no children, or not a list of elements
    }
    result = std::move(*children);
    const std::size_t childCount = result.size();
    for (std::size_t i = 0; i < childCount; ++i) {
        std::vector<Element> below = fetchElements(Element(result[i]), visited, depth + 1);
        result.insert(result.end(), below.begin(), below.end());
    }
    return result;
}

std::optional<Element> getFocusedWindow(const Element& application) {
    return readElement(application, "AXFocusedWindow");
}

std::vector<Element> fetchElementsFromFocusedWindow(const Element& application) {
    const std::optional<Element> window = getFocusedWindow(application);
    if (!window) {
        return {};
    }
    log("VELKARO || Debug: Focused window found, fetching elements");
    VisitedSet visited;
    return fetchElements(*window, visited, 0);
}

const AttributeValue* getAttribute(const Element& element, std::string_view attribute,
                                   AttributeCache& cache) {
    const auto entry = cache.find(element);
    if (entry != cache.end()) {
        const auto stored = entry->second.find(std::string(attribute));
        if (stored != entry->second.end()) {
            return &stored->second;
        }
    }
    std::optional<AttributeValue> read = readAnyValue(element, attribute);
    if (!read) {
        return nullptr;
    }
    auto& attributes = entry != cache.end() ? entry->second : cache[element];
    return &attributes.emplace(std::string(attribute), std::move(*read)).first->second;
}

std::optional<platform::Point> getPosition(const Element& element) {
    const std::optional<platform::Point> point = readPoint(element, "AXPosition");
    if (!point) {
        return std::nullopt;
    }
    const std::vector<platform::Rect> screens = platform::appkit::screenFrames();
    if (screens.empty()) {
        return std::nullopt;  // no primary screen to flip against
    }
    return platform::Point{point->x, screens.front().size.height - point->y};
}

std::optional<platform::Size> getSize(const Element& element) { return readSize(element, "AXSize"); }

namespace {
// The element listing's text of an attribute, read without consulting the error code.
std::string textOrNil(const Element& element, std::string_view attribute) {
    const std::optional<AttributeValue> value = readAnyValue(element, attribute);
    return std::string(textOf(value ? &*value : nullptr).value_or("nil"));
}
}  // namespace

void printAllVisibleElements(const Element& element) {
    const std::string role = textOrNil(element, "AXRole");
    const std::string title = textOrNil(element, "AXTitle");
    const std::string description = textOrNil(element, "AXDescription");
    std::string line = "VELKARO ELEMENTS || (\"";
    line += role;
    line += "\", \"";
    line += title;
    line += "\", ";
    if (description == "nil") {
        line += "nil";
    } else {
        line += '"';
        line += description;
        line += '"';
    }
    line += ", \".\"),";
    log(line);
}

std::optional<WindowRecord> readWindowRecord(const Element& window) {
    const std::optional<std::string> title = readText(window, "AXTitle");
    if (!title) {
        return std::nullopt;
    }
    const ax::CopyResult actions = ax::copyActionNames(window);
    if (actions.error != ax::Error::success || !actions.value || actions.value->list() == nullptr) {
        return std::nullopt;
    }
    WindowRecord record{window, *title, {}};
    for (const AttributeValue& name : *actions.value->list()) {
        if (name.text() == nullptr) {
            return std::nullopt;
        }
        record.actions.push_back(*name.text());
    }
    return record;
}

std::vector<WindowRecord> fetchAllWindows(const Element& application) {
    std::vector<WindowRecord> records;
    const std::optional<std::vector<Element>> windows = readElements(application, "AXWindows");
    if (!windows) {
        return records;  // no windows, or not a list of elements
    }
    for (const Element& window : *windows) {
        if (std::optional<WindowRecord> record = readWindowRecord(window)) {
            records.push_back(std::move(*record));
        }
    }
    return records;
}

std::vector<ElementWindowPair> fetchElementsFromAllWindows(const Element& application) {
    std::vector<ElementWindowPair> pairs;
    for (const WindowRecord& record : fetchAllWindows(application)) {
        log("Fetching elements from window: " + record.title);
        VisitedSet visited;
        for (const Element& element : fetchElements(record.window, visited, 0)) {
            pairs.push_back({element, record.title});
        }
    }
    for (const ElementWindowPair& pair : pairs) {
        log("Element from window '" + pair.windowTitle + "': " + ax::describe(pair.element));
    }
    return pairs;
}

}  // namespace keytips
