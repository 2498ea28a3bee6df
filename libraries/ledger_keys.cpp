// LedgerKeys: key tips in the spreadsheet host.
#include "key_tips_library.hpp"
#include "tables/spreadsheet.hpp"

namespace keytips {

KeyTips& libraryKeyTips() {
    static auto* const instance =
        new KeyTips(spreadsheetProfile(spreadsheet::usTables(), spreadsheet::ukTables()));
    return *instance;
}

}  // namespace keytips
