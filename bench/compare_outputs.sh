#!/bin/sh
# Runs two builds of lumenquill-info over the same PDF files and lists every difference in what
# they write: the extracted text file (or its absence), standard output, standard error and the
# exit status, for the document summary, the font report and extractions with several options,
# in content order and in layout order.
# Used to show that a change of the reader or of the extraction leaves every output as it was.
#
#   bench/compare_outputs.sh BASE_INFO NEW_INFO [WORK_DIR]
#
# The files: every PDF of tests/data, the newer-format variants of tests/newer/make_variants.sh
# (needs qpdf), every file of the fuzz corpora and the benchmark documents of
# bench/make_bench_documents.py (made when absent). Prints one line per difference and, at the
# end, the number of files and runs compared; exits 1 when any output differs.
set -eu
base=$(realpath "${1:?usage: compare_outputs.sh BASE_INFO NEW_INFO [WORK_DIR]}")
new=$(realpath "${2:?usage: compare_outputs.sh BASE_INFO NEW_INFO [WORK_DIR]}")
cd "$(dirname "$0")/.."
work=${3:-build/compare-outputs}
mkdir -p "$work"
work=$(realpath "$work")

tools/ensure-packages.sh qpdf python3-reportlab fonts-ipafont >/dev/null
[ -d "$work/variants" ] || tests/newer/make_variants.sh tests/data "$work/variants" >/dev/null
[ -f build/bench-documents/forms-3000.pdf ] ||
  /usr/bin/python3 bench/make_bench_documents.py build/bench-documents >/dev/null

list="$work/files"
{
  find tests/data -name '*.pdf'
  find "$work/variants" -name '*.pdf'
  find fuzz/corpus -type f
  find build/bench-documents -name '*.pdf'
} | sort >"$list"

# Runs one program in one mode on one file into directory $4: status, stdout, stderr, text.
run_one() {
  program=$1 mode=$2 file=$3 out=$4
  mkdir -p "$out"
  case $mode in
    summary) set -- "$program" --newer-formats "$file" ;;
    fonts) set -- "$program" --newer-formats --fonts "$file" ;;
    extract) set -- "$program" --extract "$out/text" "$file" ;;
    newer) set -- "$program" --newer-formats --extract "$out/text" --no-banner --eol lf "$file" ;;
    range) set -- "$program" --newer-formats --extract "$out/text" --no-breaks --first 2 \
      --last 3 "$file" ;;
    layout) set -- "$program" --newer-formats --extract "$out/text" --layout "$file" ;;
    ruby) set -- "$program" --newer-formats --extract "$out/text" --layout --ruby bracket \
      --encoding utf-8 "$file" ;;
  esac
  status=0
  timeout 60 "$@" >"$out/stdout" 2>"$out/stderr" || status=$?
  echo "$status" >"$out/status"
}

differences=0
runs=0
while IFS= read -r file; do
  for mode in summary fonts extract newer range layout ruby; do
    rm -rf "$work/base" "$work/new"
    run_one "$base" "$mode" "$file" "$work/base"
    run_one "$new" "$mode" "$file" "$work/new"
    runs=$((runs + 1))
    # The reports name the text file by its path, the same for both runs once made relative.
    for part in status stdout stderr text; do
      if [ -e "$work/base/$part" ] || [ -e "$work/new/$part" ]; then
        if ! cmp -s "$work/base/$part" "$work/new/$part" 2>/dev/null; then
          sed -i "s|$work/base/|OUT/|g" "$work/base/$part" 2>/dev/null || true
          sed -i "s|$work/new/|OUT/|g" "$work/new/$part" 2>/dev/null || true
          if ! cmp -s "$work/base/$part" "$work/new/$part"; then
            echo "DIFFERENT $mode $part: $file"
            differences=$((differences + 1))
          fi
        fi
      fi
    done
  done
done <"$list"

echo "compared $(wc -l <"$list") files, $runs runs of each program: $differences differences"
[ "$differences" -eq 0 ]
