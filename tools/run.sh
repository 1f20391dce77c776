#!/usr/bin/env bash
# Starts the launcher under Wine against the test portal on 127.0.0.1.
# With a display the player uses it there; without one an Xvfb display is
# started, the login road is played (two accounts in two tabs, a switch, the
# exit) with a screenshot at each stop, and everything is stopped again.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh || exit 1
tools/build.sh >/dev/null || exit 1

port=$(sed -n 's/^ZUVA_TEST_PORT:STRING=//p' build/win32/CMakeCache.txt)
shots="$root/build/screenshots"
mkdir -p "$shots"

source tools/wine/session.sh
zuva_wine_env "$(zuva_prefix_for "$root/build/win32")"
zuva_wine_prefix || exit 1

# The site's pages name the default port; ctl.sh serves a copy that names
# this build's own, so that no page leads to another build's portal.
pidfile="$root/build/run-portal.pid"
tools/portal/ctl.sh start "$port" "$root/build/run-portal" "$pidfile" || exit 1

cleanup() {
  tools/portal/ctl.sh stop "$pidfile"
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
zuva_wineserver_keep
zuva_wine_warm
echo "No display: started Xvfb on $DISPLAY and playing the login road with the test portal on 127.0.0.1:$port."
wine "$root/build/win32/zuva_road_demo.exe" "$(winepath -w "$shots" 2>/dev/null)"
status=$?
echo "Screenshots of the road are in $shots."
echo "(Under Wine a window that another process placed inside the main window is"
echo " not drawn on screen; the game pages in these pictures are the pictures"
echo " their own processes painted of them.)"
exit $status
