// A column selector running on its own thread in the simulated platform, and the key events the
// tests type and expect.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "column_selector/column_selector.hpp"
#include "platform/events.hpp"
#include "platform/sim/taps.hpp"
#include "platform/sim/world.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/sim_world_test.hpp"

namespace column_selector_test {

namespace cg = platform::cg;
namespace sim = platform::sim;
using sim::KeyEvent;

inline constexpr cg::EventFlags cmd = cg::flagMaskCommand;
inline constexpr cg::EventFlags opt = cg::flagMaskAlternate;
inline constexpr cg::EventFlags shift = cg::flagMaskShift;
inline constexpr cg::EventFlags ctrl = cg::flagMaskControl;
inline constexpr cg::EventFlags capsLock = 0x10000;

inline constexpr std::int64_t space = sim_hosts::keys::space;
inline constexpr std::int64_t leftArrow = sim_hosts::keys::leftArrow;
inline constexpr std::int64_t rightArrow = sim_hosts::keys::rightArrow;
inline constexpr std::int64_t downArrow = sim_hosts::keys::downArrow;
inline constexpr std::int64_t upArrow = sim_hosts::keys::upArrow;

// Key events as the tests type them; injectTapEvent adds the bits a real keyboard adds (asDelivered).
inline KeyEvent down(std::int64_t key, cg::EventFlags flags = 0) {
    return {cg::keyDownEvent, key, true, flags};
}
inline KeyEvent up(std::int64_t key, cg::EventFlags flags = 0) { return {cg::keyUpEvent, key, false, flags}; }
using sim::asDelivered;

// A modifier key's events are flags-changed events.
inline KeyEvent modifierDown(std::int64_t key, cg::EventFlags flags) {
    return {cg::flagsChangedEvent, key, true, flags};
}
inline KeyEvent modifierUp(std::int64_t key, cg::EventFlags flags) {
    return {cg::flagsChangedEvent, key, false, flags};
}

// The flags of a new event of this key from the HID state source: the modifiers held and its device bits.
inline cg::EventFlags newEventFlags(std::int64_t key, cg::EventFlags held) {
    return (held & sim::heldModifierMask) | sim::deviceFlagBits(key);
}

// What the column selector posts for Command+Space: every flag set, whatever is held.
inline std::vector<KeyEvent> controlSpace() {
    return {modifierDown(59, 0), down(space, ctrl), up(space, ctrl), modifierUp(59, 0)};
}

// What it posts for Option+Shift+Right (letter 40, K) and Option+Shift+Left (letter 38, J) while the
// modifiers `held` are down (those of the typed key); the two modifier-up events have no flags set and
// carry what a new event gets.
inline std::vector<KeyEvent> commandShift(std::int64_t letter, cg::EventFlags held) {
    return {modifierDown(55, cmd),
            modifierDown(56, cmd | shift),
            down(letter, cmd | shift),
            up(letter, cmd | shift),
            modifierUp(56, newEventFlags(56, held)),
            modifierUp(55, newEventFlags(55, held))};
}

inline const std::string settingScript =
    "tell application \"Microsoft Excel\"\n  return run VB macro \"GetEnableColumnSelector\"\nend tell";

enum class Front { spreadsheet, other, none, noBundle, wrongCase };

class TapFixture : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        column_selector::resetColumnSelector();
    }

    void TearDown() override {
        stop();
        column_selector::resetColumnSelector();
        SimWorldTest::TearDown();
    }

    static void answer(std::string text) {
        sim::world().setScriptAnswer("GetEnableColumnSelector", sim::ScriptAnswer::withText(std::move(text)));
    }

    static void bringToFront(Front front) {
        auto& world = sim::world();
        switch (front) {
            case Front::spreadsheet:
                world.setFrontmost(world.launchApplication("com.microsoft.Excel"));
                break;
            case Front::other:
                world.setFrontmost(world.launchApplication("com.example.Writer"));
                break;
            case Front::none:
                world.launchApplication("com.microsoft.Excel");
                world.setFrontmost(std::nullopt);
                break;
            case Front::noBundle:
                world.setFrontmost(world.launchApplication(std::nullopt));
                break;
            case Front::wrongCase:
                world.setFrontmost(world.launchApplication("com.microsoft.excel"));
                break;
        }
    }

    // Runs initializeEventMonitor on a worker thread and waits until its run loop serves the tap.
    void start() {
        worker_ = std::thread([] { column_selector::initializeEventMonitor(); });
        loop_ = sim::waitForTapRunLoop();
    }

    void stop() {
        if (worker_.joinable()) {
            cg::runLoopStop(loop_);
            worker_.join();
        }
    }

    static std::size_t frontmostQueries() { return sim::world().requestCount("frontmostApplication"); }
    static std::vector<std::string> logs() { return sim::world().logLines(); }

private:
    std::thread worker_;
    cg::RunLoopRef loop_ = nullptr;
};

}  // namespace column_selector_test
