#!/bin/sh
# Runs the README's first conversion exactly as it is written there, as a new user would on a
# machine without a display, and checks that it wrote the expected text file beside every PDF
# of tests/data that has one, and nothing beside the others. Exits non-zero on any difference.
set -u
cd "$(dirname "$0")/.."

# The lines of the README's code block after "A first conversion".
commands=$(awk '/^A first conversion/ { found = 1 }
  found && /^```/ { if (inside) exit; inside = 1; next }
  inside { print }' README.md)
folder=$(printf '%s\n' "$commands" | sed -n 's#^mkdir -p \([^ ]*\) .*#\1#p')
if [ -z "$folder" ]; then
  echo "readme_first_conversion: no first conversion found in README.md" >&2
  exit 1
fi
rm -rf "$folder"
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT

printf '%s\n' "$commands" >&2
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LUMENQUILL_INI="$settings/lumenquill.ini" \
  sh -c "$commands" >"$settings/out" 2>"$settings/err" </dev/null
cat "$settings/err" >&2

status=0
for pdf in tests/data/*.pdf; do
  name=$(basename "$pdf" .pdf)
  if [ -f "tests/data/$name.txt" ]; then
    if ! cmp -s "tests/data/$name.txt" "$folder/$name.txt"; then
      echo "readme_first_conversion: $folder/$name.txt differs from tests/data/$name.txt" >&2
      status=1
    fi
  elif [ -e "$folder/$name.txt" ]; then
    echo "readme_first_conversion: $folder/$name.txt should not exist" >&2
    status=1
  fi
done
if ! grep -q '日本語' "$settings/out"; then
  echo "readme_first_conversion: the text shown in UTF-8 lacks its Japanese" >&2
  status=1
fi
[ "$status" -eq 0 ] && echo "readme_first_conversion: passed" >&2
exit "$status"
