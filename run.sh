#!/bin/sh
# Builds the release build and runs the program on the given PDF files, folders or shortcuts
# (without arguments, the main window). The build's own output is shown only when it fails.
set -eu
# Paths on the command line are taken from where run.sh was started; the build runs in its own
# folder.
start_dir=$(pwd)
source_dir=$(cd "$(dirname "$0")" && pwd)
cd "$source_dir"

tools/ensure-packages.sh g++ cmake ninja-build pkg-config zlib1g-dev libdeflate-dev nettle-dev \
  qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-ipafont-gothic
echo "Lumenquill: building the release build (build/release)..." >&2
log=build/release-build.log
mkdir -p build
if ! { cmake --preset release && cmake --build --preset release; } >"$log" 2>&1; then
  grep -E -A5 'error|Error|FAILED' "$log" >&2 || tail -40 "$log" >&2
  echo "Lumenquill: the build failed; the whole log is in $log" >&2
  exit 1
fi
cd "$start_dir"
exec "$source_dir/build/release/bin/lumenquill" "$@"
