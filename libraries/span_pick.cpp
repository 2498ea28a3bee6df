// SpanPick: the column selector's C entry points, called by the spreadsheet host's add-in.
#include "column_selector/column_selector.hpp"
#include "own_image.hpp"
#include "platform/dispatch.hpp"
#include "platform/foundation.hpp"

#define SPANPICK_EXPORT extern "C" __attribute__((visibility("default")))

// Reads the setting, installs the tap and runs the calling thread's run loop; does not return while
// that run loop runs. The add-in calls it on a thread of its own: on the main thread it would keep the
// host from ever handling input again, which the log says before it happens.
SPANPICK_EXPORT void initializeEventMonitor() {
    libraries::pinOwnImage();
    if (platform::dispatch::isMainThread()) {
        platform::foundation::log(
            "initializeEventMonitor called on the main thread: it runs that thread's run loop and does not "
            "return, so the host will stop handling input");
    }
    column_selector::initializeEventMonitor();
}

// Reads the setting again.
SPANPICK_EXPORT void updateColumnSelector() {
    libraries::pinOwnImage();
    column_selector::updateColumnSelector();
}
