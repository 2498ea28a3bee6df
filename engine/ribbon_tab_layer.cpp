// The ribbon-tab layer: labels the tabs, presses the one whose letters are typed and opens its
// command layer.
#include <array>

#include "engine/key_tips.hpp"
#include "engine/layers.hpp"
#include "engine/matching.hpp"
#include "engine/text.hpp"
#include "layer_support.hpp"
#include "platform/foundation.hpp"

namespace keytips {

using platform::foundation::log;

FirstAccessLayer::FirstAccessLayer(KeyTips& tips, std::vector<Element> initialElements)
    : elements(std::move(initialElements)), tips_(tips) {
    accessKeys = tips.AccessKeys.ribbonKeys;
    accessKeys.insert(accessKeys.end(), tips.AccessKeys.contextualKeys.begin(),
                      tips.AccessKeys.contextualKeys.end());
}

void FirstAccessLayer::open() {
    const std::optional<Element> application = getApplication(tips_.profile().bundleIdentifier);
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
    tips_.windowTitle = window->title;
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
    if (tips_.labels.showsCategory(firstLayerCategory)) {
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
    tips_.leaveFirstLayer();
    tips_.labels.deleteOverlayWindowsByCategory(firstLayerCategory);
}

void FirstAccessLayer::returnLayer() { close(); }

std::optional<Element> FirstAccessLayer::findMatchingElement(const AccessKey& key) {
    return keytips::findMatchingElement(relevantElements, key, attributeCache);
}

bool FirstAccessLayer::isElementEnabled(const Element& element) { return keytips::isElementEnabled(element); }

void FirstAccessLayer::performAction(const Element& element, std::string_view role, bool press) {
    logPerformAction("", role, press);
    actOnElement(element, role, press, tips_.profile().focusesBeforePress(role));
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
    showLabels(*this, tips_.labels, result, cache, firstLayerCategory);
    return result;
}

void FirstAccessLayer::press(const std::string& key) {
    tips_.keyBuffer += key;
    const KeyTable candidates = keysBeginningWith(accessKeys, tips_.keyBuffer);
    if (candidates.empty()) {
        log("No access keys found starting with " + tips_.keyBuffer);
        // A second layer can only have been announced for a key typed after this one: it ends too.
        tips_.endMode(KeyTips::Closing::keyBuffer | KeyTips::Closing::firstLayerLabels);
        return;
    }
    for (const AccessKey& exact : exactMatches(candidates, tips_.keyBuffer)) {
        tips_.keyBuffer.clear();
        if (tips_.tabPressedInMode) {
            return;  // a key-tip mode presses one tab at most
        }
        tips_.enterSecondLayer();
        const std::optional<Element> element = findMatchingElement(exact);
        if (!element) {
            tips_.endMode(KeyTips::Closing::firstLayerLabels);
            continue;
        }
        if (!isElementEnabled(*element)) {
            log("Element with title is not enabled");
            tips_.endMode(KeyTips::Closing::firstLayerLabels);
            continue;
        }
        // A tab is selected when its "AXValue" reads 1, as an integer or as the boolean true.
        const ControlValue value = readControlValue(*element);
        if (!value.readSucceeded) {
            log("Failed to get value attribute of element with title " + exact.title.value_or(""));
        }
        log("This is the identifier: " + exact.identifier);
        tips_.tabPressedInMode = true;
        if (value.isOn) {
            log("Value is 1");
            close();
            tips_.commandAccessLayer().open(exact.identifier);
            return;
        }
        log("Performing Action " + exact.identifier);
        close();
        performAction(*element, exact.role, exact.press);
        tips_.commandAccessLayer().open(exact.identifier);
    }
}

}  // namespace keytips
