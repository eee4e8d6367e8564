#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (as root) and
# cross-builds the two libraries we call: libjpeg (IJG interface 62) and GoogleTest.
# Safe to run again: each step checks whether its work is already done.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DEPS="${ZARNIK_DEPS:-$ROOT/build/deps}"
TRIPLE=i686-w64-mingw32
CC="$TRIPLE-gcc-posix"
CXX="$TRIPLE-g++-posix"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

packages=(
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
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

build_libjpeg() {
  local prefix="$DEPS/libjpeg"
  [ -f "$prefix/lib/libjpeg.a" ] && return 0
  local src="$DEPS/src/jpeg"
  rm -rf "$src" && mkdir -p "$src"
  (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  local dir
  dir="$(find "$src" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n1)"
  cmake -S "$dir" -B "$src/build" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86 \
    -DCMAKE_C_COMPILER="$CC" -DCMAKE_RC_COMPILER="$TRIPLE-windres" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -DWITH_JPEG8=0 -DWITH_JPEG7=0 >/dev/null
  cmake --build "$src/build" >/dev/null
  cmake --install "$src/build" >/dev/null
}

build_googletest() {
  local prefix="$DEPS/googletest"
  [ -f "$prefix/lib/libgtest.a" ] && return 0
  cmake -S /usr/src/googletest -B "$DEPS/src/googletest-build" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86 \
    -DCMAKE_C_COMPILER="$CC" -DCMAKE_CXX_COMPILER="$CXX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$DEPS/src/googletest-build" >/dev/null
  cmake --install "$DEPS/src/googletest-build" >/dev/null
}

install_packages
mkdir -p "$DEPS"
build_libjpeg
build_googletest
echo "setup: done"
