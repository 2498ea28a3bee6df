// The presentation host's language tables.
#pragma once

#include <span>

#include "engine/access_key.hpp"

namespace keytips::presentation {

// The rows the tables are built from, in table order.
extern const std::span<const KeyRow> usRibbonKeyRows;
extern const std::span<const KeyRow> usContextualKeyRows;
extern const std::span<const KeyRow> usSharedKeyRows;
extern const std::span<const KeyRow> ukRibbonKeyRows;
extern const std::span<const KeyRow> ukContextualKeyRows;
extern const std::span<const KeyRow> ukSharedKeyRows;

// US English and UK English.
using AccessKeys_US = LanguageTableSet<&usRibbonKeyRows, &usContextualKeyRows, &usSharedKeyRows>;  // NOLINT
using AccessKeys_GB = LanguageTableSet<&ukRibbonKeyRows, &ukContextualKeyRows, &ukSharedKeyRows>;  // NOLINT

inline LanguageTables usTables() { return AccessKeys_US::tables(); }
inline LanguageTables ukTables() { return AccessKeys_GB::tables(); }

}  // namespace keytips::presentation
