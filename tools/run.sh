#!/usr/bin/env bash
# Starts the launcher under Wine against the test portal on 127.0.0.1.
# With a display the player uses it there; without one an Xvfb display is
# started, screenshots are written, and everything is stopped again.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh || exit 1
tools/build.sh >/dev/null || exit 1

port=$(sed -n 's/^ZUVA_TEST_PORT:STRING=//p' build/win32/CMakeCache.txt)
shots="$root/build/screenshots"
mkdir -p "$shots"

source tools/wine/session.sh
zuva_wine_env "$root/build/win32/wineprefix"
zuva_wine_prefix || exit 1

pidfile=$(mktemp -u)
python3 tools/portal/portal.py --port "$port" --quiet --pidfile "$pidfile" &
portal=$!
for _ in $(seq 1 100); do [ -f "$pidfile" ] && break; sleep 0.05; done

cleanup() {
  kill "$portal" 2>/dev/null; wait "$portal" 2>/dev/null
  zuva_wineserver_stop
  zuva_display_stop
}
trap cleanup EXIT

exe="$root/build/win32/ZuvaScripted.exe"
if [ -n "${DISPLAY:-}" ]; then
  echo "Started ZuvaScripted.exe /ZuvaD under Wine on display $DISPLAY (test portal on 127.0.0.1:$port)."
  echo "It runs until you close it."
  wine "$exe" /ZuvaD
  exit 0
fi

zuva_display_start || exit 1
zuva_wine_warm
echo "No display: started Xvfb on $DISPLAY."
echo "Started ZuvaScripted.exe /ZuvaD under Wine (test portal on 127.0.0.1:$port)."
wine "$exe" /ZuvaD &
sleep 6
import -window root "$shots/run-desktop.png"
echo "Screenshot of the whole screen: $shots/run-desktop.png"
echo "(Until a page attaches, the main window is 1 x 1 pixels at the top-left corner.)"
echo "Screenshots the Windows-side tests take are in $root/build/win32/screenshots."
