// The benchmarks of TarnLink against their baselines. Every measurement is
// registered with Google Benchmark; at the end one table gives each
// comparison's ratio beside its target. Run through scripts/bench.sh, which
// repeats and interleaves the measurements.

#include <cstdio>

#include <benchmark/benchmark.h>

#include "comparison.h"
#include "ratio_table.h"
#include "tarnlink/TarnCommandFactory.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    if (!TarnLink::TarnCommandFactory::Initialize()) {
        std::fprintf(stderr, "TarnLink could not be initialized\n");
        return 1;
    }
    for (const TarnLinkBench::Measurement& measurement : TarnLinkBench::Measurements()) {
        benchmark::RegisterBenchmark(measurement.name.c_str(), measurement.run);
    }
    TarnLinkBench::RatioTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    table.Print(TarnLinkBench::Comparisons(), stdout);
    benchmark::Shutdown();
    TarnLink::TarnCommandFactory::Terminate();
    return 0;
}
