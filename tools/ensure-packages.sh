#!/bin/sh
# Installs the named Debian packages that are not installed yet (through sudo when not root).
# Usage: tools/ensure-packages.sh PACKAGE...
set -eu

missing=""
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
else
  as_root="sudo"
fi
echo "Installing:$missing" >&2
$as_root apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends $missing >&2
