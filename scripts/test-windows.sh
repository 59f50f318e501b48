#!/usr/bin/env bash
# Cross-builds the Windows x64 DLLs, the tool and the tests with mingw-w64 and
# runs every test under Wine (each test program starts once: a Wine start
# costs a second or more).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
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
