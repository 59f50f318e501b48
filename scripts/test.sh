#!/usr/bin/env bash
# Builds TarnLink and runs every test twice: a normal build, then one with
# AddressSanitizer and UndefinedBehaviorSanitizer. Both replay the fuzz corpus
# (the fuzz.* tests). Then the suites that use threads run once more, built
# with ThreadSanitizer. Last, the Windows build with its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
for preset in default asan tsan; do
  echo "=== preset: $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# Windows x64: cross-built with mingw-w64, every test under Wine. The
# resource-free flavour builds the DLL again and runs what differs for it.
echo "=== preset: windows ==="
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
echo "=== preset: windows-files (the DLL without embedded files) ==="
cmake --preset windows-files
cmake --build --preset windows-files --target library_tests
ctest --preset windows-files -L '^library$'
