#!/usr/bin/env bash
# Draws docs/skins/: one sheet a group of each stored skin, every element in each image set and
# state it holds (tests/tools/SkinGallery.cpp). Needs a built x86_64 skin_gallery program
# (scripts/build.sh).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
program="$ROOT/build/x86_64/tests/skin_gallery.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh" >&2; exit 2; }
out="$ROOT/docs/skins"
mkdir -p "$out"
zarnik_wine_prefix
zarnik_start_display
trap 'zarnik_stop_display' EXIT
"$ROOT/scripts/wine-run" x86_64 "$program" "Z:${out//\//\\}"
echo "wrote $(ls "$out" | wc -l) sheets into docs/skins/"
