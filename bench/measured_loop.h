#ifndef TARNLINK_BENCH_MEASURED_LOOP_H
#define TARNLINK_BENCH_MEASURED_LOOP_H

#include <benchmark/benchmark.h>

#include "allocation_counter.h"

namespace TarnLinkBench {

// The timed loop of a measurement: runs the operation once per iteration,
// keeps its result and memory effects from being optimized away, and records
// the heap allocations per iteration.
template <class Operation>
void MeasuredLoop(benchmark::State& state, Operation&& operation)
{
    AllocationMeter meter(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(operation());
        benchmark::ClobberMemory();
    }
}

} // namespace TarnLinkBench

#endif
