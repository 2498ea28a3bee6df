// Shared set-up of the engine tests: small key tables, a clean world and engine per test, and
// helpers that drive the simulated host.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/key_tips.hpp"
#include "engine/key_tips_test_peer.hpp"
#include "platform/appkit.hpp"
#include "platform/sim/world.hpp"
#include "sim_hosts/keyboard.hpp"
#include "support/host_window.hpp"
#include "support/sim_world_test.hpp"

namespace enginetest {

namespace appkit = platform::appkit;
using platform::sim::world;

inline constexpr const char* hostBundle = "com.microsoft.Excel";

// Virtual key codes used by the tests: the named keys, and the letters and digits typed.
namespace keys {
using namespace sim_hosts::keys;
inline constexpr std::uint16_t s = sim_hosts::keyCodeOf('s');
inline constexpr std::uint16_t h = sim_hosts::keyCodeOf('h');
inline constexpr std::uint16_t c = sim_hosts::keyCodeOf('c');
inline constexpr std::uint16_t q = sim_hosts::keyCodeOf('q');
inline constexpr std::uint16_t one = sim_hosts::keyCodeOf('1');
inline constexpr std::uint16_t zero = sim_hosts::keyCodeOf('0');
inline constexpr std::uint16_t j = sim_hosts::keyCodeOf('j');
inline constexpr std::uint16_t b = sim_hosts::keyCodeOf('b');
inline constexpr std::uint16_t n = sim_hosts::keyCodeOf('n');
}  // namespace keys

// Small language tables. US: tabs "h" Home, "n" Insert, contextual "js" and "jc"; commands "1" Bold
// and "b" Borders in the layer Home. UK: one tab "h" titled "Home (UK)".
keytips::KeyTables smallUsTables();
keytips::KeyTables smallUkTables();

// How often each language's tables have been read.
struct TableReads {
    int us = 0;
    int uk = 0;
};

// A clean world and a fresh engine on the small tables for every test.
class EngineTest : public test_support::SimWorldTest {
protected:
    void SetUp() override {
        SimWorldTest::SetUp();
        resetTableReads();
        tips = std::make_unique<keytips::KeyTips>(profile);
    }
    void TearDown() override {
        SimWorldTest::TearDown();
        tips.reset();
    }

    // Runs the engine's start-up with the default host answers ("True", "1033").
    void start() { tips->monitorKeyboardEvents(); }

    // Drives the engine's mode through its transitions.
    [[nodiscard]] keytips::KeyTipsTestPeer peer() const { return keytips::KeyTipsTestPeer(*tips); }

    // Launches the host and loads a fixture window into it; returns its process id.
    int launchHost(std::string_view fixture);

    // Launches the host with the book window, starts the engine, taps Option and runs the queue: the
    // first layer is open with its labels.
    void openFirstLayerInBook();

    static std::optional<appkit::Event> deliver(const appkit::Event& event) { return world().deliver(event); }
    static std::optional<appkit::Event> type(std::uint16_t keyCode, std::optional<std::string> characters,
                                             appkit::ModifierFlags flags = 0) {
        return deliver(platform::sim::World::keyDown(keyCode, std::move(characters), flags));
    }
    // A lone tap of the left Option key; the main queue does not run.
    static void tapOption() { sim_hosts::tapOption(world(), sim_hosts::Pump::never); }
    static std::vector<std::string> logSince(std::size_t first);

    [[nodiscard]] const TableReads& tableReads() const { return reads_; }
    void resetTableReads() { reads_ = {}; }

    // The small tables, and a profile that reads them and counts its reads.
    const keytips::KeyTables usTables = smallUsTables();
    const keytips::KeyTables ukTables = smallUkTables();
    TableReads reads_;
    static keytips::LanguageTables counted(const keytips::KeyTables& tables, int& reads);
    keytips::HostProfile profile =
        keytips::spreadsheetProfile(counted(usTables, reads_.us), counted(ukTables, reads_.uk));
    std::unique_ptr<keytips::KeyTips> tips;
};

// A host window with the toolbar anchor high on screen, one toolbar button, the Home and Insert tabs and
// a Bold check box lower down.
inline const std::string bookFixture = test_support::hostWindow();

}  // namespace enginetest
