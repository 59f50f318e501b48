#ifndef TARNLINK_BENCH_LIBRARY_LOOPS_H
#define TARNLINK_BENCH_LIBRARY_LOOPS_H

// The timed loops that several measurements of the library share.

#include <cstdint>

#include <benchmark/benchmark.h>

#include "tarnlink/TarnCommand.h"

namespace TarnLinkBench {

// Compiles the command into one reused byte-code.
void CompileLoop(benchmark::State& state, const TarnLink::TarnCommand& command);

// Executes the command through an in-process conduit that answers at once,
// made the current conduit first.
void ExecuteLoop(benchmark::State& state, TarnLink::TarnCommand& command);

} // namespace TarnLinkBench

#endif
