# Sourced by the benchmark scripts: a work folder, the test portal on the
# build folder's own port (a copy of the site in the work folder) and a Wine
# session in the build folder's prefix, all ended when the script ends.
#   zuva_bench_session BUILD_DIR    sets $work and $port
source "$(dirname "${BASH_SOURCE[0]}")/../wine/session.sh"

zuva_bench_session() {
  local build=$1
  port=$(sed -n 's/^ZUVA_TEST_PORT:STRING=//p' "$build/CMakeCache.txt")
  work=$(mktemp -d)
  trap zuva_bench_session_end EXIT
  tools/portal/ctl.sh start "$port" "$work/site" "$work/portal.pid"
  zuva_wine_session "$build/wineprefix"
}

zuva_bench_session_end() {
  zuva_wine_session_end
  tools/portal/ctl.sh stop "$work/portal.pid"
  rm -rf "$work"
}
