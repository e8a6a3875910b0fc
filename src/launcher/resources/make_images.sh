#!/usr/bin/env bash
# Draws the launcher's picture (IDB_PICTURE) and icon (IDI_SETUP) with
# ImageMagick. The results are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

# IDB_PICTURE (64 x 64): a handheld on a blue band, with an arrow from the PC side.
convert -size 96x96 gradient:'#1d4f91-#8fb8e8' \
  -fill '#2b2b2b' -stroke '#101010' -draw 'roundrectangle 30,8 70,88 6,6' \
  -fill '#cfe8cf' -stroke '#6d8f6d' -draw 'rectangle 35,16 65,60' \
  -fill '#4a4a4a' -stroke none -draw 'circle 50,74 50,80' \
  -fill '#f5c542' -draw 'polygon 6,44 20,44 20,38 28,48 20,58 20,52 6,52' \
  -fill '#1d4f91' -draw 'rectangle 39,22 61,25' -draw 'rectangle 39,30 55,33' \
  -draw 'rectangle 39,38 59,41' -draw 'rectangle 39,46 51,49' \
  -resize 64x64 -type TrueColor BMP3:setup.bmp

# IDI_SETUP: the same handheld, 16 and 32 pixels.
for s in 16 32; do
  convert -size 32x32 xc:none \
    -fill '#2b2b2b' -draw 'roundrectangle 7,1 24,30 3,3' \
    -fill '#cfe8cf' -draw 'rectangle 10,4 21,18' \
    -fill '#1d4f91' -draw 'rectangle 11,7 20,9' -draw 'rectangle 11,12 17,14' \
    -fill '#f5c542' -draw 'circle 16,24 16,27' \
    -resize ${s}x${s} "icon-$s.png"
done
convert icon-16.png icon-32.png setup.ico
rm -f icon-16.png icon-32.png
