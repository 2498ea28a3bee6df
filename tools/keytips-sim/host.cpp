#include "host.hpp"

#include <array>
#include <string_view>

#include "platform/sim/world.hpp"
#include "sim_hosts/ribbon.hpp"

namespace keytips::sim {

namespace {

constexpr std::array<std::string_view, 20> toolbarTitles = {"Save",
                                                            "Undo",
                                                            "Redo",
                                                            "Print",
                                                            "New",
                                                            "Open",
                                                            "Email",
                                                            "Spelling",
                                                            "Quick Print",
                                                            "Print Preview",
                                                            "Sort Ascending",
                                                            "Sort Descending",
                                                            "Insert Comment",
                                                            "Copy",
                                                            "Paste",
                                                            "Cut",
                                                            "Format Painter",
                                                            "Zoom",
                                                            "Close",
                                                            "Repeat"};

}  // namespace

std::size_t maximumToolbarButtons() { return toolbarTitles.size(); }

bool isKnownHost(const std::string& host) { return sim_hosts::hostKindNamed(host) != nullptr; }

std::variant<int, std::string> setUpHost(const HostSetup& setup) {
    const sim_hosts::HostKind* kind = sim_hosts::hostKindNamed(setup.host);
    if (kind == nullptr) {
        return "unknown host " + setup.host + " (known: spreadsheet, presentation)";
    }
    // "en-US" and "en-GB" name the two supported languages in every host; any other text is the
    // host's own language value.
    sim_hosts::RibbonOptions options;
    options.language = setup.language;
    if (setup.language == "en-US") {
        options.language = kind->usLanguage;
    } else if (setup.language == "en-GB") {
        options.language = kind->ukLanguage;
    }
    options.toolbarButtons.assign(toolbarTitles.begin(),
                                  toolbarTitles.begin() + static_cast<std::ptrdiff_t>(setup.toolbarButtons));
    if (setup.contextualTabs) {
        const keytips::LanguageTables tables =
            sim_hosts::languageOf(*kind, options) == kind->ukLanguage ? kind->ukTables : kind->usTables;
        std::string known;
        for (const keytips::AccessKey& key : tables.contextualKeys()) {
            known += (known.empty() ? "" : ", ") + key.title.value_or("");
        }
        for (const std::string& title : *setup.contextualTabs) {
            bool found = false;
            for (const keytips::AccessKey& key : tables.contextualKeys()) {
                found = found || key.title == title;
            }
            if (!found) {
                return "no contextual tab \"" + title + "\" in this host (its contextual tabs: " + known +
                       ")";
            }
        }
        options.contextualTabs = setup.contextualTabs;
    }
    return sim_hosts::launchHost(platform::sim::world(), *kind, options).processIdentifier;
}

}  // namespace keytips::sim
