#!/usr/bin/env bash
# Runs the skin element cache's benchmark (one element drawn 10,000 times through the cache and
# directly) under Wine for one target (default x86_64). Build first with scripts/build.sh.
# Exits with the benchmark's status: 1 when the cached form caption is less than three times faster.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
target="${1:-x86_64}"
program="$ROOT/build/$target/tests/skin_cache_bench.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh" >&2; exit 2; }
zarnik_wine_prefix
zarnik_start_display
trap 'zarnik_stop_display' EXIT
"$ROOT/scripts/wine-run" "$target" "$program"
