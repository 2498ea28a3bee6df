// The presentation host: what DeckKeys does differently from the spreadsheet host.
#pragma once

#include <string>
#include <string_view>

#include "engine/host_profile.hpp"

namespace keytips {

class PresentationProfile final : public HostProfile {
public:
    PresentationProfile(LanguageTables us, LanguageTables uk) : us_(us), uk_(uk) {}

    [[nodiscard]] std::string_view bundleIdentifier() const override { return "com.microsoft.Powerpoint"; }
    [[nodiscard]] std::string_view enableScript() const override;
    void readLanguage(std::string& language) const override { getLanguage(language); }
    [[nodiscard]] std::string_view ukLanguage() const override { return "en-GB"; }
    [[nodiscard]] bool isSupportedLanguage(std::string_view language) const override {
        return language == "en-US" || language == "en-GB";
    }
    [[nodiscard]] std::string_view alertInformativeText() const override;
    [[nodiscard]] std::string_view startLine() const override {
        return "VELKARO PPT || monitorKeyboardEvents function called";
    }
    [[nodiscard]] LanguageTables usTables() const override { return us_; }
    [[nodiscard]] LanguageTables ukTables() const override { return uk_; }
    [[nodiscard]] bool focusesBeforePress(std::string_view role) const override {
        return role == "AXComboBox" || role == "AXTextField" || role == "AXIncrementor";
    }
    [[nodiscard]] bool quickAccessLogsDisabledButton() const override { return true; }

    // The host language: the first preferred language as the host process sees it, unchanged; the
    // empty text when the list is empty.
    static void getLanguage(std::string& language);

private:
    LanguageTables us_;
    LanguageTables uk_;
};

}  // namespace keytips
