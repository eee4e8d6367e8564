#!/usr/bin/env bash
# Runs the editor's benchmark (its 3D view with a full level against a direct OpenGL baseline,
# start-up, click to redraw, OpenGL objects after many edits), the shell list's (a folder of
# 5,000 files against a plain enumeration) and the shell open dialog's (2,000 files against the
# common open dialog) under Wine for one target (default x86_64); further arguments go to the
# editor's benchmark (--parts: what each top-level object costs). Build first with
# scripts/build.sh --target editor_bench, --target shell_list_bench and --target
# shell_dialog_bench. Exits with 1 when a benchmark missed a target.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
target=x86_64
case "${1:-}" in i686 | x86_64) target="$1"; shift ;; esac
program="$ROOT/build/$target/tests/editor_bench.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh --target editor_bench" >&2; exit 2; }
shell_program="$ROOT/build/$target/tests/shell_list_bench.exe"
[ -x "$shell_program" ] ||
    { echo "missing $shell_program: build it with scripts/build.sh --target shell_list_bench" >&2; exit 2; }
dialog_program="$ROOT/build/$target/tests/shell_dialog_bench.exe"
[ -x "$dialog_program" ] ||
    { echo "missing $dialog_program: build it with scripts/build.sh --target shell_dialog_bench" >&2; exit 2; }
zarnik_wine_prefix
zarnik_start_display
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_wine_services
status=0
"$ROOT/scripts/wine-run" "$target" "$program" "$@" || status=$?
"$ROOT/scripts/wine-run" "$target" "$shell_program" || status=$?
"$ROOT/scripts/wine-run" "$target" "$dialog_program" || status=$?
exit "$status"
