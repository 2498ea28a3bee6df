// Building a command table from its rows, as its first read does: time per build, and the heap the
// built table holds, for each host's US and UK tables.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <span>

#include "tables/presentation.hpp"
#include "tables/spreadsheet.hpp"

namespace {
std::atomic<std::size_t> allocatedBytes{0};
std::atomic<bool> counting{false};
}  // namespace

// The replaced allocation functions pair malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Counts what is allocated while `counting` is set (the table's own storage: its records, source
// lists and the strings that do not fit in place).
void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        allocatedBytes.fetch_add(size, std::memory_order_relaxed);
    }
    if (void* memory = std::malloc(size)) {  // NOLINT(cppcoreguidelines-no-malloc)
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }  // NOLINT(cppcoreguidelines-no-malloc)
void operator delete(void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);  // NOLINT(cppcoreguidelines-no-malloc)
}

namespace {

template <const std::span<const keytips::KeyRow>* rowsOfTable>
void BM_BuildCommandTable(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        const keytips::KeyTable table = keytips::buildKeyTable(*rowsOfTable);
        rows = table.size();
        benchmark::DoNotOptimize(table.data());
    }
    allocatedBytes = 0;
    counting = true;
    const keytips::KeyTable measured = keytips::buildKeyTable(*rowsOfTable);
    counting = false;
    benchmark::DoNotOptimize(measured.data());
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["heap_bytes"] = static_cast<double>(allocatedBytes.load());
}
BENCHMARK_TEMPLATE(BM_BuildCommandTable, &keytips::spreadsheet::usSharedKeyRows)
    ->Name("BM_BuildCommandTable/spreadsheet_us")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_BuildCommandTable, &keytips::spreadsheet::ukSharedKeyRows)
    ->Name("BM_BuildCommandTable/spreadsheet_uk")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_BuildCommandTable, &keytips::presentation::usSharedKeyRows)
    ->Name("BM_BuildCommandTable/presentation_us")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_BuildCommandTable, &keytips::presentation::ukSharedKeyRows)
    ->Name("BM_BuildCommandTable/presentation_uk")
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
