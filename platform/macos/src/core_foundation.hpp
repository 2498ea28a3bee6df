// Small helpers over Core Foundation shared by the backend's plain C++ files. Any thread.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <string_view>

namespace platform::macos {

// Owns one reference from a Create or Copy call and releases it once.
class Owned {
public:
    Owned() = default;
    explicit Owned(CFTypeRef reference) : reference_(reference) {}
    ~Owned() {
        if (reference_ != nullptr) {
            CFRelease(reference_);
        }
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : reference_(other.reference_) { other.reference_ = nullptr; }
    Owned& operator=(Owned&&) = delete;

    [[nodiscard]] CFTypeRef get() const { return reference_; }

private:
    CFTypeRef reference_ = nullptr;
};

// A new string holding the UTF-8 text; null when the text is not valid UTF-8.
CFStringRef createString(std::string_view text);

// The UTF-8 text of a string.
std::string stringOf(CFStringRef string);

}  // namespace platform::macos
