// The command layer: one level below the tabs at a time (a tab, group, menu or gallery), its labels,
// its presses, and the host window's restoration when key-tip mode ends.
#include <algorithm>
#include <array>

#include "engine/layer_context.hpp"
#include "engine/layers.hpp"
#include "engine/matching.hpp"
#include "layer_support.hpp"
#include "platform/foundation.hpp"

namespace keytips {

namespace ax = platform::ax;
using platform::foundation::log;

namespace {

// The layers that open a colour gallery, whose focus moves into the gallery when they open.
constexpr std::array<std::string_view, 3> colourGalleryLayers = {"Font Color", "Shading", "Line Color"};

}  // namespace

CommandAccessLayer::CommandAccessLayer(LayerContext& context, std::vector<Element> initialElements)
    : FirstAccessLayer(context, std::move(initialElements)) {
    currentLayer = commandLayerCategory;
    accessKeys.clear();
}

void CommandAccessLayer::close() { context_.labels().deleteOverlayWindowsByCategory(currentLayer); }

void CommandAccessLayer::open(const std::string& source) {
    context_.enterLayer(source);
    log("This is the source: " + source);
    accessKeys.clear();
    for (const AccessKey& key : context_.activeTables().sharedKeys) {
        if (std::find(key.source.begin(), key.source.end(), source) != key.source.end()) {
            accessKeys.push_back(key);
        }
    }
    labelledElements_.assign(accessKeys.size(), std::nullopt);
    const std::optional<Element> application = getApplication(context_.profile().bundleIdentifier);
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
    if (std::find(colourGalleryLayers.begin(), colourGalleryLayers.end(), source) !=
        colourGalleryLayers.end()) {
        // Moves the focus into the colour gallery: onto its second radio button.
        int radioButtons = 0;
        for (const Element& element : elements) {
            if (readText(element, "AXRole") == "AXRadioButton" && ++radioButtons == 2) {
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
    if (const std::optional<double> toolbarY = context_.toolbarYCoordinate()) {
        for (const Element& element : list) {
            const std::optional<platform::Point> position = getPosition(element);
            if (position && position->y < *toolbarY) {
                candidates.push_back(element);
            }
        }
    }
    const MatchIndex index(accessKeys, candidates, cache);
    const bool lastMatchFirst = context_.mode().layerHistory().size() > 1;
    std::vector<platform::Point> usedPositions;
    labelledElements_.assign(accessKeys.size(), std::nullopt);
    for (std::size_t row = 0; row < accessKeys.size(); ++row) {
        const AccessKey& key = accessKeys[row];
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
            labelledElements_[row] = element;
            result.push_back({element, *position, key.shortcut});
            break;
        }
    }
    showLabels(*this, context_.labels(), result, cache, currentLayer);
    return {std::move(result), accessKeyToElement};
}

void CommandAccessLayer::press(const std::string& key) {
    const TypedKeys typed = context_.typeKey(key, accessKeys);
    if (typed.noCandidate()) {
        log("VELKARO || Layer 2: No access keys found starting with " + context_.mode().keyBuffer());
        context_.endMode(Closing::keyBuffer | Closing::commandLabels | Closing::hostWindow |
                         Closing::layerHistory);
        return;
    }
    // Opening a layer replaces the key list, so the matches are copied first, each with the element it
    // labelled at this opening, or else the element filed under its identifier at this opening.
    std::vector<std::pair<AccessKey, std::optional<Element>>> matches;
    for (const std::size_t row : typed.exactRows) {
        std::optional<Element> element =
            row < labelledElements_.size() ? labelledElements_[row] : std::nullopt;
        if (!element) {
            element = elementFiledInThisOpening(accessKeys[row].identifier);
        }
        matches.emplace_back(accessKeys[row], element);
    }
    for (const auto& [exact, found] : matches) {
        context_.clearKeyBuffer();
        if (!found || !isElementEnabled(*found)) {
            context_.endMode(Closing::commandLabels | Closing::hostWindow | Closing::layerHistory);
            continue;
        }
        const Element element = *found;
        if (exact.isLastCommand) {
            context_.endMode(Closing::commandLabels | Closing::layerHistory);
            performAction(element, exact.role, exact.press);
            continue;
        }
        // An earlier match of this shortcut may have ended the second layer; the layer opened now
        // takes the typed keys again.
        context_.enterSecondLayer();
        close();
        performAction(element, exact.role, exact.press);
        open(exact.identifier);
        break;
    }
}

std::optional<Element> CommandAccessLayer::elementFiledInThisOpening(const std::string& identifier) const {
    // The map keeps what earlier openings filed too; those elements may be hidden controls of another
    // tab, so only an identifier one of this opening's keys labelled counts.
    bool filedNow = false;
    for (std::size_t row = 0; row < accessKeys.size() && row < labelledElements_.size(); ++row) {
        filedNow = filedNow || (labelledElements_[row] && accessKeys[row].identifier == identifier);
    }
    const auto recorded = accessKeyToElement.find(identifier);
    if (!filedNow || recorded == accessKeyToElement.end()) {
        return std::nullopt;
    }
    return recorded->second;
}

std::vector<WindowRecord> CommandAccessLayer::fetchAllWindows(const Element& application) {
    return keytips::fetchAllWindows(application);
}

void CommandAccessLayer::closeWindow() {
    const std::optional<Element> application = getApplication(context_.profile().bundleIdentifier);
    if (!application) {
        return;
    }
    const std::vector<WindowRecord> windows = fetchAllWindows(*application);
    for (const WindowRecord& window : windows) {
        log("Window Title: " + window.title);
        log("Possible Actions: " + describeNames(window.actions));
    }
    const auto remembered = std::find_if(windows.begin(), windows.end(), [this](const WindowRecord& window) {
        return window.title == context_.windowTitle();
    });
    if (remembered != windows.end()) {
        ax::performAction(remembered->window, "AXRaise");
    } else {
        log("No window found with title: " + context_.windowTitle());
    }
    for (const Element& element : fetchElementsFromFocusedWindow(*application)) {
        if (readText(element, "AXRole") == "AXPopover") {
            ax::performAction(element, "AXCancel");
        }
    }
}

void CommandAccessLayer::returnLayer() {
    if (context_.mode().layerHistory().size() < 2) {
        log("Returning to Ribbon Bar");
        context_.returnToFirstLayer();
        close();
        closeWindow();
        context_.firstAccessLayer().open();
        return;
    }
    log("Returning to Command Bar");
    context_.leaveLayer();
    close();
    closeWindow();
    const std::string previous = context_.mode().layerHistory().back();
    open(previous);
    context_.leaveLayer();
}

}  // namespace keytips
