#!/usr/bin/env bash
# A test executable that crashes ends at once with its report: the shared main ends it on a fault
# with a failure code and the test's name (and Wine's crash dialog is off in the test prefix for
# any other program). Runs a test that dies of an access violation, several times, and expects
# each run to end within seconds, fail, and name the test: never a wait, never a pass.
# Usage: crash-test.sh <i686|x86_64> crashing_tests.exe
set -uo pipefail
SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)"
limit=60
errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT
for run in 1 2 3 4 5; do
  start=$SECONDS
  timeout "$limit" "$SCRIPTS/wine-run" "$1" "$2" --gtest_filter='Crashing.*' >/dev/null 2>"$errors"
  status=$?
  elapsed=$((SECONDS - start))
  if [ "$status" = 124 ]; then
    echo "FAIL: run $run: the crashing test still ran after $limit s (is a crash dialog waiting?)"
    exit 1
  fi
  if [ "$status" = 0 ]; then
    echo "FAIL: run $run: the crashing test executable reported success"
    exit 1
  fi
  if ! grep -q "crash: exception 0xC0000005 .* in test Crashing.WritesThroughANullPointer" "$errors"; then
    echo "FAIL: run $run: no report naming the fault and the test on standard error:"
    cat "$errors"
    exit 1
  fi
done
echo "crash: five runs each ended at once (the last with code $status after $elapsed s), the test named"
