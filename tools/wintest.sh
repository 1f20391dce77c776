#!/usr/bin/env bash
# Runs some of the Windows-side tests of one mingw build folder under Wine.
#   tools/wintest.sh [BUILD_DIR] [CTEST_REGEX]
# Defaults: build/win32 and every test. Builds nothing; run tools/build.sh
# (or cmake --build BUILD_DIR) first.
#
# The tests run ZUVA_WINTEST_JOBS at a time (default: two per core: they
# spend most of their time waiting on launcher processes), each
# in a worker of its own (tools/wine/worker.sh): its own view of the build
# folder and Wine prefix, its own loopback with its own test portal, its
# own display. Tests that need the machine alone (the soak) run alone.
# With one job, two displays (ZUVA_TWO_DISPLAYS=1), or where this user may
# not make namespaces, they run one after another in the folder's prefix.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/win32}" && pwd)"
regex="${2:-.}"
jobs="${ZUVA_WINTEST_JOBS:-$(( $(nproc) * 2 ))}"
source "$root/tools/wine/session.sh"

serial() {
  # Nothing of ours stays running, however the suite ends.
  trap zuva_wine_session_end EXIT
  zuva_wine_session "$(zuva_prefix_for "$build")" || exit 1
  cd "$build" && ZUVA_WINE_WARMED=1 ctest --output-on-failure -R "$regex"
}

if [ "$jobs" -le 1 ] || zuva_two_displays || ! unshare --net --mount true 2>/dev/null; then
  serial
  exit
fi

# The prefix and the test lists, made before any worker looks at the
# folder: a worker sees them through its overlay and changes only its copy.
(
  zuva_wine_session "$(zuva_prefix_for "$build")" || exit 1
  cd "$build" && ctest -N -R "$regex" >/dev/null
  status=$?
  zuva_wine_session_end
  exit $status
) || exit 1

workers="$build.workers"
# The workers' process ids, of those still running (an id of an earlier
# run may since have gone to another program).
worker_pids() {
  local w pid
  for w in "$workers"/*/; do
    [ -f "$w/pid" ] || continue
    pid=$(cat "$w/pid")
    grep -qa 'worker\.sh' "/proc/$pid/cmdline" 2>/dev/null && echo "$pid"
  done
}
stop_workers() {
  local pids pid
  pids=$(worker_pids)
  [ -n "$pids" ] || return 0
  kill $pids 2>/dev/null
  for pid in $pids; do
    for _ in $(seq 1 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null
  done
}
# Workers of an earlier run that was killed go first.
stop_workers
rm -rf "$workers"
mkdir -p "$workers"
trap stop_workers EXIT

slots=""
for id in $(seq 0 $((jobs - 1))); do
  mkdir -p "$workers/$id"
  unshare --net --mount "$root/tools/wine/worker.sh" "$build" "$workers/$id" \
    </dev/null >"$workers/$id/log" 2>&1 &
  echo $! >"$workers/$id/pid"
  slots="$slots${slots:+,}{\"id\":\"$id\",\"slots\":1}"
done
for id in $(seq 0 $((jobs - 1))); do
  for _ in $(seq 1 600); do
    [ -f "$workers/$id/ready" ] && break
    kill -0 "$(cat "$workers/$id/pid")" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -f "$workers/$id/ready" ]; then
    echo "wintest: worker $id did not start:" >&2
    cat "$workers/$id/log" >&2
    exit 1
  fi
done
echo "{\"version\":{\"major\":1,\"minor\":0},\"local\":[{\"workers\":[$slots]}]}" >"$workers/resources.json"

# Each worker runs its own portal: the suite's fixture is not needed.
(cd "$build" && ZUVA_WINE_WORKERS="$workers" ctest --output-on-failure -j "$jobs" \
  --resource-spec-file "$workers/resources.json" -R "$regex" -E '^portal\.(start|stop)$' -FA '.*')
status=$?

# What the tests left for a look (screenshots, the soak's summary) is in
# the workers' overlays: copy it into the folder itself.
for id in $(seq 0 $((jobs - 1))); do
  upper="$workers/$id/upper"
  [ -d "$upper/screenshots" ] && mkdir -p "$build/screenshots" &&
    find "$upper/screenshots" -maxdepth 1 -type f -exec cp {} "$build/screenshots/" \;
  [ -f "$upper/soak-summary.txt" ] && cp "$upper/soak-summary.txt" "$build/"
done
exit $status
