// LedgerKeys: key tips in the spreadsheet host.
#include "key_tips_library.hpp"
#include "tables/spreadsheet.hpp"

namespace keytips {

KeyTips& libraryKeyTips() {
    static const SpreadsheetProfile* const profile =
        new SpreadsheetProfile(spreadsheet::usTables(), spreadsheet::ukTables());
    static auto* const instance = new KeyTips(*profile);
    return *instance;
}

}  // namespace keytips
