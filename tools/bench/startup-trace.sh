#!/usr/bin/env bash
# Where start-up spends its time and private memory, mark by mark (see
# src/base/StartupTrace.h): the scripted build started from the shortcut
# (/ZuvaD) several times for the main process, and one login road with
# three pages for the page processes. Prints, per mark, the median time
# since the process was created and the median private memory, each with
# the step from the mark before. Asserts nothing.
#
#   tools/bench/startup-trace.sh [--build DIR] [--runs N]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"

build="$root/build/win32"
runs=10
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--runs N]" >&2; exit 2 ;;
  esac
done
cmake --build "$build" --target ZuvaScripted zuva_bench_startup zuva_bench_instance >/dev/null

source tools/bench/session.sh
zuva_bench_session "$build"

ZUVA_STARTUP_TRACE="$(winepath -w "$work/main.tsv" 2>/dev/null)" \
  wine "$build/zuva_bench_startup.exe" "$runs" KorvelFerrowind "$(winepath -w "$build/ZuvaScripted.exe")" /ZuvaD \
  2>>"$work/wine.log" | tr -d '\r'
ZUVA_STARTUP_TRACE="$(winepath -w "$work/pages.tsv" 2>/dev/null)" \
  wine "$build/zuva_bench_instance.exe" 1 2 2>>"$work/wine.log" >/dev/null

python3 - "$work/main.tsv" "$work/pages.tsv" <<'PY'
import statistics, sys
from collections import OrderedDict

def table(path, title, keep):
    runs = {}
    for line in open(path, encoding="ascii", errors="replace"):
        pid, ms, kb, mark = line.rstrip("\n").split("\t", 3)
        runs.setdefault(pid, []).append((mark, float(ms), int(kb)))
    marks = OrderedDict()
    for seq in runs.values():
        if not keep(seq):
            continue
        for mark, ms, kb in seq:
            marks.setdefault(mark, []).append((ms, kb))
    print(f"\n{title} ({sum(1 for s in runs.values() if keep(s))} processes)")
    print(f"{'mark':<36} {'ms':>8} {'step ms':>8} {'private KB':>11} {'step KB':>8}")
    prev_ms, prev_kb = 0.0, 0
    for mark, values in marks.items():
        ms = statistics.median(v[0] for v in values)
        kb = statistics.median(v[1] for v in values)
        print(f"{mark:<36} {ms:8.1f} {ms - prev_ms:8.1f} {kb:11.0f} {kb - prev_kb:8.0f}")
        prev_ms, prev_kb = ms, kb

names = lambda seq: [m for m, _, _ in seq]
table(sys.argv[1], "main process, shortcut start", lambda s: "main window created" in names(s))
table(sys.argv[2], "page processes, login road", lambda s: "game frame created" in names(s))
PY
