// The three layers of key-tip mode: the Quick Access Toolbar layer and the ribbon-tab layer (the
// first layer), and the command layer (every level below the tabs).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/access_key.hpp"
#include "engine/accessibility.hpp"

namespace keytips {

class LayerContext;

// The label category of every first-layer label.
inline constexpr std::string_view firstLayerCategory = "layerAccessToolbar";
// The label category of every command-layer label, which is also the command layer's `currentLayer`.
inline constexpr std::string_view commandLayerCategory = "second";

// Behaviour the Quick Access Toolbar and ribbon-tab layers share.
// The first entry of `relevantElements` whose role, title and description (through the cache; a
// missing or non-text value counts as absent) equal the key's; logs what it found.
std::optional<Element> findMatchingElement(const std::vector<RelevantElement>& relevantElements,
                                           const AccessKey& key, AttributeCache& cache);
// "AXEnabled" read from the host; true unless it reads as the boolean false.
bool isElementEnabled(const Element& element);

class QuickAccessLayer {
public:
    QuickAccessLayer(LayerContext& context, std::vector<Element> elements);
    virtual ~QuickAccessLayer() = default;
    QuickAccessLayer(const QuickAccessLayer&) = delete;
    QuickAccessLayer& operator=(const QuickAccessLayer&) = delete;
    QuickAccessLayer(QuickAccessLayer&&) = delete;
    QuickAccessLayer& operator=(QuickAccessLayer&&) = delete;

    virtual void open();
    virtual void close();
    virtual std::optional<Element> findMatchingElement(const AccessKey& key);
    virtual void performAction(const Element& element, std::string_view role, bool press);
    virtual void press(const std::string& key);
    virtual std::vector<RelevantElement> buildQuickAccessToolbar(const std::vector<Element>& elements,
                                                                 AttributeCache& attributeCache);
    virtual bool isElementEnabled(const Element& element);

    std::string currentLayer = "first";
    std::string sourceLayer = "None";  // intended: never changed, no layer reads it
    std::vector<Element> elements;
    AttributeCache attributeCache;
    std::vector<RelevantElement> relevantElements;
    KeyTable accessKeys;

protected:
    // What the layer may do with its engine.
    LayerContext& context_;

private:
    // Records the position of the toolbar's row anchor (the customise menu button, failing that the
    // search button) as the toolbar's coordinates; when neither is found with a position, those of an
    // earlier opening stay.
    void findToolbarAnchor(const std::vector<Element>& elements, AttributeCache& attributeCache);
    // Numbers the buttons left of the anchor on its row, one key per distinct title, and labels them.
    std::vector<RelevantElement> numberToolbarButtons(const std::vector<Element>& elements,
                                                      AttributeCache& attributeCache);
};

class FirstAccessLayer {
public:
    FirstAccessLayer(LayerContext& context, std::vector<Element> elements);
    virtual ~FirstAccessLayer() = default;
    FirstAccessLayer(const FirstAccessLayer&) = delete;
    FirstAccessLayer& operator=(const FirstAccessLayer&) = delete;
    FirstAccessLayer(FirstAccessLayer&&) = delete;
    FirstAccessLayer& operator=(FirstAccessLayer&&) = delete;

    virtual void open();
    virtual std::optional<WindowRecord> fetchFocusedWindow(const Element& application);
    virtual void close();
    virtual void returnLayer();
    virtual std::optional<Element> findMatchingElement(const AccessKey& key);
    virtual void performAction(const Element& element, std::string_view role, bool press);
    virtual void press(const std::string& key);
    virtual std::vector<RelevantElement> buildRibbonAccessToolbar(const std::vector<Element>& elements,
                                                                  AttributeCache& attributeCache);
    virtual bool isElementEnabled(const Element& element);

    std::string currentLayer = "first";
    std::string sourceLayer = "None";  // intended: never changed; the command layer builds with it as is
    std::vector<Element> elements;
    AttributeCache attributeCache;
    std::vector<RelevantElement> relevantElements;
    std::unordered_map<std::string, Element> accessKeyToElement;
    KeyTable accessKeys;

protected:
    // What the layer may do with its engine.
    LayerContext& context_;

private:
    // Ends an opening that labelled no tab: the first layer stays while toolbar buttons carry labels.
    void finishOpeningWithoutTabs();
};

class CommandAccessLayer : public FirstAccessLayer {
public:
    CommandAccessLayer(LayerContext& context, std::vector<Element> elements);

    void close() override;
    void returnLayer() override;
    void press(const std::string& key) override;

    virtual void open(const std::string& source);
    // Intended: the map returned is a copy of `accessKeyToElement`, which no caller reads.
    virtual std::pair<std::vector<RelevantElement>, std::unordered_map<std::string, Element>>
    buildLayerAccessToolbar(const std::string& source, const std::vector<Element>& elements,
                            AttributeCache& attributeCache);
    virtual std::vector<WindowRecord> fetchAllWindows(const Element& application);
    virtual void closeWindow();

    // Intended: the ribbon-tab layer's open() stays callable on the command layer.
    using FirstAccessLayer::open;

private:
    // The element `accessKeyToElement` holds for the identifier, when a key of this opening labelled it.
    [[nodiscard]] std::optional<Element> elementFiledInThisOpening(const std::string& identifier) const;

    // The element each key of `accessKeys` labelled at this opening, by the key's place in the list.
    // Keys of one layer may share an identifier; a typed key acts on the element of its own label.
    std::vector<std::optional<Element>> labelledElements_;
};

}  // namespace keytips
