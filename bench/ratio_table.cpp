#include "ratio_table.h"

#include "allocation_counter.h"

namespace TarnLinkBench {

namespace {

const char kMedian[] = "median";

double CounterOrZero(const benchmark::BenchmarkReporter::Run& run, const char* name)
{
    const auto counter = run.counters.find(name);
    return counter == run.counters.end() ? 0.0 : counter->second.value;
}

} // namespace

bool RatioTable::ReportContext(const Context&) { return true; }

void RatioTable::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred) {
            std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(), run.error_message.c_str());
            continue;
        }
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == kMedian;
        if (single || median) {
            results_[run.run_name.str()] = Result{run.GetAdjustedCPUTime(), CounterOrZero(run, kAllocationsCounter),
                                                  CounterOrZero(run, kAllocatedBytesCounter)};
        }
    }
}

bool RatioTable::Print(const std::vector<Comparison>& comparisons, std::FILE* out) const
{
    bool allMet = true;
    std::fprintf(out, "| Operation | TarnLink ns | Baseline | Baseline ns | Ratio | Target | Allocations | Bytes "
                      "allocated |\n|---|---:|---|---:|---:|---:|---:|---:|\n");
    for (const Comparison& comparison : comparisons) {
        const auto tarnlink = results_.find(comparison.tarnlink);
        const auto baseline = results_.find(comparison.baseline);
        if (tarnlink == results_.end() || baseline == results_.end() || baseline->second.nanoseconds <= 0) {
            continue;
        }
        const double ratio = tarnlink->second.nanoseconds / baseline->second.nanoseconds;
        const bool met = ratio <= comparison.target;
        allMet = allMet && met;
        std::fprintf(out, "| %s | %.1f | %s | %.1f | %.2f | %s%.2f | %.1f | %.0f |\n", comparison.operation.c_str(),
                     tarnlink->second.nanoseconds, comparison.baseline.c_str(), baseline->second.nanoseconds, ratio,
                     met ? "≤ " : "MISSED ≤ ", comparison.target, tarnlink->second.allocations,
                     tarnlink->second.allocatedBytes);
    }
    return allMet;
}

} // namespace TarnLinkBench
