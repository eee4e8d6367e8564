#!/usr/bin/env bash
# Runs the editor's benchmark (its 3D view with a full level against a direct OpenGL baseline,
# start-up, click to redraw, OpenGL objects after many edits) under Wine for one target (default
# x86_64), then the shell open dialog against the common one on 2,000 files. Build first with
# scripts/build.sh --target editor_bench and --target shell_dialog_bench. Exits with 1 when a
# target was missed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
target="${1:-x86_64}"
program="$ROOT/build/$target/tests/editor_bench.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh --target editor_bench" >&2; exit 2; }
zarnik_wine_prefix
zarnik_start_display
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_wine_services
status=0
"$ROOT/scripts/wine-run" "$target" "$program" || status=$?
dialogs="$ROOT/build/$target/tests/shell_dialog_bench.exe"
if [ -x "$dialogs" ]; then
  "$ROOT/scripts/wine-run" "$target" "$dialogs" || status=$?
else
  echo "missing $dialogs: build it with scripts/build.sh --target shell_dialog_bench" >&2
fi
exit $status
