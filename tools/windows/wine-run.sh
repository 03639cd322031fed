#!/bin/sh
# Runs a Windows program under Wine in the project's own Wine prefix (build/wine-prefix, or
# LUMENQUILL_WINEPREFIX), made on first use with a Japanese locale (code page 932) and a Japanese
# font for the windows. ctest runs the Windows tests through it (CMAKE_CROSSCOMPILING_EMULATOR).
# Usage: tools/windows/wine-run.sh PROGRAM.exe [ARGUMENT...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${LUMENQUILL_WINEPREFIX:-$here/../../build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer on first start: the programs need neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL=ja_JP.UTF-8
if [ ! -f "$WINEPREFIX/.lumenquill-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # One prefix made at a time, whatever runs in parallel.
  flock "$(dirname "$WINEPREFIX")/.wine-prefix.lock" "$here/make-wine-prefix.sh"
fi
exec wine "$@"
