#!/usr/bin/env bash
# Builds TarnLink and runs every test twice: a normal build, then one with
# AddressSanitizer and UndefinedBehaviorSanitizer. Both replay the fuzz corpus
# (the fuzz.* tests). Then the suites that use threads run once more, built
# with ThreadSanitizer. Last, the Windows x64 cross build and its tests under
# Wine (scripts/test-windows.sh, which also runs on its own).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
for preset in default asan tsan; do
  echo "=== preset: $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
scripts/test-windows.sh
