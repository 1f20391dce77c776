#!/usr/bin/env bash
# Runs some of the Windows-side tests of one mingw build folder under Wine,
# in that folder's own prefix, display and wineserver, so that two folders
# (configured with different ZUVA_TEST_PORT values) can run side by side.
#   tools/wintest.sh [BUILD_DIR] [CTEST_REGEX]
# Defaults: build/win32 and every test. Builds nothing; run tools/build.sh
# (or cmake --build BUILD_DIR) first.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/win32}" && pwd)"
regex="${2:-.}"
source "$root/tools/wine/session.sh"
# Nothing of ours stays running, however the suite ends.
trap zuva_wine_session_end EXIT
zuva_wine_session "$(zuva_prefix_for "$build")" || exit 1
# Windows-side tests start processes and look for their windows: one at a time.
cd "$build" && ctest --output-on-failure -R "$regex"
