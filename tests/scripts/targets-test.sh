#!/usr/bin/env bash
# Checks how the scripts choose their targets, with the 32-bit probe faked both ways.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
unset ZARNIK_TARGETS ZARNIK_I386_PROBE
failures=0
check() {  # check <description> <expected> <actual>
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

check "run target without 32-bit" x86_64 "$(ZARNIK_I386_PROBE=false zarnik_run_target)"
check "run target with 32-bit" i686 "$(ZARNIK_I386_PROBE=true zarnik_run_target)"
check "run target restricted to x86_64" x86_64 "$(ZARNIK_I386_PROBE=true ZARNIK_TARGETS=x86_64 zarnik_run_target)"
check "default targets" "i686 x86_64" "$(zarnik_targets | xargs)"
check "restricted targets" "x86_64" "$(ZARNIK_TARGETS=x86_64 zarnik_targets | xargs)"
check "unknown target refused" 2 "$(ZARNIK_TARGETS=arm zarnik_targets >/dev/null 2>&1; echo $?)"
check "i686 loader" /usr/lib/wine/wine "$(zarnik_wine_loader i686)"
check "x86_64 loader" /usr/lib/wine/wine64 "$(zarnik_wine_loader x86_64)"

[ "$failures" = 0 ] && echo "targets: all checks passed"
exit "$failures"
