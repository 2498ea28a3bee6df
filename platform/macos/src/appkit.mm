// AppKit: local event monitors, notifications, the workspace, alerts and screens.
#include "platform/appkit.hpp"

#import <AppKit/AppKit.h>

#include <memory>
#include <mutex>

#include "appkit_constants.hpp"
#include "objc_text.hpp"

namespace platform::appkit {

using macos::stringWithText;
using macos::textOf;

namespace {

// Monitors and observers stay registered for the life of the process: the seam has no removal. Their
// objects are retained here, as the platform asks of whoever registers them.
struct Registrations {
    std::mutex mutex;
    std::uint64_t next = 1;
    NSMutableArray* objects = nil;

    std::uint64_t keep(id object) {
        std::lock_guard lock(mutex);
        if (objects == nil) {
            objects = [[NSMutableArray alloc] init];
        }
        [objects addObject:object];
        return next++;
    }
};

Registrations& registrations() {
    static Registrations shared;
    return shared;
}

NSEventMask platformMask(EventMask mask) {
    NSEventMask result = 0;
    if ((mask & leftMouseDownMask) != 0) {
        result |= NSEventMaskLeftMouseDown;
    }
    if ((mask & rightMouseDownMask) != 0) {
        result |= NSEventMaskRightMouseDown;
    }
    if ((mask & keyDownMask) != 0) {
        result |= NSEventMaskKeyDown;
    }
    if ((mask & flagsChangedMask) != 0) {
        result |= NSEventMaskFlagsChanged;
    }
    return result;
}

ModifierFlags seamModifierFlags(NSEventModifierFlags flags) {
    ModifierFlags result = 0;
    if ((flags & NSEventModifierFlagCapsLock) != 0) {
        result |= capsLockFlag;
    }
    if ((flags & NSEventModifierFlagShift) != 0) {
        result |= shiftFlag;
    }
    if ((flags & NSEventModifierFlagControl) != 0) {
        result |= controlFlag;
    }
    if ((flags & NSEventModifierFlagOption) != 0) {
        result |= optionFlag;
    }
    if ((flags & NSEventModifierFlagCommand) != 0) {
        result |= commandFlag;
    }
    if ((flags & NSEventModifierFlagFunction) != 0) {
        result |= functionFlag;
    }
    return result;
}

// The seam's copy of an event; none for types the seam does not know. The type is read first: asking
// a mouse event for its key code, or a modifier event for its characters, raises an exception.
std::optional<Event> seamEvent(NSEvent* event) {
    Event result;
    result.modifierFlags = seamModifierFlags([event modifierFlags]);
    switch ([event type]) {
        case NSEventTypeKeyDown:
            result.type = EventType::keyDown;
            result.keyCode = [event keyCode];
            if (NSString* characters = [event charactersIgnoringModifiers]; characters != nil) {
                result.charactersIgnoringModifiers = textOf(characters);
            }
            return result;
        case NSEventTypeFlagsChanged:
            result.type = EventType::flagsChanged;
            result.keyCode = [event keyCode];
            return result;
        case NSEventTypeLeftMouseDown:
            result.type = EventType::leftMouseDown;
            return result;
        case NSEventTypeRightMouseDown:
            result.type = EventType::rightMouseDown;
            return result;
        default:
            break;
    }
    return std::nullopt;
}

NSString* orEmpty(NSString* text) { return text == nil ? @"" : text; }

std::optional<RunningApplication> seamApplication(NSRunningApplication* application) {
    if (application == nil) {
        return std::nullopt;
    }
    RunningApplication result;
    if (NSString* identifier = [application bundleIdentifier]; identifier != nil) {
        result.bundleIdentifier = textOf(identifier);
    }
    result.processIdentifier = [application processIdentifier];
    return result;
}

}  // namespace

// Main thread; the handler runs on the main thread for each matching event. The host receives the
// event it sent when the handler returns one (the seam's copy is read-only), and none when it swallows.
std::optional<MonitorHandle> addLocalMonitorForEvents(EventMask mask, EventHandler handler) {
    @autoreleasepool {
        auto shared = std::make_shared<EventHandler>(std::move(handler));
        id monitor = [NSEvent addLocalMonitorForEventsMatchingMask:platformMask(mask)
                                                           handler:^NSEvent*(NSEvent* event) {
                                                             @autoreleasepool {
                                                                 const std::optional<Event> copy =
                                                                     seamEvent(event);
                                                                 if (!copy) {
                                                                     return event;
                                                                 }
                                                                 return (*shared)(*copy) ? event : nil;
                                                             }
                                                           }];
        if (monitor == nil) {
            return std::nullopt;
        }
        return MonitorHandle{registrations().keep(monitor)};
    }
}

// Any thread; with no queue the block runs on the thread that posts the notification.
ObserverHandle addObserver(std::string_view name, std::function<void(const Notification&)> block) {
    @autoreleasepool {
        auto shared = std::make_shared<std::function<void(const Notification&)>>(std::move(block));
        id observer =
            [[NSNotificationCenter defaultCenter] addObserverForName:stringWithText(name)
                                                              object:nil
                                                               queue:nil
                                                          usingBlock:^(NSNotification* notification) {
                                                            @autoreleasepool {
                                                                (*shared)({textOf([notification name])});
                                                            }
                                                          }];
        return ObserverHandle{registrations().keep(observer)};
    }
}

// Any thread; the engine asks on the main thread.
std::vector<RunningApplication> runningApplications() {
    @autoreleasepool {
        std::vector<RunningApplication> result;
        for (NSRunningApplication* application in [[NSWorkspace sharedWorkspace] runningApplications]) {
            if (auto seam = seamApplication(application)) {
                result.push_back(*seam);
            }
        }
        return result;
    }
}

// Any thread; the engine asks on the main thread.
std::optional<RunningApplication> frontmostApplication() {
    @autoreleasepool {
        return seamApplication([[NSWorkspace sharedWorkspace] frontmostApplication]);
    }
}

// Any thread.
bool openURL(std::string_view url) {
    @autoreleasepool {
        NSString* text = stringWithText(url);
        NSURL* address = text == nil ? nil : [NSURL URLWithString:text];
        return address != nil && [[NSWorkspace sharedWorkspace] openURL:address];
    }
}

// Main thread.
long Alert::runModal() const {
    @autoreleasepool {
        NSAlert* alert = [[NSAlert alloc] init];
        [alert setMessageText:orEmpty(stringWithText(messageText))];
        [alert setInformativeText:orEmpty(stringWithText(informativeText))];
        [alert setAlertStyle:macos::platformAlertStyle(style)];
        for (const std::string& title : buttons) {
            [alert addButtonWithTitle:orEmpty(stringWithText(title))];
        }
        const NSInteger response = [alert runModal];
        [alert release];
        return alertFirstButtonReturn + static_cast<long>(response - NSAlertFirstButtonReturn);
    }
}

// Main thread.
std::vector<Rect> screenFrames() {
    @autoreleasepool {
        std::vector<Rect> frames;
        for (NSScreen* screen in [NSScreen screens]) {
            const NSRect frame = [screen frame];
            frames.push_back({{frame.origin.x, frame.origin.y}, {frame.size.width, frame.size.height}});
        }
        return frames;
    }
}

}  // namespace platform::appkit
