// Text between the seam's UTF-8 strings and Foundation's strings, for the Objective-C++ sources only.
// Callers hold an autorelease pool.
#pragma once

#import <Foundation/Foundation.h>

#include <string>
#include <string_view>

namespace platform::macos {

// An autoreleased string of the UTF-8 text; nil when the text is not valid UTF-8.
inline NSString* stringWithText(std::string_view text) {
    return [[[NSString alloc] initWithBytes:text.data() length:text.size() encoding:NSUTF8StringEncoding]
        autorelease];
}

// The UTF-8 text of a string; empty for nil.
inline std::string textOf(NSString* string) {
    const char* text = string == nil ? nullptr : [string UTF8String];
    return text == nullptr ? std::string() : std::string(text);
}

}  // namespace platform::macos
