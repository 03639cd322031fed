#!/bin/sh
# lumenquill.exe on the console under Wine, as a user at cmd.exe runs it: names outside code
# page 932, paths past 260 characters, a missing file, a read-only text file, a full disk,
# --jobs, and the exit statuses. Paths are given as Windows writes them (Z:\...).
# Usage: tests/windows/console_test.sh LUMENQUILL.EXE
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=$1
data="$here/../data"
work=$(mktemp -d)
trap 'umount "$work/small" 2>/dev/null; rm -rf "$work"' EXIT
export LUMENQUILL_INI="Z:$work/settings.ini"
failures=0

fail() {
  printf 'console_test: FAILED: %s\n' "$*" >&2
  failures=$((failures + 1))
}

# Runs the program with the arguments; its status in $status, its output in $work/out and
# $work/err.
run() {
  "$here/../../tools/windows/wine-run.sh" "$program" "$@" </dev/null >"$work/out" 2>"$work/err"
  status=$?
}

# The Windows path of an absolute Linux path: Wine's drive Z: is the root (winepath cuts long
# paths at 260 characters).
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

echo "console_test: options and statuses" >&2
run --version
[ "$status" -eq 0 ] && grep -q '^Lumenquill 1\.' "$work/out" || fail "--version: $status"
run --jobs 0 x.pdf
[ "$status" -eq 2 ] || fail "a bad value ends with status 2, not $status"
grep -q 'Lumenquill' "$work/err" || fail "a bad value is not explained"

echo "console_test: --stdout writes the text byte for byte" >&2
run --stdout "$(windows_path "$data/reportlab-latin.pdf")"
cmp -s "$work/out" "$data/reportlab-latin.txt" || fail "--stdout changed the text's bytes"

echo "console_test: - reads the PDF from standard input byte for byte, with --opt=value" >&2
"$here/../../tools/windows/wine-run.sh" "$program" --stdout --jobs=1 - \
  <"$data/reportlab-latin.pdf" >"$work/out" 2>"$work/err"
cmp -s "$work/out" "$data/reportlab-latin.txt" || fail "- changed the PDF's bytes: $(cat "$work/err")"

echo "console_test: names outside code page 932 and a path past 260 characters" >&2
names="$work/names"
deep="$work/deep/$(printf '%040d/%040d/%040d/%040d/%040d/%040d/%040d' 1 2 3 4 5 6 7)"
mkdir -p "$names" "$deep"
cp "$data/reportlab-japanese.pdf" "$names/😀 résumé 简体.pdf"
cp "$data/reportlab-japanese.pdf" "$deep/長い.pdf"
run --no-open "$(windows_path "$names/😀 résumé 简体.pdf")" "$(windows_path "$deep/長い.pdf")"
[ "$status" -eq 0 ] || fail "the odd names: status $status: $(cat "$work/err")"
cmp -s "$names/😀 résumé 简体.txt" "$data/reportlab-japanese.txt" || fail "the name outside code page 932"
cmp -s "$deep/長い.txt" "$data/reportlab-japanese.txt" || fail "the path of $(printf %s "$deep" | wc -c) bytes"

echo "console_test: a missing file, a read-only text file (told as read-only)" >&2
cp "$data/reportlab-latin.pdf" "$work/latin.pdf"
printf 'old' >"$work/latin.txt"
chmod 444 "$work/latin.txt"
run --no-open --overwrite "$(windows_path "$work/latin.pdf")" "$(windows_path "$work/gone.pdf")"
[ "$status" -eq 1 ] || fail "failures end with status 1, not $status"
grep -q 'gone\.pdf' "$work/err" || fail "the missing file is not named: $(cat "$work/err")"
grep -q 'latin\.txt: 指定されたファイルは読み込み専用です。' "$work/err" ||
  fail "the read-only file is not told: $(cat "$work/err")"
[ "$(cat "$work/latin.txt")" = old ] || fail "the read-only text file changed"

echo "console_test: --jobs 2 says and writes what one job does" >&2
mkdir -p "$work/batch"
cp "$data"/reportlab-*.pdf "$data/truncated.pdf" "$work/batch/"
run --no-open --overwrite "$(windows_path "$work/batch")"
one_status=$status
cp "$work/err" "$work/err-one"
mkdir -p "$work/batch-one" && cp "$work/batch"/*.txt "$work/batch-one/"
rm "$work/batch"/*.txt
run --no-open --overwrite --jobs 2 "$(windows_path "$work/batch")"
[ "$status" -eq "$one_status" ] && [ "$status" -eq 1 ] || fail "--jobs 2: status $status, one job: $one_status"
cmp -s "$work/err" "$work/err-one" || fail "--jobs 2 says other things than one job"
for text in "$work/batch-one"/*.txt; do
  cmp -s "$text" "$work/batch/$(basename "$text")" || fail "--jobs 2: $(basename "$text") differs"
done

echo "console_test: messages on a console (Wine's console on a terminal, code page 932)" >&2
# The program writes to the console through WriteConsoleW: the Japanese arrives whole, whatever
# the console's code page; bytes of UTF-8 would be shown as code page 932.
script -qec "'$here/../../tools/windows/wine-run.sh' '$program' 'Z:\\nothing\\gone.pdf'" /dev/null \
  </dev/null >"$work/console" 2>&1
# Wine draws the spaces as cursor moves, dropped here with the other escape sequences.
sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$work/console" | tr -d '\r\n' >"$work/console-text"
grep -q 'gone.pdf:ファイルが見つかりません。' "$work/console-text" ||
  fail "the console shows: $(cat "$work/console-text")"

if [ "$(id -u)" -eq 0 ] && mkdir -p "$work/small" && mount -t tmpfs -o size=64k tmpfs "$work/small"; then
  echo "console_test: a full disk" >&2
  cp "$data/reportlab-japanese.pdf" "$work/big.pdf"
  dd if=/dev/zero of="$work/small/filler" bs=4096 2>/dev/null
  run --no-open --output-dir "$(windows_path "$work/small")" "$(windows_path "$work/big.pdf")"
  [ "$status" -eq 1 ] || fail "a full disk: status $status"
  grep -q 'ディスクの空き容量' "$work/err" || fail "a full disk is not told: $(cat "$work/err")"
  [ "$(ls -A "$work/small")" = filler ] || fail "a full disk left $(ls -A "$work/small")"
else
  echo "console_test: the full disk needs root to mount a small tmpfs: skipped" >&2
fi

[ "$failures" -eq 0 ] && echo "console_test: passed" >&2
[ "$failures" -eq 0 ]
