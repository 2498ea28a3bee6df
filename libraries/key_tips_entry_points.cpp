// The C entry points of a key-tip library, which the host's add-in calls by name after loading it.
#include <atomic>

#include "key_tips_library.hpp"
#include "own_image.hpp"
#include "platform/foundation.hpp"
#include "platform/privacy.hpp"

namespace {

// Without the Accessibility permission every request of the host's interface fails and an Option tap
// shows nothing: the first entry point that finds it missing says so, once in the process.
void reportMissingAccessibility() {
    static std::atomic<bool> reported{false};
    if (!reported.load() && !platform::privacy::permissions().accessibility && !reported.exchange(true)) {
        platform::foundation::log(
            "VELKARO || Accessibility permission missing: no key tips can be shown until the host is allowed "
            "in System Settings, Privacy & Security, Accessibility, and restarted");
    }
}

void enterLibrary() {
    libraries::pinOwnImage();
    reportMissingAccessibility();
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) void monitorKeyboardEvents() {
    enterLibrary();
    keytips::libraryKeyTips().monitorKeyboardEvents();
}

__attribute__((visibility("default"))) void updateEnableAccessKeys() {
    enterLibrary();
    keytips::libraryKeyTips().updateEnableAccessKeys();
}

}  // extern "C"
