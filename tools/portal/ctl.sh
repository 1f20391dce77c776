#!/usr/bin/env bash
# Starts or stops a test portal in the background, for test runners.
#   ctl.sh start PORT ROOT PIDFILE   returns once the portal accepts requests
#   ctl.sh stop PIDFILE              ends it
set -u
here="$(cd "$(dirname "$0")" && pwd)"
case "${1:-}" in
  start)
    port=$2 root=$3 pidfile=$4
    mkdir -p "$root"
    # The portal's own pages (login, hall, games) and whatever tests add.
    cp -r "$here/site/." "$root/"
    # The site's pages name the default port; a portal on another port (a
    # second build folder) serves them with its own.
    if [ "$port" != 47861 ]; then
      grep -rlF '127.0.0.1:47861' "$root" | while IFS= read -r page; do
        sed -i "s/127\.0\.0\.1:47861/127.0.0.1:$port/g" "$page"
      done
    fi
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then exit 0; fi
    rm -f "$pidfile"
    # Detached from our streams, so a runner waiting on them is not held up.
    setsid python3 "$here/portal.py" --port "$port" --root "$root" --pidfile "$pidfile" --quiet \
      </dev/null >"$root.log" 2>&1 &
    for _ in $(seq 1 200); do
      [ -f "$pidfile" ] && exit 0
      sleep 0.05
    done
    echo "portal did not start; see $root.log" >&2
    exit 1
    ;;
  stop)
    pidfile=$2
    [ -f "$pidfile" ] || exit 0
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    rm -f "$pidfile"
    exit 0
    ;;
  *)
    echo "usage: ctl.sh start PORT ROOT PIDFILE | stop PIDFILE" >&2
    exit 2
    ;;
esac
