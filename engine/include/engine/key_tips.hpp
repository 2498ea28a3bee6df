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
#include "engine/layer_context.hpp"
#include "engine/layers.hpp"
#include "engine/mode_state.hpp"
#include "engine/overlay_window.hpp"
#include "platform/appkit.hpp"
#include "platform/dispatch.hpp"

namespace keytips {

class KeyTips {
public:
    using Closing = keytips::Closing;
    using BlockScope = keytips::BlockScope;

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
    // The user ends the session and the mode, with the closing steps named.
    void shutDownAccessKeys(Closing closing = Closing::shutDown);
    [[nodiscard]] bool isLayerActive() const;
    // Takes the typed keys by value: a match clears the buffer they are read from.
    void checkShortcutMatch(std::string buffer);

    // ---- Reads of the mode and of what the first layer found ----
    [[nodiscard]] const ModeState& mode() const { return mode_; }
    [[nodiscard]] const std::string& windowTitle() const { return windowTitle_; }
    [[nodiscard]] std::optional<double> toolbarXCoordinate() const { return toolbarXCoordinate_; }
    [[nodiscard]] std::optional<double> toolbarYCoordinate() const { return toolbarYCoordinate_; }

    // The layer objects, each created on first use.
    QuickAccessLayer& quickAccessLayer();
    FirstAccessLayer& firstAccessLayer();
    CommandAccessLayer& commandAccessLayer();

    // ---- Start-up state ----
    bool EnableAccessKeys = true;  // NOLINT(readability-identifier-naming)
    std::string language;
    std::optional<platform::appkit::MonitorHandle> keyDownMonitor;
    std::optional<platform::appkit::MonitorHandle> flagsChangedMonitor;
    std::optional<platform::appkit::MonitorHandle> leftMouseDownMonitor;
    std::optional<platform::appkit::MonitorHandle> rightMouseDownMonitor;
    KeyTables AccessKeys;  // NOLINT(readability-identifier-naming): the active tables

private:
    friend class LayerContext;
    friend class KeyTipsTestPeer;

    // ---- Mode transitions ----
    // The only calls that change the mode's layer flags: each changes the mode state (see ModeState)
    // and, in ending the mode, takes down what the caller names: labels first, then the window step.
    void openMode();
    void enterSecondLayer();
    void returnToFirstLayer();
    void leaveFirstLayer();
    void endMode(Closing closing);

    // ---- Queued blocks ----
    // Every block the engine and its layers queue is made by `guard`, so none acts once its engine
    // is destroyed or its scope is over (see BlockScope), judged by the ticket of the moment it was
    // made. The event handlers hold the same lifetime token as these blocks. Which element a typed key
    // acts on is another question, answered by the opening that labelled it (see the command layer).
    [[nodiscard]] platform::dispatch::Block guard(BlockScope scope, platform::dispatch::Block block) const;
    // A lone Option tap: clears the screen of an earlier mode's labels, then opens the first layer
    // while this mode is still open.
    void queueOpening();
    // A typed key's press, while its mode is open.
    void queuePress(std::function<void()> press);
    // The user's end of the session (Escape, a click, a modifier, a second Option tap), run in turn.
    void queueShutDown(Closing closing);
    // Return: the shutdown's steps but the window's, ending the mode but not the session.
    void queueModeEnd();

    using Handler = std::optional<platform::appkit::Event> (KeyTips::*)(const platform::appkit::Event&);
    // The monitor handler that hands events to `handle` while this engine exists and passes them on
    // unchanged once it is gone.
    [[nodiscard]] platform::appkit::EventHandler handlerWhileAlive(Handler handle);

    // Shared with every handler and block the engine hands out; they hold it weakly.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);

    const HostProfile profile_;  // a copy: the profile is a few values; its tables outlive the engine
    bool monitorsInstalled_ = false;
    ModeState mode_;
    std::string windowTitle_;
    std::optional<double> toolbarXCoordinate_;
    std::optional<double> toolbarYCoordinate_;
    OverlayWindows labels_;
    LayerContext context_{*this};
    std::unique_ptr<QuickAccessLayer> quickAccessLayer_;
    std::unique_ptr<FirstAccessLayer> firstAccessLayer_;
    std::unique_ptr<CommandAccessLayer> commandAccessLayer_;
};

}  // namespace keytips
