// UK English command table of the spreadsheet host, in table order: 831 rows, tab by tab, each tab's own
// layer followed by the layers of its groups and menus. Identifiers and layer names keep the US wording;
// titles and descriptions carry the UK wording.
#include "tables/spreadsheet.hpp"

namespace keytips::spreadsheet {
namespace {

// clang-format off
constexpr KeyRow rows[] = {
#include "gb_shared_rows_1.inc"
#include "gb_shared_rows_2.inc"
#include "gb_shared_rows_3.inc"
};
// clang-format on

}  // namespace

const std::span<const KeyRow> ukSharedKeyRows = rows;

}  // namespace keytips::spreadsheet
