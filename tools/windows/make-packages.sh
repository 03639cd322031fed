#!/bin/sh
# Makes the two packages of the Windows build in OUTPUT: the portable zip
# lumenquill-VERSION-win64.zip and the installer lumenquill-VERSION-win64-setup.exe (NSIS,
# packaging/windows/lumenquill.nsi). Both hold the same files: the two programs, stripped, and the
# read-me converted to Shift-JIS (code page 932) with CR LF line ends, as Windows editors expect
# it; a licence file at the top of the source tree (LICENSE, LICENSE.txt, COPYING) when there is
# one. The build runs it as the target windows-packages, which passes these arguments:
# Usage: tools/windows/make-packages.sh VERSION VERSION_QUAD OUTPUT LUMENQUILL.EXE INFO.EXE STRIP
set -eu
if [ $# -ne 6 ]; then
  echo "usage: $0 VERSION VERSION_QUAD OUTPUT LUMENQUILL.EXE INFO.EXE STRIP" >&2
  exit 2
fi
version=$1 version_quad=$2 output=$3 program=$4 info=$5 strip=$6
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
for tool in zip makensis iconv; do
  command -v "$tool" >/dev/null ||
    { echo "$0: $tool is missing (tools/windows/ensure-wine.sh installs it)" >&2; exit 1; }
done

stage=$output/package-files
rm -rf "$stage"
mkdir -p "$stage"
cp "$program" "$stage/lumenquill.exe"
cp "$info" "$stage/lumenquill-info.exe"
"$strip" --strip-all "$stage/lumenquill.exe" "$stage/lumenquill-info.exe"
# iconv stops on a character that code page 932 lacks, rather than leave it out (and not in a
# pipe, whose status would be sed's).
iconv -f UTF-8 -t CP932 "$source_dir/docs/readme.txt" >"$stage/readme-cp932.txt"
sed 's/\r*$/\r/' "$stage/readme-cp932.txt" >"$stage/readme.txt"
rm "$stage/readme-cp932.txt"
files="lumenquill.exe lumenquill-info.exe readme.txt"
licence=
for name in LICENSE LICENSE.txt COPYING; do
  if [ -f "$source_dir/$name" ]; then
    licence=$source_dir/$name
    sed 's/\r*$/\r/' "$licence" >"$stage/license.txt"
    files="$files license.txt"
    break
  fi
done

zip_file=$output/lumenquill-$version-win64.zip
rm -f "$zip_file"
# The files at the top of the archive: Explorer's "Extract All" makes the folder.
(cd "$stage" && zip -q -X -9 "$zip_file" $files)

setup=$output/lumenquill-$version-win64-setup.exe
rm -f "$setup"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_QUAD="$version_quad" \
  -DSTAGE="$stage" -DOUTFILE="$setup" ${licence:+-DLICENSE_FILE="$stage/license.txt"} \
  "$source_dir/packaging/windows/lumenquill.nsi"

echo "$zip_file"
echo "$setup"
