// SPDX-License-Identifier: MIT
// The benchmark program's part of the performance report.
#pragma once

#include "bench/figures.h"

#include <map>
#include <string>

namespace zp::bench {

// Prints the slide step, NewPuzzle and delay figures from the medians, with their ratios and
// aims; a figure whose benchmark did not run is reported as missing. At a device pixel ratio
// other than 1 only the slide step is printed: nothing else draws.
void printReport(const std::map<std::string, Median>& medians, double pixelRatio);

}   // namespace zp::bench
