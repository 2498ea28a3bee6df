// The library's own image in the host process.
#pragma once

namespace libraries {

// Keeps the library that holds this code mapped for the rest of the process; only the first call acts.
// The monitors, observer, tap and queued blocks a library installs stay with the host after its entry
// points return, and nothing removes them: were the add-in to close the library, the next event would
// run unmapped code. Every entry point calls it first.
void pinOwnImage();

}  // namespace libraries
