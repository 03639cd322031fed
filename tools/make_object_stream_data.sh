#!/bin/sh
# Writes tests/data/object-streams/: PDF 1.5 forms, with object streams and a cross-reference
# stream, of a few PDF 1.4 files of tests/data, and for each the page list qpdf reads from it.
# The output is committed; the build and the tests never run this script. Needs qpdf.
#   tools/make_object_stream_data.sh
set -eu
cd "$(dirname "$0")/.."
out=tests/data/object-streams
mkdir -p "$out"
for name in qpdf-nested-tree reportlab-latin incremental-update; do
  qpdf --object-streams=generate --deterministic-id "tests/data/$name.pdf" "$out/$name.pdf"
  qpdf --show-pages "$out/$name.pdf" | awk '/^page /{print "page " $2 " " $3}' | tr -d ':' \
    >"$out/$name.pages"
done
