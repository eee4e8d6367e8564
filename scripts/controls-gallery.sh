#!/usr/bin/env bash
# Draws docs/controls-buttons.png (every button kind, check boxes in their states, tool buttons
# flat, raised and gradient, a splitter with its hot spot) and docs/controls-edits.png (edits and
# combo boxes in their states and frames, an image combo dropped down) and docs/controls-shellviews.png
# (a shell combo, tree and list in details view on a test folder), read back from the
# screen. Needs a built x86_64 controls test program (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/controls_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
ZARNIK_CONTROLS_GALLERY="Z:${work//\//\\}" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='ControlsGallery.*:ShellTree.ComboTreeAndListOnScreen' >/dev/null
convert "$work/buttons.bmp" "$ROOT/docs/controls-buttons.png"
convert "$work/edits.bmp" "$ROOT/docs/controls-edits.png"
convert "$work/shellviews.bmp" "$ROOT/docs/controls-shellviews.png"
echo "wrote docs/controls-buttons.png, docs/controls-edits.png and docs/controls-shellviews.png"
