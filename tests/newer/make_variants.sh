#!/bin/sh
# Writes into OUT, for every PDF 1.4 file of DATA with a reviewed text (X.txt) beside it, the
# same document rewritten by qpdf in the forms of PDF 1.5 and later, and each such variant's
# PDF 1.4 form, which the reader of today opens:
#
#   X.KIND.pdf       the variant: object streams with a cross-reference stream, encryption
#                    with an empty user password (40-bit and 128-bit RC4, 128-bit and 256-bit
#                    AES), or only a newer header
#   X.KIND.1.4.pdf   the variant rewritten as PDF 1.4, decrypted, with a classic table
#
# and, for the two documents named in SECURED, variants that must stay refused: text
# extraction forbidden (X.forbidden.pdf), a user password (X.password-128.pdf and
# X.password-256.pdf, password "user"). Then, for each PDF of DATA/newer, its PDF 1.4 form
# (newer/X.1.4.pdf). Run by ctest before the newer-format tests; needs qpdf.
#
#   tests/newer/make_variants.sh DATA OUT
set -eu
data=${1:?usage: make_variants.sh DATA OUT}
out=${2:?usage: make_variants.sh DATA OUT}
rm -rf "$out"
mkdir -p "$out/newer"

SECURED="reportlab-japanese libreoffice-writer-japanese"

run_qpdf() {
  qpdf --warning-exit-0 --allow-weak-crypto "$@"
}

# The PDF 1.4 form of file $1, written to $2.
older_form() {
  run_qpdf --object-streams=disable --force-version=1.4 --decrypt "$1" "$2"
}

# Overwrites the first eight bytes of a file, "%PDF-1.x", with another header.
set_header() {
  printf '%s' "$2" | dd of="$1" bs=8 count=1 conv=notrunc status=none
}

for text in "$data"/*.txt; do
  name=$(basename "$text" .txt)
  pdf=$data/$name.pdf
  if [ "$(head -c 8 "$pdf")" != "%PDF-1.4" ]; then
    echo "$pdf: expected a PDF 1.4 header" >&2
    exit 1
  fi
  base=$out/$name

  run_qpdf --object-streams=generate "$pdf" "$base.object-streams.pdf"
  cp "$base.object-streams.pdf" "$base.xref-stream-at-1.4.pdf"
  set_header "$base.xref-stream-at-1.4.pdf" "%PDF-1.4"
  cp "$pdf" "$base.header-1.7.pdf"
  set_header "$base.header-1.7.pdf" "%PDF-1.7"
  run_qpdf --encrypt "" owner 40 -- "$pdf" "$base.rc4-40.pdf"
  run_qpdf --encrypt "" owner 128 --use-aes=n -- "$pdf" "$base.rc4-128.pdf"
  run_qpdf --encrypt "" owner 128 --use-aes=y -- "$pdf" "$base.aes-128.pdf"
  run_qpdf --encrypt "" owner 256 -- "$pdf" "$base.aes-256.pdf"
  run_qpdf --object-streams=generate --encrypt "" owner 256 -- "$pdf" \
    "$base.aes-256-object-streams.pdf"
  for kind in object-streams xref-stream-at-1.4 header-1.7 rc4-40 rc4-128 aes-128 aes-256 \
    aes-256-object-streams; do
    older_form "$base.$kind.pdf" "$base.$kind.1.4.pdf"
  done
done

for name in $SECURED; do
  pdf=$data/$name.pdf
  base=$out/$name
  run_qpdf --encrypt "" owner 128 --use-aes=n --extract=n --accessibility=n -- \
    "$pdf" "$base.forbidden.pdf"
  run_qpdf --encrypt user owner 128 --use-aes=n -- "$pdf" "$base.password-128.pdf"
  run_qpdf --encrypt user owner 256 -- "$pdf" "$base.password-256.pdf"
done

for pdf in "$data"/newer/*.pdf; do
  [ -e "$pdf" ] || continue
  older_form "$pdf" "$out/newer/$(basename "$pdf" .pdf).1.4.pdf"
done
