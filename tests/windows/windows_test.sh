#!/bin/sh
# The Windows build, cross-compiled here with mingw-w64 and tried under Wine: the test build and
# its tests (the unit tests, the windows, the console), then the release build, whose programs
# must write byte for byte the texts of the Linux program LINUX-LUMENQUILL, and its zip and
# installer, installed and removed silently. Installs what it needs first.
# Usage: tests/windows/windows_test.sh LINUX-LUMENQUILL
set -eu
cd "$(dirname "$0")/../.."
linux_program=$1

tools/windows/ensure-wine.sh
# The Wine prefix is made once, before the tests start Wine in parallel.
tools/windows/wine-run.sh cmd.exe /c exit 0
# One Wine server for the whole run. Otherwise each program starts a server that ends three
# seconds after its last program, and a test whose program connects just then fails with
# "wine client error: recvmsg" through no fault of its own. Wine's own services start with the
# first program and live as long as the server: that program's output goes nowhere, so that no
# test's pipe is held open by them.
export WINEPREFIX="$PWD/build/wine-prefix" WINEDEBUG=-all
wineserver --wait
wineserver --persistent
trap 'wineserver --kill' EXIT
tools/windows/wine-run.sh cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
cmake --preset windows-test
cmake --build --preset windows-test
ctest --preset windows-test

cmake --preset windows-release
cmake --build --preset windows-release --target all windows-packages
tests/windows/same_text_as_linux.sh "$linux_program" build/windows-release/bin/lumenquill.exe
tests/windows/installer_test.sh
