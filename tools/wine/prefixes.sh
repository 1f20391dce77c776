#!/usr/bin/env bash
# Makes the Wine prefixes of one mingw build folder that the test command's
# passes use (96 DPI, 144 DPI, two displays), so that they are ready when
# the tests start; tools/test.sh runs it beside the build.
#   tools/wine/prefixes.sh BUILD_DIR
set -u
build="$1"
source "$(dirname "$0")/session.sh"
status=0
for pass in "96 0" "144 0" "96 1"; do
  set -- $pass
  (
    export ZUVA_WINE_DPI=$1 ZUVA_TWO_DISPLAYS=$2
    zuva_wine_env "$(zuva_prefix_for "$build")"
    zuva_wine_prefix
  ) || status=1
done
exit $status
