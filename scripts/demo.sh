#!/usr/bin/env bash
# The main job in one command, on a fresh clone: installs what is missing,
# builds the tarnlink tool, runs the example session against the virtual
# device and prints what the detected hardware can do.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tarnlink_tool
tool=build/default/tools/tarnlink/tarnlink

echo
echo "=== tarnlink run examples/session.tarn ==="
"$tool" run examples/session.tarn
echo
echo "=== tarnlink caps ==="
"$tool" caps
