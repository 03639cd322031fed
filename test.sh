#!/bin/sh
# Builds the test build and runs every test; exits non-zero on any failure.
set -eu
cd "$(dirname "$0")"

tools/ensure-packages.sh g++ cmake ninja-build zlib1g-dev libgtest-dev libgmock-dev \
  libbenchmark-dev qt6-base-dev libqt6svg6
cmake --preset test
cmake --build --preset test
ctest --preset test
