// US English command table of the spreadsheet host, in table order.
#include "tables/spreadsheet.hpp"

namespace keytips::spreadsheet {
namespace {

constexpr KeyRow rows[] = {
#include "us_shared_rows_1.inc"
#include "us_shared_rows_2.inc"
#include "us_shared_rows_3.inc"
};

}  // namespace

const std::span<const KeyRow> usSharedKeyRows = rows;

}  // namespace keytips::spreadsheet
