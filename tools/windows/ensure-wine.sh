#!/bin/sh
# Installs what the Windows build and its tests need (mingw-w64, Wine, NSIS, a Japanese locale and
# font, Xvfb for the windows) and generates the ja_JP.UTF-8 locale, under which Wine's code page
# is 932.
set -eu
here=$(dirname "$0")
"$here/../ensure-packages.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev \
  googletest dpkg-dev wine wine64 nsis zip unzip locales fonts-ipafont-gothic xvfb xdotool openbox \
  x11-apps imagemagick
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  as_root=$([ "$(id -u)" -eq 0 ] || echo sudo)
  echo "Generating the ja_JP.UTF-8 locale" >&2
  $as_root sh -c "sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen && locale-gen >/dev/null"
fi
