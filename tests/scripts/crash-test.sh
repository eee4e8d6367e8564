#!/usr/bin/env bash
# A test executable that crashes ends at once with its report: Wine's crash dialog is off in the
# test prefix. Runs a program that dies of an access violation and expects it to end within a
# few seconds with a failure code and the fault on standard error, not to wait for a click.
# Usage: crash-test.sh <i686|x86_64> CrashingProgram.exe
set -uo pipefail
SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)"
limit=60
errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT
start=$SECONDS
timeout "$limit" "$SCRIPTS/wine-run" "$1" "$2" >/dev/null 2>"$errors"
status=$?
elapsed=$((SECONDS - start))
if [ "$status" = 124 ]; then
  echo "FAIL: the crashing program still ran after $limit s (is a crash dialog waiting?)"
  exit 1
fi
if [ "$status" = 0 ]; then
  echo "FAIL: the crashing program reported success"
  exit 1
fi
if ! grep -q "Unhandled page fault" "$errors"; then
  echo "FAIL: no report of the fault on standard error:"
  cat "$errors"
  exit 1
fi
echo "crash: ended with code $status after $elapsed s, the fault reported"
