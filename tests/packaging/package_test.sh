#!/bin/sh
# Builds the Debian packages lumenquill (preset release) and lumenquill-cli (preset
# release-cli, without Qt), checks each with lintian (no error allowed), unpacks each into a
# temporary root and checks it: Depends is filled in (and names no Qt library for
# lumenquill-cli), every program has its compressed manual pages, the desktop entry is valid,
# and the unpacked programs convert a PDF of tests/data as expected, the console lumenquill
# with its settings taken from $XDG_CONFIG_HOME as an installed program does and leaving no
# settings folder behind when it writes no setting, and a file whose streams inflate past
# 512 MiB converts within that much address space. Exits non-zero on any fault.
set -eu
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample=reportlab-japanese

fail() {
  echo "package test: $*" >&2
  exit 1
}

# package PRESET: builds the preset and makes its package; prints the .deb path.
package() {
  log="$work/$1.log"
  rm -f "build/$1"/*.deb
  if ! { cmake --preset "$1" && cmake --build --preset "$1" -j "$(nproc)" &&
    (cd "build/$1" && cpack -G DEB); } >"$log" 2>&1; then
    tail -30 "$log" >&2
    fail "building the package of preset $1 failed"
  fi
  ls "build/$1"/*.deb
}

# check DEB: unpacks DEB into $work/NAME and checks it.
check() {
  deb=$1
  name=$(dpkg-deb -f "$deb" Package)
  version=$(dpkg-deb -f "$deb" Version)
  depends=$(dpkg-deb -f "$deb" Depends)
  root="$work/$name"
  # Errors fail the test; warnings are shown. The one expected, initial-upload-closes-no-bugs,
  # asks a first Debian upload to close its request-for-packaging bug, which this package has
  # none of: it is not uploaded to Debian.
  lintian --fail-on error "$deb" >&2 ||
    fail "$name: lintian reports errors"
  dpkg-deb -x "$deb" "$root"
  [ -n "$depends" ] || fail "$name: no Depends"
  [ -x "$root/usr/bin/lumenquill-info" ] || fail "$name: no /usr/bin/lumenquill-info"
  for program in "$root"/usr/bin/*; do
    program=$(basename "$program")
    for page in "man/ja/man1/$program.1" "man/man1/$program.1"; do
      gzip -dc "$root/usr/share/$page.gz" | grep -q "^\.TH .*\"Lumenquill ${version%-*}\"" ||
        fail "$name: /usr/share/$page is missing or does not name version ${version%-*}"
    done
    # --version names the package's version.
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= \
      LUMENQUILL_INI="$work/none.ini" "$root/usr/bin/$program" --version) ||
      fail "$name: $program --version failed"
    case $out in *"${version%-*}"*) ;; *) fail "$name: $program --version says '$out'" ;; esac
  done

  "$root/usr/bin/lumenquill-info" --extract "$work/info.txt" "tests/data/$sample.pdf"
  cmp "$work/info.txt" "tests/data/$sample.txt" || fail "$name: lumenquill-info --extract differs"

  if [ -e "$root/usr/bin/lumenquill" ]; then
    [ -s "$root/usr/share/lumenquill/readme.txt" ] || fail "$name: no readme.txt for the help"
    mkdir -p "$work/pdfs" "$work/config/lumenquill"
    cp "tests/data/$sample.pdf" "$work/pdfs/"
    # Console mode with the settings file named by LUMENQUILL_INI (missing: the defaults).
    rm -f "$work/pdfs/$sample.txt"
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= LUMENQUILL_INI="$work/none.ini" \
      "$root/usr/bin/lumenquill" "$work/pdfs/$sample.pdf" >/dev/null
    cmp "$work/pdfs/$sample.txt" "tests/data/$sample.txt" || fail "$name: lumenquill differs"
    # Without LUMENQUILL_INI the installed program reads $XDG_CONFIG_HOME/lumenquill: there,
    # line feeds alone.
    printf '[GroupBox2]\r\nComboBox1=1\r\n' >"$work/config/lumenquill/lumenquill.ini"
    tr -d '\r' <"tests/data/$sample.txt" >"$work/lf.txt"
    rm -f "$work/pdfs/$sample.txt"
    env -u DISPLAY -u WAYLAND_DISPLAY -u LUMENQUILL_INI QT_QPA_PLATFORM= \
      XDG_CONFIG_HOME="$work/config" "$root/usr/bin/lumenquill" "$work/pdfs/$sample.pdf" >/dev/null
    cmp "$work/pdfs/$sample.txt" "$work/lf.txt" ||
      fail "$name: lumenquill did not take its settings from \$XDG_CONFIG_HOME/lumenquill"
    # A console run that writes no setting creates no ~/.config/lumenquill.
    mkdir "$work/home"
    rm -f "$work/pdfs/$sample.txt"
    env -u DISPLAY -u WAYLAND_DISPLAY -u LUMENQUILL_INI -u XDG_CONFIG_HOME QT_QPA_PLATFORM= \
      HOME="$work/home" "$root/usr/bin/lumenquill" "$work/pdfs/$sample.pdf" >/dev/null
    [ -s "$work/pdfs/$sample.txt" ] || fail "$name: lumenquill converted nothing"
    [ ! -e "$work/home/.config/lumenquill" ] || fail "$name: lumenquill created ~/.config/lumenquill"
    rm -rf "$work/home"
  fi
  echo "$name $version: Depends: $depends"
}

tools/ensure-packages.sh dpkg-dev file desktop-file-utils lintian
full=$(package release)
cli=$(package release-cli)
check "$full"
check "$cli"

# The decoded streams of a run, together, stay within the memory bound: a page whose content
# streams inflate to 512 MiB in all converts in an address space of 512 MiB, the text before
# them kept.
python3 tests/packaging/make_stream_bomb_pdf.py "$work/streams.pdf"
(
  ulimit -v 524288
  "$work/lumenquill-cli/usr/bin/lumenquill-info" --extract "$work/streams.txt" "$work/streams.pdf"
) || fail "lumenquill-info needs more than 512 MiB for streams that inflate past it"
grep -q "before the streams" "$work/streams.txt" || fail "the text before the large streams is lost"

[ -x "$work/lumenquill/usr/bin/lumenquill" ] || fail "lumenquill: no /usr/bin/lumenquill"
desktop-file-validate "$work/lumenquill/usr/share/applications/lumenquill.desktop"
[ -s "$work/lumenquill/usr/share/icons/hicolor/scalable/apps/lumenquill.svg" ] ||
  fail "lumenquill: no icon"
case $(dpkg-deb -f "$cli" Depends) in
  *[Qq]t6*) fail "lumenquill-cli depends on Qt: $(dpkg-deb -f "$cli" Depends)" ;;
esac
# A program that the build without the windows makes is in lumenquill-cli.
for program in build/release-cli/bin/*; do
  name=$(basename "$program")
  if [ -f "$program" ] && [ -x "$program" ] && [ ! -e "$work/lumenquill-cli/usr/bin/$name" ]; then
    fail "lumenquill-cli: no /usr/bin/$name"
  fi
done
echo "package test: passed"
