// Compiled by tools/check-macos with a Mac build's own flags, and expected to be refused: a
// floating-point std::to_chars, which the libc++ of macOS lacks before 13.3. At the deployment target
// the SDK's headers mark it unavailable, as they mark whatever else the oldest supported macOS lacks;
// a compile that accepts it reads other headers than the SDK's, or has the markup switched off.
#include <charconv>

extern "C" int keytipsAvailabilityProbe(char* text, int size) {
    const std::to_chars_result result = std::to_chars(text, text + size, 0.5);
    return static_cast<int>(result.ptr - text);
}
