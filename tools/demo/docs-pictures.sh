#!/usr/bin/env bash
# Makes the README's pictures from the road's screenshots, which tools/run.sh
# writes to build/screenshots when there is no display: docs/login.png (the
# login page on its background) and docs/tabs.png (the main window with two
# tabs and the current game page), scaled to three quarters in 256 colours so
# that it stays small.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
shots="$root/build/screenshots"
for shot in run-1-login.png run-3-two-tabs.png; do
  [ -f "$shots/$shot" ] || { echo "no $shots/$shot: run tools/run.sh without a display first" >&2; exit 1; }
done
convert "$shots/run-1-login.png" -define png:compression-level=9 "$root/docs/login.png"
convert "$shots/run-3-two-tabs.png" -filter Lanczos -resize 75% -dither None -colors 256 \
  -define png:compression-level=9 "PNG8:$root/docs/tabs.png"
ls -l "$root/docs/login.png" "$root/docs/tabs.png"
