// Which controls the simulated ribbon holds: the rows of the key tables that stand in each layer, one
// for each control. Both the layout and the accessibility tree read the ribbon's rows through it.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/access_key.hpp"

namespace sim_hosts::detail {

// The layer of the tab row's elements.
inline constexpr std::string_view tabRowLayer = "Ribbon";

// A row of a layer that describes the same control as an earlier row there, and stands for its element.
struct SameControl {
    std::string layer;
    std::size_t row;
    std::size_t earlierRow;
};

class RibbonRows {
public:
    explicit RibbonRows(const keytips::KeyTables& tables);

    // The key of a command row (an index in the command table).
    [[nodiscard]] const keytips::AccessKey& command(std::size_t row) const { return tables_.sharedKeys[row]; }
    // The key of a tab row, counting the ribbon-tab rows first, then the contextual-tab rows.
    [[nodiscard]] const keytips::AccessKey& tab(std::size_t row) const;
    [[nodiscard]] const keytips::KeyTables& tables() const { return tables_; }

    // The command rows offered in a layer, one for each control, in table order.
    [[nodiscard]] const std::vector<std::size_t>& rowsOf(std::string_view layer) const;
    // The rows that share the control of an earlier row of their layer.
    [[nodiscard]] const std::vector<SameControl>& sameControls() const { return sameControls_; }
    // The further layers in which a row is offered besides this one.
    [[nodiscard]] std::vector<std::string> furtherLayers(std::size_t row, std::string_view layer) const;

private:
    [[nodiscard]] std::set<std::string, std::less<>> layersOnScreen() const;
    void leaveOutRowsShownElsewhere();

    const keytips::KeyTables& tables_;
    std::map<std::string, std::vector<std::size_t>, std::less<>> rowsOfLayer_;
    std::vector<SameControl> sameControls_;
};

}  // namespace sim_hosts::detail
