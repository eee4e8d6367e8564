#!/usr/bin/env bash
# Runs the editor's benchmark (its 3D view with a full level against a direct OpenGL baseline,
# start-up, click to redraw, OpenGL objects after many edits) under Wine for one target (default
# x86_64); further arguments go to the benchmark (--parts: what each top-level object costs).
# Build first with scripts/build.sh --target editor_bench. Exits with the benchmark's status: 1
# when a target was missed.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
target=x86_64
case "${1:-}" in i686 | x86_64) target="$1"; shift ;; esac
program="$ROOT/build/$target/tests/editor_bench.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh --target editor_bench" >&2; exit 2; }
zarnik_wine_prefix
zarnik_start_display
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_wine_services
"$ROOT/scripts/wine-run" "$target" "$program" "$@"
