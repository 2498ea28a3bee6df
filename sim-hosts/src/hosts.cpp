// The two simulated hosts.
#include "sim_hosts/ribbon.hpp"
#include "tables/presentation.hpp"
#include "tables/spreadsheet.hpp"

namespace sim_hosts {

const HostKind& spreadsheetHost() {
    static const HostKind kind{.name = "spreadsheet",
                               .bundleIdentifier = "com.microsoft.Excel",
                               .windowTitle = "Book1",
                               .usLanguage = "1033",
                               .ukLanguage = "2057",
                               .languageFromMacro = true,
                               .usTables = keytips::spreadsheet::usTables(),
                               .ukTables = keytips::spreadsheet::ukTables()};
    return kind;
}

const HostKind& presentationHost() {
    static const HostKind kind{.name = "presentation",
                               .bundleIdentifier = "com.microsoft.Powerpoint",
                               .windowTitle = "Presentation1",
                               .usLanguage = "en-US",
                               .ukLanguage = "en-GB",
                               .languageFromMacro = false,
                               .usTables = keytips::presentation::usTables(),
                               .ukTables = keytips::presentation::ukTables()};
    return kind;
}

const HostKind* hostKindNamed(std::string_view name) {
    for (const HostKind* kind : {&spreadsheetHost(), &presentationHost()}) {
        if (kind->name == name) {
            return kind;
        }
    }
    return nullptr;
}

std::string languageOf(const HostKind& kind, const RibbonOptions& options) {
    return options.language.value_or(kind.usLanguage);
}

}  // namespace sim_hosts
