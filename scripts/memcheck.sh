#!/usr/bin/env bash
# Runs every unit-test binary of the default preset under valgrind's memcheck;
# fails when any of them shows a memory error or a leak.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies.sh memcheck
cmake --preset default >/dev/null
cmake --build --preset default

failed=0
while IFS= read -r binary; do
  echo "=== $binary"
  # Each suite runs where ctest runs it: some read files relative to it.
  if ! (cd "$(dirname "$binary")" && valgrind --tool=memcheck --quiet --error-exitcode=99 --leak-check=full \
          --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
          "./$(basename "$binary")" --gtest_brief=1); then
    failed=1
  fi
done < <(find build/default/tests -type f -executable -name '*_tests' | sort)
exit $failed
