// US English command table of the presentation host, in table order.
#include "tables/presentation.hpp"

namespace keytips::presentation {
namespace {

constexpr KeyRow rows[] = {
#include "us_shared_rows_1.inc"
#include "us_shared_rows_2.inc"
#include "us_shared_rows_3.inc"
};

}  // namespace

const std::span<const KeyRow> usSharedKeyRows = rows;

}  // namespace keytips::presentation
