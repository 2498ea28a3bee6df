// SpanPick: the column selector's C entry points, called by the spreadsheet host's add-in.
#include "column_selector/column_selector.hpp"
#include "own_image.hpp"

#define SPANPICK_EXPORT extern "C" __attribute__((visibility("default")))

// Reads the setting, installs the tap and runs the calling thread's run loop; does not return while
// that run loop runs.
SPANPICK_EXPORT void initializeEventMonitor() {
    libraries::pinOwnImage();
    column_selector::initializeEventMonitor();
}

// Reads the setting again.
SPANPICK_EXPORT void updateColumnSelector() {
    libraries::pinOwnImage();
    column_selector::updateColumnSelector();
}
