#!/bin/sh
# Compares the text extraction of lumenquill-info with pdftotext and mutool on the three
# benchmark documents: wall time with hyperfine, peak memory with GNU time; and times the
# floor, reading each file and decoding all its streams (bench/inflate_floor.cpp), and the
# extraction in layout order (--layout). Every run writes a text that is not there yet, as a
# first conversion does; a last table gives, for each file, every time, our ratios to the faster
# peer and to the floor, in content order and in layout order, and every peak.
#   bench/compare_with_peers.sh [WORK_DIR] [RUNS]
set -eu
cd "$(dirname "$0")/.."
work=${1:-build/bench-documents}
runs=${2:-10}

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
  hyperfine --warmup 2 --runs "$runs" --style basic --export-json "$work/$name.times.json" \
    --prepare "rm -f $work/$name.lq.txt $work/$name.layout.txt $work/$name.pdftotext.txt \
      $work/$name.mutool.txt" \
    -n lumenquill "$info --extract $work/$name.lq.txt $pdf" \
    -n layout "$info --extract $work/$name.layout.txt --layout $pdf" \
    -n pdftotext "pdftotext $pdf $work/$name.pdftotext.txt" \
    -n mutool "mutool draw -q -F txt -o $work/$name.mutool.txt $pdf" \
    -n floor "$floor $pdf"
  : >"$work/$name.peaks"
  for tool in lumenquill pdftotext mutool; do
    case $tool in
      lumenquill) set -- "$info" --extract "$work/$name.lq.txt" "$pdf" ;;
      pdftotext) set -- pdftotext "$pdf" "$work/$name.pdftotext.txt" ;;
      mutool) set -- mutool draw -q -F txt -o "$work/$name.mutool.txt" "$pdf" ;;
    esac
    rm -f "$work/$name.lq.txt" "$work/$name.pdftotext.txt" "$work/$name.mutool.txt"
    peak=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1)
    echo "$tool $peak" >>"$work/$name.peaks"
    echo "peak memory $tool: $peak KB"
  done
done

/usr/bin/python3 - "$work" <<'EOF'
import json, sys
work = sys.argv[1]
print()
print("| file | lumenquill | --layout | pdftotext | mutool | floor | ours / faster peer "
      "| ours / floor | --layout / faster peer | peak KB ours / pdftotext / mutool |")
print("|---|---|---|---|---|---|---|---|---|---|")
for name in ("japanese-500", "english-2000", "forms-3000"):
    mean = {r["command"]: r["mean"]
            for r in json.load(open(f"{work}/{name}.times.json"))["results"]}
    peaks = dict(line.split() for line in open(f"{work}/{name}.peaks"))
    ours = mean["lumenquill"]
    peer = min(mean["pdftotext"], mean["mutool"])
    layout = mean["layout"]
    print(f"| {name} | {ours:.3f} s | {layout:.3f} s | {mean['pdftotext']:.3f} s "
          f"| {mean['mutool']:.3f} s | {mean['floor']:.3f} s | {ours / peer:.3f} "
          f"| {ours / mean['floor']:.2f} | {layout / peer:.3f} "
          f"| {int(peaks['lumenquill']):,} / {int(peaks['pdftotext']):,} / "
          f"{int(peaks['mutool']):,} |")
EOF
