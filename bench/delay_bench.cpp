// SPDX-License-Identifier: MIT
// CPU time that Game::delay(0.3) uses on the Qt platform with the real clock.
#include "bench/qt_board.h"

#include <benchmark/benchmark.h>

namespace zp::bench {

namespace {
// The window is shown, as during a solution's pauses; the process's CPU time of all threads
// is compared with the wall time.
void delayPause(benchmark::State& state)
{
    QtBoard board;
    QImage picture(88, 64, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    if (!board.build(picture, 4, 4)) {
        state.SkipWithError("the board could not be built and shown");
        return;
    }
    for (auto _ : state)
        board.game.delay(0.3);
}
}   // namespace

BENCHMARK(delayPause)
    ->Name("delay/0.3s")
    ->Iterations(3)
    ->Repetitions(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly();

}   // namespace zp::bench
