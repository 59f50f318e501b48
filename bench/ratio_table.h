#ifndef TARNLINK_BENCH_RATIO_TABLE_H
#define TARNLINK_BENCH_RATIO_TABLE_H

// Collects the CPU time and allocation counters of every measurement and
// prints the comparisons as one table. With --benchmark_repetitions the median
// of the repetitions stands for a measurement: one run on a shared machine can
// be far off. CPU time, because the wall clock also counts the time other
// processes take.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "comparison.h"

namespace TarnLinkBench {

class RatioTable : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints the table; false when a ratio misses its target.
    bool Print(const std::vector<Comparison>& comparisons, std::FILE* out) const;

private:
    struct Result {
        double nanoseconds = 0;
        double allocations = 0;
        double allocatedBytes = 0;
    };
    std::map<std::string, Result> results_;
};

} // namespace TarnLinkBench

#endif
