#!/usr/bin/env bash
# One worker of a parallel Windows-side run: a place where tests of one
# mingw build folder run apart from every other worker's. Started by
# tools/wintest.sh inside new network and mount namespaces
# (unshare --net --mount), it gives its tests
#   - the build folder as the same path, seen through an overlay whose
#     writes go to a folder of the worker's own: the Wine prefix (registry,
#     data folder, named objects of its own wineserver), Statistic.ini and
#     pictures beside the executables, the portal's served folder;
#   - a loopback of its own, so its test portal answers on the build's port
#     as in a serial run, and nobody else's;
#   - a display and a kept wineserver of its own.
# Folders of the lower layer may be renamed (redirect_dir): Wine does not
# fall back to a copy where a plain overlay refuses such a rename, and the
# tests move the prefix's shell folders aside.
# A test enters these namespaces with nsenter (tools/wine/winerun.sh.in).
#   worker.sh BUILD_DIR WORKER_DIR
# Writes WORKER_DIR/display and then WORKER_DIR/ready; runs until SIGTERM,
# then stops what it started.
set -u
build="$1" dir="$2"
tools="$(cd "$(dirname "$0")" && pwd)"

ip link set lo up || exit 1
mkdir -p "$dir/upper" "$dir/work"
mount -t overlay overlay -o "lowerdir=$build,upperdir=$dir/upper,workdir=$dir/work,redirect_dir=on" "$build" || exit 1
cd "$build" || exit 1

source "$tools/session.sh"
zuva_wine_env "$(zuva_prefix_for "$build")"
port=$(sed -n 's/^ZUVA_TEST_PORT:STRING=//p' "$build/CMakeCache.txt")

sleeper=""
stop() {
  [ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null
  "$tools/../portal/ctl.sh" stop "$build/portal.pid"
  zuva_wineserver_stop
  zuva_display_stop
  exit 0
}
trap stop TERM INT

zuva_display_start || exit 1
zuva_wineserver_keep
zuva_wine_warm
"$tools/../portal/ctl.sh" start "$port" "$build/portal-root" "$build/portal.pid" || exit 1
echo "$DISPLAY" >"$dir/display"
touch "$dir/ready"
# A signal ends the wait at once; sleep alone would hold it back.
while :; do
  sleep 3600 &
  sleeper=$!
  wait "$sleeper"
done
