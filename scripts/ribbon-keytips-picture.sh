#!/usr/bin/env bash
# Draws docs/ribbon-keytips.png: a ribbon in key-tip mode after Alt and a tab's key tip, the labels
# of the tab's commands over its group, read back from the screen. Needs a built x86_64 toolkit test
# program (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
zarnik_start_wine_services
ZARNIK_RIBBON_KEYTIPS_PICTURE="Z:${work//\//\\}\\keytips.bmp" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='RibbonKeysTest.AltShows*' >/dev/null
convert "$work/keytips.bmp" "$ROOT/docs/ribbon-keytips.png"
echo "wrote docs/ribbon-keytips.png"
