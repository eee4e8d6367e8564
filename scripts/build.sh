#!/usr/bin/env bash
# Sets the machine up (scripts/setup.sh) and builds everything into build/ (or $ZARNIK_BUILD).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ZARNIK_BUILD:-$ROOT/build/i686}"

"$ROOT/scripts/setup.sh"
# ccache hits across clones and worktrees: paths are taken relative to the checkout.
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE="${ZARNIK_BUILD_TYPE:-Release}" \
    -DZARNIK_DEPS="${ZARNIK_DEPS:-$ROOT/build/deps}"
fi
cmake --build "$BUILD" "$@"
