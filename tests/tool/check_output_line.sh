#!/usr/bin/env bash
# Runs the tool and checks that it succeeds and that its standard output holds
# the expected line exactly.
# Usage: check_output_line.sh EXPECTED_LINE TOOL [ARGUMENTS...]
set -u
expected=$1
shift
output=$("$@") || { echo "exit code $?, expected 0"; exit 1; }
output=${output//$'\r'/}
if ! grep -qxF -- "$expected" <<<"$output"; then
  echo "expected the line '$expected' in:"; echo "$output"
  exit 1
fi
