#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "keys/KeyCodeName.h"
#include "keys/KeyLookup.h"
#include "keys/KeyboardTable.h"

namespace {

// Naming every key of a full keyboard page: what a refresh of the key buttons costs.
void BM_KeyCodeNameOfKeyboardRows(benchmark::State& state) {
    const std::vector<std::string> macros = {"a", "b", "c"};
    for (auto _ : state) {
        for (const auto& row : keys::kKeyboardTable) {
            benchmark::DoNotOptimize(keys::KeyCodeName(row.code, macros));
        }
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(keys::kKeyboardTable.size()));
}
BENCHMARK(BM_KeyCodeNameOfKeyboardRows);

// A composed name (modifier + key) takes the slowest path: no exact row, then two lookups.
void BM_KeyCodeNameComposed(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(keys::KeyCodeName(keys::KeyCode{0x20, 0x01, 0x06}));
    }
}
BENCHMARK(BM_KeyCodeNameComposed);

// One captured key event.
void BM_ScanCodeLookup(benchmark::State& state) {
    std::uint8_t scan = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(keys::FindKeyboardRowByScanCode(scan, (scan & 1) != 0));
        ++scan;
    }
}
BENCHMARK(BM_ScanCodeLookup);

}  // namespace
