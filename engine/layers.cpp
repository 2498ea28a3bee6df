#include "engine/layers.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>

#include "engine/key_tips.hpp"
#include "engine/matching.hpp"
#include "engine/text.hpp"
#include "platform/dispatch.hpp"
#include "platform/foundation.hpp"

namespace keytips {

namespace ax = platform::ax;
using platform::foundation::log;

namespace {

constexpr std::string_view quickAccessLayerName = "Quick Access";
constexpr std::size_t maxToolbarKeys = 19;  // "1" to "9", then "09" down to "00"

bool sameText(std::optional<std::string_view> value, const std::optional<std::string>& expected) {
    return value.has_value() == expected.has_value() && (!value || *value == *expected);
}

std::string uppercased(std::string_view shortcut) {
    std::string letter(shortcut);
    std::transform(letter.begin(), letter.end(), letter.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return letter;
}

std::string number(double value) {
    std::array<char, 400> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    if (text.find_first_of(".eEn") == std::string::npos) {
        text += ".0";
    }
    return text;
}

std::string titleOrNoTitle(const Element& element, AttributeCache& cache) {
    const std::optional<std::string_view> title = textOf(getAttribute(element, "AXTitle", cache));
    return title ? std::string(*title) : std::string("No Title");
}

std::string toolbarShortcut(std::size_t n) {
    return n <= 9 ? std::to_string(n) : "0" + std::to_string(19 - n);
}

std::vector<const AccessKey*> keysBeginningWith(const KeyTable& keys, std::string_view buffer) {
    std::vector<const AccessKey*> candidates;
    for (const AccessKey& key : keys) {
        if (startsWith(key.shortcut, buffer)) {
            candidates.push_back(&key);
        }
    }
    return candidates;
}

std::vector<AccessKey> exactMatches(const std::vector<const AccessKey*>& candidates,
                                    std::string_view buffer) {
    std::vector<AccessKey> exact;
    for (const AccessKey* key : candidates) {
        if (key->shortcut == buffer) {
            exact.push_back(*key);
        }
    }
    return exact;
}

void logPerformAction(std::string_view prefix, std::string_view role, bool press) {
    log(std::string(prefix) + "Performing action on element with role " + std::string(role) + " and press " +
        (press ? "true" : "false"));
}

void focusThenPress(const Element& element) {
    ax::setAttributeValue(element, "AXFocused", AttributeValue(true));
    ax::performAction(element, "AXPress");
}

// One label per relevant element, showing its shortcut in upper case; the layer decides whether the
// element counts as enabled.
template <typename Layer>
void showLabels(Layer& layer, OverlayWindows& labels, const std::vector<RelevantElement>& relevant,
                AttributeCache& cache, std::string_view category) {
    for (const RelevantElement& entry : relevant) {
        const std::string title = titleOrNoTitle(entry.element, cache);
        const bool enabled = layer.isElementEnabled(entry.element);
        labels.createOverlayWindow(entry.element, title, uppercased(entry.shortcut), category, enabled);
    }
}

// Presses a menu button or shows its menu, and presses any other element, focused first when asked.
void actOnElement(const Element& element, std::string_view role, bool press, bool focusFirst) {
    if (role == "AXMenuButton") {
        ax::performAction(element, press ? "AXPress" : "AXShowMenu");
    } else if (focusFirst) {
        focusThenPress(element);
    } else {
        ax::performAction(element, "AXPress");
    }
}

void logValueReadFailure(const Element& element, const AccessKey& key) {
    if (ax::copyAttributeValue(element, "AXValue").error != ax::Error::success) {
        log("Failed to get value attribute of element with title " + key.title.value_or(""));
    }
}

}  // namespace

// ---- Shared by the first-layer layers --------------------------------------------------------------

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

bool isElementEnabled(const Element& element) {
    const ax::CopyResult read = ax::copyAttributeValue(element, "AXEnabled");
    if (read.error == ax::Error::success && read.value) {
        if (const bool* enabled = read.value->boolean()) {
            return *enabled;
        }
    }
    return true;
}

// ---- Quick Access Toolbar layer --------------------------------------------------------------------

QuickAccessLayer::QuickAccessLayer(KeyTips& tips, std::vector<Element> initialElements)
    : elements(std::move(initialElements)), tips_(tips) {}

void QuickAccessLayer::open() {
    labelledAtLastOpening_ = false;
    const std::optional<Element> application = getApplication(tips_.profile().bundleIdentifier());
    if (!application) {
        log("VELKARO || Debug: Failed to get application");
        return;
    }
    std::vector<Element> list = fetchElementsFromFocusedWindow(*application);
    elements = list;
    for (const Element& element : list) {
        printAllVisibleElements(element);
    }
    relevantElements = buildQuickAccessToolbar(list, attributeCache);
    labelledAtLastOpening_ = !relevantElements.empty();
}

void QuickAccessLayer::close() {
    labelledAtLastOpening_ = false;
    tips_.labels.deleteOverlayWindowsByCategory(firstLayerCategory);
}

std::optional<Element> QuickAccessLayer::findMatchingElement(const AccessKey& key) {
    return keytips::findMatchingElement(relevantElements, key, attributeCache);
}

bool QuickAccessLayer::isElementEnabled(const Element& element) { return keytips::isElementEnabled(element); }

void QuickAccessLayer::performAction(const Element& element, std::string_view role, bool press) {
    logPerformAction("VELKARO || ", role, press);
    actOnElement(element, role, press, role == "AXComboBox");
}

std::vector<RelevantElement> QuickAccessLayer::buildQuickAccessToolbar(const std::vector<Element>& list,
                                                                       AttributeCache& cache) {
    std::erase_if(accessKeys, [](const AccessKey& key) {
        return std::find(key.source.begin(), key.source.end(), quickAccessLayerName) != key.source.end();
    });

    // The toolbar's row: the customise menu button, or failing that the search button.
    const std::string_view anchorTitle = tips_.language == tips_.profile().ukLanguage()
                                             ? "Customise Quick Access Toolbar"
                                             : "Customize Quick Access Toolbar";
    const auto findAnchor = [&](std::string_view role, std::string_view title) {
        for (const Element& element : list) {
            const std::optional<std::string_view> elementRole =
                textOf(getAttribute(element, "AXRole", cache));
            const AttributeValue* titleValue = getAttribute(element, "AXTitle", cache);
            if (!elementRole || (titleValue != nullptr && titleValue->text() == nullptr)) {
                continue;
            }
            if (*elementRole != role || titleValue == nullptr || *titleValue->text() != title) {
                continue;
            }
            if (const std::optional<platform::Point> position = getPosition(element)) {
                tips_.toolbarYCoordinate = position->y;
                tips_.toolbarXCoordinate = position->x;
                return true;
            }
        }
        return false;
    };
    if (!findAnchor("AXMenuButton", anchorTitle)) {
        findAnchor("AXButton", "Search (Cmd + Ctrl + U)");
    }

    std::vector<RelevantElement> result;
    if (!tips_.toolbarXCoordinate || !tips_.toolbarYCoordinate) {
        return result;
    }
    std::set<std::string, std::less<>> seenTitles;
    for (const Element& element : list) {
        if (result.size() == maxToolbarKeys) {
            break;
        }
        const std::optional<std::string_view> role = textOf(getAttribute(element, "AXRole", cache));
        const AttributeValue* titleValue = getAttribute(element, "AXTitle", cache);
        if (!role || (titleValue != nullptr && titleValue->text() == nullptr)) {
            continue;
        }
        const AttributeValue* descriptionValue = getAttribute(element, "AXDescription", cache);
        if (descriptionValue != nullptr && descriptionValue->text() == nullptr) {
            continue;
        }
        const std::optional<platform::Point> position = getPosition(element);
        if (!position || position->y != *tips_.toolbarYCoordinate ||
            position->x >= *tips_.toolbarXCoordinate) {
            continue;
        }
        const std::optional<std::string_view> title = textOf(titleValue);
        if (!seenTitles.emplace(title.value_or("")).second) {
            continue;
        }
        const std::string shortcut = toolbarShortcut(result.size() + 1);
        const std::optional<std::string_view> description = textOf(descriptionValue);
        accessKeys.push_back(
            AccessKey{{std::string(quickAccessLayerName)},
                      std::string(quickAccessLayerName) + " " + shortcut,
                      shortcut,
                      std::string(*role),
                      title ? std::optional<std::string>(*title) : std::nullopt,
                      description ? std::optional<std::string>(*description) : std::nullopt});
        result.push_back({element, *position, shortcut});
    }
    showLabels(*this, tips_.labels, result, cache, firstLayerCategory);
    return result;
}

void QuickAccessLayer::press(const std::string& key) {
    tips_.keyBuffer += key;
    const std::vector<const AccessKey*> candidates = keysBeginningWith(accessKeys, tips_.keyBuffer);
    if (candidates.empty()) {
        log("VELKARO || QAT: No access keys found starting with " + tips_.keyBuffer);
        tips_.keyBuffer.clear();
        tips_.isFirstLayerActive = false;
        close();
        return;
    }
    for (const AccessKey& exact : exactMatches(candidates, tips_.keyBuffer)) {
        tips_.keyBuffer.clear();
        tips_.isFirstLayerActive = false;
        const std::optional<Element> element = findMatchingElement(exact);
        if (!element || !isElementEnabled(*element)) {
            if (tips_.profile().quickAccessLogsDisabledButton()) {
                log("Element with title is not enabled");
            }
            tips_.isSecondLayerActive = false;
            tips_.keyBuffer.clear();
            close();
            return;
        }
        logValueReadFailure(*element, exact);
        // The labels go first; the button is pressed a moment later, once they are off the screen.
        // Both belong to this key-tip mode: a mode opened meanwhile keeps its labels and is not acted in.
        platform::dispatch::detachTask([this, target = *element, exact, generation = tips_.modeGeneration] {
            platform::dispatch::mainAsync([this, generation] {
                if (generation == tips_.modeGeneration) {
                    close();
                }
            });
            platform::dispatch::mainAsyncAfter(0.1, [this, target, exact, generation] {
                if (generation == tips_.modeGeneration) {
                    performAction(target, exact.role, exact.press);
                }
            });
        });
    }
}

// ---- Ribbon-tab layer ------------------------------------------------------------------------------

FirstAccessLayer::FirstAccessLayer(KeyTips& tips, std::vector<Element> initialElements)
    : elements(std::move(initialElements)), tips_(tips) {
    accessKeys = tips.AccessKeys.ribbonKeys;
    accessKeys.insert(accessKeys.end(), tips.AccessKeys.contextualKeys.begin(),
                      tips.AccessKeys.contextualKeys.end());
}

void FirstAccessLayer::open() {
    const std::optional<Element> application = getApplication(tips_.profile().bundleIdentifier());
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
    if (tips_.quickAccessLayer().labelledAtLastOpening()) {
        return;  // the toolbar's digits still serve
    }
    tips_.isFirstLayerActive = false;
    tips_.labels.deleteOverlayWindowsByCategory(firstLayerCategory);
}

std::optional<WindowRecord> FirstAccessLayer::fetchFocusedWindow(const Element& application) {
    const ax::CopyResult focused = ax::copyAttributeValue(application, "AXFocusedWindow");
    if (focused.error != ax::Error::success || !focused.value || focused.value->element() == nullptr) {
        return std::nullopt;
    }
    return readWindowRecord(*focused.value->element());
}

void FirstAccessLayer::close() {
    tips_.isFirstLayerActive = false;
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
        log("Position: (" + number(position->x) + ", " + number(position->y) + ")");
        result.push_back({candidate, *position, key.shortcut});
    }
    showLabels(*this, tips_.labels, result, cache, firstLayerCategory);
    return result;
}

void FirstAccessLayer::press(const std::string& key) {
    tips_.keyBuffer += key;
    const std::vector<const AccessKey*> candidates = keysBeginningWith(accessKeys, tips_.keyBuffer);
    if (candidates.empty()) {
        log("No access keys found starting with " + tips_.keyBuffer);
        tips_.keyBuffer.clear();
        // A second layer can only have been announced for a key typed after this one: it ends too.
        tips_.isSecondLayerActive = false;
        close();
        return;
    }
    for (const AccessKey& exact : exactMatches(candidates, tips_.keyBuffer)) {
        tips_.keyBuffer.clear();
        tips_.isFirstLayerActive = false;
        tips_.isSecondLayerActive = true;
        const std::optional<Element> element = findMatchingElement(exact);
        if (!element) {
            tips_.isSecondLayerActive = false;
            close();
            continue;
        }
        if (!isElementEnabled(*element)) {
            log("Element with title is not enabled");
            tips_.isSecondLayerActive = false;
            close();
            continue;
        }
        const ax::CopyResult value = ax::copyAttributeValue(*element, "AXValue");
        if (value.error != ax::Error::success) {
            log("Failed to get value attribute of element with title " + exact.title.value_or(""));
        }
        log("This is the identifier: " + exact.identifier);
        const std::int64_t* selected = value.value ? value.value->integer() : nullptr;
        if (selected != nullptr && *selected == 1) {
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

// ---- Command layer ---------------------------------------------------------------------------------

CommandAccessLayer::CommandAccessLayer(KeyTips& tips, std::vector<Element> initialElements)
    : FirstAccessLayer(tips, std::move(initialElements)) {
    currentLayer = "second";
    accessKeys.clear();
}

void CommandAccessLayer::close() { tips_.labels.deleteOverlayWindowsByCategory(currentLayer); }

void CommandAccessLayer::open(const std::string& source) {
    tips_.layerHistory.push_back(source);
    log("This is the source: " + source);
    accessKeys.clear();
    for (const AccessKey& key : tips_.AccessKeys.sharedKeys) {
        if (std::find(key.source.begin(), key.source.end(), source) != key.source.end()) {
            accessKeys.push_back(key);
        }
    }
    const std::optional<Element> application = getApplication(tips_.profile().bundleIdentifier());
    if (!application) {
        return;
    }
    for (const WindowRecord& window : fetchAllWindows(*application)) {
        log("VELKARO WINDOWS || Window Title: " + window.title);
    }
    elements = fetchElementsFromFocusedWindow(*application);
    for (const Element& element : elements) {
        printAllVisibleElements(element);
    }
    if (source == "Font Color" || source == "Shading" || source == "Line Color") {
        // Moves the focus into the colour gallery: onto its second radio button.
        int radioButtons = 0;
        for (const Element& element : elements) {
            const ax::CopyResult role = ax::copyAttributeValue(element, "AXRole");
            if (role.error == ax::Error::success && role.value && role.value->text() != nullptr &&
                *role.value->text() == "AXRadioButton" && ++radioButtons == 2) {
                ax::setAttributeValue(element, "AXFocused", AttributeValue(true));
                break;
            }
        }
    }
    relevantElements = buildLayerAccessToolbar(sourceLayer, elements, attributeCache).first;
}

std::pair<std::vector<RelevantElement>, std::unordered_map<std::string, Element>>
CommandAccessLayer::buildLayerAccessToolbar(const std::string& /*source*/, const std::vector<Element>& list,
                                            AttributeCache& cache) {
    std::vector<RelevantElement> result;
    std::vector<Element> candidates;
    if (tips_.toolbarYCoordinate) {
        for (const Element& element : list) {
            const std::optional<platform::Point> position = getPosition(element);
            if (position && position->y < *tips_.toolbarYCoordinate) {
                candidates.push_back(element);
            }
        }
    }
    const MatchIndex index(accessKeys, candidates, cache);
    const bool lastMatchFirst = tips_.layerHistory.size() > 1;
    std::vector<platform::Point> usedPositions;
    for (const AccessKey& key : accessKeys) {
        const std::vector<std::size_t>& matches = index.matching(key);
        for (std::size_t k = 0; k < matches.size(); ++k) {
            const Element& element = candidates[matches[lastMatchFirst ? matches.size() - 1 - k : k]];
            const std::optional<platform::Point> position = getPosition(element);
            if (!position ||
                std::find(usedPositions.begin(), usedPositions.end(), *position) != usedPositions.end()) {
                continue;
            }
            usedPositions.push_back(*position);
            accessKeyToElement.insert_or_assign(key.identifier, element);
            result.push_back({element, *position, key.shortcut});
            break;
        }
    }
    showLabels(*this, tips_.labels, result, cache, currentLayer);
    return {std::move(result), accessKeyToElement};
}

void CommandAccessLayer::press(const std::string& key) {
    tips_.keyBuffer += key;
    const std::vector<const AccessKey*> candidates = keysBeginningWith(accessKeys, tips_.keyBuffer);
    if (candidates.empty()) {
        log("VELKARO || Layer 2: No access keys found starting with " + tips_.keyBuffer);
        tips_.keyBuffer.clear();
        tips_.isFirstLayerActive = false;
        tips_.isSecondLayerActive = false;
        close();
        closeWindow();
        tips_.layerHistory.clear();
        return;
    }
    // Opening a layer replaces the key list, so the matches are copied first.
    for (const AccessKey& exact : exactMatches(candidates, tips_.keyBuffer)) {
        tips_.keyBuffer.clear();
        const auto recorded = accessKeyToElement.find(exact.identifier);
        if (recorded == accessKeyToElement.end() || !isElementEnabled(recorded->second)) {
            tips_.isSecondLayerActive = false;
            tips_.layerHistory.clear();
            close();
            closeWindow();
            continue;
        }
        const Element element = recorded->second;
        if (exact.isLastCommand) {
            tips_.isSecondLayerActive = false;
            tips_.layerHistory.clear();
            close();
            performAction(element, exact.role, exact.press);
            continue;
        }
        // An earlier match of this shortcut may have ended the second layer; the layer opened now
        // takes the typed keys again.
        tips_.isSecondLayerActive = true;
        close();
        performAction(element, exact.role, exact.press);
        open(exact.identifier);
        break;
    }
}

std::vector<WindowRecord> CommandAccessLayer::fetchAllWindows(const Element& application) {
    return keytips::fetchAllWindows(application);
}

void CommandAccessLayer::closeWindow() {
    const std::optional<Element> application = getApplication(tips_.profile().bundleIdentifier());
    if (!application) {
        return;
    }
    const std::vector<WindowRecord> windows = fetchAllWindows(*application);
    for (const WindowRecord& window : windows) {
        log("Window Title: " + window.title);
        log("Possible Actions: " + describeNames(window.actions));
    }
    const auto remembered = std::find_if(windows.begin(), windows.end(), [this](const WindowRecord& window) {
        return window.title == tips_.windowTitle;
    });
    if (remembered != windows.end()) {
        ax::performAction(remembered->window, "AXRaise");
    } else {
        log("No window found with title: " + tips_.windowTitle);
    }
    for (const Element& element : fetchElementsFromFocusedWindow(*application)) {
        const ax::CopyResult role = ax::copyAttributeValue(element, "AXRole");
        if (role.error == ax::Error::success && role.value && role.value->text() != nullptr &&
            *role.value->text() == "AXPopover") {
            ax::performAction(element, "AXCancel");
        }
    }
}

void CommandAccessLayer::returnLayer() {
    if (tips_.layerHistory.size() < 2) {
        log("Returning to Ribbon Bar");
        tips_.isFirstLayerActive = true;
        tips_.isSecondLayerActive = false;
        close();
        closeWindow();
        tips_.firstAccessLayer().open();
        return;
    }
    log("Returning to Command Bar");
    tips_.layerHistory.pop_back();
    close();
    closeWindow();
    const std::string previous = tips_.layerHistory.back();
    open(previous);
    tips_.layerHistory.pop_back();
}

}  // namespace keytips
