#include "host.hpp"

#include "platform/sim/world.hpp"
#include "sim_hosts/ribbon.hpp"

namespace keytips::sim {

std::optional<std::string> setUpHost(const std::string& host, const std::string& language) {
    const sim_hosts::HostKind* kind = sim_hosts::hostKindNamed(host);
    if (kind == nullptr) {
        return "unknown host " + host + " (known: spreadsheet, presentation)";
    }
    // "en-US" and "en-GB" name the two supported languages in every host; any other text is the
    // host's own language value.
    sim_hosts::RibbonOptions options;
    options.language = language;
    if (language == "en-US") {
        options.language = kind->usLanguage;
    } else if (language == "en-GB") {
        options.language = kind->ukLanguage;
    }
    sim_hosts::launchHost(platform::sim::world(), *kind, options);
    return std::nullopt;
}

}  // namespace keytips::sim
