// The simulated hosts keytips-sim can run a library in.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace keytips::sim {

struct HostSetup {
    std::string host = "spreadsheet";
    // "en-US", "en-GB" or the host's own language value; may be empty, as a host may report it.
    std::string language = "en-US";
    std::size_t toolbarButtons = 3;
    // The titles of the contextual tabs the host shows; absent: all of them.
    std::optional<std::vector<std::string>> contextualTabs;
};

// The most toolbar buttons a host can be given.
std::size_t maximumToolbarButtons();

// Whether the host kind exists.
bool isKnownHost(const std::string& host);

// Sets up the host in the simulated world, launched and frontmost; its process identifier, or an
// error text when a contextual tab named is not one of the host's.
std::variant<int, std::string> setUpHost(const HostSetup& setup);

}  // namespace keytips::sim
