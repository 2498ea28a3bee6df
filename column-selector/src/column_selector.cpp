#include "column_selector/column_selector.hpp"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/appkit.hpp"
#include "platform/foundation.hpp"
#include "platform/privacy.hpp"

namespace column_selector {

namespace cg = platform::cg;

std::atomic<bool> EnableColumnSelector{true};

namespace {

std::mutex eventTapMutex;
cg::MachPortRef eventTap;  // guarded by eventTapMutex

void storeEventTap(cg::MachPortRef tap) {
    const std::lock_guard lock(eventTapMutex);
    eventTap.swap(tap);
}  // the replaced tap is let go outside the lock

// Forgets the tap if it is still the one stored: a later start-up's tap stays.
void forgetEventTap(const cg::MachPortRef& tap) {
    cg::MachPortRef forgotten;
    const std::lock_guard lock(eventTapMutex);
    if (eventTap == tap) {
        forgotten.swap(eventTap);
    }
}

constexpr std::string_view settingScript =
    "tell application \"Microsoft Excel\"\n"
    "  return run VB macro \"GetEnableColumnSelector\"\n"
    "end tell";

constexpr std::string_view spreadsheetBundleIdentifier = "com.microsoft.Excel";

constexpr cg::KeyCode spaceKey = 49;
constexpr cg::KeyCode leftArrowKey = 123;
constexpr cg::KeyCode rightArrowKey = 124;
constexpr cg::KeyCode commandKey = 55;
constexpr cg::KeyCode shiftKey = 56;
constexpr cg::KeyCode controlKey = 59;
constexpr cg::KeyCode kKey = 40;
constexpr cg::KeyCode jKey = 38;

constexpr cg::EventFlags commandShift = cg::flagMaskCommand | cg::flagMaskShift;

// One event of a synthesised sequence; flags none leaves what a new event gets.
struct KeyStroke {
    cg::KeyCode key;
    bool down;
    std::optional<cg::EventFlags> flags;
};

enum class Remapping { none, controlSpace, commandShiftK, commandShiftJ };

bool contains(cg::EventFlags flags, cg::EventFlags bits) { return (flags & bits) == bits; }

Remapping remappingFor(std::int64_t keyCode, cg::EventFlags flags) {
    if (contains(flags, cg::flagMaskCommand) && keyCode == spaceKey) {
        return Remapping::controlSpace;
    }
    if (contains(flags, cg::flagMaskAlternate | cg::flagMaskShift)) {
        if (keyCode == rightArrowKey) {
            return Remapping::commandShiftK;
        }
        if (keyCode == leftArrowKey) {
            return Remapping::commandShiftJ;
        }
    }
    return Remapping::none;
}

// Creates every event of the sequence, then posts them in order; posts nothing when one cannot be
// created, so that no modifier is left held down.
bool post(const std::vector<KeyStroke>& strokes) {
    const cg::EventSourceRef source = cg::eventSourceCreate(cg::EventSourceState::hidSystem);
    std::vector<cg::EventRef> events;
    events.reserve(strokes.size());
    for (const KeyStroke& stroke : strokes) {
        cg::EventRef event = cg::eventCreateKeyboardEvent(source, stroke.key, stroke.down);
        if (!event) {
            platform::foundation::log("Failed to create the replacement key events, key passed unchanged");
            return false;
        }
        if (stroke.flags) {
            cg::eventSetFlags(event.get(), *stroke.flags);
        }
        events.push_back(std::move(event));
    }
    for (const cg::EventRef& event : events) {
        cg::eventPost(cg::TapLocation::hid, event.get());
    }
    return true;
}

bool perform(Remapping remapping) {
    switch (remapping) {
        case Remapping::controlSpace:
            return simulateControlSpace();
        case Remapping::commandShiftK:
            return simulateCmdShift("k");
        case Remapping::commandShiftJ:
            return simulateCmdShift("j");
        case Remapping::none:
            break;
    }
    return false;
}

// Says whether the process may listen to events and post them, the two accesses a tap may lack.
void logEventAccess() {
    const platform::privacy::Permissions granted = platform::privacy::permissions();
    const auto answer = [](bool allowed) { return allowed ? "yes" : "no"; };
    platform::foundation::log(std::string("Event tap permissions: listen to events allowed: ") +
                              answer(granted.listenToEvents) +
                              ", post events allowed: " + answer(granted.postEvents));
}

bool isTapDisabledNotification(cg::EventType type) {
    return type == cg::tapDisabledByTimeout || type == cg::tapDisabledByUserInput;
}

}  // namespace

bool getEnableColumnSelector() {
    namespace foundation = platform::foundation;
    const auto script = foundation::AppleScript::create(std::string(settingScript));
    if (!script) {
        foundation::log("No script executed");
        return true;
    }
    const foundation::ScriptResult result = script->execute();
    if (result.errorDescription) {
        foundation::log("AppleScript New Error: " + *result.errorDescription);
        return true;
    }
    if (!result.stringValue) {
        foundation::log("No value returned by AppleScript");
        return true;
    }
    foundation::log("AppleScript returned value: " + *result.stringValue);
    const bool answer = *result.stringValue == "True";
    foundation::log(std::string("Function will return: ") + (answer ? "true" : "false"));
    return answer;
}

void updateColumnSelector() { EnableColumnSelector = getEnableColumnSelector(); }

void initializeEventMonitor() {
    EnableColumnSelector = getEnableColumnSelector();
    platform::foundation::log("initializeEventMonitor function called");

    constexpr cg::EventMask keyDownMask = cg::EventMask{1} << cg::keyDownEvent;
    const cg::MachPortRef tap =
        cg::eventTapCreate(cg::TapLocation::hid, cg::TapPlacement::headInsert, cg::TapOptions::defaultTap,
                           keyDownMask, eventTapCallback, nullptr);
    storeEventTap(tap);
    if (!tap) {
        platform::foundation::log("Failed to create event tap");
        logEventAccess();
        return;
    }
    const cg::RunLoopSourceRef source = cg::machPortCreateRunLoopSource(tap, 0);
    const cg::RunLoopRef loop = cg::runLoopGetCurrent();
    cg::runLoopAddSource(loop, source);
    cg::eventTapEnable(tap, true);
    platform::foundation::log("Event monitor initialized");

    cg::runLoopRun();

    // Nothing services the tap any more: switch it off, take it off the run loop and let it go.
    cg::eventTapEnable(tap, false);
    cg::runLoopRemoveSource(loop, source);
    forgetEventTap(tap);
}

cg::MachPortRef currentEventTap() {
    const std::lock_guard lock(eventTapMutex);
    return eventTap;
}

cg::EventRef eventTapCallback(cg::TapProxy* /*proxy*/, cg::EventType type, const cg::EventRef& event,
                              void* /*userInfo*/) {
    if (isTapDisabledNotification(type)) {
        platform::foundation::log("Event tap disabled, re-enabling");
        if (const cg::MachPortRef tap = currentEventTap()) {
            cg::eventTapEnable(tap, true);
        }
        return nullptr;
    }
    // The cheap tests first: ordinary typing never asks which application is frontmost.
    if (type != cg::keyDownEvent || !EnableColumnSelector.load()) {
        return event;
    }
    const Remapping remapping =
        remappingFor(cg::eventGetIntegerValueField(event.get(), cg::EventField::keyboardEventKeycode),
                     cg::eventGetFlags(event.get()));
    if (remapping == Remapping::none || !isExcelActive()) {
        return event;
    }
    return perform(remapping) ? nullptr : event;
}

bool isExcelActive() {
    const auto frontmost = platform::appkit::frontmostApplication();
    return frontmost && frontmost->bundleIdentifier == spreadsheetBundleIdentifier;
}

bool simulateControlSpace() {
    return post({
        {controlKey, true, 0},
        {spaceKey, true, cg::flagMaskControl},
        {spaceKey, false, cg::flagMaskControl},
        {controlKey, false, 0},
    });
}

bool simulateCmdShift(std::string_view key) {
    if (key != "k" && key != "j") {
        platform::foundation::writeStandardOutput("Unsupported key: " + std::string(key) + "\n");
        return false;
    }
    const cg::KeyCode letter = key == "k" ? kKey : jKey;
    // The two modifier-up events keep the flags of a new event.
    return post({
        {commandKey, true, cg::flagMaskCommand},
        {shiftKey, true, commandShift},
        {letter, true, commandShift},
        {letter, false, commandShift},
        {shiftKey, false, std::nullopt},
        {commandKey, false, std::nullopt},
    });
}

void resetColumnSelector() {
    EnableColumnSelector = true;
    storeEventTap(nullptr);
}

}  // namespace column_selector
