#!/usr/bin/env bash
# Sets the machine up (scripts/setup.sh) and builds each target into build/<target>: i686 and
# x86_64, or those named in ZARNIK_TARGETS. Arguments go to `cmake --build` (e.g. --target X).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/wine-env.sh"

[ -n "${ZARNIK_SETUP_DONE:-}" ] || "$ROOT/scripts/setup.sh"
# ccache hits across clones and worktrees: paths are taken relative to the checkout. Without the
# sloppiness settings ccache refuses every compile that uses a precompiled header.
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
targets="$(zarnik_targets)"
for target in $targets; do
  build="$ROOT/build/$target"
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$ROOT" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$target.cmake" \
      -DCMAKE_BUILD_TYPE="${ZARNIK_BUILD_TYPE:-Release}"
  fi
  cmake --build "$build" "$@"
done
