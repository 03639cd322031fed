#!/bin/sh
# Checks, under Xvfb with the openbox window manager, what the window manager makes of the
# dialogs: each is transient for an owner (the main window, or the program's own leader window
# in a batch), asks for neither a minimise nor a maximise function, is offered no maximise, and
# minimising one leaves it and the main window on screen. Exit status 0 when all hold.
#   tools/window_hints.sh [BUILD_PRESET]       (release by default; "test" reuses the test build)
set -eu
cd "$(dirname "$0")/.."
preset=${1:-release}
tools/ensure-packages.sh xvfb xauth openbox x11-utils xdotool qt6-base-dev
if [ "$preset" = release ]; then
  cmake --preset release -DLUMENQUILL_BUILD_TESTS=OFF >/dev/null
fi
cmake --build --preset "$preset" --target lumenquill-window-hints >/dev/null
export HINTS_PROGRAM="$PWD/build/$preset/tools/lumenquill-window-hints"
# The sanitizers of the test build report Qt's allocations at exit, which say nothing here.
export ASAN_OPTIONS=detect_leaks=0

QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  work=$(mktemp -d); trap "rm -rf $work" EXIT
  openbox 2>/dev/null & wm=$!
  sleep 1
  mkfifo "$work/input"
  "$HINTS_PROGRAM" <"$work/input" >"$work/windows" 2>/dev/null & program=$!
  exec 3>"$work/input"
  sleep 3
  failures=0
  fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }
  state() { xprop -id "$1" WM_STATE | sed -n "s/.*window state: //p"; }
  while read -r name id; do
    [ "$name" = main-window ] && { main=$id; continue; }
    [ "$name" = options ] && options=$id
    xprop -id "$id" WM_TRANSIENT_FOR | grep -q "window id" || fail "$name" "not transient"
    functions=$(xprop -id "$id" _MOTIF_WM_HINTS | sed -n "s/.* = 0x[0-9a-f]*, \(0x[0-9a-f]*\),.*/\1/p")
    [ -n "$functions" ] && [ $((functions & 0x19)) -eq 0 ] ||
      fail "$name" "Motif functions $functions ask for all, minimise or maximise"
    xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE && fail "$name" "maximise offered"
    echo "$name: $(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | sed "s/.*= //")"
  done <"$work/windows"
  xdotool windowminimize "$options"
  sleep 1
  [ "$(state "$options")" = Normal ] || fail options "minimised: $(state "$options")"
  [ "$(state "$main")" = Normal ] || fail main-window "minimised with its dialog: $(state "$main")"
  exec 3>&-
  wait $program
  kill $wm
  [ $failures -eq 0 ] && echo "window hints: all hold"
  exit $failures
'
