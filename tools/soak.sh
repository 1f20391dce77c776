#!/usr/bin/env bash
# Runs the soak on demand, as long as asked: one launcher instance through
# CYCLES page cycles (50 in the test suite), with the same bounds on what the
# main process may keep. Prints the figures at the start, half way and at the
# end, and leaves the summary in build/win32/soak-summary.txt.
#   tools/soak.sh [CYCLES]        (500 when not given)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
cycles="${1:-500}"
case "$cycles" in ''|*[!0-9]*|0) echo "usage: tools/soak.sh [CYCLES]" >&2; exit 2 ;; esac

tools/setup.sh || exit 1
tools/build.sh >/dev/null || exit 1

build="$root/build/win32"
port=$(sed -n 's/^ZUVA_TEST_PORT:STRING=//p' "$build/CMakeCache.txt")
source tools/wine/session.sh
trap zuva_wine_session_end EXIT
zuva_wine_session "$(zuva_prefix_for "$build")" || exit 1

# The soak outlasts ctest's time limit for it, so it runs here directly,
# against a portal of its own.
pidfile="$root/build/soak-portal.pid"
tools/portal/ctl.sh start "$port" "$root/build/soak-portal" "$pidfile" || exit 1
started=$(date +%s)
(cd "$build" && ZUVA_SOAK_CYCLES="$cycles" wine ./zuva_soak_tests.exe --gtest_filter='Soak.*')
status=$?
tools/portal/ctl.sh stop "$pidfile"
echo "soak of $cycles cycles: $(( $(date +%s) - started )) s, exit status $status"
exit $status
