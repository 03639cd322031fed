#!/bin/sh
# Makes the Windows build's pictures from the windows' own (src/ui/images): the program's icon,
# one icon per tool button (16, 24 and 32 pixels, for 100 %, 150 % and 200 % scaling), and the
# drop picture as 24-bit bitmaps on white at its two sizes. The results are committed; run this
# again after changing a picture. Needs rsvg-convert (librsvg2-bin), icotool (icoutils) and
# ImageMagick's convert.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source_images="$here/../../ui/images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# icon NAME SIZE...: NAME.svg rendered at each size into NAME.ico.
icon() {
  name=$1
  shift
  pngs=""
  for size in "$@"; do
    rsvg-convert -w "$size" -h "$size" "$source_images/$name.svg" -o "$work/$name-$size.png"
    # The largest stays PNG inside the icon, as Windows reads it, instead of a 256 KiB bitmap.
    if [ "$size" -ge 256 ]; then pngs="$pngs -r"; fi
    pngs="$pngs $work/$name-$size.png"
  done
  # shellcheck disable=SC2086  # the list of pictures, split on purpose
  icotool -c -o "$here/$name.ico" $pngs
}

icon lumenquill 16 20 24 32 40 48 64 256
for tool in open options help home; do
  icon "$tool" 16 24 32
done

convert "$source_images/drop.png" -background white -flatten -type TrueColor "BMP3:$here/drop.bmp"
convert "$source_images/drop@2x.png" -background white -flatten -type TrueColor \
  "BMP3:$here/drop@2x.bmp"
