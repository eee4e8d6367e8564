#!/usr/bin/env bash
# Sets up, builds and starts the editor (under Wine, on a private Xvfb display when none is set).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZARNIK_BUILD:-$ROOT/build/i686}"
source "$ROOT/scripts/wine-env.sh"

"$ROOT/scripts/build.sh"
zarnik_wine_prefix
trap zarnik_stop_display EXIT
zarnik_start_display
cd "$BUILD/editor"
wine ./ZarnikEditor.exe
