// The privacy permissions of the process, from the accessibility interface and Core Graphics' event
// access checks (neither prompts the user).
#include "platform/privacy.hpp"

#include <ApplicationServices/ApplicationServices.h>

namespace platform::privacy {

Permissions permissions() {
    return {AXIsProcessTrusted() != 0, CGPreflightListenEventAccess(), CGPreflightPostEventAccess()};
}

}  // namespace platform::privacy
