#include "engine/key_tips.hpp"

#include "engine/text.hpp"
#include "engine/typed_keys.hpp"
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
        shutDownAccessKeys(Closing::shutDownKeepingWindow);
    } else {
        mode_.endSession();  // the session ends all the same: a toolbar press still waiting is dropped
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

bool KeyTips::isLayerActive() const { return mode_.isActive(); }

platform::dispatch::Block KeyTips::guard(BlockScope scope, platform::dispatch::Block block) const {
    return [alive = std::weak_ptr(alive_), this, scope, held = mode_.ticket(), block = std::move(block)] {
        if (!alive.expired() && mode_.stillWanted(held, scope)) {
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

void KeyTips::queueOpening() {
    // Made now, so that it holds the ticket of the mode that opens now.
    platform::dispatch::Block open = guard(BlockScope::mode, [this] {
        quickAccessLayer().open();
        firstAccessLayer().open();
    });
    platform::dispatch::mainAsync(guard(BlockScope::engine, [this, open = std::move(open)] {
        // A mode starts on a clear screen: labels whose removal an earlier mode had queued go now.
        quickAccessLayer().close();
        commandAccessLayer().close();
        open();  // not when the mode ended meanwhile (the host may have resigned)
    }));
}

void KeyTips::queueShutDown(Closing closing) {
    platform::dispatch::mainAsync(
        guard(BlockScope::engine, [this, closing] { shutDownAccessKeys(closing); }));
}

void KeyTips::queueModeEnd() {
    // Return is a key for the host: it ends the mode, not the session. A toolbar digit typed before
    // it has ended the session for the user already, so its press runs, whether or not the host's
    // queue ran between the two keys.
    platform::dispatch::mainAsync(
        guard(BlockScope::engine, [this] { endMode(Closing::shutDownKeepingWindow); }));
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
        mode_.endSession();  // the user ends the session, with key tips on or off
    }
    if (!EnableAccessKeys) {
        return event;
    }
    if (optionChord) {
        mode_.holdOptionChord();
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
        queueShutDown(Closing::shutDown);
        return std::nullopt;
    }
    if (!event.charactersIgnoringModifiers) {
        return std::nullopt;
    }
    std::string key = lowercased(*event.charactersIgnoringModifiers);
    if (mode_.isFirstLayerActive()) {
        mode_.typeAtTabs(key);
        log("VELKARO || Key pressed Layer One: " + key);
        if (containsDecimalDigit(key)) {
            queuePress([this, key] { quickAccessLayer().press(key); });
        } else {
            checkShortcutMatch(mode_.firstLayerKeyBuffer());
            queuePress([this, key] { firstAccessLayer().press(key); });
        }
    } else {
        log("VELKARO || Key pressed Layer Two: " + key);
        queuePress([this, key] { commandAccessLayer().press(key); });
    }
    return std::nullopt;
}

// The engine decides at once, before the ribbon-tab layer's queued press has run, whether the keys
// typed at the tabs name a tab: a key typed ahead of that press then already goes to the second
// layer, and its queued command press runs after the tab press has opened the tab's layer. The layer
// reads its own buffer with the same classification when its press runs, and decides the final state.
// A copy: the buffer passed is usually the tab buffer, which a match clears.
void KeyTips::checkShortcutMatch(std::string buffer) {  // NOLINT(performance-unnecessary-value-param)
    const TypedKeys typed = classifyTyped(firstAccessLayer().accessKeys, buffer);
    if (typed.noCandidate()) {
        log("No access keys found starting with " + buffer);
        mode_.clearFirstLayerKeyBuffer();
        return;
    }
    if (typed.exact()) {
        mode_.clearFirstLayerKeyBuffer();
        enterSecondLayer();
    }
}

std::optional<appkit::Event> KeyTips::handleFlagsChangedEvent(const appkit::Event& event) {
    const appkit::ModifierFlags flags = event.modifierFlags;
    const bool optionHeld = (flags & appkit::optionFlag) != 0;
    if (!EnableAccessKeys) {
        if (!optionHeld) {
            mode_.endSession();  // a modifier key ends the session with key tips off as well
        }
        return event;
    }
    if (optionHeld) {
        if ((flags & (appkit::commandFlag | appkit::controlFlag | appkit::shiftFlag)) != 0) {
            mode_.holdOptionChord();
        }
        return event;
    }
    if (isOptionKey(event.keyCode)) {
        if (!isLayerActive() && !mode_.blockAccessibility()) {
            openMode();  // which ends the session
            queueOpening();
        } else {
            mode_.endSession();  // a second Option tap, or the end of an Option chord
            if (isLayerActive()) {
                queueShutDown(Closing::shutDown);
            }
        }
        mode_.releaseOptionChord();
        return event;
    }
    mode_.endSession();  // another modifier key, down or up
    if (isLayerActive()) {
        queueShutDown(Closing::shutDown);
    }
    return event;
}

std::optional<appkit::Event> KeyTips::handleMouseDownEvent(const appkit::Event& event) {
    mode_.endSession();  // the user ends the session, with key tips on or off
    if (!EnableAccessKeys) {
        return event;
    }
    if (isLayerActive()) {
        queueShutDown(Closing::shutDown);
    }
    return event;
}

void KeyTips::handleApplicationDidResignActive(const appkit::Notification& /*notification*/) {
    log("VELKARO || Application lost focus. Performing custom actions.");
    shutDownAccessKeys(Closing::shutDown);
}

void KeyTips::shutDownAccessKeys(Closing closing) {
    mode_.endSession();
    endMode(closing);
}

// ---- Mode transitions ------------------------------------------------------------------------------

void KeyTips::openMode() { mode_.openMode(); }

void KeyTips::enterSecondLayer() { mode_.enterSecondLayer(); }

void KeyTips::returnToFirstLayer() { mode_.returnToFirstLayer(); }

void KeyTips::leaveFirstLayer() { mode_.leaveFirstLayer(); }

void KeyTips::endMode(Closing closing) {
    mode_.endMode(closing);
    if (includes(closing, Closing::firstLayerLabels)) {
        labels_.deleteOverlayWindowsByCategory(firstLayerCategory);
    }
    if (includes(closing, Closing::commandLabels)) {
        labels_.deleteOverlayWindowsByCategory(commandLayerCategory);
    }
    if (includes(closing, Closing::hostWindow)) {
        commandAccessLayer().closeWindow();
    }
}

// ---- The layers' context ---------------------------------------------------------------------------

const HostProfile& LayerContext::profile() const { return tips_.profile_; }
const std::string& LayerContext::language() const { return tips_.language; }
const KeyTables& LayerContext::activeTables() const { return tips_.AccessKeys; }
const ModeState& LayerContext::mode() const { return tips_.mode_; }
const std::string& LayerContext::windowTitle() const { return tips_.windowTitle_; }
std::optional<double> LayerContext::toolbarXCoordinate() const { return tips_.toolbarXCoordinate_; }
std::optional<double> LayerContext::toolbarYCoordinate() const { return tips_.toolbarYCoordinate_; }
OverlayWindows& LayerContext::labels() const { return tips_.labels_; }

void LayerContext::rememberWindowTitle(std::string title) { tips_.windowTitle_ = std::move(title); }

void LayerContext::rememberToolbarRow(platform::Point anchor) {
    tips_.toolbarYCoordinate_ = anchor.y;
    tips_.toolbarXCoordinate_ = anchor.x;
}

TypedKeys LayerContext::typeKey(std::string_view key, const KeyTable& keys) {
    tips_.mode_.typeInLayer(key);
    return classifyTyped(keys, tips_.mode_.keyBuffer());
}

void LayerContext::clearKeyBuffer() { tips_.mode_.clearKeyBuffer(); }
void LayerContext::enterSecondLayer() { tips_.enterSecondLayer(); }
void LayerContext::returnToFirstLayer() { tips_.returnToFirstLayer(); }
void LayerContext::leaveFirstLayer() { tips_.leaveFirstLayer(); }
void LayerContext::endMode(Closing closing) { tips_.endMode(closing); }
void LayerContext::pressTab() { tips_.mode_.pressTab(); }
void LayerContext::enterLayer(std::string source) { tips_.mode_.enterLayer(std::move(source)); }
void LayerContext::leaveLayer() { tips_.mode_.leaveLayer(); }

platform::dispatch::Block LayerContext::guard(BlockScope scope, platform::dispatch::Block block) const {
    return tips_.guard(scope, std::move(block));
}

FirstAccessLayer& LayerContext::firstAccessLayer() { return tips_.firstAccessLayer(); }
CommandAccessLayer& LayerContext::commandAccessLayer() { return tips_.commandAccessLayer(); }

// ---- Layer objects ---------------------------------------------------------------------------------

QuickAccessLayer& KeyTips::quickAccessLayer() {
    if (!quickAccessLayer_) {
        quickAccessLayer_ = std::make_unique<QuickAccessLayer>(context_, std::vector<Element>{});
    }
    return *quickAccessLayer_;
}

FirstAccessLayer& KeyTips::firstAccessLayer() {
    if (!firstAccessLayer_) {
        firstAccessLayer_ = std::make_unique<FirstAccessLayer>(context_, std::vector<Element>{});
    }
    return *firstAccessLayer_;
}

CommandAccessLayer& KeyTips::commandAccessLayer() {
    if (!commandAccessLayer_) {
        commandAccessLayer_ = std::make_unique<CommandAccessLayer>(context_, std::vector<Element>{});
    }
    return *commandAccessLayer_;
}

}  // namespace keytips
