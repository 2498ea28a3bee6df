// AppKit windows and text fields: the borderless floating label windows and their fields, which let
// clicks through and take no selection. Main thread only, as every window of the platform. The seam's
// Window keeps its record of what was set; each operation also goes to the platform's window, kept in
// the window's native state.
#include "platform/appkit.hpp"

#import <AppKit/AppKit.h>

#include "appkit_constants.hpp"
#include "objc_text.hpp"

namespace platform::appkit {

struct Window::Native {
    NSWindow* window = nil;  // owned: released with the seam's window
};

namespace {

NSRect platformRect(const Rect& rect) {
    return NSMakeRect(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
}

// A new platform field made from the description, owned by the caller. Caller holds a pool.
NSTextField* newTextField(const TextField& field) {
    NSTextField* made = [[NSTextField alloc] initWithFrame:platformRect(field.frame)];
    NSString* text = macos::stringWithText(field.stringValue);
    [made setStringValue:text == nil ? @"" : text];
    [made setEditable:field.editable];
    // A label is only read: no bezel (faint edges on a narrow label), no selection (an I-beam over it).
    [made setSelectable:field.editable];
    [made setBezeled:NO];
    [made setBordered:field.bordered];
    [made setDrawsBackground:YES];
    [made setBackgroundColor:macos::platformColor(field.backgroundColor)];
    [made setTextColor:macos::platformColor(field.textColor)];
    [made setAlignment:macos::platformAlignment(field.alignment)];
    [made setFont:[NSFont systemFontOfSize:field.fontSize]];
    return made;
}

}  // namespace

// Main thread: measures with a platform field made like the one a window would show.
void TextField::sizeToFit() {
    @autoreleasepool {
        NSTextField* measured = newTextField(*this);
        [measured sizeToFit];
        const NSRect fitted = [measured frame];
        frame.size = {fitted.size.width, fitted.size.height};
        [measured release];
    }
}

Window::Window(Rect contentRect, std::uint64_t styleMask, BackingStore backing, bool defer)
    : frame_(contentRect), styleMask_(styleMask), backing_(backing), native_(std::make_unique<Native>()) {
    contentView_.bounds = {{0, 0}, contentRect.size};
    @autoreleasepool {
        native_->window = [[NSWindow alloc] initWithContentRect:platformRect(contentRect)
                                                      styleMask:macos::platformStyleMask(styleMask)
                                                        backing:macos::platformBacking(backing)
                                                          defer:defer];
        // The seam's window owns the platform's: closing must not release it behind our back.
        [native_->window setReleasedWhenClosed:NO];
        // The libraries' windows are labels: a click on one goes to the host's window below it.
        [native_->window setIgnoresMouseEvents:YES];
    }
}

Window::~Window() {
    @autoreleasepool {
        [native_->window orderOut:nil];
        [native_->window release];
    }
}

void Window::setLevel(int level) {
    level_ = level;
    @autoreleasepool {
        [native_->window setLevel:macos::platformLevel(level)];
    }
}

void Window::setOpaque(bool opaque) {
    opaque_ = opaque;
    @autoreleasepool {
        [native_->window setOpaque:opaque];
    }
}

void Window::setHasShadow(bool shadow) {
    hasShadow_ = shadow;
    @autoreleasepool {
        [native_->window setHasShadow:shadow];
    }
}

void Window::setBackgroundColor(Color color) {
    backgroundColor_ = color;
    @autoreleasepool {
        [native_->window setBackgroundColor:macos::platformColor(color)];
    }
}

void Window::setIdentifier(std::string identifier) {
    @autoreleasepool {
        [native_->window setIdentifier:macos::stringWithText(identifier)];
    }
    identifier_ = std::move(identifier);
}

void Window::addSubview(const TextField& field) {
    contentView_.subviews.push_back(field);
    @autoreleasepool {
        NSTextField* made = newTextField(field);
        [[native_->window contentView] addSubview:made];
        [made release];
    }
}

void Window::makeKeyAndOrderFront() {
    visible_ = true;
    @autoreleasepool {
        [native_->window makeKeyAndOrderFront:nil];
    }
}

void Window::orderOut() {
    visible_ = false;
    @autoreleasepool {
        [native_->window orderOut:nil];
    }
}

}  // namespace platform::appkit
