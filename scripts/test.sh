#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine, on a private Xvfb display when none is set.
# Prints the time each stage took.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZARNIK_BUILD:-$ROOT/build/i686}"
source "$ROOT/scripts/wine-env.sh"

stage_start=$SECONDS
stage() {
  echo "== $1: $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}

"$ROOT/scripts/setup.sh"
stage "setup"
"$ROOT/scripts/build.sh"
stage "build"
zarnik_wine_prefix
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_display
zarnik_start_wine_services
stage "wine prefix"
# The test executables run one after another: their window tests share one display, the
# cursor and the keyboard focus, and in parallel they disturb each other.
status=0
(cd "$BUILD" && ctest --output-on-failure -j "${ZARNIK_TEST_JOBS:-1}" "$@") || status=$?
stage "tests"
exit $status
