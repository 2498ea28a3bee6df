// The Quick Access Toolbar layer: numbers the buttons on the toolbar's row and presses the one whose
// number is typed.
#include <algorithm>
#include <set>

#include "engine/layer_context.hpp"
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

QuickAccessLayer::QuickAccessLayer(LayerContext& context, std::vector<Element> initialElements)
    : elements(std::move(initialElements)), context_(context) {}

void QuickAccessLayer::open() {
    const std::optional<Element> application = getApplication(context_.profile().bundleIdentifier);
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

void QuickAccessLayer::close() { context_.labels().deleteOverlayWindowsByCategory(firstLayerCategory); }

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

void QuickAccessLayer::findToolbarAnchor(const std::vector<Element>& list, AttributeCache& cache) {
    const std::string_view anchorTitle = context_.language() == context_.profile().ukLanguage
                                             ? "Customise Quick Access Toolbar"
                                             : "Customize Quick Access Toolbar";
    const auto findAnchor = [&](std::string_view role, std::string_view title) {
        for (const Element& element : list) {
            const CachedText elementRole = getCachedText(element, "AXRole", cache);
            const CachedText elementTitle = getCachedText(element, "AXTitle", cache);
            if (elementRole.text() != role || elementTitle.text() != title) {
                continue;
            }
            if (const std::optional<platform::Point> position = getPosition(element)) {
                context_.rememberToolbarRow(*position);
                return true;
            }
        }
        return false;
    };
    if (!findAnchor("AXMenuButton", anchorTitle)) {
        findAnchor("AXButton", "Search (Cmd + Ctrl + U)");
    }
}

std::vector<RelevantElement> QuickAccessLayer::numberToolbarButtons(const std::vector<Element>& list,
                                                                    AttributeCache& cache) {
    std::vector<RelevantElement> result;
    const std::optional<double> anchorX = context_.toolbarXCoordinate();
    const std::optional<double> anchorY = context_.toolbarYCoordinate();
    if (!anchorX || !anchorY) {
        return result;
    }
    std::set<std::string, std::less<>> seenTitles;
    for (const Element& element : list) {
        if (result.size() == toolbarKeyCount) {
            break;
        }
        const CachedText role = getCachedText(element, "AXRole", cache);
        const CachedText title = getCachedText(element, "AXTitle", cache);
        if (!role.isText() || title.isNotText()) {
            continue;
        }
        const CachedText description = getCachedText(element, "AXDescription", cache);
        if (description.isNotText()) {
            continue;
        }
        const std::optional<platform::Point> position = getPosition(element);
        if (!position || position->y != *anchorY || position->x >= *anchorX) {
            continue;
        }
        if (!seenTitles.emplace(title.text().value_or("")).second) {
            continue;
        }
        const std::string shortcut = toolbarShortcut(result.size() + 1);
        accessKeys.push_back(AccessKey{{std::string(quickAccessLayerName)},
                                       std::string(quickAccessLayerName) + " " + shortcut,
                                       shortcut,
                                       std::string(*role.text()),
                                       title.ownedText(),
                                       description.ownedText()});
        result.push_back({element, *position, shortcut});
    }
    showLabels(*this, context_.labels(), result, cache, firstLayerCategory);
    return result;
}

void QuickAccessLayer::press(const std::string& key) {
    const TypedKeys typed = context_.typeKey(key, accessKeys);
    if (typed.noCandidate()) {
        log("VELKARO || QAT: No access keys found starting with " + context_.mode().keyBuffer());
        // The mode ends, with a second layer that a key typed after this one may have announced.
        context_.endMode(Closing::keyBuffer | Closing::firstLayerLabels);
        return;
    }
    for (const std::size_t row : typed.exactRows) {
        const AccessKey exact = accessKeys[row];
        // A toolbar press ends key-tip mode: keys typed after this one press no tab.
        context_.endMode(Closing::keyBuffer);
        const std::optional<Element> element = findMatchingElement(exact);
        if (!element || !isElementEnabled(*element)) {
            if (context_.profile().quickAccessLogsDisabledButton) {
                log("Element with title is not enabled");
            }
            close();
            return;
        }
        logValueReadFailure(*element, exact);
        // The labels go first; the button is pressed a moment later, once they are off the screen.
        // Both belong to this session, which outlives the mode the press ended. Both are dropped when
        // the session ends meanwhile: by the user, or by a new mode, which keeps its labels and is not
        // acted in.
        platform::dispatch::detachTask(
            [closeLabels = context_.guard(BlockScope::session, [this] { close(); }),
             pressButton = context_.guard(BlockScope::session, [this, target = *element, exact] {
                 performAction(target, exact.role, exact.press);
             })] {
                platform::dispatch::mainAsync(closeLabels);
                platform::dispatch::mainAsyncAfter(0.1, pressButton);
            });
    }
}

}  // namespace keytips
