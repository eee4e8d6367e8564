#!/usr/bin/env bash
# Runs the skins' benchmark (a large button's nine-part image drawn 10,000 times at one size and
# 10,000 times at a size changing every draw) under Wine for one target (default x86_64). Build
# first with scripts/build.sh. Exits with the benchmark's status: 1 when drawing at one size is
# not at least three times faster.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
target="${1:-x86_64}"
program="$ROOT/build/$target/tests/ribbon_skin_bench.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh" >&2; exit 2; }
zarnik_wine_prefix
zarnik_start_display
trap 'zarnik_stop_display' EXIT
"$ROOT/scripts/wine-run" "$target" "$program"
