#!/usr/bin/env bash
# Start-up time under Wine: from process start to the visible main window,
# median of 10 runs, for Zuva.exe and for the floor (an empty dialog program
# built the same way). Prints both and their ratio, and the executable's size.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
tools/build.sh >/dev/null
source tools/wine/session.sh
zuva_wine_env "$root/build/win32/wineprefix"
zuva_wine_prefix
own=0
if [ -z "${DISPLAY:-}" ]; then zuva_display_start; own=1; fi
zuva_wineserver_keep
zuva_wine_warm
b=build/win32
# Zuva.exe started with the shortcut switch opens its main window wherever it lies.
zuva=$(wine $b/zuva_bench_startup.exe 10 KorvelFerrowind "$(winepath -w $b/Zuva.exe)" /ZuvaD | tr -d '\r')
floor=$(wine $b/zuva_bench_startup.exe 10 ZuvaBenchFloor "$(winepath -w $b/zuva_bench_floor.exe)" | tr -d '\r')
zuva_wineserver_stop
[ $own = 1 ] && zuva_display_stop
echo "Zuva.exe start-up to main window:  $zuva"
echo "floor (empty dialog program):      $floor"
zm=$(sed -n 's/.*median \([0-9]*\) ms.*/\1/p' <<<"$zuva")
fm=$(sed -n 's/.*median \([0-9]*\) ms.*/\1/p' <<<"$floor")
[ -n "$zm" ] && [ -n "$fm" ] && [ "$fm" -gt 0 ] && awk -v z="$zm" -v f="$fm" 'BEGIN { printf "ratio Zuva/floor: %.2f\n", z / f }'
echo "Zuva.exe size: $(stat -c %s $b/Zuva.exe) bytes"
