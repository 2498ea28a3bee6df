#include "profiles/presentation_profile.hpp"

#include <vector>

#include "platform/foundation.hpp"

namespace keytips {

std::string_view PresentationProfile::enableScript() const {
    return "tell application \"Microsoft PowerPoint\"\n  return run VB macro "
           "\"GetEnableKeyboardShortcuts\"\nend "
           "tell";
}

std::string_view PresentationProfile::alertInformativeText() const {
    return "Keyvane is not available in your current language. To use Keyvane, please set PowerPoint's "
           "language to either English (US) or English (UK). You can do this by adding the desired language "
           "to your Preferred Languages in macOS Settings and dragging it to the top of the list, or by "
           "changing the language specifically for PowerPoint in the Applications section at the bottom.";
}

void PresentationProfile::getLanguage(std::string& language) {
    const std::vector<std::string> preferred = platform::foundation::preferredLanguages();
    language = preferred.empty() ? std::string() : preferred.front();
    platform::foundation::log("VELKARO || Language: " + language);
}

}  // namespace keytips
