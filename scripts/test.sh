#!/usr/bin/env bash
# Builds TarnLink and runs every test twice: a normal build, then one with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
for preset in default asan; do
  echo "=== preset: $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
