#!/usr/bin/env bash
# Installs Debian packages, also while a mirror is caught mid-sync.
#   tools/apt/install.sh PACKAGE...
# Runs `apt-get update`, again after a pause when it fails. When an index
# still fails (a Packages file that does not match its Release file, a
# suite that does not answer), it goes on without it where it can: a suite
# whose index failed for a foreign architecture is taken for this machine's
# architecture only, and ranked below the main archive, so that a library
# both architectures need is taken at the version both carry; a suite that
# failed for this machine's architecture is left out. These changes live in
# a private copy of the package sources, for this install only: the
# machine's own files stay as they are. Fails, with apt's own words, only
# when a package still cannot be installed.
# ZUVA_APT_TRIES (default 3) and ZUVA_APT_PAUSE (seconds, default 10) set
# how often and how patiently the update is tried.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
[ $# -gt 0 ] || { echo "usage: $0 PACKAGE..." >&2; exit 2; }
tries=${ZUVA_APT_TRIES:-3}
pause=${ZUVA_APT_PAUSE:-10}
export DEBIAN_FRONTEND=noninteractive

private="$(mktemp -d "${TMPDIR:-/tmp}/zuva-apt.XXXXXX")"
trap 'rm -rf "$private"' EXIT
apt_options=()

# Prints apt's "Failed to fetch" addresses of the last update, one a line.
failed_addresses() {
  sed -n 's/^[WE]: Failed to fetch \([^ ]*\).*/\1/p' "$private/update.log" | sort -u
}

update() {
  local try
  for try in $(seq 1 "$tries"); do
    if apt-get update "${apt_options[@]}" >"$private/update.log" 2>&1 &&
        [ -z "$(failed_addresses)" ]; then
      return 0
    fi
    [ "$try" -lt "$tries" ] && sleep "$pause"
  done
  return 1
}

# "uri suite mode" for every suite an address of failed_addresses lies in:
# mode "native" when only a foreign architecture's index failed, "drop"
# otherwise (this machine's index, the suite's Release file).
failing_suites() {
  local native="$1" address uri rest suite arch
  while IFS= read -r address; do
    case "$address" in */dists/*) ;; *) continue ;; esac
    uri="${address%%/dists/*}"
    rest="${address#*/dists/}"
    suite="${rest%%/*}"
    arch=""
    [[ "$rest" =~ /binary-([a-z0-9]+)/ ]] && arch="${BASH_REMATCH[1]}"
    if [ -n "$arch" ] && [ "$arch" != "$native" ]; then
      echo "$uri $suite native"
    else
      echo "$uri $suite drop"
    fi
  done < <(failed_addresses) |
    # A suite that failed for this machine as well is left out entirely.
    sort -k1,2 -k3,3 | awk '{ key = $1 " " $2; if (!(key in seen)) { seen[key] = 1; print } }'
}

# The private copy of the package sources and preferences, with the
# failing suites taken as failing_suites says.
write_private_sources() {
  local fails="$1" native="$2" file format
  eval "$(apt-config shell SOURCELIST Dir::Etc::sourcelist/f SOURCEPARTS Dir::Etc::sourceparts/d \
    PREFPARTS Dir::Etc::preferencesparts/d)"
  mkdir -p "$private/sources.list.d" "$private/preferences.d"
  : >"$private/sources.list"
  if [ -f "$SOURCELIST" ]; then
    awk -v FAILS="$fails" -v NATIVE="$native" -v FORMAT=list -f "$here/sources-without.awk" \
      "$SOURCELIST" >"$private/sources.list"
  fi
  for file in "$SOURCEPARTS"/*.list "$SOURCEPARTS"/*.sources; do
    [ -f "$file" ] || continue
    format=list
    [ "${file##*.}" = sources ] && format=sources
    awk -v FAILS="$fails" -v NATIVE="$native" -v FORMAT="$format" -f "$here/sources-without.awk" \
      "$file" >"$private/sources.list.d/$(basename "$file")"
  done
  for file in "$PREFPARTS"/*; do
    [ -f "$file" ] && cp "$file" "$private/preferences.d/"
  done
  # Below the main archive's 500: its versions win, and those exist for
  # every architecture. The URL names a suite by codename or by suite.
  awk '$3 == "native" { print "Package: *\nPin: release n=" $2 "\nPin-Priority: 400\n\n" \
                        "Package: *\nPin: release a=" $2 "\nPin-Priority: 400\n" }' \
    <<<"$fails" >"$private/preferences.d/zuva-failed-index.pref"
  apt_options=(-o "Dir::Etc::sourcelist=$private/sources.list"
               -o "Dir::Etc::sourceparts=$private/sources.list.d"
               -o "Dir::Etc::preferencesparts=$private/preferences.d")
}

# One line: which suites were taken how, and why.
describe() {
  local fails="$1" native="$2"
  awk -v native="$native" '
    $3 == "native" { n = n (n ? ", " : "") $2 }
    $3 == "drop"   { d = d (d ? ", " : "") $2 }
    END {
      s = ""
      if (n) s = "took " n " for " native " only, ranked below the main archive"
      if (d) s = s (s ? "; " : "") "left out " d
      print s
    }' <<<"$fails"
}

if ! update; then
  native="$(dpkg --print-architecture)"
  fails="$(failing_suites "$native")"
  if [ -z "$fails" ]; then
    echo "setup: apt-get update failed $tries times; installing from the indexes it has:" >&2
    grep -E '^(E|W):' "$private/update.log" | head -5 >&2
  else
    # apt's reason, as "File has unexpected size (1 != 2). Mirror sync in progress?"
    reason="$(sed -n 's/^[WE]: Failed to fetch [^ ]*  *\(.*\)/\1/p' "$private/update.log" | head -1 |
      sed 's/ *\[IP: [^]]*\]//')"
    echo "setup: $(failed_addresses | head -1) failed to download $tries times (${reason:-no reason given});" \
      "$(describe "$fails" "$native")"
    write_private_sources "$fails" "$native"
    apt-get update "${apt_options[@]}" >"$private/update.log" 2>&1
    if [ -n "$(failed_addresses)" ]; then
      echo "setup: the update still failed for:" $(failed_addresses) >&2
    fi
  fi
fi

if ! apt-get install -y -qq "${apt_options[@]}" "$@" >"$private/install.log" 2>&1; then
  echo "setup: could not install $*:" >&2
  grep -E '^(E:| [^ ].*: Depends)' "$private/install.log" | head -20 >&2
  exit 1
fi
