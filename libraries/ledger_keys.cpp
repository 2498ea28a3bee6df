// LedgerKeys: key tips in the spreadsheet host. The host's add-in loads the library and starts it
// through these C entry points.
#include "engine/key_tips.hpp"
#include "tables/spreadsheet.hpp"

namespace {

keytips::KeyTips& engine() {
    // Lives until the process ends: the host's monitors and queued blocks refer to it.
    static const keytips::SpreadsheetProfile* const profile =
        new keytips::SpreadsheetProfile(keytips::spreadsheet::usTables(), keytips::spreadsheet::ukTables());
    static keytips::KeyTips* const instance = new keytips::KeyTips(*profile);
    return *instance;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void monitorKeyboardEvents() { engine().monitorKeyboardEvents(); }

__attribute__((visibility("default"))) void updateEnableAccessKeys() { engine().updateEnableAccessKeys(); }

}  // extern "C"
