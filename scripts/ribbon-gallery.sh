#!/usr/bin/env bash
# Draws docs/ribbon-schemes.png: a two-tab ribbon in Blue, Black and Silver, one above the
# other, as the toolkit tests' ATwoTabRibbonLooksItsOwnInEachScheme paints it. Needs the built
# x86_64 toolkit_tests program (scripts/build.sh) and ImageMagick.
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
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='RibbonTest.ATwoTabRibbonLooksItsOwnInEachScheme' >/dev/null
convert "$work/RibbonBlue.bmp" "$work/RibbonBlack.bmp" "$work/RibbonSilver.bmp" -background white -splice 0x8 -append \
  -chop 0x8 -strip "$ROOT/docs/ribbon-schemes.png"
echo "wrote docs/ribbon-schemes.png"
