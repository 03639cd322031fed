#!/bin/sh
# Builds the libraries that Debian does not package for mingw-w64 into PREFIX, from Debian's own
# sources: libdeflate from its source package (apt-get source, the version pinned below, with a
# deb-src line added when the machine has none) and GoogleTest from the googletest package's
# sources. zlib comes from libz-mingw-w64-dev. Nothing is downloaded from anywhere else. A library
# already built into PREFIX is kept.
# Usage: tools/windows/build-dependencies.sh PREFIX
set -eu
prefix=$1
toolchain=$(cd "$(dirname "$0")/../../cmake" && pwd)/mingw-w64-x86_64.cmake
work="$prefix/src"
mkdir -p "$work"

libdeflate_version=1.14-1
if [ ! -f "$prefix/lib/libdeflate.a" ]; then
  if ! apt-get source --print-uris "libdeflate=$libdeflate_version" >/dev/null 2>&1; then
    sources=/etc/apt/sources.list.d/lumenquill-deb-src.sources
    echo "Adding Debian's source packages to apt ($sources)" >&2
    as_root=$([ "$(id -u)" -eq 0 ] || echo sudo)
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $as_root tee "$sources" >/dev/null
    $as_root apt-get update -qq
  fi
  (cd "$work" && rm -rf libdeflate-* && apt-get source -qq "libdeflate=$libdeflate_version" >&2)
  make -C "$work/libdeflate-1.14" -j2 CC=x86_64-w64-mingw32-gcc-posix AR=x86_64-w64-mingw32-ar \
    libdeflatestatic.lib >/dev/null
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/libdeflate-1.14/libdeflate.h" "$prefix/include/"
  cp "$work/libdeflate-1.14/libdeflatestatic.lib" "$prefix/lib/libdeflate.a"
fi

if [ ! -f "$prefix/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$work/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$work/googletest-build" --target install >/dev/null
fi
