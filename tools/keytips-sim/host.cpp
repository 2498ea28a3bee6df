#include "host.hpp"

#include "platform/sim/ribbon.hpp"
#include "platform/sim/world.hpp"

namespace keytips::sim {

std::optional<std::string> setUpHost(const std::string& host, const std::string& language) {
    if (host != "spreadsheet") {
        return "unknown host " + host + " (known: spreadsheet)";
    }
    std::string code = language;
    if (language == "en-US") {
        code = "1033";
    } else if (language == "en-GB") {
        code = "2057";
    }
    auto& world = platform::sim::world();
    world.setScriptAnswer("GetLanguageCode", platform::sim::ScriptAnswer::withText(code));
    platform::sim::RibbonOptions options;
    options.language = code;
    platform::sim::launchSpreadsheetHost(world, options);
    return std::nullopt;
}

}  // namespace keytips::sim
