#!/bin/sh
# Converts every PDF file of tests/data (the newer formats and encrypted files included, read
# with --newer-formats) with the Linux program and with the Windows program under Wine, and
# checks that both write byte for byte the same text files and refuse the same files.
# Usage: tests/windows/same_text_as_linux.sh LINUX-LUMENQUILL WINDOWS-LUMENQUILL.EXE
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../data"
linux=$1
windows=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for folder in "$data" "$data/newer" "$data/encrypted" "$data/object-streams"; do
  name=$(basename "$folder")
  mkdir -p "$work/linux/$name" "$work/windows/$name"
  set +e
  LUMENQUILL_INI="$work/linux.ini" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$linux" --quiet --no-open --overwrite --newer-formats --output-dir "$work/linux/$name" \
    "$folder" </dev/null >/dev/null 2>"$work/linux-$name.err"
  linux_status=$?
  LUMENQUILL_INI="$(winepath -w "$work/windows.ini" 2>/dev/null)" \
    "$here/../../tools/windows/wine-run.sh" "$windows" --quiet --no-open --overwrite \
    --newer-formats --output-dir "$(winepath -w "$work/windows/$name" 2>/dev/null)" \
    "$(winepath -w "$folder" 2>/dev/null)" </dev/null >/dev/null 2>"$work/windows-$name.err"
  windows_status=$?
  set -e
  if [ "$linux_status" != "$windows_status" ]; then
    echo "same_text_as_linux: $name: status $linux_status on Linux, $windows_status on Windows" >&2
    status=1
  fi
  if ! diff -r "$work/linux/$name" "$work/windows/$name" >&2; then
    echo "same_text_as_linux: $name: the text files differ" >&2
    status=1
  fi
  count=$(ls "$work/windows/$name" | wc -l)
  # Every message names the same file, whatever the system writes its paths as.
  linux_refused=$(grep -c . "$work/linux-$name.err" || true)
  windows_refused=$(grep -c . "$work/windows-$name.err" || true)
  if [ "$linux_refused" != "$windows_refused" ]; then
    echo "same_text_as_linux: $name: $linux_refused lines of messages on Linux, $windows_refused on Windows" >&2
    cat "$work/linux-$name.err" "$work/windows-$name.err" >&2
    status=1
  fi
  echo "same_text_as_linux: $name: $count text files, status $windows_status, $windows_refused lines of messages" >&2
done
[ "$status" -eq 0 ] && echo "same_text_as_linux: passed" >&2
exit "$status"
