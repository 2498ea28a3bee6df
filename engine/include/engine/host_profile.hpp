// What a key-tip library does differently for its host: the host's name and bundle identifier, the
// script texts, where the host language comes from and which values are supported, the alert
// wording, the start-up lines, the language tables and which roles are focused before a press. All of
// it is data but for the language read, which differs in kind between the hosts.
#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

#include "engine/access_key.hpp"

namespace keytips {

struct HostProfile {
    std::string_view bundleIdentifier;
    // The enable query's script text.
    std::string_view enableScript;
    // Reads the host language, with the profile's own log lines; leaves `language` unchanged when
    // nothing can be read. A reference: every profile names its read, and none can be null.
    void (&readLanguage)(std::string& language);
    // The language values of English (US) and English (UK); the UK value selects the UK tables and
    // the UK toolbar anchor.
    std::string_view usLanguage;
    std::string_view ukLanguage;
    std::string_view alertInformativeText;
    std::string_view startLine;
    LanguageTables usTables;
    LanguageTables ukTables;
    // The roles whose elements the ribbon-tab and command layers focus ("AXFocused") before a press.
    std::span<const std::string_view> rolesFocusedBeforePress;
    // Whether the Quick Access Toolbar layer logs a press of a missing or disabled button.
    bool quickAccessLogsDisabledButton = false;

    [[nodiscard]] bool isSupportedLanguage(std::string_view language) const {
        return language == usLanguage || language == ukLanguage;
    }
    [[nodiscard]] bool focusesBeforePress(std::string_view role) const {
        return std::find(rolesFocusedBeforePress.begin(), rolesFocusedBeforePress.end(), role) !=
               rolesFocusedBeforePress.end();
    }
};

// The spreadsheet host, with its US and UK tables.
HostProfile spreadsheetProfile(LanguageTables us, LanguageTables uk);

// The spreadsheet host's language query: runs the add-in's language macro and stores its answer.
void getLanguageCode(std::string& language);

}  // namespace keytips
