#!/usr/bin/env bash
# A trace written by "run --trace" replays with "run" to the same packets.
# Usage: check_trace_replay.sh SCRIPT TOOL_COMMAND...
set -eu
script=$1
shift
tool=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"${tool[@]}" run "$script" --trace "$work/trace.log" >"$work/first.txt"
grep -q '^@time [0-9]* ;$' "$work/trace.log" || { echo "the trace has no time stamp entries"; exit 1; }
"${tool[@]}" run "$work/trace.log" >"$work/second.txt"

packets() { grep -E '^    (request|response|status) ' "$1"; }
if ! diff -u <(packets "$work/first.txt") <(packets "$work/second.txt"); then
  echo "the replayed trace exchanged other packets"
  exit 1
fi
[ "$(packets "$work/first.txt" | wc -l)" -gt 0 ] || { echo "no packets were exchanged"; exit 1; }
