// The state of key-tip mode: which layer takes the typed keys, the keys typed so far, the command
// layers opened, and the counters that tell a queued block whether its mode and session still hold.
// Its fields are private and its only writers are the transitions below; the engine owns the one
// instance and lets its layers and the tests drive it only through named calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace keytips {

// The steps that end a mode takes; each caller names the ones it needs.
enum class Closing : unsigned {
    none = 0,
    firstLayerLabels = 1U << 0U,     // the toolbar's and the tabs' labels
    commandLabels = 1U << 1U,        // the command layer's labels
    hostWindow = 1U << 2U,           // raise the remembered window, dismiss popovers
    layerHistory = 1U << 3U,         // the opened command layers
    keyBuffer = 1U << 4U,            // the keys typed in a layer
    firstLayerKeyBuffer = 1U << 5U,  // the keys typed at the tabs
    // A shutdown: every step.
    shutDown = (1U << 6U) - 1U,
    // Every step of a shutdown but the window's (Return, the setting switched off).
    shutDownKeepingWindow = shutDown & ~hostWindow
};

constexpr Closing operator|(Closing a, Closing b) {
    return static_cast<Closing>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool includes(Closing closing, Closing step) {
    return (static_cast<unsigned>(closing) & static_cast<unsigned>(step)) != 0;
}

// How long a block queued on the main queue or a task stays wanted:
// - `engine`: while the engine exists (taking a mode down, clearing the screen);
// - `mode`: while the key-tip mode it was queued in is still open (a typed key's press);
// - `session`: until the session it was queued in ends (a new mode, Escape, a click, a modifier, the
//   host resigning, key tips switched off), even after the mode itself ended (a toolbar button's
//   press).
enum class BlockScope { engine, mode, session };

// A session begins with a mode and ends when the next mode opens or the user ends it. It outlives
// its mode only between a toolbar press and its delayed press: the press ends the mode at once, and
// the button is pressed a moment later unless the session has ended meanwhile.
class ModeState {
public:
    // The mode and session current at one moment: a queued block holds the ticket of its queueing.
    struct Ticket {
        std::uint64_t mode = 0;
        std::uint64_t session = 0;
    };

    // ---- Reads ----
    [[nodiscard]] bool isFirstLayerActive() const { return firstLayerActive_; }
    [[nodiscard]] bool isSecondLayerActive() const { return secondLayerActive_; }
    [[nodiscard]] bool isActive() const { return firstLayerActive_ || secondLayerActive_; }
    // An Option chord was seen: the next release of Option opens no mode.
    [[nodiscard]] bool blockAccessibility() const { return blockAccessibility_; }
    // The keys typed at the tabs, as the key-down handler routes them.
    [[nodiscard]] const std::string& firstLayerKeyBuffer() const { return firstLayerKeyBuffer_; }
    // The keys typed in a layer, as the layers match them.
    [[nodiscard]] const std::string& keyBuffer() const { return keyBuffer_; }
    // The command layers opened, the current one last.
    [[nodiscard]] const std::vector<std::string>& layerHistory() const { return layerHistory_; }
    // Whether this mode has pressed (or opened) a tab: a mode presses one tab at most.
    [[nodiscard]] bool tabPressedInMode() const { return tabPressedInMode_; }
    // Counts the openings of key-tip mode.
    [[nodiscard]] std::uint64_t modeGeneration() const { return modeGeneration_; }
    [[nodiscard]] Ticket ticket() const { return {modeGeneration_, sessions_}; }
    // Whether a block holding `held` is still wanted within `scope`.
    [[nodiscard]] bool stillWanted(Ticket held, BlockScope scope) const;

    // ---- Transitions ----
    // Option tapped with no mode open: a new mode, at the first layer, with nothing typed yet. It ends
    // the session before it.
    void openMode();
    // A tab's letters are typed: the keys that follow go to the command layer.
    void enterSecondLayer();
    // Back at the tabs from the command layer; a tab may be pressed again.
    void returnToFirstLayer();
    // The first layer ends; a second layer that a key typed ahead announced stays.
    void leaveFirstLayer();
    // Both layers end; of the steps named, the layer history and the key buffers are emptied.
    void endMode(Closing closing);
    // The session ends: blocks of the `session` scope queued until now are dropped.
    void endSession() { ++sessions_; }
    // An Option chord is seen, or the Option release after it.
    void holdOptionChord() { blockAccessibility_ = true; }
    void releaseOptionChord() { blockAccessibility_ = false; }
    // A key typed at the tabs, and the tab buffer emptied once it has matched or failed.
    void typeAtTabs(std::string_view key) { firstLayerKeyBuffer_ += key; }
    void clearFirstLayerKeyBuffer() { firstLayerKeyBuffer_.clear(); }
    // A key typed in a layer, and the layer buffer emptied once a key has matched.
    void typeInLayer(std::string_view key) { keyBuffer_ += key; }
    void clearKeyBuffer() { keyBuffer_.clear(); }
    // The tab of this mode is pressed.
    void pressTab() { tabPressedInMode_ = true; }
    // A command layer opens, or the last one opened is left.
    void enterLayer(std::string source) { layerHistory_.push_back(std::move(source)); }
    void leaveLayer() { layerHistory_.pop_back(); }

private:
    bool firstLayerActive_ = false;
    bool secondLayerActive_ = false;
    bool blockAccessibility_ = false;
    std::string firstLayerKeyBuffer_;
    std::string keyBuffer_;
    std::vector<std::string> layerHistory_;
    bool tabPressedInMode_ = false;
    std::uint64_t modeGeneration_ = 0;
    // Counts the sessions ended.
    std::uint64_t sessions_ = 0;
};

}  // namespace keytips
