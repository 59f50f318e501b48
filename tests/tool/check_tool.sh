#!/usr/bin/env bash
# Runs the tool and checks its exit code, its standard output against a golden
# file and, for a failure, that standard error holds one clear error line.
# Usage: check_tool.sh EXIT_CODE GOLDEN_FILE|- TOOL_COMMAND... [ARGUMENTS...]
# With TARNLINK_UPDATE_GOLDEN=1 the golden file is rewritten instead.
set -u
expected_exit=$1
golden=$2
shift 2

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

"$@" >"$out" 2>"$err"
code=$?
# A Windows build writes its lines with CR LF; the texts compare line by line.
sed -i 's/\r$//' "$out" "$err"

if [ "$code" -ne "$expected_exit" ]; then
  echo "exit code $code, expected $expected_exit"
  echo "--- standard error:"; cat "$err"
  exit 1
fi
if [ "$expected_exit" -ne 0 ]; then
  if [ "$(wc -l <"$err")" -ne 1 ] || ! grep -q '^tarnlink: error: ' "$err"; then
    echo "expected one 'tarnlink: error: ' line on standard error, got:"; cat "$err"
    exit 1
  fi
elif [ -s "$err" ]; then
  echo "unexpected standard error:"; cat "$err"
  exit 1
fi
if [ "$golden" != "-" ]; then
  if [ "${TARNLINK_UPDATE_GOLDEN:-0}" = "1" ]; then
    cp "$out" "$golden"
  elif ! diff -u "$golden" "$out"; then
    echo "standard output differs from $golden"
    exit 1
  fi
fi
exit 0
