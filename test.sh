#!/bin/sh
# Builds the test build (AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors)
# and runs every test, and drives the windows under Xvfb with openbox (tests/ui/keyboard_session.sh,
# tools/window_hints.sh); then, when clang is present, runs the tests again built by clang with
# its UndefinedBehaviorSanitizer (without the windows), and builds the fuzz targets and runs
# each for a bounded time; then builds the Debian packages from the release builds and checks
# what they install (tests/packaging/package_test.sh); last, cross-builds the Windows programs,
# their tests and packages and runs them under Wine (tests/windows/windows_test.sh). Exits
# non-zero on any failure.
set -eu
cd "$(dirname "$0")"

tools/ensure-packages.sh g++ cmake ninja-build pkg-config zlib1g-dev libdeflate-dev nettle-dev \
  libgtest-dev libgmock-dev qpdf libbenchmark-dev qt6-base-dev libqt6svg6 qt6-translations-l10n
cmake --preset test
cmake --build --preset test
ctest --preset test
# The windows under a real X server with a window manager, driven as a user would.
tests/ui/keyboard_session.sh build/test/bin/lumenquill
tools/window_hints.sh test

if command -v clang++ >/dev/null 2>&1; then
  tools/ensure-packages.sh libclang-rt-14-dev
  cmake --preset test-clang
  cmake --build --preset test-clang
  ctest --preset test-clang
  cmake --preset fuzz
  cmake --build --preset fuzz
  fuzz/run_fuzzers.sh "${LUMENQUILL_FUZZ_SECONDS:-20}"
fi

tests/packaging/package_test.sh

tests/windows/windows_test.sh build/test/bin/lumenquill
