#!/bin/sh
# Builds the release build and runs the program on the given PDF files, folders or shortcuts.
set -eu
cd "$(dirname "$0")"

tools/ensure-packages.sh g++ cmake ninja-build zlib1g-dev qt6-base-dev libqt6svg6 \
  fonts-ipafont-gothic
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
exec build/release/src/app/lumenquill "$@"
