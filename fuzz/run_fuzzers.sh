#!/bin/sh
# Runs every fuzz target for SECONDS (default 20) from its committed seeds, with new inputs
# kept in a scratch folder. Exits non-zero on any crash, leak, sanitizer report or timeout, and
# keeps the input that caused it in fuzz/regressions/TARGET/.
#   fuzz/run_fuzzers.sh [SECONDS] [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${2:-build/fuzz}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
for seeds in fuzz/corpus/*/; do
  target=$(basename "$seeds")
  mkdir -p "$scratch/$target"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$scratch/$target-" \
      "$scratch/$target" "$seeds" >"$scratch/$target.log" 2>&1; then
    echo "$target: FAILED" >&2
    tail -40 "$scratch/$target.log" >&2
    # The input that failed joins the target's regressions, which ctest replays from now on.
    kept="fuzz/regressions/$target"
    for artifact in "$scratch/$target"-*; do
      [ -f "$artifact" ] || continue
      mkdir -p "$kept"
      name=$(basename "$artifact")
      cp "$artifact" "$kept/${name#"$target"-}" && echo "kept $kept/${name#"$target"-}" >&2
    done
    status=1
  else
    echo "$target: $(grep -E 'stat::number_of_executed_units' "$scratch/$target.log" | \
      awk '{print $2}') runs, $(grep -oE 'cov: [0-9]+' "$scratch/$target.log" | tail -1)"
  fi
done
exit $status
