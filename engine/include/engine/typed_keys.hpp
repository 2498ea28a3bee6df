// The one reading of typed keys against a key list: which keys they begin, and which they spell out
// whole. The engine's first-layer check and the three layers all decide with it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/access_key.hpp"

namespace keytips {

struct TypedKeys {
    // Some key's shortcut begins with the typed keys (or equals them).
    bool beginsAny = false;
    // The rows whose shortcut equals the typed keys, in key order.
    std::vector<std::size_t> exactRows;

    // No shortcut begins with the typed keys: they lead nowhere.
    [[nodiscard]] bool noCandidate() const { return !beginsAny; }
    // Some shortcut is the typed keys whole.
    [[nodiscard]] bool exact() const { return !exactRows.empty(); }
};

TypedKeys classifyTyped(const KeyTable& keys, std::string_view typed);

}  // namespace keytips
