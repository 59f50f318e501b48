#!/usr/bin/env bash
# Fuzzing campaigns: builds the fuzz preset (clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and fuzzes each target in turn, starting from its
# committed corpus in fuzz/corpus/<target>.
#   scripts/fuzz.sh [seconds per target, default 300] [target ...]
# New inputs gather in build/fuzz/corpus/<target>, inputs that break the target
# in build/fuzz/findings/<target>, the fuzzer's output in build/fuzz/logs/.
# To grow the committed corpus by the inputs that add coverage:
#   build/fuzz/fuzz/fuzz_<target> -merge=1 fuzz/corpus/<target> build/fuzz/corpus/<target>
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-300}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in fuzz/*_fuzzer.cpp; do
    name=$(basename "$source")
    targets+=("${name%_fuzzer.cpp}")
  done
fi

scripts/install-dependencies.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

work=build/fuzz
failed=0
for target in "${targets[@]}"; do
  mkdir -p "$work/corpus/$target" "$work/findings/$target" "$work/logs"
  log="$work/logs/$target.log"
  if "$work/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/findings/$target/" "$work/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    verdict="no finding"
  else
    verdict="FINDING (see $log)"
    failed=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  echo "$target: $runs executions in ${seconds}s, $verdict"
done
exit $failed
