// Built only to fail: a floating-point std::to_chars, which Apple's libc++ lacks before macOS 13.3. The
// header's availability markup is switched off, so that the link against the SDK's stubs is what
// refuses it, as it refuses any symbol the oldest supported macOS lacks.
#include <charconv>

extern "C" __attribute__((visibility("default"))) int keytipsLinkProbe(char* text, int size) {
    const std::to_chars_result result = std::to_chars(text, text + size, 0.5);
    return static_cast<int>(result.ptr - text);
}
