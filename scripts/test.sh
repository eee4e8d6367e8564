#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine, on a private Xvfb display when none is set.
#
# Both targets are built. The x86_64 tests run everywhere; the i686 tests run where this
# machine can run 32-bit programs (some kernels cannot: there the i686 program is built but its
# tests are skipped, and the summary says so). ZARNIK_TARGETS=x86_64 (or i686) restricts a run to
# one target. Arguments go to ctest. Prints the time each stage took.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"

stage_start=$SECONDS
stage() {
  echo "== $1: $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}

"$ROOT/scripts/setup.sh"
export ZARNIK_SETUP_DONE=1
stage "setup"

targets="$(zarnik_targets | xargs)"
tested=($(zarnik_test_targets))
for target in $targets; do
  if [[ " ${tested[*]} " == *" $target "* ]]; then
    ZARNIK_TARGETS=$target "$ROOT/scripts/build.sh"
    stage "build $target"
  else
    # Not testable here, but it must still build: the program is shipped from this tree.
    ZARNIK_TARGETS=$target "$ROOT/scripts/build.sh" --target ZarnikEditor
    stage "build $target (program only)"
  fi
done

zarnik_wine_prefix
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_display
zarnik_start_wine_services
stage "wine prefix"
# The test executables run one after another: their window tests share one display, the
# cursor and the keyboard focus, and in parallel they disturb each other.
status=0
for target in "${tested[@]}"; do
  echo "== testing $target"
  (cd "$ROOT/build/$target" && ctest --output-on-failure -j "${ZARNIK_TEST_JOBS:-1}" "$@") || status=$?
  stage "tests $target"
done

zarnik_test_summary "$targets" "${tested[*]}"
exit $status
