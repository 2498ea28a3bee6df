// The C entry points of a key-tip library, which the host's add-in calls by name after loading it.
#include "key_tips_library.hpp"

extern "C" {

__attribute__((visibility("default"))) void monitorKeyboardEvents() {
    keytips::libraryKeyTips().monitorKeyboardEvents();
}

__attribute__((visibility("default"))) void updateEnableAccessKeys() {
    keytips::libraryKeyTips().updateEnableAccessKeys();
}

}  // extern "C"
