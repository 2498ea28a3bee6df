#include "engine/key_tips.hpp"

#include "engine/text.hpp"
#include "platform/dispatch.hpp"
#include "platform/foundation.hpp"

namespace keytips {

namespace appkit = platform::appkit;
using platform::foundation::AppleScript;
using platform::foundation::log;

namespace {

constexpr std::uint16_t leftOptionKey = 58;
constexpr std::uint16_t rightOptionKey = 61;
constexpr std::uint16_t returnKey = 36;
constexpr std::uint16_t escapeKey = 53;
constexpr std::uint16_t firstArrowKey = 123;
constexpr std::uint16_t lastArrowKey = 126;

bool isOptionKey(std::uint16_t keyCode) { return keyCode == leftOptionKey || keyCode == rightOptionKey; }

// The steps of a shutdown, all but raising the window and dismissing popovers.
constexpr KeyTips::Closing stepsButTheWindow =
    KeyTips::Closing::firstLayerLabels | KeyTips::Closing::commandLabels | KeyTips::Closing::layerHistory |
    KeyTips::Closing::firstLayerKeyBuffer | KeyTips::Closing::keyBuffer;

}  // namespace

KeyTips::KeyTips(HostProfile profile) : profile_(std::move(profile)) {}

KeyTips::~KeyTips() = default;

// ---- Start-up and host queries -------------------------------------------------------------------

void KeyTips::monitorKeyboardEvents() {
    EnableAccessKeys = getEnableAccessKeys();
    if (monitorsInstalled_) {
        return;  // a repeated start only reads the setting again
    }
    profile_.readLanguage(language);
    if (profile_.isSupportedLanguage(language)) {
        initializeAccessKeys();
    } else {
        appkit::Alert alert;
        alert.messageText = "Velkaro Keyvane";
        alert.informativeText = std::string(profile_.alertInformativeText);
        alert.style = appkit::AlertStyle::warning;
        alert.addButton("Open Language Settings");
        alert.addButton("Cancel");
        if (alert.runModal() == appkit::alertFirstButtonReturn) {
            openLanguageAndRegionSettings();
        }
    }
    log(profile_.startLine);
    keyDownMonitor = appkit::addLocalMonitorForEvents(appkit::keyDownMask,
                                                      handlerWhileAlive(&KeyTips::handleKeyDownEvent));
    flagsChangedMonitor = appkit::addLocalMonitorForEvents(
        appkit::flagsChangedMask, handlerWhileAlive(&KeyTips::handleFlagsChangedEvent));
    leftMouseDownMonitor = appkit::addLocalMonitorForEvents(
        appkit::leftMouseDownMask, handlerWhileAlive(&KeyTips::handleMouseDownEvent));
    rightMouseDownMonitor = appkit::addLocalMonitorForEvents(
        appkit::rightMouseDownMask, handlerWhileAlive(&KeyTips::handleMouseDownEvent));
    appkit::addObserver(appkit::applicationDidResignActiveNotification,
                        [alive = std::weak_ptr(alive_), this](const appkit::Notification& notification) {
                            if (!alive.expired()) {
                                handleApplicationDidResignActive(notification);
                            }
                        });
    monitorsInstalled_ = true;
    log("VELKARO || Event monitors initialized");
}

void KeyTips::updateEnableAccessKeys() {
    EnableAccessKeys = getEnableAccessKeys();
    if (EnableAccessKeys) {
        return;
    }
    if (isLayerActive()) {
        // Switched off with a mode open: the mode ends here, since every handler now passes its keys on.
        shutDownAccessKeys(false);
    } else {
        ++interruptions;  // the session ends all the same: a toolbar press still waiting is dropped
    }
}

bool KeyTips::getEnableAccessKeys() const {
    const std::optional<AppleScript> script = AppleScript::create(std::string(profile_.enableScript));
    if (!script) {
        log("No script executed");
        return true;
    }
    const platform::foundation::ScriptResult result = script->execute();
    if (result.errorDescription) {
        log("AppleScript New Error: " + *result.errorDescription);
        return true;
    }
    if (!result.stringValue) {
        log("No value returned by AppleScript");
        return true;
    }
    log("AppleScript returned value: " + *result.stringValue);
    const bool enabled = *result.stringValue == "True";
    log(std::string("Function will return: ") + (enabled ? "true" : "false"));
    return enabled;
}

void KeyTips::openLanguageAndRegionSettings() const {
    appkit::openURL("x-apple.systempreferences:com.apple.Localization-Settings.extension");
}

void KeyTips::initializeAccessKeys() {
    AccessKeys = (language == profile_.ukLanguage ? profile_.ukTables : profile_.usTables).tables();
}

// ---- Event dispatch --------------------------------------------------------------------------------

bool KeyTips::isLayerActive() const { return isFirstLayerActive || isSecondLayerActive; }

bool KeyTips::stillWanted(ModeTicket held, BlockScope scope) const {
    switch (scope) {
        case BlockScope::engine:
            return true;
        case BlockScope::mode:
            return held.mode == modeGeneration && isLayerActive();
        case BlockScope::session:
            return held.mode == modeGeneration && held.interruptions == interruptions;
    }
    return false;
}

platform::dispatch::Block KeyTips::guard(BlockScope scope, platform::dispatch::Block block) const {
    return [alive = std::weak_ptr(alive_), this, scope, held = ticket(), block = std::move(block)] {
        if (!alive.expired() && stillWanted(held, scope)) {
            block();
        }
    };
}

appkit::EventHandler KeyTips::handlerWhileAlive(Handler handle) {
    return [alive = std::weak_ptr(alive_), this,
            handle](const appkit::Event& event) -> std::optional<appkit::Event> {
        if (alive.expired()) {
            return event;
        }
        return (this->*handle)(event);
    };
}

void KeyTips::queueShutDown(bool closeWindow) {
    platform::dispatch::mainAsync(
        guard(BlockScope::engine, [this, closeWindow] { shutDownAccessKeys(closeWindow); }));
}

void KeyTips::queueModeEnd() {
    // Return is a key for the host: it ends the mode, not the session. A toolbar digit typed before
    // it has ended the session for the user already, so its press runs, whether or not the host's
    // queue ran between the two keys.
    platform::dispatch::mainAsync(guard(BlockScope::engine, [this] { endMode(stepsButTheWindow); }));
}

void KeyTips::queuePress(std::function<void()> press) {
    platform::dispatch::mainAsync(guard(BlockScope::mode, [this, press = std::move(press)] {
        press();
        if (!isLayerActive()) {
            // However the press ended the mode, no label of it stays on screen.
            quickAccessLayer().close();
            commandAccessLayer().close();
        }
    }));
}

std::optional<appkit::Event> KeyTips::handleKeyDownEvent(const appkit::Event& event) {
    const bool optionChord = (event.modifierFlags & appkit::optionFlag) != 0 && !isOptionKey(event.keyCode);
    if (event.keyCode == escapeKey && !optionChord) {
        ++interruptions;  // the user ends the session, with key tips on or off
    }
    if (!EnableAccessKeys) {
        return event;
    }
    if (optionChord) {
        blockAccessibility = true;
        return event;
    }
    if (!isLayerActive()) {
        return event;
    }
    if (event.keyCode >= firstArrowKey && event.keyCode <= lastArrowKey) {
        return event;
    }
    if (event.keyCode == returnKey) {
        queueModeEnd();
        return event;
    }
    if (event.keyCode == escapeKey) {
        queueShutDown(true);
        return std::nullopt;
    }
    if (!event.charactersIgnoringModifiers) {
        return std::nullopt;
    }
    std::string key = lowercased(*event.charactersIgnoringModifiers);
    if (isFirstLayerActive) {
        firstLayerKeyBuffer += key;
        log("VELKARO || Key pressed Layer One: " + key);
        if (containsDecimalDigit(key)) {
            queuePress([this, key] { quickAccessLayer().press(key); });
        } else {
            checkShortcutMatch(firstLayerKeyBuffer);
            queuePress([this, key] { firstAccessLayer().press(key); });
        }
    } else {
        log("VELKARO || Key pressed Layer Two: " + key);
        queuePress([this, key] { commandAccessLayer().press(key); });
    }
    return std::nullopt;
}

// A copy: the buffer passed is usually firstLayerKeyBuffer, which a match clears.
void KeyTips::checkShortcutMatch(std::string buffer) {  // NOLINT(performance-unnecessary-value-param)
    bool anyCandidate = false;
    bool exact = false;
    for (const AccessKey& key : firstAccessLayer().accessKeys) {
        if (startsWith(key.shortcut, buffer)) {
            anyCandidate = true;
            exact = exact || key.shortcut == buffer;
        }
    }
    if (!anyCandidate) {
        log("No access keys found starting with " + buffer);
        firstLayerKeyBuffer.clear();
        return;
    }
    if (exact) {
        firstLayerKeyBuffer.clear();
        enterSecondLayer();
    }
}

std::optional<appkit::Event> KeyTips::handleFlagsChangedEvent(const appkit::Event& event) {
    const appkit::ModifierFlags flags = event.modifierFlags;
    if ((flags & appkit::optionFlag) == 0) {
        ++interruptions;  // the user ends the session, with key tips on or off
    }
    if (!EnableAccessKeys) {
        return event;
    }
    if ((flags & appkit::optionFlag) != 0) {
        if ((flags & (appkit::commandFlag | appkit::controlFlag | appkit::shiftFlag)) != 0) {
            blockAccessibility = true;
        }
        return event;
    }
    if (isOptionKey(event.keyCode)) {
        if (!isLayerActive() && !blockAccessibility) {
            openMode();
            platform::dispatch::mainAsync(guard(BlockScope::engine, [this, held = ticket()] {
                // A mode starts on a clear screen: labels whose removal an earlier mode had queued go now.
                quickAccessLayer().close();
                commandAccessLayer().close();
                if (stillWanted(held,
                                BlockScope::mode)) {  // not ended meanwhile (the host may have resigned)
                    quickAccessLayer().open();
                    firstAccessLayer().open();
                }
            }));
        } else if (isLayerActive()) {
            queueShutDown(true);
        }
        blockAccessibility = false;
        return event;
    }
    if (isLayerActive()) {
        queueShutDown(true);
    }
    return event;
}

std::optional<appkit::Event> KeyTips::handleMouseDownEvent(const appkit::Event& event) {
    ++interruptions;  // the user ends the session, with key tips on or off
    if (!EnableAccessKeys) {
        return event;
    }
    if (isLayerActive()) {
        queueShutDown(true);
    }
    return event;
}

void KeyTips::handleApplicationDidResignActive(const appkit::Notification& /*notification*/) {
    log("VELKARO || Application lost focus. Performing custom actions.");
    shutDownAccessKeys(true);
}

void KeyTips::shutDownAccessKeys(bool closeWindow) {
    ++interruptions;
    endMode(closeWindow ? stepsButTheWindow | Closing::hostWindow : stepsButTheWindow);
}

// ---- Mode transitions ------------------------------------------------------------------------------

void KeyTips::openMode() {
    isFirstLayerActive = true;
    tabPressedInMode = false;
    ++modeGeneration;
    firstLayerKeyBuffer.clear();
    keyBuffer.clear();
}

void KeyTips::enterSecondLayer() {
    isFirstLayerActive = false;
    isSecondLayerActive = true;
}

void KeyTips::returnToFirstLayer() {
    isFirstLayerActive = true;
    isSecondLayerActive = false;
    tabPressedInMode = false;
}

void KeyTips::leaveFirstLayer() { isFirstLayerActive = false; }

void KeyTips::endMode(Closing closing) {
    isFirstLayerActive = false;
    isSecondLayerActive = false;
    if (includes(closing, Closing::firstLayerLabels)) {
        quickAccessLayer().close();
        firstAccessLayer().close();
    }
    if (includes(closing, Closing::commandLabels)) {
        commandAccessLayer().close();
    }
    if (includes(closing, Closing::hostWindow)) {
        commandAccessLayer().closeWindow();
    }
    if (includes(closing, Closing::layerHistory)) {
        layerHistory.clear();
    }
    if (includes(closing, Closing::firstLayerKeyBuffer)) {
        firstLayerKeyBuffer.clear();
    }
    if (includes(closing, Closing::keyBuffer)) {
        keyBuffer.clear();
    }
}

// ---- Layer objects ---------------------------------------------------------------------------------

QuickAccessLayer& KeyTips::quickAccessLayer() {
    if (!quickAccessLayer_) {
        quickAccessLayer_ = std::make_unique<QuickAccessLayer>(*this, std::vector<Element>{});
    }
    return *quickAccessLayer_;
}

FirstAccessLayer& KeyTips::firstAccessLayer() {
    if (!firstAccessLayer_) {
        firstAccessLayer_ = std::make_unique<FirstAccessLayer>(*this, std::vector<Element>{});
    }
    return *firstAccessLayer_;
}

CommandAccessLayer& KeyTips::commandAccessLayer() {
    if (!commandAccessLayer_) {
        commandAccessLayer_ = std::make_unique<CommandAccessLayer>(*this, std::vector<Element>{});
    }
    return *commandAccessLayer_;
}

}  // namespace keytips
