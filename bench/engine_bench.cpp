// The key-tip engine's hot paths: the event handlers while key tips are idle (every key, modifier and
// click of the host passes through them), the first-layer match check, and the openings of the first
// layer and of a command layer on a large window.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/key_tips.hpp"
#include "engine/key_tips_test_peer.hpp"
#include "engine/matching.hpp"
#include "platform/sim/world.hpp"
#include "profiles/presentation_profile.hpp"
#include "sim_hosts/ribbon.hpp"
#include "tables/presentation.hpp"
#include "tables/spreadsheet.hpp"

namespace {

using keytips::AccessKey;
using keytips::KeyTable;
using platform::sim::World;
using platform::sim::world;

// ---- Idle handlers -------------------------------------------------------------------------------------

struct IdleEngine {
    keytips::HostProfile profile =
        keytips::spreadsheetProfile(keytips::spreadsheet::usTables(), keytips::spreadsheet::ukTables());
    keytips::KeyTips tips{profile};
    IdleEngine() {
        world().reset();
        tips.language = "1033";
        tips.initializeAccessKeys();
    }
    ~IdleEngine() { world().reset(); }
    IdleEngine(const IdleEngine&) = delete;
    IdleEngine& operator=(const IdleEngine&) = delete;
    IdleEngine(IdleEngine&&) = delete;
    IdleEngine& operator=(IdleEngine&&) = delete;
};

void BM_KeyDownWhileIdle(benchmark::State& state) {
    IdleEngine engine;
    const auto event = World::keyDown(4, "h");
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.tips.handleKeyDownEvent(event));
    }
}
BENCHMARK(BM_KeyDownWhileIdle);

void BM_FlagsChangedWhileIdle(benchmark::State& state) {
    IdleEngine engine;
    const auto event = World::flagsChanged(56, 0x20000);  // Shift down
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.tips.handleFlagsChangedEvent(event));
    }
}
BENCHMARK(BM_FlagsChangedWhileIdle);

void BM_MouseDownWhileIdle(benchmark::State& state) {
    IdleEngine engine;
    const auto event = World::mouseDown(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.tips.handleMouseDownEvent(event));
    }
}
BENCHMARK(BM_MouseDownWhileIdle);

// The 21 tab keys against a prefix that begins several of them and equals none: the first layer with
// "j" typed, which the check leaves as it is.
void BM_CheckShortcutMatchOverTabKeys(benchmark::State& state) {
    IdleEngine engine;
    benchmark::DoNotOptimize(engine.tips.firstAccessLayer().accessKeys.size());
    keytips::KeyTipsTestPeer peer(engine.tips);
    peer.openMode();
    peer.typeAtTabs("j");
    for (auto _ : state) {
        engine.tips.checkShortcutMatch(engine.tips.mode().firstLayerKeyBuffer());
        benchmark::DoNotOptimize(engine.tips.mode().firstLayerKeyBuffer());
    }
    state.counters["tab_keys"] = static_cast<double>(engine.tips.firstAccessLayer().accessKeys.size());
}
BENCHMARK(BM_CheckShortcutMatchOverTabKeys);

// ---- Openings on a large window -------------------------------------------------------------------------

constexpr int elementCount = 2000;
constexpr int layerRows = 200;

// A window of 2,000 elements below the toolbar row, 200 of which carry the titles of a 200-row layer
// "Big"; 21 tabs; the toolbar anchor with a few buttons.
struct LargeWindow {
    keytips::KeyTables tables;
    keytips::HostProfile profile =
        keytips::spreadsheetProfile(keytips::LanguageTables(tables), keytips::LanguageTables(tables));
    std::unique_ptr<keytips::KeyTips> tips;

    LargeWindow() {
        world().reset();
        for (int i = 0; i < 21; ++i) {
            const std::string title = "Tab " + std::to_string(i);
            tables.ribbonKeys.push_back(AccessKey{{"Ribbon"},
                                                  title,
                                                  std::string(1, static_cast<char>('a' + i)),
                                                  "AXRadioButton",
                                                  title,
                                                  std::nullopt});
        }
        for (int i = 0; i < layerRows; ++i) {
            const std::string title = "Command " + std::to_string(i);
            const std::string shortcut = {static_cast<char>('a' + i / 26 % 26),
                                          static_cast<char>('a' + i % 26)};
            tables.sharedKeys.push_back(AccessKey{{"Big"},
                                                  title,
                                                  shortcut,
                                                  i % 2 == 0 ? "AXButton" : "AXMenuButton",
                                                  title,
                                                  std::nullopt,
                                                  true,
                                                  true});
        }
        const int pid = world().launchApplication("com.microsoft.Excel");
        const auto window = world().addWindow(pid, "Book1", {{0, 0}, {1440, 900}});
        const auto add = [&](std::string role, std::string title, double x, double y) {
            platform::sim::ElementSetup setup;
            setup.role = std::move(role);
            setup.title = std::move(title);
            setup.position = platform::Point{x, y};
            setup.size = platform::Size{20, 20};
            world().addElement(window, setup);
        };
        add("AXButton", "Save", 10, 5);
        add("AXMenuButton", "Customize Quick Access Toolbar", 100, 5);
        for (int i = 0; i < 21; ++i) {
            add("AXRadioButton", "Tab " + std::to_string(i), 10.0 + 50 * i, 40);
        }
        for (int i = 0; i < elementCount; ++i) {
            const bool command = i % 10 == 0;
            const int row = i / 10;
            add(command ? (row % 2 == 0 ? "AXButton" : "AXMenuButton") : "AXStaticText",
                command ? "Command " + std::to_string(row) : "Text " + std::to_string(i), 5.0 + (i % 60) * 23,
                80.0 + (i / 60) * 23);
        }
        tips = std::make_unique<keytips::KeyTips>(profile);
        tips->language = "1033";
        tips->initializeAccessKeys();
        keytips::KeyTipsTestPeer(*tips).openMode();
        tips->quickAccessLayer().open();  // finds the toolbar row
    }
    ~LargeWindow() {
        tips.reset();
        world().reset();
    }
    LargeWindow(const LargeWindow&) = delete;
    LargeWindow& operator=(const LargeWindow&) = delete;
    LargeWindow(LargeWindow&&) = delete;
    LargeWindow& operator=(LargeWindow&&) = delete;
};

std::size_t accessibilityRequests() {
    return world().requestCount("copyAttributeValue") + world().requestCount("copyActionNames") +
           world().requestCount("setAttributeValue") + world().requestCount("performAction");
}

void reportRequests(benchmark::State& state, std::size_t before, std::size_t openings) {
    state.counters["ax_requests_per_opening"] =
        static_cast<double>(accessibilityRequests() - before) / static_cast<double>(openings);
}

void BM_OpenFirstLayerLargeWindow(benchmark::State& state) {
    LargeWindow large;
    const std::size_t before = accessibilityRequests();
    std::size_t openings = 0;
    for (auto _ : state) {
        keytips::KeyTipsTestPeer(*large.tips).openMode();  // the first layer, which the closing below ends
        large.tips->firstAccessLayer().open();
        large.tips->firstAccessLayer().close();
        ++openings;
    }
    reportRequests(state, before, openings);
}
BENCHMARK(BM_OpenFirstLayerLargeWindow)->Unit(benchmark::kMillisecond);

void BM_OpenCommandLayerLargeWindow(benchmark::State& state) {
    LargeWindow large;
    const std::size_t before = accessibilityRequests();
    std::size_t openings = 0;
    for (auto _ : state) {
        keytips::KeyTipsTestPeer(*large.tips).endMode(keytips::Closing::layerHistory);
        large.tips->commandAccessLayer().open("Big");
        large.tips->commandAccessLayer().close();
        ++openings;
    }
    reportRequests(state, before, openings);
    state.counters["labelled"] =
        static_cast<double>(large.tips->commandAccessLayer().relevantElements.size());
}
BENCHMARK(BM_OpenCommandLayerLargeWindow)->Unit(benchmark::kMillisecond);

// The matching step alone, on the warm attribute cache of a layer that has opened once: the engine's
// index against the straightforward scan that compares every key with every candidate.
struct WarmMatch {
    LargeWindow large;
    std::vector<keytips::Element> candidates;
    WarmMatch() {
        auto& layer = large.tips->commandAccessLayer();
        layer.open("Big");
        for (const auto& element : layer.elements) {
            const auto position = keytips::getPosition(element);
            if (position && position->y < *large.tips->toolbarYCoordinate()) {
                candidates.push_back(element);
            }
        }
    }
};

bool sameText(std::optional<std::string_view> value, const std::optional<std::string>& expected) {
    return value.has_value() == expected.has_value() && (!value || *value == *expected);
}

// Every key against every candidate, reading role, title and description through the cache.
std::size_t scanKeyByKey(const KeyTable& keys, const std::vector<keytips::Element>& candidates,
                         keytips::AttributeCache& cache) {
    std::size_t matched = 0;
    for (const AccessKey& key : keys) {
        for (const auto& element : candidates) {
            const auto role = keytips::textOf(keytips::getAttribute(element, "AXRole", cache));
            if (!role || *role != key.role) {
                continue;
            }
            const auto* title = keytips::getAttribute(element, "AXTitle", cache);
            if ((title != nullptr && title->text() == nullptr) ||
                !sameText(keytips::textOf(title), key.title)) {
                continue;
            }
            const auto* description = keytips::getAttribute(element, "AXDescription", cache);
            if ((description != nullptr && description->text() == nullptr) ||
                !sameText(keytips::textOf(description), key.description)) {
                continue;
            }
            ++matched;
        }
    }
    return matched;
}

std::size_t matchIndexed(const KeyTable& keys, const std::vector<keytips::Element>& candidates,
                         keytips::AttributeCache& cache) {
    const keytips::MatchIndex index(keys, candidates, cache);
    std::size_t matched = 0;
    for (const AccessKey& key : keys) {
        matched += index.matching(key).size();
    }
    return matched;
}

template <std::size_t (*Match)(const KeyTable&, const std::vector<keytips::Element>&,
                               keytips::AttributeCache&)>
void BM_MatchCommandLayer(benchmark::State& state) {
    WarmMatch warm;
    auto& layer = warm.large.tips->commandAccessLayer();
    const std::size_t before = accessibilityRequests();
    std::size_t runs = 0;
    std::size_t matched = 0;
    for (auto _ : state) {
        matched = Match(layer.accessKeys, warm.candidates, layer.attributeCache);
        ++runs;
    }
    reportRequests(state, before, runs);
    state.counters["matched"] = static_cast<double>(matched);
    state.counters["candidates"] = static_cast<double>(warm.candidates.size());
}
BENCHMARK_TEMPLATE(BM_MatchCommandLayer, matchIndexed)->Name("BM_MatchCommandLayer/indexed");
BENCHMARK_TEMPLATE(BM_MatchCommandLayer, scanKeyByKey)->Name("BM_MatchCommandLayer/key_by_key");

// ---- The simulated hosts' ribbons ------------------------------------------------------------------

// Opening the Home layer of a host's full ribbon built from its US tables, with the toolbar row found:
// the spreadsheet host (LedgerKeys' profile) and the presentation host (DeckKeys' profile).
template <keytips::HostProfile (*makeProfile)(keytips::LanguageTables, keytips::LanguageTables),
          const sim_hosts::HostKind& (*kind)(), keytips::LanguageTables (*us)(),
          keytips::LanguageTables (*uk)()>
void BM_OpenHomeLayerInRibbon(benchmark::State& state) {
    world().reset();
    sim_hosts::launchHost(world(), kind());
    keytips::KeyTips tips(makeProfile(us(), uk()));
    tips.language = kind().usLanguage;
    tips.initializeAccessKeys();
    tips.quickAccessLayer().open();
    const std::size_t before = accessibilityRequests();
    std::size_t openings = 0;
    for (auto _ : state) {
        keytips::KeyTipsTestPeer(tips).endMode(keytips::Closing::layerHistory);
        tips.commandAccessLayer().open("Home");
        tips.commandAccessLayer().close();
        ++openings;
    }
    reportRequests(state, before, openings);
    state.counters["labelled"] = static_cast<double>(tips.commandAccessLayer().relevantElements.size());
    state.counters["elements"] = static_cast<double>(tips.commandAccessLayer().elements.size());
    world().reset();
}
BENCHMARK_TEMPLATE(BM_OpenHomeLayerInRibbon, keytips::spreadsheetProfile, sim_hosts::spreadsheetHost,
                   keytips::spreadsheet::usTables, keytips::spreadsheet::ukTables)
    ->Name("BM_OpenHomeLayerInRibbon/spreadsheet")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_OpenHomeLayerInRibbon, keytips::presentationProfile, sim_hosts::presentationHost,
                   keytips::presentation::usTables, keytips::presentation::ukTables)
    ->Name("BM_OpenHomeLayerInRibbon/presentation")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
