// The Quick Access Toolbar layer: numbers the buttons on the toolbar's row and presses the one whose
// number is typed.
#include <algorithm>
#include <set>

#include "engine/key_tips.hpp"
#include "engine/layers.hpp"
#include "engine/text.hpp"
#include "layer_support.hpp"
#include "platform/dispatch.hpp"
#include "platform/foundation.hpp"

namespace keytips {

using platform::foundation::log;

namespace {

constexpr std::string_view quickAccessLayerName = "Quick Access";
// The toolbar's keys: "1" to "9", then "09" down to "00".
constexpr std::size_t toolbarKeyCount = 19;

std::string toolbarShortcut(std::size_t n) {
    return n <= 9 ? std::to_string(n) : "0" + std::to_string(toolbarKeyCount - n);
}

void logValueReadFailure(const Element& element, const AccessKey& key) {
    if (!readControlValue(element).readSucceeded) {
        log("Failed to get value attribute of element with title " + key.title.value_or(""));
    }
}

}  // namespace

QuickAccessLayer::QuickAccessLayer(KeyTips& tips, std::vector<Element> initialElements)
    : elements(std::move(initialElements)), tips_(tips) {}

void QuickAccessLayer::open() {
    const std::optional<Element> application = getApplication(tips_.profile().bundleIdentifier);
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
}

void QuickAccessLayer::close() { tips_.labels.deleteOverlayWindowsByCategory(firstLayerCategory); }

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
    findToolbarAnchor(list, cache);
    return numberToolbarButtons(list, cache);
}

bool QuickAccessLayer::findToolbarAnchor(const std::vector<Element>& list, AttributeCache& cache) {
    const std::string_view anchorTitle = tips_.language == tips_.profile().ukLanguage
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
    return findAnchor("AXMenuButton", anchorTitle) || findAnchor("AXButton", "Search (Cmd + Ctrl + U)");
}

std::vector<RelevantElement> QuickAccessLayer::numberToolbarButtons(const std::vector<Element>& list,
                                                                    AttributeCache& cache) {
    std::vector<RelevantElement> result;
    if (!tips_.toolbarXCoordinate || !tips_.toolbarYCoordinate) {
        return result;
    }
    std::set<std::string, std::less<>> seenTitles;
    for (const Element& element : list) {
        if (result.size() == toolbarKeyCount) {
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
    const KeyTable candidates = keysBeginningWith(accessKeys, tips_.keyBuffer);
    if (candidates.empty()) {
        log("VELKARO || QAT: No access keys found starting with " + tips_.keyBuffer);
        // The mode ends, with a second layer that a key typed after this one may have announced.
        tips_.endMode(KeyTips::Closing::keyBuffer | KeyTips::Closing::firstLayerLabels);
        return;
    }
    for (const AccessKey& exact : exactMatches(candidates, tips_.keyBuffer)) {
        // A toolbar press ends key-tip mode: keys typed after this one press no tab.
        tips_.endMode(KeyTips::Closing::keyBuffer);
        const std::optional<Element> element = findMatchingElement(exact);
        if (!element || !isElementEnabled(*element)) {
            if (tips_.profile().quickAccessLogsDisabledButton) {
                log("Element with title is not enabled");
            }
            close();
            return;
        }
        logValueReadFailure(*element, exact);
        // The labels go first; the button is pressed a moment later, once they are off the screen.
        // Both belong to this session, which outlives the mode the press ended: a mode opened meanwhile
        // keeps its labels and is not acted in, and the press is dropped when the user ends the session.
        platform::dispatch::detachTask(
            [closeLabels = tips_.guard(KeyTips::BlockScope::session, [this] { close(); }),
             pressButton = tips_.guard(KeyTips::BlockScope::session, [this, target = *element, exact] {
                 performAction(target, exact.role, exact.press);
             })] {
                platform::dispatch::mainAsync(closeLabels);
                platform::dispatch::mainAsyncAfter(0.1, pressButton);
            });
    }
}

}  // namespace keytips
