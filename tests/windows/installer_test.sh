#!/bin/sh
# Installs and removes the Windows installer silently under Wine, in a Wine prefix of its own made
# afresh for each run (WORK/prefix), twice: for all users with the default components, then for
# the current user. After each install the installed program converts a PDF file byte for byte,
# the Start-menu and "Send to" shortcuts point at it and the uninstall entry and the PDF verb are
# in the registry; the uninstaller that the uninstall entry names then removes all of that. The
# first uninstall keeps the user's settings files, the second is given /REMOVESETTINGS and
# removes them and their folders. The zip beside the installer is checked too: its files and
# its read-me in code page 932 with CR LF line ends.
# Usage: tests/windows/installer_test.sh [SETUP.exe [WORK]]
#   SETUP.exe defaults to build/windows-release/lumenquill-*-win64-setup.exe, WORK to
#   build/installer-test (emptied first, removed after a run without failures).
set -eu
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
setup=${1:-$(ls "$source_dir"/build/windows-release/lumenquill-*-win64-setup.exe 2>/dev/null |
  head -n 1)}
work=${2:-$source_dir/build/installer-test}
if [ ! -f "$setup" ]; then
  echo "installer_test: no installer; build it with" \
    "cmake --build --preset windows-release --target windows-packages" >&2
  exit 1
fi
setup=$(cd "$(dirname "$setup")" && pwd)/$(basename "$setup")
start=$(date +%s)

failures=0
check() {  # check DESCRIPTION COMMAND...: runs COMMAND and reports it as passed or failed
  description=$1
  shift
  if "$@" >/dev/null 2>&1; then
    printf '  ok    %s\n' "$description"
  else
    printf '  FAIL  %s\n' "$description"
    failures=$((failures + 1))
  fi
}

rm -rf "$work"
mkdir -p "$work/files"
export LUMENQUILL_WINEPREFIX="$work/prefix" WINEPREFIX="$work/prefix"
wine_run() { "$source_dir/tools/windows/wine-run.sh" "$@"; }
# The Windows form of a path of this machine, and the other way round.
windows_path() { WINEDEBUG=-all winepath -w "$1" 2>/dev/null; }
unix_path() { WINEDEBUG=-all winepath -u "$1" 2>/dev/null; }
# A registry value (REG_SZ) as UTF-8, or nothing; reg.exe writes code page 932.
reg_value() {
  wine_run reg query "$1" /v "$2" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z]* *//p"
}
reg_default() {
  wine_run reg query "$1" /ve 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n 's/^ *([^)]*) *REG_[A-Z]* *//p'
}
key_exists() { wine_run reg query "$1" >/dev/null 2>&1; }
absent() { [ ! -e "$1" ]; }
wait_for_wine() { WINEDEBUG=-all wineserver -w; }

echo "installer_test: making a Wine prefix in $work/prefix"
wine_run cmd /c exit 0 >/dev/null 2>&1
# A new prefix's first programs can find Wine's server ending or its services still starting, and
# then print nothing: ask again, after the server has ended, before giving up.
appdata_windows=
for attempt in 1 2 3 4 5; do
  wait_for_wine
  appdata_windows=$(wine_run cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r') || true
  case $appdata_windows in ?:\\*) break ;; esac
done
appdata=$(unix_path "$appdata_windows") || {
  echo "installer_test: Wine names no %APPDATA% folder (it said \"$appdata_windows\")" >&2
  exit 1
}
sendto="$appdata/Microsoft/Windows/SendTo/Lumenquill.lnk"
pdf_verb='Software\Classes\SystemFileAssociations\.pdf\shell\Lumenquill.ConvertToText'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumenquill'
cp "$source_dir/tests/data/reportlab-japanese.pdf" "$work/files/"

# round MODE ROOT START_MENU INSTALL_OPTION UNINSTALL_OPTION
round() {
  mode=$1 root=$2 start_menu=$3
  echo "installer_test: $mode: $(basename "$setup") /S $4"
  check "silent install ends with status 0" wine_run "$setup" /S $4
  wait_for_wine
  location=$(reg_value "$root\\$uninstall_key" InstallLocation)
  if [ -z "$location" ]; then
    printf '  FAIL  an uninstall entry under %s\n' "$root"
    failures=$((failures + 1))
    return
  fi
  folder=$(unix_path "$location")
  printf '  installed in %s\n' "$location"
  for file in lumenquill.exe lumenquill-info.exe readme.txt uninstall.exe; do
    check "$file installed" test -f "$folder/$file"
  done

  rm -f "$work/files/reportlab-japanese.txt"
  wine_run "$location\\lumenquill.exe" --no-open "$(windows_path "$work/files/reportlab-japanese.pdf")" \
    >"$work/convert.log" 2>&1 || true
  check "the installed lumenquill.exe converts reportlab-japanese.pdf byte for byte" \
    cmp "$work/files/reportlab-japanese.txt" "$source_dir/tests/data/reportlab-japanese.txt"

  check "Start menu shortcut to the program" grep -aqF "$location\\lumenquill.exe" "$start_menu"
  check "Send to shortcut to the program" grep -aqF "$location\\lumenquill.exe" "$sendto"
  check "uninstall entry names the version" \
    test "$(reg_value "$root\\$uninstall_key" DisplayVersion)" = "$version"
  check "PDF verb テキストに変換" test "$(reg_default "$root\\$pdf_verb")" = "テキストに変換"
  check "PDF verb runs the program" test "$(reg_default "$root\\$pdf_verb\\command")" = \
    "\"$location\\lumenquill.exe\" \"%1\""

  # The user's settings, in both places the program may keep them.
  printf '[GroupBox1]\r\nCheckBox1=0\r\n' >"$folder/lumenquill.ini"
  mkdir -p "$appdata/Lumenquill"
  printf '[GroupBox3]\r\nCheckBox5=0\r\n' >"$appdata/Lumenquill/lumenquill.ini"

  # What "Programs and Features" runs for a silent removal; the uninstaller copies itself to the
  # temporary folder and runs from there, so the end of every Wine process is awaited.
  quiet=$(reg_value "$root\\$uninstall_key" QuietUninstallString)
  printf 'installer_test: %s: %s %s\n' "$mode" "$quiet" "$5"
  case $quiet in
    \"*\"*) ;;
    *) printf '  FAIL  QuietUninstallString is not a quoted program: %s\n' "$quiet"
       failures=$((failures + 1)); return ;;
  esac
  uninstaller=${quiet#\"}
  uninstaller=${uninstaller%%\"*}
  check "silent uninstall ends with status 0" wine_run "$uninstaller" ${quiet#\""$uninstaller"\"} $5
  wait_for_wine
  for file in lumenquill.exe lumenquill-info.exe readme.txt uninstall.exe; do
    check "$file removed" absent "$folder/$file"
  done
  check "Start menu shortcut removed" absent "$start_menu"
  check "Send to shortcut removed" absent "$sendto"
  check "uninstall entry removed" eval "! key_exists '$root\\$uninstall_key'"
  check "PDF verb removed" eval "! key_exists '$root\\$pdf_verb'"
}

version=$(basename "$setup" | sed -n 's/^lumenquill-\(.*\)-win64-setup\.exe$/\1/p')
programs=$(unix_path 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')
round "for all users" HKLM "$programs/Lumenquill.lnk" "" ""
check "settings beside the program kept" grep -q CheckBox1=0 "$folder/lumenquill.ini"
check "settings in %APPDATA%\\Lumenquill kept" grep -q CheckBox5=0 "$appdata/Lumenquill/lumenquill.ini"
rm -f "$folder/lumenquill.ini"

round "for the current user" HKCU "$appdata/Microsoft/Windows/Start Menu/Programs/Lumenquill.lnk" \
  /CurrentUser /REMOVESETTINGS
check "/REMOVESETTINGS: the program's folder removed with its settings" absent "$folder"
check "/REMOVESETTINGS: %APPDATA%\\Lumenquill removed" absent "$appdata/Lumenquill"

zip=$(dirname "$setup")/lumenquill-$version-win64.zip
echo "installer_test: $(basename "$zip")"
expected="lumenquill-info.exe lumenquill.exe readme.txt "
for name in LICENSE LICENSE.txt COPYING; do
  [ -f "$source_dir/$name" ] && expected="license.txt $expected" && break
done
check "zip holds the programs and the read-me" \
  test "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "$expected"
unzip -p "$zip" readme.txt >"$work/readme.txt"
# Code page 932 has one wave dash, which reads back as the full-width tilde.
iconv -f CP932 -t UTF-8 "$work/readme.txt" | tr -d '\r' >"$work/readme-utf8.txt"
check "zip read-me is docs/readme.txt in code page 932" \
  sh -c "sed 's/〜/～/g' '$source_dir/docs/readme.txt' | cmp - '$work/readme-utf8.txt'"
check "zip read-me has CR LF at every line end" \
  test "$(grep -c "$(printf '\r')\$" "$work/readme.txt")" -eq "$(wc -l <"$work/readme.txt")"

echo "installer_test: $failures failures, $(($(date +%s) - start)) seconds"
[ "$failures" -eq 0 ] || { echo "installer_test: the Wine prefix is kept in $work/prefix"; exit 1; }
# The prefix takes some 700 MB; a passing run leaves nothing to look at.
WINEDEBUG=-all wineserver -k 2>/dev/null || true
rm -rf "$work"
