// SPDX-License-Identifier: MIT
// Collecting the medians of the benchmark runs.
#include "bench/median_reporter.h"

namespace zp::bench {

MedianReporter::MedianReporter(std::ostream& log) : ConsoleReporter(OO_Tabular)
{
    SetOutputStream(&log);
    SetErrorStream(&log);
}

void MedianReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            failed_ = true;
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
            continue;
        const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
        const benchmark::BenchmarkName& name = run.run_name;
        Median& m = medians_[name.args.empty() ? name.function_name : name.function_name + '/' + name.args];
        m.realSeconds = run.GetAdjustedRealTime() / perSecond;
        m.cpuSeconds = run.GetAdjustedCPUTime() / perSecond;
        for (const auto& [name, counter] : run.counters)
            m.counters[name] = counter.value;
    }
}

}   // namespace zp::bench
