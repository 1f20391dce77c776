#!/usr/bin/env bash
# Makes docs/dpi.png for the README: the same corner of the main window with
# two tabs at 100 % (96 DPI) and at 150 % (144 DPI), each as its display
# shows it, side by side. Plays the road twice with tools/run.sh (no display).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for dpi in 96 144; do
  (unset DISPLAY; ZUVA_WINE_DPI=$dpi tools/run.sh >/dev/null)
  cp build/screenshots/run-3-two-tabs.png "$work/tabs-$dpi.png"
done
# Each scale's column: the title band's left end (icon, title, tabs) above
# its right end (the title controls and caption buttons), 520 x 100 pixels
# each at 96 DPI and 780 x 150 at 144; the 100 % column on the left.
column() {  # screenshot scale-percent out
  local s=$2
  convert "$1" \( -clone 0 -crop "$((520 * s / 100))x$((100 * s / 100))+0+0" \) \
    \( -clone 0 -gravity northeast -crop "$((520 * s / 100))x$((100 * s / 100))+0+0" \) \
    -delete 0 +repage -background white -smush $((8 * s / 100)) "$3"
}
column "$work/tabs-96.png" 100 "$work/a.png"
column "$work/tabs-144.png" 150 "$work/b.png"
convert "$work/a.png" -background white -gravity north -extent "x$(identify -format %h "$work/b.png")" "$work/a.png"
convert "$work/a.png" "$work/b.png" -background white +smush 16 -dither None -colors 256 \
  -define png:compression-level=9 "PNG8:$root/docs/dpi.png"
ls -l "$root/docs/dpi.png"
