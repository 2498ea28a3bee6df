#include "engine/host_profile.hpp"
#include "platform/foundation.hpp"

namespace keytips {

using platform::foundation::AppleScript;
using platform::foundation::log;

std::string_view SpreadsheetProfile::enableScript() const {
    return "tell application \"Microsoft Excel\"\n  return run VB macro \"GetEnableKeyboardShortcuts\"\nend "
           "tell";
}

std::string_view SpreadsheetProfile::alertInformativeText() const {
    return "Keyvane is not available in your current language. To use Keyvane, please set Excel's language "
           "to either English (US) or English (UK). You can do this by adding the desired language to your "
           "Preferred Languages in macOS Settings and dragging it to the top of the list, or by changing the "
           "language specifically for Excel in the Applications section at the bottom.";
}

void SpreadsheetProfile::getLanguageCode(std::string& language) {
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

void SpreadsheetProfile::readLanguage(std::string& language) const {
    getLanguageCode(language);
    log("VELKARO Locale: System " + language);
}

}  // namespace keytips
