// Shared set-up of the layer tests: a simulated spreadsheet host, small key tables the engine reads
// as its language tables, and helpers that type through the real event monitors and pump the main
// queue the way the host's run loop would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/key_tips.hpp"
#include "engine/key_tips_test_peer.hpp"
#include "platform/appkit.hpp"
#include "platform/sim/world.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/host_window.hpp"
#include "support/sim_world_test.hpp"

namespace layertest {

using keytips::AccessKey;
using keytips::KeyTable;
using keytips::KeyTables;
using platform::sim::world;

// ---- Key tables ----------------------------------------------------------------------------------

inline AccessKey tabRow(std::string title, std::string shortcut) {
    return AccessKey{{"Ribbon"}, title, std::move(shortcut), "AXRadioButton", title, std::nullopt,
                     false,      false};
}

// A command that ends key-tip mode when typed.
inline AccessKey finalRow(std::vector<std::string> source, std::string title, std::string shortcut,
                          std::string role = "AXButton", bool press = true) {
    return AccessKey{
        std::move(source), title, std::move(shortcut), std::move(role), title, std::nullopt, press, true};
}

// A command that opens the layer named by its title.
inline AccessKey layerRow(std::vector<std::string> source, std::string title, std::string shortcut,
                          std::string role = "AXMenuButton", bool press = false) {
    return AccessKey{
        std::move(source), title, std::move(shortcut), std::move(role), title, std::nullopt, press, false};
}

// The tables most tests use: tabs Home ("h") and Insert ("n"), the contextual tabs "js" and "jc",
// and on the Home layer Bold ("1") and Italic ("2").
inline KeyTables defaultTables() {
    KeyTables tables;
    tables.ribbonKeys = {tabRow("Home", "h"), tabRow("Insert", "n")};
    tables.contextualKeys = {tabRow("SmartArt Design", "js"), tabRow("Chart Design", "jc")};
    tables.sharedKeys = {finalRow({"Home"}, "Bold", "1", "AXCheckBox", false),
                         finalRow({"Home"}, "Italic", "2", "AXCheckBox", false)};
    return tables;
}

// A window with the Quick Access Toolbar (Save "1", Undo "2", the customise menu button as its
// anchor) on the row at y 10, the tabs Home (selected) and Insert in a tab group at y 40, and the Home
// commands Bold and Italic below in the group "content". Accessibility positions: y grows downward
// from the top of the 900-point screen.
inline test_support::HostWindow layerWindow() {
    return {.toolbar = {"Save", "Undo"},
            .toolbarX = 10,
            .anchorX = 200,
            .buttonSize = 16,
            .grouped = true,
            .moreCommands = "    AXCheckBox \"Italic\" value=0 pos=40,80 size=20,20 name=italic\n"};
}
inline const std::string bookWindow = test_support::hostWindow(layerWindow());

// ---- Keys --------------------------------------------------------------------------------------

namespace keys = sim_hosts::keys;
using platform::appkit::optionFlag;
using sim_hosts::keyCodeOf;
using sim_hosts::Pump;

// ---- The fixture ---------------------------------------------------------------------------------

class LayerTest : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        pid = world().launchApplication("com.microsoft.Excel");
    }

    void TearDown() override {
        tips.reset();
        SimWorldTest::TearDown();
    }

    // Loads the host's window(s), starts the engine as the add-in does and forgets start-up's records.
    void start(std::string_view fixture = bookWindow) {
        windows = world().loadFixture(pid, fixture);
        tips = std::make_unique<keytips::KeyTips>(profile);
        tips->monitorKeyboardEvents();
        world().clearRecords();
    }

    // A lone Option tap; the main queue runs after it unless told not to.
    static void tapOption(Pump pump = Pump::afterEachKey) { sim_hosts::tapOption(world(), pump); }

    // Each character as a key-down; the main queue runs after every key unless told not to.
    static void type(std::string_view characters, Pump pump = Pump::afterEachKey) {
        sim_hosts::typeCharacters(world(), characters, pump);
    }

    // Delivers one key-down and tells whether the host received it.
    static bool press(std::uint16_t keyCode, std::optional<std::string> characters = std::nullopt) {
        return world().deliver(world().keyDown(keyCode, std::move(characters))).has_value();
    }

    [[nodiscard]] static platform::ax::Element el(std::string_view name) { return world().find(name); }

    // The texts of the labels on screen, in creation order; only those of one category if given.
    [[nodiscard]] static std::vector<std::string> labels(
        std::optional<std::string_view> category = std::nullopt) {
        return test_support::labelTexts(category);
    }

    // The x of each label's frame on screen, in creation order.
    [[nodiscard]] static std::vector<double> labelXs() {
        std::vector<double> xs;
        for (const auto& info : world().visibleWindows()) {
            xs.push_back(info.frame.origin.x);
        }
        return xs;
    }

    // Actions performed since the last clear, as "action title" (or "action desc" when untitled).
    [[nodiscard]] static std::vector<std::string> actions() {
        std::vector<std::string> done;
        for (const auto& record : world().actions()) {
            done.push_back(record.action + " " + record.title.value_or(record.description.value_or("")));
        }
        return done;
    }

    // Attribute writes since the last clear, as "attribute title".
    [[nodiscard]] static std::vector<std::string> attributeSets() {
        std::vector<std::string> done;
        for (const auto& record : world().attributeSets()) {
            done.push_back(record.attribute + " " + record.title.value_or(""));
        }
        return done;
    }

    [[nodiscard]] static bool logged(std::string_view line) {
        const auto lines = world().logLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // Whether `first` is logged, and later `second`.
    [[nodiscard]] static bool loggedInOrder(std::string_view first, std::string_view second) {
        const auto lines = world().logLines();
        const auto a = std::find(lines.begin(), lines.end(), first);
        return a != lines.end() && std::find(a, lines.end(), second) != lines.end();
    }

    [[nodiscard]] bool idle() const { return !tips->isLayerActive(); }

    // Drives the engine's mode through its transitions.
    [[nodiscard]] keytips::KeyTipsTestPeer peer() const { return keytips::KeyTipsTestPeer(*tips); }

    // The tables behind the profile's language tables; a test changes them before start-up.
    KeyTables usTables = defaultTables();
    KeyTables ukTables = defaultTables();
    keytips::HostProfile profile =
        keytips::spreadsheetProfile(keytips::LanguageTables(usTables), keytips::LanguageTables(ukTables));
    std::unique_ptr<keytips::KeyTips> tips;
    std::vector<platform::ax::Element> windows;
    int pid = 0;
};

}  // namespace layertest
