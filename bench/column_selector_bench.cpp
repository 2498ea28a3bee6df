// The column selector's tap callback for ordinary typing: the cost per key-down event, and how often
// it asks which application is frontmost (goal: never for an ordinary key).
#include <benchmark/benchmark.h>

#include <cstddef>

#include "column_selector/column_selector.hpp"
#include "platform/events.hpp"
#include "platform/sim/taps.hpp"
#include "platform/sim/world.hpp"

namespace {

namespace cg = platform::cg;
namespace sim = platform::sim;

void ordinaryKeyDown(benchmark::State& state, bool spreadsheetFrontmost) {
    auto& world = sim::world();
    world.reset();
    column_selector::resetColumnSelector();
    const int spreadsheet = world.launchApplication("com.microsoft.Excel");
    const int other = world.launchApplication("com.example.Writer");
    world.setFrontmost(spreadsheetFrontmost ? spreadsheet : other);

    // "a" with Shift: no remapped combination.
    const cg::EventRef event = cg::eventCreateKeyboardEvent(nullptr, 0, true);
    cg::eventSetFlags(event.get(), cg::flagMaskShift);
    const std::size_t queriesBefore = world.requestCount("frontmostApplication");

    for (auto _ : state) {
        benchmark::DoNotOptimize(
            column_selector::eventTapCallback(nullptr, cg::keyDownEvent, event, nullptr));
    }

    const auto queries = static_cast<double>(world.requestCount("frontmostApplication") - queriesBefore);
    state.counters["frontmost_queries_per_1000_keys"] =
        benchmark::Counter(1000.0 * queries / static_cast<double>(state.iterations()));
    world.reset();
}

BENCHMARK_CAPTURE(ordinaryKeyDown, spreadsheet_frontmost, true);
BENCHMARK_CAPTURE(ordinaryKeyDown, other_application_frontmost, false);

}  // namespace

BENCHMARK_MAIN();
