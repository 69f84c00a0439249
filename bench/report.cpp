// SPDX-License-Identifier: MIT
// Wording of the slide step, NewPuzzle and delay figures.
#include "bench/report.h"

#include <cstdio>
#include <string>
#include <vector>

namespace zp::bench {

namespace {
using Medians = std::map<std::string, Median>;

const Median* find(const Medians& medians, const std::string& name)
{
    auto it = medians.find(name);
    return it == medians.end() ? nullptr : &it->second;
}

double counter(const Median& m, const char* name)
{
    auto it = m.counters.find(name);
    return it == m.counters.end() ? 0 : it->second;
}

std::string duration(double seconds, std::size_t width)
{
    return rightAligned(formatSeconds(seconds), width);
}

std::string tileSize(const Median& m)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f x %.0f px", counter(m, "tile_w"), counter(m, "tile_h"));
    return text;
}

void printSlideLine(const char* board, const Median& m, const char* note)
{
    std::printf("  %-11s %14s %s %s %9.3g%s\n", board, tileSize(m).c_str(),
                duration(m.realSeconds, 10).c_str(), duration(m.cpuSeconds, 10).c_str(),
                counter(m, "paints_per_step"), note);
}

// The same steps as a slide takes them, painted at most once per display frame.
void printPaced(const Medians& medians)
{
    const Median* small = find(medians, "pacedStep/4x4");
    const Median* large = find(medians, "pacedStep/181x181");
    const Median* bigTiles = find(medians, "pacedStep/4x4_large");
    if (!small || !large || !bigTiles)
        return;
    std::printf("   The same steps as a slide takes them: painted at most once per display frame\n");
    std::printf("  %-11s %14s %10s %10s %9s\n", "board", "tiles of", "wall", "CPU", "paints");
    printSlideLine("4 x 4", *small, "");
    printSlideLine("181 x 181", *large, "");
    printSlideLine("4 x 4", *bigTiles, "   (4000 x 3000 picture cut 4 x 4)");
    const double ratio = large->cpuSeconds / small->cpuSeconds;
    std::printf("  ratio 181 x 181 / 4 x 4, CPU time: %.2f   aim: at most 1.5: %s\n\n", ratio,
                verdict(ratio <= 1.5));
}

void printSlide(const Medians& medians, double pixelRatio)
{
    std::printf("1. Slide step: one tile moved by one device pixel (TileControls::move) and the touched\n"
                "   rectangle painted at once, as the last step of a move is (events processed), device\n"
                "   pixel ratio %g, median of 5 runs\n",
                pixelRatio);
    const Median* small = find(medians, "slideStep/4x4");
    const Median* large = find(medians, "slideStep/181x181");
    const Median* bigTiles = find(medians, "slideStep/4x4_large");
    if (!small || !large) {
        std::printf("  missing: the slide step benchmarks did not run\n\n");
        return;
    }
    std::printf("  %-11s %14s %10s %10s %9s\n", "board", "tiles of", "wall", "CPU", "paints");
    printSlideLine("4 x 4", *small, "");
    printSlideLine("181 x 181", *large, "");
    if (bigTiles)
        printSlideLine("4 x 4", *bigTiles, "   (4000 x 3000 picture cut 4 x 4)");
    const double ratio = large->cpuSeconds / small->cpuSeconds;
    std::printf("  ratio 181 x 181 / 4 x 4, same tiles, CPU time: %.2f (wall: %.2f)\n", ratio,
                large->realSeconds / small->realSeconds);
    std::printf("  aim: about 1 (at most 1.5), a step costs O(1), not O(tiles): %s\n\n",
                verdict(ratio <= 1.5));
    printPaced(medians);
}

void printNewPuzzle(const Medians& medians)
{
    std::printf("2. NewPuzzle on a 4000 x 3000 picture (no pixels decoded), replacing a board of\n"
                "   the same size, median of 5 runs\n");
    std::printf("  %-11s %6s %10s %10s %14s\n", "board", "tiles", "wall", "CPU", "CPU per tile");
    std::vector<BoardTime> boards;
    double largestWall = 0;
    for (const int n : {4, 100, 181}) {
        const Median* m = find(medians, "newPuzzle/" + std::to_string(n) + 'x' + std::to_string(n));
        if (!m) {
            std::printf("  missing: NewPuzzle at %d x %d did not run\n\n", n, n);
            return;
        }
        const double tiles = counter(*m, "tiles"), cpu = counter(*m, "cpu_s");
        boards.push_back({tiles, cpu});
        largestWall = m->realSeconds;
        const std::string board = std::to_string(n) + " x " + std::to_string(n);
        std::printf("  %-11s %6.0f %s %s %s\n", board.c_str(), tiles, duration(m->realSeconds, 10).c_str(),
                    duration(cpu, 10).c_str(), duration(cpu / tiles, 14).c_str());
    }
    const BoardTime& mid = boards[1];
    const BoardTime& top = boards[2];
    std::printf("  100 x 100 to 181 x 181: tiles x%.2f, CPU time x%.2f\n", top.tiles / mid.tiles,
                top.seconds / mid.seconds);
    std::printf("  aim: grows no faster than the tile count (CPU per tile at most x1.5 per size up): %s\n",
                verdict(growsNoFasterThanTiles(boards, 1.5)));
    std::printf("  aim: 181 x 181 under 20 ms (wall): %s\n\n", verdict(largestWall < 0.020));
}

void printDelay(const Medians& medians)
{
    std::printf("3. CPU share of Game::delay(0.3), Qt platform and real clock, window shown:\n"
                "   3 calls per run, median of 3 runs\n");
    const Median* m = find(medians, "delay/0.3s");
    if (!m) {
        std::printf("  missing: the delay benchmark did not run\n\n");
        return;
    }
    const double share = m->cpuSeconds / m->realSeconds;
    std::printf("  wall time per call %s, CPU time per call %s\n", formatSeconds(m->realSeconds).c_str(),
                formatSeconds(m->cpuSeconds).c_str());
    std::printf("  CPU share %.2f %%   aim: under 5 %%: %s\n\n", share * 100, verdict(share < 0.05));
}
}   // namespace

void printReport(const Medians& medians, double pixelRatio)
{
    printSlide(medians, pixelRatio);
    if (pixelRatio != 1)
        return;
    printNewPuzzle(medians);
    printDelay(medians);
}

}   // namespace zp::bench
