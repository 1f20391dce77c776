# Shell functions for running our Windows programs under Wine.
# Source this file; it changes nothing until a function is called.
#
#   zuva_prefix_for BUILD  the prefix of a build folder for the display scale
#                          ZUVA_WINE_DPI asks for (96 when unset), and for
#                          two displays when ZUVA_TWO_DISPLAYS=1
#   zuva_wine_env PREFIX   export the environment of our Wine prefix
#   zuva_wine_prefix       create the 32-bit prefix once (safe to call concurrently)
#   zuva_display_start     start Xvfb (or, for two displays, an Xorg server
#                          with two dummy screens) on a free display and
#                          export DISPLAY
#   zuva_display_stop      stop the server that zuva_display_start started
#   zuva_wineserver_keep   keep the wineserver alive between programs (faster tests)
#   zuva_wine_warm         start Wine's services detached from our streams
#   zuva_wineserver_stop   end every Wine process of the prefix and its server
#   zuva_wine_session PREFIX  all of the set-up above for one prefix: its
#                          environment and prefix, a display unless there is
#                          one, a kept server and warm services
#   zuva_wine_session_end  the server and the display of that session stopped

# A display scale other than 96 DPI gets a prefix of its own, so that both
# can be kept and a test at 144 DPI never leaves the 96-DPI prefix changed.
zuva_wine_dpi() {
  local dpi="${ZUVA_WINE_DPI:-96}"
  case "$dpi" in ''|*[!0-9]*) dpi=96 ;; esac
  echo "$dpi"
}

zuva_prefix_for() {
  local dpi prefix="$1/wineprefix"
  dpi="$(zuva_wine_dpi)"
  [ "$dpi" = 96 ] || prefix="$prefix-$dpi"
  zuva_two_displays && prefix="$prefix-two"
  echo "$prefix"
}

# Two displays side by side, for the tests of windows that must stay on the
# display they are on. Their prefix is another one too: Wine there reads the
# displays from Xinerama, which the other prefixes need not.
zuva_two_displays() {
  [ "${ZUVA_TWO_DISPLAYS:-}" = 1 ]
}

# The folder of this file, for the two displays' server configuration.
ZUVA_WINE_TOOLS_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

zuva_wine_env() {
  export WINEPREFIX="$1"
  export WINEARCH=win32
  export WINEDEBUG=-all
  # Code page 936 as for our players; Chinese text then draws with the CJK font.
  export LANG=zh_CN.UTF-8
  unset LC_ALL LANGUAGE
}

zuva_wine_prefix() {
  # Bump the version when the prefix's set-up changes: an older prefix is made anew.
  local marker="$WINEPREFIX/.zuva-prefix-v4"
  [ -f "$marker" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$marker" ]; then
      wineserver -k 2>/dev/null
      rm -rf "$WINEPREFIX"
      # No Mono or Gecko installer prompts: neither is reachable here.
      WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
      # Xvfb has no window manager. Managed windows make Wine wait two seconds
      # for one at every top-level window it hides or destroys; unmanaged
      # windows do not, and look the same since ours draw their own frames.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      # No audio driver: the machines we test on have no sound card, and
      # Wine's ALSA driver says so on every process's error stream. Without
      # a driver the launcher sees no sound device either way; its muting is
      # tested on the calls it intercepts, which reach no device.
      wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
      # A crashing program ends with its exception code instead of waiting in
      # a debugger that would hold the test runner's streams open.
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
      # The display scale: Wine then reports this DPI to every process and
      # stretches nothing, so what shows is what an aware window draws.
      local dpi
      dpi="$(zuva_wine_dpi)"
      if [ "$dpi" != 96 ]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
      fi
      # Two displays: Wine takes its monitors from RandR where the server
      # has it and from Xinerama's heads otherwise. Our server has no RandR
      # (Xinerama turns it off); UseXRandR=N keeps Wine on the heads should
      # a server ever offer both. Wine's VidMode handler crashes the desktop
      # process (a bad free) when it lists the modes of a Xinerama desktop;
      # without it each display keeps its one mode, all the tests need.
      if zuva_two_displays; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /d N /f >/dev/null 2>&1
      fi
      wineserver -w
      touch "$marker"
    fi
  ) 9>"$WINEPREFIX.lock"
}

zuva_display_start() {
  local n dpi
  if zuva_two_displays; then
    zuva_two_displays_start
    return
  fi
  # A screen as large in inches at any scale: 1280 x 800 at 96 DPI.
  dpi="$(zuva_wine_dpi)"
  local width=$((1280 * dpi / 96)) height=$((800 * dpi / 96))
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${width}x${height}x24" -dpi "$dpi" -nolisten tcp >/dev/null 2>&1 &
    ZUVA_DISPLAY_PID=$!
    # Ours once its lock names it: two runs starting at once may both have
    # found the number free, and the one that lost ends.
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$ZUVA_DISPLAY_PID" ] && break
      kill -0 "$ZUVA_DISPLAY_PID" 2>/dev/null || break
      sleep 0.05
    done
    if kill -0 "$ZUVA_DISPLAY_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    wait "$ZUVA_DISPLAY_PID" 2>/dev/null
    unset ZUVA_DISPLAY_PID
  done
  echo "zuva: could not start Xvfb" >&2
  return 1
}

# An Xorg server with the dummy driver: Xvfb's screens cannot stand side by
# side in one desktop, Xorg's can. The screens are 1024 x 768 and
# 1280 x 1024 whatever the DPI; the server is told the DPI as Xvfb is. Its log goes to a folder of
# its own (Xorg keeps a log it would overwrite as .old beside it), removed
# when the server stops.
zuva_two_displays_start() {
  local n dpi i
  dpi="$(zuva_wine_dpi)"
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    ZUVA_XORG_LOG_DIR="$(mktemp -d "${TMPDIR:-/tmp}/zuva-xorg-$n.XXXXXX")"
    # -sharevts and -novtswitch: the console stays as it is.
    Xorg ":$n" -config "$ZUVA_WINE_TOOLS_DIR/two-displays.conf" -logfile "$ZUVA_XORG_LOG_DIR/log" -dpi "$dpi" \
      -nolisten tcp -noreset -sharevts -novtswitch >/dev/null 2>&1 &
    ZUVA_DISPLAY_PID=$!
    # Xorg opens its socket before its screens are ready: ask the server.
    for i in $(seq 1 100); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      kill -0 "$ZUVA_DISPLAY_PID" 2>/dev/null || break
      sleep 0.05
    done
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then
      export DISPLAY=":$n"
      return 0
    fi
    echo "zuva: Xorg did not start on :$n (its log: $ZUVA_XORG_LOG_DIR/log)" >&2
    kill "$ZUVA_DISPLAY_PID" 2>/dev/null
    wait "$ZUVA_DISPLAY_PID" 2>/dev/null
    unset ZUVA_DISPLAY_PID ZUVA_XORG_LOG_DIR
    return 1
  done
  echo "zuva: no free display for Xorg" >&2
  return 1
}

zuva_display_stop() {
  if [ -n "${ZUVA_DISPLAY_PID:-}" ]; then
    kill "$ZUVA_DISPLAY_PID" 2>/dev/null
    wait "$ZUVA_DISPLAY_PID" 2>/dev/null
    unset ZUVA_DISPLAY_PID
  fi
  if [ -n "${ZUVA_XORG_LOG_DIR:-}" ]; then
    rm -rf "$ZUVA_XORG_LOG_DIR"
    unset ZUVA_XORG_LOG_DIR
  fi
}

zuva_wineserver_keep() {
  wineserver -p
}

# The first program of a Wine session starts Wine's own services, which stay
# behind holding whatever standard streams they inherited; a test runner would
# then wait for those streams to close. Start them here, detached from ours.
zuva_wine_warm() {
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

zuva_wineserver_stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  return 0
}

zuva_wine_session() {
  zuva_wine_env "$1"
  zuva_wine_prefix || return 1
  [ -n "${DISPLAY:-}" ] || zuva_display_start || return 1
  zuva_wineserver_keep
  zuva_wine_warm
}

zuva_wine_session_end() {
  zuva_wineserver_stop
  zuva_display_stop
}
