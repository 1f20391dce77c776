#!/usr/bin/env bash
# The launcher's figures under Wine, each beside the floor program (an empty
# dialog program built the same way) where there is one, in one table with
# ratios: start-up to the main window, the login road to an attached and a
# shown page, memory of the main and a page process, CPU of an idle instance
# with three pages, and the size of Zuva.exe. Prints figures; asserts nothing.
#
#   tools/bench/run.sh [--build DIR] [--quick] [--idle SECONDS]
#
#   --build DIR     a mingw build folder (default build/win32); its own Wine
#                   prefix, and a portal on its ZUVA_TEST_PORT (so not while
#                   that folder's tests run)
#   --quick         3 start-ups, 2 road runs and 10 idle seconds, for a check
#   --idle SECONDS  the idle period (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"

build="$root/build/win32"
startup_runs=10
road_runs=5
idle=60
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    --quick) startup_runs=3; road_runs=2; idle=10; shift ;;
    --idle) idle=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--quick] [--idle SECONDS]" >&2; exit 2 ;;
  esac
done

if [ ! -f "$build/build.ninja" ]; then
  if [ "$build" = "$root/build/win32" ]; then tools/build.sh >/dev/null; else
    echo "$build is not a configured build folder" >&2; exit 1
  fi
fi
cmake --build "$build" --target Zuva ZuvaScripted zuva_bench_startup zuva_bench_floor zuva_bench_instance >/dev/null

source tools/bench/session.sh
zuva_bench_session "$build"
# The game pages' pictures are the test portal's, not the launcher's: a page
# process would hold its page's images whatever the launcher did, so the
# figures are taken with game pages that have none.
sed -i 's/ src=[^ ]*//' "$work"/site/games/*.page

# run_wine LABEL PROGRAM ARGS...: its output, its complaints kept aside.
run_wine() {
  local label=$1
  shift
  if ! wine "$@" 2>>"$work/wine.log" | tr -d '\r'; then
    echo "$label failed; what Wine said:" >&2
    grep -v '^ALSA' "$work/wine.log" | tail -20 >&2
    return 1
  fi
}

echo "Measuring in $build (portal on 127.0.0.1:$port, idle period ${idle} s) ..."
# The first programs of a fresh Wine session share the machine with Wine's
# own services starting up; one unmeasured round of each start-up keeps
# that out of whichever program would otherwise be measured first.
for program in "KorvelFerrowind $(winepath -w "$build/Zuva.exe") /ZuvaD" \
               "ZuvaBenchFloor $(winepath -w "$build/zuva_bench_floor.exe")"; do
  # shellcheck disable=SC2086
  run_wine "warm-up" "$build/zuva_bench_startup.exe" 2 $program >/dev/null
done
zuva_start=$(run_wine "Zuva.exe start-up" "$build/zuva_bench_startup.exe" "$startup_runs" KorvelFerrowind \
  "$(winepath -w "$build/Zuva.exe")" /ZuvaD)
floor_start=$(run_wine "floor start-up" "$build/zuva_bench_startup.exe" "$startup_runs" ZuvaBenchFloor \
  "$(winepath -w "$build/zuva_bench_floor.exe")")
instance=$(run_wine "instance bench" "$build/zuva_bench_instance.exe" "$road_runs" "$idle")

# The product is linked stripped (-s); the floor is compared stripped too.
i686-w64-mingw32-strip -o "$work/floor-stripped.exe" "$build/zuva_bench_floor.exe"
zuva_size=$(stat -c %s "$build/Zuva.exe")
floor_size=$(stat -c %s "$work/floor-stripped.exe")

median() { sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<<"$1"; }
{
  echo "startup_zuva_ms $(median "$zuva_start")"
  echo "startup_floor_ms $(median "$floor_start")"
  echo "startup_runs $startup_runs"
  echo "$instance"
  echo "size_zuva $zuva_size"
  echo "size_floor $floor_size"
} | awk '
  { v[$1] = $2 }
  function row(name, ours, floor, unit, fmt,   r) {
    if (floor == "") { printf "%-46s %12s %12s %8s\n", name, sprintf(fmt, ours) unit, "-", "-"; return }
    r = (floor > 0) ? sprintf("%.2f", ours / floor) : "n/a"
    printf "%-46s %12s %12s %8s\n", name, sprintf(fmt, ours) unit, sprintf(fmt, floor) unit, r
  }
  END {
    printf "%-46s %12s %12s %8s\n", "figure", "Zuva", "floor", "ratio"
    row("start-up to main window (median of " v["startup_runs"] ")", v["startup_zuva_ms"], v["startup_floor_ms"], " ms", "%.0f")
    row("login road, first page: click -> attached", v["road_first_attach_ms"], "", " ms", "%.0f")
    row("login road, first page: click -> shown", v["road_first_shown_ms"], "", " ms", "%.0f")
    row("login road, new tab: click -> attached", v["road_tab_attach_ms"], "", " ms", "%.0f")
    row("login road, new tab: click -> shown", v["road_tab_shown_ms"], "", " ms", "%.0f")
    row("memory, main process (3 pages): working set", v["mem_main_ws_mb"], v["mem_floor_ws_mb"], " MB", "%.1f")
    row("memory, main process (3 pages): private", v["mem_main_private_mb"], v["mem_floor_private_mb"], " MB", "%.1f")
    row("memory, a page process: working set", v["mem_page_ws_mb"], v["mem_floor_ws_mb"], " MB", "%.1f")
    row("memory, a page process: private", v["mem_page_private_mb"], v["mem_floor_private_mb"], " MB", "%.1f")
    row("  main private, floor with a worker thread", v["mem_main_private_mb"], v["mem_floor_worker_private_mb"], " MB", "%.1f")
    row("  page private, floor with worker and mixer", v["mem_page_private_mb"], v["mem_floor_worker_mixer_private_mb"], " MB", "%.1f")
    s = v["cpu_seconds"]
    row(sprintf("CPU idle %.0f s, main process", s), v["cpu_main_ms"], v["cpu_floor_ms"], " ms", "%.0f")
    row(sprintf("CPU idle %.0f s, the three page processes", s), v["cpu_pages_ms"], v["cpu_floor_ms"], " ms", "%.0f")
    all = v["cpu_main_ms"] + v["cpu_pages_ms"]
    row(sprintf("CPU idle %.0f s, instance in all", s), all, v["cpu_floor_ms"], " ms", "%.0f")
    printf "%-46s %12s %12s %8s\n", "  as share of one core", sprintf("%.2f %%", all / (s * 10)), \
      sprintf("%.2f %%", v["cpu_floor_ms"] / (s * 10)), ""
    row("context switches idle, main process", v["switches_main_per_s"], v["switches_floor_per_s"], " /s", "%.1f")
    row("context switches idle, a page process", v["switches_page_per_s"], v["switches_floor_per_s"], " /s", "%.1f")
    row("executable size (stripped)", v["size_zuva"] / 1024, v["size_floor"] / 1024, " KB", "%.0f")
    printf "road: median of %d runs, each a fresh instance; \"attached\" is the frame inside the main window\n", v["road_runs"]
    print "(right after WM_PAGE_ATTACH), \"shown\" the frame visible once its page loaded; no floor exists for it."
    print "memory: the page process is the mean of the three; private is the commit charge (Wine leaves"
    print "PrivateUsage at 0 and fills PagefileUsage). The two indented rows set the same figures beside the"
    print "floor doing what such a process cannot leave out and Wine charges for: a first worker thread (the"
    print "main process pings from one; a page engine fetches on others) and, for a page, the audio mixer"
    print "opened once (its first mute state is applied through it). CPU: user + kernel time over the idle period, from the"
    print "system process list (Wine answers GetProcessTimes for another process with the caller'"'"'s times);"
    print "Wine'"'"'s server work for these processes is not in it; Wine counts in 10 ms ticks. Context switches: the"
    print "voluntary and involuntary switches of all threads over the idle period, from Linux'"'"'s /proc;"
    print "each wake-up of a thread costs several, one per call into the Wine server that waits."
  }'
