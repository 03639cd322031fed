#!/bin/sh
# Times lumenquill's batch with 1, 2 and 4 jobs (--jobs) on two folders: 2,000 small PDF files
# (bench/make_batch_documents.py) and 9 large ones (three copies of each benchmark document,
# bench/make_bench_documents.py), with hyperfine; every run writes its texts into an empty
# folder. Prints a table of the mean times and each one's speed against one job.
#   bench/compare_jobs.sh [WORK_DIR] [RUNS]
set -eu
cd "$(dirname "$0")/.."
work=${1:-build/bench-jobs}
runs=${2:-3}

tools/ensure-packages.sh python3-reportlab fonts-ipafont hyperfine
. bench/release_on_console.sh
mkdir -p "$work/small" "$work/large"
: >"$LUMENQUILL_INI"  # the default settings

[ -f "$work/small/doc-1999.pdf" ] || /usr/bin/python3 bench/make_batch_documents.py "$work/small" 2000
if [ ! -f "$work/large/forms-3000-3.pdf" ]; then
  /usr/bin/python3 bench/make_bench_documents.py "$work/documents"
  for name in japanese-500 english-2000 forms-3000; do
    for copy in 1 2 3; do cp "$work/documents/$name.pdf" "$work/large/$name-$copy.pdf"; done
  done
fi

for set in small large; do
  echo "== $set: $(find "$work/$set" -name '*.pdf' | wc -l) files ($(du -sk "$work/$set" | cut -f1) KB)"
  hyperfine --warmup 1 --runs "$runs" --style basic --export-json "$work/$set.json" \
    --prepare "rm -rf $work/out && mkdir $work/out" \
    -n "1 job" "$lumenquill --quiet --no-open --jobs 1 --output-dir $work/out $work/$set" \
    -n "2 jobs" "$lumenquill --quiet --no-open --jobs 2 --output-dir $work/out $work/$set" \
    -n "4 jobs" "$lumenquill --quiet --no-open --jobs 4 --output-dir $work/out $work/$set"
done

/usr/bin/python3 - "$work/small.json" "$work/large.json" <<'EOF'
import json, sys
print("| files | 1 job | 2 jobs | 4 jobs |")
print("|---|---|---|---|")
for name, path in zip(("2,000 small", "9 large"), sys.argv[1:]):
    mean = {r["command"]: r["mean"] for r in json.load(open(path))["results"]}
    one = mean["1 job"]
    cells = ["%.2f s" % one] + ["%.2f s (%.2fx)" % (mean[j], one / mean[j])
                                for j in ("2 jobs", "4 jobs")]
    print("| %s | %s |" % (name, " | ".join(cells)))
EOF
