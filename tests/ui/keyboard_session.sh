#!/bin/sh
# Drives the program by keyboard under a real X server (Xvfb) with a window manager (openbox),
# as a user would, with xdotool; what the offscreen tests cannot show:
#   - after a conversion started with Ctrl+O the keys work at once: F5 opens the options;
#   - with "ask where to save" on, the save dialog opens in the PDF's folder with its name, so
#     that Enter saves the text beside the PDF;
#   - Escape in the main window ends the program.
# Three rounds, since a lost focus showed only in some tries. Exits non-zero on any failure.
#   tests/ui/keyboard_session.sh PROGRAM
set -eu
program=$(realpath "${1:?usage: keyboard_session.sh PROGRAM}")
cd "$(dirname "$0")/../.."
tools/ensure-packages.sh xvfb xauth openbox xdotool fonts-ipafont-gothic >/dev/null
# A sanitizer build reports what the system libraries keep until the process ends; the rest
# is reported.
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/pdfs" "$work/elsewhere"
cp tests/data/reportlab-japanese.pdf "$work/pdfs/report.pdf"
# No editor, no overwrite question, the save dialog on.
printf '[GroupBox3]\nCheckBox5=0\nCheckBox6=1\nCheckBox7=0\n' >"$work/lumenquill.ini"

cat >"$work/session.sh" <<'EOF'
set -u
program=$1 work=$2
fail() { echo "keyboard_session: $*" >&2; exit 1; }
# The first visible window whose title matches, waited for up to ten seconds.
window() {
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}
# Waits up to five seconds for the active window to have this title (xdotool's search does not
# match titles outside ASCII).
active_named() {
  for _ in $(seq 50); do
    [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
openbox >/dev/null 2>&1 &
sleep 1
for round in 1 2 3; do
  rm -f "$work/pdfs/report.txt"
  # The open dialog starts where the program was started; the PDF lies elsewhere.
  (cd "$work/elsewhere" && exec "$program") &
  pid=$!
  main=$(window '^Lumenquill  v') || fail "round $round: no main window"
  xdotool windowactivate --sync "$main"
  xdotool key ctrl+o
  active_named 開く || fail "round $round: Ctrl+O opened no dialog"
  sleep 0.5
  xdotool type --delay 20 "$work/pdfs/report.pdf"
  xdotool key Return
  # The save dialog: Enter takes the folder and name it offers.
  active_named 名前を付けて保存 || fail "round $round: no save dialog"
  sleep 0.5
  xdotool key Return
  for _ in $(seq 100); do [ -f "$work/pdfs/report.txt" ] && break; sleep 0.1; done
  [ -f "$work/pdfs/report.txt" ] || fail "round $round: the text was not saved beside its PDF"
  sleep 1
  # No click: the keys must reach the main window by themselves.
  xdotool key F5
  active_named オプション || fail "round $round: F5 after the conversion did nothing"
  xdotool key Escape
  active_named 'Lumenquill  v1.21' || fail "round $round: Escape did not close the options"
  xdotool key Escape
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "round $round: Escape did not end the program"
  wait "$pid" || fail "round $round: the program ended with status $?"
  echo "keyboard_session: round $round passed"
done
EOF

LUMENQUILL_INI="$work/lumenquill.ini" QT_QPA_PLATFORM=xcb LANG=ja_JP.UTF-8 \
  xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/session.sh" "$program" "$work"
