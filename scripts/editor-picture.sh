#!/usr/bin/env bash
# Draws docs/editor.png: the editor's main window at start-up as the window tests see it, the
# controls read from the screen and the 3D view read back from OpenGL (Wine under Xvfb does not
# show OpenGL drawn into a child window, so a plain screenshot has a black view).
# Usage: scripts/editor-picture.sh [out.png]; builds editor_tests for x86_64 first.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="${1:-$ROOT/docs/editor.png}"
source "$ROOT/scripts/wine-env.sh"
ZARNIK_TARGETS=x86_64 "$ROOT/scripts/build.sh" --target editor_tests
shots="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display; rm -rf "$shots"' EXIT
zarnik_wine_prefix
zarnik_start_display
zarnik_start_wine_services
ZARNIK_SHOTS="Z:${shots//\//\\}" "$ROOT/scripts/wine-run" x86_64 "$ROOT/build/x86_64/tests/editor_tests.exe" \
  --gtest_filter='MainWindow.StartsOnTheShippedData*'
convert "$shots/editor.bmp" "$OUT"
echo "saved $OUT"
