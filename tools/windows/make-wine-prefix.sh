#!/bin/sh
# Makes the Wine prefix named by WINEPREFIX, unless it is ready: Wine's own start-up, then Japanese
# fonts for the dialogs (Wine's own dialog font has no Japanese glyphs). Needs the ja_JP.UTF-8
# locale, which tools/windows/ensure-wine.sh generates.
set -eu
[ -f "$WINEPREFIX/.lumenquill-ready" ] && exit 0
wineboot --init >/dev/null 2>&1
wineserver --wait
gothic=IPAGothic
for face in "MS Shell Dlg" "MS Shell Dlg 2" "MS UI Gothic" "MS Gothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック" \
  "Meiryo" "Meiryo UI" "Yu Gothic UI" "Segoe UI" "Tahoma"; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "$face" /t REG_SZ /d "$gothic" /f >/dev/null 2>&1
done
wineserver --wait
touch "$WINEPREFIX/.lumenquill-ready"
