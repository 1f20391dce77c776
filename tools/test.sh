#!/usr/bin/env bash
# Builds both builds and runs every test: the native suite, a short fuzzing
# round, then the Windows-side suite under Wine (in parallel workers), again
# at 144 DPI, and on two displays. Prints each part's summary and how long
# it took; fails if any part fails.
#
# Where the machine waits, it works meanwhile: Wine and mingw are installed
# while the native build, its suite and the fuzzers run, and the Wine
# prefixes are made while the Windows build compiles.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
started=$(date +%s)
mkdir -p build

# NAME START: one line with the time a part took since START.
took() { echo "-- $1: $(( $(date +%s) - $2 )) s"; }
# BUILD: a build's log is shown whole when it failed, and its warnings
# (there should be none) when it did not.
build() {
  local log="build/build-$1.log"
  if ! tools/build.sh "$1" >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  grep -q 'warning:' "$log" && grep -B4 -A4 'warning:' "$log"
  return 0
}

t=$(date +%s)
tools/setup.sh native || exit 1
took "set-up of the native build" "$t"
(
  t=$(date +%s)
  tools/setup.sh windows
  status=$?
  took "set-up of the Windows side (beside the native parts)" "$t"
  exit $status
) >build/setup-windows.log 2>&1 &
windows_setup=$!

status=0
t=$(date +%s)
echo "== native build (build/host)"
build host
took "native build" "$t"

t=$(date +%s)
echo "== native suite (build/host)"
(cd build/host && ctest --output-on-failure -j"$(nproc)") || status=1
took "native suite" "$t"

t=$(date +%s)
echo "== fuzzing every outside-input parser briefly (tools/fuzz/run.sh SECONDS runs longer)"
tools/fuzz/run.sh 5 || status=1
took "fuzzing, build included" "$t"

wait $windows_setup
setup_status=$?
cat build/setup-windows.log
[ $setup_status -eq 0 ] || exit 1

t=$(date +%s)
echo "== Windows build (build/win32)"
# The build folder must exist before its prefixes do.
[ -f build/win32/build.ninja ] || cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null || exit 1
tools/wine/prefixes.sh "$root/build/win32" >build/prefixes.log 2>&1 &
prefixes=$!
build win32
wait $prefixes || { cat build/prefixes.log; exit 1; }
took "Windows build and Wine prefixes" "$t"

t=$(date +%s)
echo "== Windows-side suite under Wine (build/win32)"
tools/wintest.sh "$root/build/win32" || status=1
took "Windows-side suite" "$t"

# The windows that scale with the display, again in a prefix at 144 DPI
# (150 %): the page host's flags, the scripted page zoomed to the display,
# the main window with tabs and a page, a web dialog's zoom and buttons, the
# message box, the settings dialog, the notice, the update's progress, a
# page's screenshot, drawn at the page's scale, and a page in full screen.
t=$(date +%s)
echo "== the scaled windows at 144 DPI (build/win32, prefix wineprefix-144)"
ZUVA_WINE_DPI=144 tools/wintest.sh "$root/build/win32" \
  'portal\.start|portal\.stop|IeEngineSiteTest\.HostInfo|ScriptedEngineTest|MainWindowProcess\.TitleControls|LoginRoad\.(FirstLogin|OneAccount)|SkinnedMessageBox|SkinnedDialog|SettingDialog\.ShowsTheStored|PageShot|Notice\.(Picture|TextOnly)|UpdateRoad\.ADifferentBuild|WebDialog\.PagesFollow|Hotkeys\.SwitchKeyCycles' \
  || status=1
took "144-DPI pass" "$t"

# The windows that take their place from the display they are on, on two
# displays side by side (an Xorg server with two dummy screens, its own
# prefix): a skinned window maximised and in full screen on either, and the notice in the
# corner of the second, where its launcher stands.
t=$(date +%s)
echo "== the windows on two displays (build/win32, prefix wineprefix-two)"
ZUVA_TWO_DISPLAYS=1 tools/wintest.sh "$root/build/win32" \
  'portal\.start|portal\.stop|SkinnedDialog\.DoubleClickOnTheTitleBand|Notice\.PictureOnly' \
  || status=1
took "two-display pass" "$t"

took "the whole test command" "$started"
exit $status
