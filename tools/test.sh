#!/usr/bin/env bash
# Builds both builds and runs every test: the native suite, a short fuzzing
# round, then the Windows-side suite under Wine. Prints the summaries; fails if
# any part fails.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

tools/setup.sh || exit 1
tools/build.sh || exit 1

status=0
echo "== native suite (build/host)"
(cd build/host && ctest --output-on-failure -j2) || status=1

echo "== fuzzing every outside-input parser briefly (tools/fuzz/run.sh SECONDS runs longer)"
tools/fuzz/run.sh 5 || status=1

echo "== Windows-side suite under Wine (build/win32)"
tools/wintest.sh "$root/build/win32" || status=1

# The windows that scale with the display, again in a prefix at 144 DPI
# (150 %): the page host's flags, the scripted page zoomed to the display,
# the main window with tabs and a page, a web dialog's zoom and buttons, the
# message box, the settings dialog, the notice, the update's progress, a
# page's screenshot, drawn at the page's scale, and a page in full screen.
echo "== the scaled windows at 144 DPI (build/win32, prefix wineprefix-144)"
ZUVA_WINE_DPI=144 tools/wintest.sh "$root/build/win32" \
  'portal\.start|portal\.stop|IeEngineSiteTest\.HostInfo|ScriptedEngineTest|MainWindowProcess\.TitleControls|LoginRoad\.(FirstLogin|OneAccount)|SkinnedMessageBox|SkinnedDialog|SettingDialog\.ShowsTheStored|PageShot|Notice\.(Picture|TextOnly)|UpdateRoad\.ADifferentBuild|WebDialog\.PagesFollow|Hotkeys\.SwitchKeyCycles' \
  || status=1

# The windows that take their place from the display they are on, on two
# displays side by side (an Xorg server with two dummy screens, its own
# prefix): a skinned window maximised and in full screen on either, and the notice in the
# corner of the second, where its launcher stands.
echo "== the windows on two displays (build/win32, prefix wineprefix-two)"
ZUVA_TWO_DISPLAYS=1 tools/wintest.sh "$root/build/win32" \
  'portal\.start|portal\.stop|SkinnedDialog\.DoubleClickOnTheTitleBand|Notice\.PictureOnly' \
  || status=1

exit $status
