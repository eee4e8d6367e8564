#!/usr/bin/env bash
# Starts the editor (i686 where 32-bit programs run, else x86_64) under Xvfb, waits for its main
# window and saves a screenshot.
# Usage: scripts/screenshot.sh [out.png] [seconds to wait after the window appears]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="${1:-$ROOT/shots/editor.png}"
SETTLE="${2:-2}"
source "$ROOT/scripts/wine-env.sh"
TARGET="$(zarnik_run_target)"
BUILD="$ROOT/build/$TARGET"
LOADER="$(zarnik_wine_loader "$TARGET")"

zarnik_wine_prefix
unset DISPLAY
trap 'kill $editor 2>/dev/null || true; wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_display
# A Wine virtual desktop draws the window's frame and caption itself, as Windows would; a
# bare Xvfb has no window manager to draw them.
(cd "$BUILD/editor" && WINELOADER="$LOADER" exec "$LOADER" explorer.exe /desktop=Zarnik,1280x1024 ./ZarnikEditor.exe) &
editor=$!
for i in $(seq 1 300); do
  if zarnik_wine tasklist.exe 2>/dev/null | grep -qi ZarnikEditor ||
     xwininfo -root -tree 2>/dev/null | grep -q 'Zarnik - Wine desktop'; then break; fi
  sleep 0.2
done
sleep "$SETTLE"
mkdir -p "$(dirname "$OUT")"
import -window root "$OUT"
echo "saved $OUT"
