#ifndef TARNLINK_BENCH_COMPARISON_H
#define TARNLINK_BENCH_COMPARISON_H

// The benchmarks run in pairs: an operation of TarnLink and the baseline it is
// held against, with the largest ratio of their CPU times that is acceptable.

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace TarnLinkBench {

using BenchmarkFunction = void (*)(benchmark::State&);

// One timed loop, registered with Google Benchmark under its name. Several
// comparisons may share one measurement.
struct Measurement {
    std::string name;
    BenchmarkFunction run;
};

struct Comparison {
    std::string operation;
    std::string tarnlink; // the name of TarnLink's measurement
    std::string baseline; // the name of the baseline's measurement
    double target;        // TarnLink / baseline at most
};

std::vector<Measurement>& Measurements();
std::vector<Comparison>& Comparisons();

// For a file's static registration: adds its measurements and comparisons.
bool Register(std::vector<Measurement> measurements, std::vector<Comparison> comparisons);

} // namespace TarnLinkBench

#endif
