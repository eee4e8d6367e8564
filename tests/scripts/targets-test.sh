#!/usr/bin/env bash
# Checks how the scripts choose their targets, with the 32-bit probe faked both ways, and runs
# the test command itself with its building, Wine and ctest replaced by stubs that log.
set -uo pipefail
SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)"
source "$SCRIPTS/wine-env.sh"
unset ZARNIK_TARGETS ZARNIK_I386_PROBE
failures=0
check() {  # check <description> <expected> <actual>
  if [ "$2" != "$3" ]; then
    printf 'FAIL: %s:\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

check "run target without 32-bit" x86_64 "$(ZARNIK_I386_PROBE=false zarnik_run_target)"
check "run target with 32-bit" i686 "$(ZARNIK_I386_PROBE=true zarnik_run_target)"
check "run target restricted to x86_64" x86_64 "$(ZARNIK_I386_PROBE=true ZARNIK_TARGETS=x86_64 zarnik_run_target)"
check "default targets" "i686 x86_64" "$(zarnik_targets | xargs)"
check "restricted targets" "x86_64" "$(ZARNIK_TARGETS=x86_64 zarnik_targets | xargs)"
check "unknown target refused" 2 "$(ZARNIK_TARGETS=arm zarnik_targets >/dev/null 2>&1; echo $?)"
check "tested without 32-bit" "x86_64" "$(ZARNIK_I386_PROBE=false zarnik_test_targets | xargs)"
check "tested with 32-bit" "i686 x86_64" "$(ZARNIK_I386_PROBE=true zarnik_test_targets | xargs)"
check "i686 alone without 32-bit" "" "$(ZARNIK_I386_PROBE=false ZARNIK_TARGETS=i686 zarnik_test_targets | xargs)"
check "i686 loader" /usr/lib/wine/wine "$(zarnik_wine_loader i686)"
check "x86_64 loader" /usr/lib/wine/wine64 "$(zarnik_wine_loader x86_64)"

# The test command in a copy of the scripts whose set-up, build, Wine and ctest only log.
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/scripts" "$sandbox/bin"
cp "$SCRIPTS/test.sh" "$SCRIPTS/wine-env.sh" "$sandbox/scripts/"
cat >>"$sandbox/scripts/wine-env.sh" <<'STUBS'
zarnik_wine_prefix() { :; }
zarnik_start_display() { :; }
zarnik_stop_display() { :; }
zarnik_start_wine_services() { :; }
STUBS
printf '#!/bin/sh\n' >"$sandbox/scripts/setup.sh"
printf '#!/bin/sh\necho "build $ZARNIK_TARGETS${*:+ $*}" >>"%s/log"\n' "$sandbox" >"$sandbox/scripts/build.sh"
printf '#!/bin/sh\necho "ctest $(basename "$PWD")" >>"%s/log"\n' "$sandbox" >"$sandbox/bin/ctest"
printf '#!/bin/sh\n' >"$sandbox/bin/wineserver"
chmod +x "$sandbox/scripts/"*.sh "$sandbox/bin/"*
mkdir -p "$sandbox/build/i686" "$sandbox/build/x86_64"

run_test_command() {  # run_test_command <probe>: the log, then the summary lines
  rm -f "$sandbox/log"
  local out
  out="$(PATH="$sandbox/bin:$PATH" ZARNIK_I386_PROBE="$1" bash "$sandbox/scripts/test.sh" 2>&1)"
  cat "$sandbox/log"
  grep '^== \(built\|tested\|i686 tests skipped\)' <<<"$out"
}

check "test command without 32-bit" \
  "build i686 --target ZarnikEditor
build x86_64
ctest x86_64
== built: i686 x86_64
== tested: x86_64 only
== i686 tests skipped: this machine cannot run 32-bit programs (the i386 probe failed: the kernel's 32-bit emulation is off)" \
  "$(run_test_command false)"
check "test command with 32-bit" \
  "build i686
build x86_64
ctest i686
ctest x86_64
== built: i686 x86_64
== tested: i686 x86_64" \
  "$(run_test_command true)"

[ "$failures" = 0 ] && echo "targets: all checks passed"
exit "$failures"
