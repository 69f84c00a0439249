// The benchmark program's part of the performance report.
#pragma once

#include "bench/figures.h"

#include <map>
#include <string>

namespace zp::bench {

// Prints the slide step, NewPuzzle and delay figures from the medians, with their ratios and
// aims; a figure whose benchmark did not run is reported as missing.
void printReport(const std::map<std::string, Median>& medians);

} // namespace zp::bench
