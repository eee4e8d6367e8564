#!/usr/bin/env bash
# Draws docs/painters.png: every built-in painter's elements side by side with visual styles off,
# then the visual-style and Office-style painters under Wine's light theme; and
# docs/control-scrollbars.png: a toolkit control with both scroll bars and the size grip under
# every built-in painter (visual styles off), then under the visual-style and Office-style
# painters with Wine's light theme. Needs a built x86_64 toolkit test program
# (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
ZARNIK_PAINTER_GALLERY="Z:${work//\//\\}\\classic.bmp" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='cxPainterGallery.*' >/dev/null
ZARNIK_PAINTER_GALLERY_THEMED="Z:${work//\//\\}\\themed.bmp" \
  bash "$ROOT/tests/scripts/themed-run.sh" x86_64 "$tests" --gtest_filter='cxPainterGalleryThemed.*' >/dev/null
# The bitmaps are 32-bit with alpha left as the drawing left it: keep them opaque.
convert "$work/classic.bmp" "$work/themed.bmp" -alpha off -background white -splice 0x8 -append +repage \
  "$ROOT/docs/painters.png"
echo "wrote docs/painters.png"
ZARNIK_CONTROL_GALLERY="Z:${work//\//\\}\\controls.bmp" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" \
  --gtest_filter='cxControlScrollBarsTest.EveryPainterDrawsTheBarsAndTheSizeGrip' >/dev/null
ZARNIK_CONTROL_GALLERY_THEMED="Z:${work//\//\\}\\controls-themed.bmp" \
  bash "$ROOT/tests/scripts/themed-run.sh" x86_64 "$tests" \
  --gtest_filter='cxControlScrollBarsThemed.NativeAndOffice11BarsUnderTheLightTheme' >/dev/null
convert "$work/controls.bmp" "$work/controls-themed.bmp" -alpha off -background white -splice 0x8 -append +repage \
  "$ROOT/docs/control-scrollbars.png"
echo "wrote docs/control-scrollbars.png"
