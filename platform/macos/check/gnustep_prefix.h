// Put in front of every Objective-C++ source of the macOS backend when the compile check runs against
// the GNUstep headers off a Mac. It declares what AppKit and Foundation have on a Mac and GNUstep
// lacks, each written from the documented interface, and hides names a Mac build must not use.
// Nothing here is defined: the check only compiles.
#pragma once

// GNUstep's own extensions are left out of its headers (NO_GNUSTEP=1 on the command line); the
// deprecated names of the older interface are poisoned below once the headers are in.
#import <AppKit/AppKit.h>
#import <Foundation/Foundation.h>

// ---- NSEvent: typed names of event types, masks and modifier flags, and local monitors -----------

static const NSEventType NSEventTypeLeftMouseDown = 1;
static const NSEventType NSEventTypeRightMouseDown = 3;
static const NSEventType NSEventTypeKeyDown = 10;
static const NSEventType NSEventTypeKeyUp = 11;
static const NSEventType NSEventTypeFlagsChanged = 12;

static const NSEventMask NSEventMaskLeftMouseDown = 1ULL << 1;
static const NSEventMask NSEventMaskRightMouseDown = 1ULL << 3;
static const NSEventMask NSEventMaskKeyDown = 1ULL << 10;
static const NSEventMask NSEventMaskFlagsChanged = 1ULL << 12;

typedef NSUInteger NSEventModifierFlags;
static const NSEventModifierFlags NSEventModifierFlagCapsLock = 1UL << 16;
static const NSEventModifierFlags NSEventModifierFlagShift = 1UL << 17;
static const NSEventModifierFlags NSEventModifierFlagControl = 1UL << 18;
static const NSEventModifierFlags NSEventModifierFlagOption = 1UL << 19;
static const NSEventModifierFlags NSEventModifierFlagCommand = 1UL << 20;
static const NSEventModifierFlags NSEventModifierFlagFunction = 1UL << 23;

@interface NSEvent (KeyTipsMacInterface)
+ (id)addLocalMonitorForEventsMatchingMask:(NSEventMask)mask handler:(NSEvent* (^)(NSEvent* event))block;
+ (void)removeMonitor:(id)eventMonitor;
@end

// ---- NSAlert styles ------------------------------------------------------------------------------

static const NSAlertStyle NSAlertStyleWarning = 0;
static const NSAlertStyle NSAlertStyleInformational = 1;
static const NSAlertStyle NSAlertStyleCritical = 2;

// ---- NSWindow: levels and the user-interface item identifier -------------------------------------

typedef NSInteger NSWindowLevel;

@interface NSWindow (KeyTipsMacInterface) <NSUserInterfaceItemIdentification>
@end

// ---- NSAppleScript and the descriptor its run returns --------------------------------------------

@interface NSAppleEventDescriptor (KeyTipsMacInterface)
@property(readonly, copy) NSString* stringValue;
@end

@interface NSAppleScript (KeyTipsMacInterface)
- (instancetype)initWithSource:(NSString*)source;
- (NSAppleEventDescriptor*)executeAndReturnError:(NSDictionary**)errorInfo;
@end

// ---- Names a Mac build must not use --------------------------------------------------------------
// The deprecated spellings of event types, masks, modifier flags, alert styles, window styles and text
// alignments, the retained and nonretained backing stores, and GNUstep-only methods.
#pragma GCC poison NSLeftMouseDown NSRightMouseDown NSKeyDown NSKeyUp NSFlagsChanged
#pragma GCC poison NSLeftMouseDownMask NSRightMouseDownMask NSKeyDownMask NSFlagsChangedMask
#pragma GCC poison NSShiftKeyMask NSControlKeyMask NSAlternateKeyMask NSCommandKeyMask NSAlphaShiftKeyMask
#pragma GCC poison NSFunctionKeyMask NSDeviceIndependentModifierFlagsMask
#pragma GCC poison NSWarningAlertStyle NSInformationalAlertStyle NSCriticalAlertStyle
#pragma GCC poison NSBorderlessWindowMask NSTitledWindowMask NSClosableWindowMask
#pragma GCC poison NSLeftTextAlignment NSRightTextAlignment NSCenterTextAlignment
#pragma GCC poison NSBackingStoreRetained NSBackingStoreNonretained
#pragma GCC poison notImplemented subclassResponsibility shouldNotImplement
