// SPDX-License-Identifier: MIT
// Arithmetic and wording of the performance report: medians, growth checks, durations.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace zp::bench {

// One benchmark's medians over its repetitions.
struct Median {
    double realSeconds = 0;   // wall time per iteration
    double cpuSeconds = 0;    // CPU time per iteration
    std::map<std::string, double> counters;
};

// A duration with three significant digits in the largest unit it reaches: "980 ns",
// "12.3 µs", "1.00 ms", "2.50 s". Requires seconds >= 0.
std::string formatSeconds(double seconds);

// `text` (UTF-8) right-aligned in `width` columns, one column per character, so that "µs"
// lines up with "ms"; a longer text is returned whole.
std::string rightAligned(const std::string& text, std::size_t width);

// The time one board took to build and how many tiles it has.
struct BoardTime {
    double tiles = 0;
    double seconds = 0;
};

// Whether the cost grows no faster than the tile count: from each board to the next larger
// one, the time per tile may grow by at most `slack` times (measurement noise).
// Requires boards sorted by tile count, each with tiles > 0.
bool growsNoFasterThanTiles(const std::vector<BoardTime>& boards, double slack);

// "met" or "MISSED", the words the report uses for an aim.
const char* verdict(bool met);

}   // namespace zp::bench
