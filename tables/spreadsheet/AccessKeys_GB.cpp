// UK English tables of the spreadsheet host. Their rows are not transcribed yet: until they are, a
// UK host gets empty tables.
#include "tables/spreadsheet.hpp"

namespace keytips::spreadsheet {

const std::span<const KeyRow> ukRibbonKeyRows{};
const std::span<const KeyRow> ukContextualKeyRows{};
const std::span<const KeyRow> ukSharedKeyRows{};

}  // namespace keytips::spreadsheet
