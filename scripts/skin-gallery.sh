#!/usr/bin/env bash
# Draws docs/skins/: one sheet a group of each stored skin, every element in each image set and
# state it holds (tests/tools/SkinGallery.cpp); Blue.png, Black.png, Silver.png and Lilian.png
# (the skin-driven scheme), each colour scheme's sheet: a ribbon-styled window put together
# from its operations, then every operation in every state at its natural size and stretched,
# and the low-colour forms; and LilianControls.png, the look-and-feel controls drawn with the
# skin "Lilian", and LilianBars, the skin bar painter's toolbars, menus, edits and progress bars
# with "Lilian" (the last three kinds by the toolkit tests' dxRibbonSkinGallery). Needs the built
# x86_64 skin_gallery and toolkit_tests programs (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
program="$ROOT/build/x86_64/tests/skin_gallery.exe"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
for built in "$program" "$tests"; do
  [ -x "$built" ] || { echo "missing $built: build it with scripts/build.sh" >&2; exit 2; }
done
out="$ROOT/docs/skins"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
"$ROOT/scripts/wine-run" x86_64 "$program" "Z:${out//\//\\}"
ZARNIK_SKIN_GALLERY="Z:${work//\//\\}" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='dxRibbonSkinGallery.*' >/dev/null
for scheme in Blue Black Silver Lilian LilianControls LilianBars; do
  convert "$work/$scheme.bmp" -strip "$out/$scheme.png"
done
echo "wrote $(ls "$out" | wc -l) sheets into docs/skins/"
