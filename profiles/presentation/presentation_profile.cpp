#include "profiles/presentation_profile.hpp"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/foundation.hpp"

namespace keytips {

namespace {

constexpr std::array<std::string_view, 3> presentationFocusedRoles = {"AXComboBox", "AXTextField",
                                                                      "AXIncrementor"};

}  // namespace

void getLanguage(std::string& language) {
    const std::vector<std::string> preferred = platform::foundation::preferredLanguages();
    language = preferred.empty() ? std::string() : preferred.front();
    platform::foundation::log("VELKARO || Language: " + language);
}

HostProfile presentationProfile(LanguageTables us, LanguageTables uk) {
    return HostProfile{
        .bundleIdentifier = "com.microsoft.Powerpoint",
        .enableScript =
            "tell application \"Microsoft PowerPoint\"\n  return run VB macro "
            "\"GetEnableKeyboardShortcuts\"\nend tell",
        .readLanguage = getLanguage,
        .usLanguage = "en-US",
        .ukLanguage = "en-GB",
        .alertInformativeText =
            "Keyvane is not available in your current language. To use Keyvane, please set PowerPoint's "
            "language to either English (US) or English (UK). You can do this by adding the desired language "
            "to your Preferred Languages in macOS Settings and dragging it to the top of the list, or by "
            "changing the language specifically for PowerPoint in the Applications section at the bottom.",
        .startLine = "VELKARO PPT || monitorKeyboardEvents function called",
        .usTables = std::move(us),
        .ukTables = std::move(uk),
        .rolesFocusedBeforePress = presentationFocusedRoles,
        .quickAccessLogsDisabledButton = true,
    };
}

}  // namespace keytips
