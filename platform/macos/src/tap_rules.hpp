// The ownership rule of an event returned from a tap callback.
#pragma once

namespace platform::macos {

// The platform releases an event a callback returns in place of the one it was passed, once it has
// passed it on; the event it was passed, or none, changes no ownership. A callback's own event is held
// by the callback's answer until the tap returns, so the tap retains it once for the platform to
// release.
inline bool retainsReturnedEvent(const void* passed, const void* returned) {
    return returned != nullptr && returned != passed;
}

}  // namespace platform::macos
