#!/bin/sh
# Draws keldra-256.png and keldra-48.png, the bitmap twins of keldra.svg, with
# ImageMagick's own drawing primitives (no SVG renderer needed).
set -eu
cd "$(dirname "$0")"
circles() {  # "x,y ..." -> circle primitives of radius 18
  for p in "$@"; do x=${p%,*}; y=${p#*,}; printf 'circle %s,%s %s,%s ' "$x" "$y" "$((x + 18))" "$y"; done
}
convert -size 256x256 xc:none \
  -fill '#dcb35c' -stroke '#8a6a2a' -strokewidth 4 -draw 'roundrectangle 8,8 248,248 20,20' \
  -stroke '#2b1d0a' -strokewidth 6 -draw 'line 48,48 246,48 line 48,48 48,246' \
  -strokewidth 3 -draw 'line 48,88 246,88 line 48,128 246,128 line 48,168 246,168 line 48,208 246,208' \
  -draw 'line 88,48 88,246 line 128,48 128,246 line 168,48 168,246 line 208,48 208,246' \
  -fill '#2b1d0a' -strokewidth 0 -draw 'circle 128,128 134,128' \
  -stroke black -strokewidth 1.5 \
  -fill '#f4f4f4' -draw "$(circles 48,48 88,48 48,88 88,88)" \
  -fill '#111111' -draw "$(circles 128,48 128,88 48,128 88,128 168,128)" \
  -fill none -stroke '#dd2222' -strokewidth 3 -draw 'circle 168,128 176,128' \
  keldra-256.png
convert keldra-256.png -resize 48x48 keldra-48.png
