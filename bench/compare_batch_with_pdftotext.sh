#!/bin/sh
# Times the conversion of a folder of 1,000 small PDF files (bench/make_batch_documents.py):
# one lumenquill process for the whole folder against a shell loop that runs pdftotext once
# per file, with hyperfine; prints both means, their ratio, the time of the batch when it replaces
# the texts of an earlier run, and the peak memory of the batch.
#   bench/compare_batch_with_pdftotext.sh [WORK_DIR]
set -eu
cd "$(dirname "$0")/.."
work=${1:-build/bench-batch}

tools/ensure-packages.sh python3-reportlab fonts-ipafont poppler-utils hyperfine time
. bench/release_on_console.sh
# A settings file of the defaults as the options dialog writes it (the one beside the program
# might ask for page ranges), read for each file.
cat >"$LUMENQUILL_INI" <<'EOF'
[GroupBox1]
CheckBox1=1
CheckBox2=0
[GroupBox2]
RadioButton1=1
RadioButton2=0
ComboBox1=0
[GroupBox3]
CheckBox5=1
CheckBox6=0
CheckBox7=1
CheckBox8=1
[GroupBox4]
CheckBox9=0
EOF

pdfs=$work/pdfs
[ -f "$pdfs/doc-0999.pdf" ] || /usr/bin/python3 bench/make_batch_documents.py "$pdfs" 1000
count=$(find "$pdfs" -name '*.pdf' | wc -l)
echo "== $count files in $pdfs ($(du -sk "$pdfs" | cut -f1) KB)"

batch="$lumenquill --quiet --no-open --overwrite --output-dir $work/out.lq $pdfs"
# Parameter expansion only, so that the loop forks nothing but pdftotext.
loop="for f in $pdfs/*.pdf; do b=\${f##*/}; pdftotext \"\$f\" \"$work/out.pdftotext/\${b%.pdf}.txt\"; done"
# Also the batch again over the texts of its warm-up run: replacing a file by renaming a new
# one over it makes the file system write the new one out first (ext4's auto_da_alloc).
mkdir -p "$work/out.again"
again="$lumenquill --quiet --no-open --overwrite --output-dir $work/out.again $pdfs"
hyperfine --warmup 1 --runs 3 --style basic --export-json "$work/times.json" \
  --prepare "rm -rf $work/out.lq && mkdir $work/out.lq" -n "lumenquill, one process" "$batch" \
  --prepare "rm -rf $work/out.pdftotext && mkdir $work/out.pdftotext" -n "pdftotext, one per file" "$loop" \
  --prepare "true" -n "lumenquill, replacing its texts" "$again"

/usr/bin/python3 - "$work/times.json" <<'EOF'
import json, sys
mean = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
ours, loop = mean["lumenquill, one process"], mean["pdftotext, one per file"]
print("lumenquill batch: %.3f s   pdftotext loop: %.3f s   ratio: %.1f times faster"
      % (ours, loop, loop / ours))
print("lumenquill batch replacing its texts: %.3f s" % mean["lumenquill, replacing its texts"])
EOF
rm -rf "$work/out.lq" && mkdir "$work/out.lq"
# shellcheck disable=SC2086
peak=$(/usr/bin/time -f %M $batch 2>&1 >/dev/null | tail -1)
echo "peak memory lumenquill batch: $peak KB"
