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
    explicit KeyTips(const HostProfile& profile);
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

    // The block, for the main queue or a task, that runs `block` while this engine exists and does
    // nothing once it is gone. Every block the engine or its layers queue goes through it.
    [[nodiscard]] platform::dispatch::Block whileAlive(platform::dispatch::Block block) const;

    // The layer objects, each created on first use.
    QuickAccessLayer& quickAccessLayer();
    FirstAccessLayer& firstAccessLayer();
    CommandAccessLayer& commandAccessLayer();

    // Whether a block queued while the mode numbered `generation` was open may still act: that mode
    // is the current one and still open.
    [[nodiscard]] bool isCurrentMode(std::uint64_t generation) const {
        return generation == modeGeneration && isLayerActive();
    }

    // A session: one key-tip mode and what it left to run after it ended (a toolbar button's press).
    // It is over once a new mode opens or the user ends it: Escape, a click, a modifier change, the
    // host resigning, or anything else that shuts the mode down.
    struct Session {
        std::uint64_t mode = 0;
        std::uint64_t interruptions = 0;
    };
    [[nodiscard]] Session session() const { return {modeGeneration, interruptions}; }
    [[nodiscard]] bool isCurrentSession(Session session) const {
        return session.mode == modeGeneration && session.interruptions == interruptions;
    }

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
    // Counts the openings of key-tip mode; blocks queued in one mode do not act in a later one.
    std::uint64_t modeGeneration = 0;
    // Counts the user's ends of a session (see Session).
    std::uint64_t interruptions = 0;
    // Whether the current key-tip mode has pressed (or opened) a tab.
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

    // Shared with every handler and block the engine hands out; they hold it weakly.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);

    const HostProfile& profile_;
    bool monitorsInstalled_ = false;
    std::unique_ptr<QuickAccessLayer> quickAccessLayer_;
    std::unique_ptr<FirstAccessLayer> firstAccessLayer_;
    std::unique_ptr<CommandAccessLayer> commandAccessLayer_;
};

}  // namespace keytips
