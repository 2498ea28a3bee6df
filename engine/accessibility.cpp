#include "engine/accessibility.hpp"

#include "platform/appkit.hpp"
#include "platform/foundation.hpp"

namespace keytips {

namespace ax = platform::ax;
using platform::foundation::log;

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
    if (depth > 10 || !visited.insert(element).second) {
        return result;
    }
    const ax::CopyResult children = ax::copyAttributeValue(element, "AXChildren");
    if (children.error != ax::Error::success || !children.value) {
        return result;
    }
    const ax::ValueList* list = children.value->list();
    if (list == nullptr) {
        return result;
    }
    result.reserve(list->size());
    for (const AttributeValue& child : *list) {
        const Element* childElement = child.element();
        if (childElement == nullptr) {
            return {};  // not a list of elements
        }
        result.push_back(*childElement);
    }
    const std::size_t childCount = result.size();
    for (std::size_t i = 0; i < childCount; ++i) {
        std::vector<Element> below = fetchElements(Element(result[i]), visited, depth + 1);
        result.insert(result.end(), below.begin(), below.end());
    }
    return result;
}

std::optional<Element> getFocusedWindow(const Element& application) {
    const ax::CopyResult focused = ax::copyAttributeValue(application, "AXFocusedWindow");
    if (focused.error != ax::Error::success || !focused.value) {
        return std::nullopt;
    }
    if (const Element* window = focused.value->element()) {
        return *window;
    }
    return std::nullopt;
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
    ax::CopyResult read = ax::copyAttributeValue(element, attribute);
    if (!read.value) {
        return nullptr;
    }
    auto& attributes = entry != cache.end() ? entry->second : cache[element];
    return &attributes.emplace(std::string(attribute), std::move(*read.value)).first->second;
}

std::optional<platform::Point> getPosition(const Element& element) {
    const ax::CopyResult read = ax::copyAttributeValue(element, "AXPosition");
    if (read.error != ax::Error::success || !read.value) {
        return std::nullopt;
    }
    const ax::PackedValue* packed = read.value->packed();
    platform::Point point;
    if (packed == nullptr || packed->type != ax::PackedType::point || !ax::unpackPoint(*packed, point)) {
        return std::nullopt;
    }
    const std::vector<platform::Rect> screens = platform::appkit::screenFrames();
    if (screens.empty()) {
        return std::nullopt;  // no primary screen to flip against
    }
    return platform::Point{point.x, screens.front().size.height - point.y};
}

std::optional<platform::Size> getSize(const Element& element) {
    const ax::CopyResult read = ax::copyAttributeValue(element, "AXSize");
    if (read.error != ax::Error::success || !read.value) {
        return std::nullopt;
    }
    const ax::PackedValue* packed = read.value->packed();
    platform::Size size;
    if (packed == nullptr || !ax::unpackSize(*packed, size)) {
        return std::nullopt;
    }
    return size;
}

namespace {
std::string textOrNil(const ax::CopyResult& read) {
    if (read.value) {
        if (const std::string* text = read.value->text()) {
            return *text;
        }
    }
    return "nil";
}
}  // namespace

void printAllVisibleElements(const Element& element) {
    const std::string role = textOrNil(ax::copyAttributeValue(element, "AXRole"));
    const std::string title = textOrNil(ax::copyAttributeValue(element, "AXTitle"));
    const std::string description = textOrNil(ax::copyAttributeValue(element, "AXDescription"));
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
    const ax::CopyResult title = ax::copyAttributeValue(window, "AXTitle");
    if (title.error != ax::Error::success) {
        return std::nullopt;
    }
    const ax::CopyResult actions = ax::copyActionNames(window);
    if (actions.error != ax::Error::success || !title.value || title.value->text() == nullptr ||
        !actions.value || actions.value->list() == nullptr) {
        return std::nullopt;
    }
    WindowRecord record{window, *title.value->text(), {}};
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
    const ax::CopyResult windows = ax::copyAttributeValue(application, "AXWindows");
    if (windows.error != ax::Error::success || !windows.value || windows.value->list() == nullptr) {
        return records;
    }
    const ax::ValueList& list = *windows.value->list();
    for (const AttributeValue& entry : list) {
        if (entry.element() == nullptr) {
            return {};  // not a list of elements
        }
    }
    for (const AttributeValue& entry : list) {
        if (std::optional<WindowRecord> record = readWindowRecord(*entry.element())) {
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
