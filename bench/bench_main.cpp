// SPDX-License-Identifier: MIT
// The benchmark program: runs the timings and prints their medians as a report.
#include "bench/median_reporter.h"
#include "bench/report.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>

int main(int argc, char* argv[])
{
    // Windows are drawn off screen unless told otherwise, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    zp::bench::MedianReporter reporter(std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stderr);
    zp::bench::printReport(reporter.medians(), app.devicePixelRatio());
    return reporter.failed() ? 1 : 0;
}
