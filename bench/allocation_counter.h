#ifndef TARNLINK_BENCH_ALLOCATION_COUNTER_H
#define TARNLINK_BENCH_ALLOCATION_COUNTER_H

// Heap allocations of the calling thread, counted by the benchmark binary's
// replacement of the global operator new.

#include <cstdint>

#include <benchmark/benchmark.h>

namespace TarnLinkBench {

std::uint64_t AllocationCount();
std::uint64_t AllocatedBytes();

// Put beside a benchmark loop: records the allocations and allocated bytes per
// iteration of the loop as the counters "allocations" and "allocated bytes".
class AllocationMeter {
public:
    explicit AllocationMeter(benchmark::State& state);
    ~AllocationMeter();
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;

private:
    benchmark::State& state_;
    std::uint64_t countAtStart_;
    std::uint64_t bytesAtStart_;
};

extern const char kAllocationsCounter[];
extern const char kAllocatedBytesCounter[];

} // namespace TarnLinkBench

#endif
