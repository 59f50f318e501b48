#include "allocation_counter.h"

#include <cstdlib>
#include <new>

namespace TarnLinkBench {

namespace {

// Per thread, so that counting costs no atomic operation: every measured
// operation runs on the benchmark's own thread.
thread_local std::uint64_t allocationCount = 0;
thread_local std::uint64_t allocatedBytes = 0;

void* CountedAllocation(std::size_t size)
{
    ++allocationCount;
    allocatedBytes += size;
    return std::malloc(size == 0 ? 1 : size);
}

} // namespace

const char kAllocationsCounter[] = "allocations";
const char kAllocatedBytesCounter[] = "allocated bytes";

std::uint64_t AllocationCount() { return allocationCount; }
std::uint64_t AllocatedBytes() { return allocatedBytes; }

AllocationMeter::AllocationMeter(benchmark::State& state)
    : state_(state), countAtStart_(AllocationCount()), bytesAtStart_(AllocatedBytes())
{
}

AllocationMeter::~AllocationMeter()
{
    state_.counters[kAllocationsCounter] =
        benchmark::Counter(static_cast<double>(AllocationCount() - countAtStart_), benchmark::Counter::kAvgIterations);
    state_.counters[kAllocatedBytesCounter] =
        benchmark::Counter(static_cast<double>(AllocatedBytes() - bytesAtStart_), benchmark::Counter::kAvgIterations);
}

} // namespace TarnLinkBench

// The replacements count every allocation of the binary; the nothrow and
// array forms of the standard library forward to these.
void* operator new(std::size_t size)
{
    void* memory = TarnLinkBench::CountedAllocation(size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return TarnLinkBench::CountedAllocation(size); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
