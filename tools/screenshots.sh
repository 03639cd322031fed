#!/bin/sh
# Renders each window to PNG under Xvfb, with Japanese fonts, into docs/screenshots/.
#   tools/screenshots.sh
set -eu
cd "$(dirname "$0")/.."
tools/ensure-packages.sh xvfb xauth fonts-ipafont-gothic qt6-base-dev libqt6svg6
cmake --preset release -DLUMENQUILL_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release --target lumenquill-screenshots >/dev/null
mkdir -p docs/screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24" \
  build/release/tools/lumenquill-screenshots docs/screenshots
ls docs/screenshots
