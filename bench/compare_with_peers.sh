#!/bin/sh
# Compares the text extraction of lumenquill-info with pdftotext and mutool on the three
# benchmark documents: wall time with hyperfine, peak memory with GNU time; and times the
# floor, reading each file and decoding all its streams (bench/inflate_floor.cpp).
#   bench/compare_with_peers.sh [WORK_DIR]
set -eu
cd "$(dirname "$0")/.."
work=${1:-build/bench-documents}

tools/ensure-packages.sh python3-reportlab fonts-ipafont poppler-utils mupdf-tools hyperfine time
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
info=build/release/bin/lumenquill-info
# The floor: reading each file and decoding all its streams, nothing interpreted.
cmake --preset bench >/dev/null
cmake --build --preset bench --target inflate_floor >/dev/null
floor=build/bench/bench/inflate_floor

[ -f "$work/forms-3000.pdf" ] || /usr/bin/python3 bench/make_bench_documents.py "$work"

for name in japanese-500 english-2000 forms-3000; do
  pdf="$work/$name.pdf"
  echo "== $name ($(du -k "$pdf" | cut -f1) KB)"
  hyperfine --warmup 1 --runs 5 --style basic \
    -n lumenquill "$info --extract $work/$name.lq.txt $pdf" \
    -n pdftotext "pdftotext $pdf $work/$name.pdftotext.txt" \
    -n mutool "mutool draw -q -F txt -o $work/$name.mutool.txt $pdf" \
    -n floor "$floor $pdf"
  for tool in lumenquill pdftotext mutool; do
    case $tool in
      lumenquill) set -- "$info" --extract "$work/$name.lq.txt" "$pdf" ;;
      pdftotext) set -- pdftotext "$pdf" "$work/$name.pdftotext.txt" ;;
      mutool) set -- mutool draw -q -F txt -o "$work/$name.mutool.txt" "$pdf" ;;
    esac
    peak=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1)
    echo "peak memory $tool: $peak KB"
  done
done
