// Cost of recording: key events appended to a macro's action list (the usual recording) and
// inserted before the first row (the costliest insertion point), for growing recordings. The
// time per event shows whether a long recording slows down as its list grows.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "macros/editing/MacroRecorder.h"

namespace {

using macros::editing::CMacroRecorder;
using macros::editing::Insertion;
using macros::editing::PauseMode;

// Letters A..Z by scan code, pressed and released in turn.
constexpr std::array<std::uint8_t, 26> kLetters{
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

void Record(benchmark::State& state, Insertion where) {
    const auto events = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        std::vector<macros::MacroAction> rows;
        int selected = -1;
        CMacroRecorder recorder;
        recorder.Start(PauseMode::Measured, 0);
        std::uint64_t now = 0;
        for (std::size_t i = 0; i < events; ++i) {
            const capture::ScanCode key{kLetters[(i / 2) % kLetters.size()], false};
            now += 7;
            // Before needs a selected row: the first event goes in by appending.
            const Insertion at = rows.empty() ? Insertion::Append : where;
            const macros::editing::ActionEdit edit =
                recorder.OnKey(at, i % 2 == 0, key, {rows, selected}, now);
            // Inserting before keeps going in at the top.
            selected = where == Insertion::Before ? 0 : edit.selected;
            benchmark::DoNotOptimize(edit);
        }
        if (rows.size() != events) {
            state.SkipWithError("events were dropped");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(events));
}

void BM_RecordAppend(benchmark::State& state) {
    Record(state, Insertion::Append);
}
void BM_RecordBeforeFirstRow(benchmark::State& state) {
    Record(state, Insertion::Before);
}

BENCHMARK(BM_RecordAppend)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000);
BENCHMARK(BM_RecordBeforeFirstRow)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000);

}  // namespace
