// SPDX-License-Identifier: MIT
// Keeps each benchmark's medians while the usual table goes to a log stream.
#pragma once

#include "bench/figures.h"

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>

namespace zp::bench {

class MedianReporter : public benchmark::ConsoleReporter {
public:
    // The table and the run's context are written to `log`, which must outlive the reporter.
    explicit MedianReporter(std::ostream& log);

    void ReportRuns(const std::vector<Run>& runs) override;

    // By benchmark name and arguments, without repetition or timing tags: "newPuzzle/181x181".
    const std::map<std::string, Median>& medians() const { return medians_; }
    // Whether any benchmark stopped with an error.
    bool failed() const { return failed_; }

private:
    std::map<std::string, Median> medians_;
    bool failed_ = false;
};

}   // namespace zp::bench
