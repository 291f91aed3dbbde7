#!/usr/bin/env bash
# Draws the 32x32 animated wait image (a rotating ring of dots) with ImageMagick and writes it
# to src/platform/resources/bekle.gif. The GIF is kept in the tree; run this only to change it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
frames=12
for ((f = 0; f < frames; f++)); do
  draw=()
  for ((d = 0; d < frames; d++)); do
    angle=$(awk -v d="$d" -v n="$frames" 'BEGIN { printf "%.4f", d * 6.283185 / n }')
    x=$(awk -v a="$angle" 'BEGIN { printf "%.2f", 16 + 11 * sin(a) }')
    y=$(awk -v a="$angle" 'BEGIN { printf "%.2f", 16 - 11 * cos(a) }')
    age=$(((f - d + frames) % frames))
    shade=$((255 - age * 18))
    ((shade < 60)) && shade=60
    r=$(awk -v s="$shade" 'BEGIN { printf "%d", 184 * s / 255 + (255 - s) * 0.85 }')
    g=$(awk -v s="$shade" 'BEGIN { printf "%d", 137 * s / 255 + (255 - s) * 0.85 }')
    b=$(awk -v s="$shade" 'BEGIN { printf "%d", 31 * s / 255 + (255 - s) * 0.85 }')
    draw+=(-fill "rgb($r,$g,$b)" -draw "circle $x,$y $(awk -v x="$x" 'BEGIN { printf "%.2f", x + 2.6 }'),$y")
  done
  convert -size 32x32 xc:none "${draw[@]}" "$tmp/f$(printf %02d "$f").png"
done
convert -delay 8 -loop 0 -dispose background "$tmp"/f*.png "$root/src/platform/resources/bekle.gif"
