#!/usr/bin/env bash
# Draws docs/ribbon-qat-above.png and docs/ribbon-qat-below.png: the ribbon's quick access toolbar
# above and below the ribbon with the menu of its mark open, read back from the screen. Needs a
# built x86_64 toolkit test program (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
zarnik_start_wine_services
ZARNIK_QAT_ABOVE_PICTURE="Z:${work//\//\\}\\above.bmp" ZARNIK_QAT_BELOW_PICTURE="Z:${work//\//\\}\\below.bmp" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='QuickAccessTest.AboveAndBelow*' >/dev/null
convert "$work/above.bmp" "$ROOT/docs/ribbon-qat-above.png"
convert "$work/below.bmp" "$ROOT/docs/ribbon-qat-below.png"
echo "wrote docs/ribbon-qat-above.png and docs/ribbon-qat-below.png"
