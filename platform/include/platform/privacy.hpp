// The privacy permissions the user has given the process, as the system answers without asking the
// user anything.
#pragma once

namespace platform::privacy {

struct Permissions {
    bool accessibility = false;   // requests of other applications' user interfaces (trusted client)
    bool listenToEvents = false;  // event taps that listen to input
    bool postEvents = false;      // posting events, and event taps that change or delete them
};

// Safe from any thread.
Permissions permissions();

}  // namespace platform::privacy
