#!/usr/bin/env bash
# Draws docs/popups.png: a form with owner controls and their drop-down popups shown below them,
# one popup per frame style (single, thick, flat, 3D), read back from the screen. Needs a built x86_64
# toolkit test program (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
ZARNIK_POPUP_GALLERY="Z:${work//\//\\}\\popups.bmp" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='PopupWindows.FrameStylesOnScreen' >/dev/null
convert "$work/popups.bmp" "$ROOT/docs/popups.png"
echo "wrote docs/popups.png"
