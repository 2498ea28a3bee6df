// The presentation host's language tables.
#pragma once

#include <span>

#include "engine/access_key.hpp"

namespace keytips::presentation {

// US English: each table is built on its first read, once, and never changes.
struct AccessKeys_US {  // NOLINT(readability-identifier-naming)
    static const KeyTable& ribbonKeys();
    static const KeyTable& contextualKeys();
    static const KeyTable& sharedKeys();
};

// UK English.
struct AccessKeys_GB {  // NOLINT(readability-identifier-naming)
    static const KeyTable& ribbonKeys();
    static const KeyTable& contextualKeys();
    static const KeyTable& sharedKeys();
};

LanguageTables usTables();
LanguageTables ukTables();

// The rows the tables are built from, in table order.
extern const std::span<const KeyRow> usRibbonKeyRows;
extern const std::span<const KeyRow> usContextualKeyRows;
extern const std::span<const KeyRow> usSharedKeyRows;
extern const std::span<const KeyRow> ukRibbonKeyRows;
extern const std::span<const KeyRow> ukContextualKeyRows;
extern const std::span<const KeyRow> ukSharedKeyRows;

}  // namespace keytips::presentation
