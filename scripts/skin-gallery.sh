#!/usr/bin/env bash
# Draws docs/skins/Blue.png, Black.png and Silver.png: each colour scheme's sheet, a ribbon-styled
# window put together from its operations, then every operation in every state at its natural
# size and stretched, and the low-colour forms. Needs a built x86_64 toolkit test program
# (scripts/build.sh) and ImageMagick.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
tests="$ROOT/build/x86_64/tests/toolkit_tests.exe"
work="$(mktemp -d)"
trap 'rm -rf "$work"; zarnik_stop_display' EXIT
zarnik_wine_prefix
zarnik_start_display
ZARNIK_SKIN_GALLERY="Z:${work//\//\\}" \
  "$ROOT/scripts/wine-run" x86_64 "$tests" --gtest_filter='dxRibbonSkinGallery.*' >/dev/null
mkdir -p "$ROOT/docs/skins"
for scheme in Blue Black Silver; do
  convert "$work/$scheme.bmp" -strip "$ROOT/docs/skins/$scheme.png"
  echo "wrote docs/skins/$scheme.png"
done
