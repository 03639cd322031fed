#!/bin/sh
# Renders the screenshots of the Windows build's windows into docs/screenshots/windows: the
# program runs under Wine on a virtual X display with the openbox window manager, xdotool finds
# each window by its title and ImageMagick's import saves it.
# Usage: tools/windows/screenshots.sh [BUILD_DIR]   (default build/windows-release, built first)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/windows-release}" && pwd)  # Wine wants absolute paths
out=$root/docs/screenshots/windows
program=$build/bin/lumenquill.exe
[ -f "$program" ] || cmake --build "$build" --target lumenquill

# A Wine prefix of its own, a settings file of its own and a sample PDF with a few pages.
work=$(mktemp -d)
trap 'kill "$wm" "$xvfb" 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export LUMENQUILL_WINEPREFIX="$build/screenshots-prefix"
export WINEPREFIX="$LUMENQUILL_WINEPREFIX"
export LUMENQUILL_INI="$work/lumenquill.ini"
printf '[frmMain]\nN10=1\nN11=1\n[GroupBox1]\nCheckBox2=1\n[GroupBox3]\nCheckBox5=0\nCheckBox7=0\n' \
  >"$LUMENQUILL_INI"
# Many pages of text, so that the progress dialog stays long enough to be seen.
python3 - "$work/sample.pdf" <<'PDF'
import sys
pages = 20000
line = b"(Lumenquill sample text line for the progress dialog) Tj 0 -12 Td\n"
content = b"BT /F1 10 Tf 40 800 Td\n" + line * 60 + b"ET\n"
objects = [b"<< /Type /Catalog /Pages 2 0 R >>",
           b"<< /Type /Pages /Kids [" + b" ".join(b"%d 0 R" % (5 + i) for i in range(pages)) +
           b"] /Count %d >>" % pages,
           b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
           b"<< /Length %d >>\nstream\n" % len(content) + content + b"endstream"]
for i in range(pages):
    objects.append(b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] "
                   b"/Resources << /Font << /F1 3 0 R >> >> /Contents 4 0 R >>")
out = bytearray(b"%PDF-1.4\n")
offsets = []
for number, body in enumerate(objects, 1):
    offsets.append(len(out))
    out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
xref = len(out)
out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
out += b"".join(b"%010d 00000 n \n" % offset for offset in offsets)
out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
open(sys.argv[1], "wb").write(out)
PDF

export DISPLAY=:$((90 + $$ % 100))
Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
run() { "$root/tools/windows/wine-run.sh" "$@" >"$work/wine.log" 2>&1; }

# Waits for a window whose whole title matches the pattern (a regular expression: parentheses
# escaped) and saves it as NAME.png.
shoot() {
  title=$1
  name=$2
  # The first start of a fresh Wine prefix takes a while.
  for _ in $(seq 1 240); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.25
  done
  if [ -z "${window:-}" ]; then
    echo "no window titled $title; the windows shown:" >&2
    xdotool search --onlyvisible --name . getwindowname %@ >&2 || true
    cat "$work/wine.log" >&2
    exit 1
  fi
  sleep 0.5
  import -window "$window" -frame "$out/$name.png"
  echo "$out/$name.png"
}

mkdir -p "$out"
run "$program" &
shoot "Lumenquill  v1.21" main-window
xdotool key F5
shoot "オプション" options
xdotool key Escape
# The open dialog (Ctrl+O) takes the sample, which the settings make ask for its page range;
# Enter accepts the whole document, and the progress dialog shows until Escape cancels.
xdotool key ctrl+o
shoot "開く" open-dialog
xdotool type "Z:$(echo "$work" | tr / '\\')\\sample.pdf"
xdotool key Return
shoot "ページを指定して抽出 - \\( sample\\.pdf \\)" page-range
xdotool key Return
shoot " \\(1/1\\) - sample\\.pdf" progress
xdotool key Escape
