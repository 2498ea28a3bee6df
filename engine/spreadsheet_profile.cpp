#include <array>
#include <utility>

#include "engine/host_profile.hpp"
#include "platform/foundation.hpp"

namespace keytips {

using platform::foundation::AppleScript;
using platform::foundation::log;

void getLanguageCode(std::string& language) {
    const std::optional<AppleScript> script = AppleScript::create(
        "tell application \"Microsoft Excel\"\n    run VB macro \"GetLanguageCode\"\nend tell");
    if (!script) {
        log("Velkaro: No script executed");
        return;
    }
    const platform::foundation::ScriptResult result = script->execute();
    if (result.errorDescription) {
        log("Velkaro: AppleScript Error: " + *result.errorDescription);
    }
    if (!result.stringValue) {
        log("Velkaro: No value returned by AppleScript");
        return;
    }
    log("Velkaro: Excel Language Code: " + *result.stringValue);
    language = *result.stringValue;
}

namespace {

void readSpreadsheetLanguage(std::string& language) {
    getLanguageCode(language);
    log("VELKARO Locale: System " + language);
}

constexpr std::array<std::string_view, 2> spreadsheetFocusedRoles = {"AXComboBox", "AXTextField"};

}  // namespace

HostProfile spreadsheetProfile(LanguageTables us, LanguageTables uk) {
    return HostProfile{
        .bundleIdentifier = "com.microsoft.Excel",
        .enableScript =
            "tell application \"Microsoft Excel\"\n  return run VB macro "
            "\"GetEnableKeyboardShortcuts\"\nend tell",
        .readLanguage = readSpreadsheetLanguage,
        .usLanguage = "1033",
        .ukLanguage = "2057",
        .alertInformativeText =
            "Keyvane is not available in your current language. To use Keyvane, please set Excel's language "
            "to either English (US) or English (UK). You can do this by adding the desired language to your "
            "Preferred Languages in macOS Settings and dragging it to the top of the list, or by changing "
            "the "
            "language specifically for Excel in the Applications section at the bottom.",
        .startLine = "VELKARO || monitorKeyboardEvents function called",
        .usTables = std::move(us),
        .ukTables = std::move(uk),
        .rolesFocusedBeforePress = spreadsheetFocusedRoles,
        .quickAccessLogsDisabledButton = false,
    };
}

}  // namespace keytips
