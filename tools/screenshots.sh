#!/bin/sh
# Renders each window to PNG under Xvfb with a window manager and Japanese fonts, into
# docs/screenshots/.
#   tools/screenshots.sh
set -eu
cd "$(dirname "$0")/.."
tools/ensure-packages.sh xvfb xauth openbox fonts-ipafont-gothic qt6-base-dev libqt6svg6 \
  qt6-translations-l10n
cmake --preset release -DLUMENQUILL_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release --target lumenquill-screenshots >/dev/null
mkdir -p docs/screenshots
# openbox draws the title bars; the pictures are taken once it manages the display.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24" sh -c \
  'openbox & wm=$!; sleep 1; build/release/tools/lumenquill-screenshots docs/screenshots
   status=$?; kill $wm; exit $status'

ls docs/screenshots
