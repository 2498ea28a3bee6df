#include "core_foundation.hpp"

#include <vector>

namespace platform::macos {

CFStringRef createString(std::string_view text) {
    return CFStringCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(text.data()),
                                   static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false);
}

std::string stringOf(CFStringRef string) {
    if (string == nullptr) {
        return {};
    }
    if (const char* direct = CFStringGetCStringPtr(string, kCFStringEncodingUTF8)) {
        return direct;
    }
    const CFIndex size =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), kCFStringEncodingUTF8) + 1;
    std::vector<char> buffer(static_cast<std::size_t>(size));
    if (!CFStringGetCString(string, buffer.data(), size, kCFStringEncodingUTF8)) {
        return {};
    }
    return buffer.data();
}

}  // namespace platform::macos
