#include "ribbon_rows.hpp"

#include <algorithm>
#include <optional>
#include <tuple>

namespace sim_hosts::detail {

// Rows of one layer with one identifier that describe the same control (role, title and description)
// stand for one element: a menu button and the item of its own menu with its name.
RibbonRows::RibbonRows(const keytips::KeyTables& tables) : tables_(tables) {
    std::map<std::tuple<std::string, std::string, std::string, std::optional<std::string>,
                        std::optional<std::string>>,
             std::size_t>
        controls;
    for (std::size_t row = 0; row < tables_.sharedKeys.size(); ++row) {
        const keytips::AccessKey& key = tables_.sharedKeys[row];
        for (const std::string& layer : key.source) {
            const auto [control, added] =
                controls.try_emplace({layer, key.identifier, key.role, key.title, key.description}, row);
            if (added) {
                rowsOfLayer_[layer].push_back(row);
            } else {
                sameControls_.push_back({layer, row, control->second});
            }
        }
    }
    leaveOutRowsShownElsewhere();
}

const keytips::AccessKey& RibbonRows::tab(std::size_t row) const {
    const std::size_t ribbonRows = tables_.ribbonKeys.size();
    return row < ribbonRows ? tables_.ribbonKeys[row] : tables_.contextualKeys[row - ribbonRows];
}

const std::vector<std::size_t>& RibbonRows::rowsOf(std::string_view layer) const {
    static const std::vector<std::size_t> none;
    const auto found = rowsOfLayer_.find(layer);
    return found == rowsOfLayer_.end() ? none : found->second;
}

std::vector<std::string> RibbonRows::furtherLayers(std::size_t row, std::string_view layer) const {
    std::vector<std::string> further;
    for (const std::string& source : tables_.sharedKeys[row].source) {
        if (source != layer) {
            further.push_back(source);
        }
    }
    return further;
}

// The layers a person sees on screen as a tab's panel or a menu: every tab row's identifier (shown or
// not), and every layer that a row opens.
std::set<std::string, std::less<>> RibbonRows::layersOnScreen() const {
    std::set<std::string, std::less<>> layers;
    for (const keytips::KeyTable* table : {&tables_.ribbonKeys, &tables_.contextualKeys}) {
        for (const keytips::AccessKey& key : *table) {
            layers.insert(key.identifier);
        }
    }
    for (const keytips::AccessKey& key : tables_.sharedKeys) {
        if (!key.isLastCommand) {
            layers.insert(key.identifier);
        }
    }
    return layers;
}

// A key repeated inside a layer by two controls names one that a person sees there and one that lives
// deeper: a row offered along a longer path of layers than another control with its key (an item of a
// menu opened from the layer, a command of another tab) stands only in its further layers, when one of
// them is on screen. A menu's opener listed in its own menu stays there.
void RibbonRows::leaveOutRowsShownElsewhere() {
    const std::set<std::string, std::less<>> onScreen = layersOnScreen();
    const auto depth = [&](std::size_t row) { return tables_.sharedKeys[row].source.size(); };
    for (auto& [layer, rows] : rowsOfLayer_) {
        std::map<std::string, std::vector<std::size_t>, std::less<>> rowsOfKey;
        for (const std::size_t row : rows) {
            rowsOfKey[tables_.sharedKeys[row].shortcut].push_back(row);
        }
        std::set<std::size_t> deeper;
        for (const auto& [shortcut, sharing] : rowsOfKey) {
            if (sharing.size() < 2) {
                continue;
            }
            const std::size_t shallowest =
                depth(*std::min_element(sharing.begin(), sharing.end(),
                                        [&](std::size_t a, std::size_t b) { return depth(a) < depth(b); }));
            for (const std::size_t row : sharing) {
                const keytips::AccessKey& key = tables_.sharedKeys[row];
                const std::vector<std::string> further = furtherLayers(row, layer);
                const bool opensThisLayer = !key.isLastCommand && key.identifier == layer;
                if (depth(row) > shallowest && !opensThisLayer &&
                    std::any_of(further.begin(), further.end(),
                                [&](const std::string& other) { return onScreen.contains(other); })) {
                    deeper.insert(row);
                }
            }
        }
        std::erase_if(rows, [&](std::size_t row) { return deeper.contains(row); });
        std::erase_if(sameControls_, [&, &layer = layer](const SameControl& same) {
            return same.layer == layer && deeper.contains(same.earlierRow);
        });
    }
}

}  // namespace sim_hosts::detail
