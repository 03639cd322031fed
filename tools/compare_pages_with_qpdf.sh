#!/bin/sh
# Compares the page lists of lumenquill-info with those of qpdf --show-pages, for each PDF
# given as it stands and as qpdf rewrites it (PDF 1.4, classic cross-reference table).
# Prints one line per file and comparison; exits 1 when any list differs.
# Usage: tools/compare_pages_with_qpdf.sh LUMENQUILL_INFO FILE...
set -u
info=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

compare() {
  label=$1
  file=$2
  qpdf --show-pages "$file" 2>/dev/null | awk '/^page /{print "page " $2 " " $3}' \
    | tr -d ':' >"$work/qpdf"
  if "$info" "$file" 2>"$work/error" | grep '^page ' >"$work/ours"; then :; fi
  if [ -s "$work/error" ]; then
    echo "$label: refused: $(cat "$work/error")"
  elif cmp -s "$work/qpdf" "$work/ours"; then
    echo "$label: same $(wc -l <"$work/ours") pages"
  else
    echo "$label: DIFFERENT"
    status=1
  fi
}

for file in "$@"; do
  compare "$file" "$file"
  qpdf --object-streams=disable --force-version=1.4 "$file" "$work/normalised.pdf" 2>/dev/null
  compare "$file (rewritten as 1.4)" "$work/normalised.pdf"
done
exit $status
