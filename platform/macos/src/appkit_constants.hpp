// The seam's AppKit enumerations mapped to the platform's by name: some of the platform's values differ
// between processor architectures (text alignment), so none is passed by cast. Objective-C++ only;
// callers hold an autorelease pool.
#pragma once

#import <AppKit/AppKit.h>

#include "platform/appkit.hpp"

namespace platform::macos {

inline NSAlertStyle platformAlertStyle(appkit::AlertStyle style) {
    switch (style) {
        case appkit::AlertStyle::warning:
            return NSAlertStyleWarning;
        case appkit::AlertStyle::informational:
            return NSAlertStyleInformational;
        case appkit::AlertStyle::critical:
            return NSAlertStyleCritical;
    }
    return NSAlertStyleWarning;
}

inline NSTextAlignment platformAlignment(appkit::TextAlignment alignment) {
    switch (alignment) {
        case appkit::TextAlignment::left:
            return NSTextAlignmentLeft;
        case appkit::TextAlignment::center:
            return NSTextAlignmentCenter;
        case appkit::TextAlignment::right:
            return NSTextAlignmentRight;
    }
    return NSTextAlignmentLeft;
}

// Only the buffered backing store is current; the others are deprecated and behave as buffered.
inline NSBackingStoreType platformBacking(appkit::BackingStore /*backing*/) { return NSBackingStoreBuffered; }

inline NSWindowLevel platformLevel(int level) {
    if (level == appkit::floatingWindowLevel) {
        return NSFloatingWindowLevel;
    }
    if (level == 0) {
        return NSNormalWindowLevel;
    }
    return level;
}

// The seam names only the borderless style, the one its windows use.
inline NSWindowStyleMask platformStyleMask(std::uint64_t /*styleMask*/) {
    return NSWindowStyleMaskBorderless;
}

inline NSColor* platformColor(const appkit::Color& color) {
    return [NSColor colorWithSRGBRed:color.red green:color.green blue:color.blue alpha:color.alpha];
}

}  // namespace platform::macos
