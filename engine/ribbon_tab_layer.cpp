// The ribbon-tab layer: labels the tabs, presses the one whose letters are typed and opens its
// command layer.
#include "engine/layer_context.hpp"
#include "engine/layers.hpp"
#include "engine/matching.hpp"
#include "engine/text.hpp"
#include "layer_support.hpp"
#include "platform/foundation.hpp"

namespace keytips {

using platform::foundation::log;

FirstAccessLayer::FirstAccessLayer(LayerContext& context, std::vector<Element> initialElements)
    : elements(std::move(initialElements)), context_(context) {
    const KeyTables& tables = context.activeTables();
    accessKeys = tables.ribbonKeys;
    accessKeys.insert(accessKeys.end(), tables.contextualKeys.begin(), tables.contextualKeys.end());
}

void FirstAccessLayer::open() {
    const std::optional<Element> application = getApplication(context_.profile().bundleIdentifier);
    if (!application) {
        log("Debug: Failed to get application");
        finishOpeningWithoutTabs();
        return;
    }
    const std::optional<WindowRecord> window = fetchFocusedWindow(*application);
    if (!window) {
        finishOpeningWithoutTabs();
        return;
    }
    context_.rememberWindowTitle(window->title);
    elements = fetchElementsFromFocusedWindow(*application);
    for (const Element& element : elements) {
        printAllVisibleElements(element);
    }
    std::vector<RelevantElement> result = buildRibbonAccessToolbar(elements, attributeCache);
    if (result.empty()) {
        log("Debug: No relevant elements found");
        finishOpeningWithoutTabs();
        return;
    }
    relevantElements = std::move(result);
}

void FirstAccessLayer::finishOpeningWithoutTabs() {
    // No tab of this opening may be pressed by a typed letter.
    relevantElements.clear();
    if (context_.labels().showsCategory(firstLayerCategory)) {
        return;  // the toolbar's labelled digits still serve
    }
    close();
}

std::optional<WindowRecord> FirstAccessLayer::fetchFocusedWindow(const Element& application) {
    const std::optional<Element> window = getFocusedWindow(application);
    if (!window) {
        return std::nullopt;
    }
    return readWindowRecord(*window);
}

void FirstAccessLayer::close() {
    context_.leaveFirstLayer();
    context_.labels().deleteOverlayWindowsByCategory(firstLayerCategory);
}

void FirstAccessLayer::returnLayer() { close(); }

std::optional<Element> FirstAccessLayer::findMatchingElement(const AccessKey& key) {
    return keytips::findMatchingElement(relevantElements, key, attributeCache);
}

bool FirstAccessLayer::isElementEnabled(const Element& element) { return keytips::isElementEnabled(element); }

void FirstAccessLayer::performAction(const Element& element, std::string_view role, bool press) {
    logPerformAction("", role, press);
    actOnElement(element, role, press, context_.profile().focusesBeforePress(role));
}

std::vector<RelevantElement> FirstAccessLayer::buildRibbonAccessToolbar(const std::vector<Element>& list,
                                                                        AttributeCache& cache) {
    std::vector<RelevantElement> result;
    const MatchIndex index(accessKeys, list, cache);
    for (const AccessKey& key : accessKeys) {
        const std::vector<std::size_t>& matches = index.matching(key);
        if (matches.empty()) {
            continue;
        }
        // With two or more matching elements the second one carries the label.
        const Element& candidate = list[matches.size() >= 2 ? matches[1] : matches[0]];
        const std::optional<platform::Point> position = getPosition(candidate);
        if (!position) {
            continue;
        }
        log("Position: (" + fixedDecimal(position->x) + ", " + fixedDecimal(position->y) + ")");
        result.push_back({candidate, *position, key.shortcut});
    }
    showLabels(*this, context_.labels(), result, cache, firstLayerCategory);
    return result;
}

void FirstAccessLayer::press(const std::string& key) {
    const TypedKeys typed = context_.typeKey(key, accessKeys);
    if (typed.noCandidate()) {
        log("No access keys found starting with " + context_.mode().keyBuffer());
        // A second layer can only have been announced for a key typed after this one: it ends too.
        context_.endMode(Closing::keyBuffer | Closing::firstLayerLabels);
        return;
    }
    for (const std::size_t row : typed.exactRows) {
        const AccessKey exact = accessKeys[row];
        context_.clearKeyBuffer();
        if (context_.mode().tabPressedInMode()) {
            return;  // a key-tip mode presses one tab at most
        }
        context_.enterSecondLayer();
        const std::optional<Element> element = findMatchingElement(exact);
        if (!element) {
            context_.endMode(Closing::firstLayerLabels);
            continue;
        }
        if (!isElementEnabled(*element)) {
            log("Element with title is not enabled");
            context_.endMode(Closing::firstLayerLabels);
            continue;
        }
        // A tab is selected when its "AXValue" reads 1, as an integer or as the boolean true.
        const ControlValue value = readControlValue(*element);
        if (!value.readSucceeded) {
            log("Failed to get value attribute of element with title " + exact.title.value_or(""));
        }
        log("This is the identifier: " + exact.identifier);
        context_.pressTab();
        if (value.isOn) {
            log("Value is 1");
            close();
            context_.commandAccessLayer().open(exact.identifier);
            return;
        }
        log("Performing Action " + exact.identifier);
        close();
        performAction(*element, exact.role, exact.press);
        context_.commandAccessLayer().open(exact.identifier);
    }
}

}  // namespace keytips
