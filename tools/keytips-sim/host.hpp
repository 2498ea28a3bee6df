// The simulated hosts keytips-sim can run a library in.
#pragma once

#include <optional>
#include <string>

namespace keytips::sim {

// Sets up the named host with the language given ("en-US", "en-GB" or the host's own language
// value) in the simulated world; an error text when the host or language is unknown.
std::optional<std::string> setUpHost(const std::string& host, const std::string& language);

}  // namespace keytips::sim
