// SPDX-License-Identifier: MIT
// Cost of one slide step: a tile moved by one pixel, and the rectangle it touched repainted at
// once or at the display's pace.
#include "bench/paint_watch.h"
#include "bench/qt_board.h"
#include "bench/step_walk.h"
#include "platform/qt/play_area_widget.h"
#include "platform/twips.h"

#include <benchmark/benchmark.h>

namespace zp::bench {

namespace {
QImage solidPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(40, 120, 200));
    return picture;
}

// Slides tile 2 (right of the empty slot) to and fro, one pixel per iteration, each step as the
// engine does it: one move of the control, then the pending events. Painted: each step is drawn
// before the events, as the last step of a move is. Paced: as a slide runs, a paint once per
// display frame at most.
enum class Paint { EachStep, Paced };
void slideStep(benchmark::State& state, Paint paint, int cols, int rows, int pictureWidth, int pictureHeight)
{
    QtBoard board;
    if (!board.build(solidPicture(pictureWidth, pictureHeight), cols, rows)) {
        state.SkipWithError("the board could not be built and shown");
        return;
    }
    const double tpp = board.platform.twipsPerPixelX();
    const long tileWidth = toPixels(board.tiles.width(2), tpp);
    const float top = board.tiles.top(2);
    StepWalk walk(tileWidth);
    int paints = 0;
    PaintWatch watch(board.widget, [&] { ++paints; });
    for (auto _ : state) {
        board.tiles.move(2, toTwips(walk.next(), tpp), top);
        if (paint == Paint::EachStep)
            board.widget->moveLanded();
        board.platform.processEvents();
    }
    state.counters["paints_per_step"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
    state.counters["tile_w"] = double(tileWidth);
    state.counters["tile_h"] = double(toPixels(board.tiles.height(2), board.platform.twipsPerPixelY()));
    state.counters["tiles"] = double(cols * rows - 1);
}

void pacedStep(benchmark::State& state, int cols, int rows, int pictureWidth, int pictureHeight)
{
    slideStep(state, Paint::Paced, cols, rows, pictureWidth, pictureHeight);
}
}   // namespace

// The same 22 x 16-pixel tiles on both boards, so only the tile count differs.
BENCHMARK_CAPTURE(slideStep, 4x4, Paint::EachStep, 4, 4, 88, 64)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(slideStep, 181x181, Paint::EachStep, 181, 181, 4000, 3000)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
// The 4000 x 3000 picture cut 4 x 4: 1000 x 750-pixel tiles, a far larger rectangle per step.
BENCHMARK_CAPTURE(slideStep, 4x4_large, Paint::EachStep, 4, 4, 4000, 3000)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_CAPTURE(pacedStep, 4x4, 4, 4, 88, 64)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(pacedStep, 181x181, 181, 181, 4000, 3000)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK_CAPTURE(pacedStep, 4x4_large, 4, 4, 4000, 3000)->Repetitions(5)->ReportAggregatesOnly();

}   // namespace zp::bench
