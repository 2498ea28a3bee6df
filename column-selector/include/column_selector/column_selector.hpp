// The column selector: a key-down event tap that, while the spreadsheet host is frontmost and the
// add-in's setting is on, replaces Command+Space, Option+Shift+Right arrow and Option+Shift+Left arrow
// with synthesised Control+Space, Command+Shift+K and Command+Shift+J.
#pragma once

#include <atomic>
#include <string_view>

#include "platform/events.hpp"

namespace column_selector {

// Whether the feature is on. Written by the entry points on their callers' threads, read by the tap
// callback on the run loop's thread.
extern std::atomic<bool> EnableColumnSelector;

// The tap made by the last start-up; null before it, after a failed creation and once its run loop
// has returned. The start-up writes it on its caller's thread while tap callbacks read it on their
// run loops' threads: it is only reached through a copy taken under a lock.
platform::cg::MachPortRef currentEventTap();

// Asks the host to run the add-in's macro "GetEnableColumnSelector"; true unless the answer is a text
// other than "True".
bool getEnableColumnSelector();

// Reads the setting, installs and enables the key-down tap on the calling thread's run loop and runs
// that run loop; returns when the run loop returns (the tap is then removed) or when the tap cannot be
// created.
void initializeEventMonitor();

// Reads the setting again.
void updateColumnSelector();

// The tap callback: returns the event to let it pass, or null to delete it.
platform::cg::EventRef eventTapCallback(platform::cg::TapProxy* proxy, platform::cg::EventType type,
                                        const platform::cg::EventRef& event, void* userInfo);

// Whether the frontmost application is the spreadsheet host.
bool isExcelActive();

// Post Control+Space, or Command+Shift with "k" or "j". Each sequence is created whole before any of
// it is posted; they return false, having posted nothing, when an event cannot be created or the key
// is not supported.
bool simulateControlSpace();
bool simulateCmdShift(std::string_view key);

// Returns the module to its state before any entry point ran: the feature on and no tap.
void resetColumnSelector();

}  // namespace column_selector
