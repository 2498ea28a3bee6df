// The key-tip engine of one library: start-up and host queries, event dispatch and the key-tip mode
// state, the active key tables, the label windows and the three layers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/access_key.hpp"
#include "engine/host_profile.hpp"
#include "engine/layers.hpp"
#include "engine/overlay_window.hpp"
#include "platform/appkit.hpp"
#include "platform/dispatch.hpp"

namespace keytips {

class KeyTips {
public:
    explicit KeyTips(HostProfile profile);
    ~KeyTips();
    KeyTips(const KeyTips&) = delete;
    KeyTips& operator=(const KeyTips&) = delete;
    KeyTips(KeyTips&&) = delete;
    KeyTips& operator=(KeyTips&&) = delete;

    [[nodiscard]] const HostProfile& profile() const { return profile_; }

    // ---- Start-up and host queries ----
    void monitorKeyboardEvents();
    void updateEnableAccessKeys();
    [[nodiscard]] bool getEnableAccessKeys() const;
    void openLanguageAndRegionSettings() const;
    void initializeAccessKeys();

    // ---- Event dispatch and key-tip mode ----
    std::optional<platform::appkit::Event> handleKeyDownEvent(const platform::appkit::Event& event);
    std::optional<platform::appkit::Event> handleFlagsChangedEvent(const platform::appkit::Event& event);
    std::optional<platform::appkit::Event> handleMouseDownEvent(const platform::appkit::Event& event);
    void handleApplicationDidResignActive(const platform::appkit::Notification& notification);
    void shutDownAccessKeys(bool closeWindow = true);
    [[nodiscard]] bool isLayerActive() const;
    // Takes the typed keys by value: a match clears the buffer they are read from.
    void checkShortcutMatch(std::string buffer);

    // ---- Mode transitions ----
    // The only places that change `isFirstLayerActive` and `isSecondLayerActive`. Ending the mode
    // names its closing steps, so each caller says what it takes down.
    enum class Closing : unsigned {
        none = 0,
        firstLayerLabels = 1U << 0U,    // the toolbar's and the tabs' labels
        commandLabels = 1U << 1U,       // the command layer's labels
        hostWindow = 1U << 2U,          // raise the remembered window, dismiss popovers
        layerHistory = 1U << 3U,        // the opened command layers
        keyBuffer = 1U << 4U,           // the keys typed in a layer
        firstLayerKeyBuffer = 1U << 5U  // the keys typed at the tabs
    };
    // Option tapped with no mode open: a new mode, at the first layer, with nothing typed yet.
    void openMode();
    // A tab's letters are typed: the keys that follow go to the command layer.
    void enterSecondLayer();
    // Back at the tabs from the command layer; a tab may be pressed again.
    void returnToFirstLayer();
    // The first layer ends; a second layer that a key typed ahead announced stays.
    void leaveFirstLayer();
    // Both layers end, followed by the closing steps named, in the order listed above.
    void endMode(Closing closing);

    // ---- Queued blocks ----
    // How long a block queued on the main queue or a task stays wanted. Every block the engine and its
    // layers queue is made by `guard`, so none acts once its engine is destroyed or its time is over:
    // - `engine`: while the engine exists (taking a mode down, clearing the screen);
    // - `mode`: while the key-tip mode it was queued in is still open (a typed key's press);
    // - `session`: until a new mode opens or the user ends the session (Escape, a click, a modifier,
    //   the host resigning, a shut-down), even after the mode itself ended (a toolbar button's press).
    // The event handlers hold the same lifetime token as these blocks. Which element a typed key acts
    // on is another question, answered by the opening that labelled it (see the command layer).
    enum class BlockScope { engine, mode, session };
    struct ModeTicket {
        std::uint64_t mode = 0;
        std::uint64_t interruptions = 0;
    };
    // The ticket of the mode and session current now.
    [[nodiscard]] ModeTicket ticket() const { return {modeGeneration, interruptions}; }
    // Whether a block holding `ticket` is still wanted within `scope` (the engine exists: it asks).
    [[nodiscard]] bool stillWanted(ModeTicket ticket, BlockScope scope) const;
    // `block`, to run only while it is wanted within `scope`, judged by the ticket of this moment.
    [[nodiscard]] platform::dispatch::Block guard(BlockScope scope, platform::dispatch::Block block) const;

    // The layer objects, each created on first use.
    QuickAccessLayer& quickAccessLayer();
    FirstAccessLayer& firstAccessLayer();
    CommandAccessLayer& commandAccessLayer();

    // ---- Module state ----
    bool EnableAccessKeys = true;  // NOLINT(readability-identifier-naming)
    std::string language;
    std::optional<platform::appkit::MonitorHandle> keyDownMonitor;
    std::optional<platform::appkit::MonitorHandle> flagsChangedMonitor;
    std::optional<platform::appkit::MonitorHandle> leftMouseDownMonitor;
    std::optional<platform::appkit::MonitorHandle> rightMouseDownMonitor;

    bool isFirstLayerActive = false;
    bool isSecondLayerActive = false;
    bool blockAccessibility = false;
    std::string firstLayerKeyBuffer;
    std::string keyBuffer;
    std::vector<std::string> layerHistory;
    std::string windowTitle;
    std::optional<double> toolbarXCoordinate;
    std::optional<double> toolbarYCoordinate;
    // Counts the openings of key-tip mode (see ModeTicket).
    std::uint64_t modeGeneration = 0;
    // Counts the user's ends of a session (see ModeTicket).
    std::uint64_t interruptions = 0;
    // Whether the current key-tip mode has pressed (or opened) a tab: a mode presses one tab at most.
    // Mode state, not a guard: the transitions reset it, the tab press sets it.
    bool tabPressedInMode = false;

    KeyTables AccessKeys;  // NOLINT(readability-identifier-naming): the active tables
    OverlayWindows labels;

private:
    using Handler = std::optional<platform::appkit::Event> (KeyTips::*)(const platform::appkit::Event&);
    // The monitor handler that hands events to `handle` while this engine exists and passes them on
    // unchanged once it is gone.
    [[nodiscard]] platform::appkit::EventHandler handlerWhileAlive(Handler handle);
    void queuePress(std::function<void()> press);
    void queueShutDown(bool closeWindow);
    // What Return queues: the shutdown's steps but the window's, without ending the session.
    void queueModeEnd();

    // Shared with every handler and block the engine hands out; they hold it weakly.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);

    const HostProfile profile_;  // a copy: the profile is a few values; its tables outlive the engine
    bool monitorsInstalled_ = false;
    std::unique_ptr<QuickAccessLayer> quickAccessLayer_;
    std::unique_ptr<FirstAccessLayer> firstAccessLayer_;
    std::unique_ptr<CommandAccessLayer> commandAccessLayer_;
};

constexpr KeyTips::Closing operator|(KeyTips::Closing a, KeyTips::Closing b) {
    return static_cast<KeyTips::Closing>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool includes(KeyTips::Closing closing, KeyTips::Closing step) {
    return (static_cast<unsigned>(closing) & static_cast<unsigned>(step)) != 0;
}

}  // namespace keytips
