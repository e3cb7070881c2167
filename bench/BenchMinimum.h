#pragma once
// Every benchmark reports the minimum of its repetitions beside their mean and median: on a machine shared
// with other work the minimum is the figure load disturbs least. Run a program with
// --benchmark_enable_random_interleaving=true so that the repetitions of a measurement and of its reference
// alternate and the load falls on both.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

inline benchmark::internal::Benchmark* withMinimum(benchmark::internal::Benchmark* b, int repetitions)
{
    return b->Repetitions(repetitions)->ReportAggregatesOnly(true)->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// For ->Apply: nine repetitions for quick measurements, five for those that take seconds.
inline void minimumOf9(benchmark::internal::Benchmark* b) { withMinimum(b, 9); }
inline void minimumOf5(benchmark::internal::Benchmark* b) { withMinimum(b, 5); }
