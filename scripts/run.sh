#!/usr/bin/env bash
# Sets up, builds and starts the editor (under Wine, on a private Xvfb display when none is set):
# the i686 program where this machine runs 32-bit programs, else the x86_64 one.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"

"$ROOT/scripts/setup.sh"
target="$(zarnik_run_target)"
ZARNIK_SETUP_DONE=1 ZARNIK_TARGETS=$target "$ROOT/scripts/build.sh" --target ZarnikEditor
zarnik_wine_prefix
trap zarnik_stop_display EXIT
zarnik_start_display
cd "$ROOT/build/$target/editor"
loader="$(zarnik_wine_loader "$target")"
echo "starting the $target editor"
WINELOADER="$loader" "$loader" ./ZarnikEditor.exe
