#!/usr/bin/env bash
# Runs the skin-driven colour schemes' benchmark (a ribbon with ten groups painted 1,000 times
# through "Lilian" with the shared element caches and 1,000 times with them cleared before each
# paint) under Wine for one target (default x86_64). Build first with scripts/build.sh --target
# skin_scheme_bench. Exits with the benchmark's status: 1 when the cached paints are not at
# least three times faster.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"
target="${1:-x86_64}"
program="$ROOT/build/$target/tests/skin_scheme_bench.exe"
[ -x "$program" ] || { echo "missing $program: build it with scripts/build.sh --target skin_scheme_bench" >&2; exit 2; }
zarnik_wine_prefix
zarnik_start_display
trap 'wineserver -k 2>/dev/null || true; zarnik_stop_display' EXIT
zarnik_start_wine_services
"$ROOT/scripts/wine-run" "$target" "$program"
