// What a key-tip library does differently for its host: the host's name and bundle identifier, the
// script texts, where the host language comes from and which values are supported, the alert
// wording, the start-up lines, the language tables and which roles are focused before a press.
#pragma once

#include <string>
#include <string_view>

#include "engine/access_key.hpp"

namespace keytips {

class HostProfile {
public:
    virtual ~HostProfile() = default;

    [[nodiscard]] virtual std::string_view bundleIdentifier() const = 0;
    // The enable query's script text.
    [[nodiscard]] virtual std::string_view enableScript() const = 0;
    // Reads the host language, with the profile's own log lines; leaves `language` unchanged when
    // nothing can be read.
    virtual void readLanguage(std::string& language) const = 0;
    // The language value of English (UK), which selects the UK tables and the UK toolbar anchor.
    [[nodiscard]] virtual std::string_view ukLanguage() const = 0;
    [[nodiscard]] virtual bool isSupportedLanguage(std::string_view language) const = 0;
    [[nodiscard]] virtual std::string_view alertInformativeText() const = 0;
    [[nodiscard]] virtual std::string_view startLine() const = 0;
    [[nodiscard]] virtual LanguageTables usTables() const = 0;
    [[nodiscard]] virtual LanguageTables ukTables() const = 0;
    // Whether the ribbon-tab and command layers set "AXFocused" before pressing an element of this role.
    [[nodiscard]] virtual bool focusesBeforePress(std::string_view role) const = 0;
    // Whether the Quick Access Toolbar layer logs a press of a missing or disabled button.
    [[nodiscard]] virtual bool quickAccessLogsDisabledButton() const = 0;
};

// The spreadsheet host.
class SpreadsheetProfile final : public HostProfile {
public:
    SpreadsheetProfile(LanguageTables us, LanguageTables uk) : us_(us), uk_(uk) {}

    [[nodiscard]] std::string_view bundleIdentifier() const override { return "com.microsoft.Excel"; }
    [[nodiscard]] std::string_view enableScript() const override;
    void readLanguage(std::string& language) const override;
    [[nodiscard]] std::string_view ukLanguage() const override { return "2057"; }
    [[nodiscard]] bool isSupportedLanguage(std::string_view language) const override {
        return language == "1033" || language == "2057";
    }
    [[nodiscard]] std::string_view alertInformativeText() const override;
    [[nodiscard]] std::string_view startLine() const override {
        return "VELKARO || monitorKeyboardEvents function called";
    }
    [[nodiscard]] LanguageTables usTables() const override { return us_; }
    [[nodiscard]] LanguageTables ukTables() const override { return uk_; }
    [[nodiscard]] bool focusesBeforePress(std::string_view role) const override {
        return role == "AXComboBox" || role == "AXTextField";
    }
    [[nodiscard]] bool quickAccessLogsDisabledButton() const override { return false; }

    // The language query: runs the add-in's language macro and stores its answer.
    static void getLanguageCode(std::string& language);

private:
    LanguageTables us_;
    LanguageTables uk_;
};

}  // namespace keytips
