#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (as root) and
# cross-builds the two libraries we call, libjpeg (IJG interface 62) and GoogleTest, for both
# targets (build/deps/i686 and build/deps/x86_64).
# Safe to run again: each step checks whether its work is already done.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEPS_ROOT="${ZARNIK_DEPS_ROOT:-$ROOT/build/deps}"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  cmake ninja-build ccache dpkg-dev
  wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils imagemagick
  libgl1-mesa-dri:i386 libgl1:i386 libglx-mesa0:i386 libglu1-mesa:i386
  googletest
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    NEED_UPDATE=1
  fi
  if ! grep -rqs '^deb-src\|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    add_deb_src
    NEED_UPDATE=1
  fi
  local missing
  missing="$(missing_packages)"
  if [ -n "$missing" ] || [ -n "${NEED_UPDATE:-}" ]; then
    $SUDO apt-get update -qq
  fi
  if [ -n "$missing" ]; then
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
  fi
}

# The distribution's source packages are reached through the same mirror as its binaries.
add_deb_src() {
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $SUDO tee /etc/apt/sources.list.d/zarnik-src.sources >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      $SUDO tee /etc/apt/sources.list.d/zarnik-src.list >/dev/null
  fi
}

# The libjpeg-turbo source package, fetched once for both targets.
jpeg_source() {
  local src="$DEPS_ROOT/src/jpeg"
  local dir
  dir="$(find "$src" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' 2>/dev/null | head -n1)"
  if [ -z "$dir" ]; then
    rm -rf "$src" && mkdir -p "$src"
    (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
    dir="$(find "$src" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n1)"
  fi
  echo "$dir"
}

# Sets TRIPLE, PROCESSOR, CC, CXX and DEPS for one target (i686 or x86_64).
use_target() {
  case "$1" in
    i686) TRIPLE=i686-w64-mingw32 PROCESSOR=x86 ;;
    x86_64) TRIPLE=x86_64-w64-mingw32 PROCESSOR=AMD64 ;;
    *) echo "setup: unknown target $1" >&2; exit 2 ;;
  esac
  CC="$TRIPLE-gcc-posix"
  CXX="$TRIPLE-g++-posix"
  DEPS="$DEPS_ROOT/$1"
}

build_libjpeg() {
  local prefix="$DEPS/libjpeg"
  [ -f "$prefix/lib/libjpeg.a" ] && return 0
  local dir build="$DEPS/src/jpeg-build"
  dir="$(jpeg_source)"
  rm -rf "$build"
  cmake -S "$dir" -B "$build" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=$PROCESSOR \
    -DCMAKE_C_COMPILER="$CC" -DCMAKE_RC_COMPILER="$TRIPLE-windres" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -DWITH_JPEG8=0 -DWITH_JPEG7=0 >/dev/null
  cmake --build "$build" >/dev/null
  cmake --install "$build" >/dev/null
}

build_googletest() {
  local prefix="$DEPS/googletest"
  [ -f "$prefix/lib/libgtest.a" ] && return 0
  cmake -S /usr/src/googletest -B "$DEPS/src/googletest-build" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=$PROCESSOR \
    -DCMAKE_C_COMPILER="$CC" -DCMAKE_CXX_COMPILER="$CXX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$DEPS/src/googletest-build" >/dev/null
  cmake --install "$DEPS/src/googletest-build" >/dev/null
}

install_packages
for target in i686 x86_64; do
  use_target "$target"
  mkdir -p "$DEPS"
  build_libjpeg
  build_googletest
done
echo "setup: done"
