// SPDX-License-Identifier: MIT
// Cost of NewPuzzle on a 4000 x 3000 picture whose pixels are never decoded.
#include "tests/fake/fake_board.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace zp::bench {

namespace {
double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

// Wall time is what the user waits; CPU time, kept beside it, is what other processes on a
// busy machine leave untouched.
// Each iteration replaces a board of the same size, as "Setup Size" or "Other Image" does.
void newPuzzle(benchmark::State& state, int cols, int rows)
{
    test::FakeBoard board;
    if (!board.build(4000, 3000, QString::number(cols), QString::number(rows))) {
        state.SkipWithError("NewPuzzle refused the size");
        return;
    }
    double cpuSeconds = 0;
    for (auto _ : state) {
        // The window's first paint of a board builds the tiles' spatial index, which NewPuzzle
        // then keeps up to date while it removes the old tiles: that upkeep is NewPuzzle's cost.
        board.tiles.forEachVisibleIn({0, 0, 1, 1}, [](int) {});
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuSeconds();
        const bool built(board.game.NewPuzzle());
        cpuSeconds += threadCpuSeconds() - cpuStart;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (!built) {
            state.SkipWithError("NewPuzzle refused the size");
            return;
        }
        state.SetIterationTime(took.count());
    }
    state.counters["cpu_s"] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
    state.counters["tiles"] = double(cols * rows - 1);
}
}   // namespace

BENCHMARK_CAPTURE(newPuzzle, 4x4, 4, 4)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(newPuzzle, 100x100, 100, 100)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(newPuzzle, 181x181, 181, 181)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly();

}   // namespace zp::bench
