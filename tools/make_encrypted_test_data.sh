#!/bin/sh
# Writes tests/data/encrypted/: one small document in its plain form and encrypted by qpdf with
# each revision of the standard security handler, plus files whose text may not be read.
# Every file gets the same fixed /ID and AES initialisation vectors; the 256-bit files still get
# random salts and file keys, so after rerunning this, take the keys that
# tests/reader/decryption_test.cpp expects from `qpdf --show-encryption-key --show-encryption`.
#   tools/make_encrypted_test_data.sh
set -eu
cd "$(dirname "$0")/.."
source=tests/data/reportlab-latin.pdf
out=tests/data/encrypted
mkdir -p "$out"

common="--static-id --static-aes-iv"
# shellcheck disable=SC2086
qpdf $common --force-version=1.4 "$source" "$out/plain.pdf"
encrypt() {
  name=$1
  shift
  # shellcheck disable=SC2086
  qpdf $common --allow-weak-crypto --encrypt "$@" -- "$source" "$out/$name.pdf"
}
encrypt rc4-40 "" owner 40
encrypt rc4-128 "" owner 128 --use-aes=n
encrypt aes-128 "" owner 128 --use-aes=y
encrypt aes-256-r5 "" owner 256 --force-R5
encrypt aes-256-r6 "" owner 256
encrypt rc4-128-no-extract "" owner 128 --use-aes=n --extract=n --accessibility=n
# Revision 6 keeps the accessibility bit set, which alone allows extracting text.
encrypt aes-256-no-copy "" owner 256 --extract=n
encrypt rc4-40-no-extract "" owner 40 --extract=n
encrypt rc4-128-user-password secret owner 128 --use-aes=n
encrypt aes-256-user-password secret owner 256
# A document with an XMP metadata stream, which stays unencrypted.
source=tests/data/ghostscript-glyphshow-latin.pdf
encrypt aes-128-clear-metadata "" owner 128 --use-aes=y --cleartext-metadata
