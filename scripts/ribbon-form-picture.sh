#!/usr/bin/env bash
# Draws docs/ribbon-form-lilian.png: a ribbon form whose ribbon draws its caption and frame in
# the "Lilian" scheme, frame and ribbon composed in memory as the toolkit tests'
# RibbonFormTest.AFormFramedInLilian paints them. Needs the built x86_64 toolkit_tests program
# (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
[ -x "$tests" ] || { echo "missing $tests: build it with scripts/build.sh" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
ZARNIK_RIBBON_GALLERY="Z:${work//\//\\}" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='RibbonFormTest.AFormFramedInLilian' >/dev/null
convert "$work/RibbonFormLilian.bmp" -strip "$ROOT/docs/ribbon-form-lilian.png"
echo "wrote docs/ribbon-form-lilian.png"
