#!/usr/bin/env bash
# Builds the Release benchmarks (preset bench) and runs them: every measurement
# repeated and interleaved at random with the others, then one table of the
# ratios of TarnLink to its baselines. Extra arguments go to the benchmark
# binary (for example --benchmark_filter=Execute).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
echo "load: $(uptime)"
build/bench/bench/tarnlink_bench --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.05 "$@"
